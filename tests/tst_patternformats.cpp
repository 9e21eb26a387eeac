// The shared pattern formats without a window: which format a file is in, how each reader
// turns it into rows, which files it refuses, the size limit of the file reader and the
// inflating of gzip files.

#include "patterns/filenames.h"
#include "patterns/gunzip.h"
#include "patterns/lifelines.h"
#include "patterns/macrocell.h"
#include "patterns/patternformats.h"
#include "patterns/rlewriter.h"
#include "tests/testhelpers.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>

namespace {

QString Dots(int Count) {
    return QString(Count, QLatin1Char('.'));
}

// Rows of Width x Height, all dead but for the given cells.
QStringList RowsWith(int Width, int Height, const QList<QPoint>& Live) {
    QStringList Rows(Height, Dots(Width));
    for (const QPoint& Cell : Live)
        Rows[Cell.y()][Cell.x()] = QLatin1Char('O');
    return Rows;
}

// A macrocell file of one leaf, put into quarter Quarter (0 nw, 1 ne, 2 sw, 3 se) of a
// node of level 4, that node into the same quarter of one of level 5, and so on up to
// Level.
QByteArray MacrocellChain(const QByteArray& Leaf, int Quarter, int Level) {
    QByteArray File = "[M2] (golly 4.2)\n#R B3/S23\n" + Leaf + "\n";
    for (int L = 4; L <= Level; ++L) {
        QList<QByteArray> Parts(4, "0");
        Parts[Quarter] = QByteArray::number(L - 3);
        File += QByteArray::number(L) + ' ' + Parts.join(' ') + '\n';
    }
    return File;
}

// A square of 2^Level cells a side, every cell live: each node is four of the one before.
QByteArray MacrocellFullSquare(int Level) {
    QByteArray File = "[M2]\n" + QByteArray("********$").repeated(8) + "\n";
    for (int L = 4; L <= Level; ++L)
        File += QByteArray::number(L) +
                QByteArray(" %1 %1 %1 %1\n").replace("%1", QByteArray::number(L - 3));
    return File;
}

const char* const GliderLeaf = ".*$..*$***$";

} // namespace

class TstPatternFormats : public QObject {
    Q_OBJECT

private slots:
    void recognisePatternFormat_data();
    void recognisePatternFormat();
    void isConwayRule_data();
    void isConwayRule();
    void readsRows_data();
    void readsRows();
    void rleWriterRoundTrips_data();
    void rleWriterRoundTrips();
    void refusesFiles_data();
    void refusesFiles();
    void readLifeFileStopsAtItsLimit_data();
    void readLifeFileStopsAtItsLimit();
    void droppedAddressKeepsTheNamesBytes_data();
    void droppedAddressKeepsTheNamesBytes();
    void gunzip_data();
    void gunzip();
};

