// The Life engine: one bit per cell, 64 cells to a word, and a step that counts the
// neighbours of a whole word at once with adder logic.

#include "engine/lifeengine.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

using TWord = std::uint64_t;

// The live cells among each cell and its left and right neighbours, as a two-bit number per
// bit position: Low is its ones, High its twos. Bit B of word W is column 64 (W - 1) + B, so
// a left shift brings every cell's left neighbour to it and a right shift its right one;
// the bits that cross a word come from the words beside it, the frame words at the ends.
inline void AddRow(const TWord* Row, int Words, TWord* Low, TWord* High) {
    for (int W = 1; W <= Words; ++W) {
        const TWord Centre = Row[W];
        const TWord Left = (Centre << 1) | (Row[W - 1] >> 63);
        const TWord Right = (Centre >> 1) | (Row[W + 1] << 63);
        const TWord Sides = Left ^ Right;
        Low[W] = Sides ^ Centre;
        High[W] = (Left & Right) | (Sides & Centre);
    }
}

// Adds the three row sums of the 3 x 3 block around each cell, 0..9 with the cell itself,
// and applies the rules: a sum of 3 gives life whatever the cell was, 4 keeps a live cell
// alive (three neighbours) and a dead one dead (four), anything else is death.
inline void NextRow(const TWord* AboveLow, const TWord* AboveHigh, const TWord* MidLow,
                    const TWord* MidHigh, const TWord* BelowLow, const TWord* BelowHigh,
                    const TWord* Alive, TWord* Next, int Words) {
    for (int W = 1; W <= Words; ++W) {
        // Ones: the parity of the three low bits; their carry weighs two like the high bits.
        const TWord LowSides = AboveLow[W] ^ BelowLow[W];
        const TWord Ones = LowSides ^ MidLow[W];
        const TWord Carry = (AboveLow[W] & BelowLow[W]) | (LowSides & MidLow[W]);
        // Twos: Carry plus the three high bits, counted as Parity + 2 Pairs + Carry.
        const TWord HighSides = AboveHigh[W] ^ BelowHigh[W];
        const TWord Parity = HighSides ^ MidHigh[W];
        const TWord Pairs = (AboveHigh[W] & BelowHigh[W]) | (HighSides & MidHigh[W]);
        const TWord TwosIsOne = (Parity ^ Carry) & ~Pairs;
        const TWord TwosIsTwo = (Pairs & ~(Parity | Carry)) | (~Pairs & Parity & Carry);
        Next[W] = (Ones & TwosIsOne) | (~Ones & TwosIsTwo & Alive[W]);
    }
}

} // namespace

TLifeEngine::TLifeEngine() {
    MakeConnections(false);
}

void TLifeEngine::CheckCell(int X, int Y) {
    if (X < 0 || X >= MaxHorCells || Y < 0 || Y >= MaxVertCells)
        throw TRangeError("World[" + std::to_string(X) + ", " + std::to_string(Y) +
                          "] out of range");
}

qint32 TLifeEngine::Bit(const TPlane& Plane, int X, int Y) {
    CheckCell(X, Y);
    return qint32((Row(Plane, Y)[WordOf(X)] & MaskOf(X)) != 0);
}

void TLifeEngine::SetBit(TPlane& Plane, int X, int Y, bool Alive) {
    TWord& Word = Row(Plane, Y)[WordOf(X)];
    Word = Alive ? Word | MaskOf(X) : Word & ~MaskOf(X);
}

void TLifeEngine::InitLife() {
    for (TPlane& Plane : Planes)
        Plane.fill(0);
}

void TLifeEngine::SetSize(int HorCells, int VertCells) {
    if (HorCells < 1 || HorCells > MaxHorCells || VertCells < 1 || VertCells > MaxVertCells)
        throw TRangeError("World size " + std::to_string(HorCells) + " x " +
                          std::to_string(VertCells) + " out of range");
    Width = HorCells;
    Height = VertCells;
    MakeConnections(false);
}

