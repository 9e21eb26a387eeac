#pragma once

// The world as linked cell records, read literally: every cell holds its state, its
// snapshot and eight links to its neighbours, and a border that does not wrap links to one
// shared, always dead cell. The step follows the eight links of every cell. It is the oracle
// the tests hold the engine against and the yardstick of the benchmark.

#include "engine/lifeengine.h"

#include <QPoint>

#include <array>
#include <cstdint>
#include <vector>

struct TCell {
    qint32 State;
    qint32 PrevState;
    std::array<TCell*, 8> Links; // NW, N, NE, W, E, SW, S, SE
};

enum TLinkDirection { NW = 0, N = 1, NE = 2, W = 3, E = 4, SW = 5, S = 6, SE = 7 };

// In-use states column by column, one byte a cell.
using TColumnStates = std::vector<std::uint8_t>;

class TLinkWorld {
public:
    static constexpr int MaxHorCells = TLifeEngine::MaxHorCells;
    static constexpr int MaxVertCells = TLifeEngine::MaxVertCells;

    // The whole capacity, column-major like the original, all dead and unlinked.
    TLinkWorld();

    // Every cell dead, then every in-use cell linked for the size and wrap mode.
    void Configure(int Width, int Height, qint32 Wrapping);
    // Relinks the border cells only, as a wrap change does.
    void SetWrapping(qint32 Value);
    void MakeConnections(bool EdgesOnly);

    void Load(const TColumnStates& States); // State and PrevState alike
    TColumnStates States(bool Snapshot = false) const;

    void BackupGeneration();
    // The snapshot, then the new state of every cell from its eight links.
    void CalcNextGeneration();
    int Neighbours(int X, int Y) const;
    // Where the link of (X, Y) in Direction leads, (-1, -1) for the dead cell.
    QPoint LinkTarget(int X, int Y, int Direction) const;

    TCell& operator()(int X, int Y) { return Cells[Index(X, Y)]; }
    const TCell& operator()(int X, int Y) const { return Cells[Index(X, Y)]; }
    int HorCells() const { return Width; }
    int VertCells() const { return Height; }

private:
    static std::size_t Index(int X, int Y);

    std::vector<TCell> Cells;
    TCell DeadCell{};
    int Width = 0;
    int Height = 0;
    qint32 Wrapping = wmHorizontal;
};
