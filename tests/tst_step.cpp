// The generation step and its redraw against a plain step written from the rules: states,
// snapshot, Stable, the status bar and both pictures, in every wrap mode.

#include "tests/linkworld.h"
#include "tests/testhelpers.h"

#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// In-use states, column by column.
struct TGrid {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Cells;

    std::uint8_t& At(int X, int Y) { return Cells[std::size_t(X) * Height + std::size_t(Y)]; }
    std::uint8_t At(int X, int Y) const { return Cells[std::size_t(X) * Height + std::size_t(Y)]; }
    bool operator==(const TGrid&) const = default;
};

TGrid RandomGrid(int Width, int Height, int OneIn, unsigned Seed) {
    std::mt19937 Random(Seed);
    TGrid Grid{Width, Height, std::vector<std::uint8_t>(std::size_t(Width) * Height)};
    for (auto& Cell : Grid.Cells)
        Cell = Random() % unsigned(OneIn) == 0;
    return Grid;
}

// The next generation by the linked cell records, read literally.
TGrid OracleStep(const TGrid& Old, qint32 Wrapping) {
    static TLinkWorld Oracle;
    Oracle.Configure(Old.Width, Old.Height, Wrapping);
    Oracle.Load(Old.Cells);
    Oracle.CalcNextGeneration();
    return {Old.Width, Old.Height, Oracle.States()};
}

// The picture of Grid that the form's view shows, painted from scratch.
QImage PictureOf(const TGrid& Grid, TLifeForm& Form) {
    return PictureOfView(TLifeFormProbe(Form).View(),
                         [&Grid](int X, int Y) { return Grid.At(X, Y) != 0; });
}

bool SamePixels(const QImage& Actual, const QImage& Expected) {
    return Actual.convertToFormat(QImage::Format_RGB32) == Expected;
}

// Sets State and PrevState alike and draws the whole picture, as opening a file does.
void Place(TLifeForm& Form, const TGrid& Grid) {
    TLifeFormProbe Probe(Form);
    for (int X = 0; X < Grid.Width; ++X) {
        for (int Y = 0; Y < Grid.Height; ++Y)
            Probe.Engine.SetCell(X, Y, Grid.At(X, Y));
    }
    Form.DrawGeneration(true);
}

TGrid Read(TLifeForm& Form, bool Snapshot = false) {
    TLifeFormProbe Probe(Form);
    TGrid Grid{Probe.HorCells(), Probe.VertCells(),
               std::vector<std::uint8_t>(std::size_t(Probe.HorCells()) * Probe.VertCells())};
    for (int X = 0; X < Grid.Width; ++X) {
        for (int Y = 0; Y < Grid.Height; ++Y)
            Grid.At(X, Y) =
                std::uint8_t(Snapshot ? Probe.Engine.PrevState(X, Y) : Probe.Engine.State(X, Y));
    }
    return Grid;
}

// The grid cut to, or grown with dead cells to, Width x Height.
TGrid Resized(const TGrid& Old, int Width, int Height) {
    TGrid Grid{Width, Height, std::vector<std::uint8_t>(std::size_t(Width) * Height)};
    for (int X = 0; X < std::min(Width, Old.Width); ++X) {
        for (int Y = 0; Y < std::min(Height, Old.Height); ++Y)
            Grid.At(X, Y) = Old.At(X, Y);
    }
    return Grid;
}

void AddWorldColumns() {
    QTest::addColumn<int>("Width");
    QTest::addColumn<int>("Height");
    QTest::addColumn<int>("CellWidth");
    QTest::addColumn<int>("CellHeight");
    QTest::addColumn<qint32>("Wrapping");
    QTest::addColumn<int>("OneIn"); // one cell in OneIn is alive at the start
}

} // namespace

class TstStep : public QObject {
    Q_OBJECT

private slots:
    // Every test runs on every path of the step this processor has.
    void initTestCase_data();
    void init();

