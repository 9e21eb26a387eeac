// The help window with its two pages, and the about window with its links.

#include "app/about.h"
#include "app/uhelp.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>

namespace {

const QString RulesHeader = QStringLiteral("Hoe het spel in elkaar zit");
const QString PlayHeader = QStringLiteral("Hoe het spel gespeeld wordt");

// A program folder holding the help files that are given.
struct THelpFolder {
    QTemporaryDir Dir;

    QString PathOf(const char* Name) const {
        return QDir::toNativeSeparators(Dir.filePath(QLatin1String(Name)));
    }
    void Write(const char* Name, const QByteArray& Bytes) { WriteFile(PathOf(Name), Bytes); }
};

QString HeaderOf(const THelpForm& Help) {
    return Help.findChild<QLineEdit*>(QStringLiteral("Header"))->text();
}

QString MemoOf(const THelpForm& Help) {
    return Help.findChild<QPlainTextEdit*>(QStringLiteral("Memo"))->toPlainText();
}

void Click(const QWidget& Parent, const char* Button) {
    auto* Target = Parent.findChild<QPushButton*>(QLatin1String(Button));
    QVERIFY(Target);
    Target->click();
}

// Counts the modal windows that come up while the events queued so far are handled,
// closing each, so a command that should show nothing cannot stall the test.
struct TModalWatch {
    int Seen = 0;

    void Arm() {
        QTimer::singleShot(0, qApp, [this] {
            if (QWidget* Modal = QApplication::activeModalWidget()) {
                ++Seen;
                Modal->close();
            }
        });
    }
    void Settle() { QCoreApplication::processEvents(); }
};

// The help windows that exist, shown or not.
QList<THelpForm*> HelpWindows() {
    QList<THelpForm*> Found;
    for (QWidget* Window : QApplication::topLevelWidgets()) {
        if (auto* Help = qobject_cast<THelpForm*>(Window))
            Found << Help;
    }
    return Found;
}

void ActivateAgain(QWidget& Window) {
    Window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Window));
}

// Receives the addresses that the about window hands to the desktop.
class TUrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& Url) { Opened << Url; }
};

std::unique_ptr<TAboutForm> SampleAboutBox(QWidget* MainForm) {
    return CreateAboutBox(MainForm, QStringLiteral("Over dit spel"),
                          QStringLiteral("Conway's Game of Life"), QStringLiteral("Versie 1"),
                          QStringLiteral("Auteur: Zoverkamp"), QStringLiteral("https://site.test/"),
                          QStringLiteral("Deze implementatie valt onder de volgende "
                                         "licentievoorwaarden:"),
                          QStringLiteral("MIT-licentie"),
                          QStringLiteral("https://licence.test/mit"),
                          QStringLiteral("De spelregels zijn bedacht door John Horton Conway."));
}

QLabel* LabelOf(const QWidget& Form, const char* Name) {
    return Form.findChild<QLabel*>(QLatin1String(Name));
}

} // namespace

class TstHelp : public QObject {
    Q_OBJECT

private slots:
    void bothPagesLoad();
    void lineEndsOfHelpFiles_data();
    void lineEndsOfHelpFiles();
    void buttonForShownPageDoesNothing();
    void missingSecondFileReportsItsFullPath();
    void missingFirstFileAtStartIsSilent();
    void shippedHelpTextsLoad_data();
    void shippedHelpTextsLoad();
    void helpPosition_data();
    void helpPosition();
    void shownAgainstTheRightEdgeEachTime();
    void oneHelpWindowHoweverOftenF1IsPressed_data();
    void oneHelpWindowHoweverOftenF1IsPressed();
    void helpWindowIsAWindowOfItsOwn();
    void helpAndAboutDoNothingDuringARun();
    void keyboardInTheHelpWindow();
    void keyboardBackToTheHelpWindowAfterItsError();

    void aboutBoxShowsTheProgramFacts();
    void aboutBoxFitsItsTexts();
    void enterClosesTheAboutBox();
    void licenceLabelOpensTheLicenceAddress();
    void aboutBoxPlacement_data();
    void aboutBoxPlacement();
};

