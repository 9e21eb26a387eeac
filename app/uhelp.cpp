// The help window and its two pages.

#include "app/uhelp.h"
#include "app/extmsgdlg.h"
#include "app/placement.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <array>
#include <optional>

namespace {

struct THelpPage {
    const char* File;
    const char* Header;
};

constexpr std::array<THelpPage, 2> Pages{{
    {THelpForm::RulesFile, "Hoe het spel in elkaar zit"},
    {THelpForm::PlayFile, "Hoe het spel gespeeld wordt"},
}};

// The text of an 8-bit file whose lines end in CR LF, CR or LF, with LF line ends; a line
// end at the very end starts no further line. Nothing when the file cannot be read.
std::optional<QString> ReadHelpText(const QString& FileName) {
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray Bytes = File.readAll();
    if (File.error() != QFileDevice::NoError)
        return std::nullopt;
    QString Text = QString::fromLatin1(Bytes);
    Text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (Text.endsWith(QLatin1Char('\n')))
        Text.chop(1);
    return Text;
}

} // namespace

QFont FormFont(int PixelSize) {
    QFont Font(QStringLiteral("MS Sans Serif"));
    Font.setStyleHint(QFont::SansSerif);
    Font.setPixelSize(PixelSize);
    return Font;
}

QPoint HelpFormPosition(const QRect& Screen, const QSize& Window) {
    const int Left = Screen.left() + Screen.width() - Window.width();
    const int Top = Screen.top() + (Screen.height() - Window.height()) / 2;
    return {std::max(Left, Screen.left()), std::max(Top, Screen.top())};
}

THelpForm::THelpForm(const QString& ProgramFolder) : ProgramFolder(ProgramFolder) {
    FormCreate();
}

void THelpForm::FormCreate() {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Uitleg en instructies"));
    // A window of its own, not a dialog: the window manager would keep a dialog above the
    // main window, hiding part of the world. An open help window does not keep the program
    // running once the main window has closed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(FormFont(11));
    setFixedSize(614, 613);
    CreateControls();
    LoadHelpFile(1, true);
}

void THelpForm::CreateControls() {
    Header = new QLineEdit(this);
    Header->setObjectName(QStringLiteral("Header"));
    Header->setReadOnly(true);
    Header->setFrame(false);
    Header->setFocusPolicy(Qt::NoFocus);
    Header->setFixedHeight(21);
    QFont HeaderFont = FormFont(13);
    HeaderFont.setBold(true);
    Header->setFont(HeaderFont);
    QPalette HeaderColours = Header->palette();
    HeaderColours.setColor(QPalette::Base, HeaderColours.color(QPalette::ToolTipBase));
    HeaderColours.setColor(QPalette::Text, Qt::blue);
    Header->setPalette(HeaderColours);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    // Not a tab stop, but a click gives it the keyboard: the arrows and PgUp/PgDn scroll it
    // and Ctrl+C copies from it.
    Memo->setFocusPolicy(Qt::ClickFocus);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    BtnPanel = new QWidget(this);
    BtnPanel->setObjectName(QStringLiteral("BtnPanel"));
    BtnPanel->setFixedHeight(41);
    RulesBtn = new QPushButton(QStringLiteral("&Hoe het werkt"), BtnPanel);
    RulesBtn->setObjectName(QStringLiteral("RulesBtn"));
    RulesBtn->setGeometry(16, 8, 137, 25);
    PlayBtn = new QPushButton(QStringLiteral("&Speel het spel"), BtnPanel);
    PlayBtn->setObjectName(QStringLiteral("PlayBtn"));
    PlayBtn->setGeometry(168, 8, 137, 25);
    CloseBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                               QStringLiteral("S&luiten"), BtnPanel);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(464, 8, 137, 25);
    // Enter presses the button that has the keyboard, and closes the window when none has;
    // Esc closes through reject().
    CloseBtn->setDefault(true);

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(Header);
    Layout->addWidget(Memo, 1);
    Layout->addWidget(BtnPanel);

    connect(RulesBtn, &QPushButton::clicked, this, &THelpForm::RulesBtnClick);
    connect(PlayBtn, &QPushButton::clicked, this, &THelpForm::PlayBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &THelpForm::CloseBtnClick);
}

void THelpForm::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        FormShow();
}

void THelpForm::FormShow() {
    PlaceWindow(*this,
                [this](const QSize& Frame) { return HelpFormPosition(ScreenOf(*this), Frame); });
}

void THelpForm::RulesBtnClick() {
    if (CurrentPage != 1)
        LoadHelpFile(1, false);
}

void THelpForm::PlayBtnClick() {
    if (CurrentPage != 2)
        LoadHelpFile(2, false);
}

void THelpForm::CloseBtnClick() {
    close();
}

void THelpForm::LoadHelpFile(int Page, bool Silent) {
    const THelpPage& Help = Pages.at(size_t(Page - 1));
    const QString FileName =
        QDir::toNativeSeparators(QDir(ProgramFolder).filePath(QLatin1String(Help.File)));
    Header->setText(QString::fromLatin1(Help.Header));
    if (const std::optional<QString> Text = ReadHelpText(FileName)) {
        Memo->setPlainText(*Text);
    } else if (Silent) {
        Memo->setPlainText(
            QStringLiteral("Fout bij  het openen van het helpbestand:\n\n  %1").arg(FileName));
    } else {
        ExtMessageDlg(
            QStringLiteral("Fout bij  het openen van het helpbestand:\r\r%1").arg(FileName),
            mtError, mbOK, 0);
    }
    CurrentPage = quint8(Page);
}
