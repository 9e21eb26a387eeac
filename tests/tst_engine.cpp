// The world grid, its links for the four wrap modes, and the generation step.

#include "tests/testhelpers.h"

#include <QTest>

namespace {

struct TPos {
    int X;
    int Y;
};

// Where a link of (X, Y) points, as a position, or (-1, -1) for DeadCell.
TPos LinkedPos(TLifeFormProbe& Probe, int X, int Y, int Link) {
    const TCell* Target = Probe.World(X, Y).Links[Link];
    if (Target == &Probe.DeadCell)
        return {-1, -1};
    const std::ptrdiff_t Index = Target - Probe.World.Data();
    return {int(Index / TWorld::MaxVertCells), int(Index % TWorld::MaxVertCells)};
}

int DeadLinks(TLifeFormProbe& Probe, int X, int Y) {
    int Count = 0;
    for (int L = 0; L < 8; ++L)
        Count += Probe.World(X, Y).Links[L] == &Probe.DeadCell;
    return Count;
}

void Relink(TLifeForm& Form, qint32 Mode, int Width = 320, int Height = 240) {
    TLifeFormProbe Probe(Form);
    Probe.HorCells = Width;
    Probe.VertCells = Height;
    Probe.Wrapping = Mode;
    Form.MakeConnections(false);
}

QString Pos(TPos P) {
    return QStringLiteral("(%1, %2)").arg(P.X).arg(P.Y);
}

const QStringList Glider = {".O.", "..O", "OOO"};

} // namespace

class TstEngine : public QObject {
    Q_OBJECT

private slots:
    void topLeftLinks_data();
    void topLeftLinks();
    void cornersUnderBoth();
    void deadLinkCountsUnderNone();
    void horizontalWrapJoinsOnlyLeftAndRight();
    void everyLinkInUseUnderBoth();
    void setWrappingRelinksOnlyTheBorder();
    void setWrappingIgnores_data();
    void setWrappingIgnores();
    void killAllCellsKeepsTheRest();
    void rangeCheckedAccess();

    void stillLifesAndOscillators_data();
    void stillLifesAndOscillators();
    void birthAndSurvivalCounts_data();
    void birthAndSurvivalCounts();
    void gliderAtTheEdge_data();
    void gliderAtTheEdge();
    void cellsOutsideAreNeverTouched();
    void neighboursCountTheSnapshot();
    void generationStopsAtItsLargestValue();
};

void TstEngine::topLeftLinks_data() {
    QTest::addColumn<qint32>("Mode");
    QTest::addColumn<QStringList>("Expected");
    const int W = 320, H = 240;
    const auto P = [](int X, int Y) {
        return Pos({X, Y});
    };
    const QString D = Pos({-1, -1});
    QTest::newRow("wmNone") << qint32(wmNone)
                            << QStringList{D, D, D, D, P(1, 0), D, P(0, 1), P(1, 1)};
    QTest::newRow("wmHorizontal") << qint32(wmHorizontal)
                                  << QStringList{D,       D,           D,       P(W - 1, 0),
                                                 P(1, 0), P(W - 1, 1), P(0, 1), P(1, 1)};
    QTest::newRow("wmVertical") << qint32(wmVertical)
                                << QStringList{D,       P(0, H - 1), P(1, H - 1), D,
                                               P(1, 0), D,           P(0, 1),     P(1, 1)};
    QTest::newRow("wmBoth") << qint32(wmBoth)
                            << QStringList{P(W - 1, H - 1), P(0, H - 1), P(1, H - 1), P(W - 1, 0),
                                           P(1, 0),         P(W - 1, 1), P(0, 1),     P(1, 1)};
}

void TstEngine::topLeftLinks() {
    QFETCH(qint32, Mode);
    QFETCH(QStringList, Expected);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Relink(*Form, Mode);
    QStringList Actual;
    for (int L = 0; L < 8; ++L)
        Actual << Pos(LinkedPos(Probe, 0, 0, L));
    QCOMPARE(Actual, Expected);
}

void TstEngine::cornersUnderBoth() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    const int W = 400, H = 300;
    Relink(*Form, wmBoth, W, H);
    QCOMPARE(Pos(LinkedPos(Probe, W - 1, 0, NE)), Pos({0, H - 1}));
    QCOMPARE(Pos(LinkedPos(Probe, 0, H - 1, SW)), Pos({W - 1, 0}));
    QCOMPARE(Pos(LinkedPos(Probe, 0, H - 1, S)), Pos({0, 0}));
    QCOMPARE(Pos(LinkedPos(Probe, W - 1, H - 1, S)), Pos({W - 1, 0}));
    QCOMPARE(Pos(LinkedPos(Probe, W - 1, H - 1, SE)), Pos({0, 0}));
}

