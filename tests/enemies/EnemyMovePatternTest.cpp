// The patterned movements: whom a movement goes for, the aims and facing
// turns, the eight-way, axis, zig-zag, aligned and aimed walks, vanishing
// and reappearing, and the status icon over an enemy.
#include <cmath>

#include <gtest/gtest.h>

#include "EnemyActFixture.h"
#include "battle/BattleTouch.h"
#include "core/BattleAngles.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemySteering.h"
#include "fakes/FakeTexture.h"
#include "fakes/RecordingText.h"
#include "party/PartyWords.h"
#include "party/StatusEffectTable.h"
#include "party/StatusEffects.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;

class EnemyMovePattern : public EnemyActTest {
protected:
    // The enemy walks `m` alone (a waiting action keeps it free to move).
    void Walker(const EnemyMoveDef& m, float x = 300, float y = 200)
    {
        OneEnemy(
            [&](EnemyKind& k) {
                k.moves = {m};
                k.actions = {Act(0)};
            },
            x, y);
    }
    void KnockOut(int m, bool down = true) { KnockedOut::Set(parts->party.members[m].state, down ? 1 : 0); }
    void MemberFaces(int m, int facing) { FacingField::Set(parts->party.members[m].state, facing); }
    void PlaceMember(int m, float x, float y)
    {
        parts->party.SetMemberPosX(m, x);
        parts->party.SetMemberPosY(m, y);
    }
    void SetFacing(int f) { SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(f)); }
    void CentreAt(float cx, float cy) { group().SetEnemyPosition(0, cx - rec().Width / 2, cy - rec().Height / 2); }
    int WalkDir() { return static_cast<int>(GetBits(rec().FlagsC, FLAGS_C_WALK_DIR, 2)); }
    void SetWalkDir(int d) { SetBits(rec().FlagsC, FLAGS_C_WALK_DIR, 2, static_cast<std::uint32_t>(d)); }
    int Phase() { return static_cast<int>(GetBits(rec().FlagsC, FLAGS_C_MOVE_PHASE, 3)); }
    float MemberCentreX(int m) { return parts->party.members[m].centerX; }
    float MemberCentreY(int m) { return parts->party.members[m].centerY; }
};

// Members stand at (100, 400), (300, 420) and (500, 400); the enemy's centre at (330, 250).
TEST_F(EnemyMovePattern, TargetRulesPickTheirMemberAndKeepItWhereTheySay)
{
    struct Case {
        int rule;
        int down; // a member knocked out first, -1 none
        int expected;
        bool kept;
    };
    const Case cases[] = {
        {2, -1, 1, false}, {3, -1, 0, false},  {5, -1, 0, false},  {6, -1, 1, false},
        {7, -1, 2, false}, {6, 1, 0, false},   {7, 2, 0, false},   {5, 0, 1, false},
        {9, -1, 1, false}, {11, -1, 0, false}, {15, -1, 0, false}, {2, 1, 2, false},
    };
    for (const Case& c : cases) {
        OneEnemy([](EnemyKind&) {});
        CentreAt(330, 250);
        SetFacing(3);
        if (c.down >= 0)
            KnockOut(c.down);
        EXPECT_EQ(group().GetMoveTargetMember(0, c.rule), c.expected) << "rule " << c.rule << " down " << c.down;
        EXPECT_EQ((rec().FlagsC & FLAGS_C_MEMBER_KEPT) != 0, c.kept) << c.rule;
        if (c.down >= 0)
            KnockOut(c.down, false);
    }
}

TEST_F(EnemyMovePattern, KeptRulesHoldTheirChoiceUntilTheNextMovement)
{
    struct Case {
        int rule;
        int expected;
    };
    // 1 draws among the standing (only member 2 stands); 8 among the target mask (only member 2).
    const Case cases[] = {{1, 2}, {8, 2}, {16 + 1, 2}};
    for (const Case& c : cases) {
        OneEnemy([](EnemyKind&) {});
        rec().MoveTargetMask[2] = 1;
        KnockOut(0);
        KnockOut(1);
        EXPECT_EQ(group().GetMoveTargetMember(0, c.rule), c.expected) << c.rule;
        EXPECT_TRUE(rec().FlagsC & FLAGS_C_MEMBER_KEPT);
        KnockOut(0, false);
        KnockOut(1, false);
        rec().MoveTargetMask[2] = 0;
        rec().MoveTargetMask[0] = 1;
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(group().GetMoveTargetMember(0, c.rule), c.expected) << c.rule;
    }
    // A new movement forgets the kept member.
    Walker(Move(8, 2.0f, 0, 1));
    rec().FlagsC |= FLAGS_C_MEMBER_KEPT;
    Frames(1);
    EXPECT_TRUE(rec().FlagsA & FLAGS_A_MOVE_RUNNING);
    EXPECT_TRUE(rec().FlagsC & FLAGS_C_MEMBER_KEPT) << "kept again by the new movement's own choice";

    // Rule 10 stores the AI's choice without keeping it.
    OneEnemy([](EnemyKind&) {});
    const int ai = group().GetAiTarget(0);
    EXPECT_EQ(group().GetMoveTargetMember(0, 10), ai);
    EXPECT_EQ(static_cast<int>(GetBits(rec().FlagsC, FLAGS_C_KEPT_MEMBER, 2)), ai);
    EXPECT_FALSE(rec().FlagsC & FLAGS_C_MEMBER_KEPT);
}

