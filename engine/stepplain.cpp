// The step on plain 64-bit words, which every processor and compiler has. A strip is a few
// words wide: one word would read every cache line of the world once for each word in it.

#include "engine/stepkernel.h"

namespace {

template <int Count> struct TWords {
    std::uint64_t Word[Count];

    template <typename TOperation> friend TWords Each(const TWords& A, TOperation Operation) {
        TWords Result;
        for (int I = 0; I < Count; ++I)
            Result.Word[I] = Operation(A.Word[I]);
        return Result;
    }
    template <typename TOperation>
    friend TWords Each(const TWords& A, const TWords& B, TOperation Operation) {
        TWords Result;
        for (int I = 0; I < Count; ++I)
            Result.Word[I] = Operation(A.Word[I], B.Word[I]);
        return Result;
    }
    friend TWords operator&(const TWords& A, const TWords& B) {
        return Each(A, B, [](std::uint64_t X, std::uint64_t Y) { return X & Y; });
    }
    friend TWords operator|(const TWords& A, const TWords& B) {
        return Each(A, B, [](std::uint64_t X, std::uint64_t Y) { return X | Y; });
    }
    friend TWords operator^(const TWords& A, const TWords& B) {
        return Each(A, B, [](std::uint64_t X, std::uint64_t Y) { return X ^ Y; });
    }
    friend TWords operator~(const TWords& A) {
        return Each(A, [](std::uint64_t X) { return ~X; });
    }
    friend TWords operator<<(const TWords& A, int Bits) {
        return Each(A, [Bits](std::uint64_t X) { return X << Bits; });
    }
    friend TWords operator>>(const TWords& A, int Bits) {
        return Each(A, [Bits](std::uint64_t X) { return X >> Bits; });
    }
    TWords& operator|=(const TWords& B) { return *this = *this | B; }
};

using TStrip = TWords<4>;

} // namespace

bool StepPlain(const TStepPlan& Plan) {
    const TStrip Changes = StepKernel::StepStrips<TStrip>(Plan);
    std::uint64_t Any = 0;
    for (const std::uint64_t Word : Changes.Word)
        Any |= Word;
    return Any != 0;
}
