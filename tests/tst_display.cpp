// The picture: geometry and colours of cells, incremental and full redraws, the window.

#include "tests/testhelpers.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <cstdlib>

namespace {

constexpr QRgb Live = TLifeForm::LiveColour;
constexpr QRgb Dead = TLifeForm::DeadColour;

} // namespace

class TstDisplay : public QObject {
    Q_OBJECT

private slots:
    void pictureSize_data();
    void pictureSize();
    void cellCoversItsBlock_data();
    void cellCoversItsBlock();
    void newPictureLooksDeadWhateverTheCells();
    void incrementalRedrawFollowsTheCells();
    void unchangedWorldIsStable();
    void fullRedrawIsNeverStable();
    void drawCellPaintsItsBlock();
    void drawEmptyWorldTwiceLeavesOnePicture();
    void windowFitsPictureAndStatusBar();
    void largePictureStartsAtScreenOrigin();
    void smallPictureIsCentred();
    void fastGenerationsShareAPaint();
    void pixelToCell_data();
    void pixelToCell();
    void zoomedOutPixelIsLiveWhenAnyCellIs_data();
    void zoomedOutPixelIsLiveWhenAnyCellIs();
    void pressBelowFullSizeOnlyReports_data();
    void pressBelowFullSizeOnlyReports();
    void windowStaysOnTheScreen_data();
    void windowStaysOnTheScreen();
    void fitShowsTheLiveCellsAtTheLargestZoom_data();
    void fitShowsTheLiveCellsAtTheLargestZoom();
    void gridLinesReachTheScreen_data();
    void gridLinesReachTheScreen();
    void openShowsThePatternsTopLeftCorner();
    void scrollRepaintsTheScreen_data();
    void scrollRepaintsTheScreen();
    void statusTextsShowWhole_data();
    void statusTextsShowWhole();
};

namespace {

// Counts the paints of a widget.
class TPaintCounter : public QObject {
public:
    explicit TPaintCounter(QWidget* Watched) { Watched->installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        Paints += Event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

void TstDisplay::pictureSize_data() {
    QTest::addColumn<int>("Width");
    QTest::addColumn<int>("Height");
    QTest::addColumn<int>("CellWidth");
    QTest::addColumn<int>("CellHeight");
    QTest::newRow("smallest world, 1 x 1") << 320 << 240 << 1 << 1;
    QTest::newRow("2 x 1 cells") << 320 << 240 << 2 << 1;
    QTest::newRow("1 x 2 cells") << 400 << 300 << 1 << 2;
}

void TstDisplay::pictureSize() {
    QFETCH(int, Width);
    QFETCH(int, Height);
    QFETCH(int, CellWidth);
    QFETCH(int, CellHeight);
    auto Form = CreateShownForm(Width, Height, CellWidth, CellHeight);
    TLifeFormProbe Probe(*Form);
    const QSize Expected(Width * CellWidth, Height * CellHeight);
    QCOMPARE(Probe.WorldImage()->size(), Expected);
    QCOMPARE(Probe.WorldImage()->pos(), QPoint(0, 0));
    QCOMPARE(Probe.WorldImage()->Picture().size(), Expected);
}

void TstDisplay::cellCoversItsBlock_data() {
    QTest::addColumn<int>("CellWidth");
    QTest::addColumn<int>("CellHeight");
    QTest::newRow("1 x 1") << 1 << 1;
    QTest::newRow("2 x 1") << 2 << 1;
    QTest::newRow("2 x 2") << 2 << 2;
}

void TstDisplay::cellCoversItsBlock() {
    QFETCH(int, CellWidth);
    QFETCH(int, CellHeight);
    auto Form = CreateShownForm(320, 240, CellWidth, CellHeight);
    TLifeFormProbe Probe(*Form);
    Probe.Engine.SetState(7, 5, 1);
    Form->DrawGeneration(false);
    const QImage& Screen = Probe.WorldImage()->Picture();
    for (int Px = 7 * CellWidth - 1; Px <= 8 * CellWidth; ++Px) {
        for (int Py = 5 * CellHeight - 1; Py <= 6 * CellHeight; ++Py) {
            const bool Inside = Px >= 7 * CellWidth && Px < 8 * CellWidth && Py >= 5 * CellHeight &&
                                Py < 6 * CellHeight;
            QCOMPARE(PixelAt(Screen, Px, Py), Inside ? Live : Dead);
        }
    }
}

void TstDisplay::newPictureLooksDeadWhateverTheCells() {
    auto Form = CreateForm();
    PlaceRows(*Form, 0, 0, {"OOO", "OOO"});
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    TLifeFormProbe Probe(*Form);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 1, 1), Dead);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 319, 239), Dead);
}

