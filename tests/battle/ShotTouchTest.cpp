// The contact passes of a battle frame: party shots on enemies, the
// whole-field strike, shots cancelling enemy shots, enemy bodies and crushes
// on members, and enemy shots on members.
#include "EnemyShotSpecs.h"
#include "TouchFixture.h"
#include "core/BattleAngles.h"

namespace touchtest {
namespace {

using partytest::SeedDrawing;
using partytest::Within;

TEST_F(TouchTest, AShotHitsAnEnemyOnceUntilItsCooldownRunsOut)
{
    Enemy(0, 200, 200);
    CharaShotNode& shot = Shot(SHOT_STRAIGHT, 1, 200, 200, 20);
    ShotHitsLeft::Set(shot.shotBits, 0);
    touch.UpdateBattleTouch();
    EXPECT_LT(enemies.Records[0].Hp, 100);
    EXPECT_EQ(Popups(POPUP_DAMAGE), 1) << "the damage number over the enemy";
    EXPECT_EQ(shot.hitCooldown[0], SHOT_HIT_COOLDOWN);
    const std::int32_t hp = enemies.Records[0].Hp;
    touch.UpdateBattleTouch();
    EXPECT_EQ(enemies.Records[0].Hp, hp);
    shot.hitCooldown[0] = 0;
    touch.UpdateBattleTouch();
    EXPECT_LT(enemies.Records[0].Hp, hp);
    EXPECT_EQ(ShotCount(), 1); // no pierce count: it goes on hitting
}

TEST_F(TouchTest, AShotThatTakesTheLastHpDefeatsTheEnemyOnItsOwnersAccount)
{
    Enemy(0, 200, 200);
    enemies.Records[0].Hp = 1;
    CharaShotNode& shot = Shot(SHOT_STRAIGHT, 2, 200, 200, 20);
    ShotHitsLeft::Set(shot.shotBits, 0);
    touch.UpdateBattleTouch();
    const EnemyRecord& r = enemies.Records[0];
    EXPECT_EQ(r.Hp, 0);
    EXPECT_EQ(r.State, ENEMY_DEFEATED) << "defeated, not knocked back";
    EXPECT_TRUE(r.FlagsA & FLAGS_A_DEFEATED);
    EXPECT_EQ(enemies.DefeatedBy[0], 2);
    // The defeated enemy takes no further hits from the shot that goes on.
    shot.hitCooldown[0] = 0;
    touch.UpdateBattleTouch();
    EXPECT_EQ(r.Hp, 0);
    EXPECT_EQ(r.State, ENEMY_DEFEATED);
}

TEST_F(TouchTest, ShotsEndByTheirPierceCountOrAnAbsorbingEnemy)
{
    struct Case {
        const char* name;
        std::uint32_t kind;
        int pierce;
        bool magical, absorbing;
        bool hit[3];
        int shotsLeft;
    };
    const Case cases[] = {
        {"pierce 2 against three", SHOT_STRAIGHT, 2, false, false, {true, true, false}, 0},
        {"pierce 1", SHOT_STRAIGHT, 1, false, false, {true, false, false}, 0},
        {"magic into an absorbing enemy", SHOT_MAGIC, 0, true, true, {true, false, false}, 0},
        {"plain shot into an absorbing enemy", SHOT_STRAIGHT, 0, false, true, {true, true, true}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        enemies.SetEnemyCount(0);
        for (int e = 0; e < 3; ++e)
            Enemy(e, 200.0f + 5.0f * static_cast<float>(e), 200);
        SetRole(0, ENEMY_ROLE_ABSORBS_SHOTS, c.absorbing);
        CharaShotNode& shot = Shot(c.kind, c.kind == SHOT_MAGIC ? 2 : 1, 200, 200);
        ShotHitsLeft::Set(shot.shotBits, static_cast<std::uint32_t>(c.pierce));
        ShotMagical::Set(shot.specialBits, c.magical ? 1u : 0u);
        ShotElement::Set(shot.shotBits, 0);
        enemies.Records[0].KindBytes[0] = 0;
        SceneTrace::Clear();
        touch.UpdateBattleTouch();
        for (int e = 0; e < 3; ++e)
            EXPECT_EQ(enemies.Records[e].Hp < 100, c.hit[e]) << "enemy " << e;
        EXPECT_EQ(ShotCount(), c.shotsLeft);
        // The absorbed magic shot is counted under its shot type.
        EXPECT_EQ(enemies.Records[0].KindBytes[0], c.kind == SHOT_MAGIC && c.absorbing ? 1 : 0);
        shots.ClearCharaShots();
    }
}

TEST_F(TouchTest, ABlowOverTwoEnemiesCostsTenStOnce)
{
    Enemy(0, 200, 200);
    Enemy(1, 204, 200);
    CharaShotNode& blow = Shot(SHOT_ATTACHED, 0, 200, 200);
    blow.x = 200;
    blow.y = 200;
    party.st[0] = 100;
    touch.UpdateBattleTouch();
    EXPECT_LT(enemies.Records[0].Hp, 100);
    EXPECT_LT(enemies.Records[1].Hp, 100);
    EXPECT_EQ(party.st[0], 90);
    // Past its 15th frame the blow hits nothing.
    blow.hitCooldown[0] = blow.hitCooldown[1] = 0;
    blow.age = 16;
    const std::int32_t hp = enemies.Records[0].Hp;
    touch.UpdateBattleTouch();
    EXPECT_EQ(enemies.Records[0].Hp, hp);
    EXPECT_EQ(party.st[0], 90);
}

TEST_F(TouchTest, AShotWithABoxIndexPastTheTableHitsNothing)
{
    Enemy(0, 200, 200);
    for (std::uint32_t row : {9u, 15u}) {
        CharaShotNode& shot = Shot(SHOT_STRAIGHT, 1, 200, 200);
        ShotHitBox::Set(shot.shotBits, row);
        ShotCancelsEnemyShots::Set(shot.powerBits, 1);
    }
    enemyShots.CreateEnemyShot([] {
        EnemyShotSpec spec = testsupport::PlainEnemyShot(205, 205);
        spec.erasable = true;
        return spec;
    }());
    touch.UpdateBattleTouch();
    touch.CancelEnemyShotsByShots();
    EXPECT_EQ(enemies.Records[0].Hp, 100);
    EXPECT_EQ(enemyShots.CountEnemyShots(), 1);
}

TEST_F(TouchTest, DrainsHealTheOwnerByTheirRolls)
{
    struct Case {
        const char* name;
        std::uint8_t code;
        int roll; // the drain roll (effect 18), drawn after the damage factor
        bool heals;
    };
    const Case cases[] = {
        {"effect 18 at 982", 18, 982, true},
        {"effect 18 at 983", 18, 983, false},
        {"effect 36", 36, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Enemy(0, 200, 200);
        party.hp[1] = 50;
        CharaShotNode& shot = Shot(SHOT_STRAIGHT, 1, 200, 200);
        ShotSpecialCode::Set(shot.specialBits, c.code);
        if (c.roll >= 0)
            SeedGameRandom(SeedDrawing({Within(0, 32768), Within(c.roll, c.roll + 1)}));
        touch.UpdateBattleTouch();
        EXPECT_EQ(party.hp[1] > 50, c.heals);
        shots.ClearCharaShots();
    }
}

TEST_F(TouchTest, TheWholeFieldStrikeHitsEveryEnemyOnceWithItsMasks)
{
    struct Case {
        std::uint32_t pending;
        std::uint32_t mask;
    };
    const Case cases[] = {{1, 32}, {2, 128}, {4, 1024}, {8, 65536}, {5, 32 | 1024}, {15, 32 | 128 | 1024 | 65536}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pending);
        enemies.SetEnemyCount(0);
        Enemy(0, 100, 200);
        Enemy(1, 400, 300);
        enemies.Records[1].Status.effectBits = 1u << EFFECT_DEFENCE_UP;
        MagicInForce::Set(party.partyWordA, c.pending);
        touch.UpdateBattleTouch();
        EXPECT_EQ(enemies.Records[0].Hp, 99);
        EXPECT_EQ(enemies.Records[1].Hp, 99);
        // The strike's ailments take hold on the enemy that had nothing.
        for (int status = 0; status < STATUS_EFFECT_COUNT; ++status)
            EXPECT_EQ(enemies.Records[0].Status.HasEffect(status), ((c.mask >> status) & 1u) != 0) << status;
        EXPECT_EQ(enemies.Records[1].Status.HasEffect(EFFECT_DEFENCE_UP), (c.pending & 1u) == 0);
        EXPECT_EQ(MagicInForce::Get(party.partyWordA), 0u);
    }
}

TEST_F(TouchTest, CancellingShotsRemoveErasableShotsWithinTheirWiderBox)
{
    struct Case {
        float x;
        bool erasable;
        bool removed;
    };
    // The party shot's box is 102..129 wide; the enemy shot's cancel box is x - 2..x + 17.
    const Case cases[] = {{127, true, true},   {130.9f, true, true}, {131, true, false},
                          {85.1f, true, true}, {85, true, false},    {110, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        CharaShotNode& shot = Shot(SHOT_STRAIGHT, 1, 100, 100);
        ShotCancelsEnemyShots::Set(shot.powerBits, 1);
        EnemyShotSpec spec = testsupport::PlainEnemyShot(c.x, 110);
        spec.erasable = c.erasable;
        ASSERT_NE(enemyShots.CreateEnemyShot(spec), nullptr);
        touch.CancelEnemyShotsByShots();
        EXPECT_EQ(enemyShots.CountEnemyShots(), c.removed ? 0 : 1);
        enemyShots.ClearEnemyShots();
        shots.ClearCharaShots();
    }
}

TEST_F(TouchTest, ABodyHitPushesTheMemberTheWayTheEnemyMovedOrAwayFromIt)
{
    struct Case {
        const char* name;
        float prevDx, prevDy, vx, vy; // the enemy's step since the last frame
        int side;
    };
    const Case cases[] = {
        {"moved right", -3, 0, 3, 0, FACING_RIGHT},
        {"moved up", 0, 2, 0, -2, FACING_UP},
        {"moved 1 px: by position (enemy on the left)", -1, 0, 1, 0, FACING_RIGHT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Enemy(0, 190, 200).HarmfulTouch = 1;
        EnemyRecord& r = enemies.Records[0];
        r.Attack = 60;
        r.PrevX = r.PosX + c.prevDx;
        r.PrevY = r.PosY + c.prevDy;
        r.MoveX = c.vx;
        r.MoveY = c.vy;
        Place(0, 200, 200);
        party.hp[0] = 100;
        party.members[0].state = 0;
        touch.UpdateEnemyBodyContact();
        EXPECT_LT(party.hp[0], 100);
        EXPECT_EQ(static_cast<int>(KnockSide::Get(party.members[0].state)), c.side);
        // The hit makes the member invincible: the next frame does nothing.
        const std::int32_t hp = party.hp[0];
        touch.UpdateEnemyBodyContact();
        EXPECT_EQ(party.hp[0], hp);
    }
}

// A body touch and a ram alike.
TEST_F(TouchTest, ASelfDamagingBodyTakesTheSameDamageOnTheMembersAccount)
{
    struct Case {
        std::int32_t hp;
        bool defeated;
        bool ram;
    };
    for (const Case& c : {Case{100, false, false}, Case{1, true, false}, Case{100, false, true}, Case{1, true, true}}) {
        SCOPED_TRACE(::testing::Message() << c.hp << (c.ram ? " ram" : " touch"));
        EnemyKindDef& kind = Enemy(0, c.ram ? 220 : 190, 200);
        kind.HarmfulTouch = c.ram ? 0 : 1;
        kind.Ram = c.ram ? 1 : 0;
        kind.SelfDamage = 1;
        EnemyRecord& r = enemies.Records[0];
        r.Attack = 60;
        r.Hp = c.hp;
        r.MoveX = c.ram ? -2.0f : 0.0f;
        Place(0, 200, 200);
        party.hp[0] = 100;
        party.members[0].state = 0;
        if (c.ram)
            touch.TestEnemyTouch(0, FACING_LEFT);
        else
            touch.UpdateEnemyBodyContact();
        const std::int32_t taken = 100 - party.hp[0];
        ASSERT_GT(taken, 0);
        EXPECT_EQ(r.State == ENEMY_DEFEATED, c.defeated);
        if (c.defeated) {
            EXPECT_EQ(r.Hp, 0);
            EXPECT_EQ(enemies.DefeatedBy[0], 0);
        } else {
            EXPECT_EQ(r.Hp, c.hp - taken);
        }
    }
}

TEST_F(TouchTest, ACrushingEnemyTakesAllHpOnTheHundredFiftiethFrame)
{
    struct Case {
        std::uint32_t countBefore;
        bool crushed;
        std::uint32_t countAfter;
    };
    const Case cases[] = {{0, false, 1}, {148, false, 149}, {149, true, 150}, {511, true, 511}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.countBefore);
        Enemy(0, 195, 195);
        enemies.crushCheck = 1;
        SetRole(0, ENEMY_ROLE_CRUSHES, true);
        Place(0, 200, 200);
        party.hp[0] = 100;
        party.members[0].state = 0;
        KnockOutCleared::Set(party.members[0].flags2, c.countBefore);
        touch.UpdateEnemyBodyContact();
        EXPECT_EQ(party.hp[0] == 0, c.crushed);
        if (!c.crushed) {
            EXPECT_EQ(KnockOutCleared::Get(party.members[0].flags2), c.countAfter);
        }
    }
    // Only a body reaching over the middle of the foot box crushes.
    Enemy(0, 186, 195);
    Place(0, 200, 200);
    party.hp[0] = 100;
    party.members[0].state = 0;
    KnockOutCleared::Set(party.members[0].flags2, 0);
    touch.UpdateEnemyBodyContact();
    EXPECT_EQ(KnockOutCleared::Get(party.members[0].flags2), 0u);
}

TEST_F(TouchTest, EnemyShotsHitMembersByTheirCountAndNotAfterVictory)
{
    struct Case {
        const char* name;
        int phase;
        int hits;
        bool hit0, hit1;
        int shotsLeft;
    };
    const Case cases[] = {
        {"victory phase", BATTLE_PHASE_VICTORY, 1, false, false, 1},
        {"hit count 1", BATTLE_PHASE_ACTION, 1, true, false, 0},
        {"hit count 2", BATTLE_PHASE_ACTION, 2, true, true, 0},
        {"hit count 0", BATTLE_PHASE_ACTION, 0, true, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        party.SetBattlePhase(c.phase);
        for (int m = 0; m < 2; ++m) {
            Place(m, 200, 200);
            party.hp[m] = 100;
            party.members[m].state = 0;
        }
        EnemyShotSpec spec = testsupport::PlainEnemyShot(205, 205);
        spec.attack = 50;
        spec.power = 1.0f;
        spec.hits = c.hits;
        ASSERT_NE(enemyShots.CreateEnemyShot(spec), nullptr);
        touch.UpdateEnemyShotHits();
        EXPECT_EQ(party.hp[0] < 100, c.hit0);
        EXPECT_EQ(party.hp[1] < 100, c.hit1);
        EXPECT_EQ(enemyShots.CountEnemyShots(), c.shotsLeft);
        enemyShots.ClearEnemyShots();
    }
}

TEST_F(TouchTest, AShotHitSetsTheMembersKnockHeadingAwayFromTheShotOrAlongASteeringKindsShot)
{
    constexpr int kSteeringKind = 139;
    constexpr int kByAngle = 62;
    struct Case {
        const char* name;
        int ownerKind;
        int action;
        float angle;
        float knockAngle;
        std::uint32_t source;
        bool byAngle;
    };
    const float pi = BATTLE_PI;
    const Case cases[] = {
        {"plain shot heading down", 5, kByAngle, 0.0f, -pi, 0, true},
        {"plain shot heading right", 5, kByAngle, pi / 2, -pi / 2, 0, true},
        {"plain shot heading up-left", 5, kByAngle, -3 * pi / 4, pi / 4, 0, true},
        {"steering kind keeps its own angle", kSteeringKind, kByAngle, pi / 2, pi / 2, 1, true},
        // Any other attack kind knocks by side: the stun start drops the angle mark.
        {"plain action knocks by side", 5, 0, pi / 2, -pi / 2, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        party.SetBattlePhase(BATTLE_PHASE_ACTION);
        placer.Place(3, 500, 400, 32, 32, c.ownerKind);
        Place(0, 200, 200);
        party.hp[0] = 100;
        party.members[0].state = 0;
        party.members[0].flags2 = 0;
        EnemyShotSpec spec = testsupport::PlainEnemyShot(205, 205);
        spec.attack = 50;
        spec.power = 1.0f;
        spec.angle = c.angle;
        spec.ownerSlot = 3;
        spec.action = c.action;
        spec.hits = 1;
        ASSERT_NE(enemyShots.CreateEnemyShot(spec), nullptr);
        touch.UpdateEnemyShotHits();
        ASSERT_LT(party.hp[0], 100);
        EXPECT_FLOAT_EQ(party.members[0].knockAngle, c.knockAngle);
        EXPECT_EQ(HitAngleSource::Get(party.members[0].flags2), c.source);
        EXPECT_EQ(KnockByAngle::IsSet(party.members[0].flags2), c.byAngle);
        enemyShots.ClearEnemyShots();
    }
}

TEST_F(TouchTest, TheWholeFieldStrikeClearsTheHitCountsOfAnAbsorbingEnemyOnly)
{
    Enemy(0, 100, 200);
    Enemy(1, 400, 300);
    SetRole(0, ENEMY_ROLE_ABSORBS_SHOTS, true);
    for (int e = 0; e < 2; ++e)
        for (int k = 0; k < 8; ++k)
            enemies.Records[e].KindBytes[k] = static_cast<std::uint8_t>(10 + k);
    MagicInForce::Set(party.partyWordA, 2);
    touch.UpdateBattleTouch();
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(enemies.Records[0].KindBytes[k], 0) << k;
        EXPECT_EQ(enemies.Records[1].KindBytes[k], 10 + k) << k;
    }
}

} // namespace
} // namespace touchtest
