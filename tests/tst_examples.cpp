// The example patterns: each does what it is known to do, and the "&Voorbeelden" submenu
// lists the files it finds and opens one as "Spel openen" does.

#include "patterns/examples.h"
#include "patterns/lifelines.h"
#include "patterns/patternformats.h"
#include "tests/testhelpers.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace {

// The examples beside the program in the build folder, where it finds them when run there.
const QString BuiltExamples = ExamplesFolder(QStringLiteral(QT_TESTCASE_BUILDDIR "/.."));

enum class TKind { Oscillator, Spaceship, Gun, Methuselah };

// What an example is known to do, as its comment says: an oscillator is back after
// Generations and not before; a spaceship is back after Generations, moved by Shift; a gun
// adds one glider of five cells each Generations; a methuselah has Population live cells at
// generation Generations.
struct TKnown {
    TKind Kind = TKind::Oscillator;
    int Generations = 0;
    QPoint Shift;
    int Population = 0;
};

const QSize DefaultWorld(320, 240);

TKnown Oscillator(int Period) {
    return {TKind::Oscillator, Period, {}, 0};
}
TKnown Spaceship(int Period, QPoint Shift) {
    return {TKind::Spaceship, Period, Shift, 0};
}
TKnown Gun(int Period) {
    return {TKind::Gun, Period, {}, 0};
}
TKnown Methuselah(int Generation, int Population) {
    return {TKind::Methuselah, Generation, {}, Population};
}

const std::map<QString, TKnown>& KnownBehaviour() {
    static const std::map<QString, TKnown> Known = {
        {"blok.rle", Oscillator(1)},
        {"bijenkorf.rle", Oscillator(1)},
        {"knipperlicht.rle", Oscillator(2)},
        {"pad.rle", Oscillator(2)},
        {"baken.rle", Oscillator(2)},
        {"pulsar.rle", Oscillator(3)},
        {"pentadecathlon.rle", Oscillator(15)},
        {"melkweg.rle", Oscillator(8)},
        {"achtvorm.rle", Oscillator(8)},
        {"zweefvlieger.rle", Spaceship(4, {1, 1})},
        {"licht-ruimteschip.rle", Spaceship(4, {2, 0})},
        {"middelzwaar-ruimteschip.rle", Spaceship(4, {2, 0})},
        {"zwaar-ruimteschip.rle", Spaceship(4, {2, 0})},
        {"gosper-kanon.rle", Gun(30)},
        {"simkin-kanon.rle", Gun(120)},
        // With its six gliders, which stay clear of the edges of the world it asks for.
        {"r-pentomino.rle", Methuselah(1103, 116)},
        {"pi-heptomino.rle", Methuselah(173, 55)},
        {"diehard.rle", Methuselah(130, 0)},
        // 120 = lcm(2, 3, 8, 15).
        {"oscillatortuin.rle", Oscillator(120)},
        // Runs round the world, which wraps horizontally.
        {"ruimtevloot.rle", Spaceship(4, {2, 0})},
    };
    return Known;
}

using TCells = std::set<std::pair<int, int>>;

TCells LiveCellsOf(const TLifeEngine& Engine) {
    TCells Cells;
    Engine.ForEachLiveCell([&Cells](int X, int Y) { Cells.insert({X, Y}); });
    return Cells;
}

// The live cells of Rows with their top-left corner on At.
TCells RowCells(const QStringList& Rows, QPoint At) {
    TCells Cells;
    for (int Y = 0; Y < Rows.size(); ++Y) {
        for (int X = 0; X < Rows[Y].size(); ++X) {
            if (Rows[Y][X] == QLatin1Char('O'))
                Cells.insert({At.x() + X, At.y() + Y});
        }
    }
    return Cells;
}

TCells Shifted(const TCells& Cells, QPoint Shift, int Width) {
    TCells Moved;
    for (const auto& [X, Y] : Cells)
        Moved.insert({(X + Shift.x()) % Width, Y + Shift.y()});
    return Moved;
}

void Step(TLifeEngine& Engine, int Generations) {
    for (int G = 0; G < Generations; ++G)
        Engine.CalcNextGeneration();
}