    void stepsLikeTheLinkedCells_data();
    void stepsLikeTheLinkedCells();
    void glidersAcrossEveryEdgeAndCorner_data();
    void glidersAcrossEveryEdgeAndCorner();
    void calcNextGenerationDrawsNothing_data();
    void calcNextGenerationDrawsNothing();
    void stillLifeIsStableAndRepaintsNothing();
    void screenShowsTheStore();
    void stepWithoutPictureOnlyComputes();
    void cellSizes_data();
    void fullRedrawShowsExactlyTheCells_data() { cellSizes_data(); }
    void fullRedrawShowsExactlyTheCells();
    void pictureFollowsRunsStepsAndEdits_data();
    void pictureFollowsRunsStepsAndEdits();
};

void TstStep::initTestCase_data() {
    QTest::addColumn<TLifeEngine::TStepPath>("Path");
    for (const TLifeEngine::TStepPath Path : TLifeEngine::StepPaths())
        QTest::newRow(TLifeEngine::StepPathName(Path)) << Path;
}

void TstStep::init() {
    QFETCH_GLOBAL(TLifeEngine::TStepPath, Path);
    TLifeEngine::SetStepPath(Path);
}

void TstStep::stepsLikeTheLinkedCells_data() {
    AddWorldColumns();
    QTest::addColumn<QSize>("ResizedFrom"); // the world's size before ResizeTheWorld, if any
    const char* const Names[] = {"wmNone", "wmHorizontal", "wmVertical", "wmBoth"};
    // Widths on and off a multiple of the 64 cells of a word, the last word full or not.
    for (const qint32 Mode : {wmNone, wmHorizontal, wmVertical, wmBoth}) {
        QTest::addRow("%s, 320 x 240, soup", Names[Mode])
            << 320 << 240 << 1 << 1 << Mode << 3 << QSize();
        QTest::addRow("%s, 321 x 241, 2 x 1 cells", Names[Mode])
            << 321 << 241 << 2 << 1 << Mode << 3 << QSize();
        QTest::addRow("%s, 401 x 300, 1 x 2 cells, sparse", Names[Mode])
            << 401 << 300 << 1 << 2 << Mode << 12 << QSize();
        QTest::addRow("%s, 1279 x 1023", Names[Mode])
            << 1279 << 1023 << 1 << 1 << Mode << 3 << QSize();
        QTest::addRow("%s, 1280 x 1024, 2 x 2 cells", Names[Mode])
            << 1280 << 1024 << 2 << 2 << Mode << 4 << QSize();
    }
    QTest::newRow("wmNone, grown from 320 x 240 to 401 x 300")
        << 401 << 300 << 1 << 1 << qint32(wmNone) << 3 << QSize(320, 240);
    QTest::newRow("wmHorizontal, shrunk from 1280 x 1024 to 321 x 241")
        << 321 << 241 << 1 << 1 << qint32(wmHorizontal) << 3 << QSize(1280, 1024);
    QTest::newRow("wmVertical, grown from 321 x 241 to 1280 x 1024")
        << 1280 << 1024 << 1 << 1 << qint32(wmVertical) << 3 << QSize(321, 241);
    QTest::newRow("wmBoth, shrunk from 640 x 480 to 320 x 240, 2 x 2 cells")
        << 320 << 240 << 2 << 2 << qint32(wmBoth) << 3 << QSize(640, 480);
}

