// Moving the player to another map or another cell by event: the block of
// fifteen words that describes the move (the step that runs it once a frame,
// ChangeMap, is in field/FieldServices.h, as the game-over runs it too). A
// move to another map hands over to the map-change transition; a move within
// the map (or a reload, or a white-out move) fades the field out and in here
// and lets the script go on.
#pragma once

#include <cstdint>

namespace mapchange {

// The words of a map-change block (an event's Args, or a caller's own).
enum Entry : int {
    Map = 0,
    Column = 1,
    Row = 2,
    Facing = 3, // 0 up, 1 left, 2 down, 3 right; -1 keeps the facing
    Step = 4,
    Pause = 5,
    Frame = 6,
    Settle = 7,
    Brightness = 8,
    Reload = 9,  // load the map again even when it is the current one
    Quick = 10,  // the white-out: fade by 2 and leave the field brightness alone
    Loaded = 11, // 1 once the map was loaded, kRefused when it was refused
    ThirdSwitch = 12,
    KeepMusic = 13, // bit 0: the music goes on across the move
    NewPlace = 14,  // always through the transition, a new place for SetMap
    kBlockWords = 15,
};

// What ChangeMap reports.
enum Result : int {
    kRunning = 0,
    kHandedOver = 1, // to the transition scene, or the change was refused
    kDone = 2,
};

constexpr int kRefused = -1;
constexpr int kPauseFrames = 9;
constexpr int kSwapFrame = 15;
constexpr int kLastSwapFrame = 30;
constexpr int kSettleFrames = 10;
constexpr int kFadeStep = 8;
constexpr int kQuickFadeStep = 2;
constexpr unsigned kReloadFadeMs = 600;
constexpr unsigned kQuickFadeMs = 2200;

} // namespace mapchange

// Readies `block` for ChangeMap: stops the player's walk, asks for its
// arrival check and clears every working word. With `facingFromScript` the
// Facing word is in the script's form (0 keeps, 1-4 are up, left, down,
// right; anything else keeps too).
void PrepareMapChange(std::int32_t* block, bool facingFromScript, bool quick, bool thirdSwitch, bool keepMusic);

// The stairs rule: the map a stairs record of `picture` leads to from
// `currentMap` (never below 0) and the facing on arrival.
int StairsTargetMap(int picture, int currentMap, int* facing);
