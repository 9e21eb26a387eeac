// Pattern reading from raw bytes to a placed world: splitting into lines, trimming to the
// live cells, the readers of the shared formats and placement. Each step is checked
// against a plain restatement of its rules; the rows a shared format gives are written
// again in every format and must read back the same. The world's size comes from the
// input's last four bytes, so the clipping is tried at every width from 320 to 1280 and
// every height from 240 to 1024.

#include "app/ulife.h"
#include "patterns/lifelines.h"
#include "patterns/patternformats.h"

#include <QByteArrayView>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>
#include <variant>
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

// Rows as the readers give them: a rectangle of "O" and "." no larger than the largest
// world, whose last row and last column each hold a live cell.
void CheckFormatRows(const QStringList& Rows) {
    Require(Rows.size() <= PatternMaxRows, "a reader gave more rows than any world has");
    if (Rows.isEmpty())
        return;
    const qsizetype Width = Rows.first().size();
    Require(Width > 0 && Width <= PatternMaxColumns, "a reader gave a row of a wrong length");
    bool RightColumnLives = false;
    for (const QString& Row : Rows) {
        Require(Row.size() == Width, "a reader gave rows of different lengths");
        Require(std::all_of(Row.cbegin(), Row.cend(),
                            [](QChar C) { return C == QLatin1Char('O') || C == QLatin1Char('.'); }),
                "a reader gave a character other than O and .");
        RightColumnLives = RightColumnLives || Row.back() == QLatin1Char('O');
    }
    Require(Rows.back().contains(QLatin1Char('O')), "a reader kept a dead row at the bottom");
    Require(RightColumnLives, "a reader kept a dead column at the right");
}

QString AsLife105(const QStringList& Rows) {
    QString Text = QStringLiteral("#Life 1.05\n#P 0 0\n");
    for (QString Row : Rows)
        Text += Row.replace(QLatin1Char('O'), QLatin1Char('*')) + QLatin1Char('\n');
    return Text;
}

QString AsLife106(const QStringList& Rows) {
    QString Text = QStringLiteral("#Life 1.06\n");
    for (qsizetype Y = 0; Y < Rows.size(); ++Y) {
        for (qsizetype X = 0; X < Rows[Y].size(); ++X) {
            if (Rows[Y][X] == QLatin1Char('O'))
                Text += QStringLiteral("%1 %2\n").arg(X - 7).arg(Y - 5);
        }
    }
    return Text;
}

// One run per line, so lines break between every two runs.
QString AsRle(const QStringList& Rows) {
    QString Text = QStringLiteral("x = 0, y = 0, rule = B3/S23\n");
    for (const QString& Row : Rows) {
        for (qsizetype X = 0; X < Row.size();) {
            qsizetype End = X;
            while (End < Row.size() && Row[End] == Row[X])
                ++End;
            Text += QString::number(End - X) + QLatin1Char(Row[X] == QLatin1Char('O') ? 'o' : 'b') +
                    QLatin1Char('\n');
            X = End;
        }
        Text += QStringLiteral("$\n");
    }
    return Text + QLatin1Char('!');
}

// Comments full of live characters, and rows without their trailing dead cells.
QString AsWikiPlaintext(const QStringList& Rows) {
    QString Text = QStringLiteral("!Name: o O\n!* + 0\n");
    for (const QString& Row : Rows) {
        QString Cells = Row;
        while (Cells.endsWith(QLatin1Char('.')))
            Cells.chop(1);
        Text += Cells + QStringLiteral("\n!oo\n");
    }
    return Text;
}

// The quadtree written out quarter by quarter, equal parts not shared; the number of the
// node written last, 0 for an empty one.
int WriteMacrocellNode(const QStringList& Rows, int Level, int X, int Y, QString& Text,
                       int& Written) {
    const int Side = 1 << Level;
    bool Live = false;
    for (int Row = Y; Row < std::min<int>(Y + Side, int(Rows.size())); ++Row)
        Live = Live || Rows[Row].mid(X, Side).contains(QLatin1Char('O'));
    if (!Live)
        return 0;
    if (Level == 3) {
        for (int Row = Y; Row < Y + Side; ++Row) {
            QString Cells =
                Rows.value(Row).mid(X, Side).replace(QLatin1Char('O'), QLatin1Char('*'));
            while (Cells.endsWith(QLatin1Char('.')))
                Cells.chop(1);
            Text += Cells + QLatin1Char('$');
        }
        Text += QLatin1Char('\n');
        return ++Written;
    }
    const int Half = Side / 2;
    const int Nw = WriteMacrocellNode(Rows, Level - 1, X, Y, Text, Written);
    const int Ne = WriteMacrocellNode(Rows, Level - 1, X + Half, Y, Text, Written);
    const int Sw = WriteMacrocellNode(Rows, Level - 1, X, Y + Half, Text, Written);
    const int Se = WriteMacrocellNode(Rows, Level - 1, X + Half, Y + Half, Text, Written);
    Text += QStringLiteral("%1 %2 %3 %4 %5\n").arg(Level).arg(Nw).arg(Ne).arg(Sw).arg(Se);
    return ++Written;
}

QString AsMacrocell(const QStringList& Rows) {
    int Level = 4;
    while ((1 << Level) < std::max<qsizetype>(Rows.size(), Rows.value(0).size()))
        ++Level;
    QString Text = QStringLiteral("[M2] (fuzz)\n#R B3/S23\n#C o O *\n");
    int Written = 0;
    if (WriteMacrocellNode(Rows, Level, 0, 0, Text, Written) == 0)
        Text += QStringLiteral("4 0 0 0 0\n");
    return Text;
}

