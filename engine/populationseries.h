#pragma once

// The live cells of each generation since the cells were last changed by hand, for the
// population graph. It holds at least the last Kept generations, and answers the smallest
// and largest count of any stretch of them in a few steps, whatever its length, so that a
// graph of a million generations costs one pass over its pixel columns.
//
// Behind the counts lie blocks of 2^k of them (k = FirstLevel..): the smallest and largest
// count of each whole block. A stretch is taken from the fewest blocks that make it up.

#include <QtGlobal>

#include <vector>

class TPopulationSeries {
public:
    // At least this many of the latest generations are kept; the oldest go a quarter of
    // that at a time once a quarter more has come.
    static constexpr qsizetype Kept = qsizetype(1) << 20;

    struct TRange {
        qint32 Min;
        qint32 Max;
    };

    // A series of the one generation Generation with Live cells.
    TPopulationSeries(qint64 Generation = 0, qint32 Live = 0) { Restart(Generation, Live); }

    void Restart(qint64 Generation, qint32 Live);
    // The count of the generation after the last.
    void Append(qint32 Live);

    qint64 FirstGeneration() const { return First; }
    qint64 LastGeneration() const { return First + Count() - 1; }
    qsizetype Count() const { return qsizetype(Samples.size()); }
    // Index 0..Count() - 1: the generation FirstGeneration() + Index.
    qint32 At(qsizetype Index) const { return Samples.at(std::size_t(Index)); }
    qint32 Last() const { return Samples.back(); }
    // The smallest and largest count of the indexes From..To - 1, with From < To.
    TRange Range(qsizetype From, qsizetype To) const;
    // The bytes the series holds.
    qsizetype Bytes() const;

private:
    static constexpr int FirstLevel = 4; // below blocks of 16 the counts themselves are read
    static constexpr int DropLevel = 18; // the oldest go by 2^18, Kept / 4
    static constexpr qsizetype DropCount = qsizetype(1) << DropLevel;
    static_assert(DropCount * 4 == Kept);

    TRange Block(int Level, qsizetype Index) const;
    TRange Scan(qsizetype From, qsizetype To) const;
    void DropOldest();

    qint64 First = 0;
    std::vector<qint32> Samples;
    // Levels[L]: blocks of 2^(FirstLevel + L) counts, as many as are whole.
    std::vector<std::vector<TRange>> Levels;
};
