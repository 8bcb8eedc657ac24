#include "main/HeadlessRun.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "main/FrameDump.h"
#include "main/HeadlessAudio.h"
#include "main/WindowEvents.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "platform/Headless.h"
#include "platform/Paths.h"

namespace {

// Game time at the start of a headless run; any value works, this one is not 0.
constexpr std::uint32_t kHeadlessStartMs = 0x1000;

HeadlessSettings settings;
std::uint32_t framesRun = 0;
bool closeRequested = false;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

HeadlessSettings ReadHeadlessSettings()
{
    HeadlessSettings read;
    read.virtualClock = plat::IsHeadless();
    const std::string limit = Environment("VELMORA_FRAME_LIMIT");
    if (!limit.empty())
        read.frameLimit = static_cast<std::uint32_t>(std::strtoul(limit.c_str(), nullptr, 10));
    std::stringstream frames(Environment("VELMORA_DUMP_FRAMES"));
    std::string item;
    while (std::getline(frames, item, ',')) {
        if (!item.empty())
            read.dumpFrames.insert(static_cast<std::uint32_t>(std::strtoul(item.c_str(), nullptr, 10)));
    }
    const std::string audio = Environment("VELMORA_DUMP_AUDIO");
    if (!audio.empty())
        read.audioDumpPath = plat::ResolvePath(audio);
    const std::string folder = Environment("VELMORA_DUMP_DIR");
    read.dumpFolder = plat::ResolvePath(folder.empty() ? "FrameDumps" : folder);
    return read;
}

void StartHeadlessRun()
{
    settings = ReadHeadlessSettings();
    framesRun = 0;
    closeRequested = false;
    if (!settings.virtualClock)
        return;
    // Game time: only the frame loop moves the clock, and the sound follows it.
    plat::UseGameTimeClock(kHeadlessStartMs);
    StartHeadlessAudio(kHeadlessStartMs, settings.audioDumpPath);
}

void AfterHeadlessFrame()
{
    ++framesRun;
    if (settings.virtualClock)
        MixHeadlessAudio(plat::NowMs());
    if (settings.dumpFrames.count(framesRun) != 0 && D3DDevice != nullptr) {
        char name[32];
        std::snprintf(name, sizeof name, "frame%05u.png", framesRun);
        if (!DumpPresentedFrame(D3DDevice, settings.dumpFolder / name))
            std::fprintf(stderr, "Velmora: could not write the dump of frame %u\n", framesRun);
    }
    if (settings.frameLimit != 0 && framesRun >= settings.frameLimit && !closeRequested) {
        closeRequested = true;
        PostCloseMessage();
    }
}

std::uint32_t HeadlessFrameCount()
{
    return framesRun;
}
