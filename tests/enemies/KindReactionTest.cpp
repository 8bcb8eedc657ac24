// The kinds' answers to a knock-back: counter-shots, the hit window of kind
// 182, the hitters kind 153 records and kind 120's phase steps.
#include "KindFixture.h"
#include "enemies/ShotSpawn.h"
#include "party/CharaShot.h"

namespace enemytest {
namespace {

constexpr int kLeft = 0;
constexpr int kDown = 3;

class KindReactionTest : public KindFixture {
protected:
    // A level-`strength` knock-back from `direction` by `member`, `flags` in the attack's word 23.
    void Hit(int slot, int direction, int member = 0, int strength = 0, std::uint32_t flags = 0)
    {
        std::uint32_t word21 = 0;
        ShotOwner::Set(word21, static_cast<std::uint32_t>(member));
        group().StartEnemyKnockback(slot, static_cast<int>(flags), static_cast<int>(word21), direction, strength);
    }
    // Knocked back from the normal state, as a new hit finds it.
    void HitStanding(int slot, int direction, int member = 0)
    {
        group().Records[slot].State = ENEMY_NORMAL;
        Hit(slot, direction, member);
    }
};

TEST_F(KindReactionTest, Kind30CountersIntoTheQuarterTheHitCameFrom)
{
    const struct {
        int direction;
        float from, to;
    } cases[] = {{0, -3 * BATTLE_PI / 4, -BATTLE_PI / 4},
                 {1, 3 * BATTLE_PI / 4, 5 * BATTLE_PI / 4},
                 {2, BATTLE_PI / 4, 3 * BATTLE_PI / 4},
                 {3, -BATTLE_PI / 4, BATTLE_PI / 4}};
    for (const auto& c : cases) {
        for (std::uint32_t seed = 1; seed <= 8; ++seed) {
            SCOPED_TRACE(testing::Message() << "direction " << c.direction << " seed " << seed);
            SeedGameRandom(seed);
            One(30);
            Hit(0, c.direction);
            ASSERT_EQ(Shots().size(), 1u);
            float a = Shots()[0]->Angle;
            EXPECT_GE(a, -BATTLE_PI) << "headings stay in [-pi, pi)";
            EXPECT_LT(a, BATTLE_PI);
            if (c.direction == 1 && a < 0.0f)
                a += 2.0f * BATTLE_PI; // the upward quarter straddles ±π
            EXPECT_GE(a, c.from - 1e-4f);
            EXPECT_LT(a, c.to + 1e-4f);
            EXPECT_EQ(eshot::AimKind::Get(Shots()[0]->BitsA), 17u);
        }
    }
}

TEST_F(KindReactionTest, AStrongOrSealedHitBringsNoCounter)
{
    One(30);
    Hit(0, kLeft, 0, 1);
    EXPECT_TRUE(Shots().empty()) << "only a level-0 hit";
    One(30);
    rec().Status.effectBits |= 1u << EFFECT_SKILL_SEAL;
    Hit(0, kLeft);
    EXPECT_TRUE(Shots().empty());
}

TEST_F(KindReactionTest, Kind60CountersOnceForEachStandingComrade)
{
    const struct {
        int comrades;
        int life;
        bool erasable;
    } cases[] = {{0, 0, false}, {2, 120, true}, {3, 120, false}, {5, 240, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.comrades);
        One(60);
        for (int s = 1; s <= c.comrades; ++s)
            Make(s, 61, 60.0f * s, 120);
        Make(c.comrades + 1, 61, 560, 120);
        group().Records[c.comrades + 1].FlagsA |= FLAGS_A_DEFEATED; // a fallen comrade does not count
        Hit(0, kDown);
        const auto all = Shots();
        ASSERT_EQ(static_cast<int>(all.size()), c.comrades);
        for (const EnemyShotNode* s : all) {
            EXPECT_EQ(s->Life, c.life + ENEMY_SHOT_ENDING_FRAMES);
            EXPECT_EQ(eshot::Erasable::IsSet(s->BitsB), c.erasable);
        }
    }
}

TEST_F(KindReactionTest, Kind74FiresFromEachFieldEdgeInTurnLinedUpWithTheHitter)
{
    One(74);
    // Member 2 stands with its top-left at (500, 400).
    const float expected[4][3] = {{508, SHOT_EDGE_TOP_Y, 0.0f},
                                  {SHOT_EDGE_LEFT_X, 408, BATTLE_PI / 2.0f},
                                  {508, SHOT_EDGE_BOTTOM_Y, -BATTLE_PI},
                                  {SHOT_EDGE_RIGHT_X, 408, -BATTLE_PI / 2.0f}};
    for (int turn = 0; turn < 5; ++turn) {
        SCOPED_TRACE(turn);
        shots().ClearEnemyShots();
        Hit(0, kLeft, 2);
        ASSERT_EQ(Shots().size(), 1u);
        const EnemyShotNode& s = *Shots()[0];
        EXPECT_FLOAT_EQ(s.X, expected[turn % 4][0]);
        EXPECT_FLOAT_EQ(s.Y, expected[turn % 4][1]);
        EXPECT_TRUE(Near(s.Angle, expected[turn % 4][2]));
    }
    // A hit carrying flag 6 brings nothing and leaves the side where it was.
    shots().ClearEnemyShots();
    const int side = KindField(rec(), FLAGS_E_KIND_CYCLE);
    Hit(0, kLeft, 2, 0, KNOCK_HIT_FLAG_6);
    EXPECT_TRUE(Shots().empty());
    EXPECT_EQ(KindField(rec(), FLAGS_E_KIND_CYCLE), side);
}

TEST_F(KindReactionTest, Kind116TurnsItsCounterBackAnEighthEachHit)
{
    One(116);
    const float expected[9] = {-BATTLE_PI,     3 * BATTLE_PI / 4, BATTLE_PI / 2,      BATTLE_PI / 4, 0,
                               -BATTLE_PI / 4, -BATTLE_PI / 2,    -3 * BATTLE_PI / 4, -BATTLE_PI};
    for (int i = 0; i < 9; ++i) {
        Hit(0, kDown);
        ASSERT_EQ(static_cast<int>(Shots().size()), i + 1);
        EXPECT_TRUE(Near(Shots()[i]->Angle, expected[i])) << i;
    }
}

TEST_F(KindReactionTest, Kinds158And180CounterAheadOnlyWhenTheHitFindsThemStanding)
{
    for (int kind : {158, 180}) {
        SCOPED_TRACE(kind);
        One(kind); // facing down
        group().FrameCounter = 1000;
        Hit(0, kLeft);
        ASSERT_EQ(Shots().size(), 1u);
        EXPECT_TRUE(Near(Shots()[0]->Angle, 0.0f));
        EXPECT_EQ(eshot::AimKind::Get(Shots()[0]->BitsA), 11u);
        group().FrameCounter = 2000;
        Hit(0, kLeft); // still knocked back
        EXPECT_EQ(Shots().size(), 1u);
    }
}

TEST_F(KindReactionTest, Kind180CountersAtMostOncePer301Frames)
{
    One(180);
    const struct {
        std::uint32_t frame;
        bool fires;
    } steps[] = {{100, true}, {200, false}, {400, false}, {401, true}, {701, false}, {702, true}};
    std::size_t fired = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.frame);
        group().FrameCounter = s.frame;
        HitStanding(0, kDown);
        fired += s.fires;
        EXPECT_EQ(Shots().size(), fired);
    }
    EXPECT_EQ(eshot::ChildCount::Get(Shots()[0]->BitsB), 6u);
}

