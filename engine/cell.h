#pragma once

// The cell record, the fixed world array and the wrap modes.

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

// One cell. States are only ever 0 (dead) or 1 (alive). Links point to the eight
// neighbours in the order NW, N, NE, W, E, SW, S, SE; a border that does not wrap
// links to the shared DeadCell instead.
struct TCell {
    qint32 State;
    qint32 PrevState;
    std::array<TCell*, 8> Links;
};

enum TLinkDirection { NW = 0, N = 1, NE = 2, W = 3, E = 4, SW = 5, S = 6, SE = 7 };

enum TWrapMode : qint32 { wmNone = 0, wmHorizontal = 1, wmVertical = 2, wmBoth = 3 };

// Raised for an index outside the world's capacity: a programming error, never a user's.
class TRangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// The whole capacity of 1280 x 1024 cells, column-major: consecutive rows of one column
// are adjacent in memory. It is never reallocated; only the top-left HorCells x VertCells
// cells are in use. Every access is range-checked against the capacity.
class TWorld {
public:
    static constexpr int MaxHorCells = 1280;
    static constexpr int MaxVertCells = 1024;

    TCell& operator()(int X, int Y) { return Cells[Index(X, Y)]; }
    const TCell& operator()(int X, int Y) const { return Cells[Index(X, Y)]; }

    // The first Rows cells of column X, for loops that walk a column in memory order.
    TCell* Column(int X, int Rows) {
        if (Rows < 0 || Rows > MaxVertCells)
            throw TRangeError("World: column length " + std::to_string(Rows) + " out of range");
        return &Cells[Index(X, 0)];
    }

    TCell* Data() { return Cells.data(); }
    static constexpr std::size_t Size() { return std::size_t(MaxHorCells) * MaxVertCells; }

    static std::size_t Index(int X, int Y) {
        if (X < 0 || X >= MaxHorCells || Y < 0 || Y >= MaxVertCells)
            throw TRangeError("World[" + std::to_string(X) + ", " + std::to_string(Y) +
                              "] out of range");
        return std::size_t(X) * MaxVertCells + std::size_t(Y);
    }

private:
    std::array<TCell, std::size_t(MaxHorCells) * MaxVertCells> Cells;
};
