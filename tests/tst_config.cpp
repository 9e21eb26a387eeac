// The settings dialog, the settings command and the sizing of the world window.

#include "settings/settingspaths.h"
#include "settings/uoptionsdlg.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

namespace {

enum class TAnswer { OkButton, EnterKey, CancelButton, EscapeKey, CloseBox };

// Answers the next settings dialog: Edit changes it first, Inspect then looks at it.
void AnswerOptionsDlg(TAnswer Answer, std::function<void(TOptionsDlg&)> Edit = {},
                      std::function<void(TOptionsDlg&)> Inspect = {}) {
    AnswerNextModal([=](QWidget* Modal) {
        auto* Dlg = qobject_cast<TOptionsDlg*>(Modal);
        if (!Dlg) {
            Modal->close();
            return;
        }
        if (Edit)
            Edit(*Dlg);
        if (Inspect)
            Inspect(*Dlg);
        switch (Answer) {
        case TAnswer::OkButton:
            Dlg->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
            break;
        case TAnswer::EnterKey:
            QTest::keyClick(Dlg->focusWidget() ? Dlg->focusWidget() : Dlg, Qt::Key_Return);
            break;
        case TAnswer::CancelButton:
            Dlg->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
            break;
        case TAnswer::EscapeKey:
            QTest::keyClick(Dlg, Qt::Key_Escape);
            break;
        case TAnswer::CloseBox:
            Dlg->close();
            break;
        }
    });
}

TSpinEdit* Field(QWidget& Dlg, const QString& Name) {
    auto* Edit = Dlg.findChild<TSpinEdit*>(Name);
    if (!Edit)
        qFatal("no number field %s", qPrintable(Name));
    return Edit;
}

QSlider* SpeedTrackbar(QWidget& Dlg) {
    return Dlg.findChild<QSlider*>(QStringLiteral("SpeedTrackbar"));
}

// The control that has the keyboard in the dialog: a button by its caption, any other
// control by its name.
QString Focused(QWidget& Dlg) {
    QWidget* Widget = Dlg.focusWidget();
    if (!Widget)
        return QString();
    if (auto* Button = qobject_cast<QAbstractButton*>(Widget))
        return Button->text();
    return Widget->objectName();
}

QString CheckedWrapItem(QWidget& Dlg) {
    for (const QRadioButton* Item : Dlg.findChildren<QRadioButton*>()) {
        if (Item->isChecked())
            return Item->text();
    }
    return QString();
}

// Presses Key on the dialog's window, as the keyboard does.
void Press(QWidget& Dlg, Qt::Key Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    QTest::keyClick(Dlg.windowHandle(), Key, Modifiers);
}

// Tabs from the speed track bar, where the dialog opens, to the control after the cell
// height field.
void TabIntoWrapGroup(QWidget& Dlg) {
    QVERIFY(QTest::qWaitForWindowActive(&Dlg));
    QCOMPARE(Focused(Dlg), QStringLiteral("SpeedTrackbar"));
    for (int Stop = 0; Stop < 5; ++Stop)
        Press(Dlg, Qt::Key_Tab);
}

// Replaces the whole text of a field as the user would: select it, then type.
void TypeInto(TSpinEdit* Edit, const QString& Keys) {
    Edit->setFocus();
    QTest::keyClick(Edit, Qt::Key_A, Qt::ControlModifier);
    if (Keys.isEmpty())
        QTest::keyClick(Edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(Edit, Keys);
}

// Whether the snapshot's cell Target counts as a neighbour of (X, Y): Target, dead before,
// is made alive for the count and dead again after it.
bool Counts(TLifeForm& Form, int X, int Y, QPoint Target) {
    TLifeFormProbe Probe(Form);
    if (Probe.Engine.PrevState(Target.x(), Target.y()) != 0)
        qFatal("Counts needs a dead target");
    const int Before = Probe.Engine.Neighbours(X, Y);
    Probe.Engine.SetCell(Target.x(), Target.y(), 1);
    const int After = Probe.Engine.Neighbours(X, Y);
    Probe.Engine.SetCell(Target.x(), Target.y(), 0);
    return After == Before + 1;
}

// Cells outside the in-use rectangle whose State or PrevState is not dead.
int LiveOutside(TLifeForm& Form) {
    TLifeFormProbe Probe(Form);
    int Count = 0;
    for (int X = 0; X < TLifeEngine::MaxHorCells; ++X) {
        for (int Y = 0; Y < TLifeEngine::MaxVertCells; ++Y) {
            if (X >= Probe.HorCells() || Y >= Probe.VertCells())
                Count += Probe.Engine.State(X, Y) != 0 || Probe.Engine.PrevState(X, Y) != 0;
        }
    }
    return Count;
}

// Counts the rebuilds of the picture and notes the message panel and the cursor at the
// moment the new picture control is made, in the middle of the rebuild.
class TRebuildWatcher : public QObject {
public:
    explicit TRebuildWatcher(TLifeForm& Form) : Form(Form) {
        Form.findChild<QWidget*>(QStringLiteral("ClientArea"))->installEventFilter(this);
    }

    int Rebuilds = 0;
    QString MessageDuring;
    bool BusyDuring = false;

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        // Only the picture control is a widget; style animations come and go as well.
        if (Event->type() == QEvent::ChildAdded &&
            static_cast<QChildEvent*>(Event)->child()->isWidgetType()) {
            ++Rebuilds;
            MessageDuring = TLifeFormProbe(Form).Panel(1)->text();
            const QCursor* Cursor = QApplication::overrideCursor();
            BusyDuring = Cursor && Cursor->shape() == Qt::WaitCursor;
        }
        return false;
    }

private:
    TLifeForm& Form;
};

const QStringList Glider = {".O.", "..O", "OOO"};

} // namespace

