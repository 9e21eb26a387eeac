// Mouse gestures over the world: strokes of the pen and the drag of a selection.

#include "edit/gesture.h"

#include <cstdlib>

void ForEachCellOnLine(const QPoint& From, const QPoint& To,
                       const std::function<void(int X, int Y)>& Visit) {
    const int Dx = std::abs(To.x() - From.x());
    const int Dy = -std::abs(To.y() - From.y());
    const int StepX = From.x() < To.x() ? 1 : -1;
    const int StepY = From.y() < To.y() ? 1 : -1;
    int Error = Dx + Dy;
    QPoint Cell = From;
    for (;;) {
        Visit(Cell.x(), Cell.y());
        if (Cell == To)
            return;
        const int Twice = 2 * Error;
        if (Twice >= Dy) {
            Error += Dy;
            Cell.rx() += StepX;
        }
        if (Twice <= Dx) {
            Error += Dx;
            Cell.ry() += StepY;
        }
    }
}

void TGesture::StartStroke(const QPoint& Cell, bool Live) {
    Now = TState::Drawing;
    Last = Cell;
    PenLive = Live;
    Changed = 1;
}

int TGesture::StrokeTo(const QPoint& Cell, TLifeEngine& Engine,
                       const std::function<void(int X, int Y)>& Painted) {
    if (Now != TState::Drawing || Cell == Last)
        return 0;
    const qint32 Pen = PenLive ? 1 : 0;
    int Count = 0;
    ForEachCellOnLine(Last, Cell, [&](int X, int Y) {
        if (X < 0 || Y < 0 || X >= Engine.HorCells() || Y >= Engine.VertCells() ||
            Engine.State(X, Y) == Pen)
            return;
        Engine.SetCell(X, Y, Pen);
        Painted(X, Y);
        ++Count;
    });
    Last = Cell;
    Changed += Count;
    return Count;
}

void TGesture::StartSelection(const QRect& Block) {
    Now = TState::Selecting;
    Anchor = Block;
    Dragged = false;
}

std::optional<QRect> TGesture::SelectTo(const QRect& Block) {
    if (Now != TState::Selecting)
        return std::nullopt;
    Dragged = Dragged || Block != Anchor;
    if (!Dragged)
        return std::nullopt;
    return Anchor.united(Block);
}
