// Undo and redo of every change of the cells, and patterns through the clipboard.

#include "settings/uoptionsdlg.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using TCommand = std::function<void(TLifeForm&)>;
Q_DECLARE_METATYPE(TCommand)

namespace {

const QStringList Glider = {".O.", "..O", "OOO"};
const QStringList Still = {"OO", "O."}; // a block from the next generation on

QAction* Item(TLifeForm& Form, const char* Name) {
    return Form.findChild<QAction*>(QString::fromLatin1(Name));
}

TCommand Trigger(const char* Name) {
    return [Name](TLifeForm& Form) {
        Item(Form, Name)->trigger();
    };
}

// A run by a clock of its own: Ticks ticks of 5 generations, then F3 when it still runs.
TCommand Run(int Ticks) {
    return [Ticks](TLifeForm& Form) {
        TLifeFormProbe Probe(Form);
        auto Now = std::make_shared<qint64>(0);
        Probe.RunClock = [Now] {
            return *Now;
        };
        Probe.WorldTimer()->setInterval(1);
        Item(Form, "MenuStartGame")->trigger();
        Probe.WorldTimer()->stop(); // the test ticks
        for (int Tick = 0; Tick < Ticks; ++Tick) {
            *Now += 5'000'000;
            Form.WorldTimerTimer();
        }
        if (Probe.Running)
            Item(Form, "MenuStartGame")->trigger();
    };
}

struct TWorldState {
    QStringList Rows;
    qint32 Generation;
    QSize Size;
    QSize CellSize;
    qint32 Wrapping;
    bool operator==(const TWorldState&) const = default;
};

TWorldState StateOf(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    return {ReadRows(Form, QRect(0, 0, Probe.HorCells(), Probe.VertCells())), Probe.Generation(),
            QSize(Probe.HorCells(), Probe.VertCells()),
            QSize(Probe.HorCellSize, Probe.VertCellSize), Probe.Engine.Wrapping()};
}

#define COMPARE_STATE(Actual, Expected)                                                            \
    do {                                                                                           \
        const TWorldState A = (Actual), E = (Expected);                                            \
        QCOMPARE(A.Size, E.Size);                                                                  \
        QCOMPARE(A.CellSize, E.CellSize);                                                          \
        QCOMPARE(A.Wrapping, E.Wrapping);                                                          \
        QCOMPARE(A.Generation, E.Generation);                                                      \
        QCOMPARE(A.Rows, E.Rows);                                                                  \
    } while (false)

// The settings dialog, answered with OK after Change.
TCommand Settings(std::function<void(TOptionsDlg&)> Change) {
    return [Change](TLifeForm& Form) {
        AnswerNextModal([Change](QWidget* Dialog) {
            auto* Options = qobject_cast<TOptionsDlg*>(Dialog);
            Change(*Options);
            Options->accept();
        });
        Item(Form, "MenuOptions")->trigger();
    };
}

// What the picture paints on screen is the engine's cells, those the view shows, and the
// panel its generation.
bool ShowsTheEngine(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    const QImage Shown = Probe.WorldImage()->grab().toImage();
    const TWorldView& View = Probe.WorldImage()->View();
    const QRect Blocks = View.VisibleBlocks();
    for (int Y = Blocks.top(); Y <= Blocks.bottom(); ++Y) {
        for (int X = Blocks.left(); X <= Blocks.right(); ++X) {
            const QPoint Pixel = View.BlockRect(X, Y).center();
            if (!Shown.rect().contains(Pixel))
                continue;
            const QRgb Cell =
                Probe.Engine.State(X, Y) == 1 ? TLifeForm::LiveColour : TLifeForm::DeadColour;
            if (Shown.pixel(Pixel) != Cell)
                return false;
        }
    }
    return Probe.Panel(0)->text() == QStringLiteral("Generatie: %1").arg(Probe.Generation());
}

} // namespace

class TstHistory : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedoEveryStep_data();
    void undoAndRedoEveryStep();
    void undoDuringARunStopsItAndRedoWaits();
    void pasteReadsAsAFileDoesButOnlyPatterns_data();
    void pasteReadsAsAFileDoesButOnlyPatterns();
    void pasteFloatsUnderThePointer_data();
    void pasteFloatsUnderThePointer();
    void oldestStepsGoFirst();
    void copyPutsTheLiveCellsAsRle();
};

