// Every menu item and every shortcut does what its caption says: the right command, in the
// right direction, by the right amount. Each is driven as the user drives it: the shortcut
// as a key press on the shown window, the item by a click in its opened menu.

#include "tests/testhelpers.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// An asymmetric pattern: every move, mirror and turn gives a different picture of it.
const QStringList RPentomino = {".OO", "OO.", ".O."};
const QPoint Start(100, 100);
constexpr int StartGeneration = 7;

// What a command left behind. Rows are the live cells' bounding rectangle, whose top-left
// cell is TopLeft; Windows are the titles of the windows it brought up.
struct TOutcome {
    QPoint TopLeft;
    QStringList Rows;
    int Generation = StartGeneration;
    bool Running = false;
    QStringList Windows;
    bool Closed = false;
    int Zoom = 100;

    friend bool operator==(const TOutcome&, const TOutcome&) = default;
};

char* toString(const TOutcome& Outcome) {
    const QString Text =
        QStringLiteral("at (%1, %2) rows [%3], generation %4%5, windows [%6]%7, zoom %8%")
            .arg(Outcome.TopLeft.x())
            .arg(Outcome.TopLeft.y())
            .arg(Outcome.Rows.join(QLatin1Char(' ')))
            .arg(Outcome.Generation)
            .arg(Outcome.Running ? QStringLiteral(", running") : QString())
            .arg(Outcome.Windows.join(QStringLiteral(", ")))
            .arg(Outcome.Closed ? QStringLiteral(", main window closed") : QString())
            .arg(Outcome.Zoom);
    return qstrdup(qPrintable(Text));
}

TOutcome Turned(QPoint TopLeft, const QStringList& Rows) {
    TOutcome Outcome;
    Outcome.TopLeft = TopLeft;
    Outcome.Rows = Rows;
    return Outcome;
}

TOutcome Moved(int Right, int Down) {
    return Turned(Start + QPoint(Right, Down), RPentomino);
}

TOutcome Zoomed(int Zoom) {
    TOutcome Outcome = Moved(0, 0);
    Outcome.Zoom = Zoom;
    return Outcome;
}

// One generation of the pattern, taken by a step or by the start of a run at the slowest
// speed, which steps at once.
TOutcome Stepped(bool Running) {
    TOutcome Outcome = Turned(Start, {"OOO", "O..", "OO."});
    Outcome.Generation = StartGeneration + 1;
    Outcome.Running = Running;
    return Outcome;
}

TOutcome Emptied() {
    TOutcome Outcome;
    Outcome.Generation = 0;
    return Outcome;
}

TOutcome Opens(const QString& Title) {
    TOutcome Outcome = Moved(0, 0);
    Outcome.Windows = {Title};
    return Outcome;
}

// Records the title of every window shown while it lives, and closes each modal one as
// soon as its event loop runs, so that the command that showed it returns.
class TWindowRecorder : public QObject {
public:
    TWindowRecorder() { qApp->installEventFilter(this); }
    ~TWindowRecorder() override { qApp->removeEventFilter(this); }

    QStringList Titles;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        auto* Window = qobject_cast<QWidget*>(Watched);
        if (Event->type() == QEvent::Show && Window && Window->isWindow() &&
            Window->windowType() != Qt::Popup) {
            Titles << Window->windowTitle();
            if (Window->isModal())
                QTimer::singleShot(0, Window, &QWidget::close);
        }
        return false;
    }
};

QRect LiveBounds(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    const QStringList Rows = ReadRows(Form, QRect(0, 0, Probe.HorCells(), Probe.VertCells()));
    QRect Bounds;
    for (int Y = 0; Y < Rows.size(); ++Y) {
        for (int X = 0; X < Rows[Y].size(); ++X) {
            if (Rows[Y][X] == QLatin1Char('O'))
                Bounds |= QRect(X, Y, 1, 1);
        }
    }
    return Bounds;
}

// The top-level menu with Caption, opened by a click on the menu bar; for a top-level item
// without a menu the click itself is the command.
QMenu* ClickMenuBar(TLifeForm& Form, const QString& Caption) {
    QMenuBar* Bar = Form.menuBar();
    for (QAction* Top : Bar->actions()) {
        if (Top->text() != Caption)
            continue;
        QTest::mouseClick(Bar, Qt::LeftButton, Qt::NoModifier, Bar->actionGeometry(Top).center());
        return Top->menu();
    }
    qFatal("no menu %s", qPrintable(Caption));
}