Q_DECLARE_METATYPE(TAnswer)

class TstConfig : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void settersClampAndGettersRead_data();
    void settersClampAndGettersRead();
    void nothingSelectedReadsAsNoWrapping();
    void controlsInTabOrder();
    void wrapGroupIsOneTabStop_data();
    void wrapGroupIsOneTabStop();
    void typingIntoNumberFields_data();
    void typingIntoNumberFields();
    void stepsStartFromTheShownText_data();
    void stepsStartFromTheShownText();
    void stepsFollowInTheCellSizeFields();
    void fillingKeepsAnUnequalCellSize();
    void changeIsReportedWhateverChangedTheText();

    void dialogIsFilledFromTheWindow();
    void menuItemOpensTheDialog();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void okWithoutChangeOnlyMarksSaving();
    void okKeepsAHandEditedCellSize();
    void speedOnlyChange();
    void typedWidthIsClampedOnConfirm_data();
    void typedWidthIsClampedOnConfirm();
    void runIsStoppedWhateverTheOutcome_data();
    void runIsStoppedWhateverTheOutcome();
    void settingsAreWrittenAtCloseOnlyAfterOk_data();
    void settingsAreWrittenAtCloseOnlyAfterOk();

    void sameValuesChangeNothing();
    void shrinkAndGrow();
    void sizeAndWrapChangeRelinkInOrder_data();
    void sizeAndWrapChangeRelinkInOrder();
    void cellSizeOnlyChange();
    void busyStateDuringAndAfterTheRebuild();
    void largestWorldAtTheScreensTopLeft();
    void noMemoryForThePictureShowsOneMessageAndCloses();

private:
    QTemporaryDir SettingsRoot;
};

void TstConfig::initTestCase() {
    QVERIFY(SettingsRoot.isValid());
    SettingsDir =
        AddTrailingBackslash(QDir::toNativeSeparators(SettingsRoot.path())) + SettingsSubPath();
    SettingsFile = AddTrailingBackslash(SettingsDir) + QStringLiteral("vindrel.ini");
}

void TstConfig::cleanup() {
    QFile::remove(SettingsFile);
}

void TstConfig::settersClampAndGettersRead_data() {
    QTest::addColumn<QString>("Property");
    QTest::addColumn<qint32>("Written");
    QTest::addColumn<qint32>("Read");

    QTest::newRow("LifeX below 320") << "LifeX" << 100 << 320;
    QTest::newRow("LifeX within") << "LifeX" << 640 << 640;
    QTest::newRow("LifeX above 1280") << "LifeX" << 5000 << 1280;
    QTest::newRow("LifeY below 240") << "LifeY" << 0 << 240;
    QTest::newRow("LifeY within") << "LifeY" << 480 << 480;
    QTest::newRow("LifeY above 1024") << "LifeY" << 2000 << 1024;
    QTest::newRow("CellX below 1") << "CellX" << 0 << 1;
    QTest::newRow("CellX above 2") << "CellX" << 3 << 2;
    QTest::newRow("CellY below 1") << "CellY" << -4 << 1;
    QTest::newRow("CellY 2") << "CellY" << 2 << 2;
    QTest::newRow("WrapMode -1 is Geen") << "WrapMode" << -1 << 0;
    QTest::newRow("WrapMode Verticaal") << "WrapMode" << 2 << 2;
    QTest::newRow("WrapMode 7 is Beide") << "WrapMode" << 7 << 3;
    QTest::newRow("Interval 1000") << "Interval" << 1000 << 1000;
    QTest::newRow("Interval 250") << "Interval" << 250 << 250;
    QTest::newRow("Interval 100") << "Interval" << 100 << 100;
    QTest::newRow("Interval 50") << "Interval" << 50 << 50;
    QTest::newRow("Interval 1") << "Interval" << 1 << 1;
    QTest::newRow("Interval 200 selects 100") << "Interval" << 200 << 100;
    QTest::newRow("Interval 0 is clamped to 1") << "Interval" << 0 << 1;
    QTest::newRow("Interval 5000 is clamped to 1000") << "Interval" << 5000 << 1000;
}

void TstConfig::settersClampAndGettersRead() {
    QFETCH(QString, Property);
    QFETCH(qint32, Written);
    QFETCH(qint32, Read);
    TOptionsDlg Dlg;
    const QByteArray Name = Property.toLatin1();
    QVERIFY(Dlg.setProperty(Name.constData(), Written));
    QCOMPARE(Dlg.property(Name.constData()).value<qint32>(), Read);
}

void TstConfig::nothingSelectedReadsAsNoWrapping() {
    TOptionsDlg Dlg;
    QCOMPARE(Dlg.WrapMode(), qint32(wmNone));
    const QList<QRadioButton*> Items = Dlg.findChildren<QRadioButton*>();
    QCOMPARE(Items.size(), 4);
    for (QRadioButton* Item : Items)
        QVERIFY(!Item->isChecked());
}

