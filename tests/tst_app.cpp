// The application shell: run control, menus and shortcuts, status bar, message dialogs
// and error texts.

#include "app/commandline.h"
#include "app/errors.h"
#include "app/extmsgdlg.h"
#include "app/placement.h"
#include "app/uhelp.h"
#include "patterns/filenames.h"
#include "settings/settingspaths.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>

namespace {

QAction* Item(TLifeForm& Form, const char* Name) {
    return Form.findChild<QAction*>(QLatin1String(Name));
}

// Opens and closes a top-level menu, as the user would look at it.
void LookAtMenu(TLifeForm& Form, const char* Name) {
    QMenu* Menu = Form.findChild<QMenu*>(QLatin1String(Name));
    QVERIFY(Menu);
    emit Menu->aboutToShow();
}

// Counts the modal dialogs that appear, answering each with its default button.
struct TMessageCounter {
    int Count = 0;
    QString LastTitle;
    QString LastText;

    void ExpectOne() {
        AcceptNextMessageBox([this](const QString& Title, const QString& Text) {
            ++Count;
            LastTitle = Title;
            LastText = Text;
        });
    }
};

const QStringList Blinker = {"OOO"};

// Clicks the button of the next message box that reads Caption, then calls Then; keeps the
// box's text in Text.
void PressInNextBox(const QString& Caption, QString& Text, std::function<void()> Then = {}) {
    AnswerNextModal([Caption, &Text, Then](QWidget* Modal) {
        auto* Box = qobject_cast<QMessageBox*>(Modal);
        QVERIFY(Box);
        Text = Box->text();
        const QList<QAbstractButton*> Buttons = Box->buttons();
        const auto Button = std::find_if(Buttons.begin(), Buttons.end(),
                                         [&](const auto* B) { return B->text() == Caption; });
        if (Then)
            Then();
        if (Button == Buttons.end())
            QTest::keyClick(Box, Qt::Key_Escape);
        else
            (*Button)->click();
    });
}

// A message box as the user saw it, and how it ended.
struct TShownBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    bool IconShown = false;
    QStringList Captions; // sorted
    QString Default;
    QRect Frame;
    bool LeftOpen = false; // still open after the test's action
    int Result = -1;
};

TShownBox LookAt(const QMessageBox& Box) {
    TShownBox Shown;
    Shown.Title = Box.windowTitle();
    Shown.Text = Box.text();
    Shown.Icon = Box.icon();
    Shown.IconShown = !Box.iconPixmap().isNull();
    for (const QAbstractButton* Button : Box.buttons())
        Shown.Captions << Button->text();
    Shown.Captions.sort();
    for (const QAbstractButton* Button : Box.buttons()) {
        if (const auto* Push = qobject_cast<const QPushButton*>(Button); Push && Push->isDefault())
            Shown.Default = Push->text();
    }
    Shown.Frame = Box.frameGeometry();
    return Shown;
}

// A key pressed where the user's key goes: the box's focus widget.
void PressKey(QMessageBox& Box, Qt::Key Key) {
    QWidget* Focus = Box.focusWidget();
    QTest::keyClick(Focus ? Focus : &Box, Key);
}

// As the window manager closes a window whose close box was clicked.
void UseCloseBox(QMessageBox& Box) {
    Box.windowHandle()->close();
}

QAbstractButton* ButtonCaptioned(QMessageBox& Box, const char* Caption) {
    for (QAbstractButton* Button : Box.buttons()) {
        if (Button->text() == QLatin1String(Caption))
            return Button;
    }
    qFatal("no button %s", Caption);
}

// Shows the dialog, looks at it once it is shown and then does Act to it. A box that Act
// leaves open is closed by its close box, or failing that ended, so that a failing test
// does not hang.
TShownBox ShowExtMessageDlg(const QString& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons,
                            std::function<void(QMessageBox&)> Act) {
    TShownBox Shown;
    AnswerNextModal([&Shown, Act = std::move(Act)](QWidget* Modal) {
        auto* Box = qobject_cast<QMessageBox*>(Modal);
        if (!Box)
            qFatal("not a message box");
        Shown = LookAt(*Box);
        Act(*Box);
        Shown.LeftOpen = Box->isVisible();
        if (Shown.LeftOpen)
            UseCloseBox(*Box);
        if (Box->isVisible())
            Box->done(-1);
    });
    Shown.Result = ExtMessageDlg(Msg, Type, Buttons, 0);
    return Shown;
}

} // namespace

class TstApp : public QObject {
    Q_OBJECT

private slots:
    void startsAsAnEmptyWorld();
    void emptyWorldStopsWithOneMessage();
    void slowestSpeedStepsAtOnce();
    void fasterSpeedsWaitForTheFirstTick_data();
    void fasterSpeedsWaitForTheFirstTick();
    void oscillatorRunsUntilStopped();
    void oneStepNeverShowsTheMessage();
    void menuFollowsTheRunState();
    void disabledShortcutsAreIgnored();
    void stepAfterStableStopWorksAtOnce();
    void closingDuringARunStopsTheTimer();
    void closeAsksBeforeADrawingIsLost_data();
    void closeAsksBeforeADrawingIsLost();
    void generationPanelFitsTheLargestNumber();
    void runKeepsItsRateByTheClock();
    void runningGenerationsShareAPanelText();

