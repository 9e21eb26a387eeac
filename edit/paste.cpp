// The floating paste: the pattern as a value, its turns and its placement.

#include "edit/paste.h"

#include "patterns/lifelines.h"

#include <algorithm>

TPastePattern::TPastePattern(const QStringList& Rows) {
    qsizetype Width = 0;
    for (const QString& Row : Rows)
        Width = std::max(Width, Row.size());
    *this = TPastePattern(QSize(int(Width), int(Rows.size())));
    for (int Y = 0; Y < Rows.size(); ++Y) {
        for (int X = 0; X < Rows[Y].size(); ++X)
            Cells[Index(X, Y)] = IsLiveChar(Rows[Y][X]) ? 1 : 0;
    }
}

template <typename TSource>
TPastePattern TPastePattern::Mapped(const QSize& NewSize, TSource Source) const {
    TPastePattern Turned(NewSize);
    for (int Y = 0; Y < NewSize.height(); ++Y) {
        for (int X = 0; X < NewSize.width(); ++X) {
            const QPoint From = Source(X, Y);
            Turned.Cells[Turned.Index(X, Y)] = Cells[Index(From.x(), From.y())];
        }
    }
    return Turned;
}

TPastePattern TPastePattern::FlippedHorizontally() const {
    const int W = Extent.width();
    return Mapped(Extent, [W](int X, int Y) { return QPoint(W - 1 - X, Y); });
}

TPastePattern TPastePattern::FlippedVertically() const {
    const int H = Extent.height();
    return Mapped(Extent, [H](int X, int Y) { return QPoint(X, H - 1 - Y); });
}

// Anticlockwise on the screen, as the world turns: the top-left corner goes to the
// bottom-left.
TPastePattern TPastePattern::RotatedLeft() const {
    const int W = Extent.width();
    return Mapped(Extent.transposed(), [W](int X, int Y) { return QPoint(W - 1 - Y, X); });
}

TPastePattern TPastePattern::RotatedRight() const {
    const int H = Extent.height();
    return Mapped(Extent.transposed(), [H](int X, int Y) { return QPoint(Y, H - 1 - X); });
}

TPastePattern TPastePattern::Rotated180() const {
    const int W = Extent.width();
    const int H = Extent.height();
    return Mapped(Extent, [W, H](int X, int Y) { return QPoint(W - 1 - X, H - 1 - Y); });
}

QImage TPastePattern::Image(QRgb Colour) const {
    QImage Picture(Extent, QImage::Format_ARGB32_Premultiplied);
    Picture.fill(Qt::transparent);
    for (int Y = 0; Y < Extent.height(); ++Y) {
        auto* Row = reinterpret_cast<QRgb*>(Picture.scanLine(Y));
        for (int X = 0; X < Extent.width(); ++X) {
            if (Live(X, Y))
                Row[X] = Colour;
        }
    }
    return Picture;
}

void TFloatingPaste::PlaceInto(TLifeEngine& World) const {
    const QSize Size = Floating.Size();
    const int Left = std::max(0, -At.x());
    const int Top = std::max(0, -At.y());
    const int Right = std::min(Size.width(), World.HorCells() - At.x());
    const int Bottom = std::min(Size.height(), World.VertCells() - At.y());
    for (int Y = Top; Y < Bottom; ++Y) {
        for (int X = Left; X < Right; ++X) {
            if (Floating.Live(X, Y))
                World.SetCell(At.x() + X, At.y() + Y, 1);
        }
    }
}
