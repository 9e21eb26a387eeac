#pragma once

// The view of the world: the zoom, the scroll position and the mapping between the
// viewport's device pixels and the cells. It knows nothing of widgets or windows.
//
// At zoom Z (in percent) a cell is HorCellSize·Z/100 x VertCellSize·Z/100 device pixels.
// The view works in blocks: at one pixel a cell or more a block is one cell; below that a
// block is the square of cells one device pixel shows, live where any of its cells is. The
// zoomed world is Blocks() blocks of BlockPixels() pixels; the viewport shows the part of
// it that starts at Scroll(), and the picture holds only that part (Visible()).

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <array>

class TWorldView {
public:
    // The zoom levels in percent, from a quarter to 32 times.
    static constexpr std::array<int, 8> ZoomLevels = {25, 50, 100, 200, 400, 800, 1600, 3200};
    static bool IsZoomLevel(int Percent);
    // The next level in or out; the same at the end of the range.
    static int ZoomedIn(int Percent);
    static int ZoomedOut(int Percent);
    // The level at which a cell is as large as on a screen of scale 1: the largest level at
    // or below the display scale, 100 below 2.
    static int ZoomForScale(double Scale);

    // A world of HorCells x VertCells cells (1..1280 x 1..1024) of HorCellSize x
    // VertCellSize pixels (1 or 2 each) at zoom Percent, a level. The scroll stays within it.
    void SetWorld(int HorCells, int VertCells, int HorCellSize, int VertCellSize, int Percent);
    void SetZoom(int Percent);
    int Zoom() const { return Percent; }
    int HorCells() const { return Cells.width(); }
    int VertCells() const { return Cells.height(); }

    // The cells a block covers, and its size in pixels; one of the two is 1 each way.
    QSize BlockCells() const { return PerBlock; }
    QSize BlockPixels() const { return BlockSize; }
    // The world in blocks, and in pixels.
    QSize Blocks() const;
    QSize WorldPixels() const;

    // The viewport's size in device pixels; the scroll stays within the world.
    void SetViewport(const QSize& Pixels);
    QSize Viewport() const { return ViewportSize; }
    // The world pixel at the viewport's top-left corner.
    QPoint Scroll() const { return ScrollPos; }
    // Clamped to 0 .. WorldPixels() - Viewport() each way.
    void ScrollTo(const QPoint& Pixel);
    // The largest scroll each way.
    QPoint MaxScroll() const;

    // The world pixels the viewport shows; the picture's area.
    QRect Visible() const;
    // The blocks that Visible() touches, also in part.
    QRect VisibleBlocks() const;
    // The pixels of block (X, Y), relative to the viewport; they may lie outside it.
    QRect BlockRect(int X, int Y) const;
    // The pixels of the blocks that Cells (a rectangle of cells in the world) touches,
    // relative to the viewport.
    QRect CellsRect(const QRect& Cells) const;

    // The cell under a viewport pixel, the top-left cell of its block below one pixel a
    // cell; (-1, -1) where the viewport shows no world.
    QPoint CellAt(const QPoint& Pixel) const;
    // The same for any viewport pixel, also one beyond the world or the viewport: the cell
    // of the nearest block that shows world, as for a drag that leaves the picture.
    QPoint CellNear(const QPoint& Pixel) const;
    // The cells of the block that shows Cell, an in-use cell.
    QRect BlockOfCell(const QPoint& Cell) const;
    // The pixels, relative to the viewport, of the blocks that show Cells; they may lie
    // outside the viewport.
    QRect PixelsOfCells(const QRect& Cells) const;
    // The world under a viewport position, in cells and fractions of a cell.
    QPointF CellPointAt(const QPointF& Pixel) const;
    // Scrolls so that the world point Cell (as CellPointAt gives it) lies under the
    // viewport position Pixel, as far as the scroll allows.
    void ScrollToShow(const QPointF& Cell, const QPointF& Pixel);

private:
    QSize Cells{320, 240};
    QSize CellSize{1, 1};
    int Percent = 100;
    QSize PerBlock{1, 1};
    QSize BlockSize{1, 1};
    QSize ViewportSize;
    QPoint ScrollPos;
};