    void commandLine_data();
    void commandLine();
    void relativeNameInAFolderThatIsNotUtf8();
    void programArgumentsHideFilesFromQt_data();
    void programArgumentsHideFilesFromQt();
    void answeredBeforeAnyDisplay_data();
    void answeredBeforeAnyDisplay();
    void errorTexts_data();
    void errorTexts();
    void errnoTexts_data();
    void errnoTexts();
    void errnoZeroLeavesTheFileError();
    void errorDialogAsShown_data();
    void errorDialogAsShown();
    void escapeAnswers_data();
    void escapeAnswers();
    void closeBoxAnswersCancel_data();
    void closeBoxAnswersCancel();
    void helpButtonKeepsTheDialogOpen();
    void dialogPulledOntoTheScreen();
    void dialogWithoutCentringStandsMidScreen();
    void stableMessageCentredOnTheScreen();
    void placedWithTheFrame_data();
    void placedWithTheFrame();
};

void TstApp::startsAsAnEmptyWorld() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    QCOMPARE(Form->windowTitle(), QStringLiteral("Conway's Game of Life"));
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 0"));
    QCOMPARE(Probe.Panel(1)->text(), QString());
    QVERIFY(Probe.Ready);
    QVERIFY(!Probe.WorldTimer()->isActive());
    QCOMPARE(Probe.WorldTimer()->interval(), 100);
    QCOMPARE(Item(*Form, "MenuMoveLeftLarge")->text(), QStringLiteral("Verplaats 10 naar links"));
    QCOMPARE(Item(*Form, "MenuMoveDownLarge")->text(), QStringLiteral("Verplaats 10 naar beneden"));
    QVERIFY(!Form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!Form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The menu bar stays in the window, with the bare item "&Instelingen" on it.
    QVERIFY(!Form->menuBar()->isNativeMenuBar());
    QVERIFY(Form->menuBar()->isVisible());
    QVERIFY(!Form->menuBar()->actionGeometry(Item(*Form, "MenuOptions")).isEmpty());
}

void TstApp::emptyWorldStopsWithOneMessage() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    TMessageCounter Messages;
    Messages.ExpectOne();
    Form->MenuStartGameClick();
    QTRY_COMPARE(Messages.Count, 1);
    QCOMPARE(Messages.LastTitle, QStringLiteral("Conway's Game of Life"));
    QCOMPARE(Messages.LastText, QStringLiteral("Stabiel systeem!"));
    QCOMPARE(Probe.Generation(), 1);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 1"));
    QVERIFY(!Probe.Running);
    QVERIFY(!Probe.WorldTimer()->isActive());
    QTRY_VERIFY(Probe.Ready);
}

// The first step is not tested for stability: an empty world runs on without a message.
void TstApp::slowestSpeedStepsAtOnce() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.WorldTimer()->setInterval(1000);
    Form->MenuStartGameClick();
    QCOMPARE(Probe.Generation(), 1);
    QVERIFY(Probe.Stable);
    QCoreApplication::processEvents();
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(Probe.Running);
    QVERIFY(Probe.WorldTimer()->isActive());
    Form->MenuStartGameClick();
    QVERIFY(!Probe.Running);
    QVERIFY(!Probe.WorldTimer()->isActive());
}

void TstApp::fasterSpeedsWaitForTheFirstTick_data() {
    QTest::addColumn<int>("Interval");
    for (int Interval : {1, 50, 100, 250})
        QTest::newRow(qPrintable(QStringLiteral("%1 ms").arg(Interval))) << Interval;
}

void TstApp::fasterSpeedsWaitForTheFirstTick() {
    QFETCH(int, Interval);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Blinker);
    Probe.WorldTimer()->setInterval(Interval);
    Form->MenuStartGameClick();
    QCOMPARE(Probe.Generation(), 0);
    QTRY_VERIFY(Probe.Generation() >= 1);
    Form->MenuStartGameClick();
}

void TstApp::oscillatorRunsUntilStopped() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Blinker);
    Probe.WorldTimer()->setInterval(1);
    TMessageCounter Messages;
    Messages.ExpectOne();
    Form->MenuStartGameClick();
    QTRY_VERIFY(Probe.Generation() >= 20);
    QVERIFY(Probe.Running);
    QTest::keyClick(Form.get(), Qt::Key_F3);
    QVERIFY(!Probe.Running);
    const int Stopped = Probe.Generation();
    QCOMPARE(Messages.Count, 0);
    // Starting again continues the count.
    Form->MenuStartGameClick();
    QTRY_VERIFY(Probe.Generation() > Stopped);
    Form->MenuStartGameClick();
    QCOMPARE(Messages.Count, 0);
    // Let the pending answer find a box of its own before the next test.
    QMessageBox Spare;
    QTimer::singleShot(0, &Spare, [&Spare] { Spare.open(); });
    QTRY_COMPARE(Messages.Count, 1);
}

void TstApp::oneStepNeverShowsTheMessage() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    QTest::keyClick(Form.get(), Qt::Key_F8);
    QCOMPARE(Probe.Generation(), 1);
    QVERIFY(Probe.Stable);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!Probe.Running);
}

