// The program on a private X display with the real clock, SDL's audio on its
// disk driver: the mix it plays goes to a file, measured with sox. A smoke
// test of real-time play, with margins for a slow or loaded machine: the
// title tune starts when the menu opens (frame 43), so the first 0.3 s of
// the mix are silent however fast frames run, and the last second of a run
// of 400 frames plays the tune however slowly they run. The exact sound of a
// run is checked on game time by the headless audio test.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ProgramRun.h"
#include "XvfbDisplay.h"

namespace {

constexpr int kMixRate = 44100;

// sox's RMS amplitude (0-1) of a stretch of the 16-bit stereo mix; -1 when sox fails.
double RmsAmplitude(const std::filesystem::path& mix, double fromSeconds, double seconds)
{
    const std::string command = "sox -t raw -r " + std::to_string(kMixRate) + " -e signed -b 16 -c 2 '" + mix.string() +
                                "' -n trim " + std::to_string(fromSeconds) + " " + std::to_string(seconds) +
                                " stat 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    double rms = -1;
    char line[256];
    while (std::fgets(line, sizeof line, pipe) != nullptr)
        std::sscanf(line, "RMS amplitude: %lf", &rms);
    pclose(pipe);
    return rms;
}

TEST(TitleMusicOnXvfbTest, TitleTuneIsRenderedOnceTheMenuOpens)
{
    if (!xvfbtest::OnPath("sox"))
        GTEST_SKIP() << "sox is not installed";
    xvfbtest::XvfbDisplay display("1024x768x24");
    if (!display.Ready())
        GTEST_SKIP() << "Xvfb is not available";
    e2e::GameFolder folder;
    const auto mix = folder / "mix.raw";
    e2e::Environment environment{
        {"VELMORA_HEADLESS", ""},
        {"DISPLAY", display.Name()},
        {"SDL_VIDEODRIVER", "x11"},
        {"SDL_AUDIODRIVER", "disk"},
        {"SDL_DISKAUDIOFILE", mix.string()},
        // Over six seconds at 16 ms a frame; the menu opens on frame 43.
        {"VELMORA_FRAME_LIMIT", "400"},
    };
    const auto run = e2e::RunGameProgram(folder, environment, std::chrono::seconds(180));
    ASSERT_TRUE(run.exited);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_TRUE(std::filesystem::exists(mix));
    ASSERT_GT(std::filesystem::file_size(mix), static_cast<std::uintmax_t>(kMixRate * 4 * 2))
        << "under two seconds of mix";

    // Before the menu only the synthesizer's idle noise floor (far below one 16-bit step in RMS).
    const double before = RmsAmplitude(mix, 0.0, 0.3);
    const double mixSeconds = static_cast<double>(std::filesystem::file_size(mix)) / (kMixRate * 4);
    const double after = RmsAmplitude(mix, mixSeconds - 1.0, 1.0);
    RecordProperty("rms_before_menu", std::to_string(before));
    RecordProperty("rms_with_tune", std::to_string(after));
    EXPECT_GE(before, 0.0);
    EXPECT_LT(before, 0.0005) << "silent while the picture fades in";
    EXPECT_GT(after, 0.002) << "the title tune plays";
}

} // namespace
