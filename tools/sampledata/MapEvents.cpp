// The sample maps' events. Map 0, where a new game starts, holds one of
// each kind the field can show: a welcome when the map is first entered, a
// coloured sign, a person who turns to whoever speaks and gives money once,
// a chest, thorns, a gatekeeper who wants something before the gate opens
// and a fighter who challenges the party; and the ways to the other maps: a
// door in the east wall, warp pads, stairs, a hole and a crystal that
// whites the screen out. Column 9 and rows 7 and 10, the ways the walk runs
// take, stay clear. Map 1, the dark cave, greets the party once and leads
// back by a door and by stairs; map 2 leads back by its own crystal. A
// passage in the cave leads to map 14, whose hole drops to map 15 (the two
// places count as one: no banner between them); stairs lead back up, and a
// door on map 15 leads to map 16, which shows no place-name banner. In the
// first map's north a shopkeeper offers a choice and a shop of two pages
// of goods (items, weapons and armour of two members, rings), an
// herbalist sells from a built-in list that grows with what a gossip
// tells, and a floor guide sends the player to maps 3-5, where a door
// leads back; on the first of them a second door leads to the arena
// (ArenaEvents.cpp). Beside the start a traveller tells of the cave and the
// shrine, which the field menu's 移動 can then reach. A door in the first
// map's west wall leads to the hall of map 2 (HallEvents.cpp), with its
// enemy symbols and gimmicks; the cave has wanderers of its own.
#include "ArenaEvents.h"
#include "EventAssembler.h"
#include "HallEvents.h"
#include "KeyedRooms.h"
#include "SampleData.h"

