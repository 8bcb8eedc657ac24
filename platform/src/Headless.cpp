#include "platform/Headless.h"

#include <cstdlib>
#include <cstring>

namespace plat {

bool IsHeadless()
{
    const char* value = std::getenv("VELMORA_HEADLESS");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

void PrepareSdlForHeadless()
{
    if (!IsHeadless())
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

} // namespace plat
