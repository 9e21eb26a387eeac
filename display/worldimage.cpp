// The picture widget: shows the picture of the world 1:1 and reports mouse presses.

#include "display/worldimage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QtMath>

#include <algorithm>

TWorldImage::TWorldImage(QWidget* Parent, QRgb LiveColour, QRgb DeadColour)
    : QWidget(Parent), World(LiveColour, DeadColour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TWorldImage::SetWorld(int HorCells, int VertCells, int HorCellSize, int VertCellSize) {
    if (!World.Reset(HorCells, VertCells, HorCellSize, VertCellSize))
        return false;
    setFixedSize(ToLogical(World.Rect()).size());
    update();
    return true;
}

void TWorldImage::Clear() {
    World.Clear();
    update();
}

void TWorldImage::Follow(const TLifeEngine& Engine) {
    Repaint(World.Follow(Engine));
}

void TWorldImage::Redraw(const TLifeEngine& Engine) {
    Repaint(World.Redraw(Engine));
}

void TWorldImage::PaintCell(int X, int Y, bool Live, bool ShowAtOnce) {
    const QRect Block = World.PaintCell(X, Y, Live);
    if (ShowAtOnce)
        Repaint(Block);
}

void TWorldImage::Repaint(const QRect& Pixels) {
    if (!Pixels.isEmpty())
        update(ToLogical(Pixels));
}

QRect TWorldImage::ToPixels(const QRect& Area) const {
    const qreal Ratio = devicePixelRatioF();
    return QRectF(QPointF(Area.topLeft()) * Ratio, QSizeF(Area.size()) * Ratio).toAlignedRect();
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

// Each store pixel lands on one device pixel: the target is the source divided by the
// scale, which the painter multiplies back. At scale 1 this is a plain copy.
void TWorldImage::paintEvent(QPaintEvent* Event) {
    QPainter Painter(this);
    const qreal Ratio = devicePixelRatioF();
    const QRect Area = Event->rect();
    if (!QRectF(QPointF(0, 0), QSizeF(Picture().size()) / Ratio).contains(Area))
        Painter.fillRect(Area, palette().color(QPalette::Window));
    const QRect Source = ToPixels(Area).intersected(Picture().rect());
    if (!Source.isEmpty())
        Painter.drawImage(QRectF(QPointF(Source.topLeft()) / Ratio, QSizeF(Source.size()) / Ratio),
                          Picture(), Source);
}

void TWorldImage::mousePressEvent(QMouseEvent* Event) {
    if (PictureSize().isEmpty())
        return;
    const QPoint Pixel = PixelAt(Event->position());
    emit MouseDown(Event->button(), Event->modifiers(), Pixel.x(), Pixel.y());
}

// The window paints this control from its offset scaled to device pixels and rounded, so
// the picture may start half a device pixel away from the scaled offset. The allowance
// undoes the rounding of positions divided by the scale and lies far below the finest step
// a pointer reports. A press on the control lies on the picture, so the result does too.
QPoint TWorldImage::PixelAt(const QPointF& Position) const {
    constexpr qreal Allowance = 1e-6;
    const qreal Ratio = devicePixelRatioF();
    const QPointF Offset = QPointF(mapTo(window(), QPoint(0, 0))) * Ratio;
    const QPointF Pixel = Position * Ratio + Offset - QPointF(Offset.toPoint());
    return {std::clamp(qFloor(Pixel.x() + Allowance), 0, PictureSize().width() - 1),
            std::clamp(qFloor(Pixel.y() + Allowance), 0, PictureSize().height() - 1)};
}