// No cell within Margin cells of an edge, where the edges would have a say.
bool ClearOfEdges(const TCells& Cells, const TLifeEngine& Engine, int Margin) {
    return std::all_of(Cells.begin(), Cells.end(), [&](const std::pair<int, int>& Cell) {
        return Cell.first >= Margin && Cell.second >= Margin &&
               Cell.first < Engine.HorCells() - Margin && Cell.second < Engine.VertCells() - Margin;
    });
}

// The file's rows as the program reads them, when it is RLE.
QStringList ReadExample(const QString& Path) {
    const std::optional<QByteArray> Bytes = ReadLifeFile(Path);
    if (!Bytes || RecognisePatternFormat(*Bytes) != TPatternFormat::Rle)
        return {};
    const TPatternRows Rows = ReadPatternText(*Bytes);
    const auto* Read = std::get_if<QStringList>(&Rows);
    return Read ? *Read : QStringList();
}

QMenu* ExamplesMenu(TLifeForm& Form) {
    auto* Menu = Form.findChild<QMenu*>(QStringLiteral("MenuExamples"));
    if (!Menu)
        qFatal("no examples menu");
    return Menu;
}

// The item of the examples menu for File.
QAction* ExampleItem(TLifeForm& Form, const QString& File) {
    for (const QList<TExample>& Group : ExampleGroups()) {
        for (const TExample& Example : Group) {
            if (File != QLatin1String(Example.File))
                continue;
            for (QAction* Item : ExamplesMenu(Form)->actions()) {
                if (Item->text() == QLatin1String(Example.Caption))
                    return Item;
            }
        }
    }
    qFatal("no menu item for %s", qPrintable(File));
}

// Clicks the button captioned Caption of the next message box and keeps its text.
void AnswerQuestion(const QString& Caption, QString& Text) {
    AnswerNextModal([Caption, &Text](QWidget* Modal) {
        auto* Box = qobject_cast<QMessageBox*>(Modal);
        QVERIFY(Box);
        Text = Box->text();
        for (QAbstractButton* Button : Box->buttons()) {
            if (Button->text() == Caption)
                Button->click();
        }
    });
}

// The menu as its user sees it: the captions, "-" for a separator.
QStringList Captions(const QMenu& Menu) {
    QStringList Items;
    for (const QAction* Item : Menu.actions())
        Items << (Item->isSeparator() ? QStringLiteral("-") : Item->text());
    return Items;
}

} // namespace

class TstExamples : public QObject {
    Q_OBJECT

private slots:
    void examplesDoWhatTheyAreKnownFor_data();
    void examplesDoWhatTheyAreKnownFor();
    void submenuListsTheFilesFound_data();
    void submenuListsTheFilesFound();
    void exampleOpensAsSpelOpenenButCentred();
    void exampleAsksForTheWorldItNeeds_data();
    void exampleAsksForTheWorldItNeeds();
};

void TstExamples::examplesDoWhatTheyAreKnownFor_data() {
    QTest::addColumn<QString>("File");
    for (const QList<TExample>& Group : ExampleGroups()) {
        for (const TExample& Example : Group)
            QTest::newRow(Example.File) << QString::fromLatin1(Example.File);
    }
}

