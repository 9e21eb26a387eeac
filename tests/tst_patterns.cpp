// Drawing and keeping patterns: mouse edits, pattern files, transforms and the new game.

#include "app/errors.h"
#include "patterns/lifelines.h"
#include "tests/testhelpers.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <csignal>
#include <sys/resource.h>

namespace {

constexpr QRgb Live = TLifeForm::LiveColour;
constexpr QRgb Dead = TLifeForm::DeadColour;

const QStringList Glider = {".O.", "..O", "OOO"};

const QStringList GliderGun = {
    "........................O...........", "......................O.O...........",
    "............OO......OO............OO", "...........O...O....OO............OO",
    "OO........O.....O...OO..............", "OO........O...O.OO....O.O...........",
    "..........O.....O.......O...........", "...........O...O....................",
    "............OO......................",
};

QStringList WholeWorld(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    return ReadRows(Form, QRect(0, 0, Probe.HorCells(), Probe.VertCells()));
}

// Every in-use cell's PrevState equals its State, as after an edit, an open or a new game.
bool SnapshotEqualsState(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    for (int X = 0; X < Probe.HorCells(); ++X) {
        for (int Y = 0; Y < Probe.VertCells(); ++Y) {
            if (Probe.Engine.State(X, Y) != Probe.Engine.PrevState(X, Y))
                return false;
        }
    }
    return true;
}

QAction* Action(TLifeForm& Form, const char* Name) {
    auto* Item = Form.findChild<QAction*>(QLatin1String(Name));
    if (!Item)
        qFatal("no menu item %s", Name);
    return Item;
}

enum class TOverwrite { NotAsked, Confirmed };

// Answers the next file dialog as a user who picks Path and presses the accept button,
// confirming Qt's overwrite question when asked to. AfterAccept runs once the dialog has
// closed, before the command goes on with the path.
void ChooseFile(const QString& Path, std::function<void()> AfterAccept = {},
                TOverwrite Overwrite = TOverwrite::NotAsked);

// Presses Button of the next message box.
void PressInNextMessageBox(QMessageBox::StandardButton Button) {
    AnswerNextModal([Button](QWidget* Modal) {
        if (auto* Box = qobject_cast<QMessageBox*>(Modal))
            Box->button(Button)->click();
        else
            PressInNextMessageBox(Button);
    });
}

void ChooseFile(const QString& Path, std::function<void()> AfterAccept, TOverwrite Overwrite) {
    AnswerNextModal([=](QWidget* Modal) {
        auto* Dialog = qobject_cast<QFileDialog*>(Modal);
        if (!Dialog) {
            Modal->close();
            return;
        }
        Dialog->selectFile(Path);
        if (Overwrite == TOverwrite::Confirmed)
            PressInNextMessageBox(QMessageBox::Yes);
        // Through QDialog: QFileDialog::accept, which checks the name, is protected.
        static_cast<QDialog*>(Dialog)->accept();
        if (AfterAccept)
            AfterAccept();
    });
}

struct TShownMessage {
    QString Title;
    QString Text;
};

// Accepts the next message box and keeps its title and text in Shown.
void AcceptMessageInto(TShownMessage& Shown) {
    AcceptNextMessageBox([&Shown](const QString& Title, const QString& Text) {
        Shown = {Title, Text};
    });
}

void SaveThroughMenu(TLifeForm& Form, const QString& Path) {
    ChooseFile(Path);
    Action(Form, "MenuSaveGame")->trigger();
}

void OpenThroughMenu(TLifeForm& Form, const QString& Path) {
    ChooseFile(Path);
    Action(Form, "MenuOpenGame")->trigger();
}

// The texts the message panel is painted with, empty ones left out and each text once in
// a row, for the life of the object.
class TPaintedTexts : public QObject {
public:
    explicit TPaintedTexts(QLabel* Panel) : Panel(Panel) { Panel->installEventFilter(this); }
    QStringList Texts() const { return Seen; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched == Panel && Event->type() == QEvent::Paint && !Panel->text().isEmpty() &&
            (Seen.isEmpty() || Seen.constLast() != Panel->text()))
            Seen << Panel->text();
        return false;
    }

private:
    QLabel* Panel;
    QStringList Seen;
};

// Makes the world a running one as far as the commands can tell, timer included.
void StartRunning(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    Probe.Running = true;
    Probe.WorldTimer()->start();
}

// Drags Data from another program onto the picture with Shift held, which proposes a move,
// and drops it there, as the window system delivers them; the action the window took, or
// Qt::IgnoreAction.
Qt::DropAction DropOnPicture(TLifeForm& Form, const QMimeData& Data,
                             Qt::DropActions Offered = Qt::CopyAction | Qt::MoveAction) {
    const QPoint At = TLifeFormProbe(Form).WorldImage()->mapTo(&Form, QPoint(20, 20));
    QDragEnterEvent Enter(At, Offered, &Data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(Form.windowHandle(), &Enter);
    QDropEvent Drop(At, Offered, &Data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(Form.windowHandle(), &Drop);
    return Enter.isAccepted() && Drop.isAccepted() ? Drop.dropAction() : Qt::IgnoreAction;
}

std::unique_ptr<QMimeData> LocalFiles(const QStringList& Paths) {
    auto Data = std::make_unique<QMimeData>();
    QList<QUrl> Urls;
    for (const QString& Path : Paths)
        Urls << QUrl::fromLocalFile(Path);
    Data->setUrls(Urls);
    return Data;
}

// A scattered pattern that keeps Margin cells away from every edge.
void PlaceScattered(TLifeForm& Form, int Margin) {
    TLifeFormProbe Probe(Form);
    QRandomGenerator Random(20240611);
    for (int X = Margin; X < Probe.HorCells() - Margin; ++X) {
        for (int Y = Margin; Y < Probe.VertCells() - Margin; ++Y)
            Probe.Engine.SetCell(X, Y, Random.bounded(5) == 0 ? 1 : 0);
    }
}

// A form that is not shown: the transforms run on the cells alone, without a picture.
std::unique_ptr<TLifeForm> HiddenFormOfSize(int Width, int Height) {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Probe.SetHorCells(Width);
    Probe.SetVertCells(Height);
    Form->MakeConnections(false);
    return Form;
}

// Runs a transform named as in the data rows: "MoveLeft 10", "RotateLeft".
void Transform(TLifeForm& Form, const QString& Name) {
    using TMove = void (TLifeForm::*)(qint32);
    using TTurn = void (TLifeForm::*)();
    static const QHash<QString, TMove> Moves = {{"MoveLeft", &TLifeForm::MoveLeft},
                                                {"MoveRight", &TLifeForm::MoveRight},
                                                {"MoveUp", &TLifeForm::MoveUp},
                                                {"MoveDown", &TLifeForm::MoveDown}};
    static const QHash<QString, TTurn> Turns = {{"FlipHorizontal", &TLifeForm::FlipHorizontal},
                                                {"FlipVertical", &TLifeForm::FlipVertical},
                                                {"RotateLeft", &TLifeForm::RotateLeft},
                                                {"RotateRight", &TLifeForm::RotateRight},
                                                {"Rotate180", &TLifeForm::Rotate180}};
    const QStringList Words = Name.split(QLatin1Char(' '));
    if (const TMove Move = Moves.value(Words[0]))
        (Form.*Move)(Words.value(1).toInt());
    else if (const TTurn Turn = Turns.value(Words[0]))
        (Form.*Turn)();
    else
        qFatal("no transform %s", qPrintable(Name));
}

} // namespace

class TstPatterns : public QObject {
    Q_OBJECT

private slots:
    void pressEditsCellUnderPointer_data();
    void pressEditsCellUnderPointer();
    void secondPressRestoresDeadColour();
    void realClickOnPictureEdits();
    void shiftPressReportsWithoutEditing();
    void editIsSeenByNeighboursAndNextStep();
    void pressesIgnoredWhileRunning();

    void trimLifeLines_data();
    void trimLifeLines();
    void lineCursor_data();
    void lineCursor();
    void nameLine_data();
    void nameLine();
    void dialogsOfferTheFiltersInQtForm();

    void saveThenOpenRestoresPattern_data();
    void saveThenOpenRestoresPattern();
    void savedBytesFollowTheLayout_data();
    void savedBytesFollowTheLayout();
    void openReadsForeignFiles_data();
    void openReadsForeignFiles();
    void openSharedFormats_data();
    void openSharedFormats();
    void openRefusesBrokenFilesAndOtherRules_data();
    void openRefusesBrokenFilesAndOtherRules();
    void openReadsOnlyAsFarAsNeeded();
    void openClipsToTheWorld_data();
    void openClipsToTheWorld();
    void busyTextShowsWhileWorking_data();
    void busyTextShowsWhileWorking();
    void failedOpenLeavesWorldUntouched_data();
    void failedOpenLeavesWorldUntouched();
    void handedFileOpensAsSpelOpenen_data();
    void handedFileOpensAsSpelOpenen();
    void dropOfAnythingElseChangesNothing_data();
    void dropOfAnythingElseChangesNothing();
    void saveDialogRefusesMissingFolder();
    void saveIntoVanishedFolderSaysPathNotFound();
    void failedSaveKeepsExistingFile();
    void fileCommandsStopTheRunAlsoWhenCancelled_data();
    void fileCommandsStopTheRunAlsoWhenCancelled();
    void dialogsRememberLastChoice_data();
    void dialogsRememberLastChoice();
    void enterInFileNameLeavesNothingBehind_data();
    void enterInFileNameLeavesNothingBehind();
    void fileDialogsKeepNoSettings();
    void recentFilesListTheLastOpenedOrSaved();

    void transformMovesCell_data();
    void transformMovesCell();
    void inversePairsRestoreWorld_data();
    void inversePairsRestoreWorld();
    void transformRepaintsAndKeepsGeneration();
    void commandsRefusedWhileRunning_data();
    void commandsRefusedWhileRunning();

    void newGameDuringRunStopsAndEmpties();
};

// ---- Mouse editing

void TstPatterns::pressEditsCellUnderPointer_data() {
    QTest::addColumn<int>("CellSize");
    QTest::addColumn<int>("Button");
    QTest::addColumn<int>("Modifiers");
    QTest::addColumn<QPoint>("Pixel");
    QTest::addColumn<QPoint>("Cell");
    const int Left = Qt::LeftButton;
    const int None = Qt::NoModifier;
    QTest::newRow("1x1 cells, pixel (5, 9)") << 1 << Left << None << QPoint(5, 9) << QPoint(5, 9);
    QTest::newRow("1x1 cells, last cell")
        << 1 << Left << None << QPoint(319, 239) << QPoint(319, 239);
    QTest::newRow("2x2 cells, pixel (10, 18)")
        << 2 << Left << None << QPoint(10, 18) << QPoint(5, 9);
    QTest::newRow("2x2 cells, pixel (11, 19)")
        << 2 << Left << None << QPoint(11, 19) << QPoint(5, 9);
    QTest::newRow("2x2 cells, pixel (10, 19)")
        << 2 << Left << None << QPoint(10, 19) << QPoint(5, 9);
    QTest::newRow("2x2 cells, last pixel")
        << 2 << Left << None << QPoint(639, 479) << QPoint(319, 239);
    QTest::newRow("right button edits alike")
        << 1 << int(Qt::RightButton) << None << QPoint(7, 3) << QPoint(7, 3);
    QTest::newRow("middle button with Ctrl and Alt edits alike")
        << 1 << int(Qt::MiddleButton) << int(Qt::ControlModifier | Qt::AltModifier) << QPoint(7, 3)
        << QPoint(7, 3);
}

void TstPatterns::pressEditsCellUnderPointer() {
    QFETCH(int, CellSize);
    QFETCH(int, Button);
    QFETCH(int, Modifiers);
    QFETCH(QPoint, Pixel);
    QFETCH(QPoint, Cell);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.HorCellSize = Probe.VertCellSize = CellSize;
    Form->DrawEmptyWorld();
    Probe.SetGeneration(4);

    Form->WorldMouseDown(Qt::MouseButton(Button), Qt::KeyboardModifiers(Modifiers), Pixel.x(),
                         Pixel.y());

    QCOMPARE(LiveCells(*Form), 1);
    QCOMPARE(Probe.Engine.State(Cell.x(), Cell.y()), 1);
    QCOMPARE(Probe.Engine.PrevState(Cell.x(), Cell.y()), 1);
    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Cel[%1,%2]: Dood --> Levend").arg(Cell.x()).arg(Cell.y()));
    for (const QPoint Corner : {QPoint(0, 0), QPoint(CellSize - 1, CellSize - 1)}) {
        const QPoint Spot = Cell * CellSize + Corner;
        QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), Spot.x(), Spot.y()), Live);
    }
    QCOMPARE(Probe.Generation(), 4);
}

