// Cell editing by mouse: a press flips the cell under it; with Shift it only reports.

#include "app/ulife.h"
#include "patterns/worldhistory.h"

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
    if (C >= HorCells() || R >= VertCells())
        return;
    const qint32 State = Engine.State(C, R);
    if (Shift.testFlag(Qt::ShiftModifier)) {
        MessagePanel()->setText(
            QStringLiteral("Cel[%1,%2]: Buren = %3, Status = %4, Vorige status = %5")
                .arg(C)
                .arg(R)
                .arg(Neighbours(C, R))
                .arg(StateWord(State), StateWord(Engine.PrevState(C, R))));
    } else if (State == 0) {
        Engine.SetCell(C, R, 1);
        DrawCell(C, R, LiveColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Dood --> Levend").arg(C).arg(R));
    } else if (State == 1) {
        Engine.SetCell(C, R, 0);
        DrawCell(C, R, DeadColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Levend --> Dood").arg(C).arg(R));
    }
    History->Record(MessagePanel()->text()); // the edit's step, named as the panel names it
}
