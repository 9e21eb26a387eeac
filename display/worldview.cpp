// The view of the world: zoom, scroll position and the mapping of pixels to cells.

#include "display/worldview.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace {

// One axis at a zoom: Units hundredths of a pixel a cell, whole pixels a cell from 100 on,
// whole cells a pixel below.
int CellsPerBlock(int CellSize, int Percent) {
    const int Units = CellSize * Percent;
    return Units >= 100 ? 1 : 100 / Units;
}

int PixelsPerBlock(int CellSize, int Percent) {
    const int Units = CellSize * Percent;
    return Units >= 100 ? Units / 100 : 1;
}

int CeilDiv(int A, int B) {
    return (A + B - 1) / B;
}

} // namespace

bool TWorldView::IsZoomLevel(int Percent) {
    return std::find(ZoomLevels.begin(), ZoomLevels.end(), Percent) != ZoomLevels.end();
}

int TWorldView::ZoomedIn(int Percent) {
    const auto Next = std::upper_bound(ZoomLevels.begin(), ZoomLevels.end(), Percent);
    return Next == ZoomLevels.end() ? ZoomLevels.back() : *Next;
}

int TWorldView::ZoomedOut(int Percent) {
    const auto Here = std::lower_bound(ZoomLevels.begin(), ZoomLevels.end(), Percent);
    return Here == ZoomLevels.begin() ? ZoomLevels.front() : *(Here - 1);
}

int TWorldView::ZoomForScale(double Scale) {
    int Best = 100;
    for (const int Level : ZoomLevels) {
        if (Level > 100 && Level <= Scale * 100)
            Best = Level;
    }
    return Best;
}

void TWorldView::SetWorld(int HorCells, int VertCells, int HorCellSize, int VertCellSize,
                          int NewPercent) {
    Q_ASSERT(HorCells >= 1 && VertCells >= 1 && HorCellSize >= 1 && HorCellSize <= 2 &&
             VertCellSize >= 1 && VertCellSize <= 2);
    Cells = QSize(HorCells, VertCells);
    CellSize = QSize(HorCellSize, VertCellSize);
    SetZoom(NewPercent);
}

void TWorldView::SetZoom(int NewPercent) {
    Q_ASSERT(IsZoomLevel(NewPercent));
    Percent = NewPercent;
    PerBlock =
        QSize(CellsPerBlock(CellSize.width(), Percent), CellsPerBlock(CellSize.height(), Percent));
    BlockSize = QSize(PixelsPerBlock(CellSize.width(), Percent),
                      PixelsPerBlock(CellSize.height(), Percent));
    ScrollTo(ScrollPos);
}

QSize TWorldView::Blocks() const {
    return {CeilDiv(Cells.width(), PerBlock.width()), CeilDiv(Cells.height(), PerBlock.height())};
}

QSize TWorldView::WorldPixels() const {
    const QSize InBlocks = Blocks();
    return {InBlocks.width() * BlockSize.width(), InBlocks.height() * BlockSize.height()};
}

void TWorldView::SetViewport(const QSize& Pixels) {
    ViewportSize = Pixels.expandedTo(QSize(0, 0));
    ScrollTo(ScrollPos);
}

QPoint TWorldView::MaxScroll() const {
    const QSize Room = WorldPixels() - ViewportSize;
    return {std::max(Room.width(), 0), std::max(Room.height(), 0)};
}

void TWorldView::ScrollTo(const QPoint& Pixel) {
    const QPoint Max = MaxScroll();
    ScrollPos = QPoint(std::clamp(Pixel.x(), 0, Max.x()), std::clamp(Pixel.y(), 0, Max.y()));
}

QRect TWorldView::Visible() const {
    return QRect(ScrollPos, ViewportSize).intersected(QRect(QPoint(0, 0), WorldPixels()));
}

QRect TWorldView::VisibleBlocks() const {
    const QRect Area = Visible();
    if (Area.isEmpty())
        return {};
    return QRect(QPoint(Area.left() / BlockSize.width(), Area.top() / BlockSize.height()),
                 QPoint(Area.right() / BlockSize.width(), Area.bottom() / BlockSize.height()));
}

QRect TWorldView::BlockRect(int X, int Y) const {
    return QRect(QPoint(X * BlockSize.width(), Y * BlockSize.height()) - ScrollPos, BlockSize);
}

QRect TWorldView::CellsRect(const QRect& Cells) const {
    return BlockRect(Cells.left() / PerBlock.width(), Cells.top() / PerBlock.height())
        .united(BlockRect(Cells.right() / PerBlock.width(), Cells.bottom() / PerBlock.height()));
}

QPoint TWorldView::CellAt(const QPoint& Pixel) const {
    if (!Visible().contains(Pixel + ScrollPos))
        return {-1, -1};
    const QPoint World = Pixel + ScrollPos;
    return {World.x() / BlockSize.width() * PerBlock.width(),
            World.y() / BlockSize.height() * PerBlock.height()};
}

QPoint TWorldView::CellNear(const QPoint& Pixel) const {
    const QPoint World = Pixel + ScrollPos;
    const QSize Last = WorldPixels() - QSize(1, 1);
    const QPoint Block(std::clamp(World.x(), 0, Last.width()) / BlockSize.width(),
                       std::clamp(World.y(), 0, Last.height()) / BlockSize.height());
    return {Block.x() * PerBlock.width(), Block.y() * PerBlock.height()};
}

QRect TWorldView::BlockOfCell(const QPoint& Cell) const {
    const QPoint Corner(Cell.x() / PerBlock.width() * PerBlock.width(),
                        Cell.y() / PerBlock.height() * PerBlock.height());
    return QRect(Corner, PerBlock).intersected(QRect(QPoint(0, 0), Cells));
}

QRect TWorldView::PixelsOfCells(const QRect& Area) const {
    if (Area.isEmpty())
        return {};
    const QPoint First(Area.left() / PerBlock.width(), Area.top() / PerBlock.height());
    const QPoint Last(Area.right() / PerBlock.width(), Area.bottom() / PerBlock.height());
    return QRect(QPoint(First.x() * BlockSize.width(), First.y() * BlockSize.height()),
                 QPoint((Last.x() + 1) * BlockSize.width() - 1,
                        (Last.y() + 1) * BlockSize.height() - 1))
        .translated(-ScrollPos);
}

QPointF TWorldView::CellPointAt(const QPointF& Pixel) const {
    const QPointF World = Pixel + QPointF(ScrollPos);
    return {World.x() * PerBlock.width() / BlockSize.width(),
            World.y() * PerBlock.height() / BlockSize.height()};
}

void TWorldView::ScrollToShow(const QPointF& Cell, const QPointF& Pixel) {
    const QPointF World(Cell.x() * BlockSize.width() / PerBlock.width(),
                        Cell.y() * BlockSize.height() / PerBlock.height());
    ScrollTo(
        QPoint(int(std::lround(World.x() - Pixel.x())), int(std::lround(World.y() - Pixel.y()))));
}
