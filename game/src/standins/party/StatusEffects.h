// Stand-in for the party's status effects: not built yet. Applying an effect
// sets its bit (immunities hold) and the boost level; everything else only
// notes that it ran (see SceneTrace.h). Delete this file when the part lands
// in game/src/party/.
#pragma once

#include "core/SceneTrace.h"
#include "party/Character.h"

constexpr int EFFECT_SIDE_ENEMY = 0;
constexpr int EFFECT_SIDE_PARTY = 1;

inline void ApplyHitStatusEffects(StatusEffectBlock& block, int side, int index, int effect, int level)
{
    SceneTrace::Note("ApplyHitStatusEffects", effect);
    if (effect < 0 || effect >= STATUS_EFFECT_COUNT)
        return;
    if (side == EFFECT_SIDE_PARTY && TheCharacter != nullptr && index >= 0 && index < PARTY_MEMBER_COUNT) {
        BattleMember& member = TheCharacter->members[index];
        if ((member.immuneEffects >> effect) & 1u)
            return;
        if (effect == EFFECT_ATTACK_UP)
            AttackUpLevel::Set(member.boostLevels, static_cast<std::uint32_t>(level));
        if (effect == EFFECT_DEFENCE_UP)
            DefenceUpLevel::Set(member.boostLevels, static_cast<std::uint32_t>(level));
    }
    block.effectBits |= 1u << effect;
}

inline void TickStatusEffects(StatusEffectBlock&, int, bool)
{
    SceneTrace::Note("TickStatusEffects");
}
inline void TickEffectTimers(StatusEffectBlock&)
{
    SceneTrace::Note("TickEffectTimers");
}
inline void TickPoisonDamage(int member)
{
    SceneTrace::Note("TickPoisonDamage", member);
}
inline void EaseMemberVector(StatusEffectBlock&, float&, float&)
{
    SceneTrace::Note("EaseMemberVector");
}

inline void RemoveStatusEffectsBelow5(StatusEffectBlock& block)
{
    SceneTrace::Note("RemoveStatusEffectsBelow5");
    block.effectBits &= ~0x1Fu;
}

// A member up loses its ailments (effects 5-18).
inline void CureMemberAilments(int member)
{
    SceneTrace::Note("CureMemberAilments", member);
    if (TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT && !TheCharacter->IsKnockedOut(member))
        TheCharacter->members[member].effectBits &= ~AILMENT_EFFECT_BITS;
}

inline void ClearStatusEffects(StatusEffectBlock& block)
{
    SceneTrace::Note("ClearStatusEffects");
    block.effectBits = 0;
}

// A member's status overlay and effect labels, over the sorted actors.
inline void DrawPartyBattleOverlay(int member)
{
    SceneTrace::Note("DrawPartyBattleOverlay", member);
}
inline void DrawMemberEffects(int member)
{
    SceneTrace::Note("DrawMemberEffects", member);
}