void TstHistory::undoAndRedoEveryStep_data() {
    QTest::addColumn<QStringList>("Base");
    QTest::addColumn<TCommand>("Command");
    QTest::addColumn<QString>("Caption");
    QTest::newRow("mouse press") << Glider << TCommand([](TLifeForm& Form) {
        Form.WorldMouseDown(Qt::LeftButton, {}, 20, 30);
    }) << "Cel[20,30]: Dood --> Levend";
    QTest::newRow("stroke") << Glider << TCommand([](TLifeForm& Form) {
        Form.WorldMouseDown(Qt::LeftButton, {}, 20, 30);
        Form.WorldMouseMove(25, 30);
        Form.WorldMouseMove(30, 30);
        Form.WorldMouseUp();
    }) << "Lijn getekend: 11 cellen levend";
    for (const auto& [Name, Caption] : {std::pair{"MenuCut", "Knippen"},
                                        {"MenuDelete", "Wissen"},
                                        {"MenuClearOutside", "Wissen buiten selectie"},
                                        {"MenuRandomFill", "Willekeurig vullen"},
                                        {"MenuRotateLeft", "Roteer naar links"}}) {
        QTest::addRow("%s on a selection", Name)
            << Glider << TCommand([Name = Name](TLifeForm& Form) {
                   TLifeFormProbe(Form).Selection().Select(QRect(4, 4, 5, 6), QSize(640, 480));
                   Form.UpdateMenu();
                   Item(Form, Name)->trigger();
                   Form.SelectNone(); // the picture is compared with the cells, without the tint
               })
            << QString::fromLatin1(Caption);
    }
    for (const auto& [Name, Caption] : {std::pair{"MenuNewGame", "Nieuw spel"},
                                        {"MenuOneStep", "Een stap vooruit"},
                                        {"MenuMoveLeft", "Verplaats naar links"},
                                        {"MenuMoveRightLarge", "Verplaats 10 naar rechts"},
                                        {"MenuMoveUp", "Verplaats naar boven"},
                                        {"MenuMoveDownLarge", "Verplaats 10 naar beneden"},
                                        {"MenuFlipHorizontal", "Horizontaal spiegelen"},
                                        {"MenuFlipVertical", "Verticaal spiegelen"},
                                        {"MenuRotateLeft", "Roteer naar links"},
                                        {"MenuRotateRight", "Roteer naar rechts"},
                                        {"MenuRotate180", "Roteer 180 graden"}})
        QTest::newRow(Name) << Glider << Trigger(Name) << QString::fromLatin1(Caption);
    QTest::newRow("open") << Glider << TCommand([](TLifeForm& Form) {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("a.rle"));
        WriteFile(Path, "x = 3, y = 1\n3o!\n");
        Form.OpenGameFile(Path);
    }) << "Spel openen";
    QTest::newRow("paste") << Glider << TCommand([](TLifeForm& Form) {
        QGuiApplication::clipboard()->setText(QStringLiteral("x = 2, y = 2\n2o$2o!"));
        Item(Form, "MenuPaste")->trigger();
        Form.PastePressed(Qt::LeftButton, QPoint(40, 40));
    }) << "Plakken";
    QTest::newRow("run stopped by the user") << Glider << Run(3) << "Spel tot generatie 22";
    QTest::newRow("run stopped as stable") << Still << TCommand([](TLifeForm& Form) {
        AcceptNextMessageBox();
        Run(1)(Form);
    }) << "Spel tot generatie 9";
    QTest::newRow("smaller world") << Glider << Settings([](TOptionsDlg& Options) {
        Options.SetLifeX(400);
        Options.SetLifeY(300);
    }) << "Wereldgrootte 400 x 300";
    QTest::newRow("smaller world of larger cells and wrap mode")
        << Glider << Settings([](TOptionsDlg& Options) {
               Options.SetLifeX(400);
               Options.SetLifeY(300);
               Options.SetCellX(2);
               Options.SetCellY(2);
               Options.SetWrapMode(wmBoth);
           })
        << "Wereldgrootte 400 x 300";
    QTest::newRow("cell size alone") << Glider << Settings([](TOptionsDlg& Options) {
        Options.SetCellX(2);
        Options.SetCellY(2);
    }) << "Instellingen";
    QTest::newRow("wrap mode alone")
        << Glider << Settings([](TOptionsDlg& Options) { Options.SetWrapMode(wmNone); })
        << "Instellingen";
}

