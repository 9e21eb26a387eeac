#pragma once

// The generation step over rows of 64-cell words, written once for any word type that has
// the bitwise operators and shifts lane by lane: std::uint64_t, or a vector of them. Each
// path of the step instantiates it with its own type in its own file.
//
// This header holds only plain data, declarations and templates on the word type: it is
// included by a file compiled for a wider instruction set, and an inline function that other
// files share could be taken from that one into code that runs on any processor.

#include <cstdint>
#include <cstring>

// What a step reads and writes. A row holds a frame word left of its cells (word 0, whose
// top bit is the cell left of column 0) and the words of its cells from word 1; the frame
// cell right of the last column is set in the word beyond it. Words beyond the used ones,
// up to the next multiple of the widest word type, may be read and are written as 0.
struct TStepPlan {
    const std::uint64_t* Snapshot; // the generation read, row 0 word 0
    std::uint64_t* Next;           // the generation written, row 0 word 0
    int RowWords;                  // the distance from a row to the next
    const int* RowLinks;           // RowLinks[Y + 1] is the row read as row Y, Y = -1..Height
    int Height;
    int Words;                  // the words in use of a row
    const std::uint64_t* Masks; // the bits in use of each word of a row, 0 beyond Words
};

// Computes the next generation of the plan; whether any cell in use changed.
bool StepPlain(const TStepPlan& Plan);
// The same with AVX2, four words at a time; only on a processor that has it.
bool StepAvx2(const TStepPlan& Plan);

namespace StepKernel {

template <typename TLanes> TLanes Load(const std::uint64_t* From) {
    TLanes Lanes;
    std::memcpy(&Lanes, From, sizeof Lanes);
    return Lanes;
}

template <typename TLanes> void Store(std::uint64_t* To, TLanes Lanes) {
    std::memcpy(To, &Lanes, sizeof Lanes);
}

// The live cells among each cell and its left and right neighbours, as a two-bit number per
// bit position (Low its ones, High its twos), and the cells themselves. Bit B of a word is
// column 64 W + B, so a left shift brings every cell's left neighbour to it and a right
// shift its right one; the bits that cross a word come from the words beside it.
template <typename TLanes> struct TRowSum {
    TLanes Low;
    TLanes High;
    TLanes Centre;
};

template <typename TLanes> TRowSum<TLanes> SumRow(const std::uint64_t* Words) {
    const TLanes Centre = Load<TLanes>(Words);
    const TLanes Left = (Centre << 1) | (Load<TLanes>(Words - 1) >> 63);
    const TLanes Right = (Centre >> 1) | (Load<TLanes>(Words + 1) << 63);
    const TLanes Sides = Left ^ Right;
    return {Sides ^ Centre, (Left & Right) | (Sides & Centre), Centre};
}

// Adds the three row sums of the 3 x 3 block around each cell, 0..9 with the cell itself,
// and applies the rules: a sum of 3 gives life whatever the cell was, 4 keeps a live cell
// alive (three neighbours) and a dead one dead (four), anything else is death.
template <typename TLanes>
TLanes NextCells(const TRowSum<TLanes>& Above, const TRowSum<TLanes>& Mid,
                 const TRowSum<TLanes>& Below) {
    // Ones: the parity of the three low bits; their carry weighs two like the high bits.
    const TLanes LowSides = Above.Low ^ Below.Low;
    const TLanes Ones = LowSides ^ Mid.Low;
    const TLanes Carry = (Above.Low & Below.Low) | (LowSides & Mid.Low);
    // Twos: Carry plus the three high bits, counted as Parity + 2 Pairs + Carry.
    const TLanes HighSides = Above.High ^ Below.High;
    const TLanes Parity = HighSides ^ Mid.High;
    const TLanes Pairs = (Above.High & Below.High) | (HighSides & Mid.High);
    const TLanes TwosIsOne = (Parity ^ Carry) & ~Pairs;
    const TLanes TwosIsTwo = (Pairs & ~(Parity | Carry)) | (~Pairs & Parity & Carry);
    return (Ones & TwosIsOne) | (~Ones & TwosIsTwo & Mid.Centre);
}

// The world in strips as wide as one TLanes, each walked from top to bottom: the row sums
// of the three rows around a row stay in registers and slide down, so each row is read
// once a strip and only the result is stored. Returns the changed bits of every strip, or-ed
// together.
template <typename TLanes> TLanes StepStrips(const TStepPlan& Plan) {
    constexpr int Lanes = int(sizeof(TLanes) / sizeof(std::uint64_t));
    const auto Row = [&Plan](int Y) {
        return Plan.Snapshot + std::size_t(Plan.RowLinks[Y + 1]) * std::size_t(Plan.RowWords);
    };
    TLanes Changes{};
    for (int First = 1; First <= Plan.Words; First += Lanes) {
        const TLanes Mask = Load<TLanes>(Plan.Masks + First);
        TRowSum<TLanes> Above = SumRow<TLanes>(Row(-1) + First);
        TRowSum<TLanes> Mid = SumRow<TLanes>(Row(0) + First);
        std::uint64_t* Out = Plan.Next + First;
        for (int Y = 0; Y < Plan.Height; ++Y) {
            const TRowSum<TLanes> Below = SumRow<TLanes>(Row(Y + 1) + First);
            const TLanes Next = NextCells(Above, Mid, Below) & Mask;
            Store(Out, Next);
            Changes |= Next ^ (Mid.Centre & Mask);
            Out += Plan.RowWords;
            Above = Mid;
            Mid = Below;
        }
    }
    return Changes;
}

} // namespace StepKernel