TEST_F(KindReactionTest, Kind182FillsItsWindowWith15KnockbacksWithin250Frames)
{
    const struct {
        int hits;
        std::uint32_t framesApart;
        bool filled;
    } cases[] = {{14, 10, false}, {15, 10, true}, {15, 17, true}, {15, 18, false}, {30, 18, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hits << " hits " << c.framesApart << " apart");
        One(182);
        for (int i = 0; i < c.hits; ++i) {
            group().FrameCounter = 500 + i * c.framesApart;
            HitStanding(0, kDown);
        }
        EXPECT_EQ((rec().FlagsG & FLAGS_G_HIT_WINDOW_FILLED) != 0, c.filled);
    }
    // Its first movement clears the flag; another movement does not.
    rec().FlagsG |= FLAGS_G_HIT_WINDOW_FILLED;
    OnEnemyKindMoveStart(group(), 0, 1);
    EXPECT_NE(rec().FlagsG & FLAGS_G_HIT_WINDOW_FILLED, 0u);
    OnEnemyKindMoveStart(group(), 0, 0);
    EXPECT_EQ(rec().FlagsG & FLAGS_G_HIT_WINDOW_FILLED, 0u);
}

TEST_F(KindReactionTest, Kind153RecordsTheFirstEightHitters)
{
    One(153);
    const int hitters[10] = {2, 0, 1, 1, 2, 0, 0, 2, 1, 1};
    for (int member : hitters)
        HitStanding(0, kDown, member);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(rec().KindBytes[i], hitters[i]) << i;
    EXPECT_EQ(GetBits(rec().FlagsF, 4, 4), 8u);
}

TEST_F(KindReactionTest, Kind120StepsItsPhaseOnStrongHitsAndSometimesOnLightOnes)
{
    // A strong hit always moves the phase on by one or two, and stops the walk.
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SeedGameRandom(seed);
        One(120);
        const int before = KindField(rec(), FLAGS_E_KIND_PHASE);
        rec().FlagsA |= FLAGS_A_MOVE_RUNNING;
        Hit(0, kDown, 0, 1);
        const int after = KindField(rec(), FLAGS_E_KIND_PHASE);
        EXPECT_LT(after, 3);
        EXPECT_NE(after, before);
        EXPECT_EQ(rec().FlagsA & FLAGS_A_MOVE_RUNNING, 0u);
    }
    // Light hits: some seeds move it on, others not; never during the walks' fixed steps.
    int moved = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SeedGameRandom(seed);
        One(120);
        const int before = KindField(rec(), FLAGS_E_KIND_PHASE);
        HitStanding(0, kDown);
        moved += KindField(rec(), FLAGS_E_KIND_PHASE) != before;
    }
    EXPECT_GT(moved, 0);
    EXPECT_LT(moved, 40);
    const struct {
        int type, step;
        bool guarded;
    } walks[] = {{26, 1, true}, {26, 3, true}, {27, 0, true}, {27, 2, true}, {26, 0, false}, {27, 1, false}};
    for (const auto& w : walks) {
        SCOPED_TRACE(testing::Message() << "type " << w.type << " step " << w.step);
        bool everMoved = false;
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            SeedGameRandom(seed);
            One(120);
            const int before = KindField(rec(), FLAGS_E_KIND_PHASE);
            rec().FlagsA |= FLAGS_A_MOVE_RUNNING;
            rec().MoveType = static_cast<std::uint16_t>(w.type);
            SetBits(rec().FlagsC, 21, 2, static_cast<std::uint32_t>(w.step));
            Hit(0, kDown);
            everMoved |= KindField(rec(), FLAGS_E_KIND_PHASE) != before;
        }
        EXPECT_EQ(everMoved, !w.guarded);
    }
}

} // namespace
} // namespace enemytest
