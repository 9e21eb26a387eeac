// Running ahead: fast forward and a run to a generation reach the oracle's world and stop
// where a timer run stops; the population series and its window; the live count's paths.

#include "engine/livecount.h"
#include "engine/runahead.h"
#include "tests/linkworld.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <limits>
#include <memory>
#include <random>

namespace {

const QStringList Diehard = {"......O.", "OO......", ".O...OOO"};
const QStringList Block = {"OO", "OO"};
const QStringList Beacon = {"OO..", "O...", "...O", "..OO"}; // 6 and 8 live cells in turn
const QStringList GosperGun = {
    "........................O...........", "......................O.O...........",
    "............OO......OO............OO", "...........O...O....OO............OO",
    "OO........O.....O...OO..............", "OO........O...O.OO....O.O...........",
    "..........O.....O.......O...........", "...........O...O....................",
    "............OO......................"};

// A random world of about one live cell in three, as if opened.
void PlaceSoup(TLifeForm& Form, unsigned Seed) {
    TLifeFormProbe Probe(Form);
    std::mt19937 Random(Seed);
    for (int X = 0; X < Probe.HorCells(); ++X) {
        for (int Y = 0; Y < Probe.VertCells(); ++Y)
            Probe.Engine.SetCell(X, Y, Random() % 3 == 0);
    }
}

void PlacePattern(TLifeForm& Form, const QStringList& Rows) {
    if (Rows.isEmpty())
        PlaceSoup(Form, 11);
    else
        PlaceRows(Form, 60, 50, Rows);
    Form.DrawGeneration(true);
    TLifeFormProbe(Form).History().Record(QStringLiteral("geplaatst"));
}

TColumnStates States(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    TColumnStates States;
    for (int X = 0; X < Probe.HorCells(); ++X) {
        for (int Y = 0; Y < Probe.VertCells(); ++Y)
            States.push_back(std::uint8_t(Probe.Engine.State(X, Y)));
    }
    return States;
}

// The world Generations generations on, by the linked cell records.
TColumnStates OracleAfter(TLifeForm& Form, const TColumnStates& Start, qint32 Generations) {
    TLifeFormProbe Probe(Form);
    static TLinkWorld Oracle;
    Oracle.Configure(Probe.HorCells(), Probe.VertCells(), Probe.Wrapping());
    Oracle.Load(Start);
    for (qint32 Step = 0; Step < Generations; ++Step)
        Oracle.CalcNextGeneration();
    return Oracle.States();
}

// A clock that moves on a millisecond every time it is read.
std::function<qint64()> TickingClock() {
    return [Now = qint64(0)]() mutable {
        return Now += 1'000'000;
    };
}

// The generation at which a timer run on Form's world would stop: its stop rule, steps until
// one changes nothing, taken on a copy of the engine.
qint32 TimerRunStop(TLifeForm& Form) {
    const auto Copy = std::make_unique<TLifeEngine>(TLifeFormProbe(Form).Engine);
    do
        Copy->CalcNextGeneration();
    while (Copy->Changed());
    return Copy->Generation();
}

void AddWorldColumns() {
    QTest::addColumn<int>("Width");
    QTest::addColumn<int>("Height");
    QTest::addColumn<qint32>("Wrapping");
    QTest::addColumn<QStringList>("Pattern"); // empty: a soup
    const char* const Names[] = {"wmNone", "wmHorizontal", "wmVertical", "wmBoth"};
    for (const qint32 Mode : {wmNone, wmHorizontal, wmVertical, wmBoth})
        QTest::addRow("soup, %s", Names[Mode]) << 321 << 241 << Mode << QStringList();
    QTest::newRow("gun, 1280 x 1024") << 1280 << 1024 << qint32(wmBoth) << GosperGun;
}

} // namespace

class TstRunAhead : public QObject {
    Q_OBJECT

private slots:
    void countPathsAgreeWithThePlainCount();
    void seriesRangesAsAScanWould_data();
    void seriesRangesAsAScanWould();
    void fastForwardReachesTheOraclesWorld_data() { AddWorldColumns(); }
    void fastForwardReachesTheOraclesWorld();
    void goToGenerationReachesTheOraclesWorld_data() { AddWorldColumns(); }
    void goToGenerationReachesTheOraclesWorld();
    void stopsWhereATimerRunStops_data();
    void stopsWhereATimerRunStops();
    void cancelKeepsTheGenerationReached();
    void keysStopAFastForward_data();
    void keysStopAFastForward();
    void seriesFollowsEveryGenerationAndRestartsByHand_data();
    void seriesFollowsEveryGenerationAndRestartsByHand();
    void populationWindowDrawsEachColumnsRange();
    void populationWindowStandsBeside_data();
    void populationWindowStandsBeside();
    void panelsRepaintOnlyWhatChanged();
};