TEST_F(EnemyMovePattern, AimsFallBackToTheFacingAndFrontHeadingsStayInTheFrontQuarter)
{
    OneEnemy([](EnemyKind&) {});
    CentreAt(MemberCentreX(1), 250);
    SetFacing(0);
    group().AimAtMember(0, 1);
    EXPECT_FLOAT_EQ(rec().Heading, 0.0f) << "straight down at member 1";
    KnockOut(1);
    group().AimAtMember(0, 1);
    EXPECT_FLOAT_EQ(rec().Heading, -kPi / 2) << "down: the facing's heading (left)";
    KnockOut(1, false);
    CentreAt(MemberCentreX(1), MemberCentreY(1));
    group().AimAtMember(0, 1);
    EXPECT_FLOAT_EQ(rec().Heading, -kPi / 2) << "at the member's centre: the facing's heading";

    const float middles[4] = {-kPi / 2, -kPi, kPi / 2, 0.0f};
    SeedGameRandom(77);
    for (int f = 0; f < 4; ++f) {
        SetFacing(f);
        for (int i = 0; i < 300; ++i) {
            const float h = group().RandomHeadingInFacing90(0);
            const float off = std::fabs(WrapHeading(h - middles[f]));
            EXPECT_LT(off, kPi / 4) << "facing " << f << " heading " << h;
            EXPECT_GE(h, -kPi);
            EXPECT_LT(h, kPi);
        }
    }

    // Nobody in front (facing up, the party below): the random aims take their fallback.
    CentreAt(330, 250);
    SetFacing(1);
    int member = -1;
    EXPECT_FALSE(group().FindFrontTarget(0, false, member));
    group().AimAtFrontTargetOrFront90(0);
    EXPECT_LT(std::fabs(WrapHeading(rec().Heading + kPi)), kPi / 4);
    SetFacing(3);
    EXPECT_TRUE(group().FindFrontTarget(0, false, member));
    EXPECT_EQ(member, 1);
}

TEST_F(EnemyMovePattern, TurningTheFacingFollowsItsParam)
{
    struct Case {
        int param, from, to;
    };
    const Case cases[] = {{1, 3, 0}, {1, 0, 1}, {2, 0, 3}, {3, 2, 1}, {5, 1, 2}};
    OneEnemy([](EnemyKind&) {});
    for (const Case& c : cases) {
        SetFacing(c.from);
        group().TurnFacing(0, c.param);
        EXPECT_EQ(Facing(), c.to) << c.param << " from " << c.from;
    }
    SeedGameRandom(3);
    for (int i = 0; i < 50; ++i) {
        SetFacing(2);
        group().TurnFacing(0, 0);
        EXPECT_NE(Facing(), 2) << "param 0 always turns";
    }
}

TEST_F(EnemyMovePattern, EightWayStepsGoWhereTheTypeSays)
{
    struct Case {
        int type, facing, recorded;
        float dx, dy;
    };
    const Case cases[] = {
        {1, 0, 0, -2, 0}, {1, 3, 0, 0, 2},  {1, 1, 0, 0, -2}, {5, 0, 1, 0, -2},
        {5, 0, 2, 2, 0},  {6, 0, 1, 2, -2}, {6, 0, 3, -2, 2}, {6, 0, 0, -2, -2},
    };
    for (const Case& c : cases) {
        Walker(Move(c.type));
        SetFacing(c.facing);
        SetBits(rec().KindWord, 15, 2, static_cast<std::uint32_t>(c.recorded));
        Frames(1);
        EXPECT_FLOAT_EQ(rec().PosX - 300.0f, c.dx) << "type " << c.type << " facing " << c.facing;
        EXPECT_FLOAT_EQ(rec().PosY - 200.0f, c.dy) << "type " << c.type << " facing " << c.facing;
    }
    // Random axis steps move on one axis, random diagonals on both.
    for (std::uint32_t seed = 1; seed < 12; ++seed) {
        for (int type : {2, 3}) {
            Walker(Move(type));
            SeedGameRandom(seed);
            Frames(1);
            const int axes = (rec().PosX != 300.0f ? 1 : 0) + (rec().PosY != 200.0f ? 1 : 0);
            EXPECT_EQ(axes, type == 2 ? 1 : 2) << "type " << type << " seed " << seed;
        }
    }
}