void TstHelp::bothPagesLoad() {
    THelpFolder Folder;
    Folder.Write(THelpForm::RulesFile, "De regels\n");
    Folder.Write(THelpForm::PlayFile, "Hoe te spelen\n");
    THelpForm Help(Folder.Dir.path());
    QCOMPARE(HeaderOf(Help), RulesHeader);
    QCOMPARE(MemoOf(Help), QStringLiteral("De regels"));

    Click(Help, "PlayBtn");
    QCOMPARE(HeaderOf(Help), PlayHeader);
    QCOMPARE(MemoOf(Help), QStringLiteral("Hoe te spelen"));

    Click(Help, "RulesBtn");
    QCOMPARE(HeaderOf(Help), RulesHeader);
    QCOMPARE(MemoOf(Help), QStringLiteral("De regels"));
}

void TstHelp::lineEndsOfHelpFiles_data() {
    QTest::addColumn<QByteArray>("Bytes");
    QTest::addColumn<QString>("Shown");
    const QString TwoLines = QStringLiteral("regel \u00e9\u00e9n\nregel twee");
    QTest::newRow("CR LF") << QByteArray("regel \xe9\xe9n\r\nregel twee\r\n") << TwoLines;
    QTest::newRow("LF alone") << QByteArray("regel \xe9\xe9n\nregel twee\n") << TwoLines;
    QTest::newRow("CR alone") << QByteArray("regel \xe9\xe9n\rregel twee\r") << TwoLines;
    QTest::newRow("no line end at the end")
        << QByteArray("regel \xe9\xe9n\nregel twee") << TwoLines;
    QTest::newRow("empty line kept") << QByteArray("a\r\n\r\nb\r\n") << QStringLiteral("a\n\nb");
    QTest::newRow("empty file") << QByteArray() << QString();
}

void TstHelp::lineEndsOfHelpFiles() {
    QFETCH(QByteArray, Bytes);
    QFETCH(QString, Shown);
    THelpFolder Folder;
    Folder.Write(THelpForm::RulesFile, Bytes);
    THelpForm Help(Folder.Dir.path());
    QCOMPARE(MemoOf(Help), Shown);
}

void TstHelp::buttonForShownPageDoesNothing() {
    THelpFolder Folder;
    Folder.Write(THelpForm::RulesFile, "Eerste regels");
    Folder.Write(THelpForm::PlayFile, "Eerste uitleg");
    THelpForm Help(Folder.Dir.path());

    Folder.Write(THelpForm::RulesFile, "Nieuwe regels");
    Click(Help, "RulesBtn");
    QCOMPARE(MemoOf(Help), QStringLiteral("Eerste regels"));

    Click(Help, "PlayBtn");
    Folder.Write(THelpForm::PlayFile, "Nieuwe uitleg");
    Click(Help, "PlayBtn");
    QCOMPARE(MemoOf(Help), QStringLiteral("Eerste uitleg"));
}

void TstHelp::missingSecondFileReportsItsFullPath() {
    THelpFolder Folder;
    Folder.Write(THelpForm::RulesFile, "De regels");
    THelpForm Help(Folder.Dir.path());

    int Reports = 0;
    QString Title;
    QString Text;
    AcceptNextMessageBox([&](const QString& ShownTitle, const QString& ShownText) {
        ++Reports;
        Title = ShownTitle;
        Text = ShownText;
    });
    Click(Help, "PlayBtn");
    QCOMPARE(Reports, 1);
    QCOMPARE(Title, QStringLiteral("Fout"));
    QCOMPARE(Text, QStringLiteral("Fout bij  het openen van het helpbestand:\n\n") +
                       Folder.PathOf(THelpForm::PlayFile));
    QCOMPARE(HeaderOf(Help), PlayHeader);
    QCOMPARE(MemoOf(Help), QStringLiteral("De regels"));

    // The page counts as shown: asking for it again does not retry.
    TModalWatch Watch;
    Watch.Arm();
    Click(Help, "PlayBtn");
    Watch.Settle();
    QCOMPARE(Watch.Seen, 0);

    Click(Help, "RulesBtn");
    QCOMPARE(HeaderOf(Help), RulesHeader);
    QCOMPARE(MemoOf(Help), QStringLiteral("De regels"));
}

