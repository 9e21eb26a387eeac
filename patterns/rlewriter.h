#pragma once

// RLE, the format Life programs share patterns in, written from the engine's cells.

#include "engine/lifeengine.h"

#include <QByteArray>
#include <QRect>
#include <QString>

// The longest line RLE allows.
constexpr int RleLineLength = 70;

// The bounding box of World's live cells as RLE: a "#C" line with Comment, the header
// "x = W, y = H, rule = B3/S23", then the rows as runs of "b" (dead) and "o" (live) ended
// by "$", the whole ended by "!", in lines of at most RleLineLength characters. Empty when
// no cell lives.
QByteArray RleText(const TLifeEngine& World, const QString& Comment);
// The same for the cells of Area, in-use cells, with Area's size in the header. Empty when
// no cell of Area lives.
QByteArray RleText(const TLifeEngine& World, const QString& Comment, const QRect& Area);

// A pattern file in RLE: a "#N" line with Name, then the header and the rows as RleText
// writes them; a world without a live cell as a pattern of 0 x 0 cells.
QByteArray RleFileText(const TLifeEngine& World, const QString& Name);
