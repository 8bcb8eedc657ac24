// The sample maps' events. Map 0, where a new game starts, holds one of
// each kind the field can show: a welcome when the map is first entered, a
// coloured sign, a person who turns to whoever speaks and gives money once,
// a chest, thorns, a gatekeeper who wants something before the gate opens
// and a fighter who challenges the party. Column 9 and row 10, the ways the
// walk runs take, stay clear.
#include "EventAssembler.h"
#include "SampleData.h"

namespace sampledata {
namespace {

using eventscript::Record;
using eventscript::Script;

constexpr int kItems = 0;
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

// Where they stand.
constexpr int kSignX = 7, kSignY = 2;
constexpr int kPersonX = 12, kPersonY = 2;
constexpr int kChestX = 14, kChestY = 3;
constexpr int kThornsX = 11, kThornsY = 4;
constexpr int kGatekeeperX = 4, kGatekeeperY = 7;
constexpr int kGateX = 3, kGateY = 7;
constexpr int kFighterX = 19, kFighterY = 7;

Record Welcome()
{
    Record r{1, 1, 0, kWelcomedFlag, 0, 0, kMapStartClass, true, {}};
    r.script = Script().Message(u"ようこそ、$c0 。\nここは$m0 だ。").SetFlag(1, kWelcomedFlag).End().Code();
    return r;
}

Record SignPost()
{
    Record r{kSignX, kSignY, 0, 0, 0, 17, kConfirmClass, false, {}};
    r.script =
        Script()
            .MessageColour(0xFFFFC040u, u"【立て札】\n$i0 で体力が戻る。\n$ws1 は東の店にある。\n宝箱は一度だけ開く。")
            .End()
            .Code();
    return r;
}

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
        .End();
    return Record{kPersonX, kPersonY, 0, 0, 0, 7, kConfirmClass, false, s.Code()};
}

Record TreasureChest()
{
    Script s;
    const int empty = s.L("empty");
    s.IfJump(1, 0, kChestFlag, empty).GetItem(kItems, 1, kChestFlag).End().Label(empty).Message(u"空っぽだ。").End();
    return Record{kChestX, kChestY, 0, kChestFlag, kChestKind, 18, kConfirmClass, false, s.Code()};
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
        .IfJump(1, 3, 0, herb)
        .IfJump(1, 7, 500, toll)
        .IfJump(1, 8, 50, lucky)
        .Message(u"何も持っていないな。\n通すわけにはいかない。")
        .End()
        .Label(herb)
        .Message(u"薬草をひとつもらおう。")
        .LoseItem(kItems, 0)
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
        .Battle(4, fled, true, lost, 0, {0, 1})
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

} // namespace

Bytes MapEventArea(int map, int& recordCount)
{
    std::vector<Record> records;
    if (map == 0)
        records = {Welcome(), SignPost(), Person(), TreasureChest(), Thorns(), Gatekeeper(), Gate(), Fighter()};
    recordCount = static_cast<int>(records.size());
    return eventscript::EventArea(records);
}

} // namespace sampledata
