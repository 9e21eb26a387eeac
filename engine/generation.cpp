// The generation step under Conway's rules, computed from the PrevState snapshot.

#include "app/ulife.h"
#include "engine/livecount.h"

int TLifeForm::Neighbours(int X, int Y) const {
    return Engine.Neighbours(X, Y);
}

void TLifeForm::CalcNextGeneration() {
    Engine.CalcNextGeneration();
}

// Every generation the window shows is counted into the population series.
void TLifeForm::DoNextGeneration() {
    CalcNextGeneration();
    Population.Append(CountLiveCells(Engine));
    SteppedSinceRecord = true;
    DrawGeneration(false);
}
