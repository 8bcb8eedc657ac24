// Members 0 and 1 on their own: the target and stand-off point they choose,
// the approach step, the crowd escape, the hit look-ahead and the attack they
// pick. Enemies are placed by hand; the contact queries compare their body
// and hurt boxes with the member's foot box (x + 3..29, y + 9..22).
#include "PartyWorld.h"
#include "fakes/FakeEnemyGroup.h"
#include "core/EnemyDefs.h"
#include "party/MemberThinking.h"
#include "party/PartyWords.h"

namespace {

using partytest::PartyBattleTest;

class MemberThinking : public PartyBattleTest {
protected:
    void SetUp() override
    {
        PartyBattleTest::SetUp();
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            StFullSinceAction::Set(party.members[m].flags2, 1);
        SetLeader(2);
    }

    // A 32 × 32 enemy at (x, y) whose shot box is its whole picture; its kind knocks back `knock` frames.
    EnemyRecord& Place(int slot, float x, float y, int knock = 0, int moveClass = 0)
    {
        EnemyRecord& record = placer.Place(slot, x, y);
        record.InnerBox = record.HitBox;
        kinds[slot] = EnemyKindDef{};
        kinds[slot].KnockbackFrames = knock;
        kinds[slot].MoveClass = moveClass;
        enemies.KindDefs[slot] = &kinds[slot];
        return record;
    }

    void PutMember(int member, float x, float y)
    {
        party.SetMemberPosX(member, x);
        party.SetMemberPosY(member, y);
    }

    BattleMember& Member(int member) { return party.members[member]; }

