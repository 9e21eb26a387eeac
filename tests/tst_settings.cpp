// The settings store: the integer syntax, the INI layer, reading, writing and its failures.

#include "patterns/filenames.h"
#include "settings/inifile.h"
#include "settings/settingspaths.h"
#include "settings/strtoint.h"
#include "tests/testhelpers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

// Points the settings at a folder of the test's own.
void UseSettingsFolder(const QString& Folder) {
    SettingsDir = QDir::toNativeSeparators(Folder);
    SettingsFile = AddTrailingBackslash(SettingsDir) + QStringLiteral("vindrel.ini");
}

QAction* GridItem(TLifeForm& Form) {
    auto* Item = Form.findChild<QAction*>(QStringLiteral("MenuGrid"));
    if (!Item)
        qFatal("no grid item");
    return Item;
}

} // namespace

class TstSettings : public QObject {
    Q_OBJECT

private slots:
    void integerSyntax_data();
    void integerSyntax();
    void iniReadsCaseInsensitively();
    void iniWriteKeepsLayout_data();
    void iniWriteKeepsLayout();
    void iniWriteSectionReplacesItsKeys_data();
    void iniWriteSectionReplacesItsKeys();
    void settingsPathIsBelowTheConfigFolder();
    void splitFolderPath();
    void createFolderPathMakesEveryParent();

    void noFileGivesDefaults();
    void readingTable_data();
    void readingTable();
    void handEditedFilesLoadAsOnWindows_data();
    void handEditedFilesLoadAsOnWindows();
    void saveKeepsMarkAndLineEnds_data();
    void saveKeepsMarkAndLineEnds();
    void twoCellSizesReadIndependently();
    void closingWithoutConfirmationWritesNothing();
    void confirmedCloseWritesAllSixKeys();
    void saveKeepsOtherLines();
    void changedKeysAloneAreWrittenAtClose_data();
    void changedKeysAloneAreWrittenAtClose();
    void folderThatCannotBeMadeShowsMessageA();
    void readOnlyFileShowsMessageB();
};

