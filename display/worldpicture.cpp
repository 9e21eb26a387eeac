// The picture of the world drawn from the engine's cells, a word of 64 cells at a time.

#include "display/worldpicture.h"

#include <algorithm>
#include <cstring>
#include <string>

TWorldPicture::TWorldPicture(QRgb LiveColour, QRgb DeadColour)
    : LiveRgb(LiveColour | 0xff000000u), DeadRgb(DeadColour | 0xff000000u) {}

bool TWorldPicture::Reset(int NewHorCells, int NewVertCells, int NewHorCellSize,
                          int NewVertCellSize) {
    Q_ASSERT(NewHorCellSize >= 1 && NewHorCellSize <= 2 && NewVertCellSize >= 1 &&
             NewVertCellSize <= 2);
    // The old picture goes first, so the largest world never holds two.
    Pixels = QImage();
    Pixels = QImage(NewHorCells * NewHorCellSize, NewVertCells * NewVertCellSize, Format);
    if (Pixels.isNull()) {
        HorCells = VertCells = 0;
        return false;
    }
    HorCells = NewHorCells;
    VertCells = NewVertCells;
    HorCellSize = NewHorCellSize;
    VertCellSize = NewVertCellSize;
    Runs.resize(std::size_t(256) * 8 * std::size_t(HorCellSize));
    for (std::size_t Byte = 0; Byte < 256; ++Byte) {
        for (std::size_t Bit = 0; Bit < 8; ++Bit) {
            const QRgb Colour = (Byte >> Bit) & 1 ? LiveRgb : DeadRgb;
            std::fill_n(Runs.begin() + std::ptrdiff_t((Byte * 8 + Bit) * std::size_t(HorCellSize)),
                        HorCellSize, Colour);
        }
    }
    Clear();
    return true;
}

void TWorldPicture::Clear() {
    Pixels.fill(DeadRgb);
    Shown.assign(std::size_t(VertCells) * RowWords, 0);
}

// Eight cells at a time from the table of their pixels; for larger cells only where one of
// the eight changed, since a settled world changes a few cells of a word. A word without
// live cells, common in any world, is one fill.
template <int Hor>
void TWorldPicture::PaintWord(QRgb* Row, qsizetype NextRow, TWord Cells, TWord Changed,
                              int Count) const {
    if (Cells == 0) {
        std::fill_n(Row, Count * Hor, DeadRgb);
        if (NextRow != 0)
            std::fill_n(Row + NextRow, Count * Hor, DeadRgb);
        return;
    }
    int Bit = 0;
    for (; Bit + 8 <= Count; Bit += 8) {
        // One pixel a cell, the eight are cheaper to copy than to test.
        if ((Hor == 2 || NextRow != 0) && ((Changed >> Bit) & 0xff) == 0)
            continue;
        const QRgb* Pixels = Runs.data() + ((Cells >> Bit) & 0xff) * 8 * Hor;
        std::memcpy(Row + Bit * Hor, Pixels, 8 * Hor * sizeof(QRgb));
        if (NextRow != 0)
            std::memcpy(Row + NextRow + Bit * Hor, Pixels, 8 * Hor * sizeof(QRgb));
    }
    for (; Bit < Count; ++Bit) {
        const QRgb Colour = (Cells >> Bit) & 1 ? LiveRgb : DeadRgb;
        std::fill_n(Row + Bit * Hor, Hor, Colour);
        if (NextRow != 0)
            std::fill_n(Row + NextRow + Bit * Hor, Hor, Colour);
    }
}

QRect TWorldPicture::Follow(const TLifeEngine& Engine) {
    return HorCellSize == 1 ? FollowWith<1>(Engine) : FollowWith<2>(Engine);
}

template <int Hor> QRect TWorldPicture::FollowWith(const TLifeEngine& Engine) {
    if (Engine.HorCells() != HorCells || Engine.VertCells() != VertCells)
        throw TRangeError("A picture of " + std::to_string(HorCells) + " x " +
                          std::to_string(VertCells) + " cells cannot show a world of " +
                          std::to_string(Engine.HorCells()) + " x " +
                          std::to_string(Engine.VertCells()));
    const int Words = Engine.UsedWords();
    const qsizetype Stride = Pixels.bytesPerLine();
    uchar* const Bits = Pixels.bits();
    // Cells two pixels high paint the row below as well; RGB32 rows are whole pixels.
    const qsizetype NextRow = VertCellSize == 2 ? Stride / qsizetype(sizeof(QRgb)) : 0;
    int Top = VertCells, Bottom = -1, Left = Words, Right = -1;
    for (int Y = 0; Y < VertCells; ++Y) {
        const TWord* Cells = Engine.StateWords(Y);
        TWord* Showing = Shown.data() + std::size_t(Y) * RowWords;
        if (std::equal(Cells, Cells + Words, Showing))
            continue;
        auto* const PixelRow = reinterpret_cast<QRgb*>(Bits + qsizetype(Y) * VertCellSize * Stride);
        for (int W = 0; W < Words; ++W) {
            const TWord Changed = Cells[W] ^ Showing[W];
            if (Changed == 0)
                continue;
            Showing[W] = Cells[W];
            const int First = W * TLifeEngine::WordBits;
            PaintWord<Hor>(PixelRow + First * Hor, NextRow, Cells[W], Changed,
                           std::min(TLifeEngine::WordBits, HorCells - First));
            Left = std::min(Left, W);
            Right = std::max(Right, W);
            Top = std::min(Top, Y);
            Bottom = Y;
        }
    }
    if (Bottom < 0)
        return {};
    const int RightCell = std::min((Right + 1) * TLifeEngine::WordBits, HorCells);
    return QRect(QPoint(Left * TLifeEngine::WordBits * Hor, Top * VertCellSize),
                 QPoint(RightCell * Hor - 1, (Bottom + 1) * VertCellSize - 1));
}

QRect TWorldPicture::Redraw(const TLifeEngine& Engine) {
    Clear();
    Follow(Engine);
    return Rect();
}

QRect TWorldPicture::PaintCell(int X, int Y, bool Live) {
    if (X < 0 || X >= HorCells || Y < 0 || Y >= VertCells)
        throw TRangeError("Picture cell [" + std::to_string(X) + ", " + std::to_string(Y) +
                          "] outside the world");
    TWord& Word = Shown[std::size_t(Y) * RowWords + std::size_t(X / TLifeEngine::WordBits)];
    const TWord Mask = TWord(1) << (X % TLifeEngine::WordBits);
    Word = Live ? Word | Mask : Word & ~Mask;
    const QRect Block(X * HorCellSize, Y * VertCellSize, HorCellSize, VertCellSize);
    const QRgb Colour = Live ? LiveRgb : DeadRgb;
    for (int Row = Block.top(); Row <= Block.bottom(); ++Row)
        std::fill_n(reinterpret_cast<QRgb*>(Pixels.scanLine(Row)) + Block.left(), HorCellSize,
                    Colour);
    return Block;
}
