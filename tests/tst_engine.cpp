// The engine: the edges for the four wrap modes as the links of the linked cells gave them,
// the cell operations, and the generation step.

#include "engine/runschedule.h"
#include "tests/linkworld.h"
#include "tests/testhelpers.h"

#include <QTest>

#include <random>

namespace {

const QStringList Glider = {".O.", "..O", "OOO"};

TLifeEngine EngineOf(int Width, int Height, qint32 Mode) {
    TLifeEngine Engine;
    Engine.SetSize(Width, Height);
    Engine.SetWrapping(Mode);
    return Engine;
}

// Whether the snapshot's cell Target counts as a neighbour of (X, Y); Target must be dead.
bool Counts(TLifeEngine& Engine, int X, int Y, QPoint Target) {
    const int Before = Engine.Neighbours(X, Y);
    Engine.SetCell(Target.x(), Target.y(), 1);
    const int After = Engine.Neighbours(X, Y);
    Engine.SetCell(Target.x(), Target.y(), 0);
    return After == Before + 1;
}

// In a world where every cell lives, a cell counts one neighbour for each link that does not
// lead to the dead cell.
void FillAlive(TLifeEngine& Engine) {
    for (int Y = 0; Y < Engine.VertCells(); ++Y) {
        for (int X = 0; X < Engine.HorCells(); ++X)
            Engine.SetCell(X, Y, 1);
    }
}

void FillRandom(TLifeEngine& Engine, unsigned Seed) {
    std::mt19937 Random(Seed);
    for (int Y = 0; Y < Engine.VertCells(); ++Y) {
        for (int X = 0; X < Engine.HorCells(); ++X)
            Engine.SetCell(X, Y, Random() % 3 == 0);
    }
}

// Every word of the capacity random, half of the cells alive, in both generations.
void FillSoup(TLifeEngine& Engine, unsigned Seed) {
    std::mt19937_64 Random(Seed);
    for (int Index = 0; Index < TLifeEngine::CapacityWords; ++Index)
        Engine.FlipStates(Index, Random());
    Engine.BackupGeneration();
}

std::vector<TLifeEngine::TWord> StatesOf(const TLifeEngine& Engine) {
    std::vector<TLifeEngine::TWord> States(TLifeEngine::CapacityWords);
    Engine.CopyStates(States.data());
    return States;
}

QString Pos(QPoint P) {
    return QStringLiteral("(%1, %2)").arg(P.x()).arg(P.y());
}

} // namespace

class TstEngine : public QObject {
    Q_OBJECT

private slots:
    // Every test runs on every path of the step this processor has.
    void initTestCase_data();
    void init();

    void neighboursAsTheLinksGaveThem_data();
    void neighboursAsTheLinksGaveThem();
    void topLeftCornerByMode_data();
    void topLeftCornerByMode();
    void cornersUnderBoth();
    void deadNeighboursUnderNone();
    void horizontalWrapJoinsOnlyLeftAndRight();
    void everyNeighbourInUseUnderBoth();
    void wrapChangeLeavesTheInterior();
    void setWrappingIgnores_data();
    void setWrappingIgnores();
    void killAllCellsKeepsTheRest();
    void regainedAreaIsDead();
    void outsideStaysDead_data();
    void outsideStaysDead();
    void rangeCheckedAccess();

    void stillLifesAndOscillators_data();
    void stillLifesAndOscillators();
    void birthAndSurvivalCounts_data();
    void birthAndSurvivalCounts();
    void gliderAtTheEdge_data();
    void gliderAtTheEdge();
    void neighboursCountTheSnapshot();
    void generationStopsAtItsLargestValue();
    void everyPathStepsAsThePlainPath_data();
    void everyPathStepsAsThePlainPath();
    void changedAfterAStepFollowsEdits_data();
    void changedAfterAStepFollowsEdits();
    void scheduleGivesTheDueGenerations_data();
    void scheduleGivesTheDueGenerations();
};

void TstEngine::initTestCase_data() {
    QTest::addColumn<TLifeEngine::TStepPath>("Path");
    for (const TLifeEngine::TStepPath Path : TLifeEngine::StepPaths())
        QTest::newRow(TLifeEngine::StepPathName(Path)) << Path;
}

void TstEngine::init() {
    QFETCH_GLOBAL(TLifeEngine::TStepPath, Path);
    TLifeEngine::SetStepPath(Path);
}