// The picture follows the cells, not the snapshot: a cell set together with its snapshot
// shows too, though it leaves the world stable.
void TstDisplay::incrementalRedrawFollowsTheCells() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.Engine.SetCell(3, 3, 1);
    Form->DrawGeneration(false);
    QVERIFY(Probe.Stable);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 3, 3), Live);
    Probe.Engine.SetState(9, 9, 1);
    Form->DrawGeneration(false);
    QVERIFY(!Probe.Stable);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 9, 9), Live);
}

void TstDisplay::unchangedWorldIsStable() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OO", "OO"});
    Form->DrawGeneration(true);
    Probe.SetGeneration(41);
    Probe.Panel(1)->setText(QStringLiteral("Cel[1,1]: Dood --> Levend"));
    Form->BackupGeneration();
    Form->DrawGeneration(false);
    QVERIFY(Probe.Stable);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 41"));
    QCOMPARE(Probe.Panel(1)->text(), QString());
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 10, 10), Live);
}

void TstDisplay::fullRedrawIsNeverStable() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Form->DrawGeneration(true);
    QVERIFY(!Probe.Stable);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 160, 120), Dead);
}

void TstDisplay::drawCellPaintsItsBlock() {
    auto Form = CreateShownForm(320, 240, 2, 2);
    TLifeFormProbe Probe(*Form);
    Probe.Engine.SetCell(5, 9, 1);
    Form->DrawCell(5, 9, Live, true);
    for (const QPoint P : {QPoint(10, 18), QPoint(11, 18), QPoint(10, 19), QPoint(11, 19)})
        QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), P.x(), P.y()), Live);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 12, 18), Dead);
    // A later redraw keeps the edit.
    Form->DrawGeneration(false);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 11, 19), Live);
}

void TstDisplay::drawEmptyWorldTwiceLeavesOnePicture() {
    auto Form = CreateShownForm();
    Form->DrawEmptyWorld();
    Form->DrawEmptyWorld();
    QCOMPARE(Form->findChildren<TWorldImage*>().size(), 1);
}

void TstDisplay::windowFitsPictureAndStatusBar() {
    auto Form = CreateShownForm(400, 300, 1, 2);
    TLifeFormProbe Probe(*Form);
    QWidget* Client = Form->centralWidget();
    QCOMPARE(Client->size(), QSize(400, 601));
    QCOMPARE(Form->width(), 400);
    QCOMPARE(Probe.StatusBar()->geometry().top(), Client->geometry().bottom() + 1);
    QCOMPARE(Form->height(), Probe.StatusBar()->geometry().bottom() + 1);
    QCOMPARE(Form->windowHandle()->minimumSize(), Form->size());
    QCOMPARE(Form->windowHandle()->maximumSize(), Form->size());
}

// The window fills the screen and the picture holds only what the window shows.
void TstDisplay::largePictureStartsAtScreenOrigin() {
    auto Form = CreateShownForm(1280, 1024, 2, 2);
    TLifeFormProbe Probe(*Form);
    const QRect Area = Form->screen()->availableGeometry();
    QCOMPARE(Form->frameGeometry().topLeft(), Area.topLeft());
    QVERIFY(Area.contains(Form->frameGeometry()));
    QCOMPARE(Probe.WorldImage()->Picture().size(), Probe.View().Viewport());
    QVERIFY(Probe.View().Viewport().width() < 2560);
}

void TstDisplay::smallPictureIsCentred() {
    auto Form = CreateShownForm();
    const QRect Screen = QGuiApplication::primaryScreen()->geometry();
    const QSize Frame = Form->frameGeometry().size();
    QCOMPARE(Form->pos(),
             QPoint((Screen.width() - Frame.width()) / 2, (Screen.height() - Frame.height()) / 2));
}