void TstSettings::integerSyntax_data() {
    QTest::addColumn<QString>("Text");
    QTest::addColumn<bool>("Valid");
    QTest::addColumn<qint32>("Value");
    QTest::newRow("plain") << "640" << true << 640;
    QTest::newRow("leading blanks") << "   640" << true << 640;
    QTest::newRow("plus") << "+12" << true << 12;
    QTest::newRow("minus") << "-5" << true << -5;
    QTest::newRow("dollar hex") << "$400" << true << 1024;
    QTest::newRow("dollar hex, either case") << "$aBc" << true << 0xabc;
    QTest::newRow("0x hex") << "0x400" << true << 1024;
    QTest::newRow("0X hex") << "0X1f" << true << 31;
    QTest::newRow("hex, all 32 bits") << "$FFFFFFFF" << true << -1;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << qint32(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("hex too large") << "$100000000" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "   " << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("trailing letter") << "12a" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
    QTest::newRow("dollar alone") << "$" << false << 0;
    QTest::newRow("0x alone") << "0x" << false << 0;
    QTest::newRow("blank before 0x") << " 0x10" << false << 0;
    QTest::newRow("signed hex") << "-$10" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
}

void TstSettings::integerSyntax() {
    QFETCH(QString, Text);
    QFETCH(bool, Valid);
    QFETCH(qint32, Value);
    const std::optional<qint32> Result = SettingToInt(Text);
    QCOMPARE(Result.has_value(), Valid);
    if (Valid)
        QCOMPARE(*Result, Value);
}

void TstSettings::iniReadsCaseInsensitively() {
    const QByteArray Text =
        "; a comment\r\n[afmetingen]\r\n  horcells = 640 \r\nOther=1\r\n[Opties]\r\nWrapping=2\r\n";
    QCOMPARE(IniReadValue(Text, "Afmetingen", "HorCells"), std::optional<QByteArray>("640"));
    QCOMPARE(IniReadValue(Text, "OPTIES", "wrapping"), std::optional<QByteArray>("2"));
    QCOMPARE(IniReadValue(Text, "Opties", "HorCells"), std::nullopt);
    QCOMPARE(IniReadValue(Text, "Missing", "Wrapping"), std::nullopt);
    QCOMPARE(IniReadValue({}, "Opties", "Wrapping"), std::nullopt);
}

void TstSettings::iniWriteKeepsLayout_data() {
    QTest::addColumn<QByteArray>("Before");
    QTest::addColumn<QByteArray>("Section");
    QTest::addColumn<QByteArray>("Key");
    QTest::addColumn<QByteArray>("After");
    QTest::newRow("empty file") << QByteArray() << QByteArray("Opties") << QByteArray("Wrapping")
                                << QByteArray("[Opties]\nWrapping=3\n");
    QTest::newRow("replaced where it stands, other case kept around it")
        << QByteArray("[opties]\r\nfoo=1\r\nWRAPPING=0\r\nbar=2\r\n") << QByteArray("Opties")
        << QByteArray("Wrapping") << QByteArray("[opties]\r\nfoo=1\r\nWrapping=3\r\nbar=2\r\n");
    QTest::newRow("new key at the end of its section, before the blank line")
        << QByteArray("[Opties]\nfoo=1\n\n[Other]\nx=y\n") << QByteArray("Opties")
        << QByteArray("Wrapping") << QByteArray("[Opties]\nfoo=1\nWrapping=3\n\n[Other]\nx=y\n");
    QTest::newRow("new section at the end, comments kept")
        << QByteArray("; mine\n[Other]\nx=y") << QByteArray("Opties") << QByteArray("Wrapping")
        << QByteArray("; mine\n[Other]\nx=y\n[Opties]\nWrapping=3\n");
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF[Opties]\r\nWrapping=0\r\n") << QByteArray("Opties")
        << QByteArray("Wrapping") << QByteArray("\xEF\xBB\xBF[Opties]\r\nWrapping=3\r\n");
    QTest::newRow("byte-order mark kept before a new section")
        << QByteArray("\xEF\xBB\xBF[Other]\nx=y\n") << QByteArray("Opties")
        << QByteArray("Wrapping") << QByteArray("\xEF\xBB\xBF[Other]\nx=y\n[Opties]\nWrapping=3\n");
    QTest::newRow("CR line ends kept, key replaced")
        << QByteArray("[Opties]\rWrapping=0\rfoo=1\r") << QByteArray("Opties")
        << QByteArray("Wrapping") << QByteArray("[Opties]\rWrapping=3\rfoo=1\r");
    QTest::newRow("CR line ends kept, key added")
        << QByteArray("[Opties]\rfoo=1") << QByteArray("Opties") << QByteArray("Wrapping")
        << QByteArray("[Opties]\rfoo=1\rWrapping=3\r");
    QTest::newRow("second section of the same name untouched")
        << QByteArray("[Opties]\nfoo=1\n[opties]\nWrapping=0\n") << QByteArray("Opties")
        << QByteArray("Wrapping")
        << QByteArray("[Opties]\nfoo=1\nWrapping=3\n[opties]\nWrapping=0\n");
    QTest::newRow("quoted value replaced")
        << QByteArray("[Opties]\nWrapping=\"0\"\n") << QByteArray("Opties")
        << QByteArray("Wrapping") << QByteArray("[Opties]\nWrapping=3\n");
    QTest::newRow("same key in another section untouched")
        << QByteArray("[Other]\nWrapping=9\n[Opties]\n") << QByteArray("Opties")
        << QByteArray("Wrapping") << QByteArray("[Other]\nWrapping=9\n[Opties]\nWrapping=3\n");
}

void TstSettings::iniWriteKeepsLayout() {
    QFETCH(QByteArray, Before);
    QFETCH(QByteArray, Section);
    QFETCH(QByteArray, Key);
    QFETCH(QByteArray, After);
    QCOMPARE(IniWriteValue(Before, Section, Key, "3"), After);
}

void TstSettings::iniWriteSectionReplacesItsKeys_data() {
    QTest::addColumn<QByteArray>("Before");
    QTest::addColumn<QByteArray>("After");
    QTest::newRow("missing section added at the end")
        << QByteArray("[Opties]\nZoom=100\n") << QByteArray("[Opties]\nZoom=100\n[L]\nA=\"x\"\n");
    QTest::newRow("fewer keys: the old ones go, comments stay where they were")
        << QByteArray("[L]\r\n; mine\r\nA=1\r\nB=2\r\nC=3\r\n\r\n[Opties]\r\n")
        << QByteArray("[L]\r\n; mine\r\nA=\"x\"\r\n\r\n[Opties]\r\n");
    QTest::newRow("section without keys: after its last line")
        << QByteArray("[l]\n; mine\n\n[Opties]\n")
        << QByteArray("[l]\n; mine\nA=\"x\"\n\n[Opties]\n");
    QTest::newRow("second section of the same name untouched")
        << QByteArray("[L]\nA=1\n[L]\nB=2\n") << QByteArray("[L]\nA=\"x\"\n[L]\nB=2\n");
}

void TstSettings::iniWriteSectionReplacesItsKeys() {
    QFETCH(QByteArray, Before);
    QFETCH(QByteArray, After);
    QCOMPARE(IniWriteSection(Before, "L", {{"A", "\"x\""}}), After);
    QCOMPARE(IniReadSection(After, "L").value(0), TIniEntry("A", "x"));
}

void TstSettings::settingsPathIsBelowTheConfigFolder() {
    InitSettingsPaths();
    const QString Expected = QDir::toNativeSeparators(qEnvironmentVariable("XDG_CONFIG_HOME") +
                                                      QStringLiteral("/Zoverkamp/Game of Life"));
    QCOMPARE(SettingsDir, Expected);
    QCOMPARE(SettingsFile, Expected + QDir::separator() + QStringLiteral("vindrel.ini"));
    ClearSettingsPaths();
    QVERIFY(SettingsFile.isEmpty());
}

void TstSettings::splitFolderPath() {
    const QString S = QDir::separator();
    QStringList List;
    SplitFolderPath(S + "home" + S + "u" + S + "Game of Life", false, List);
    QCOMPARE(List, (QStringList{S, "home", "u", "Game of Life"}));
    List.clear();
    SplitFolderPath(S + S + "server" + S + "share" + S + "dir", true, List);
    QCOMPARE(List, (QStringList{S + S + "server" + S, "share", "dir"}));
    QCOMPARE(AddTrailingBackslash(QString()), S);
    QCOMPARE(AddTrailingBackslash("a" + S), "a" + S);
    QCOMPARE(StripTrailingBackslash("a" + S), QStringLiteral("a"));
    QCOMPARE(StripTrailingBackslash("a"), QStringLiteral("a"));
}

void TstSettings::createFolderPathMakesEveryParent() {
    QTemporaryDir Root;
    const QString Deep = Root.filePath(QStringLiteral("a/b/c/Game of Life"));
    QVERIFY(CreateFolderPath(QDir::toNativeSeparators(Deep)));
    QVERIFY(FolderExists(Deep));
    QVERIFY(CreateFolderPath(QDir::toNativeSeparators(Deep))); // already there
    QVERIFY(CreateFolderPath(QString()));
    QVERIFY(CreateFolderPath(QDir::rootPath()));
}

void TstSettings::noFileGivesDefaults() {
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.filePath(QStringLiteral("none")));
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    QCOMPARE(Probe.HorCells(), 320);
    QCOMPARE(Probe.VertCells(), 240);
    QCOMPARE(Probe.HorCellSize, 1);
    QCOMPARE(Probe.VertCellSize, 1);
    QCOMPARE(Probe.Wrapping(), qint32(wmHorizontal));
    QCOMPARE(Probe.WorldTimer()->interval(), 100);
    QVERIFY(!Probe.SaveOptionsOnClose);
}

