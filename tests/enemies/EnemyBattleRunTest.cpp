// A seeded battle of the retry formation (goblin, caster, healer) in the
// battle harness: the enemies fade in, walk and fire; harness-made hits make
// them flinch, knock them back and defeat them; the win wait fades the shots
// and hands over. Pictures of chosen frames are left in the build folder
// (enemies/frames) to look at; `walkers-*` show kinds 17-24.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "RecordWords.h"
#include "BattleHarness.h"
#include "SampleData.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "field/Map.h"
#include "party/StatusEffects.h"

namespace {

using battleharness::EnemyHitKind;

struct Dump {
    int frame;
    const char* name;
};

constexpr Dump kDumps[] = {{20, "opening"}, {100, "action-starts"}, {190, "walk-and-fire"},
                           {222, "flinch"}, {262, "knocked-back"},  {300, "defeats"},
                           {305, "drop"},   {390, "win-wait"},      {410, "shots-faded"}};

TEST(EnemyBattleRun, AFormationFadesInActsIsHitDefeatedAndHandsOver)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = 100;
    }
    SeedGameRandom(39);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::RetryBattleRecord()), {}, 2, false,
                                         false, false));
    ASSERT_EQ(enemies.EnemyCount(), 3);
    enemies.Records[0].KindWord |= KIND_WORD_CARRIES_DROP; // the goblin drops its item
    harness.BeginBattle(0);
    harness.HitEnemyAt({210, 1, EnemyHitKind::Flinch, 0, 0});
    harness.HitEnemyAt({250, 0, EnemyHitKind::Knockback, 2, 3});
    harness.HitEnemyAt({290, 1, EnemyHitKind::Defeat, 0, 0});
    harness.HitEnemyAt({295, 2, EnemyHitKind::Defeat, 1, 0});
    harness.HitEnemyAt({300, 0, EnemyHitKind::Defeat, 2, 0});

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    int mostShots = 0;
    bool walked = false;
    float goblinBefore = 0.0f;
    int handedOverAt = -1;
    for (int frame = 0; frame <= 460; ++frame) {
        if (frame == 250)
            goblinBefore = enemies.Records[0].PosX;
        harness.Frame();
        mostShots = std::max(mostShots, harness.enemyShots.CountEnemyShots());
        for (int slot = 0; slot < 3; ++slot)
            walked = walked || (enemies.Records[slot].FlagsA & FLAGS_A_WALKING) != 0;
        if (frame == 99) {
            EXPECT_EQ(enemies.openingAlpha, 0);
            EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_ACTION);
        }
        if (frame == 211) {
            EXPECT_EQ(enemies.Records[1].State, ENEMY_FLINCH);
        }
        if (frame == 255) {
            EXPECT_EQ(enemies.Records[0].State, ENEMY_KNOCKBACK);
            EXPECT_GT(enemies.Records[0].PosX, goblinBefore + 60.0f) << "strength 3 pushes right";
        }
        if (frame == 300) {
            EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_VICTORY);
            EXPECT_TRUE(enemies.Records[0].DropShown);
        }
        if (harness.HandedOver() && handedOverAt < 0)
            handedOverAt = frame;
        for (const Dump& d : kDumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
    }
    EXPECT_GT(mostShots, 0) << "the enemies fired";
    EXPECT_TRUE(walked);
    EXPECT_EQ(harness.enemyShots.CountEnemyShots(), 0) << "the win wait cleared the shots";
    EXPECT_EQ(enemies.DropItemCount(0), 1);
    // The drop picture shows for 120 frames from 300; the hand-over waits for
    // it, and the win wait looks before the enemies' step of its frame.
    EXPECT_EQ(handedOverAt, 421);
    FreeEnemyKinds();
}

} // namespace