// Several generations, so that the snapshot of one step is the picture of the one before.
void TstStep::stepsLikeTheLinkedCells() {
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(int, CellWidth);
    QFETCH(int, CellHeight);
    QFETCH(qint32, Wrapping);
    QFETCH(int, OneIn);
    QFETCH(QSize, ResizedFrom);
    const QSize Start = ResizedFrom.isValid() ? ResizedFrom : QSize(Width, Height);
    auto Form = CreateShownForm(Start.width(), Start.height(), CellWidth, CellHeight, Wrapping);
    TLifeFormProbe Probe(*Form);
    TGrid Expected =
        RandomGrid(Start.width(), Start.height(), OneIn, unsigned(Width * 7 + Wrapping));
    Place(*Form, Expected);
    if (ResizedFrom.isValid()) {
        Form->ResizeTheWorld(Width, Height, CellWidth, CellHeight);
        Expected = Resized(Expected, Width, Height);
        QVERIFY(Read(*Form) == Expected);
    }
    Probe.SetGeneration(40);
    for (int Step = 1; Step <= 6; ++Step) {
        const TGrid Before = Expected;
        Expected = OracleStep(Before, Wrapping);
        Form->DoNextGeneration();
        QVERIFY2(Read(*Form) == Expected, qPrintable(QStringLiteral("step %1").arg(Step)));
        QVERIFY(Read(*Form, true) == Before);
        QCOMPARE(Probe.Stable, Expected == Before);
        QCOMPARE(Probe.Generation(), 40 + Step);
        QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: %1").arg(40 + Step));
        QCOMPARE(Probe.Panel(1)->text(), QString());
        const QImage Picture = PictureOf(Expected, *Form);
        QVERIFY(SamePixels(Probe.WorldImage()->Picture(), Picture));
    }
    // The incremental redraw that the transforms use, after their snapshot, agrees as well.
    Form->BackupGeneration();
    Probe.Engine.SetState(0, 0, 1 - Probe.Engine.State(0, 0));
    Expected.At(0, 0) = std::uint8_t(Probe.Engine.State(0, 0));
    Form->DrawGeneration(false);
    QVERIFY(!Probe.Stable);
    QVERIFY(SamePixels(Probe.WorldImage()->Picture(), PictureOf(Expected, *Form)));
}

void TstStep::glidersAcrossEveryEdgeAndCorner_data() {
    QTest::addColumn<qint32>("Wrapping");
    QTest::newRow("wmNone") << qint32(wmNone);
    QTest::newRow("wmHorizontal") << qint32(wmHorizontal);
    QTest::newRow("wmVertical") << qint32(wmVertical);
    QTest::newRow("wmBoth") << qint32(wmBoth);
}

// Eight gliders, each heading out of the world across one edge or one corner, so that
// every frame cell is read while they cross; compared with the linked cells each step.
void TstStep::glidersAcrossEveryEdgeAndCorner() {
    QFETCH(qint32, Wrapping);
    const int Width = 321, Height = 241;
    auto Form = CreateShownForm(Width, Height, 1, 1, Wrapping);
    const QStringList DownRight = {".O.", "..O", "OOO"};
    const QStringList DownLeft = {".O.", "O..", "OOO"};
    const QStringList UpRight = {"OOO", "..O", ".O."};
    const QStringList UpLeft = {"OOO", "O..", ".O."};
    PlaceRows(*Form, Width - 4, Height - 4, DownRight);
    PlaceRows(*Form, 1, Height - 4, DownLeft);
    PlaceRows(*Form, Width - 4, 1, UpRight);
    PlaceRows(*Form, 1, 1, UpLeft);
    PlaceRows(*Form, 150, Height - 5, DownRight);
    PlaceRows(*Form, 100, 2, UpLeft);
    PlaceRows(*Form, 2, 120, DownLeft);
    PlaceRows(*Form, Width - 5, 60, UpRight);
    Form->DrawGeneration(true);
    TGrid Expected = Read(*Form);
    for (int Step = 1; Step <= 24; ++Step) {
        Expected = OracleStep(Expected, Wrapping);
        Form->DoNextGeneration();
        QVERIFY2(Read(*Form) == Expected, qPrintable(QStringLiteral("step %1").arg(Step)));
    }
    TLifeFormProbe Probe(*Form);
    QVERIFY(SamePixels(Probe.WorldImage()->Picture(), PictureOf(Expected, *Form)));
}

void TstStep::calcNextGenerationDrawsNothing_data() {
    AddWorldColumns();
    QTest::newRow("wmHorizontal") << 320 << 240 << 1 << 1 << qint32(wmHorizontal) << 3;
    QTest::newRow("wmVertical, 2 x 2 cells") << 350 << 260 << 2 << 2 << qint32(wmVertical) << 3;
}

