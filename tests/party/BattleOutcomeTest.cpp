// The end of a battle for the party: falling and what follows by battle
// kind, victory, the reset at the battle end, the rewards shared out and
// poured in, and the battle menu's orders to member 2.
#include "PartyWorld.h"
#include "battle/BattleEnd.h"
#include "battle/GameOverEffect.h"
#include "core/SceneState.h"
#include "fakes/RecordingPlayBGM.h"
#include "party/BattleOutcome.h"
#include "party/HitCombo.h"
#include "party/StatusEffects.h"

namespace {

using partytest::PartyBattleTest;

class BattleOutcome : public PartyBattleTest {
protected:
    void SetUp() override
    {
        PartyBattleTest::SetUp();
        TheGameOverEffect = &gameOver;
        TheBattleEnd = &battleEnd;
        ThePlayBGM = &music;
        music.calls.clear();
        SceneState = SCENE_BATTLE;
    }

    void KnockOut(int member) { KnockedOut::Set(party.members[member].state, 1); }

    void SetLevel(int member, int level, int exp)
    {
        party.level[member] = static_cast<std::int16_t>(level);
        party.exp[member] = static_cast<std::int16_t>(exp);
    }

    std::vector<std::int32_t> Pending() const
    {
        return {party.pendingExp[0], party.pendingExp[1], party.pendingExp[2]};
    }

    CGameOverEffect gameOver{};
    CBattleEnd battleEnd{};
    fakes::RecordingPlayBGM music;
};

TEST_F(BattleOutcome, TheFallenPartyHandsOverAfter180FramesByBattleKind)
{
    struct Case {
        int kind;
        const char* handOver;
        std::int32_t scene;
        int offerRetry;
    };
    // Kind 3 has no defeat of its own and ends as a game over.
    const Case cases[] = {
        {0, "StartGameOver", SCENE_GAME_OVER, 0},
        {1, "BeginBattleEnd(1)", SCENE_BATTLE_END, 0},
        {2, "StartGameOver", SCENE_GAME_OVER, 1},
        {3, "StartGameOver", SCENE_GAME_OVER, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        SetUp();
        BattleKind::Set(party.partyWordD, static_cast<std::uint32_t>(c.kind));
        for (int standing = 0; standing < PARTY_MEMBER_COUNT; ++standing) {
            for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
                KnockedOut::Set(party.members[m].state, m == standing ? 0u : 1u);
            CheckPartyDown();
            EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_ACTION) << "member " << standing << " still stands";
        }
        KnockOut(0);
        KnockOut(1);
        KnockOut(2);
        party.downCountdown = 77;
        CheckPartyDown();
        EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_DEFEAT);
        EXPECT_EQ(party.downCountdown, 0);
        for (int frame = 1; frame < PARTY_DOWN_FRAMES; ++frame)
            ASSERT_TRUE(PartyDownWaitTick()) << frame;
        EXPECT_EQ(Count(c.handOver), 0);
        EXPECT_FALSE(PartyDownWaitTick());
        EXPECT_EQ(Count(c.handOver), 1);
        EXPECT_EQ(SceneState, c.scene);
        if (c.scene == SCENE_GAME_OVER) {
            EXPECT_EQ(gameOver.offerRetry, c.offerRetry) << "only a battle that may be retried offers it";
        }
        EXPECT_FALSE(PartyDownWaitTick());
        EXPECT_EQ(Count(c.handOver), 1) << "handed over once";
    }
}

