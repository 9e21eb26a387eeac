// Editing with the mouse beyond a press: strokes, the selection and the commands on it.

#include "tests/testhelpers.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

namespace {

constexpr QRgb Dead = TLifeForm::DeadColour;

QAction* Item(TLifeForm& Form, const QString& Name) {
    return Form.findChild<QAction*>(Name);
}

// The viewport's device pixel at the middle of a cell's block (scale 1 here).
QPoint PixelOfCell(TLifeForm& Form, const QPoint& Cell) {
    const TWorldView& View = TLifeFormProbe(Form).View();
    const QRect Block = View.PixelsOfCells(QRect(Cell, QSize(1, 1)));
    return Block.topLeft() + QPoint(Block.width() / 2, Block.height() / 2);
}

// A drag through the window as the window system delivers it: a press at the first pixel
// of the viewport, moves through the others, a release at the last.
void Drag(TLifeForm& Form, Qt::KeyboardModifiers Modifiers, const QList<QPoint>& Pixels) {
    QWidget* Viewport = TLifeFormProbe(Form).Viewport();
    const auto InWindow = [&](const QPoint& Pixel) {
        return Viewport->mapTo(&Form, Pixel);
    };
    QTest::mousePress(Form.windowHandle(), Qt::LeftButton, Modifiers, InWindow(Pixels.first()));
    for (const QPoint& Pixel : Pixels.mid(1))
        QTest::mouseMove(Form.windowHandle(), InWindow(Pixel));
    QTest::mouseRelease(Form.windowHandle(), Qt::LeftButton, Modifiers, InWindow(Pixels.last()));
}

QStringList Diagonal(int Size) {
    QStringList Rows;
    for (int I = 0; I < Size; ++I)
        Rows << QString(Size, QLatin1Char('.')).replace(I, 1, QLatin1Char('O'));
    return Rows;
}

// A board near the top-right corner of the default world, and a non-square selection of
// three by two cells in its corner.
constexpr QPoint BoardAt(312, 0);
const QStringList Board = {"O....OO.", ".O...O.O", "......O.", "O......O"};
const QRect Corner(317, 0, 3, 2);

} // namespace

class TstEditing : public QObject {
    Q_OBJECT

private slots:
    void strokeDrawsEveryCellOfItsPath_data();
    void strokeDrawsEveryCellOfItsPath();
    void shiftDragSelects_data();
    void shiftDragSelects();
    void selectionCommands_data();
    void selectionCommands();
    void randomFillTouchesNothingOutside();
    void itemsNeedASelection();
};

void TstEditing::strokeDrawsEveryCellOfItsPath_data() {
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<QPoint>("Scroll");       // device pixels
    QTest::addColumn<QList<QPoint>>("Cells"); // where the pointer events come
    QTest::addColumn<QStringList>("Before");  // at (0, 0), scrolled or not
    QTest::addColumn<QStringList>("After");
    QTest::addColumn<QString>("Step"); // empty: none
    const QStringList Empty15(15, QString(15, QLatin1Char('.')));
    QTest::newRow("fast diagonal, events 7 cells apart")
        << 100 << QPoint() << QList<QPoint>{{0, 0}, {7, 7}, {14, 14}} << Empty15 << Diagonal(15)
        << "Lijn getekend: 15 cellen levend";
    QTest::newRow("starting on a live cell erases")
        << 100 << QPoint() << QList<QPoint>{{2, 0}, {9, 0}}
        << QStringList{"OOOOOOOOOOOO", "OOOOOOOOOOOO"}
        << QStringList{"OO........OO", "OOOOOOOOOOOO"} << "Lijn gewist: 8 cellen dood";
    QTest::newRow("the pen passes over cells of its state")
        << 100 << QPoint() << QList<QPoint>{{0, 1}, {5, 1}} << QStringList{"......", ".O.O.O"}
        << QStringList{"......", "OOOOOO"} << "Lijn getekend: 3 cellen levend";
    QTest::newRow("at 800% scrolled, back and forth")
        << 800 << QPoint(40, 16) << QList<QPoint>{{12, 3}, {5, 3}, {12, 3}}
        << QStringList(4, QString(14, QLatin1Char('.')))
        << QStringList{"..............", "..............", "..............", ".....OOOOOOOO."}
        << "Lijn getekend: 8 cellen levend";
    QTest::newRow("a press without a drag keeps its step")
        << 100 << QPoint() << QList<QPoint>{{4, 1}} << QStringList{"......", "......"}
        << QStringList{"......", "....O."} << "Cel[4,1]: Dood --> Levend";
    QTest::newRow("below 100% nothing is drawn")
        << 25 << QPoint() << QList<QPoint>{{0, 0}, {40, 0}} << QStringList{"O..."}
        << QStringList{"O..."} << QString();
}