namespace {

constexpr Dump kSupportDumps[] = {{160, "support-hurt"}, {300, "support-mid"}, {450, "support-late"}};

// Healer, summoner, reviver, escaper and a goblin: the harness hurts the
// summoner and the escaper and defeats the goblin; the others heal, summon,
// revive and flee by their own conditions.
TEST(EnemyBattleRun, SupportKindsHealReviveSummonAndFlee)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = 100;
    }
    SeedGameRandom(41);
    CEnemyGroup& enemies = harness.enemies;
    const std::vector<std::uint32_t> record = {5, 4, 0, 0, 0xFFFFFFFF, 0, 4, 5, 10, 13, 2};
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(record), {}, 2, false, false, false));
    ASSERT_EQ(enemies.EnemyCount(), 5);
    harness.BeginBattle(0);
    // A goblin that released its drop is never revived: this one carries none.
    enemies.Records[4].KindWord &= ~KIND_WORD_CARRIES_DROP;
    const int snakeHp = enemies.Records[3].MaxHp;
    // Hurt enough that the healer's heal leaves it below its 70 percent to flee.
    harness.HitEnemyAt({140, 3, EnemyHitKind::Damage, 1, snakeHp * 5 / 6});
    harness.HitEnemyAt({145, 1, EnemyHitKind::Damage, 2, enemies.Records[1].MaxHp / 2});
    harness.HitEnemyAt({150, 4, EnemyHitKind::Damage, 0, 10});
    harness.HitEnemyAt({155, 4, EnemyHitKind::Defeat, 0, 0});

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    int most = 0;
    bool healed = false;
    bool revived = false;
    bool escaped = false;
    // The healer prays three seconds before each heal, and heals the comrade
    // lowest in HP: by the end of its second prayer that is the revived
    // goblin, below the hurt summoner.
    for (int frame = 0; frame <= 620; ++frame) {
        int hpBefore[ENEMY_SLOTS];
        for (int slot = 0; slot < ENEMY_SLOTS; ++slot)
            hpBefore[slot] = enemies.Records[slot].Hp;
        const bool goblinDown = (enemies.Records[4].FlagsA & FLAGS_A_DEFEATED) != 0;
        harness.Frame();
        most = std::max(most, enemies.EnemyCount());
        // A standing enemy whose HP rises is healed (a revive or a summon starts from 0).
        for (int slot = 0; slot < ENEMY_SLOTS; ++slot)
            healed = healed || (hpBefore[slot] > 0 && enemies.Records[slot].Hp > hpBefore[slot]);
        revived = revived || (goblinDown && !(enemies.Records[4].FlagsA & FLAGS_A_DEFEATED));
        escaped = escaped || (enemies.Records[3].KindWord & KIND_WORD_GONE) != 0;
        for (const Dump& d : kSupportDumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
    }
    EXPECT_GT(most, 5) << "the summoner called";
    EXPECT_TRUE(revived) << "the reviver brought the goblin back";
    EXPECT_TRUE(healed) << "the healer healed a hurt comrade";
    EXPECT_TRUE(escaped) << "the snake fled";
    FreeEnemyKinds();
}

} // namespace

namespace {

constexpr Dump kWalkerDumps[] = {{120, "walkers-start"},  {200, "walkers-vanishing"}, {260, "walkers-back"},
                                 {415, "walkers-slowed"}, {600, "walkers-later"},     {800, "walkers-late"}};

// The patterned walkers and the vanishers of kinds 17-24 together: they walk
// their axes, zig-zag, line up with members and charge them, and vanish and
// come back elsewhere; one of them is slowed to show its icon and label.
TEST(EnemyBattleRun, WalkersWalkTheirPatternsAndVanishersComeBackElsewhere)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = 100;
    }
    SeedGameRandom(43);
    CEnemyGroup& enemies = harness.enemies;
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(sampledata::WalkerBattleRecord()), {}, 2, false,
                                         false, false));
    ASSERT_EQ(enemies.EnemyCount(), 8);
    harness.BeginBattle(0);

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    float startX[8], startY[8];
    bool moved[8] = {};
    bool vanished[8] = {};
    bool reappeared[8] = {};
    int axisSteps = 0;
    for (int frame = 0; frame <= 820; ++frame) {
        if (frame == 100)
            for (int slot = 0; slot < 8; ++slot) {
                startX[slot] = enemies.Records[slot].PosX;
                startY[slot] = enemies.Records[slot].PosY;
            }
        if (frame == 400)
            ApplyHitStatusEffects(enemies.Records[2].Status, EFFECT_SIDE_ENEMY, 2, EFFECT_SLOW, 0);
        float before[8][2];
        for (int slot = 0; slot < 8; ++slot) {
            before[slot][0] = enemies.Records[slot].PosX;
            before[slot][1] = enemies.Records[slot].PosY;
        }
        harness.Frame();
        for (int slot = 0; frame > 100 && slot < 8; ++slot) {
            const EnemyRecord& r = enemies.Records[slot];
            moved[slot] = moved[slot] || r.PosX != startX[slot] || r.PosY != startY[slot];
            if (r.Alpha == 0)
                vanished[slot] = true;
            const float jump = std::max(std::fabs(r.PosX - before[slot][0]), std::fabs(r.PosY - before[slot][1]));
            reappeared[slot] = reappeared[slot] || (vanished[slot] && jump > 16.0f);
            // The zig-zag walker (slot 1) steps along one axis at a time.
            if (slot == 1 && (r.PosX != before[slot][0]) != (r.PosY != before[slot][1]))
                ++axisSteps;
        }
        for (const Dump& d : kWalkerDumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
    }
    for (int slot = 0; slot < 8; ++slot)
        EXPECT_TRUE(moved[slot]) << "slot " << slot;
    EXPECT_GT(axisSteps, 100);
    EXPECT_TRUE(vanished[6] && reappeared[6]) << "the phantom came back elsewhere";
    EXPECT_TRUE(vanished[7] && reappeared[7]) << "the fairy came back elsewhere";
    FreeEnemyKinds();
}

} // namespace