TEST_F(BattleOutcome, PartyTimersRunWhileThePartyStandsStill)
{
    LeaderMarkerShown::Set(party.partyWordB, 1);
    ItemReadyShown::Set(party.partyWordC, 1);
    GaugeEvent::Set(party.members[1].flags, 1);
    FramesSinceHit::Set(party.partyWordA, 0);
    ApplyHitStatusEffects(party.members[0], EFFECT_SIDE_PARTY, 0, EFFECT_HARDENING, 0);
    for (int frame = 0; frame < 47; ++frame)
        TickPartyTimers();
    EXPECT_TRUE(LeaderMarkerShown::IsSet(party.partyWordB));
    EXPECT_TRUE(ItemReadyShown::IsSet(party.partyWordC));
    EXPECT_TRUE(GaugeEvent::IsSet(party.members[1].flags));
    EXPECT_EQ(MarkCount::Get(party.members[0].effectState), 1u);
    TickPartyTimers();
    EXPECT_FALSE(LeaderMarkerShown::IsSet(party.partyWordB));
    EXPECT_FALSE(ItemReadyShown::IsSet(party.partyWordC));
    EXPECT_FALSE(GaugeEvent::IsSet(party.members[1].flags));
    EXPECT_EQ(MarkCount::Get(party.members[0].effectState), 0u);
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 48u);
    EXPECT_EQ(party.members[0].effectTicks[EFFECT_HARDENING], 48);
}

TEST_F(BattleOutcome, VictoryInterruptsMemberTwosCastAndFadesTheMusicWhenItSwitches)
{
    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    DeferredOrderFirst::Set(party.partyWordD, 1);
    PendingOrderKind::Set(party.partyWordC, 1);
    FramesSinceHit::Set(party.partyWordA, 5);
    party.SetMusicSwitch(true);
    BeginPartyPhase4();
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_VICTORY);
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_FALSE(DeferredOrderFirst::IsSet(party.partyWordD));
    EXPECT_FALSE(PendingOrderKind::IsSet(party.partyWordC));
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 32u);
    ASSERT_EQ(music.calls.size(), 1u);
    EXPECT_EQ(music.calls[0].what, "FadeOut(1,2000)");

    SetUp();
    party.SetMusicSwitch(false);
    ActionState::Set(party.members[1].state, ACTION_ATTACK);
    FramesSinceHit::Set(party.partyWordA, 100);
    BeginPartyPhase4();
    EXPECT_EQ(Action(1), ACTION_ATTACK) << "only member 2 is stopped";

    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 100u);
    EXPECT_TRUE(music.calls.empty());
    // Member 2's strike or knock-back plays on: only attacks and magic stop.
    for (const std::uint32_t running : {ACTION_STRIKE, ACTION_HIT_STUN}) {
        SetUp();
        ActionState::Set(party.members[2].state, running);
        BeginPartyPhase4();
        EXPECT_EQ(Action(2), running);
    }
}

TEST_F(BattleOutcome, InVictoryMembersMoveWithinTheFieldAndEffectsRunOn)
{
    BeginPartyPhase4();
    party.SetMemberPosX(1, 700.0f);
    party.SetMemberPosY(1, 20.0f);
    ApplyHitStatusEffects(party.members[1], EFFECT_SIDE_PARTY, 1, EFFECT_POISON, 0);
    UpdatePartyVictory();
    EXPECT_EQ(party.members[1].x, MEMBER_MAX_X);
    EXPECT_EQ(party.members[1].y, MEMBER_MIN_Y);
    EXPECT_EQ(party.members[1].prevX, 700.0f);
    EXPECT_EQ(party.members[1].effectTicks[EFFECT_POISON], 1);
}

// The win wait only lets running actions play out: a button pushed on the
// killing frame starts nothing afterwards, nor does member 2's own thinking.
TEST_F(BattleOutcome, InVictoryNobodyStartsAnythingWhateverWasPushedLast)
{
    const int buttons[] = {BUTTON_ATTACK, BUTTON_STRIKE, BUTTON_SKILL1, BUTTON_SKILL2};
    for (int leader = 0; leader < PARTY_MEMBER_COUNT; ++leader) {
        for (const int button : buttons) {
            SCOPED_TRACE(::testing::Message() << "leader " << leader << ", button " << button);
            SetUp();
            SetLeader(leader);
            for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
                party.memberOptions[m][1] = party.memberOptions[m][2] = 1;
            // The killing frame: the push is read, then the last enemy falls.
            keys.PushButton(button);
            Frame();
            BeginPartyPhase4();
            std::int16_t sp[PARTY_MEMBER_COUNT], st[PARTY_MEMBER_COUNT];
            std::uint32_t action[PARTY_MEMBER_COUNT];
            for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
                sp[m] = party.sp[m];
                st[m] = party.st[m];
                action[m] = Action(m);
            }
            for (int frame = 1; frame <= 200; ++frame) {
                UpdatePartyVictory();
                for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
                    ASSERT_TRUE(Action(m) == ACTION_FREE || Action(m) == action[m])
                        << "member " << m << " started action " << Action(m) << " on frame " << frame;
                    action[m] = Action(m);
                    ASSERT_EQ(party.sp[m], sp[m]) << "member " << m << " on frame " << frame;
                    ASSERT_EQ(party.st[m], st[m]) << "member " << m << " on frame " << frame;
                }
            }
            EXPECT_FALSE(party.HasEffect(2, EFFECT_PROTECTION));
            for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
                EXPECT_EQ(Action(m), ACTION_FREE) << "member " << m << "'s action played out";
        }
    }
}

