// Battles from a fixed formation and again from the retry copy.
#include "EnemyFixture.h"

namespace enemytest {
namespace {

// Kind sizes of the sample data: 0 and 1 are 32 px, 2 is 48, 6 is 64, 7 is 96.
TEST_F(EnemyTest, FixedPatternsPutEachCentreWhereTheTableSays)
{
    struct Case {
        std::vector<std::int32_t> kinds;
        int pattern;
        std::vector<std::pair<float, float>> centres;
    };
    const Case cases[] = {
        {{7}, 4, {{180, 280}}},
        {{1, 2}, 2, {{90, 280}, {271, 280}}},
        {{1, 1, 1}, 2, {{160, 280}, {80, 200}, {80, 360}}},
        {{6, 1, 1, 1}, 5, {{90, 280}, {180, 184}, {180, 376}, {271, 280}}},
        {{1, 1, 7, 3, 3}, 3, {{90, 184}, {90, 376}, {180, 280}, {271, 184}, {271, 376}}},
        {{1, 1, 1, 1, 1, 1}, 2, {{90, 232}, {90, 328}, {180, 136}, {180, 424}, {271, 232}, {271, 328}}},
        {{9, 10, 11, 12, 13, 14, 15},
         6,
         {{90, 136}, {90, 232}, {90, 328}, {90, 424}, {271, 184}, {271, 280}, {271, 376}}},
        // Pattern 0 stands as 1; a pattern the table does not list as 1 too.
        {{1, 1}, 0, {{180, 216}, {180, 344}}},
        {{1, 1, 1, 1}, 7, {{90, 216}, {90, 344}, {271, 216}, {271, 344}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kinds.size() << " enemies, pattern " << c.pattern);
        ASSERT_TRUE(SetupFormation(FormationBytes(c.kinds, c.pattern)));
        ASSERT_EQ(group().EnemyCount(), static_cast<int>(c.kinds.size()));
        for (std::size_t i = 0; i < c.kinds.size(); ++i) {
            EXPECT_EQ(KindOf(static_cast<int>(i)), c.kinds[i]);
            EXPECT_FLOAT_EQ(record(static_cast<int>(i)).CenterX, c.centres[i].first) << i;
            EXPECT_FLOAT_EQ(record(static_cast<int>(i)).CenterY, c.centres[i].second) << i;
            EXPECT_EQ(group().SlotIds[i], i);
        }
        EXPECT_TRUE(group().GroupBits & GROUP_FROM_FORMATION);
    }
}

TEST_F(EnemyTest, BadFormationRecordsAreClampedOrStandAsKindZero)
{
    // Nine named, eight held: eight enemies.
    ASSERT_TRUE(SetupFormation(FormationBytes({1, 1, 1, 1, 1, 1, 1, 1, 1}, 1, 0, 9)));
    EXPECT_EQ(group().EnemyCount(), 8);
    // The count's five bits say 31 but the record holds two entries.
    ASSERT_TRUE(SetupFormation(FormationBytes({2, 3}, 2, 0, 31)));
    EXPECT_EQ(group().EnemyCount(), 2);
    // Kind ids outside 0-193.
    ASSERT_TRUE(SetupFormation(FormationBytes({-40, 300, 4}, 3)));
    EXPECT_EQ(KindOf(0), 0);
    EXPECT_EQ(KindOf(1), 0);
    EXPECT_EQ(KindOf(2), 4);
    // Twelve bytes: no entry at all, so no battle.
    std::vector<std::uint8_t> cut = FormationBytes({1, 1, 1}, 1);
    cut.resize(12);
    EXPECT_FALSE(SetupFormation(cut));
    EXPECT_EQ(group().EnemyCount(), 0);
    // Neither record: no battle.
    EXPECT_FALSE(group().SetupEnemyBattle({}, {}, 2, false, false, false));
}

TEST_F(EnemyTest, DropsFollowTheKindsChance)
{
    // Kind 0 always carries its drop (chance 1), kind 1 never (chance 0),
    // kind 12 carries it one time in eight (chance 4).
    int carried = 0;
    constexpr int kBattles = 400;
    for (int battle = 0; battle < kBattles; ++battle) {
        ASSERT_TRUE(SetupFormation(FormationBytes({0, 1, 12}, 3)));
        EXPECT_TRUE(CarriesDrop(0));
        EXPECT_FALSE(CarriesDrop(1));
        carried += CarriesDrop(2) ? 1 : 0;
    }
    EXPECT_GT(carried, kBattles / 8 / 2);
    EXPECT_LT(carried, kBattles / 8 * 2);
    // The per-map override leaves the draw as it was.
    ASSERT_TRUE(SetupFormation(FormationBytes({0, 1}, 2, 1u << 3)));
    EXPECT_TRUE(CarriesDrop(0));
    EXPECT_FALSE(CarriesDrop(1));
    for (int i = 0; i < ENEMY_SLOTS; ++i)
        EXPECT_EQ(group().DropItemCategory(i), ENEMY_DROP_EMPTY);
}

TEST_F(EnemyTest, BossAndStrongBattles)
{
    struct Case {
        const char* name;
        bool formation;
        std::vector<std::int32_t> kinds;
        bool forceBoss, strongArgument;
        bool boss, strong;
    };
    const Case cases[] = {
        {"formation without a boss", true, {1, 2}, false, false, false, false},
        {"formation with the dragon: boss, so strong", true, {1, 7}, false, false, true, true},
        {"formation forced boss", true, {1, 2}, true, false, true, true},
        {"formation asked strong", true, {1, 2}, false, true, false, true},
        {"encounter with the dragon: boss, not strong", false, {7}, false, false, true, false},
        {"encounter asked strong", false, {1}, false, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool made;
        if (c.formation) {
            made = SetupFormation(FormationBytes(c.kinds, 2), 2, c.forceBoss, c.strongArgument);
        } else {
            MapHeader header;
            header.Candidate(0, c.kinds[0], 10, 1, 1);
            header.Budget(1, 1);
            UseMap(header);
            made = SetupEncounter(EncounterBytes(7), 2, c.strongArgument);
        }
        ASSERT_TRUE(made);
        EXPECT_EQ(group().IsBossBattle(), c.boss);
        EXPECT_EQ(group().IsStrongBattle(), c.strong);
    }
}

TEST_F(EnemyTest, ARetryRepeatsKindsPlacesDropsAndTheBattleSeed)
{
    MapHeader header;
    header.Candidate(0, 0, 10, 3, 1); // always drops
    header.Candidate(1, 12, 10, 3, 1);
    header.Candidate(2, 2, 10, 3, 1);
    header.Budget(5, 5);
    UseMap(header);
    ASSERT_TRUE(SetupEncounter(EncounterBytes(99, 1u << 1)));
    const int count = group().EnemyCount();
    ASSERT_EQ(count, 4); // five drawn, the second left out
    const std::uint32_t seed = group().BattleSeed;
    std::vector<int> kinds;
    std::vector<std::pair<float, float>> places;
    std::vector<bool> drops;
    std::vector<int> slotIds;
    for (int slot = 0; slot < count; ++slot) {
        kinds.push_back(KindOf(slot));
        places.emplace_back(record(slot).PosX, record(slot).PosY);
        drops.push_back(CarriesDrop(slot));
        slotIds.push_back(group().SlotIds[slot]);
    }
    EXPECT_EQ(slotIds[1], 2);
    // The battle goes on, then is lost.
    group().Records[0].Hp = 1;
    group().DrawBattleRandom();
    group().pullFlag = 1; // a pull was running when the party fell
    SeedGameRandom(777);

    ASSERT_TRUE(group().SetupEnemyBattle({}, {}, 0, false, true, false));
    EXPECT_EQ(group().pullFlag, 0);
    EXPECT_TRUE(group().GroupBits & GROUP_RETRY);
    EXPECT_TRUE(group().GroupBits & GROUP_ENCOUNTER_TABLE);
    EXPECT_TRUE(group().GroupBits & GROUP_FROM_ENCOUNTER) << "a symbol's battle still, for its removal after a win";
    EXPECT_FALSE(group().GroupBits & GROUP_FROM_FORMATION);
    ASSERT_EQ(group().EnemyCount(), count);
    EXPECT_EQ(group().BattleSeed, seed);
    for (int slot = 0; slot < count; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(KindOf(slot), kinds[slot]);
        EXPECT_EQ(record(slot).PosX, places[slot].first);
        EXPECT_EQ(record(slot).PosY, places[slot].second);
        EXPECT_EQ(CarriesDrop(slot), drops[slot]);
        EXPECT_EQ(group().SlotIds[slot], slotIds[slot]);
        EXPECT_EQ(record(slot).Hp, record(slot).MaxHp);
        EXPECT_EQ(GetBits(record(slot).FlagsA, FLAGS_A_FACING, 2), 2u);
    }
    // A retry of a retry is the same battle again.
    ASSERT_TRUE(group().SetupEnemyBattle({}, {}, 2, false, true, false));
    EXPECT_EQ(group().BattleSeed, seed);
}

TEST_F(EnemyTest, RetryCopyIsWrittenOnlyInRetryBattlesAndRefusedWithoutOne)
{
    EXPECT_FALSE(group().SetupEnemyBattle({}, {}, 2, false, true, false));
    EXPECT_EQ(group().EnemyCount(), 0);
    ASSERT_TRUE(SetupFormation(FormationBytes({1, 2}, 2), 1));
    EXPECT_FALSE(group().HasRetryCopy());
    EXPECT_FALSE(group().SetupEnemyBattle({}, {}, 2, false, true, false));

    // A fixed boss battle repeats as boss and strong.
    ASSERT_TRUE(SetupFormation(FormationBytes({7, 3}, 2), 2));
    ASSERT_TRUE(SetupFormation(FormationBytes({1}, 1), 0));
    ASSERT_TRUE(group().SetupEnemyBattle({}, {}, 2, false, true, false));
    EXPECT_EQ(KindOf(0), 7);
    EXPECT_EQ(KindOf(1), 3);
    EXPECT_TRUE(group().GroupBits & GROUP_FROM_FORMATION) << "an event's battle still, whose event waits for it";
    EXPECT_FALSE(group().GroupBits & GROUP_FROM_ENCOUNTER);
    EXPECT_TRUE(group().IsBossBattle());
    EXPECT_TRUE(group().IsStrongBattle());
}

TEST_F(EnemyTest, FixedDamageModeTakesTheKindsOwnValuesAndIsKeptOnARetry)
{
    std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
    kinds[20].def.FixedDamageTrigger = 1;
    kinds[20].def.FixedHp = 4444;
    kinds[20].def.TestSeenBy0 = 1;
    kinds[20].def.TestSeenBy2 = 3;
    kinds[20].def.Exp = 50;
    kinds[21].def.DropChance = 1;
    FreeEnemyKinds();
    LoadKinds(kinds);

    ASSERT_TRUE(SetupFormation(FormationBytes({20, 21}, 2)));
    EXPECT_TRUE(TheBattleTouch->flags & 1u);
    EXPECT_EQ(record(0).Hp, 4444);
    EXPECT_EQ(record(0).MaxHp, 4444);
    EXPECT_EQ(record(0).ExpValue, 0);
    EXPECT_EQ(record(0).SeenBy[0], 1);
    EXPECT_EQ(record(0).SeenBy[1], 0);
    EXPECT_EQ(record(0).SeenBy[2], 1);
    EXPECT_EQ(record(0).FixedDamage[2], 3);
    EXPECT_FALSE(CarriesDrop(1)); // a fixed battle pays no sure drop in this mode

    ASSERT_TRUE(SetupFormation(FormationBytes({21}, 1), 0));
    EXPECT_FALSE(TheBattleTouch->flags & 1u);
    ASSERT_TRUE(group().SetupEnemyBattle({}, {}, 2, false, true, false));
    EXPECT_TRUE(TheBattleTouch->flags & 1u);
    EXPECT_EQ(record(0).Hp, 4444);
}

TEST_F(EnemyTest, SetUpResetsTheBattleFieldsAndKeepsTheMapsStatBonus)
{
    group().SetMapBit(true);
    group().ExpTotal = 50;
    group().openingAlpha = 3;
    group().SetDropItem(2, 5, 1, 0);
    parts->shots.Alpha = 0;
    ASSERT_TRUE(SetupFormation(FormationBytes({1, 2}, 2)));
    EXPECT_EQ(group().ExpTotal, 0);
    EXPECT_EQ(group().openingAlpha, 255);
    EXPECT_EQ(group().ShotFadeAlpha, 255);
    EXPECT_EQ(parts->shots.Alpha, 255);
    EXPECT_EQ(group().DropItemCategory(2), ENEMY_DROP_EMPTY);
    EXPECT_EQ(group().DefeatedBy[0], 255);
    EXPECT_EQ(GetBits(group().GroupBits, GROUP_SETUP_COUNT, 5), 2u);
    EXPECT_TRUE(group().GroupBits2 & GROUP2_STAT_BONUS);
    EXPECT_EQ(record(0).Attack, FindEnemyKind(1)->def.Attack + 200);
    EXPECT_EQ(record(1).DefenceB, FindEnemyKind(2)->def.DefenceB + 100);
}

} // namespace
} // namespace enemytest