void TstEngine::deadLinkCountsUnderNone() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    const int W = 333, H = 251;
    Relink(*Form, wmNone, W, H);
    for (const TPos Corner : {TPos{0, 0}, TPos{W - 1, 0}, TPos{0, H - 1}, TPos{W - 1, H - 1}})
        QCOMPARE(DeadLinks(Probe, Corner.X, Corner.Y), 5);
    for (const TPos Border : {TPos{1, 0}, TPos{W - 2, H - 1}, TPos{0, 7}, TPos{W - 1, H - 2}})
        QCOMPARE(DeadLinks(Probe, Border.X, Border.Y), 3);
    QCOMPARE(DeadLinks(Probe, 1, 1), 0);
    QCOMPARE(DeadLinks(Probe, W - 2, H - 2), 0);
}

void TstEngine::horizontalWrapJoinsOnlyLeftAndRight() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    const int Width = 320, Height = 240;
    Relink(*Form, wmHorizontal, Width, Height);
    for (int Y : {1, 100, Height - 2}) {
        QCOMPARE(Pos(LinkedPos(Probe, 0, Y, NW)), Pos({Width - 1, Y - 1}));
        QCOMPARE(Pos(LinkedPos(Probe, 0, Y, W)), Pos({Width - 1, Y}));
        QCOMPARE(Pos(LinkedPos(Probe, 0, Y, SW)), Pos({Width - 1, Y + 1}));
    }
    for (int X : {0, 5, Width - 1}) {
        for (int L : {NW, N, NE})
            QCOMPARE(LinkedPos(Probe, X, 0, L).X, -1);
        for (int L : {SW, S, SE})
            QCOMPARE(LinkedPos(Probe, X, Height - 1, L).X, -1);
    }
}

void TstEngine::everyLinkInUseUnderBoth() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    const int W = 321, H = 241;
    Relink(*Form, wmBoth, W, H);
    for (int X = 0; X < W; ++X) {
        for (int Y = 0; Y < H; ++Y) {
            for (int L = 0; L < 8; ++L) {
                const TPos P = LinkedPos(Probe, X, Y, L);
                if (P.X < 0 || P.X >= W || P.Y < 0 || P.Y >= H)
                    QFAIL(qPrintable(
                        QStringLiteral("(%1, %2) link %3 leaves the world").arg(X).arg(Y).arg(L)));
            }
        }
    }
}

void TstEngine::setWrappingRelinksOnlyTheBorder() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Relink(*Form, wmNone);
    const auto Interior = Probe.World(17, 23).Links;
    const auto BorderBefore = Probe.World(0, 23).Links;
    Form->SetWrapping(wmBoth);
    QCOMPARE(Probe.Wrapping, qint32(wmBoth));
    QVERIFY(Probe.World(17, 23).Links == Interior);
    QVERIFY(Probe.World(0, 23).Links != BorderBefore);
    QCOMPARE(DeadLinks(Probe, 0, 0), 0);
}

void TstEngine::setWrappingIgnores_data() {
    QTest::addColumn<qint32>("Value");
    QTest::newRow("the current mode") << qint32(wmHorizontal);
    QTest::newRow("4") << qint32(4);
    QTest::newRow("-1") << qint32(-1);
}

void TstEngine::setWrappingIgnores() {
    QFETCH(qint32, Value);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    // A marker on a border link shows whether anything was relinked.
    Probe.World(0, 0).Links[E] = nullptr;
    Form->SetWrapping(Value);
    QCOMPARE(Probe.Wrapping, qint32(wmHorizontal));
    QVERIFY(Probe.World(0, 0).Links[E] == nullptr);
    Probe.World(0, 0).Links[E] = &Probe.World(1, 0);
}

void TstEngine::killAllCellsKeepsTheRest() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, {"OO", "OO"});
    Probe.World(400, 300).State = 1; // outside the in-use world
    Probe.Generation = 12;
    const auto Links = Probe.World(0, 0).Links;
    Form->KillAllCells();
    QCOMPARE(LiveCells(*Form), 0);
    QCOMPARE(Probe.World(0, 0).PrevState, 0);
    QCOMPARE(Probe.World(400, 300).State, 1);
    QCOMPARE(Probe.Generation, 12);
    QVERIFY(Probe.World(0, 0).Links == Links);
}

void TstEngine::rangeCheckedAccess() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    QVERIFY_THROWS_EXCEPTION(TRangeError, Probe.World(1280, 0));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Probe.World(0, 1024));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Probe.World(-1, 5));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Probe.World.Column(3, 1025));
    QCOMPARE(Probe.World(1279, 1023).State, 0);
}

void TstEngine::stillLifesAndOscillators_data() {
    QTest::addColumn<QStringList>("Before");
    QTest::addColumn<QStringList>("After");
    QTest::addColumn<bool>("Stable");
    QTest::newRow("empty world") << QStringList{"...", "...", "..."}
                                 << QStringList{"...", "...", "..."} << true;
    QTest::newRow("block") << QStringList{"....", ".OO.", ".OO.", "...."}
                           << QStringList{"....", ".OO.", ".OO.", "...."} << true;
    QTest::newRow("blinker") << QStringList{".....", ".....", ".OOO.", ".....", "....."}
                             << QStringList{".....", "..O..", "..O..", "..O..", "....."} << false;
    QTest::newRow("single cell dies")
        << QStringList{"...", ".O.", "..."} << QStringList{"...", "...", "..."} << false;
}

