// The bounding box of the live cells.

#include "engine/livebounds.h"

#include <bit>
#include <vector>

// The rows are ORed into one, whose first and last set bits are the left and right edges.
QRect LiveBounds(const TLifeEngine& World) {
    const int Words = World.UsedWords();
    std::vector<TLifeEngine::TWord> Columns(std::size_t(Words), 0);
    int Top = -1;
    int Bottom = -1;
    for (int Y = 0; Y < World.VertCells(); ++Y) {
        const TLifeEngine::TWord* Row = World.StateWords(Y);
        TLifeEngine::TWord Any = 0;
        for (int W = 0; W < Words; ++W) {
            Columns[std::size_t(W)] |= Row[W];
            Any |= Row[W];
        }
        if (Any == 0)
            continue;
        if (Top < 0)
            Top = Y;
        Bottom = Y;
    }
    if (Top < 0)
        return {};
    int Left = -1;
    int Right = -1;
    for (int W = 0; W < Words; ++W) {
        const TLifeEngine::TWord Bits = Columns[std::size_t(W)];
        if (Bits == 0)
            continue;
        if (Left < 0)
            Left = W * TLifeEngine::WordBits + std::countr_zero(Bits);
        Right = W * TLifeEngine::WordBits + TLifeEngine::WordBits - 1 - std::countl_zero(Bits);
    }
    return QRect(QPoint(Left, Top), QPoint(Right, Bottom));
}
