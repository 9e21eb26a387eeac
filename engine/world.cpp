// The world grid: clearing, the edges for the four wrap modes, snapshots.

#include "app/ulife.h"

void TLifeForm::InitLife() {
    Engine.InitLife();
}

void TLifeForm::MakeConnections(bool EdgesOnly) {
    Engine.MakeConnections(EdgesOnly);
}

void TLifeForm::SetWrapping(qint32 Value) {
    Engine.SetWrapping(Value);
}

void TLifeForm::KillAllCells() {
    Engine.KillAllCells();
}

void TLifeForm::BackupGeneration() {
    Engine.BackupGeneration();
}