void TstSettings::readingTable_data() {
    QTest::addColumn<QString>("Section");
    QTest::addColumn<QString>("Line");
    QTest::addColumn<QString>("Field");
    QTest::addColumn<int>("Expected");
    const QString A = QStringLiteral("Afmetingen"), O = QStringLiteral("Opties");
    QTest::newRow("HorCells=100") << A << "HorCells=100"
                                  << "HorCells" << 320;
    QTest::newRow("HorCells=5000") << A << "HorCells=5000"
                                   << "HorCells" << 1280;
    QTest::newRow("HorCells= 640") << A << "HorCells= 640"
                                   << "HorCells" << 640;
    QTest::newRow("VertCells=0x400") << A << "VertCells=0x400"
                                     << "VertCells" << 1024;
    QTest::newRow("VertCells=abc") << A << "VertCells=abc"
                                   << "VertCells" << 240;
    QTest::newRow("HorCellGrootte=3") << A << "HorCellGrootte=3"
                                      << "HorCellSize" << 2;
    QTest::newRow("VertCellGrootte=0") << A << "VertCellGrootte=0"
                                       << "VertCellSize" << 1;
    QTest::newRow("Wrapping=7") << O << "Wrapping=7"
                                << "Wrapping" << 3;
    QTest::newRow("Wrapping=-1") << O << "Wrapping=-1"
                                 << "Wrapping" << 0;
    QTest::newRow("TimerInterval=250") << O << "TimerInterval=250"
                                       << "Interval" << 250;
    QTest::newRow("TimerInterval=200") << O << "TimerInterval=200"
                                       << "Interval" << 100;
    QTest::newRow("TimerInterval=0") << O << "TimerInterval=0"
                                     << "Interval" << 1;
    QTest::newRow("TimerInterval=-5") << O << "TimerInterval=-5"
                                      << "Interval" << 1;
    QTest::newRow("TimerInterval=5000") << O << "TimerInterval=5000"
                                        << "Interval" << 1000;
    QTest::newRow("key in the wrong section") << O << "HorCells=640"
                                              << "HorCells" << 320;
    QTest::newRow("Zoom=400") << O << "Zoom=400"
                              << "Zoom" << 400;
    QTest::newRow("Zoom=25") << O << "Zoom=25"
                             << "Zoom" << 25;
    QTest::newRow("Zoom=0xC80") << O << "Zoom=0xC80"
                                << "Zoom" << 3200;
    QTest::newRow("Zoom=300, no level") << O << "Zoom=300"
                                        << "Zoom" << 100;
    QTest::newRow("Zoom=6400, no level") << O << "Zoom=6400"
                                         << "Zoom" << 100;
    QTest::newRow("Zoom=abc") << O << "Zoom=abc"
                              << "Zoom" << 100;
    QTest::newRow("Zoom= (empty)") << O << "Zoom="
                                   << "Zoom" << 100;
    QTest::newRow("no Zoom key") << O << "Wrapping=1"
                                 << "Zoom" << 100;
    QTest::newRow("Raster=0") << O << "Raster=0"
                              << "Grid" << 0;
    QTest::newRow("Raster=1") << O << "Raster=1"
                              << "Grid" << 1;
    QTest::newRow("Raster=abc: on") << O << "Raster=abc"
                                    << "Grid" << 1;
    QTest::newRow("no Raster key: on") << O << "Wrapping=1"
                                       << "Grid" << 1;
}

