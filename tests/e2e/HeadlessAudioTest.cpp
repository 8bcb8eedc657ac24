// Headless runs keep one game time: the picture and the sound of a scripted
// run (the title, then a new game) are the same bytes every time, the sound
// lasts exactly the frames' game time, and the title tune starts with the menu.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "AudioDump.h"
#include "ProgramRun.h"
#include "platform/LittleEndian.h"

namespace {

constexpr int kFrames = 600;
constexpr int kFrameMs = 16;
constexpr int kRate = 44100;
constexpr std::size_t kWavHeader = 44;

using e2e::ReadBytes;

double Rms(const std::string& wav, double fromSeconds, double toSeconds)
{
    return e2e::WavRms(wav, fromSeconds, toSeconds);
}

struct ScriptedRun {
    e2e::ProgramResult result;
    std::string audio;
    std::string lastFrame;
};

ScriptedRun RunTitleAndNewGame()
{
    e2e::GameFolder folder;
    folder.Write("script.txt", "50 key 44 down\n51 key 44 up\n400 key 205 down\n460 key 205 up\n");
    e2e::Environment environment = e2e::HeadlessEnvironment();
    environment["VELMORA_INPUT_SCRIPT"] = "script.txt";
    environment["VELMORA_FRAME_LIMIT"] = std::to_string(kFrames);
    environment["VELMORA_DUMP_FRAMES"] = std::to_string(kFrames);
    environment["VELMORA_DUMP_AUDIO"] = "mix.wav";
    ScriptedRun run;
    run.result = e2e::RunGameProgram(folder, environment, std::chrono::seconds(240));
    run.audio = ReadBytes(folder / "mix.wav");
    run.lastFrame = ReadBytes(folder / ("FrameDumps/frame00" + std::to_string(kFrames) + ".png"));
    return run;
}

TEST(HeadlessAudioTest, ARunSoundsAndLooksTheSameEveryTimeOnItsOwnGameTime)
{
    const ScriptedRun first = RunTitleAndNewGame();
    ASSERT_TRUE(first.result.exited);
    ASSERT_EQ(first.result.exitCode, 0) << first.result.errors;
    // The synthesizer is fed at game pace: it never runs out of voices.
    EXPECT_EQ(first.result.errors.find("fluidsynth"), std::string::npos) << first.result.errors;

    // Exactly the game time from the first frame to the last: 16 ms a frame,
    // stereo 16-bit.
    const std::size_t expectedFrames = static_cast<std::size_t>(kFrames - 1) * kFrameMs * kRate / 1000;
    ASSERT_EQ(first.audio.size(), kWavHeader + expectedFrames * 4);
    ASSERT_EQ(first.audio.compare(0, 4, "RIFF"), 0);

    // The tune begins as the menu opens (frame 43, 0.69 s): silent before.
    EXPECT_LT(Rms(first.audio, 0.0, 0.6), 0.0005);
    EXPECT_GT(Rms(first.audio, 1.0, 3.0), 0.005);

    const ScriptedRun second = RunTitleAndNewGame();
    ASSERT_EQ(second.result.exitCode, 0) << second.result.errors;
    EXPECT_TRUE(second.audio == first.audio) << "the mix differs between two runs of the same script";
    EXPECT_FALSE(first.lastFrame.empty());
    EXPECT_TRUE(second.lastFrame == first.lastFrame) << "the last picture differs between the runs";
}

} // namespace
