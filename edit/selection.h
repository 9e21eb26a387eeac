#pragma once

// The selection: a rectangle of cells within the world, and what can be done to the cells
// in it. It works on the engine's current cells through the engine's interface and knows
// nothing of windows or pictures. The commands snapshot first (PrevState := State), as the
// transforms of the whole world do, so the picture can follow incrementally.

#include "engine/lifeengine.h"

#include <QRect>
#include <QSize>

class QRandomGenerator;

class TSelection {
public:
    bool Exists() const { return !Area.isEmpty(); }
    // The selected cells; empty when there is no selection.
    QRect Cells() const { return Area; }
    // Cells is clipped to a world of World cells.
    void Select(const QRect& Cells, const QSize& World);
    void Remove() { Area = QRect(); }
    // The world got another size: what lies outside it is no longer selected.
    void FitInto(const QSize& World);

    // Kills the selected cells, or every other in-use cell.
    void Clear(TLifeEngine& Engine) const;
    void ClearOutside(TLifeEngine& Engine) const;
    // Each selected cell alive with a chance of one half; nothing outside changes.
    void FillRandomly(TLifeEngine& Engine, QRandomGenerator& Random) const;

    // The selected cells move by (Dx, Dy) and the selection with them, at most up to the
    // world's edge, so no cell is lost; the cells they leave die. False when the selection
    // lies at that edge already and nothing moved.
    bool Move(TLifeEngine& Engine, int Dx, int Dy);
    // Mirrors and rotations about the selection's centre. A rotated selection is pushed
    // back within the world's edges where it would stick out, and cut off where it does not
    // fit; the cells it leaves die.
    void FlipHorizontal(TLifeEngine& Engine);
    void FlipVertical(TLifeEngine& Engine);
    void RotateLeft(TLifeEngine& Engine);
    void RotateRight(TLifeEngine& Engine);
    void Rotate180(TLifeEngine& Engine);

private:
    enum class TTurn { FlipHorizontal, FlipVertical, Left, Right, Half };
    void Turn(TLifeEngine& Engine, TTurn How);

    QRect Area;
};