void TstHelp::missingFirstFileAtStartIsSilent() {
    THelpFolder Folder;
    TModalWatch Watch;
    Watch.Arm();
    THelpForm Help(Folder.Dir.path());
    Watch.Settle();
    QCOMPARE(Watch.Seen, 0);
    QCOMPARE(HeaderOf(Help), RulesHeader);
    QCOMPARE(MemoOf(Help), QStringLiteral("Fout bij  het openen van het helpbestand:\n\n  ") +
                               Folder.PathOf(THelpForm::RulesFile));
}

void TstHelp::shippedHelpTextsLoad_data() {
    QTest::addColumn<QString>("Button");
    QTest::addColumn<QString>("Header");
    QTest::addColumn<QString>("Opening");
    QTest::newRow("rules") << QStringLiteral("RulesBtn") << RulesHeader
                           << QStringLiteral("DE REGELS VAN HET SPEL");
    QTest::newRow("how to play") << QStringLiteral("PlayBtn") << PlayHeader
                                 << QStringLiteral("HOE HET SPEL GESPEELD WORDT");
}

// The texts that come with the program are 8-bit: a UTF-8 file would show as "Ã©" here.
void TstHelp::shippedHelpTextsLoad() {
    QFETCH(QString, Button);
    QFETCH(QString, Header);
    QFETCH(QString, Opening);
    const QString Shipped = QFINDTESTDATA("../help");
    QVERIFY(!Shipped.isEmpty());
    THelpForm Help(Shipped);
    Click(Help, "PlayBtn");
    Click(Help, Button.toLatin1().constData());
    QCOMPARE(HeaderOf(Help), Header);
    const QString Text = MemoOf(Help);
    QVERIFY2(Text.startsWith(Opening), qPrintable(Text.left(80)));
    QVERIFY(Text.contains(QStringLiteral("\u00e9\u00e9n")));
    QVERIFY(!Text.contains(QChar(0xc3)));
}

void TstHelp::helpPosition_data() {
    QTest::addColumn<QRect>("Screen");
    QTest::addColumn<QSize>("Window");
    QTest::addColumn<QPoint>("Expected");
    QTest::newRow("wide screen") << QRect(0, 0, 1920, 1080) << QSize(620, 640) << QPoint(1300, 220);
    QTest::newRow("odd height difference truncates")
        << QRect(0, 0, 800, 800) << QSize(614, 613) << QPoint(186, 93);
    QTest::newRow("screen narrower than the window")
        << QRect(0, 0, 600, 800) << QSize(620, 640) << QPoint(0, 80);
    QTest::newRow("screen lower than the window")
        << QRect(0, 0, 800, 600) << QSize(620, 641) << QPoint(180, 0);
    QTest::newRow("second screen to the right, lower")
        << QRect(1920, 100, 1280, 1024) << QSize(620, 640) << QPoint(2580, 292);
    QTest::newRow("second screen narrower than the window")
        << QRect(1920, 100, 600, 500) << QSize(620, 640) << QPoint(1920, 100);
}

void TstHelp::helpPosition() {
    QFETCH(QRect, Screen);
    QFETCH(QSize, Window);
    QFETCH(QPoint, Expected);
    QCOMPARE(HelpFormPosition(Screen, Window), Expected);
}