void TstConfig::controlsInTabOrder() {
    TOptionsDlg Dlg;
    const QStringList Expected = {"SpeedTrackbar", "LifeXEdit", "LifeYEdit",   "CellXEdit",
                                  "CellYEdit",     "Geen",      "Horizontaal", "Verticaal",
                                  "Beide",         "OK",        "&Annuleer"};
    QStringList Chain;
    QWidget* Widget = SpeedTrackbar(Dlg);
    do {
        if (auto* Button = qobject_cast<QAbstractButton*>(Widget))
            Chain << Button->text();
        else if (qobject_cast<QSlider*>(Widget) || qobject_cast<TSpinEdit*>(Widget))
            Chain << Widget->objectName();
        Widget = Widget->nextInFocusChain();
    } while (Widget != SpeedTrackbar(Dlg) && Chain.size() <= Expected.size());
    QCOMPARE(Chain, Expected);
}

void TstConfig::wrapGroupIsOneTabStop_data() {
    QTest::addColumn<qint32>("Mode");
    QTest::addColumn<QString>("Item");
    QTest::addColumn<Qt::Key>("Arrow");
    QTest::addColumn<QString>("ArrowedTo");
    QTest::newRow("Geen") << qint32(wmNone) << "Geen" << Qt::Key_Down << "Horizontaal";
    QTest::newRow("Horizontaal") << qint32(wmHorizontal) << "Horizontaal" << Qt::Key_Down
                                 << "Verticaal";
    QTest::newRow("Verticaal") << qint32(wmVertical) << "Verticaal" << Qt::Key_Up << "Horizontaal";
    QTest::newRow("Beide") << qint32(wmBoth) << "Beide" << Qt::Key_Up << "Verticaal";
}

// Tab enters the group on its checked item, an arrow key moves within it, Tab leaves it in
// one step, and Shift+Tab comes back to the item now checked. A second showing, filled
// from the window again, enters on the item of the window's mode.
void TstConfig::wrapGroupIsOneTabStop() {
    QFETCH(qint32, Mode);
    QFETCH(QString, Item);
    QFETCH(Qt::Key, Arrow);
    QFETCH(QString, ArrowedTo);
    auto Form = CreateShownForm();
    Form->SetWrapping(Mode);

    QStringList Seen;
    AnswerNextModal([&](QWidget* Dlg) {
        TabIntoWrapGroup(*Dlg);
        Seen << Focused(*Dlg);
        Press(*Dlg, Arrow);
        Seen << Focused(*Dlg) << CheckedWrapItem(*Dlg);
        Press(*Dlg, Qt::Key_Tab);
        Seen << Focused(*Dlg);
        Press(*Dlg, Qt::Key_Backtab, Qt::ShiftModifier);
        Seen << Focused(*Dlg);
        Press(*Dlg, Qt::Key_Escape);
    });
    Form->DoOptionsDlg();
    QCOMPARE(Seen, QStringList({Item, ArrowedTo, ArrowedTo, "OK", ArrowedTo}));

    QString Refilled;
    AnswerNextModal([&](QWidget* Dlg) {
        TabIntoWrapGroup(*Dlg);
        Refilled = Focused(*Dlg);
        Press(*Dlg, Qt::Key_Escape);
    });
    Form->DoOptionsDlg();
    QCOMPARE(Refilled, Item);
}

void TstConfig::typingIntoNumberFields_data() {
    QTest::addColumn<qint32>("CellSize");
    QTest::addColumn<QString>("Name");
    QTest::addColumn<QString>("Keys");
    QTest::addColumn<QStringList>("Shown");  // LifeX, LifeY, CellX, CellY after leaving
    QTest::addColumn<QList<qint32>>("Read"); // what the getters give, where the text is no number

    QTest::newRow("5 into CellXEdit makes both 2")
        << 1 << "CellXEdit"
        << "5" << QStringList{"640", "480", "2", "2"} << QList<qint32>();
    QTest::newRow("1 into CellYEdit makes both 1")
        << 2 << "CellYEdit"
        << "1" << QStringList{"640", "480", "1", "1"} << QList<qint32>();
    QTest::newRow("emptied CellYEdit makes both 1")
        << 2 << "CellYEdit"
        << "" << QStringList{"640", "480", "1", "1"} << QList<qint32>();
    QTest::newRow("100 into LifeXEdit becomes 320")
        << 1 << "LifeXEdit"
        << "100" << QStringList{"320", "480", "1", "1"} << QList<qint32>();
    QTest::newRow("5000 into LifeYEdit becomes 1024")
        << 1 << "LifeYEdit"
        << "5000" << QStringList{"640", "1024", "1", "1"} << QList<qint32>();
    QTest::newRow("a lone minus in LifeYEdit stays and reads as 240")
        << 1 << "LifeYEdit"
        << "-" << QStringList{"640", "-", "1", "1"} << QList<qint32>{640, 240, 1, 1};
    const QString Decimal = QStringLiteral("700") + QLocale().decimalPoint() + "5";
    QTest::newRow("a decimal number in LifeXEdit stays and reads as 320")
        << 1 << "LifeXEdit" << Decimal << QStringList{Decimal, "480", "1", "1"}
        << QList<qint32>{320, 480, 1, 1};
    QTest::newRow("letters are refused")
        << 1 << "LifeXEdit"
        << "abc" << QStringList{"640", "480", "1", "1"} << QList<qint32>();
    QTest::newRow("digits between letters are taken")
        << 1 << "LifeXEdit"
        << "9x0y0" << QStringList{"900", "480", "1", "1"} << QList<qint32>();
}

