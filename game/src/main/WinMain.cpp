// Entry of the game program.
#include "main/GameProcess.h"

int main(int argc, char** /*argv*/)
{
    // The game takes no command line: any argument makes it return at once.
    if (argc > 1)
        return 0;
    const int result = RunGameToExit();
    ExitPath();
    return FinishProcess(result);
}