void TstPatternFormats::recognisePatternFormat_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<TPatternFormat>("Format");
    const auto Plain = TPatternFormat::PlainText;
    QTest::newRow("Life 1.05") << QByteArray("#Life 1.05\n#P 0 0\n*\n") << TPatternFormat::Life105;
    QTest::newRow("Life 1.05 with blanks after the header")
        << QByteArray("#Life 1.05 \t\r\n*\r\n") << TPatternFormat::Life105;
    QTest::newRow("Life 1.06") << QByteArray("#Life 1.06\r\n0 0\r\n") << TPatternFormat::Life106;
    QTest::newRow("RLE header first") << QByteArray("x = 1, y = 1\no!") << TPatternFormat::Rle;
    QTest::newRow("RLE after # and blank lines")
        << QByteArray("#N Blok\n\n  \n#C x\nx=2,y=2,rule=B3/S23\n2o$2o!") << TPatternFormat::Rle;
    QTest::newRow("RLE header without y is still RLE")
        << QByteArray("x = 3\nbo!") << TPatternFormat::Rle;
    QTest::newRow("the program's own file") << QByteArray("!Naam:x!\r\nO\r\n") << Plain;
    QTest::newRow("empty file") << QByteArray() << Plain;
    QTest::newRow("only # lines") << QByteArray("#Life 1.05x\n#C\n") << Plain;
    QTest::newRow("#Life alone") << QByteArray("#Life\n.O.\n") << Plain;
    QTest::newRow("#Life of another version") << QByteArray("#Life 1.07\n0 0\n") << Plain;
    QTest::newRow("#Life 1.05 with more text") << QByteArray("#Life 1.05.1\n*\n") << Plain;
    QTest::newRow("#Life 1.05 not on the first line") << QByteArray("#C\n#Life 1.05\n*\n") << Plain;
    QTest::newRow("x = in comment lines")
        << QByteArray("#C x = 3, y = 3, rule = B3/S23\n.O.\n..O\nOOO\n") << Plain;
    QTest::newRow("x = after a ! line") << QByteArray("!Naam:x!\nx = 1, y = 1\no!\n") << Plain;
    QTest::newRow("x = without a number") << QByteArray("x = a, y = 1\no!\n") << Plain;
    QTest::newRow("capital X") << QByteArray("X = 1, Y = 1\no!\n") << Plain;
    const auto Wiki = TPatternFormat::WikiPlaintext;
    QTest::newRow("wiki plaintext") << QByteArray("!Name: Glider\n!\n.O\n..O\nOOO\n") << Wiki;
    QTest::newRow("wiki plaintext, name line alone") << QByteArray("!Name:") << Wiki;
    QTest::newRow("!name: in lower case") << QByteArray("!name: Glider\n.O\n") << Plain;
    QTest::newRow("! Name: with a blank") << QByteArray("! Name: Glider\n.O\n") << Plain;
    QTest::newRow("!Name: on the second line")
        << QByteArray("!Naam:x!\n!Name: Glider\n.O\n") << Plain;
    const auto Macrocell = TPatternFormat::Macrocell;
    QTest::newRow("macrocell") << QByteArray("[M2] (golly 4.2)\n#R B3/S23\n*$\n") << Macrocell;
    QTest::newRow("RLE after a byte-order mark")
        << QByteArray("\xEF\xBB\xBFx = 3, y = 3\nbo$2bo$3o!\n") << TPatternFormat::Rle;
    QTest::newRow("wiki plaintext after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF!Name: Glider\n.O\n") << Wiki;
    QTest::newRow("Life 1.06 after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF#Life 1.06\n0 0\n") << TPatternFormat::Life106;
    QTest::newRow("macrocell, header alone") << QByteArray("[M2]") << Macrocell;
    QTest::newRow("[M1]") << QByteArray("[M1]\n*$\n") << Plain;
    QTest::newRow("[m2] in lower case") << QByteArray("[m2]\n*$\n") << Plain;
    QTest::newRow("[M2] after a blank") << QByteArray(" [M2]\n*$\n") << Plain;
    QTest::newRow("[M2] on the second line") << QByteArray("#C\n[M2]\n*$\n") << Plain;
}

void TstPatternFormats::recognisePatternFormat() {
    QFETCH(QByteArray, Bytes);
    QFETCH(TPatternFormat, Format);
    QCOMPARE(RecognisePatternFormat(Bytes), Format);
}

void TstPatternFormats::isConwayRule_data() {
    QTest::addColumn<QString>("Rule");
    QTest::addColumn<bool>("Conway");
    for (const char* Rule : {"B3/S23", "b3/s23", "23/3", "S23/B3", "B3S23", "B3/S32", " B3 / S23 ",
                             "B3/S23:T320,240", "23/3:P30,20"})
        QTest::newRow(Rule) << QString::fromLatin1(Rule) << true;
    for (const char* Rule : {"B36/S23", "B3/S234", "B/S23", "3/23", "34/34", "B3/S23/C3", "Life",
                             "", ":B3/S23", "B3/S2a3"})
        QTest::newRow(*Rule ? Rule : "empty") << QString::fromLatin1(Rule) << false;
}

void TstPatternFormats::isConwayRule() {
    QFETCH(QString, Rule);
    QFETCH(bool, Conway);
    QCOMPARE(IsConwayRule(Rule.toLatin1()), Conway);
}