// Each showing places the window anew; the close button, Esc and Enter only hide it, so
// the page stays as it was.
void TstHelp::shownAgainstTheRightEdgeEachTime() {
    THelpFolder Folder;
    Folder.Write(THelpForm::RulesFile, "De regels");
    THelpForm Help(Folder.Dir.path());
    const QRect Screen = QGuiApplication::primaryScreen()->geometry();
    const std::function<void()> Closers[] = {
        [&Help] { Click(Help, "CloseBtn"); },
        [&Help] { QTest::keyClick(&Help, Qt::Key_Escape); },
        [&Help] {
            Help.findChild<QPlainTextEdit*>(QStringLiteral("Memo"))->setFocus();
            QTest::keyClick(Help.focusWidget(), Qt::Key_Return);
        },
    };
    for (const auto& Close : Closers) {
        Help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Help));
        const QRect Frame = Help.frameGeometry();
        QCOMPARE(Frame.right() + 1, Screen.width());
        QCOMPARE(Frame.top(), std::max((Screen.height() - Frame.height()) / 2, 0));
        Close();
        QVERIFY(!Help.isVisible());
        QCOMPARE(MemoOf(Help), QStringLiteral("De regels"));
        Help.move(0, 0);
    }
    QCOMPARE(Help.size(), QSize(614, 613));
}

void TstHelp::oneHelpWindowHoweverOftenF1IsPressed_data() {
    QTest::addColumn<bool>("Minimise");
    QTest::newRow("left open between presses") << false;
    QTest::newRow("minimised between presses") << true;
}

void TstHelp::oneHelpWindowHoweverOftenF1IsPressed() {
    QFETCH(bool, Minimise);
    auto Form = CreateShownForm();
    THelpForm* Help = TLifeFormProbe(*Form).HelpForm();
    for (int Press = 0; Press < 3; ++Press) {
        if (Minimise && Help->isVisible())
            Help->showMinimized();
        ActivateAgain(*Form);
        QTest::keyClick(Form.get(), Qt::Key_F1);
        QTRY_VERIFY(Help->isVisible());
        QVERIFY(!Help->isMinimized());
    }
    QCOMPARE(HelpWindows(), QList<THelpForm*>{Help});
    QTRY_VERIFY(Help->isActiveWindow());
}