// Each step brings back the exact cells, generation and size, and shows them at once.
void TstHistory::undoAndRedoEveryStep() {
    QFETCH(QStringList, Base);
    QFETCH(TCommand, Command);
    QFETCH(QString, Caption);
    auto Form = CreateShownForm(640, 480, 1, 1);
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 5, 5, Base);
    PlaceRows(*Form, 600, 450, Base); // beyond the smaller world
    Probe.SetGeneration(7);
    Form->DrawGeneration(true);
    Probe.History().Clear();
    const TWorldState Before = StateOf(*Form);

    Command(*Form);
    const TWorldState After = StateOf(*Form);
    QVERIFY(!(After == Before));
    QCOMPARE(Probe.History().Stack().count(), 1);

    Form->UpdateMenu();
    QCOMPARE(Item(*Form, "MenuUndo")->text(), "&Ongedaan maken: " + Caption);
    Item(*Form, "MenuUndo")->trigger();
    COMPARE_STATE(StateOf(*Form), Before);
    QTRY_VERIFY(ShowsTheEngine(*Form)); // a new cell size reaches the widget's size by events

    Form->UpdateMenu();
    QCOMPARE(Item(*Form, "MenuRedo")->text(), "Op&nieuw: " + Caption);
    Item(*Form, "MenuRedo")->trigger();
    COMPARE_STATE(StateOf(*Form), After);
    QTRY_VERIFY(ShowsTheEngine(*Form));
    QCOMPARE(Probe.History().Stack().count(), 1);
}

void TstHistory::undoDuringARunStopsItAndRedoWaits() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 5, 5, Glider);
    Form->DrawGeneration(true);
    Probe.History().Clear();
    Form->WorldMouseDown(Qt::LeftButton, {}, 3, 3);
    Form->UndoChange(); // a step to redo
    const TWorldState Start = StateOf(*Form);

    auto Now = std::make_shared<qint64>(0);
    Probe.RunClock = [Now] {
        return *Now;
    };
    Probe.WorldTimer()->setInterval(1);
    Form->MenuStartGameClick();
    *Now += 5'000'000;
    Form->WorldTimerTimer();
    Form->UpdateMenu();
    QVERIFY(Item(*Form, "MenuUndo")->isEnabled()); // the run itself is the step to undo
    QCOMPARE(Item(*Form, "MenuUndo")->text(), "&Ongedaan maken: Spel tot generatie 5");
    QVERIFY(!Item(*Form, "MenuRedo")->isEnabled());
    QCOMPARE(Item(*Form, "MenuRedo")->text(), "Op&nieuw");
    Form->RedoChange();
    QVERIFY(Probe.Running);
    QCOMPARE(Probe.Generation(), 5);

    Item(*Form, "MenuUndo")->trigger();
    QVERIFY(!Probe.Running);
    COMPARE_STATE(StateOf(*Form), Start);
    QVERIFY(ShowsTheEngine(*Form));
    QCOMPARE(Probe.History().Stack().count(), 1);
}