    fakes::FakeEnemyGroup placer{enemies};
    EnemyKindDef kinds[8]{};
};

TEST_F(MemberThinking, TheTargetSetsTheApproachSideMarginsAndVelocity)
{
    struct Case {
        float enemyX, enemyY;
        int side;
        float margin; // on the approach side
        float velX, velY;
    };
    // Member 0 at (100, 200); a 32-px enemy keeps 13 + 16 + 16 px horizontally, 7 + 16 + 16 (6 + 16 + 16) vertically.
    const Case cases[] = {
        {300, 200, 2, 45, 3, 0},    // far right: full speed
        {146, 200, 2, 45, 1, 0},    // one pixel short of the margin
        {130, 200, 2, 45, -3, 0},   // too near: backs off
        {-100, 190, 0, 45, -3, -3}, // far left; the other axis closes in too
        {110, 400, 3, 38, 3, 3},    // below: vertical
        {90, 90, 1, 39, -3, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.enemyX << "," << c.enemyY);
        PutMember(0, 100, 200);
        Place(0, c.enemyX, c.enemyY);
        TargetChosen::Clear(Member(0).flags);
        ChooseMemberTarget(0);
        EXPECT_EQ(static_cast<int>(ApproachSide::Get(Member(0).flags)), c.side);
        EXPECT_FLOAT_EQ(Member(0).standOff[c.side], c.margin);
        Member(0).velX = Member(0).velY = 0;
        StepMemberApproach(0, Member(0).centerX, Member(0).centerY, c.enemyX + 16, c.enemyY + 16);
        EXPECT_FLOAT_EQ(Member(0).velX, c.velX);
        EXPECT_FLOAT_EQ(Member(0).velY, c.velY);
    }
}

TEST_F(MemberThinking, ATargetIsKeptUntilItMoves16PixelsOrTheApproachGivesUp)
{
    PutMember(0, 100, 200);
    Place(0, 300, 200);
    Place(1, 400, 200);
    ChooseMemberTarget(0);
    ASSERT_EQ(TargetEnemy::Get(Member(0).flags), 0u);
    enemies.Records[0].PosX = 500; // now farther than slot 1, but it moved
    enemies.Records[0].PosX = 315;
    ChooseMemberTarget(0);
    EXPECT_EQ(Member(0).targetX, 300.0f) << "15 px: kept, snapshot untouched";
    enemies.Records[0].PosX = 316;
    ChooseMemberTarget(0);
    EXPECT_EQ(Member(0).targetX, 316.0f) << "16 px: chosen again";

    ApproachRetry::Set(Member(0).flags2, 3);
    ChooseMemberTarget(0);
    EXPECT_EQ(TargetEnemy::Get(Member(0).flags), 1u) << "after three fruitless tries the target is avoided";
    EXPECT_EQ(ApproachRetry::Get(Member(0).flags2), 0u);
}

TEST_F(MemberThinking, TheRetargetTimerChoosesOnceASecond)
{
    PutMember(0, 100, 200);
    Place(0, 300, 200);
    int choices = 0;
    for (int frame = 0; frame < 120; ++frame) {
        TargetChosen::Clear(Member(0).flags);
        TickMemberRetarget(0);
        choices += TargetChosen::IsSet(Member(0).flags) ? 1 : 0;
    }
    EXPECT_EQ(choices, 2);
}

TEST_F(MemberThinking, AMovingEnemyInTheWayPausesTheApproach16Frames)
{
    PutMember(0, 100, 200);
    Place(0, 300, 200);
    ChooseMemberTarget(0);
    EnemyRecord& walker = Place(1, 110, 200);
    walker.PrevX = 108;
    StepMemberApproach(0, Member(0).centerX, Member(0).centerY, 316, 216);
    EXPECT_EQ(ApproachPause::Get(Member(0).flags2), 16u);
    EXPECT_FALSE(ApproachActive::IsSet(Member(0).flags));
    EXPECT_EQ(Member(0).velX, 0.0f);
    for (int frame = 0; frame < 16; ++frame) {
        StepMemberApproach(0, Member(0).centerX, Member(0).centerY, 316, 216);
        EXPECT_FALSE(ApproachActive::IsSet(Member(0).flags));
    }
    walker.PosX = walker.PrevX = 600;
    StepMemberApproach(0, Member(0).centerX, Member(0).centerY, 316, 216);
    EXPECT_TRUE(ApproachActive::IsSet(Member(0).flags)) << "walks again after the pause";
    EXPECT_EQ(Member(0).velX, 3.0f);
}

TEST_F(MemberThinking, AStandingEnemyInTheWayIsWalkedAround)
{
    PutMember(0, 100, 200);
    Place(0, 300, 200);
    ChooseMemberTarget(0);
    Place(1, 141, 200); // still, within the foot box's margin after the next step only
    StepMemberApproach(0, Member(0).centerX, Member(0).centerY, 316, 216);
    EXPECT_EQ(Member(0).velX, 0.0f) << "the slide is free, so no step along";
    EXPECT_EQ(Member(0).velY, -3.0f) << "the target is not lower: slides up";
}

TEST_F(MemberThinking, AtTheStandOffPointTheApproachTurnsToTheOtherAxis)
{
    PutMember(0, 100, 200);
    Place(0, 145, 200); // exactly 45 px between centres
    ChooseMemberTarget(0);
    StepMemberApproach(0, Member(0).centerX, Member(0).centerY, 161, 216);
    EXPECT_FALSE(HorizontalApproach::IsSet(Member(0).flags));
    EXPECT_EQ(ApproachRetry::Get(Member(0).flags2), 1u);
}

TEST_F(MemberThinking, EdgesStopOnlyTheComponentThatWouldLeaveTheField)
{
    struct Case {
        float x, y, velX, velY, endX, endY;
    };
    const Case cases[] = {
        {0, 200, -2, 1, 0, 1},  {607, 200, 2, -1, 0, -1}, {300, 80, 1, -2, 1, 0},
        {300, 447, 1, 2, 1, 0}, {0, 80, 2, 2, 2, 2},      {1, 81, -2, -2, -2, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        PutMember(0, c.x, c.y);
        Member(0).velX = c.velX;
        Member(0).velY = c.velY;
        StopAtFieldEdge(0);
        EXPECT_EQ(Member(0).velX, c.endX);
        EXPECT_EQ(Member(0).velY, c.endY);
    }
}

TEST_F(MemberThinking, ACrowdedMemberBacksAwayAndGivesUpAfterItsLimit)
{
    const int limits[] = {45, 60, 60};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SCOPED_TRACE(m);
        PutMember(m, 300, 200);
        party.st[m] = 0;                         // too spent to strike its way out, so it backs away
        EnemyRecord& enemy = Place(0, 336, 200); // within member 0's 10 px beside its foot box
        EXPECT_EQ(CheckMemberCrowding(m), 1);
        EXPECT_TRUE(CrowdMode::IsSet(Member(m).flags));
        // A lone enemy leaves the whole circle free; the way out runs three eighths of a turn past it, up and left.
        EXPECT_LT(Member(m).velX, 0.0f) << "away from the enemy on its right";
        EXPECT_LT(Member(m).velY, 0.0f);
        EXPECT_NEAR(Member(m).velY, Member(m).velX, 1e-3);
        enemy.PosX = enemy.PrevX = 600; // gone far: the next re-aim finds no crowd
        int frames = 0;
        while (CheckMemberCrowding(m) != 0 && frames < 200)
            ++frames;
        EXPECT_FALSE(CrowdMode::IsSet(Member(m).flags));
        const int period[] = {8, 12, 16};
        EXPECT_EQ(frames, period[m] - 1 + limits[m]) << "the rest of the escape step, then the give-up count";
    }
}

TEST_F(MemberThinking, TheEscapeLeadsAwayFromTheEnemy)
{
    struct Case {
        float enemyX, enemyY;
        float signX, signY; // of the escape velocity
    };
    // A lone enemy: the way out runs three eighths of a turn on from it, never towards it.
    const Case cases[] = {{300, 230, 1, -1}, {300, 170, -1, 1}, {330, 200, -1, -1}, {270, 200, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.enemyX << "," << c.enemyY);
        CrowdMode::Clear(Member(1).flags);
        ActionGroupA::Set(Member(1).flags, 0); // no sides kept from the case before
        ActionGroupB::Set(Member(1).flags, 0);
        PutMember(1, 300, 200);
        party.st[1] = 0; // cannot strike its way out
        Place(0, c.enemyX, c.enemyY);
        ASSERT_EQ(CheckMemberCrowding(1), 1);
        EXPECT_NEAR(Member(1).velX * c.signX, 2.0f, 1e-3) << "diagonal, at member 1's walking pace";
        EXPECT_NEAR(Member(1).velY * c.signY, 2.0f, 1e-3);
        const float awayX = Member(1).centerX - (c.enemyX + 16.0f);
        const float awayY = Member(1).centerY - (c.enemyY + 16.0f);
        EXPECT_GT(Member(1).velX * awayX + Member(1).velY * awayY, 0.0f) << "moves away from the enemy";
    }
}

TEST_F(MemberThinking, TheShotLookAheadFollowsSideRangeAndPinning)
{
    struct Case {
        const char* what;
        int side;
        float memberX, enemyX, enemyY, prevX;
        int state, moveClass;
        bool hit;
    };
    // Member 1 stands at (300, 200) unless told.
    const Case cases[] = {
        {"level, ahead on the left", 0, 300, 100, 200, 100, ENEMY_NORMAL, 0, true},
        {"beside the line", 0, 300, 100, 300, 100, ENEMY_NORMAL, 0, false},
        {"behind", 0, 300, 400, 200, 400, ENEMY_NORMAL, 0, false},
        {"ahead on the right", 2, 300, 400, 200, 400, ENEMY_NORMAL, 0, true},
        {"beyond the shot's reach", 2, 0, 600, 200, 600, ENEMY_NORMAL, 0, false},
        {"fleeing into the edge, still class", 0, 300, 40, 200, 44, ENEMY_NORMAL, 0, true},
        {"fleeing into the edge, charging class", 0, 300, 40, 200, 44, ENEMY_NORMAL, 1, false},
        {"knocked back, ahead", 0, 300, 100, 200, 100, ENEMY_KNOCKBACK, 0, true},
        {"knocked back, behind", 0, 300, 400, 200, 400, ENEMY_KNOCKBACK, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutMember(1, c.memberX, 200);
        EnemyRecord& enemy = Place(0, c.enemyX, c.enemyY, 0, c.moveClass);
        enemy.PrevX = c.prevX;
        enemy.State = c.state;
        const bool hit =
            c.side == 0 ? PredictShotHitLeft(0, 0.0f, c.moveClass) : PredictShotHitRight(0, 0.0f, c.moveClass);
        EXPECT_EQ(hit, c.hit);
    }
    PutMember(1, 300, 300);
    Place(0, 300, 100);
    EXPECT_TRUE(PredictShotHitUp(0, 0.0f, 0));
    EXPECT_FALSE(PredictShotHitDown(0, 0.0f, 0));
    Place(0, 300, 450);
    EXPECT_TRUE(PredictShotHitDown(0, 0.0f, 0));
    Place(0, 380, 450);
    EXPECT_FALSE(PredictShotHitDown(0, 0.0f, 0)) << "beside the line";
}

TEST_F(MemberThinking, AKnockedBackEnemyReachesTheMemberOnlyWithinTheFrames)
{
    PutMember(0, 300, 200);
    Place(0, 325, 200); // its body overlaps the member's foot box (which ends at x + 29)
    EXPECT_TRUE(WouldEnemyReachMember(0, 0, 20, 2));
    Place(0, 325, 200, 25);
    EXPECT_FALSE(WouldEnemyReachMember(0, 0, 20, 2)) << "the knock-back outlasts the look-ahead";
    Place(0, 325, 200, 10);
    EXPECT_FALSE(WouldEnemyReachMember(0, 0, 20, 2)) << "knocked 10 frames away and standing still";
    EnemyRecord& charger = Place(0, 325, 200, 10);
    charger.PrevX = 330; // knocked 23 px away, runs back at 5 px a frame
    EXPECT_TRUE(WouldEnemyReachMember(0, 0, 20, 2));
}

TEST_F(MemberThinking, MemberZerosStrikeRatingPicksItsBlow)
{
    PutMember(0, 300, 200);
    ChooseMemberTarget(0);
    Place(0, 500, 200);
    ChooseMemberTarget(0);
    EXPECT_EQ(GetMember0StrikeRating(), 0) << "out of the blow's box";

    Place(0, 325, 200, 25); // touching the member's foot box
    EXPECT_EQ(GetMember0StrikeRating(), 1) << "knocked out of reach: a plain blow is safe";

    Place(0, 325, 200, 0);
    party.memberOptions[0][1] = 1;
    EXPECT_EQ(GetMember0StrikeRating(), 2) << "it would strike back: the skill";
    party.memberOptions[0][1] = 0;
    EXPECT_EQ(GetMember0StrikeRating(), 0) << "the skill is not allowed";
    party.memberOptions[0][1] = 1;
    party.sp[0] = 19;
    EXPECT_EQ(GetMember0StrikeRating(), 0) << "too little SP";
    party.sp[0] = 50;
    enemies.Records[0].Status.effectBits |= 1u << EFFECT_PIERCE;
    EXPECT_EQ(GetMember0StrikeRating(), 0) << "a pierced, standing target";

    enemies.Records[0].Status.effectBits = 0;
    enemies.Records[0].SeenBy[0] = 1;
    EXPECT_TRUE(ChooseMember0Attack());
    EXPECT_EQ(AttackLevel::Get(Member(0).state), 1u);
}

TEST_F(MemberThinking, MemberOneKeepsItsStrongestShotForLowHp)
{
    struct Case {
        int hp;
        bool level1, level2;
        std::uint32_t level;
    };
    const Case cases[] = {
        {50, true, true, 2},   {84, false, true, 2}, {85, true, true, 1}, {100, true, true, 1},
        {100, false, true, 0}, {50, true, false, 0}, // below 85 % without level 2: the ailment rule says no
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.hp << " " << c.level1 << c.level2);
        party.hp[1] = c.hp;
        party.sp[1] = 50;
        party.st[1] = 100;
        party.memberOptions[1][1] = c.level1 ? 1 : 0;
        party.memberOptions[1][2] = c.level2 ? 1 : 0;
        ActionState::Set(Member(1).state, ACTION_FREE);
        StFullSinceAction::Set(Member(1).flags2, 1);
        PutMember(1, 300, 200);
        Place(0, 100, 200, 20).SeenBy[1] = 1;
        TargetChosen::Clear(Member(1).flags);
        ChooseMemberTarget(1);
        ASSERT_TRUE(ChooseMember1Attack());
        EXPECT_EQ(AttackLevel::Get(Member(1).state), c.level);
        shots.ClearCharaShots();
    }
}

TEST_F(MemberThinking, TheAilmentRuleWantsOpenAilmentsOrARareChance)
{
    party.hp[1] = 100;
    party.memberOptions[1][1] = 1;
    const auto level = [this](std::uint32_t immune) {
        ActionState::Set(Member(1).state, ACTION_FREE);
        party.sp[1] = 50;
        party.st[1] = 100;
        StFullSinceAction::Set(Member(1).flags2, 1);
        PutMember(1, 300, 200);
        EnemyRecord& enemy = Place(0, 100, 200, 20);
        enemy.SeenBy[1] = 1;
        enemy.ImmunityMask = immune;
        TargetChosen::Clear(Member(1).flags);
        ChooseMemberTarget(1);
        EXPECT_TRUE(ChooseMember1Attack());
        shots.ClearCharaShots();
        return AttackLevel::Get(Member(1).state);
    };
    EXPECT_EQ(level(0x1Fu << 5), 1u) << "seven open";
    constexpr std::uint32_t kSixOpen = (0x3Fu << 5) | (1u << 16);
    // Six open with 15 among them: one chance in 64 (draws: the target coin, then the rule).
    SeedGameRandom(partytest::SeedDrawing({partytest::Within(0, 32768), partytest::Within(0, 512)}));
    EXPECT_EQ(level(kSixOpen), 1u);
    SeedGameRandom(partytest::SeedDrawing({partytest::Within(0, 32768), partytest::Within(512, 32768)}));
    EXPECT_EQ(level(kSixOpen), 0u);
    EXPECT_EQ(level(0x1FFFu << 5), 0u) << "nothing open";
}

TEST_F(MemberThinking, OnTheirOwnMembersWalkInAndStrike)
{
    PutMember(0, 100, 200);
    PutMember(1, 100, 400);
    Place(0, 300, 200);
    for (int frame = 0; frame < 120 && Action(0) == ACTION_FREE; ++frame)
        Frame();
    EXPECT_EQ(Action(0), ACTION_ATTACK) << "member 0 walked up and struck";
    EXPECT_LE(Member(0).x + 32.0f, 300.0f) << "from in front, as soon as its blow reaches";
    EXPECT_EQ(Member(0).FacingDirection(), 2);
    EXPECT_EQ(Action(1), ACTION_FREE) << "member 1 is not in line with the enemy";
}

} // namespace