// Opened from the menu at the default settings, answering "Ja" where the example asks for
// a larger world: in the middle of the world, nothing but the pattern, and then as known.
void TstExamples::examplesDoWhatTheyAreKnownFor() {
    QFETCH(QString, File);
    const auto Found = KnownBehaviour().find(File);
    QVERIFY2(Found != KnownBehaviour().end(), "no known behaviour for this example");
    const TKnown& Known = Found->second;
    const QStringList Rows = ReadExample(QDir(BuiltExamples).filePath(File));
    QVERIFY2(!Rows.isEmpty(), "not beside the program in the build folder, or not RLE");
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Form->ListExamples(BuiltExamples);
    const QSize Needed = ExampleWorld(File);
    QString Question;
    if (Needed.isValid())
        AnswerQuestion(QStringLiteral("&Ja"), Question);
    ExampleItem(*Form, File)->trigger();

    QCOMPARE(Question.isEmpty(), !Needed.isValid());
    const QSize World = Needed.isValid() ? Needed : DefaultWorld;
    QCOMPARE(QSize(Probe.HorCells(), Probe.VertCells()), World);
    QCOMPARE(Probe.Wrapping(), wmHorizontal);
    TLifeEngine& Engine = Probe.Engine;
    const TCells Start = LiveCellsOf(Engine);
    const QPoint Middle((World.width() - int(Rows.first().size())) / 2,
                        (World.height() - int(Rows.size())) / 2);
    QCOMPARE(Start, RowCells(Rows, Middle));
    const auto Pattern = [&Engine] {
        return LiveCellsOf(Engine);
    };

    switch (Known.Kind) {
    case TKind::Oscillator:
        for (int G = 1; G < Known.Generations; ++G) {
            Step(Engine, 1);
            if (Known.Generations % G == 0)
                QVERIFY2(Pattern() != Start, qPrintable(QString("back at %1").arg(G)));
        }
        Step(Engine, 1);
        QVERIFY(Pattern() == Start);
        break;
    case TKind::Spaceship:
        Step(Engine, Known.Generations);
        QVERIFY(Pattern() == Shifted(Start, Known.Shift, World.width()));
        break;
    case TKind::Gun: {
        // After its first glider has left it, while the gliders are still far from the edges.
        Step(Engine, Known.Generations);
        const int Before = int(Pattern().size());
        for (int Period = 1; Period <= 2; ++Period) {
            Step(Engine, Known.Generations);
            QCOMPARE(int(Pattern().size()), Before + 5 * Period);
        }
        QVERIFY(ClearOfEdges(Pattern(), Engine, 10));
        break;
    }
    case TKind::Methuselah:
        Step(Engine, Known.Generations);
        QCOMPARE(int(Pattern().size()), Known.Population);
        QVERIFY(ClearOfEdges(Pattern(), Engine, 10));
        break;
    }
}

void TstExamples::submenuListsTheFilesFound_data() {
    QTest::addColumn<QStringList>("Files");
    QTest::addColumn<QStringList>("Expected");
    QTest::newRow("a kind without a file leaves no separator")
        << QStringList{"diehard.rle", "pad.rle", "gosper-kanon.rle"}
        << QStringList{"&Pad", "-", "&Gosper-kanon", "-", "&Diehard"};
    QTest::newRow("none: greyed") << QStringList() << QStringList();
    QTest::newRow("a folder of an example's name is no file")
        << QStringList{"blok.rle/"} << QStringList();
}

void TstExamples::submenuListsTheFilesFound() {
    QFETCH(QStringList, Files);
    QFETCH(QStringList, Expected);
    QTemporaryDir Folder;
    for (const QString& File : Files) {
        if (File.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(Folder.path()).mkdir(File));
        else
            QVERIFY(QFile::copy(QDir(BuiltExamples).filePath(File), Folder.filePath(File)));
    }
    auto Form = CreateForm();
    QMenu* Menu = ExamplesMenu(*Form);

    Form->ListExamples(Folder.path());

    QCOMPARE(Captions(*Menu), Expected);
    QCOMPARE(Menu->menuAction()->isEnabled(), !Expected.isEmpty());
    const QList<QAction*> Bestand =
        Form->findChild<QMenu*>(QStringLiteral("MenuBestand"))->actions();
    const qsizetype At = Bestand.indexOf(Menu->menuAction());
    QVERIFY(At > 0);
    QCOMPARE(Bestand[At - 1]->text(), QStringLiteral("Spel openen"));
}

