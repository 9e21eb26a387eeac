// The generation step under Conway's rules, computed from the PrevState snapshot.

#include "app/ulife.h"

#include <limits>

namespace {

inline int CountLinks(const TCell& Cell) {
    const auto& L = Cell.Links;
    return L[0]->PrevState + L[1]->PrevState + L[2]->PrevState + L[3]->PrevState + L[4]->PrevState +
           L[5]->PrevState + L[6]->PrevState + L[7]->PrevState;
}

} // namespace

int TLifeForm::Neighbours(int X, int Y) const {
    return CountLinks(World(X, Y));
}

void TLifeForm::CalcNextGeneration() {
    BackupGeneration();
    for (int X = 0; X < HorCells; ++X) {
        TCell* Column = World.Column(X, VertCells);
        for (int Y = 0; Y < VertCells; ++Y) {
            TCell& Cell = Column[Y];
            const int Count = CountLinks(Cell);
            Cell.State = Cell.PrevState == 1 ? (Count == 2 || Count == 3) : Count == 3;
        }
    }
    // The counter stops at its largest value rather than overflowing; at one step a
    // millisecond that is more than three weeks of running.
    if (Generation < std::numeric_limits<qint32>::max())
        ++Generation;
}

void TLifeForm::DoNextGeneration() {
    CalcNextGeneration();
    DrawGeneration(false);
}
