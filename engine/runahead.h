#pragma once

// Running a world ahead at the engine's own speed, with nothing drawn in between: each
// generation is counted into the population series and tested for stability, and the
// caller bounds the work by a target generation and a slice of time, so that it can show
// the world and take input between slices.

#include "engine/lifeengine.h"
#include "engine/populationseries.h"

#include <QtGlobal>

#include <functional>

enum class TRunAheadStop {
    Slice,  // the clock passed the end of the slice
    Target, // the target generation is reached
    Stable  // the last generation changed nothing, as a timer run would stop on
};

// Steps Engine at least once, and on until one of the stops above. Clock gives nanoseconds
// and is asked after every generation. Target is a generation; the counter stops at its
// largest value, so a larger target is never reached.
TRunAheadStop RunAhead(TLifeEngine& Engine, TPopulationSeries& Series, qint64 Target,
                       qint64 SliceEndNs, const std::function<qint64()>& Clock);