void ChooseFromMenu(TLifeForm& Form, const QString& MenuCaption, const QString& ItemCaption) {
    QMenu* Menu = ClickMenuBar(Form, MenuCaption);
    if (!Menu)
        return;
    QVERIFY(QTest::qWaitForWindowExposed(Menu));
    for (QAction* Item : Menu->actions()) {
        if (Item->text() == ItemCaption) {
            QTest::mouseClick(Menu, Qt::LeftButton, Qt::NoModifier,
                              Menu->actionGeometry(Item).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no item %1 in %2").arg(ItemCaption, MenuCaption)));
}

// A shown main window with the pattern at Start, at the slowest speed.
std::unique_ptr<TLifeForm> PreparedForm() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, Start.x(), Start.y(), RPentomino);
    Form->DrawGeneration(true);
    Probe.SetGeneration(StartGeneration);
    Probe.WorldTimer()->setInterval(1000);
    return Form;
}

TOutcome Observe(TLifeForm& Form, const TWindowRecorder& Recorder) {
    TLifeFormProbe Probe(Form);
    const QRect Bounds = LiveBounds(Form);
    TOutcome Outcome{Bounds.topLeft(), ReadRows(Form, Bounds), Probe.Generation(), Probe.Running,
                     Recorder.Titles,  !Form.isVisible(),      Probe.Zoom()};
    if (Probe.Running != Probe.WorldTimer()->isActive())
        Outcome.Windows << QStringLiteral("<timer out of step with the run>");
    return Outcome;
}

TOutcome ByShortcut(const QKeySequence& Shortcut) {
    auto Form = PreparedForm();
    const TWindowRecorder Recorder;
    QTest::keySequence(Form->windowHandle(), Shortcut);
    return Observe(*Form, Recorder);
}

TOutcome FromMenu(const QString& MenuCaption, const QString& ItemCaption) {
    auto Form = PreparedForm();
    const TWindowRecorder Recorder;
    ChooseFromMenu(*Form, MenuCaption, ItemCaption);
    return Observe(*Form, Recorder);
}

} // namespace

Q_DECLARE_METATYPE(TOutcome)

class TstMenus : public QObject {
    Q_OBJECT

private slots:
    void itemsAndShortcutsDoWhatTheySay_data();
    void itemsAndShortcutsDoWhatTheySay();
};