void TstStep::calcNextGenerationDrawsNothing() {
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(int, CellWidth);
    QFETCH(int, CellHeight);
    QFETCH(qint32, Wrapping);
    QFETCH(int, OneIn);
    auto Form = CreateShownForm(Width, Height, CellWidth, CellHeight, Wrapping);
    TLifeFormProbe Probe(*Form);
    const TGrid Start = RandomGrid(Width, Height, OneIn, 99);
    Place(*Form, Start);
    const QImage Shown = Probe.WorldImage()->Picture().copy();
    Probe.Stable = true;
    Form->CalcNextGeneration();
    QVERIFY(Read(*Form) == OracleStep(Start, Wrapping));
    QVERIFY(Read(*Form, true) == Start);
    QCOMPARE(Probe.WorldImage()->Picture(), Shown);
    QVERIFY(Probe.Stable);
}

void TstStep::stillLifeIsStableAndRepaintsNothing() {
    auto Form = CreateShownForm(320, 240, 1, 1, wmBoth);
    TLifeFormProbe Probe(*Form);
    // A block and a beehive across the corner, where every edge wraps.
    PlaceRows(*Form, 0, 0, {"O..", "...", "..."});
    PlaceRows(*Form, 319, 0, {"O"});
    PlaceRows(*Form, 0, 239, {"O"});
    PlaceRows(*Form, 319, 239, {"O"});
    PlaceRows(*Form, 100, 100, {".OO.", "O..O", ".OO."});
    Form->DrawGeneration(true);
    const QImage Shown = Probe.WorldImage()->Picture().copy();
    Form->DoNextGeneration();
    QVERIFY(Probe.Stable);
    QCOMPARE(LiveCells(*Form), 10);
    QCOMPARE(Probe.WorldImage()->Picture(), Shown);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 319, 239), TLifeForm::LiveColour);
}

// What the widget paints is its store, whatever part a step repainted.
void TstStep::screenShowsTheStore() {
    auto Form = CreateShownForm(320, 240, 2, 2, wmHorizontal);
    TLifeFormProbe Probe(*Form);
    Place(*Form, RandomGrid(320, 240, 3, 5));
    for (int Step = 0; Step < 3; ++Step)
        Form->DoNextGeneration();
    const QImage Screen = Probe.WorldImage()->grab().toImage();
    QVERIFY(
        SamePixels(Screen, Probe.WorldImage()->Picture().convertToFormat(QImage::Format_RGB32)));
}

// Before the window is shown there is no picture: the step computes, and the redraw leaves
// Stable and the status bar alone.
void TstStep::stepWithoutPictureOnlyComputes() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OOO"});
    Probe.Stable = true;
    Form->DoNextGeneration();
    QCOMPARE(ReadRows(*Form, QRect(10, 9, 3, 3)), (QStringList{".O.", ".O.", ".O."}));
    QVERIFY(Probe.Stable);
    QCOMPARE(Probe.Generation(), 1);
    QVERIFY(!Probe.WorldImage());
}

void TstStep::cellSizes_data() {
    QTest::addColumn<int>("CellWidth");
    QTest::addColumn<int>("CellHeight");
    QTest::newRow("1 x 1 cells") << 1 << 1;
    QTest::newRow("2 x 2 cells") << 2 << 2;
}

// Over a picture that shows every cell alive, a full redraw leaves only the engine's cells.
void TstStep::fullRedrawShowsExactlyTheCells() {
    QFETCH(int, CellWidth);
    QFETCH(int, CellHeight);
    auto Form = CreateShownForm(330, 250, CellWidth, CellHeight, wmBoth);
    TLifeFormProbe Probe(*Form);
    Place(*Form, RandomGrid(330, 250, 1, 1));
    const TGrid Cells = RandomGrid(330, 250, 5, 2);
    for (int X = 0; X < Cells.Width; ++X) {
        for (int Y = 0; Y < Cells.Height; ++Y)
            Probe.Engine.SetState(X, Y, Cells.At(X, Y));
    }
    Form->DrawGeneration(true);
    QVERIFY(SamePixels(Probe.WorldImage()->Picture(), PictureOf(Cells, *Form)));
}

