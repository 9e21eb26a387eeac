// Program start and end: the shared set-up before the main window exists.

#include "app/startup.h"

#include "app/about.h"
#include "settings/settingspaths.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

void StartProgram(QApplication& Application) {
#ifdef Q_OS_LINUX
    // The fastest speed asks for a tick every millisecond; the kernel's default timer slack
    // of 50 microseconds makes ticks miss their slot more often.
    prctl(PR_SET_TIMERSLACK, 1UL);
#endif
    InitSettingsPaths();
    QApplication::setWindowIcon(ApplicationIcon());
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("nl.zoverkamp.gameoflife"));
    // Qt's own dialogs (file dialogs, their questions) speak Dutch like the rest.
    auto* QtDutch = new QTranslator(&Application);
    if (QtDutch->load(QLocale(QLocale::Dutch, QLocale::Netherlands), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(QtDutch);
}

void EndProgram() {
    ClearSettingsPaths();
}