void TLifeEngine::MakeConnections(bool EdgesOnly) {
    if (!EdgesOnly) {
        UsedWordCount = (Width + WordBits - 1) / WordBits;
        LastWordMask = Width % WordBits == 0 ? ~TWord(0) : MaskOf(Width) - 1;
        RowLinks[0] = TopFrameRow;
        for (int Y = 0; Y < Height; ++Y)
            RowLinks[std::size_t(Y) + 1] = Y;
        RowLinks[std::size_t(Height) + 1] = BottomFrameRow;
    }
    WrapsHorizontally = Wrap == wmHorizontal || Wrap == wmBoth;
    WrapsVertically = Wrap == wmVertical || Wrap == wmBoth;
}

void TLifeEngine::SetWrapping(qint32 Value) {
    if (Value == Wrap || static_cast<quint32>(Value) > wmBoth)
        return;
    Wrap = Value;
    MakeConnections(true);
}

// Outside cells are dead by construction: writing one is a programming error.
void TLifeEngine::CheckInUse(int X, int Y) const {
    CheckCell(X, Y);
    if (X >= Width || Y >= Height)
        throw TRangeError("World[" + std::to_string(X) + ", " + std::to_string(Y) +
                          "] outside the world in use");
}

void TLifeEngine::SetState(int X, int Y, qint32 Value) {
    CheckInUse(X, Y);
    SetBit(Current(), X, Y, Value == 1);
}

void TLifeEngine::SetCell(int X, int Y, qint32 Value) {
    CheckInUse(X, Y);
    SetBit(Current(), X, Y, Value == 1);
    SetBit(Previous(), X, Y, Value == 1);
}

void TLifeEngine::KillAllCells() {
    for (TPlane& Plane : Planes) {
        for (int Y = 0; Y < Height; ++Y)
            std::fill_n(Row(Plane, Y) + 1, UsedWordCount, TWord(0));
    }
}

void TLifeEngine::BackupGeneration() {
    for (int Y = 0; Y < Height; ++Y)
        std::copy_n(Row(Current(), Y) + 1, UsedWordCount, Row(Previous(), Y) + 1);
}

void TLifeEngine::KillCellsOutside() {
    for (TPlane& Plane : Planes) {
        for (int Y = 0; Y < MaxVertCells; ++Y) {
            TWord* Cells = Row(Plane, Y);
            if (Y >= Height) {
                std::fill_n(Cells + 1, CellWords, TWord(0));
                continue;
            }
            Cells[UsedWordCount] &= LastWordMask;
            std::fill(Cells + UsedWordCount + 1, Cells + CellWords + 1, TWord(0));
        }
    }
}

int TLifeEngine::Neighbours(int X, int Y) const {
    CheckCell(X, Y);
    if (X >= Width || Y >= Height)
        throw TRangeError("Neighbours of World[" + std::to_string(X) + ", " + std::to_string(Y) +
                          "] outside the world in use");
    int Count = 0;
    for (int Dy = -1; Dy <= 1; ++Dy) {
        for (int Dx = -1; Dx <= 1; ++Dx) {
            if (Dx == 0 && Dy == 0)
                continue;
            int Nx = X + Dx;
            int Ny = Y + Dy;
            if (Nx == -1 || Nx == Width) {
                if (!WrapsHorizontally)
                    continue;
                Nx = Nx == -1 ? Width - 1 : 0;
            }
            if (Ny == -1 || Ny == Height) {
                if (!WrapsVertically)
                    continue;
                Ny = Ny == -1 ? Height - 1 : 0;
            }
            Count += PrevState(Nx, Ny);
        }
    }
    return Count;
}

// The frame: the cells just outside the world, on the snapshot. Left of column 0 and right
// of the last column come first, so that the rows copied above and below carry their
// corners along: the corners are then the opposite corners under wmBoth and dead otherwise.
void TLifeEngine::FillFrame(TPlane& Snapshot) const {
    const int LastWord = WordOf(Width - 1);
    const TWord LastMask = MaskOf(Width - 1);
    const int BeyondWord = WordOf(Width);
    const TWord BeyondMask = MaskOf(Width);
    for (int Y = 0; Y < Height; ++Y) {
        TWord* Cells = Row(Snapshot, Y);
        if (WrapsHorizontally) {
            Cells[0] = (Cells[LastWord] & LastMask) != 0 ? TWord(1) << 63 : 0;
            Cells[BeyondWord] |= (Cells[1] & 1) != 0 ? BeyondMask : 0;
        } else {
            Cells[0] = 0;
        }
    }
    TWord* Top = Row(Snapshot, TopFrameRow);
    TWord* Bottom = Row(Snapshot, BottomFrameRow);
    if (WrapsVertically) {
        std::copy_n(Row(Snapshot, Height - 1), RowWords, Top);
        std::copy_n(Row(Snapshot, 0), RowWords, Bottom);
    } else {
        std::fill_n(Top, RowWords, TWord(0));
        std::fill_n(Bottom, RowWords, TWord(0));
    }
}