TEST_F(BattleOutcome, InVictoryTheLeaderStillWalksWhereItIsSteered)
{
    struct Case {
        int leader;
        int directions;
        float dx, dy; // over ten frames
    };
    const Case cases[] = {
        {0, fakes::FakeKeyInput::kRight, 30, 0},
        {1, fakes::FakeKeyInput::kUp, 0, -20},
        {2, fakes::FakeKeyInput::kLeft | fakes::FakeKeyInput::kDown, -10, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.leader);
        SetUp();
        SetLeader(c.leader);
        BeginPartyPhase4();
        float x[PARTY_MEMBER_COUNT], y[PARTY_MEMBER_COUNT];
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            x[m] = party.members[m].x;
            y[m] = party.members[m].y;
        }
        keys.Hold(c.directions);
        for (int frame = 0; frame < 10; ++frame)
            UpdatePartyVictory();
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            const bool led = m == c.leader;
            EXPECT_EQ(party.members[m].x - x[m], led ? c.dx : 0.0f) << m;
            EXPECT_EQ(party.members[m].y - y[m], led ? c.dy : 0.0f) << m;
        }
    }
}

TEST_F(BattleOutcome, TheBattleEndResetsEffectsMarksAndTimers)
{
    ApplyHitStatusEffects(party.members[0], EFFECT_SIDE_PARTY, 0, EFFECT_POISON, 0);
    ApplyHitStatusEffects(party.members[0], EFFECT_SIDE_PARTY, 0, EFFECT_SLOW, 0);
    GaugeEvent::Set(party.members[2].flags, 2);
    ItemReadyShown::Set(party.partyWordC, 1);
    ActionState::Set(party.members[2].state, ACTION_ATTACK);
    ResetPartyAfterBattle();
    const BattleMember& record = party.members[0];
    EXPECT_EQ(record.effectBits, 0u);
    EXPECT_EQ(ActiveEffectCount::Get(record.effectState), 0u);
    EXPECT_EQ(MarkCount::Get(record.effectState), 0u);
    EXPECT_FALSE(GaugeEvent::IsSet(party.members[2].flags));
    EXPECT_FALSE(ItemReadyShown::IsSet(party.partyWordC));
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), static_cast<std::uint32_t>(HIT_COMBO_IDLE));
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_EQ(Count("RebuildMemberIndicators"), 1);

    ActionState::Set(party.members[2].state, ACTION_STRIKE);
    party.members[2].alpha = 40;
    StopThirdMemberStrike();
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_EQ(party.members[2].alpha, 255);
}

