#pragma once

// The on-screen picture of the world: keeps its own copy of the picture, paints it 1:1
// at its top-left corner and reports mouse presses to its owner.

#include <QImage>
#include <QWidget>

// Fills a rectangle of a 24-bit BGR picture, clipped to the picture.
void FillBGR888(QImage& Picture, const QRect& Rect, QRgb Colour);

class TWorldImage : public QWidget {
    Q_OBJECT

public:
    explicit TWorldImage(QWidget* Parent);

    // Copies Picture into the store at (0, 0) and repaints.
    void Draw(const QImage& Picture);
    // Fills a rectangle of the store and repaints only that rectangle.
    void FillRect(const QRect& Rect, QRgb Colour);
    const QImage& Picture() const { return Store; }

signals:
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers, int X, int Y);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    void EnsureStore();

    QImage Store;
};
