#pragma once

// The help window: one of two text files from the program's folder, the rules of the game
// or how this program is played. A modeless top-level window without a parent, so the main
// window can be raised above it; closing it only hides it.

#include <QCoreApplication>
#include <QDialog>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

// The forms' font: "MS Sans Serif" at a character height in pixels, or the platform's
// sans-serif where that font is missing.
QFont FormFont(int PixelSize);

// Where the help window stands: against the right edge of the screen, centred vertically,
// never beyond the screen's left or top edge.
QPoint HelpFormPosition(const QRect& Screen, const QSize& Window);

class THelpForm : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* RulesFile = "DeRegelsVanHetSpel.txt";
    static constexpr const char* PlayFile = "HoeTeSpelen.txt";

    // ProgramFolder holds the two help files.
    explicit THelpForm(const QString& ProgramFolder = QCoreApplication::applicationDirPath());

    void FormCreate();
    void FormShow();
    void RulesBtnClick();
    void PlayBtnClick();
    void CloseBtnClick();
    // Page 1 or 2. A file that cannot be read is reported in Memo when Silent, else in an
    // error dialog that leaves Memo as it was.
    void LoadHelpFile(int Page, bool Silent);

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void CreateControls();

    QLineEdit* Header = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QWidget* BtnPanel = nullptr;
    QPushButton* RulesBtn = nullptr;
    QPushButton* PlayBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    QString ProgramFolder;
    quint8 CurrentPage = 0; // the page last asked for, also when loading it failed
};