TEST_F(BattleOutcome, ExperienceIsSharedWithTheGapRule)
{
    struct Case {
        const char* name;
        int levels[3];
        int exps[3];
        bool down[3];
        std::uint32_t abilities0;
        std::uint32_t exp;
        std::vector<std::int32_t> pending;
    };
    const Case cases[] = {
        {"the lowest takes from the highest", {5, 7, 1}, {0, 500, 0}, {false, false, true}, 0, 300, {325, 275, 0}},
        {"level 255 takes nothing and still gives", {10, 255, 1}, {0, 0, 0}, {false, false, true}, 0, 300, {450, 0, 0}},
        {"a single survivor", {5, 9, 9}, {0, 0, 0}, {false, true, true}, 0, 300, {300, 0, 0}},
        {"equal keys: no gap", {1, 1, 1}, {0, 0, 0}, {false, false, false}, 1u << 23, 1000, {1100, 1000, 1000}},
        {"a small gap moves nothing", {1, 1, 1}, {0, 149, 0}, {false, false, false}, 0, 300, {300, 300, 300}},
        {"at least 5 moves", {1, 1, 1}, {0, 150, 0}, {false, false, false}, 0, 300, {305, 295, 300}},
        {"the highest without room keeps its share",
         {1, 254, 1},
         {0, 900, 0},
         {false, false, false},
         0,
         300,
         {300, 100, 300}},
        {"shares are capped", {1, 1, 1}, {0, 0, 0}, {false, false, false}, 0, 20000, {9999, 9999, 9999}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            SetLevel(m, c.levels[m], c.exps[m]);
            KnockedOut::Set(party.members[m].state, c.down[m] ? 1u : 0u);
        }
        party.abilityBits[0] = c.abilities0;
        DistributeBattleRewards(c.exp);
        EXPECT_EQ(Pending(), c.pending);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            EXPECT_EQ(party.shownExp[m], c.pending[m]);
    }
}

TEST_F(BattleOutcome, RewardsPourInStepByStepWithTheirTexts)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        SetLevel(m, 1, 900);
    DistributeBattleRewards(325);
    EXPECT_EQ(std::u16string(party.expText[0]), u" 325");
    GiveExpToMember(0, 100);
    EXPECT_EQ(party.level[0], 2) << "900 + 100";
    EXPECT_EQ(party.pendingExp[0], 225);
    EXPECT_EQ(std::u16string(party.expText[0]), u" 225");
    for (int i = 0; i < 3; ++i)
        GiveExpToMember(0, 100);
    EXPECT_EQ(party.pendingExp[0], 0);
    EXPECT_EQ(party.exp[0], 225);
    EXPECT_EQ(std::u16string(party.expText[0]), u"   0");
    GiveExpToMember(3, 100);
    GiveExpToMember(1, -50);
    EXPECT_EQ(party.pendingExp[1], 325);

    party.money = 10;
    SetBattleMoneyReward(2500, 6);
    EXPECT_EQ(std::u16string(party.moneyText), u"  2500");
    for (int i = 0; i < 3; ++i)
        GiveMoneyReward(1000);
    EXPECT_EQ(party.money, 2510u);
    EXPECT_EQ(party.pendingMoney, 0);
    EXPECT_EQ(party.shownMoney, 2500);
    EXPECT_EQ(std::u16string(party.moneyText), u"     0");

    struct Text {
        std::uint32_t amount;
        std::int8_t width;
        std::u16string text;
    };
    const Text texts[] = {
        {0, 6, u"     0"}, {9, 6, u"     9"}, {999999, 6, u"999999"}, {999999, 9, u"999999"}, {42, 3, u" 42"}};
    for (const Text& t : texts) {
        SetBattleMoneyReward(t.amount, t.width);
        EXPECT_EQ(std::u16string(party.moneyText), t.text) << t.amount;
    }
}

TEST_F(BattleOutcome, QueriesOverTheMembersStanding)
{
    SetLevel(0, 255, 0);
    SetLevel(1, 20, 300);
    SetLevel(2, 40, 0);
    EXPECT_EQ(GetExpRoom(0), 0);
    EXPECT_EQ(GetExpRoom(1), 234 * 1000 + 700);
    KnockOut(0);
    KnockOut(2);
    EXPECT_EQ(GetMaxStatOfAlive(), 234700);
    EXPECT_EQ(GetMaxAliveLevel(), 20);
    KnockOut(1);
    EXPECT_EQ(GetMaxStatOfAlive(), 0);
    EXPECT_EQ(GetMaxAliveLevel(), 1);
    EXPECT_FALSE(IsPartyActionable());

    party.abilityBits[2] = 1u << 9;
    EXPECT_TRUE(HasMemberAbility((1u << 9) | 1u));
    EXPECT_FALSE(HasMemberAbility(1u << 8));

    SetUp();
    party.members[0].effectBits = 1u << EFFECT_BIND;
    party.members[1].effectBits = 1u << EFFECT_STOP;
    KnockOut(2);
    EXPECT_FALSE(IsPartyActionable());
    party.members[1].effectBits = 1u << EFFECT_POISON;
    EXPECT_TRUE(IsPartyActionable());
}

