// Faults from the disk and the file system, provoked for real, and the inputs the fuzzers
// once failed on. The tests run as root, so every fault is one that stops root too: a path
// through a regular file, a folder or a pipe where a file belongs, a file-size limit.

#include "app/errors.h"
#include "settings/inifile.h"
#include "settings/settingspaths.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList Glider = {".O.", "..O", "OOO"};

// Every name below Folder with the bytes of each file, so a test can tell that nothing in
// it was added, removed or changed.
QStringList FolderContents(const QString& Folder) {
    QStringList Contents;
    const QDir Dir(Folder);
    for (const QFileInfo& Entry :
         Dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (Entry.isDir() && !Entry.isSymLink()) {
            Contents << Entry.fileName() + QLatin1Char('/');
            for (const QString& Inner : FolderContents(Entry.filePath()))
                Contents << Entry.fileName() + QLatin1Char('/') + Inner;
        } else {
            Contents << Entry.fileName() + QLatin1Char('=') +
                            QString::fromLatin1(Entry.isFile() ? FileBytes(Entry.filePath())
                                                               : QByteArray("<special>"));
        }
    }
    return Contents;
}

// What a failed command must leave as it was: the cells, Generation and the picture.
struct TWorldSeen {
    QStringList Cells;
    qint32 Generation = 0;
    QString GenerationPanel;
    QImage Picture;

    static TWorldSeen Of(TLifeForm& Form) {
        TLifeFormProbe Probe(Form);
        return {ReadRows(Form, QRect(0, 0, Probe.HorCells(), Probe.VertCells())),
                Probe.Generation(), Probe.Panel(0)->text(), Probe.WorldImage()->Picture().copy()};
    }
    bool operator==(const TWorldSeen&) const = default;
};

// A shown window with a glider, Generation 7 and the picture drawn to match.
std::unique_ptr<TLifeForm> FormWithGlider() {
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    PlaceRows(*Form, 30, 40, Glider);
    Probe.SetGeneration(7);
    Form->DrawGeneration(true);
    return Form;
}

// What the user's choice in a file dialog led to.
struct TDialogOutcome {
    bool Accepted = false;
    QStringList FilesAfterFault; // the folder's contents once the fault was made
    QString Message;             // the text of the message box that followed
};

// Answers the next file dialog with Path, as a user who typed it. Once the dialog has
// accepted it, MakeFault changes the file system under the command's feet, and the message
// box that follows is accepted. A dialog that refuses Path is cancelled.
void ChooseFileThenFault(const QString& Path, const std::function<void()>& MakeFault,
                         const QString& Folder, TDialogOutcome& Outcome) {
    AnswerNextModal([=, &Outcome](QWidget* Modal) {
        auto* Dialog = qobject_cast<QFileDialog*>(Modal);
        if (!Dialog) {
            Modal->close();
            return;
        }
        Dialog->selectFile(Path);
        // QFileDialog::accept is protected; through QDialog it checks Path as the button does.
        static_cast<QDialog*>(Dialog)->accept();
        Outcome.Accepted = Dialog->result() == QDialog::Accepted;
        if (!Outcome.Accepted) {
            Dialog->reject();
            return;
        }
        MakeFault();
        Outcome.FilesAfterFault = FolderContents(Folder);
        AcceptNextMessageBox(
            [&Outcome](const QString&, const QString& Text) { Outcome.Message = Text; });
    });
}

void Trigger(TLifeForm& Form, const char* Name) {
    auto* Item = Form.findChild<QAction*>(QLatin1String(Name));
    if (!Item)
        qFatal("no menu item %s", Name);
    Item->trigger();
}

// Writes beyond Bytes fail with EFBIG, as on a full disk, for the life of the object.
// SIGXFSZ is ignored meanwhile, so the write reports the failure instead of ending the
// process.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes) {
        if (getrlimit(RLIMIT_FSIZE, &Saved) != 0)
            qFatal("getrlimit failed");
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Limited = Saved;
        Limited.rlim_cur = Bytes;
        if (setrlimit(RLIMIT_FSIZE, &Limited) != 0)
            qFatal("setrlimit failed");
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, OldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit Saved{};
    void (*OldHandler)(int) = SIG_DFL;
};