// During a run, a generation after a quiet spell shows at once; generations within a frame
// of a paint wait for the frame's end and then show together, as the latest generation.
void TstDisplay::fastGenerationsShareAPaint() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OOO"});
    Form->DrawGeneration(true);
    QCoreApplication::processEvents();
    TPaintCounter Counter(Probe.Viewport());

    Probe.WorldImage()->SetFrameMs(2000);
    Probe.Running = true;
    Form->DoNextGeneration();
    QTRY_COMPARE(Counter.Paints, 1);
    for (int Step = 0; Step < 3; ++Step) {
        Form->DoNextGeneration();
        QCoreApplication::processEvents();
    }
    QCOMPARE(Counter.Paints, 1);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 10, 10), Dead); // still generation 1
    QTRY_COMPARE_WITH_TIMEOUT(Counter.Paints, 2, 10000);
    QCOMPARE(Probe.Generation(), 4);
    QCOMPARE(PixelAt(Probe.WorldImage()->grab().toImage(), 10, 10), Live); // flat again
    QCOMPARE(PixelAt(Probe.WorldImage()->grab().toImage(), 11, 9), Dead);
}

// Device pixels of the viewport, at the view's scroll, to the cell a press names.
void TstDisplay::pixelToCell_data() {
    QTest::addColumn<QSize>("CellSize");
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<QPoint>("Scroll");
    QTest::addColumn<QPoint>("Pixel");
    QTest::addColumn<QPoint>("Cell");
    const QSize Small(1, 1);
    const QSize Large(2, 2);
    for (const int Zoom : {100, 200, 400, 800, 1600, 3200}) {
        const int Side = Zoom / 100;
        QTest::addRow("zoom %d%%, first pixel", Zoom)
            << Small << Zoom << QPoint() << QPoint(0, 0) << QPoint(0, 0);
        QTest::addRow("zoom %d%%, last pixel of cell (3, 5)", Zoom)
            << Small << Zoom << QPoint() << QPoint(4 * Side - 1, 6 * Side - 1) << QPoint(3, 5);
        QTest::addRow("zoom %d%%, 2 x 2 cells, scrolled by (101, 57)", Zoom)
            << Large << Zoom << QPoint(101, 57) << QPoint(133, 77)
            << QPoint(234 / (2 * Side), 134 / (2 * Side));
    }
    QTest::newRow("zoom 100%, 2 x 1 cells")
        << QSize(2, 1) << 100 << QPoint() << QPoint(13, 5) << QPoint(6, 5);
    QTest::newRow("zoom 50%, 2 x 2 cells, a pixel a cell")
        << Large << 50 << QPoint(3, 0) << QPoint(4, 6) << QPoint(7, 6);
    QTest::newRow("zoom 50%, top-left cell of the block")
        << Small << 50 << QPoint(10, 10) << QPoint(5, 6) << QPoint(30, 32);
    QTest::newRow("zoom 25%, top-left cell of the block")
        << Small << 25 << QPoint() << QPoint(81, 3) << QPoint(324, 12);
    QTest::newRow("zoom 25%, last block of the largest world")
        << Small << 25 << QPoint(1000, 1000) << QPoint(319, 255) << QPoint(1276, 1020);
    QTest::newRow("zoom 3200%, last cell of the largest world")
        << Large << 3200 << QPoint(1 << 20, 1 << 20) << QPoint(399, 299) << QPoint(1279, 1023);
    QTest::newRow("zoom 3200%, beyond the world")
        << Large << 3200 << QPoint(1 << 20, 1 << 20) << QPoint(400, 300) << QPoint(-1, -1);
}

void TstDisplay::pixelToCell() {
    QFETCH(QSize, CellSize);
    QFETCH(int, Zoom);
    QFETCH(QPoint, Scroll);
    QFETCH(QPoint, Pixel);
    QFETCH(QPoint, Cell);
    TWorldView View;
    View.SetWorld(1280, 1024, CellSize.width(), CellSize.height(), Zoom);
    View.SetViewport(QSize(400, 300));
    View.ScrollTo(Scroll);
    QCOMPARE(View.CellAt(Pixel), Cell);
}

void TstDisplay::zoomedOutPixelIsLiveWhenAnyCellIs_data() {
    QTest::addColumn<QSize>("CellSize");
    QTest::addColumn<int>("Zoom");
    QTest::newRow("1 x 1 cells, zoom 50%") << QSize(1, 1) << 50;
    QTest::newRow("1 x 1 cells, zoom 25%") << QSize(1, 1) << 25;
    QTest::newRow("2 x 1 cells, zoom 25%") << QSize(2, 1) << 25;
    QTest::newRow("1 x 2 cells, zoom 50%") << QSize(1, 2) << 50;
}