void TstApp::menuFollowsTheRunState() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Blinker);
    const char* Guarded[] = {"MenuOneStep",        "MenuMoveLeft",     "MenuMoveRight",
                             "MenuMoveUp",         "MenuMoveDown",     "MenuMoveLeftLarge",
                             "MenuMoveRightLarge", "MenuMoveUpLarge",  "MenuMoveDownLarge",
                             "MenuFlipHorizontal", "MenuFlipVertical", "MenuRotateLeft",
                             "MenuRotateRight",    "MenuRotate180"};
    Form->MenuStartGameClick();
    LookAtMenu(*Form, "MenuSpel");
    QCOMPARE(Item(*Form, "MenuStartGame")->text(), QStringLiteral("&Stop spel"));
    QVERIFY(Item(*Form, "MenuStartGame")->isEnabled());
    for (const char* Name : Guarded)
        QVERIFY2(!Item(*Form, Name)->isEnabled(), Name);
    for (const char* Name : {"MenuInstructions", "MenuAbout"})
        QVERIFY2(!Item(*Form, Name)->isEnabled(), Name);
    for (const char* Name : {"MenuNewGame", "MenuOpenGame", "MenuSaveGame", "MenuCloseGame",
                             "MenuOptions", "MenuZoomIn", "MenuZoomOut", "MenuZoomReset"})
        QVERIFY2(Item(*Form, Name)->isEnabled(), Name);
    Form->MenuStartGameClick();
    LookAtMenu(*Form, "MenuSpel");
    QCOMPARE(Item(*Form, "MenuStartGame")->text(), QStringLiteral("&Start spel"));
    for (const char* Name : Guarded)
        QVERIFY2(Item(*Form, Name)->isEnabled(), Name);
}

void TstApp::disabledShortcutsAreIgnored() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Blinker);
    Probe.WorldTimer()->setInterval(1000);
    QTest::keyClick(Form.get(), Qt::Key_F3); // steps once at once, then waits a second
    QCOMPARE(Probe.Generation(), 1);
    QVERIFY(Probe.Running);
    QTest::keyClick(Form.get(), Qt::Key_F8);
    QTest::keyClick(Form.get(), Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(Probe.Generation(), 1);
    QCOMPARE(ReadRows(*Form, QRect(10, 9, 3, 3)), (QStringList{".O.", ".O.", ".O."}));
    QTest::keyClick(Form.get(), Qt::Key_F3);
    QVERIFY(!Probe.Running);
    QTest::keyClick(Form.get(), Qt::Key_F8);
    QCOMPARE(Probe.Generation(), 2);
}

void TstApp::stepAfterStableStopWorksAtOnce() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.WorldTimer()->setInterval(1);
    TMessageCounter Messages;
    Messages.ExpectOne();
    QTest::keyClick(Form.get(), Qt::Key_F3);
    QTRY_COMPARE(Messages.Count, 1);
    QTRY_VERIFY(Probe.Ready);
    Form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F8);
    QCOMPARE(Probe.Generation(), 2);
}

// Also when the settings cannot be written: no tick comes while the message is shown.
void TstApp::closingDuringARunStopsTheTimer() {
    QTemporaryDir Folder;
    const QString Blocker = Folder.filePath(QStringLiteral("file"));
    WriteFile(Blocker, "not a folder");
    SettingsDir = Blocker + QStringLiteral("/Zoverkamp");
    SettingsFile = SettingsDir + QStringLiteral("/vindrel.ini");
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.SaveOptionsOnClose = true;
    PlaceRows(*Form, 10, 10, Blinker);
    Probe.WorldTimer()->setInterval(1);
    Form->MenuStartGameClick();
    QTRY_VERIFY(Probe.Generation() > 0);
    bool TimerDuringMessage = true;
    QString Question;
    PressInNextBox(QStringLiteral("&Niet opslaan"), Question, [&] {
        TimerDuringMessage = Probe.WorldTimer()->isActive();
        AcceptNextMessageBox();
    });
    Form->close();
    ClearSettingsPaths();
    QVERIFY(!TimerDuringMessage);
    QVERIFY(!Probe.WorldTimer()->isActive());
    const int AtClose = Probe.Generation();
    QTest::qWait(20); // no condition to wait for: ticks must not come
    QCOMPARE(Probe.Generation(), AtClose);
}

namespace {

enum class TBeforeClose { Click, ClickAndSave, OpenClickUndo, ClickTwice, Run };

} // namespace

void TstApp::closeAsksBeforeADrawingIsLost_data() {
    QTest::addColumn<int>("Before");
    QTest::addColumn<QString>("Answer"); // a button's caption, or empty for Esc
    QTest::addColumn<bool>("Asked");
    QTest::addColumn<bool>("Closed");
    const auto Row = [](const char* Name, TBeforeClose Before, const char* Answer, bool Asked,
                        bool Closed) {
        QTest::newRow(Name) << int(Before) << QString::fromUtf8(Answer) << Asked << Closed;
    };
    Row("a click, Annuleren", TBeforeClose::Click, "&Annuleren", true, false);
    Row("a click, Esc", TBeforeClose::Click, "", true, false);
    Row("a click, Niet opslaan", TBeforeClose::Click, "&Niet opslaan", true, true);
    Row("a click, Opslaan and a file chosen", TBeforeClose::Click, "&Opslaan", true, true);
    Row("a click, Opslaan and the dialog cancelled", TBeforeClose::Click, "&Opslaan, cancelled",
        true, false);
    Row("a click, then saved", TBeforeClose::ClickAndSave, "", false, true);
    Row("opened, a click, undone back to the open", TBeforeClose::OpenClickUndo, "", false, true);
    Row("a cell drawn and erased: an empty world", TBeforeClose::ClickTwice, "", false, true);
    Row("during a run, Annuleren", TBeforeClose::Run, "&Annuleren", true, false);
}

