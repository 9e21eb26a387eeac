// Undo and redo: every change of the cells is a step of the history, a whole run included.

#include "app/ulife.h"
#include "edit/worldhistory.h"

#include <QAction>

void TLifeForm::MenuUndoClick() {
    UndoChange();
}

void TLifeForm::MenuRedoClick() {
    RedoChange();
}

// A run stops first, which makes the run a step, and that step is the one undone.
void TLifeForm::UndoChange() {
    StopRunning();
    History->Stack().undo();
}

void TLifeForm::RedoChange() {
    if (!Running && !History->Unrecorded())
        History->Stack().redo();
}

// The commands of the menus that change cells record their step under their own caption;
// a mouse edit, an open, a paste, a run and a new world size record theirs where they
// happen.
void TLifeForm::CreateHistory() {
    History = std::make_unique<TWorldHistory>(
        Engine, TWorldHistory::TView{[this] {
                                         return TWorldHistory::TLayout{HorCells(), VertCells(),
                                                                       HorCellSize, VertCellSize,
                                                                       Wrapping()};
                                     },
                                     [this](const TWorldHistory::TLayout& Layout) {
                                         ResizeTheWorld(Layout.HorCells, Layout.VertCells,
                                                        Layout.HorCellSize, Layout.VertCellSize);
                                         if (Layout.Wrapping != Wrapping())
                                             SetWrapping(Layout.Wrapping);
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

// Undo stays offered during a run, and names what it takes back: the generations run so far
// become a step when it stops, and that step is the one undone. Redo waits until the run
// stops, which makes a new step and drops what there was to redo.
void TLifeForm::UpdateHistoryItems() {
    const QUndoStack& Steps = History->Stack();
    const bool RunPending = History->Unrecorded();
    const bool CanRedo = Steps.canRedo() && !Running && !RunPending;
    const QString Undo = QStringLiteral("&Ongedaan maken");
    const QString Redo = QStringLiteral("Op&nieuw");
    const QString UndoText = RunPending ? TWorldHistory::RunText(Generation()) : Steps.undoText();
    MenuUndo->setText(RunPending || Steps.canUndo() ? Undo + QStringLiteral(": ") + UndoText
                                                    : Undo);
    MenuRedo->setText(CanRedo ? Redo + QStringLiteral(": ") + Steps.redoText() : Redo);
    MenuUndo->setEnabled(Running || RunPending || Steps.canUndo());
    MenuRedo->setEnabled(CanRedo);
}
