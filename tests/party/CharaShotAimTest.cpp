// Party shots among enemies: first aims and targets, turning toward a
// target, lock-on cycles, bounces, the slowing and speeding subtypes, the
// homing shot, the cooldown walk, and what the party and the enemies ask of
// the list (straight shots reaching an enemy, magic on the field, the
// nearest magic shot).
#include <cmath>

#include "PartyWorld.h"
#include "core/BattleAngles.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/MagicShotTable.h"

namespace {

using partytest::PartyBattleTest;
using partytest::SeedDrawing;
using partytest::Within;

class CharaShotAim : public PartyBattleTest {
protected:
    CharaShotNode* Make(std::uint32_t kind, float x, float y, int direction, int subtype)
    {
        CharaShotSpec spec{};
        spec.kind = kind;
        spec.x = x;
        spec.y = y;
        spec.power = 100;
        spec.ownerRecord = &party.members[2];
        spec.owner = 2;
        spec.direction = direction;
        spec.subtype = subtype;
        EXPECT_TRUE(shots.CreateCharaShot(spec));
        return shots.tail;
    }
    void Update(int frames)
    {
        for (int i = 0; i < frames; ++i)
            shots.UpdateCharaShot();
    }
    static float HeadingTo(const CharaShotNode& node, float cx, float cy)
    {
        return AngleFromDelta(cx - (node.x + 16.0f), cy - (node.y + 16.0f));
    }