// Each cell of a sparse soup on its own and in crowds, over a world whose width is no
// multiple of a word or a block; against the picture painted pixel by pixel.
void TstDisplay::zoomedOutPixelIsLiveWhenAnyCellIs() {
    QFETCH(QSize, CellSize);
    QFETCH(int, Zoom);
    TLifeEngine Engine;
    Engine.SetSize(331, 243);
    unsigned Seed = 7;
    for (int Y = 0; Y < 243; ++Y) {
        for (int X = 0; X < 331; ++X) {
            Seed = Seed * 1103515245u + 12345u;
            Engine.SetCell(X, Y, (Seed >> 16) % 23 == 0 || (X > 200 && (Seed >> 16) % 3 == 0));
        }
    }
    TWorldView View;
    View.SetWorld(331, 243, CellSize.width(), CellSize.height(), Zoom);
    View.SetViewport(QSize(1000, 1000));
    TWorldPicture Picture(Live, Dead);
    QVERIFY(Picture.SetView(View));
    Picture.Redraw(Engine);
    const QImage Expected =
        PictureOfView(View, [&Engine](int X, int Y) { return Engine.State(X, Y) == 1; });
    QCOMPARE(Picture.Image(), Expected);
    // A block whose last live cell dies turns dead, one that keeps another stays live.
    Engine.SetCell(0, 0, 1);
    Engine.SetCell(1, 0, 1);
    Picture.Follow(Engine);
    Engine.SetCell(0, 0, 0);
    Picture.Follow(Engine);
    QCOMPARE(PixelAt(Picture.Image(), 0, 0), Live);
    for (int X = 0; X < 4; ++X) {
        for (int Y = 0; Y < 4; ++Y)
            Engine.SetCell(X, Y, 0);
    }
    Picture.Follow(Engine);
    QCOMPARE(PixelAt(Picture.Image(), 0, 0), Dead);
}

// Where a pixel shows a block of cells, a press edits nothing and says why; with Shift it
// reports the block's top-left cell. Where a pixel is one cell, below 100% too, it edits.
void TstDisplay::pressBelowFullSizeOnlyReports_data() {
    QTest::addColumn<int>("CellSize");
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<QPoint>("Pixel");
    QTest::addColumn<int>("LiveAfter");
    QTest::addColumn<QString>("Message");
    QTest::newRow("25%, a pixel shows 4 x 4 cells")
        << 1 << 25 << QPoint(2, 1) << 1
        << QStringLiteral("Zoom eerst verder in om cellen te tekenen");
    QTest::newRow("50% of 2 x 2 cells, a pixel is one cell")
        << 2 << 50 << QPoint(9, 5) << 0 << QStringLiteral("Cel[9,5]: Levend --> Dood");
}

void TstDisplay::pressBelowFullSizeOnlyReports() {
    QFETCH(int, CellSize);
    QFETCH(int, Zoom);
    QFETCH(QPoint, Pixel);
    QFETCH(int, LiveAfter);
    QFETCH(QString, Message);
    auto Form = CreateShownForm(320, 240, CellSize, CellSize, wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 8, 4, {"....", ".O.."});
    Form->DrawGeneration(true);
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, Pixel.x(), Pixel.y());
    QCOMPARE(Probe.Panel(1)->text(), Message);
    QCOMPARE(LiveCells(*Form), LiveAfter);
    if (LiveAfter == 0)
        return;
    Form->WorldMouseDown(Qt::LeftButton, Qt::ShiftModifier, Pixel.x(), Pixel.y());
    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Cel[8,4]: Buren = 1, Status = Dood, Vorige status = Dood"));
    QCOMPARE(Probe.Panel(2)->text(), QStringLiteral("Levend: 1 \u00b7 Zoom: 25%"));
}

void TstDisplay::windowStaysOnTheScreen_data() {
    QTest::addColumn<QSize>("World");
    QTest::addColumn<QSize>("CellSize");
    QTest::addColumn<int>("Zoom");
    for (const QSize World : {QSize(320, 240), QSize(640, 480), QSize(1280, 1024)}) {
        for (const QSize CellSize : {QSize(1, 1), QSize(2, 1), QSize(2, 2)}) {
            for (const int Zoom : TWorldView::ZoomLevels)
                QTest::addRow("%d x %d, %d x %d cells, zoom %d%%", World.width(), World.height(),
                              CellSize.width(), CellSize.height(), Zoom)
                    << World << CellSize << Zoom;
        }
    }
}