void TstConfig::typingIntoNumberFields() {
    QFETCH(qint32, CellSize);
    QFETCH(QString, Name);
    QFETCH(QString, Keys);
    QFETCH(QStringList, Shown);
    QFETCH(QList<qint32>, Read);
    TOptionsDlg Dlg;
    Dlg.SetLifeX(640);
    Dlg.SetLifeY(480);
    Dlg.SetCellX(CellSize);
    Dlg.SetCellY(CellSize);
    Dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&Dlg));

    TSpinEdit* Edit = Field(Dlg, Name);
    TypeInto(Edit, Keys);
    QTRY_VERIFY(Edit->hasFocus());
    Dlg.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->setFocus();
    QTRY_VERIFY(!Edit->hasFocus());

    const QStringList Names = {"LifeXEdit", "LifeYEdit", "CellXEdit", "CellYEdit"};
    QStringList Texts;
    for (const QString& Each : Names)
        Texts << Field(Dlg, Each)->text();
    QCOMPARE(Texts, Shown);
    if (Read.isEmpty()) {
        for (const QString& Text : Shown)
            Read << Text.toInt();
    }
    QCOMPARE(QList<qint32>({Dlg.LifeX(), Dlg.LifeY(), Dlg.CellX(), Dlg.CellY()}), Read);
}

void TstConfig::stepsStartFromTheShownText_data() {
    QTest::addColumn<QString>("Typed");
    QTest::addColumn<int>("Key");
    QTest::addColumn<QString>("Shown");
    QTest::newRow("100 and Up give 320") << "100" << int(Qt::Key_Up) << "320";
    QTest::newRow("5000 and Down give 1280") << "5000" << int(Qt::Key_Down) << "1280";
    QTest::newRow("5000 and Up give 1280") << "5000" << int(Qt::Key_Up) << "1280";
    QTest::newRow("700 and Up give 701") << "700" << int(Qt::Key_Up) << "701";
    QTest::newRow("no number and Up give 321") << "" << int(Qt::Key_Up) << "321";
}

// Before the field is left: the step starts from the text, not from the clamped value.
void TstConfig::stepsStartFromTheShownText() {
    QFETCH(QString, Typed);
    QFETCH(int, Key);
    QFETCH(QString, Shown);
    TOptionsDlg Dlg;
    Dlg.SetLifeX(640);
    Dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&Dlg));
    TSpinEdit* Edit = Field(Dlg, QStringLiteral("LifeXEdit"));
    TypeInto(Edit, Typed);
    QTest::keyClick(Edit, Qt::Key(Key));
    QCOMPARE(Edit->text(), Shown);
    QCOMPARE(Dlg.LifeX(), Shown.toInt());
}

void TstConfig::stepsFollowInTheCellSizeFields() {
    TOptionsDlg Dlg;
    Dlg.SetLifeX(320);
    Dlg.SetCellX(1);
    Dlg.SetCellY(1);
    TSpinEdit* LifeXEdit = Field(Dlg, QStringLiteral("LifeXEdit"));
    TSpinEdit* CellXEdit = Field(Dlg, QStringLiteral("CellXEdit"));
    TSpinEdit* CellYEdit = Field(Dlg, QStringLiteral("CellYEdit"));

    QTest::keyClick(LifeXEdit, Qt::Key_Down);
    QCOMPARE(Dlg.LifeX(), 320);
    QTest::keyClick(LifeXEdit, Qt::Key_Up);
    QTest::keyClick(LifeXEdit, Qt::Key_Up);
    QCOMPARE(Dlg.LifeX(), 322);
    QCOMPARE(LifeXEdit->text(), QStringLiteral("322"));

    QTest::keyClick(CellXEdit, Qt::Key_Up);
    QCOMPARE(CellYEdit->text(), QStringLiteral("2"));
    QTest::keyClick(CellYEdit, Qt::Key_Down);
    QCOMPARE(CellXEdit->text(), QStringLiteral("1"));
    QCOMPARE(Dlg.CellX(), 1);
    QCOMPARE(Dlg.CellY(), 1);
}

// Filling one cell-size field leaves the other alone, in the first showing and later ones.
void TstConfig::fillingKeepsAnUnequalCellSize() {
    TOptionsDlg Dlg;
    for (int Showing = 0; Showing < 2; ++Showing) {
        Dlg.SetCellX(1);
        Dlg.SetCellY(1);
        Dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Dlg));
        Dlg.SetCellX(2);
        QCOMPARE(QList<qint32>({Dlg.CellX(), Dlg.CellY()}), QList<qint32>({2, 1}));
        Dlg.SetCellY(2);
        Dlg.SetCellY(1);
        QCOMPARE(QList<qint32>({Dlg.CellX(), Dlg.CellY()}), QList<qint32>({2, 1}));
        Dlg.hide();
    }
}

