// The selection: made by Shift+drag or "Alles selecteren", shown over the world, and the
// commands of "Bewerken" on its cells. The moves, mirrors and rotations of "Spel" act on it
// too (edit/transforms.cpp).

#include "app/ulife.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"

#include <QLabel>
#include <QRandomGenerator>

void TLifeForm::MenuCutClick() {
    if (!Running)
        CutSelection();
}

void TLifeForm::MenuDeleteClick() {
    if (!Running)
        ClearSelection();
}

void TLifeForm::MenuClearOutsideClick() {
    if (!Running)
        ClearOutsideSelection();
}

void TLifeForm::MenuRandomFillClick() {
    if (!Running)
        FillSelectionRandomly();
}

void TLifeForm::MenuSelectAllClick() {
    SelectAll();
}

// Esc: one key ends whatever is under way, the most passing thing first.
void TLifeForm::MenuSelectNoneClick() {
    if (!StopFastForward() && !CancelPaste())
        SelectNone();
}

void TLifeForm::CutSelection() {
    if (!Selection.Exists())
        return;
    CopyGame();
    ClearSelection();
}

void TLifeForm::ClearSelection() {
    ChangeSelection([this](TSelection& Selected) { Selected.Clear(Engine); });
}

void TLifeForm::ClearOutsideSelection() {
    ChangeSelection([this](TSelection& Selected) { Selected.ClearOutside(Engine); });
}

void TLifeForm::FillSelectionRandomly() {
    ChangeSelection([this](TSelection& Selected) {
        Selected.FillRandomly(Engine, *QRandomGenerator::global());
    });
}

void TLifeForm::SelectAll() {
    SetSelection(QRect(0, 0, HorCells(), VertCells()));
}

void TLifeForm::SelectNone() {
    if (!Selection.Exists())
        return;
    Selection.Remove();
    if (WorldImage)
        WorldImage->ShowSelection(QRect());
    UpdateMenu();
}

void TLifeForm::SetSelection(const QRect& Cells) {
    Selection.Select(Cells, QSize(HorCells(), VertCells()));
    if (WorldImage)
        WorldImage->ShowSelection(Selection.Cells());
    UpdateMenu();
    const QRect Area = Selection.Cells();
    MessagePanel()->setText(QStringLiteral("Selectie: %1 x %2 vanaf Cel[%3,%4]")
                                .arg(Area.width())
                                .arg(Area.height())
                                .arg(Area.left())
                                .arg(Area.top()));
}

// The menu item that ran the command records its step (edit/undoredo.cpp).
bool TLifeForm::ChangeSelection(const std::function<void(TSelection&)>& Change) {
    if (!Selection.Exists())
        return false;
    Change(Selection);
    if (WorldImage)
        WorldImage->ShowSelection(Selection.Cells());
    DrawGeneration(false);
    ShowViewPanel();
    return true;
}