void TstHistory::pasteReadsAsAFileDoesButOnlyPatterns_data() {
    QTest::addColumn<QString>("Text");
    QTest::addColumn<bool>("FromFile");
    QTest::addColumn<QStringList>("Placed"); // empty: refused, nothing changes
    QTest::addColumn<QString>("Message");    // in a message box when it begins with "Fout"
    QTest::newRow("rle") << "#C two rows\nx = 3, y = 2, rule = B3/S23\nobo$3o!" << false
                         << QStringList{"O.O", "OOO"} << QString();
    QTest::newRow("wiki plaintext") << "!Name: steps\r\n.O\r\nOO\r\n"
                                    << false << QStringList{".O", "OO"} << QString();
    QTest::newRow("own format") << "!Naam:glider!\r\n.O.\r\n..O\r\nOOO\r\n"
                                << false << Glider << QString();
    QTest::newRow("rows under comments with o's")
        << "#N glider\n#C found by Conway\n.O.\n..O\nOOO" << false << Glider << QString();
    QTest::newRow("another rule")
        << "x = 1, y = 1, rule = B36/S23\no!" << false << QStringList()
        << "Fout bij openen van bestand:\nklembord\n\nDit bestand gebruikt de regel B36/S23; dit "
           "programma speelt alleen B3/S23.";
    QTest::newRow("broken rle")
        << "x = 2, y = 1\n2o" << false << QStringList()
        << "Fout bij openen van bestand:\nklembord\n\nDe inhoud volgt de regels van het formaat "
           "RLE niet.";
    QTest::newRow("too long") << QString(8 * 1024 * 1024 + 1, QLatin1Char('o')) << false
                              << QStringList()
                              << "Fout bij openen van bestand:\nklembord\n\nDe inhoud is groter "
                                 "dan 8 MB.";
    QTest::newRow("rle after a byte-order mark")
        << QStringLiteral("\uFEFFx = 3, y = 3\nbo$2bo$3o!\n") << false << Glider << QString();
    QTest::newRow("rows after a byte-order mark")
        << QStringLiteral("\uFEFF.O.\n..O\nOOO\n") << false << Glider << QString();
    QTest::newRow("file of rle after a byte-order mark")
        << QStringLiteral("\uFEFFx = 3, y = 3\nbo$2bo$3o!\n") << true << Glider << QString();
    QTest::newRow("file of wiki plaintext after a byte-order mark")
        << QStringLiteral("\uFEFF!Name: Glider\n!Author: o o\n.O.\n..O\nOOO\n") << true << Glider
        << QString();
    QTest::newRow("no text") << QString() << false << QStringList()
                             << "Het klembord bevat geen tekst: er is niets geplakt.";
    const QString NoPattern =
        QStringLiteral("Het klembord bevat geen patroon: er is niets geplakt.");
    QTest::newRow("hello world") << "hello world" << false << QStringList() << NoPattern;
    QTest::newRow("web address") << "https://conwaylife.com/wiki/Glider" << false << QStringList()
                                 << NoPattern;
    QTest::newRow("binary bytes") << QString::fromLatin1(QByteArray("\x7f"
                                                                    "ELF\x02\x01\0\0O\xff",
                                                                    10))
                                  << false << QStringList() << NoPattern;
    QTest::newRow("no live cell") << "...\n. ." << false << QStringList()
                                  << "Het patroon op het klembord heeft geen levende cellen";
    QTest::newRow("file of another rule")
        << "x = 1, y = 1, rule = B36/S23\no!" << true << QStringList() << "B36/S23";
}