// The frame cell right of the last column lies in the capacity unless the world is at its
// widest; it must be dead again once the step has read it.
void TLifeEngine::ClearRightFrame(TPlane& Snapshot) const {
    const int BeyondWord = WordOf(Width);
    const TWord BeyondMask = MaskOf(Width);
    for (int Y = 0; Y < Height; ++Y)
        Row(Snapshot, Y)[BeyondWord] &= ~BeyondMask;
}

// Row sums are computed once per row and slide down: a row's sums serve the row above it,
// itself and the row below it. RowLinks gives the row below each row, the frame row at the
// bottom, so no row is tested for being the last.
void TLifeEngine::StepRows(const TPlane& Snapshot, TPlane& Next) const {
    std::array<std::array<TWord, RowWords>, 3> Low;
    std::array<std::array<TWord, RowWords>, 3> High;
    int Above = 0, Mid = 1, Below = 2;
    AddRow(Row(Snapshot, RowLinks[0]), UsedWordCount, Low[Above].data(), High[Above].data());
    AddRow(Row(Snapshot, RowLinks[1]), UsedWordCount, Low[Mid].data(), High[Mid].data());
    for (int Y = 0; Y < Height; ++Y) {
        AddRow(Row(Snapshot, RowLinks[std::size_t(Y) + 2]), UsedWordCount, Low[Below].data(),
               High[Below].data());
        TWord* Out = Row(Next, Y);
        NextRow(Low[Above].data(), High[Above].data(), Low[Mid].data(), High[Mid].data(),
                Low[Below].data(), High[Below].data(), Row(Snapshot, Y), Out, UsedWordCount);
        Out[UsedWordCount] &= LastWordMask;
        const int Used = Above;
        Above = Mid;
        Mid = Below;
        Below = Used;
    }
}

bool TLifeEngine::Changed() const {
    for (int Y = 0; Y < Height; ++Y) {
        const TWord* Now = Row(Current(), Y);
        const TWord* Before = Row(Previous(), Y);
        if (!std::equal(Now + 1, Now + 1 + UsedWordCount, Before + 1))
            return true;
    }
    return false;
}

int TLifeEngine::LiveCells() const {
    int Count = 0;
    for (int Y = 0; Y < Height; ++Y) {
        const TWord* Now = Row(Current(), Y) + 1;
        for (int W = 0; W < UsedWordCount; ++W)
            Count += std::popcount(Now[W]);
    }
    return Count;
}

const TLifeEngine::TWord* TLifeEngine::StateWords(int Y) const {
    CheckInUse(0, Y);
    return Row(Current(), Y) + 1;
}

void TLifeEngine::CopyStates(TWord* Out) const {
    for (int Y = 0; Y < MaxVertCells; ++Y)
        std::copy_n(Row(Current(), Y) + 1, CellWords, Out + std::size_t(Y) * CellWords);
}

void TLifeEngine::FlipStates(int Index, TWord Bits) {
    if (Index < 0 || Index >= CapacityWords)
        throw TRangeError("Word " + std::to_string(Index) + " out of range");
    const int Y = Index / CellWords;
    const int W = 1 + Index % CellWords;
    if (Y >= Height || W > UsedWordCount)
        return;
    Row(Current(), Y)[W] ^= W == UsedWordCount ? Bits & LastWordMask : Bits;
}

void TLifeEngine::CalcNextGeneration() {
    CurrentPlane = 1 - CurrentPlane;
    TPlane& Snapshot = Previous();
    FillFrame(Snapshot);
    StepRows(Snapshot, Current());
    ClearRightFrame(Snapshot);
    // Stops at its largest value rather than overflowing; at one step a millisecond that is
    // more than three weeks of running.
    if (GenerationCount < std::numeric_limits<qint32>::max())
        ++GenerationCount;
}
