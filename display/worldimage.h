#pragma once

// The on-screen picture of the world: holds the one picture of the world's cells, paints it
// 1:1 at its top-left corner and reports mouse presses to its owner.

#include "display/worldpicture.h"

#include <QImage>
#include <QWidget>

// Shows the picture 1:1 in device pixels at any display scale, so no cell is drawn wider
// than another; positions and areas given in picture pixels are device pixels.
class TWorldImage : public QWidget {
    Q_OBJECT

public:
    TWorldImage(QWidget* Parent, QRgb LiveColour, QRgb DeadColour);

    // Sizes the control and its picture for a world of HorCells x VertCells cells of
    // HorCellSize x VertCellSize device pixels, every cell dead. At a fractional scale the
    // control may be up to one device pixel wider and higher; the rest shows the
    // background. False when there is no memory for the picture.
    bool SetWorld(int HorCells, int VertCells, int HorCellSize, int VertCellSize);
    QSize PictureSize() const { return World.Image().size(); }

    // Every cell dead, repainted.
    void Clear();
    // The picture brought up to the engine's cells; only what changed is repainted.
    void Follow(const TLifeEngine& Engine);
    // Every cell drawn anew from the engine and repainted.
    void Redraw(const TLifeEngine& Engine);
    // Paints the block of cell (X, Y); ShowAtOnce repaints it on screen now.
    void PaintCell(int X, int Y, bool Live, bool ShowAtOnce);

    // One display frame of the widget's screen in milliseconds, at most 20.
    int FrameMs() const;
    // Fixes the frame at Ms milliseconds instead of the screen's refresh; 0 goes back to it.
    void SetFrameMs(int Ms) { FixedFrameMs = Ms; }
    const QImage& Picture() const { return World.Image(); }

signals:
    // X and Y: the picture pixel under the pointer, rounded down.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, int X, int Y);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    // Picture pixels are device pixels.
    void Repaint(const QRect& Pixels);
    // The picture pixel under Position, given relative to this control.
    QPoint PixelAt(const QPointF& Position) const;
    QRect ToPixels(const QRect& Area) const;
    QRect ToLogical(const QRect& Pixels) const;

    TWorldPicture World;
    int FixedFrameMs = 0;
};
