// Cell editing by mouse: a press flips the cell under it and a drag goes on drawing with
// the state it gave; with Shift a press only reports, and a drag selects.

#include "app/ulife.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"

#include <QLabel>

namespace {

QString StateWord(qint32 State) {
    return State == 0 ? QStringLiteral("Dood") : QStringLiteral("Levend");
}

QString StrokeText(int Cells, bool Live) {
    return Live ? QStringLiteral("Lijn getekend: %1 cellen levend").arg(Cells)
                : QStringLiteral("Lijn gewist: %1 cellen dood").arg(Cells);
}

} // namespace

// X and Y: a device pixel of the view. Where a pixel shows a block of cells, a press names
// its top-left cell and draws nothing.
void TLifeForm::WorldMouseDown(Qt::MouseButton, Qt::KeyboardModifiers Shift, int X, int Y) {
    Gesture.Finish();
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
        Gesture.StartSelection(WorldImage->View().BlockOfCell(Cell));
        return;
    }
    SelectNone();
    if (WorldImage->View().BlockCells() != QSize(1, 1)) {
        MessagePanel()->setText(QStringLiteral("Zoom eerst verder in om cellen te tekenen"));
    } else if (State == 0) {
        Engine.SetCell(C, R, 1);
        DrawCell(C, R, LiveColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Dood --> Levend").arg(C).arg(R));
        Gesture.StartStroke(Cell, true);
    } else if (State == 1) {
        Engine.SetCell(C, R, 0);
        DrawCell(C, R, DeadColour, true);
        MessagePanel()->setText(QStringLiteral("Cel[%1,%2]: Levend --> Dood").arg(C).arg(R));
        Gesture.StartStroke(Cell, false);
    }
    ShowViewPanel();
    // The edit's step, named as the panel names it; the stroke's drag joins it.
    History->Record(MessagePanel()->text(), ++Strokes);
}

// X and Y: a device pixel of the view, anywhere; beyond the picture the nearest cell counts.
void TLifeForm::WorldMouseMove(int X, int Y) {
    if (Running || !WorldImage || Gesture.State() == TGesture::TState::Idle)
        return;
    const QPoint Cell = WorldImage->View().CellNear(QPoint(X, Y));
    if (Gesture.State() == TGesture::TState::Selecting) {
        if (const auto Area = Gesture.SelectTo(WorldImage->View().BlockOfCell(Cell)))
            SetSelection(*Area);
        return;
    }
    const bool Live = Gesture.Pen();
    if (Gesture.StrokeTo(Cell, Engine, [this, Live](int C, int R) {
            DrawCell(C, R, Live ? LiveColour : DeadColour, true);
        }) == 0)
        return;
    MessagePanel()->setText(StrokeText(Gesture.StrokeCells(), Live));
    ShowViewPanel();
    History->Record(MessagePanel()->text(), Strokes);
}

void TLifeForm::WorldMouseUp() {
    Gesture.Finish();
}