void TstEngine::neighboursAsTheLinksGaveThem_data() {
    QTest::addColumn<int>("Width");
    QTest::addColumn<int>("Height");
    QTest::addColumn<qint32>("Mode");
    const char* const Names[] = {"wmNone", "wmHorizontal", "wmVertical", "wmBoth"};
    for (const qint32 Mode : {wmNone, wmHorizontal, wmVertical, wmBoth}) {
        QTest::addRow("%s, 320 x 240", Names[Mode]) << 320 << 240 << Mode;
        QTest::addRow("%s, 321 x 241", Names[Mode]) << 321 << 241 << Mode;
        QTest::addRow("%s, 1280 x 1024", Names[Mode]) << 1280 << 1024 << Mode;
    }
}

// Every cell of the border and a band of the interior, on a random snapshot.
void TstEngine::neighboursAsTheLinksGaveThem() {
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(qint32, Mode);
    TLifeEngine Engine = EngineOf(Width, Height, Mode);
    FillRandom(Engine, unsigned(Width + Mode));
    TLinkWorld Links;
    Links.Configure(Width, Height, Mode);
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y)
            Links(X, Y).PrevState = Engine.PrevState(X, Y);
    }
    for (int X = 0; X < Width; ++X) {
        for (int Y = 0; Y < Height; ++Y) {
            const bool Border = X < 2 || Y < 2 || X >= Width - 2 || Y >= Height - 2;
            if ((Border || X % 97 == 0) && Engine.Neighbours(X, Y) != Links.Neighbours(X, Y))
                QFAIL(qPrintable(QStringLiteral("Neighbours(%1, %2)").arg(X).arg(Y)));
        }
    }
}