// Every format reads the rows back as the rectangle of their live cells. Larger patterns
// are left out: written as Life 1.06 they would slow the fuzzer down to a crawl.
void CheckRowsReadBack(const QStringList& Rows) {
    constexpr qsizetype MostCells = 10000;
    if (Rows.join(QString()).count(QLatin1Char('O')) > MostCells)
        return;
    QStringList Expected = Rows;
    TLifeForm::TrimLifeLines(Expected);
    const std::pair<TPatternFormat, QString> Files[] = {
        {TPatternFormat::Life105, AsLife105(Rows)},
        {TPatternFormat::Life106, AsLife106(Rows)},
        {TPatternFormat::Rle, AsRle(Rows)},
        {TPatternFormat::WikiPlaintext, AsWikiPlaintext(Rows)},
        {TPatternFormat::Macrocell, AsMacrocell(Rows)}};
    for (const auto& [Format, Text] : Files) {
        const QByteArray Bytes = Text.toLatin1();
        Require(RecognisePatternFormat(Bytes) == Format, "a written file was not recognised");
        const TPatternRows Read = ReadPatternFormat(Format, Bytes);
        Require(std::holds_alternative<QStringList>(Read), "a written file was refused");
        Require(std::get<QStringList>(Read) == Expected, "a written file read back otherwise");
    }
}

// Trimmed lines cut to the largest world: what the plain-text reader must give.
QStringList CutToLargestWorld(QStringList Trimmed) {
    if (Trimmed.size() > PatternMaxRows)
        Trimmed.resize(PatternMaxRows);
    for (QString& Row : Trimmed)
        Row.truncate(PatternMaxColumns);
    return Trimmed;
}

// The rows the program places for Bytes, read by the rules of their format; nothing for a
// file it refuses.
std::optional<QStringList> RowsToPlace(QByteArrayView Bytes, const QStringList& Trimmed) {
    const TPatternFormat Format = RecognisePatternFormat(Bytes);
    const TPatternRows Read = ReadPatternText(Bytes);
    if (Format == TPatternFormat::PlainText) {
        Require(std::get<QStringList>(Read) == CutToLargestWorld(Trimmed),
                "plain text was read otherwise than trimmed");
        return Trimmed;
    }
    if (const auto* Fault = std::get_if<TPatternFault>(&Read)) {
        Require(Format != TPatternFormat::Life106 || Fault->Rule.isEmpty(),
                "a Life 1.06 file named a rule");
        return std::nullopt;
    }
    const QStringList& Rows = std::get<QStringList>(Read);
    CheckFormatRows(Rows);
    CheckRowsReadBack(Rows);
    return Rows;
}

// The world is shared by all inputs: every cell an input touches is checked and then
// cleared again, so each input starts from an empty world.
TLifeEngine& SharedWorld() {
    static TLifeEngine World;
    return World;
}

void CheckPlaced(const QStringList& Trimmed, TWorldSize Size) {
    TLifeEngine& World = SharedWorld();
    World.SetSize(Size.Width, Size.Height);
    PlaceLifeLines(Trimmed, World);

    const bool SkipFirst = !Trimmed.isEmpty() && IsCommentLine(Trimmed.first());
    qsizetype Expected = 0;
    for (const auto& [Row, Column] : LivePositions(Trimmed)) {
        if (Row >= Size.Height || Column >= Size.Width || (Row == 0 && SkipFirst))
            continue;
        Require(World.State(int(Column), int(Row)) == 1 &&
                    World.PrevState(int(Column), int(Row)) == 1,
                "a live character was not placed");
        ++Expected;
    }

    qsizetype Placed = 0;
    const int Rows = int(std::min<qsizetype>(Trimmed.size(), Size.Height));
    for (int Y = 0; Y < Rows; ++Y) {
        const int Columns = int(std::min<qsizetype>(Trimmed[Y].size(), Size.Width));
        for (int X = 0; X < Columns; ++X) {
            Require(World.State(X, Y) == World.PrevState(X, Y),
                    "placement split State and PrevState");
            Placed += World.State(X, Y);
            World.SetCell(X, Y, 0);
        }
    }
    Require(Placed == Expected, "placement made a dead character live");

    // Nothing lands just beyond the world's right or bottom edge.
    if (Size.Width < TLifeEngine::MaxHorCells) {
        for (int Y = 0; Y < Size.Height; ++Y)
            Require(World.State(Size.Width, Y) == 0, "a cell beyond the right edge is live");
    }
    if (Size.Height < TLifeEngine::MaxVertCells) {
        for (int X = 0; X < Size.Width; ++X)
            Require(World.State(X, Size.Height) == 0, "a cell below the bottom edge is live");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    // Every route skips one byte-order mark before anything else reads the text; the readers
    // skip it themselves, so they are handed the bytes as they came.
    const QByteArrayView Raw(Data, qsizetype(Size));
    const QByteArrayView Bytes = WithoutByteOrderMark(Raw);
    QStringList Lines;
    TLineCursor Cursor(Bytes);
    while (const std::optional<QByteArrayView> Line = Cursor.Next())
        Lines << QString::fromLatin1(*Line);
    Require(Lines == ReferenceSplit(Bytes), "line splitting differs from the reference");

    QStringList Trimmed = Lines;
    TLifeForm::TrimLifeLines(Trimmed);
    CheckTrimmed(Lines, Trimmed);

    if (const std::optional<QStringList> Rows = RowsToPlace(Raw, Trimmed))
        CheckPlaced(*Rows, WorldSizeFrom(Bytes));
    return 0;
}