TEST_F(BattleOutcome, OrdersToMemberTwoByItsState)
{
    enum Result { STARTED, KEPT, STORED, REFUSED };
    struct Case {
        const char* name;
        std::uint32_t state;
        int current; // the magic cast or the level attacked at now
        bool magic;  // a magic order, else a skill
        int id;
        Result result;
    };
    const Case cases[] = {
        {"free: casts", ACTION_FREE, 0, true, 3, STARTED},
        {"attacking: casts", ACTION_ATTACK, 0, true, 3, STARTED},
        {"casting another: casts this one", ACTION_MAGIC, 5, true, 3, STARTED},
        {"casting this one: keeps it", ACTION_MAGIC, 3, true, 3, KEPT},
        {"knocked back: stored", ACTION_HIT_STUN, 0, true, 3, STORED},
        {"knocked out: refused", ACTION_KNOCKED_OUT, 0, true, 3, REFUSED},
        {"striking: stored", ACTION_STRIKE, 0, true, 3, STORED},
        {"free: attacks", ACTION_FREE, 0, false, 1, STARTED},
        {"attacking at this level: keeps it", ACTION_ATTACK, 1, false, 1, KEPT},
        {"attacking at another level: attacks", ACTION_ATTACK, 0, false, 1, STARTED},
        {"casting: attacks", ACTION_MAGIC, 5, false, 2, STARTED},
        {"knocked back: stored", ACTION_HIT_STUN, 0, false, 2, STORED},
        {"knocked out: refused", ACTION_KNOCKED_OUT, 0, false, 1, REFUSED},
        {"striking: stored", ACTION_STRIKE, 0, false, 1, STORED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.magic ? "magic, " : "skill, ") + c.name);
        SetUp();
        BattleMember& third = party.members[2];
        ActionState::Set(third.state, c.state);
        if (c.state == ACTION_KNOCKED_OUT)
            KnockOut(2);
        if (c.state == ACTION_MAGIC)
            MagicIdField::Set(third.state, static_cast<std::uint32_t>(c.current));
        if (c.state == ACTION_ATTACK)
            AttackLevel::Set(third.state, static_cast<std::uint32_t>(c.current));
        const bool accepted = c.magic ? OrderThirdMemberMagic(static_cast<std::uint32_t>(c.id), 1)
                                      : OrderThirdMemberSkill(static_cast<std::uint32_t>(c.id)) != 0;
        EXPECT_EQ(accepted, c.result != REFUSED);
        const bool kept = c.magic ? KeepMagic::IsSet(party.partyWordC) : KeepAttack::IsSet(party.partyWordC);
        // A cast the menu ordered is kept from member 2's own planning as well.
        EXPECT_EQ(kept, c.result == KEPT || (c.magic && c.result == STARTED));
        EXPECT_EQ(DeferredOrderFirst::IsSet(party.partyWordD), c.result == STORED);
        if (c.result == STARTED || c.result == KEPT) {
            EXPECT_EQ(Action(2), c.magic ? ACTION_MAGIC : ACTION_ATTACK);
            EXPECT_EQ(c.magic ? MagicIdField::Get(third.state) : AttackLevel::Get(third.state),
                      static_cast<std::uint32_t>(c.id));
        } else {
            EXPECT_EQ(Action(2), c.state);
        }
        if (c.result != STORED)
            continue;
        // Free again, member 2 runs the stored order.
        ActionState::Set(third.state, ACTION_FREE);
        EXPECT_TRUE(RunPendingThirdMemberOrder());
        EXPECT_FALSE(DeferredOrderFirst::IsSet(party.partyWordD));
        EXPECT_EQ(Action(2), c.magic ? ACTION_MAGIC : ACTION_ATTACK);
        EXPECT_EQ(c.magic ? MagicIdField::Get(third.state) : AttackLevel::Get(third.state),
                  static_cast<std::uint32_t>(c.id));
    }
}

