// The world grid: clearing, the neighbour links for the four wrap modes, snapshots.

#include "app/ulife.h"

#include <cstring>

namespace {

// Where the link of (X, Y) in direction (Dx, Dy) points; null means DeadCell.
struct TLinkTarget {
    bool Dead;
    int X;
    int Y;
};

TLinkTarget LinkTarget(int X, int Y, int Dx, int Dy, int Width, int Height, qint32 Wrapping) {
    const bool WrapsHorizontally = Wrapping == wmHorizontal || Wrapping == wmBoth;
    const bool WrapsVertically = Wrapping == wmVertical || Wrapping == wmBoth;
    int Nx = X + Dx;
    if (Nx == -1 || Nx == Width) {
        if (!WrapsHorizontally)
            return {true, 0, 0};
        Nx = Nx == -1 ? Width - 1 : 0;
    }
    int Ny = Y + Dy;
    if (Ny == -1 || Ny == Height) {
        if (!WrapsVertically)
            return {true, 0, 0};
        Ny = Ny == -1 ? Height - 1 : 0;
    }
    return {false, Nx, Ny};
}

constexpr int LinkDx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int LinkDy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

} // namespace

void TLifeForm::InitLife() {
    // TCell is a plain record; all-zero bytes are states 0 and null links.
    std::memset(static_cast<void*>(World.Data()), 0, TWorld::Size() * sizeof(TCell));
}

void TLifeForm::MakeConnections(bool EdgesOnly) {
    auto LinkBorderCell = [this](int X, int Y) {
        TCell& Cell = World(X, Y);
        for (int L = 0; L < 8; ++L) {
            const TLinkTarget T =
                LinkTarget(X, Y, LinkDx[L], LinkDy[L], HorCells, VertCells, Wrapping);
            Cell.Links[L] = T.Dead ? &DeadCell : &World(T.X, T.Y);
        }
    };
    for (int X = 0; X < HorCells; ++X) {
        LinkBorderCell(X, 0);
        LinkBorderCell(X, VertCells - 1);
    }
    for (int Y = 1; Y <= VertCells - 2; ++Y) {
        LinkBorderCell(0, Y);
        LinkBorderCell(HorCells - 1, Y);
    }
    if (EdgesOnly)
        return;
    for (int X = 1; X <= HorCells - 2; ++X) {
        TCell* Left = World.Column(X - 1, VertCells);
        TCell* Mid = World.Column(X, VertCells);
        TCell* Right = World.Column(X + 1, VertCells);
        for (int Y = 1; Y <= VertCells - 2; ++Y) {
            Mid[Y].Links = {&Left[Y - 1], &Mid[Y - 1],  &Right[Y - 1], &Left[Y],
                            &Right[Y],    &Left[Y + 1], &Mid[Y + 1],   &Right[Y + 1]};
        }
    }
}

void TLifeForm::SetWrapping(qint32 Value) {
    if (Value == Wrapping)
        return;
    if (static_cast<quint32>(Value) > wmBoth)
        return;
    Wrapping = Value;
    MakeConnections(true);
}

void TLifeForm::KillAllCells() {
    for (int X = 0; X < HorCells; ++X) {
        TCell* Column = World.Column(X, VertCells);
        for (int Y = 0; Y < VertCells; ++Y)
            Column[Y].State = Column[Y].PrevState = 0;
    }
}

void TLifeForm::BackupGeneration() {
    for (int X = 0; X < HorCells; ++X) {
        TCell* Column = World.Column(X, VertCells);
        for (int Y = 0; Y < VertCells; ++Y)
            Column[Y].PrevState = Column[Y].State;
    }
}
