#pragma once

// The Life engine: the cells of the whole world and of the previous generation, the
// generation counter, the in-use size, the wrap mode and the generation step. It knows
// nothing of windows or pictures.
//
// Contract:
// - The capacity is 1280 x 1024 cells, reserved once. Only the top-left HorCells() x
//   VertCells() cells are in use; every cell outside that rectangle is dead in both
//   generations, and nothing outside is ever counted or stepped.
// - Each cell has a State and a PrevState, 0 (dead) or 1 (alive). PrevState is the snapshot
//   a generation is computed from and the state the picture shows; the step, the snapshot
//   and the edits keep the two as the callers expect (see each operation).
// - The edges follow the wrap mode: where an edge wraps, the cell beyond it is the cell at
//   the opposite edge (the corners diagonally opposite under wmBoth); where it does not,
//   the cell beyond it is dead.
// - Every cell coordinate is checked against the capacity; a violation is a programming
//   error and throws TRangeError.
// - The step has several paths, one per instruction set, that compute the same generation;
//   the fastest the processor has is chosen once at start-up.

#include <QtGlobal>

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

enum TWrapMode : qint32 { wmNone = 0, wmHorizontal = 1, wmVertical = 2, wmBoth = 3 };

// Raised for an index outside the world's capacity: a programming error, never a user's.
class TRangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class TLifeEngine {
public:
    static constexpr int MaxHorCells = 1280;
    static constexpr int MaxVertCells = 1024;

    // An empty world of 320 x 240 cells, wmHorizontal, generation 0.
    TLifeEngine();

    // Every cell of the capacity dead in both generations; size, wrap mode and Generation
    // stay.
    void InitLife();
    // The in-use size, 1..1280 x 1..1024; cells keep their states. Relinks for the new size.
    void SetSize(int HorCells, int VertCells);
    // Derives what the step reads from the size (EdgesOnly false) and from the wrap mode: the
    // rows above and below every row, and the rule of the frame of cells around the world.
    void MakeConnections(bool EdgesOnly);
    // A new wrap mode; the current one, or a value outside 0..3, changes nothing.
    void SetWrapping(qint32 Value);

    int HorCells() const { return Width; }
    int VertCells() const { return Height; }
    qint32 Wrapping() const { return Wrap; }
    qint32 Generation() const { return GenerationCount; }
    void SetGeneration(qint32 Value) { GenerationCount = Value; }

    qint32 State(int X, int Y) const { return Bit(Current(), X, Y); }
    qint32 PrevState(int X, int Y) const { return Bit(Previous(), X, Y); }
    // Sets State alone (1 alive, anything else dead) of an in-use cell; a cell outside the
    // world in use throws TRangeError, since it is dead for good.
    void SetState(int X, int Y, qint32 Value);
    // Sets State and PrevState together, as an edit the picture already shows; in-use cells
    // only, as SetState.
    void SetCell(int X, int Y, qint32 Value);

    // State and PrevState of every in-use cell become 0.
    void KillAllCells();
    // PrevState := State for every in-use cell.
    void BackupGeneration();
    // Every cell of the capacity outside the in-use rectangle dead in both generations.
    void KillCellsOutside();

    // The live cells among the eight around the in-use cell (X, Y) in the snapshot, edges as
    // the wrap mode says.
    int Neighbours(int X, int Y) const;
    // The snapshot becomes the current generation, the next generation is computed from it
    // into State, and Generation counts one, stopping at its largest value.
    void CalcNextGeneration();

    // Whether any in-use cell's State differs from its PrevState. Right after a step it is
    // known from the step itself and costs nothing.
    bool Changed() const;
    // The live in-use cells.
    int LiveCells() const;
    // Calls Visit(X, Y) for every live in-use cell, row by row.
    template <typename TVisit> void ForEachLiveCell(TVisit&& Visit) const;

    // The states of row Y (0..VertCells() - 1) as words of 64 cells: bit B of word W is
    // column 64 W + B. There are UsedWords() of them, and the bits beyond the last column
    // in use are 0.
    using TWord = std::uint64_t;
    static constexpr int WordBits = 64;
    int UsedWords() const { return UsedWordCount; }
    const TWord* StateWords(int Y) const;