void TstPatterns::secondPressRestoresDeadColour() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 12, 7);
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("Cel[12,7]: Dood --> Levend"));
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 12, 7);
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("Cel[12,7]: Levend --> Dood"));
    QCOMPARE(LiveCells(*Form), 0);
    QCOMPARE(Probe.Engine.PrevState(12, 7), 0);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 12, 7), Dead);
}

void TstPatterns::realClickOnPictureEdits() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.HorCellSize = Probe.VertCellSize = 2;
    Form->DrawEmptyWorld();
    QTest::mouseClick(Probe.Viewport(), Qt::RightButton, Qt::NoModifier, QPoint(11, 19));
    QCOMPARE(ReadRows(*Form, QRect(4, 8, 3, 3)), QStringList({"...", ".O.", "..."}));
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("Cel[5,9]: Dood --> Levend"));
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 10, 18), Live);

    // A double click is two presses: the cell flips twice. Through the window, so that Qt
    // makes the double click from two clicks as it does for the window system's.
    QTest::mouseDClick(Form->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       Probe.WorldImage()->mapTo(Form.get(), QPoint(11, 19)));
    QCOMPARE(ReadRows(*Form, QRect(4, 8, 3, 3)), QStringList({"...", ".O.", "..."}));
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("Cel[5,9]: Dood --> Levend"));
}

void TstPatterns::shiftPressReportsWithoutEditing() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 4, 4, {"O.O", "...", "..."});
    Form->WorldMouseDown(Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, 5, 5);
    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Cel[5,5]: Buren = 2, Status = Dood, Vorige status = Dood"));
    QCOMPARE(LiveCells(*Form), 2);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 5, 5), Dead);
}

void TstPatterns::editIsSeenByNeighboursAndNextStep() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10);
    Form->WorldMouseDown(Qt::LeftButton, Qt::ShiftModifier, 10, 10);
    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Cel[10,10]: Buren = 0, Status = Levend, Vorige status = Levend"));

    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 11, 10);
    Form->WorldMouseDown(Qt::LeftButton, Qt::ShiftModifier, 11, 11);
    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Cel[11,11]: Buren = 2, Status = Dood, Vorige status = Dood"));

    // Three in a row: the next step turns the blinker, and the information then tells the
    // new state next to the previous one.
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 12, 10);
    Form->MenuOneStepClick();
    QCOMPARE(ReadRows(*Form, QRect(10, 9, 3, 3)), QStringList({".O.", ".O.", ".O."}));
    Form->WorldMouseDown(Qt::LeftButton, Qt::ShiftModifier, 10, 10);
    QCOMPARE(Probe.Panel(1)->text(),
             QStringLiteral("Cel[10,10]: Buren = 1, Status = Dood, Vorige status = Levend"));
}

void TstPatterns::pressesIgnoredWhileRunning() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, {"O"});
    Probe.Panel(1)->setText(QStringLiteral("vorige tekst"));
    Probe.Running = true;
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 0, 0);
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 1, 1);
    Form->WorldMouseDown(Qt::LeftButton, Qt::ShiftModifier, 1, 1);
    QCOMPARE(ReadRows(*Form, QRect(0, 0, 2, 2)), QStringList({"O.", ".."}));
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("vorige tekst"));
}

// ---- Lines

void TstPatterns::trimLifeLines_data() {
    QTest::addColumn<QStringList>("Lines");
    QTest::addColumn<QStringList>("Trimmed");
    QTest::newRow("empty list stays empty") << QStringList() << QStringList();
    QTest::newRow("only a name line") << QStringList{"!Naam:leeg!"} << QStringList();
    QTest::newRow("only dead lines") << QStringList{"...", "", ". x"} << QStringList();
    QTest::newRow("glider with margins")
        << QStringList{"!Naam:glider!", ".....", "..O..", "...O.", ".OOO.", "....."}
        << QStringList{".O.", "..O", "OOO"};
    QTest::newRow("every live character")
        << QStringList{"..*+0Oo..", "...X.1..."} << QStringList{"*+0Oo"};
    QTest::newRow("first # line dropped, a later one is a row")
        << QStringList{"#Life", "#o", "O.."} << QStringList{"#o", "O."};
    QTest::newRow("an empty first line is no comment") << QStringList{"", "!o"} << QStringList{"o"};
    QTest::newRow("three comment lines, no margin cut")
        << QStringList{"!Naam:x!", "!o", "!oo", "O.."} << QStringList{"!o", "!oo", "O.."};
    QTest::newRow("three comment lines, margin cut")
        << QStringList{"!Naam:x!", "!o co", "!oo"} << QStringList{"o co", "oo"};
    QTest::newRow("row shorter than left stays")
        << QStringList{"....O", "..", "....O"} << QStringList{"O", "..", "O"};
    QTest::newRow("left edge from a later row")
        << QStringList{"...O", ".O.."} << QStringList{"..O", "O.."};
    QTest::newRow("rows above and below dropped")
        << QStringList{"....", "..O.", "....", "...."} << QStringList{"O"};
    QTest::newRow("short rows keep their length")
        << QStringList{"O", "..O", ".O"} << QStringList{"O", "..O", ".O"};
}

void TstPatterns::trimLifeLines() {
    QFETCH(QStringList, Lines);
    QFETCH(QStringList, Trimmed);
    // An opened file is trimmed alike, straight from its bytes.
    QCOMPARE(PlainTextRows(Lines.join(QLatin1Char('\n')).toLatin1()), Trimmed);
    TLifeForm::TrimLifeLines(Lines);
    QCOMPARE(Lines, Trimmed);
}

void TstPatterns::lineCursor_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<QStringList>("Lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("last line without end") << QByteArray("ab") << QStringList{"ab"};
    QTest::newRow("end at the end starts no line") << QByteArray("ab\r\n") << QStringList{"ab"};
    QTest::newRow("lone LF") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"};
    QTest::newRow("lone CR") << QByteArray("a\r\rb\r") << QStringList{"a", "", "b"};
    QTest::newRow("CR LF") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("zero byte ends the text")
        << QByteArray("O.O\r\nOO") + '\0' + "O\r\nOOO" << QStringList{"O.O", "OO"};
    QTest::newRow("zero byte first") << QByteArray(1, '\0') + "O\r\n" << QStringList();
    QTest::newRow("8-bit characters") << QByteArray("\xe9\xff") << QStringList{"\u00e9\u00ff"};
}

void TstPatterns::lineCursor() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QStringList, Lines);
    QStringList Read;
    TLineCursor Cursor(Bytes);
    while (const std::optional<QByteArrayView> Line = Cursor.Next())
        Read << QString::fromLatin1(*Line);
    QCOMPARE(Read, Lines);
}

