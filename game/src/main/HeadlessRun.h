// The headless test mode, chosen by environment variables only:
//   VELMORA_HEADLESS=1          no display or sound card; a virtual clock, so
//                               frames run back to back and a run repeats exactly
//   VELMORA_FRAME_LIMIT=N       close the game cleanly after N frames
//   VELMORA_DUMP_FRAMES=3,60    write the picture of these frames as PNG files
//   VELMORA_DUMP_DIR=folder     where the dumps go (default "FrameDumps" in the
//                               game's folder); files are named frameNNNNN.png
//   VELMORA_INPUT_SCRIPT=file   scripted key and button events (see the input layer)
//   VELMORA_DUMP_AUDIO=file.wav the mix of the whole run, rendered on game time
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>

struct HeadlessSettings {
    bool virtualClock = false;
    std::uint32_t frameLimit = 0; // 0 = none
    std::set<std::uint32_t> dumpFrames;
    std::filesystem::path dumpFolder;
    std::filesystem::path audioDumpPath; // empty = no audio dump
};

// Reads the settings from the environment.
HeadlessSettings ReadHeadlessSettings();

// Applies the settings at start-up (before anything reads the clock).
void StartHeadlessRun();

// Called after every frame the main loop ran.
void AfterHeadlessFrame();

// Frames run so far.
std::uint32_t HeadlessFrameCount();