void TstStep::pictureFollowsRunsStepsAndEdits_data() {
    QTest::addColumn<int>("CellWidth");
    QTest::addColumn<int>("CellHeight");
    QTest::addColumn<int>("Zoom");
    QTest::newRow("1 x 1 cells, zoom 25%") << 1 << 1 << 25;
    QTest::newRow("2 x 1 cells, zoom 50%") << 2 << 1 << 50;
    QTest::newRow("1 x 1 cells, zoom 100%") << 1 << 1 << 100;
    QTest::newRow("2 x 2 cells, zoom 100%") << 2 << 2 << 100;
    QTest::newRow("1 x 2 cells, zoom 400%") << 1 << 2 << 400;
    QTest::newRow("2 x 2 cells, zoom 3200%") << 2 << 2 << 3200;
}

// Whatever the user does, once it shows, the picture is the engine's current generation,
// both the stored one and what the repaints it asked for brought to the screen, the grid
// lines included.
void TstStep::pictureFollowsRunsStepsAndEdits() {
    QFETCH(int, CellWidth);
    QFETCH(int, CellHeight);
    QFETCH(int, Zoom);
    auto Form = CreateShownForm(400, 300, CellWidth, CellHeight, wmBoth, Zoom);
    TLifeFormProbe Probe(*Form);
    const auto Expected = [&] {
        return PictureOf(Read(*Form), *Form);
    };
    const auto PictureIsTheCells = [&] {
        return SamePixels(Probe.WorldImage()->Picture(), Expected()) && QTest::qWaitFor([&] {
                   return ShownOnScreen(*Form) == WithGrid(Expected(), Probe.View());
               });
    };
    qint64 Now = 0;
    Probe.RunClock = [&Now] {
        return Now;
    };
    Probe.WorldTimer()->setInterval(1);
    Probe.WorldImage()->SetFrameMs(2000);
    Place(*Form, RandomGrid(400, 300, 3, 9));
    QScrollBar* Across = Probe.WorldImage()->horizontalScrollBar();
    QScrollBar* Down = Probe.WorldImage()->verticalScrollBar();
    for (int Round = 0; Round < 3; ++Round) {
        Form->MenuStartGameClick();
        Probe.WorldTimer()->stop();
        for (int Tick = 0; Tick < 4; ++Tick) {
            Now += 2'000'000;
            Form->WorldTimerTimer();
        }
        Form->MenuStartGameClick();
        QVERIFY(PictureIsTheCells());
        Form->MenuOneStepClick();
        QVERIFY(PictureIsTheCells());
        // A lone cell drawn in an empty spot dies in the next step.
        const QPoint Middle(Probe.View().Viewport().width() / 2,
                            Probe.View().Viewport().height() / 2);
        const QPoint Cell = Probe.View().CellAt(Middle);
        for (int X = std::max(Cell.x() - 4, 0); X < std::min(Cell.x() + 5, 400); ++X) {
            for (int Y = std::max(Cell.y() - 4, 0); Y < std::min(Cell.y() + 5, 300); ++Y)
                Probe.Engine.SetCell(X, Y, 0);
        }
        Form->DrawGeneration(true);
        Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, Middle.x(), Middle.y());
        QCOMPARE(Probe.Engine.State(Cell.x(), Cell.y()), Zoom >= 100 ? 1 : 0);
        QVERIFY(PictureIsTheCells());
        Form->MenuOneStepClick();
        QVERIFY(PictureIsTheCells());
        Form->MenuRotateLeftClick();
        QVERIFY(PictureIsTheCells());
        Across->setValue(Across->value() + 37 * (Round + 1));
        Down->setValue(Down->value() + 23 * (Round + 1));
        QVERIFY(PictureIsTheCells());
    }
    Form->MenuZoomInClick();
    QVERIFY(PictureIsTheCells());
    Form->MenuZoomOutClick();
    Form->MenuZoomOutClick();
    QVERIFY(PictureIsTheCells());
}

QTEST_MAIN(TstStep)
#include "tst_step.moc"
