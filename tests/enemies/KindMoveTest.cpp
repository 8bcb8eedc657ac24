// The kinds' own walking: headings by kind, the edge bounce, and the
// whole-frame charge and boomerang run through the enemy update.
#include <cmath>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindMoves.h"

using namespace enemytest;

namespace {

constexpr float kJitter = 0.1309f;

float AngleGap(float a, float b)
{
    float d = std::fmod(std::fabs(a - b), 2.0f * BATTLE_PI);
    return d > BATTLE_PI ? 2.0f * BATTLE_PI - d : d;
}

class KindMoveTest : public EnemyActTest {
protected:
    // Every kind walks only by `move`.
    void KindsMoving(const EnemyMoveDef& move)
    {
        std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
        for (EnemyKind& k : kinds) {
            k.def.FirstActionDelay = 0;
            k.def.FirstMoveDelay = 0;
            k.def.TurnChance = 0;
            k.def.PeriodicSpecial = 0;
            k.moves = {move};
            k.actions.clear();
            k.def.MoveCount = 1;
            k.def.ActionCount = 0;
        }
        FreeEnemyKinds();
        LoadKinds(kinds);
        group().SetEnemyCount(0);
    }
    void Make(int slot, int kind, float x, float y)
    {
        group().Records[slot] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(slot, kind, x, y, false, false, 3));
        group().SetEnemyCount(std::max(group().EnemyCount(), slot + 1));
    }
    void PartyAt(float x, float y)
    {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            parts->party.SetMemberPosX(m, x);
            parts->party.SetMemberPosY(m, y);
        }
    }
};

TEST_F(KindMoveTest, Kind90HeadsForTheCornerOfItsSlot)
{
    KindsMoving(Mv(41));
    struct Case {
        int slot;
        float goalX, goalY;
    };
    for (const Case c : {Case{0, 0, 80}, Case{5, 640, 480}, Case{6, 0, 0}, Case{7, 0, 0}, Case{3, 320, 480}}) {
        SCOPED_TRACE(c.slot);
        Make(c.slot, 90, 280, 240);
        const EnemyRecord& r = group().Records[c.slot];
        const float goal = AngleFromDelta(c.goalX - r.CenterX, c.goalY - r.CenterY);
        for (std::uint32_t seed : {1u, 77u, 4242u}) {
            SeedGameRandom(seed);
            EXPECT_LE(AngleGap(ExecuteEnemyKindMove(group(), c.slot), goal), kJitter);
        }
    }
}

TEST_F(KindMoveTest, SidewaysKindsDrawTheirHeadingInTheHalfTowardsTheMiddle)
{
    KindsMoving(Mv(41));
    struct Case {
        int kind;
        float cx, cy;
        bool (*ok)(float);
    };
    const Case cases[] = {
        {143, 320, 280, [](float h) { return h < -BATTLE_PI / 2 || h >= BATTLE_PI / 2; }}, // on the line: up
        {143, 320, 200, [](float h) { return h >= -BATTLE_PI / 2 && h < BATTLE_PI / 2; }},
        {165, 200, 280, [](float h) { return h >= 0 && h < BATTLE_PI; }},
        {165, 320, 280, [](float h) { return h >= -BATTLE_PI && h < 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " at " << c.cx << "," << c.cy);
        Make(0, c.kind, 300, 200);
        rec().CenterX = c.cx;
        rec().CenterY = c.cy;
        SeedGameRandom(9);
        for (int i = 0; i < 64; ++i)
            EXPECT_TRUE(c.ok(ExecuteEnemyKindMove(group(), 0)));
    }
}

TEST_F(KindMoveTest, TheEdgeBounceTurnsAwayFromANearEdgeAndAnOddMarginTakesTheFirst)
{
    KindsMoving(Mv(39));
    struct Case {
        float x, y;
        int p;
        bool (*ok)(float);
    };
    const Case cases[] = {
        {2, 240, 0, [](float h) { return h >= 0; }},                         // left edge: never leftwards
        {2, 240, 9, [](float h) { return h >= 0; }},                         // margin index beyond the table
        {300, 82, 0, [](float h) { return std::fabs(h) <= BATTLE_PI / 2; }}, // top edge: never up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " p " << c.p);
        Make(0, 30, c.x, c.y);
        SeedGameRandom(3);
        for (int i = 0; i < 64; ++i)
            EXPECT_TRUE(c.ok(BounceOffEdges(group(), 0, c.p)));
    }
}

TEST_F(KindMoveTest, AChargeTopsOutAtTheSpeedItsParameterNames)
{
    EnemyMoveDef charge = Mv(38);
    charge.Speed = 1.0f;
    charge.Speed2 = 0.5f;
    charge.Duration = 400;
    charge.Param = 0x35;
    KindsMoving(charge);
    PartyAt(300, 460);
    Make(0, 30, 290, 90);
    Frames(12);
    EXPECT_FLOAT_EQ(rec().SpecialTopSpeed, 3.0f);
    const float x = rec().PosX, y = rec().PosY;
    Frames(1);
    EXPECT_NEAR(std::hypot(rec().PosX - x, rec().PosY - y), 3.0f, 1e-3f);
}

TEST_F(KindMoveTest, ABoomerangSentRightEndsBackAtItsStartLine)
{
    EnemyMoveDef boomerang = Mv(46);
    boomerang.Speed = 2.0f;
    boomerang.Period = 30;
    boomerang.Duration = 300;
    KindsMoving(boomerang);
    PartyAt(600, 250);
    Make(0, 30, 100, 240);
    const float startX = rec().PosX;
    float farthest = startX;
    bool ended = false;
    for (int i = 0; i < 120 && !ended; ++i) {
        Frames(1);
        farthest = std::max(farthest, rec().PosX);
        ended = i > 0 && !(rec().FlagsA & FLAGS_A_MOVE_RUNNING);
    }
    ASSERT_TRUE(ended);
    EXPECT_GT(farthest, startX + 40.0f);
    EXPECT_LE(rec().PosX, startX);
    EXPECT_GT(rec().PosX, startX - 2.5f);
}

} // namespace