void TstPatterns::nameLine_data() {
    QTest::addColumn<QString>("Path");
    QTest::addColumn<QString>("Line");
    QTest::newRow("glider.life") << "/tmp/x/glider.life"
                                 << "!Naam:glider!";
    QTest::newRow("last extension only") << "/tmp/a.b.life"
                                         << "!Naam:a.b!";
    QTest::newRow("no extension") << "/tmp/glider"
                                  << "!Naam:glider!";
    QTest::newRow("dot in the folder only") << "/tmp/map.d/glider"
                                            << "!Naam:glider!";
    QTest::newRow("line break in the name") << "/tmp/a\nb.life"
                                            << "!Naam:a_b!";
}

void TstPatterns::nameLine() {
    QFETCH(QString, Path);
    QFETCH(QString, Line);
    QCOMPARE(NameLine(Path), Line);
}

void TstPatterns::dialogsOfferTheFiltersInQtForm() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    QCOMPARE(Probe.OpenDialog()->windowTitle(), QStringLiteral("Spel openen"));
    QCOMPARE(Probe.OpenDialog()->nameFilters(),
             QStringList({"life-bestanden (*.life *.lif)", "cell-bestanden (*.cells)",
                          "rle-bestanden (*.rle)", "mc-bestanden (*.mc)", "gzip-bestanden (*.gz)",
                          "alle bestanden (*)"}));
    QCOMPARE(Probe.OpenDialog()->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(Probe.SaveDialog()->windowTitle(), QStringLiteral("Spel opslaan"));
    QCOMPARE(Probe.SaveDialog()->nameFilters(),
             QStringList(
                 {"life-bestanden (*.life *.lif)", "RLE-bestanden (*.rle)", "alle bestanden (*)"}));
    QCOMPARE(Probe.SaveDialog()->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(Probe.SaveDialog()->defaultSuffix(), QStringLiteral("life"));
    QVERIFY(!Probe.SaveDialog()->testOption(QFileDialog::DontConfirmOverwrite));
}

// ---- Pattern files through the commands

namespace {

// The recent files' menu as its user sees it: the captions, "-" for a separator.
QStringList RecentCaptions(TLifeForm& Form) {
    QStringList Captions;
    for (const QAction* Item : Form.findChild<QMenu*>(QStringLiteral("MenuRecent"))->actions())
        Captions << (Item->isSeparator() ? QStringLiteral("-") : Item->text());
    return Captions;
}

} // namespace

// Newest first, each once, at most eight; a file that no longer opens leaves the list.
void TstPatterns::recentFilesListTheLastOpenedOrSaved() {
    QTemporaryDir Folder;
    const auto File = [&Folder](int N) {
        return Folder.filePath(QStringLiteral("p%1.life").arg(N));
    };
    const auto Item = [&File](int Number, int N) {
        return QStringLiteral("&%1 %2").arg(Number).arg(QDir::toNativeSeparators(File(N)));
    };
    auto Form = CreateShownForm();
    auto* Recent = Form->findChild<QMenu*>(QStringLiteral("MenuRecent"));
    const QList<QAction*> Bestand =
        Form->findChild<QMenu*>(QStringLiteral("MenuBestand"))->actions();
    QCOMPARE(
        Bestand.indexOf(Recent->menuAction()) - 1,
        Bestand.indexOf(Form->findChild<QMenu*>(QStringLiteral("MenuExamples"))->menuAction()));
    QVERIFY(!Recent->isEnabled());
    for (int N = 1; N <= 9; ++N) {
        WriteFile(File(N), "O\r\n");
        OpenThroughMenu(*Form, File(N));
    }
    OpenThroughMenu(*Form, File(5));
    SaveThroughMenu(*Form, File(10));
    QVERIFY(Recent->isEnabled());
    QCOMPARE(RecentCaptions(*Form),
             QStringList({Item(1, 10), Item(2, 5), Item(3, 9), Item(4, 8), Item(5, 7), Item(6, 6),
                          Item(7, 4), Item(8, 3), "-", "Lijst &wissen"}));

    QVERIFY(QFile::remove(File(7)));
    TShownMessage Shown;
    AcceptMessageInto(Shown);
    Recent->actions().at(4)->trigger();
    QCOMPARE(Shown.Text, QStringLiteral("Fout bij openen van bestand:\n%1\n\nBestand niet gevonden")
                             .arg(QDir::toNativeSeparators(File(7))));
    QCOMPARE(RecentCaptions(*Form).size(), 9);
    QVERIFY(!RecentCaptions(*Form).contains(Item(5, 7)));
    Recent->actions().at(3)->trigger();
    QCOMPARE(RecentCaptions(*Form).first(), Item(1, 8));
    QCOMPARE(LiveCells(*Form), 1);

    Recent->actions().last()->trigger();
    QVERIFY(RecentCaptions(*Form).isEmpty());
    QVERIFY(!Recent->isEnabled());
}

void TstPatterns::saveThenOpenRestoresPattern_data() {
    QTest::addColumn<QStringList>("Rows");
    QTest::addColumn<QPoint>("At");
    QTest::addColumn<QStringList>("Trimmed");
    QTest::addColumn<QString>("Name");
    const QString Life = QStringLiteral("patroon.life");
    const QString Rle = QStringLiteral("patroon.rle");
    QTest::newRow("glider") << Glider << QPoint(100, 50) << Glider << Life;
    QTest::newRow("glider gun") << GliderGun << QPoint(20, 30) << GliderGun << Life;
    QTest::newRow("touching the last column and row")
        << QStringList{"....O", "O....", "....O", "..O.O"} << QPoint(315, 236)
        << QStringList{"....O", "O....", "....O", "..O.O"} << Life;
    QTest::newRow("one cell in the last column")
        << QStringList{"O", ".", "O"} << QPoint(319, 100) << QStringList{"O", ".", "O"} << Life;
    QTest::newRow("margins of the rows are dropped")
        << QStringList{"......", "..O...", "......", "....O."} << QPoint(0, 0)
        << QStringList{"O..", "...", "..O"} << Life;
    QTest::newRow("glider gun as RLE") << GliderGun << QPoint(20, 30) << GliderGun << Rle;
    QTest::newRow("empty rows and columns as RLE")
        << QStringList{"O....O", "......", "......", "..O..."} << QPoint(300, 200)
        << QStringList{"O....O", "......", "......", "..O..."} << Rle;
}

void TstPatterns::saveThenOpenRestoresPattern() {
    QFETCH(QStringList, Rows);
    QFETCH(QPoint, At);
    QFETCH(QStringList, Trimmed);
    QFETCH(QString, Name);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(Name);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, At.x(), At.y(), Rows);
    Probe.SetGeneration(12);
    const QStringList Before = WholeWorld(*Form);

    SaveThroughMenu(*Form, Path);
    QCOMPARE(WholeWorld(*Form), Before);
    QCOMPARE(Probe.Generation(), 12);

    PlaceRows(*Form, 150, 150, GliderGun);
    StartRunning(*Form);
    OpenThroughMenu(*Form, Path);

    QCOMPARE(ReadRows(*Form, QRect(QPoint(0, 0), QSize(Trimmed[0].size(), Trimmed.size()))),
             Trimmed);
    QCOMPARE(LiveCells(*Form), Trimmed.join(QString()).count(QLatin1Char('O')));
    QVERIFY(SnapshotEqualsState(*Form));
    QCOMPARE(Probe.Generation(), 0);
    QVERIFY(!Probe.Running);
    QVERIFY(!Probe.WorldTimer()->isActive());
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 0"));
    QVERIFY(Probe.Panel(1)->text().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    for (int Y = 0; Y < Trimmed.size(); ++Y) {
        for (int X = 0; X < Trimmed[Y].size(); ++X) {
            const QRgb Expected = Trimmed[Y][X] == QLatin1Char('O') ? Live : Dead;
            QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), X, Y), Expected);
        }
    }
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 151, 154), Dead);
}

void TstPatterns::savedBytesFollowTheLayout_data() {
    QTest::addColumn<QStringList>("Rows");
    QTest::addColumn<QString>("Chosen");
    QTest::addColumn<QString>("Written");
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<QString>("Filter"); // the one chosen; empty keeps the first
    QTest::newRow("glider") << Glider << "glider.life"
                            << "glider.life" << QByteArray("!Naam:glider!\r\n.O.\r\n..O\r\nOOO\r\n")
                            << QString();
    QTest::newRow("empty world") << QStringList() << "leeg.life"
                                 << "leeg.life" << QByteArray("!Naam:leeg!\r\n") << QString();
    QTest::newRow("default extension added")
        << QStringList{"O"} << "cel"
        << "cel.life" << QByteArray("!Naam:cel!\r\nO\r\n") << QString();
    QTest::newRow("only the last extension dropped")
        << QStringList{"OO"} << "a.b.life"
        << "a.b.life" << QByteArray("!Naam:a.b!\r\nOO\r\n") << QString();
    QTest::newRow("other extension kept on the file")
        << QStringList{"O"} << "blok.cells"
        << "blok.cells" << QByteArray("!Naam:blok!\r\nO\r\n") << QString();
    QTest::newRow("name outside ASCII as UTF-8")
        << QStringList{"O"} << QString::fromUtf8("caf\u00e9.life")
        << QString::fromUtf8("caf\u00e9.life") << QByteArray("!Naam:caf\xc3\xa9!\r\nO\r\n")
        << QString();
    const QString Rle = QStringLiteral("RLE-bestanden (*.rle)");
    QTest::newRow("RLE by the extension")
        << Glider << "glider.rle"
        << "glider.rle" << QByteArray("#N glider\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n")
        << QString();
    QTest::newRow("RLE by the extension in capitals")
        << QStringList{"OO"} << "BLOK.RLE"
        << "BLOK.RLE" << QByteArray("#N BLOK\nx = 2, y = 1, rule = B3/S23\n2o!\n") << QString();
    QTest::newRow("RLE by the filter, its extension added")
        << QStringList{"O.O"} << "cel"
        << "cel.rle" << QByteArray("#N cel\nx = 3, y = 1, rule = B3/S23\nobo!\n") << Rle;
    QTest::newRow("RLE filter, another extension typed keeps the program's layout")
        << QStringList{"O"} << "cel.life"
        << "cel.life" << QByteArray("!Naam:cel!\r\nO\r\n") << Rle;
    QTest::newRow("all files: the first filter's extension")
        << QStringList{"O"} << "cel"
        << "cel.life" << QByteArray("!Naam:cel!\r\nO\r\n") << "alle bestanden (*)";
    QTest::newRow("empty world as RLE")
        << QStringList() << "leeg.rle"
        << "leeg.rle" << QByteArray("#N leeg\nx = 0, y = 0, rule = B3/S23\n!\n") << QString();
}

