// The battle's draw-order list: depth keys, equal keys, the enemies left
// out, the party shots' classes and a list that fills up.
#include "EnemyShotSpecs.h"
#include "BattleFixture.h"

namespace {

using battletest::BattleTest;

class BattleSortListTest : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        StartFormation(3);
        PlaceMembers(100.0f, 200.0f, 300.0f);
    }

    void PlaceMembers(float y0, float y1, float y2)
    {
        party().SetMemberPosY(0, y0);
        party().SetMemberPosY(1, y1);
        party().SetMemberPosY(2, y2);
    }

    CDrawBattleSortObject& list() { return battle->sortList; }
    void SetEnemyCount0() { SetBits(enemies().GroupBits, GROUP_COUNT, 5, 0); }

    // (kind, index) of the entries in drawing order.
    std::vector<std::pair<int, int>> Order()
    {
        std::vector<std::pair<int, int>> order;
        for (int i = 0; i < list().SortCount; ++i) {
            const BattleSortEntry& e = list().SortEntries[list().SortOrder[i]];
            order.push_back({e.kind, e.index});
        }
        return order;
    }

    CharaShotNode* AddPartyShot(std::uint32_t kind, float y, bool inView = true, std::int16_t age = 1)
    {
        nodes.push_back(std::make_unique<CharaShotNode>());
        CharaShotNode* node = nodes.back().get();
        *node = CharaShotNode{};
        ShotKind::Set(node->shotBits, kind);
        ShotInView::Set(node->shotBits, inView ? 1u : 0u);
        node->age = age;
        node->y = y;
        node->next = battle->shots.head;
        battle->shots.head = node;
        return node;
    }

    void TearDown() override
    {
        battle->shots.head = nullptr; // the test's own nodes
        BattleTest::TearDown();
    }

    std::vector<std::unique_ptr<CharaShotNode>> nodes;
};

TEST_F(BattleSortListTest, LowerOnTheScreenIsDrawnLaterAtItsDepthKey)
{
    SetEnemyCount0();
    list().MakeBattleSortList();
    EXPECT_EQ(Order(), (std::vector<std::pair<int, int>>{{SORT_MEMBER, 0}, {SORT_MEMBER, 1}, {SORT_MEMBER, 2}}));
    const BattleSortEntry& first = list().SortEntries[list().SortOrder[0]];
    EXPECT_FLOAT_EQ(first.key, 0.6f - (100.0f + 32.0f) / 3840.0f);
    PlaceMembers(300.0f, 100.0f, 200.0f);
    list().MakeBattleSortList();
    EXPECT_EQ(Order(), (std::vector<std::pair<int, int>>{{SORT_MEMBER, 1}, {SORT_MEMBER, 2}, {SORT_MEMBER, 0}}));
    EXPECT_EQ(std::vector<int>(list().MemberOrder, list().MemberOrder + 3), (std::vector<int>{1, 2, 0}));
}

TEST_F(BattleSortListTest, OnEqualKeysTheLaterCollectedIsDrawnFirst)
{
    SetEnemyCount0();
    PlaceMembers(200.0f, 200.0f, 200.0f);
    list().MakeBattleSortList();
    EXPECT_EQ(Order(), (std::vector<std::pair<int, int>>{{SORT_MEMBER, 2}, {SORT_MEMBER, 1}, {SORT_MEMBER, 0}}));
    // An enemy on a member's foot line goes underneath it.
    SetBits(enemies().GroupBits, GROUP_COUNT, 5, 1);
    EnemyRecord& enemy = enemies().Records[0];
    enemy.PosY = 232.0f - enemy.BodyBox.bottom;
    PlaceMembers(100.0f, 150.0f, 200.0f);
    list().MakeBattleSortList();
    EXPECT_EQ(Order(), (std::vector<std::pair<int, int>>{
                           {SORT_MEMBER, 0}, {SORT_MEMBER, 1}, {SORT_ENEMY, 0}, {SORT_MEMBER, 2}}));
    EXPECT_EQ(list().EnemyOrder[0], 0);
}

