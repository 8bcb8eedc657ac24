// Attack starts and their costs, the strike across the field, magic starts
// and heals.
#include <algorithm>
#include <string>

#include "PartyWorld.h"
#include "party/BattleOutcome.h"
#include "party/MagicExecution.h"
#include "party/MemberAttacks.h"
#include "party/ThirdMember.h"
#include "record/UseRuleTables.h"

namespace {

using partytest::PartyBattleTest;

class MemberAttacks : public PartyBattleTest {};

TEST_F(MemberAttacks, StartsCheckPayAndLaunch)
{
    struct Case {
        const char* name;
        int member;
        int level;
        int sp, st;
        int effect;
        bool started;
        int spAfter, stAfter;
        std::uint32_t shotKind;
    };
    const Case cases[] = {
        {"blow", 0, 0, 0, 10, -1, true, 0, 10, SHOT_ATTACHED},
        {"blow short of ST", 0, 0, 50, 9, -1, false, 50, 9, 0},
        {"blow level 1", 0, 1, 20, 10, -1, true, 0, 10, SHOT_ATTACHED},
        {"blow level 2", 0, 2, 60, 10, -1, true, 0, 10, SHOT_ATTACHED},
        {"blow level 2 short of SP", 0, 2, 59, 100, -1, false, 59, 100, 0},
        {"blow level 1 sealed", 0, 1, 50, 100, EFFECT_SKILL_SEAL, false, 50, 100, 0},
        {"blow level 0 sealed", 0, 0, 50, 100, EFFECT_SKILL_SEAL, true, 50, 100, SHOT_ATTACHED},
        {"shot", 1, 0, 0, 15, -1, true, 0, 0, SHOT_STRAIGHT},
        {"shot short of ST", 1, 0, 0, 14, -1, false, 0, 14, 0},
        {"shot level 1", 1, 1, 20, 100, -1, true, 0, 85, SHOT_STRAIGHT},
        {"shot level 2", 1, 2, 40, 100, -1, true, 0, 85, SHOT_STRAIGHT},
        {"shot level 1 stopped", 1, 1, 40, 100, EFFECT_STOP, false, 40, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        shots.ClearCharaShots();
        party.maxSp[c.member] = 60;
        party.sp[c.member] = static_cast<std::int16_t>(c.sp);
        party.st[c.member] = static_cast<std::int16_t>(c.st);
        if (c.effect >= 0)
            GiveEffect(c.member, c.effect);
        const bool started =
            c.member == 0 ? StartMemberAttack(0, c.level, FACING_UP) : StartMember1Attack(1, c.level, FACING_UP);
        EXPECT_EQ(started, c.started);
        EXPECT_EQ(party.sp[c.member], c.spAfter);
        EXPECT_EQ(party.st[c.member], c.stAfter);
        ASSERT_EQ(shots.head != nullptr, c.started);
        if (!c.started)
            continue;
        const CharaShotNode& shot = *shots.head;
        EXPECT_EQ(Action(c.member), ACTION_ATTACK);
        EXPECT_EQ(party.members[c.member].FacingDirection(), FACING_UP);
        EXPECT_EQ(shot.Kind(), c.shotKind);
        EXPECT_EQ(shot.y, party.members[c.member].y - (c.member == 0 ? 32.0f : 16.0f));
        EXPECT_EQ(shot.Subtype(), c.level);
        EXPECT_EQ(ShotKnockback::Get(shot.shotBits), c.member == 0 && c.level == 1 ? 2u : 0u);
    }
}

// A shot carries its maker's special code only while the code's condition
// holds: 15 an ailment, 20 full HP, 21 HP below a quarter, 35 no hit taken.
TEST_F(MemberAttacks, EveryNewShotCarriesTheSpecialCodeOnlyUnderItsCondition)
{
    struct Case {
        int code;
        int hp;
        bool ailing, hit;
        int carried;
    };
    const Case cases[] = {
        {15, 100, true, false, 15},  {15, 100, false, false, 0}, {20, 100, false, false, 20},
        {20, 99, false, false, 0},   {21, 24, false, false, 21}, {21, 25, false, false, 0},
        {35, 100, false, false, 35}, {35, 100, false, true, 0},  {34, 1, true, true, 34},
    };
    // The four makers of shots: member 0's blow, member 1's shot, member 2's
    // level-0 attack and its magic.
    const struct {
        const char* name;
        int member;
        bool (*fire)();
    } makers[] = {
        {"blow", 0, [] { return StartMemberAttack(0, 0, FACING_LEFT); }},
        {"shot", 1, [] { return StartMember1Attack(1, 0, FACING_LEFT); }},
        {"attack", 2,
         [] {
             if (!StartThirdMemberAttack(0, true, false, 0))
                 return false;
             CompleteThirdMemberAttack(0);
             return true;
         }},
        {"magic", 2,
         [] {
             TheCharacter->stockMax[MagicStock(4)] = TheCharacter->stock[MagicStock(4)] = 100;
             return ExecuteMemberMagic(4);
         }},
    };
    for (const auto& maker : makers) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << maker.name << ", code " << c.code << ", " << c.hp << " HP");
            SetUp();
            shots.ClearCharaShots();
            const int m = maker.member;
            party.specialCode[m] = static_cast<std::uint8_t>(c.code);
            party.hp[m] = c.hp;
            party.members[m].effectBits = c.ailing ? 1u << EFFECT_SLOW : 0u;
            DamagedByHit::Set(party.members[m].flags2, c.hit ? 1u : 0u);
            ASSERT_TRUE(maker.fire());
            ASSERT_NE(shots.head, nullptr);
            EXPECT_EQ(static_cast<int>(ShotSpecialCode::Get(shots.head->specialBits)), c.carried);
        }
    }
}

