#include "app/about.h"
#include "app/ulife.h"
#include "settings/settingspaths.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    QApplication::setWindowIcon(ApplicationIcon());
    // Qt's own dialogs (file dialogs, their questions) speak Dutch like the rest.
    QTranslator QtDutch;
    if (QtDutch.load(QLocale(QLocale::Dutch, QLocale::Netherlands), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&QtDutch);
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("nl.zoverkamp.gameoflife"));
    InitSettingsPaths();
    int Result = 0;
    {
        const auto LifeForm = std::make_unique<TLifeForm>();
        LifeForm->show();
        Result = QApplication::exec();
    }
    ClearSettingsPaths();
    return Result;
}