void TstSettings::readingTable() {
    QFETCH(QString, Section);
    QFETCH(QString, Line);
    QFETCH(QString, Field);
    QFETCH(int, Expected);
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    WriteFile(SettingsFile, ('[' + Section + "]\r\n" + Line + "\r\n").toLatin1());
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    const QMap<QString, int> Fields = {{"HorCells", Probe.HorCells()},
                                       {"VertCells", Probe.VertCells()},
                                       {"HorCellSize", Probe.HorCellSize},
                                       {"VertCellSize", Probe.VertCellSize},
                                       {"Wrapping", Probe.Wrapping()},
                                       {"Interval", Probe.WorldTimer()->interval()},
                                       {"Zoom", Probe.Zoom()},
                                       {"Grid", GridItem(*Form)->isChecked() ? 1 : 0}};
    QCOMPARE(Fields.value(Field), Expected);
}

void TstSettings::handEditedFilesLoadAsOnWindows_data() {
    QTest::addColumn<QByteArray>("File");
    QTest::addColumn<int>("HorCells");
    QTest::addColumn<int>("VertCells");
    QTest::newRow("byte-order mark before the first section")
        << QByteArray("\xEF\xBB\xBF[Afmetingen]\r\nHorCells=640\r\nVertCells=480\r\n") << 640
        << 480;
    QTest::newRow("CR line ends") << QByteArray("[Afmetingen]\rHorCells=640\rVertCells=480\r")
                                  << 640 << 480;
    QTest::newRow("value in double quotes")
        << QByteArray("[Afmetingen]\r\nHorCells=\"640\"\r\nVertCells= \"480\" \r\n") << 640 << 480;
    QTest::newRow("value in single quotes")
        << QByteArray("[Afmetingen]\nHorCells='640'\nVertCells=\"480'\n") << 640 << 240;
    QTest::newRow("second section of the same name")
        << QByteArray("[Afmetingen]\r\nHorCells=640\r\n[Opties]\r\nWrapping=0\r\n"
                      "[AFMETINGEN]\r\nHorCells=800\r\nVertCells=480\r\n")
        << 640 << 240;
}

