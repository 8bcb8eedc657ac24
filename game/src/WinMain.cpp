// Entry of the game program. Start-up, the main loop and the scenes are still
// to come; for now the program checks its command line and that the engine
// library in its Data folder loads and offers its factories.
#include <cstdio>

#include "ZephLibrary.h"

int main(int argc, char** /*argv*/)
{
    // The game takes no command line: any argument makes it return at once.
    if (argc > 1)
        return 0;
    ZephLibrary library;
    if (!library.Open("Data/libZeph.so")) {
        std::fprintf(stderr, "Velmora: cannot load the engine library: %s\n", library.LastError().c_str());
        return 1;
    }
    std::printf("Velmora: engine library loaded.\n");
    return 0;
}
