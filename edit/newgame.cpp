// New game: stop, empty and redraw the world.

#include "app/busyguard.h"
#include "app/ulife.h"

void TLifeForm::MenuNewGameClick() {
    NewGame();
}

void TLifeForm::NewGame() {
    StopRunning();
    KillAllCells();
    Engine.SetGeneration(0);
    const TBusyGuard Busy(MessagePanel(),
                          QStringLiteral("Bezig met legen en tekenen van %1 x %2 celllen...")
                              .arg(HorCells())
                              .arg(VertCells()));
    DrawGeneration(true);
}