void TstSettings::handEditedFilesLoadAsOnWindows() {
    QFETCH(QByteArray, File);
    QFETCH(int, HorCells);
    QFETCH(int, VertCells);
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    WriteFile(SettingsFile, File);
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    QCOMPARE(Probe.HorCells(), HorCells);
    QCOMPARE(Probe.VertCells(), VertCells);
}

// A file saved by a Windows editor: the mark, CR LF and the quotes as the user left them.
void TstSettings::saveKeepsMarkAndLineEnds_data() {
    QTest::addColumn<QByteArray>("End");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("CR") << QByteArray("\r");
    QTest::newRow("LF") << QByteArray("\n");
}

void TstSettings::saveKeepsMarkAndLineEnds() {
    QFETCH(QByteArray, End);
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    const QByteArray Mark("\xEF\xBB\xBF");
    WriteFile(SettingsFile, Mark + QByteArray("[Afmetingen]_HorCells=\"640\"_").replace("_", End));
    auto Form = CreateForm();
    Form->SaveOptions();
    QCOMPARE(FileBytes(SettingsFile),
             Mark + QByteArray("[Afmetingen]_HorCells=640_VertCells=240_HorCellGrootte=1_"
                               "VertCellGrootte=1_[Opties]_Wrapping=1_TimerInterval=100_")
                        .replace("_", End));
}

void TstSettings::twoCellSizesReadIndependently() {
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    WriteFile(SettingsFile, "[Afmetingen]\nHorCellGrootte=2\nVertCellGrootte=1\n");
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    QCOMPARE(Probe.HorCellSize, 2);
    QCOMPARE(Probe.VertCellSize, 1);
    QCOMPARE(Probe.WorldImage()->Picture().size(), QSize(640, 240));
}

void TstSettings::closingWithoutConfirmationWritesNothing() {
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.filePath(QStringLiteral("Zoverkamp/Game of Life")));
    auto Form = CreateShownForm();
    Form->close();
    QVERIFY(!QFile::exists(SettingsFile));
    QVERIFY(!QFile::exists(SettingsDir));
}

