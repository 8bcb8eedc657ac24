// Hits on members: the popup and sound, HP and SP, invincibility, hit-stun
// or kept action, status effects, knock-out and the party's defeat.
#include "PartyWorld.h"

namespace {

using partytest::Bit;
using partytest::PartyBattleTest;
using partytest::SeedDrawing;
using partytest::Within;

class MemberDamage : public PartyBattleTest {};

TEST_F(MemberDamage, ZeroDamageOnlyShowsAndProtects)
{
    ActionState::Set(party.members[1].state, ACTION_ATTACK);
    DamagePartyMember(0, 1, 1u << 5, NO_ATTACK_KIND, 2, 1);
    EXPECT_EQ(Popups(POPUP_DAMAGE), 1);
    EXPECT_EQ(TakeSounds(), std::vector<int>{32});
    EXPECT_EQ(party.members[1].invincibleFrames, 30);
    EXPECT_TRUE(Invincible::IsSet(party.members[1].state));
    EXPECT_EQ(party.hp[1], 100);
    EXPECT_EQ(party.sp[1], 50);
    EXPECT_EQ(party.members[1].effectBits, 0u);
    EXPECT_EQ(Action(1), ACTION_ATTACK);
}

TEST_F(MemberDamage, HitsByKindAndEffect)
{
    struct Case {
        const char* name;
        int damage;
        int attackKind;
        std::vector<int> effects; // active before the hit
        std::uint32_t mask;
        int hp, sp;
        std::uint32_t action;
        std::uint32_t effectsAfter;
    };
    const Case cases[] = {
        // SP gains damage / MaxHP / 2 × MaxSP: 30 / 100 / 2 × 50 = 7.5 → 7.
        {"plain hit", 30, NO_ATTACK_KIND, {}, 0, 70, 20 + 7, ACTION_HIT_STUN, 0},
        {"a scratch still gives 1 SP", 1, NO_ATTACK_KIND, {}, 0, 99, 21, ACTION_HIT_STUN, 0},
        {"SP drain", 30, 60, {}, 0, 70, 0, ACTION_HIT_STUN, 0},
        {"boosts end above 62", 10, 63, {0, 2, 5}, 0, 90, 22, ACTION_HIT_STUN, 1u << 5},
        {"kind 62 keeps boosts", 10, 62, {0}, 0, 90, 22, ACTION_HIT_STUN, 1u << 0},
        {"effects carried",
         10,
         NO_ATTACK_KIND,
         {},
         (1u << 5) | (1u << 9),
         90,
         22,
         ACTION_HIT_STUN,
         (1u << 5) | (1u << 9)},
        {"hardening keeps the action",
         99,
         NO_ATTACK_KIND,
         {EFFECT_HARDENING},
         0,
         1,
         20 + 24,
         ACTION_ATTACK,
         1u << EFFECT_HARDENING},
        {"stop keeps the action", 10, NO_ATTACK_KIND, {EFFECT_STOP}, 0, 90, 22, ACTION_ATTACK, 1u << EFFECT_STOP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        BattleMember& r = party.members[1];
        party.sp[1] = 20;
        for (int e : c.effects)
            GiveEffect(1, e);
        ActionState::Set(r.state, ACTION_ATTACK);
        Walking::Set(r.state, 1);
        KnockByAngle::Set(r.flags2, 1);
        effect.AddDamagePopup(true, 1, POPUP_ACTION_START, false, 0);
        log.clear();
        DamagePartyMember(c.damage, 1, c.mask, c.attackKind, 2, 3);
        EXPECT_EQ(party.hp[1], c.hp);
        EXPECT_EQ(party.sp[1], c.sp);
        EXPECT_EQ(Action(1), c.action);
        EXPECT_EQ(r.effectBits, c.effectsAfter);
        EXPECT_EQ(r.invincibleFrames, 30);
        EXPECT_TRUE(DamagedByHit::IsSet(r.flags2));
        EXPECT_EQ(TakeSounds(), std::vector<int>{18});
        if (c.action == ACTION_HIT_STUN) {
            EXPECT_EQ(KnockSide::Get(r.state), 2u);
            EXPECT_EQ(KnockKind::Get(r.state), 3u);
            EXPECT_EQ(r.stunFrame, 0);
            EXPECT_EQ(KnockByAngle::IsSet(r.flags2), c.attackKind == 62);
            EXPECT_FALSE(Walking::IsSet(r.state));
            EXPECT_TRUE(effect.Popups().front().IsFading()) << "the strike's burst fades";
        }
    }
}

TEST_F(MemberDamage, MemberZeroDropsItsBlowAndMemberTwoItsCircles)
{
    keys.pushedButtons = Bit(0);
    Frame();
    ASSERT_NE(shots.head, nullptr) << "the blow is on the field";
    GiveCircle(0);
    GiveCircle(2);
    DamagePartyMember(5, 0, 0, NO_ATTACK_KIND, 0, 0);
    DamagePartyMember(5, 2, 0, NO_ATTACK_KIND, 0, 0);
    EXPECT_EQ(shots.head, nullptr);
    EXPECT_TRUE(LiveCircle(0)) << "only member 2 casts under a circle";
    EXPECT_FALSE(LiveCircle(2));
}

TEST_F(MemberDamage, AbilitiesAddOrResistAilments)
{
    // Ability 27: one draw in five adds a random ailment (here the last, 18).
    party.abilityBits[0] = 1u << 27;
    SeedGameRandom(SeedDrawing({Within(0, 6553), Within(32767, 32768)}));
    DamagePartyMember(5, 0, 0, NO_ATTACK_KIND, 0, 0);
    EXPECT_EQ(party.members[0].effectBits, 1u << 18);

    SetUp();
    party.abilityBits[0] = 1u << 27;
    SeedGameRandom(SeedDrawing({Within(6553, 32768)}));
    DamagePartyMember(5, 0, 0, NO_ATTACK_KIND, 0, 0);
    EXPECT_EQ(party.members[0].effectBits, 0u);

    // Ability 28 resists each ailment with four draws in five; boosts are never resisted.
    SetUp();
    party.abilityBits[0] = 1u << 28;
    SeedGameRandom(SeedDrawing({Within(0, 26213), Within(26213, 32768)}));
    DamagePartyMember(5, 0, (1u << 2) | (1u << 6) | (1u << 8), NO_ATTACK_KIND, 0, 0);
    EXPECT_EQ(party.members[0].effectBits, (1u << 2) | (1u << 8));
}

TEST_F(MemberDamage, KnockOutAndTheLastOneLosesTheBattle)
{
    party.partyWordD |= DeferredOrderFirst::kMask;
    GiveEffect(2, EFFECT_POISON);
    party.members[2].spRegenFrame = 90;
    DamagePartyMember(150, 2, 0, NO_ATTACK_KIND, 0, 0);
    EXPECT_EQ(party.hp[2], 0);
    EXPECT_EQ(Action(2), ACTION_KNOCKED_OUT);
    EXPECT_TRUE(party.IsKnockedOut(2));
    EXPECT_EQ(party.members[2].effectBits, 0u);
    EXPECT_EQ(party.members[2].spRegenFrame, 0);
    EXPECT_EQ(LastKnockedOut::Get(party.partyWordB), 2u);
    EXPECT_FALSE(DeferredOrderFirst::IsSet(party.partyWordD));
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_ACTION);

    DamagePartyMember(100, 0, 0, NO_ATTACK_KIND, 0, 0);
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_ACTION);
    party.downCountdown = 9;
    DamagePartyMember(100, 1, 0, NO_ATTACK_KIND, 0, 0);
    EXPECT_EQ(party.GetBattlePhase(), BATTLE_PHASE_DEFEAT);
    EXPECT_EQ(party.downCountdown, 0);
    EXPECT_EQ(LastKnockedOut::Get(party.partyWordB), 1u);
}

