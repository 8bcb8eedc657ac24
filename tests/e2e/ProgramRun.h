// Runs the game program of a game folder as a child process with extra
// environment variables, its standard error kept in a file of the folder.
#pragma once

#include <chrono>
#include <map>
#include <string>

#include "GameFolder.h"

namespace e2e {

struct ProgramResult {
    bool exited = false; // false: it was still running when the time was up, and was killed
    int exitCode = -1;   // the exit status when it exited normally, else -1
    double seconds = 0;
    std::string errors; // its standard error
};

using Environment = std::map<std::string, std::string>;

// Headless mode, frame dumps into the folder's "FrameDumps".
Environment HeadlessEnvironment();

ProgramResult RunGameProgram(const GameFolder& folder, const Environment& extra,
                             std::chrono::seconds limit = std::chrono::seconds(60));

} // namespace e2e
