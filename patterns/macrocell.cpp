// The macrocell reader: nodes with the corner of their live cells, then the part inside the
// world.

#include "patterns/macrocell.h"

#include "patterns/lifelines.h"
#include "patterns/patterncanvas.h"

#include <QtNumeric>

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr int LeafLevel = 3; // 8 x 8 cells
constexpr int LeafSide = 8;

const TPatternFault BrokenFormat{};

bool IsLeafLine(QByteArrayView Line) {
    return Line.front() == '.' || Line.front() == '*' || Line.front() == '$';
}

QByteArrayView WithoutTrailingBlanks(QByteArrayView Line) {
    while (!Line.isEmpty() && IsBlank(Line.back()))
        Line.chop(1);
    return Line;
}

// A leaf's cells, bit Row * 8 + Column.
std::optional<quint64> ReadLeaf(QByteArrayView Line) {
    quint64 Cells = 0;
    int Row = 0;
    int Column = 0;
    for (const char Character : WithoutTrailingBlanks(Line)) {
        if (Character == '$') {
            if (++Row > LeafSide)
                return std::nullopt;
            Column = 0;
            continue;
        }
        if (Row >= LeafSide || Column >= LeafSide)
            return std::nullopt;
        if (Character == '*')
            Cells |= quint64(1) << (Row * LeafSide + Column);
        else if (Character != '.')
            return std::nullopt;
        ++Column;
    }
    return Cells;
}

// The top-left corner of the live cells of a node, relative to the node's own; Left < 0:
// no live cell.
struct TCorner {
    qint64 Left = -1;
    qint64 Top = -1;

    bool Empty() const { return Left < 0; }

    void Add(const TCorner& Other, qint64 DX, qint64 DY) {
        if (Other.Empty())
            return;
        if (Empty()) {
            *this = {Other.Left + DX, Other.Top + DY};
            return;
        }
        Left = std::min(Left, Other.Left + DX);
        Top = std::min(Top, Other.Top + DY);
    }
};

TCorner LeafCorner(quint64 Cells) {
    if (Cells == 0)
        return {};
    quint64 Columns = 0;
    for (int Row = 0; Row < LeafSide; ++Row)
        Columns |= (Cells >> (Row * LeafSide)) & 0xFFu;
    return {std::countr_zero(Columns), std::countr_zero(Cells) / LeafSide};
}

// A node of four quarters, nw, ne, sw, se (0 empty), with its corner.
struct TInner {
    std::array<quint32, 4> Quarters;
    TCorner Corner;
};

// The file's nodes, numbered from 1 in the order of their lines. Memory is what matters
// here: a file of 8 MB can hold four million leaves. A node is a reference of 4 bytes,
// with its level, into the leaves (8 bytes each) or the inner nodes (32 bytes each), and
// both tables are reserved from a count of the lines.
class TNodes {
public:
    void Reserve(QByteArrayView Text) {
        qsizetype LeafLines = 0;
        qsizetype InnerLines = 0;
        TLineCursor Lines(Text);
        while (const std::optional<QByteArrayView> Line = Lines.Next()) {
            const QByteArrayView Start = Line->trimmed();
            if (Start.isEmpty())
                continue;
            if (IsLeafLine(*Line))
                ++LeafLines;
            else if (Start.front() >= '0' && Start.front() <= '9')
                ++InnerLines;
        }
        Leaves.reserve(size_t(LeafLines));
        Inner.reserve(size_t(InnerLines));
        References.reserve(size_t(LeafLines + InnerLines));
    }

    qsizetype Count() const { return qsizetype(References.size()); }
    int Level(quint32 Number) const { return int(References[Number - 1] & LevelMask); }
    bool IsLeaf(quint32 Number) const { return Level(Number) == LeafLevel; }
    quint64 Cells(quint32 Number) const { return Leaves[References[Number - 1] >> LevelBits]; }
    const TInner& InnerNode(quint32 Number) const {
        return Inner[References[Number - 1] >> LevelBits];
    }

    TCorner Corner(quint32 Number) const {
        if (Number == 0)
            return {};
        return IsLeaf(Number) ? LeafCorner(Cells(Number)) : InnerNode(Number).Corner;
    }

    void AddLeaf(quint64 Cells) {
        References.push_back(Reference(Leaves.size(), LeafLevel));
        Leaves.push_back(Cells);
    }

    void AddInner(int Level, const TInner& Node) {
        References.push_back(Reference(Inner.size(), Level));
        Inner.push_back(Node);
    }

private:
    static constexpr int LevelBits = 6;
    static constexpr quint32 LevelMask = (1u << LevelBits) - 1;
    static_assert(MacrocellMaxLevel <= int(LevelMask));

    static quint32 Reference(size_t Index, int Level) {
        // A pattern file of at most 8 MB has fewer lines than 2^26.
        if (Index >= (size_t(1) << (32 - LevelBits)))
            qFatal("TNodes: more nodes than a reference holds");
        return quint32(Index) << LevelBits | quint32(Level);
    }

    std::vector<quint32> References;
    std::vector<quint64> Leaves;
    std::vector<TInner> Inner;
};

