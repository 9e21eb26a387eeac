#pragma once

// The speed of a run as a rate: which generations are due at a tick. Timer ticks come late
// and are sometimes lost, most of all at one generation a millisecond; counting from the
// start of the run by a steady clock keeps the rate all the same. It knows nothing of
// timers or windows: times are given to it.

#include <QtGlobal>

class TRunSchedule {
public:
    // The most generations one tick does; a larger debt, as while the window is dragged,
    // is dropped rather than caught up.
    static constexpr int MaxPerTick = 8;

    // A run starts at Now (nanoseconds of a steady clock), one generation every IntervalMs.
    void Start(qint64 NowNs, int IntervalMs);
    // The generations due at Now, 0..MaxPerTick, counted as done.
    int Take(qint64 NowNs);

private:
    qint64 StartNs = 0;
    qint64 IntervalNs = 1;
    qint64 Done = 0;
};

// Nanoseconds of the system's steady clock, the clock of a run.
qint64 SteadyClockNs();
