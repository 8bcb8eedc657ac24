// Shots that behave by their owner's kind: the set-ups, the behaviours run
// as the action with the burst period, and the reactions at the edge.
#include <cmath>
#include <set>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyShotKindHooks.h"
#include "enemies/EnemyShotMotion.h"

using namespace enemytest;

namespace {

constexpr float kPi = 3.14159265f;

class ShotKindTest : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        OneEnemy([](EnemyKind&) {}, 300, 200);
        SeedGameRandom(5);
    }
    void OwnerKind(int kind) { SetBits(rec().KindWord, KIND_WORD_KIND, 10, static_cast<std::uint32_t>(kind)); }
    EnemyShotNode* Shot(float x, float y, float angle, int action = 46)
    {
        EnemyShotSpec s{};
        s.x = x;
        s.y = y;
        s.angle = angle;
        s.speed = 2.0f;
        s.action = action;
        s.chance = 100;
        s.childCount = 4;
        s.lifeMin = s.lifeMax = 1000;
        s.aimKind = 22;
        return shots().CreateEnemyShot(s);
    }
    // A seed whose next draw, shifted right by `shift`, is `value`.
    static std::uint32_t SeedDrawing(int shift, int value)
    {
        for (std::uint32_t seed = 1;; ++seed)
            if ((PeekRandom(seed) >> shift) == value)
                return seed;
    }
};

TEST_F(ShotKindTest, TheSetUpChoosesMotionAndSpeedByOwnerKind)
{
    struct Case {
        const char* what;
        int kind;
        bool magic;
        int index;
        float speed, accel;
        int life, period;
        int motion;
        float wantSpeed;
        int wantLife, wantPeriod;
    };
    const Case cases[] = {
        {"magic returns slowly", 178, true, 5, 2, 0, 301, 60, 0, 1.5f, 301, 60},
        {"non-magic returns", 178, false, 5, 2, 0, 301, 60, 20, 3.0f, 301, 60},
        {"life in whole periods", 176, false, 0, 2, 0, 301, 60, 5, 2.0f, 300, 60},
        {"no period keeps its life", 176, false, 0, 2, 0, 301, 0, 5, 2.0f, 301, 0},
        {"the action when it stops", 184, false, 0, 4, -0.25f, 301, 60, 1, 4.0f, 301, 17},
        {"a huge stop clamps the period", 184, false, 0, 1e9f, -1e-6f, 301, 60, 1, 1e9f, 301, 32767},
        {"a kind beyond the ids flies straight", 500, false, 0, 2, 0, 301, 60, 0, 2.0f, 301, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OwnerKind(c.kind);
        EnemyShotNode* n = Shot(200, 200, 0.5f);
        eshot::Motion::Set(n->BitsA, 17);
        eshot::Magic::Set(n->BitsD, c.magic ? 1 : 0);
        n->Index = static_cast<std::int16_t>(c.index);
        n->Speed = c.speed;
        n->Accel = c.accel;
        n->Life = c.life;
        n->Period = static_cast<std::int16_t>(c.period);
        SeedGameRandom(SeedDrawing(13, 0)); // the stopping factor comes out as 1
        RunShotKindSetup(*n);
        EXPECT_EQ(static_cast<int>(eshot::Motion::Get(n->BitsA)), c.motion);
        EXPECT_FLOAT_EQ(n->Speed, c.wantSpeed);
        EXPECT_EQ(n->Life, c.wantLife);
        EXPECT_EQ(n->Period, c.wantPeriod);
    }
}

TEST_F(ShotKindTest, AKind99ShotBurstsAtOneOfItsPeriods)
{
    OwnerKind(99);
    std::set<int> ages;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SeedGameRandom(seed * 2654435761u);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(200, 200, 0.0f);
        n->Life = 301;
        n->Period = 60;
        int bursts = 0;
        for (int age = 60; age <= 300; age += 60) {
            n->Age = age;
            if (RunShotKindAction(*n) == SHOT_KIND_SPENT) {
                ++bursts;
                ages.insert(age);
                break;
            }
        }
        EXPECT_EQ(bursts, 1) << seed;
        EXPECT_EQ(shots().CountEnemyShots(), 1 + 4) << "the children beside the spent shot";
    }
    EXPECT_GT(ages.size(), 2u) << "the period is drawn";
    EXPECT_TRUE(*ages.rbegin() <= 300 && *ages.begin() >= 60);
}