void TstConfig::changeIsReportedWhateverChangedTheText() {
    TOptionsDlg Dlg;
    Dlg.SetLifeX(640);
    Dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&Dlg));
    TSpinEdit* Edit = Field(Dlg, QStringLiteral("LifeXEdit"));
    QSignalSpy Changes(Edit, &TSpinEdit::Change);

    Edit->SetValue(640);
    QCOMPARE(Changes.count(), 0);
    TypeInto(Edit, QStringLiteral("100"));
    QCOMPARE(Changes.count(), 3);
    Dlg.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->setFocus();
    QTRY_COMPARE(Edit->text(), QStringLiteral("320"));
    QCOMPARE(Changes.count(), 4);
    QTest::keyClick(Edit, Qt::Key_Up);
    QCOMPARE(Changes.count(), 5);
    TypeInto(Edit, QStringLiteral("5000"));
    QCOMPARE(Changes.count(), 9);
    QTest::keyClick(Edit, Qt::Key_Return);
    QCOMPARE(Edit->text(), QStringLiteral("1280"));
    QCOMPARE(Changes.count(), 10);
}

void TstConfig::dialogIsFilledFromTheWindow() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Form->ResizeTheWorld(640, 480, 2, 2);
    Form->SetWrapping(wmBoth);
    Probe.WorldTimer()->setInterval(250);

    QList<qint32> Filled;
    QString Focused;
    AnswerOptionsDlg(TAnswer::CancelButton, {}, [&](TOptionsDlg& Dlg) {
        Filled = {Dlg.LifeX(), Dlg.LifeY(),    Dlg.CellX(),
                  Dlg.CellY(), Dlg.WrapMode(), Dlg.Interval()};
        Focused = Dlg.focusWidget() ? Dlg.focusWidget()->objectName() : QString();
    });
    Form->DoOptionsDlg();
    QCOMPARE(Filled, QList<qint32>({640, 480, 2, 2, wmBoth, 250}));
    QCOMPARE(Focused, QStringLiteral("SpeedTrackbar"));
}

void TstConfig::menuItemOpensTheDialog() {
    auto Form = CreateForm();
    QString Title;
    AnswerOptionsDlg(TAnswer::CancelButton, {},
                     [&](TOptionsDlg& Dlg) { Title = Dlg.windowTitle(); });
    Form->findChild<QAction*>(QStringLiteral("MenuOptions"))->trigger();
    QCOMPARE(Title, QStringLiteral("Instellingen"));
}

void TstConfig::cancelChangesNothing_data() {
    QTest::addColumn<TAnswer>("Answer");
    QTest::newRow("Annuleer button") << TAnswer::CancelButton;
    QTest::newRow("Esc") << TAnswer::EscapeKey;
    QTest::newRow("title bar close box") << TAnswer::CloseBox;
}

void TstConfig::cancelChangesNothing() {
    QFETCH(TAnswer, Answer);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Glider);
    TRebuildWatcher Watcher(*Form);

    AnswerOptionsDlg(Answer, [](TOptionsDlg& Dlg) {
        Dlg.SetLifeX(640);
        Dlg.SetLifeY(480);
        Dlg.SetCellX(2);
        Dlg.SetCellY(2);
        Dlg.SetWrapMode(wmBoth);
        Dlg.SetInterval(1);
    });
    Form->DoOptionsDlg();

    QCOMPARE(QList<qint32>({Probe.HorCells(), Probe.VertCells(), Probe.HorCellSize,
                            Probe.VertCellSize, Probe.Wrapping(), Probe.WorldTimer()->interval()}),
             QList<qint32>({320, 240, 1, 1, wmHorizontal, 100}));
    QVERIFY(!Probe.SaveOptionsOnClose);
    QVERIFY(!Probe.Running);
    QCOMPARE(Watcher.Rebuilds, 0);
    QCOMPARE(ReadRows(*Form, QRect(10, 10, 3, 3)), Glider);

    // The next showing is filled from the window again, not from the cancelled choice.
    qint32 RefilledWidth = 0;
    AnswerOptionsDlg(TAnswer::CancelButton, {},
                     [&](TOptionsDlg& Dlg) { RefilledWidth = Dlg.LifeX(); });
    Form->DoOptionsDlg();
    QCOMPARE(RefilledWidth, 320);
}

void TstConfig::okWithoutChangeOnlyMarksSaving() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    TRebuildWatcher Watcher(*Form);

    AnswerOptionsDlg(TAnswer::OkButton);
    Form->DoOptionsDlg();

    QVERIFY(Probe.SaveOptionsOnClose);
    QCOMPARE(QList<qint32>({Probe.HorCells(), Probe.VertCells(), Probe.HorCellSize,
                            Probe.VertCellSize, Probe.Wrapping(), Probe.WorldTimer()->interval()}),
             QList<qint32>({320, 240, 1, 1, wmHorizontal, 100}));
    QCOMPARE(Watcher.Rebuilds, 0);
}

void TstConfig::okKeepsAHandEditedCellSize() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Probe.HorCellSize = 2;
    TRebuildWatcher Watcher(*Form);

    AnswerOptionsDlg(TAnswer::OkButton);
    Form->DoOptionsDlg();

    QCOMPARE(Probe.HorCellSize, 2);
    QCOMPARE(Probe.VertCellSize, 1);
    QCOMPARE(Watcher.Rebuilds, 0);
}

