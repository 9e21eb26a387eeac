// The live cells of each generation since the cells were last changed by hand, and the
// window that draws them.

#include "app/placement.h"
#include "app/ulife.h"
#include "display/populationwindow.h"
#include "edit/worldhistory.h"
#include "engine/livecount.h"

#include <QAction>

#include <utility>

void TLifeForm::CreatePopulation() {
    Population.Restart(Generation(), CountLiveCells(Engine));
    PopulationWindow = std::make_unique<TPopulationWindow>(Population, *this);
    MenuPopulation->setCheckable(true);
    connect(PopulationWindow.get(), &TPopulationWindow::VisibleChanged, MenuPopulation,
            &QAction::setChecked);
    connect(&History->Stack(), &QUndoStack::indexChanged, this, &TLifeForm::HistoryMoved);
}

void TLifeForm::MenuPopulationClick() {
    if (MenuPopulation->isChecked())
        ShowPopulation();
    else
        PopulationWindow->close();
}

void TLifeForm::ShowPopulation() {
    BringForward(*PopulationWindow);
}

// Every change of the cells is recorded right after it, a run's generations when the run
// stops. So a step that no generation came before, an undo or a redo, is a change by hand,
// and the series starts again from the world as it is now.
void TLifeForm::HistoryMoved() {
    if (!std::exchange(SteppedSinceRecord, false))
        Population.Restart(Generation(), CountLiveCells(Engine));
    FollowPopulation();
}

void TLifeForm::FollowPopulation() {
    PopulationWindow->Follow();
}
