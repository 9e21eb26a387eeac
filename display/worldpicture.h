#pragma once

// The picture of the part of the world a view shows, drawn from the engine's cells. It
// remembers the blocks it shows, so bringing it up to a later generation converts only the
// words of 64 blocks that differ, a whole word at a time into runs of pixels. Generations
// can come far faster than a screen shows them; the picture follows the engine only when it
// is to be seen. It never holds more than the view shows, whatever the zoom. It knows
// nothing of widgets or windows.

#include "display/worldview.h"
#include "engine/lifeengine.h"

#include <QImage>
#include <QRect>

#include <functional>
#include <vector>

class TWorldPicture {
public:
    // The picture's pixels are in the screen's own 32-bit format, so showing it is a copy.
    static constexpr QImage::Format Format = QImage::Format_RGB32;
    // Makes a picture of the given size, or a null image when there is no memory for it.
    using TAllocator = std::function<QImage(const QSize& Size)>;
    static QImage Allocate(const QSize& Size) { return QImage(Size, Format); }

    TWorldPicture(QRgb LiveColour, QRgb DeadColour, TAllocator Allocator = &Allocate);

    // A picture of what View shows, every block dead. False when there is no memory for
    // it; the picture is then empty.
    bool SetView(const TWorldView& View);
    const TWorldView& View() const { return Shows; }
    // Every block dead.
    void Clear();
    // Draws the engine's current cells where they differ from what the picture shows;
    // returns the pixels that changed. The engine's world must have the view's size.
    QRect Follow(const TLifeEngine& Engine);
    // Draws every block anew from the engine, whatever the picture showed.
    QRect Redraw(const TLifeEngine& Engine);
    // Paints the block of cell (X, Y), an in-use cell, at one pixel a cell or more; returns
    // its pixels within the picture, empty when it is not seen.
    QRect PaintCell(int X, int Y, bool Live);

    const QImage& Image() const { return Pixels; }
    QRect Rect() const { return Pixels.rect(); }

private:
    using TWord = TLifeEngine::TWord;
    static constexpr int RowWords = TLifeEngine::MaxHorCells / TLifeEngine::WordBits;

    // The blocks of block row Y as words, bit B of word W block 64 W + B: the engine's own
    // row at one pixel a cell or more, else the rows of the block ORed and squeezed.
    const TWord* BlockWords(const TLifeEngine& Engine, int Y);
    // Paints the blocks of Word (blocks First ..) whose bit in Changed is set, and those
    // only, into the picture row Row; returns the leftmost and rightmost pixel touched.
    std::pair<int, int> PaintWord(QRgb* Row, int First, TWord Blocks, TWord Changed) const;
    // Copies Count pixels to Row from picture column Left on, clipped to the picture.
    void Put(QRgb* Row, int Left, const QRgb* From, int Count) const;
    void Fill(QRgb* Row, int Left, int Count, QRgb Colour) const;

    const QRgb LiveRgb;
    const QRgb DeadRgb;
    TAllocator Allocator;
    TWorldView Shows;
    QImage Pixels;
    std::vector<TWord> Shown;    // the blocks the picture shows, rows of RowWords words
    std::vector<QRgb> Runs;      // the pixels of each byte of blocks, 8 blocks one or two wide
    std::vector<TWord> Squeezed; // BlockWords' room below one pixel a cell
};
