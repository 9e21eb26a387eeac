// The linked cell records of the original layout, read literally.

#include "tests/linkworld.h"

#include <string>

namespace {

constexpr int LinkDx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int LinkDy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

} // namespace

TLinkWorld::TLinkWorld() : Cells(std::size_t(MaxHorCells) * MaxVertCells, TCell{}) {}

std::size_t TLinkWorld::Index(int X, int Y) {
    if (X < 0 || X >= MaxHorCells || Y < 0 || Y >= MaxVertCells)
        throw TRangeError("Link world [" + std::to_string(X) + ", " + std::to_string(Y) +
                          "] out of range");
    return std::size_t(X) * MaxVertCells + std::size_t(Y);
}

void TLinkWorld::Configure(int NewWidth, int NewHeight, qint32 NewWrapping) {
    for (TCell& Cell : Cells)
        Cell.State = Cell.PrevState = 0;
    Width = NewWidth;
    Height = NewHeight;
    Wrapping = NewWrapping;
    MakeConnections(false);
}

void TLinkWorld::SetWrapping(qint32 Value) {
    if (Value == Wrapping || static_cast<quint32>(Value) > wmBoth)
        return;
    Wrapping = Value;
    MakeConnections(true);
}

// The edge rule: beyond an edge that wraps lies the opposite edge, beyond one that does
// not lies the dead cell; border cells first, then the interior.
void TLinkWorld::MakeConnections(bool EdgesOnly) {
    const bool WrapsX = Wrapping == wmHorizontal || Wrapping == wmBoth;
    const bool WrapsY = Wrapping == wmVertical || Wrapping == wmBoth;
    auto Link = [&](int X, int Y) {
        TCell& Cell = (*this)(X, Y);
        for (int L = 0; L < 8; ++L) {
            int Nx = X + LinkDx[L];
            int Ny = Y + LinkDy[L];
            Cell.Links[L] = &DeadCell;
            if (Nx == -1 || Nx == Width) {
                if (!WrapsX)
                    continue;
                Nx = Nx == -1 ? Width - 1 : 0;
            }
            if (Ny == -1 || Ny == Height) {
                if (!WrapsY)
                    continue;
                Ny = Ny == -1 ? Height - 1 : 0;
            }
            Cell.Links[L] = &(*this)(Nx, Ny);
        }
    };
    for (int X = 0; X < Width; ++X) {
        Link(X, 0);
        Link(X, Height - 1);
    }
    for (int Y = 1; Y <= Height - 2; ++Y) {
        Link(0, Y);
        Link(Width - 1, Y);
    }
    if (EdgesOnly)
        return;
    for (int X = 1; X <= Width - 2; ++X) {
        for (int Y = 1; Y <= Height - 2; ++Y)
            Link(X, Y);
    }
}

void TLinkWorld::Load(const TColumnStates& States) {
    std::size_t I = 0;
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y, ++I)
            (*this)(X, Y).State = (*this)(X, Y).PrevState = States.at(I);
    }
}

TColumnStates TLinkWorld::States(bool Snapshot) const {
    TColumnStates Result;
    Result.reserve(std::size_t(Width) * std::size_t(Height));
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y) {
            const TCell& Cell = (*this)(X, Y);
            Result.push_back(std::uint8_t(Snapshot ? Cell.PrevState : Cell.State));
        }
    }
    return Result;
}

void TLinkWorld::BackupGeneration() {
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y)
            (*this)(X, Y).PrevState = (*this)(X, Y).State;
    }
}

void TLinkWorld::CalcNextGeneration() {
    BackupGeneration();
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y) {
            const int Count = Neighbours(X, Y);
            TCell& Cell = (*this)(X, Y);
            Cell.State = Cell.PrevState == 1 ? Count == 2 || Count == 3 : Count == 3;
        }
    }
}

int TLinkWorld::Neighbours(int X, int Y) const {
    const auto& L = (*this)(X, Y).Links;
    return L[0]->PrevState + L[1]->PrevState + L[2]->PrevState + L[3]->PrevState + L[4]->PrevState +
           L[5]->PrevState + L[6]->PrevState + L[7]->PrevState;
}

QPoint TLinkWorld::LinkTarget(int X, int Y, int Direction) const {
    const TCell* Target = (*this)(X, Y).Links.at(std::size_t(Direction));
    if (Target == &DeadCell)
        return {-1, -1};
    const std::ptrdiff_t At = Target - Cells.data();
    return {int(At / MaxVertCells), int(At % MaxVertCells)};
}
