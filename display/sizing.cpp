// World window sizing: a new world size or cell size, applied to the cells, their links,
// the picture and the window.

#include "app/busyguard.h"
#include "app/ulife.h"

// The pattern keeps its cell coordinates, anchored at the top-left cell. Callers pass
// values within 320..1280, 240..1024 and 1..2.
void TLifeForm::ResizeTheWorld(qint32 NewHorCells, qint32 NewVertCells, qint32 NewHorCellSize,
                               qint32 NewVertCellSize) {
    const bool SizeChanged = HorCells() != NewHorCells || VertCells() != NewVertCells;
    const bool CellChanged = HorCellSize != NewHorCellSize || VertCellSize != NewVertCellSize;
    if (!SizeChanged && !CellChanged)
        return;

    StopRunning();
    if (SizeChanged) {
        // With the old size first, a growing world gains only dead cells; with the new size,
        // a shrinking world leaves nothing alive outside it to be drawn or counted.
        Engine.KillCellsOutside();
        Engine.SetSize(NewHorCells, NewVertCells);
        Engine.KillCellsOutside();
    }
    if (CellChanged) {
        HorCellSize = NewHorCellSize;
        VertCellSize = NewVertCellSize;
    }
    {
        const TBusyGuard Busy(MessagePanel(),
                              QStringLiteral("Bezig met legen en tekenen van %1 x %2 celllen...")
                                  .arg(HorCells())
                                  .arg(VertCells()));
        DrawEmptyWorld();
        DrawGeneration(true);
    }
}