void TstPatternFormats::readsRows_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<QStringList>("Rows");
    const QStringList Glider = {".O.", "..O", "OOO"};

    QTest::newRow("Life 1.06 negative coordinates, any order")
        << QByteArray("#Life 1.06\n-3 -4\n-5 -5\n") << QStringList{"O..", "..O"};
    QTest::newRow("Life 1.06 blanks, tabs, blank lines, a cell twice")
        << QByteArray("#Life 1.06\r\n  0\t0 \r\n\r\n+1 0\r\n0 0\r\n") << QStringList{"OO"};
    QTest::newRow("Life 1.06 cells far apart are cut off")
        << QByteArray("#Life 1.06\n0 0\n5000000000 0\n0 3000000000000\n") << QStringList{"O"};
    QTest::newRow("Life 1.06 at both ends of 64 bits")
        << QByteArray("#Life 1.06\n9223372036854775807 -9223372036854775808\n"
                      "9223372036854775806 -9223372036854775807\n")
        << QStringList{".O", "O."};
    QTest::newRow("Life 1.06 cut at the largest world")
        << QByteArray("#Life 1.06\n0 0\n1279 1\n1280 2\n1 1023\n2 1024\n")
        << RowsWith(1280, 1024, {{0, 0}, {1279, 1}, {1, 1023}});
    QTest::newRow("Life 1.06 without cells") << QByteArray("#Life 1.06\n") << QStringList();
    QTest::newRow("Life 1.06 #D, #N and other # lines are comments")
        << QByteArray("#Life 1.06\n#N Glider\n#D 0 0 and o\n1 0\n#\n2 1\n0 2\n1 2\n2 2\n")
        << Glider;
    QTest::newRow("RLE after a byte-order mark")
        << QByteArray("\xEF\xBB\xBFx = 3, y = 3\nbo$2bo$3o!") << Glider;
    QTest::newRow("wiki plaintext after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF!Name: Glider\n!Author: o o o\n.O.\n..O\nOOO\n") << Glider;
    QTest::newRow("the program's own file after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF!Naam:zoo!\r\n.O.\r\n..O\r\nOOO\r\n") << Glider;

    QTest::newRow("Life 1.05 blocks keep their offsets")
        << QByteArray("#Life 1.05\n#P 3 2\n**\n#D o O 0 *\n#P 0 0\n*\n")
        << QStringList{"O....", ".....", "...OO"};
    QTest::newRow("Life 1.05 cells before any #P lie at 0 0")
        << QByteArray("#Life 1.05\n*.*\n#P 1 1\n*\n") << QStringList{"O.O", ".O."};
    QTest::newRow("Life 1.05 bare #P, blanks after a row, an empty row")
        << QByteArray("#Life 1.05\n#P 5 5\n*\n#P\t\n*.* \t\n\n.*\n")
        << QStringList{"O.O...", "......", ".O....", "......", "......", ".....O"};
    QTest::newRow("Life 1.05 #N and a Conway #R")
        << QByteArray("#Life 1.05\n#N\n#R 23/3\n#P -1 -1\n.*.\n..*\n***\n") << Glider;
    QTest::newRow("Life 1.05 a block far away is cut off")
        << QByteArray("#Life 1.05\n#P 0 0\n*\n#P 0 -100000000000\n***\n") << QStringList{"OOO"};
    QTest::newRow("Life 1.05 without cells")
        << QByteArray("#Life 1.05\n#D nothing\n#P 0 0\n...\n") << QStringList();

    QTest::newRow("RLE without a rule") << QByteArray("x = 3, y = 3\nbo$2bo$3o!") << Glider;
    QTest::newRow("RLE header without blanks, rule in another spelling")
        << QByteArray("x=3,y=3,rule=23/3\nbo$2bo$3o!") << Glider;
    QTest::newRow("RLE lines broken inside a count and a run")
        << QByteArray("x = 3, y = 3\nb\no$\n2\nbo$3\no\n!") << Glider;
    QTest::newRow("RLE blanks, # lines among the runs, text after !")
        << QByteArray("x = 3, y = 3\nb o $ 2b o$\n#C here\n3o ! 4o$$\nzz") << Glider;
    QTest::newRow("RLE every letter but b is alive, . is dead")
        << QByteArray("x = 5, y = 1\nA.zbo!") << QStringList{"O.O.O"};
    QTest::newRow("RLE $ with a count")
        << QByteArray("x = 1, y = 4\no3$o!") << QStringList{"O", ".", ".", "O"};
    QTest::newRow("RLE run longer than any world")
        << QByteArray("x = 5000, y = 1\n5000o!") << QStringList{QString(1280, QLatin1Char('O'))};
    QTest::newRow("RLE counts read exactly beyond 2^40")
        << QByteArray("x = 1, y = 2\n2000000000000bo$1099511627000bo!") << QStringList{".", "O"};
    QTest::newRow("RLE top row cut off far to the right")
        << QByteArray("x = 0, y = 0\n999999999999999b3o$o!") << QStringList{".", "O"};
    QTest::newRow("RLE without cells") << QByteArray("x = 0, y = 0\n!") << QStringList();

    QTest::newRow("wiki plaintext comments full of o and O")
        << QByteArray("!Name: Glider\n!Author: Richard K. Guy\n!The smallest, most common, and "
                      "first discovered spaceship.\n!\n.O\n..O\nOOO\n")
        << Glider;
    QTest::newRow("wiki plaintext empty lines are dead rows, ! lines between rows no rows")
        << QByteArray("!Name: x\r\n\r\nO\r\n\r\n!oo\r\n.O\r\n\r\n!o\r\n")
        << QStringList{"O.", "..", ".O"};
    QTest::newRow("wiki plaintext the program's other live characters, the rest dead")
        << QByteArray("!Name:x\n*+0o\n.X.O\n# o\n") << QStringList{"OOOO", "...O", "..O."};
    QTest::newRow("wiki plaintext margins are trimmed")
        << QByteArray("!Name:x\n\n\n...O\n....O\n") << QStringList{"O.", ".O"};
    QTest::newRow("wiki plaintext cut at the largest world")
        << QByteArray("!Name:x\n") + QByteArray(1300, 'O') << QStringList{QString(1280, 'O')};
    QTest::newRow("wiki plaintext without cells")
        << QByteArray("!Name: nothing\n!oO\n...\n") << QStringList();

    QTest::newRow("macrocell one leaf") << "[M2]\n" + QByteArray(GliderLeaf) << Glider;
    // The glider at (6, 6) of a level-4 node, a part of it in each quarter.
    QTest::newRow("macrocell a glider across four leaves")
        << QByteArray("[M2] (golly 4.2)\n#R B3/S23\n$$$$$$.......*$\n$$$$$$$*$\n......**$\n*$\n"
                      "4 1 2 3 4\n")
        << Glider;
    QTest::newRow("macrocell comments full of o and *, #G, empty quarters, blank lines")
        << QByteArray("[M2]\n#C o O 0 * $\n#G 1000\n\n*$\n  \n4 0 0 0 1\n#C o\n5 0 0 2 0\n")
        << QStringList{"O"};
    QTest::newRow("macrocell blanks around numbers and after a leaf, last $ left out")
        << QByteArray("[M2]\n.*$..*$***\t\n*.*$ \n 4  1\t0 2 0 \n")
        << QStringList{".O.", "..O", "OOO", "...", "...", "...", "...", "...", "O.O"};
    QTest::newRow("macrocell a Conway #R in another spelling")
        << QByteArray("[M2]\n#R 23/3\n**$\n") << QStringList{"OO"};
    QTest::newRow("macrocell a glider far from the origin at level 40")
        << MacrocellChain(GliderLeaf, 3, 40) << Glider;
    QTest::newRow("macrocell a leaf as root, a full row")
        << QByteArray("[M2]\n********$") << QStringList{"OOOOOOOO"};
    // Cells at both far corners of a level-62 square: the second lies far outside the world.
    // Nodes 2L - 5 and 2L - 4 hold the one and the other corner at level L.
    QByteArray Corners = "[M2]\n*$\n$$$$$$$.......*$\n4 1 0 0 0\n4 0 0 0 2\n";
    for (int Level = 5; Level < MacrocellMaxLevel; ++Level) {
        Corners += QByteArray::number(Level) + ' ' + QByteArray::number(2 * Level - 7) +
                   " 0 0 0\n" + QByteArray::number(Level) + " 0 0 0 " +
                   QByteArray::number(2 * Level - 6) + '\n';
    }
    Corners += QByteArray::number(MacrocellMaxLevel) + ' ' +
               QByteArray::number(2 * MacrocellMaxLevel - 7) + " 0 0 " +
               QByteArray::number(2 * MacrocellMaxLevel - 6) + '\n';
    QTest::newRow("macrocell cells at the far corners of level 62") << Corners << QStringList{"O"};
    QTest::newRow("macrocell a full square of level 62 fills the largest world")
        << MacrocellFullSquare(MacrocellMaxLevel)
        << QStringList(PatternMaxRows, QString(PatternMaxColumns, QLatin1Char('O')));
    QTest::newRow("macrocell without live cells")
        << QByteArray("[M2]\n$\n4 1 1 0 1\n62 0 0 0 0\n") << QStringList();
}

