// The macrocell reader: nodes with their bounding boxes, then the part inside the world.

#include "patterns/macrocell.h"

#include "patterns/patterncanvas.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

constexpr int LeafLevel = 3; // 8 x 8 cells
constexpr int LeafSide = 8;

const TPatternFault BrokenFormat{};

// Live cells' bounding box, inclusive, relative to the node's top-left corner. Left >
// Right: no live cell.
struct TBox {
    qint64 Left = 1;
    qint64 Top = 1;
    qint64 Right = 0;
    qint64 Bottom = 0;

    bool Empty() const { return Left > Right; }

    void Add(const TBox& Other, qint64 DX, qint64 DY) {
        if (Other.Empty())
            return;
        if (Empty()) {
            *this = {Other.Left + DX, Other.Top + DY, Other.Right + DX, Other.Bottom + DY};
            return;
        }
        Left = std::min(Left, Other.Left + DX);
        Top = std::min(Top, Other.Top + DY);
        Right = std::max(Right, Other.Right + DX);
        Bottom = std::max(Bottom, Other.Bottom + DY);
    }
};

struct TNode {
    // A leaf's cells, bit Row * 8 + Column; a node's quarters nw, ne, sw, se (0 empty).
    union {
        quint64 Cells;
        std::array<quint32, 4> Quarters;
    };
    TBox Box;
    qint8 Level;
};

bool IsBlank(QChar Character) {
    return Character == QLatin1Char(' ') || Character == QLatin1Char('\t');
}

qsizetype EndWithoutBlanks(const QString& Line) {
    qsizetype End = Line.size();
    while (End > 0 && IsBlank(Line[End - 1]))
        --End;
    return End;
}

std::optional<TNode> ReadLeaf(const QString& Line) {
    TNode Leaf;
    Leaf.Cells = 0;
    Leaf.Level = LeafLevel;
    int Row = 0;
    int Column = 0;
    const qsizetype End = EndWithoutBlanks(Line);
    for (qsizetype I = 0; I < End; ++I) {
        const QChar Character = Line[I];
        if (Character == QLatin1Char('$')) {
            if (++Row > LeafSide)
                return std::nullopt;
            Column = 0;
            continue;
        }
        if (Row >= LeafSide || Column >= LeafSide)
            return std::nullopt;
        if (Character == QLatin1Char('*')) {
            Leaf.Cells |= quint64(1) << (Row * LeafSide + Column);
            Leaf.Box.Add(TBox{Column, Row, Column, Row}, 0, 0);
        } else if (Character != QLatin1Char('.')) {
            return std::nullopt;
        }
        ++Column;
    }
    return Leaf;
}

// The next number of a node line from Position on, after blanks; nothing when there is
// none. Numbers too large for any node stop growing instead of overflowing.
std::optional<quint64> NextNumber(const QString& Line, qsizetype& Position, qsizetype End) {
    while (Position < End && IsBlank(Line[Position]))
        ++Position;
    const qsizetype First = Position;
    quint64 Value = 0;
    constexpr quint64 Enough = quint64(1) << 40;
    while (Position < End && Line[Position] >= QLatin1Char('0') &&
           Line[Position] <= QLatin1Char('9')) {
        Value = std::min(Value * 10 + (Line[Position].unicode() - '0'), Enough);
        ++Position;
    }
    if (Position == First || (Position < End && !IsBlank(Line[Position])))
        return std::nullopt;
    return Value;
}

// "level nw ne sw se", of quarters among the Nodes read so far.
std::optional<TNode> ReadNode(const QString& Line, const std::vector<TNode>& Nodes) {
    const qsizetype End = EndWithoutBlanks(Line);
    qsizetype Position = 0;
    std::array<quint64, 5> Numbers{};
    for (quint64& Number : Numbers) {
        const std::optional<quint64> Read = NextNumber(Line, Position, End);
        if (!Read)
            return std::nullopt;
        Number = *Read;
    }
    if (Position != End || Numbers[0] <= LeafLevel || Numbers[0] > MacrocellMaxLevel)
        return std::nullopt;
    TNode Node;
    Node.Level = qint8(Numbers[0]);
    const qint64 Half = qint64(1) << (Node.Level - 1);
    for (int Quarter = 0; Quarter < 4; ++Quarter) {
        const quint64 Index = Numbers[size_t(Quarter) + 1];
        // Node 0 is the empty node; node N is Nodes[N - 1].
        if (Index > Nodes.size())
            return std::nullopt;
        Node.Quarters[size_t(Quarter)] = quint32(Index);
        if (Index == 0)
            continue;
        const TNode& Part = Nodes[Index - 1];
        if (Part.Level != Node.Level - 1)
            return std::nullopt;
        Node.Box.Add(Part.Box, Quarter % 2 == 1 ? Half : 0, Quarter / 2 == 1 ? Half : 0);
    }
    return Node;
}