// The history's clean state tells whether the cells are as last saved or opened.
void TstApp::closeAsksBeforeADrawingIsLost() {
    QFETCH(int, Before);
    QFETCH(QString, Answer);
    QFETCH(bool, Asked);
    QFETCH(bool, Closed);
    QTemporaryDir Folder;
    const QString Saved = Folder.filePath(QStringLiteral("tekening.life"));
    WriteFile(Folder.filePath(QStringLiteral("open.life")), "OO\r\n");
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    QFileDialog* SaveDialog = Probe.SaveDialog();
    const auto SaveAs = [SaveDialog](const QString& Path) {
        AnswerNextModal([SaveDialog, Path](QWidget*) {
            SaveDialog->selectFile(Path);
            static_cast<QDialog*>(SaveDialog)->accept();
        });
    };
    const auto Click = [&Form] {
        Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, 20, 30);
    };
    switch (TBeforeClose(Before)) {
    case TBeforeClose::Click:
        Click();
        break;
    case TBeforeClose::ClickAndSave:
        Click();
        SaveAs(Saved);
        Form->SaveGame();
        break;
    case TBeforeClose::OpenClickUndo:
        Form->OpenGameFile(Folder.filePath(QStringLiteral("open.life")));
        Click();
        Form->UndoChange();
        break;
    case TBeforeClose::ClickTwice:
        Click();
        Click();
        break;
    case TBeforeClose::Run:
        PlaceRows(*Form, 10, 10, Blinker);
        Form->MenuStartGameClick();
        QVERIFY(Probe.Running);
        break;
    }
    const QStringList Cells = ReadRows(*Form, QRect(0, 0, 40, 40));
    const bool Cancel = Answer.endsWith(QLatin1String(", cancelled"));
    bool RunDuringQuestion = true;
    QString Question;
    if (Asked) {
        PressInNextBox(Answer.section(QLatin1Char(','), 0, 0), Question, [&] {
            RunDuringQuestion = Probe.Running || Probe.WorldTimer()->isActive();
            if (Cancel)
                AnswerNextModal([](QWidget* Modal) { Modal->close(); });
            else if (Answer == QLatin1String("&Opslaan"))
                SaveAs(Saved);
        });
    }
    Form->close();

    QCOMPARE(Question.isEmpty(), !Asked);
    if (Asked) {
        QCOMPARE(Question, QStringLiteral("De tekening is niet opgeslagen.\n\n"
                                          "Wilt u haar opslaan voordat het programma sluit?"));
        QVERIFY(!RunDuringQuestion);
    }
    QCOMPARE(Form->isVisible(), !Closed);
    QCOMPARE(ReadRows(*Form, QRect(0, 0, 40, 40)), Cells);
    QCOMPARE(QFile::exists(Saved), Answer == QLatin1String("&Opslaan") ||
                                       TBeforeClose(Before) == TBeforeClose::ClickAndSave);
}

void TstApp::generationPanelFitsTheLargestNumber() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.SetGeneration(std::numeric_limits<qint32>::max());
    Form->UpdateStatusBar();
    QLabel* Panel = Probe.Panel(0);
    const QFontMetrics Metrics(Panel->font());
    QVERIFY(Panel->contentsRect().width() >=
            Metrics.horizontalAdvance(QStringLiteral("Generatie: +2147483647")));
    QVERIFY(Panel->geometry().right() < Form->width());
}

// Ticks do the generations due by the run's clock, none while a tick is handled, and a run
// stops at exactly the generation that changed nothing.
void TstApp::runKeepsItsRateByTheClock() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    qint64 Now = 0;
    Probe.RunClock = [&Now] {
        return Now;
    };
    PlaceRows(*Form, 10, 10, Blinker);
    PlaceRows(*Form, 100, 100, {"OO", "O."}); // a block after one generation
    Probe.WorldTimer()->setInterval(1);
    Form->MenuStartGameClick();
    Probe.WorldTimer()->stop(); // the test ticks
    Now += 3'100'000;
    Probe.Ready = false;
    Form->WorldTimerTimer();
    QCOMPARE(Probe.Generation(), 0);
    Probe.Ready = true;
    Form->WorldTimerTimer();
    QCOMPARE(Probe.Generation(), 3);
    Form->WorldTimerTimer();
    QCOMPARE(Probe.Generation(), 3);

    PlaceRows(*Form, 10, 9, {"...", "...", "..."}); // the blinker gone: generation 4 is still
    TMessageCounter Messages;
    Messages.ExpectOne();
    Now += 6'000'000;
    Form->WorldTimerTimer();
    QTRY_COMPARE(Messages.Count, 1);
    QCOMPARE(Probe.Generation(), 4);
    QVERIFY(!Probe.Running);
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 4"));
}

// During a run the panel shows the latest generation once a frame; a stop shows it at once.
void TstApp::runningGenerationsShareAPanelText() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OOO"});
    Probe.WorldImage()->SetFrameMs(2000);
    Probe.Running = true;
    Form->DoNextGeneration();
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 1"));
    Form->DoNextGeneration();
    Form->DoNextGeneration();
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 1"));
    QTRY_COMPARE_WITH_TIMEOUT(Probe.Panel(0)->text(), QStringLiteral("Generatie: 3"), 10000);

    Form->DoNextGeneration();
    Form->DoNextGeneration();
    Form->MenuStartGameClick(); // stops the run
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 5"));
    Form->MenuOneStepClick();
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 6"));
}