TEST_F(EnemyMovePattern, AnAxisWalkTurnsRoundAtTheEdgeItReallyWalksTowards)
{
    struct Case {
        int dir;
        bool nearRight, confused, bound;
        int turns;
        float moveX;
    };
    const Case cases[] = {
        {2, true, false, false, 1, -2.0f}, // right into the right edge: turned left
        {0, true, false, false, 0, -2.0f}, // walking away from it
        {0, true, true, false, 1, 2.0f},   // confused: "left" walks right, into the edge
        {2, true, true, false, 0, 2.0f},   // confused: "right" walks left
        {2, true, false, true, 0, 0.0f},   // bound: no step at all
        {2, false, false, false, 0, 2.0f},
    };
    for (const Case& c : cases) {
        OneEnemy([](EnemyKind&) {});
        if (c.nearRight)
            group().SetEnemyPosition(0, FIELD_RIGHT - 1.0f - rec().OuterBox.right - 1.0f, 200);
        else
            group().SetEnemyPosition(0, 200, 200);
        rec().Status.effectBits = (c.confused ? 1u << EFFECT_CONFUSION : 0u) | (c.bound ? 1u << EFFECT_BIND : 0u);
        SetWalkDir(c.dir);
        rec().MoveX = rec().MoveY = 0.0f;
        group().AxisWalk(0, 2.0f);
        EXPECT_EQ(rec().EdgeTurns, c.turns) << "dir " << c.dir << (c.confused ? " confused" : "");
        EXPECT_EQ(rec().MoveX, c.moveX) << "dir " << c.dir << (c.confused ? " confused" : "");
        EXPECT_EQ(rec().MoveY, 0.0f);
    }
}

TEST_F(EnemyMovePattern, AZigZagStartsByItsParamAndSwitchesAxisEachPeriod)
{
    struct Case {
        int param, facing;
        int first; // -1: left or right, -2: up or down
    };
    const Case cases[] = {{0, 1, -1}, {1, 0, -2}, {3, 2, 2}, {3, 1, -1}, {4, 3, 3}, {4, 0, -2}, {5, 1, 1}};
    for (const Case& c : cases) {
        Walker(Move(25, 2.0f, 10, c.param));
        SetFacing(c.facing);
        Frames(1);
        const int dir = WalkDir();
        if (c.first == -1)
            EXPECT_EQ(dir & 1, 0) << c.param;
        else if (c.first == -2)
            EXPECT_EQ(dir & 1, 1) << c.param;
        else
            EXPECT_EQ(dir, c.first) << c.param;
        const bool horizontal = (dir & 1) == 0;
        EXPECT_EQ(rec().PosX != 300.0f, horizontal) << c.param;
        Frames(10);
        EXPECT_NE((WalkDir() & 1) == 0, horizontal) << "the period switched the axis, param " << c.param;
    }
}

// Walking right above the party, the enemy turns down once member 1 is lined
// up under it, and goes back to walking right once nobody is lined up.
TEST_F(EnemyMovePattern, AnAlignedWalkGoesForTheMemberLinedUpAndReturnsWithoutOne)
{
    EnemyMoveDef m = Move(26, 2.0f, 5, 8 | 6);
    m.Speed2 = 1.0f;
    Walker(m, 150, 150);
    SetFacing(2);
    int frames = 0;
    while (WalkDir() != 3 && frames < 200) {
        Frames(1);
        ++frames;
    }
    ASSERT_EQ(WalkDir(), 3) << "turned down";
    EXPECT_EQ(static_cast<int>(GetBits(rec().FlagsC, FLAGS_C_PREV_WALK_DIR, 2)), 2);
    EXPECT_NEAR(rec().CenterX, MemberCentreX(1), rec().Width);
    const float y = rec().PosY;
    Frames(1);
    EXPECT_FLOAT_EQ(rec().PosY - y, 1.0f) << "the second speed while going for the member";
    KnockOut(1);
    Frames(5);
    EXPECT_EQ(WalkDir(), 2) << "back to the remembered direction";

    // The vertical form: lined up beside member 0, it turns left towards it.
    EnemyMoveDef v = Move(27, 2.0f, 5, 6);
    v.Speed2 = 1.0f;
    KnockOut(1, false);
    Walker(v, 20, 100);
    SetWalkDir(3);
    frames = 0;
    while ((WalkDir() & 1) == 1 && frames < 300) {
        Frames(1);
        ++frames;
    }
    EXPECT_EQ(WalkDir(), 2) << "member 0 stands right of it";

    // A reach class beyond the table lines nobody up.
    Walker(Move(26, 2.0f, 5, 8 | 7), 284, 150);
    SetFacing(2);
    Frames(30);
    EXPECT_EQ(WalkDir() & 1, 0);
}

