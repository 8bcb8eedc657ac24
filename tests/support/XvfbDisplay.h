// A private X server for tests that need a real display: Xvfb started on a
// free display number of its own choosing, stopped at the end.
#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace xvfbtest {

inline bool OnPath(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

class XvfbDisplay {
public:
    // `screen` as Xvfb takes it, e.g. "1280x720x24".
    explicit XvfbDisplay(const std::string& screen)
    {
        int ends[2];
        if (!OnPath("Xvfb") || pipe(ends) != 0)
            return;
        const std::string fd = std::to_string(ends[1]);
        const char* argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen",  "0",
                              screen.c_str(), "-nolisten",  "tcp",      "-noreset", nullptr};
        pid_ = fork();
        if (pid_ == 0) {
            // The server goes with the test, however the test ends.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(ends[0]);
            execvp("Xvfb", const_cast<char**>(argv));
            _exit(127);
        }
        close(ends[1]);
        if (pid_ < 0) {
            pid_ = 0;
            close(ends[0]);
            return;
        }
        // Xvfb writes the display number once it accepts connections.
        char buffer[16] = {};
        std::size_t got = 0;
        while (got < sizeof buffer - 1) {
            const ssize_t n = read(ends[0], buffer + got, 1);
            if (n <= 0 || buffer[got] == '\n')
                break;
            got += static_cast<std::size_t>(n);
        }
        // Kept open: the server may write to it again, and must not meet a closed pipe.
        announce_ = ends[0];
        if (got > 0)
            name_ = ":" + std::string(buffer, got);
    }

    ~XvfbDisplay()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
        if (announce_ >= 0)
            close(announce_);
    }

    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    bool Ready() const { return !name_.empty(); }
    const std::string& Name() const { return name_; }

private:
    pid_t pid_ = 0;
    int announce_ = -1;
    std::string name_;
};

} // namespace xvfbtest
