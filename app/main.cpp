#include "app/commandline.h"
#include "app/lifeapplication.h"
#include "app/startup.h"
#include "app/ulife.h"

#include <memory>

int main(int argc, char* argv[]) {
    if (const std::optional<int> Status = AnswerBeforeStart(argc, argv))
        return *Status;
    TProgramArguments Arguments(argc, argv);
    TLifeApplication Application(Arguments.QtArgc, argv);
    // Qt has taken its own options out by now; what is left must be the program's.
    const TCommandLine Command = ParseCommandLine(Arguments.Decoded(argv));
    if (const std::optional<int> Status = AnswerOnTerminal(Command))
        return *Status;
    StartProgram(Application);
    int Result = 0;
    {
        const auto LifeForm = std::make_unique<TLifeForm>();
        LifeForm->OpenWhenShown(Command.File);
        LifeForm->show();
        Result = QApplication::exec();
    }
    EndProgram();
    return Result;
}
