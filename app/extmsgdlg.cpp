// The Dutch message dialog built on QMessageBox.

#include "app/extmsgdlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QShowEvent>
#include <QSpacerItem>

#include <algorithm>

int DialogLanguage = 1;
bool CenterOnMainForm = true;

namespace {

struct TButtonKind {
    TMsgDlgBtn Button;
    int Result;
    const char* Dutch;
    const char* English;
    QMessageBox::ButtonRole Role;
};

// In the order the buttons are added.
constexpr TButtonKind ButtonKinds[] = {
    {mbYes, mrYes, "&Ja", "&Yes", QMessageBox::YesRole},
    {mbNo, mrNo, "&Nee", "&No", QMessageBox::NoRole},
    {mbOK, mrOk, "OK", "OK", QMessageBox::AcceptRole},
    {mbCancel, mrCancel, "&Annuleer", "Cancel", QMessageBox::RejectRole},
    {mbAbort, mrAbort, "Af&breken", "&Abort", QMessageBox::RejectRole},
    {mbRetry, mrRetry, "&Opnieuw", "&Retry", QMessageBox::AcceptRole},
    {mbIgnore, mrIgnore, "Over&slaan", "&Ignore", QMessageBox::AcceptRole},
    {mbAll, mrAll, "A&lle(n)", "&All", QMessageBox::AcceptRole},
    {mbNoToAll, mrNoToAll, "N&ee op alles", "N&o to All", QMessageBox::NoRole},
    {mbYesToAll, mrYesToAll, "Ja o&p alles", "Yes to &All", QMessageBox::YesRole},
    {mbHelp, mrNone, "&Help", "&Help", QMessageBox::HelpRole},
};

struct TTypeLook {
    const char* DutchTitle;
    const char* EnglishTitle;
    QMessageBox::Icon Icon;
};

constexpr TTypeLook TypeLooks[] = {
    {"Waarschuwing", "Warning", QMessageBox::Warning},
    {"Fout", "Error", QMessageBox::Critical},
    {"Informatie", "Information", QMessageBox::Information},
    {"Bevestiging", "Confirm", QMessageBox::Question},
    {"", "", QMessageBox::NoIcon},
};

QMainWindow* MainWindow() {
    for (QWidget* Widget : QApplication::topLevelWidgets()) {
        if (auto* Main = qobject_cast<QMainWindow*>(Widget))
            return Main;
    }
    return nullptr;
}

// Centred over the main window, then pulled onto the screen that holds the main window.
QPoint PlaceOverMainWindow(const QRect& Main, const QSize& Dialog, const QRect& Screen) {
    int Top = Main.top() + (Main.height() - Dialog.height()) / 2;
    int Left = Main.left() + (Main.width() - Dialog.width()) / 2;
    if (Left + Dialog.width() > Screen.left() + Screen.width())
        Left = Screen.left() + Screen.width() - Dialog.width();
    if (Top + Dialog.height() > Screen.top() + Screen.height())
        Top = Screen.top() + Screen.height() - Dialog.height();
    return {std::max(Left, Screen.left()), std::max(Top, Screen.top())};
}

QAbstractButton* ButtonWithResult(QMessageBox& Box, int Result) {
    for (QAbstractButton* Button : Box.buttons()) {
        if (Button->property("modalResult").toInt() == Result)
            return Button;
    }
    return nullptr;
}

// QMessageBox closes on every button of its button box; Help stays a button that only
// asks for help, and this program has no help file to open.
void KeepOpenOnHelp(QMessageBox& Box, QAbstractButton& Help) {
    Help.disconnect(Box.findChild<QDialogButtonBox*>());
}

} // namespace

int TitleBarWidth(const QString& Title) {
    QFont Font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    Font.setBold(true);
    const QFontMetrics Metrics(Font);
    // The window menu's icon and the close button, each about as wide as the bar is high,
    // and the space around the caption.
    const int Buttons = 3 * (Metrics.height() + 8);
    return Metrics.horizontalAdvance(Title) + Buttons;
}

void TExtMessageBox::showEvent(QShowEvent* Event) {
    if (!Event->spontaneous())
        MakeRoomForTitle();
    QMessageBox::showEvent(Event);
    if (Event->spontaneous())
        return;
    Origin = QApplication::activeWindow();
    if (Placement)
        PlaceWindow(*this, Placement);
}