void TstRunAhead::countPathsAgreeWithThePlainCount() {
    std::mt19937_64 Random(5);
    std::vector<TLifeEngine::TWord> Words(45);
    for (const int Sparse : {0, 1, 3}) {
        for (auto& Word : Words)
            Word = Sparse == 0 ? ~TLifeEngine::TWord(0) : Random() & Random() >> Sparse;
        for (int Count = 0; Count <= int(Words.size()); ++Count) {
            for (const TCountPath Path : CountPaths())
                QCOMPARE(CountBits(Words.data(), Count, Path),
                         CountBits(Words.data(), Count, TCountPath::Plain));
        }
    }
    TLifeEngine Engine;
    Engine.SetSize(1279, 1023);
    Engine.SetCell(1278, 1022, 1);
    Engine.SetCell(0, 0, 1);
    QCOMPARE(CountLiveCells(Engine), 2);
}

void TstRunAhead::seriesRangesAsAScanWould_data() {
    QTest::addColumn<qsizetype>("Count");
    QTest::newRow("one generation") << qsizetype(1);
    QTest::newRow("less than a block") << qsizetype(15);
    QTest::newRow("blocks of several levels") << qsizetype(70'001);
    QTest::newRow("after the oldest went twice")
        << TPopulationSeries::Kept + TPopulationSeries::Kept / 2 + 3;
}

void TstRunAhead::seriesRangesAsAScanWould() {
    QFETCH(qsizetype, Count);
    std::mt19937 Random{unsigned(Count)};
    std::vector<qint32> All;
    TPopulationSeries Series(40, 7);
    All.push_back(7);
    for (qsizetype I = 1; I < Count; ++I) {
        All.push_back(qint32(Random() % 100'000));
        Series.Append(All.back());
    }
    const qsizetype Kept = std::min(Count, TPopulationSeries::Kept + TPopulationSeries::Kept / 4);
    QVERIFY(Series.Count() >= std::min(Count, TPopulationSeries::Kept));
    QVERIFY(Series.Count() <= Kept);
    QCOMPARE(Series.LastGeneration(), 40 + Count - 1);
    const qsizetype Dropped = Count - Series.Count();
    QCOMPARE(Series.FirstGeneration(), 40 + Dropped);
    // Short stretches within a block or two, and long ones across many levels.
    for (int Try = 0; Try < 300; ++Try) {
        const qsizetype From = qsizetype(Random() % quint32(Series.Count()));
        const qsizetype Longest =
            Try % 3 == 0 ? std::min<qsizetype>(Series.Count() - From, 40) : Series.Count() - From;
        const qsizetype To = From + 1 + qsizetype(Random() % quint32(Longest));
        const auto [Min, Max] =
            std::minmax_element(All.begin() + Dropped + From, All.begin() + Dropped + To);
        const TPopulationSeries::TRange Range = Series.Range(From, To);
        QCOMPARE(Range.Min, *Min);
        QCOMPARE(Range.Max, *Max);
    }
}

void TstRunAhead::fastForwardReachesTheOraclesWorld() {
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(qint32, Wrapping);
    QFETCH(QStringList, Pattern);
    auto Form = CreateShownForm(Width, Height, 1, 1, Wrapping);
    TLifeFormProbe Probe(*Form);
    PlacePattern(*Form, Pattern);
    Probe.SetGeneration(5);
    Probe.RunClock = TickingClock();
    const TColumnStates Start = States(*Form);
    Form->MenuFastForwardClick();
    QVERIFY(Probe.Running);
    QTRY_VERIFY(Probe.Generation() >= 40);
    Form->StopFastForward();
    QVERIFY(!Probe.Running && !Probe.FastForwarding());
    QVERIFY(States(*Form) == OracleAfter(*Form, Start, Probe.Generation() - 5));
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: %1").arg(Probe.Generation()));
    QCOMPARE(Probe.History().Stack().undoText(),
             QStringLiteral("Spel tot generatie %1").arg(Probe.Generation()));
}

void TstRunAhead::goToGenerationReachesTheOraclesWorld() {
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(qint32, Wrapping);
    QFETCH(QStringList, Pattern);
    auto Form = CreateShownForm(Width, Height, 1, 1, Wrapping);
    TLifeFormProbe Probe(*Form);
    PlacePattern(*Form, Pattern);
    const TColumnStates Start = States(*Form);
    Form->GoToGeneration(61);
    QCOMPARE(Probe.Generation(), 61);
    QVERIFY(States(*Form) == OracleAfter(*Form, Start, 61));
    QCOMPARE(Probe.History().Stack().undoText(), QStringLiteral("Ga naar generatie 61"));
    Form->UndoChange();
    QCOMPARE(Probe.Generation(), 0);
    QVERIFY(States(*Form) == Start);
}

void TstRunAhead::stopsWhereATimerRunStops_data() {
    QTest::addColumn<QStringList>("Pattern");
    QTest::addColumn<bool>("FastForward"); // or a run to a generation far ahead
    for (const bool FastForward : {true, false}) {
        const char* Way = FastForward ? "fast forward" : "go to generation";
        QTest::addRow("%s, diehard dies out", Way) << Diehard << FastForward;
        QTest::addRow("%s, a block stops at once", Way) << Block << FastForward;
        QTest::addRow("%s, an empty world", Way) << QStringList{"."} << FastForward;
    }
}

void TstRunAhead::stopsWhereATimerRunStops() {
    QFETCH(QStringList, Pattern);
    QFETCH(bool, FastForward);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlacePattern(*Form, Pattern);
    const qint32 Expected = TimerRunStop(*Form);
    QString Shown;
    AcceptNextMessageBox([&Shown](const QString&, const QString& Text) { Shown = Text; });
    if (FastForward)
        Form->FastForward();
    else
        Form->GoToGeneration(1'000'000);
    QTRY_COMPARE(Shown, QStringLiteral("Stabiel systeem!"));
    QVERIFY(!Probe.Running && !Probe.FastForwarding());
    QCOMPARE(Probe.Generation(), Expected);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: %1").arg(Expected));
}

// The dialog shows after half a second of the run's own clock; Annuleren keeps the world
// of the generation reached as one step of the history.
void TstRunAhead::cancelKeepsTheGenerationReached() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlacePattern(*Form, {});
    const TColumnStates Start = States(*Form);
    Probe.RunClock = TickingClock();
    QString Label;
    AnswerNextModal([&Label](QWidget* Modal) {
        auto* Progress = qobject_cast<QProgressDialog*>(Modal);
        QVERIFY(Progress);
        Label = Progress->labelText();
        for (QPushButton* Button : Progress->findChildren<QPushButton*>()) {
            if (Button->text() == QStringLiteral("Annuleren"))
                Button->click();
        }
    });
    Form->GoToGeneration(std::numeric_limits<qint32>::max());
    const qint32 Reached = Probe.Generation();
    QVERIFY(Reached >= 400 && Reached < 5000);
    QVERIFY2(Label.startsWith(QStringLiteral("Bezig met rekenen...\n")), qPrintable(Label));
    QVERIFY(States(*Form) == OracleAfter(*Form, Start, Reached));
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: %1").arg(Reached));
    QCOMPARE(Probe.Panel(1)->text(), QString());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(Probe.History().Stack().undoText(),
             QStringLiteral("Ga naar generatie %1").arg(Reached));
    Form->UndoChange();
    QVERIFY(States(*Form) == Start);
    QCOMPARE(Probe.Generation(), 0);
}

void TstRunAhead::keysStopAFastForward_data() {
    QTest::addColumn<QKeySequence>("Key");
    QTest::newRow("F3") << QKeySequence(Qt::Key_F3);
    QTest::newRow("F4") << QKeySequence(Qt::Key_F4);
    QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
}

// Meanwhile the editing commands are refused, as during a timer run.
void TstRunAhead::keysStopAFastForward() {
    QFETCH(QKeySequence, Key);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlacePattern(*Form, {});
    const TColumnStates Start = States(*Form);
    QTest::keySequence(Form->windowHandle(), QKeySequence(Qt::Key_F4));
    QVERIFY(Probe.FastForwarding());
    QTest::keySequence(Form->windowHandle(), QKeySequence(Qt::CTRL | Qt::Key_Left));
    QTest::keySequence(Form->windowHandle(), Key);
    QVERIFY(!Probe.Running && !Probe.FastForwarding());
    QCOMPARE(Probe.History().Stack().count(), 2);
    QCOMPARE(Probe.History().Stack().undoText(),
             QStringLiteral("Spel tot generatie %1").arg(Probe.Generation()));
    Form->UndoChange();
    QCOMPARE(Probe.Generation(), 0);
    QVERIFY(States(*Form) == Start);
}

void TstRunAhead::seriesFollowsEveryGenerationAndRestartsByHand_data() {
    QTest::addColumn<std::function<void(TLifeForm&)>>("Change");
    QTest::newRow("a click") << std::function<void(TLifeForm&)>(
        [](TLifeForm& Form) { Form.WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 3, 3); });
    QTest::newRow("a move") << std::function<void(TLifeForm&)>([](TLifeForm& Form) {
        Form.findChild<QAction*>(QStringLiteral("MenuMoveLeft"))->trigger();
    });
    QTest::newRow("new game") << std::function<void(TLifeForm&)>([](TLifeForm& Form) {
        Form.findChild<QAction*>(QStringLiteral("MenuNewGame"))->trigger();
    });
    QTest::newRow("undo") << std::function<void(TLifeForm&)>(&TLifeForm::UndoChange);
}

void TstRunAhead::seriesFollowsEveryGenerationAndRestartsByHand() {
    QFETCH(std::function<void(TLifeForm&)>, Change);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlacePattern(*Form, {});
    QCOMPARE(Probe.Population().Count(), 1);
    std::vector<qint32> Expected{LiveCells(*Form)};
    for (int Step = 0; Step < 3; ++Step) {
        Form->findChild<QAction*>(QStringLiteral("MenuOneStep"))->trigger();
        Expected.push_back(LiveCells(*Form));
    }
    const auto Copy = std::make_unique<TLifeEngine>(Probe.Engine);
    Form->GoToGeneration(20);
    Probe.WorldTimer()->setInterval(1);
    Form->MenuStartGameClick();
    QTRY_VERIFY(Probe.Generation() > 25);
    Form->MenuStartGameClick();
    while (Copy->Generation() < Probe.Generation()) {
        Copy->CalcNextGeneration();
        Expected.push_back(CountLiveCells(*Copy));
    }
    const TPopulationSeries& Series = Probe.Population();
    QCOMPARE(Series.FirstGeneration(), 0);
    QCOMPARE(Series.Count(), qsizetype(Expected.size()));
    for (qsizetype I = 0; I < Series.Count(); ++I)
        QCOMPARE(Series.At(I), Expected[std::size_t(I)]);
    Change(*Form);
    QCOMPARE(Series.Count(), 1);
    QCOMPARE(Series.FirstGeneration(), Probe.Generation());
    QCOMPARE(Series.Last(), LiveCells(*Form));
}

// A series that swings between two counts: every column, covering hundreds of generations,
// must reach from one to the other on the screen.
void TstRunAhead::populationWindowDrawsEachColumnsRange() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Beacon);
    Form->DrawGeneration(true);
    Form->GoToGeneration(100'001);
    Form->findChild<QAction*>(QStringLiteral("MenuPopulation"))->trigger();
    TPopulationWindow* Window = Probe.PopulationWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    QVERIFY(Form->findChild<QAction*>(QStringLiteral("MenuPopulation"))->isChecked());
    const QImage Shown = Window->grab().toImage();
    const QRgb Line = qRgb(0, 0, 160);
    int Columns = 0;
    for (int X = 0; X < Shown.width(); ++X) {
        int Top = Shown.height();
        int Bottom = -1;
        for (int Y = 0; Y < Shown.height(); ++Y) {
            if (Shown.pixel(X, Y) == Line) {
                Top = std::min(Top, Y);
                Bottom = std::max(Bottom, Y);
            }
        }
        if (Bottom < 0)
            continue;
        ++Columns;
        // 6 and 8 live cells on an axis up to 10: a fifth of the plot's height.
        QVERIFY2(Bottom - Top > Shown.height() / 10, qPrintable(QString::number(X)));
    }
    QVERIFY(Columns > Shown.width() / 2);
    Window->close();
    QVERIFY(!Form->findChild<QAction*>(QStringLiteral("MenuPopulation"))->isChecked());
}