bool IsLeafLine(const QString& Line) {
    const QChar First = Line.front();
    return First == QLatin1Char('.') || First == QLatin1Char('*') || First == QLatin1Char('$');
}

bool IsBlankLine(const QString& Line) {
    return std::all_of(Line.cbegin(), Line.cend(), IsBlank);
}

// Draws the live cells of the node at (X, Y) that lie in Window, relative to the root.
class TExpansion {
public:
    TExpansion(const std::vector<TNode>& Nodes, const TBox& Window, TPatternCanvas& Canvas)
        : Nodes(Nodes), Window(Window), Canvas(Canvas) {}

    void Expand(quint32 Index, qint64 X, qint64 Y) {
        if (Index == 0)
            return;
        const TNode& Node = Nodes[Index - 1];
        const TBox& Box = Node.Box;
        if (Box.Empty() || X + Box.Right < Window.Left || X + Box.Left > Window.Right ||
            Y + Box.Bottom < Window.Top || Y + Box.Top > Window.Bottom)
            return;
        if (Node.Level == LeafLevel) {
            DrawLeaf(Node.Cells, X, Y);
            return;
        }
        const qint64 Half = qint64(1) << (Node.Level - 1);
        Expand(Node.Quarters[0], X, Y);
        Expand(Node.Quarters[1], X + Half, Y);
        Expand(Node.Quarters[2], X, Y + Half);
        Expand(Node.Quarters[3], X + Half, Y + Half);
    }

private:
    void DrawLeaf(quint64 Cells, qint64 X, qint64 Y) {
        for (int Row = 0; Row < LeafSide; ++Row) {
            unsigned Bits = unsigned(Cells >> (Row * LeafSide)) & 0xFFu;
            for (int Column = 0; Bits != 0;) {
                if ((Bits & 1u) == 0) {
                    Bits >>= 1;
                    ++Column;
                    continue;
                }
                int Length = 0;
                while ((Bits & 1u) != 0) {
                    Bits >>= 1;
                    ++Length;
                }
                Canvas.Draw(X + Column, Y + Row, Length);
                Column += Length;
            }
        }
    }

    const std::vector<TNode>& Nodes;
    TBox Window;
    TPatternCanvas& Canvas;
};

} // namespace

TPatternRows ReadMacrocell(const QStringList& Lines) {
    std::vector<TNode> Nodes;
    for (qsizetype I = 1; I < Lines.size(); ++I) {
        const QString& Line = Lines[I];
        if (Line.startsWith(QLatin1Char('#'))) {
            if (const std::optional<TPatternFault> Fault = CheckRuleLine(Line))
                return *Fault;
            continue;
        }
        if (IsBlankLine(Line))
            continue;
        const std::optional<TNode> Node = IsLeafLine(Line) ? ReadLeaf(Line) : ReadNode(Line, Nodes);
        if (!Node)
            return BrokenFormat;
        Nodes.push_back(*Node);
    }
    if (Nodes.empty())
        return BrokenFormat;
    const TBox& Box = Nodes.back().Box;
    if (Box.Empty())
        return QStringList();
    const TBox Window{Box.Left, Box.Top, Box.Left + PatternMaxColumns - 1,
                      Box.Top + PatternMaxRows - 1};
    TPatternCanvas Canvas(Box.Left, Box.Top);
    TExpansion(Nodes, Window, Canvas).Expand(quint32(Nodes.size()), 0, 0);
    return Canvas.Rows();
}