namespace {

TEST_F(MemberThinking, ShotBoxesLengthenTowardsTheirSideAndRefuseUnknownSides)
{
    PutMember(1, 100, 200);
    MemberBox box{1, 2, 3, 4};
    EXPECT_EQ(GetMemberAttackBoxEx(box, 4, 50.0f), 12);
    EXPECT_EQ(box.left, 1.0f) << "an unknown side leaves the box untouched";
    EXPECT_EQ(GetMemberAttackBoxEx(box, 0, 50.0f), 0);
    // Row 4 around (100 - 16, 200): 88..97 × 211..220, 50 px further left, 2 px thinner across.
    EXPECT_EQ(box.left, 38.0f);
    EXPECT_EQ(box.right, 97.0f);
    EXPECT_EQ(box.top, 213.0f);
    EXPECT_EQ(box.bottom, 218.0f);
    EXPECT_EQ(GetMemberAttackBoxEx(box, 3, 10.0f), 0);
    EXPECT_EQ(box.bottom, 200.0f + 16.0f + 28.0f + 10.0f);
    EXPECT_EQ(box.left, 100.0f + 11.0f + 2.0f);
    const MemberBox blow = GetMemberAttackBox(0, 2);
    EXPECT_EQ(blow.left, party.members[0].x + 32.0f);
}

} // namespace
