// The shared pattern formats: recognition, the readers and the rule check.
//
// Each reader but macrocell's walks the file's lines twice and hands every run of live cells, in
// the file's own coordinates, to a callback: the first walk finds the top-left corner of
// the live cells, the second draws the cells relative to it onto rows no larger than the
// largest world. The macrocell reader (patterns/macrocell.cpp) finds the corner in its
// tree instead, so that it need not visit every cell.

#include "patterns/patternformats.h"

#include "patterns/lifelines.h"
#include "patterns/macrocell.h"
#include "patterns/patterncanvas.h"

#include <QRegularExpression>
#include <QtNumeric>

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <optional>

namespace {

// Length live cells from (X, Y) rightwards, in the file's coordinates.
using TLiveRun = std::function<void(qint64 X, qint64 Y, qint64 Length)>;

// A reader calls Live for every run of live cells, in the same order on every walk, and
// returns a fault when the file breaks its format or plays another rule.
using TFormatReader = std::optional<TPatternFault> (*)(QByteArrayView Text, const TLiveRun& Live);

const TPatternFault BrokenFormat{};

// Position + Steps, or nothing where that leaves 64 bits: such a file cannot be read
// exactly, so it is refused.
std::optional<qint64> Advance(qint64 Position, qint64 Steps) {
    qint64 Sum = 0;
    if (qAddOverflow(Position, Steps, &Sum))
        return std::nullopt;
    return Sum;
}

bool IsAsciiLetter(char Character) {
    return (Character >= 'a' && Character <= 'z') || (Character >= 'A' && Character <= 'Z');
}

// Up to three words of Line, split at blanks and tabs, and how many there are in all.
struct TWords {
    std::array<QByteArrayView, 3> Word;
    qsizetype Count = 0;
};

TWords Words(QByteArrayView Line) {
    TWords Words;
    for (qsizetype I = 0; I < Line.size();) {
        if (IsBlank(Line[I])) {
            ++I;
            continue;
        }
        const qsizetype Start = I;
        while (I < Line.size() && !IsBlank(Line[I]))
            ++I;
        if (Words.Count < qsizetype(Words.Word.size()))
            Words.Word[size_t(Words.Count)] = Line.sliced(Start, I - Start);
        ++Words.Count;
    }
    return Words;
}

// A decimal integer; nothing for another word or one beyond 64 bits.
std::optional<qint64> Integer(QByteArrayView Word) {
    bool Ok = false;
    const qint64 Value = Word.toLongLong(&Ok, 10);
    return Ok ? std::optional(Value) : std::nullopt;
}

// Line is Header, perhaps followed by blanks.
bool IsHeaderLine(QByteArrayView Line, QByteArrayView Header) {
    return Line.startsWith(Header) && IsBlankLine(Line.sliced(Header.size()));
}

// The line where the RLE header may stand, after "#" lines and blank lines only; Lines
// stands after it. Nothing when there is no such line.
std::optional<QByteArrayView> FirstRleLine(TLineCursor& Lines) {
    while (const std::optional<QByteArrayView> Line = Lines.Next()) {
        if (!Line->startsWith('#') && !IsBlankLine(*Line))
            return Line;
    }
    return std::nullopt;
}

const QRegularExpression& RleHeaderStart() {
    static const QRegularExpression Start(QStringLiteral(R"(^\s*x\s*=\s*\d)"));
    return Start;
}

const QRegularExpression& RleHeader() {
    static const QRegularExpression Header(
        QStringLiteral(R"(^\s*x\s*=\s*\d+\s*,\s*y\s*=\s*\d+\s*(?:,\s*rule\s*=(.*))?$)"));
    return Header;
}

// ---- Life 1.06: one "x y" pair per live cell

// "#D", "#N" and every other "#" line is a comment, as other readers take them.
std::optional<TPatternFault> ReadLife106(QByteArrayView Text, const TLiveRun& Live) {
    TLineCursor Lines(Text);
    Lines.Next();
    while (const std::optional<QByteArrayView> Line = Lines.Next()) {
        if (IsBlankLine(*Line) || Line->startsWith('#'))
            continue;
        const TWords Pair = Words(*Line);
        const std::optional<qint64> X = Pair.Count == 2 ? Integer(Pair.Word[0]) : std::nullopt;
        const std::optional<qint64> Y = Pair.Count == 2 ? Integer(Pair.Word[1]) : std::nullopt;
        if (!X || !Y)
            return BrokenFormat;
        Live(*X, *Y, 1);
    }
    return std::nullopt;
}

// ---- Life 1.05: "#" lines, and blocks of "*" and "." placed by "#P x y"

struct TBlock {
    qint64 Left = 0;
    qint64 Top = 0;
    qint64 Row = 0; // the next line's row within the block
};

// "#P" alone places the block at 0 0.
std::optional<TBlock> BlockAt(const TWords& Tag) {
    if (Tag.Count == 1)
        return TBlock{};
    const std::optional<qint64> Left = Tag.Count == 3 ? Integer(Tag.Word[1]) : std::nullopt;
    const std::optional<qint64> Top = Tag.Count == 3 ? Integer(Tag.Word[2]) : std::nullopt;
    if (!Left || !Top)
        return std::nullopt;
    return TBlock{*Left, *Top, 0};
}

// One row of a block; blanks at its end are no cells. False when the row breaks the format
// or a cell lies beyond 64 bits.
bool ReadLife105Row(QByteArrayView Line, const TBlock& Block, const TLiveRun& Live) {
    qsizetype End = Line.size();
    while (End > 0 && IsBlank(Line[End - 1]))
        --End;
    const std::optional<qint64> Y = Advance(Block.Top, Block.Row);
    for (qsizetype Column = 0; Column < End;) {
        if (Line[Column] == '.') {
            ++Column;
            continue;
        }
        if (Line[Column] != '*')
            return false;
        qsizetype Last = Column;
        while (Last + 1 < End && Line[Last + 1] == '*')
            ++Last;
        const std::optional<qint64> X = Advance(Block.Left, Column);
        if (!Y || !X || !Advance(*X, Last - Column))
            return false;
        Live(*X, *Y, Last - Column + 1);
        Column = Last + 1;
    }
    return true;
}

// Cells before the first "#P" form a block at 0 0. "#N" names Conway's rule, "#R" names
// one in survival/birth form; every other "#" line is a description.
std::optional<TPatternFault> ReadLife105(QByteArrayView Text, const TLiveRun& Live) {
    TBlock Block;
    TLineCursor Lines(Text);
    Lines.Next();
    while (const std::optional<QByteArrayView> Line = Lines.Next()) {
        if (!Line->startsWith('#')) {
            if (!ReadLife105Row(*Line, Block, Live))
                return BrokenFormat;
            ++Block.Row;
            continue;
        }
        const TWords Tag = Words(*Line);
        if (Tag.Word[0] == "#P") {
            const std::optional<TBlock> Placed = BlockAt(Tag);
            if (!Placed)
                return BrokenFormat;
            Block = *Placed;
        } else if (Tag.Word[0] == "#R") {
            if (const std::optional<TPatternFault> Fault = CheckRuleLine(*Line))
                return Fault;
        }
    }
    return std::nullopt;
}

// ---- The Life wiki's plaintext: "!" lines are comments wherever they stand, every other
// line is a row, an empty one a dead row; the program's live characters are live

std::optional<TPatternFault> ReadWikiPlaintext(QByteArrayView Text, const TLiveRun& Live) {
    const auto IsLive = [](char Character) {
        return IsLiveChar(QLatin1Char(Character));
    };
    TLineCursor Lines(Text);
    for (qint64 Y = 0; const std::optional<QByteArrayView> Line = Lines.Next();) {
        if (Line->startsWith('!'))
            continue;
        for (qsizetype X = 0; X < Line->size();) {
            if (!IsLive((*Line)[X])) {
                ++X;
                continue;
            }
            qsizetype End = X + 1;
            while (End < Line->size() && IsLive((*Line)[End]))
                ++End;
            Live(X, Y, End - X);
            X = End;
        }
        ++Y;
    }
    return std::nullopt;
}

// ---- RLE: a header "x = 3, y = 3, rule = B3/S23", then runs up to "!"

// The runs of an RLE body, one character at a time; line ends play no part. Counts and
// positions are exact: one beyond 64 bits breaks the file.
class TRleRuns {
public:
    enum TStep { More, End, Broken };