    fakes::FakeEnemyGroup group{enemies};
};

TEST_F(CharaShotAim, ChasersTakeTheNearestEnemyAndTurnAtTheirRate)
{
    group.Place(0, 400, 300);
    group.Place(1, 100, 300); // nearest to the shot; centre (116, 316), to its left
    struct Case {
        int subtype;
        float rate, speed;
    };
    for (const Case c : {Case{0, 0.0125f, 3.0f}, Case{1, 0.01625f, 2.8f}, Case{2, 0.0175f, 2.6f}}) {
        SCOPED_TRACE(c.subtype);
        shots.ClearCharaShots();
        // Direction 0 starts heading up (-pi); left (-pi/2) lies above it.
        CharaShotNode* node = Make(SHOT_MAGIC, 200, 300, 0, c.subtype);
        Update(1);
        EXPECT_EQ(ShotTarget::Get(node->shotBits), 1u);
        EXPECT_FLOAT_EQ(node->heading, -BATTLE_PI + c.rate);
        EXPECT_FLOAT_EQ(node->x, 200.0f + std::sin(node->heading) * c.speed);
        EXPECT_FLOAT_EQ(node->y, 300.0f + std::cos(node->heading) * c.speed);
    }
}

TEST_F(CharaShotAim, TurningStopsExactlyOnTheTarget)
{
    group.Place(0, 184, 500); // centre (200, 516): straight below a shot at x 184
    CharaShotNode* node = Make(SHOT_MAGIC, 184, 100, 4, 0);
    Update(1);
    EXPECT_EQ(node->heading, 0.0f) << "on target, a turn snaps back onto it";
    EXPECT_EQ(node->x, 184.0f);
    node->heading = 0.01f;
    Update(1);
    EXPECT_EQ(node->heading, 0.0f) << "less than one step off";
    node->heading = 0.05f;
    Update(1);
    EXPECT_FLOAT_EQ(node->heading, 0.05f - 0.0125f);
    node->heading = -3.0f; // nearly up: the short way down rises through -pi/2
    Update(1);
    EXPECT_FLOAT_EQ(node->heading, -3.0f + 0.0125f);
}

TEST_F(CharaShotAim, LockedShotsJumpAndFlyAtTheirTarget)
{
    group.Place(0, 500, 300); // centre (516, 316)
    CharaShotNode* node = Make(SHOT_MAGIC, 100, 300, 0, 4);
    Update(1);
    EXPECT_TRUE(ShotLocked::IsSet(node->shotBits));
    const float heading = AngleFromDelta(516.0f - 116.0f, 316.0f - 316.0f);
    EXPECT_FLOAT_EQ(node->heading, heading);
    EXPECT_FLOAT_EQ(node->x, 100.0f + 32.0f + 8.5f);
    Update(10);
    EXPECT_FLOAT_EQ(node->heading, heading) << "subtype 4 never turns";

    // Without a living enemy the direction heading stands.
    group.Defeat(0);
    CharaShotNode* blind = Make(SHOT_MAGIC, 100, 300, 6, 4);
    Update(1);
    EXPECT_FALSE(ShotLocked::IsSet(blind->shotBits));
    EXPECT_FLOAT_EQ(blind->heading, BATTLE_PI / 2.0f);
}

TEST_F(CharaShotAim, SeekerRestsUnlockedRepicksEvery120FramesAndIsNeverLost)
{
    CharaShotNode* node = Make(SHOT_MAGIC, 2000, 2000, 0, MAGIC_SHOT_SEEKER);
    Update(1);
    EXPECT_FALSE(ShotLocked::IsSet(node->shotBits));
    const float x = node->x;
    Update(100);
    EXPECT_EQ(node->x, x) << "an unlocked seeker stands still";
    EXPECT_EQ(shots.head, node) << "far outside, yet kept";
    group.Place(0, 300, 300);
    Update(18); // age 119: (age + 1) mod 120 = 0 picks again
    EXPECT_TRUE(ShotLocked::IsSet(node->shotBits));
    EXPECT_EQ(node->x, x);
    Update(1);
    EXPECT_LT(node->x, x) << "locked, it moves again";
}

TEST_F(CharaShotAim, PickingWithNobodyFallsBackToTheLastDefeatedOrSlotZero)
{
    group.Place(0, 300, 300);
    group.Place(1, 350, 300);
    group.Place(2, 400, 300);
    group.Defeat(0);
    group.Defeat(1);
    group.Defeat(2);
    group.SetLastDefeated(2);
    CharaShotNode* chaser = Make(SHOT_MAGIC, 100, 300, 0, 0);
    Update(1);
    EXPECT_EQ(ShotTarget::Get(chaser->shotBits), 2u);
    // The homing shot also skips the invisible and falls back to slot 0.
    group.Place(1, 350, 300).Alpha = 0;
    CharaShotNode* homing = Make(SHOT_HOMING, 100, 300, 4, 0);
    EXPECT_EQ(ShotTarget::Get(homing->shotBits), 0u);
    group.Place(2, 400, 300);
    CharaShotNode* second = Make(SHOT_HOMING, 100, 300, 4, 0);
    EXPECT_EQ(ShotTarget::Get(second->shotBits), 2u);
    EXPECT_TRUE(ShotLocked::IsSet(second->shotBits));
}

TEST_F(CharaShotAim, HomingShotTurnsSlowlyAndFlies)
{
    group.Place(0, 400, 100);
    CharaShotNode* node = Make(SHOT_HOMING, 100, 300, 0, 0);
    const float locked = node->heading;
    EXPECT_FLOAT_EQ(locked, AngleFromDelta(416.0f - 116.0f, 116.0f - 316.0f));
    group.Place(0, 400, 400); // the target moves below: the shot turns toward it
    Update(1);
    EXPECT_FLOAT_EQ(node->heading, locked - 0.00390625f);
    EXPECT_FLOAT_EQ(node->x, 100.0f + std::sin(node->heading) * 2.5f);
    Update(88);
    EXPECT_EQ(shots.head, node);
    Update(1);
    EXPECT_EQ(shots.head, nullptr) << "homing shots live 90 frames";
}

TEST_F(CharaShotAim, BouncersMirrorOrTurnAwayFromTheEdge)
{
    // Subtype 5 heading down-right (direction 5) meets the bottom edge.
    CharaShotNode* mirror = Make(SHOT_MAGIC, 300, 440, 5, 5);
    Update(2);
    EXPECT_EQ(mirror->y, 447.0f);
    EXPECT_FLOAT_EQ(mirror->heading, BATTLE_PI - BATTLE_PI / 4.0f) << "down-right becomes up-right";
    // Subtype 7 takes a random heading into the field.
    CharaShotNode* dancer = Make(SHOT_MAGIC, 4, 300, 2, 7);
    Update(1);
    EXPECT_EQ(dancer->x, 0.0f);
    EXPECT_GE(dancer->heading, 0.0f);
    EXPECT_LT(dancer->heading, BATTLE_PI) << "away from the left edge";
}

TEST_F(CharaShotAim, CapriceSeeksOnlyAsItsVariant)
{
    group.Place(0, 500, 300);
    SeedGameRandom(SeedDrawing({Within(0, 32768), Within(0, 4096)}));
    CharaShotNode* seeker = Make(SHOT_MAGIC, 100, 300, 0, 6);
    ASSERT_TRUE(ShotFlag31::IsSet(seeker->shotBits));
    Update(1);
    EXPECT_TRUE(ShotLocked::IsSet(seeker->shotBits));
    EXPECT_FLOAT_EQ(seeker->heading, AngleFromDelta(516.0f - 116.0f, 0.0f));
    EXPECT_FLOAT_EQ(seeker->x, 100.0f + 32.0f + 6.0f);
}

TEST_F(CharaShotAim, SlowingAndSpeedingSubtypes)
{
    // 8: 7 - 0.06 age px, the vertical part scaled by 432/672, then it stops.
    CharaShotNode* gust = Make(SHOT_MAGIC, 300, 100, 4, 8);
    Update(1);
    EXPECT_FLOAT_EQ(gust->y, 100.0f + (7.0f - 0.06f) / (672.0f / 432.0f));
    Update(120); // from age 117 the speed is spent
    const float stoppedY = gust->y;
    Update(1);
    EXPECT_EQ(gust->y, stoppedY);
    shots.ClearCharaShots();
    // 9 backs off first (-4 + 0.067 age), then speeds up to 8.
    CharaShotNode* back = Make(SHOT_MAGIC, 300, 300, 6, 9);
    Update(1);
    EXPECT_FLOAT_EQ(back->x, 300.0f + std::sin(back->heading) * (0.067f - 4.0f));
    EXPECT_LT(back->x, 300.0f);
    // 10 always flies at -30 degrees; 11 sways by 0.04 a frame.
    CharaShotNode* thunder = Make(SHOT_MAGIC, 300, 100, 0, 10);
    Update(1);
    EXPECT_FLOAT_EQ(thunder->heading, -0.5235988f);
    group.Place(0, 400, 200, 32, 64); // centre y 232
    CharaShotNode* whirl = Make(SHOT_MAGIC, -32, 80, 0, 11);
    Update(1);
    EXPECT_FLOAT_EQ(whirl->heading, BATTLE_PI / 2.0f - 0.56f + 0.04f);
    EXPECT_FLOAT_EQ(whirl->y, 216.0f + std::cos(whirl->heading) * 5.0f);
    Update(28);
    EXPECT_NEAR(whirl->heading, BATTLE_PI / 2.0f - 0.56f + 29.0f * 0.04f, 1e-5);
    const float peak = whirl->heading;
    Update(1);
    EXPECT_FLOAT_EQ(whirl->heading, peak - 0.04f) << "age 30 turns back";
}

TEST_F(CharaShotAim, CooldownsCountDownOnlyOverTheSlotsInUse)
{
    group.Place(2, 300, 100);
    CharaShotNode* node = Make(SHOT_MAGIC, 300, 300, 0, 12);
    for (auto& cooldown : node->hitCooldown)
        cooldown = 25;
    Update(1);
    const std::uint8_t expected[8] = {24, 24, 24, 25, 25, 25, 25, 25};
    for (int slot = 0; slot < 8; ++slot)
        EXPECT_EQ(node->hitCooldown[slot], expected[slot]) << slot;
    // A count beyond eight walks eight slots, never past the array.
    enemies.GroupBits = (enemies.GroupBits & ~0x1Fu) | 15u; // the largest the signed field holds
    Update(1);
    EXPECT_EQ(node->hitCooldown[7], 24);
}

TEST_F(CharaShotAim, StraightShotReachesTheEnemyOnItsSide)
{
    shots.ResetCharaShotCounters();
    group.Place(0, 300, 200, 64, 64); // box 300-364 × 200-264
    struct Case {
        int direction;
        float x, y;
        bool reached;
    };
    const Case cases[] = {
        {FACING_LEFT, 287, 220, true},   {FACING_LEFT, 288, 220, true}, {FACING_LEFT, 286, 220, false},
        {FACING_UP, 320, 187, true},     {FACING_UP, 320, 186, false},  {FACING_RIGHT, 345, 220, true},
        {FACING_RIGHT, 346, 220, false}, {FACING_DOWN, 320, 245, true}, {FACING_DOWN, 320, 246, false},
    };
    for (const Case& c : cases) {
        shots.ClearCharaShots();
        Make(SHOT_STRAIGHT, c.x, c.y, c.direction, 0);
        EXPECT_EQ(shots.CharaShotHitsEnemy(c.direction, 0), c.reached) << c.direction << " at " << c.x << "," << c.y;
    }
    shots.ClearCharaShots();
    EXPECT_FALSE(shots.CharaShotHitsEnemy(FACING_LEFT, 0)) << "no shot flies";
    EXPECT_FALSE(shots.CharaShotHitsEnemy(7, 0)) << "no such direction";
    Make(SHOT_STRAIGHT, 287, 220, FACING_LEFT, 0);
    group.Defeat(0);
    EXPECT_FALSE(shots.CharaShotHitsEnemy(FACING_LEFT, 0));
}

TEST_F(CharaShotAim, EnemiesSeeMagicInsideTheWideFieldOnly)
{
    float angle = 1.0f;
    Make(SHOT_STRAIGHT, 300, 300, FACING_UP, 0);
    EXPECT_FALSE(shots.AnyCharaShotInRect()) << "straight shots are not magic";
    EXPECT_FALSE(shots.NearestCharaShot(angle, 0, 0));
    EXPECT_EQ(angle, 0.0f);
    Make(SHOT_MAGIC, -16, 300, 0, 12); // x = -16 is not inside (strict)
    EXPECT_FALSE(shots.AnyCharaShotInRect());
    Make(SHOT_MAGIC, 400, 300, 0, 12);
    Make(SHOT_MAGIC, 100, 300, 0, 12);
    EXPECT_TRUE(shots.AnyCharaShotInRect());
    ASSERT_TRUE(shots.NearestCharaShot(angle, 116, 100));
    EXPECT_FLOAT_EQ(angle, 0.0f) << "straight below";
    ASSERT_TRUE(shots.NearestCharaShot(angle, 116, 500));
    EXPECT_FLOAT_EQ(angle, -BATTLE_PI) << "straight above is -pi";
    EXPECT_FALSE(shots.NearestCharaShot(angle, 116, 316)) << "the point is its centre";
    EXPECT_EQ(angle, 0.0f);
    // Equal distances: the first in the list wins.
    ASSERT_TRUE(shots.NearestCharaShot(angle, 266, 316));
    EXPECT_FLOAT_EQ(angle, BATTLE_PI / 2.0f);
}

} // namespace
