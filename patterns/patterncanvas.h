#pragma once

// The rows every shared format's reader ends with: live runs drawn relative to the
// top-left live cell, cut at the largest world's size.

#include <QStringList>
#include <QtGlobal>

class TPatternCanvas {
public:
    // (Left, Top) is the corner of the live cells' bounding box: no run lies left of or
    // above it.
    TPatternCanvas(qint64 Left, qint64 Top) : Left(Left), Top(Top) {}

    // Length live cells from (X, Y) rightwards; what lies beyond the largest world is
    // dropped.
    void Draw(qint64 X, qint64 Y, qint64 Length);

    // Rows of "O" and "." up to the last row and the rightmost column with a live cell.
    QStringList Rows() const;

private:
    qint64 Left;
    qint64 Top;
    QStringList Grid; // rows up to the last one with a live cell
    int Width = 0;    // up to the rightmost live cell
};
