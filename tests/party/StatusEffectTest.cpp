// Status effects on a member's and an enemy's block: what applying one
// does, the ascending list and its shown icon, durations, marks, poison,
// slip and cure.
#include "fakes/RecordingText.h"
#include "PartyWorld.h"
#include "party/StatusEffects.h"

namespace {

using partytest::PartyBattleTest;
using partytest::SeedDrawing;
using partytest::Within;

class StatusEffects : public PartyBattleTest {
protected:
    void Apply(int member, int status, int level = 0)
    {
        ApplyHitStatusEffects(party.members[member], EFFECT_SIDE_PARTY, member, status, level);
    }

    static std::uint32_t Bits(std::initializer_list<int> effects)
    {
        std::uint32_t bits = 0;
        for (const int e : effects)
            bits |= 1u << e;
        return bits;
    }

    static std::vector<int> Order(const StatusEffectBlock& block)
    {
        const int count = static_cast<int>(ActiveEffectCount::Get(block.effectState));
        return {block.effectOrder, block.effectOrder + count};
    }

    static std::vector<int> MarkKinds(const StatusEffectBlock& block)
    {
        const int count = static_cast<int>(MarkCount::Get(block.effectState));
        return {block.markKind, block.markKind + count};
    }

    static int Shown(const StatusEffectBlock& block)
    {
        return block.effectOrder[ShownEffectIndex::Get(block.effectState)];
    }
};

TEST_F(StatusEffects, ApplyingByWhatIsActive)
{
    struct Case {
        const char* name;
        std::vector<int> before; // applied first, in order
        int effect;
        std::uint32_t bits;
        std::vector<int> marks; // the first shows at once; an ended effect's pending mark goes
    };
    const Case cases[] = {
        {"a first ailment", {}, 9, Bits({9}), {9}},
        {"poison again changes nothing", {5}, 5, Bits({5}), {5}},
        {"defence-up with attack-up ends ability down", {13, 0}, 1, Bits({0, 1}), {13, 0, 1}},
        {"attack-up alone keeps ability down", {13}, 0, Bits({0, 13}), {13, 0}},
        {"protection with attack-up ends ability down and pierce", {14, 13, 0}, 4, Bits({0, 4}), {14, 0, 4}},
        {"ability down ends the guards and attack-up", {0, 1, 2, 4}, 13, Bits({2, 13}), {0, 2, 13}},
        {"pierce ends defence-up and protection", {1, 4, 0}, 14, Bits({0, 14}), {1, 0, 14}},
        {"curse ends every boost", {0, 2, 3, 5}, 17, Bits({5, 17}), {0, 5, 17}},
        {"no boost under curse", {17}, 0, Bits({17}), {17}},
        {"no speed under stop", {15}, 2, Bits({15}), {15}},
        {"stop ends speed", {2}, 15, Bits({15}), {2, 15}},
        {"slow and bind end speed", {2, 10}, 9, Bits({9, 10}), {2, 10, 9}},
        {"speed ends slow and bind", {9, 10}, 2, Bits({2}), {9, 2}},
        {"hardening and fragile end each other", {3}, 16, Bits({16}), {3, 16}},
        {"fragile ended by hardening", {16}, 3, Bits({3}), {16, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartyBattleTest::SetUp();
        for (const int e : c.before)
            Apply(1, e);
        Apply(1, c.effect);
        const BattleMember& record = party.members[1];
        EXPECT_EQ(record.effectBits, c.bits);
        std::vector<int> ascending;
        for (int e = 0; e < STATUS_EFFECT_COUNT; ++e)
            if ((c.bits >> e) & 1u)
                ascending.push_back(e);
        EXPECT_EQ(Order(record), ascending);
        EXPECT_EQ(MarkKinds(record), c.marks);
    }
}

TEST_F(StatusEffects, AnActiveBoostRestartsAndReplacesItsPendingMark)
{
    Apply(0, EFFECT_ATTACK_UP, 0);
    Apply(0, EFFECT_POISON);
    BattleMember& record = party.members[0];
    record.effectTicks[EFFECT_ATTACK_UP] = 500;
    record.effectTicks[EFFECT_POISON] = 500;
    // The first mark shows; the attack-up mark that replaces nothing pending is added.
    Apply(0, EFFECT_ATTACK_UP, 2);
    EXPECT_EQ(record.effectTicks[EFFECT_ATTACK_UP], 0);
    EXPECT_EQ(AttackUpLevel::Get(record.boostLevels), 2u);
    EXPECT_EQ(MarkKinds(record), (std::vector<int>{0, 5, 0}));
    EXPECT_EQ(record.markLevel[2], 2);
    Apply(0, EFFECT_ATTACK_UP, 3);
    EXPECT_EQ(MarkKinds(record), (std::vector<int>{0, 5, 0})) << "the pending level-2 mark was replaced";
    EXPECT_EQ(record.markLevel[2], 3);
    Apply(0, EFFECT_ATTACK_UP, 3);
    EXPECT_EQ(MarkCount::Get(record.effectState), 3u) << "same level: no new mark";
    Apply(0, EFFECT_POISON);
    EXPECT_EQ(record.effectTicks[EFFECT_POISON], 500) << "an ailment keeps its remaining time";

    Apply(0, EFFECT_DEFENCE_UP, 7);
    EXPECT_EQ(DefenceUpLevel::Get(record.boostLevels), 3u) << "levels above 3 read as 3";
    Apply(0, 4);
    EXPECT_EQ(ProtectionCharge::Get(record.boostLevels), 5u);
}

TEST_F(StatusEffects, ImmunityAndSideEffectsOnMembers)
{
    party.members[0].immuneEffects = 1u << EFFECT_MAGIC_SEAL;
    Apply(0, EFFECT_MAGIC_SEAL);
    EXPECT_EQ(party.members[0].effectBits, 0u);
    EXPECT_EQ(MarkCount::Get(party.members[0].effectState), 0u);

    // Skill seal stops member 0's skill but not its plain attack.
    ActionState::Set(party.members[0].state, ACTION_ATTACK);
    AttackLevel::Set(party.members[0].state, 1);
    Apply(0, EFFECT_SKILL_SEAL);
    EXPECT_EQ(Action(0), ACTION_FREE);
    ActionState::Set(party.members[2].state, ACTION_ATTACK);
    AttackLevel::Set(party.members[2].state, 0);
    Apply(2, EFFECT_SKILL_SEAL);
    EXPECT_EQ(Action(2), ACTION_ATTACK);

    ActionState::Set(party.members[2].state, ACTION_MAGIC);
    Apply(2, EFFECT_MAGIC_SEAL);
    EXPECT_EQ(Action(2), ACTION_FREE);
    ActionState::Set(party.members[1].state, ACTION_ATTACK);
    Apply(1, EFFECT_STOP);
    EXPECT_EQ(Action(1), ACTION_FREE);

    // Slip starts from this frame's movement; slow halves it, bind stops it.
    BattleMember& record = party.members[0];
    record.prevX = record.x - 4.0f;
    record.prevY = record.y + 2.0f;
    Apply(0, EFFECT_SLIP);
    EXPECT_EQ(record.slideX, 4.0f);
    EXPECT_EQ(record.slideY, -2.0f);
    Apply(0, EFFECT_SLOW);
    EXPECT_EQ(record.slideX, 2.0f);
    Apply(0, EFFECT_BIND);
    EXPECT_EQ(record.slideX, 0.0f);
    Apply(0, EFFECT_POISON);
    EXPECT_EQ(PoisonTicks::Get(record.effectState), 0u);
}

TEST_F(StatusEffects, AnEnemyBlockTakesTheEnemysImmunityRowAndHelpers)
{
    enemies.SetEnemyCount(2);
    EnemyRecord& enemy = enemies.Records[1];
    enemy.ImmunityMask = 1u << EFFECT_POISON;
    ApplyHitStatusEffects(enemy.Status, EFFECT_SIDE_ENEMY, 1, EFFECT_POISON, 0);
    EXPECT_EQ(enemy.Status.effectBits, 0u);
    enemy.PosX = 100.0f;
    enemy.PrevX = 97.0f;
    ApplyHitStatusEffects(enemy.Status, EFFECT_SIDE_ENEMY, 1, EFFECT_SLIP, 0);
    EXPECT_EQ(enemy.InertiaX, 3.0f) << "an enemy's slide is the velocity it carries";
    ApplyHitStatusEffects(enemy.Status, EFFECT_SIDE_ENEMY, 1, EFFECT_SKILL_SEAL, 0);
    ApplyHitStatusEffects(enemy.Status, EFFECT_SIDE_ENEMY, 1, EFFECT_BIND, 0);
    ApplyHitStatusEffects(enemy.Status, EFFECT_SIDE_ENEMY, 1, EFFECT_STOP, 0);
    // Stop cancels the enemy's action and movement: both wait the cancel's 120 frames.
    EXPECT_EQ(enemy.ActionCooldownAll, 120);
    EXPECT_EQ(enemy.MoveCooldownAll, 120);
    EXPECT_EQ(enemy.InertiaX, 0.0f);
    ApplyHitStatusEffects(enemy.Status, EFFECT_SIDE_ENEMY, 1, EFFECT_ATTACK_UP, 2);
    EXPECT_EQ(AttackUpLevel::Get(enemy.Status.boostLevels), 2u);
    EXPECT_EQ(Order(enemy.Status), (std::vector<int>{0, 6, 10, 11, 15}));

    // The enemy row: curse lasts 600 frames there, 7200 for the party.
    ApplyHitStatusEffects(enemy.Status, EFFECT_SIDE_ENEMY, 1, EFFECT_CURSE, 0);
    Apply(0, EFFECT_CURSE);
    for (int frame = 1; frame <= 600; ++frame) {
        TickStatusEffects(enemy.Status, EFFECT_ROW_ENEMY, true);
        TickStatusEffects(party.members[0], EFFECT_ROW_PARTY, true);
        ASSERT_EQ(enemy.Status.HasEffect(EFFECT_CURSE), frame < 600) << frame;
    }
    EXPECT_TRUE(party.members[0].HasEffect(EFFECT_CURSE));
}

TEST_F(StatusEffects, EffectsRunOutByTheirRowOnlyWhileCounted)
{
    Apply(1, EFFECT_HARDENING);
    Apply(1, EFFECT_BIND);
    BattleMember& record = party.members[1];
    TickStatusEffects(record, EFFECT_ROW_PARTY, false);
    EXPECT_EQ(record.effectTicks[EFFECT_HARDENING], 0);
    for (int frame = 1; frame < 900; ++frame)
        TickStatusEffects(record, EFFECT_ROW_PARTY, true);
    EXPECT_TRUE(record.HasEffect(EFFECT_HARDENING));
    TickStatusEffects(record, EFFECT_ROW_PARTY, true);
    EXPECT_FALSE(record.HasEffect(EFFECT_HARDENING));
    EXPECT_EQ(Order(record), std::vector<int>{EFFECT_BIND});
    for (int frame = 900; frame < 1200; ++frame)
        TickStatusEffects(record, EFFECT_ROW_PARTY, true);
    EXPECT_EQ(record.effectBits, 0u);
    EXPECT_TRUE(Order(record).empty());
}

TEST_F(StatusEffects, TheShownIconStaysAsTheListChangesAndCyclesEvery60Frames)
{
    BattleMember& record = party.members[2];
    Apply(2, 9);
    Apply(2, 3);
    EXPECT_EQ(Order(record), (std::vector<int>{3, 9}));
    EXPECT_EQ(Shown(record), 9) << "inserted before the shown one";
    Apply(2, 12);
    EXPECT_EQ(Shown(record), 9);
    RemoveStatusEffect(record, 3);
    record.effectBits &= ~(1u << 3);
    EXPECT_EQ(Shown(record), 9) << "removed before the shown one";

    for (int frame = 0; frame < 59; ++frame)
        TickStatusEffects(record, EFFECT_ROW_PARTY, false);
    EXPECT_EQ(Shown(record), 9);
    TickStatusEffects(record, EFFECT_ROW_PARTY, false);
    EXPECT_EQ(Shown(record), 12);
    // Removing the shown last entry shows the first again, for a full 60 frames.
    RemoveStatusEffect(record, 12);
    record.effectBits &= ~(1u << 12);
    EXPECT_EQ(ShownEffectIndex::Get(record.effectState), 0u);
    EXPECT_EQ(IconCycle::Get(record.effectState), 0u);
    for (int frame = 0; frame < 60; ++frame)
        TickStatusEffects(record, EFFECT_ROW_PARTY, false);
    EXPECT_EQ(Shown(record), 9) << "one entry cycles onto itself";
}

TEST_F(StatusEffects, MarksFollow40FramesApartAndLive48)
{
    BattleMember& record = party.members[0];
    Apply(0, EFFECT_POISON);
    Apply(0, EFFECT_SLOW);
    EXPECT_EQ(record.markTimer[0], 0);
    EXPECT_EQ(record.markTimer[1], -40);
    // The labels drawn, by their alpha.
    static fakes::RecordingText labels;
    labels.drawn.clear();
    world.Keep(CreateTextTextureProc, []() -> Zeph::CTextTexture* { return &labels; });
    effect.InitBattleEffect();
    const auto drawnAlphas = [] {
        std::vector<std::uint32_t> alphas;
        for (const fakes::DrawnText& label : labels.drawn)
            alphas.push_back(label.colour >> 24);
        labels.drawn.clear();
        return alphas;
    };
    DrawMemberEffects(0);
    EXPECT_EQ(drawnAlphas(), std::vector<std::uint32_t>{255}) << "the second is pending";
    for (int frame = 0; frame < 40; ++frame)
        TickEffectTimers(record);
    DrawMemberEffects(0);
    // 40 frames on, the first fades (255 - 8 × 16), the second shows.
    EXPECT_EQ(drawnAlphas(), (std::vector<std::uint32_t>{127, 255}));
    effect.ReleaseBattleEffect();
    for (int frame = 40; frame < 48; ++frame)
        TickEffectTimers(record);
    EXPECT_EQ(MarkKinds(record), std::vector<int>{EFFECT_SLOW});
    EXPECT_EQ(record.markTimer[0], 8);
    Apply(0, EFFECT_BIND);
    EXPECT_EQ(record.markTimer[1], -32) << "40 frames after the one before";
    Apply(0, EFFECT_CONFUSION);
    EXPECT_EQ(record.markTimer[2], -72);

    // Clearing drops the pending marks; the shown one floats on.
    ClearStatusEffects(record);
    EXPECT_EQ(record.effectBits, 0u);
    EXPECT_TRUE(Order(record).empty());
    EXPECT_EQ(MarkKinds(record), std::vector<int>{EFFECT_SLOW});
}

TEST_F(StatusEffects, ListAndMarksHoldAtMost19AndLevelsReadUpTo3)
{
    StatusEffectBlock block{};
    for (int i = 0; i < 25; ++i) {
        InsertActiveEffect(block, i % STATUS_EFFECT_COUNT);
        AddEffectMark(block, 1, i);
    }
    EXPECT_EQ(ActiveEffectCount::Get(block.effectState), 19u);
    EXPECT_EQ(MarkCount::Get(block.effectState), 19u);
    EXPECT_EQ(block.markLevel[18], 3);
    EXPECT_EQ(std::u16string(GetEffectColor(EFFECT_ATTACK_UP, 9)), u"攻撃×4");
    EXPECT_EQ(std::u16string(GetEffectColor(EFFECT_DEFENCE_UP, 1)), u"防御×1.5");
    EXPECT_EQ(std::u16string(GetEffectColor(EFFECT_CURSE, 2)), u"呪い");
    EXPECT_EQ(GetEffectScale(EFFECT_SPEED_UP, 0), GetEffectScale(EFFECT_SPEED_UP, 3));
    EXPECT_EQ(FadeAlphaColor(32), 0xFFFFFFFFu);
    EXPECT_EQ(FadeAlphaColor(33), 0xEFFFFFFFu);
    EXPECT_EQ(FadeAlphaColor(47), 0x0FFFFFFFu);
}

TEST_F(StatusEffects, PoisonNeverTakesTheLastHp)
{
    Apply(0, EFFECT_POISON);
    party.hp[0] = 1;
    for (int frame = 0; frame < 300; ++frame)
        TickPoisonDamage(0);
    EXPECT_EQ(party.hp[0], 1);
    EXPECT_EQ(Popups(POPUP_DAMAGE), 0);

    party.maxHp[0] = 1000;
    party.hp[0] = 40;
    SeedGameRandom(SeedDrawing({Within(32000, 32768)}));
    for (int frame = 0; frame < 299; ++frame)
        TickPoisonDamage(0);
    EXPECT_EQ(party.hp[0], 40);
    TickPoisonDamage(0);
    EXPECT_EQ(party.hp[0], 1) << "40 of 1000 × 4 % would knock it out";
    EXPECT_EQ(Popups(POPUP_DAMAGE), 1);

    // Weakened: 10 % with the formulas' spread.
    Apply(0, EFFECT_WEAKNESS);
    party.hp[0] = 1000;
    SeedGameRandom(SeedDrawing({Within(0, 32)}));
    for (int frame = 0; frame < 300; ++frame)
        TickPoisonDamage(0);
    EXPECT_EQ(party.hp[0], 1000 - 93); // 100 × 0.9375
}

TEST_F(StatusEffects, SlipEasesTowardsTheWantedVelocity)
{
    struct Case {
        float current, target, eased;
    };
    const Case cases[] = {
        {1.0f, 1.0f, 1.0f},       {0.0f, 3.0f, 0.0234375f}, {2.0f, 0.0f, 1.96875f},
        {-2.0f, 0.0f, -1.96875f}, {0.01f, 0.0f, 0.0f},      {-0.01f, 0.0f, 0.0f},
        {-1.0f, 2.0f, -0.96875f}, {3.0f, 2.0f, 2.953125f},  {2.0f, 2.5f, 2.0195312f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(EaseValue(c.current, c.target), c.eased) << c.current << " to " << c.target;

    BattleMember& record = party.members[1];
    record.slideX = 2.0f;
    record.slideY = 0.0f;
    float vx = 0.0f;
    float vy = 3.0f;
    EaseMemberVector(record, vx, vy);
    EXPECT_FLOAT_EQ(vx, 1.96875f);
    EXPECT_FLOAT_EQ(record.slideY, 0.0234375f);
    const float pair[2] = {2.0f, 0.0f};
    float x = 0.0f;
    float y = 3.0f;
    EaseVectorPair(pair, x, y);
    EXPECT_FLOAT_EQ(x, 1.96875f);
    EXPECT_FLOAT_EQ(y, 0.0234375f);
}

TEST_F(StatusEffects, CureEndsAilmentsOfAMemberStanding)
{
    Apply(1, EFFECT_ATTACK_UP);
    Apply(1, EFFECT_POISON);
    Apply(1, EFFECT_TARGETED);
    CureMemberAilments(1);
    EXPECT_EQ(party.members[1].effectBits, 1u << EFFECT_ATTACK_UP);
    EXPECT_EQ(Order(party.members[1]), std::vector<int>{EFFECT_ATTACK_UP});
    EXPECT_EQ(TakeSounds(), std::vector<int>{8});
    EXPECT_EQ(effect.MemberSparks(1).size(), 4u) << "four sparkles";
    EXPECT_EQ(effect.MemberSparks(1).front().variant, 1);

    Apply(2, EFFECT_POISON);
    KnockedOut::Set(party.members[2].state, 1);
    CureMemberAilments(2);
    EXPECT_TRUE(party.members[2].HasEffect(EFFECT_POISON));
}

} // namespace