// The next number of a node line from Position on, after blanks; nothing when there is
// none or it lies beyond 64 bits.
std::optional<quint64> NextNumber(QByteArrayView Line, qsizetype& Position) {
    while (Position < Line.size() && IsBlank(Line[Position]))
        ++Position;
    const qsizetype First = Position;
    quint64 Value = 0;
    while (Position < Line.size() && Line[Position] >= '0' && Line[Position] <= '9') {
        if (qMulOverflow(Value, quint64(10), &Value) ||
            qAddOverflow(Value, quint64(Line[Position] - '0'), &Value))
            return std::nullopt;
        ++Position;
    }
    if (Position == First || (Position < Line.size() && !IsBlank(Line[Position])))
        return std::nullopt;
    return Value;
}

// "level nw ne sw se", of quarters among the Nodes read so far.
bool ReadInner(QByteArrayView Line, TNodes& Nodes) {
    Line = WithoutTrailingBlanks(Line);
    qsizetype Position = 0;
    std::array<quint64, 5> Numbers{};
    for (quint64& Number : Numbers) {
        const std::optional<quint64> Read = NextNumber(Line, Position);
        if (!Read)
            return false;
        Number = *Read;
    }
    if (Position != Line.size() || Numbers[0] <= LeafLevel || Numbers[0] > MacrocellMaxLevel)
        return false;
    const int Level = int(Numbers[0]);
    const qint64 Half = qint64(1) << (Level - 1);
    TInner Node{};
    for (int Quarter = 0; Quarter < 4; ++Quarter) {
        const quint64 Number = Numbers[size_t(Quarter) + 1];
        // Node 0 is the empty node.
        if (Number > quint64(Nodes.Count()))
            return false;
        Node.Quarters[size_t(Quarter)] = quint32(Number);
        if (Number == 0)
            continue;
        if (Nodes.Level(quint32(Number)) != Level - 1)
            return false;
        Node.Corner.Add(Nodes.Corner(quint32(Number)), Quarter % 2 == 1 ? Half : 0,
                        Quarter / 2 == 1 ? Half : 0);
    }
    Nodes.AddInner(Level, Node);
    return true;
}

// Draws the live cells of the node at (X, Y) that lie in the window of the largest world
// from (Left, Top) on, relative to the root. Only nodes that reach into the window are
// visited, a few thousand at most whatever the tree's size.
class TExpansion {
public:
    TExpansion(const TNodes& Nodes, qint64 Left, qint64 Top, TPatternCanvas& Canvas)
        : Nodes(Nodes), Left(Left), Top(Top), Canvas(Canvas) {}

    void Expand(quint32 Number, qint64 X, qint64 Y) {
        if (Number == 0)
            return;
        const TCorner Corner = Nodes.Corner(Number);
        const int Level = Nodes.Level(Number);
        const qint64 Last = (qint64(1) << Level) - 1;
        if (Corner.Empty() || X + Corner.Left > Left + PatternMaxColumns - 1 ||
            Y + Corner.Top > Top + PatternMaxRows - 1 || X + Last < Left || Y + Last < Top)
            return;
        if (Level == LeafLevel) {
            DrawLeaf(Nodes.Cells(Number), X, Y);
            return;
        }
        const std::array<quint32, 4>& Quarters = Nodes.InnerNode(Number).Quarters;
        const qint64 Half = qint64(1) << (Level - 1);
        Expand(Quarters[0], X, Y);
        Expand(Quarters[1], X + Half, Y);
        Expand(Quarters[2], X, Y + Half);
        Expand(Quarters[3], X + Half, Y + Half);
    }

private:
    void DrawLeaf(quint64 Cells, qint64 X, qint64 Y) {
        for (int Row = 0; Row < LeafSide; ++Row) {
            unsigned Bits = unsigned(Cells >> (Row * LeafSide)) & 0xFFu;
            for (int Column = 0; Bits != 0;) {
                const int Gap = std::countr_zero(Bits);
                Bits >>= Gap;
                Column += Gap;
                const int Length = std::countr_one(Bits);
                Canvas.Draw(X + Column, Y + Row, Length);
                Bits >>= Length;
                Column += Length;
            }
        }
    }

    const TNodes& Nodes;
    qint64 Left;
    qint64 Top;
    TPatternCanvas& Canvas;
};

} // namespace

TPatternRows ReadMacrocell(QByteArrayView Text) {
    TNodes Nodes;
    Nodes.Reserve(Text);
    TLineCursor Lines(Text);
    Lines.Next();
    while (const std::optional<QByteArrayView> Line = Lines.Next()) {
        if (Line->startsWith('#')) {
            if (const std::optional<TPatternFault> Fault = CheckRuleLine(*Line))
                return *Fault;
            continue;
        }
        if (IsBlankLine(*Line))
            continue;
        if (IsLeafLine(*Line)) {
            const std::optional<quint64> Cells = ReadLeaf(*Line);
            if (!Cells)
                return BrokenFormat;
            Nodes.AddLeaf(*Cells);
        } else if (!ReadInner(*Line, Nodes)) {
            return BrokenFormat;
        }
    }
    if (Nodes.Count() == 0)
        return BrokenFormat;
    const quint32 Root = quint32(Nodes.Count());
    const TCorner Corner = Nodes.Corner(Root);
    if (Corner.Empty())
        return QStringList();
    TPatternCanvas Canvas(Corner.Left, Corner.Top);
    TExpansion(Nodes, Corner.Left, Corner.Top, Canvas).Expand(Root, 0, 0);
    return Canvas.Rows();
}
