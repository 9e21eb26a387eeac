// The live cells counted a row at a time, with the processor's fastest population count.

#include "engine/livecount.h"

#include <bit>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define GOL_X86_COUNTS 1
#include <immintrin.h>
#endif

namespace {

using TWord = TLifeEngine::TWord;

qint64 CountPlain(const TWord* Words, int Count) {
    qint64 Bits = 0;
    for (int W = 0; W < Count; ++W)
        Bits += std::popcount(Words[W]);
    return Bits;
}

#ifdef GOL_X86_COUNTS

__attribute__((target("popcnt"))) qint64 CountPopcnt(const TWord* Words, int Count) {
    qint64 Bits = 0;
    for (int W = 0; W < Count; ++W)
        Bits += std::popcount(Words[W]);
    return Bits;
}

// Four words at a time: each nibble's bits looked up in a table of sixteen, the bytes'
// counts summed into four 64-bit lanes. A row of the widest world is twenty words.
__attribute__((target("avx2,popcnt"))) qint64 CountAvx2(const TWord* Words, int Count) {
    const __m256i Table = _mm256_setr_epi8(0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4, 0, 1, 1,
                                           2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4);
    const __m256i Nibble = _mm256_set1_epi8(0x0f);
    __m256i Sums = _mm256_setzero_si256();
    int W = 0;
    for (; W + 4 <= Count; W += 4) {
        const __m256i Block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Words + W));
        const __m256i Low = _mm256_shuffle_epi8(Table, _mm256_and_si256(Block, Nibble));
        const __m256i High =
            _mm256_shuffle_epi8(Table, _mm256_and_si256(_mm256_srli_epi16(Block, 4), Nibble));
        Sums = _mm256_add_epi64(
            Sums, _mm256_sad_epu8(_mm256_add_epi8(Low, High), _mm256_setzero_si256()));
    }
    qint64 Bits = _mm256_extract_epi64(Sums, 0) + _mm256_extract_epi64(Sums, 1) +
                  _mm256_extract_epi64(Sums, 2) + _mm256_extract_epi64(Sums, 3);
    for (; W < Count; ++W)
        Bits += std::popcount(Words[W]);
    return Bits;
}

#endif

bool Supports(TCountPath Path) {
#ifdef GOL_X86_COUNTS
    switch (Path) {
    case TCountPath::Plain:
        return true;
    case TCountPath::Popcnt:
        return __builtin_cpu_supports("popcnt");
    case TCountPath::Avx2:
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    }
    return false;
#else
    return Path == TCountPath::Plain;
#endif
}

TCountPath FastestPath() {
    for (const TCountPath Path : {TCountPath::Avx2, TCountPath::Popcnt}) {
        if (Supports(Path))
            return Path;
    }
    return TCountPath::Plain;
}

} // namespace

qint64 CountBits(const TWord* Words, int Count, TCountPath Path) {
#ifdef GOL_X86_COUNTS
    if (Path == TCountPath::Avx2)
        return CountAvx2(Words, Count);
    if (Path == TCountPath::Popcnt)
        return CountPopcnt(Words, Count);
#endif
    return CountPlain(Words, Count);
}

std::vector<TCountPath> CountPaths() {
    std::vector<TCountPath> Paths;
    for (const TCountPath Path : {TCountPath::Plain, TCountPath::Popcnt, TCountPath::Avx2}) {
        if (Supports(Path))
            Paths.push_back(Path);
    }
    return Paths;
}

qint32 CountLiveCells(const TLifeEngine& Engine) {
    static const TCountPath Path = FastestPath();
    qint64 Live = 0;
    for (int Y = 0; Y < Engine.VertCells(); ++Y)
        Live += CountBits(Engine.StateWords(Y), Engine.UsedWords(), Path);
    return qint32(Live);
}
