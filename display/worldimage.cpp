// The picture widget that shows ChalkBoard on the window.

#include "display/worldimage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QtMath>

namespace {

void SetBgr(uchar (&Bytes)[3], QRgb Colour) {
    Bytes[0] = uchar(qBlue(Colour));
    Bytes[1] = uchar(qGreen(Colour));
    Bytes[2] = uchar(qRed(Colour));
}

} // namespace

void FillBGR888(QImage& Picture, const QRect& Rect, QRgb Colour) {
    const QRect Clipped = Rect.intersected(Picture.rect());
    uchar Bgr[3];
    SetBgr(Bgr, Colour);
    for (int Y = Clipped.top(); Y <= Clipped.bottom(); ++Y) {
        uchar* Pixel = Picture.scanLine(Y) + 3 * Clipped.left();
        for (int X = Clipped.left(); X <= Clipped.right(); ++X, Pixel += 3)
            std::memcpy(Pixel, Bgr, 3);
    }
}

TBlockPainter::TBlockPainter(QImage& ChalkBoard, QImage& Screen, int HorCellSize, int VertCellSize,
                             QRgb LiveColour, QRgb DeadColour)
    : BoardBits(ChalkBoard.bits()), BoardStride(ChalkBoard.bytesPerLine()),
      ScreenBits(Screen.bits()), ScreenStride(Screen.bytesPerLine()), HorCellSize(HorCellSize),
      VertCellSize(VertCellSize), LiveRgb(LiveColour | 0xff000000u),
      DeadRgb(DeadColour | 0xff000000u) {
    Q_ASSERT(ChalkBoard.format() == QImage::Format_BGR888 && Screen.depth() == 32);
    Q_ASSERT(ChalkBoard.size() == Screen.size());
    Q_ASSERT(HorCellSize >= 1 && HorCellSize <= 2 && VertCellSize >= 1 && VertCellSize <= 2);
    SetBgr(LiveBgr, LiveColour);
    SetBgr(DeadBgr, DeadColour);
}

void TBlockPainter::PaintAllDead(int HorCells, int VertCells) {
    const int Width = HorCells * HorCellSize;
    const int Height = VertCells * VertCellSize;
    for (int Y = 0; Y < Height; ++Y) {
        uchar* Board = BoardBits + qsizetype(Y) * BoardStride;
        auto* Screen = reinterpret_cast<QRgb*>(ScreenBits + qsizetype(Y) * ScreenStride);
        for (int X = 0; X < Width; ++X)
            std::memcpy(Board + 3 * X, DeadBgr, 3);
        std::fill(Screen, Screen + Width, DeadRgb);
    }
    Extend(0, 0);
    Extend(HorCells - 1, VertCells - 1);
}

QRect TBlockPainter::Changed() const {
    if (ChangedRight < 0)
        return {};
    return QRect(
        QPoint(ChangedLeft * HorCellSize, ChangedTop * VertCellSize),
        QPoint((ChangedRight + 1) * HorCellSize - 1, (ChangedBottom + 1) * VertCellSize - 1));
}

TWorldImage::TWorldImage(QWidget* Parent)
    : QWidget(Parent),
      Frames(new TFrameLimiter([this] { ShowPending(); }, [this] { return FrameMs(); }, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TWorldImage::SetPictureSize(const QSize& Pixels) {
    PictureSizeInPixels = Pixels;
    setFixedSize(ToLogical(QRect(QPoint(0, 0), Pixels)).size());
}

void TWorldImage::EnsureStore() {
    // The store takes the picture's size the first time something is drawn on it.
    if (Store.isNull())
        Store = QImage(PictureSizeInPixels, StoreFormat);
}

QRect TWorldImage::ToPixels(const QRect& Area) const {
    const qreal Ratio = devicePixelRatioF();
    return QRectF(QPointF(Area.topLeft()) * Ratio, QSizeF(Area.size()) * Ratio).toAlignedRect();
}

QRect TWorldImage::ToLogical(const QRect& Pixels) const {
    const qreal Ratio = devicePixelRatioF();
    return QRectF(QPointF(Pixels.topLeft()) / Ratio, QSizeF(Pixels.size()) / Ratio).toAlignedRect();
}

void TWorldImage::Draw(const QImage& Picture) {
    Store = Picture.convertToFormat(StoreFormat);
    update();
}

QImage& TWorldImage::StoreFor(const QImage& Picture) {
    if (Store.size() != Picture.size())
        Draw(Picture);
    return Store;
}

void TWorldImage::ShowPart(const QRect& Area) {
    if (Area.isEmpty())
        return;
    Pending |= Area;
    Frames->Request();
}

void TWorldImage::ShowPending() {
    update(ToLogical(Pending));
    Pending = QRect();
}

// One frame of the widget's screen, at most 20 ms so that a run shows at least 50 frames a
// second on whatever the screen reports.
int TWorldImage::FrameMs() const {
    if (FixedFrameMs > 0)
        return FixedFrameMs;
    const qreal Rate = screen() ? screen()->refreshRate() : 60.0;
    return Rate > 0 ? std::clamp(int(1000.0 / Rate), 1, 20) : 16;
}

void TWorldImage::FillRect(const QRect& Rect, QRgb Colour) {
    EnsureStore();
    const QRect Part = Rect.intersected(Store.rect());
    for (int Y = Part.top(); Y <= Part.bottom(); ++Y) {
        auto* Pixel = reinterpret_cast<QRgb*>(Store.scanLine(Y)) + Part.left();
        std::fill(Pixel, Pixel + Part.width(), Colour | 0xff000000u);
    }
    update(ToLogical(Part));
}

// Each store pixel lands on one device pixel: the target is the source divided by the
// scale, which the painter multiplies back. At scale 1 this is a plain copy.
void TWorldImage::paintEvent(QPaintEvent* Event) {
    QPainter Painter(this);
    const qreal Ratio = devicePixelRatioF();
    const QRect Area = Event->rect();
    if (!QRectF(QPointF(0, 0), QSizeF(Store.size()) / Ratio).contains(Area))
        Painter.fillRect(Area, palette().color(QPalette::Window));
    const QRect Source = ToPixels(Area).intersected(Store.rect());
    if (!Source.isEmpty())
        Painter.drawImage(QRectF(QPointF(Source.topLeft()) / Ratio, QSizeF(Source.size()) / Ratio),
                          Store, Source);
}

void TWorldImage::mousePressEvent(QMouseEvent* Event) {
    if (PictureSizeInPixels.isEmpty())
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
    return {std::clamp(qFloor(Pixel.x() + Allowance), 0, PictureSizeInPixels.width() - 1),
            std::clamp(qFloor(Pixel.y() + Allowance), 0, PictureSizeInPixels.height() - 1)};
}