TEST_F(MemberDamage, InvincibilityRunsOutTwiceAsFastUnderCurse)
{
    struct Case {
        bool cursed;
        int frames;
    };
    for (const Case c : {Case{false, 30}, Case{true, 15}}) {
        SetUp();
        if (c.cursed)
            GiveEffect(1, EFFECT_CURSE);
        DamagePartyMember(0, 1, 0, NO_ATTACK_KIND, 0, 0);
        Frames(c.frames - 1);
        EXPECT_TRUE(Invincible::IsSet(party.members[1].state)) << c.cursed;
        Frame();
        EXPECT_FALSE(Invincible::IsSet(party.members[1].state)) << c.cursed;
    }
}

TEST_F(MemberDamage, InterruptAndResetEndTheAction)
{
    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    party.members[2].moveBits = 8;
    ThinkCounter::Set(party.partyWordB, 30);
    effect.AddDamagePopup(true, 2, POPUP_ACTION_START, false, 0);
    GiveCircle(2);
    InterruptMemberAction(2);
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_EQ(party.members[2].moveBits, 0u);
    EXPECT_TRUE(effect.Popups().front().IsFading());
    EXPECT_FALSE(LiveCircle(2));
    EXPECT_EQ(ThinkCounter::Get(party.partyWordB), 30u);

    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    GiveCircle(2);
    ResetMemberFlagsAndAction(2);
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_EQ(ThinkCounter::Get(party.partyWordB), 0u);
    EXPECT_FALSE(LiveCircle(2));
}

} // namespace