namespace sampledata {
namespace {

using eventscript::Record;
using eventscript::Script;

constexpr int kItems = 0;
constexpr int kHerb = 0; // the chest's item, named by the sign and asked for by the gatekeeper
constexpr int kWeapons = 1;
constexpr int kMoney = 8;
constexpr int kConfirmClass = 2;
constexpr int kTouchClass = 1;
constexpr int kMapStartClass = 3;
constexpr int kChestKind = 1;

// Flags of the first map's events.
constexpr int kWelcomedFlag = 100;
constexpr int kGiftFlag = 101;
constexpr int kChestFlag = 102;
constexpr int kGateOpenFlag = 103;
constexpr int kFighterBeatenFlag = 104;
constexpr int kArmsChestFlag = 108;

// Flags of the ways between the maps.
constexpr int kFellThroughFlag = 105;
constexpr int kCaveOpenedFlag = 106;
constexpr int kCaveGreetedFlag = 107;
// Flags the gossip sets: they widen the herbalist's list and the guide's floors.
constexpr int kHerbalistFlagA = 156;
constexpr int kHerbalistFlagB = 176;
constexpr int kGuideFloorFlag = 351;

// Maps.
constexpr int kCaveMap = 1;
constexpr int kShrineMap = 2;
constexpr int kUpperHallMap = 14;
constexpr int kLowerHallMap = 15;
constexpr int kStoreroomMap = 16;
constexpr int kFirstFloorMap = 3; // the guide's floors are maps 3, 4 and 5
constexpr int kFirstMap = 0;

// Pictures.
constexpr int kStairsUpPicture = 21;
constexpr int kStairsDownPicture = 22;
constexpr int kBlueWarpPicture = 26;   // even: arrive facing up
constexpr int kOrangeWarpPicture = 27; // odd: arrive facing down
constexpr int kHolePicture = 28;
constexpr int kDoorPicture = 29;
constexpr int kCrystalPicture = 57; // 30 is the pushable block

// Script facings (0 keeps the facing).
constexpr int kFaceUp = 1;
constexpr int kFaceLeft = 2;
constexpr int kFaceDown = 3;
constexpr int kFaceRight = 4;
// The white-out's word 3: the circle closing and opening, and keeping the music.
constexpr int kCircleOut = 1 << 3;
constexpr int kCircleIn = 1 << 4;
constexpr int kKeepMusic = 1 << 5;

// Where they stand.
constexpr int kSignX = 7, kSignY = 2;
constexpr int kPersonX = 12, kPersonY = 2;
constexpr int kChestX = 14, kChestY = 3;
constexpr int kArmsChestX = 4, kArmsChestY = 2; // off the row that leads to the hall door
constexpr int kThornsX = 11, kThornsY = 4;
constexpr int kGatekeeperX = 4, kGatekeeperY = 7;
constexpr int kGateX = 3, kGateY = 7;
constexpr int kFighterX = 19, kFighterY = 7;
constexpr int kRetryFighterX = 21, kRetryFighterY = 7;
constexpr int kDoorX = 23, kDoorY = 10;
constexpr int kBlueWarpX = 2, kBlueWarpY = 12;
constexpr int kOrangeWarpX = 21, kOrangeWarpY = 15;
constexpr int kStairsUpX = 14, kStairsUpY = 12;
constexpr int kStairsDownX = 15, kStairsDownY = 12; // on the cave, beside where the stairs up arrive
constexpr int kHoleX = 17, kHoleY = 12;
constexpr int kCrystalX = 7, kCrystalY = 12;
constexpr int kCaveDoorX = 2, kCaveDoorY = 9;
constexpr int kShrineCrystalX = 12, kShrineCrystalY = 7;
constexpr int kGalleryKeeperX = 9, kGalleryKeeperY = 10; // two steps below the crystal's arrival
constexpr int kCavePassageX = 6, kCavePassageY = 9;
constexpr int kUpperHallArrivalX = 9, kUpperHallArrivalY = 7;
constexpr int kUpperHallHoleX = 12, kUpperHallHoleY = 7;
constexpr int kLowerHallStairsX = 13, kLowerHallStairsY = 7;
constexpr int kLowerHallDoorX = 12, kLowerHallDoorY = 9;
constexpr int kStoreroomArrivalX = 9, kStoreroomArrivalY = 5;
constexpr int kStoreroomDoorX = 9, kStoreroomDoorY = 3;
constexpr int kShopkeeperX = 16, kShopkeeperY = 2;
constexpr int kHerbalistX = 18, kHerbalistY = 2;
constexpr int kGossipX = 20, kGossipY = 2;
constexpr int kGuideX = 22, kGuideY = 3;
constexpr int kFloorArrivalX = 9, kFloorArrivalY = 7;
constexpr int kFloorDoorX = 9, kFloorDoorY = 9;
constexpr int kTravellerX = 10, kTravellerY = 1;       // one step right of the start, faced from below
constexpr int kTrainerX = 4, kTrainerY = 11;           // on the cave, two steps below where its door brings the party
constexpr int kKindTrainerX = 6, kKindTrainerY = 11;   // two steps right of the walkers' trainer
constexpr int kDrainTrainerX = 2, kDrainTrainerY = 11; // two steps left of it
constexpr int kShotGalleryX = 11, kShotGalleryY = 7;   // on the first floor, two steps right of the arrival

// Item categories of goods rows.
constexpr int kWeaponsOfMember0 = 1;
constexpr int kWeaponsOfMember1 = 2;
constexpr int kArmourOfMember0 = 4;
constexpr int kArmourOfMember1 = 5;
constexpr int kAccessories = 7;
constexpr int kBuiltInHerbs = -1;
// The shopkeeper's dearest ring costs more than a new party ever holds.
constexpr int kRingOfFortunePrice = 12000000;
constexpr int kFloorList = 1;

// Warp points the field menu's transfer list offers: the cave and the shrine.
constexpr int kCaveWarpPoint = 1;
constexpr int kShrineWarpPoint = 2;

Record Welcome()
{
    Record r{1, 1, 0, kWelcomedFlag, 0, 0, kMapStartClass, true, {}};
    r.script = Script().Message(u"ようこそ、$c0 。\nここは$m0 だ。").SetFlag(1, kWelcomedFlag).End().Code();
    return r;
}

Record SignPost()
{
    Record r{kSignX, kSignY, 0, 0, 0, 17, kConfirmClass, false, {}};
    r.script = Script()
                   .MessageColour(0xFFFFC040u,
                                  u"【立て札】\n宝箱の$i0 で体力が戻る。\n$ws1 は東の店にある。\n宝箱は一度だけ開く。")
                   .End()
                   .Code();
    return r;
}

// Talked to again, the person makes the party whole.
constexpr int kWholeRecovery = 99999;

Record Person()
{
    Script s;
    const int again = s.L("again");
    s.IfJump(1, 0, kGiftFlag, again)
        .Message(u"こんにちは。\n旅のお金にこれを使って。")
        .GetItem(kMoney, 1000, kGiftFlag)
        .End()
        .Label(again)
        .Message(u"気をつけてね。")
        .RecoverParty(0, kWholeRecovery) // HP, SP and the stocks, after the thorns
        .RecoverParty(1, kWholeRecovery)
        .RecoverParty(2, kWholeRecovery)
        .End();
    return Record{kPersonX, kPersonY, 0, 0, 0, 7, kConfirmClass, false, s.Code()};
}

Record TreasureChest()
{
    Script s;
    const int empty = s.L("empty");
    s.IfJump(1, 0, kChestFlag, empty)
        .GetItem(kItems, kHerb, kChestFlag)
        .End()
        .Label(empty)
        .Message(u"空っぽだ。")
        .End();
    return Record{kChestX, kChestY, 0, kChestFlag, kChestKind, 18, kConfirmClass, false, s.Code()};
}

// Pieces to try on the equipment page: a sword with a colour effect, two
// suits of armour that raise some figures and lower others, and a ring.
Record ArmsChest()
{
    Script s;
    const int empty = s.L("empty");
    s.IfJump(1, 0, kArmsChestFlag, empty)
        .GetItem(kWeaponsOfMember0, 2)
        .GetItem(kArmourOfMember0, 1)
        .GetItem(kArmourOfMember0, 2)
        .GetItem(kAccessories, 1, kArmsChestFlag)
        .End()
        .Label(empty)
        .Message(u"空っぽだ。")
        .End();
    return Record{kArmsChestX, kArmsChestY, 0, kArmsChestFlag, kChestKind, 18, kConfirmClass, false, s.Code()};
}

Record Thorns()
{
    return Record{kThornsX, kThornsY, 0, 0, 0, 38, kTouchClass, true, Script().DamageParty(-1).End().Code()};
}

Record Gatekeeper()
{
    Script s;
    const int herb = s.L("herb");
    const int toll = s.L("toll");
    const int lucky = s.L("lucky");
    const int open = s.L("open");
    s.EndIf(1, 0, kGateOpenFlag)
        .IfJump(1, 3, kHerb, herb)
        .IfJump(1, 7, 500, toll)
        .IfJump(1, 8, 50, lucky)
        .Message(u"何も持っていないな。\n通すわけにはいかない。")
        .End()
        .Label(herb)
        .Message(u"$i0 をひとつもらおう。")
        .LoseItem(kItems, kHerb)
        .Goto(open)
        .Label(toll)
        .Message(u"通行料をいただく。")
        .LoseItem(kMoney, 500)
        .Goto(open)
        .Label(lucky)
        .Message(u"今日は気分がいい。通れ。")
        .Label(open)
        .SetFlag(1, kGateOpenFlag)
        .CallEvent(kGateX, kGateY, 0);
    return Record{kGatekeeperX, kGatekeeperY, 0, 0, 0, 45, kConfirmClass, false, s.Code()};
}

Record Gate()
{
    return Record{kGateX, kGateY, 0, kGateOpenFlag, 0, 25, 0, false, Script().Message(u"門が開いた。").End().Code()};
}

Record Fighter()
{
    Script s;
    const int fled = s.L("fled");
    const int lost = s.L("lost");
    s.Message(u"腕試しだ！")
        .Battle(4, fled, true, lost, 0, kFighterKinds)
        .Message(u"参った！\nこれを持っていけ。")
        .GetItem(kWeapons, 1, 0)
        .SetFlag(1, kFighterBeatenFlag)
        .End()
        .Label(fled)
        .Message(u"逃げるのか？")
        .End()
        .Label(lost)
        .Message(u"出直してこい。")
        .End();
    return Record{kFighterX, kFighterY, 0, kFighterBeatenFlag, 0, 11, kConfirmClass, false, s.Code()};
}

// In the shrine, below the crystal's arrival: sends in the gallery of shot
// patterns (kinds 25-29) as often as the party asks.
Record GalleryKeeper()
{
    Script s;
    const int fled = s.L("fled");
    const int lost = s.L("lost");
    s.Message(u"弾の型を見ていくか？")
        .Battle(4, fled, true, lost, 0, {25, 26, 27, 28, 29})
        .Message(u"よく見切った！")
        .End()
        .Label(fled)
        .Message(u"またおいで。")
        .End()
        .Label(lost)
        .Message(u"もう一度見ていくといい。")
        .End();
    return Record{kGalleryKeeperX, kGalleryKeeperY, 0, 0, 0, 11, kConfirmClass, false, s.Code()};
}

// A second fighter whose battle (goblin, caster and healer) offers, when
// lost, to fight it again; no fleeing (the words of SecondFighterBattleRecord).
Record RetryFighter()
{
    constexpr int kNoFlee = -1;
    constexpr int kRetryOffered = -2;
    Script s;
    s.Message(u"負けても何度でも挑め！")
        .Battle(4, kNoFlee, false, kRetryOffered, 0, kSecondFighterKinds)
        .Message(u"よくやった！")
        .End();
    return Record{kRetryFighterX, kRetryFighterY, 0, 0, 0, 11, kConfirmClass, false, s.Code()};
}

Record Touched(int x, int y, int picture, const Script& script)
{
    return Record{x, y, 0, 0, 0, picture, kTouchClass, true, script.Code()};
}

Record DoorToCave()
{
    return Touched(kDoorX, kDoorY, 0,
                   Script().SetFlag(1, kCaveOpenedFlag).ChangeMap(kCaveMap, kCaveDoorX + 2, kCaveDoorY, kFaceRight));
}

Record CaveDoor()
{
    return Touched(kCaveDoorX, kCaveDoorY, kDoorPicture, Script().ChangeMap(kFirstMap, kDoorX - 1, kDoorY, kFaceLeft));
}

// On the cave: a trainer who shows how its creatures walk and vanish, as often as asked.
Record Trainer()
{
    Script s;
    const int fled = s.L("fled");
    const int lost = s.L("lost");
    s.Message(u"この洞窟の魔物の動きを見せよう！")
        .Battle(4, fled, true, lost, 0, {17, 18, 19, 20, 21, 22, 23, 24})
        .Message(u"見事だ。")
        .End()
        .Label(fled)
        .Message(u"また来い。")
        .End()
        .Label(lost)
        .Message(u"出直してこい。")
        .End();
    return Record{kTrainerX, kTrainerY, 0, 0, 0, 11, kConfirmClass, false, s.Code()};
}

} // namespace

// Beside the walkers' trainer: enemies with movements and shots of their own
// kind, and then drainers and kinds that answer blows and keep firing after
// their defeat, as often as the party asks; the arena's keepers too.
Record KindTrainer(int x, int y, const char16_t* offer, const std::vector<int>& kinds, int battleFlags)
{
    Script s;
    const int fled = s.L("fled");
    const int lost = s.L("lost");
    s.Message(offer)
        .Battle(4, fled, battleFlags, lost, 0, kinds)
        .Message(u"見事だ。")
        .End()
        .Label(fled)
        .Message(u"また来い。")
        .End()
        .Label(lost)
        .Message(u"出直してこい。")
        .End();
    return Record{x, y, 0, 0, 0, 11, kConfirmClass, false, s.Code()};
}

namespace {

Record CaveGreeting()
{
    Record r{1, 1, kCaveOpenedFlag, kCaveGreetedFlag, 0, 0, kMapStartClass, true, {}};
    r.script = Script().Message(u"暗い洞窟だ。\n足元に気をつけて。").SetFlag(1, kCaveGreetedFlag).End().Code();
    return r;
}

// Two pads far apart on the first map: each warps beside the other.
Record BlueWarp()
{
    return Touched(kBlueWarpX, kBlueWarpY, kBlueWarpPicture, Script().Warp(kFirstMap, kOrangeWarpX - 1, kOrangeWarpY));
}

Record OrangeWarp()
{
    return Touched(kOrangeWarpX, kOrangeWarpY, kOrangeWarpPicture,
                   Script().Warp(kFirstMap, kBlueWarpX + 1, kBlueWarpY));
}

Record StairsUp()
{
    return Touched(kStairsUpX, kStairsUpY, kStairsUpPicture, Script().Stairs());
}

Record StairsDown()
{
    return Touched(kStairsDownX, kStairsDownY, kStairsDownPicture, Script().Stairs());
}

Record Hole()
{
    return Touched(kHoleX, kHoleY, kHolePicture, Script().NextMap(kFellThroughFlag));
}

Record Crystal()
{
    return Touched(kCrystalX, kCrystalY, kCrystalPicture,
                   Script().ScreenEffect(kShrineMap, 9, 7, kFaceDown | kCircleOut | kCircleIn));
}

Record ShrineCrystal()
{
    return Touched(kShrineCrystalX, kShrineCrystalY, kCrystalPicture,
                   Script().ScreenEffect(kFirstMap, kCrystalX, kCrystalY - 1, kFaceUp | kKeepMusic));
}

Record CavePassage()
{
    return Touched(kCavePassageX, kCavePassageY, kDoorPicture,
                   Script().ChangeMap(kUpperHallMap, kUpperHallArrivalX, kUpperHallArrivalY, kFaceRight));
}

Record UpperHallDoor()
{
    return Touched(kUpperHallArrivalX - 1, kUpperHallArrivalY, kDoorPicture,
                   Script().ChangeMap(kCaveMap, kCavePassageX - 1, kCavePassageY, kFaceLeft));
}

Record UpperHallHole()
{
    return Touched(kUpperHallHoleX, kUpperHallHoleY, kHolePicture, Script().NextMap(0));
}

Record LowerHallStairs()
{
    return Touched(kLowerHallStairsX, kLowerHallStairsY, kStairsDownPicture, Script().Stairs());
}

Record LowerHallDoor()
{
    return Touched(kLowerHallDoorX, kLowerHallDoorY, kDoorPicture,
                   Script().ChangeMap(kStoreroomMap, kStoreroomArrivalX, kStoreroomArrivalY, kFaceDown));
}

Record StoreroomDoor()
{
    return Touched(kStoreroomDoorX, kStoreroomDoorY, kDoorPicture,
                   Script().ChangeMap(kLowerHallMap, kLowerHallDoorX, kLowerHallDoorY + 1, kFaceDown));
}

Record Shopkeeper()
{
    Script s;
    const int talk = s.L("talk");
    const int leave = s.L("leave");
    s.Message(u"いらっしゃい。\n何にする？")
        .Choice({talk, leave}, u"買い物\n話す\nやめる")
        .Shop({{kItems, 0, 30},
               {kItems, 1, 100},
               {kWeaponsOfMember0, 1, 400},
               {kWeaponsOfMember0, 3, 650},
               {kWeaponsOfMember1, 1, 420},
               {kArmourOfMember0, 2, 350},
               {kArmourOfMember1, 1, 380},
               {kItems, 3, 40},
               {kItems, 4, 240},
               {kItems, 5, 60},
               {kAccessories, 5, 900},
               {kAccessories, 2, kRingOfFortunePrice}})
        .Message(u"またどうぞ。")
        .End()
        .Label(talk)
        .Message(u"東の案内人は\n上の階へ送ってくれるよ。")
        .End()
        .Label(leave)
        .End();
    return Record{kShopkeeperX, kShopkeeperY, 0, 0, 0, 45, kConfirmClass, false, s.Code()};
}

Record Herbalist()
{
    Script s;
    s.Message(u"薬草屋だよ。").Shop({{kBuiltInHerbs, 0, 0}}).End();
    return Record{kHerbalistX, kHerbalistY, 0, 0, 0, 5, kConfirmClass, false, s.Code()};
}

Record Gossip()
{
    Script s;
    s.Message(u"薬草屋に新しい品が入ったよ。\n案内人も上の階へ行けるそうだ。")
        .SetFlag(1, kHerbalistFlagA)
        .SetFlag(1, kHerbalistFlagB)
        .SetFlag(1, kGuideFloorFlag)
        .End();
    return Record{kGossipX, kGossipY, 0, 0, 0, 9, kConfirmClass, false, s.Code()};
}

// Row 0 goes on after the list, rows 1 and 2 jump to labels 0 and 1, cancel to label 7.
Record FloorGuide()
{
    constexpr int kSecondRow = 0, kThirdRow = 1, kCancelled = 7;
    Script s;
    s.Message(u"どの階へ行く？")
        .Raw(OP_FLOOR_CHOICE, {kFloorList})
        .ChangeMap(kFirstFloorMap, kFloorArrivalX, kFloorArrivalY, kFaceDown)
        .End()
        .Label(kSecondRow)
        .ChangeMap(kFirstFloorMap + 1, kFloorArrivalX, kFloorArrivalY, kFaceDown)
        .End()
        .Label(kThirdRow)
        .ChangeMap(kFirstFloorMap + 2, kFloorArrivalX, kFloorArrivalY, kFaceDown)
        .End()
        .Label(kCancelled)
        .Message(u"またいつでも。")
        .End();
    return Record{kGuideX, kGuideY, 0, 0, 0, 13, kConfirmClass, false, s.Code()};
}

Record FloorDoor()
{
    return Touched(kFloorDoorX, kFloorDoorY, kDoorPicture,
                   Script().ChangeMap(kFirstMap, kGuideX - 1, kGuideY, kFaceRight));
}

// Adds the cave and the shrine to the places the party can transfer to.
Record Traveller()
{
    Script s;
    // The transfer list names each point by the place of its own number.
    s.Message(u"旅の者だ。\n$m1 と$m2 への道を教えよう。")
        .SetListFlag(kCaveWarpPoint)
        .SetListFlag(kShrineWarpPoint)
        .End();
    return Record{kTravellerX, kTravellerY, 0, 0, 0, 15, kConfirmClass, false, s.Code()};
}

// On the guide's first floor: a battle against the kinds that show how
// enemy shots fly, burst and whirl; it may be left and fought again.
Record ShotGallery()
{
    Script s;
    const int fled = s.L("fled");
    const int lost = s.L("lost");
    s.Message(u"弾の見本市だ！")
        .Battle(4, fled, true, lost, 0, {31, 32, 33, 34, 35, 36})
        .Message(u"見事だ。")
        .End()
        .Label(fled)
        .End()
        .Label(lost)
        .Message(u"また来るといい。")
        .End();
    return Record{kShotGalleryX, kShotGalleryY, 0, 0, 0, 11, kConfirmClass, false, s.Code()};
}

} // namespace

Bytes MapEventArea(int map, int& recordCount)
{
    std::vector<Record> records;
    if (map == kFirstMap)
        records = {Welcome(),   SignPost(),  Person(),     TreasureChest(), Thorns(),     Gatekeeper(),
                   Gate(),      Fighter(),   DoorToCave(), BlueWarp(),      OrangeWarp(), StairsUp(),
                   Hole(),      Crystal(),   Shopkeeper(), Herbalist(),     Gossip(),     FloorGuide(),
                   Traveller(), ArmsChest(), DoorToHall(), RetryFighter()};
    std::vector<eventscript::Point> points;
    if (map == kCaveMap) {
        records = {
            CaveGreeting(),
            CaveDoor(),
            StairsDown(),
            CavePassage(),
            Trainer(),
            KindTrainer(kKindTrainerX, kKindTrainerY, u"癖のある魔物たちだ。戦ってみるか？",
                        {90, 99, 143, 176, 178, 190}),
            KindTrainer(kDrainTrainerX, kDrainTrainerY, u"力を吸う魔物たちだ。戦ってみるか？", {88, 164, 116, 144})};
        for (const Record& r : CaveWanderers())
            records.push_back(r);
    } else if (map == kShrineMap) {
        records = {ShrineCrystal()};
        for (const Record& r : HallRecords())
            records.push_back(r);
        records.push_back(GalleryKeeper());
        points = HallSpawnPoints();
    }
    if (map == arena::kMap) {
        records = ArenaRecords();
        for (const Record& r : DoorsToKeyedRooms())
            records.push_back(r);
    } else if (keyed::IsSwapHall(map)) {
        records = SwapHallRecords(map);
        points = SwapHallSpawnPoints(map);
    } else if (keyed::IsTreasureRoom(map)) {
        records = TreasureRoomRecords(map);
    }
    if (map == kUpperHallMap)
        records = {UpperHallDoor(), UpperHallHole()};
    else if (map == kLowerHallMap)
        records = {LowerHallStairs(), LowerHallDoor()};
    else if (map == kStoreroomMap)
        records = {StoreroomDoor()};
    else if (map == kFirstFloorMap)
        records = {FloorDoor(), ShotGallery(), DoorToArena()};
    else if (map > kFirstFloorMap && map < kFirstFloorMap + 3)
        records = {FloorDoor()};
    recordCount = static_cast<int>(records.size());
    return eventscript::EventArea(records, points);
}

} // namespace sampledata
