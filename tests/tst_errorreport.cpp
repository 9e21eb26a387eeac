// The general error report: an exception that escapes an event handler is shown in Dutch,
// and the program goes on. The events go through the program's own application object.

#include "app/lifeapplication.h"
#include "tests/testhelpers.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

const QString Intro = QStringLiteral("Er is een onverwachte fout opgetreden:\n\n");

// Throws from its handler of posted events.
class TFaultyReceiver : public QObject {
public:
    std::function<void()> Fault;

protected:
    bool event(QEvent* Event) override {
        if (Event->type() == QEvent::User)
            Fault();
        return QObject::event(Event);
    }
};

// A timer like the world's, whose tick throws.
class TFaultyTimer : public QTimer {
public:
    explicit TFaultyTimer(std::function<void()> Fault) {
        setSingleShot(true);
        connect(this, &QTimer::timeout, this, std::move(Fault));
    }
};

int VisibleMessageBoxes() {
    int Count = 0;
    for (QWidget* Window : QApplication::topLevelWidgets())
        Count += qobject_cast<QMessageBox*>(Window) && Window->isVisible() ? 1 : 0;
    return Count;
}

// Counts the reports, answering each with its OK button.
struct TReports {
    int Count = 0;
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;

    void ExpectOne() {
        AnswerNextModal([this](QWidget* Modal) {
            auto* Box = qobject_cast<QMessageBox*>(Modal);
            if (!Box) {
                Modal->close();
                return;
            }
            ++Count;
            Title = Box->windowTitle();
            Text = Box->text();
            Icon = Box->icon();
            Box->defaultButton()->click();
        });
    }
};

} // namespace

class TstErrorReport : public QObject {
    Q_OBJECT

private slots:
    void rangeErrorInATimerIsReported();
    void outOfMemoryInAnEventHandlerIsReported();
    void failureWhileTheReportIsShownIsNotStacked();
};

// As a world index out of range in a timer tick would be.
void TstErrorReport::rangeErrorInATimerIsReported() {
    auto Form = CreateShownForm();
    TReports Reports;
    Reports.ExpectOne();
    TFaultyTimer Tick([] { throw std::out_of_range("World[1280, 0] out of range"); });
    Tick.start(0);
    QTRY_COMPARE(Reports.Count, 1);
    QCOMPARE(Reports.Title, QStringLiteral("Fout"));
    QCOMPARE(Reports.Icon, QMessageBox::Critical);
    QCOMPARE(Reports.Text, Intro + QStringLiteral("World[1280, 0] out of range"));

    // The program goes on.
    Form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(Form.get(), Qt::Key_F8);
    QCOMPARE(TLifeFormProbe(*Form).Panel(0)->text(), QStringLiteral("Generatie: 1"));
}

// Delivered as a posted event is, to a plain object: Qt's widget modules are built without
// exception support, and unwinding through their event delivery skips their clean-up.
void TstErrorReport::outOfMemoryInAnEventHandlerIsReported() {
    TFaultyReceiver Receiver;
    Receiver.Fault = [] {
        throw std::bad_alloc();
    };
    TReports Reports;
    Reports.ExpectOne();
    QCoreApplication::postEvent(&Receiver, new QEvent(QEvent::User));
    QTRY_COMPARE(Reports.Count, 1);
    QCOMPARE(Reports.Text, Intro + QStringLiteral("Onvoldoende geheugen."));

    Reports.ExpectOne();
    QCoreApplication::postEvent(&Receiver, new QEvent(QEvent::User));
    QTRY_COMPARE(Reports.Count, 2);
}

// A handler that fails again while the report is open gets no report of its own; once the
// report is closed, the next failure is reported again.
void TstErrorReport::failureWhileTheReportIsShownIsNotStacked() {
    TFaultyReceiver Receiver;
    Receiver.Fault = [] {
        throw std::runtime_error("tweede fout");
    };
    int Reports = 0;
    int Stacked = 0;
    AnswerNextModal([&](QWidget* Modal) {
        ++Reports;
        // Closes a second report, should one come, so that a failing test does not hang.
        QTimer::singleShot(0, qApp, [&Stacked] {
            if (VisibleMessageBoxes() > 1) {
                ++Stacked;
                QApplication::activeModalWidget()->close();
            }
        });
        QCoreApplication::postEvent(&Receiver, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&Receiver, QEvent::User);
        qobject_cast<QMessageBox*>(Modal)->defaultButton()->click();
    });
    TFaultyTimer Tick([] { throw std::runtime_error("eerste fout"); });
    Tick.start(0);
    QTRY_COMPARE(Reports, 1);
    QCoreApplication::processEvents();
    QCOMPARE(Stacked, 0);
    QCOMPARE(VisibleMessageBoxes(), 0);

    TReports Next;
    Next.ExpectOne();
    QCoreApplication::postEvent(&Receiver, new QEvent(QEvent::User));
    QTRY_COMPARE(Next.Count, 1);
    QCOMPARE(Next.Text, Intro + QStringLiteral("tweede fout"));
}

int main(int argc, char* argv[]) {
    TLifeApplication Application(argc, argv);
    Application.setAttribute(Qt::AA_Use96Dpi, true);
    TstErrorReport Test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&Test, argc, argv);
}

#include "tst_errorreport.moc"
