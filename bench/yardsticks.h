#pragma once

// The two yardsticks the program's step is measured against, built with the same flags.

#include "bench/benchworld.h"
#include "tests/linkworld.h"

#include <QImage>

#include <cstdint>
#include <vector>

// The step and redraw read literally on the linked cell records: a separate snapshot pass,
// the step through eight links per cell, then a redraw that scans rows in the outer loop
// over the column-major world, looks up the cell's pixel rows for every cell and copies the
// whole picture to a store of its own. It has a world and pictures of its own and shows the
// generation on the window's status bar.
class TLiteralReading {
public:
    TLiteralReading(TLifeFormBench& Bench, const TWorldSetup& Setup, const TStates& States);
    void Load(const TStates& States);
    void DoNextGeneration();
    TStates States() const { return World.States(); }

private:
    void DrawGeneration();

    TLifeFormBench& Bench;
    TLinkWorld& World;
    int HorCellSize;
    int VertCellSize;
    qint32 Generation = 0;
    bool Stable = false;
    QImage ChalkBoard;
    QImage Store;
};

// The limit of the data rather than of the cell layout: one byte a cell in a dense
// row-major array with a one-cell border that holds the wrapped edges.
class TPlainKernel {
public:
    TPlainKernel(const TWorldSetup& Setup, const TStates& States);
    void Load(const TStates& States);
    void Step();
    TStates States() const; // column by column, as TLifeFormBench::States

private:
    void FillBorder();
    std::size_t RowStart(int Y) const { return std::size_t(Y) * std::size_t(Width + 2); }
    std::uint8_t* Row(std::vector<std::uint8_t>& Cells, int Y) {
        return Cells.data() + RowStart(Y);
    }

    int Width;
    int Height;
    bool WrapsHorizontally;
    bool WrapsVertically;
    std::vector<std::uint8_t> Current;
    std::vector<std::uint8_t> Next;
};
