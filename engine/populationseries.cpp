// The series of live cells with its blocks of smallest and largest counts.

#include "engine/populationseries.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

TPopulationSeries::TRange Joined(TPopulationSeries::TRange A, TPopulationSeries::TRange B) {
    return {std::min(A.Min, B.Min), std::max(A.Max, B.Max)};
}

} // namespace

void TPopulationSeries::Restart(qint64 Generation, qint32 Live) {
    First = Generation;
    Samples.assign(1, Live);
    Levels.clear();
}

// Each block that the new count completes goes one level up, where it may complete another.
void TPopulationSeries::Append(qint32 Live) {
    if (Count() == Kept + DropCount)
        DropOldest();
    Samples.push_back(Live);
    const qsizetype Size = Count();
    for (int Level = FirstLevel; (Size & ((qsizetype(1) << Level) - 1)) == 0; ++Level) {
        const std::size_t L = std::size_t(Level - FirstLevel);
        const qsizetype Index = (Size >> Level) - 1;
        const TRange Whole = Level == FirstLevel ? Scan(Index << Level, Size)
                                                 : Joined(Block(Level - 1, 2 * Index),
                                                          Block(Level - 1, 2 * Index + 1));
        if (Levels.size() <= L)
            Levels.emplace_back();
        Levels[L].push_back(Whole);
    }
}

// Whole blocks of the levels up to DropLevel, so they keep their places relative to the
// first count; the few larger blocks are joined anew from the ones below them.
void TPopulationSeries::DropOldest() {
    Samples.erase(Samples.begin(), Samples.begin() + DropCount);
    for (std::size_t L = 0; L < Levels.size(); ++L) {
        const int Level = int(L) + FirstLevel;
        auto& Blocks = Levels[L];
        if (Level <= DropLevel) {
            Blocks.erase(Blocks.begin(), Blocks.begin() + (DropCount >> Level));
            continue;
        }
        Blocks.resize(Levels[L - 1].size() / 2);
        for (std::size_t I = 0; I < Blocks.size(); ++I)
            Blocks[I] = Joined(Levels[L - 1][2 * I], Levels[L - 1][2 * I + 1]);
    }
    First += DropCount;
}

TPopulationSeries::TRange TPopulationSeries::Block(int Level, qsizetype Index) const {
    return Levels[std::size_t(Level - FirstLevel)][std::size_t(Index)];
}

TPopulationSeries::TRange TPopulationSeries::Scan(qsizetype From, qsizetype To) const {
    const auto [Min, Max] = std::minmax_element(Samples.begin() + From, Samples.begin() + To);
    return {*Min, *Max};
}

// The counts up to the first whole block of FirstLevel and after the last are read; in
// between, at each level, a block left over at either end is taken and the rest goes up.
TPopulationSeries::TRange TPopulationSeries::Range(qsizetype From, qsizetype To) const {
    if (From < 0 || To > Count() || From >= To)
        throw std::out_of_range("TPopulationSeries::Range");
    constexpr qsizetype Small = qsizetype(1) << FirstLevel;
    const qsizetype Low = (From + Small - 1) / Small;
    const qsizetype High = To / Small;
    if (Low >= High)
        return Scan(From, To);
    TRange Found{std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::min()};
    if (From < Low * Small)
        Found = Joined(Found, Scan(From, Low * Small));
    if (High * Small < To)
        Found = Joined(Found, Scan(High * Small, To));
    qsizetype Begin = Low;
    qsizetype End = High;
    for (int Level = FirstLevel; Begin < End; ++Level) {
        if (Begin & 1)
            Found = Joined(Found, Block(Level, Begin++));
        if (End & 1)
            Found = Joined(Found, Block(Level, --End));
        Begin >>= 1;
        End >>= 1;
    }
    return Found;
}

qsizetype TPopulationSeries::Bytes() const {
    qsizetype Bytes = qsizetype(Samples.capacity() * sizeof(qint32));
    for (const auto& Blocks : Levels)
        Bytes += qsizetype(Blocks.capacity() * sizeof(TRange));
    return Bytes;
}