TEST_F(ShotKindTest, AKind165ShotBurstsOnlyNearAStandingTarget)
{
    OwnerKind(165);
    struct Case {
        float offset;
        bool down, bursts;
    };
    for (const Case c : {Case{30, false, true}, Case{50, false, false}, Case{30, true, false}}) {
        SCOPED_TRACE(testing::Message() << c.offset << (c.down ? " down" : ""));
        parts->party.members[0].state &= ~MEMBER_KNOCKED_OUT;
        if (c.down)
            parts->party.members[0].state |= MEMBER_KNOCKED_OUT;
        const BattleMember& m = parts->party.members[0];
        EnemyShotNode* n = Shot(m.centerX + c.offset - 8, m.centerY + c.offset - 8, 0.0f);
        eshot::Target::Set(n->BitsB, 0);
        eshot::TargetChosen::Set(n->BitsB, 1);
        EXPECT_EQ(RunShotKindAction(*n) == SHOT_KIND_SPENT, c.bursts);
    }
}

TEST_F(ShotKindTest, ActionsOfKindsWithoutABurstTargetLeaveTheShot)
{
    // Kind 167 names an enemy slot that holds nobody; a kind id beyond the kinds has no behaviour.
    for (int kind : {167, 500}) {
        SCOPED_TRACE(kind);
        OwnerKind(kind);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(rec().CenterX - 8, rec().CenterY - 8, 0.5f);
        eshot::TargetMode::Set(n->BitsB, 5);
        EXPECT_EQ(RunShotKindAction(*n), SHOT_KIND_COUNTED);
        EXPECT_FLOAT_EQ(n->Angle, 0.5f);
        EXPECT_EQ(shots().CountEnemyShots(), 1);
    }
    // On its own enemy kind 167 bursts.
    OwnerKind(167);
    EnemyShotNode* n = Shot(rec().CenterX - 8, rec().CenterY - 8, 0.5f);
    eshot::TargetMode::Set(n->BitsB, 0);
    EXPECT_EQ(RunShotKindAction(*n), SHOT_KIND_SPENT);
    EXPECT_EQ(eshot::EdgeMode::Get(n->BitsA), 2u);
}

TEST_F(ShotKindTest, EdgeReactionsByOwnerKind)
{
    // Kind 177 reflects; only its first reflection is jittered.
    OwnerKind(177);
    EnemyShotNode* n = Shot(200, 70, -3 * kPi / 4, 0);
    eshot::Chance::Set(n->BitsB, 0);
    EXPECT_FALSE(RunShotKindEdge(*n, 1));
    EXPECT_NEAR(n->Angle, -kPi / 4, 0.1091f);
    EXPECT_EQ(eshot::Chance::Get(n->BitsB), 1u);
    n->Angle = -3 * kPi / 4;
    EXPECT_FALSE(RunShotKindEdge(*n, 1));
    EXPECT_NEAR(n->Angle, -kPi / 4, 1e-5);
    // Kind 176 turns straight away from the edge it met.
    OwnerKind(176);
    n->Angle = -2.0f;
    EXPECT_FALSE(RunShotKindEdge(*n, 0));
    EXPECT_NEAR(n->Angle, kPi / 2, 1e-5);
    // Kind 162 bursts there and is spent.
    OwnerKind(162);
    shots().ClearEnemyShots();
    n = Shot(200, 70, 0, 0);
    EXPECT_TRUE(RunShotKindEdge(*n, 1));
    EXPECT_EQ(shots().CountEnemyShots(), 1 + 4);
}

} // namespace