void TstConfig::speedOnlyChange() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    TRebuildWatcher Watcher(*Form);

    int PositionShown = 0;
    AnswerOptionsDlg(TAnswer::OkButton, [&](TOptionsDlg& Dlg) {
        PositionShown = SpeedTrackbar(Dlg)->value();
        SpeedTrackbar(Dlg)->setValue(5);
    });
    Form->DoOptionsDlg();

    QCOMPARE(PositionShown, 3);
    QCOMPARE(Probe.WorldTimer()->interval(), 1);
    QVERIFY(!Probe.WorldTimer()->isActive());
    QCOMPARE(Watcher.Rebuilds, 0);
}

void TstConfig::typedWidthIsClampedOnConfirm_data() {
    QTest::addColumn<TAnswer>("Answer");
    QTest::addColumn<int>("Key"); // pressed after typing
    QTest::newRow("OK button") << TAnswer::OkButton << int(Qt::Key_unknown);
    QTest::newRow("Enter in the field") << TAnswer::EnterKey << int(Qt::Key_unknown);
    QTest::newRow("Up, then OK button") << TAnswer::OkButton << int(Qt::Key_Up);
}

void TstConfig::typedWidthIsClampedOnConfirm() {
    QFETCH(TAnswer, Answer);
    QFETCH(int, Key);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Form->ResizeTheWorld(640, 240, 1, 1);

    AnswerOptionsDlg(Answer, [Key](TOptionsDlg& Dlg) {
        TSpinEdit* Edit = Field(Dlg, QStringLiteral("LifeXEdit"));
        TypeInto(Edit, QStringLiteral("100"));
        if (Key != Qt::Key_unknown)
            QTest::keyClick(Edit, Qt::Key(Key));
    });
    Form->DoOptionsDlg();

    QVERIFY(Probe.SaveOptionsOnClose);
    QCOMPARE(Probe.HorCells(), 320);
    QCOMPARE(Probe.VertCells(), 240);
}

void TstConfig::runIsStoppedWhateverTheOutcome_data() {
    QTest::addColumn<TAnswer>("Answer");
    QTest::newRow("OK") << TAnswer::OkButton;
    QTest::newRow("Annuleer") << TAnswer::CancelButton;
}

void TstConfig::runIsStoppedWhateverTheOutcome() {
    QFETCH(TAnswer, Answer);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OOO"}); // a blinker never stops by itself
    Form->MenuStartGameClick();
    QVERIFY(Probe.Running);

    bool RunningDuring = true;
    bool TimerDuring = true;
    QString StartCaptionDuring;
    bool OneStepEnabledDuring = false;
    AnswerOptionsDlg(Answer, {}, [&](TOptionsDlg&) {
        RunningDuring = Probe.Running;
        TimerDuring = Probe.WorldTimer()->isActive();
        StartCaptionDuring = Form->findChild<QAction*>(QStringLiteral("MenuStartGame"))->text();
        OneStepEnabledDuring =
            Form->findChild<QAction*>(QStringLiteral("MenuOneStep"))->isEnabled();
    });
    Form->DoOptionsDlg();

    QVERIFY(!RunningDuring);
    QVERIFY(!TimerDuring);
    QCOMPARE(StartCaptionDuring, QStringLiteral("&Start spel"));
    QVERIFY(OneStepEnabledDuring);
    QVERIFY(!Probe.Running);
    QVERIFY(!Probe.WorldTimer()->isActive());
}

void TstConfig::settingsAreWrittenAtCloseOnlyAfterOk_data() {
    QTest::addColumn<TAnswer>("Answer");
    QTest::newRow("after OK") << TAnswer::OkButton;
    QTest::newRow("after Annuleer") << TAnswer::CancelButton;
}

void TstConfig::settingsAreWrittenAtCloseOnlyAfterOk() {
    QFETCH(TAnswer, Answer);
    const bool Confirmed = Answer == TAnswer::OkButton;
    {
        auto Form = CreateForm();
        AnswerOptionsDlg(Answer, [](TOptionsDlg& Dlg) {
            Dlg.SetLifeX(400);
            Dlg.SetLifeY(300);
            Dlg.SetCellX(2);
            Dlg.SetCellY(2);
            Dlg.SetWrapMode(wmVertical);
            Dlg.SetInterval(50);
        });
        Form->DoOptionsDlg();
        QVERIFY(!QFile::exists(SettingsFile));
        Form->close();
    }
    QCOMPARE(QFile::exists(SettingsFile), Confirmed);

    auto NextStart = CreateForm();
    TLifeFormProbe Probe(*NextStart);
    const QList<qint32> Expected = Confirmed ? QList<qint32>({400, 300, 2, 2, wmVertical, 50})
                                             : QList<qint32>({320, 240, 1, 1, wmHorizontal, 100});
    QCOMPARE(QList<qint32>({Probe.HorCells(), Probe.VertCells(), Probe.HorCellSize,
                            Probe.VertCellSize, Probe.Wrapping(), Probe.WorldTimer()->interval()}),
             Expected);
    QVERIFY(!Probe.SaveOptionsOnClose);
}