// Pasted text is read as an opened file is, and a click places it beside the drawing; a
// refusal keeps the world and the history, and leaves nothing to place.
void TstHistory::pasteReadsAsAFileDoesButOnlyPatterns() {
    QFETCH(QString, Text);
    QFETCH(bool, FromFile);
    QFETCH(QStringList, Placed);
    QFETCH(QString, Message);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 100, 100, Glider);
    Probe.SetGeneration(4);
    Form->DrawGeneration(true);
    Probe.History().Clear();
    Form->WorldMouseDown(Qt::LeftButton, {}, 1, 1);
    const TWorldState Before = StateOf(*Form);

    QString Shown;
    if (Message.startsWith(QStringLiteral("Fout")) || FromFile)
        AcceptNextMessageBox([&Shown](const QString&, const QString& Box) { Shown = Box; });
    if (FromFile) {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("b.rle"));
        WriteFile(Path, Text.toUtf8());
        Form->OpenGameFile(Path);
    } else {
        QGuiApplication::clipboard()->setText(Text);
        Item(*Form, "MenuPaste")->trigger();
    }
    Form->PastePressed(Qt::LeftButton, QPoint(40, 50));

    if (Placed.isEmpty()) {
        COMPARE_STATE(StateOf(*Form), Before);
        QCOMPARE(Probe.History().Stack().count(), 1);
        QVERIFY2((Shown.isEmpty() ? Probe.Panel(1)->text() : Shown).contains(Message),
                 qPrintable(Shown));
    } else if (FromFile) {
        // An opened file takes the place of the world, at its top-left.
        QCOMPARE(ReadRows(*Form, QRect(0, 0, Placed.first().size(), Placed.size())), Placed);
        QCOMPARE(LiveCells(*Form), int(Placed.join(QString()).count(QLatin1Char('O'))));
    } else {
        QCOMPARE(ReadRows(*Form, QRect(40, 50, Placed.first().size(), Placed.size())), Placed);
        QCOMPARE(ReadRows(*Form, QRect(100, 100, 3, 3)), Glider);
        QCOMPARE(LiveCells(*Form), 6 + int(Placed.join(QString()).count(QLatin1Char('O'))));
        QCOMPARE(Probe.Generation(), 4);
        QCOMPARE(Probe.History().Stack().count(), 2);
        QCOMPARE(Probe.History().Stack().text(1), QStringLiteral("Plakken"));
        QVERIFY(Shown.isEmpty());
    }
}

void TstHistory::pasteFloatsUnderThePointer_data() {
    QTest::addColumn<qint32>("Zoom");
    QTest::addColumn<QString>("Turn");       // a menu item used while the pattern floats
    QTest::addColumn<int>("Finish");         // the button pressed, or 0 for Esc
    QTest::addColumn<QStringList>("Placed"); // from the pointer's cell on; empty: nothing changes
    const QStringList Ell = {"O..", "OOO"};
    QTest::newRow("click") << 100 << QString() << int(Qt::LeftButton) << Ell;
    QTest::newRow("click at 800% scrolled") << 800 << QString() << int(Qt::LeftButton) << Ell;
    QTest::newRow("click at 25%") << 25 << QString() << int(Qt::LeftButton) << Ell;
    QTest::newRow("rotated left") << 100 << "MenuRotateLeft" << int(Qt::LeftButton)
                                  << QStringList{".O", ".O", "OO"};
    QTest::newRow("rotated right")
        << 400 << "MenuRotateRight" << int(Qt::LeftButton) << QStringList{"OO", "O.", "O."};
    QTest::newRow("rotated 180") << 100 << "MenuRotate180" << int(Qt::LeftButton)
                                 << QStringList{"OOO", "..O"};
    QTest::newRow("mirrored") << 100 << "MenuFlipHorizontal" << int(Qt::LeftButton)
                              << QStringList{"..O", "OOO"};
    QTest::newRow("mirrored upside down")
        << 100 << "MenuFlipVertical" << int(Qt::LeftButton) << QStringList{"OOO", "O.."};
    QTest::newRow("Esc") << 100 << QString() << 0 << QStringList();
    QTest::newRow("right button") << 200 << "MenuRotateLeft" << int(Qt::RightButton)
                                  << QStringList();
}