void TstEngine::topLeftCornerByMode_data() {
    QTest::addColumn<qint32>("Mode");
    QTest::addColumn<QStringList>("Expected"); // NW, N, NE, W, E, SW, S, SE
    const int W = 320, H = 240;
    const auto P = [](int X, int Y) {
        return Pos({X, Y});
    };
    const QString D = QStringLiteral("dead");
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

// Each direction names the cell that counts, or "dead" when the cell its wrapping would
// name does not count: exactly what the eight links of (0, 0) pointed to.
void TstEngine::topLeftCornerByMode() {
    QFETCH(qint32, Mode);
    QFETCH(QStringList, Expected);
    const int W = 320, H = 240;
    TLifeEngine Engine = EngineOf(W, H, Mode);
    const QPoint Wrapped[8] = {{W - 1, H - 1}, {0, H - 1}, {1, H - 1}, {W - 1, 0},
                               {1, 0},         {W - 1, 1}, {0, 1},     {1, 1}};
    QStringList Actual;
    for (const QPoint Target : Wrapped)
        Actual << (Counts(Engine, 0, 0, Target) ? Pos(Target) : QStringLiteral("dead"));
    QCOMPARE(Actual, Expected);
}

void TstEngine::cornersUnderBoth() {
    const int W = 400, H = 300;
    TLifeEngine Engine = EngineOf(W, H, wmBoth);
    QVERIFY(Counts(Engine, 0, 0, {W - 1, H - 1}));
    QVERIFY(Counts(Engine, W - 1, 0, {0, H - 1}));
    QVERIFY(Counts(Engine, 0, H - 1, {W - 1, 0}));
    QVERIFY(Counts(Engine, 0, H - 1, {0, 0}));
    QVERIFY(Counts(Engine, W - 1, H - 1, {W - 1, 0}));
    QVERIFY(Counts(Engine, W - 1, H - 1, {0, 0}));
}

void TstEngine::deadNeighboursUnderNone() {
    const int W = 333, H = 251;
    TLifeEngine Engine = EngineOf(W, H, wmNone);
    FillAlive(Engine);
    for (const QPoint Corner :
         {QPoint(0, 0), QPoint(W - 1, 0), QPoint(0, H - 1), QPoint(W - 1, H - 1)})
        QCOMPARE(Engine.Neighbours(Corner.x(), Corner.y()), 8 - 5);
    for (const QPoint Border :
         {QPoint(1, 0), QPoint(W - 2, H - 1), QPoint(0, 7), QPoint(W - 1, H - 2)})
        QCOMPARE(Engine.Neighbours(Border.x(), Border.y()), 8 - 3);
    QCOMPARE(Engine.Neighbours(1, 1), 8);
    QCOMPARE(Engine.Neighbours(W - 2, H - 2), 8);
}

void TstEngine::horizontalWrapJoinsOnlyLeftAndRight() {
    const int Width = 320, Height = 240;
    TLifeEngine Engine = EngineOf(Width, Height, wmHorizontal);
    for (int Y : {1, 100, Height - 2}) {
        QVERIFY(Counts(Engine, 0, Y, {Width - 1, Y - 1}));
        QVERIFY(Counts(Engine, 0, Y, {Width - 1, Y}));
        QVERIFY(Counts(Engine, 0, Y, {Width - 1, Y + 1}));
    }
    FillAlive(Engine);
    for (int X : {0, 5, Width - 1}) {
        QCOMPARE(Engine.Neighbours(X, 0), 5);
        QCOMPARE(Engine.Neighbours(X, Height - 1), 5);
    }
    QCOMPARE(Engine.Neighbours(0, 100), 8);
}

void TstEngine::everyNeighbourInUseUnderBoth() {
    const int W = 321, H = 241;
    TLifeEngine Engine = EngineOf(W, H, wmBoth);
    FillAlive(Engine);
    for (int X = 0; X < W; ++X) {
        for (int Y = 0; Y < H; ++Y) {
            if (Engine.Neighbours(X, Y) != 8)
                QFAIL(qPrintable(QStringLiteral("(%1, %2) has a dead neighbour").arg(X).arg(Y)));
        }
    }
}

void TstEngine::wrapChangeLeavesTheInterior() {
    TLifeEngine Engine = EngineOf(320, 240, wmNone);
    FillRandom(Engine, 11);
    QList<int> Before;
    for (int X = 1; X < 319; ++X) {
        for (int Y = 1; Y < 239; ++Y)
            Before << Engine.Neighbours(X, Y);
    }
    Engine.SetWrapping(wmBoth);
    QList<int> After;
    for (int X = 1; X < 319; ++X) {
        for (int Y = 1; Y < 239; ++Y)
            After << Engine.Neighbours(X, Y);
    }
    QCOMPARE(Engine.Wrapping(), qint32(wmBoth));
    QCOMPARE(After, Before);

    TLifeEngine Empty = EngineOf(320, 240, wmNone);
    Empty.SetWrapping(wmBoth);
    QVERIFY(Counts(Empty, 0, 0, {319, 239}));
}

void TstEngine::setWrappingIgnores_data() {
    QTest::addColumn<qint32>("Value");
    QTest::newRow("the current mode") << qint32(wmHorizontal);
    QTest::newRow("4") << qint32(4);
    QTest::newRow("-1") << qint32(-1);
}

void TstEngine::setWrappingIgnores() {
    QFETCH(qint32, Value);
    TLifeEngine Engine;
    Engine.SetWrapping(Value);
    QCOMPARE(Engine.Wrapping(), qint32(wmHorizontal));
    QVERIFY(Counts(Engine, 0, 10, {319, 10}));
    QVERIFY(!Counts(Engine, 10, 0, {10, 239}));
}

void TstEngine::killAllCellsKeepsTheRest() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, {"OO", "OO"});
    Probe.SetGeneration(12);
    Form->KillAllCells();
    QCOMPARE(LiveCells(*Form), 0);
    QCOMPARE(Probe.Engine.PrevState(0, 0), 0);
    QCOMPARE(Probe.Generation(), 12);
    QCOMPARE(Probe.Wrapping(), qint32(wmHorizontal));
    QVERIFY(Counts(Probe.Engine, 0, 10, {319, 10}));
}

void TstEngine::regainedAreaIsDead() {
    TLifeEngine Engine = EngineOf(400, 300, wmBoth);
    FillAlive(Engine);
    Engine.KillCellsOutside();
    Engine.SetSize(320, 240);
    Engine.KillCellsOutside();
    Engine.CalcNextGeneration();
    Engine.SetSize(400, 300);
    for (int X = 0; X < 400; ++X) {
        for (int Y = 0; Y < 300; ++Y) {
            if ((X >= 320 || Y >= 240) && (Engine.State(X, Y) || Engine.PrevState(X, Y)))
                QFAIL(qPrintable(QStringLiteral("(%1, %2) is alive").arg(X).arg(Y)));
        }
    }
}

void TstEngine::outsideStaysDead_data() {
    QTest::addColumn<int>("Width");
    QTest::addColumn<qint32>("Mode");
    QTest::newRow("321 wide, wmBoth") << 321 << qint32(wmBoth);
    QTest::newRow("384 wide, wmHorizontal") << 384 << qint32(wmHorizontal);
    QTest::newRow("383 wide, wmNone") << 383 << qint32(wmNone);
}

