// Undo and redo: every change of the cells is a step of the history, a whole run included.

#include "app/ulife.h"
#include "edit/worldhistory.h"

#include <QAction>

void TLifeForm::MenuUndoClick() {
    UndoChange();
}

void TLifeForm::MenuRedoClick() {
    if (!Running)
        RedoChange();
}

// A run stops first, which makes the run a step, and that step is the one undone.
void TLifeForm::UndoChange() {
    StopRunning();
    History->Stack().undo();
}

void TLifeForm::RedoChange() {
    History->Stack().redo();
}

// The commands of the menus that change cells record their step under their own caption;
// a mouse edit, an open, a paste, a run and a new world size record theirs where they
// happen.
void TLifeForm::CreateHistory() {
    History = std::make_unique<TWorldHistory>(
        Engine, TWorldHistory::TView{[this](int NewHorCells, int NewVertCells) {
                                         ResizeTheWorld(NewHorCells, NewVertCells, HorCellSize,
                                                        VertCellSize);
                                     },
                                     [this] {
                                         DrawGeneration(false);
                                     }});
    for (QAction* Item :
         {MenuNewGame, MenuOneStep, MenuMoveLeft, MenuMoveRight, MenuMoveUp, MenuMoveDown,
          MenuMoveLeftLarge, MenuMoveRightLarge, MenuMoveUpLarge, MenuMoveDownLarge,
          MenuFlipHorizontal, MenuFlipVertical, MenuRotateLeft, MenuRotateRight, MenuRotate180,
          MenuCut, MenuDelete, MenuClearOutside, MenuRandomFill}) {
        connect(Item, &QAction::triggered, this,
                [this, Item] { History->Record(QString(Item->text()).remove(QLatin1Char('&'))); });
    }
    UpdateHistoryItems();
}

// Undo stays offered during a run, which becomes a step when it stops; redo is refused then.
void TLifeForm::UpdateHistoryItems() {
    const QUndoStack& Steps = History->Stack();
    const QString Undo = QStringLiteral("&Ongedaan maken");
    const QString Redo = QStringLiteral("Op&nieuw");
    MenuUndo->setText(Steps.canUndo() ? Undo + QStringLiteral(": ") + Steps.undoText() : Undo);
    MenuRedo->setText(Steps.canRedo() ? Redo + QStringLiteral(": ") + Steps.redoText() : Redo);
    MenuUndo->setEnabled(Running || Steps.canUndo());
    MenuRedo->setEnabled(Steps.canRedo());
}