// Points the settings at a folder of the test's own.
void UseSettingsFolder(const QString& Folder) {
    SettingsDir = QDir::toNativeSeparators(Folder);
    SettingsFile = AddTrailingBackslash(SettingsDir) + QStringLiteral("vindrel.ini");
}

QString SettingsMessage(const QString& Error) {
    return QStringLiteral("Helaas is er wat misgegaan bij het opslaan van de instellingen in het "
                          "bestand:\n\n%1\n\n%2")
        .arg(SettingsFile, Error);
}

// A settings file's lines without their line ends: CR LF, a lone CR or a lone LF.
QList<QByteArray> LinesWithoutEnds(QByteArray Text) {
    Text.replace("\r\n", "\n").replace('\r', '\n');
    QList<QByteArray> Lines = Text.split('\n');
    if (Lines.constLast().isEmpty())
        Lines.removeLast();
    return Lines;
}

enum class TFault { ThroughRegularFile, Folder, Pipe, Unreadable };

// Removes the entry at Path, a folder with all it holds included.
void RemoveEntry(const QString& Path) {
    if (QFileInfo(Path).isDir())
        QDir(Path).removeRecursively();
    else
        QFile::remove(Path);
}

// Replaces Path, or the folder Path lies in, by something no file can be read from or
// written to, root or not.
void MakeFault(const QString& Path, TFault Fault) {
    switch (Fault) {
    case TFault::ThroughRegularFile: {
        const QString Parent = QFileInfo(Path).path();
        RemoveEntry(Parent);
        WriteFile(Parent, "a regular file where the folder was\n");
        return;
    }
    case TFault::Folder:
        RemoveEntry(Path);
        QDir().mkpath(Path + QStringLiteral("/binnen"));
        WriteFile(Path + QStringLiteral("/binnen/blijft.txt"), "kept\n");
        return;
    case TFault::Pipe:
        RemoveEntry(Path);
        if (mkfifo(QFile::encodeName(Path), 0600) != 0)
            qFatal("mkfifo failed");
        return;
    case TFault::Unreadable:
        if (chmod(QFile::encodeName(Path), 0) != 0)
            qFatal("chmod failed");
        return;
    }
}

} // namespace

class TstRobustness : public QObject {
    Q_OBJECT

private slots:
    void init();

    void failedOpenKeepsWorldAndFiles_data();
    void failedOpenKeepsWorldAndFiles();
    void failedSaveKeepsWorldAndFiles_data();
    void failedSaveKeepsWorldAndFiles();

    void failedSettingsWriteKeepsFile_data();
    void failedSettingsWriteKeepsFile();
    void settingsFaultAtCloseStillCloses();

    void iniInputsThatOnceFailed_data();
    void iniInputsThatOnceFailed();
};

void TstRobustness::init() {
    if (SettingsFile.isEmpty())
        InitSettingsPaths();
}

void TstRobustness::failedOpenKeepsWorldAndFiles_data() {
    QTest::addColumn<TFault>("Fault");
    QTest::addColumn<QString>("Reason");
    QTest::newRow("its folder became a regular file")
        << TFault::ThroughRegularFile << "Pad niet gevonden";
    QTest::newRow("it became a pipe, which would never end")
        << TFault::Pipe
        << "Dit is geen gewoon bestand, maar bijvoorbeeld een pipe of een apparaat.";
    QTest::newRow("it cannot be read") << TFault::Unreadable << "Toegang geweigerd";
}