void TstApp::commandLine_data() {
    using TRequest = TCommandLine::TRequest;
    QTest::addColumn<QStringList>("Arguments"); // after the program's name
    QTest::addColumn<int>("Request");
    QTest::addColumn<QString>("File");
    QTest::addColumn<QString>("Text");
    const QString Help = QStringLiteral("Gebruik: gameoflife [opties] [bestand]\n");
    const QString Version = QStringLiteral("gameoflife versie %1\n").arg(GOL_VERSION);
    const auto Mistake = [](const QString& What) {
        return QStringLiteral("gameoflife: %1\nMeer uitleg geeft \"gameoflife --help\".\n")
            .arg(What);
    };
    const QString Here = QDir::currentPath() + QLatin1Char('/');
    const int Play = int(TRequest::Play);
    QTest::newRow("nothing") << QStringList() << Play << QString() << QString();
    QTest::newRow("a file, made absolute")
        << QStringList{"glider.rle"} << Play << Here + "glider.rle" << QString();
    QTest::newRow("an absolute file")
        << QStringList{"/tmp/a b.life"} << Play << "/tmp/a b.life" << QString();
    QTest::newRow("a name like an option after --")
        << QStringList{"--", "-v.life"} << Play << Here + "-v.life" << QString();
    const QString Latin = DecodeFileName("latin\xe9.rle");
    QTest::newRow("a name that is not UTF-8 keeps its bytes")
        << QStringList{Latin} << Play << Here + Latin << QString();
    QTest::newRow("--help") << QStringList{"--help"} << int(TRequest::Help) << QString() << Help;
    QTest::newRow("-h with a file")
        << QStringList{"x.life", "-h"} << int(TRequest::Help) << QString() << Help;
    QTest::newRow("--version") << QStringList{"--version"} << int(TRequest::Version) << QString()
                               << Version;
    QTest::newRow("-v") << QStringList{"-v"} << int(TRequest::Version) << QString() << Version;
    QTest::newRow("help among Qt's own options")
        << QStringList{"-platform", "xcb", "-stylesheet", "a.qss", "--help"} << int(TRequest::Help)
        << QString() << Help;
    QTest::newRow("-reverse asks no version")
        << QStringList{"-reverse"} << int(TRequest::Mistake) << QString()
        << Mistake("onbekende optie \"-reverse\".");
    QTest::newRow("unknown option as typed")
        << QStringList{"a.life", "--kleur=rood"} << int(TRequest::Mistake) << QString()
        << Mistake("onbekende optie \"--kleur\".");
    QTest::newRow("two files") << QStringList{"a.life", "b.life"} << int(TRequest::Mistake)
                               << QString() << Mistake("geef hoogstens één bestand op.");
}

void TstApp::commandLine() {
    QFETCH(QStringList, Arguments);
    QFETCH(int, Request);
    QFETCH(QString, File);
    QFETCH(QString, Text);
    const TCommandLine Command =
        ParseCommandLine(QStringList{QStringLiteral("gameoflife")} + Arguments);
    QCOMPARE(int(Command.Request), Request);
    QCOMPARE(Command.File, File);
    if (Command.Request == TCommandLine::TRequest::Help)
        QVERIFY2(Command.Text.startsWith(Text), qPrintable(Command.Text));
    else
        QCOMPARE(Command.Text, Text);
}

// The folder's own bytes too: a decoded current folder would turn them into U+FFFD.
void TstApp::relativeNameInAFolderThatIsNotUtf8() {
    const QTemporaryDir Temp;
    const QByteArray Folder = QFile::encodeName(Temp.path()) + "/map\xe9";
    QVERIFY(::mkdir(Folder.constData(), 0700) == 0);
    const QString Before = QDir::currentPath();
    QVERIFY(::chdir(Folder.constData()) == 0);
    const TCommandLine Command =
        ParseCommandLine({QStringLiteral("gameoflife"), QStringLiteral("glider.rle")});
    QDir::setCurrent(Before);
    QCOMPARE(EncodeFileName(Command.File), Folder + "/glider.rle");
}

void TstApp::programArgumentsHideFilesFromQt_data() {
    QTest::addColumn<QByteArrayList>("Argv");
    QTest::addColumn<int>("QtArgc");
    QTest::addColumn<QByteArrayList>("Decoded"); // encoded back to bytes
    const QByteArrayList Plain{"gameoflife", "-reverse", "a.rle"};
    QTest::newRow("without --, Qt sees all") << Plain << 3 << Plain;
    const QByteArrayList Dashes{"gameoflife", "-platform", "offscreen", "--",
                                "-reverse",   "--",        "caf\xe9"};
    QTest::newRow("Qt sees nothing from -- on") << Dashes << 3 << Dashes;
    const QByteArrayList Latin{"gameoflife", "latin\xe9.rle"};
    QTest::newRow("a name that is not UTF-8 keeps its bytes") << Latin << 2 << Latin;
}