TEST_F(BattleSortListTest, BeatenEnemiesLeaveTheListOnceGone)
{
    struct Case {
        const char* name;
        std::uint32_t flagsA, flagsC, kindWord;
        bool listed;
    };
    constexpr std::uint32_t kDefeated = 1u << 27;
    constexpr std::uint32_t kEscaped = 1u << 30;
    const Case cases[] = {
        {"standing", 0, 0, 0, true},
        {"defeat still running", kDefeated, 0, 0, true},
        {"defeat finished", kDefeated, 1u << 31, 0, false},
        {"defeat finished, drop shown", kDefeated, 1u << 31, 1u << 31, true},
        {"escaping", kDefeated | kEscaped, 0, 0, true},
        {"escaped and gone", kDefeated | kEscaped, 0, 1u << 21, false},
        {"finished but not beaten", 0, 1u << 31, 1u << 21, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnemyRecord& enemy = enemies().Records[1];
        enemy.FlagsA = (enemy.FlagsA & ~(kDefeated | kEscaped)) | c.flagsA;
        enemy.FlagsC = c.flagsC;
        enemy.KindWord = (enemy.KindWord & 0x3FFu) | c.kindWord;
        list().MakeBattleSortList();
        const auto order = Order();
        EXPECT_EQ(std::count(order.begin(), order.end(), std::make_pair<int, int>(SORT_ENEMY, 1)), c.listed ? 1 : 0);
        EXPECT_EQ(list().UnitCount, 3 + 3) << "the unit list keeps every enemy";
    }
}

TEST_F(BattleSortListTest, PartyShotsByClassAndMemberZerosBlowApart)
{
    SetEnemyCount0();
    AddPartyShot(SHOT_STRAIGHT, 150.0f);
    AddPartyShot(SHOT_MAGIC, 250.0f);
    AddPartyShot(SHOT_HOMING, 50.0f);
    CharaShotNode* blow = AddPartyShot(SHOT_ATTACHED, 120.0f);
    AddPartyShot(SHOT_STRAIGHT, 400.0f, false);   // out of view
    AddPartyShot(SHOT_STRAIGHT, 400.0f, true, 0); // not started
    list().MakeBattleSortList();
    EXPECT_EQ(Order(), (std::vector<std::pair<int, int>>{{SORT_PARTY_SHOT_MAGIC, 0},
                                                         {SORT_MEMBER, 0},
                                                         {SORT_PARTY_SHOT_STRAIGHT, 0},
                                                         {SORT_MEMBER, 1},
                                                         {SORT_PARTY_SHOT_MAGIC, 0},
                                                         {SORT_MEMBER, 2}}));
    EXPECT_EQ(battle->shots.attachedVisible, 1);
    EXPECT_EQ(battle->shots.attachedShot, blow) << "drawn by member 0";
    nodes.clear();
    battle->shots.head = nullptr;
    list().MakeBattleSortList();
    EXPECT_EQ(battle->shots.attachedVisible, 0);
    EXPECT_EQ(battle->shots.attachedShot, nullptr);
}

TEST_F(BattleSortListTest, AFullListKeepsTheFirst1023AndStillOrdersTheUnits)
{
    // 3 members and 3 enemies; enemy shots fill the rest and one more.
    for (int i = 0; i < BATTLE_SORT_CAPACITY - 6 + 1; ++i)
        battle->enemyShots.CreateEnemyShot(testsupport::PlainEnemyShot(10.0f, 100.0f + static_cast<float>(i % 300)));
    AddPartyShot(SHOT_STRAIGHT, 200.0f);
    PlaceMembers(300.0f, 200.0f, 100.0f);
    list().MakeBattleSortList();
    EXPECT_EQ(list().SortCount, BATTLE_SORT_CAPACITY - 1);
    const auto order = Order();
    EXPECT_EQ(std::count(order.begin(), order.end(), std::make_pair<int, int>(SORT_PARTY_SHOT_STRAIGHT, 0)), 0)
        << "no party shot this frame";
    EXPECT_EQ(list().UnitCount, 6);
    EXPECT_EQ(list().MemberOrder[0], 2) << "the unit order follows this frame's places";
    for (int i = 1; i < list().SortCount; ++i)
        EXPECT_GE(list().SortEntries[list().SortOrder[i - 1]].key, list().SortEntries[list().SortOrder[i]].key);
}

} // namespace