// The cells just right of and below the world, where the edges are read, stay dead in both
// generations while a soup runs against every edge.
void TstEngine::outsideStaysDead() {
    QFETCH(int, Width);
    QFETCH(qint32, Mode);
    const int Height = 241;
    TLifeEngine Engine = EngineOf(Width, Height, Mode);
    FillRandom(Engine, 5);
    for (int G = 0; G < 10; ++G) {
        Engine.CalcNextGeneration();
        for (int Y = 0; Y < Height + 2; ++Y) {
            for (int X = Y < Height ? Width : 0; X < Width + 70; ++X) {
                if (Engine.State(X, Y) || Engine.PrevState(X, Y))
                    QFAIL(qPrintable(QStringLiteral("(%1, %2) is alive").arg(X).arg(Y)));
            }
        }
    }
}

void TstEngine::rangeCheckedAccess() {
    TLifeEngine Engine;
    QVERIFY_THROWS_EXCEPTION(TRangeError, Engine.State(1280, 0));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Engine.PrevState(0, 1024));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Engine.State(-1, 5));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Engine.SetCell(320, 0, 1)); // outside the world in use
    QVERIFY_THROWS_EXCEPTION(TRangeError, Engine.SetState(0, 240, 1));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Engine.Neighbours(400, 300));
    QVERIFY_THROWS_EXCEPTION(TRangeError, Engine.SetSize(1281, 240));
    QCOMPARE(Engine.State(1279, 1023), 0);
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
    QCOMPARE(Probe.Generation(), 1);
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
    QCOMPARE(Probe.Engine.State(51, 61), CentreLives ? 1 : 0);
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
    Probe.SetWrapping(Mode);
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

void TstEngine::neighboursCountTheSnapshot() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OOO"});
    Form->CalcNextGeneration();
    // (11, 9) was born from the row's three cells; the count is from the snapshot.
    QCOMPARE(Probe.Engine.State(11, 9), 1);
    QCOMPARE(Form->Neighbours(11, 9), 3);
    QCOMPARE(Form->Neighbours(11, 10), 2);
}

void TstEngine::generationStopsAtItsLargestValue() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Probe.SetGeneration(std::numeric_limits<qint32>::max() - 1);
    Form->CalcNextGeneration();
    QCOMPARE(Probe.Generation(), std::numeric_limits<qint32>::max());
    Form->CalcNextGeneration();
    QCOMPARE(Probe.Generation(), std::numeric_limits<qint32>::max());
}

void TstEngine::everyPathStepsAsThePlainPath_data() {
    QTest::addColumn<int>("Width");
    QTest::addColumn<int>("Height");
    QTest::addColumn<qint32>("Mode");
    const char* const Names[] = {"wmNone", "wmHorizontal", "wmVertical", "wmBoth"};
    // Around the multiples of 64, 128 and 256 cells, the last word or vector full or not.
    const QSize Sizes[] = {{1, 1},     {2, 3},     {63, 1},      {64, 2},     {65, 3},   {127, 5},
                           {128, 64},  {129, 7},   {255, 9},     {256, 10},   {257, 11}, {320, 240},
                           {383, 100}, {1216, 17}, {1279, 1023}, {1280, 1024}};
    for (const qint32 Mode : {wmNone, wmHorizontal, wmVertical, wmBoth}) {
        for (const QSize Size : Sizes) {
            QTest::addRow("%s, %d x %d", Names[Mode], Size.width(), Size.height())
                << Size.width() << Size.height() << Mode;
        }
    }
}

// A soup of each size stepped by this row's path and by the plain one, alike in every word
// of the capacity and in what they say changed.
void TstEngine::everyPathStepsAsThePlainPath() {
    QFETCH_GLOBAL(TLifeEngine::TStepPath, Path);
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(qint32, Mode);
    if (Path == TLifeEngine::TStepPath::Plain)
        QSKIP("the plain path is the reference");
    TLifeEngine Vector = EngineOf(Width, Height, Mode);
    TLifeEngine Plain = EngineOf(Width, Height, Mode);
    FillSoup(Vector, unsigned(Width * 31 + Height + Mode));
    FillSoup(Plain, unsigned(Width * 31 + Height + Mode));
    for (int G = 1; G <= 12; ++G) {
        TLifeEngine::SetStepPath(TLifeEngine::TStepPath::Plain);
        Plain.CalcNextGeneration();
        TLifeEngine::SetStepPath(Path);
        Vector.CalcNextGeneration();
        QVERIFY2(StatesOf(Vector) == StatesOf(Plain), qPrintable(QStringLiteral("step %1").arg(G)));
        QCOMPARE(Vector.Changed(), Plain.Changed());
    }
}