namespace {

TEST_F(ShotKindTest, BehavioursThatTurnOrSpeedTheShot)
{
    struct Case {
        int kind, variant, index;
        float angle, turn;
        float wantAngle, wantSpeed;
    };
    const Case cases[] = {
        {102, 0, 0, 0.5f, 0.0f, -99, 4.0f},        // aims at the target, 2 faster
        {144, 0, 3, 0.5f, 0.1f, 0.4f, 2.0f},       // odd index turns one way
        {144, 0, 4, 0.5f, 0.1f, 0.6f, 2.0f},       // even the other
        {163, 2, 0, 0.5f, 1.25f, 1.25f, 3.25f},    // the stored heading
        {180, 0, 0, 0.5f, 0.0f, kPi - 0.5f, 6.0f}, // the vertical part reverses
        {180, 1, 0, 0.5f, 0.0f, -0.5f, 6.0f},      // the sideways part reverses
        {180, 0, 0, 0.0f, 0.0f, -kPi, 6.0f},       // straight down turns straight up: -pi, not pi
        {180, 1, 0, -kPi, 0.0f, -kPi, 6.0f},       // straight up stays -pi
        {181, 0, 0, 0.5f, 0.0f, 0.5f + 2.0071287f, 6.25f},
        {181, 1, 0, 0.5f, -1.0f, -1.0f, 6.25f},
        {139, 0, 2, 0.5f, 0.0f, 0.0f, 2.0f}, // on the centre, by index
        {500, 0, 0, 0.5f, 0.0f, 0.5f, 2.0f}, // a kind beyond the ids: nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " variant " << c.variant << " index " << c.index);
        OwnerKind(c.kind);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(200, 200, c.angle);
        eshot::ChildRow::Set(n->BitsB, static_cast<std::uint32_t>(c.variant));
        n->Index = static_cast<std::int16_t>(c.index);
        n->Turn = c.turn;
        EXPECT_EQ(RunShotKindAction(*n), SHOT_KIND_COUNTED);
        EXPECT_FLOAT_EQ(n->Speed, c.wantSpeed);
        if (c.wantAngle > -99)
            EXPECT_NEAR(n->Angle, c.wantAngle, 1e-5f);
        else
            EXPECT_NE(n->Angle, c.angle);
    }
}

} // namespace