namespace {

TEST_F(KindMoveTest, HeadingRulesForTheCentreAndAnotherKind)
{
    KindsMoving(Mv(45));
    Make(0, 30, 100, 300);
    Make(1, 30, 400, 300); // its own kind: never chosen
    Make(2, 31, 500, 100);
    Make(3, 32, 200, 120);
    const EnemyRecord& r = rec();
    auto towards = [&](int slot) {
        const EnemyRecord& o = group().Records[slot];
        return AngleFromDelta(o.CenterX - r.CenterX, o.CenterY - r.CenterY);
    };
    EXPECT_NEAR(TowardsFieldCentre(group(), 0, 0), AngleFromDelta(320 - r.CenterX, 280 - r.CenterY), 1e-6f);
    SeedGameRandom(8);
    EXPECT_LE(AngleGap(TowardsFieldCentre(group(), 0, 1), AngleFromDelta(320 - r.CenterX, 280 - r.CenterY)), kJitter);
    // The nearest enemy of another kind is chosen on the first frame and kept.
    rec().MoveFrame = 0;
    EXPECT_NEAR(TowardsOtherKind(group(), 0), towards(3), 1e-6f);
    rec().MoveFrame = 5;
    group().Records[2].CenterX = r.CenterX + 1; // a nearer one later does not change the choice
    group().Records[2].CenterY = r.CenterY + 1;
    EXPECT_NEAR(TowardsOtherKind(group(), 0), towards(3), 1e-6f);
    // Once it is defeated the walk wanders: not always the same heading.
    group().Records[3].FlagsA |= FLAGS_A_DEFEATED;
    group().Records[3].State = ENEMY_DEFEATED;
    SeedGameRandom(8);
    const float first = TowardsOtherKind(group(), 0);
    bool differs = false;
    for (int i = 0; i < 8; ++i)
        differs = differs || TowardsOtherKind(group(), 0) != first;
    EXPECT_TRUE(differs);
}

TEST_F(KindMoveTest, FollowingMovesGoWhereTheirMemberIs)
{
    struct Case {
        int type;
        float x, y;
        // Whether it ends on the member's row (1), column (2) or circling it (3).
        int expect;
    };
    // The aligning walk closes the smaller gap: far above, the column; beside, the row.
    for (const Case c : {Case{50, 100, 150, 2}, Case{50, 250, 380, 1}, Case{51, 150, 300, 3}}) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " at " << c.x << "," << c.y);
        EnemyMoveDef m = Mv(c.type);
        m.Speed = 3.0f;
        m.Speed2 = 0.01f;
        m.Period = 200;
        m.Duration = 200;
        KindsMoving(m);
        PartyAt(300, 400);
        Make(0, 30, c.x, c.y);
        Frames(90);
        const BattleMember& member = parts->party.members[0];
        if (c.expect == 1)
            EXPECT_NEAR(rec().CenterY, member.centerY, 3.0f);
        else if (c.expect == 2)
            EXPECT_NEAR(rec().CenterX, member.centerX, 3.0f);
        else
            EXPECT_NEAR(std::hypot(rec().CenterX - member.centerX, rec().CenterY - member.centerY),
                        std::max(rec().Width, rec().Height) / 2.0f + 48.0f, 4.0f);
    }
}

} // namespace