void TstPatternFormats::readsRows() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QStringList, Rows);
    const TPatternRows Read = ReadPatternText(Bytes);
    QVERIFY(std::holds_alternative<QStringList>(Read));
    QCOMPARE(std::get<QStringList>(Read), Rows);
}

void TstPatternFormats::rleWriterRoundTrips_data() {
    QTest::addColumn<QPoint>("At");
    QTest::addColumn<QStringList>("Rows");
    QTest::newRow("glider") << QPoint(7, 9) << QStringList{".O.", "..O", "OOO"};
    QTest::newRow("Gosper gun") << QPoint(0, 0)
                                << QStringList{"........................O...........",
                                               "......................O.O...........",
                                               "............OO......OO............OO",
                                               "...........O...O....OO............OO",
                                               "OO........O.....O...OO..............",
                                               "OO........O...O.OO....O.O...........",
                                               "..........O.....O.......O...........",
                                               "...........O...O....................",
                                               "............OO......................"};
    QTest::newRow("empty rows inside")
        << QPoint(100, 50) << QStringList{"O.O", "...", "...", ".O."};
    QString Alternating;
    for (int X = 0; X < 1280; ++X)
        Alternating += X % 3 == 0 ? QLatin1Char('.') : QLatin1Char('O');
    QTest::newRow("largest world, long lines")
        << QPoint(0, 0) << QStringList{Alternating, Dots(1279) + 'O', 'O' + Dots(1279)};
}