void TstEngine::changedAfterAStepFollowsEdits_data() {
    QTest::addColumn<QStringList>("Rows");
    QTest::addColumn<QString>("Edit");
    QTest::addColumn<bool>("Changed");
    const QStringList Block = {"OO", "OO"};
    const QStringList Blinker = {"...", "OOO", "..."};
    QTest::newRow("block, nothing") << Block << "" << false;
    QTest::newRow("blinker, nothing") << Blinker << "" << true;
    QTest::newRow("block, SetState") << Block << "SetState" << true;
    QTest::newRow("block, FlipStates") << Block << "FlipStates" << true;
    QTest::newRow("blinker, BackupGeneration") << Blinker << "BackupGeneration" << false;
    QTest::newRow("blinker, KillAllCells") << Blinker << "KillAllCells" << false;
    QTest::newRow("blinker, InitLife") << Blinker << "InitLife" << false;
    QTest::newRow("blinker, SetSize cuts it off") << Blinker << "SetSize" << false;
}

// Right after a step, Changed is what the step found; after an edit, what the cells say.
void TstEngine::changedAfterAStepFollowsEdits() {
    QFETCH(QStringList, Rows);
    QFETCH(QString, Edit);
    QFETCH(bool, Changed);
    TLifeEngine Engine = EngineOf(320, 240, wmBoth);
    for (int Y = 0; Y < Rows.size(); ++Y) {
        for (int X = 0; X < Rows[Y].size(); ++X)
            Engine.SetCell(X + 100, Y + 100, Rows[Y][X] == QLatin1Char('O'));
    }
    Engine.CalcNextGeneration();
    if (Edit == QLatin1String("SetState"))
        Engine.SetState(5, 5, 1);
    else if (Edit == QLatin1String("FlipStates"))
        Engine.FlipStates(0, 1);
    else if (Edit == QLatin1String("BackupGeneration"))
        Engine.BackupGeneration();
    else if (Edit == QLatin1String("KillAllCells"))
        Engine.KillAllCells();
    else if (Edit == QLatin1String("InitLife"))
        Engine.InitLife();
    else if (Edit == QLatin1String("SetSize"))
        Engine.SetSize(100, 100);
    QCOMPARE(Engine.Changed(), Changed);
}

void TstEngine::scheduleGivesTheDueGenerations_data() {
    QTest::addColumn<int>("IntervalMs");
    // After the start; a negative time -T starts the run again at T.
    QTest::addColumn<QList<double>>("TicksMs");
    QTest::addColumn<QList<int>>("Generations"); // at each tick
    QTest::newRow("1 ms, ticks on time") << 1 << QList<double>{1, 2, 3} << QList<int>{1, 1, 1};
    QTest::newRow("1 ms, late ticks do what is due")
        << 1 << QList<double>{1.2, 3.9, 4.1, 7} << QList<int>{1, 3, 0, 3};
    QTest::newRow("1 ms, a debt beyond the cap is dropped")
        << 1 << QList<double>{1, 40, 41} << QList<int>{1, 8, 1};
    QTest::newRow("50 ms, a lost tick is not caught up")
        << 50 << QList<double>{50, 150, 200} << QList<int>{1, 1, 1};
    QTest::newRow("1000 ms, a tick a little early")
        << 1000 << QList<double>{999, 1999.5, 2400} << QList<int>{1, 1, 0};
    QTest::newRow("1000 ms, a stall of 5 s jumps no generation")
        << 1000 << QList<double>{1000, 2000, 3000, 8000, 9000} << QList<int>{1, 1, 1, 1, 1};
    QTest::newRow("a run started again counts from its new start")
        << 1000 << QList<double>{1000, 2000, 3000, -3500, 4500} << QList<int>{1, 1, 1, 1};
}

void TstEngine::scheduleGivesTheDueGenerations() {
    QFETCH(int, IntervalMs);
    QFETCH(QList<double>, TicksMs);
    QFETCH(QList<int>, Generations);
    const qint64 Start = 5'000'000'000;
    TRunSchedule Schedule;
    Schedule.Start(Start, IntervalMs);
    QList<int> Done;
    for (const double Tick : TicksMs) {
        if (Tick < 0)
            Schedule.Start(Start + qint64(-Tick * 1e6), IntervalMs);
        else
            Done << Schedule.Take(Start + qint64(Tick * 1e6));
    }
    QCOMPARE(Done, Generations);
}

QTEST_MAIN(TstEngine)
#include "tst_engine.moc"
