#pragma once

// Counting the live cells of a world, once a generation while a run goes on. A plain count
// of the largest world costs about as much as half a generation; the processor's own
// population count, or its vector instructions where it has them, cost a small part of one.
// The way is chosen once from the processor the program runs on.

#include "engine/lifeengine.h"

#include <QtGlobal>

#include <vector>

enum class TCountPath { Plain, Popcnt, Avx2 };

// The live cells of the world in use, by the fastest path this processor offers.
qint32 CountLiveCells(const TLifeEngine& Engine);

// The set bits of Count words, by Path; the paths this processor cannot run are not listed
// by CountPaths. For the tests and the benchmark, which compare and time the paths.
qint64 CountBits(const TLifeEngine::TWord* Words, int Count, TCountPath Path);
std::vector<TCountPath> CountPaths();