// One stroke is one step, and one undo takes the whole stroke back.
void TstEditing::strokeDrawsEveryCellOfItsPath() {
    QFETCH(int, Zoom);
    QFETCH(QPoint, Scroll);
    QFETCH(QList<QPoint>, Cells);
    QFETCH(QStringList, Before);
    QFETCH(QStringList, After);
    QFETCH(QString, Step);
    auto Form = CreateShownForm(320, 240, 1, 1, wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    Probe.WorldImage()->horizontalScrollBar()->setValue(Scroll.x());
    Probe.WorldImage()->verticalScrollBar()->setValue(Scroll.y());
    const QPoint Origin = Probe.View().CellNear(QPoint(0, 0));
    PlaceRows(*Form, Origin.x(), Origin.y(), Before);
    Form->DrawGeneration(true);
    Probe.History().Clear();
    QList<QPoint> Pixels;
    for (const QPoint& Cell : Cells)
        Pixels << PixelOfCell(*Form, Origin + Cell);
    const QRect Board(Origin, QSize(int(Before.first().size()), int(Before.size())));

    Drag(*Form, Qt::NoModifier, Pixels);

    QCOMPARE(ReadRows(*Form, Board), After);
    QCOMPARE(LiveCells(*Form), int(After.join(QString()).count(QLatin1Char('O'))));
    QCOMPARE(Probe.History().Stack().count(), Step.isEmpty() ? 0 : 1);
    if (Step.isEmpty())
        return;
    QCOMPARE(Probe.History().Stack().undoText(), Step);
    QCOMPARE(Probe.Panel(1)->text(), Step);
    QCOMPARE(ShownOnScreen(*Form), WithGrid(Probe.WorldImage()->Picture(), Probe.View()));
    Form->UpdateMenu();
    Item(*Form, "MenuUndo")->trigger();
    QCOMPARE(ReadRows(*Form, Board), Before);
}

void TstEditing::shiftDragSelects_data() {
    QTest::addColumn<QSize>("World");
    QTest::addColumn<int>("Zoom");
    QTest::addColumn<QPoint>("Scroll");
    QTest::addColumn<QList<QPoint>>("Pixels");
    QTest::addColumn<QRect>("Selected"); // empty: the press only reports
    const QSize Default(320, 240);
    QTest::newRow("25%: whole blocks of 4 x 4 cells")
        << Default << 25 << QPoint() << QList<QPoint>{{10, 5}, {20, 12}}
        << QRect(QPoint(40, 20), QPoint(83, 51));
    QTest::newRow("100% scrolled")
        << QSize(1280, 1024) << 100 << QPoint(300, 200) << QList<QPoint>{{5, 5}, {50, 30}}
        << QRect(QPoint(305, 205), QPoint(350, 230));
    QTest::newRow("800% scrolled, up and left")
        << Default << 800 << QPoint(800, 400) << QList<QPoint>{{20, 20}, {9, 30}, {1, 1}}
        << QRect(QPoint(100, 50), QPoint(102, 52));
    QTest::newRow("beyond the picture: up to the edge")
        << Default << 100 << QPoint() << QList<QPoint>{{30, 20}, {-50, -9}}
        << QRect(QPoint(0, 0), QPoint(30, 20));
    QTest::newRow("back onto the pressed cell: that cell")
        << Default << 800 << QPoint() << QList<QPoint>{{20, 20}, {40, 20}, {17, 23}}
        << QRect(2, 2, 1, 1);
    QTest::newRow("a Shift-press alone only reports")
        << Default << 800 << QPoint() << QList<QPoint>{{17, 17}} << QRect();
    QTest::newRow("a move within the pressed cell only reports")
        << Default << 800 << QPoint() << QList<QPoint>{{17, 17}, {22, 22}} << QRect();
}

// A selection is shown over the world, named in the panel, and no step.
void TstEditing::shiftDragSelects() {
    QFETCH(QSize, World);
    QFETCH(int, Zoom);
    QFETCH(QPoint, Scroll);
    QFETCH(QList<QPoint>, Pixels);
    QFETCH(QRect, Selected);
    auto Form = CreateShownForm(World.width(), World.height(), 1, 1, wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    Probe.WorldImage()->horizontalScrollBar()->setValue(Scroll.x());
    Probe.WorldImage()->verticalScrollBar()->setValue(Scroll.y());
    QCOMPARE(Probe.View().Scroll(), Scroll);
    Probe.History().Clear();

    Drag(*Form, Qt::ShiftModifier, Pixels);

    QCOMPARE(Probe.Selection().Cells(), Selected);
    QCOMPARE(LiveCells(*Form), 0);
    QCOMPARE(Probe.History().Stack().count(), 0);
    if (Selected.isEmpty()) {
        QVERIFY(Probe.Panel(1)->text().contains(QLatin1String("Buren = 0")));
        return;
    }
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("Selectie: %1 x %2 vanaf Cel[%3,%4]")
                                         .arg(Selected.width())
                                         .arg(Selected.height())
                                         .arg(Selected.left())
                                         .arg(Selected.top()));
    // On screen: tinted within the selection, the dead colour just outside it.
    const QRect Shown = Probe.View().PixelsOfCells(Selected).intersected(
        QRect(QPoint(0, 0), Probe.View().Viewport()));
    QTRY_VERIFY(PixelAt(ShownOnScreen(*Form), Shown.center().x(), Shown.center().y()) != Dead);
    const QImage Screen = ShownOnScreen(*Form);
    if (Screen.valid(Shown.right() + 2, Shown.center().y()))
        QCOMPARE(PixelAt(Screen, Shown.right() + 2, Shown.center().y()), Dead);

    // A press without Shift removes it, and the view shows none.
    QTest::mousePress(Form->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      Probe.Viewport()->mapTo(Form.get(), Shown.center()));
    QVERIFY(!Probe.Selection().Exists());
    QTRY_COMPARE(ShownOnScreen(*Form), WithGrid(Probe.WorldImage()->Picture(), Probe.View()));
}

void TstEditing::selectionCommands_data() {
    QTest::addColumn<QRect>("Selection");
    QTest::addColumn<QString>("Command");
    QTest::addColumn<QStringList>("After"); // the board
    QTest::addColumn<QRect>("Selected");    // after the command
    QTest::addColumn<QString>("Step");      // empty: none
    QTest::newRow("cut") << Corner << "MenuCut"
                         << QStringList{"O.......", ".O......", "......O.", "O......O"} << Corner
                         << "Knippen";
    QTest::newRow("copy") << Corner << "MenuCopy" << Board << Corner << QString();
    QTest::newRow("clear") << Corner << "MenuDelete"
                           << QStringList{"O.......", ".O......", "......O.", "O......O"} << Corner
                           << "Wissen";
    QTest::newRow("clear outside") << Corner << "MenuClearOutside"
                                   << QStringList{".....OO.", ".....O.O", "........", "........"}
                                   << Corner << "Wissen buiten selectie";
    QTest::newRow("mirror horizontally")
        << Corner << "MenuFlipHorizontal"
        << QStringList{"O.....OO", ".O...O.O", "......O.", "O......O"} << Corner
        << "Horizontaal spiegelen";
    QTest::newRow("mirror vertically")
        << Corner << "MenuFlipVertical"
        << QStringList{"O....O.O", ".O...OO.", "......O.", "O......O"} << Corner
        << "Verticaal spiegelen";
    QTest::newRow("rotate 180") << Corner << "MenuRotate180"
                                << QStringList{"O....O.O", ".O....OO", "......O.", "O......O"}
                                << Corner << "Roteer 180 graden";
    QTest::newRow("rotate right about the centre")
        << Corner << "MenuRotateRight"
        << QStringList{"O....OO.", ".O....O.", ".....O..", "O......O"} << QRect(317, 0, 2, 3)
        << "Roteer naar rechts";
    QTest::newRow("rotate left about the centre")
        << Corner << "MenuRotateLeft" << QStringList{"O.....O.", ".O...O..", ".....OO.", "O......O"}
        << QRect(317, 0, 2, 3) << "Roteer naar links";
    QTest::newRow("rotate a row at the top edge: pushed back into the world")
        << QRect(312, 0, 5, 1) << "MenuRotateRight"
        << QStringList{"..O..OO.", ".O...O.O", "......O.", "O......O"} << QRect(314, 0, 1, 5)
        << "Roteer naar rechts";
    QTest::newRow("move left carries the selection")
        << Corner << "MenuMoveLeft" << QStringList{"O...OO..", ".O..O.O.", "......O.", "O......O"}
        << QRect(316, 0, 3, 2) << "Verplaats naar links";
    QTest::newRow("move down") << Corner << "MenuMoveDown"
                               << QStringList{"O.......", ".O...OO.", ".....O.O", "O......O"}
                               << QRect(317, 1, 3, 2) << "Verplaats naar beneden";
    QTest::newRow("move 10 right at the edge stays")
        << Corner << "MenuMoveRightLarge" << Board << Corner << QString();
    QTest::newRow("move 10 left goes 10, beyond the board")
        << QRect(318, 2, 2, 2) << "MenuMoveLeftLarge"
        << QStringList{"O....OO.", ".O...O.O", "........", "O......."} << QRect(308, 2, 2, 2)
        << "Verplaats 10 naar links";
}

void TstEditing::selectionCommands() {
    QFETCH(QRect, Selection);
    QFETCH(QString, Command);
    QFETCH(QStringList, After);
    QFETCH(QRect, Selected);
    QFETCH(QString, Step);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, BoardAt.x(), BoardAt.y(), Board);
    PlaceRows(*Form, 100, 100, {"OO", "OO"}); // far outside every selection
    Probe.SetGeneration(3);
    Form->DrawGeneration(true);
    Probe.History().Clear();
    Probe.Selection().Select(Selection, QSize(320, 240));
    QGuiApplication::clipboard()->setText(QStringLiteral("as it was"));

    Form->UpdateMenu();
    Item(*Form, Command)->trigger();

    const QRect Area(BoardAt, QSize(8, 4));
    QCOMPARE(ReadRows(*Form, Area), After);
    const QStringList Far =
        Command == "MenuClearOutside" ? QStringList{"..", ".."} : QStringList{"OO", "OO"};
    QCOMPARE(ReadRows(*Form, QRect(100, 100, 2, 2)), Far);
    QCOMPARE(Probe.Selection().Cells(), Selected);
    QCOMPARE(Probe.Generation(), 3);
    for (int Y = 0; Y < Area.height(); ++Y) {
        for (int X = 0; X < Area.width(); ++X) {
            const bool Alive = After[Y][X] == QLatin1Char('O');
            QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), Area.x() + X, Area.y() + Y),
                     Alive ? TLifeForm::LiveColour : Dead);
        }
    }
    const bool Copies = Command == "MenuCut" || Command == "MenuCopy";
    QCOMPARE(QGuiApplication::clipboard()->text(),
             Copies ? "#C Conway's Game of Life\nx = 3, y = 2, rule = B3/S23\n2o$obo!\n"
                    : "as it was");
    QCOMPARE(Probe.History().Stack().count(), Step.isEmpty() ? 0 : 1);
    if (Step.isEmpty())
        return;
    QCOMPARE(Probe.History().Stack().undoText(), Step);
    Form->UpdateMenu();
    Item(*Form, "MenuUndo")->trigger();
    QCOMPARE(ReadRows(*Form, Area), Board);
}

