// The rows of a shared format, drawn run by run.

#include "patterns/patterncanvas.h"

#include "patterns/patternformats.h"

#include <algorithm>

void TPatternCanvas::Draw(qint64 X, qint64 Y, qint64 Length) {
    // Both lie at or beyond the corner; unsigned, their distances cannot overflow.
    const quint64 Row = quint64(Y) - quint64(Top);
    const quint64 Column = quint64(X) - quint64(Left);
    if (Row >= quint64(PatternMaxRows) || Column >= quint64(PatternMaxColumns))
        return;
    const int First = int(Column);
    const int End = int(std::min(Column + quint64(Length), quint64(PatternMaxColumns)));
    while (Grid.size() <= qsizetype(Row))
        Grid << QString(PatternMaxColumns, QLatin1Char('.'));
    QString& Line = Grid[qsizetype(Row)];
    std::fill(Line.begin() + First, Line.begin() + End, QLatin1Char('O'));
    Width = std::max(Width, End);
}

QStringList TPatternCanvas::Rows() const {
    QStringList Trimmed = Grid;
    for (QString& Line : Trimmed)
        Line.truncate(Width);
    return Trimmed;
}
