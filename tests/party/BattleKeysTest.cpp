// The leader's buttons: attacks and skills, chaining while held, refusals,
// the menu, leader cycling and member 2's strike.
#include "PartyWorld.h"

namespace {

using partytest::Bit;
using partytest::PartyBattleTest;

class BattleKeysTest : public PartyBattleTest {};

TEST_F(BattleKeysTest, HeldAttackChainsEveryTwentyFramesUntilReleased)
{
    // Each blow starts with its sound (25).
    keys.pushedButtons = keys.heldButtons = Bit(0);
    Frame();
    EXPECT_EQ(Action(0), ACTION_ATTACK);
    EXPECT_EQ(Times(TakeSounds(), 25), 1);
    Frames(19);
    EXPECT_EQ(Times(TakeSounds(), 25), 0);
    Frame(); // frame 20 of the blow
    EXPECT_EQ(Times(TakeSounds(), 25), 1);
    Frames(40);
    EXPECT_EQ(Times(TakeSounds(), 25), 2);
    keys.heldButtons = 0;
    Frames(19);
    EXPECT_EQ(Action(0), ACTION_ATTACK);
    Frame();
    EXPECT_EQ(Action(0), ACTION_FREE);
    EXPECT_EQ(Times(TakeSounds(), 25), 0);
    EXPECT_EQ(party.st[0], 100) << "a blow uses no ST";
}

TEST_F(BattleKeysTest, HeldShotsStopWhenStRunsOut)
{
    SetLeader(1);
    party.st[1] = 45;
    keys.pushedButtons = keys.heldButtons = Bit(0);
    Frames(60);
    const std::vector<int> sounds = TakeSounds();
    EXPECT_EQ(Times(sounds, 26), 3) << "three shots of 15 ST, then a refused fourth";
    EXPECT_EQ(party.st[1], 0);
    EXPECT_EQ(Action(1), ACTION_FREE);
    EXPECT_EQ(Times(sounds, SE_REFUSE), 0) << "lack of ST is silent";
}

TEST_F(BattleKeysTest, SkillsAndTheirRefusals)
{
    struct Case {
        const char* name;
        int member;
        int button;
        bool shift;
        int sp;
        int st;
        int effect; // -1 none
        bool started;
        bool refusalSound;
    };
    const Case cases[] = {
        {"level 1", 0, 4, false, 20, 100, -1, true, false},
        {"level 2", 0, 5, false, 60, 100, -1, true, false},
        {"level 1 short of SP", 0, 4, false, 19, 100, -1, false, true},
        {"level 2 short of SP", 1, 5, false, 39, 100, -1, false, true},
        {"level 1 short of ST", 0, 4, false, 50, 9, -1, false, false},
        {"member 1 short of ST", 1, 4, false, 50, 14, -1, false, false},
        {"skill seal", 1, 4, false, 50, 100, EFFECT_SKILL_SEAL, false, true},
        {"stop", 0, 5, false, 60, 100, EFFECT_STOP, false, false}, // stopped: no key handler at all
        {"with button 10", 0, 4, true, 50, 100, -1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SetLeader(c.member);
        party.maxSp[c.member] = 60;
        party.sp[c.member] = static_cast<std::int16_t>(c.sp);
        party.st[c.member] = static_cast<std::int16_t>(c.st);
        if (c.effect >= 0)
            GiveEffect(c.member, c.effect);
        keys.pushedButtons = Bit(c.button);
        keys.heldButtons = c.shift ? Bit(10) : 0u;
        Frame();
        EXPECT_EQ(Action(c.member) == ACTION_ATTACK, c.started);
        const std::vector<int> sounds = TakeSounds();
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), SE_REFUSE) == 1, c.refusalSound);
        if (c.started) {
            EXPECT_EQ(AttackLevel::Get(party.members[c.member].state), c.button == 4 ? 1u : 2u);
        }
    }
}

TEST_F(BattleKeysTest, HeldSkillChainsAndStopsWithARefusalWhenSpRunsOut)
{
    party.sp[0] = 40;
    keys.pushedButtons = keys.heldButtons = Bit(4);
    Frames(41);
    const std::vector<int> sounds = TakeSounds();
    EXPECT_EQ(Times(sounds, 25), 2) << "20 SP each: two blows, then refused";
    EXPECT_EQ(party.sp[0], 0);
    EXPECT_EQ(Action(0), ACTION_FREE);
    EXPECT_EQ(Times(sounds, SE_REFUSE), 1);
}

