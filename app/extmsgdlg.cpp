// The Dutch message dialog built on QMessageBox.

#include "app/extmsgdlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

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

QMainWindow* VisibleMainWindow() {
    for (QWidget* Widget : QApplication::topLevelWidgets()) {
        if (auto* Main = qobject_cast<QMainWindow*>(Widget); Main && Main->isVisible())
            return Main;
    }
    return nullptr;
}

// Centred over the main window, then pulled onto the primary screen.
QPoint PlaceOverMainWindow(const QRect& Main, const QSize& Dialog) {
    const QRect Screen = QGuiApplication::primaryScreen()->geometry();
    int Top = Main.top() + (Main.height() - Dialog.height()) / 2;
    int Left = Main.left() + (Main.width() - Dialog.width()) / 2;
    if (Left + Dialog.width() > Screen.width())
        Left = Screen.width() - Dialog.width();
    if (Top + Dialog.height() > Screen.height())
        Top = Screen.height() - Dialog.height();
    if (Left < 0)
        Left = 0;
    if (Top < 0)
        Top = 0;
    return {Left, Top};
}

QAbstractButton* ButtonWithResult(QMessageBox& Box, int Result) {
    for (QAbstractButton* Button : Box.buttons()) {
        if (Button->property("modalResult").toInt() == Result)
            return Button;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<QMessageBox> CreateExtMessageDlg(const QString& Msg, TMsgDlgType DlgType,
                                                 TMsgDlgButtons Buttons, int HelpCtx) {
    const TTypeLook& Look = TypeLooks[qBound(0, int(DlgType), int(mtCustom))];
    auto Box = std::make_unique<QMessageBox>();
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

    Box->adjustSize();
    if (QMainWindow* Main = VisibleMainWindow(); CenterOnMainForm && Main)
        Box->move(PlaceOverMainWindow(Main->frameGeometry(), Box->size()));
    return Box;
}

int ExtMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
    const std::unique_ptr<QMessageBox> Box = CreateExtMessageDlg(Msg, DlgType, Buttons, HelpCtx);
    Box->exec();
    QAbstractButton* Clicked = Box->clickedButton();
    return Clicked ? Clicked->property("modalResult").toInt() : int(mrCancel);
}