TEST_F(BattleOutcome, OrdersAreRefusedBySealsStopSpAndUnknownLevels)
{
    party.members[2].effectBits = 1u << EFFECT_MAGIC_SEAL;
    EXPECT_FALSE(OrderThirdMemberMagic(3, 0));
    EXPECT_NE(OrderThirdMemberSkill(1), 0) << "a magic seal leaves the skills";
    SetUp();
    party.members[2].effectBits = 1u << EFFECT_SKILL_SEAL;
    EXPECT_EQ(OrderThirdMemberSkill(1), 0);
    EXPECT_TRUE(OrderThirdMemberMagic(3, 0));
    SetUp();
    party.members[2].effectBits = 1u << EFFECT_STOP;
    EXPECT_FALSE(OrderThirdMemberMagic(3, 0));
    EXPECT_EQ(OrderThirdMemberSkill(0), 0);
    SetUp();
    party.sp[2] = 49;
    EXPECT_EQ(OrderThirdMemberSkill(2), 0);
    EXPECT_NE(OrderThirdMemberSkill(1), 0);
    SetUp();
    EXPECT_EQ(OrderThirdMemberSkill(3), 0) << "no level 3";
    EXPECT_FALSE(OrderThirdMemberMagic(MAGIC_COUNT, 0));
    EXPECT_EQ(Action(2), ACTION_FREE);
}

TEST_F(BattleOutcome, TheOpeningOrderRunsOnceAndMemberTwoStopsWhatIsNoLongerAllowed)
{
    OpeningOrderKind::Set(party.partyWordE, 1);
    OpeningOrderId::Set(party.partyWordE, 4);
    EXPECT_TRUE(RunQueuedThirdMemberOrder());
    EXPECT_EQ(Action(2), ACTION_MAGIC);
    EXPECT_EQ(MagicIdField::Get(party.members[2].state), 4u);
    EXPECT_FALSE(RunQueuedThirdMemberOrder()) << "cleared";

    // A cast member 2 chose itself stops once its magic is no longer allowed.
    KeepMagic::Clear(party.partyWordC);
    party.autoMagicAllowed[4] = 0;
    ReplanThirdMember();
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_EQ(PlanCounter::Get(party.partyWordB), 1u);

    // An attack at a level its option turned off stops, unless kept.
    ActionState::Set(party.members[2].state, ACTION_ATTACK);
    AttackLevel::Set(party.members[2].state, 1);
    party.memberOptions[2][1] = 0;
    KeepAttack::Set(party.partyWordC, 1);
    StopThirdMemberState1();
    EXPECT_EQ(Action(2), ACTION_ATTACK);
    KeepAttack::Clear(party.partyWordC);
    StopThirdMemberState1();
    EXPECT_EQ(Action(2), ACTION_FREE);

    // Support magic 16 on another member is not the same order.
    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    MagicIdField::Set(party.members[2].state, 16);
    MagicTarget::Set(party.members[2].state, 0);
    EXPECT_TRUE(IsOtherSupportTarget(1));
    EXPECT_FALSE(IsOtherSupportTarget(0));
    MagicIdField::Set(party.members[2].state, 15);
    EXPECT_FALSE(IsOtherSupportTarget(1));
}

TEST_F(BattleOutcome, AilmentRoundsShowEachMembersNextEffect)
{
    ApplyHitStatusEffects(party.members[1], EFFECT_SIDE_PARTY, 1, EFFECT_POISON, 0);
    ApplyHitStatusEffects(party.members[1], EFFECT_SIDE_PARTY, 1, EFFECT_SLOW, 0);
    AdvanceAilmentRounds();
    EXPECT_EQ(ShownEffectIndex::Get(party.members[1].effectState), 1u);
    AdvanceAilmentRounds();
    EXPECT_EQ(ShownEffectIndex::Get(party.members[1].effectState), 0u);
}

} // namespace
