#pragma once

// The picture of the world, drawn from the engine's cells. It remembers the cells it shows,
// so bringing it up to a later generation converts only the words of 64 cells that differ,
// a whole word at a time into runs of pixels. Generations can come far faster than a screen
// shows them; the picture follows the engine only when it is to be seen. It knows nothing
// of widgets or windows.

#include "engine/lifeengine.h"

#include <QImage>
#include <QRect>

#include <vector>

class TWorldPicture {
public:
    // The picture's pixels are in the screen's own 32-bit format, so showing it is a copy.
    static constexpr QImage::Format Format = QImage::Format_RGB32;

    TWorldPicture(QRgb LiveColour, QRgb DeadColour);

    // A picture of HorCells x VertCells cells (1..1280 x 1..1024) of HorCellSize x
    // VertCellSize pixels (1 or 2 each), every cell dead. False when there is no memory for
    // it; the picture is then empty.
    bool Reset(int HorCells, int VertCells, int HorCellSize, int VertCellSize);
    // Every cell dead.
    void Clear();
    // Draws the engine's current cells where they differ from what the picture shows;
    // returns the pixels that changed. The engine's world must have the picture's size.
    QRect Follow(const TLifeEngine& Engine);
    // Draws every cell anew from the engine, whatever the picture showed.
    QRect Redraw(const TLifeEngine& Engine);
    // Paints the block of cell (X, Y), an in-use cell; returns its pixels.
    QRect PaintCell(int X, int Y, bool Live);

    const QImage& Image() const { return Pixels; }
    QRect Rect() const { return Pixels.rect(); }

private:
    using TWord = TLifeEngine::TWord;
    static constexpr int RowWords = TLifeEngine::MaxHorCells / TLifeEngine::WordBits;

    template <int Hor> QRect FollowWith(const TLifeEngine& Engine);
    // Paints Count (1..64) cells of Cells, from bit 0 on, into Row, where Changed has a bit
    // set; NextRow, when not 0, is the offset of the row below in pixels, painted alike.
    template <int Hor>
    void PaintWord(QRgb* Row, qsizetype NextRow, TWord Cells, TWord Changed, int Count) const;

    const QRgb LiveRgb;
    const QRgb DeadRgb;
    QImage Pixels;
    int HorCells = 0;
    int VertCells = 0;
    int HorCellSize = 1;
    int VertCellSize = 1;
    std::vector<TWord> Shown; // the cells the picture shows, rows of RowWords words
    std::vector<QRgb> Runs;   // the pixels of each byte of cells, 8 cells of HorCellSize
};
