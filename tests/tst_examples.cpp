// The example patterns: each does what it is known to do, and the "&Voorbeelden" submenu
// lists the files it finds and opens one as "Spel openen" does.

#include "patterns/examples.h"
#include "patterns/lifelines.h"
#include "patterns/patternformats.h"
#include "tests/testhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <set>
#include <utility>

namespace {

// The examples beside the program in the build folder, where it finds them when run there.
const QString BuiltExamples = ExamplesFolder(QStringLiteral(QT_TESTCASE_BUILDDIR "/.."));

enum class TKind { Oscillator, Spaceship, Gun, Methuselah };

// What an example is known to do: an oscillator is back after Generations and not before; a
// spaceship is back after Generations, moved by Shift; a gun adds one glider of five cells
// each Generations; a methuselah has Population live cells at generation Generations. It
// is opened into World, with the file's top-left corner on At.
struct TKnown {
    TKind Kind = TKind::Oscillator;
    int Generations = 0;
    QPoint Shift;
    int Population = 0;
    QSize World;
    QPoint At;
};

const QSize DefaultWorld(320, 240);
const QSize LargestWorld(1280, 1024);

TKnown Oscillator(int Period, QSize World = DefaultWorld) {
    return {TKind::Oscillator, Period, {}, 0, World, {}};
}
TKnown Spaceship(int Period, QPoint Shift, QSize World = DefaultWorld) {
    return {TKind::Spaceship, Period, Shift, 0, World, {}};
}
TKnown Gun(int Period) {
    return {TKind::Gun, Period, {}, 0, DefaultWorld, {}};
}
TKnown Methuselah(int Generation, int Population, QSize World = DefaultWorld, QPoint At = {}) {
    return {TKind::Methuselah, Generation, {}, Population, World, At};
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
        // With its six gliders, which stay clear of the edges in the middle of the largest world.
        {"r-pentomino.rle", Methuselah(1103, 116, LargestWorld, {480, 400})},
        {"pi-heptomino.rle", Methuselah(173, 55)},
        {"diehard.rle", Methuselah(130, 0)},
        // Fills the world, blocks in its corners included; 120 = lcm(2, 3, 8, 15).
        {"oscillatortuin.rle", Oscillator(120, LargestWorld)},
        // Runs round the world, which wraps horizontally.
        {"ruimtevloot.rle", Spaceship(4, {2, 0}, LargestWorld)},
    };
    return Known;
}

using TCells = std::set<std::pair<int, int>>;