void TstSettings::confirmedCloseWritesAllSixKeys() {
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.filePath(QStringLiteral("Zoverkamp/Game of Life")));
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.SaveOptionsOnClose = true;
    Probe.SetWrapping(wmBoth);
    Probe.WorldTimer()->setInterval(250);
    Form->close();
    const QByteArray NewLine = QDir::separator() == QLatin1Char('\\') ? "\r\n" : "\n";
    QCOMPARE(FileBytes(SettingsFile),
             QByteArray("[Afmetingen]\nHorCells=320\nVertCells=240\nHorCellGrootte=1\n"
                        "VertCellGrootte=1\n[Opties]\nWrapping=3\nTimerInterval=250\n")
                 .replace("\n", NewLine));
    auto Next = CreateForm();
    TLifeFormProbe NextProbe(*Next);
    QCOMPARE(NextProbe.Wrapping(), qint32(wmBoth));
    QCOMPARE(NextProbe.WorldTimer()->interval(), 250);
}

void TstSettings::saveKeepsOtherLines() {
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    WriteFile(
        SettingsFile,
        "; kept\r\n[Opties]\r\nTimerInterval=1\r\nMine=yes\r\n[Afmetingen]\r\nVertCells=300\r\n");
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    QCOMPARE(Probe.VertCells(), 300);
    Form->SaveOptions();
    QCOMPARE(
        FileBytes(SettingsFile),
        QByteArray(
            "; kept\r\n[Opties]\r\nTimerInterval=1\r\nMine=yes\r\nWrapping=1\r\n[Afmetingen]\r\n"
            "VertCells=300\r\nHorCells=320\r\nHorCellGrootte=1\r\nVertCellGrootte=1\r\n"));
}

void TstSettings::changedKeysAloneAreWrittenAtClose_data() {
    QTest::addColumn<QList<int>>("Zooms"); // the zoom at start, then each one chosen
    QTest::addColumn<int>("GridClicks");
    QTest::addColumn<QList<QByteArray>>("Opened"); // names of files opened, in order
    QTest::addColumn<bool>("Confirmed");
    QTest::addColumn<QByteArray>("Written"); // "<dir>" for the folder of the opened files
    const QByteArray Start = "; kept\r\n[Opties]\r\nZoom=400\r\nMine=yes\r\n[Recente bestanden]"
                             "\r\n; mine\r\nBestand1=\"<dir>/a.life\"\r\n";
    const QList<QByteArray> None;
    QTest::newRow("zoom changed") << QList<int>{400, 800} << 0 << None << false
                                  << QByteArray(Start).replace("Zoom=400", "Zoom=800");
    QTest::newRow("zoom changed and back")
        << QList<int>{400, 800, 400} << 0 << None << false << Start;
    QTest::newRow("zoom changed, settings confirmed")
        << QList<int>{400, 100} << 0 << None << true
        << QByteArray(
               "; kept\r\n[Opties]\r\nZoom=100\r\nMine=yes\r\nWrapping=1\r\n"
               "TimerInterval=100\r\n[Recente bestanden]\r\n; mine\r\nBestand1=\"<dir>/a.life\"\r\n"
               "[Afmetingen]\r\nHorCells=320\r\nVertCells=240\r\n"
               "HorCellGrootte=1\r\nVertCellGrootte=1\r\n");
    QTest::newRow("grid turned off")
        << QList<int>{400} << 1 << None << false
        << QByteArray(Start).replace("Mine=yes", "Mine=yes\r\nRaster=0");
    QTest::newRow("grid off and on again") << QList<int>{400} << 2 << None << false << Start;
    QTest::newRow("the listed file opened again")
        << QList<int>{400} << 0 << QList<QByteArray>{"a.life"} << false << Start;
    QTest::newRow("two files opened: newest first, the section's other lines kept")
        << QList<int>{400} << 0 << QList<QByteArray>{"b.life", "c.rle"} << false
        << QByteArray(Start).replace("Bestand1=\"<dir>/a.life\"",
                                     "Bestand1=\"<dir>/c.rle\"\r\nBestand2=\"<dir>/b.life\"\r\n"
                                     "Bestand3=\"<dir>/a.life\"");
    QTest::newRow("a name that is not UTF-8 kept by its bytes")
        << QList<int>{400} << 0 << QList<QByteArray>{" caf\xe9.life"} << false
        << QByteArray(Start).replace(
               "Bestand1=\"<dir>/a.life\"",
               "Bestand1=\"<dir>/ caf\xe9.life\"\r\nBestand2=\"<dir>/a.life\"");
}

