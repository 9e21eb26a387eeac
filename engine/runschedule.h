#pragma once

// The speed of a run as a rate: which generations are due at a tick. Timer ticks come late
// and are sometimes lost, most of all at one generation a millisecond; counting from the
// start of the run by a steady clock keeps the rate all the same. It knows nothing of
// timers or windows: times are given to it.

#include <QtGlobal>

class TRunSchedule {
public:
    // One tick catches up on the generations due in this much time at most, and always does
    // one: a larger debt, as while the window is dragged, is dropped rather than caught up.
    // So the 1 ms speed may do 8 at a tick, and a stall at 50 ms or slower never jumps.
    static constexpr qint64 CatchUpNs = 8'000'000;

    // A run starts at Now (nanoseconds of a steady clock), one generation every IntervalMs.
    void Start(qint64 NowNs, int IntervalMs);
    // The generations due at Now, bounded as above, counted as done.
    int Take(qint64 NowNs);

private:
    qint64 StartNs = 0;
    qint64 IntervalNs = 1;
    qint64 Done = 0;
};

// Nanoseconds of the system's steady clock, the clock of a run.
qint64 SteadyClockNs();
