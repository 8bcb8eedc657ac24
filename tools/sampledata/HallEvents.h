// The events of the living maps: the hall of map 2, behind the door in the
// first map's west wall, with its wandering enemy symbols and gimmicks, and
// the wanderers of the cave (map 1). The cells are shared with the tests
// that walk there.
#pragma once

#include <vector>

#include "EventAssembler.h"

namespace sampledata {

namespace hall {
// The door from the first map and where it leads.
constexpr int kFirstMapDoorX = 0, kFirstMapDoorY = 3;
constexpr int kDoorX = 14, kDoorY = 7;
constexpr int kArrivalX = 15, kArrivalY = 7;
// The gimmicks.
constexpr int kTrapAX = 19, kTrapAY = 7;
constexpr int kTrapBX = 21, kTrapBY = 7;
constexpr int kLauncherX = 28, kLauncherY = 5;
constexpr int kBlockX = 22, kBlockY = 10;
constexpr int kPlateX = 22, kPlateY = 12;
constexpr int kSwitchAX = 16, kSwitchAY = 11;
constexpr int kSwitchBX = 17, kSwitchBY = 11;
constexpr int kOneShotX = 18, kOneShotY = 12;
constexpr int kSecondLauncherX = 15, kSecondLauncherY = 13;
constexpr int kArrowUpX = 24, kArrowUpY = 11;
constexpr int kArrowDownX = 25, kArrowDownY = 11;
constexpr int kPuzzleStartX = 27, kPuzzleStartY = 9;
constexpr int kPuzzleStoneX = 26, kPuzzleStoneY = 12; // stones 1, 2, 3 from here eastward
constexpr int kPuzzleChestX = 28, kPuzzleChestY = 10;
// Flags.
constexpr int kOneShotFlag = 111;
constexpr int kPuzzleChestFlag = 112;
constexpr int kPuzzleSolvedFlag = 38;
// Pictures.
constexpr int kBlockPicture = 30;
constexpr int kPlatePicture = 37;
constexpr int kSwitchOffPicture = 35;
constexpr int kOneShotPicture = 52;
constexpr int kTrapPicture = 39;
constexpr int kLeftLauncherPicture = 41;
constexpr int kRightLauncherPicture = 43;
constexpr int kArrowUpPicture = 59;
constexpr int kArrowRightPicture = 62;
constexpr int kStonePicture = 23; // the start stone; the numbered stones are 24, 32 and 33
} // namespace hall

std::vector<eventscript::Record> HallRecords();
std::vector<eventscript::Point> HallSpawnPoints();
// The door in the first map's west wall.
eventscript::Record DoorToHall();
std::vector<eventscript::Record> CaveWanderers();

} // namespace sampledata
