#pragma once

// The on-screen picture of the world: shows the part of the world its view holds, 1:1 in
// device pixels, with scroll bars where the world does not fit, and a floating pattern over
// it; reports mouse presses and Ctrl+wheel zooms to its owner. It reads the engine's cells,
// never the window.

#include "display/worldpicture.h"
#include "display/worldview.h"

#include <QAbstractScrollArea>
#include <QImage>

class QMouseEvent;
class QPainter;

// Shows the picture 1:1 in device pixels at any display scale, so no cell is drawn wider
// than another; positions and areas given in picture pixels are device pixels of the
// viewport.
class TWorldImage : public QAbstractScrollArea {
    Q_OBJECT

public:
    TWorldImage(QWidget* Parent, const TLifeEngine& Engine, QRgb LiveColour, QRgb DeadColour,
                TWorldPicture::TAllocator Allocator);

    // A world of HorCells x VertCells cells of HorCellSize x VertCellSize device pixels at
    // zoom Percent, scrolled to its top-left. Nothing shows before FitInto.
    void SetWorld(int HorCells, int VertCells, int HorCellSize, int VertCellSize, int Percent);
    // Another zoom; nothing shows before FitInto.
    void SetZoom(int Percent);
    // Sizes the control to the zoomed world, or to Room (logical pixels) with scroll bars
    // where the world does not fit, and makes a picture of what it then shows, every cell
    // dead. False when there is no memory for the picture.
    bool FitInto(const QSize& Room);
    // The world under a point of the screen, in cells, and a scroll that puts that world
    // point back under it, as far as the scroll allows; the picture is drawn anew.
    QPointF CellPointAt(const QPoint& Global) const;
    void ScrollToShow(const QPointF& Cell, const QPoint& Global);
    // The largest zoom level at which Cells, a rectangle of cells, fit the part of the world
    // the control would show in Room (logical pixels); the smallest level when none does.
    int ZoomToFit(const QRect& Cells, const QSize& Room) const;
    // Scrolls to the middle of Cells where they fit the viewport, else to their top-left
    // corner; to the world's top-left corner for no cells.
    void ShowCells(const QRect& Cells);
    // Lines between the cells, drawn where a cell is at least GridMinPixels device pixels
    // wide (columns) or high (rows).
    static constexpr int GridMinPixels = 8;
    static constexpr QRgb GridColour = 0xff9696c8; // RGB (150, 150, 200)
    void SetGrid(bool On);

    const TWorldView& View() const { return Viewing; }
    QSize PictureSize() const { return Drawn.Image().size(); }
    const QImage& Picture() const { return Drawn.Image(); }

    // Every cell dead, repainted.
    void Clear();
    // The picture brought up to the engine's cells; only what changed is repainted.
    void Follow();
    // Every cell drawn anew from the engine and repainted.
    void Redraw();
    // Cells: the selected cells, drawn over the world; empty for none. Only what changes is
    // repainted.
    void ShowSelection(const QRect& Cells);
    // Paints the block of cell (X, Y); ShowAtOnce repaints it on screen now. Below one
    // pixel a cell the block shows all its cells as the engine holds them.
    void PaintCell(int X, int Y, bool Live, bool ShowAtOnce);

    // A pattern shown over the world without being part of it, until ClearOverlay: Cells
    // holds a pixel a cell, drawn where it is not transparent, with its top-left pixel on
    // cell Corner of the world; what falls outside the world is not drawn. While it shows,
    // the mouse is its own: moves and presses are reported as OverlayMoved and
    // OverlayPressed, and nothing else sees them.
    void SetOverlay(const QImage& Cells, const QPoint& Corner);
    void MoveOverlay(const QPoint& Corner);
    void ClearOverlay();

    // One display frame of the widget's screen in milliseconds, at most 20.
    int FrameMs() const;
    // Fixes the frame at Ms milliseconds instead of the screen's refresh; 0 goes back to it.
    void SetFrameMs(int Ms) { FixedFrameMs = Ms; }

signals:
    // X and Y: the viewport's device pixel under the pointer, rounded down; always one
    // that shows the world.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, int X, int Y);
    // The pointer moved with a button held: the device pixel as for MouseDown, which may
    // lie anywhere, also beyond the picture.
    void MouseMoved(int X, int Y);
    // The last button held was let go.
    void MouseUp();
    // Ctrl+wheel: Steps levels in (positive) or out, around the pointer at Global.
    void ZoomAsked(int Steps, const QPoint& Global);
    // While an overlay shows: the pointer moved onto Cell, or Button was pressed on it.
    void OverlayMoved(const QPoint& Cell);
    void OverlayPressed(Qt::MouseButton Button, const QPoint& Cell);

protected:
    // Takes back the presses on the picture that Qt hands to the window, and their drags.
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    // The second press of a double click is a press like any other.
    void mouseDoubleClickEvent(QMouseEvent* Event) override { mousePressEvent(Event); }
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void scrollContentsBy(int Dx, int Dy) override;

private:
    // What the control takes in Room for the world as View holds it: its own size (logical)
    // and the viewport's (device pixels), with the scroll bars that need showing.
    struct TFit {
        bool Across = false;
        bool Down = false;
        QSize Size;
        QSize Shown;
    };
    TFit Fitting(const TWorldView& View, const QSize& Room) const;
    // The grid over Area (logical pixels) of a repaint.
    void PaintGrid(QPainter& Painter, const QRect& Area) const;
    // Picture pixels are device pixels.
    void Repaint(const QRect& Pixels);
    // The viewport's device pixel under Position, given relative to the viewport.
    QPointF PixelAt(const QPointF& Position) const;
    // The same for a position in the window, as an event's scene position gives it.
    QPointF PixelAtScene(const QPointF& Position) const;
    // The viewport's device pixel under the pointer of a mouse event, rounded down.
    QPoint PixelOf(const QMouseEvent& Event) const;
    // What a press, a move and a release at a device pixel of the viewport do.
    void PressAt(const QPoint& Pixel, const QMouseEvent& Event);
    void MoveTo(const QPoint& Pixel, const QMouseEvent& Event);
    void Release(const QMouseEvent& Event);
    void PaintSelection(QPainter& Painter) const;
    QRect ToLogical(const QRect& Pixels) const;
    // The scroll bars follow the view.
    void ShowScroll();
    // The view's scroll moved: a picture of what it shows now.
    void ViewMoved(const TWorldView& View);
    // An overlay takes the mouse while it shows: true when Event was its.
    bool OverlayTakes(const QPoint& Pixel, const QMouseEvent& Event);
    // The blocks of the view the overlay covers, those of them the viewport shows and
    // their pixels, and the overlay's picture a pixel a block.
    QRect OverlayBlocks() const;
    QRect OverlayShown() const;
    QRect PixelsOf(const QRect& Blocks) const;
    const QImage& OverlayPicture();
    void PaintOverlay(QPainter& Painter);

    const TLifeEngine& Engine;
    TWorldView Viewing;
    TWorldPicture Drawn;
    QRect Selected;               // cells
    bool TakenFromWindow = false; // a press on the picture reached the window
    int FixedFrameMs = 0;
    int ZoomWheel = 0;   // eighths of a degree of Ctrl+wheel not yet taken
    QImage OverlayCells; // null: no overlay
    QPoint OverlayCorner;
    // OverlayCells squeezed to the blocks of the view below one pixel a cell, and the block
    // size and corner it was made for.
    QImage OverlayShrunk;
    QSize ShrunkBlockCells;
    QPoint ShrunkPhase; // the corner's place in its block
    bool Grid = false;
};