TEST_F(EnemyMovePattern, AnAimedWalkLooksRoundUntilSomebodyIsInFrontThenGoesForThem)
{
    // Facing up with the party below: it turns (param 1: clockwise) and stands.
    Walker(Move(28, 2.0f, 10, 1));
    SetFacing(1);
    Frames(1);
    EXPECT_EQ(Facing(), 2);
    EXPECT_FALSE(rec().FlagsC & FLAGS_C_AIMED);
    EXPECT_EQ(rec().PosX, 300.0f);
    EXPECT_EQ(rec().PosY, 200.0f);

    // Facing down: member 1 is in front, so it aims and walks.
    Walker(Move(28, 2.0f, 10, 1));
    CentreAt(MemberCentreX(1), 250);
    SetFacing(3);
    Frames(1);
    EXPECT_TRUE(rec().FlagsC & FLAGS_C_AIMED);
    EXPECT_EQ(static_cast<int>(GetBits(rec().FlagsC, FLAGS_C_MOVE_MEMBER, 2)), 1);
    EXPECT_NEAR(rec().Heading, 0.0f, 1e-5);
    EXPECT_FLOAT_EQ(rec().CenterY, 252.0f);
    // Everybody gone from the front: the next decision stops the walk.
    for (int m = 0; m < 3; ++m)
        KnockOut(m);
    Frames(10);
    EXPECT_FALSE(rec().FlagsC & FLAGS_C_AIMED);
    const float y = rec().PosY;
    Frames(3);
    EXPECT_EQ(rec().PosY, y);
}

TEST_F(EnemyMovePattern, ARepeatingAimedWalkRoamsChargesAndWaits)
{
    EnemyMoveDef m = Move(30, 1.0f, 0, 2);
    m.Speed2 = 3.0f;
    // Nobody in front: it roams at the first speed, in front of itself.
    Walker(m);
    SetFacing(1);
    Frames(1);
    EXPECT_EQ(Phase(), 0);
    EXPECT_NEAR(std::hypot(rec().PosX - 300.0f, rec().PosY - 200.0f), 1.0f, 1e-4);
    EXPECT_LT(rec().PosY, 200.0f) << "roaming upwards, where it faces";

    // Member 1 in front: it charges at the second speed.
    Walker(m);
    CentreAt(MemberCentreX(1), 250);
    SetFacing(3);
    Frames(1);
    EXPECT_EQ(Phase(), 1);
    EXPECT_FLOAT_EQ(rec().CenterY, 253.0f);
    // After a second with nobody left in front it waits.
    for (int k = 0; k < 3; ++k)
        KnockOut(k);
    Frames(60);
    EXPECT_EQ(Phase(), 2);
    const float y = rec().PosY;
    Frames(5);
    EXPECT_EQ(rec().PosY, y);
    // Roaming and waiting look again every (param) × 5 frames.
    KnockOut(1, false);
    SetFacing(3);
    Frames(10);
    EXPECT_EQ(Phase(), 1) << "member 1 is back in front";
}

