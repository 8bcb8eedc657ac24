// What the runs of the program share: a save written by the game's own save
// code, a run with a scripted input file, and its frame dumps read back.
#pragma once

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "GameFolder.h"
#include "ProgramRun.h"

class GameData;
class CCharacter;

namespace e2e {

// An input script of key taps, each pressed for one frame, a few frames apart.
struct KeyScript {
    int frame;
    std::string text;
    int lastTap = 0;

    // Taps `key` now; the next tap comes `gap` frames later.
    void Tap(int key, int gap = 5)
    {
        Key(frame, key, true);
        Key(frame + 1, key, false);
        lastTap = frame;
        frame += gap;
    }
    // Holds a direction for `cells` cells of walking, then waits `after` frames.
    void Walk(int key, int cells, int after = 10)
    {
        constexpr int kFramesPerCell = 16;
        Key(frame, key, true);
        Key(frame + kFramesPerCell * cells - 1, key, false);
        frame += kFramesPerCell * cells + after;
    }
    void Key(int at, int key, bool down)
    {
        text += std::to_string(at) + " key " + std::to_string(key) + (down ? " down\n" : " up\n");
    }
    // A frame a little after the last tap, once what it did has settled.
    int Settled(int after = 15) const { return lastTap + after; }
    void Taps(std::initializer_list<int> keys)
    {
        for (int key : keys)
            Tap(key);
    }
    void Wait(int frames) { frame += frames; }
    // Asks for a dump three frames after the last tap; the frame dumped.
    int DumpAfterTap()
    {
        const int at = frame - 2;
        dumps += (dumps.empty() ? "" : ",") + std::to_string(at);
        return at;
    }
    std::string dumps;
};

// Reads a frame dump of the run, and keeps a copy among the pictures the
// tests leave to look at as `keepAs`.png.
FrameImage Dump(const GameFolder& folder, int frame, const std::string& keepAs = "");

// A new game's save in the slot with the player on a cell of a map, written
// as the field menu would.
void WriteSave(const GameFolder& folder, int slot, int map, int x, int y, int facing);
// The same with what `edit` changes in the new game's data and party before it is saved.
void WriteSave(const GameFolder& folder, int slot, int map, int x, int y, int facing,
               const std::function<void(GameData&, CCharacter&)>& edit);

// A new game's save one cell above a trainer standing at (x, y) of a map, the
// party's HP raised to the most and full: a trainer's battle shows enemy
// kinds, the party only has to stand it.
void WriteSaveAboveTrainer(const GameFolder& folder, int map, int x, int y);

// A new game's save with the player beside the first map's door (22, 10),
// facing it, the welcome already read.
void WriteSaveBesideTheDoor(const GameFolder& folder);

// The frames as the dump switch lists them.
std::string FrameList(const std::vector<int>& frames);

// The program with `script` as its input, dumping the frames listed, closing after `frameLimit`.
ProgramResult RunScripted(const GameFolder& folder, const std::string& script, const std::string& dumps,
                          int frameLimit);
// The same with further switches (such as the pixel-shader version), and
// for long runs more time than a short run needs (a sanitizer build on a
// loaded machine runs far slower than the game).
ProgramResult RunScripted(const GameFolder& folder, const std::string& script, const std::string& dumps, int frameLimit,
                          const Environment& extra, std::chrono::seconds limit = std::chrono::seconds(60));
// Time enough for a run of a few thousand frames in any build.
inline constexpr std::chrono::seconds kLongRunLimit{540};

} // namespace e2e
