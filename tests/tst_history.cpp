// Undo and redo of every change of the cells, and patterns through the clipboard.

#include "settings/uoptionsdlg.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
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
    void pasteOpensAsAFileDoes_data();
    void pasteOpensAsAFileDoes();
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

void TstHistory::pasteOpensAsAFileDoes_data() {
    QTest::addColumn<QString>("Text");
    QTest::addColumn<bool>("FromFile");
    QTest::addColumn<QStringList>("Placed"); // empty: refused, nothing changes
    QTest::addColumn<QString>("Message");
    QTest::newRow("rle") << "#C two rows\nx = 3, y = 2, rule = B3/S23\nobo$3o!" << false
                         << QStringList{"O.O", "OOO"} << QString();
    QTest::newRow("wiki plaintext") << "!Name: steps\r\n.O\r\nOO\r\n"
                                    << false << QStringList{".O", "OO"} << QString();
    QTest::newRow("own format") << "!Naam:glider!\r\n.O.\r\n..O\r\nOOO\r\n"
                                << false << Glider << QString();
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
    QTest::newRow("file of rle after a byte-order mark")
        << QStringLiteral("\uFEFFx = 3, y = 3\nbo$2bo$3o!\n") << true << Glider << QString();
    QTest::newRow("file of wiki plaintext after a byte-order mark")
        << QStringLiteral("\uFEFF!Name: Glider\n!Author: o o\n.O.\n..O\nOOO\n") << true << Glider
        << QString();
    QTest::newRow("no text") << QString() << false << QStringList()
                             << "Het klembord bevat geen tekst: er is niets geplakt.";
    QTest::newRow("file of another rule")
        << "x = 1, y = 1, rule = B36/S23\no!" << true << QStringList() << "B36/S23";
}

// Pasted text lands as an opened file does; a refusal keeps the world and the history.
void TstHistory::pasteOpensAsAFileDoes() {
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
    if (Placed.isEmpty() && !Text.isEmpty())
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

    if (Placed.isEmpty()) {
        COMPARE_STATE(StateOf(*Form), Before);
        QCOMPARE(Probe.History().Stack().count(), 1);
        QVERIFY2((Text.isEmpty() ? Probe.Panel(1)->text() : Shown).contains(Message),
                 qPrintable(Shown));
    } else {
        QCOMPARE(ReadRows(*Form, QRect(0, 0, Placed.first().size(), Placed.size())), Placed);
        QCOMPARE(LiveCells(*Form), int(Placed.join(QString()).count(QLatin1Char('O'))));
        QCOMPARE(Probe.Generation(), 0);
        QCOMPARE(Probe.History().Stack().count(), 2);
        QVERIFY(Shown.isEmpty());
    }
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
