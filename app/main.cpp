#include "app/lifeapplication.h"
#include "app/startup.h"
#include "app/ulife.h"

#include <memory>

int main(int argc, char* argv[]) {
    TLifeApplication Application(argc, argv);
    StartProgram(Application);
    int Result = 0;
    {
        const auto LifeForm = std::make_unique<TLifeForm>();
        LifeForm->show();
        Result = QApplication::exec();
    }
    EndProgram();
    return Result;
}