TEST_F(MemberAttacks, StrikeLandsInTheFarCorner)
{
    struct Case {
        float centreX, centreY;
        float endX, endY;
    };
    const Case cases[] = {{320, 280, 4, 84}, {319, 280, 604, 84}, {500, 279, 4, 444}, {100, 100, 604, 444}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.centreX << "," << c.centreY);
        SetUp();
        party.SetMemberPosX(2, c.centreX - 16);
        party.SetMemberPosY(2, c.centreY - 16);
        ASSERT_TRUE(StartMemberStrike(2));
        for (int frame = 1; frame <= 64; ++frame) {
            UpdateMemberStrike(2);
            EXPECT_TRUE(Invincible::IsSet(party.members[2].state));
        }
        EXPECT_EQ(party.members[2].x, c.endX);
        EXPECT_EQ(party.members[2].y, c.endY);
        EXPECT_EQ(party.members[2].alpha, 0);
    }
}

// Through the party's frames the striker stays invincible from the first
// frame of its strike to the last.
TEST_F(MemberAttacks, TheStrikerIsInvincibleForTheWholeStrike)
{
    SetLeader(2);
    keys.PushButton(BUTTON_STRIKE);
    Frame();
    ASSERT_EQ(Action(2), ACTION_STRIKE);
    for (int frame = 2; Action(2) == ACTION_STRIKE; ++frame) {
        ASSERT_LE(frame, 130);
        EXPECT_TRUE(Invincible::IsSet(party.members[2].state)) << frame;
        Frame();
    }
    EXPECT_FALSE(Invincible::IsSet(party.members[2].state));
}

// An order given while member 2 strikes starts when the strike ends.
TEST_F(MemberAttacks, AnOrderHeldThroughTheStrikeStartsAtItsEnd)
{
    ASSERT_TRUE(StartMemberStrike(2));
    ASSERT_EQ(OrderThirdMemberSkill(0), 1);
    for (int frame = 0; frame < 127; ++frame)
        UpdateMemberStrike(2);
    EXPECT_EQ(Action(2), ACTION_STRIKE);
    UpdateMemberStrike(2);
    EXPECT_EQ(Action(2), ACTION_ATTACK);
    EXPECT_EQ(AttackLevel::Get(party.members[2].state), 0u);
}

TEST_F(MemberAttacks, StrikeFadesOutAndBackOver128Frames)
{
    ASSERT_TRUE(StartMemberStrike(2));
    EXPECT_EQ(party.st[2], 40);
    EXPECT_EQ(Popups(POPUP_ACTION_START), 1);
    const struct {
        int frames;
        int alpha;
    } checkpoints[] = {{1, 251}, {63, 3}, {64, 0}, {65, 4}, {127, 252}};
    int done = 0;
    for (const auto& point : checkpoints) {
        for (; done < point.frames; ++done)
            UpdateMemberStrike(2);
        EXPECT_EQ(party.members[2].alpha, point.alpha) << point.frames;
        EXPECT_EQ(Action(2), ACTION_STRIKE);
    }
    UpdateMemberStrike(2);
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_EQ(party.members[2].alpha, 255);
    EXPECT_FALSE(Invincible::IsSet(party.members[2].state));
    EXPECT_EQ(Popups(POPUP_ACTION_RELEASE), 1);
}

// A heal gives at least 1 HP and never more than is missing; the popup shows what it gave.
TEST_F(MemberAttacks, AHealGivesAtLeastOneAndAtMostWhatIsMissing)
{
    const struct {
        int hp, percent;
        const char16_t* shown;
        int after;
    } cases[] = {{10, 1, u"1", 11}, {90, 80, u"10", 100}, {20, 50, u"50", 70}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        SetUp();
        party.hp[1] = c.hp;
        HealMemberPercent(1, c.percent, false, true);
        EXPECT_EQ(party.hp[1], c.after);
        ASSERT_EQ(Popups(POPUP_HEAL), 1);
        const auto heal = std::find_if(effect.Popups().begin(), effect.Popups().end(),
                                       [](const DamagePopup& p) { return p.Kind() == POPUP_HEAL; });
        EXPECT_EQ(std::u16string(heal->text), c.shown);
    }
}

