// The three damage formulas at both ends of the random factor (0.9375 and
// 1.0623779), against the fixed-damage mode, the pierce and fragile
// statuses, one-damage kinds, barriers and evasion.
#include "EnemyShotSpecs.h"
#include "TouchFixture.h"

namespace touchtest {
namespace {

using partytest::SeedDrawing;
using partytest::Within;

// Draws that give the smallest and the largest random factor.
const std::function<bool(int)> kLowest = Within(0, 32);
const std::function<bool(int)> kHighest = Within(32736, 32768);

struct DamageCase {
    const char* name;
    bool fixedMode;
    int status; // on the one hit, or -1
    std::int32_t low, high;
};

TEST_F(TouchTest, ShotDamageToAnEnemy)
{
    // Power 100 against defence 20; fixed damage 40 for member 1; HP 100.
    const DamageCase cases[] = {
        {"plain", false, -1, 75, 84},
        {"fixed mode", true, -1, 37, 42},
        {"pierce in fixed mode", true, EFFECT_PIERCE, 140, 159},
        {"pierce skips the defence", false, EFFECT_PIERCE, 93, 106},
        {"fragile takes all HP", false, EFFECT_FRAGILE, 100, 100},
    };
    for (const DamageCase& c : cases) {
        for (bool high : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (high ? " high" : " low"));
            Enemy(0, 200, 200);
            EnemyRecord& r = enemies.Records[0];
            r.Defence = 20;
            r.FixedDamage[1] = 40;
            if (c.status >= 0)
                r.Status.effectBits |= 1u << c.status;
            touch.flags = c.fixedMode ? 1u : 0u;
            const CharaShotNode& shot = Shot(SHOT_STRAIGHT, 1, 200, 200, 100);
            SeedGameRandom(SeedDrawing({high ? kHighest : kLowest}));
            EXPECT_EQ(touch.CalcShotDamageToEnemy(0, shot), high ? c.high : c.low);
            shots.ClearCharaShots();
        }
    }
}

TEST_F(TouchTest, ShotDamageEdges)
{
    Enemy(0, 200, 200).OneDamage = 1;
    const CharaShotNode& shot = Shot(SHOT_STRAIGHT, 1, 200, 200, 100);
    // One damage times the low factor truncates to 0 and is not raised to 1.
    SeedGameRandom(SeedDrawing({kLowest}));
    EXPECT_EQ(touch.CalcShotDamageToEnemy(0, shot), 0);
    SeedGameRandom(SeedDrawing({kHighest}));
    EXPECT_EQ(touch.CalcShotDamageToEnemy(0, shot), 1);

    // A base of 0 gives 0, a base of 1 at least 1.
    Enemy(1, 200, 200).OneDamage = 0;
    enemies.Records[1].Defence = 100;
    SeedGameRandom(SeedDrawing({kHighest}));
    EXPECT_EQ(touch.CalcShotDamageToEnemy(1, shot), 0);
    enemies.Records[1].Defence = 99;
    SeedGameRandom(SeedDrawing({kLowest}));
    EXPECT_EQ(touch.CalcShotDamageToEnemy(1, shot), 1);

    // A barrier with one charge takes the hit and goes; a blow goes through it.
    EnemyRecord& r = enemies.Records[1];
    r.Defence = 0;
    r.Status.effectBits |= 1u << EFFECT_PROTECTION;
    ProtectionCharge::Set(r.Status.boostLevels, 1);
    EXPECT_GT(touch.CalcShotDamageToEnemy(1, Shot(SHOT_ATTACHED, 0, 200, 200, 100)), 0);
    EXPECT_EQ(touch.CalcShotDamageToEnemy(1, shot), 0);
    EXPECT_FALSE(r.Status.HasEffect(EFFECT_PROTECTION));
    // A barrier whose count is already 0 still takes the hit, and goes.
    r.Status.effectBits |= 1u << EFFECT_PROTECTION;
    ProtectionCharge::Set(r.Status.boostLevels, 0);
    EXPECT_EQ(touch.CalcShotDamageToEnemy(1, shot), 0);
    EXPECT_FALSE(r.Status.HasEffect(EFFECT_PROTECTION));
    EXPECT_EQ(ProtectionCharge::Get(r.Status.boostLevels), 0u);
}

// Power 100 against defence 20: effect code 19 skips the defence on a roll
// below 1638, and a power whose sign bit (bit 20) is set counts as negative.
TEST_F(TouchTest, ShotPowerPiercesByItsCodeAndIsSigned)
{
    Enemy(0, 200, 200).OneDamage = 0;
    enemies.Records[0].Defence = 20;
    CharaShotNode& shot = Shot(SHOT_STRAIGHT, 1, 200, 200, 100);
    const struct {
        int code;
        std::function<bool(int)> roll;
        std::int32_t damage;
    } cases[] = {
        {19, Within(1637, 1638), 93},
        {19, Within(1638, 1639), 75},
        {18, Within(0, 1), 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ShotSpecialCode::Set(shot.specialBits, static_cast<std::uint32_t>(c.code));
        SeedGameRandom(SeedDrawing({c.roll, kLowest}));
        EXPECT_EQ(touch.CalcShotDamageToEnemy(0, shot), c.damage);
    }
    ShotSpecialCode::Set(shot.specialBits, 0);
    enemies.Records[0].Defence = 0;
    ShotPower::Set(shot.powerBits, (1u << 21) - 50); // -50
    SeedGameRandom(SeedDrawing({kHighest}));
    EXPECT_EQ(touch.CalcShotDamageToEnemy(0, shot), 0);
}

TEST_F(TouchTest, ContactDamageToAMember)
{
    // Attack 60 against defence 10; fixed mode: 10 % of 100 HP.
    const DamageCase cases[] = {
        {"plain", false, -1, 46, 53},
        {"fixed mode", true, -1, 9, 10},
        {"pierce skips the defence", false, EFFECT_PIERCE, 56, 63},
        {"fragile takes all HP", false, EFFECT_FRAGILE, 100, 100},
    };
    for (const DamageCase& c : cases) {
        for (bool high : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (high ? " high" : " low"));
            Enemy(0, 200, 200);
            enemies.Records[0].Attack = 60;
            party.statsB[0][2] = 10;
            party.hp[0] = party.maxHp[0] = 100;
            party.members[0].effectBits = c.status >= 0 ? 1u << c.status : 0u;
            touch.flags = c.fixedMode ? 1u : 0u;
            SeedGameRandom(SeedDrawing({high ? kHighest : kLowest}));
            EXPECT_EQ(touch.CalcContactDamageToMember(0, 0, 1.0f), high ? c.high : c.low);
        }
    }
    // A base of 1 does at least 1; a base of 0 nothing.
    party.members[0].effectBits = 0;
    touch.flags = 0;
    for (const auto& [attack, damage] : {std::pair{11, 1}, std::pair{10, 0}}) {
        SCOPED_TRACE(attack);
        enemies.Records[0].Attack = attack;
        SeedGameRandom(SeedDrawing({kLowest}));
        EXPECT_EQ(touch.CalcContactDamageToMember(0, 0, 1.0f), damage);
    }
    enemies.Records[0].Attack = 60;
    // Ability 16 evades with a roll below 1638.
    party.members[0].effectBits = 0;
    touch.flags = 0;
    party.abilityBits[0] = 1u << 16;
    SeedGameRandom(SeedDrawing({kLowest, Within(1637, 1638)}));
    EXPECT_EQ(touch.CalcContactDamageToMember(0, 0, 1.0f), 0);
    SeedGameRandom(SeedDrawing({kLowest, Within(1638, 1639)}));
    EXPECT_EQ(touch.CalcContactDamageToMember(0, 0, 1.0f), 46);
}

TEST_F(TouchTest, EnemyShotDamageToAMember)
{
    struct ShotCase {
        const char* name;
        bool magical;
        int attackKind;
        int status;
        bool piercing; // the owner pierces barriers
        std::int32_t low, high;
        bool fixedMode = false;
    };
    // Attack 50 against defence 10 or magic defence 20; fixed mode: 10 % of
    // the 250 HP maximum against a plain shot, 14 % against a magical one.
    const ShotCase cases[] = {
        {"plain", false, 0, -1, false, 37, 42},
        {"magical", true, 0, -1, false, 28, 31},
        {"magical of attack kind 5", true, 5, -1, false, 1, 1},
        {"fragile", false, 0, EFFECT_FRAGILE, false, 100, 100},
        {"barrier", false, 0, EFFECT_PROTECTION, false, 0, 0},
        {"barrier pierced", false, 0, EFFECT_PROTECTION, true, 9, 10},
        {"fixed mode", false, 0, -1, false, 23, 26, true},
        {"fixed mode, magical", true, 0, -1, false, 32, 37, true},
    };
    for (const ShotCase& c : cases) {
        for (bool high : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (high ? " high" : " low"));
            Enemy(0, 100, 100);
            SetRole(0, ENEMY_ROLE_PIERCES_BARRIER, c.piercing);
            party.statsB[0][2] = 10;
            party.statsB[0][3] = 20;
            party.elementLevel[0][0] = 3; // an element factor of 1
            party.hp[0] = 100;
            party.maxHp[0] = 250;
            touch.flags = c.fixedMode ? 1u : 0u;
            BattleMember& m = party.members[0];
            m.effectBits = c.status >= 0 ? 1u << c.status : 0u;
            ProtectionCharge::Set(m.boostLevels, 2);
            EnemyShotSpec spec = testsupport::PlainEnemyShot(205, 205);
            spec.attack = 50;
            spec.power = 1.0f;
            spec.magic = c.magical;
            spec.element = c.attackKind;
            const EnemyShotNode* shot = enemyShots.CreateEnemyShot(spec);
            ASSERT_NE(shot, nullptr);
            SeedGameRandom(SeedDrawing({high ? kHighest : kLowest}));
            EXPECT_EQ(touch.CalcEnemyShotDamageToMember(*shot, 0), high ? c.high : c.low);
            if (c.status == EFFECT_PROTECTION) {
                // One charge used, or all of them by a piercing owner.
                EXPECT_EQ(ProtectionCharge::Get(m.boostLevels), c.piercing ? 0u : 1u);
                EXPECT_EQ(m.HasEffect(EFFECT_PROTECTION), !c.piercing);
            }
            enemyShots.ClearEnemyShots();
        }
    }
}

} // namespace
} // namespace touchtest
