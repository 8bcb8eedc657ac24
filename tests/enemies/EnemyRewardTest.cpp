// Drops, money and experience of a battle, and the records of the enemies met.
#include "EnemyActFixture.h"
#include "field/Map.h"
#include "record/Pipkorn.h"

namespace enemytest {
namespace {

class EnemyRewardTest : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        world.Keep(TheGameData, &data);
        world.Keep(TheMap, &map);
    }
    // `count` enemies of a kind worth `money`, at `level`, all defeated.
    void Defeated(int count, int money, int level)
    {
        OneEnemy([&](EnemyKind& k) {
            k.def.Money = money;
            k.def.Level = level;
        });
        for (int slot = 1; slot < count; ++slot)
            AddEnemy(slot, 100.0f + 50.0f * slot, 200);
        for (int slot = 0; slot < count; ++slot)
            group().Records[slot].FlagsA |= FLAGS_A_DEFEATED;
    }
    void PartyLevel(int level)
    {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            parts->party.level[m] = static_cast<std::int16_t>(level);
    }
    GameData data{};
    CMap map{};
};

TEST_F(EnemyRewardTest, MoneyIsSummedRaisedByTheAbilityAndCappedTwice)
{
    struct Case {
        int enemies, money;
        bool ability;
        std::uint32_t held;
        int total;
    };
    const Case cases[] = {
        {3, 100, false, 0, 300},
        {3, 100, true, 0, 330},
        {8, 65535, false, 0, 524280},
        {8, 65535, true, 0, 576708},
        {8, 65535, true, 1000, 576708},
        {2, 65535, true, 0, 144177},
        {4, 65535, false, 99900000, 99999},
        {2, 10, false, 100000000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enemies << " × " << c.money << " held " << c.held);
        Defeated(c.enemies, c.money, 1);
        parts->party.abilityBits[1] = c.ability ? 0x1000000u : 0u;
        parts->party.money = c.held;
        group().ComputeBattleRewards();
        EXPECT_EQ(group().MoneyTotal, c.total);
    }
    Defeated(8, 65535, 1);
    for (int slot = 0; slot < 8; ++slot)
        group().Records[slot].FlagsA |= FLAGS_A_ESCAPED;
    parts->party.money = 0;
    group().ComputeBattleRewards();
    EXPECT_EQ(group().MoneyTotal, 0) << "escaped enemies pay nothing";
}

TEST_F(EnemyRewardTest, ExperienceIsCutByTheLevelGapExceptOnMapsOfKind4)
{
    struct Case {
        int enemyLevel, partyLevel, mapKind, exp;
    };
    const Case cases[] = {{10, 10, 0, 1000}, {10, 12, 0, 750},  {10, 17, 0, 125}, {10, 18, 0, 0},
                          {10, 30, 4, 1000}, {12, 10, 0, 1000}, {10, 18, 3, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enemyLevel << " vs " << c.partyLevel << " on kind " << c.mapKind);
        Defeated(2, 1, c.enemyLevel);
        PartyLevel(c.partyLevel);
        map.header.flagsA = static_cast<std::uint32_t>(c.mapKind) << 18;
        group().ExpTotal = 1000;
        group().ComputeBattleRewards();
        EXPECT_EQ(group().ExpTotal, c.exp);
    }
    Defeated(1, 1, 1);
    PartyLevel(1);
    group().ExpTotal = 50000;
    group().ComputeBattleRewards();
    EXPECT_EQ(group().ExpTotal, 9999);
}

TEST_F(EnemyRewardTest, DropsStackUpToFifteenAndTheNinthDifferentItemIsLost)
{
    OneEnemy([](EnemyKind& k) {
        k.def.DropItemCategory = 1;
        k.def.DropItemId = 4;
    });
    for (int i = 0; i < ENEMY_SLOTS; ++i)
        group().SetDropItem(i, 0, 0, ENEMY_DROP_EMPTY);
    SetBits(group().GroupBits, GROUP_DROP_LIST_LENGTH, 5, 0);
    for (int n = 0; n < 20; ++n)
        group().RecordDrop(0);
    EXPECT_EQ(GetBits(group().GroupBits, GROUP_DROP_LIST_LENGTH, 5), 1u);
    EXPECT_EQ(group().DropItemCount(0), 15);
    EXPECT_TRUE(rec().KindWord & KIND_WORD_DROP_TAKEN);
    for (int id = 10; id < 18; ++id) {
        EnemyKindDef def = *group().KindDefs[0];
        def.DropItemId = id;
        group().KindDefs[0] = &def;
        group().RecordDrop(0);
    }
    EXPECT_EQ(GetBits(group().GroupBits, GROUP_DROP_LIST_LENGTH, 5), 8u);
    EXPECT_EQ(group().DropItemId(7), 16) << "item 17 found no room";
}

TEST_F(EnemyRewardTest, RegistrationRecordsMetDefeatedAndDroppedKindsAndPaysTheItems)
{
    Defeated(3, 1, 1);
    group().Records[2].FlagsA |= FLAGS_A_ESCAPED;
    group().Records[1].FlagsA &= ~FLAGS_A_DEFEATED;
    group().DefeatedBy[0] = 1;
    group().Records[0].KindWord |= KIND_WORD_DROP_TAKEN;
    group().SetDropItem(0, 3, 2, 0);
    SetBits(group().GroupBits, GROUP_DROP_LIST_LENGTH, 5, 1);
    group().RegisterBattleEnemies();
    EXPECT_EQ(data.battlesWon, 1u);
    EXPECT_EQ(data.enemyRecords[kKind] & 0x3FFF, 1) << "only the one defeated, not the escaped";
    EXPECT_TRUE(data.enemyRecords[kKind] & 0x4000);
    EXPECT_TRUE(data.enemyRecords[kKind] & 0x8000);
    EXPECT_EQ(data.defeatedByMember[1], 1u);

    group().DefeatedBy[0] = 255;
    group().RegisterBattleEnemies();
    EXPECT_EQ(data.defeatedByMember[0] + data.defeatedByMember[1] + data.defeatedByMember[2], 1u)
        << "a defeat by nobody counts for no member";
}

} // namespace
} // namespace enemytest