void TstPatterns::savedBytesFollowTheLayout() {
    QFETCH(QStringList, Rows);
    QFETCH(QString, Chosen);
    QFETCH(QString, Written);
    QFETCH(QByteArray, Bytes);
    QFETCH(QString, Filter);
    QTemporaryDir Folder;
    auto Form = CreateShownForm();
    PlaceRows(*Form, 200, 100, Rows);
    QFileDialog* Dialog = TLifeFormProbe(*Form).SaveDialog();
    Dialog->selectNameFilter(Filter.isEmpty() ? Dialog->nameFilters().first() : Filter);
    SaveThroughMenu(*Form, Folder.filePath(Chosen));
    QCOMPARE(FileBytes(Folder.filePath(Written)), Bytes);
    QCOMPARE(QDir(Folder.path()).entryList(QDir::Files), QStringList{Written});
}

void TstPatterns::openReadsForeignFiles_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<QStringList>("Expected");
    const QStringList GliderAt00 = Glider;
    QTest::newRow("CR LF") << QByteArray("!Naam:g!\r\n.O.\r\n..O\r\nOOO\r\n") << GliderAt00;
    QTest::newRow("LF only") << QByteArray("!Naam:g!\n.O.\n..O\nOOO\n") << GliderAt00;
    QTest::newRow("CR only") << QByteArray("!Naam:g!\r.O.\r..O\rOOO") << GliderAt00;
    QTest::newRow("no name line") << QByteArray(".O.\r\n..O\r\nOOO") << GliderAt00;
    QTest::newRow("star and o as live") << QByteArray("#C x\n.*.\n..o\n+0O\n") << GliderAt00;
    QTest::newRow("other characters are dead")
        << QByteArray("\tX O\r\n1 Q.\r\n") << QStringList{"O.", ".."};
    QTest::newRow("short lines padded with dead cells")
        << QByteArray("O\r\n..O\r\n.O") << QStringList{"O..", "..O", ".O."};
    QTest::newRow("later ! line is a row")
        << QByteArray("!c\r\n..O\r\n!oo\r\n") << QStringList{".O", "OO"};
    QTest::newRow("three comment lines, second not placed")
        << QByteArray("!Naam:x!\r\n!o\r\n!oo\r\nO..\r\n") << QStringList{"...", ".OO", "O.."};
    QTest::newRow("three comment lines, second placed after its margin")
        << QByteArray("!Naam:x!\r\n!o co\r\n!oo\r\n") << QStringList{"O..O", "OO.."};
    QTest::newRow("zero byte ends the text")
        << QByteArray(".O.\r\n..O\r\nOOO\r\n") + '\0' + "OOOO\r\nOOOO" << GliderAt00;
    QByteArray Binary;
    for (int Byte = 1; Byte < 256; ++Byte)
        Binary += char(Byte);
    // Lines break at bytes 10 and 13; the third line holds "*+" at columns 29 and 30, "0"
    // at 35, "O" at 66 and "o" at 98.
    QString BinaryRow(70, QLatin1Char('.'));
    for (const int Column : {0, 1, 6, 37, 69})
        BinaryRow[Column] = QLatin1Char('O');
    QTest::newRow("binary bytes without a zero") << Binary << QStringList{BinaryRow};
    QTest::newRow("#Life alone is a comment line")
        << QByteArray("#Life\r\n.O.\r\n..O\r\nOOO\r\n") << GliderAt00;
    QTest::newRow("#Life of another version is a comment line")
        << QByteArray("#Life 1.07\n.O.\n..O\nOOO\n") << GliderAt00;
    QTest::newRow("x = in the first comment line")
        << QByteArray("#C x = 3, y = 3, rule = B3/S23\n.O.\n..O\nOOO\n") << GliderAt00;
    QTest::newRow("x = after a ! line is a row")
        << QByteArray("!Naam:x!\r\nx = 1, y = 1\r\n2o!\r\n") << QStringList{"O."};
    QTest::newRow("empty file") << QByteArray() << QStringList{"..."};
    QTest::newRow("only comments") << QByteArray("#a\r\n#b\r\n") << QStringList{"..."};
    QTest::newRow("name line only") << QByteArray("!Naam:leeg!\r\n") << QStringList{"..."};
    // Near misses of the wiki's plaintext read as before: only the first line is dropped,
    // and the letter o of the second line is a live cell.
    QTest::newRow("!name: in lower case")
        << QByteArray("!name: x\n!o\n.O\n") << QStringList{"O", "O"};
    QTest::newRow("! Name: with a blank")
        << QByteArray("! Name: x\n!o\n.O\n") << QStringList{"O", "O"};
    QTest::newRow("the program's own !Naam:")
        << QByteArray("!Naam:x!\n!o\n.O\n") << QStringList{"O", "O"};
    QTest::newRow("!Name: reads every ! line as a comment")
        << QByteArray("!Name: x\n!o\n.O\n!oo\n") << QStringList{"O"};
}

void TstPatterns::openReadsForeignFiles() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QStringList, Expected);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("vreemd.lif"));
    WriteFile(Path, Bytes);
    auto Form = CreateShownForm();
    PlaceRows(*Form, 50, 50, Glider);
    OpenThroughMenu(*Form, Path);
    QCOMPARE(ReadRows(*Form, QRect(QPoint(0, 0), QSize(Expected[0].size(), Expected.size()))),
             Expected);
    QCOMPARE(LiveCells(*Form), Expected.join(QString()).count(QLatin1Char('O')));
    QVERIFY(SnapshotEqualsState(*Form));
}

void TstPatterns::openSharedFormats_data() {
    QTest::addColumn<QString>("Shared");
    QTest::addColumn<QString>("Own");
    for (const char* Pattern : {"glider", "acorn", "gosper-gun"}) {
        const QString Own = QString::fromLatin1(Pattern) + QStringLiteral(".life");
        for (const char* Format : {"-105.lif", "-106.lif", ".rle", ".cells", ".mc"}) {
            const QString Shared = QString::fromLatin1(Pattern) + QString::fromLatin1(Format);
            QTest::newRow(qPrintable(Shared)) << Shared << Own;
        }
    }
    QTest::newRow("glider-bare-p.lif") << "glider-bare-p.lif"
                                       << "glider.life";
    QTest::newRow("gosper-gun-broken-lines.rle") << "gosper-gun-broken-lines.rle"
                                                 << "gosper-gun.life";
    // gzip files are inflated, then recognised as every other file is.
    for (const char* Packed :
         {"glider.rle.gz", "acorn.mc.gz", "gosper-gun.cells.gz", "gosper-gun.rle.gz"}) {
        const QString Shared = QString::fromLatin1(Packed);
        QTest::newRow(Packed) << Shared << Shared.section(QLatin1Char('.'), 0, 0) + ".life";
    }
}

// Each shared file holds the same pattern as a file in the program's own layout, with
// descriptions full of o, O and 0, and blocks or cells at negative coordinates or, in
// macrocell, away from the tree's corner.
void TstPatterns::openSharedFormats() {
    QFETCH(QString, Shared);
    QFETCH(QString, Own);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    OpenThroughMenu(*Form, QFINDTESTDATA(QStringLiteral("data/") + Own));
    const QStringList Expected = WholeWorld(*Form);
    const QImage ExpectedPicture = Probe.WorldImage()->Picture().copy();
    QVERIFY(LiveCells(*Form) >= 5);

    PlaceRows(*Form, 200, 100, Glider);
    Probe.SetGeneration(9);
    StartRunning(*Form);
    OpenThroughMenu(*Form, QFINDTESTDATA(QStringLiteral("data/") + Shared));

    QCOMPARE(WholeWorld(*Form), Expected);
    QVERIFY(SnapshotEqualsState(*Form));
    QCOMPARE(Probe.WorldImage()->Picture(), ExpectedPicture);
    QCOMPARE(Probe.Generation(), 0);
    QVERIFY(!Probe.Running);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 0"));
}

