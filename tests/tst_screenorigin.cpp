// Placement on a screen that does not start at (0, 0): the main window, the "Stabiel
// systeem!" box, the message dialogs and the help window stay on the screen that holds the
// main window. Runs with two offscreen screens, the primary one at (0, 0) and a second one
// to its right and lower.

#include "app/extmsgdlg.h"
#include "app/uhelp.h"
#include "settings/uoptionsdlg.h"
#include "tests/testhelpers.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

const QRect SecondGeometry(1920, 100, 1280, 1024);

QScreen* SecondScreen() {
    for (QScreen* Screen : QGuiApplication::screens()) {
        if (Screen->geometry() == SecondGeometry)
            return Screen;
    }
    return nullptr;
}

// A main window that the window system put on the second screen.
std::unique_ptr<TLifeForm> ShownOnSecondScreen() {
    auto Form = CreateForm();
    Form->move(SecondGeometry.topLeft());
    Form->show();
    if (!QTest::qWaitForWindowExposed(Form.get()))
        qWarning("main window was not exposed");
    return Form;
}

QPoint CentredIn(const QRect& Area, const QSize& Window) {
    return Area.topLeft() +
           QPoint((Area.width() - Window.width()) / 2, (Area.height() - Window.height()) / 2);
}

// The frame of the next message box as shown; the box is answered with its default button.
void KeepFrameOfNextBox(QRect& Frame) {
    AnswerNextModal([&Frame](QWidget* Modal) {
        Frame = Modal->frameGeometry();
        if (auto* Box = qobject_cast<QMessageBox*>(Modal); Box && Box->defaultButton())
            Box->defaultButton()->click();
        else
            Modal->close();
    });
}

// Every geometry the window is given, as its move and resize events tell it.
class TGeometryLog : public QObject {
public:
    explicit TGeometryLog(QWidget* Window) : Window(Window) { Window->installEventFilter(this); }
    QList<QRect> Seen;

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::Move || Event->type() == QEvent::Resize)
            Seen << Window->geometry();
        return false;
    }

private:
    QWidget* Window;
};

} // namespace

class TstScreenOrigin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowCentredOnItsScreen();
    void windowLargerThanTheScreenAtItsTopLeft();
    void newSizeAndPlaceInOneStep_data();
    void newSizeAndPlaceInOneStep();
    void stableMessageCentredOnTheScreen();
    void errorDialogPulledOntoTheScreen_data();
    void errorDialogPulledOntoTheScreen();
    void helpWindowAgainstTheRightEdge();
    void dialogWithoutCentringOnTheMainWindowsScreen();
};

void TstScreenOrigin::initTestCase() {
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 600));
    QVERIFY(SecondScreen());
}

void TstScreenOrigin::mainWindowCentredOnItsScreen() {
    const auto Form = ShownOnSecondScreen();
    QCOMPARE(Form->screen(), SecondScreen());
    const QRect Frame = Form->frameGeometry();
    QCOMPARE(Frame.topLeft(), CentredIn(SecondGeometry, Frame.size()));
}

// 1280 x 1024 cells of 2 x 2 pixels: the window fills its screen.
void TstScreenOrigin::windowLargerThanTheScreenAtItsTopLeft() {
    const auto Form = ShownOnSecondScreen();
    Form->ResizeTheWorld(1280, 1024, 2, 2);
    QCOMPARE(Form->frameGeometry().topLeft(), SecondGeometry.topLeft());
    QVERIFY(SecondGeometry.contains(Form->frameGeometry()));
}

void TstScreenOrigin::newSizeAndPlaceInOneStep_data() {
    QTest::addColumn<QString>("Change");
    QTest::newRow("settings dialog, 400 x 300 cells") << "400 x 300";
    QTest::newRow("settings dialog, 2 x 2 cells") << "2 x 2";
    QTest::newRow("settings dialog, largest world") << "1280 x 1024";
    QTest::newRow("zoom in") << "zoom in";
    QTest::newRow("undo of a new world size") << "undo";
}