// What the writer writes, the reader reads back, in lines RLE allows.
void TstPatternFormats::rleWriterRoundTrips() {
    QFETCH(QPoint, At);
    QFETCH(QStringList, Rows);
    TLifeEngine World;
    World.SetSize(1280, 1024);
    for (int R = 0; R < Rows.size(); ++R) {
        for (int C = 0; C < Rows[R].size(); ++C)
            World.SetCell(At.x() + C, At.y() + R, Rows[R][C] == QLatin1Char('O') ? 1 : 0);
    }
    const QByteArray Rle = RleText(World, QStringLiteral("Conway's Game of Life"));
    const QList<QByteArray> Lines = Rle.split('\n');
    QCOMPARE(Lines.first(), QByteArray("#C Conway's Game of Life"));
    QCOMPARE(Lines.at(1), QStringLiteral("x = %1, y = %2, rule = B3/S23")
                              .arg(Rows.first().size())
                              .arg(Rows.size())
                              .toLatin1());
    for (const QByteArray& Line : Lines)
        QVERIFY2(Line.size() <= RleLineLength, Line.constData());
    const TPatternRows Read = ReadPatternText(Rle);
    QVERIFY(std::holds_alternative<QStringList>(Read));
    QCOMPARE(std::get<QStringList>(Read), Rows);
}