void TstApp::programArgumentsHideFilesFromQt() {
    QFETCH(QByteArrayList, Argv);
    QFETCH(int, QtArgc);
    QFETCH(QByteArrayList, Decoded);
    std::vector<const char*> Pointers;
    for (const QByteArray& Argument : Argv)
        Pointers.push_back(Argument.constData());
    const TProgramArguments Arguments(int(Argv.size()), Pointers.data());
    QCOMPARE(Arguments.QtArgc, QtArgc);
    QByteArrayList Encoded;
    for (const QString& Argument : Arguments.Decoded(Pointers.data()))
        Encoded << EncodeFileName(Argument);
    QCOMPARE(Encoded, Decoded);
}

// Everything the terminal answers is decided before Qt looks for a display, which it
// would not find; Qt's own options and their values are no mistake.
void TstApp::answeredBeforeAnyDisplay_data() {
    QTest::addColumn<QByteArrayList>("Argv"); // after the program's name
    QTest::addColumn<int>("Status");          // -1: the program starts
    QTest::newRow("an unknown option") << QByteArrayList{"--bogus"} << 2;
    QTest::newRow("an unknown option among Qt's")
        << QByteArrayList{"-platform", "offscreen", "-reverse", "--bogus"} << 2;
    QTest::newRow("two files") << QByteArrayList{"a.rle", "b.rle"} << 2;
    QTest::newRow("version") << QByteArrayList{"-style=fusion", "--version"} << 0;
    QTest::newRow("Qt's options with and without values")
        << QByteArrayList{"-platform",     "offscreen", "--style",           "fusion", "-reverse",
                          "-qwindowtitle", "a b",       "-stylesheet=x.qss", "a.rle"}
        << -1;
    QTest::newRow("a file named like Qt's option after --")
        << QByteArrayList{"--", "-reverse"} << -1;
    QTest::newRow("a value of Qt's option named like a file")
        << QByteArrayList{"-display", ":1", "a.rle"} << -1;
}

void TstApp::answeredBeforeAnyDisplay() {
    QFETCH(QByteArrayList, Argv);
    QFETCH(int, Status);
    Argv.prepend("gameoflife");
    std::vector<const char*> Pointers;
    for (const QByteArray& Argument : Argv)
        Pointers.push_back(Argument.constData());
    QCOMPARE(AnswerBeforeStart(int(Argv.size()), Pointers.data()).value_or(-1), Status);
}

void TstApp::errorTexts_data() {
    QTest::addColumn<int>("Code");
    QTest::addColumn<QString>("Text");
    QTest::newRow("5") << 5 << "Toegang geweigerd";
    QTest::newRow("39") << 39 << "De schijf is vol";
    QTest::newRow("112") << 112 << "De schijf is vol";
    QTest::newRow("111, two blanks") << 111 << "De bestandsnaam  is te lang";
    QTest::newRow("51, as stored") << 51 << "De remote computer is niet beschikaar";
    QTest::newRow("2250") << 2250 << "De netwerkverbinding bestaat niet";
    QTest::newRow("0") << 0 << "Onbekende fout: 0";
    QTest::newRow("-1") << -1 << "Onbekende fout: -1";
    QTest::newRow("24") << 24 << "Onbekende fout: 24";
    QTest::newRow("1234") << 1234 << "Onbekende fout: 1234";
}

void TstApp::errorTexts() {
    QFETCH(int, Code);
    QFETCH(QString, Text);
    QCOMPARE(ErrorText(Code), Text);
}

void TstApp::errnoTexts_data() {
    QTest::addColumn<int>("Errno");
    QTest::addColumn<QString>("Text");
    QTest::newRow("ENOENT") << ENOENT << "Bestand niet gevonden";
    QTest::newRow("ENOTDIR") << ENOTDIR << "Pad niet gevonden";
    QTest::newRow("EACCES") << EACCES << "Toegang geweigerd";
    QTest::newRow("ENOSPC") << ENOSPC << "De schijf is vol";
    QTest::newRow("EROFS") << EROFS << "Het medium is schrijfbeveiligd";
    // Without a counterpart; each number is also an unrelated Windows code in the table.
    QTest::newRow("EINTR, not 4") << EINTR << QStringLiteral("Onbekende fout: %1").arg(EINTR);
    QTest::newRow("EPIPE, not 32") << EPIPE << QStringLiteral("Onbekende fout: %1").arg(EPIPE);
    QTest::newRow("ENOSYS, not 38") << ENOSYS << QStringLiteral("Onbekende fout: %1").arg(ENOSYS);
    QTest::newRow("ECHILD, in no table")
        << ECHILD << QStringLiteral("Onbekende fout: %1").arg(ECHILD);
}

void TstApp::errnoTexts() {
    QFETCH(int, Errno);
    QFETCH(QString, Text);
    QCOMPARE(ErrorText(WindowsErrorFromErrno(Errno)), Text);
    QCOMPARE(ErrorText(FileErrorCode(QFileDevice::WriteError, Errno)), Text);
}

void TstApp::errnoZeroLeavesTheFileError() {
    QCOMPARE(WindowsErrorFromErrno(0), 0);
    QCOMPARE(FileErrorCode(QFileDevice::OpenError, 0), 110);
}