namespace {

// A shot's start with its owner of `kind`, from the given angle, period and turn.
struct SetUpCase {
    const char* what;
    int kind;
    float angle, turn, accel;
    int period, index, action, element;
    int wantMotion;
    float wantAngle, wantSpeed;
};

TEST_F(ShotKindTest, SetUpsThatTurnTheShotOrLinkItsSpeedToItsTurn)
{
    const SetUpCase cases[] = {
        {"126 turns back half its periods", 126, 0.5f, 0.1f, 0, 7, 0, 0, 0, 8, 0.5f - 3 * 0.1f, 2.0f},
        {"126 wraps", 126, -3.0f, 0.5f, 0, 10, 0, 0, 0, 8, -5.5f + 2 * kPi, 2.0f},
        {"128 reverses", 128, 0.5f, 0, 0, 0, 0, 0, 0, 1, 0.5f - kPi, 2.0f},
        {"128 from down: up is -pi", 128, 0.0f, 0, 0, 0, 0, 0, 0, 1, -kPi, 2.0f},
        {"128 from up-left", 128, -2.0f, 0, 0, 0, 0, 0, 0, 1, kPi - 2.0f, 2.0f},
        {"181 even index slows by the field's aspect", 181, 0.5f, 0, 0, 0, 4, 0, 0, 0, 0.5f, 2.0f / 1.6f},
        {"181 odd index keeps its speed", 181, 0.5f, 0, 0, 0, 3, 0, 0, 0, 0.5f, 2.0f},
        {"181 linked odd", 181, 0.5f, 1.0f, 0.5f, 0, 5, 0, 1, 0, 1.0f, 1.5f},
        {"181 linked even", 181, 0.5f, 1.0f, 0.5f, 0, 10, 0, 1, 0, 1.0f - kPi, 1.0f},
        {"181 linked index 14", 181, 0.5f, 1.0f, 0.5f, 0, 14, 0, 1, 0, 1.0f - kPi, 2.0f},
        {"another kind flies as it is", 127, 0.5f, 0.1f, 0.5f, 7, 3, 0, 0, 0, 0.5f, 2.0f},
    };
    for (const SetUpCase& c : cases) {
        SCOPED_TRACE(c.what);
        OwnerKind(c.kind);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(200, 200, c.angle, c.action);
        eshot::Motion::Set(n->BitsA, 17);
        eshot::Element::Set(n->BitsA, static_cast<std::uint32_t>(c.element));
        n->Turn = c.turn;
        n->Accel = c.accel;
        n->Period = static_cast<std::int16_t>(c.period);
        n->Index = static_cast<std::int16_t>(c.index);
        RunShotKindSetup(*n);
        EXPECT_EQ(static_cast<int>(eshot::Motion::Get(n->BitsA)), c.wantMotion);
        EXPECT_NEAR(n->Angle, c.wantAngle, 1e-5f);
        EXPECT_FLOAT_EQ(n->Speed, c.wantSpeed);
        EXPECT_FLOAT_EQ(n->X, 200.0f);
        EXPECT_FLOAT_EQ(n->Y, 200.0f);
    }
}

TEST_F(ShotKindTest, Kind181SpreadsAlongARandomHeadingPacedToTheBorder)
{
    struct Case {
        int draw; // the generator's value >> 5
        float accel;
    };
    // Headings 0, 0.92 (towards the lower-right corner), pi/2 and 3.07 rad.
    for (const Case c : {Case{0, 0.6944444f}, Case{300, 1.1468733f}, Case{512, 1.1111111f}, Case{1000, 0.6963312f}}) {
        for (const int element : {0, 1}) {
            SCOPED_TRACE(testing::Message() << c.draw << " element " << element);
            OwnerKind(181);
            shots().ClearEnemyShots();
            EnemyShotNode* n = Shot(200, 200, 0.5f, 28);
            eshot::Motion::Set(n->BitsA, 17);
            eshot::Element::Set(n->BitsA, static_cast<std::uint32_t>(element));
            n->Index = 3;
            SeedGameRandom(SeedDrawing(5, c.draw));
            RunShotKindSetup(*n);
            const float turn = static_cast<float>(c.draw) * kPi / 1024.0f;
            EXPECT_EQ(eshot::Motion::Get(n->BitsA), 0u);
            EXPECT_NEAR(n->Turn, turn, 1e-5f);
            EXPECT_NEAR(n->Accel, c.accel, 1e-5f);
            if (element == 1) {
                // Linked: the speed follows the paced step and the heading the drawn one.
                EXPECT_NEAR(n->Speed, 2.0f * c.accel, 1e-5f);
                EXPECT_NEAR(n->Angle, turn, 1e-5f);
            } else {
                EXPECT_FLOAT_EQ(n->Speed, 2.0f);
                EXPECT_FLOAT_EQ(n->Angle, 0.5f);
            }
        }
    }
}

TEST_F(ShotKindTest, Kind153DoublesItsAccelerationOnHalfTheDraws)
{
    OwnerKind(153);
    int doubled = 0;
    for (const int draw : {0, 16383, 16384, 32767}) {
        SCOPED_TRACE(draw);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(200, 200, 0.5f);
        eshot::Motion::Set(n->BitsA, 17);
        n->Accel = 0.25f;
        SeedGameRandom(SeedDrawing(0, draw));
        RunShotKindSetup(*n);
        EXPECT_EQ(eshot::Motion::Get(n->BitsA), 2u);
        EXPECT_TRUE(n->Accel == 0.25f || n->Accel == 0.5f);
        doubled += n->Accel == 0.5f ? 1 : 0;
        EXPECT_FLOAT_EQ(n->Angle, 0.5f);
    }
    EXPECT_EQ(doubled, 2);
}

TEST_F(ShotKindTest, Kind183StartsLevelWithARandomMember)
{
    OwnerKind(183);
    std::set<float> rows;
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(200, 100, 0.5f);
        eshot::Motion::Set(n->BitsA, 17);
        SeedGameRandom(seed * 2654435761u);
        RunShotKindSetup(*n);
        EXPECT_EQ(eshot::Motion::Get(n->BitsA), 8u);
        EXPECT_FLOAT_EQ(n->X, 200.0f);
        EXPECT_FLOAT_EQ(n->Angle, 0.5f);
        rows.insert(n->Y);
    }
    std::set<float> memberRows;
    for (const BattleMember& m : parts->party.members)
        memberRows.insert(m.centerY - 8.0f);
    EXPECT_EQ(rows, memberRows) << "each member's row, and only those";
}