// The six keys keep their rule; the zoom, the grid and the recent files are written at close
// when they changed, with every other line kept.
void TstSettings::changedKeysAloneAreWrittenAtClose() {
    QFETCH(QList<int>, Zooms);
    QFETCH(int, GridClicks);
    QFETCH(QList<QByteArray>, Opened);
    QFETCH(bool, Confirmed);
    QFETCH(QByteArray, Written);
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    const QByteArray Dir = EncodeFileName(Folder.path());
    WriteFile(SettingsFile, "; kept\r\n[Opties]\r\nZoom=400\r\nMine=yes\r\n[Recente bestanden]"
                            "\r\n; mine\r\nBestand1=\"" +
                                Dir + "/a.life\"\r\n");
    // By the name's own bytes: QFile would store a name that is not UTF-8 as another.
    for (const QByteArray& Name : Opened) {
        std::FILE* File = std::fopen((Dir + '/' + Name).constData(), "wb");
        QVERIFY(File && std::fputs("O\r\n", File) >= 0 && std::fclose(File) == 0);
    }
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    QCOMPARE(Probe.Zoom(), Zooms.first());
    for (const int Zoom : Zooms.mid(1))
        Form->SetZoom(Zoom);
    for (int Click = 0; Click < GridClicks; ++Click)
        GridItem(*Form)->trigger();
    for (const QByteArray& Name : Opened)
        Form->OpenGameFile(DecodeFileName(Dir + '/' + Name));
    Probe.SaveOptionsOnClose = Confirmed;
    Form->close();
    QCOMPARE(FileBytes(SettingsFile), Written.replace("<dir>", Dir));
}

void TstSettings::folderThatCannotBeMadeShowsMessageA() {
    QTemporaryDir Folder;
    const QString Blocker = Folder.filePath(QStringLiteral("file"));
    WriteFile(Blocker, "not a folder");
    // A folder below a regular file cannot be made, also not by root.
    UseSettingsFolder(Blocker + QStringLiteral("/Zoverkamp/Game of Life"));
    auto Form = CreateForm();
    QString Title, Text;
    AcceptNextMessageBox([&](const QString& T, const QString& M) {
        Title = T;
        Text = M;
    });
    Form->SaveOptions();
    QCOMPARE(Title, QStringLiteral("Fout"));
    QCOMPARE(Text,
             QStringLiteral(
                 "Helaas is er wat misgegaan bij het opslaan van de instellingen:\n\nDe map \"%1\""
                 "\n\nkon niet worden aangemaakt.\n\nHet bestand bestaat al")
                 .arg(SettingsDir));
    QCOMPARE(FileBytes(Blocker), QByteArray("not a folder"));
}

void TstSettings::readOnlyFileShowsMessageB() {
    QTemporaryDir Folder;
    UseSettingsFolder(Folder.path());
    const QByteArray Before = "[Afmetingen]\nHorCells=640\n";
    WriteFile(SettingsFile, Before);
    QFile::setPermissions(SettingsFile, QFile::ReadOwner | QFile::ReadUser);
    auto Form = CreateShownForm();
    TLifeFormProbe Probe(*Form);
    Probe.SaveOptionsOnClose = true;
    QString Text;
    AcceptNextMessageBox([&](const QString&, const QString& M) { Text = M; });
    Form->close();
    QTRY_VERIFY(!Text.isEmpty());
    QCOMPARE(Text,
             QStringLiteral(
                 "Helaas is er wat misgegaan bij het opslaan van de instellingen in het bestand:"
                 "\n\n%1\n\nToegang geweigerd")
                 .arg(SettingsFile));
    QVERIFY(!Form->isVisible());
    QCOMPARE(FileBytes(SettingsFile), Before);
}

QTEST_MAIN(TstSettings)
#include "tst_settings.moc"