// QMessageBox sizes itself to its text and buttons whenever its layout changes, and a caption
// wider than that would be cut short by the window manager. An empty item as wide as the
// title bar needs, in the buttons' row, makes its own sizing keep room for the caption.
void TExtMessageBox::MakeRoomForTitle() {
    auto* Grid = qobject_cast<QGridLayout*>(layout());
    auto* Buttons = findChild<QDialogButtonBox*>();
    if (!Grid || !Buttons)
        return;
    int Row = 0;
    int Column = 0;
    int RowSpan = 0;
    int ColumnSpan = 0;
    Grid->getItemPosition(Grid->indexOf(Buttons), &Row, &Column, &RowSpan, &ColumnSpan);
    int Left = 0;
    int Right = 0;
    Grid->getContentsMargins(&Left, nullptr, &Right, nullptr);
    const QMargins Frame = FrameMargins(*this);
    const int Width = TitleBarWidth(windowTitle()) - Frame.left() - Frame.right() - Left - Right;
    Grid->addItem(new QSpacerItem(Width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), Row, 0, 1,
                  Grid->columnCount());
}

// QMessageBox would pick an escape button of its own where the set has none: Abort of
// Abort/Retry/Ignore, or a lone button.
void TExtMessageBox::keyPressEvent(QKeyEvent* Event) {
    if (!Event->matches(QKeySequence::Cancel)) {
        QMessageBox::keyPressEvent(Event);
        return;
    }
    if (QAbstractButton* Escape = escapeButton())
        Escape->click();
}

// QMessageBox would answer the close box with its escape button, or not close at all
// without one; QDialog's own handling closes it with no button clicked.
void TExtMessageBox::closeEvent(QCloseEvent* Event) {
    QDialog::closeEvent(Event);
}

std::unique_ptr<TExtMessageBox> CreateExtMessageDlg(const QString& Msg, TMsgDlgType DlgType,
                                                    TMsgDlgButtons Buttons, int HelpCtx) {
    const TTypeLook& Look = TypeLooks[qBound(0, int(DlgType), int(mtCustom))];
    auto Box = std::make_unique<TExtMessageBox>();
    Box->setIcon(Look.Icon);
    Box->setTextFormat(Qt::PlainText);
    QString Text = Msg;
    Text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Box->setText(Text);
    Box->setWindowTitle(
        QString::fromLatin1(DialogLanguage == 1 ? Look.DutchTitle : Look.EnglishTitle));
    Box->setProperty("helpContext", HelpCtx);

    for (const TButtonKind& Kind : ButtonKinds) {
        if (!Buttons.testFlag(Kind.Button))
            continue;
        const char* Caption = DialogLanguage == 1 ? Kind.Dutch : Kind.English;
        QPushButton* Button = Box->addButton(QString::fromLatin1(Caption), Kind.Role);
        Button->setProperty("modalResult", Kind.Result);
        if (Kind.Button == mbHelp)
            KeepOpenOnHelp(*Box, *Button);
    }
    for (int Result : {int(mrOk), int(mrYes), int(mrRetry)}) {
        if (auto* Default = qobject_cast<QPushButton*>(ButtonWithResult(*Box, Result))) {
            Box->setDefaultButton(Default);
            break;
        }
    }
    for (int Result : {int(mrCancel), int(mrNo), int(mrOk)}) {
        if (QAbstractButton* Escape = ButtonWithResult(*Box, Result)) {
            Box->setEscapeButton(Escape);
            break;
        }
    }

    // Left to itself, the platform would centre the box on the screen under the pointer.
    if (const QMainWindow* Main = MainWindow(); Main && CenterOnMainForm && Main->isVisible()) {
        Box->SetPlacement(
            [Over = Main->frameGeometry(), Screen = ScreenOf(*Main)](const QSize& Frame) {
                return PlaceOverMainWindow(Over, Frame, Screen);
            });
    } else if (Main) {
        Box->SetPlacement([Screen = ScreenOf(*Main)](const QSize& Frame) {
            return CentredOnScreen(Screen, Frame);
        });
    }
    return Box;
}

int ExtMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    const std::unique_ptr<TExtMessageBox> Box = CreateExtMessageDlg(Msg, DlgType, Buttons, HelpCtx);
    Box->exec();
    QAbstractButton* Clicked = Box->clickedButton();
    return Clicked ? Clicked->property("modalResult").toInt() : int(mrCancel);
}
