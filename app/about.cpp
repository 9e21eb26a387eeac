// The about window and the program's icon.

#include "app/about.h"
#include "app/uhelp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

namespace {

constexpr int ClientWidth = 329;
constexpr int Margin = 11; // between the comment, the OK button and the bottom edge

} // namespace

// The icons are compiled into a static library, which links them in only through this
// call; it stands outside any namespace, as Q_INIT_RESOURCE requires. Registering twice is
// harmless.
QIcon ApplicationIcon() {
    Q_INIT_RESOURCE(gameoflife);
    QIcon Icon;
    for (int Size : {16, 32, 48, 64, 128, 256})
        Icon.addFile(QStringLiteral(":/icons/gameoflife-%1.png").arg(Size), QSize(Size, Size));
    return Icon;
}

bool OpenDocument(const QString& Target) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(Target));
}

int AboutBoxOffset() {
    const QStyle* Style = QApplication::style();
    return Style->pixelMetric(QStyle::PM_TitleBarHeight) +
           Style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
}

TAboutForm::TAboutForm(QWidget* Parent) : QDialog(Parent) {
    FormCreate();
}

void TAboutForm::FormCreate() {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(FormFont(11));
    setAutoFillBackground(true);
    QPalette Colours = palette();
    Colours.setColor(QPalette::Window, Colours.color(QPalette::ToolTipBase));
    Colours.setColor(QPalette::WindowText, Colours.color(QPalette::ToolTipText));
    setPalette(Colours);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(280, 8, 32, 32);
    ProgramIcon->setPixmap(ApplicationIcon().pixmap(32, 32));

    ProductLabel = AddLabel("ProductLabel", 8, 8);
    QFont ProductFont = FormFont(13);
    ProductFont.setBold(true);
    ProductLabel->setFont(ProductFont);
    QPalette Red = ProductLabel->palette();
    Red.setColor(QPalette::WindowText, Qt::red);
    ProductLabel->setPalette(Red);
    VersionLabel = AddLabel("VersionLabel", 8, 32);
    CopyrightLabel = AddLabel("CopyrightLabel", 8, 56);
    URLLabel = AddLabel("URLLabel", 8, 80);
    MakeClickable(URLLabel);
    LicenseLabel = AddLabel("LicenseLabel", 8, 104);
    LicenseUrlLabel = AddLabel("LicenseUrlLabel", 24, 120);
    MakeClickable(LicenseUrlLabel);
    CommentLabel = AddLabel("CommentLabel", 8, 144);

    OKBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                            this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->resize(75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    LicenseUrl.clear();
}

// Plain text: an "&" shows as itself.
QLabel* TAboutForm::AddLabel(const char* Name, int Left, int Top) {
    auto* Label = new QLabel(this);
    Label->setObjectName(QString::fromLatin1(Name));
    Label->setTextFormat(Qt::PlainText);
    Label->move(Left, Top);
    return Label;
}

void TAboutForm::MakeClickable(QLabel* Label) {
    QFont Underlined = Label->font();
    Underlined.setUnderline(true);
    Label->setFont(Underlined);
    QPalette Blue = Label->palette();
    Blue.setColor(QPalette::WindowText, Qt::blue);
    Label->setPalette(Blue);
    Label->setCursor(Qt::PointingHandCursor);
    Label->installEventFilter(this);
}

// A click is a left-button release over the label, as with a button.
bool TAboutForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::MouseButtonRelease) {
        const auto* Mouse = static_cast<QMouseEvent*>(Event);
        const auto* Label = qobject_cast<QLabel*>(Watched);
        if (Mouse->button() == Qt::LeftButton && Label &&
            Label->rect().contains(Mouse->position().toPoint())) {
            if (Label == URLLabel)
                URLLabelClick();
            else if (Label == LicenseUrlLabel)
                LicenseUrlLabelClick();
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TAboutForm::URLLabelClick() {
    if (!URLLabel->text().isEmpty())
        OpenDocument(URLLabel->text());
}

void TAboutForm::LicenseUrlLabelClick() {
    if (!LicenseUrl.isEmpty())
        OpenDocument(LicenseUrl);
}

// Every label as wide as its text, OK below the comment, and the client area just around
// them. A font wider than the one the layout was drawn for widens the window rather than
// cutting a text off.
void TAboutForm::FitToLabels() {
    int Width = ClientWidth;
    for (QLabel* Label : {ProductLabel, VersionLabel, CopyrightLabel, URLLabel, LicenseLabel,
                          LicenseUrlLabel, CommentLabel}) {
        Label->adjustSize();
        Width = std::max(Width, Label->x() + Label->width() + 8);
    }
    OKBtn->move(120, CommentLabel->y() + CommentLabel->height() + Margin);
    setFixedSize(Width, OKBtn->y() + OKBtn->height() + Margin);
}

std::unique_ptr<TAboutForm> CreateAboutBox(QWidget* MainForm, const QString& Caption,
                                           const QString& Product, const QString& Version,
                                           const QString& Author, const QString& Url,
                                           const QString& License, const QString& LicenseName,
                                           const QString& LicenseLink, const QString& Comment) {
    const int Offset = AboutBoxOffset();
    auto Form = std::make_unique<TAboutForm>(MainForm);
    Form->setWindowTitle(Caption);
    Form->ProductLabel->setText(Product);
    Form->LicenseLabel->setText(License);
    Form->LicenseUrlLabel->setText(LicenseName);
    Form->LicenseUrl = LicenseLink;
    Form->VersionLabel->setText(Version);
    Form->CopyrightLabel->setText(Author);
    Form->CommentLabel->setText(Comment);
    Form->URLLabel->setText(Url);
    Form->FitToLabels();
    Form->move(MainForm->x() + Offset, MainForm->y() + Offset);
    return Form;
}

void ShowAboutBox(QWidget* MainForm, const QString& Caption, const QString& Product,
                  const QString& Version, const QString& Author, const QString& Url,
                  const QString& License, const QString& LicenseName, const QString& LicenseLink,
                  const QString& Comment) {
    const std::unique_ptr<TAboutForm> Form =
        CreateAboutBox(MainForm, Caption, Product, Version, Author, Url, License, LicenseName,
                       LicenseLink, Comment);
    Form->exec();
}
