// Generations without drawing, counted and tested for stability.

#include "engine/runahead.h"
#include "engine/livecount.h"

// A generation whose count differs from the one before changed something; only an equal
// count needs the whole comparison of the two generations.
TRunAheadStop RunAhead(TLifeEngine& Engine, TPopulationSeries& Series, qint64 Target,
                       qint64 SliceEndNs, const std::function<qint64()>& Clock) {
    qint32 Before = CountLiveCells(Engine);
    for (;;) {
        Engine.CalcNextGeneration();
        const qint32 Live = CountLiveCells(Engine);
        Series.Append(Live);
        if (Live == Before && !Engine.Changed())
            return TRunAheadStop::Stable;
        if (Engine.Generation() >= Target)
            return TRunAheadStop::Target;
        if (Clock() >= SliceEndNs)
            return TRunAheadStop::Slice;
        Before = Live;
    }
}
