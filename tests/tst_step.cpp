// The generation step and its redraw against a plain step written from the rules: states,
// snapshot, Stable, the status bar and both pictures, in every wrap mode.

#include "tests/testhelpers.h"

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

// The rules read plainly: edges by arithmetic, not by links.
TGrid ReferenceStep(const TGrid& Old, qint32 Wrapping) {
    const bool WrapsX = Wrapping == wmHorizontal || Wrapping == wmBoth;
    const bool WrapsY = Wrapping == wmVertical || Wrapping == wmBoth;
    auto Alive = [&](int X, int Y) -> int {
        if (X < 0 || X >= Old.Width) {
            if (!WrapsX)
                return 0;
            X = (X + Old.Width) % Old.Width;
        }
        if (Y < 0 || Y >= Old.Height) {
            if (!WrapsY)
                return 0;
            Y = (Y + Old.Height) % Old.Height;
        }
        return Old.At(X, Y);
    };
    TGrid New = Old;
    for (int X = 0; X < Old.Width; ++X) {
        for (int Y = 0; Y < Old.Height; ++Y) {
            int N = 0;
            for (int Dx = -1; Dx <= 1; ++Dx) {
                for (int Dy = -1; Dy <= 1; ++Dy)
                    N += (Dx != 0 || Dy != 0) ? Alive(X + Dx, Y + Dy) : 0;
            }
            New.At(X, Y) = Old.At(X, Y) ? (N == 2 || N == 3) : N == 3;
        }
    }
    return New;
}

// The picture of Grid painted from scratch, each cell a block of its colour.
QImage PictureOf(const TGrid& Grid, int CellWidth, int CellHeight) {
    QImage Picture(Grid.Width * CellWidth, Grid.Height * CellHeight, QImage::Format_RGB32);
    for (int Py = 0; Py < Picture.height(); ++Py) {
        auto* Row = reinterpret_cast<QRgb*>(Picture.scanLine(Py));
        for (int Px = 0; Px < Picture.width(); ++Px)
            Row[Px] = Grid.At(Px / CellWidth, Py / CellHeight) ? TLifeForm::LiveColour
                                                               : TLifeForm::DeadColour;
    }
    return Picture;
}

bool SamePixels(const QImage& Actual, const QImage& Expected) {
    return Actual.convertToFormat(QImage::Format_RGB32) == Expected;
}

// Sets State and PrevState alike and draws the whole picture, as opening a file does.
void Place(TLifeForm& Form, const TGrid& Grid) {
    TLifeFormProbe Probe(Form);
    for (int X = 0; X < Grid.Width; ++X) {
        for (int Y = 0; Y < Grid.Height; ++Y)
            Probe.World(X, Y).State = Probe.World(X, Y).PrevState = Grid.At(X, Y);
    }
    Form.DrawGeneration(true);
}