TEST_F(EnemyMovePattern, PlacesAreFreeOnTheFieldAwayFromMembersAndFarEnoughFromHere)
{
    OneEnemy([](EnemyKind&) {}, 300, 200);
    const EnemyBox o = rec().OuterBox;
    const EnemyBox b = rec().BodyBox;
    const float m1x = 300.0f, m1y = 420.0f; // member 1's top-left
    struct Case {
        float x, y;
        bool far, free;
        const char* what;
    };
    const Case cases[] = {
        {100, 150, true, true, "an open place"},
        {FIELD_LEFT - o.left - 1, 150, false, false, "past the left edge"},
        {FIELD_LEFT - o.left, FIELD_TOP - o.top, false, true, "the top-left corner just fits"},
        {100, FIELD_BOTTOM - o.bottom, false, false, "past the bottom edge"},
        {310, 220, true, false, "less than 32 px from here on both axes"},
        {310, 220, false, true, "near is fine when not asked"},
        {m1x - b.right + 1, m1y, false, false, "over member 1"},
        {m1x - b.right, m1y, false, true, "just touching member 1's side"},
        {m1x, m1y + 5 - b.bottom, false, true, "just above the member's inset square"},
        {m1x, m1y + 6 - b.bottom, false, false, "a pixel into it"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(group().IsPlaceFree(0, c.x, c.y, c.far), c.free) << c.what;
    KnockOut(1);
    EXPECT_TRUE(group().IsPlaceFree(0, m1x - b.right + 1, m1y, false)) << "a fallen member takes no room";
}

// A vanishing movement: gone in 64 frames, placed by its type, back in 64 more.
TEST_F(EnemyMovePattern, VanishingMovementsReappearWhereTheirTypeSays)
{
    enum Expect { ANYWHERE, TOP_RIGHT, ABOVE_MEMBER, BELOW_MEMBER, BESIDE_MEMBER, BY_OTHER, STAYS };
    struct Case {
        int type;
        int memberFacing;
        Expect where;
        int enemyFacing;
    };
    const Case cases[] = {
        {31, 0, ANYWHERE, -1},     {32, 0, TOP_RIGHT, -1},     {33, 1, ABOVE_MEMBER, 3}, {34, 3, ABOVE_MEMBER, 3},
        {34, 1, BELOW_MEMBER, -1}, {44, 0, BESIDE_MEMBER, -1}, {48, 0, BY_OTHER, -1},    {33, 3, STAYS, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SCOPED_TRACE(c.memberFacing);
        EnemyMoveDef m = Move(c.type, 0.0f, 0, 6 | 16); // target member 1, skipped by the rectangle tests
        m.Duration = 200;
        const float places[3][2] = {{100, 400}, {300, 420}, {500, 400}};
        for (int k = 0; k < 3; ++k)
            PlaceMember(k, places[k][0], places[k][1]);
        if (c.where == TOP_RIGHT)
            for (int k = 0; k < 3; ++k)
                PlaceMember(k, 40.0f * static_cast<float>(k), 440);
        Walker(m, 300, 200);
        if (c.where == BY_OTHER)
            AddEnemy(1, 100, 120);
        if (c.where == BESIDE_MEMBER)
            PlaceMember(1, 300, 300); // room on every side
        MemberFaces(1, c.memberFacing);
        SeedGameRandom(21);
        Frames(1);
        EXPECT_TRUE(rec().KindWord & KIND_WORD_SKIP_RECT);
        ASSERT_FALSE(effect.Popups().empty());
        EXPECT_EQ(effect.Popups().back().Kind(), POPUP_ACTION_START);
        Frames(63);
        EXPECT_EQ(rec().Alpha, 0);
        const float otherX = group().Records[1].CenterX, otherY = group().Records[1].CenterY;
        EXPECT_EQ(rec().PosX, 300.0f) << "still where it was while fading out";
        Frames(1);
        const float cx = rec().CenterX, cy = rec().CenterY;
        const float mx = MemberCentreX(1), my = MemberCentreY(1);
        switch (c.where) {
        case ANYWHERE:
            EXPECT_TRUE(std::fabs(rec().PosX - 300.0f) >= 32.0f || std::fabs(rec().PosY - 200.0f) >= 32.0f);
            EXPECT_TRUE(group().IsPlaceFree(0, rec().PosX, rec().PosY, false));
            break;
        case TOP_RIGHT:
            EXPECT_FLOAT_EQ(rec().PosX + rec().OuterBox.right, FIELD_RIGHT - 1.0f);
            EXPECT_FLOAT_EQ(rec().PosY + rec().OuterBox.top, FIELD_TOP);
            break;
        case ABOVE_MEMBER:
            EXPECT_FLOAT_EQ(cx, mx);
            EXPECT_FLOAT_EQ(cy, my - 13.0f - rec().Height / 2);
            break;
        case BELOW_MEMBER:
            // Below member 1 is off the field: it stays.
            EXPECT_EQ(rec().PosX, 300.0f);
            break;
        case BESIDE_MEMBER: {
            const bool side = std::fabs(std::fabs(cx - mx) - (18.0f + rec().Width / 2)) < 1e-3f && cy == my;
            const bool upDown = std::fabs(std::fabs(cy - my) - (13.0f + rec().Height / 2)) < 1e-3f && cx == mx;
            EXPECT_TRUE(side || upDown) << cx << "," << cy;
            break;
        }
        case BY_OTHER: {
            // Half its size from the other's centre, towards the field's centre.
            EXPECT_FLOAT_EQ(cx, otherX + rec().Width / 2);
            EXPECT_FLOAT_EQ(cy, otherY + rec().Height / 2);
            break;
        }
        case STAYS:
            EXPECT_EQ(rec().PosX, 300.0f);
            EXPECT_EQ(rec().PosY, 200.0f);
            break;
        }
        const bool failed = c.where == STAYS || c.where == BELOW_MEMBER;
        EXPECT_EQ((rec().FlagsA & FLAGS_A_MOVE_CHAIN_BLOCKED) != 0, failed);
        if (!failed) {
            EXPECT_EQ(effect.Popups().back().Kind(), POPUP_ACTION_RELEASE);
            if (c.enemyFacing >= 0) {
                EXPECT_EQ(Facing(), c.enemyFacing);
            }
        }
        Frames(64);
        EXPECT_EQ(rec().Alpha, 255);
        EXPECT_FALSE(rec().KindWord & KIND_WORD_SKIP_RECT);
        // Without a place the movement ends once the enemy is whole again.
        EXPECT_EQ((rec().FlagsA & FLAGS_A_MOVE_RUNNING) == 0, failed);
    }
}

TEST_F(EnemyMovePattern, AVanishShorterThanItsFadeComesBackWholeWhereItIs)
{
    EnemyMoveDef m = Move(31, 0.0f, 0, 16);
    m.Duration = 40;
    m.DurationExtra = 0;
    Walker(m);
    Frames(40);
    EXPECT_FALSE(rec().KindWord & KIND_WORD_SKIP_RECT);
    Frames(40);
    EXPECT_EQ(rec().Alpha, 255);
    EXPECT_EQ(rec().PosX, 300.0f);
}

TEST_F(EnemyMovePattern, VanishingActionsHideTheEnemyAndAreBlockedWithoutAPlace)
{
    struct Case {
        int type;
        int memberFacing;
        bool placed;
    };
    const Case cases[] = {{19, 1, true}, {20, 3, true}, {19, 3, false}, {17, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        OneEnemy([&](EnemyKind& k) {
            EnemyActionDef a = Act(c.type);
            a.Length = 200;
            a.Param = 6 | 16;
            a.MaxUses = 1;
            k.actions = {a};
        });
        MemberFaces(1, c.memberFacing);
        SeedGameRandom(4);
        Frames(1);
        EXPECT_TRUE(rec().FlagsA & FLAGS_A_SKIP_RECT) << "hidden while away";
        Frames(64);
        EXPECT_EQ(rec().PosX != 300.0f || rec().PosY != 200.0f, c.placed);
        EXPECT_EQ((rec().FlagsC & FLAGS_C_ACTION_CHAIN_BLOCKED) != 0, !c.placed);
        EXPECT_FALSE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
        Frames(64);
        EXPECT_EQ(rec().Alpha, 255);
        EXPECT_FALSE(rec().FlagsA & FLAGS_A_SKIP_RECT);
        EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
    }
    // An action shorter than the vanish does not leave the enemy faded.
    OneEnemy([&](EnemyKind& k) {
        EnemyActionDef a = Act(17);
        a.Length = 40;
        a.Param = 16;
        a.MaxUses = 1;
        k.actions = {a};
    });
    Frames(41);
    EXPECT_EQ(rec().Alpha, 255);
    EXPECT_FALSE(rec().FlagsA & FLAGS_A_SKIP_RECT);
}

TEST_F(EnemyMovePattern, OtherPatternedTypesAimStepAndLook)
{
    // 23 steps onto member 1, 43 away from it (rightwards when level with it), 24 towards its side.
    struct Case {
        int type;
        float dx, dy;
    };
    const Case cases[] = {{23, 0, 2}, {43, 2, -2}, {24, 2, 2}};
    for (const Case& c : cases) {
        Walker(Move(c.type, 2.0f, 0, 6), 100, 200);
        CentreAt(MemberCentreX(1) - (c.type == 24 ? 60 : 0), 250);
        const float x = rec().PosX, y = rec().PosY;
        Frames(1);
        EXPECT_FLOAT_EQ(rec().PosX - x, c.dx) << c.type;
        EXPECT_FLOAT_EQ(rec().PosY - y, c.dy) << c.type;
    }
    // 10 looks at the target member without stepping.
    Walker(Move(10, 2.0f, 0, 5));
    SetFacing(1);
    Frames(1);
    EXPECT_EQ(Facing(), 0) << "member 0 is more to the left than below";
    Walker(Move(10, 2.0f, 0, 6));
    SetFacing(1);
    Frames(1);
    EXPECT_EQ(Facing(), 3) << "member 1 is below";
    EXPECT_EQ(rec().PosX, 300.0f);
    // 21 aims once, then turns by Speed2 every period.
    EnemyMoveDef turning = Move(21, 1.0f, 4, 6);
    turning.Speed2 = 0.25f;
    Walker(turning);
    CentreAt(MemberCentreX(1), 250);
    Frames(1);
    EXPECT_NEAR(rec().Heading, 0.0f, 1e-5);
    Frames(4);
    EXPECT_NEAR(rec().Heading, 0.25f, 1e-5);
    // 41 leaves the heading to the kind; the neutral kind keeps the start heading (down).
    Walker(Move(41, 2.0f, 10));
    Frames(1);
    EXPECT_FLOAT_EQ(rec().PosY - 200.0f, 2.0f);
}

// 17 meets the top edge heading for member 1 above it: with a chance of 100
// (its period) it aims at the member again, clamped along the edge; with 0 it
// reflects off the edge. 16 draws a new heading away from the edges it meets.
TEST_F(EnemyMovePattern, EdgeWalksAimAgainByTheirChanceOrTurnAway)
{
    struct Case {
        int period;
        bool sideways;
    };
    const Case cases[] = {{100, true}, {0, false}};
    for (const Case& c : cases) {
        PlaceMember(1, 310, FIELD_TOP - 20);
        Walker(Move(17, 4.0f, c.period, 6));
        CentreAt(MemberCentreX(1), FIELD_TOP - rec().OuterBox.top + rec().Height / 2 + 1);
        Frames(1);
        EXPECT_EQ(rec().EdgeTurns, 1) << c.period;
        if (c.sideways)
            EXPECT_NEAR(std::fabs(rec().Heading), kPi / 2, 1e-5) << "aimed along the edge";
        else
            EXPECT_NEAR(rec().Heading, 0.0f, 1e-5) << "reflected straight down";
        EXPECT_GE(rec().PosY + rec().OuterBox.top, FIELD_TOP);
    }
    Walker(Move(16, 4.0f, 0));
    SeedGameRandom(17);
    Frames(400);
    EXPECT_GT(rec().EdgeTurns, 0);
    EXPECT_GE(rec().PosY + rec().OuterBox.top, FIELD_TOP);
    EXPECT_LE(rec().PosY + rec().OuterBox.bottom, FIELD_BOTTOM - 1.0f);
    EXPECT_GE(rec().PosX + rec().OuterBox.left, FIELD_LEFT);
    EXPECT_LE(rec().PosX + rec().OuterBox.right, FIELD_RIGHT - 1.0f);
}

// 35 heads for a member under the target mark at its second speed; without
// one the kind's heading (the neutral kind keeps it: down) at its first.
TEST_F(EnemyMovePattern, AMarkedMemberDrawsTheWalkAtItsSecondSpeed)
{
    EnemyMoveDef m = Move(35, 1.0f, 0);
    m.Speed2 = 3.0f;
    Walker(m);
    CentreAt(MemberCentreX(2), 250);
    const float y = rec().PosY;
    Frames(1);
    EXPECT_FLOAT_EQ(rec().PosY - y, 1.0f);
    ApplyHitStatusEffects(parts->party.members[2], EFFECT_SIDE_PARTY, 2, EFFECT_TARGETED, 0);
    Walker(m);
    CentreAt(MemberCentreX(2), 250);
    const float y2 = rec().PosY;
    Frames(1);
    EXPECT_NEAR(rec().Heading, 0.0f, 1e-5);
    EXPECT_FLOAT_EQ(rec().PosY - y2, 3.0f);
}

TEST_F(EnemyMovePattern, KindMovementsAreRunByTheKindAndOthersStandStill)
{
    // With a period every whole-frame kind movement starts walking within a
    // few frames, except the stalk, which first stands and faces its member.
    for (int type : {36, 37, 38, 46, 47, 49, 50, 51, 52}) {
        Walker(Move(type, 2.0f, 40));
        SceneTrace::Clear();
        Frames(3);
        const bool moved = rec().PosX != 300.0f || rec().PosY != 200.0f;
        EXPECT_EQ(moved, type != 52) << type;
        EXPECT_EQ(Noted("RunKindMovement(" + std::to_string(type) + ")"), 0) << type;
    }
    // A type no kind runs stays with the neutral default.
    Walker(Move(53));
    SceneTrace::Clear();
    Frames(1);
    EXPECT_EQ(rec().PosX, 300.0f);
    EXPECT_EQ(Noted("RunKindMovement(53)"), 1);
}

class EnemyStatusIcon : public EnemyMovePattern {
protected:
    void SetUp() override
    {
        EnemyMovePattern::SetUp();
        ResetRenderStateCaches();
        icons.texture = new fakes::FakeTexture(320, 16);
        parts->party.iconTexture = &icons;
    }
    void TearDown() override
    {
        parts->party.iconTexture = nullptr;
        EnemyMovePattern::TearDown();
    }
    CTexture icons;
};

TEST_F(EnemyStatusIcon, TheShownEffectsIconSitsOverTheStatusMarkerInTheEnemysAlpha)
{
    OneEnemy([](EnemyKind&) {}, 200.75f, 150.5f);
    device.draws.clear();
    DrawEnemyStatusIcon(0);
    EXPECT_TRUE(device.draws.empty()) << "no effect, no icon";

    ApplyHitStatusEffects(rec().Status, EFFECT_SIDE_ENEMY, 0, EFFECT_SLOW, 0);
    for (int i = 0; i < 4; ++i)
        parts->party.effectIconUV[EFFECT_SLOW][i] = 0.5f + 0.01f * static_cast<float>(i);
    rec().Alpha = 128;
    struct Case {
        bool movementMarker; // a shielded movement shows a second marker beside the status one
        int offsetIndex;
    };
    const Case cases[] = {{false, 0}, {true, 2}};
    for (const Case& c : cases) {
        group().UpdateEnemyMarkers();
        if (c.movementMarker) {
            group().MarkerFlags[0] |= 2;
            group().MarkerShape[0][0] = 1;
        }
        device.draws.clear();
        DrawEnemyStatusIcon(0);
        ASSERT_EQ(device.draws.size(), 1u);
        const fakes::DrawnPrimitive& quad = device.draws[0];
        EXPECT_EQ(quad.texture, icons.texture);
        EXPECT_EQ(quad.vertex[0].u, parts->party.effectIconUV[EFFECT_SLOW][0]);
        EXPECT_EQ(quad.vertex[0].x, 200.0f + rec().Width / 2 + group().MarkOffset[c.offsetIndex] - 0.5f);
        EXPECT_EQ(quad.vertex[0].y, 150.0f + rec().OuterBox.top - group().MarkSpacing[0] - 0.5f);
        EXPECT_EQ(quad.vertex[3].x - quad.vertex[0].x, 16.0f);
        EXPECT_FLOAT_EQ(quad.vertex[0].z, 0.1f - (150.5f + rec().OuterBox.bottom) / (480.0f * 128.0f));
        EXPECT_EQ(quad.vertex[0].colour, 0x80FFFFFFu);
    }
}

fakes::RecordingText* labelText = nullptr;

// The label of an effect that just took hold floats above the enemy's
// markers, centred on it, and goes when its mark has floated its time.
TEST_F(EnemyStatusIcon, AnEffectsLabelFloatsAboveTheMarkersAndGoesWithItsMark)
{
    fakes::RecordingText text;
    text.glyphWidth = 9;
    text.glyphHeight = 16;
    labelText = &text;
    world.Keep(CreateTextTextureProc, []() -> Zeph::CTextTexture* { return labelText; });
    pack.images[PACK_BATTLE_BURSTS] = {128, 128};
    pack.images[PACK_BATTLE_SPARKS] = {32, 16};
    effect.InitBattleEffect();
    OneEnemy([](EnemyKind&) {}, 200.75f, 150.5f);
    ApplyHitStatusEffects(rec().Status, EFFECT_SIDE_ENEMY, 0, EFFECT_SLOW, 0);
    group().UpdateEnemyMarkers(); // one marker: one row above the enemy
    text.drawn.clear();
    DrawEnemyEffects(0);
    ASSERT_EQ(text.drawn.size(), 1u);
    const fakes::DrawnText& label = text.drawn[0];
    EXPECT_EQ(label.text, EffectNames[EFFECT_SLOW]);
    const float width = 9.0f * static_cast<float>(label.text.size());
    EXPECT_FLOAT_EQ(label.x, 200.0f + rec().Width / 2 - width / 2);
    EXPECT_FLOAT_EQ(label.y, 150.0f + rec().OuterBox.top - 18.0f - 18.0f);
    EXPECT_FLOAT_EQ(label.z, 0.09f - (150.5f + rec().OuterBox.bottom) / (480.0f * 128.0f));

    // The mark ages each frame of the update and goes after its life.
    Frames(EFFECT_MARK_LIFE);
    EXPECT_EQ(MarkCount::Get(rec().Status.effectState), 0u);
    text.drawn.clear();
    DrawEnemyEffects(0);
    EXPECT_TRUE(text.drawn.empty());
    effect.ReleaseBattleEffect();
}

} // namespace
} // namespace enemytest