    explicit TRleRuns(const TLiveRun& Live) : Live(Live) {}

    TStep Take(char Character) {
        if (Character >= '0' && Character <= '9') {
            if (qMulOverflow(Count, qint64(10), &Count) ||
                qAddOverflow(Count, qint64(Character - '0'), &Count))
                return Broken;
            Counted = true;
            return More;
        }
        if (IsBlank(Character))
            return More;
        if (Character == '!')
            return Counted ? Broken : End;
        if (Counted && Count == 0)
            return Broken;
        const qint64 Length = Counted ? Count : 1;
        Count = 0;
        Counted = false;
        if (Character == 'b' || Character == '.')
            return Step(X, Length);
        if (Character == '$') {
            X = 0;
            return Step(Y, Length);
        }
        if (!IsAsciiLetter(Character))
            return Broken;
        // Two-state rules: every state letter but b is alive, as RLE readers take it.
        const qint64 Start = X;
        if (Step(X, Length) == Broken)
            return Broken;
        Live(Start, Y, Length);
        return More;
    }

private:
    static TStep Step(qint64& Position, qint64 Length) {
        const std::optional<qint64> Next = Advance(Position, Length);
        if (!Next)
            return Broken;
        Position = *Next;
        return More;
    }

    const TLiveRun& Live;
    qint64 X = 0;
    qint64 Y = 0;
    qint64 Count = 0;
    bool Counted = false;
};

// "#" lines among the runs are comments too; what follows "!" is ignored; a body without
// "!" was cut short.
std::optional<TPatternFault> ReadRle(QByteArrayView Text, const TLiveRun& Live) {
    TLineCursor Lines(Text);
    const QRegularExpressionMatch Header =
        RleHeader().match(QString::fromLatin1(FirstRleLine(Lines).value_or(QByteArrayView())));
    if (!Header.hasMatch())
        return BrokenFormat;
    if (Header.hasCaptured(1)) {
        const QString Rule = Header.captured(1).trimmed();
        if (Rule.isEmpty())
            return BrokenFormat;
        // The line was read as Latin-1, so its bytes come back whole.
        if (!IsConwayRule(Rule.toLatin1()))
            return TPatternFault{Rule};
    }
    TRleRuns Runs(Live);
    while (const std::optional<QByteArrayView> Line = Lines.Next()) {
        if (Line->startsWith('#'))
            continue;
        for (const char Character : *Line) {
            switch (Runs.Take(Character)) {
            case TRleRuns::More:
                continue;
            case TRleRuns::End:
                return std::nullopt;
            case TRleRuns::Broken:
                return BrokenFormat;
            }
        }
    }
    return BrokenFormat;
}

TFormatReader ReaderOf(TPatternFormat Format) {
    switch (Format) {
    case TPatternFormat::Life105:
        return ReadLife105;
    case TPatternFormat::Life106:
        return ReadLife106;
    case TPatternFormat::Rle:
        return ReadRle;
    case TPatternFormat::WikiPlaintext:
        return ReadWikiPlaintext;
    case TPatternFormat::Macrocell:
    case TPatternFormat::PlainText:
        break;
    }
    qFatal("ReaderOf: plain text and macrocell have no run reader");
}

} // namespace

