// Pattern transforms: move, mirror and rotate the selection's cells, or without a
// selection the whole in-use world, never wrapping. A mirror or rotation turns a floating
// paste instead.

#include "app/ulife.h"
#include "edit/paste.h"

#include <QLabel>

#include <algorithm>

// Every new State is read from the snapshot, so the order of the writes does not matter;
// rows outside, as the cells lie in memory.
template <typename TRule> void TLifeForm::ApplyTransform(TRule NewState) {
    BackupGeneration();
    for (int Y = 0; Y < VertCells(); ++Y) {
        for (int X = 0; X < HorCells(); ++X)
            Engine.SetState(X, Y, NewState(X, Y));
    }
    DrawGeneration(false);
}

qint32 TLifeForm::SnapshotAt(qint64 X, qint64 Y) const {
    if (X < 0 || X >= HorCells() || Y < 0 || Y >= VertCells())
        return 0;
    return Engine.PrevState(int(X), int(Y));
}

void TLifeForm::MenuMoveLeftClick() {
    if (!Running)
        MoveLeft(SmallStep);
}

void TLifeForm::MenuMoveRightClick() {
    if (!Running)
        MoveRight(SmallStep);
}

void TLifeForm::MenuMoveUpClick() {
    if (!Running)
        MoveUp(SmallStep);
}

void TLifeForm::MenuMoveDownClick() {
    if (!Running)
        MoveDown(SmallStep);
}

void TLifeForm::MenuMoveLeftLargeClick() {
    if (!Running)
        MoveLeft(LargeStep);
}

void TLifeForm::MenuMoveRightLargeClick() {
    if (!Running)
        MoveRight(LargeStep);
}

void TLifeForm::MenuMoveUpLargeClick() {
    if (!Running)
        MoveUp(LargeStep);
}

void TLifeForm::MenuMoveDownLargeClick() {
    if (!Running)
        MoveDown(LargeStep);
}

void TLifeForm::MenuFlipHorizontalClick() {
    if (!TurnPaste(&TFloatingPaste::FlipHorizontal) && !Running)
        FlipHorizontal();
}

void TLifeForm::MenuFlipVerticalClick() {
    if (!TurnPaste(&TFloatingPaste::FlipVertical) && !Running)
        FlipVertical();
}

void TLifeForm::MenuRotateLeftClick() {
    if (!TurnPaste(&TFloatingPaste::RotateLeft) && !Running)
        RotateLeft();
}

void TLifeForm::MenuRotateRightClick() {
    if (!TurnPaste(&TFloatingPaste::RotateRight) && !Running)
        RotateRight();
}

void TLifeForm::MenuRotate180Click() {
    if (!TurnPaste(&TFloatingPaste::Rotate180) && !Running)
        Rotate180();
}

// Cells that would be read from outside the world are dead: nothing wraps.
void TLifeForm::MoveLeft(qint32 Steps) {
    if (!MoveSelection(-Steps, 0))
        ApplyTransform([=, this](int X, int Y) { return SnapshotAt(qint64(X) + Steps, Y); });
}

void TLifeForm::MoveRight(qint32 Steps) {
    if (!MoveSelection(Steps, 0))
        ApplyTransform([=, this](int X, int Y) { return SnapshotAt(qint64(X) - Steps, Y); });
}

void TLifeForm::MoveUp(qint32 Steps) {
    if (!MoveSelection(0, -Steps))
        ApplyTransform([=, this](int X, int Y) { return SnapshotAt(X, qint64(Y) + Steps); });
}

void TLifeForm::MoveDown(qint32 Steps) {
    if (!MoveSelection(0, Steps))
        ApplyTransform([=, this](int X, int Y) { return SnapshotAt(X, qint64(Y) - Steps); });
}

void TLifeForm::FlipHorizontal() {
    if (!ChangeSelection([this](TSelection& Selected) { Selected.FlipHorizontal(Engine); }))
        ApplyTransform([this](int X, int Y) { return SnapshotAt(HorCells() - 1 - X, Y); });
}

void TLifeForm::FlipVertical() {
    if (!ChangeSelection([this](TSelection& Selected) { Selected.FlipVertical(Engine); }))
        ApplyTransform([this](int X, int Y) { return SnapshotAt(X, VertCells() - 1 - Y); });
}

// Without a selection the rotations turn the top-left square of the smaller side; the rest
// is cleared.
void TLifeForm::RotateLeft() {
    if (ChangeSelection([this](TSelection& Selected) { Selected.RotateLeft(Engine); }))
        return;
    const int S = std::min(HorCells(), VertCells());
    ApplyTransform(
        [=, this](int X, int Y) { return X < S && Y < S ? SnapshotAt(S - 1 - Y, X) : 0; });
}

void TLifeForm::RotateRight() {
    if (ChangeSelection([this](TSelection& Selected) { Selected.RotateRight(Engine); }))
        return;
    const int S = std::min(HorCells(), VertCells());
    ApplyTransform(
        [=, this](int X, int Y) { return X < S && Y < S ? SnapshotAt(Y, S - 1 - X) : 0; });
}

void TLifeForm::Rotate180() {
    if (!ChangeSelection([this](TSelection& Selected) { Selected.Rotate180(Engine); }))
        ApplyTransform(
            [this](int X, int Y) { return SnapshotAt(HorCells() - 1 - X, VertCells() - 1 - Y); });
}

// The selection moves at most up to the world's edge; there it stays, and says so.
bool TLifeForm::MoveSelection(int Dx, int Dy) {
    bool Moved = false;
    if (!ChangeSelection([&](TSelection& Selected) { Moved = Selected.Move(Engine, Dx, Dy); }))
        return false;
    if (!Moved)
        MessagePanel()->setText(QStringLiteral("De selectie ligt al aan de rand van de wereld."));
    return true;
}
