// The population graph, drawn with QPainter from the minimum and maximum of each column.

#include "display/populationwindow.h"
#include "app/placement.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr QSize StartSize(480, 300);
constexpr int Gap = 6; // between the plot, its labels and the window's edge

} // namespace

QPoint PopulationWindowPosition(const QRect& Available, const QRect& MainFrame,
                                const QSize& Frame) {
    QPoint Place(MainFrame.right() + 1, MainFrame.top());
    if (Place.x() + Frame.width() > Available.right() + 1)
        Place.setX(MainFrame.left() - Frame.width());
    if (Place.x() < Available.left())
        Place.setX(Available.right() + 1 - Frame.width());
    Place.setY(std::min(Place.y(), Available.bottom() + 1 - Frame.height()));
    return {std::max(Place.x(), Available.left()), std::max(Place.y(), Available.top())};
}

qint32 AxisTop(qint32 Max) {
    for (qint64 Power = 1;; Power *= 10) {
        for (const qint64 Step : {1, 2, 5}) {
            if (Step * Power >= Max)
                return qint32(Step * Power);
        }
    }
}

TPopulationWindow::TPopulationWindow(const TPopulationSeries& Series, const QWidget& Beside)
    : Series(Series), Beside(Beside) {
    setObjectName(QStringLiteral("PopulationWindow"));
    setWindowTitle(QStringLiteral("Populatie"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(StartSize / 2);
    resize(StartSize);
}

TPopulationWindow::TStamp TPopulationWindow::StampNow() const {
    return {Series.FirstGeneration(), Series.Count(), Series.Last()};
}

void TPopulationWindow::Follow() {
    if (isVisible() && Painted != StampNow())
        update();
}

void TPopulationWindow::showEvent(QShowEvent* Event) {
    QWidget::showEvent(Event);
    if (!Event->spontaneous()) {
        PlaceWindow(*this, [this](const QSize& Frame) {
            return LastPlace.value_or(
                PopulationWindowPosition(AvailableOf(Beside), Beside.frameGeometry(), Frame));
        });
    }
    emit VisibleChanged(true);
}

void TPopulationWindow::hideEvent(QHideEvent* Event) {
    QWidget::hideEvent(Event);
    if (!Event->spontaneous())
        LastPlace = frameGeometry().topLeft();
    emit VisibleChanged(false);
}

QRect TPopulationWindow::PlotArea() const {
    const QFontMetrics Metrics(font());
    const int Left = Metrics.horizontalAdvance(QString::number(AxisTop(1'310'720))) + 2 * Gap;
    const int Line = Metrics.height();
    return rect().adjusted(Left, Line + 2 * Gap, -2 * Gap, -(2 * Line + 2 * Gap));
}

void TPopulationWindow::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    Painter.fillRect(rect(), palette().color(QPalette::Base));
    const QRect Plot = PlotArea();
    const qint32 Top = AxisTop(Series.Range(0, Series.Count()).Max);
    if (Plot.width() > 1 && Plot.height() > 1) {
        DrawSeries(Painter, Plot, Top);
        DrawAxes(Painter, Plot, Top);
    }
    Painted = StampNow();
}

void TPopulationWindow::DrawAxes(QPainter& Painter, const QRect& Plot, qint32 Top) const {
    const QFontMetrics Metrics(font());
    Painter.setPen(palette().color(QPalette::Text));
    Painter.drawLine(Plot.bottomLeft(), Plot.bottomRight());
    Painter.drawLine(Plot.bottomLeft(), Plot.topLeft());
    const int Line = Metrics.height();
    for (const qint32 Value : {0, Top / 2, Top}) {
        const int Y = Plot.bottom() - int(qint64(Value) * (Plot.height() - 1) / Top);
        Painter.drawLine(Plot.left() - Gap / 2, Y, Plot.left(), Y);
        const QRect Label(0, Y - Line / 2, Plot.left() - Gap, Line);
        Painter.drawText(Label, Qt::AlignRight | Qt::AlignVCenter, QString::number(Value));
    }
    Painter.drawText(QRect(Gap, Gap, width(), Line), Qt::AlignLeft, QStringLiteral("Levend"));
    const QRect Under(Plot.left(), Plot.bottom() + Gap / 2, Plot.width(), Line);
    Painter.drawText(Under, Qt::AlignLeft, QString::number(Series.FirstGeneration()));
    Painter.drawText(Under, Qt::AlignRight, QString::number(Series.LastGeneration()));
    Painter.drawText(Under.translated(0, Line), Qt::AlignHCenter, QStringLiteral("Generatie"));
}

// Fewer generations than columns: a line through each of them. More: each column spans the
// smallest to the largest count it covers, and reaches to the column before it, so the line
// stays whole where the count jumps.
void TPopulationWindow::DrawSeries(QPainter& Painter, const QRect& Plot, qint32 Top) const {
    const auto YOf = [&Plot, Top](qint32 Live) {
        return Plot.bottom() - int(qint64(Live) * (Plot.height() - 1) / Top);
    };
    Painter.setPen(QColor(0, 0, 160));
    const qsizetype Count = Series.Count();
    const int Columns = Plot.width();
    if (Count <= Columns) {
        QPoint Before(Plot.left(), YOf(Series.At(0)));
        Painter.drawPoint(Before);
        for (qsizetype I = 1; I < Count; ++I) {
            const QPoint Next(Plot.left() + int(I * (Columns - 1) / (Count - 1)),
                              YOf(Series.At(I)));
            Painter.drawLine(Before, Next);
            Before = Next;
        }
        return;
    }
    std::optional<TPopulationSeries::TRange> Before;
    for (int Column = 0; Column < Columns; ++Column) {
        const TPopulationSeries::TRange Own =
            Series.Range(Column * Count / Columns, (Column + 1) * Count / Columns);
        TPopulationSeries::TRange Span = Own;
        if (Before) {
            Span.Min = std::min(Span.Min, Before->Max);
            Span.Max = std::max(Span.Max, Before->Min);
        }
        Before = Own;
        Painter.drawLine(Plot.left() + Column, YOf(Span.Min), Plot.left() + Column, YOf(Span.Max));
    }
}
