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
#include <cmath>
#include <tuple>
#include <utility>

namespace {

// The selection: a translucent tint over the world and a border in a stronger tone of it,
// which stand out on the live and the dead colour alike.
constexpr QRgb SelectionTint = qRgba(255, 170, 0, 96);
constexpr QRgb SelectionBorder = qRgb(230, 90, 0);

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
    window()->installEventFilter(this);
}

// Qt picks the widget for a mouse event by its position rounded to whole logical pixels. At
// a display scale of 1.5 or 2 a press on the picture's last column or row of device pixels
// then goes to the window, and so does the drag it begins; the event's exact position in
// the window shows that it belongs here.
bool TWorldImage::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched != window())
        return QAbstractScrollArea::eventFilter(Watched, Event);
    auto* Mouse = dynamic_cast<QMouseEvent*>(Event);
    if (!Mouse)
        return false;
    const QPointF Exact = PixelAtScene(Mouse->scenePosition());
    const QPoint Pixel(qFloor(Exact.x()), qFloor(Exact.y()));
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!QRect(QPoint(0, 0), Viewing.Viewport()).contains(Pixel))
            return false;
        TakenFromWindow = true;
        PressAt(Pixel, *Mouse);
        return true;
    case QEvent::MouseMove:
        if (!TakenFromWindow)
            return false;
        MoveTo(Pixel, *Mouse);
        return true;
    case QEvent::MouseButtonRelease:
        if (!TakenFromWindow)
            return false;
        TakenFromWindow = Mouse->buttons() != Qt::NoButton;
        Release(*Mouse);
        return true;
    default:
        return false;
    }
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

void TWorldImage::ShowSelection(const QRect& Cells) {
    if (Cells == Selected)
        return;
    const QRect Before = Viewing.PixelsOfCells(Selected);
    Selected = Cells;
    // The border's cosmetic pen may reach one pixel beyond the cells.
    for (const QRect& Pixels : {Before, Viewing.PixelsOfCells(Selected)})
        Repaint(Pixels.adjusted(-1, -1, 1, 1).intersected(QRect(QPoint(0, 0), Viewing.Viewport())));
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
    if (!Selected.isEmpty())
        PaintSelection(Painter);
    PaintOverlay(Painter);
}

// The border lies on the selection's outer pixels, one device pixel wide.
void TWorldImage::PaintSelection(QPainter& Painter) const {
    const qreal Ratio = devicePixelRatioF();
    const QRect Pixels = Viewing.PixelsOfCells(Selected);
    const QRectF Area(QPointF(Pixels.topLeft()) / Ratio, QSizeF(Pixels.size()) / Ratio);
    Painter.fillRect(Area, QColor::fromRgba(SelectionTint));
    Painter.setPen(QPen(QColor::fromRgb(SelectionBorder), 0));
    const qreal Half = 0.5 / Ratio;
    Painter.drawRect(Area.adjusted(Half, Half, -Half, -Half));
}

void TWorldImage::SetOverlay(const QImage& Cells, const QPoint& Corner) {
    Repaint(PixelsOf(OverlayShown()));
    OverlayCells = Cells.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    OverlayCorner = Corner;
    OverlayShrunk = QImage();
    viewport()->setMouseTracking(true);
    Repaint(PixelsOf(OverlayShown()));
}

void TWorldImage::MoveOverlay(const QPoint& Corner) {
    Repaint(PixelsOf(OverlayShown()));
    OverlayCorner = Corner;
    Repaint(PixelsOf(OverlayShown()));
}

void TWorldImage::ClearOverlay() {
    Repaint(PixelsOf(OverlayShown()));
    OverlayCells = QImage();
    OverlayShrunk = QImage();
    viewport()->setMouseTracking(false);
}

// The corner is a cell of the world, so no division here rounds a negative number.
QRect TWorldImage::OverlayBlocks() const {
    const QSize Per = Viewing.BlockCells();
    const QPoint Last =
        OverlayCorner + QPoint(OverlayCells.width(), OverlayCells.height()) - QPoint(1, 1);
    return QRect(QPoint(OverlayCorner.x() / Per.width(), OverlayCorner.y() / Per.height()),
                 QPoint(Last.x() / Per.width(), Last.y() / Per.height()));
}

QRect TWorldImage::OverlayShown() const {
    return OverlayCells.isNull() ? QRect() : OverlayBlocks() & Viewing.VisibleBlocks();
}

QRect TWorldImage::PixelsOf(const QRect& Blocks) const {
    if (Blocks.isEmpty())
        return {};
    const QSize Pixels = Viewing.BlockPixels();
    return QRect(Viewing.BlockRect(Blocks.left(), Blocks.top()).topLeft(),
                 QSize(Blocks.width() * Pixels.width(), Blocks.height() * Pixels.height()));
}