TGrid Read(TLifeForm& Form, bool Snapshot = false) {
    TLifeFormProbe Probe(Form);
    TGrid Grid{Probe.HorCells, Probe.VertCells,
               std::vector<std::uint8_t>(std::size_t(Probe.HorCells) * Probe.VertCells)};
    for (int X = 0; X < Grid.Width; ++X) {
        for (int Y = 0; Y < Grid.Height; ++Y) {
            const TCell& Cell = Probe.World(X, Y);
            Grid.At(X, Y) = std::uint8_t(Snapshot ? Cell.PrevState : Cell.State);
        }
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
    void stepsLikeThePlainRules_data();
    void stepsLikeThePlainRules();
    void calcNextGenerationDrawsNothing_data();
    void calcNextGenerationDrawsNothing();
    void stillLifeIsStableAndRepaintsNothing();
    void screenShowsTheStore();
    void stepWithoutPictureOnlyComputes();
};

void TstStep::stepsLikeThePlainRules_data() {
    AddWorldColumns();
    const char* const Names[] = {"wmNone", "wmHorizontal", "wmVertical", "wmBoth"};
    for (const qint32 Mode : {wmNone, wmHorizontal, wmVertical, wmBoth}) {
        QTest::addRow("%s, 320 x 240, soup", Names[Mode]) << 320 << 240 << 1 << 1 << Mode << 3;
        QTest::addRow("%s, 333 x 251, 2 x 1 cells", Names[Mode])
            << 333 << 251 << 2 << 1 << Mode << 3;
        QTest::addRow("%s, 401 x 300, 1 x 2 cells, sparse", Names[Mode])
            << 401 << 300 << 1 << 2 << Mode << 12;
    }
    QTest::newRow("wmBoth, largest world, 2 x 2 cells")
        << 1280 << 1024 << 2 << 2 << qint32(wmBoth) << 3;
    QTest::newRow("wmNone, largest world, 1 x 1 cells")
        << 1280 << 1024 << 1 << 1 << qint32(wmNone) << 4;
}

// Several generations, so that the snapshot of one step is the picture of the one before.
void TstStep::stepsLikeThePlainRules() {
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(int, CellWidth);
    QFETCH(int, CellHeight);
    QFETCH(qint32, Wrapping);
    QFETCH(int, OneIn);
    auto Form = CreateShownForm(Width, Height, CellWidth, CellHeight, Wrapping);
    TLifeFormProbe Probe(*Form);
    TGrid Expected = RandomGrid(Width, Height, OneIn, unsigned(Width * 7 + Wrapping));
    Place(*Form, Expected);
    Probe.Generation = 40;
    for (int Step = 1; Step <= 6; ++Step) {
        const TGrid Before = Expected;
        Expected = ReferenceStep(Before, Wrapping);
        Form->DoNextGeneration();
        QVERIFY2(Read(*Form) == Expected, qPrintable(QStringLiteral("step %1").arg(Step)));
        QVERIFY(Read(*Form, true) == Before);
        QCOMPARE(Probe.Stable, Expected == Before);
        QCOMPARE(Probe.Generation, 40 + Step);
        QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: %1").arg(40 + Step));
        QCOMPARE(Probe.Panel(1)->text(), QString());
        const QImage Picture = PictureOf(Expected, CellWidth, CellHeight);
        QCOMPARE(Probe.ChalkBoard.format(), QImage::Format_BGR888);
        QVERIFY(SamePixels(Probe.ChalkBoard, Picture));
        QVERIFY(SamePixels(Probe.WorldImage()->Picture(), Picture));
    }
    // The incremental redraw that the transforms use, after their snapshot, agrees as well.
    Form->BackupGeneration();
    Probe.World(0, 0).State = 1 - Probe.World(0, 0).State;
    Expected.At(0, 0) = std::uint8_t(Probe.World(0, 0).State);
    Form->DrawGeneration(false);
    QVERIFY(!Probe.Stable);
    QVERIFY(SamePixels(Probe.ChalkBoard, PictureOf(Expected, CellWidth, CellHeight)));
    QVERIFY(SamePixels(Probe.WorldImage()->Picture(), PictureOf(Expected, CellWidth, CellHeight)));
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
    const QImage Board = Probe.ChalkBoard.copy();
    const QImage Shown = Probe.WorldImage()->Picture().copy();
    Probe.Stable = true;
    Form->CalcNextGeneration();
    QVERIFY(Read(*Form) == ReferenceStep(Start, Wrapping));
    QVERIFY(Read(*Form, true) == Start);
    QCOMPARE(Probe.ChalkBoard, Board);
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
    const QImage Board = Probe.ChalkBoard.copy();
    Form->DoNextGeneration();
    QVERIFY(Probe.Stable);
    QCOMPARE(LiveCells(*Form), 10);
    QCOMPARE(Probe.ChalkBoard, Board);
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
    QCOMPARE(Probe.Generation, 1);
    QVERIFY(Probe.ChalkBoard.isNull());
}

QTEST_MAIN(TstStep)
#include "tst_step.moc"