// The window with its frame lies inside the screen's available area; one that fits shows
// the whole picture, without scroll bars.
void TstDisplay::windowStaysOnTheScreen() {
    QFETCH(QSize, World);
    QFETCH(QSize, CellSize);
    QFETCH(int, Zoom);
    auto Form = CreateShownForm(World.width(), World.height(), CellSize.width(), CellSize.height(),
                                wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    const QRect Area = Form->screen()->availableGeometry();
    QVERIFY(Area.contains(Form->frameGeometry()));
    const bool Fits = Probe.View().Viewport().width() >= Probe.View().WorldPixels().width() &&
                      Probe.View().Viewport().height() >= Probe.View().WorldPixels().height();
    QCOMPARE(Probe.WorldImage()->Picture().size(), Probe.View().Visible().size());
    QCOMPARE(Probe.WorldImage()->horizontalScrollBar()->isVisible() ||
                 Probe.WorldImage()->verticalScrollBar()->isVisible(),
             !Fits);
    if (Fits)
        QCOMPARE(Probe.WorldImage()->Picture().size(), Probe.View().WorldPixels());
}

void TstDisplay::fitShowsTheLiveCellsAtTheLargestZoom_data() {
    QTest::addColumn<QSize>("World");
    QTest::addColumn<QSize>("CellSize");
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<QRect>("Cells");   // live at its corners, or else the selection
    QTest::addColumn<bool>("Selected"); // then live cells only in the world's corners
    QTest::newRow("two cells far apart") << QSize(320, 240) << QSize(1, 1) << 100
                                         << QRect(QPoint(10, 10), QPoint(300, 200)) << false;
    QTest::newRow("a small pattern off the middle")
        << QSize(320, 240) << QSize(1, 1) << 3200 << QRect(QPoint(250, 20), QPoint(262, 27))
        << false;
    QTest::newRow("the corners of the largest world, 2 x 1 cells")
        << QSize(1280, 1024) << QSize(2, 1) << 800 << QRect(QPoint(0, 0), QPoint(1279, 1023))
        << false;
    QTest::newRow("a tall pattern in a wide view")
        << QSize(640, 480) << QSize(1, 2) << 25 << QRect(QPoint(600, 3), QPoint(601, 470)) << false;
    QTest::newRow("one cell: the largest zoom")
        << QSize(320, 240) << QSize(1, 1) << 100 << QRect(QPoint(7, 9), QSize(1, 1)) << false;
    QTest::newRow("empty world: nothing changes")
        << QSize(320, 240) << QSize(1, 1) << 800 << QRect() << false;
    QTest::newRow("a selection, not the live cells around it")
        << QSize(640, 480) << QSize(1, 1) << 100 << QRect(QPoint(300, 200), QPoint(340, 230))
        << true;
}

// Inside the visible part; one level more and the cells no longer fit it.
void TstDisplay::fitShowsTheLiveCellsAtTheLargestZoom() {
    QFETCH(QSize, World);
    QFETCH(QSize, CellSize);
    QFETCH(int, Zoom);
    QFETCH(QRect, Cells);
    QFETCH(bool, Selected);
    auto Form = CreateShownForm(World.width(), World.height(), CellSize.width(), CellSize.height(),
                                wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    if (Selected) {
        PlaceRows(*Form, 0, 0, {"O"});
        PlaceRows(*Form, World.width() - 1, World.height() - 1, {"O"});
        Probe.Selection().Select(Cells, World);
    } else if (!Cells.isEmpty()) {
        for (const QPoint Corner :
             {Cells.topLeft(), Cells.topRight(), Cells.bottomLeft(), Cells.bottomRight()})
            PlaceRows(*Form, Corner.x(), Corner.y(), {"O"});
    }
    Form->DrawGeneration(true);
    const QPoint ScrollBefore = Probe.View().Scroll();
    QTest::keyClick(Form.get(), Qt::Key_F, Qt::ControlModifier);
    if (Cells.isEmpty()) {
        QCOMPARE(Probe.Zoom(), Zoom);
        QCOMPARE(Probe.View().Scroll(), ScrollBefore);
        return;
    }
    const QRect Shown(QPoint(0, 0), Probe.View().Viewport());
    QVERIFY(Shown.contains(Probe.View().CellsRect(Cells)));
    QCOMPARE(Probe.View().Zoom(), Probe.Zoom());
    const QRect Middle = Probe.View().CellsRect(Cells);
    QVERIFY(std::abs(Middle.center().x() - Shown.center().x()) <= 1 ||
            Probe.View().Scroll().x() == 0 ||
            Probe.View().Scroll().x() == Probe.View().MaxScroll().x());
    if (Probe.Zoom() == TWorldView::ZoomLevels.back())
        return;
    Form->SetZoom(TWorldView::ZoomedIn(Probe.Zoom()));
    const QSize Needed = Probe.View().CellsRect(Cells).size();
    QVERIFY(Needed.width() > Probe.View().Viewport().width() ||
            Needed.height() > Probe.View().Viewport().height());
}

void TstDisplay::gridLinesReachTheScreen_data() {
    QTest::addColumn<QSize>("CellSize");
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<bool>("Columns"); // lines between the columns
    QTest::addColumn<bool>("Rows");
    QTest::newRow("1 x 1 cells at 400%: 4 pixels, no lines")
        << QSize(1, 1) << 400 << false << false;
    QTest::newRow("1 x 1 cells at 800%: 8 pixels") << QSize(1, 1) << 800 << true << true;
    QTest::newRow("2 x 1 cells at 400%: 8 x 4 pixels") << QSize(2, 1) << 400 << true << false;
    QTest::newRow("2 x 2 cells at 1600%") << QSize(2, 2) << 1600 << true << true;
}

// What goes to the screen: lines on the cells' left and top edges, also across a cell that
// was repainted alone, and none once the grid is off.
void TstDisplay::gridLinesReachTheScreen() {
    QFETCH(QSize, CellSize);
    QFETCH(int, Zoom);
    QFETCH(bool, Columns);
    QFETCH(bool, Rows);
    auto Form = CreateShownForm(320, 240, CellSize.width(), CellSize.height(), wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    auto* Grid = Form->findChild<QAction*>(QStringLiteral("MenuGrid"));
    QVERIFY(Grid->isChecked());
    QVERIFY(Grid->shortcut().isEmpty());
    const QSize Block = Probe.View().BlockPixels();
    const QRect Cell = Probe.View().BlockRect(2, 3);
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, Cell.left() + Block.width() / 2,
                         Cell.top() + Block.height() / 2);
    const QRgb Line = TWorldImage::GridColour;
    const auto Pixel = [&Form](QPoint At) {
        return PixelAt(ShownOnScreen(*Form), At.x(), At.y());
    };
    const QPoint Inside = Cell.bottomRight();
    QTRY_COMPARE(Pixel(Inside), Live);
    QCOMPARE(Pixel(QPoint(Cell.left(), Cell.bottom())), Columns ? Line : Live);
    QCOMPARE(Pixel(QPoint(Cell.right(), Cell.top())), Rows ? Line : Live);
    QCOMPARE(Pixel(QPoint(Cell.left() - 1, Cell.bottom())), Dead);
    QCOMPARE(Pixel(QPoint(0, Cell.bottom())), Dead); // no line left of the first column
    Grid->trigger();
    QTRY_COMPARE(Pixel(QPoint(Cell.left(), Cell.top())), Live);
    QCOMPARE(Pixel(QPoint(Cell.left() - Block.width(), Cell.bottom())), Dead);
}

// Zoomed in on the middle, an opened pattern comes into sight.
void TstDisplay::openShowsThePatternsTopLeftCorner() {
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("glider.life"));
    WriteFile(Path, ".O.\r\n..O\r\nOOO\r\n");
    auto Form = CreateShownForm(1280, 1024, 1, 1, wmHorizontal, 800);
    TLifeFormProbe Probe(*Form);
    Probe.WorldImage()->ShowCells(QRect(640, 512, 1, 1));
    QVERIFY(Probe.View().Scroll() != QPoint(0, 0));
    Form->OpenGameFile(Path);
    QCOMPARE(Probe.View().Scroll(), QPoint(0, 0));
    QTRY_COMPARE(PixelAt(ShownOnScreen(*Form), 2 * 8 + 4, 2 * 8 + 4), Live);
}

void TstDisplay::scrollRepaintsTheScreen_data() {
    QTest::addColumn<int>("Key");
    QTest::newRow("End, to the bottom-right corner") << int(Qt::Key_End);
    QTest::newRow("Page down") << int(Qt::Key_PageDown);
    QTest::newRow("Right arrow") << int(Qt::Key_Right);
}

// What reaches the screen after a scroll is the world at the new scroll, not the picture it
// showed before.
void TstDisplay::scrollRepaintsTheScreen() {
    QFETCH(int, Key);
    auto Form = CreateShownForm(1280, 1024, 2, 2);
    TLifeFormProbe Probe(*Form);
    unsigned Seed = 11;
    for (int Y = 0; Y < 1024; ++Y) {
        for (int X = 0; X < 1280; ++X) {
            Seed = Seed * 1103515245u + 12345u;
            Probe.Engine.SetCell(X, Y, (Seed >> 16) % 5 == 0);
        }
    }
    Form->DrawGeneration(true);
    const auto Expected = [&] {
        return PictureOfView(Probe.View(),
                             [&](int X, int Y) { return Probe.Engine.State(X, Y) == 1; });
    };
    const QImage Start = Expected();
    QTRY_VERIFY(ShownOnScreen(*Form) == Start);
    QTest::keyClick(Probe.WorldImage(), Qt::Key(Key));
    const QImage Scrolled = Expected();
    QVERIFY(Scrolled != Start);
    QTRY_VERIFY(ShownOnScreen(*Form) == Scrolled);
}

void TstDisplay::statusTextsShowWhole_data() {
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<QString>("Message");
    const QStringList Messages = {
        QStringLiteral("Cel[1279,1023]: Buren = 8, Status = Levend, Vorige status = Levend"),
        QStringLiteral("Cel[1279,1023]: Levend --> Dood"),
        QStringLiteral("Zoom eerst verder in om cellen te tekenen"),
        QStringLiteral("Bezig met legen en tekenen van 1280 x 1024 celllen..."),
        QStringLiteral("Het klembord bevat geen tekst: er is niets geplakt."),
        QStringLiteral("Klik waar het patroon moet komen; Esc of een andere muisknop breekt af."),
        QStringLiteral("Het patroon op het klembord heeft geen levende cellen: er is niets "
                       "geplakt."),
        QStringLiteral("Selectie: 1280 x 1024 vanaf Cel[0,0]"),
        QStringLiteral("Er leven geen cellen in de selectie: er is niets gekopieerd."),
        QStringLiteral("Lijn getekend: 1280 cellen levend"),
        QStringLiteral("De selectie ligt al aan de rand van de wereld.")};
    // The default window, and at 25% the narrowest one.
    for (const int Zoom : {100, 25}) {
        for (const QString& Message : Messages)
            QTest::addRow("zoom %d%%, %s", Zoom, qPrintable(Message)) << Zoom << Message;
    }
}

// Every message shows whole in the smallest world's window, and so do the panels below it
// with their widest texts.
void TstDisplay::statusTextsShowWhole() {
    QFETCH(int, Zoom);
    QFETCH(QString, Message);
    auto Form = CreateShownForm(320, 240, 1, 1, wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    Probe.Panel(1)->setText(Message);
    Probe.Panel(0)->setText(QStringLiteral("Generatie: 2147483647"));
    Probe.Panel(2)->setText(QStringLiteral("Levend: 1310720 \u00b7 Zoom: 3200%"));
    QTRY_VERIFY(Probe.Panel(1)->isVisible());
    for (int Index = 0; Index < 3; ++Index) {
        const QLabel* Panel = Probe.Panel(Index);
        const QRect Room = Panel->contentsRect();
        const QRect Needed = Panel->fontMetrics().boundingRect(
            Room, int(Panel->alignment()) | (Panel->wordWrap() ? Qt::TextWordWrap : 0),
            Panel->text());
        QVERIFY2(Room.contains(Needed), qPrintable(Panel->text()));
        QVERIFY(
            Form->rect().contains(QRect(Panel->mapTo(Form.get(), QPoint(0, 0)), Panel->size())));
    }
}

QTEST_MAIN(TstDisplay)
#include "tst_display.moc"