// Every example has a block in its top-left corner, which keeps the pattern off the edges
// of the world where a file opens. The pattern's cells: the live cells but that block's;
// with a cell at (-1, -1), which no world has, when the block has gone.
TCells PatternCells(const TLifeEngine& Engine, QPoint At) {
    TCells Cells;
    Engine.ForEachLiveCell([&Cells](int X, int Y) { Cells.insert({X, Y}); });
    for (const QPoint Corner : {At, At + QPoint(1, 0), At + QPoint(0, 1), At + QPoint(1, 1)}) {
        if (Cells.erase({Corner.x(), Corner.y()}) == 0)
            Cells.insert({-1, -1});
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
    void exampleOpensAsSpelOpenen();
};

void TstExamples::examplesDoWhatTheyAreKnownFor_data() {
    QTest::addColumn<QString>("File");
    for (const QList<TExample>& Group : ExampleGroups()) {
        for (const TExample& Example : Group)
            QTest::newRow(Example.File) << QString::fromLatin1(Example.File);
    }
}

// Opened as the program opens it, in a world that wraps horizontally as the default one.
void TstExamples::examplesDoWhatTheyAreKnownFor() {
    QFETCH(QString, File);
    const auto Found = KnownBehaviour().find(File);
    QVERIFY2(Found != KnownBehaviour().end(), "no known behaviour for this example");
    const TKnown& Known = Found->second;
    QStringList Rows = ReadExample(QDir(BuiltExamples).filePath(File));
    QVERIFY2(!Rows.isEmpty(), "not beside the program in the build folder, or not RLE");
    QVERIFY(Rows.size() <= Known.World.height() && Rows.first().size() <= Known.World.width());
    for (QString& Row : Rows)
        Row.prepend(QString(Known.At.x(), QLatin1Char('.')));
    for (int Y = 0; Y < Known.At.y(); ++Y)
        Rows.prepend(QString());

    auto Engine = std::make_unique<TLifeEngine>();
    Engine->SetSize(Known.World.width(), Known.World.height());
    QCOMPARE(Engine->Wrapping(), wmHorizontal);
    PlaceLifeLines(Rows, *Engine);
    const auto Pattern = [&] {
        return PatternCells(*Engine, Known.At);
    };
    const TCells Start = Pattern();
    QVERIFY(!Start.empty());

    switch (Known.Kind) {
    case TKind::Oscillator:
        for (int G = 1; G < Known.Generations; ++G) {
            Step(*Engine, 1);
            if (Known.Generations % G == 0)
                QVERIFY2(Pattern() != Start, qPrintable(QString("back at %1").arg(G)));
        }
        Step(*Engine, 1);
        QVERIFY(Pattern() == Start);
        break;
    case TKind::Spaceship:
        Step(*Engine, Known.Generations);
        QVERIFY(Pattern() == Shifted(Start, Known.Shift, Known.World.width()));
        break;
    case TKind::Gun: {
        // After its first glider has left it, while the gliders are still far from the edges.
        Step(*Engine, Known.Generations);
        const int Before = int(Pattern().size());
        for (int Period = 1; Period <= 2; ++Period) {
            Step(*Engine, Known.Generations);
            QCOMPARE(int(Pattern().size()), Before + 5 * Period);
        }
        QVERIFY(ClearOfEdges(Pattern(), *Engine, 10));
        break;
    }
    case TKind::Methuselah:
        Step(*Engine, Known.Generations);
        QCOMPARE(int(Pattern().size()), Known.Population);
        QVERIFY(ClearOfEdges(Pattern(), *Engine, 10));
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

// The same run and world, once with an example and once with "Spel openen" of its file.
void TstExamples::exampleOpensAsSpelOpenen() {
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
    const QList<QAction*> Items = ExamplesMenu(*Forms[0])->actions();
    const auto Glider = std::find_if(Items.begin(), Items.end(), [](const QAction* Item) {
        return Item->text() == QStringLiteral("&Zweefvlieger");
    });
    QVERIFY(Glider != Items.end());
    (*Glider)->trigger();

    AnswerNextModal([Path](QWidget* Modal) {
        auto* Dialog = qobject_cast<QFileDialog*>(Modal);
        QVERIFY(Dialog);
        Dialog->selectFile(Path);
        static_cast<QDialog*>(Dialog)->accept();
    });
    Forms[1]->findChild<QAction*>(QStringLiteral("MenuOpenGame"))->trigger();

    for (auto& Form : Forms) {
        TLifeFormProbe Probe(*Form);
        QVERIFY(!Probe.Running);
        QVERIFY(!Probe.WorldTimer()->isActive());
        QCOMPARE(Probe.Generation(), 0);
        QCOMPARE(ReadRows(*Form, QRect(0, 0, 2, 2)), QStringList({"OO", "OO"}));
        QCOMPARE(ReadRows(*Form, QRect(158, 118, 3, 3)), QStringList({".O.", "..O", "OOO"}));
        QCOMPARE(LiveCells(*Form), 9);
        QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 0"));
    }
    QCOMPARE(TLifeFormProbe(*Forms[0]).WorldImage()->Picture(),
             TLifeFormProbe(*Forms[1]).WorldImage()->Picture());

    // And both are undone alike, back to the world before.
    for (auto& Form : Forms) {
        Form->UpdateMenu();
        auto* Undo = Form->findChild<QAction*>(QStringLiteral("MenuUndo"));
        QCOMPARE(Undo->text(), QStringLiteral("&Ongedaan maken: Spel openen"));
        Undo->trigger();
        QCOMPARE(ReadRows(*Form, QRect(50, 60, 3, 1)), QStringList{"OOO"});
        QCOMPARE(LiveCells(*Form), 3);
    }
}

QTEST_MAIN(TstExamples)
#include "tst_examples.moc"