TPatternFormat RecognisePatternFormat(QByteArrayView Text) {
    Text = WithoutByteOrderMark(Text);
    TLineCursor Lines(Text);
    const std::optional<QByteArrayView> First = Lines.Next();
    if (!First)
        return TPatternFormat::PlainText;
    if (IsHeaderLine(*First, "#Life 1.05"))
        return TPatternFormat::Life105;
    if (IsHeaderLine(*First, "#Life 1.06"))
        return TPatternFormat::Life106;
    if (First->startsWith("!Name:"))
        return TPatternFormat::WikiPlaintext;
    if (First->startsWith("[M2]"))
        return TPatternFormat::Macrocell;
    Lines = TLineCursor(Text);
    if (const std::optional<QByteArrayView> Header = FirstRleLine(Lines);
        Header && RleHeaderStart().match(QString::fromLatin1(*Header)).hasMatch())
        return TPatternFormat::Rle;
    return TPatternFormat::PlainText;
}

namespace {

TPatternRows ReadFormat(TPatternFormat Format, QByteArrayView Text) {
    if (Format == TPatternFormat::PlainText)
        return PlainTextRows(Text);
    if (Format == TPatternFormat::Macrocell)
        return ReadMacrocell(Text);
    const TFormatReader Read = ReaderOf(Format);
    qint64 Left = std::numeric_limits<qint64>::max();
    qint64 Top = std::numeric_limits<qint64>::max();
    const auto FindCorner = [&Left, &Top](qint64 X, qint64 Y, qint64) {
        Left = std::min(Left, X);
        Top = std::min(Top, Y);
    };
    if (const std::optional<TPatternFault> Fault = Read(Text, FindCorner))
        return *Fault;
    TPatternCanvas Canvas(Left, Top);
    Read(Text, [&Canvas](qint64 X, qint64 Y, qint64 Length) { Canvas.Draw(X, Y, Length); });
    return Canvas.Rows();
}

} // namespace