void TstConfig::sameValuesChangeNothing() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, {"OOO"});
    Form->MenuStartGameClick();
    TRebuildWatcher Watcher(*Form);

    Form->ResizeTheWorld(320, 240, 1, 1);

    QVERIFY(Probe.Running);
    QVERIFY(Probe.WorldTimer()->isActive());
    QCOMPARE(Watcher.Rebuilds, 0);
    Form->MenuStartGameClick();
}

void TstConfig::shrinkAndGrow() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Form->ResizeTheWorld(400, 300, 1, 1);
    PlaceRows(*Form, 10, 10, Glider);
    PlaceRows(*Form, 318, 238, {"OO", "OO"});
    PlaceRows(*Form, 350, 250, {"OOO"});
    PlaceRows(*Form, 397, 299, {"OOO"});
    Probe.SetGeneration(12);

    Form->ResizeTheWorld(320, 240, 1, 1);
    QCOMPARE(Probe.HorCells(), 320);
    QCOMPARE(Probe.VertCells(), 240);
    QCOMPARE(LiveOutside(*Form), 0);
    QCOMPARE(ReadRows(*Form, QRect(10, 10, 3, 3)), Glider);
    QCOMPARE(ReadRows(*Form, QRect(318, 238, 2, 2)), QStringList({"OO", "OO"}));
    QVERIFY(Counts(*Form, 319, 100, {0, 100})); // wraps at the new edge
    QVERIFY(!Counts(*Form, 100, 239, {100, 0}));
    QCOMPARE(Probe.WorldImage()->Picture().size(), QSize(320, 240));
    QCOMPARE(Probe.Generation(), 12);

    Form->ResizeTheWorld(400, 300, 1, 1);
    QCOMPARE(ReadRows(*Form, QRect(10, 10, 3, 3)), Glider);
    QCOMPARE(ReadRows(*Form, QRect(318, 238, 2, 2)), QStringList({"OO", "OO"}));
    QCOMPARE(ReadRows(*Form, QRect(350, 250, 3, 1)), QStringList({"..."}));
    QCOMPARE(ReadRows(*Form, QRect(397, 299, 3, 1)), QStringList({"..."}));
    QCOMPARE(LiveCells(*Form), 5 + 4);
    QVERIFY(Counts(*Form, 319, 100, {320, 100}));
    QVERIFY(Counts(*Form, 399, 100, {0, 100}));
    QVERIFY(!Counts(*Form, 319, 100, {0, 100}));
    QCOMPARE(Probe.WorldImage()->Picture().size(), QSize(400, 300));
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 11, 10), TLifeForm::LiveColour);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 350, 250), TLifeForm::DeadColour);
}

// Each row says whether the edge rule reaches across: from (0, 0) to the opposite corner,
// from the opposite corner back to (0, 0), and from the bottom row to the top row.
void TstConfig::sizeAndWrapChangeRelinkInOrder_data() {
    QTest::addColumn<qint32>("Width");
    QTest::addColumn<qint32>("Height");
    QTest::addColumn<qint32>("Wrap");
    QTest::addColumn<bool>("CornerNWWraps");
    QTest::addColumn<bool>("CornerSEWraps");
    QTest::addColumn<bool>("BottomWraps");

    QTest::newRow("grow to 400 x 300 under wmBoth")
        << 400 << 300 << qint32(wmBoth) << true << true << true;
    QTest::newRow("grow to 400 x 300 under wmNone")
        << 400 << 300 << qint32(wmNone) << false << false << false;
    QTest::newRow("grow to 640 x 240 under wmVertical")
        << 640 << 240 << qint32(wmVertical) << false << false << true;
}

void TstConfig::sizeAndWrapChangeRelinkInOrder() {
    QFETCH(qint32, Width);
    QFETCH(qint32, Height);
    QFETCH(qint32, Wrap);
    QFETCH(bool, CornerNWWraps);
    QFETCH(bool, CornerSEWraps);
    QFETCH(bool, BottomWraps);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);

    AnswerOptionsDlg(TAnswer::OkButton, [=](TOptionsDlg& Dlg) {
        Dlg.SetLifeX(Width);
        Dlg.SetLifeY(Height);
        Dlg.SetWrapMode(Wrap);
    });
    Form->DoOptionsDlg();

    QCOMPARE(Probe.HorCells(), Width);
    QCOMPARE(Probe.VertCells(), Height);
    QCOMPARE(Probe.Wrapping(), Wrap);
    QCOMPARE(Counts(*Form, 0, 0, {Width - 1, Height - 1}), CornerNWWraps);
    QCOMPARE(Counts(*Form, Width - 1, Height - 1, {0, 0}), CornerSEWraps);
    QCOMPARE(Counts(*Form, 100, Height - 1, {100, 0}), BottomWraps);
    QVERIFY(Counts(*Form, 319, 100, {320, 100})); // the old right edge joins the new columns
    QVERIFY(Counts(*Form, 200, 150, {199, 151}));
}

