// The macrocell reader on arbitrary text after a "[M2]" line, against a reference that
// matches whole lines with regular expressions and expands every node cell by cell. The
// reference runs only on trees of level 8 or less, whose cells it can afford to visit;
// larger trees are checked for the shape of their rows alone.

#include "patterns/lifelines.h"
#include "patterns/macrocell.h"

#include <QByteArrayView>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

void Require(bool Holds, const char* What) {
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz_macrocell: %s\n", What);
    std::abort();
}

constexpr int ReferenceMaxLevel = 8;

struct TRefNode {
    int Level = 3;
    std::set<std::pair<long long, long long>> Cells; // (x, y) of a leaf
    std::vector<unsigned long long> Quarters;        // nw, ne, sw, se of a node
};

// Nothing: the file is refused. Otherwise the rows of the live cells' bounding box, or
// nothing at all when the tree is too deep to expand here (Deep is set).
std::optional<QStringList> ReferenceRows(const QStringList& Lines, bool& Deep) {
    static const std::regex LeafLine(R"(^([.*$]+)[ \t]*$)");
    static const std::regex NodeLine(
        R"(^[ \t]*(\d+)[ \t]+(\d+)[ \t]+(\d+)[ \t]+(\d+)[ \t]+(\d+)[ \t]*$)");
    static const std::regex BlankLine(R"(^[ \t]*$)");
    std::vector<TRefNode> Nodes(1); // node 0: empty
    for (qsizetype I = 1; I < Lines.size(); ++I) {
        const std::string Line = Lines[I].toLatin1().toStdString();
        std::smatch Match;
        if (Line.rfind('#', 0) == 0) {
            if (Line.rfind("#R", 0) != 0)
                continue;
            if (!IsConwayRule(QByteArray::fromStdString(Line.substr(2)).trimmed()))
                return std::nullopt;
        } else if (std::regex_match(Line, BlankLine)) {
            continue;
        } else if (std::regex_match(Line, Match, LeafLine)) {
            TRefNode Leaf;
            long long X = 0;
            long long Y = 0;
            for (const char C : Match[1].str()) {
                if (C == '$') {
                    ++Y;
                    X = 0;
                    continue;
                }
                if (X > 7 || Y > 7)
                    return std::nullopt;
                if (C == '*')
                    Leaf.Cells.insert({X, Y});
                ++X;
            }
            if (Y > 8)
                return std::nullopt;
            Nodes.push_back(Leaf);
        } else if (std::regex_match(Line, Match, NodeLine)) {
            TRefNode Node;
            // Every number of more than 12 digits is beyond any node.
            const auto Number = [&Match](int Group) {
                std::string Digits = Match[Group].str();
                Digits.erase(0, std::min(Digits.find_first_not_of('0'), Digits.size() - 1));
                return Digits.size() > 12 ? ~0ull : std::stoull(Digits);
            };
            Node.Level = int(std::min(Number(1), 1000ull));
            if (Node.Level < 4 || Node.Level > MacrocellMaxLevel)
                return std::nullopt;
            for (int Group = 2; Group <= 5; ++Group) {
                const unsigned long long Index = Number(Group);
                if (Index >= Nodes.size() || (Index != 0 && Nodes[Index].Level != Node.Level - 1))
                    return std::nullopt;
                Node.Quarters.push_back(Index);
            }
            Nodes.push_back(Node);
        } else {
            return std::nullopt;
        }
    }
    if (Nodes.size() == 1)
        return std::nullopt;
    if (Nodes.back().Level > ReferenceMaxLevel) {
        Deep = true;
        return QStringList();
    }
    std::set<std::pair<long long, long long>> Cells;
    const auto Expand = [&Nodes, &Cells](auto& Self, unsigned long long Index, long long X,
                                         long long Y) -> void {
        const TRefNode& Node = Nodes[Index];
        for (const auto& [CX, CY] : Node.Cells)
            Cells.insert({X + CX, Y + CY});
        const long long Half = Node.Level > 3 ? 1ll << (Node.Level - 1) : 0;
        for (size_t Q = 0; Q < Node.Quarters.size(); ++Q) {
            if (Node.Quarters[Q] != 0)
                Self(Self, Node.Quarters[Q], X + (Q % 2) * Half, Y + (Q / 2) * Half);
        }
    };
    Expand(Expand, Nodes.size() - 1, 0, 0);
    if (Cells.empty())
        return QStringList();
    long long Left = Cells.begin()->first;
    long long Right = Left;
    long long Top = Cells.begin()->second;
    long long Bottom = Top;
    for (const auto& [X, Y] : Cells) {
        Left = std::min(Left, X);
        Right = std::max(Right, X);
        Top = std::min(Top, Y);
        Bottom = std::max(Bottom, Y);
    }
    QStringList Rows(qsizetype(Bottom - Top + 1), QString(qsizetype(Right - Left + 1), '.'));
    for (const auto& [X, Y] : Cells)
        Rows[qsizetype(Y - Top)][qsizetype(X - Left)] = QLatin1Char('O');
    return Rows;
}

// A rectangle of "O" and "." within the largest world, with a live cell in its last row
// and in its last column.
void CheckShape(const QStringList& Rows) {
    Require(Rows.size() <= PatternMaxRows, "more rows than any world has");
    if (Rows.isEmpty())
        return;
    const qsizetype Width = Rows.first().size();
    Require(Width > 0 && Width <= PatternMaxColumns, "a row of a wrong length");
    bool RightColumnLives = false;
    for (const QString& Row : Rows) {
        Require(Row.size() == Width, "rows of different lengths");
        RightColumnLives = RightColumnLives || Row.back() == QLatin1Char('O');
    }
    Require(Rows.back().contains(QLatin1Char('O')), "a dead row at the bottom");
    Require(RightColumnLives, "a dead column at the right");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QByteArray Text =
        "[M2] (fuzz)\n" + QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size));
    QStringList Lines;
    TLineCursor Cursor(Text);
    while (const std::optional<QByteArrayView> Line = Cursor.Next())
        Lines << QString::fromLatin1(*Line);
    const TPatternRows Read = ReadMacrocell(Text);
    bool Deep = false;
    const std::optional<QStringList> Expected = ReferenceRows(Lines, Deep);
    Require(std::holds_alternative<QStringList>(Read) == Expected.has_value(),
            "the reader and the reference disagree on refusing the file");
    if (!Expected)
        return 0;
    const QStringList& Rows = std::get<QStringList>(Read);
    CheckShape(Rows);
    Require(Deep || Rows == *Expected, "the rows differ from the reference's");
    return 0;
}
