// The hall of map 2: a set-up record that spawns a wanderer that chases
// whoever comes near, symbols of random patterns on the spawn points and a
// spawner slot that keeps the hall filled; a block to push onto a plate,
// two switches and a one-shot switch, two spike traps, two turning arrows,
// a launcher of rolling objects, a second launcher that the one-shot switch
// arms, and a puzzle of three stones.
#include "HallEvents.h"

namespace sampledata {
namespace {

using eventscript::Point;
using eventscript::Record;
using eventscript::Script;
using namespace hall;

constexpr int kTouchClass = 1;
constexpr int kConfirmClass = 2;
constexpr int kSwitchFollowClass = 5;
constexpr int kPushFollowClass = 6;
constexpr int kEvery18Frames = 7;
constexpr int kEvery85Frames = 10;
constexpr int kSetupClass = 11;

constexpr int kSwitchKind = 4;
constexpr int kOneShotKind = 5;
constexpr int kPlateKind = 8;
constexpr int kTrapKindA = 12;
constexpr int kTrapKindB = 13;
constexpr int kArrowUpKind = 15;
constexpr int kArrowDownKind = 16;
constexpr int kChestKind = 1;

constexpr int kFirstMap = 0;
constexpr int kHallMap = 2;
constexpr int kDoorPicture = 29;
constexpr int kChestPicture = 18;
constexpr int kFaceRight = 4;

// Condition kinds of the conditional jump.
constexpr int kAllSwitchesOn = 1;
constexpr int kAllPlatesCovered = 2;

// The spawn behaviour word.
constexpr int kRestsSometimes = 2 << 1;
constexpr int kRestsAfterEveryMove = 1 << 1;
constexpr int kReflects = 1 << 3;
constexpr int kChasesNear = 1 << 7; // reaction type 1
constexpr int kFadesIn = 1 << 15;
constexpr int kRandomPattern = -1;
constexpr int kWanderer = 3;

Record Pass(int x, int y, int kind, int picture, int trigger, const Script& script, int doneFlag = 0)
{
    return Record{x, y, 0, doneFlag, kind, picture, trigger, true, script.Code()};
}

Record Setup()
{
    Script s;
    s.SpawnSymbol(24, 9, kWanderer, 10, kFadesIn | kChasesNear | kReflects);
    s.Raw(OP_SPAWN_AT_POINTS, {3, 4, kRandomPattern, 5, 15, kFadesIn | kRestsSometimes | kReflects});
    // A slot: at most 6 symbols, one more every 400 frames.
    s.Raw(OP_ADD_EVENT_SLOT, {6, 400, 0, 0, 0, 0, 0, kWanderer, 5, 10, kReflects});
    s.End();
    return Pass(1, 1, 0, 0, kSetupClass, s);
}

Record Door()
{
    return Record{
        kDoorX,      kDoorY, 0,
        0,           0,      kDoorPicture,
        kTouchClass, false,  Script().ChangeMap(kFirstMap, kFirstMapDoorX + 1, kFirstMapDoorY, kFaceRight).Code()};
}

Record Block()
{
    return Record{kBlockX, kBlockY, 0, 0, 0, kBlockPicture, 0, false, Script().End().Code()};
}

Record Plate()
{
    return Pass(kPlateX, kPlateY, kPlateKind, kPlatePicture, 0, Script().End());
}

// Runs after every push: speaks once the plate is covered.
Record PushFollow()
{
    return Pass(28, 13, 0, 0, kPushFollowClass,
                Script().IfJump(1, kAllPlatesCovered, 0, 1).End().Label(1).Message(u"石の重みで床が沈んだ。").End());
}

Record Switch(int x, int y)
{
    return Pass(x, y, kSwitchKind, kSwitchOffPicture, 0, Script().End());
}

Record SwitchFollow()
{
    return Pass(27, 13, 0, 0, kSwitchFollowClass,
                Script().IfJump(1, kAllSwitchesOn, 0, 1).End().Label(1).Message(u"二つのスイッチが入った。").End());
}

Record OneShot()
{
    return Pass(kOneShotX, kOneShotY, kOneShotKind, kOneShotPicture, 0, Script().End(), kOneShotFlag);
}

Record Trap(int x, int y, int kind)
{
    return Pass(x, y, kind, kTrapPicture, 0, Script().End());
}

Record Launcher()
{
    return Record{kLauncherX,
                  kLauncherY,
                  0,
                  0,
                  0,
                  kLeftLauncherPicture,
                  kEvery85Frames,
                  false,
                  Script().LaunchObject(4).End().Code()};
}

// Armed by the one-shot switch: then it rolls an object along the hall's
// south row every 18 frames.
Record SecondLauncher()
{
    return Record{kSecondLauncherX,
                  kSecondLauncherY,
                  0,
                  0,
                  0,
                  kRightLauncherPicture,
                  kEvery18Frames,
                  false,
                  Script().LaunchObjectIf(6, kOneShotFlag).End().Code()};
}

Record Arrow(int x, int y, int kind, int picture)
{
    return Pass(x, y, kind, picture, 0, Script().End());
}

Record PuzzleStart()
{
    return Record{kPuzzleStartX,
                  kPuzzleStartY,
                  0,
                  0,
                  0,
                  kStonePicture,
                  kConfirmClass,
                  false,
                  Script().Raw(OP_SEQUENCE_STEP, {0, 0}).Message(u"三つの石を正しい順に調べよ。").End().Code()};
}

Record PuzzleStone(int number)
{
    static constexpr int kPictures[3] = {24, 32, 33};
    return Record{kPuzzleStoneX + number - 1,
                  kPuzzleStoneY,
                  0,
                  0,
                  0,
                  kPictures[number - 1],
                  kConfirmClass,
                  false,
                  Script().Raw(OP_SEQUENCE_STEP, {0, number}).End().Code()};
}

Record PuzzleChest()
{
    return Record{kPuzzleChestX,    kPuzzleChestY, kPuzzleSolvedFlag,
                  kPuzzleChestFlag, kChestKind,    kChestPicture,
                  kConfirmClass,    false,         Script().GetItem(0, 1, kPuzzleChestFlag).End().Code()};
}

} // namespace

std::vector<Record> HallRecords()
{
    return {Setup(),
            Door(),
            Block(),
            Plate(),
            PushFollow(),
            Switch(kSwitchAX, kSwitchAY),
            Switch(kSwitchBX, kSwitchBY),
            SwitchFollow(),
            OneShot(),
            Trap(kTrapAX, kTrapAY, kTrapKindA),
            Trap(kTrapBX, kTrapBY, kTrapKindB),
            Launcher(),
            SecondLauncher(),
            Arrow(kArrowUpX, kArrowUpY, kArrowUpKind, kArrowUpPicture),
            Arrow(kArrowDownX, kArrowDownY, kArrowDownKind, kArrowRightPicture),
            PuzzleStart(),
            PuzzleStone(1),
            PuzzleStone(2),
            PuzzleStone(3),
            PuzzleChest()};
}

// Sorted by row, as the spawn commands expect.
std::vector<Point> HallSpawnPoints()
{
    return {{20, 1}, {27, 2}, {24, 4}, {17, 9}, {27, 11}};
}

Record DoorToHall()
{
    return Record{kFirstMapDoorX,
                  kFirstMapDoorY,
                  0,
                  0,
                  0,
                  kDoorPicture,
                  kTouchClass,
                  false,
                  Script().ChangeMap(kHallMap, kArrivalX, kArrivalY, kFaceRight).Code()};
}

// Wanderers in the cave's far corner, away from its doors, that rest after
// every move; on the looping cave they walk off one edge and on at the other.
std::vector<Record> CaveWanderers()
{
    Script s;
    s.Raw(OP_SPAWN_IN_AREA, {4, 6, 22, 15, 33, 27, 2, 10, 20, kRestsAfterEveryMove | kReflects});
    s.End();
    return {Pass(1, 1, 0, 0, kSetupClass, s)};
}

} // namespace sampledata