// Member 2 keeps a magic it was ordered to cast or casts as the leader; one
// it chose by itself is kept only while still worth it. Every cast shows its circle.
TEST_F(MemberAttacks, AMagicIsKeptWhenOrderedOrLedAndShowsItsCircle)
{
    const struct {
        bool ordered, led, kept;
    } cases[] = {{false, false, false}, {true, false, true}, {false, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.ordered << c.led);
        SetUp();
        if (c.led)
            SetLeader(2);
        KeepMagic::Set(party.partyWordC, c.kept ? 0u : 1u);
        ASSERT_TRUE(StartMemberMagic(2, 0, c.ordered, 0, 0, -1));
        EXPECT_EQ(KeepMagic::IsSet(party.partyWordC), c.kept);
        EXPECT_TRUE(LiveCircle(2));
    }
}

// A heal given a target keeps it, member 0 included.
TEST_F(MemberAttacks, AHealGivenATargetKeepsIt)
{
    party.hp[1] = 10; // the one the heal would choose by itself
    for (int target = 0; target < PARTY_MEMBER_COUNT; ++target) {
        ASSERT_TRUE(StartMemberMagic(2, 16, true, 0, 0, target));
        EXPECT_EQ(MagicTarget::Get(party.members[2].state), static_cast<std::uint32_t>(target));
    }
    ASSERT_TRUE(StartMemberMagic(2, 16, true, 0, 0, -1));
    EXPECT_EQ(MagicTarget::Get(party.members[2].state), 1u);
}

TEST_F(MemberAttacks, MagicStartTimeTargetAndRefusals)
{
    struct Case {
        int magic;
        bool quick;
        int magicTime;
    };
    for (const Case c : {Case{15, true, 48}, Case{8, true, 48}, Case{0, false, 120}, Case{23, false, 480}}) {
        SetUp();
        QuickMagic::Set(party.members[2].flags2, c.quick ? 1u : 0u);
        ASSERT_TRUE(StartMemberMagic(2, c.magic, false, 0, 0, -1));
        EXPECT_EQ(party.members[2].magicTime, c.magicTime) << c.magic;
        EXPECT_FALSE(QuickMagic::IsSet(party.members[2].flags2));
    }
    // The revive takes the first member down, else the heal choice.
    SetUp();
    KnockedOut::Set(party.members[1].state, 1);
    ASSERT_TRUE(StartMemberMagic(2, 19, false, 0, 0, -1));
    EXPECT_EQ(MagicTarget::Get(party.members[2].state), 1u);
    SetUp();
    party.hp[1] = 40;
    ASSERT_TRUE(StartMemberMagic(2, 19, true, 0, 0, -1));
    EXPECT_EQ(MagicTarget::Get(party.members[2].state), 1u) << "nobody down: the heal choice";
    EXPECT_TRUE(KeepMagic::IsSet(party.partyWordC)) << "ordered";
    SetUp();
    ASSERT_TRUE(StartMemberMagic(2, 16, false, 0, 0, 2));
    EXPECT_EQ(MagicTarget::Get(party.members[2].state), 2u);
    for (int seal : {EFFECT_MAGIC_SEAL, EFFECT_STOP}) {
        SetUp();
        GiveEffect(2, seal);
        EXPECT_FALSE(StartMemberMagic(2, 0, true, 0, 0, -1));
        EXPECT_EQ(Action(2), ACTION_FREE);
    }
}

TEST_F(MemberAttacks, HealsAndRevives)
{
    HealMemberPercent(0, 80, false, true);
    EXPECT_EQ(party.hp[0], 100);
    EXPECT_EQ(TakeSounds(), std::vector<int>{8}) << "a full member still hears the heal";
    EXPECT_EQ(Popups(POPUP_HEAL), 1);

    party.hp[1] = 10;
    HealMemberPercent(1, 60, false, false);
    EXPECT_EQ(party.hp[1], 70);

    // A knocked-out target without revive: the first other member up is healed.
    party.hp[0] = 50;
    party.hp[2] = 0;
    KnockedOut::Set(party.members[2].state, 1);
    HealMemberPercent(2, 10, false, false);
    EXPECT_EQ(party.hp[2], 0);
    EXPECT_EQ(party.hp[0], 60);

    HealMemberPercent(2, 75, true, true);
    EXPECT_EQ(party.hp[2], 75);
    EXPECT_FALSE(party.IsKnockedOut(2));
    EXPECT_EQ(party.members[2].invincibleFrames, 120);
    EXPECT_TRUE(JustRevived::IsSet(party.members[2].state));
    EXPECT_EQ(Action(2), ACTION_FREE);
}

TEST_F(MemberAttacks, SkillSealStopsSkillsOfMembersZeroAndTwoOnly)
{
    struct Case {
        int member;
        int level;
        bool stopped;
    };
    for (const Case c : {Case{0, 1, true}, Case{0, 0, false}, Case{1, 2, false}, Case{2, 2, true}}) {
        ActionState::Set(party.members[c.member].state, ACTION_ATTACK);
        AttackLevel::Set(party.members[c.member].state, static_cast<std::uint32_t>(c.level));
        CancelSealedAttack(c.member);
        EXPECT_EQ(Action(c.member) == ACTION_FREE, c.stopped) << c.member << " level " << c.level;
    }
}

} // namespace