void TstConfig::cellSizeOnlyChange() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 10, 10, Glider);
    const QSize WindowBefore = Form->size();
    Form->MenuStartGameClick();

    Form->ResizeTheWorld(320, 240, 2, 2);

    QVERIFY(!Probe.Running);
    QVERIFY(!Probe.WorldTimer()->isActive());
    QCOMPARE(ReadRows(*Form, QRect(10, 10, 3, 3)), Glider);
    QCOMPARE(LiveCells(*Form), 5);
    QVERIFY(Counts(*Form, 0, 100, {319, 100})); // still wrapping as before
    QCOMPARE(Probe.WorldImage()->Picture().size(), QSize(640, 480));
    QCOMPARE(Probe.WorldImage()->size(), QSize(640, 480));
    // The menu bar may be wider than the smaller picture.
    QCOMPARE(Form->size(), QSize(std::max(640, WindowBefore.width()), WindowBefore.height() + 240));
    // Not resizable by the user: the window manager is told the one size.
    QCOMPARE(Form->windowHandle()->minimumSize(), Form->size());
    QCOMPARE(Form->windowHandle()->maximumSize(), Form->size());
    const QImage& Shown = Probe.WorldImage()->Picture();
    for (const QPoint& Pixel : {QPoint(22, 20), QPoint(23, 21)})
        QCOMPARE(PixelAt(Shown, Pixel.x(), Pixel.y()), TLifeForm::LiveColour);
    QCOMPARE(PixelAt(Shown, 21, 20), TLifeForm::DeadColour);
}

void TstConfig::busyStateDuringAndAfterTheRebuild() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.SetGeneration(7);
    Probe.Panel(1)->setText(QStringLiteral("Cel[1,1]: Buren = 0, Status = Dood"));
    TRebuildWatcher Watcher(*Form);

    Form->ResizeTheWorld(400, 300, 1, 1);

    QCOMPARE(Watcher.Rebuilds, 1);
    QCOMPARE(Watcher.MessageDuring,
             QStringLiteral("Bezig met legen en tekenen van 400 x 300 celllen..."));
    QVERIFY(Watcher.BusyDuring);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(Probe.Panel(1)->text(), QString());
    QCOMPARE(Probe.Panel(0)->text(), QStringLiteral("Generatie: 7"));
    QVERIFY(!Probe.Stable);
}

void TstConfig::largestWorldAtTheScreensTopLeft() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 0, 0, {"O"});

    AnswerOptionsDlg(TAnswer::OkButton, [](TOptionsDlg& Dlg) {
        const std::pair<const char*, const char*> Typed[] = {
            {"LifeXEdit", "1280"}, {"LifeYEdit", "1024"}, {"CellXEdit", "2"}};
        for (const auto& [Name, Keys] : Typed)
            TypeInto(Field(Dlg, QString::fromLatin1(Name)), QString::fromLatin1(Keys));
    });
    Form->DoOptionsDlg();

    QCOMPARE(
        QList<qint32>({Probe.HorCells(), Probe.VertCells(), Probe.HorCellSize, Probe.VertCellSize}),
        QList<qint32>({1280, 1024, 2, 2}));
    QCOMPARE(Probe.WorldImage()->Picture().size(), Probe.View().Viewport());
    QCOMPARE(Form->frameGeometry().topLeft(), Form->screen()->availableGeometry().topLeft());
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), 1, 1), TLifeForm::LiveColour);
    // The last cell, reached with End, shows in the bottom-right corner and takes a press.
    PlaceRows(*Form, 1279, 1023, {"O"});
    Form->DrawGeneration(true);
    QTest::keyClick(Probe.WorldImage(), Qt::Key_End);
    const QSize Shown = Probe.WorldImage()->Picture().size();
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), Shown.width() - 1, Shown.height() - 1),
             TLifeForm::LiveColour);
    QCOMPARE(PixelAt(Probe.WorldImage()->Picture(), Shown.width() - 3, Shown.height() - 1),
             TLifeForm::DeadColour);
    Form->WorldMouseDown(Qt::LeftButton, Qt::NoModifier, Shown.width() - 2, Shown.height() - 2);
    QCOMPARE(Probe.Panel(1)->text(), QStringLiteral("Cel[1279,1023]: Levend --> Dood"));

    // A picture that fits is centred again.
    Form->ResizeTheWorld(320, 240, 1, 1);
    const QRect Screen = Form->screen()->geometry();
    const QRect Window = Form->frameGeometry();
    QVERIFY(qAbs(Window.center().x() - Screen.center().x()) <= 1);
    QVERIFY(qAbs(Window.center().y() - Screen.center().y()) <= 1);
}

// The Dutch message is the only one, and the program ends without writing the settings.
void TstConfig::noMemoryForThePictureShowsOneMessageAndCloses() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.AllocatePicture() = [](const QSize&) {
        return QImage();
    };
    QStringList Texts;
    const auto Answer = [&Texts](QWidget* Modal) {
        auto* Box = qobject_cast<QMessageBox*>(Modal);
        Texts << (Box ? Box->text() : Modal->windowTitle());
        Modal->close();
    };
    AnswerOptionsDlg(TAnswer::OkButton, [&Answer](TOptionsDlg& Dlg) {
        Dlg.SetLifeX(1280);
        Dlg.SetLifeY(1024);
        Dlg.SetCellX(2);
        Dlg.SetCellY(2);
        AnswerNextModal(Answer);
    });
    Form->DoOptionsDlg();
    QTRY_VERIFY(!Form->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(Texts.size(), 1);
    QVERIFY(Texts.first().startsWith(
        QStringLiteral("Er is iets misgegaan bij het aanmaken van een interne bitmap.")));
    QVERIFY(!Probe.SaveOptionsOnClose);
}

QTEST_MAIN(TstConfig)
#include "tst_config.moc"