void TstPatternFormats::refusesFiles_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<QString>("Rule"); // empty: the file breaks its format
    const QString Broken;
    QTest::newRow("Life 1.06 three numbers") << QByteArray("#Life 1.06\n1 2 3\n") << Broken;
    QTest::newRow("Life 1.06 one number") << QByteArray("#Life 1.06\n0 0\n1\n") << Broken;
    QTest::newRow("Life 1.06 a fraction") << QByteArray("#Life 1.06\n1.0 2\n") << Broken;
    QTest::newRow("Life 1.06 beyond 64 bits")
        << QByteArray("#Life 1.06\n99999999999999999999 0\n") << Broken;
    QTest::newRow("Life 1.05 #P with fractions")
        << QByteArray("#Life 1.05\n#P 1.5 2\n*\n") << Broken;
    QTest::newRow("Life 1.05 #P with words") << QByteArray("#Life 1.05\n#P a b\n*\n") << Broken;
    QTest::newRow("Life 1.05 #P with one number") << QByteArray("#Life 1.05\n#P 1\n*\n") << Broken;
    QTest::newRow("Life 1.05 #P with three numbers")
        << QByteArray("#Life 1.05\n#P 1 2 3\n*\n") << Broken;
    QTest::newRow("Life 1.05 another character in a row")
        << QByteArray("#Life 1.05\n#P 0 0\n*o*\n") << Broken;
    QTest::newRow("Life 1.05 #R without a rule") << QByteArray("#Life 1.05\n#R \n*\n") << Broken;
    QTest::newRow("RLE run count 0") << QByteArray("x = 1, y = 1\n0o!") << Broken;
    QTest::newRow("RLE $ count 0") << QByteArray("x = 1, y = 2\no00$o!") << Broken;
    QTest::newRow("RLE header without y") << QByteArray("x = 3\nbo!") << Broken;
    QTest::newRow("RLE header with another field") << QByteArray("x = 3, z = 3\nbo!") << Broken;
    QTest::newRow("RLE rule = without a rule") << QByteArray("x = 1, y = 1, rule =\no!") << Broken;
    QTest::newRow("RLE without !") << QByteArray("x = 3, y = 1\n3o\n") << Broken;
    QTest::newRow("RLE count before !") << QByteArray("x = 3, y = 1\n3o2!") << Broken;
    QTest::newRow("RLE another character") << QByteArray("x = 3, y = 1\n2o*!") << Broken;
    QTest::newRow("RLE count beyond 64 bits")
        << QByteArray("x = 0, y = 0\n99999999999999999999999b2o!") << Broken;
    QTest::newRow("RLE count that would wrap to 1")
        << QByteArray("x = 2, y = 2\no$18446744073709551617bo!") << Broken;
    QTest::newRow("RLE position beyond 64 bits")
        << QByteArray("x = 0, y = 0\n9223372036854775807b2o!") << Broken;
    QTest::newRow("Life 1.05 rows beyond 64 bits")
        << QByteArray("#Life 1.05\n#P 0 9223372036854775807\n*\n*\n*\n") << Broken;
    QTest::newRow("Life 1.05 a column beyond 64 bits")
        << QByteArray("#Life 1.05\n#P 9223372036854775800 0\n..........*\n.......*\n") << Broken;
    QTest::newRow("RLE another rule")
        << QByteArray("x = 3, y = 3, rule = B36/S23\nbo$2bo$3o!") << "B36/S23";
    QTest::newRow("RLE another rule on a torus, broken runs")
        << QByteArray("x = 3, y = 3, rule = B36/S23:T10,10 \n0o") << "B36/S23:T10,10";
    QTest::newRow("Life 1.05 #R with another rule")
        << QByteArray("#Life 1.05\n#R 34/34\n#P 0 0\n*\n") << "34/34";
    QTest::newRow("Life 1.05 #R with a word") << QByteArray("#Life 1.05\n#R Life\n*\n") << "Life";

    QTest::newRow("macrocell another rule") << QByteArray("[M2]\n#R B36/S23\n*$\n") << "B36/S23";
    QTest::newRow("macrocell #R without a rule") << QByteArray("[M2]\n#R \n*$\n") << Broken;
    QTest::newRow("macrocell multistate")
        << QByteArray("[M2] (golly 4.2)\n#R WireWorld\n1 0 1 2 3\n2 1 0 0 1\n") << "WireWorld";
    QTest::newRow("macrocell multistate without its rule")
        << QByteArray("[M2]\n1 0 1 2 3\n2 1 0 0 1\n3 2 2 2 2\n4 3 3 3 3\n") << Broken;
    QTest::newRow("macrocell a node not defined yet")
        << QByteArray("[M2]\n*$\n4 1 0 0 3\n*$\n") << Broken;
    QTest::newRow("macrocell a node of itself") << QByteArray("[M2]\n*$\n4 1 2 1 1\n") << Broken;
    QTest::newRow("macrocell a number beyond 64 bits")
        << QByteArray("[M2]\n*$\n4 1 1 1 99999999999999999999999\n") << Broken;
    QTest::newRow("macrocell a number that would wrap to 1")
        << QByteArray("[M2]\n*$\n4 18446744073709551617 0 0 0\n") << Broken;
    QTest::newRow("macrocell a leaf below level 5")
        << QByteArray("[M2]\n*$\n5 0 0 1 0\n") << Broken;
    QTest::newRow("macrocell a node of its own level below it")
        << QByteArray("[M2]\n*$\n4 1 0 0 0\n4 0 2 0 0\n") << Broken;
    QTest::newRow("macrocell level 3 node line") << QByteArray("[M2]\n3 0 0 0 0\n") << Broken;
    QTest::newRow("macrocell level above 62") << QByteArray("[M2]\n63 0 0 0 0\n") << Broken;
    QTest::newRow("macrocell four numbers") << QByteArray("[M2]\n*$\n4 1 1 1\n") << Broken;
    QTest::newRow("macrocell six numbers") << QByteArray("[M2]\n*$\n4 1 1 1 1 0\n") << Broken;
    QTest::newRow("macrocell a word") << QByteArray("[M2]\n*$\n4 1 one 1 1\n") << Broken;
    QTest::newRow("macrocell a sign") << QByteArray("[M2]\n*$\n4 +1 1 1 1\n") << Broken;
    QTest::newRow("macrocell o in a leaf") << QByteArray("[M2]\n.o$\n") << Broken;
    QTest::newRow("macrocell a blank inside a leaf") << QByteArray("[M2]\n.* *$\n") << Broken;
    QTest::newRow("macrocell a leaf row of nine") << QByteArray("[M2]\n.........$\n") << Broken;
    QTest::newRow("macrocell a leaf of nine rows") << QByteArray("[M2]\n$$$$$$$$*$\n") << Broken;
    QTest::newRow("macrocell a leaf of nine $") << QByteArray("[M2]\n$$$$$$$$$\n") << Broken;
    QTest::newRow("macrocell without nodes")
        << QByteArray("[M2] (golly 4.2)\n#R B3/S23\n#C o\n\n") << Broken;
}

void TstPatternFormats::refusesFiles() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QString, Rule);
    const TPatternRows Read = ReadPatternText(Bytes);
    QVERIFY(std::holds_alternative<TPatternFault>(Read));
    QCOMPARE(std::get<TPatternFault>(Read).Rule, Rule);
}