// A dialog, or a window with the main window as transient parent, would be kept above the
// main window by the window manager and hide the right part of the world.
void TstHelp::helpWindowIsAWindowOfItsOwn() {
    auto Form = CreateShownForm();
    QTest::keyClick(Form.get(), Qt::Key_F1);
    const QPointer<THelpForm> Help = TLifeFormProbe(*Form).HelpForm();
    QTRY_VERIFY(Help->isVisible());
    QCOMPARE(Help->windowType(), Qt::Window);
    QVERIFY(!Help->parentWidget());
    QVERIFY(!Help->windowHandle()->transientParent());
    QVERIFY(!Help->isModal());

    ActivateAgain(*Form);
    QVERIFY(Help->isVisible());
    QTest::keyClick(Form.get(), Qt::Key_F8);
    QCOMPARE(TLifeFormProbe(*Form).Panel(0)->text(), QStringLiteral("Generatie: 1"));

    // Closing the main window ends the event loop although the help window is open; the
    // fallback only keeps a failing test from hanging.
    QTimer::singleShot(0, Form.get(), &QWidget::close);
    QTimer Fallback;
    connect(&Fallback, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    Fallback.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    // The help window goes with the main window.
    Form.reset();
    QVERIFY(Help.isNull());
}

void TstHelp::helpAndAboutDoNothingDuringARun() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.Running = true;

    TModalWatch Watch;
    Watch.Arm();
    QTest::keyClick(Form.get(), Qt::Key_F1);
    QTest::keyClick(Form.get(), Qt::Key_F1, Qt::ControlModifier);
    Watch.Settle();
    QCOMPARE(Watch.Seen, 0);
    QVERIFY(!Probe.HelpForm()->isVisible());

    Probe.Running = false;
    QString Caption;
    AnswerNextModal([&Caption](QWidget* Modal) {
        Caption = Modal->windowTitle();
        Click(*Modal, "OKBtn");
    });
    QTest::keyClick(Form.get(), Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(Caption, QStringLiteral("Over dit spel"));
}

// The text takes the keyboard by a click, not by Tab; Enter presses the button that has the
// keyboard, and "S&luiten" when none has.
void TstHelp::keyboardInTheHelpWindow() {
    THelpFolder Folder;
    QByteArray Long;
    for (int Line = 0; Line < 200; ++Line)
        Long += "regel " + QByteArray::number(Line) + "\r\n";
    Folder.Write(THelpForm::RulesFile, Long);
    Folder.Write(THelpForm::PlayFile, "De uitleg");
    THelpForm Help(Folder.Dir.path());
    Help.show();
    ActivateAgain(Help);
    auto* Memo = Help.findChild<QPlainTextEdit*>(QStringLiteral("Memo"));
    auto* PlayBtn = Help.findChild<QPushButton*>(QStringLiteral("PlayBtn"));

    QTest::mouseClick(Memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QVERIFY(Memo->hasFocus());
    QTest::keyClick(Memo, Qt::Key_PageDown);
    QVERIFY(Memo->verticalScrollBar()->value() > 0);
    QTest::keyClick(Memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), MemoOf(Help));
    for (int Press = 0; Press < 3; ++Press) {
        QTest::keyClick(Help.focusWidget(), Qt::Key_Tab);
        QVERIFY(!Memo->hasFocus());
    }

    PlayBtn->setFocus();
    QTest::keyClick(PlayBtn, Qt::Key_Return);
    QVERIFY(Help.isVisible());
    QCOMPARE(MemoOf(Help), QStringLiteral("De uitleg"));
    Memo->setFocus();
    QTest::keyClick(Memo, Qt::Key_Return);
    QVERIFY(!Help.isVisible());
}

// The error comes from the help window, so the keyboard goes back there, not to the main
// window.
void TstHelp::keyboardBackToTheHelpWindowAfterItsError() {
    auto Form = CreateShownForm();
    THelpFolder Folder;
    Folder.Write(THelpForm::RulesFile, "De regels");
    THelpForm Help(Folder.Dir.path());
    Help.show();
    ActivateAgain(Help);
    AcceptNextMessageBox();
    Click(Help, "PlayBtn");
    QTRY_VERIFY(Help.isActiveWindow());
    QVERIFY(!Form->isActiveWindow());
    Help.close();
}

void TstHelp::aboutBoxShowsTheProgramFacts() {
    auto Form = CreateShownForm();
    QMap<QString, QString> Texts;
    bool OkIsDefault = false;
    QSizeF IconSize;
    AnswerNextModal([&](QWidget* Modal) {
        QVERIFY(qobject_cast<TAboutForm*>(Modal));
        Texts[QStringLiteral("Caption")] = Modal->windowTitle();
        for (QLabel* Label : Modal->findChildren<QLabel*>())
            Texts[Label->objectName()] = Label->text();
        IconSize = LabelOf(*Modal, "ProgramIcon")->pixmap().deviceIndependentSize();
        OkIsDefault = Modal->findChild<QPushButton*>(QStringLiteral("OKBtn"))->isDefault();
        Click(*Modal, "OKBtn");
    });
    Form->findChild<QAction*>(QStringLiteral("MenuAbout"))->trigger();

    QCOMPARE(Texts.value("Caption"), QStringLiteral("Over dit spel"));
    QCOMPARE(Texts.value("ProductLabel"), QStringLiteral("Conway's Game of Life"));
    QCOMPARE(Texts.value("VersionLabel"), QStringLiteral("Versie " GOL_VERSION));
    QCOMPARE(Texts.value("CopyrightLabel"), QStringLiteral("Auteur: Zoverkamp"));
    QVERIFY(QUrl(Texts.value("URLLabel")).scheme() == QStringLiteral("https"));
    QCOMPARE(Texts.value("LicenseLabel"),
             QStringLiteral("Deze implementatie valt onder de volgende licentievoorwaarden:"));
    QCOMPARE(Texts.value("LicenseUrlLabel"), QStringLiteral("MIT-licentie"));
    QVERIFY(Texts.value("CommentLabel").contains(QStringLiteral("John Horton Conway")));
    QCOMPARE(IconSize, QSizeF(32, 32));
    QVERIFY(OkIsDefault);
    QVERIFY(Form->findChildren<TAboutForm*>().isEmpty());
}

// The labels keep their places; OK sits 11 pixels under the comment, and the window ends 11
// pixels under OK. A font wider than the design widens the window instead of cutting text.
void TstHelp::aboutBoxFitsItsTexts() {
    QMainWindow Main;
    const auto About = SampleAboutBox(&Main);
    const QPoint Places[] = {{8, 8}, {8, 32}, {8, 56}, {8, 80}, {8, 104}, {24, 120}, {8, 144}};
    const char* Names[] = {"ProductLabel", "VersionLabel",    "CopyrightLabel", "URLLabel",
                           "LicenseLabel", "LicenseUrlLabel", "CommentLabel"};
    for (size_t I = 0; I < std::size(Names); ++I) {
        QLabel* Label = LabelOf(*About, Names[I]);
        QCOMPARE(Label->pos(), Places[I]);
        QVERIFY2(Label->geometry().right() < About->width(), Names[I]);
    }
    QVERIFY(About->width() >= 329);
    const QRect Comment = LabelOf(*About, "CommentLabel")->geometry();
    const QRect Ok = About->findChild<QPushButton*>(QStringLiteral("OKBtn"))->geometry();
    QCOMPARE(Ok.topLeft(), QPoint(120, Comment.bottom() + 1 + 11));
    QCOMPARE(Ok.size(), QSize(75, 25));
    QCOMPARE(About->height(), Ok.bottom() + 1 + 11);
    QCOMPARE(LabelOf(*About, "ProgramIcon")->geometry(), QRect(280, 8, 32, 32));
}

void TstHelp::enterClosesTheAboutBox() {
    QMainWindow Main;
    const auto About = SampleAboutBox(&Main);
    About->show();
    QVERIFY(QTest::qWaitForWindowExposed(About.get()));
    QTest::keyClick(About.get(), Qt::Key_Return);
    QVERIFY(!About->isVisible());
    QCOMPARE(About->result(), int(QDialog::Accepted));
}

void TstHelp::licenceLabelOpensTheLicenceAddress() {
    TUrlCatcher Catcher;
    // Both web schemes, so that a wrong address never reaches a real browser.
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &Catcher, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &Catcher, "Open");
    QMainWindow Main;
    const auto About = SampleAboutBox(&Main);
    About->show();
    QVERIFY(QTest::qWaitForWindowExposed(About.get()));

    QTest::mouseClick(LabelOf(*About, "LicenseUrlLabel"), Qt::LeftButton);
    QTest::mouseClick(LabelOf(*About, "URLLabel"), Qt::LeftButton);
    QTest::mouseClick(LabelOf(*About, "CopyrightLabel"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));

    const QList<QUrl> Expected = {QUrl(QStringLiteral("https://licence.test/mit")),
                                  QUrl(QStringLiteral("https://site.test/"))};
    QCOMPARE(Catcher.Opened, Expected);
}

void TstHelp::aboutBoxPlacement_data() {
    QTest::addColumn<QPoint>("MainPosition");
    const QRect Screen = QGuiApplication::primaryScreen()->geometry();
    QTest::newRow("top-left of the screen") << QPoint(0, 0);
    QTest::newRow("near the bottom-right corner")
        << QPoint(Screen.width() - 40, Screen.height() - 30);
}

// Just inside the main window's top-left corner, also where that puts it partly off screen.
void TstHelp::aboutBoxPlacement() {
    QFETCH(QPoint, MainPosition);
    QMainWindow Main;
    Main.move(MainPosition);
    const auto About = SampleAboutBox(&Main);
    QVERIFY(AboutBoxOffset() > 0);
    const QPoint Expected = MainPosition + QPoint(AboutBoxOffset(), AboutBoxOffset());
    QCOMPARE(About->pos(), Expected);
    About->show();
    QVERIFY(QTest::qWaitForWindowExposed(About.get()));
    QCOMPARE(About->pos(), Expected);
}

QTEST_MAIN(TstHelp)
#include "tst_help.moc"
