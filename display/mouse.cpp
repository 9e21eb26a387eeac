// Cell editing by mouse: a press flips the cell under it; with Shift it only reports.

#include "app/ulife.h"

#include <QLabel>

namespace {

QString StateWord(qint32 State) {
    return State == 0 ? QStringLiteral("Dood") : QStringLiteral("Levend");
}

} // namespace

void TLifeForm::WorldMouseDown(Qt::MouseButton, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (Running)
        return;
    if (X < 0 || Y < 0)
        return;
    const int C = X / HorCellSize;
    const int R = Y / VertCellSize;
    if (C >= HorCells || R >= VertCells)
        return;
    TCell& Cell = World(C, R);
    if (Shift.testFlag(Qt::ShiftModifier)) {
        MessagePanel()->setText(
            QStringLiteral("Cel[%1,%2]: Buren = %3, Status = %4, Vorige status = %5")
                .arg(C)
                .arg(R)
                .arg(Neighbours(C, R))
                .arg(StateWord(Cell.State), StateWord(Cell.PrevState)));
    } else if (Cell.State == 0) {
        Cell.State = Cell.PrevState = 1;
        DrawCell(C, R, LiveColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Dood --> Levend").arg(C).arg(R));
    } else if (Cell.State == 1) {
        Cell.State = Cell.PrevState = 0;
        DrawCell(C, R, DeadColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Levend --> Dood").arg(C).arg(R));
    }
}