void TstEngine::stillLifesAndOscillators() {
    QFETCH(QStringList, Before);
    QFETCH(QStringList, After);
    QFETCH(bool, Stable);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 100, 100, Before);
    Form->DoNextGeneration();
    QCOMPARE(ReadRows(*Form, QRect(100, 100, Before[0].size(), Before.size())), After);
    QCOMPARE(Probe.Stable, Stable);
    QCOMPARE(Probe.Generation, 1);
    QCOMPARE(LiveCells(*Form), int(After.join(QString()).count(QLatin1Char('O'))));
}

void TstEngine::birthAndSurvivalCounts_data() {
    QTest::addColumn<QStringList>("Rows");
    QTest::addColumn<bool>("CentreLives");
    QTest::newRow("dead, 3 neighbours: born") << QStringList{"OO.", "...", "O.."} << true;
    QTest::newRow("dead, 2 neighbours: stays dead") << QStringList{"OO.", "...", "..."} << false;
    QTest::newRow("dead, 4 neighbours: stays dead") << QStringList{"OO.", "...", "O.O"} << false;
    QTest::newRow("alive, 1 neighbour: dies") << QStringList{"O..", ".O.", "..."} << false;
    QTest::newRow("alive, 2 neighbours: survives") << QStringList{"O..", ".O.", "..O"} << true;
    QTest::newRow("alive, 3 neighbours: survives") << QStringList{"O.O", ".O.", "..O"} << true;
    QTest::newRow("alive, 4 neighbours: dies") << QStringList{"O.O", ".O.", "O.O"} << false;
    QTest::newRow("alive, 8 neighbours: dies") << QStringList{"OOO", "OOO", "OOO"} << false;
}

void TstEngine::birthAndSurvivalCounts() {
    QFETCH(QStringList, Rows);
    QFETCH(bool, CentreLives);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 50, 60, Rows);
    Form->CalcNextGeneration();
    QCOMPARE(Probe.World(51, 61).State, CentreLives ? 1 : 0);
}

void TstEngine::gliderAtTheEdge_data() {
    QTest::addColumn<qint32>("Mode");
    QTest::addColumn<bool>("Reappears");
    QTest::newRow("wmNone: ends as a block in the corner") << qint32(wmNone) << false;
    QTest::newRow("wmBoth: crosses to the opposite corner") << qint32(wmBoth) << true;
}

void TstEngine::gliderAtTheEdge() {
    QFETCH(qint32, Mode);
    QFETCH(bool, Reappears);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    const int W = 320, H = 240;
    Relink(*Form, Mode, W, H);
    // Heading down and to the right, three cells from the bottom-right corner.
    PlaceRows(*Form, W - 6, H - 6, Glider);
    for (int I = 0; I < 40; ++I)
        Form->CalcNextGeneration();
    if (Reappears) {
        QCOMPARE(LiveCells(*Form), 5);
        QVERIFY(ReadRows(*Form, QRect(0, 0, 12, 12)).join(QString()).count(QLatin1Char('O')) == 5);
    } else {
        QCOMPARE(ReadRows(*Form, QRect(W - 2, H - 2, 2, 2)), (QStringList{"OO", "OO"}));
        QCOMPARE(LiveCells(*Form), 4);
    }
}

void TstEngine::cellsOutsideAreNeverTouched() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Relink(*Form, wmNone);
    // A live block just outside the in-use world must neither feed nor change.
    Probe.World(320, 10).State = Probe.World(320, 11).State = Probe.World(321, 10).State = 1;
    Form->CalcNextGeneration();
    QCOMPARE(Probe.World(319, 10).State, 0);
    QCOMPARE(Probe.World(320, 10).State, 1);
    QCOMPARE(Probe.World(320, 10).PrevState, 0);
}

void TstEngine::neighboursCountTheSnapshot() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OOO"});
    Form->CalcNextGeneration();
    // (11, 9) was born from the row's three cells; the count is from the snapshot.
    QCOMPARE(Probe.World(11, 9).State, 1);
    QCOMPARE(Form->Neighbours(11, 9), 3);
    QCOMPARE(Form->Neighbours(11, 10), 2);
}

void TstEngine::generationStopsAtItsLargestValue() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Probe.Generation = std::numeric_limits<qint32>::max() - 1;
    Form->CalcNextGeneration();
    QCOMPARE(Probe.Generation, std::numeric_limits<qint32>::max());
    Form->CalcNextGeneration();
    QCOMPARE(Probe.Generation, std::numeric_limits<qint32>::max());
}

QTEST_MAIN(TstEngine)
#include "tst_engine.moc"