TPatternRows ReadPatternFormat(TPatternFormat Format, QByteArrayView Text) {
    TPatternRows Rows = ReadFormat(Format, WithoutByteOrderMark(Text));
    if (auto* Fault = std::get_if<TPatternFault>(&Rows))
        Fault->Format = Format;
    return Rows;
}

TPatternRows ReadPatternText(QByteArrayView Text) {
    return ReadPatternFormat(RecognisePatternFormat(Text), Text);
}

std::optional<TPatternFault> CheckRuleLine(QByteArrayView Line) {
    if (!Line.startsWith("#R"))
        return std::nullopt;
    const QByteArrayView Rule = Line.sliced(2).trimmed();
    if (Rule.isEmpty())
        return BrokenFormat;
    if (!IsConwayRule(Rule))
        return TPatternFault{QString::fromLatin1(Rule)};
    return std::nullopt;
}

// Read by hand, without copies: a file may hold a million rule lines.
bool IsConwayRule(QByteArrayView Rule) {
    if (const qsizetype Colon = Rule.indexOf(':'); Colon >= 0)
        Rule.truncate(Colon);
    qsizetype Position = 0;
    // The character at Position after blanks, in capitals; 0 at the end.
    const auto Next = [Rule, &Position] {
        while (Position < Rule.size() && IsBlank(Rule[Position]))
            ++Position;
        const char Character = Position < Rule.size() ? Rule[Position] : '\0';
        return Character >= 'a' && Character <= 'z' ? char(Character - 'a' + 'A') : Character;
    };
    const auto Take = [&Next, &Position](char Letter) {
        if (Next() != Letter)
            return false;
        ++Position;
        return true;
    };
    // The digits from Position on, as bits.
    const auto Digits = [&Next, &Position] {
        unsigned Set = 0;
        for (char Digit = Next(); Digit >= '0' && Digit <= '9'; Digit = Next()) {
            Set |= 1u << (Digit - '0');
            ++Position;
        }
        return Set;
    };
    unsigned Birth = 0;
    unsigned Survival = 0;
    if (Take('B')) {
        Birth = Digits();
        Take('/');
        if (!Take('S'))
            return false;
        Survival = Digits();
    } else if (Take('S')) {
        Survival = Digits();
        Take('/');
        if (!Take('B'))
            return false;
        Birth = Digits();
    } else {
        Survival = Digits();
        if (!Take('/'))
            return false;
        Birth = Digits();
    }
    Next();
    return Position == Rule.size() && Birth == 1u << 3 && Survival == (1u << 2 | 1u << 3);
}
