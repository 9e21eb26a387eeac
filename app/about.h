#pragma once

// The about window: the program's name, version, makers, web site, licence and a credit
// line, with two links that the desktop opens. Built anew for every showing.

#include <QDialog>
#include <QIcon>
#include <QString>

#include <memory>

class QLabel;
class QPushButton;

// The program's own icon, in every size it is drawn in.
QIcon ApplicationIcon();

// Asks the desktop to open Target (a web address, document or folder) in its default
// application. True when the desktop accepted it; callers may ignore a failure.
bool OpenDocument(const QString& Target);

// How far inside the main window's top-left corner the about window stands: the height of
// a caption bar plus that of a sizing frame, as the style reports them (the title bar and
// the frame of a resizable sub-window, Qt's nearest counterparts).
int AboutBoxOffset();

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* Parent);

    void FormCreate();
    void URLLabelClick();
    void LicenseUrlLabelClick();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    friend std::unique_ptr<TAboutForm>
    CreateAboutBox(QWidget* MainForm, const QString& Caption, const QString& Product,
                   const QString& Version, const QString& Author, const QString& Url,
                   const QString& License, const QString& LicenseName, const QString& LicenseLink,
                   const QString& Comment);

    QLabel* AddLabel(const char* Name, int Left, int Top);
    void MakeClickable(QLabel* Label);
    void FitToLabels();

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductLabel = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* CopyrightLabel = nullptr;
    QLabel* URLLabel = nullptr;
    QLabel* LicenseLabel = nullptr;
    QLabel* LicenseUrlLabel = nullptr;
    QLabel* CommentLabel = nullptr;
    QPushButton* OKBtn = nullptr;
    QString LicenseUrl; // opened by a click on LicenseUrlLabel, which shows the licence's name
};

// The about window of MainForm, filled and placed as ShowAboutBox shows it, not yet shown.
std::unique_ptr<TAboutForm> CreateAboutBox(QWidget* MainForm, const QString& Caption,
                                           const QString& Product, const QString& Version,
                                           const QString& Author, const QString& Url,
                                           const QString& License, const QString& LicenseName,
                                           const QString& LicenseLink, const QString& Comment);

// Shows the about window of MainForm modally and destroys it when OK closes it.
void ShowAboutBox(QWidget* MainForm, const QString& Caption, const QString& Product,
                  const QString& Version, const QString& Author, const QString& Url,
                  const QString& License, const QString& LicenseName, const QString& LicenseLink,
                  const QString& Comment);
