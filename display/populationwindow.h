#pragma once

// The population window: the live cells of each generation of a series as a line, with the
// generations along and the live cells up. However long the series, each pixel column shows
// the smallest and largest count of the generations it covers, so a drawing costs one pass
// over the columns. It stands beside the main window and reopens where it was.

#include "engine/populationseries.h"

#include <QPoint>
#include <QWidget>

#include <optional>

class QPainter;

// Where the window's frame goes at its first showing: to the right of the main window's
// frame MainFrame where it fits in the area Available, else to its left, else against
// Available's right edge; never above or left of Available.
QPoint PopulationWindowPosition(const QRect& Available, const QRect& MainFrame, const QSize& Frame);

// The top of the live cells axis: the smallest 1, 2 or 5 times a power of ten that is at
// least Max, and at least 1.
qint32 AxisTop(qint32 Max);

class TPopulationWindow : public QWidget {
    Q_OBJECT

public:
    // Draws Series, which must outlive the window; stands beside Beside.
    TPopulationWindow(const TPopulationSeries& Series, const QWidget& Beside);

    // Repaints when the series has changed since the last painting.
    void Follow();

signals:
    void VisibleChanged(bool Visible);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

private:
    struct TStamp {
        qint64 First;
        qsizetype Count;
        qint32 Last;
        bool operator==(const TStamp&) const = default;
    };
    TStamp StampNow() const;
    QRect PlotArea() const;
    void DrawAxes(QPainter& Painter, const QRect& Plot, qint32 Top) const;
    void DrawSeries(QPainter& Painter, const QRect& Plot, qint32 Top) const;

    const TPopulationSeries& Series;
    const QWidget& Beside;
    std::optional<QPoint> LastPlace; // the frame's top-left when it was last hidden
    std::optional<TStamp> Painted;
};
