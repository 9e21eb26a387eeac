// The shared pattern formats: recognition, the readers and the rule check.
//
// Each reader but macrocell's walks the file twice and hands every run of live cells, in
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
#include <functional>
#include <limits>
#include <optional>

namespace {

constexpr qint64 FarAway = std::numeric_limits<qint64>::max();

// A longer run reaches beyond any world all the same; counts stop growing here, so reading
// their digits cannot overflow.
constexpr qint64 LongestRun = qint64(1) << 40;

// Length live cells from (X, Y) rightwards, in the file's coordinates.
using TLiveRun = std::function<void(qint64 X, qint64 Y, qint64 Length)>;

// A reader calls Live for every run of live cells, in the same order on every walk, and
// returns a fault when the file breaks its format or plays another rule.
using TFormatReader = std::optional<TPatternFault> (*)(const QStringList& Lines,
                                                       const TLiveRun& Live);

const TPatternFault BrokenFormat{};

// Positions move only rightwards and downwards; they stop at the far end instead of
// overflowing.
qint64 Advance(qint64 Position, qint64 Steps) {
    qint64 Sum = 0;
    return qAddOverflow(Position, Steps, &Sum) ? FarAway : Sum;
}

bool IsBlank(QChar Character) {
    return Character == QLatin1Char(' ') || Character == QLatin1Char('\t');
}

bool IsBlankLine(const QString& Line) {
    return std::all_of(Line.cbegin(), Line.cend(), IsBlank);
}

bool IsAsciiLetter(QChar Character) {
    const char16_t Code = Character.unicode();
    return (Code >= 'a' && Code <= 'z') || (Code >= 'A' && Code <= 'Z');
}

// The line's words, split at blanks and tabs.
QStringList Words(const QString& Line) {
    QString Spaced = Line;
    Spaced.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return Spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

std::optional<qint64> Integer(const QString& Word) {
    bool Ok = false;
    const qint64 Value = Word.toLongLong(&Ok, 10);
    return Ok ? std::optional(Value) : std::nullopt;
}

// Line is Header, perhaps followed by blanks.
bool IsHeaderLine(const QString& Line, QLatin1String Header) {
    return Line.startsWith(Header) && IsBlankLine(Line.sliced(Header.size()));
}

// Where the RLE header may stand: after "#" lines and blank lines only. Lines.size() when
// there is no such line.
qsizetype FirstRleLine(const QStringList& Lines) {
    qsizetype Index = 0;
    while (Index < Lines.size() &&
           (Lines[Index].startsWith(QLatin1Char('#')) || IsBlankLine(Lines[Index])))
        ++Index;
    return Index;
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

// The digits 0..8 named in a rule's birth or survival part, as bits.
unsigned DigitSet(const QString& Digits) {
    unsigned Set = 0;
    for (const QChar Digit : Digits)
        Set |= 1u << (Digit.unicode() - '0');
    return Set;
}

// ---- Life 1.06: one "x y" pair per live cell

std::optional<TPatternFault> ReadLife106(const QStringList& Lines, const TLiveRun& Live) {
    for (qsizetype I = 1; I < Lines.size(); ++I) {
        if (IsBlankLine(Lines[I]))
            continue;
        const QStringList Pair = Words(Lines[I]);
        const std::optional<qint64> X = Pair.size() == 2 ? Integer(Pair[0]) : std::nullopt;
        const std::optional<qint64> Y = Pair.size() == 2 ? Integer(Pair[1]) : std::nullopt;
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
std::optional<TBlock> BlockAt(const QStringList& Words) {
    if (Words.size() == 1)
        return TBlock{};
    const std::optional<qint64> Left = Words.size() == 3 ? Integer(Words[1]) : std::nullopt;
    const std::optional<qint64> Top = Words.size() == 3 ? Integer(Words[2]) : std::nullopt;
    if (!Left || !Top)
        return std::nullopt;
    return TBlock{*Left, *Top, 0};
}

// One row of a block; blanks at its end are no cells.
bool ReadLife105Row(const QString& Line, const TBlock& Block, const TLiveRun& Live) {
    qsizetype End = Line.size();
    while (End > 0 && IsBlank(Line[End - 1]))
        --End;
    const qint64 Y = Advance(Block.Top, Block.Row);
    for (qsizetype Column = 0; Column < End;) {
        if (Line[Column] == QLatin1Char('.')) {
            ++Column;
            continue;
        }
        if (Line[Column] != QLatin1Char('*'))
            return false;
        qsizetype Last = Column;
        while (Last + 1 < End && Line[Last + 1] == QLatin1Char('*'))
            ++Last;
        Live(Advance(Block.Left, Column), Y, Last - Column + 1);
        Column = Last + 1;
    }
    return true;
}

// Cells before the first "#P" form a block at 0 0. "#N" names Conway's rule, "#R" names
// one in survival/birth form; every other "#" line is a description.
std::optional<TPatternFault> ReadLife105(const QStringList& Lines, const TLiveRun& Live) {
    TBlock Block;
    for (qsizetype I = 1; I < Lines.size(); ++I) {
        const QString& Line = Lines[I];
        if (!Line.startsWith(QLatin1Char('#'))) {
            if (!ReadLife105Row(Line, Block, Live))
                return BrokenFormat;
            Block.Row = Advance(Block.Row, 1);
            continue;
        }
        const QStringList Tag = Words(Line);
        if (Tag.first() == QLatin1String("#P")) {
            const std::optional<TBlock> Placed = BlockAt(Tag);
            if (!Placed)
                return BrokenFormat;
            Block = *Placed;
        } else if (Tag.first() == QLatin1String("#R")) {
            if (const std::optional<TPatternFault> Fault = CheckRuleLine(Line))
                return Fault;
        }
    }
    return std::nullopt;
}

// ---- The Life wiki's plaintext: "!" lines are comments wherever they stand, every other
// line is a row, an empty one a dead row; the program's live characters are live

std::optional<TPatternFault> ReadWikiPlaintext(const QStringList& Lines, const TLiveRun& Live) {
    qint64 Y = 0;
    for (const QString& Line : Lines) {
        if (Line.startsWith(QLatin1Char('!')))
            continue;
        for (qsizetype X = 0; X < Line.size();) {
            if (!IsLiveChar(Line[X])) {
                ++X;
                continue;
            }
            qsizetype End = X + 1;
            while (End < Line.size() && IsLiveChar(Line[End]))
                ++End;
            Live(X, Y, End - X);
            X = End;
        }
        ++Y;
    }
    return std::nullopt;
}

// ---- RLE: a header "x = 3, y = 3, rule = B3/S23", then runs up to "!"

// The runs of an RLE body, one character at a time; line ends play no part.
class TRleRuns {
public:
    enum TStep { More, End, Broken };

    explicit TRleRuns(const TLiveRun& Live) : Live(Live) {}

    TStep Take(QChar Character) {
        const char16_t Code = Character.unicode();
        if (Code >= '0' && Code <= '9') {
            Count = std::min(Count * 10 + (Code - '0'), LongestRun);
            Counted = true;
            return More;
        }
        if (IsBlank(Character))
            return More;
        if (Character == QLatin1Char('!'))
            return Counted ? Broken : End;
        if (Counted && Count == 0)
            return Broken;
        const qint64 Length = Counted ? Count : 1;
        Count = 0;
        Counted = false;
        if (Character == QLatin1Char('b') || Character == QLatin1Char('.')) {
            X = Advance(X, Length);
        } else if (Character == QLatin1Char('$')) {
            X = 0;
            Y = Advance(Y, Length);
        } else if (IsAsciiLetter(Character)) {
            // Two-state rules: every state letter but b is alive, as RLE readers take it.
            Live(X, Y, Length);
            X = Advance(X, Length);
        } else {
            return Broken;
        }
        return More;
    }

private:
    const TLiveRun& Live;
    qint64 X = 0;
    qint64 Y = 0;
    qint64 Count = 0;
    bool Counted = false;
};

// "#" lines among the runs are comments too; what follows "!" is ignored; a body without
// "!" was cut short.
std::optional<TPatternFault> ReadRle(const QStringList& Lines, const TLiveRun& Live) {
    const qsizetype HeaderLine = FirstRleLine(Lines);
    const QRegularExpressionMatch Header = RleHeader().match(Lines.value(HeaderLine));
    if (!Header.hasMatch())
        return BrokenFormat;
    if (Header.hasCaptured(1)) {
        const QString Rule = Header.captured(1).trimmed();
        if (Rule.isEmpty())
            return BrokenFormat;
        if (!IsConwayRule(Rule))
            return TPatternFault{Rule};
    }
    TRleRuns Runs(Live);
    for (qsizetype I = HeaderLine + 1; I < Lines.size(); ++I) {
        if (Lines[I].startsWith(QLatin1Char('#')))
            continue;
        for (const QChar Character : Lines[I]) {
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
    qFatal("ReadPatternFormat: plain text and macrocell have no run reader");
}

} // namespace

TPatternFormat RecognisePatternFormat(const QStringList& Lines) {
    if (Lines.isEmpty())
        return TPatternFormat::PlainText;
    if (IsHeaderLine(Lines.first(), QLatin1String("#Life 1.05")))
        return TPatternFormat::Life105;
    if (IsHeaderLine(Lines.first(), QLatin1String("#Life 1.06")))
        return TPatternFormat::Life106;
    if (Lines.first().startsWith(QLatin1String("!Name:")))
        return TPatternFormat::WikiPlaintext;
    if (Lines.first().startsWith(QLatin1String("[M2]")))
        return TPatternFormat::Macrocell;
    if (RleHeaderStart().match(Lines.value(FirstRleLine(Lines))).hasMatch())
        return TPatternFormat::Rle;
    return TPatternFormat::PlainText;
}

TPatternRows ReadPatternFormat(TPatternFormat Format, const QStringList& Lines) {
    if (Format == TPatternFormat::Macrocell)
        return ReadMacrocell(Lines);
    const TFormatReader Read = ReaderOf(Format);
    qint64 Left = FarAway;
    qint64 Top = FarAway;
    const auto FindCorner = [&Left, &Top](qint64 X, qint64 Y, qint64) {
        Left = std::min(Left, X);
        Top = std::min(Top, Y);
    };
    if (const std::optional<TPatternFault> Fault = Read(Lines, FindCorner))
        return *Fault;
    TPatternCanvas Canvas(Left, Top);
    Read(Lines, [&Canvas](qint64 X, qint64 Y, qint64 Length) { Canvas.Draw(X, Y, Length); });
    return Canvas.Rows();
}

std::optional<TPatternFault> CheckRuleLine(const QString& Line) {
    if (!Line.startsWith(QLatin1String("#R")))
        return std::nullopt;
    const QString Rule = Line.sliced(2).trimmed();
    if (Rule.isEmpty())
        return BrokenFormat;
    if (!IsConwayRule(Rule))
        return TPatternFault{Rule};
    return std::nullopt;
}

bool IsConwayRule(const QString& Rule) {
    static const QRegularExpression BirthFirst(QStringLiteral(R"(^B(\d*)/?S(\d*)$)"));
    static const QRegularExpression SurvivalFirst(QStringLiteral(R"(^S(\d*)/?B(\d*)$)"));
    static const QRegularExpression DigitsOnly(QStringLiteral(R"(^(\d*)/(\d*)$)"));
    QString Text = Rule.section(QLatin1Char(':'), 0, 0).toUpper();
    Text.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    QString Birth;
    QString Survival;
    if (const auto Match = BirthFirst.match(Text); Match.hasMatch()) {
        Birth = Match.captured(1);
        Survival = Match.captured(2);
    } else if (const auto Match = SurvivalFirst.match(Text); Match.hasMatch()) {
        Survival = Match.captured(1);
        Birth = Match.captured(2);
    } else if (const auto Match = DigitsOnly.match(Text); Match.hasMatch()) {
        Survival = Match.captured(1);
        Birth = Match.captured(2);
    } else {
        return false;
    }
    return DigitSet(Birth) == DigitSet(QStringLiteral("3")) &&
           DigitSet(Survival) == DigitSet(QStringLiteral("23"));
}