// Below one pixel a cell a block shows where any of its cells lives, as the world's picture
// does. Moves below that size keep to whole blocks, so the squeezed picture is made again
// only for a new zoom or pattern.
const QImage& TWorldImage::OverlayPicture() {
    const QSize Per = Viewing.BlockCells();
    if (Per == QSize(1, 1))
        return OverlayCells;
    const QPoint Phase(OverlayCorner.x() % Per.width(), OverlayCorner.y() % Per.height());
    if (!OverlayShrunk.isNull() && ShrunkBlockCells == Per && ShrunkPhase == Phase)
        return OverlayShrunk;
    OverlayShrunk = QImage(OverlayBlocks().size(), OverlayCells.format());
    OverlayShrunk.fill(Qt::transparent);
    for (int Y = 0; Y < OverlayCells.height(); ++Y) {
        const auto* Row = reinterpret_cast<const QRgb*>(OverlayCells.constScanLine(Y));
        auto* Block =
            reinterpret_cast<QRgb*>(OverlayShrunk.scanLine((Phase.y() + Y) / Per.height()));
        for (int X = 0; X < OverlayCells.width(); ++X) {
            if (qAlpha(Row[X]) != 0)
                Block[(Phase.x() + X) / Per.width()] = Row[X];
        }
    }
    ShrunkBlockCells = Per;
    ShrunkPhase = Phase;
    return OverlayShrunk;
}

// Scaled without smoothing, a pixel of the overlay's picture fills its block exactly.
void TWorldImage::PaintOverlay(QPainter& Painter) {
    const QRect Shown = OverlayShown();
    if (Shown.isEmpty())
        return;
    const qreal Ratio = devicePixelRatioF();
    const QRect Target = PixelsOf(Shown);
    Painter.drawImage(QRectF(QPointF(Target.topLeft()) / Ratio, QSizeF(Target.size()) / Ratio),
                      OverlayPicture(), Shown.translated(-OverlayBlocks().topLeft()));
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
    PressAt(PixelOf(*Event), *Event);
}

void TWorldImage::mouseMoveEvent(QMouseEvent* Event) {
    MoveTo(PixelOf(*Event), *Event);
}

void TWorldImage::mouseReleaseEvent(QMouseEvent* Event) {
    Release(*Event);
}

void TWorldImage::PressAt(const QPoint& Pixel, const QMouseEvent& Event) {
    if (OverlayTakes(Pixel, Event))
        return;
    if (Viewing.CellAt(Pixel).x() < 0)
        return;
    emit MouseDown(Event.button(), Event.modifiers(), Pixel.x(), Pixel.y());
}

void TWorldImage::MoveTo(const QPoint& Pixel, const QMouseEvent& Event) {
    if (OverlayTakes(Pixel, Event))
        return;
    if (Event.buttons() != Qt::NoButton)
        emit MouseMoved(Pixel.x(), Pixel.y());
}

void TWorldImage::Release(const QMouseEvent& Event) {
    if (Event.buttons() == Qt::NoButton)
        emit MouseUp();
}

// Qt rounds an event's position in the widget to whole logical pixels, which at a display
// scale of 1.5 or 2 names a neighbouring device pixel; the scene position keeps what the
// pointer reported. An event sent straight to the widget carries no scene position of its
// own, only the position, which then lies more than the rounding away from it.
QPoint TWorldImage::PixelOf(const QMouseEvent& Event) const {
    const QPointF Exact = viewport()->mapFrom(window(), Event.scenePosition());
    const QPointF Rounded = Event.position();
    const bool FromWindow = std::abs(Exact.x() - Rounded.x()) <= 0.5 + 1e-6 &&
                            std::abs(Exact.y() - Rounded.y()) <= 0.5 + 1e-6;
    const QPointF Pixel = PixelAt(FromWindow ? Exact : Rounded);
    return {qFloor(Pixel.x()), qFloor(Pixel.y())};
}

// While an overlay shows, the pointer moves it and a press places or cancels it; nothing
// reaches the gestures.
bool TWorldImage::OverlayTakes(const QPoint& Pixel, const QMouseEvent& Event) {
    if (OverlayCells.isNull())
        return false;
    const QPoint Cell = Viewing.CellAt(Pixel);
    if (Cell.x() < 0)
        return true;
    if (Event.type() == QEvent::MouseMove)
        emit OverlayMoved(Cell);
    else
        emit OverlayPressed(Event.button(), Cell);
    return true;
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
    return PixelAtScene(viewport()->mapTo(window(), Position));
}

QPointF TWorldImage::PixelAtScene(const QPointF& Position) const {
    constexpr qreal Allowance = 1e-6;
    const qreal Ratio = devicePixelRatioF();
    const QPointF Offset = QPointF(viewport()->mapTo(window(), QPoint(0, 0))) * Ratio;
    return Position * Ratio - QPointF(Offset.toPoint()) + QPointF(Allowance, Allowance);
}