void TstApp::errorDialogAsShown_data() {
    QTest::addColumn<int>("Key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TstApp::errorDialogAsShown() {
    QFETCH(int, Key);
    auto Form = CreateShownForm();
    const TShownBox Shown =
        ShowExtMessageDlg(QStringLiteral("Fout bij openen van bestand:\r/tmp/x"), mtError, mbOK,
                          [Key](QMessageBox& Box) { PressKey(Box, Qt::Key(Key)); });
    QCOMPARE(Shown.Title, QStringLiteral("Fout"));
    QCOMPARE(Shown.Text, QStringLiteral("Fout bij openen van bestand:\n/tmp/x"));
    QCOMPARE(Shown.Icon, QMessageBox::Critical);
    QVERIFY(Shown.IconShown);
    QCOMPARE(Shown.Captions, QStringList{"OK"});
    QCOMPARE(Shown.Default, QStringLiteral("OK"));
    QVERIFY(!Shown.LeftOpen);
    QCOMPARE(Shown.Result, int(mrOk));
    const QRect Main = Form->frameGeometry();
    QCOMPARE(Shown.Frame.topLeft(),
             Main.topLeft() + QPoint((Main.width() - Shown.Frame.width()) / 2,
                                     (Main.height() - Shown.Frame.height()) / 2));
}

void TstApp::escapeAnswers_data() {
    QTest::addColumn<TMsgDlgButtons>("Buttons");
    QTest::addColumn<QStringList>("Captions");
    QTest::addColumn<QString>("Default");
    QTest::addColumn<int>("Escape"); // the result of Esc; mrNone: Esc does nothing
    QTest::newRow("yes, no") << TMsgDlgButtons(mbYes | mbNo) << QStringList{"&Ja", "&Nee"} << "&Ja"
                             << int(mrNo);
    QTest::newRow("ok, cancel") << TMsgDlgButtons(mbOK | mbCancel) << QStringList{"&Annuleer", "OK"}
                                << "OK" << int(mrCancel);
    QTest::newRow("yes, no, cancel")
        << TMsgDlgButtons(mbYes | mbNo | mbCancel) << QStringList{"&Annuleer", "&Ja", "&Nee"}
        << "&Ja" << int(mrCancel);
    QTest::newRow("ok, help") << TMsgDlgButtons(mbOK | mbHelp) << QStringList{"&Help", "OK"} << "OK"
                              << int(mrOk);
    QTest::newRow("abort, retry, ignore")
        << TMsgDlgButtons(mbAbort | mbRetry | mbIgnore)
        << QStringList{"&Opnieuw", "Af&breken", "Over&slaan"} << "&Opnieuw" << int(mrNone);
    QTest::newRow("yes alone") << TMsgDlgButtons(mbYes) << QStringList{"&Ja"} << "&Ja"
                               << int(mrNone);
    QTest::newRow("all kinds") << TMsgDlgButtons(mbAll | mbNoToAll | mbYesToAll | mbHelp | mbYes)
                               << QStringList{"&Help", "&Ja", "A&lle(n)", "Ja o&p alles",
                                              "N&ee op alles"}
                               << "&Ja" << int(mrNone);
}

// Esc on the shown box; a box that Esc leaves open is then closed by its close box.
void TstApp::escapeAnswers() {
    QFETCH(TMsgDlgButtons, Buttons);
    QFETCH(QStringList, Captions);
    QFETCH(QString, Default);
    QFETCH(int, Escape);
    const TShownBox Shown =
        ShowExtMessageDlg(QStringLiteral("?"), mtConfirmation, Buttons,
                          [](QMessageBox& Box) { PressKey(Box, Qt::Key_Escape); });
    QCOMPARE(Shown.Title, QStringLiteral("Bevestiging"));
    QCOMPARE(Shown.Captions, Captions);
    QCOMPARE(Shown.Default, Default);
    QCOMPARE(Shown.LeftOpen, Escape == mrNone);
    QCOMPARE(Shown.Result, Escape == mrNone ? int(mrCancel) : Escape);
}

void TstApp::closeBoxAnswersCancel_data() {
    QTest::addColumn<TMsgDlgButtons>("Buttons");
    QTest::newRow("ok") << TMsgDlgButtons(mbOK);
    QTest::newRow("yes, no") << TMsgDlgButtons(mbYes | mbNo);
    QTest::newRow("abort, retry, ignore") << TMsgDlgButtons(mbAbort | mbRetry | mbIgnore);
    QTest::newRow("yes, yes to all") << TMsgDlgButtons(mbYes | mbYesToAll);
}

void TstApp::closeBoxAnswersCancel() {
    QFETCH(TMsgDlgButtons, Buttons);
    const TShownBox Shown = ShowExtMessageDlg(QStringLiteral("?"), mtWarning, Buttons,
                                              [](QMessageBox& Box) { UseCloseBox(Box); });
    QVERIFY(!Shown.LeftOpen);
    QCOMPARE(Shown.Result, int(mrCancel));
}

void TstApp::helpButtonKeepsTheDialogOpen() {
    bool OpenAfterHelp = false;
    const TShownBox Shown = ShowExtMessageDlg(
        QStringLiteral("?"), mtInformation, TMsgDlgButtons(mbOK | mbHelp), [&](QMessageBox& Box) {
            QTest::mouseClick(ButtonCaptioned(Box, "&Help"), Qt::LeftButton);
            OpenAfterHelp = Box.isVisible();
            QTest::mouseClick(ButtonCaptioned(Box, "OK"), Qt::LeftButton);
        });
    QVERIFY(OpenAfterHelp);
    QCOMPARE(Shown.Result, int(mrOk));
}

void TstApp::dialogPulledOntoTheScreen() {
    auto Form = CreateShownForm();
    const QRect Screen = Form->screen()->geometry();
    Form->move(Screen.right() - Form->frameGeometry().width() / 4, Screen.bottom() - 20);
    const auto Nothing = [](QMessageBox& Box) {
        PressKey(Box, Qt::Key_Return);
    };
    TShownBox Shown = ShowExtMessageDlg(QStringLiteral("Een bericht"), mtWarning, mbOK, Nothing);
    QCOMPARE(Shown.Title, QStringLiteral("Waarschuwing"));
    QCOMPARE(Shown.Frame.right(), Screen.right());
    QCOMPARE(Shown.Frame.bottom(), Screen.bottom());

    // Larger than the main window in the top-left corner: centred on its centre, then
    // pulled onto the screen.
    Form->move(Screen.topLeft());
    Shown = ShowExtMessageDlg(QString(200, QLatin1Char('x')) + QString(20, QLatin1Char('\r')),
                              mtInformation, mbOK, Nothing);
    const QRect Main = Form->frameGeometry();
    QVERIFY(Shown.Frame.width() > Main.width() || Shown.Frame.height() > Main.height());
    QCOMPARE(Shown.Frame.left(),
             std::max(Screen.left(), Main.left() + (Main.width() - Shown.Frame.width()) / 2));
    QCOMPARE(Shown.Frame.top(),
             std::max(Screen.top(), Main.top() + (Main.height() - Shown.Frame.height()) / 2));
}

void TstApp::dialogWithoutCentringStandsMidScreen() {
    auto Form = CreateShownForm();
    const QRect Screen = Form->screen()->geometry();
    Form->move(Screen.topLeft());
    CenterOnMainForm = false;
    const TShownBox Shown =
        ShowExtMessageDlg(QStringLiteral("Een bericht"), mtError, mbOK,
                          [](QMessageBox& Box) { PressKey(Box, Qt::Key_Return); });
    CenterOnMainForm = true;
    QVERIFY((Shown.Frame.center() - Screen.center()).manhattanLength() <= 2);
}

// Centred with the size the box has once shown, on the screen that holds the main window.
void TstApp::stableMessageCentredOnTheScreen() {
    auto Form = CreateShownForm();
    TShownBox Shown;
    AnswerNextModal([&Shown](QWidget* Modal) {
        auto& Box = *qobject_cast<QMessageBox*>(Modal);
        Shown = LookAt(Box);
        PressKey(Box, Qt::Key_Escape);
        Shown.LeftOpen = Box.isVisible();
    });
    Form->MenuStartGameClick();
    QTRY_COMPARE(Shown.Text, QStringLiteral("Stabiel systeem!"));
    QCOMPARE(Shown.Title, QStringLiteral("Conway's Game of Life"));
    QCOMPARE(Shown.Icon, QMessageBox::NoIcon);
    QCOMPARE(Shown.Captions, QStringList{"OK"});
    QVERIFY(!Shown.LeftOpen);
    QVERIFY(Shown.Frame.width() >= TitleBarWidth(Shown.Title));
    const QRect Screen = Form->screen()->geometry();
    QCOMPARE(Shown.Frame.topLeft(),
             Screen.topLeft() + QPoint((Screen.width() - Shown.Frame.width()) / 2,
                                       (Screen.height() - Shown.Frame.height()) / 2));
}

// The frame's margins are left, top, right and bottom; Expected is the client area's
// top-left corner. The window manager's frame is counted in, as openbox draws it (1, 20, 1, 1).
void TstApp::placedWithTheFrame_data() {
    QTest::addColumn<QString>("Placement");
    QTest::addColumn<QRect>("Screen");
    QTest::addColumn<QSize>("Client");
    QTest::addColumn<QMargins>("Frame");
    QTest::addColumn<QPoint>("Expected");
    const QRect Wide(0, 0, 1600, 1200);
    const QMargins Openbox(1, 20, 1, 1);
    QTest::newRow("main window centred with its frame")
        << "centred" << Wide << QSize(320, 279) << Openbox << QPoint(640, 470);
    QTest::newRow("main window on a second screen")
        << "centred" << QRect(1920, 100, 1280, 1024) << QSize(320, 279) << QMargins(4, 24, 4, 4)
        << QPoint(2400, 482);
    QTest::newRow("frame larger than the screen at its top-left")
        << "centred" << QRect(0, 0, 800, 600) << QSize(2560, 2070) << Openbox << QPoint(1, 20);
    QTest::newRow("no frame") << "centred" << QRect(0, 0, 800, 600) << QSize(322, 300) << QMargins()
                              << QPoint(239, 150);
    QTest::newRow("help window's frame against the right edge")
        << "right edge" << Wide << QSize(614, 613) << Openbox << QPoint(985, 303);
}

void TstApp::placedWithTheFrame() {
    QFETCH(QString, Placement);
    QFETCH(QRect, Screen);
    QFETCH(QSize, Client);
    QFETCH(QMargins, Frame);
    QFETCH(QPoint, Expected);
    const TFramePlacement Place = [&](const QSize& Size) {
        return Placement == QLatin1String("centred") ? CentredOnScreen(Screen, Size)
                                                     : HelpFormPosition(Screen, Size);
    };
    QCOMPARE(ClientPosition(Place, Client, Frame), Expected);
}

QTEST_MAIN(TstApp)
#include "tst_app.moc"