    // The states of every cell of the capacity, row after row, CapacityRowWords words a row
    // laid out as StateWords: a record of the world that outlasts a change of its size.
    static constexpr int CapacityRowWords = MaxHorCells / WordBits;
    static constexpr int CapacityWords = MaxVertCells * CapacityRowWords;
    // Copies CapacityWords words into Out.
    void CopyStates(TWord* Out) const;
    // Flips the State of the cells set in Bits of capacity word Index (0..CapacityWords - 1)
    // that lie in the world in use; the others are dead for good and stay so.
    void FlipStates(int Index, TWord Bits);

    // The ways to compute a step: on plain 64-bit words, and with AVX2 on x86-64 processors
    // that have it. The path is shared by every engine; tests and the benchmark choose one.
    enum class TStepPath { Plain, Avx2 };
    // The paths this processor and build have, Plain first.
    static std::vector<TStepPath> StepPaths();
    static const char* StepPathName(TStepPath Path);
    static TStepPath StepPath();
    // A path this processor lacks is a programming error and throws std::invalid_argument.
    static void SetStepPath(TStepPath Path);

private:
    // A row holds one word for the frame cell left of column 0 (its top bit), the words of
    // the cells, and one word more for the frame cell right of the widest world.
    static constexpr int CellWords = CapacityRowWords;
    static constexpr int RowWords = CellWords + 2;
    // Rows of a generation: the capacity, then a dead row that the step reads beyond an edge
    // that does not wrap.
    static constexpr int DeadRow = MaxVertCells;
    static constexpr int PlaneRows = MaxVertCells + 1;
    using TPlane = std::array<TWord, std::size_t(PlaneRows) * RowWords>;

    static void CheckCell(int X, int Y);
    void CheckInUse(int X, int Y) const;
    static TWord* Row(TPlane& Plane, int Y) { return Plane.data() + std::size_t(Y) * RowWords; }
    static const TWord* Row(const TPlane& Plane, int Y) {
        return Plane.data() + std::size_t(Y) * RowWords;
    }
    static qint32 Bit(const TPlane& Plane, int X, int Y);
    static void SetBit(TPlane& Plane, int X, int Y, bool Alive);
    // The word and bit of column X >= 0 in a row.
    static int WordOf(int X) { return 1 + X / WordBits; }
    static TWord MaskOf(int X) { return TWord(1) << (X % WordBits); }

    TPlane& Current() { return Planes[CurrentPlane]; }
    const TPlane& Current() const { return Planes[CurrentPlane]; }
    TPlane& Previous() { return Planes[1 - CurrentPlane]; }
    const TPlane& Previous() const { return Planes[1 - CurrentPlane]; }

    void FillFrame(TPlane& Snapshot) const;
    void ClearFrame(TPlane& Snapshot) const;

    alignas(64) std::array<TPlane, 2> Planes{};
    int CurrentPlane = 0;
    qint32 GenerationCount = 0;
    int Width = 320;
    int Height = 240;
    qint32 Wrap = wmHorizontal;

    // Set by MakeConnections: the words of a row in use, the in-use bits of the last of
    // them and of every word of a row, the frame's rule, and the rows from the one above the
    // world to the one below it: RowLinks[Y + 1] is the row the step reads as row Y, for
    // Y = -1..Height, the opposite edge's row where the edges wrap and the dead row where not.
    int UsedWordCount = 0;
    TWord LastWordMask = 0;
    std::array<TWord, RowWords> ColumnMasks{};
    bool WrapsHorizontally = true;
    bool WrapsVertically = false;
    std::array<int, MaxVertCells + 2> RowLinks{};

    // Whether the last step changed a cell, until the cells are edited.
    std::optional<bool> StepChanged;
};

template <typename TVisit> void TLifeEngine::ForEachLiveCell(TVisit&& Visit) const {
    for (int Y = 0; Y < Height; ++Y) {
        const TWord* Now = Row(Current(), Y);
        for (int W = 1; W <= UsedWordCount; ++W) {
            TWord Live = W == UsedWordCount ? Now[W] & LastWordMask : Now[W];
            const int Left = (W - 1) * WordBits;
            while (Live != 0) {
                Visit(Left + std::countr_zero(Live), Y);
                Live &= Live - 1;
            }
        }
    }
}
