// Generations without drawing, counted and tested for stability.

#include "engine/runahead.h"
#include "engine/livecount.h"

// The step itself knows whether it changed a cell, so stability costs nothing here.
TRunAheadStop RunAhead(TLifeEngine& Engine, TPopulationSeries& Series, qint64 Target,
                       qint64 SliceEndNs, const std::function<qint64()>& Clock) {
    for (;;) {
        Engine.CalcNextGeneration();
        Series.Append(CountLiveCells(Engine));
        if (!Engine.Changed())
            return TRunAheadStop::Stable;
        if (Engine.Generation() >= Target)
            return TRunAheadStop::Target;
        if (Clock() >= SliceEndNs)
            return TRunAheadStop::Slice;
    }
}
