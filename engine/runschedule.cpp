// Generations due by a steady clock.

#include "engine/runschedule.h"

#include <algorithm>
#include <chrono>

void TRunSchedule::Start(qint64 NowNs, int IntervalMs) {
    StartNs = NowNs;
    IntervalNs = std::max<qint64>(1, qint64(IntervalMs) * 1000000);
    Done = 0;
}

// Generation k is due half an interval before k intervals have passed, so a tick that comes
// a little early still does its generation instead of leaving it to the next tick.
int TRunSchedule::Take(qint64 NowNs) {
    const qint64 Due = (NowNs - StartNs + IntervalNs / 2) / IntervalNs - Done;
    if (Due <= 0)
        return 0;
    const qint64 Steps = std::min(Due, std::max<qint64>(1, CatchUpNs / IntervalNs));
    Done += Due;
    return int(Steps);
}

qint64 SteadyClockNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
