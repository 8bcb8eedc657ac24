#include "core/ContentWarning.h"

#include <cstdio>

#include "platform/Paths.h"

void WarnContent(const char* area, const std::string& what)
{
    std::fprintf(stderr, "Velmora: warning: %s\n", what.c_str());
    if (std::FILE* log = std::fopen(plat::ResolvePath("Error.log").c_str(), "ab")) {
        std::fprintf(log, "Warning : %s : %s\r\n", area, what.c_str());
        std::fclose(log);
    }
}