void TstPatternFormats::readLifeFileStopsAtItsLimit_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<qint64>("Limit");    // -1: the program's own
    QTest::addColumn<QByteArray>("Read"); // "<refused>": nothing
    const QByteArray Refused("<refused>");
    const QByteArray EightMiB(8 * 1024 * 1024, '.');
    QTest::newRow("the program's limit is 8 MiB") << EightMiB << qint64(-1) << EightMiB;
    QTest::newRow("one byte beyond 8 MiB") << EightMiB + '.' << qint64(-1) << Refused;
    QTest::newRow("up to the limit")
        << QByteArray("O\r\nO\r\n") << qint64(6) << QByteArray("O\r\nO\r\n");
    QTest::newRow("one byte beyond") << QByteArray("O\r\nO\r\n.") << qint64(6) << Refused;
    QTest::newRow("far beyond, in more than one chunk")
        << QByteArray(200 * 1024, '.') << qint64(100 * 1024) << Refused;
    QTest::newRow("a zero byte at the limit, bytes after it beyond")
        << QByteArray("O\r\nO\r\n") + '\0' + "OOO" << qint64(6) << Refused;
    // The bound holds for every byte read, those after a zero byte too.
    QTest::newRow("a zero byte before the limit, many bytes after it")
        << QByteArray("OO") + '\0' + QByteArray(200 * 1024, 'O') << qint64(1024) << Refused;
    QTest::newRow("zero bytes beyond the limit")
        << QByteArray(200 * 1024, '\0') << qint64(100 * 1024) << Refused;
    QTest::newRow("a zero byte, the rest within the limit")
        << QByteArray("OO") + '\0' + "OO" << qint64(5) << QByteArray("OO");
    // The limit holds for the inflated text and for the gzip file itself.
    const QByteArray Text = QByteArray("O\r\n").repeated(40);
    const qint64 Limit = Text.size();
    QTest::newRow("gzip file inflated") << GzipBytes(Text) << Limit << Text;
    QTest::newRow("gzip file inflating one byte beyond")
        << GzipBytes(Text + '.') << Limit << Refused;
    QTest::newRow("gzip file cut short") << GzipBytes(Text).chopped(3) << Limit << Refused;
    QTest::newRow("gzip file with a zero byte in its text")
        << GzipBytes("OO" + QByteArray(1, '\0') + QByteArray(10, 'O')) << Limit << QByteArray("OO");
    QTest::newRow("gzip file inflating to zero bytes beyond the limit")
        << GzipBytes(QByteArray(1000, '\0')) << Limit << Refused;
    QByteArray Noise;
    for (int I = 0; I < 4000; ++I)
        Noise += char((I * 7919 + I / 13) % 251);
    const QByteArray PackedNoise = GzipBytes(Noise);
    QTest::newRow("gzip file larger than the limit itself")
        << PackedNoise << qint64(PackedNoise.size() - 1) << Refused;
    QTest::newRow("1F 8B later in a file is text")
        << QByteArray("O\r\n\x1f\x8b") << qint64(6) << QByteArray("O\r\n\x1f\x8b");
}

void TstPatternFormats::readLifeFileStopsAtItsLimit() {
    QFETCH(QByteArray, Bytes);
    QFETCH(qint64, Limit);
    QFETCH(QByteArray, Read);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("patroon.life"));
    WriteFile(Path, Bytes);
    const std::optional<QByteArray> Text =
        Limit < 0 ? ReadLifeFile(Path) : ReadLifeFile(Path, Limit);
    QCOMPARE(Text.value_or("<refused>"), Read);
}

void TstPatternFormats::droppedAddressKeepsTheNamesBytes_data() {
    QTest::addColumn<QByteArray>("Url");  // %1: the folder's path, percent-encoded
    QTest::addColumn<QByteArray>("Name"); // of the file in the folder; empty: refused
    QTest::newRow("a Latin-1 name")
        << QByteArray("file://%1/latin%E9.rle") << QByteArray("latin\xe9.rle");
    QTest::newRow("a UTF-8 name") << QByteArray("file://%1/caf%C3%A9.rle")
                                  << QByteArray("caf\xc3\xa9.rle");
    QTest::newRow("a lone surrogate's bytes")
        << QByteArray("file://%1/%ED%B3%A9.rle") << QByteArray("\xed\xb3\xa9.rle");
    QTest::newRow("localhost") << QByteArray("file://localhost%1/a.rle") << QByteArray("a.rle");
    QTest::newRow("another host") << QByteArray("file://otherhost%1/a.rle") << QByteArray();
    QTest::newRow("no path") << QByteArray("file:a.rle") << QByteArray();
    QTest::newRow("a zero byte") << QByteArray("file://%1/a.rle%00.png") << QByteArray();
}

// The file a drop names is the one with those very bytes, whether they are UTF-8 or not.
void TstPatternFormats::droppedAddressKeepsTheNamesBytes() {
    QFETCH(QByteArray, Url);
    QFETCH(QByteArray, Name);
    QTemporaryDir Folder;
    const QByteArray Native = QFile::encodeName(Folder.path()) + '/' + Name;
    if (!Name.isEmpty()) {
        std::FILE* File = std::fopen(Native.constData(), "wb");
        QVERIFY(File && std::fputs("x = 1, y = 1\no!\n", File) >= 0 && std::fclose(File) == 0);
    }
    const std::optional<QString> Path = LocalFileOfUrl(
        QUrl::fromEncoded(Url.replace("%1", QUrl::toPercentEncoding(Folder.path(), "/"))));
    QCOMPARE(Path.has_value(), !Name.isEmpty());
    if (!Path)
        return;
    QCOMPARE(EncodeFileName(*Path), Native);
    QCOMPARE(ReadLifeFile(*Path).value_or("<refused>"), QByteArray("x = 1, y = 1\no!\n"));
}