TEST_F(BattleKeysTest, MenuButtonOpensTheMenuAndNothingElseRuns)
{
    keys.pushedButtons = Bit(2) | Bit(0);
    keys.Hold(8);
    EXPECT_FALSE(Frame());
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_MENU);
    EXPECT_EQ(Count("EnterBattleMenuState(0)"), 1);
    EXPECT_EQ(Action(0), ACTION_FREE);
    EXPECT_EQ(party.members[0].x, 464.0f);
}

TEST_F(BattleKeysTest, LeaderCyclesForwardAndBackWithItsMarker)
{
    struct Step {
        bool shift;
        int leader;
    };
    const Step steps[] = {{false, 1}, {false, 2}, {false, 0}, {true, 2}, {true, 1}};
    for (const Step& s : steps) {
        keys.pushedButtons = Bit(3);
        keys.heldButtons = s.shift ? Bit(10) : 0u;
        Frame();
        EXPECT_EQ(party.Leader(), s.leader);
        EXPECT_EQ(MarkedMember::Get(party.partyWordC), static_cast<std::uint32_t>(s.leader));
        EXPECT_EQ(TakeSounds(), std::vector<int>{SE_LEADER_CHANGE});
    }
    Frames(LEADER_MARKER_FRAMES - 2);
    EXPECT_TRUE(LeaderMarkerShown::IsSet(party.partyWordB));
    Frame();
    EXPECT_FALSE(LeaderMarkerShown::IsSet(party.partyWordB));
}

TEST_F(BattleKeysTest, NewLeaderTwoKeepsItsRunningAction)
{
    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    ChangeLeader(2, true);
    EXPECT_TRUE(KeepMagic::IsSet(party.partyWordC));
    ActionState::Set(party.members[2].state, ACTION_ATTACK);
    ChangeLeader(2, true);
    EXPECT_TRUE(KeepAttack::IsSet(party.partyWordC));
    // A direct change to a member that does not exist is refused.
    ChangeLeader(3, true);
    EXPECT_EQ(party.Leader(), 2);
}

TEST_F(BattleKeysTest, ThirdMemberStrikeRefusals)
{
    struct Case {
        int st;
        int effect;
        bool started;
        bool refusalSound;
    };
    const Case cases[] = {
        {60, -1, true, false},
        {59, -1, false, false},
        {100, EFFECT_BIND, false, true},
        {100, EFFECT_SKILL_SEAL, false, true},
    };
    for (const Case& c : cases) {
        SetUp();
        SetLeader(2);
        party.st[2] = static_cast<std::int16_t>(c.st);
        if (c.effect >= 0)
            GiveEffect(2, c.effect);
        keys.pushedButtons = Bit(1);
        Frame();
        EXPECT_EQ(Action(2) == ACTION_STRIKE, c.started) << c.st << " " << c.effect;
        const std::vector<int> sounds = TakeSounds();
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), SE_REFUSE) == 1, c.refusalSound) << c.st;
    }
}

TEST_F(BattleKeysTest, ButtonOneWithTenTogglesMagicOff)
{
    keys.pushedButtons = Bit(1);
    keys.heldButtons = Bit(10);
    Frame();
    EXPECT_TRUE(party.PartyFlag30());
    EXPECT_EQ(TakeSounds(), std::vector<int>{SE_MAGIC_OFF});
}

TEST_F(BattleKeysTest, ThirdMemberCastRunsItsTimeAndButtonOneCancelsIt)
{
    SetLeader(2);
    keys.pushedButtons = Bit(4);
    Frame();
    ASSERT_EQ(Action(2), ACTION_ATTACK);
    Frames(107);
    EXPECT_EQ(party.sp[2], 50) << "paid at the end";
    Frame();
    EXPECT_EQ(party.sp[2], 10) << "cast time 108";
    EXPECT_EQ(Action(2), ACTION_FREE);

    party.sp[2] = 50;
    keys.pushedButtons = Bit(4);
    Frame();
    keys.pushedButtons = Bit(1);
    keys.heldButtons = Bit(10);
    Frame();
    EXPECT_EQ(Action(2), ACTION_ATTACK) << "button 1 with 10 held does not cancel";
    GiveCircle(2);
    keys.pushedButtons = Bit(1);
    keys.heldButtons = 0;
    Frame();
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_FALSE(LiveCircle(2)) << "a circle under the cancelled cast fades";
}

} // namespace
