#pragma once

// The Dutch message dialog: the platform's standard message dialog with Dutch title
// and button captions, centred over the main window and pulled onto the screen.

#include "app/placement.h"

#include <QFlags>
#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

enum TMsgDlgType {
    mtWarning = 0,
    mtError = 1,
    mtInformation = 2,
    mtConfirmation = 3,
    mtCustom = 4
};

enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9,
    mbHelp = 1u << 10,
};
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMsgDlgButtons)

// Modal results: the value with which each button closes the dialog.
enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// 1: Dutch captions and titles; 0 keeps the platform's own.
extern int DialogLanguage;
// Centre dialogs over the main window; cleared only before the bitmap failure report.
extern bool CenterOnMainForm;

// The frame width a title bar needs to show Title whole, with its buttons.
int TitleBarWidth(const QString& Title);

// A message box that places itself when it is shown, with the size it has then (QMessageBox
// lays itself out anew while being shown). Esc clicks the escape button and does nothing
// when there is none; the close box closes it with no button clicked.
class TExtMessageBox : public QMessageBox {
    Q_OBJECT

public:
    // An empty placement keeps the platform's.
    void SetPlacement(TFramePlacement Place) { Placement = std::move(Place); }
    // The window that had the keyboard when the box was shown, while it exists; the keyboard
    // belongs there again once the box has closed.
    QWidget* CameFrom() const { return Origin; }

protected:
    void showEvent(QShowEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void MakeRoomForTitle();

    TFramePlacement Placement;
    QPointer<QWidget> Origin;
};

// Builds the dialog without showing it. Each button carries its modal result in the property
// "modalResult"; the Help button does not close the dialog.
std::unique_ptr<TExtMessageBox> CreateExtMessageDlg(const QString& Msg, TMsgDlgType DlgType,
                                                    TMsgDlgButtons Buttons, int HelpCtx);

// Shows the dialog modally and returns the modal result of the button that closed it
// (mrCancel when it was closed by its close box).
int ExtMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
