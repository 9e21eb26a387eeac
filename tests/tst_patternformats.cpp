// The shared pattern formats without a window: which format a file is in, how each reader
// turns it into rows, which files it refuses, and the size limit of the file reader.

#include "patterns/lifelines.h"
#include "patterns/patternformats.h"
#include "tests/testhelpers.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The rows of a file's bytes as the readers give them, or the fault they report.
TPatternRows ReadBytes(const QByteArray& Bytes) {
    const QStringList Lines = SplitLifeLines(Bytes);
    return ReadPatternFormat(RecognisePatternFormat(Lines), Lines);
}

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
    void refusesFiles_data();
    void refusesFiles();
    void readLifeFileStopsAtItsLimit_data();
    void readLifeFileStopsAtItsLimit();
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
}

void TstPatternFormats::recognisePatternFormat() {
    QFETCH(QByteArray, Bytes);
    QFETCH(TPatternFormat, Format);
    QCOMPARE(RecognisePatternFormat(SplitLifeLines(Bytes)), Format);
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
    QCOMPARE(IsConwayRule(Rule), Conway);
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
    QTest::newRow("RLE count beyond 64 bits")
        << QByteArray("x = 0, y = 0\n99999999999999999999999b2o!") << QStringList{"OO"};
    QTest::newRow("RLE top row cut off far to the right")
        << QByteArray("x = 0, y = 0\n999999999999999b3o$o!") << QStringList{".", "O"};
    QTest::newRow("RLE without cells") << QByteArray("x = 0, y = 0\n!") << QStringList();
}

void TstPatternFormats::readsRows() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QStringList, Rows);
    const TPatternRows Read = ReadBytes(Bytes);
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
    QTest::newRow("Life 1.06 a comment line") << QByteArray("#Life 1.06\n#D x\n0 0\n") << Broken;
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
    QTest::newRow("RLE another rule")
        << QByteArray("x = 3, y = 3, rule = B36/S23\nbo$2bo$3o!") << "B36/S23";
    QTest::newRow("RLE another rule on a torus, broken runs")
        << QByteArray("x = 3, y = 3, rule = B36/S23:T10,10 \n0o") << "B36/S23:T10,10";
    QTest::newRow("Life 1.05 #R with another rule")
        << QByteArray("#Life 1.05\n#R 34/34\n#P 0 0\n*\n") << "34/34";
    QTest::newRow("Life 1.05 #R with a word") << QByteArray("#Life 1.05\n#R Life\n*\n") << "Life";
}

void TstPatternFormats::refusesFiles() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QString, Rule);
    const TPatternRows Read = ReadBytes(Bytes);
    QVERIFY(std::holds_alternative<TPatternFault>(Read));
    QCOMPARE(std::get<TPatternFault>(Read).Rule, Rule);
}

void TstPatternFormats::readLifeFileStopsAtItsLimit_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<qint64>("Limit");
    QTest::addColumn<QByteArray>("Read"); // "<refused>": nothing
    const QByteArray Refused("<refused>");
    QTest::newRow("up to the limit")
        << QByteArray("O\r\nO\r\n") << qint64(6) << QByteArray("O\r\nO\r\n");
    QTest::newRow("one byte beyond") << QByteArray("O\r\nO\r\n.") << qint64(6) << Refused;
    QTest::newRow("far beyond, in more than one chunk")
        << QByteArray(200 * 1024, '.') << qint64(100 * 1024) << Refused;
    QTest::newRow("a zero byte at the limit ends the text")
        << QByteArray("O\r\nO\r\n") + '\0' + "OOO" << qint64(6) << QByteArray("O\r\nO\r\n");
    QTest::newRow("a zero byte before the limit, many bytes after it")
        << QByteArray("OO") + '\0' + QByteArray(200 * 1024, 'O') << qint64(1024)
        << QByteArray("OO");
}

void TstPatternFormats::readLifeFileStopsAtItsLimit() {
    QFETCH(QByteArray, Bytes);
    QFETCH(qint64, Limit);
    QFETCH(QByteArray, Read);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("patroon.life"));
    WriteFile(Path, Bytes);
    QCOMPARE(ReadLifeFile(Path, Limit).value_or("<refused>"), Read);
}

QTEST_MAIN(TstPatternFormats)
#include "tst_patternformats.moc"