void TstRunAhead::populationWindowStandsBeside_data() {
    QTest::addColumn<QRect>("MainFrame");
    QTest::addColumn<QPoint>("Expected");
    QTest::newRow("room to the right") << QRect(100, 50, 400, 300) << QPoint(500, 50);
    QTest::newRow("room only to the left") << QRect(1300, 50, 400, 300) << QPoint(800, 50);
    QTest::newRow("room on neither side") << QRect(200, 50, 1500, 300) << QPoint(1420, 50);
    QTest::newRow("low on the screen") << QRect(100, 900, 400, 100) << QPoint(500, 780);
}

void TstRunAhead::populationWindowStandsBeside() {
    QFETCH(QRect, MainFrame);
    QFETCH(QPoint, Expected);
    QCOMPARE(PopulationWindowPosition(QRect(0, 0, 1920, 1080), MainFrame, QSize(500, 300)),
             Expected);
}

// Painting a panel lays out the status bar; only a changed text may cost that.
void TstRunAhead::panelsRepaintOnlyWhatChanged() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Block);
    Form->DrawGeneration(true);
    QCoreApplication::processEvents();
    struct TPaintCounter : QObject {
        int Paints = 0;
        bool eventFilter(QObject*, QEvent* Event) override {
            Paints += Event->type() == QEvent::Paint;
            return false;
        }
    } Counter;
    for (int Panel = 0; Panel < 3; ++Panel)
        Probe.Panel(Panel)->installEventFilter(&Counter);
    Form->UpdateStatusBar();
    Form->DrawGeneration(false);
    QCoreApplication::processEvents();
    QCOMPARE(Counter.Paints, 0);
    Form->DoNextGeneration();
    QTRY_VERIFY(Counter.Paints > 0);
}

QTEST_MAIN(TstRunAhead)
#include "tst_runahead.moc"
