// Pattern reading from raw bytes to a placed world: splitting into lines, trimming to the
// live cells and placement. Each step is checked against a plain restatement of its rules.
// The world's size comes from the input's last four bytes, so the clipping is tried at
// every width from 320 to 1280 and every height from 240 to 1024.

#include "app/ulife.h"
#include "patterns/lifelines.h"

#include <QByteArrayView>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

void Require(bool Holds, const char* What) {
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz_lifelines: %s\n", What);
    std::abort();
}

struct TWorldSize {
    int Width;
    int Height;
};

TWorldSize WorldSizeFrom(QByteArrayView Bytes) {
    if (Bytes.size() < 4)
        return {320, 240};
    const auto Byte = [Bytes](qsizetype FromEnd) {
        return unsigned(quint8(Bytes[Bytes.size() - FromEnd]));
    };
    const unsigned WidthBits = Byte(4) | Byte(3) << 8;
    const unsigned HeightBits = Byte(2) | Byte(1) << 8;
    return {320 + int(WidthBits % (1280 - 320 + 1)), 240 + int(HeightBits % (1024 - 240 + 1))};
}

// Line ends made uniform first, then one split: another road to the same lines.
QStringList ReferenceSplit(QByteArrayView Bytes) {
    if (const qsizetype Zero = Bytes.indexOf('\0'); Zero >= 0)
        Bytes = Bytes.first(Zero);
    QByteArray Text = Bytes.toByteArray();
    Text.replace("\r\n", "\n").replace('\r', '\n');
    QList<QByteArray> Parts = Text.split('\n');
    if (Parts.constLast().isEmpty())
        Parts.removeLast();
    QStringList Lines;
    for (const QByteArray& Part : Parts)
        Lines << QString::fromLatin1(Part);
    return Lines;
}

using TPositions = std::vector<std::pair<qsizetype, qsizetype>>; // (row, column), from 0

TPositions LivePositions(const QStringList& Lines) {
    TPositions Positions;
    for (qsizetype Row = 0; Row < Lines.size(); ++Row) {
        for (qsizetype Column = 0; Column < Lines[Row].size(); ++Column) {
            if (IsLiveChar(Lines[Row][Column]))
                Positions.emplace_back(Row, Column);
        }
    }
    return Positions;
}

// The live characters after the leading comment line, moved so that the topmost and the
// leftmost of them lie in row 0 and column 0: what trimming must leave.
TPositions ExpectedAfterTrim(QStringList Lines) {
    if (!Lines.isEmpty() && IsCommentLine(Lines.first()))
        Lines.removeFirst();
    TPositions Positions = LivePositions(Lines);
    if (Positions.empty())
        return Positions;
    qsizetype Top = Positions.front().first;
    qsizetype Left = Positions.front().second;
    for (const auto& [Row, Column] : Positions)
        Left = std::min(Left, Column);
    for (auto& [Row, Column] : Positions) {
        Row -= Top;
        Column -= Left;
    }
    return Positions;
}

void CheckTrimmed(const QStringList& Lines, const QStringList& Trimmed) {
    const TPositions Expected = ExpectedAfterTrim(Lines);
    Require(LivePositions(Trimmed) == Expected, "trimming moved or lost a live character");
    const qsizetype Rows = Expected.empty() ? 0 : Expected.back().first + 1;
    Require(Trimmed.size() == Rows, "trimming kept rows outside the live cells");
}

// The world is shared by all inputs: every cell an input touches is checked and then
// cleared again, so each input starts from an empty world.
TWorld& SharedWorld() {
    static TWorld World;
    return World;
}

void CheckPlaced(const QStringList& Trimmed, TWorldSize Size) {
    TWorld& World = SharedWorld();
    PlaceLifeLines(Trimmed, World, Size.Width, Size.Height);

    const bool SkipFirst = !Trimmed.isEmpty() && IsCommentLine(Trimmed.first());
    qsizetype Expected = 0;
    for (const auto& [Row, Column] : LivePositions(Trimmed)) {
        if (Row >= Size.Height || Column >= Size.Width || (Row == 0 && SkipFirst))
            continue;
        const TCell& Cell = World(int(Column), int(Row));
        Require(Cell.State == 1 && Cell.PrevState == 1, "a live character was not placed");
        ++Expected;
    }

    qsizetype Placed = 0;
    const int Rows = int(std::min<qsizetype>(Trimmed.size(), Size.Height));
    for (int Y = 0; Y < Rows; ++Y) {
        const int Columns = int(std::min<qsizetype>(Trimmed[Y].size(), Size.Width));
        for (int X = 0; X < Columns; ++X) {
            TCell& Cell = World(X, Y);
            Require(Cell.State == Cell.PrevState, "placement split State and PrevState");
            Placed += Cell.State;
            Cell.State = Cell.PrevState = 0;
        }
    }
    Require(Placed == Expected, "placement made a dead character live");

    // Nothing lands just beyond the world's right or bottom edge.
    if (Size.Width < TWorld::MaxHorCells) {
        for (int Y = 0; Y < Size.Height; ++Y)
            Require(World(Size.Width, Y).State == 0, "a cell beyond the right edge is live");
    }
    if (Size.Height < TWorld::MaxVertCells) {
        for (int X = 0; X < Size.Width; ++X)
            Require(World(X, Size.Height).State == 0, "a cell below the bottom edge is live");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QByteArrayView Bytes(Data, qsizetype(Size));
    const QStringList Lines = SplitLifeLines(Bytes);
    Require(Lines == ReferenceSplit(Bytes), "line splitting differs from the reference");

    QStringList Trimmed = Lines;
    TLifeForm::TrimLifeLines(Trimmed);
    CheckTrimmed(Lines, Trimmed);

    CheckPlaced(Trimmed, WorldSizeFrom(Bytes));
    return 0;
}