void TstMenus::itemsAndShortcutsDoWhatTheySay_data() {
    QTest::addColumn<QString>("Menu");
    QTest::addColumn<QString>("Item");
    QTest::addColumn<QKeySequence>("Shortcut");
    QTest::addColumn<TOutcome>("Expected");
    const QString Bestand = QStringLiteral("&Bestand");
    const QString Spel = QStringLiteral("&Spel");
    const auto Keys = [](QKeyCombination Combination) {
        return QKeySequence(Combination);
    };
    const auto Ctrl = Qt::CTRL;
    const auto CtrlShift = Qt::CTRL | Qt::SHIFT;

    // In the default world of 320 x 240 cells the turns act on the top-left 240 x 240 square.
    QTest::newRow("Verplaats naar links")
        << Spel << "Verplaats naar &links" << Keys(Ctrl | Qt::Key_Left) << Moved(-1, 0);
    QTest::newRow("Verplaats naar rechts")
        << Spel << "Verplaats naar &rechts" << Keys(Ctrl | Qt::Key_Right) << Moved(1, 0);
    QTest::newRow("Verplaats naar boven")
        << Spel << "Verplaats naar bo&ven" << Keys(Ctrl | Qt::Key_Up) << Moved(0, -1);
    QTest::newRow("Verplaats naar beneden")
        << Spel << "Verplaats naar &beneden" << Keys(Ctrl | Qt::Key_Down) << Moved(0, 1);
    QTest::newRow("Verplaats 10 naar links")
        << Spel << "Verplaats 10 naar links" << Keys(CtrlShift | Qt::Key_Left) << Moved(-10, 0);
    QTest::newRow("Verplaats 10 naar rechts")
        << Spel << "Verplaats 10 naar rechts" << Keys(CtrlShift | Qt::Key_Right) << Moved(10, 0);
    QTest::newRow("Verplaats 10 naar boven")
        << Spel << "Verplaats 10 naar boven" << Keys(CtrlShift | Qt::Key_Up) << Moved(0, -10);
    QTest::newRow("Verplaats 10 naar beneden")
        << Spel << "Verplaats 10 naar beneden" << Keys(CtrlShift | Qt::Key_Down) << Moved(0, 10);
    QTest::newRow("Horizontaal spiegelen")
        << Spel << "&Horizontaal spiegelen" << Keys(Ctrl | Qt::Key_H)
        << Turned({217, 100}, {"OO.", ".OO", ".O."});
    QTest::newRow("Verticaal spiegelen") << Spel << "&Verticaal spiegelen" << Keys(Ctrl | Qt::Key_V)
                                         << Turned({100, 137}, {".O.", "OO.", ".OO"});
    QTest::newRow("Roteer naar links") << Spel << "Roteer naar lin&ks" << Keys(Ctrl | Qt::Key_L)
                                       << Turned({100, 137}, {"O..", "OOO", ".O."});
    QTest::newRow("Roteer naar rechts") << Spel << "Ro&teer naar rechts" << Keys(Ctrl | Qt::Key_R)
                                        << Turned({137, 100}, {".O.", "OOO", "..O"});
    QTest::newRow("Roteer 180 graden") << Spel << "Roteer &180 graden" << Keys(Ctrl | Qt::Key_8)
                                       << Turned({217, 137}, {".O.", ".OO", "OO."});
    QTest::newRow("Een stap vooruit")
        << Spel << "&Een stap vooruit" << Keys(QKeyCombination(Qt::Key_F8)) << Stepped(false);
    QTest::newRow("Start spel") << Spel << "&Start spel" << Keys(QKeyCombination(Qt::Key_F3))
                                << Stepped(true);
    QTest::newRow("Nieuw spel") << Bestand << "&Nieuw spel" << Keys(Ctrl | Qt::Key_N) << Emptied();
    QTest::newRow("Spel openen") << Bestand << "Spel openen" << Keys(Ctrl | Qt::Key_O)
                                 << Opens("Spel openen");
    QTest::newRow("Spel opslaan") << Bestand << "Spel op&slaan" << Keys(Ctrl | Qt::Key_S)
                                  << Opens("Spel opslaan");
    // The drawing was never saved: closing asks first, and Esc keeps the window.
    QTest::newRow("Afsluiten") << Bestand << "&Afsluiten" << Keys(Qt::ALT | Qt::Key_F4)
                               << Opens("Bevestiging");
    QTest::newRow("Inzoomen") << "Beel&d"
                              << "&Inzoomen" << Keys(Ctrl | Qt::Key_Plus) << Zoomed(200);
    QTest::newRow("Inzoomen by Ctrl+=") << "Beel&d"
                                        << "&Inzoomen" << Keys(Ctrl | Qt::Key_Equal) << Zoomed(200);
    QTest::newRow("Uitzoomen") << "Beel&d"
                               << "&Uitzoomen" << Keys(Ctrl | Qt::Key_Minus) << Zoomed(50);
    QTest::newRow("Patroon in beeld")
        << "Beel&d"
        << "&Patroon in beeld" << Keys(Ctrl | Qt::Key_F) << Zoomed(3200);
    QTest::newRow("Instelingen") << "&Instelingen" << QString() << QKeySequence()
                                 << Opens("Instellingen");
    QTest::newRow("Spel instructies") << "&Help"
                                      << "&Spel instructies" << Keys(QKeyCombination(Qt::Key_F1))
                                      << Opens("Uitleg en instructies");
    QTest::newRow("Info") << "&Help"
                          << "&Info" << Keys(Ctrl | Qt::Key_F1) << Opens("Over dit spel");
}

void TstMenus::itemsAndShortcutsDoWhatTheySay() {
    QFETCH(QString, Menu);
    QFETCH(QString, Item);
    QFETCH(QKeySequence, Shortcut);
    QFETCH(TOutcome, Expected);
    QCOMPARE(FromMenu(Menu, Item), Expected);
    if (!Shortcut.isEmpty())
        QCOMPARE(ByShortcut(Shortcut), Expected);
}

QTEST_MAIN(TstMenus)
#include "tst_menus.moc"