namespace {

constexpr Dump kStrongDumps[] = {{100, "strong-opening-over"}, {160, "strong-shared-hit"}, {300, "strong-late"}};

// A strong battle on map 83: the shield kind 154, two of the pairing kind 173
// and kind 90 take the map's fixed HP, the fifth keeps its own; a hit on a
// kind that shares damage moves onto the strongest.
TEST(EnemyBattleRun, AStrongBattleOnMap83TakesTheFixedHpAndSharesDamage)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 9999;
        party.maxSt[m] = 100;
    }
    std::vector<std::uint8_t> map(136, 0);
    map[58] = 83;
    unsigned char* const before = CurrentMap;
    CurrentMap = map.data();
    SeedGameRandom(43);
    CEnemyGroup& enemies = harness.enemies;
    const std::vector<std::uint32_t> record = {5, 4, 0, 0, 0xFFFFFFFF, 0, 154, 173, 173, 90, 30};
    ASSERT_TRUE(enemies.SetupEnemyBattle(testsupport::WordsToBytes(record), {}, 2, false, false, true));
    ASSERT_EQ(enemies.EnemyCount(), 5);
    const int fixed[4] = {6000, 6000, 8000, 8000};
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(enemies.Records[slot].MaxHp, fixed[slot]) << slot;
        EXPECT_EQ(enemies.Records[slot].Hp, fixed[slot]) << slot;
    }
    EXPECT_EQ(enemies.Records[4].MaxHp, enemies.KindDefs[4]->MaxHp) << "slot 4 keeps its kind's HP";
    EXPECT_NE(enemies.GroupBits2 & (1u << 24), 0u) << "the shield kind marks the group";
    harness.BeginBattle(0);
    harness.HitEnemyAt({150, 1, EnemyHitKind::Damage, 0, 500});

    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    for (int frame = 0; frame <= 300; ++frame) {
        harness.Frame();
        if (frame == 150) {
            EXPECT_EQ(enemies.Records[1].Hp, 6000) << "the hit moved onto the strongest";
            EXPECT_EQ(enemies.Records[2].Hp, 7500) << "the first of the two strongest gave it";
        }
        for (const Dump& d : kStrongDumps)
            if (d.frame == frame) {
                ASSERT_TRUE(harness.Draw(folder / (std::string(d.name) + ".png"))) << d.name;
            }
    }
    CurrentMap = before;
    FreeEnemyKinds();
}

} // namespace

namespace {

// Group code -17 of a map's encounter table: the late formation drawn by the
// battle generator fights in the harness.
TEST(EnemyBattleRun, TheLateFormationOfGroupCode17Fights)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
    ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
    std::vector<std::uint8_t> map(136, 0);
    auto put16 = [&](int at, int value) {
        map[at] = static_cast<std::uint8_t>(value);
        map[at + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    put16(18, 2);   // one candidate kind
    map[60] = 10;   // its weight
    map[70] = 1;    // its limit
    map[80] = 1;    // its cost
    put16(38, -17); // the one fixed group
    map[102] = 100; // always drawn
    map[118] = 1;   // in lines
    put16(46, 40);
    put16(48, 30);
    unsigned char* const before = CurrentMap;
    CurrentMap = map.data();
    CEnemyGroup& enemies = harness.enemies;
    enemies.ReadMapEnemyFlags();
    std::vector<std::uint32_t> record(12, 0);
    record[8] = 5; // the symbol's seed
    SeedGameRandom(45);
    ASSERT_TRUE(enemies.SetupEnemyBattle({}, testsupport::WordsToBytes(record), 2, false, false, false));
    ASSERT_GE(enemies.EnemyCount(), 2);
    bool risky = false;
    bool ends = false;
    for (int slot = 0; slot < enemies.EnemyCount(); ++slot) {
        const int kind = enemies.KindOf(slot);
        EXPECT_GE(kind, 158);
        EXPECT_LE(kind, 182);
        risky = risky || kind == 166;
        ends = ends || kind >= 178;
    }
    EXPECT_FALSE(risky && ends);
    harness.BeginBattle(0);
    const std::filesystem::path folder = ENEMY_FRAMES_DIR;
    for (int frame = 0; frame <= 200; ++frame) {
        harness.Frame();
        if (frame == 120) {
            ASSERT_TRUE(harness.Draw(folder / "late-formation.png"));
        }
    }
    CurrentMap = before;
    FreeEnemyKinds();
}

} // namespace
