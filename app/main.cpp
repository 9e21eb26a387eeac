#include "app/ulife.h"
#include "settings/settingspaths.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
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