void TstPatterns::openRefusesBrokenFilesAndOtherRules_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<QString>("Reason"); // after the open error and the name
    const auto RuleLine = [](const QString& Rule) {
        return QStringLiteral("Dit bestand gebruikt de regel %1; dit programma speelt "
                              "alleen B3/S23.")
            .arg(Rule);
    };
    const auto Breaks = [](const char* Format) {
        return QStringLiteral("De inhoud volgt de regels van het formaat %1 niet.")
            .arg(QLatin1String(Format));
    };
    const QString BrokenGzip = QStringLiteral("Het gzip-bestand is beschadigd of onvolledig.");
    QTest::newRow("RLE with HighLife's rule")
        << QByteArray("#N Replicator\nx = 5, y = 5, rule = B36/S23\n2b3o$bo2bo$o3bo$o2bo$3o!\n")
        << RuleLine("B36/S23");
    QTest::newRow("Life 1.05 with another #R rule")
        << QByteArray("#Life 1.05\n#R 34/34\n#P 0 0\n**\n") << RuleLine("34/34");
    QTest::newRow("a long rule is cut short")
        << QByteArray("x = 1, y = 1, rule = B3/S23/") + QByteArray(60, 'X') + "\no!"
        << RuleLine(QStringLiteral("B3/S23/") + QString(33, QLatin1Char('X')) +
                    QStringLiteral("..."));
    QTest::newRow("RLE run count 0") << QByteArray("x = 3, y = 1\n0b3o!") << Breaks("RLE");
    QTest::newRow("Life 1.05 #P with a fraction")
        << QByteArray("#Life 1.05\n#P 0.5 0\n**\n") << Breaks("Life 1.05");
    QTest::newRow("Life 1.06 line of three numbers")
        << QByteArray("#Life 1.06\n0 0\n1 1 1\n") << Breaks("Life 1.06");
    QTest::newRow("macrocell with HighLife's rule")
        << QByteArray("[M2] (golly 4.2)\n#R B36/S23\n.*$..*$***$\n") << RuleLine("B36/S23");
    QTest::newRow("macrocell with a node not defined yet")
        << QByteArray("[M2]\n.*$..*$***$\n4 1 0 0 2\n") << Breaks("macrocell");
    const QByteArray Glider("x = 3, y = 3\nbo$2bo$3o!\n");
    QTest::newRow("gzip of an RLE with HighLife's rule")
        << GzipBytes("x = 3, y = 3, rule = B36/S23\nbo$2bo$3o!\n") << RuleLine("B36/S23");
    QTest::newRow("gzip cut short") << GzipBytes(Glider).chopped(5) << BrokenGzip;
    QByteArray WrongSum = GzipBytes(Glider);
    WrongSum.replace(WrongSum.size() - 8, 4, QByteArray(4, '\x55'));
    QTest::newRow("gzip with a wrong checksum") << WrongSum << BrokenGzip;
    QTest::newRow("gzip inflating beyond 8 MB")
        << GzipBytes(QByteArray(PatternFileMaxBytes + 1, 'o'))
        << "De inhoud is uitgepakt groter dan 8 MB.";
    QTest::newRow("gzip inflating to zero bytes beyond 8 MB")
        << GzipBytes(QByteArray(PatternFileMaxBytes + 1, '\0'))
        << "De inhoud is uitgepakt groter dan 8 MB.";
    QTest::newRow("zero bytes beyond 8 MB")
        << QByteArray(PatternFileMaxBytes + 1, '\0') << "De inhoud is groter dan 8 MB.";
}

// Nothing changes: the cells, Generation and the picture stay as they were.
void TstPatterns::openRefusesBrokenFilesAndOtherRules() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QString, Reason);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("gedeeld.rle"));
    WriteFile(Path, Bytes);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 30, 40, Glider);
    Probe.SetGeneration(7);
    Form->DrawGeneration(true);
    const QStringList Before = WholeWorld(*Form);
    const QImage PictureBefore = Probe.WorldImage()->Picture().copy();
    const TPaintedTexts Painted(Probe.Panel(1));

    TShownMessage Shown;
    ChooseFile(Path, [&] { AcceptMessageInto(Shown); });
    Action(*Form, "MenuOpenGame")->trigger();

    QCOMPARE(Shown.Title, QStringLiteral("Fout"));
    QCOMPARE(Shown.Text, QStringLiteral("Fout bij openen van bestand:\n") +
                             QDir::toNativeSeparators(Path) + "\n\n" + Reason);
    QCOMPARE(WholeWorld(*Form), Before);
    QCOMPARE(Probe.Generation(), 7);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 7"));
    QCOMPARE(Probe.WorldImage()->Picture(), PictureBefore);
    QVERIFY(Probe.Panel(1)->text().isEmpty());
    QCOMPARE(Painted.Texts(), QStringList()); // nothing is drawn, so no drawing is announced
    QVERIFY(!QApplication::overrideCursor());
}

// A file of 4 GB, all zero bytes after a glider: sparse, so no disk space is used. It is
// refused once 8 MB have been read, the world kept, without reading on to its end.
void TstPatterns::openReadsOnlyAsFarAsNeeded() {
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("lang.life"));
    WriteFile(Path, "!Naam:lang!\r\n.O.\r\n..O\r\nOOO\r\n");
    QVERIFY(QFile(Path).resize(qint64(4) << 30));
    auto Form = CreateShownForm();
    PlaceRows(*Form, 30, 40, Glider);
    Form->DrawGeneration(true);
    TShownMessage Shown;
    ChooseFile(Path, [&] { AcceptMessageInto(Shown); });
    Action(*Form, "MenuOpenGame")->trigger();
    QVERIFY(Shown.Text.endsWith(QStringLiteral("\n\nDe inhoud is groter dan 8 MB.")));
    QCOMPARE(ReadRows(*Form, QRect(30, 40, 3, 3)), Glider);
    QCOMPARE(LiveCells(*Form), 5);
}

void TstPatterns::openClipsToTheWorld_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QByteArray Plain = QByteArray(400, 'O') + "\r\n";
    for (int Row = 1; Row < 300; ++Row)
        Plain += "O\n";
    QTest::newRow("plain text") << Plain;
    QByteArray Rle("x = 400, y = 300\n400o$");
    for (int Row = 1; Row < 300; ++Row)
        Rle += "o$";
    QTest::newRow("RLE") << Rle + "!";
}

// A pattern of 400 x 300 cells in a world of 320 x 240: what lies beyond the edges is
// dropped, not kept out of sight, so a larger world shows it dead.
void TstPatterns::openClipsToTheWorld() {
    QFETCH(QByteArray, Bytes);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("groot.cells"));
    WriteFile(Path, Bytes);
    auto Form = CreateShownForm();
    OpenThroughMenu(*Form, Path);
    QCOMPARE(ReadRows(*Form, QRect(0, 0, 320, 1)), QStringList{QString(320, QLatin1Char('O'))});
    QCOMPARE(ReadRows(*Form, QRect(0, 239, 2, 1)), QStringList{"O."});
    QCOMPARE(LiveCells(*Form), 320 + 239);
    QCOMPARE(LiveCellsOutsideWorld(*Form), 0);

    Form->ResizeTheWorld(400, 300, 1, 1);
    QCOMPARE(ReadRows(*Form, QRect(320, 0, 80, 1)), QStringList{QString(80, QLatin1Char('.'))});
    QCOMPARE(ReadRows(*Form, QRect(0, 240, 1, 60)), QStringList(60, QStringLiteral(".")));
    QCOMPARE(LiveCells(*Form), 320 + 239);
}

void TstPatterns::busyTextShowsWhileWorking_data() {
    QTest::addColumn<QSize>("World");
    QTest::addColumn<QString>("Command");
    QTest::addColumn<QString>("Text");
    const QSize Default(320, 240);
    QTest::newRow("save") << Default << "MenuSaveGame"
                          << "Bezig 320 x 240  cellen te verwerken...";
    QTest::newRow("save at 400 x 300") << QSize(400, 300) << "MenuSaveGame"
                                       << "Bezig 400 x 300  cellen te verwerken...";
    QTest::newRow("open") << Default << "MenuOpenGame"
                          << "Bezig met tekenen van 320 x 240 celllen...";
    QTest::newRow("new game") << Default << "MenuNewGame"
                              << "Bezig met legen en tekenen van 320 x 240 celllen...";
    QTest::newRow("new game at 640 x 480") << QSize(640, 480) << "MenuNewGame"
                                           << "Bezig met legen en tekenen van 640 x 480 celllen...";
}

// The message panel is watched as it is painted while the command works: the user sees the
// busy text and no other, and it is gone once the command is done.
void TstPatterns::busyTextShowsWhileWorking() {
    QFETCH(QSize, World);
    QFETCH(QString, Command);
    QFETCH(QString, Text);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("glider.life"));
    WriteFile(Path, "!Naam:glider!\r\n.O.\r\n..O\r\nOOO\r\n");
    auto Form = CreateShownForm(World.width(), World.height(), 1, 1);
    Form->DrawEmptyWorld();
    TLifeFormProbe Probe(*Form);
    TPaintedTexts Painted(Probe.Panel(1));
    if (Command == QLatin1String("MenuSaveGame"))
        ChooseFile(Path, {}, TOverwrite::Confirmed);
    else if (Command == QLatin1String("MenuOpenGame"))
        ChooseFile(Path);
    Action(*Form, qPrintable(Command))->trigger();

    QCOMPARE(Painted.Texts(), QStringList{Text});
    QVERIFY(Probe.Panel(1)->text().isEmpty());
}

void TstPatterns::failedOpenLeavesWorldUntouched_data() {
    QTest::addColumn<bool>("BecomesFolder");
    QTest::addColumn<QString>("Reason");
    QTest::newRow("file vanished after the dialog") << false << "Bestand niet gevonden";
    QTest::newRow("a folder in its place") << true << "Dit is een map, geen bestand.";
}

