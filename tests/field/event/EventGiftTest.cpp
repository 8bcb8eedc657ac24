// Gifts of items and money with their messages, losing items, party damage
// and the branches of an event battle on its result.
#include "EventFixture.h"

namespace fieldtest {
namespace {

using eventscript::Record;
using eventscript::Script;

namespace er = eventrecord;
using EventGiftTest = EventTest;

constexpr int kItem = 0;
constexpr int kAccessory = 7;
constexpr int kMoney = 8;
constexpr std::uint32_t kCap = 99999999;

TEST_F(EventGiftTest, GetItemGivesOnceAndSaysWhatHappened)
{
    struct GiftCase {
        const char* name;
        int category, id, held;
        std::uint32_t money;
        std::u16string message;
        int heldAfter;
        std::uint32_t moneyAfter;
        bool sound;
    };
    const GiftCase cases[] = {
        {"item", kItem, 1, 0, 0, u"回復薬を手に入れた", 1, 0, true},
        {"item held 99", kItem, 1, 99, 0, u"回復薬はもう持てない", 99, 0, false},
        {"accessory", kAccessory, 5, 0, 0, u"指輪5を手に入れた", 1, 0, true},
        {"money", kMoney, 1000, 0, 0, u"1000Gを手に入れた", 0, 1000, true},
        {"money past the cap", kMoney, 20, 0, kCap - 10, u"20Gはもう持てない", 0, kCap - 10, false},
        {"money up to the cap", kMoney, 10, 0, kCap - 10, u"10Gを手に入れた", 0, kCap, true},
    };
    for (const GiftCase& c : cases) {
        SCOPED_TRACE(c.name);
        TheGameData->NewGameData();
        if (c.category != kMoney)
            TheGameData->HeldCounts(c.category)[c.id] = static_cast<std::int8_t>(c.held);
        TheCharacter->money = c.money;
        soundCalls.clear();
        Run(Script().GetItem(c.category, c.id, 40).SetFlag(1, 1).End());
        EXPECT_EQ(std::u16string(event().ItemMessage), c.message);
        EXPECT_EQ(event().iconCategory, c.category == kMoney ? -1 : c.category);
        EXPECT_FLOAT_EQ(event().textX, c.category == kMoney ? 56.0f : 82.0f);
        if (c.category != kMoney) {
            EXPECT_EQ(TheGameData->HeldCount(c.category, c.id), c.heldAfter);
        }
        EXPECT_EQ(TheCharacter->money, c.moneyAfter);
        EXPECT_EQ(TheGameData->GetGameFlag(40), c.sound ? 1 : 0) << "the once-only flag is set only on success";
        EXPECT_EQ(!soundCalls.empty(), c.sound);
        RunToEnd();
        EXPECT_EQ(TheGameData->GetGameFlag(1), 1);
    }
    // Given once: the command is passed over within the same frame.
    TheGameData->NewGameData();
    TheGameData->SetGameFlag(40, 1);
    Run(Script().GetItem(kItem, 1, 40).SetFlag(1, 1).End());
    EXPECT_FALSE(event().IsEventRunning());
    EXPECT_EQ(TheGameData->HeldCount(kItem, 1), 0);
    EXPECT_EQ(TheGameData->GetGameFlag(1), 1);
}

TEST_F(EventGiftTest, GiftsOutsideTheTablesEndWithoutAMessage)
{
    struct BadGift {
        int category, id;
    };
    for (const BadGift g : {BadGift{9, 0}, BadGift{-1, 0}, BadGift{kItem, 70}, BadGift{kAccessory, -1},
                            BadGift{kMoney, -5}, BadGift{3, 35}}) {
        SCOPED_TRACE(std::to_string(g.category) + "/" + std::to_string(g.id));
        TheGameData->NewGameData();
        Run(Script().GetItem(g.category, g.id, 41).SetFlag(1, 1).End());
        EXPECT_FALSE(event().IsEventRunning());
        EXPECT_EQ(TheGameData->GetGameFlag(1), 1);
        EXPECT_EQ(TheGameData->GetGameFlag(41), 0);
        EXPECT_FALSE(event().GiveEventItem(g.category, g.id, false, 1));
    }
}

TEST_F(EventGiftTest, AddItemsStopsAtTheCapsAndSaysNothing)
{
    TheGameData->NewGameData();
    TheGameData->HeldCounts(kItem)[2] = 97;
    TheCharacter->money = kCap - 10;
    TheGameData->HeldCounts(kItem)[45] = 1;
    Run(Script().AddItems(kItem, 2, 5).AddItems(kMoney, 20, 3).AddItems(kItem, 45, -4).End());
    EXPECT_FALSE(event().IsEventRunning());
    EXPECT_EQ(TheGameData->HeldCount(kItem, 2), 99);
    EXPECT_EQ(TheGameData->HeldCount(kItem, 45), 1);
    EXPECT_EQ(TheCharacter->money, kCap);
}

TEST_F(EventGiftTest, LosingItemsAndMoney)
{
    TheGameData->NewGameData();
    TheCharacter->money = 50;
    Run(Script().LoseItem(kMoney, 100).End());
    EXPECT_EQ(std::u16string(event().ItemMessage), u"50Gを失った");
    EXPECT_EQ(TheCharacter->money, 0u);
    RunToEnd();
    TheGameData->HeldCounts(kItem)[0] = 2;
    Run(Script().LoseItem(kItem, 0).RemoveItem(kItem, 0).SetFlag(1, 1).End());
    EXPECT_EQ(std::u16string(event().ItemMessage), u"薬草を失った");
    EXPECT_EQ(event().iconCategory, kItem);
    RunToEnd();
    EXPECT_EQ(TheGameData->HeldCount(kItem, 0), 0);
    // Nothing held: no message, the next command runs in the same frame.
    Run(Script().LoseItem(kItem, 0).SetFlag(1, 2).End());
    EXPECT_FALSE(event().IsEventRunning());
    EXPECT_EQ(TheGameData->GetGameFlag(2), 1);
}

TEST_F(EventGiftTest, DamageNeverFellsOneMemberButCanFellAll)
{
    struct DamageCase {
        const char* name;
        int amount;
        std::int32_t hp[3];
        std::int32_t hpAfter[3];
        bool gameOver;
    };
    const DamageCase cases[] = {
        {"a fifth rounded up", -1, {100, 100, 100}, {80, 80, 80}, false},
        {"fixed", 30, {100, 20, 100}, {70, 1, 70}, false},
        {"down to 1", -2, {100, 50, 1}, {1, 1, 1}, false},
        {"all would fall", 100, {100, 50, 1}, {0, 0, 0}, true},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        SceneState = SCENE_FIELD;
        for (int m = 0; m < 3; ++m)
            TheCharacter->hp[m] = c.hp[m];
        Run(Script().DamageParty(c.amount).SetFlag(1, 1).End());
        for (int m = 0; m < 3; ++m)
            EXPECT_EQ(TheCharacter->hp[m], c.hpAfter[m]) << m;
        EXPECT_EQ(SceneState, c.gameOver ? SCENE_GAME_OVER : SCENE_FIELD);
        EXPECT_FALSE(event().IsEventRunning());
        // The game over keeps the field's state; otherwise the script went on.
        EXPECT_EQ(MapSceneState, c.gameOver ? MAP_SCENE_EVENT : MAP_SCENE_WALK);
        EXPECT_EQ(TheGameData->GetGameFlag(1), c.gameOver ? 0 : 1);
        TheGameData->SetGameFlag(1, 0);
        MapSceneState = MAP_SCENE_WALK;
    }
}

TEST_F(EventGiftTest, AnEventBattleBranchesOnItsResultOnItsTwentyFirstCall)
{
    struct BattleCase {
        const char* name;
        bool a, b;
        int label2, label3;
        int flag;
    };
    const BattleCase cases[] = {
        {"won", false, false, 5, 6, 1},
        {"result 2 to its label", true, false, 5, 6, 5},
        {"result 2, next", true, false, -1, 6, 1},
        {"result 3 to its label", false, true, 5, 6, 6},
        {"result 3, -1 next", true, true, 5, -1, 1},
        {"result 3, -2 next", false, true, 5, -2, 1},
    };
    // Eight enemies: their kinds fill the words up to 13, the command's own counters lie past them.
    const std::vector<int> kFullFormation = {1, 2, 3, 4, 5, 6, 7, 8};
    for (const BattleCase& c : cases) {
        SCOPED_TRACE(c.name);
        TheGameData->NewGameData();
        ASSERT_TRUE(EnterWith({Record{4, 4, 0, 0, 0, 9, 0, false,
                                      Script()
                                          .Battle(4, c.label2, true, c.label3, 2, kFullFormation)
                                          .SetFlag(1, 1)
                                          .End()
                                          .Label(5)
                                          .SetFlag(1, 5)
                                          .End()
                                          .Label(6)
                                          .SetFlag(1, 6)
                                          .End()
                                          .Code()}}));
        event().StartEvent(event().Record(0), true);
        EXPECT_EQ(SceneState, SCENE_ENCOUNT);
        // The battle's frames do not count: its end reports back to the field.
        SceneState = SCENE_FIELD;
        event().SetEventBattleResult(c.a, c.b);
        event().ClearBattleEventPicture();
        EXPECT_EQ(er::Picture(event().Record(0)), 0) << "the figure is gone";
        Frames(19);
        EXPECT_TRUE(event().IsEventRunning());
        Frames(1);
        EXPECT_FALSE(event().IsEventRunning());
        EXPECT_EQ(TheGameData->GetGameFlag(c.flag), 1);
    }
}

TEST_F(EventGiftTest, BattleResultsReachOnlyTheBattleCommandThatStartedIt)
{
    Run(Script().Message(u"a").End());
    event().SetEventBattleResult(true, true);
    event().ClearBattleEventPicture();
    EXPECT_EQ(event().Args[15], 0);
    EXPECT_EQ(event().Opcode, OP_MESSAGE);
}

} // namespace
} // namespace fieldtest
