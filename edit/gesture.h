#pragma once

// A gesture of the mouse over the world, from press to release: a stroke of the pen, which
// gives every cell on its path the pen's state, or the drag of a selection from the block
// first pressed to the one under the pointer. It knows nothing of windows or pictures.

#include "engine/lifeengine.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

class TGesture {
public:
    enum class TState { Idle, Drawing, Selecting };
    TState State() const { return Now; }

    // The press gave Cell the state Live, which becomes the pen's.
    void StartStroke(const QPoint& Cell, bool Live);
    // Every in-use cell on the straight line from the last cell to Cell (the last one left
    // out, it has the pen's state) takes it; Painted(X, Y) is called for each cell that
    // changed. Returns how many changed.
    int StrokeTo(const QPoint& Cell, TLifeEngine& Engine,
                 const std::function<void(int X, int Y)>& Painted);
    // The cells the stroke changed, the pressed one included.
    int StrokeCells() const { return Changed; }
    bool Pen() const { return PenLive; }

    // Block: the cells of the block pressed with Shift.
    void StartSelection(const QRect& Block);
    // The rectangle from the pressed block to Block; none while the pointer has stayed on
    // the pressed block, since a Shift-press alone only reports.
    std::optional<QRect> SelectTo(const QRect& Block);

    void Finish() { Now = TState::Idle; }

private:
    TState Now = TState::Idle;
    QPoint Last;
    bool PenLive = true;
    int Changed = 0;
    QRect Anchor;
    bool Dragged = false;
};

// Calls Visit(X, Y) for every cell of the 8-connected line from From to To (Bresenham), in
// order, both ends included.
void ForEachCellOnLine(const QPoint& From, const QPoint& To,
                       const std::function<void(int X, int Y)>& Visit);
