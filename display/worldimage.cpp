// The picture widget that shows ChalkBoard on the window.

#include "display/worldimage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cstring>

void FillBGR888(QImage& Picture, const QRect& Rect, QRgb Colour) {
    const QRect Clipped = Rect.intersected(Picture.rect());
    const uchar Bgr[3] = {uchar(qBlue(Colour)), uchar(qGreen(Colour)), uchar(qRed(Colour))};
    for (int Y = Clipped.top(); Y <= Clipped.bottom(); ++Y) {
        uchar* Pixel = Picture.scanLine(Y) + 3 * Clipped.left();
        for (int X = Clipped.left(); X <= Clipped.right(); ++X, Pixel += 3)
            std::memcpy(Pixel, Bgr, 3);
    }
}

TWorldImage::TWorldImage(QWidget* Parent) : QWidget(Parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TWorldImage::EnsureStore() {
    // The store takes the control's size the first time something is drawn on it.
    if (Store.isNull())
        Store = QImage(size(), QImage::Format_BGR888);
}

void TWorldImage::Draw(const QImage& Picture) {
    if (Store.size() != Picture.size() || Store.format() != Picture.format()) {
        Store = Picture.copy();
    } else {
        const qsizetype Bytes = std::min(Store.bytesPerLine(), Picture.bytesPerLine());
        for (int Y = 0; Y < Picture.height(); ++Y)
            std::memcpy(Store.scanLine(Y), Picture.constScanLine(Y), size_t(Bytes));
    }
    update();
}

void TWorldImage::FillRect(const QRect& Rect, QRgb Colour) {
    EnsureStore();
    FillBGR888(Store, Rect, Colour);
    update(Rect);
}

void TWorldImage::paintEvent(QPaintEvent* Event) {
    QPainter Painter(this);
    const QRect Area = Event->rect();
    Painter.drawImage(Area.topLeft(), Store, Area);
}

void TWorldImage::mousePressEvent(QMouseEvent* Event) {
    const QPoint Pos = Event->position().toPoint();
    emit MouseDown(Event->button(), Event->modifiers(), Pos.x(), Pos.y());
}