// The world is kept when the file cannot be read at all, so nothing the user drew is lost.
void TstRobustness::failedOpenKeepsWorldAndFiles() {
    QFETCH(TFault, Fault);
    QFETCH(QString, Reason);
    if (Fault == TFault::Unreadable && geteuid() == 0)
        QSKIP("root reads every file");
    QTemporaryDir Folder;
    QDir(Folder.path()).mkdir(QStringLiteral("map"));
    const QString Path = Folder.filePath(QStringLiteral("map/patroon.life"));
    WriteFile(Path, "!Naam:patroon!\r\nOOO\r\n");
    auto Form = FormWithGlider();
    const TWorldSeen Before = TWorldSeen::Of(*Form);

    TDialogOutcome Outcome;
    ChooseFileThenFault(
        Path, [=] { MakeFault(Path, Fault); }, Folder.path(), Outcome);
    Trigger(*Form, "MenuOpenGame");

    QVERIFY(Outcome.Accepted);
    QCOMPARE(Outcome.Message, QStringLiteral("Fout bij openen van bestand:\n") +
                                  QDir::toNativeSeparators(Path) + "\n\n" + Reason);
    QVERIFY(TWorldSeen::Of(*Form) == Before);
    QCOMPARE(FolderContents(Folder.path()), Outcome.FilesAfterFault);
    QVERIFY(TLifeFormProbe(*Form).Panel(1)->text().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
}

void TstRobustness::failedSaveKeepsWorldAndFiles_data() {
    QTest::addColumn<QString>("Name");
    QTest::addColumn<std::optional<TFault>>("Fault");
    QTest::addColumn<int>("ErrorCode");
    QTest::newRow("its folder became a regular file")
        << "map/patroon.life" << std::optional(TFault::ThroughRegularFile) << 3;
    QTest::newRow("a folder took its place")
        << "map/patroon.life" << std::optional(TFault::Folder) << 5;
    // No one, root included, can make a file among a process's own entries.
    QTest::newRow("a folder that cannot be written")
        << "/proc/self/patroon.life" << std::optional<TFault>() << 5;
}

void TstRobustness::failedSaveKeepsWorldAndFiles() {
    QFETCH(QString, Name);
    QFETCH(std::optional<TFault>, Fault);
    QFETCH(int, ErrorCode);
    QTemporaryDir Folder;
    QDir(Folder.path()).mkdir(QStringLiteral("map"));
    const QString Path = QDir(Folder.path()).filePath(Name);
    auto Form = FormWithGlider();
    const TWorldSeen Before = TWorldSeen::Of(*Form);

    TDialogOutcome Outcome;
    ChooseFileThenFault(
        Path,
        [=] {
            if (Fault)
                MakeFault(Path, *Fault);
        },
        Folder.path(), Outcome);
    Trigger(*Form, "MenuSaveGame");

    QVERIFY(Outcome.Accepted);
    QCOMPARE(Outcome.Message, QStringLiteral("Fout bij opslaan van bestand:\n%1\n\n%2")
                                  .arg(QDir::toNativeSeparators(Path), ErrorText(ErrorCode)));
    QVERIFY(TWorldSeen::Of(*Form) == Before);
    QCOMPARE(FolderContents(Folder.path()), Outcome.FilesAfterFault);
    QVERIFY(TLifeFormProbe(*Form).Panel(1)->text().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
}

void TstRobustness::failedSettingsWriteKeepsFile_data() {
    QTest::addColumn<bool>("FileIsFolder");
    QTest::addColumn<QByteArray>("OldFile"); // empty: no file before
    QTest::addColumn<int>("SizeLimit");      // 0: no limit
    QTest::addColumn<QByteArray>("FileAfter");
    QTest::addColumn<int>("ErrorCode");
    const QByteArray Old = "; mine\r\n[Afmetingen]\r\nHorCells=640\r\n[Eigen]\r\nx=1\r\n";
    QTest::newRow("settings file is a folder") << true << QByteArray() << 0 << QByteArray() << 5;
    QTest::newRow("full disk on the first key, old file kept byte for byte")
        << false << Old << int(Old.size()) << Old << 39;
    // The keys written before the failure stay written: 26 and 40 bytes fit, 57 do not.
    QTest::newRow("full disk on the third key, no file before")
        << false << QByteArray() << 50 << QByteArray("[Afmetingen]\nHorCells=320\nVertCells=240\n")
        << 39;
}

void TstRobustness::failedSettingsWriteKeepsFile() {
    QFETCH(bool, FileIsFolder);
    QFETCH(QByteArray, OldFile);
    QFETCH(int, SizeLimit);
    QFETCH(QByteArray, FileAfter);
    QFETCH(int, ErrorCode);
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    if (FileIsFolder) {
        QDir(Folder.path()).mkpath(QStringLiteral("vindrel.ini/binnen"));
        WriteFile(Folder.filePath(QStringLiteral("vindrel.ini/binnen/blijft.txt")), "kept\n");
    }
    if (!OldFile.isEmpty())
        WriteFile(SettingsFile, OldFile);
    const QStringList FilesBefore = FolderContents(Folder.path());
    auto Form = CreateForm();

    QString Message;
    AcceptNextMessageBox([&Message](const QString&, const QString& Text) { Message = Text; });
    {
        std::optional<TFileSizeLimit> Limit;
        if (SizeLimit > 0)
            Limit.emplace(rlim_t(SizeLimit));
        Form->SaveOptions();
    }

    QCOMPARE(Message, SettingsMessage(ErrorText(ErrorCode)));
    // No temporary file is left behind either.
    QCOMPARE(FolderContents(Folder.path()),
             FileIsFolder ? FilesBefore
                          : QStringList{"vindrel.ini=" + QString::fromLatin1(FileAfter)});
}

// At close the message is shown and the window closes all the same.
void TstRobustness::settingsFaultAtCloseStillCloses() {
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    const QByteArray Old = "[Opties]\nWrapping=0\n";
    WriteFile(SettingsFile, Old);
    auto Form = CreateShownForm();
    TLifeFormProbe(*Form).SaveOptionsOnClose = true;
    QString Message;
    AcceptNextMessageBox([&Message](const QString&, const QString& Text) { Message = Text; });
    {
        const TFileSizeLimit Limit{rlim_t(Old.size())};
        Form->close();
    }
    QCOMPARE(Message, SettingsMessage(ErrorText(39)));
    QVERIFY(!Form->isVisible());
    QCOMPARE(FileBytes(SettingsFile), Old);
}

void TstRobustness::iniInputsThatOnceFailed_data() {
    QTest::addColumn<QByteArray>("File");
    QTest::addColumn<QList<QByteArray>>("Kept");
    QTest::newRow("lines ending in CR, LF and CR CR LF, a zero byte")
        << QByteArray("=10\rHo3\n2rCl\r\r\nTimer\xb4ntmmmmm\x01\0", 30)
        << QList<QByteArray>{"=10", "Ho3", "2rCl", "", QByteArray("Timer\xb4ntmmmmm\x01\0", 15)};
    QTest::newRow("a key before any section, a key that keeps its value")
        << QByteArray("g\nHorCells=100\n[Afmetingen]\nVertCells=299\n")
        << QList<QByteArray>{"g", "HorCells=100", "[Afmetingen]", "VertCells=299"};
}

// The program loads the file and writes its six settings back: every line that was there
// stays in its place and the file reads back as what was written.
void TstRobustness::iniInputsThatOnceFailed() {
    QFETCH(QByteArray, File);
    QFETCH(QList<QByteArray>, Kept);
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    WriteFile(SettingsFile, File);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Form->SaveOptions();

    const QByteArray Written = FileBytes(SettingsFile);
    QCOMPARE(LinesWithoutEnds(Written).mid(0, Kept.size()), Kept);
    const struct {
        const char* Section;
        const char* Key;
        qint32 Value;
    } Settings[] = {{"Afmetingen", "HorCells", Probe.HorCells()},
                    {"Afmetingen", "VertCells", Probe.VertCells()},
                    {"Afmetingen", "HorCellGrootte", Probe.HorCellSize},
                    {"Afmetingen", "VertCellGrootte", Probe.VertCellSize},
                    {"Opties", "Wrapping", Probe.Wrapping()},
                    {"Opties", "TimerInterval", Probe.WorldTimer()->interval()}};
    for (const auto& [Section, Key, Value] : Settings)
        QCOMPARE(IniReadValue(Written, Section, Key), QByteArray::number(Value));
}

QTEST_MAIN(TstRobustness)
#include "tst_robustness.moc"
