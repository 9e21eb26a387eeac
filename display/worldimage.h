#pragma once

// The on-screen picture of the world: keeps its own copy of the picture, paints it 1:1
// at its top-left corner and reports mouse presses to its owner.

#include "display/framelimiter.h"

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <limits>

// Fills a rectangle of a 24-bit BGR picture, clipped to the picture.
void FillBGR888(QImage& Picture, const QRect& Rect, QRgb Colour);

// Paints whole cell blocks straight into the pixel rows of both pictures of the world,
// ChalkBoard (24-bit BGR) and the screen's store (32-bit), and keeps the rectangle of the
// blocks it painted. Cell sizes are 1 or 2 pixels; both pictures must hold every block
// painted.
class TBlockPainter {
public:
    TBlockPainter(QImage& ChalkBoard, QImage& Screen, int HorCellSize, int VertCellSize,
                  QRgb LiveColour, QRgb DeadColour);

    // Calls Use with a painting function for the painter's cell size, taking (X, Y, State):
    // the block of cell (X, Y) in LiveColour for State 1, else DeadColour. With the cell
    // size a constant a block is a few plain stores: a soup's changes paint in a fifth less
    // time than with loops over the size (measured at 1280 x 1024 cells).
    template <typename TUse> void WithCellPainter(TUse&& Use) {
        if (HorCellSize == 1 && VertCellSize == 1)
            Use([this](int X, int Y, qint32 State) { PaintBlock<1, 1>(X, Y, State); });
        else if (HorCellSize == 2 && VertCellSize == 2)
            Use([this](int X, int Y, qint32 State) { PaintBlock<2, 2>(X, Y, State); });
        else if (HorCellSize == 2)
            Use([this](int X, int Y, qint32 State) { PaintBlock<2, 1>(X, Y, State); });
        else
            Use([this](int X, int Y, qint32 State) { PaintBlock<1, 2>(X, Y, State); });
    }

    // Paints every block of a world of HorCells x VertCells cells in DeadColour, row by row.
    void PaintAllDead(int HorCells, int VertCells);

    // The pixels of every block painted so far; empty when none was.
    QRect Changed() const;

private:
    template <int Hor, int Vert> void PaintBlock(int X, int Y, qint32 State) {
        const bool Live = State == 1;
        const uchar* Bgr = Live ? LiveBgr : DeadBgr;
        const QRgb Rgb = Live ? LiveRgb : DeadRgb;
        const qsizetype Top = qsizetype(Y) * Vert;
        const qsizetype Left = qsizetype(X) * Hor;
        uchar* BoardRow = BoardBits + Top * BoardStride + 3 * Left;
        uchar* ScreenRow = ScreenBits + Top * ScreenStride + 4 * Left;
        for (int I = 0; I < Vert; ++I, BoardRow += BoardStride, ScreenRow += ScreenStride) {
            for (int M = 0; M < Hor; ++M) {
                std::memcpy(BoardRow + 3 * M, Bgr, 3);
                std::memcpy(ScreenRow + 4 * M, &Rgb, 4);
            }
        }
        Extend(X, Y);
    }

    void Extend(int X, int Y) {
        ChangedLeft = std::min(ChangedLeft, X);
        ChangedRight = std::max(ChangedRight, X);
        ChangedTop = std::min(ChangedTop, Y);
        ChangedBottom = std::max(ChangedBottom, Y);
    }

    uchar* const BoardBits;
    const qsizetype BoardStride;
    uchar* const ScreenBits;
    const qsizetype ScreenStride;
    const int HorCellSize;
    const int VertCellSize;
    uchar LiveBgr[3];
    uchar DeadBgr[3];
    const QRgb LiveRgb;
    const QRgb DeadRgb;
    int ChangedLeft = std::numeric_limits<int>::max();
    int ChangedRight = -1;
    int ChangedTop = std::numeric_limits<int>::max();
    int ChangedBottom = -1;
};

// Shows the picture 1:1 in device pixels at any display scale, so no cell is drawn wider
// than another; positions and areas given in picture pixels are device pixels.
class TWorldImage : public QWidget {
    Q_OBJECT

public:
    explicit TWorldImage(QWidget* Parent);

    // Sizes the control to hold a picture of Pixels device pixels. At a fractional scale the
    // control may be up to one device pixel wider and higher; the rest shows the background.
    void SetPictureSize(const QSize& Pixels);
    QSize PictureSize() const { return PictureSizeInPixels; }

    // Copies Picture into the store at (0, 0) and repaints.
    void Draw(const QImage& Picture);
    // The store, for painting the same blocks as on Picture; if it does not have Picture's
    // size yet, Picture is copied into it first, so the two start out equal.
    QImage& StoreFor(const QImage& Picture);
    // Repaints the area of the store that was painted through StoreFor; an empty Area
    // repaints nothing. At most one such repaint a display frame: within a frame of the last
    // one, the areas gather and show together at the frame's end, with the store as it is
    // then.
    void ShowPart(const QRect& Area);
    // One display frame of the widget's screen in milliseconds, at most 20.
    int FrameMs() const;
    // Fixes the frame at Ms milliseconds instead of the screen's refresh; 0 goes back to it.
    void SetFrameMs(int Ms) { FixedFrameMs = Ms; }
    // Fills a rectangle of the store and repaints only that rectangle.
    void FillRect(const QRect& Rect, QRgb Colour);
    const QImage& Picture() const { return Store; }

signals:
    // X and Y: the picture pixel under the pointer, rounded down.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, int X, int Y);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    // The backing store's own format: a paint is then a plain copy, where a 24-bit store
    // was converted on every paint, which took four to eight times as long (measured).
    static constexpr QImage::Format StoreFormat = QImage::Format_RGB32;

    void EnsureStore();
    void ShowPending();
    // The picture pixel under Position, given relative to this control.
    QPoint PixelAt(const QPointF& Position) const;
    QRect ToPixels(const QRect& Area) const;
    QRect ToLogical(const QRect& Pixels) const;

    QImage Store;
    QSize PictureSizeInPixels;
    QRect Pending; // in picture pixels
    TFrameLimiter* Frames;
    int FixedFrameMs = 0;
};
