// The Life engine: one bit per cell, 64 cells to a word, and a step that counts the
// neighbours of a whole word at once with adder logic.

#include "engine/lifeengine.h"
#include "engine/livecount.h"

#include "engine/stepkernel.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

using TStep = bool (*)(const TStepPlan&);

TStep StepOf(TLifeEngine::TStepPath Path) {
#if defined(GOL_WITH_AVX2)
    if (Path == TLifeEngine::TStepPath::Avx2)
        return StepAvx2;
#endif
    return Path == TLifeEngine::TStepPath::Plain ? StepPlain : nullptr;
}

bool Supported(TLifeEngine::TStepPath Path) {
    if (Path == TLifeEngine::TStepPath::Plain)
        return true;
#if defined(GOL_WITH_AVX2)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

TLifeEngine::TStepPath& ChosenPath() {
    static TLifeEngine::TStepPath Path = TLifeEngine::StepPaths().back();
    return Path;
}

TStep& ChosenStep() {
    static TStep Step = StepOf(ChosenPath());
    return Step;
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
    StepChanged.reset();
    for (TPlane& Plane : Planes)
        Plane.fill(0);
}

void TLifeEngine::SetSize(int HorCells, int VertCells) {
    if (HorCells < 1 || HorCells > MaxHorCells || VertCells < 1 || VertCells > MaxVertCells)
        throw TRangeError("World size " + std::to_string(HorCells) + " x " +
                          std::to_string(VertCells) + " out of range");
    Width = HorCells;
    Height = VertCells;
    StepChanged.reset();
    MakeConnections(false);
}

void TLifeEngine::MakeConnections(bool EdgesOnly) {
    WrapsHorizontally = Wrap == wmHorizontal || Wrap == wmBoth;
    WrapsVertically = Wrap == wmVertical || Wrap == wmBoth;
    if (!EdgesOnly) {
        UsedWordCount = (Width + WordBits - 1) / WordBits;
        LastWordMask = Width % WordBits == 0 ? ~TWord(0) : MaskOf(Width) - 1;
        ColumnMasks.fill(0);
        std::fill_n(ColumnMasks.begin() + 1, UsedWordCount - 1, ~TWord(0));
        ColumnMasks[std::size_t(UsedWordCount)] = LastWordMask;
        for (int Y = 0; Y < Height; ++Y)
            RowLinks[std::size_t(Y) + 1] = Y;
    }
    RowLinks[0] = WrapsVertically ? Height - 1 : DeadRow;
    RowLinks[std::size_t(Height) + 1] = WrapsVertically ? 0 : DeadRow;
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
    StepChanged.reset();
    SetBit(Current(), X, Y, Value == 1);
}

void TLifeEngine::SetCell(int X, int Y, qint32 Value) {
    CheckInUse(X, Y);
    StepChanged.reset();
    SetBit(Current(), X, Y, Value == 1);
    SetBit(Previous(), X, Y, Value == 1);
}

void TLifeEngine::KillAllCells() {
    StepChanged.reset();
    for (TPlane& Plane : Planes) {
        for (int Y = 0; Y < Height; ++Y)
            std::fill_n(Row(Plane, Y) + 1, UsedWordCount, TWord(0));
    }
}

void TLifeEngine::BackupGeneration() {
    StepChanged.reset();
    for (int Y = 0; Y < Height; ++Y)
        std::copy_n(Row(Current(), Y) + 1, UsedWordCount, Row(Previous(), Y) + 1);
}

void TLifeEngine::KillCellsOutside() {
    StepChanged.reset();
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

// The frame cells left of column 0 and right of the last column, on the snapshot, where the
// edges wrap. The rows above and below the world are the opposite edge's rows, which carry
// their frame cells along: the corners are the opposite corners under wmBoth and dead
// otherwise. Outside a step the frame cells are dead.
void TLifeEngine::FillFrame(TPlane& Snapshot) const {
    if (!WrapsHorizontally)
        return;
    const int LastWord = WordOf(Width - 1);
    const TWord LastMask = MaskOf(Width - 1);
    const int BeyondWord = WordOf(Width);
    const TWord BeyondMask = MaskOf(Width);
    for (int Y = 0; Y < Height; ++Y) {
        TWord* Cells = Row(Snapshot, Y);
        Cells[0] = (Cells[LastWord] & LastMask) != 0 ? TWord(1) << 63 : 0;
        Cells[BeyondWord] |= (Cells[1] & 1) != 0 ? BeyondMask : 0;
    }
}

// The frame cell right of the last column lies in the capacity unless the world is at its
// widest; it must be dead again once the step has read it.
void TLifeEngine::ClearFrame(TPlane& Snapshot) const {
    if (!WrapsHorizontally)
        return;
    const int BeyondWord = WordOf(Width);
    const TWord BeyondMask = MaskOf(Width);
    for (int Y = 0; Y < Height; ++Y) {
        TWord* Cells = Row(Snapshot, Y);
        Cells[0] = 0;
        Cells[BeyondWord] &= ~BeyondMask;
    }
}

bool TLifeEngine::Changed() const {
    if (StepChanged)
        return *StepChanged;
    for (int Y = 0; Y < Height; ++Y) {
        const TWord* Now = Row(Current(), Y);
        const TWord* Before = Row(Previous(), Y);
        if (!std::equal(Now + 1, Now + 1 + UsedWordCount, Before + 1))
            return true;
    }
    return false;
}

int TLifeEngine::LiveCells() const {
    return CountLiveCells(*this);
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
    StepChanged.reset();
    Row(Current(), Y)[W] ^= W == UsedWordCount ? Bits & LastWordMask : Bits;
}

void TLifeEngine::CalcNextGeneration() {
    CurrentPlane = 1 - CurrentPlane;
    TPlane& Snapshot = Previous();
    FillFrame(Snapshot);
    StepChanged = ChosenStep()({Snapshot.data(), Current().data(), RowWords, RowLinks.data(),
                                Height, UsedWordCount, ColumnMasks.data()});
    ClearFrame(Snapshot);
    // Stops at its largest value rather than overflowing; at one step a millisecond that is
    // more than three weeks of running.
    if (GenerationCount < std::numeric_limits<qint32>::max())
        ++GenerationCount;
}

std::vector<TLifeEngine::TStepPath> TLifeEngine::StepPaths() {
    std::vector<TStepPath> Paths;
    for (const TStepPath Path : {TStepPath::Plain, TStepPath::Avx2}) {
        if (Supported(Path))
            Paths.push_back(Path);
    }
    return Paths;
}

const char* TLifeEngine::StepPathName(TStepPath Path) {
    return Path == TStepPath::Avx2 ? "avx2" : "plain";
}

TLifeEngine::TStepPath TLifeEngine::StepPath() {
    return ChosenPath();
}

void TLifeEngine::SetStepPath(TStepPath Path) {
    if (!Supported(Path))
        throw std::invalid_argument(std::string("No step path ") + StepPathName(Path) + " here");
    ChosenPath() = Path;
    ChosenStep() = StepOf(Path);
}
