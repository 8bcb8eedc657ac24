// What the runs of the program share: a save written by the game's own save
// code, a run with a scripted input file, and its frame dumps read back.
#pragma once

#include <functional>
#include <string>

#include "FrameImage.h"
#include "GameFolder.h"
#include "ProgramRun.h"

class GameData;
class CCharacter;

namespace e2e {

// Reads a frame dump of the run, and keeps a copy among the pictures the
// tests leave to look at as `keepAs`.png.
FrameImage Dump(const GameFolder& folder, int frame, const std::string& keepAs = "");

// A new game's save in the slot with the player on a cell of a map, written
// as the field menu would.
void WriteSave(const GameFolder& folder, int slot, int map, int x, int y, int facing);
// The same with what `edit` changes in the new game's data and party before it is saved.
void WriteSave(const GameFolder& folder, int slot, int map, int x, int y, int facing,
               const std::function<void(GameData&, CCharacter&)>& edit);

// The program with `script` as its input, dumping the frames listed, closing after `frameLimit`.
ProgramResult RunScripted(const GameFolder& folder, const std::string& script, const std::string& dumps,
                          int frameLimit);

} // namespace e2e
