// The generation step under Conway's rules, computed from the PrevState snapshot.

#include "app/ulife.h"

int TLifeForm::Neighbours(int X, int Y) const {
    return Engine.Neighbours(X, Y);
}

void TLifeForm::CalcNextGeneration() {
    Engine.CalcNextGeneration();
}

void TLifeForm::DoNextGeneration() {
    CalcNextGeneration();
    DrawGeneration(false);
}