void TstPatterns::failedOpenLeavesWorldUntouched() {
    QFETCH(bool, BecomesFolder);
    QFETCH(QString, Reason);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("weg.life"));
    WriteFile(Path, "OOO\r\n");
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 30, 40, Glider);
    Form->DrawGeneration(true);
    Probe.SetGeneration(7);
    Probe.Panel(0)->setText(QStringLiteral("Generatie: 7"));
    const QStringList Before = WholeWorld(*Form);
    const QImage PictureBefore = Probe.WorldImage()->Picture().copy();
    const TPaintedTexts Painted(Probe.Panel(1));

    TShownMessage Shown;
    ChooseFile(Path, [&] {
        QFile::remove(Path);
        if (BecomesFolder)
            QDir(Folder.path()).mkdir(QStringLiteral("weg.life"));
        AcceptMessageInto(Shown);
    });
    Action(*Form, "MenuOpenGame")->trigger();

    QCOMPARE(Shown.Title, QStringLiteral("Fout"));
    QCOMPARE(Shown.Text, QStringLiteral("Fout bij openen van bestand:\n") +
                             QDir::toNativeSeparators(Path) + "\n\n" + Reason);
    QCOMPARE(WholeWorld(*Form), Before);
    QVERIFY(SnapshotEqualsState(*Form));
    QCOMPARE(Probe.Generation(), 7);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 7"));
    QCOMPARE(Probe.WorldImage()->Picture(), PictureBefore);
    QVERIFY(Probe.Panel(1)->text().isEmpty());
    QCOMPARE(Painted.Texts(), QStringList()); // nothing is drawn, so no drawing is announced
    QVERIFY(!QApplication::overrideCursor());
}

void TstPatterns::handedFileOpensAsSpelOpenen_data() {
    QTest::addColumn<bool>("AtStart"); // else by a drop on a world that holds a glider
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<bool>("Running");
    const QByteArray Glider("#N Glider\nx = 3, y = 3\nbo$2bo$3o!\n");
    const QByteArray HighLife("x = 1, y = 1, rule = B36/S23\no!\n");
    QTest::newRow("at start") << true << Glider << false;
    QTest::newRow("at start, refused: the error over the empty world") << true << HighLife << false;
    QTest::newRow("at start, missing") << true << QByteArray() << false;
    QTest::newRow("by a drop") << false << Glider << false;
    QTest::newRow("by a drop during a run, which stops") << false << Glider << true;
    QTest::newRow("by a drop during a run, refused") << false << HighLife << true;
}

// The world, the picture, the texts and the error are what "Spel openen" makes of the same
// file on the same world.
void TstPatterns::handedFileOpensAsSpelOpenen() {
    QFETCH(bool, AtStart);
    QFETCH(QByteArray, Bytes);
    QFETCH(bool, Running);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("gedeeld.rle"));
    // A missing file goes away once the open dialog has taken it.
    const bool Missing = Bytes.isEmpty();
    WriteFile(Path, Bytes);
    const bool Refused = !Bytes.startsWith("#N Glider");
    const auto Prepare = [&](TLifeForm& Form) {
        if (AtStart)
            return;
        PlaceRows(Form, 30, 40, Glider);
        TLifeFormProbe(Form).SetGeneration(7);
        Form.DrawGeneration(true);
        if (Running)
            StartRunning(Form);
    };

    auto ByMenu = CreateShownForm();
    TLifeFormProbe Menu(*ByMenu);
    Prepare(*ByMenu);
    TShownMessage MenuMessage;
    ChooseFile(Path, [&] {
        if (Missing)
            QFile::remove(Path);
        if (Refused)
            AcceptMessageInto(MenuMessage);
    });
    Action(*ByMenu, "MenuOpenGame")->trigger();
    QVERIFY(!Missing || !QFileInfo::exists(Path));

    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    TPaintedTexts Painted(Probe.Panel(1));
    TShownMessage Message;
    bool OverTheWindow = false;
    QImage PictureUnderMessage;
    if (Refused) {
        AcceptNextMessageBox([&](const QString& Title, const QString& Text) {
            Message = {Title, Text};
            OverTheWindow = Form->windowHandle()->isExposed();
            PictureUnderMessage = Probe.WorldImage()->Picture().copy();
        });
    }
    if (AtStart) {
        Form->OpenWhenShown(Path);
        Form->show();
    } else {
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Prepare(*Form);
        QCOMPARE(DropOnPicture(*Form, *LocalFiles({Path})), Qt::CopyAction);
        QVERIFY(!Probe.Running);
    }
    // A refused file is never placed, so it shows no busy text.
    QTRY_VERIFY((Refused ? !Message.Text.isEmpty() : !Painted.Texts().isEmpty()) &&
                Probe.Panel(1)->text().isEmpty());

    QCOMPARE(Message.Text, MenuMessage.Text);
    QCOMPARE(Painted.Texts(),
             Refused ? QStringList() : QStringList{"Bezig met tekenen van 320 x 240 celllen..."});
    QCOMPARE(WholeWorld(*Form), WholeWorld(*ByMenu));
    QCOMPARE(Probe.WorldImage()->Picture(), Menu.WorldImage()->Picture());
    QCOMPARE(Probe.Generation(), Menu.Generation());
    QCOMPARE(Probe.Panel(0)->text(), Menu.Panel(0)->text());
    QVERIFY(!Probe.Running && !Probe.WorldTimer()->isActive());
    QVERIFY(!QApplication::overrideCursor());
    if (Refused) {
        QVERIFY(OverTheWindow);
        QCOMPARE(PictureUnderMessage, Menu.WorldImage()->Picture());
    }
}

void TstPatterns::dropOfAnythingElseChangesNothing_data() {
    QTest::addColumn<QStringList>("Urls");
    QTest::addColumn<int>("Offered");
    const int CopyOrMove = Qt::CopyAction | Qt::MoveAction;
    QTest::newRow("two files") << QStringList{"glider.rle", "acorn.rle"} << CopyOrMove;
    QTest::newRow("a web address")
        << QStringList{"https://conwaylife.com/patterns/glider.rle"} << CopyOrMove;
    QTest::newRow("a folder") << QStringList{"."} << CopyOrMove;
    QTest::newRow("a file on another host")
        << QStringList{"file://otherhost/glider.rle"} << CopyOrMove;
    QTest::newRow("a file address without a path") << QStringList{"file:glider.rle"} << CopyOrMove;
    QTest::newRow("text, no address") << QStringList() << CopyOrMove;
    QTest::newRow("offered only as a move") << QStringList{"glider.rle"} << int(Qt::MoveAction);
}

// The drop is refused, and the run goes on over the same world.
void TstPatterns::dropOfAnythingElseChangesNothing() {
    QFETCH(QStringList, Urls);
    QFETCH(int, Offered);
    QTemporaryDir Folder;
    WriteFile(Folder.filePath(QStringLiteral("glider.rle")), "x = 3, y = 1\n3o!\n");
    WriteFile(Folder.filePath(QStringLiteral("acorn.rle")), "x = 3, y = 1\n3o!\n");
    QMimeData Data;
    QList<QUrl> Addresses;
    for (const QString& Url : Urls) {
        Addresses << (Url.contains(QLatin1Char(':')) ? QUrl(Url)
                                                     : QUrl::fromLocalFile(Folder.filePath(Url)));
    }
    Data.setUrls(Addresses);
    Data.setText(Folder.filePath(QStringLiteral("glider.rle")));
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 30, 40, Glider);
    Probe.SetGeneration(7);
    Form->DrawGeneration(true);
    const QStringList Before = WholeWorld(*Form);
    Probe.Running = true;
    Probe.WorldTimer()->start(std::chrono::hours(1));

    QCOMPARE(DropOnPicture(*Form, Data, Qt::DropActions(Offered)), Qt::IgnoreAction);
    QCoreApplication::sendPostedEvents();
    QVERIFY(Probe.Running && Probe.WorldTimer()->isActive());
    QCOMPARE(WholeWorld(*Form), Before);
    QCOMPARE(Probe.Generation(), 7);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

// The name in the dialog's name field, then Enter, as the user gives it. The name is set
// whole, so that no completion pops up and takes the Enter.
void TstPatterns::saveDialogRefusesMissingFolder() {
    QTemporaryDir Folder;
    const QString Missing = Folder.filePath(QStringLiteral("ontbreekt"));
    const QString Path = Missing + QStringLiteral("/glider.life");
    auto Form = CreateShownForm();
    TShownMessage Refusal;
    bool StayedOpen = false;
    AnswerNextModal([&](QWidget* Modal) {
        auto* Dialog = qobject_cast<QFileDialog*>(Modal);
        auto* Name = Modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (Dialog && Name) {
            Name->setText(Path);
            AcceptMessageInto(Refusal);
            QTest::keyClick(Name, Qt::Key_Return);
            StayedOpen = Dialog->isVisible();
        }
        Modal->close();
    });
    Action(*Form, "MenuSaveGame")->trigger();

    QCOMPARE(Refusal.Title, QStringLiteral("Spel opslaan"));
    QCOMPARE(Refusal.Text, QDir::toNativeSeparators(Missing) +
                               QStringLiteral("\nMap niet gevonden.\nGa na dat de juiste "
                                              "mapnaam is gegeven."));
    QVERIFY(StayedOpen);
    QVERIFY(!QFileInfo::exists(Missing));
}

// The folder goes away between the dialog and the write.
void TstPatterns::saveIntoVanishedFolderSaysPathNotFound() {
    QTemporaryDir Folder;
    const QString Vanishing = Folder.filePath(QStringLiteral("weg"));
    QVERIFY(QDir().mkdir(Vanishing));
    const QString Path = Vanishing + QStringLiteral("/glider.life");
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 3, 3, Glider);
    TShownMessage Shown;
    ChooseFile(Path, [&] {
        QDir(Vanishing).removeRecursively();
        AcceptMessageInto(Shown);
    });
    Action(*Form, "MenuSaveGame")->trigger();

    QCOMPARE(Shown.Title, QStringLiteral("Fout"));
    QCOMPARE(Shown.Text, QStringLiteral("Fout bij opslaan van bestand:\n") +
                             QDir::toNativeSeparators(Path) +
                             QStringLiteral("\n\nPad niet gevonden"));
    QVERIFY(!QFileInfo::exists(Path));
    QCOMPARE(ReadRows(*Form, QRect(3, 3, 3, 3)), Glider);
    QVERIFY(Probe.Panel(1)->text().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
}