// The pattern shows on screen where it floats, lands on the cell under the pointer when
// clicked, and a turn while it floats turns it alone; Esc or another button leave all as
// it was.
void TstHistory::pasteFloatsUnderThePointer() {
    QFETCH(qint32, Zoom);
    QFETCH(QString, Turn);
    QFETCH(int, Finish);
    QFETCH(QStringList, Placed);
    auto Form = CreateShownForm(320, 240, 1, 1, wmHorizontal, Zoom);
    TLifeFormProbe Probe(*Form);
    Form->activateWindow(); // Esc is a shortcut of the window
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    PlaceRows(*Form, 5, 5, Glider);
    Probe.SetGeneration(3);
    Form->DrawGeneration(true);
    Probe.WorldImage()->horizontalScrollBar()->setValue(
        Probe.WorldImage()->horizontalScrollBar()->maximum() / 3);
    Probe.History().Clear();
    const TWorldState Before = StateOf(*Form);
    const auto ScreenAt = [&Form, &Probe](const QPoint& Pixel) {
        return QColor::fromRgb(PixelAt(ShownOnScreen(*Form), Pixel.x(), Pixel.y()));
    };
    const QColor PasteColour = QColor::fromRgb(TLifeForm::PasteColour);
    QGuiApplication::clipboard()->setText(QStringLiteral("O..\nOOO"));

    Item(*Form, "MenuPaste")->trigger();
    const QSize Viewport = Probe.View().Viewport();
    const QPoint Middle(Viewport.width() / 2, Viewport.height() / 2);
    QTRY_COMPARE(ScreenAt(Middle), PasteColour);
    const QPoint Pointer(Viewport.width() / 5, Viewport.height() * 3 / 4);
    const QPoint Cell = Probe.View().CellAt(Pointer);
    QTest::mouseMove(Probe.Viewport(), QPoint(1, 1)); // a move to where the last one ended is none
    QTest::mouseMove(Probe.Viewport(), Pointer);
    QTRY_COMPARE(ScreenAt(Pointer), PasteColour);
    QTRY_VERIFY(ScreenAt(Middle) != PasteColour);
    if (!Turn.isEmpty())
        Item(*Form, qPrintable(Turn))->trigger();
    if (Finish == 0)
        QTest::keyClick(Form.get(), Qt::Key_Escape);
    else
        QTest::mouseClick(Probe.Viewport(), Qt::MouseButton(Finish), {}, Pointer);

    QCOMPARE(ReadRows(*Form, QRect(5, 5, 3, 3)), Glider);
    QCOMPARE(Probe.Generation(), 3);
    if (Placed.isEmpty()) {
        COMPARE_STATE(StateOf(*Form), Before);
        QCOMPARE(Probe.History().Stack().count(), 0);
    } else {
        QCOMPARE(ReadRows(*Form, QRect(Cell, QSize(Placed.first().size(), Placed.size()))), Placed);
        QCOMPARE(LiveCells(*Form), 9);
        QCOMPARE(Probe.History().Stack().count(), 1);
    }
    const QImage World = PictureOfView(
        Probe.View(), [&Probe](int X, int Y) { return Probe.Engine.State(X, Y) == 1; });
    QTRY_COMPARE(ShownOnScreen(*Form), WithGrid(World, Probe.View()));
}

// The history holds its last StepLimit steps, and the widest step stays within the bound
// that limit is worked out from.
void TstHistory::oldestStepsGoFirst() {
    auto Form = CreateShownForm(1280, 1024, 1, 1);
    TLifeFormProbe Probe(*Form);
    TWorldHistory& History = Probe.History();
    History.Clear();
    for (int Step = 0; Step < TWorldHistory::StepLimit + 3; ++Step)
        Form->WorldMouseDown(Qt::LeftButton, {}, Step % 1280, Step / 1280);
    QCOMPARE(History.Stack().count(), TWorldHistory::StepLimit);
    QCOMPARE(History.Stack().text(0), QStringLiteral("Cel[3,0]: Dood --> Levend"));

    History.Clear();
    for (int Y = 0; Y < 1024; ++Y) {
        for (int X = 0; X < 1280; ++X)
            Probe.Engine.SetCell(X, Y, 1);
    }
    History.Record(QStringLiteral("alles"));
    QCOMPARE(History.Stack().count(), 1);
    QVERIFY(History.StepBytes() > 1280 * 1024 / 8);
    QVERIFY(History.StepBytes() <= TWorldHistory::WorstStepBytes);
}

void TstHistory::copyPutsTheLiveCellsAsRle() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    QGuiApplication::clipboard()->setText(QStringLiteral("as it was"));
    Item(*Form, "MenuCopy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("as it was"));
    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Er leven geen cellen: er is niets gekopieerd."));

    PlaceRows(*Form, 30, 40, Glider);
    PlaceRows(*Form, 30, 45, {"OO"});
    Item(*Form, "MenuCopy")->trigger();
    QCOMPARE(
        QGuiApplication::clipboard()->text(),
        QStringLiteral("#C Conway's Game of Life\nx = 3, y = 6, rule = B3/S23\nbo$2bo$3o3$2o!\n"));
}

QTEST_MAIN(TstHistory)
#include "tst_history.moc"
