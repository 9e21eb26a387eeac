// Cell editing by mouse: a press flips the cell under it; with Shift it only reports.

#include "app/ulife.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"

#include <QLabel>

namespace {

QString StateWord(qint32 State) {
    return State == 0 ? QStringLiteral("Dood") : QStringLiteral("Levend");
}

} // namespace

// X and Y: a device pixel of the view. Where a pixel shows a block of cells, a press names
// its top-left cell and draws nothing.
void TLifeForm::WorldMouseDown(Qt::MouseButton, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (Running || !WorldImage)
        return;
    const QPoint Cell = WorldImage->View().CellAt(QPoint(X, Y));
    const int C = Cell.x();
    const int R = Cell.y();
    if (C < 0 || R < 0 || C >= HorCells() || R >= VertCells())
        return;
    const qint32 State = Engine.State(C, R);
    if (Shift.testFlag(Qt::ShiftModifier)) {
        MessagePanel()->setText(
            QStringLiteral("Cel[%1,%2]: Buren = %3, Status = %4, Vorige status = %5")
                .arg(C)
                .arg(R)
                .arg(Neighbours(C, R))
                .arg(StateWord(State), StateWord(Engine.PrevState(C, R))));
    } else if (WorldImage->View().BlockCells() != QSize(1, 1)) {
        MessagePanel()->setText(QStringLiteral("Zoom eerst verder in om cellen te tekenen"));
    } else if (State == 0) {
        Engine.SetCell(C, R, 1);
        DrawCell(C, R, LiveColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Dood --> Levend").arg(C).arg(R));
    } else if (State == 1) {
        Engine.SetCell(C, R, 0);
        DrawCell(C, R, DeadColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Levend --> Dood").arg(C).arg(R));
    }
    ShowViewPanel();
    History->Record(MessagePanel()->text()); // the edit's step, named as the panel names it
}
