// The application shell: run control, menus and shortcuts, status bar, message dialogs
// and error texts.

#include "app/errors.h"
#include "app/extmsgdlg.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <cerrno>

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
    void generationPanelFitsTheLargestNumber();

    void errorTexts_data();
    void errorTexts();
    void errnoMapsOntoWindowsCodes();
    void errorDialogLooksDutch();
    void dialogButtons_data();
    void dialogButtons();
    void dialogPulledOntoTheScreen();
    void dialogWithoutCentringKeepsPlatformPlacement();
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

void TstApp::slowestSpeedStepsAtOnce() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Blinker);
    Probe.WorldTimer()->setInterval(1000);
    Form->MenuStartGameClick();
    QCOMPARE(Probe.Generation(), 1);
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
    for (const char* Name : {"MenuNewGame", "MenuCloseGame"})
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

void TstApp::closingDuringARunStopsTheTimer() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Blinker);
    Probe.WorldTimer()->setInterval(1);
    Form->MenuStartGameClick();
    QTRY_VERIFY(Probe.Generation() > 0);
    Form->close();
    QVERIFY(!Probe.WorldTimer()->isActive());
    const int AtClose = Probe.Generation();
    QTest::qWait(20); // no condition to wait for: ticks must not come
    QCOMPARE(Probe.Generation(), AtClose);
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

void TstApp::errnoMapsOntoWindowsCodes() {
    QCOMPARE(ErrorText(WindowsErrorFromErrno(ENOENT)), QStringLiteral("Bestand niet gevonden"));
    QCOMPARE(ErrorText(WindowsErrorFromErrno(ENOTDIR)), QStringLiteral("Pad niet gevonden"));
    QCOMPARE(ErrorText(WindowsErrorFromErrno(EACCES)), QStringLiteral("Toegang geweigerd"));
    QCOMPARE(ErrorText(WindowsErrorFromErrno(ENOSPC)), QStringLiteral("De schijf is vol"));
    QCOMPARE(ErrorText(WindowsErrorFromErrno(EROFS)),
             QStringLiteral("Het medium is schrijfbeveiligd"));
    QCOMPARE(WindowsErrorFromErrno(0), 0);
    QCOMPARE(FileErrorCode(QFileDevice::OpenError, 0), 110);
}

void TstApp::errorDialogLooksDutch() {
    const auto Box = CreateExtMessageDlg(QStringLiteral("Fout bij openen van bestand:\r/tmp/x"),
                                         mtError, mbOK, 0);
    QCOMPARE(Box->windowTitle(), QStringLiteral("Fout"));
    QCOMPARE(Box->icon(), QMessageBox::Critical);
    QCOMPARE(Box->text(), QStringLiteral("Fout bij openen van bestand:\n/tmp/x"));
    QCOMPARE(Box->buttons().size(), 1);
    QCOMPARE(Box->buttons().first()->text(), QStringLiteral("OK"));
    QCOMPARE(Box->defaultButton(), Box->buttons().first());
    QCOMPARE(Box->escapeButton(), Box->buttons().first());
    AcceptNextMessageBox();
    QCOMPARE(ExtMessageDlg(QStringLiteral("?"), mtError, mbOK, 0), int(mrOk));
    AnswerNextModal([](QWidget* Modal) {
        for (QAbstractButton* Button : qobject_cast<QMessageBox*>(Modal)->buttons()) {
            if (Button->text() == QStringLiteral("&Nee"))
                Button->click();
        }
    });
    QCOMPARE(ExtMessageDlg(QStringLiteral("?"), mtConfirmation, TMsgDlgButtons(mbYes | mbNo), 0),
             int(mrNo));
}

void TstApp::dialogButtons_data() {
    QTest::addColumn<TMsgDlgButtons>("Buttons");
    QTest::addColumn<QStringList>("Captions");
    QTest::addColumn<QString>("Default");
    QTest::addColumn<QString>("Escape");
    QTest::newRow("yes, no") << TMsgDlgButtons(mbYes | mbNo) << QStringList{"&Ja", "&Nee"} << "&Ja"
                             << "&Nee";
    QTest::newRow("ok, cancel") << TMsgDlgButtons(mbOK | mbCancel) << QStringList{"OK", "&Annuleer"}
                                << "OK"
                                << "&Annuleer";
    QTest::newRow("abort, retry, ignore")
        << TMsgDlgButtons(mbAbort | mbRetry | mbIgnore)
        << QStringList{"Af&breken", "&Opnieuw", "Over&slaan"} << "&Opnieuw"
        << "";
    QTest::newRow("all kinds") << TMsgDlgButtons(mbAll | mbNoToAll | mbYesToAll | mbHelp | mbYes)
                               << QStringList{"&Ja", "A&lle(n)", "N&ee op alles", "Ja o&p alles",
                                              "&Help"}
                               << "&Ja"
                               << "";
}

void TstApp::dialogButtons() {
    QFETCH(TMsgDlgButtons, Buttons);
    QFETCH(QStringList, Captions);
    QFETCH(QString, Default);
    QFETCH(QString, Escape);
    const auto Box = CreateExtMessageDlg(QStringLiteral("?"), mtConfirmation, Buttons, 7);
    QStringList Actual;
    for (QAbstractButton* Button : Box->buttons())
        Actual << Button->text();
    Actual.sort();
    Captions.sort();
    QCOMPARE(Actual, Captions);
    QCOMPARE(Box->windowTitle(), QStringLiteral("Bevestiging"));
    QCOMPARE(Box->defaultButton() ? Box->defaultButton()->text() : QString(), Default);
    QCOMPARE(Box->escapeButton() ? Box->escapeButton()->text() : QString(), Escape);
    QCOMPARE(Box->property("helpContext").toInt(), 7);
}

void TstApp::dialogPulledOntoTheScreen() {
    auto Form = CreateShownForm();
    const QRect Screen = QGuiApplication::primaryScreen()->geometry();
    Form->move(Screen.width() - Form->frameGeometry().width() / 4, Screen.height() - 20);
    auto Box = CreateExtMessageDlg(QStringLiteral("Een bericht"), mtWarning, mbOK, 0);
    QCOMPARE(Box->windowTitle(), QStringLiteral("Waarschuwing"));
    QCOMPARE(Box->x(), Screen.width() - Box->width());
    QCOMPARE(Box->y(), Screen.height() - Box->height());

    Form->move(0, 0);
    Box = CreateExtMessageDlg(QString(200, QLatin1Char('x')) +
                                  QStringLiteral("\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r\r"),
                              mtInformation, mbOK, 0);
    const QRect Main = Form->frameGeometry();
    QCOMPARE(Box->x(), std::max(0, Main.left() + (Main.width() - Box->width()) / 2));
    QVERIFY(Box->y() >= 0);
}

void TstApp::dialogWithoutCentringKeepsPlatformPlacement() {
    auto Form = CreateShownForm();
    CenterOnMainForm = false;
    const auto Box = CreateExtMessageDlg(QStringLiteral("Een bericht"), mtError, mbOK, 0);
    CenterOnMainForm = true;
    QVERIFY(!Box->testAttribute(Qt::WA_Moved));
}

QTEST_MAIN(TstApp)
#include "tst_app.moc"