void TstPatternFormats::gunzip_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<qint64>("Limit");
    QTest::addColumn<QByteArray>("Text"); // "<broken>", "<too large>": refused
    const QByteArray Broken("<broken>");
    const QByteArray TooLarge("<too large>");
    const QByteArray Rle("x = 3, y = 3\nbo$2bo$3o!\n");
    const QByteArray Packed = GzipBytes(Rle);
    const qint64 Limit = PatternFileMaxBytes;
    QTest::newRow("one member") << Packed << Limit << Rle;
    QTest::newRow("no text") << GzipBytes({}) << Limit << QByteArray();
    QTest::newRow("two members one after the other")
        << Packed + GzipBytes("#C\n") << Limit << Rle + "#C\n";
    QTest::newRow("bytes after the last member are ignored")
        << Packed + "\n\0\0junk" << Limit << Rle;
    QTest::newRow("a zero byte ends the text")
        << GzipBytes("OO" + QByteArray(1, '\0') + "OO") << Limit << QByteArray("OO");
    QTest::newRow("zero bytes count against the limit")
        << GzipBytes("OO" + QByteArray(100, '\0')) << qint64(50) << TooLarge;
    QTest::newRow("up to the limit") << Packed << qint64(Rle.size()) << Rle;
    QTest::newRow("one byte beyond the limit") << Packed << qint64(Rle.size() - 1) << TooLarge;
    QTest::newRow("the second member beyond the limit")
        << Packed + GzipBytes("#C\n") << qint64(Rle.size() + 2) << TooLarge;
    QTest::newRow("not gzip") << Rle << Limit << Broken;
    QTest::newRow("the two first bytes alone") << QByteArray("\x1f\x8b") << Limit << Broken;
    QTest::newRow("cut inside the header") << Packed.first(6) << Limit << Broken;
    QTest::newRow("cut inside the data") << Packed.first(Packed.size() / 2) << Limit << Broken;
    QTest::newRow("cut inside the trailer") << Packed.chopped(1) << Limit << Broken;
    QTest::newRow("the second member cut short")
        << Packed + GzipBytes("#C\n").chopped(4) << Limit << Broken;
    QByteArray WrongSum = Packed;
    WrongSum[WrongSum.size() - 8] = char(WrongSum[WrongSum.size() - 8] ^ 0x01);
    QTest::newRow("a checksum that does not match") << WrongSum << Limit << Broken;
    QByteArray WrongLength = Packed;
    WrongLength[WrongLength.size() - 4] = char(WrongLength[WrongLength.size() - 4] ^ 0x01);
    QTest::newRow("a length that does not match") << WrongLength << Limit << Broken;
    QByteArray WrongMethod = Packed;
    WrongMethod[2] = 7;
    QTest::newRow("another method than deflate") << WrongMethod << Limit << Broken;
    QByteArray BadBlock = Packed;
    BadBlock[10] = char(0xFF); // a block of the reserved type 3
    QTest::newRow("a corrupt block") << BadBlock << Limit << Broken;
    // 64 MiB of dead cells pack into 64 KiB. Its first quarter inflates to about 16 MiB,
    // beyond the bound: refused as too large, not as cut short, so inflating stopped at
    // the bound instead of running on to the end of the stream.
    const QByteArray Bomb = GzipBytes(QByteArray(64 * 1024 * 1024, '.'));
    QTest::newRow("a small bomb") << Bomb << Limit << TooLarge;
    QTest::newRow("the first quarter of a small bomb")
        << Bomb.first(Bomb.size() / 4) << Limit << TooLarge;
}

void TstPatternFormats::gunzip() {
    QFETCH(QByteArray, Bytes);
    QFETCH(qint64, Limit);
    QFETCH(QByteArray, Text);
    const auto Inflated = Gunzip(Bytes, Limit);
    if (const auto* Fault = std::get_if<TGunzipFault>(&Inflated))
        QCOMPARE(QByteArray(*Fault == TGunzipFault::Broken ? "<broken>" : "<too large>"), Text);
    else
        QCOMPARE(std::get<QByteArray>(Inflated), Text);
}

QTEST_MAIN(TstPatternFormats)
#include "tst_patternformats.moc"