// Each cell of the selection alive with a chance of a half: neither none nor all of 2100,
// another pattern the second time, and not one cell outside touched.
void TstEditing::randomFillTouchesNothingOutside() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, QStringList(240, QString(320, QLatin1Char('O'))));
    PlaceRows(*Form, 10, 20, QStringList(30, QString(70, QLatin1Char('.'))));
    Form->DrawGeneration(true);
    const QRect Inside(10, 20, 70, 30);
    Probe.Selection().Select(Inside, QSize(320, 240));
    const auto Outside = [&] {
        return LiveCells(*Form) -
               int(ReadRows(*Form, Inside).join(QString()).count(QLatin1Char('O')));
    };

    Form->UpdateMenu();
    Item(*Form, "MenuRandomFill")->trigger();
    const QStringList First = ReadRows(*Form, Inside);
    const int Alive = int(First.join(QString()).count(QLatin1Char('O')));
    QVERIFY2(Alive > 700 && Alive < 1400, qPrintable(QString::number(Alive)));
    QCOMPARE(Outside(), 320 * 240 - 2100);
    Item(*Form, "MenuRandomFill")->trigger();
    QVERIFY(ReadRows(*Form, Inside) != First);
    QCOMPARE(Outside(), 320 * 240 - 2100);
    QCOMPARE(Probe.History().Stack().undoText(), QStringLiteral("Willekeurig vullen"));
}

// Greyed without a selection or during a run; Ctrl+A selects the whole world and Esc
// removes the selection.
void TstEditing::itemsNeedASelection() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    const QStringList Needing = {"MenuCut", "MenuDelete", "MenuClearOutside", "MenuRandomFill",
                                 "MenuSelectNone"};
    Form->UpdateMenu();
    for (const QString& Name : Needing)
        QVERIFY2(!Item(*Form, Name)->isEnabled(), qPrintable(Name));

    QTest::keyClick(Form.get(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Probe.Selection().Cells(), QRect(0, 0, 320, 240));
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("Selectie: 320 x 240 vanaf Cel[0,0]"));
    Form->UpdateMenu();
    for (const QString& Name : Needing)
        QVERIFY2(Item(*Form, Name)->isEnabled(), qPrintable(Name));
    Probe.Running = true;
    Form->UpdateMenu();
    QVERIFY(!Item(*Form, "MenuDelete")->isEnabled());
    Probe.Running = false;

    QTest::keyClick(Form.get(), Qt::Key_Escape);
    QVERIFY(!Probe.Selection().Exists());
}

QTEST_MAIN(TstEditing)
#include "tst_editing.moc"
