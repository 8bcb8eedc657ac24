#include "ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

extern char** environ;

namespace e2e {

Environment HeadlessEnvironment()
{
    return {{"VELMORA_HEADLESS", "1"}, {"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "dummy"}};
}

ProgramResult RunGameProgram(const GameFolder& folder, const Environment& extra, std::chrono::seconds limit)
{
    // The test's own environment, with the extra variables in place of any of the same name.
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (extra.count(text.substr(0, text.find('='))) == 0)
            entries.push_back(text);
    }
    for (const auto& [name, value] : extra)
        entries.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& entry : entries)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string program = (folder / "Velmora").string();
    const std::string errorFile = (folder / "stderr.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    ProgramResult result;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            result.exited = true;
            break;
        }
        if (std::chrono::steady_clock::now() - start > limit) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (result.exited && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.errors = testsupport::ReadWholeFile(errorFile);
    return result;
}

} // namespace e2e