// The same run and world, once with an example and once with "Spel openen" of its file: the
// example lands in the middle, the file in the corner, and both are undone alike.
void TstExamples::exampleOpensAsSpelOpenenButCentred() {
    const QString Path = QDir(BuiltExamples).filePath(QStringLiteral("zweefvlieger.rle"));
    std::array<std::unique_ptr<TLifeForm>, 2> Forms{CreateShownForm(), CreateShownForm()};
    Forms[0]->ListExamples(BuiltExamples);
    for (auto& Form : Forms) {
        TLifeFormProbe Probe(*Form);
        PlaceRows(*Form, 50, 60, {"OOO"});
        Probe.SetGeneration(9);
        Form->DrawGeneration(true);
        Probe.Running = true;
        Probe.WorldTimer()->start();
    }
    ExampleItem(*Forms[0], QStringLiteral("zweefvlieger.rle"))->trigger();

    AnswerNextModal([Path](QWidget* Modal) {
        auto* Dialog = qobject_cast<QFileDialog*>(Modal);
        QVERIFY(Dialog);
        Dialog->selectFile(Path);
        static_cast<QDialog*>(Dialog)->accept();
    });
    Forms[1]->findChild<QAction*>(QStringLiteral("MenuOpenGame"))->trigger();

    const std::array<QPoint, 2> Corners{QPoint(158, 118), QPoint(0, 0)};
    for (std::size_t I = 0; I < Forms.size(); ++I) {
        TLifeForm& Form = *Forms[I];
        TLifeFormProbe Probe(Form);
        QVERIFY(!Probe.Running);
        QVERIFY(!Probe.WorldTimer()->isActive());
        QCOMPARE(Probe.Generation(), 0);
        QCOMPARE(ReadRows(Form, QRect(Corners[I], QSize(3, 3))),
                 QStringList({".O.", "..O", "OOO"}));
        QCOMPARE(LiveCells(Form), 5);
        QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 0"));
        Form.UpdateMenu();
        auto* Undo = Form.findChild<QAction*>(QStringLiteral("MenuUndo"));
        QCOMPARE(Undo->text(), QStringLiteral("&Ongedaan maken: Spel openen"));
        Undo->trigger();
        QCOMPARE(ReadRows(Form, QRect(50, 60, 3, 1)), QStringList{"OOO"});
        QCOMPARE(LiveCells(Form), 3);
    }
}

void TstExamples::exampleAsksForTheWorldItNeeds_data() {
    QTest::addColumn<QString>("Answer");
    QTest::addColumn<QSize>("World");
    QTest::newRow("Ja: the world grows, one step of the history")
        << QStringLiteral("&Ja") << QSize(1280, 1024);
    QTest::newRow("Nee: opened cut") << QStringLiteral("&Nee") << QSize(320, 240);
}

void TstExamples::exampleAsksForTheWorldItNeeds() {
    QFETCH(QString, Answer);
    QFETCH(QSize, World);
    const QString File = QStringLiteral("oscillatortuin.rle");
    const QStringList Rows = ReadExample(QDir(BuiltExamples).filePath(File));
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Form->ListExamples(BuiltExamples);
    QString Question;
    AnswerQuestion(Answer, Question);
    ExampleItem(*Form, File)->trigger();

    QCOMPARE(Question, QStringLiteral("Dit voorbeeld heeft een wereld van 1280 x 1024 cellen "
                                      "nodig; deze wereld is 320 x 240 cellen.\n\nWilt u de "
                                      "wereld zo groot maken?"));
    QCOMPARE(QSize(Probe.HorCells(), Probe.VertCells()), World);
    const TCells Cut = RowCells(Rows.mid(0, World.height()),
                                QPoint(std::max(0, (World.width() - int(Rows.first().size())) / 2),
                                       std::max(0, (World.height() - int(Rows.size())) / 2)));
    const TCells Live = LiveCellsOf(Probe.Engine);
    QVERIFY(std::includes(Cut.begin(), Cut.end(), Live.begin(), Live.end()));
    QCOMPARE(Live.size() == Cut.size(), World.width() == 1280);
    QCOMPARE(Probe.SaveOptionsOnClose, World.width() == 1280);
    Form->UndoChange();
    if (World.width() == 1280) {
        QCOMPARE(LiveCells(*Form), 0);
        QCOMPARE(Probe.HorCells(), 1280);
        Form->UndoChange();
    }
    QCOMPARE(QSize(Probe.HorCells(), Probe.VertCells()), QSize(320, 240));
}

QTEST_MAIN(TstExamples)
#include "tst_examples.moc"