// The disk fills up while the new contents are written: a file size limit makes the write
// fail the way a full disk does, also for a user who may write anywhere.
void TstPatterns::failedSaveKeepsExistingFile() {
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("oud.life"));
    const QByteArray OldBytes("!Naam:oud!\r\nO\r\n");
    WriteFile(Path, OldBytes);
    auto Form = CreateShownForm();
    PlaceRows(*Form, 3, 3, GliderGun);

    rlimit Unlimited{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &Unlimited) == 0);
    TShownMessage Shown;
    ChooseFile(
        Path,
        [&] {
            rlimit Small = Unlimited;
            Small.rlim_cur = 8;
            setrlimit(RLIMIT_FSIZE, &Small);
            AcceptMessageInto(Shown);
        },
        TOverwrite::Confirmed);
    {
        const auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const auto Restore = qScopeGuard([&] {
            setrlimit(RLIMIT_FSIZE, &Unlimited);
            std::signal(SIGXFSZ, OldHandler);
        });
        Action(*Form, "MenuSaveGame")->trigger();
    }

    QCOMPARE(Shown.Text, QStringLiteral("Fout bij opslaan van bestand:\n") +
                             QDir::toNativeSeparators(Path) + QStringLiteral("\n\n") +
                             ErrorText(39));
    QCOMPARE(FileBytes(Path), OldBytes);
    QCOMPARE(QDir(Folder.path()).entryList(QDir::Files), QStringList{"oud.life"});
}

void TstPatterns::fileCommandsStopTheRunAlsoWhenCancelled_data() {
    QTest::addColumn<QString>("Command");
    QTest::addColumn<bool>("ByShortcut");
    QTest::newRow("open from the menu") << "MenuOpenGame" << false;
    QTest::newRow("save from the menu") << "MenuSaveGame" << false;
    QTest::newRow("open by Ctrl+O") << "MenuOpenGame" << true;
    QTest::newRow("save by Ctrl+S") << "MenuSaveGame" << true;
}

void TstPatterns::fileCommandsStopTheRunAlsoWhenCancelled() {
    QFETCH(QString, Command);
    QFETCH(bool, ByShortcut);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Glider);
    Probe.SetGeneration(3);
    const QStringList Before = WholeWorld(*Form);
    StartRunning(*Form);
    bool Asked = false;
    AnswerNextModal([&Asked](QWidget* Modal) {
        Asked = qobject_cast<QFileDialog*>(Modal) != nullptr;
        Modal->close();
    });
    QAction* Item = Action(*Form, qPrintable(Command));
    if (ByShortcut)
        QTest::keySequence(Form.get(), Item->shortcut());
    else
        Item->trigger();
    QVERIFY(Asked);
    QVERIFY(!Probe.Running);
    QVERIFY(!Probe.WorldTimer()->isActive());
    QCOMPARE(WholeWorld(*Form), Before);
    QCOMPARE(Probe.Generation(), 3);
}

void TstPatterns::dialogsRememberLastChoice_data() {
    QTest::addColumn<QString>("Command");
    QTest::addColumn<QString>("Filter");
    QTest::addColumn<QString>("OtherDialog");
    QTest::addColumn<QString>("OtherFilter"); // the other dialog keeps its own
    QTest::newRow("save dialog") << "MenuSaveGame"
                                 << "alle bestanden (*)"
                                 << "OpenDialog"
                                 << "life-bestanden (*.life *.lif)";
    QTest::newRow("open dialog") << "MenuOpenGame"
                                 << "cell-bestanden (*.cells)"
                                 << "SaveDialog"
                                 << "life-bestanden (*.life *.lif)";
}

// Folder, name and filter come back the next time the same dialog opens.
void TstPatterns::dialogsRememberLastChoice() {
    QFETCH(QString, Command);
    QFETCH(QString, Filter);
    QFETCH(QString, OtherDialog);
    QFETCH(QString, OtherFilter);
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("eerste.cells"));
    WriteFile(Path, "O\r\n");
    auto Form = CreateShownForm();
    AnswerNextModal([&](QWidget* Modal) {
        auto* Dialog = qobject_cast<QFileDialog*>(Modal);
        Dialog->selectNameFilter(Filter);
        Dialog->selectFile(Path);
        if (Command == QLatin1String("MenuSaveGame"))
            PressInNextMessageBox(QMessageBox::Yes);
        static_cast<QDialog*>(Dialog)->accept();
    });
    Action(*Form, qPrintable(Command))->trigger();

    QString OfferedFile;
    QString OfferedFilter;
    AnswerNextModal([&](QWidget* Modal) {
        auto* Dialog = qobject_cast<QFileDialog*>(Modal);
        OfferedFile = Dialog->selectedFiles().value(0);
        OfferedFilter = Dialog->selectedNameFilter();
        Dialog->reject();
    });
    Action(*Form, qPrintable(Command))->trigger();
    QCOMPARE(QFileInfo(OfferedFile), QFileInfo(Path));
    QCOMPARE(OfferedFilter, Filter);
    QCOMPARE(Form->findChild<QFileDialog*>(OtherDialog)->selectedNameFilter(), OtherFilter);
}

void TstPatterns::enterInFileNameLeavesNothingBehind_data() {
    QTest::addColumn<QString>("Command");
    QTest::addColumn<QString>("Typed"); // after the folder
    QTest::addColumn<QString>("Chosen");
    QTest::newRow("open") << "MenuOpenGame"
                          << "glider.life"
                          << "glider.life";
    QTest::newRow("save") << "MenuSaveGame"
                          << "gl"
                          << "gl.life";
}

// The user types a path whose name matches a file in the folder, so the field's completion
// list opens, and presses Enter. Once the command is done, nothing of the dialog is left on
// screen and the next key reaches the main window.
void TstPatterns::enterInFileNameLeavesNothingBehind() {
    QFETCH(QString, Command);
    QFETCH(QString, Typed);
    QFETCH(QString, Chosen);
    QTemporaryDir Folder;
    WriteFile(Folder.filePath(QStringLiteral("glider.life")),
              "!Naam:glider!\r\n.O.\r\n..O\r\nOOO\r\n");
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, Glider);

    bool Listed = false;
    AnswerNextModal([&](QWidget* Modal) {
        const auto CloseOnFailure = qScopeGuard([Modal] { Modal->close(); });
        QVERIFY(QTest::qWaitForWindowActive(Modal));
        qobject_cast<QFileDialog*>(Modal)->setDirectory(Folder.path());
        // The user looks at the listed folder before typing.
        const auto* Files = Modal->findChild<QFileSystemModel*>();
        QTRY_COMPARE(Files->rowCount(Files->index(Folder.path())), 1);
        auto* Name = Modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(Name, Typed);
        Listed = QTest::qWaitFor([Name] { return Name->completer()->popup()->isVisible(); });
        QTest::keyClick(Modal->windowHandle(), Qt::Key_Return);
    });
    Action(*Form, qPrintable(Command))->trigger();

    QVERIFY(Listed);
    QVERIFY(QFileInfo::exists(Folder.filePath(Chosen)));
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    for (const QWidget* Window : QApplication::topLevelWidgets())
        QVERIFY2(!Window->isVisible() || Window == Form.get(), qPrintable(Window->objectName()));
    QTest::keyClick(Form->windowHandle(), Qt::Key_F8);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 1"));
}

// Qt's file dialogs would keep their state in a settings file of their own.
const QDateTime TestsStarted = QDateTime::currentDateTime();

void TstPatterns::fileDialogsKeepNoSettings() {
    const QDir ConfigFolder(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QStringList Before = ConfigFolder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    {
        auto Form = CreateShownForm();
        for (const char* Command : {"MenuOpenGame", "MenuSaveGame"}) {
            AnswerNextModal([](QWidget* Modal) { Modal->close(); });
            Action(*Form, Command)->trigger();
        }
    }
    QCOMPARE(ConfigFolder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), Before);
    // Nor by any earlier test of this run; a file left by an older build's run in the same
    // test home does not count.
    const QFileInfo QtSettings(ConfigFolder.filePath(QStringLiteral("QtProject.conf")));
    QVERIFY(!QtSettings.exists() || QtSettings.lastModified() < TestsStarted);
}

// ---- Transforms

