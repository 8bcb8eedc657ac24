#include "platform/InputSource.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/Headless.h"
#include "platform/Paths.h"
#include "platform/ScriptedInputSource.h"
#include "platform/SdlInputSource.h"

namespace plat {
namespace {

InputSourceFactory& InstalledFactory()
{
    static InputSourceFactory factory;
    return factory;
}

std::unique_ptr<InputSource> OpenHeadlessSource()
{
    const char* scriptPath = std::getenv("VELMORA_INPUT_SCRIPT");
    if (scriptPath == nullptr || scriptPath[0] == '\0')
        return std::make_unique<ScriptedInputSource>();
    std::ifstream script(ResolvePath(scriptPath));
    std::string error = "input script: cannot open " + std::string(scriptPath);
    std::unique_ptr<ScriptedInputSource> source;
    if (script)
        source = ScriptedInputSource::Parse(script, error);
    if (source == nullptr) {
        // A broken script must not pass for "no input" silently.
        std::fprintf(stderr, "%s\n", error.c_str());
        return nullptr;
    }
    return source;
}

} // namespace

std::unique_ptr<InputSource> OpenInputSource(SDL_Window* window)
{
    if (InstalledFactory())
        return InstalledFactory()(window);
    if (IsHeadless())
        return OpenHeadlessSource();
    return std::make_unique<SdlInputSource>(window);
}

void SetInputSourceFactory(InputSourceFactory factory)
{
    InstalledFactory() = std::move(factory);
}

} // namespace plat
