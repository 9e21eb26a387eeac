#pragma once

// Paste as a mode: the pattern from the clipboard floats over the world with its top-left
// cell under the pointer, can be mirrored and rotated there, and becomes part of the world
// only when it is placed. Nothing here knows of widgets or the window.

#include "engine/lifeengine.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <utility>
#include <vector>

// A pattern as a value: its size and which of its cells live.
class TPastePattern {
public:
    // Rows top row first, a live character a live cell (as the pattern files have them) and
    // any other a dead one; the longest row sets the width.
    explicit TPastePattern(const QStringList& Rows);

    QSize Size() const { return Extent; }
    bool Live(int X, int Y) const { return Cells[Index(X, Y)] != 0; }

    // The turns the world has, on the pattern alone: a rotation turns it whole, so a
    // W x H pattern becomes H x W.
    TPastePattern FlippedHorizontally() const;
    TPastePattern FlippedVertically() const;
    TPastePattern RotatedLeft() const;
    TPastePattern RotatedRight() const;
    TPastePattern Rotated180() const;

    // A pixel a cell: Colour, an opaque one, where the cell lives; transparent elsewhere.
    QImage Image(QRgb Colour) const;

private:
    explicit TPastePattern(const QSize& Size)
        : Extent(Size), Cells(size_t(Size.width() * Size.height())) {}
    size_t Index(int X, int Y) const { return size_t(Y) * size_t(Extent.width()) + size_t(X); }
    // A pattern of NewSize whose cell (X, Y) is this one's cell Source(X, Y).
    template <typename TSource> TPastePattern Mapped(const QSize& NewSize, TSource Source) const;

    QSize Extent;
    std::vector<quint8> Cells; // row after row, 1 live
};

// The floating pattern and the cell its top-left corner lies on.
class TFloatingPaste {
public:
    TFloatingPaste(TPastePattern Pattern, const QPoint& Corner)
        : Floating(std::move(Pattern)), At(Corner) {}

    const TPastePattern& Pattern() const { return Floating; }
    QPoint Corner() const { return At; }
    void MoveTo(const QPoint& Corner) { At = Corner; }

    void FlipHorizontal() { Floating = Floating.FlippedHorizontally(); }
    void FlipVertical() { Floating = Floating.FlippedVertically(); }
    void RotateLeft() { Floating = Floating.RotatedLeft(); }
    void RotateRight() { Floating = Floating.RotatedRight(); }
    void Rotate180() { Floating = Floating.Rotated180(); }

    // Makes the pattern's live cells alive in World (State and PrevState, as an edit); the
    // other cells stay as they are, and what lies beyond the world's edges is cut off.
    void PlaceInto(TLifeEngine& World) const;

private:
    TPastePattern Floating;
    QPoint At;
};