void TstPatterns::transformMovesCell_data() {
    QTest::addColumn<QSize>("World");
    QTest::addColumn<QString>("Operation");
    QTest::addColumn<QPoint>("From");
    QTest::addColumn<QPoint>("To"); // (-1, -1): the cell is lost
    const QSize Default(320, 240);
    const QSize Square(400, 400);
    const QSize Odd(321, 240);
    const QSize Tall(320, 400);
    const QPoint Lost(-1, -1);
    QTest::newRow("MoveLeft 1") << Default << "MoveLeft 1" << QPoint(5, 5) << QPoint(4, 5);
    QTest::newRow("MoveLeft 1 loses column 0") << Default << "MoveLeft 1" << QPoint(0, 5) << Lost;
    QTest::newRow("MoveRight 10") << Default << "MoveRight 10" << QPoint(5, 5) << QPoint(15, 5);
    QTest::newRow("MoveRight 10 over the edge is lost")
        << Default << "MoveRight 10" << QPoint(310, 5) << Lost;
    QTest::newRow("MoveRight 10 up to the last column")
        << Default << "MoveRight 10" << QPoint(309, 5) << QPoint(319, 5);
    QTest::newRow("MoveUp 1 loses row 0") << Default << "MoveUp 1" << QPoint(5, 0) << Lost;
    QTest::newRow("MoveUp 10") << Default << "MoveUp 10" << QPoint(5, 20) << QPoint(5, 10);
    QTest::newRow("MoveDown 1") << Default << "MoveDown 1" << QPoint(5, 238) << QPoint(5, 239);
    QTest::newRow("MoveDown 10 over the edge is lost")
        << Default << "MoveDown 10" << QPoint(5, 230) << Lost;
    QTest::newRow("MoveLeft 10 on an odd width")
        << Odd << "MoveLeft 10" << QPoint(320, 0) << QPoint(310, 0);
    QTest::newRow("FlipHorizontal")
        << Default << "FlipHorizontal" << QPoint(0, 7) << QPoint(319, 7);
    QTest::newRow("FlipHorizontal keeps the middle column of 321")
        << Odd << "FlipHorizontal" << QPoint(160, 7) << QPoint(160, 7);
    QTest::newRow("FlipHorizontal on 321")
        << Odd << "FlipHorizontal" << QPoint(0, 7) << QPoint(320, 7);
    QTest::newRow("FlipVertical") << Default << "FlipVertical" << QPoint(3, 0) << QPoint(3, 239);
    QTest::newRow("FlipVertical on a square")
        << Square << "FlipVertical" << QPoint(3, 1) << QPoint(3, 398);
    QTest::newRow("RotateRight corner")
        << Default << "RotateRight" << QPoint(0, 0) << QPoint(239, 0);
    QTest::newRow("RotateLeft corner") << Default << "RotateLeft" << QPoint(0, 0) << QPoint(0, 239);
    QTest::newRow("RotateRight loses what lies right of the square")
        << Default << "RotateRight" << QPoint(300, 10) << Lost;
    QTest::newRow("RotateLeft loses what lies right of the square")
        << Default << "RotateLeft" << QPoint(300, 10) << Lost;
    QTest::newRow("RotateRight on a square")
        << Square << "RotateRight" << QPoint(10, 20) << QPoint(379, 10);
    QTest::newRow("RotateLeft on a square")
        << Square << "RotateLeft" << QPoint(10, 20) << QPoint(20, 389);
    QTest::newRow("RotateRight on an odd width")
        << Odd << "RotateRight" << QPoint(0, 0) << QPoint(239, 0);
    QTest::newRow("RotateLeft on an odd width loses column 320")
        << Odd << "RotateLeft" << QPoint(320, 0) << Lost;
    QTest::newRow("RotateRight loses what lies below the square")
        << Tall << "RotateRight" << QPoint(0, 320) << Lost;
    QTest::newRow("Rotate180") << Default << "Rotate180" << QPoint(0, 0) << QPoint(319, 239);
    QTest::newRow("Rotate180 on an odd width")
        << Odd << "Rotate180" << QPoint(1, 2) << QPoint(319, 237);
}

// Under wmBoth, so a cell that wrapped would show up on the opposite edge.
void TstPatterns::transformMovesCell() {
    QFETCH(QSize, World);
    QFETCH(QString, Operation);
    QFETCH(QPoint, From);
    QFETCH(QPoint, To);
    auto Form = HiddenFormOfSize(World.width(), World.height());
    TLifeFormProbe Probe(*Form);
    Form->SetWrapping(wmBoth);
    Form->MakeConnections(false);
    PlaceRows(*Form, From.x(), From.y(), {"O"});
    Probe.SetGeneration(9);

    Transform(*Form, Operation);

    QCOMPARE(Probe.Generation(), 9);
    QCOMPARE(Probe.Engine.PrevState(From.x(), From.y()), 1);
    if (To == QPoint(-1, -1)) {
        QCOMPARE(LiveCells(*Form), 0);
    } else {
        QCOMPARE(LiveCells(*Form), 1);
        QCOMPARE(Probe.Engine.State(To.x(), To.y()), 1);
    }
}

void TstPatterns::inversePairsRestoreWorld_data() {
    QTest::addColumn<QSize>("World");
    QTest::addColumn<QStringList>("Transforms");
    const QList<QSize> Sizes = {QSize(320, 240), QSize(400, 400), QSize(321, 241)};
    for (const QSize& Size : Sizes) {
        const QString In = QStringLiteral(" on %1 x %2").arg(Size.width()).arg(Size.height());
        QTest::addRow("left then right by 1%s", qPrintable(In))
            << Size << QStringList{"MoveLeft 1", "MoveRight 1"};
        QTest::addRow("down then up by 10%s", qPrintable(In))
            << Size << QStringList{"MoveDown 10", "MoveUp 10"};
        QTest::addRow("right then left by 10%s", qPrintable(In))
            << Size << QStringList{"MoveRight 10", "MoveLeft 10"};
        QTest::addRow("up then down by 1%s", qPrintable(In))
            << Size << QStringList{"MoveUp 1", "MoveDown 1"};
        QTest::addRow("FlipHorizontal twice%s", qPrintable(In))
            << Size << QStringList{"FlipHorizontal", "FlipHorizontal"};
        QTest::addRow("FlipVertical twice%s", qPrintable(In))
            << Size << QStringList{"FlipVertical", "FlipVertical"};
        QTest::addRow("Rotate180 twice%s", qPrintable(In))
            << Size << QStringList{"Rotate180", "Rotate180"};
    }
    QTest::newRow("RotateLeft then RotateRight on a square")
        << QSize(400, 400) << QStringList{"RotateLeft", "RotateRight"};
    QTest::newRow("four RotateLeft on a square")
        << QSize(400, 400) << QStringList{"RotateLeft", "RotateLeft", "RotateLeft", "RotateLeft"};
    QTest::newRow("four RotateRight on a square")
        << QSize(400, 400)
        << QStringList{"RotateRight", "RotateRight", "RotateRight", "RotateRight"};
}

void TstPatterns::inversePairsRestoreWorld() {
    QFETCH(QSize, World);
    QFETCH(QStringList, Transforms);
    auto Form = HiddenFormOfSize(World.width(), World.height());
    PlaceScattered(*Form, 10);
    const QStringList Before = WholeWorld(*Form);
    const int Live = LiveCells(*Form);
    Transform(*Form, Transforms.first());
    QVERIFY(WholeWorld(*Form) != Before);
    for (const QString& Name : Transforms.mid(1))
        Transform(*Form, Name);
    QCOMPARE(LiveCells(*Form), Live);
    QCOMPARE(WholeWorld(*Form), Before);
}

void TstPatterns::transformRepaintsAndKeepsGeneration() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 5, 5, {"O"});
    Form->DrawGeneration(true);
    Probe.SetGeneration(21);
    Form->MenuMoveRightClick();
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 5, 5), Dead);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 6, 5), Live);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 21"));

    // An empty world repaints nothing.
    Form->NewGame();
    Form->MenuRotate180Click();
    QVERIFY(Probe.Stable);
    QCOMPARE(LiveCells(*Form), 0);
}

void TstPatterns::commandsRefusedWhileRunning_data() {
    QTest::addColumn<QString>("Command");
    QTest::newRow("F8") << "MenuOneStep";
    for (const char* Name :
         {"MenuMoveLeft", "MenuMoveRight", "MenuMoveUp", "MenuMoveDown", "MenuMoveLeftLarge",
          "MenuMoveRightLarge", "MenuMoveUpLarge", "MenuMoveDownLarge", "MenuFlipHorizontal",
          "MenuFlipVertical", "MenuRotateLeft", "MenuRotateRight", "MenuRotate180"})
        QTest::newRow(Name) << Name;
}

// Each command is tried from its menu item and by its shortcut while the world runs, then
// by its shortcut once stopped, which shows that the keys do reach it.
void TstPatterns::commandsRefusedWhileRunning() {
    QFETCH(QString, Command);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 100, 100, Glider);
    Probe.SetGeneration(5);
    const QStringList Before = WholeWorld(*Form);
    QAction* Item = Action(*Form, qPrintable(Command));

    Probe.Running = true;
    Item->trigger();
    QCOMPARE(WholeWorld(*Form), Before);
    QTest::keySequence(Form.get(), Item->shortcut());
    QCOMPARE(WholeWorld(*Form), Before);
    QVERIFY(!Item->isEnabled());
    QCOMPARE(Probe.Generation(), 5);

    Probe.Running = false;
    QTest::keySequence(Form.get(), Item->shortcut());
    QVERIFY(WholeWorld(*Form) != Before);
    QCOMPARE(Probe.Generation(), Command == "MenuOneStep" ? 6 : 5);
}

// ---- New game

void TstPatterns::newGameDuringRunStopsAndEmpties() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.SetHorCells(640);
    Probe.SetVertCells(480);
    Form->MakeConnections(false);
    Form->DrawEmptyWorld();
    PlaceRows(*Form, 630, 470, Glider);
    Form->DrawGeneration(true);
    Probe.SetGeneration(40);
    StartRunning(*Form);

    QTest::keyClick(Form.get(), Qt::Key_N, Qt::ControlModifier);

    QVERIFY(!Probe.Running);
    QVERIFY(!Probe.WorldTimer()->isActive());
    QCOMPARE(LiveCells(*Form), 0);
    QVERIFY(SnapshotEqualsState(*Form));
    QCOMPARE(Probe.Generation(), 0);
    QCOMPARE(Probe.HorCells(), 640);
    QCOMPARE(Probe.VertCells(), 480);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 0"));
    QVERIFY(Probe.Panel(1)->text().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
    QImage AllDead(Probe.WorldImage()->Picture().size(), QImage::Format_RGB32);
    AllDead.fill(Dead);
    QCOMPARE(Probe.WorldImage()->Picture(), AllDead);

    Form->MenuOneStepClick();
    QCOMPARE(Probe.Generation(), 1);
}

QTEST_MAIN(TstPatterns)
#include "tst_patterns.moc"