// The window manager never sees the new size at the old place.
void TstScreenOrigin::newSizeAndPlaceInOneStep() {
    QFETCH(QString, Change);
    const auto Form = ShownOnSecondScreen();
    if (Change == QLatin1String("undo"))
        Form->ResizeTheWorld(1280, 1024, 2, 2);
    const QRect Before = Form->geometry();
    TGeometryLog Log(Form.get());
    if (Change == QLatin1String("zoom in")) {
        Form->MenuZoomInClick();
    } else if (Change == QLatin1String("undo")) {
        Form->MenuUndoClick();
    } else {
        AnswerNextModal([Change](QWidget* Modal) {
            auto* Dlg = qobject_cast<TOptionsDlg*>(Modal);
            const QStringList Numbers = Change.split(QStringLiteral(" x "));
            const bool Cells = Numbers.first().toInt() <= 2;
            (Cells ? Dlg->SetCellX(Numbers[0].toInt()) : Dlg->SetLifeX(Numbers[0].toInt()));
            (Cells ? Dlg->SetCellY(Numbers[1].toInt()) : Dlg->SetLifeY(Numbers[1].toInt()));
            Dlg->accept();
        });
        Form->DoOptionsDlg();
    }
    const QRect After = Form->frameGeometry();
    QVERIFY(After.size() != Before.size());
    QCOMPARE(After.topLeft(), CentredIn(SecondGeometry, After.size()));
    // The window manager is told the one size, and never another.
    QCOMPARE(Form->windowHandle()->minimumSize(), Form->size());
    QCOMPARE(Form->windowHandle()->maximumSize(), Form->size());
    QTRY_VERIFY(Log.Seen.contains(Form->geometry()));
    QVERIFY(!Log.Seen.contains(QRect(Before.topLeft(), Form->geometry().size())));
}

void TstScreenOrigin::stableMessageCentredOnTheScreen() {
    const auto Form = ShownOnSecondScreen();
    QRect Frame;
    KeepFrameOfNextBox(Frame);
    Form->MenuStartGameClick();
    QTRY_VERIFY(!Frame.isNull());
    QCOMPARE(Frame.topLeft(), CentredIn(SecondGeometry, Frame.size()));
}

void TstScreenOrigin::errorDialogPulledOntoTheScreen_data() {
    QTest::addColumn<QPoint>("MainPosition");
    QTest::addColumn<QPoint>("DialogCorner"); // the corner of the screen the dialog meets
    QTest::newRow("main window over the bottom-right corner")
        << SecondGeometry.bottomRight() - QPoint(60, 20) << SecondGeometry.bottomRight();
    QTest::newRow("main window over the top-left corner")
        << SecondGeometry.topLeft() - QPoint(300, 250) << SecondGeometry.topLeft();
}

void TstScreenOrigin::errorDialogPulledOntoTheScreen() {
    QFETCH(QPoint, MainPosition);
    QFETCH(QPoint, DialogCorner);
    const auto Form = ShownOnSecondScreen();
    Form->move(MainPosition);
    QRect Frame;
    KeepFrameOfNextBox(Frame);
    ExtMessageDlg(QStringLiteral("Fout bij openen van bestand:\r/tmp/x"), mtError, mbOK, 0);
    QVERIFY(Frame.contains(DialogCorner));
    QVERIFY(SecondGeometry.contains(Frame));
}

void TstScreenOrigin::helpWindowAgainstTheRightEdge() {
    const auto Form = ShownOnSecondScreen();
    Form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F1);
    QWidget* Help = TLifeFormProbe(*Form).HelpForm();
    QTRY_VERIFY(Help->isVisible());
    const QRect Frame = Help->frameGeometry();
    QCOMPARE(Frame.right(), SecondGeometry.right());
    QCOMPARE(Frame.top(), CentredIn(SecondGeometry, Frame.size()).y());
    Help->close();
}

// The pointer rests on the primary screen; the box goes to the main window's screen all the
// same.
void TstScreenOrigin::dialogWithoutCentringOnTheMainWindowsScreen() {
    const auto Form = ShownOnSecondScreen();
    CenterOnMainForm = false;
    QRect Frame;
    KeepFrameOfNextBox(Frame);
    ExtMessageDlg(QStringLiteral("Er is iets misgegaan"), mtError, mbOK, 0);
    CenterOnMainForm = true;
    QCOMPARE(Frame.topLeft(), CentredIn(SecondGeometry, Frame.size()));
}

QTEST_MAIN(TstScreenOrigin)
#include "tst_screenorigin.moc"
