#include "ArenaEvents.h"

#include "SampleData.h"

namespace sampledata {
namespace {

using eventscript::Record;
using eventscript::Script;

constexpr int kFirstFloorMap = 3;
constexpr int kFirstFloorArrivalX = 9, kFirstFloorArrivalY = 7;
constexpr int kTouchClass = 1;
constexpr int kDoorPicture = 29;
constexpr int kFaceDown = 3;
constexpr int kFaceRight = 4;
// The battle flags: the trainers' usual word, and a boss battle, which a
// fixed formation makes strong.
constexpr int kTrainerFlags = 1;
constexpr int kBossBattle = 1 << 2;

Record Keeper(int x, const char16_t* offer, const std::vector<int>& kinds, bool strong = false)
{
    return KindTrainer(x, arena::kKeeperY, offer, kinds, kTrainerFlags | (strong ? kBossBattle : 0));
}

} // namespace

Record Door(int x, int y, const Script& script)
{
    Record door{x, y, 0, 0, 0, kDoorPicture, kTouchClass, true, {}};
    door.script = script.Code();
    return door;
}

std::vector<Record> ArenaRecords()
{
    using namespace arena;
    return {
        Door(kDoorX, kDoorY, Script().ChangeMap(kFirstFloorMap, kFirstFloorArrivalX, kFirstFloorArrivalY, kFaceRight)),
        Keeper(kPeriodicKeeperX, u"時を数えて撃つ魔物たちだ。", {20, 42, 50, 111, 162, 166, 171}),
        Keeper(kStageKeeperX, u"技で段階を上げる魔物たちだ。", {78, 102, 110, 124, 183}),
        Keeper(kPairKeeperX, u"片割れを倒すと残りが怒るぞ。", {114, 115}),
        Keeper(kCounterKeeperX, u"打たれると撃ち返す魔物たちだ。", {30, 74, 158}),
        Keeper(kVolleyKeeperX, u"仲間の数だけ撃ち返すぞ。", {60, 61, 61}),
        Keeper(kOnceKeeperX, u"撃ち返しは一度きりだ。", {180}),
        Keeper(kWindowKeeperX, u"連打を数える魔物だ。", {182}),
        Keeper(kStrongKeeperX, u"この闘技場の強敵だ。覚悟はいいか？", {154, 173, 173, 90}, true)};
}

Record DoorToArena()
{
    return Door(arena::kFloorDoorX, arena::kFloorDoorY,
                Script().ChangeMap(arena::kMap, arena::kArrivalX, arena::kArrivalY, kFaceDown));
}

} // namespace sampledata