TEST_F(ShotKindTest, Kind190SetUpTurnsToTheFirstSlotOrStartsOnItsOwner)
{
    OwnerKind(190);
    const float ex = rec().CenterX, ey = rec().CenterY;
    struct Case {
        int variant;
        float cx, cy; // the shot's centre
        float wantAngle, wantX, wantY;
    };
    const Case cases[] = {
        {0, ex + 100, ey, -kPi / 2, ex + 92, ey - 8},         // right of it: left
        {0, ex, ey - 50, 0.0f, ex - 8, ey - 58},              // above it: down
        {0, ex - 60, ey + 60, 3 * kPi / 4, ex - 68, ey + 52}, // down-left of it: up-right
        {0, ex, ey, 0.5f, ex - 8, ey - 8},                    // on it: unchanged
        {1, 40, 60, 0.5f, ex - 8, ey - 8},                    // placed on its owner
        {2, 40, 60, 0.5f, 32, 52},                            // another variant: as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << " at " << c.cx << "," << c.cy);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(c.cx - 8, c.cy - 8, 0.5f);
        eshot::Motion::Set(n->BitsA, 17);
        eshot::ChildRow::Set(n->BitsB, static_cast<std::uint32_t>(c.variant));
        RunShotKindSetup(*n);
        EXPECT_EQ(eshot::Motion::Get(n->BitsA), 0u);
        EXPECT_NEAR(n->Angle, c.wantAngle, 1e-5f);
        EXPECT_FLOAT_EQ(n->X, c.wantX);
        EXPECT_FLOAT_EQ(n->Y, c.wantY);
    }
}

TEST_F(ShotKindTest, Kind153And190BehavioursAimAtAMember)
{
    const BattleMember& second = parts->party.members[1];
    // 153: speed 6 at its target.
    OwnerKind(153);
    EnemyShotNode* n = Shot(292, 92, 0.5f);
    eshot::Target::Set(n->BitsB, 1);
    eshot::TargetChosen::Set(n->BitsB, 1);
    EXPECT_EQ(RunShotKindAction(*n), SHOT_KIND_COUNTED);
    EXPECT_FLOAT_EQ(n->Speed, 6.0f);
    EXPECT_NEAR(n->Angle, AngleFromDelta(second.centerX - 300.0f, second.centerY - 100.0f), 1e-5f);
    // 190: a resting shot with 60 frames left aims at the nearest member its owner faces, at 4.5.
    OwnerKind(190);
    struct Case {
        float speed;
        int age, facing;
        bool aims;
    };
    for (const Case c : {Case{0, 40, 3, true}, Case{0, 41, 3, false}, Case{0.5f, 0, 3, false}, Case{0, 0, 1, false}}) {
        SCOPED_TRACE(testing::Message() << "speed " << c.speed << " age " << c.age << " facing " << c.facing);
        shots().ClearEnemyShots();
        n = Shot(92, 92, 0.5f);
        n->Speed = c.speed;
        n->Life = 100;
        n->Age = c.age;
        SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(c.facing));
        EXPECT_EQ(RunShotKindAction(*n), SHOT_KIND_COUNTED);
        // Seen from the owner at (300, 200) facing down, the member straight below is the nearest.
        EXPECT_FLOAT_EQ(n->Speed, c.aims ? 4.5f : c.speed);
        EXPECT_NEAR(n->Angle, c.aims ? AngleFromDelta(second.centerX - 100.0f, second.centerY - 100.0f) : 0.5f, 1e-5f);
    }
}

TEST_F(ShotKindTest, Kind181BurstsOnceAtADrawnPeriod)
{
    OwnerKind(181);
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        SeedGameRandom(seed * 2654435761u);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(200, 200, 0.0f);
        eshot::ChildRow::Set(n->BitsB, 2);
        n->Life = 301;
        n->Period = 60;
        int bursts = 0;
        for (int age = 1; age <= 300 && bursts == 0; ++age) {
            n->Age = age;
            bursts += RunShotKindAction(*n) == SHOT_KIND_SPENT ? 1 : 0;
            if (bursts != 0) {
                EXPECT_EQ(age % 60, 0);
            }
        }
        EXPECT_EQ(bursts, 1);
        EXPECT_EQ(shots().CountEnemyShots(), 1 + 4);
    }
    // Shots of kinds with a set-up but no behaviour are left as they are.
    for (int kind : {126, 128, 183}) {
        OwnerKind(kind);
        shots().ClearEnemyShots();
        EnemyShotNode* n = Shot(200, 200, 0.5f);
        EXPECT_EQ(RunShotKindAction(*n), SHOT_KIND_COUNTED);
        EXPECT_FLOAT_EQ(n->Angle, 0.5f);
        EXPECT_FLOAT_EQ(n->Speed, 2.0f);
    }
}

} // namespace
