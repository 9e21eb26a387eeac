// The picture widget: shows what its view holds 1:1, scrolls and reports mouse presses.

#include "display/worldimage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

// One notch of a mouse wheel, in eighths of a degree.
constexpr int WheelNotch = 120;
// Lines a notch scrolls, and a line in logical pixels.
constexpr int NotchLines = 3;
constexpr int LinePixels = 20;

// The first viewport pixel at or after From on a cell's edge: its world pixel, From +
// Scroll, rounded up to a multiple of Step.
int FirstEdge(int From, int Scroll, int Step) {
    return (From + Scroll + Step - 1) / Step * Step - Scroll;
}

} // namespace

TWorldImage::TWorldImage(QWidget* Parent, const TLifeEngine& Engine, QRgb LiveColour,
                         QRgb DeadColour, TWorldPicture::TAllocator Allocator)
    : QAbstractScrollArea(Parent), Engine(Engine),
      Drawn(LiveColour, DeadColour, std::move(Allocator)) {
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void TWorldImage::SetWorld(int HorCells, int VertCells, int HorCellSize, int VertCellSize,
                           int Percent) {
    Viewing.SetWorld(HorCells, VertCells, HorCellSize, VertCellSize, Percent);
    Viewing.ScrollTo(QPoint(0, 0));
}

void TWorldImage::SetZoom(int Percent) {
    Viewing.SetZoom(Percent);
}

// A scroll bar takes room from the other direction, which may then need one too.
TWorldImage::TFit TWorldImage::Fitting(const TWorldView& View, const QSize& Room) const {
    const qreal Ratio = devicePixelRatioF();
    const QSize World(qCeil(View.WorldPixels().width() / Ratio),
                      qCeil(View.WorldPixels().height() / Ratio));
    // A bar not yet shown has its style's size only once polished.
    verticalScrollBar()->ensurePolished();
    horizontalScrollBar()->ensurePolished();
    const int BarWidth = verticalScrollBar()->sizeHint().width();
    const int BarHeight = horizontalScrollBar()->sizeHint().height();
    bool Across = World.width() > Room.width();
    bool Down = World.height() > Room.height();
    Down = Down || (Across && World.height() + BarHeight > Room.height());
    Across = Across || (Down && World.width() + BarWidth > Room.width());
    Down = Down || (Across && World.height() + BarHeight > Room.height());
    const QSize Size(std::min(Room.width(), World.width() + (Down ? BarWidth : 0)),
                     std::min(Room.height(), World.height() + (Across ? BarHeight : 0)));
    const QSize Shown = Size - QSize(Down ? BarWidth : 0, Across ? BarHeight : 0);
    return {Across, Down, Size, QSize(qCeil(Shown.width() * Ratio), qCeil(Shown.height() * Ratio))};
}

bool TWorldImage::FitInto(const QSize& Room) {
    const TFit Fit = Fitting(Viewing, Room);
    setHorizontalScrollBarPolicy(Fit.Across ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Fit.Down ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setFixedSize(Fit.Size);
    Viewing.SetViewport(Fit.Shown);
    ShowScroll();
    return Drawn.SetView(Viewing);
}

int TWorldImage::ZoomToFit(const QRect& Cells, const QSize& Room) const {
    for (auto Level = TWorldView::ZoomLevels.rbegin(); Level != TWorldView::ZoomLevels.rend();
         ++Level) {
        TWorldView View = Viewing;
        View.SetZoom(*Level);
        const QSize Needed = View.CellsRect(Cells).size();
        const QSize Shown = Fitting(View, Room).Shown;
        if (Needed.width() <= Shown.width() && Needed.height() <= Shown.height())
            return *Level;
    }
    return TWorldView::ZoomLevels.front();
}

void TWorldImage::ShowCells(const QRect& Cells) {
    TWorldView Moved = Viewing;
    const QSize Needed = Cells.isEmpty() ? QSize() : Moved.CellsRect(Cells).size();
    if (Cells.isEmpty())
        Moved.ScrollTo(QPoint(0, 0));
    else if (Needed.width() <= Moved.Viewport().width() &&
             Needed.height() <= Moved.Viewport().height())
        Moved.ScrollToShow(QRectF(Cells).center(), QPointF(Moved.Viewport().width() / 2.0,
                                                           Moved.Viewport().height() / 2.0));
    else
        Moved.ScrollToShow(QPointF(Cells.topLeft()), QPointF(0, 0));
    ViewMoved(Moved);
    ShowScroll();
}

void TWorldImage::SetGrid(bool On) {
    if (Grid == On)
        return;
    Grid = On;
    viewport()->update();
}

void TWorldImage::ShowScroll() {
    const QSignalBlocker HorBlocker(horizontalScrollBar());
    const QSignalBlocker VertBlocker(verticalScrollBar());
    const int Line = qCeil(LinePixels * devicePixelRatioF());
    for (const auto& [Bar, Max, Page, Value] :
         {std::tuple(horizontalScrollBar(), Viewing.MaxScroll().x(), Viewing.Viewport().width(),
                     Viewing.Scroll().x()),
          std::tuple(verticalScrollBar(), Viewing.MaxScroll().y(), Viewing.Viewport().height(),
                     Viewing.Scroll().y())}) {
        Bar->setRange(0, Max);
        Bar->setPageStep(Page);
        Bar->setSingleStep(Line);
        Bar->setValue(Value);
    }
}

void TWorldImage::scrollContentsBy(int, int) {
    TWorldView Moved = Viewing;
    Moved.ScrollTo(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
    ViewMoved(Moved);
}

void TWorldImage::ViewMoved(const TWorldView& View) {
    Viewing = View;
    // Same size, so no memory is asked for.
    Drawn.SetView(Viewing);
    Drawn.Follow(Engine);
    viewport()->update();
}

QPointF TWorldImage::CellPointAt(const QPoint& Global) const {
    return Viewing.CellPointAt(PixelAt(viewport()->mapFromGlobal(QPointF(Global))));
}

void TWorldImage::ScrollToShow(const QPointF& Cell, const QPoint& Global) {
    TWorldView Moved = Viewing;
    Moved.ScrollToShow(Cell, PixelAt(viewport()->mapFromGlobal(QPointF(Global))));
    ViewMoved(Moved);
    ShowScroll();
}

void TWorldImage::Clear() {
    Drawn.Clear();
    viewport()->update();
}

void TWorldImage::Follow() {
    Repaint(Drawn.Follow(Engine));
}

void TWorldImage::Redraw() {
    Repaint(Drawn.Redraw(Engine));
}

void TWorldImage::PaintCell(int X, int Y, bool Live, bool ShowAtOnce) {
    const QRect Block =
        Viewing.BlockCells() == QSize(1, 1) ? Drawn.PaintCell(X, Y, Live) : Drawn.Follow(Engine);
    if (ShowAtOnce)
        Repaint(Block);
}

void TWorldImage::Repaint(const QRect& Pixels) {
    if (!Pixels.isEmpty())
        viewport()->update(ToLogical(Pixels));
}

QRect TWorldImage::ToLogical(const QRect& Pixels) const {
    const qreal Ratio = devicePixelRatioF();
    return QRectF(QPointF(Pixels.topLeft()) / Ratio, QSizeF(Pixels.size()) / Ratio).toAlignedRect();
}

// One frame of the widget's screen, at most 20 ms so that a run shows at least 50 frames a
// second on whatever the screen reports.
int TWorldImage::FrameMs() const {
    if (FixedFrameMs > 0)
        return FixedFrameMs;
    const qreal Rate = screen() ? screen()->refreshRate() : 60.0;
    return Rate > 0 ? std::clamp(int(1000.0 / Rate), 1, 20) : 16;
}

// Each picture pixel lands on one device pixel: the target is the source divided by the
// scale, which the painter multiplies back. At scale 1 this is a plain copy.
void TWorldImage::paintEvent(QPaintEvent* Event) {
    QPainter Painter(viewport());
    const qreal Ratio = devicePixelRatioF();
    const QRect Area = Event->rect();
    const QImage& Shown = Drawn.Image();
    if (!QRectF(QPointF(0, 0), QSizeF(Shown.size()) / Ratio).contains(Area))
        Painter.fillRect(Area, palette().color(QPalette::Window));
    const QRect Source =
        QRectF(QPointF(Area.topLeft()) * Ratio, QSizeF(Area.size()) * Ratio).toAlignedRect();
    const QRect Part = Source.intersected(Shown.rect());
    if (!Part.isEmpty())
        Painter.drawImage(QRectF(QPointF(Part.topLeft()) / Ratio, QSizeF(Part.size()) / Ratio),
                          Shown, Part);
    PaintGrid(Painter, Area);
}

// In device pixels, so that every line is one device pixel wide at any display scale: the
// left column of each cell but the first, and its top row.
void TWorldImage::PaintGrid(QPainter& Painter, const QRect& Area) const {
    const QSize Block = Viewing.BlockPixels();
    const bool Columns = Block.width() >= GridMinPixels;
    const bool Rows = Block.height() >= GridMinPixels;
    if (!Grid || (!Columns && !Rows))
        return;
    const qreal Ratio = devicePixelRatioF();
    const QRect Pixels = QRectF(QPointF(Area.topLeft()) * Ratio, QSizeF(Area.size()) * Ratio)
                             .toAlignedRect()
                             .intersected(Drawn.Image().rect());
    if (Pixels.isEmpty())
        return;
    Painter.save();
    Painter.setWorldTransform(QTransform::fromScale(1 / Ratio, 1 / Ratio));
    const QPoint Scroll = Viewing.Scroll();
    const QColor Line = QColor::fromRgb(GridColour);
    if (Columns) {
        for (int X = FirstEdge(Pixels.left(), Scroll.x(), Block.width()); X <= Pixels.right();
             X += Block.width()) {
            if (X + Scroll.x() > 0)
                Painter.fillRect(QRect(X, Pixels.top(), 1, Pixels.height()), Line);
        }
    }
    if (Rows) {
        for (int Y = FirstEdge(Pixels.top(), Scroll.y(), Block.height()); Y <= Pixels.bottom();
             Y += Block.height()) {
            if (Y + Scroll.y() > 0)
                Painter.fillRect(QRect(Pixels.left(), Y, Pixels.width(), 1), Line);
        }
    }
    Painter.restore();
}

void TWorldImage::mousePressEvent(QMouseEvent* Event) {
    const QPointF Pixel = PixelAt(Event->position());
    const QPoint Whole(qFloor(Pixel.x()), qFloor(Pixel.y()));
    if (Viewing.CellAt(Whole).x() < 0)
        return;
    emit MouseDown(Event->button(), Event->modifiers(), Whole.x(), Whole.y());
}

// Ctrl zooms around the pointer; Shift scrolls sideways; otherwise the scroll bars take it.
void TWorldImage::wheelEvent(QWheelEvent* Event) {
    const QPoint Delta = Event->angleDelta();
    const int Turn = std::abs(Delta.x()) > std::abs(Delta.y()) ? Delta.x() : Delta.y();
    if (Event->modifiers().testFlag(Qt::ControlModifier)) {
        ZoomWheel += Turn;
        const int Steps = ZoomWheel / WheelNotch;
        ZoomWheel -= Steps * WheelNotch;
        if (Steps != 0)
            emit ZoomAsked(Steps, Event->globalPosition().toPoint());
    } else if (Event->modifiers().testFlag(Qt::ShiftModifier)) {
        QScrollBar* Bar = horizontalScrollBar();
        Bar->setValue(Bar->value() - Turn * NotchLines * Bar->singleStep() / WheelNotch);
    } else {
        QAbstractScrollArea::wheelEvent(Event);
    }
    Event->accept();
}

// The plain keys scroll: arrows, PgUp and PgDn by the scroll bars, Home to the world's
// top-left corner and End to its bottom-right. With Ctrl or Alt they are commands.
void TWorldImage::keyPressEvent(QKeyEvent* Event) {
    if (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        Event->ignore();
        return;
    }
    if (Event->key() == Qt::Key_Home || Event->key() == Qt::Key_End) {
        const bool Home = Event->key() == Qt::Key_Home;
        horizontalScrollBar()->setValue(Home ? 0 : horizontalScrollBar()->maximum());
        verticalScrollBar()->setValue(Home ? 0 : verticalScrollBar()->maximum());
        Event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(Event);
}

// The window paints this control from its offset scaled to device pixels and rounded, so
// the picture may start half a device pixel away from the scaled offset. The allowance
// undoes the rounding of positions divided by the scale and lies far below the finest step
// a pointer reports.
QPointF TWorldImage::PixelAt(const QPointF& Position) const {
    constexpr qreal Allowance = 1e-6;
    const qreal Ratio = devicePixelRatioF();
    const QPointF Offset = QPointF(viewport()->mapTo(window(), QPoint(0, 0))) * Ratio;
    return Position * Ratio + Offset - QPointF(Offset.toPoint()) + QPointF(Allowance, Allowance);
}
