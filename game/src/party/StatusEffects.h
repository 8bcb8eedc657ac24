// The 19 status effects a member or an enemy carries in its status block:
// applying one (immunities, refresh, cancellation, what it does at once),
// running out by its duration, the ordered list of active effects whose icon
// cycles over a member, and the marks that float above a battler when an
// effect starts. Enemies use the same operations with the enemy side.
#pragma once

#include <cstdint>

#include "party/Character.h"

constexpr int EFFECT_SIDE_ENEMY = 0;
constexpr int EFFECT_SIDE_PARTY = 1;
// Rows of the duration table.
constexpr int EFFECT_ROW_PARTY = 0;
constexpr int EFFECT_ROW_ENEMY = 1;
// Frames a mark floats; marks follow each other this many frames apart.
constexpr int EFFECT_MARK_LIFE = 48;
constexpr int EFFECT_MARK_GAP = 40;
// Frames an effect's icon stays before the next active one is shown.
constexpr int EFFECT_ICON_FRAMES = 60;
// A poisoned member takes its damage every this many frames.
constexpr int POISON_PERIOD = 300;

// Applies effect 0-18 at boost level 0-3 to the block of member or enemy `index`.
void ApplyHitStatusEffects(StatusEffectBlock& block, int side, int index, int effect, int level);
// Once per frame of the owner: with `count` the effects age and run out; the icon cycles.
void TickStatusEffects(StatusEffectBlock& block, int row, bool count);
// Takes the effect out of the active list and drops its pending marks; the caller clears the bit.
void RemoveStatusEffect(StatusEffectBlock& block, int effect);
// Ends every active ailment (5-18), every boost (0-4), or everything at once.
void RemoveStatusEffectsFrom5(StatusEffectBlock& block);
void RemoveStatusEffectsBelow5(StatusEffectBlock& block);
void ClearStatusEffects(StatusEffectBlock& block);
// A member up loses its ailments, with sound 8 and sparkles round it.
void CureMemberAilments(int member);
// The active effects (bits 0-18) still running after `frames` more frames,
// by row `row` of the duration table.
std::uint32_t GetExpiringEffects(const StatusEffectBlock& block, int frames, int row);
// The next active effect's icon is shown at once.
void AdvanceShownEffect(StatusEffectBlock& block);

// The active list: an effect joins in ascending order; a kind's marks not
// shown yet are dropped.
void InsertActiveEffect(StatusEffectBlock& block, int effect);
void RemovePendingMarks(StatusEffectBlock& block, int kind);
// Adds a floating mark of `kind` (an effect) at `level`; a 20th is dropped.
void AddEffectMark(StatusEffectBlock& block, int kind, int level);
// Once per frame while marks exist: they age, and one 48 frames old goes.
void TickEffectTimers(StatusEffectBlock& block);

// Every party frame under poison: every 300 frames 4 % of MaxHP (10 % when
// weakened), never the last HP.
void TickPoisonDamage(int member);
// Slip: the velocity eases towards the wanted one through the slide vector.
float EaseValue(float current, float target);
void EaseMemberVector(StatusEffectBlock& block, float& velX, float& velY);
// The same easing from `pair` towards (x, y), written into x and y only.
void EaseVectorPair(const float pair[2], float& x, float& y);

// A mark's label (the effect's name, or a boost level's label for effects 0
// and 1), its measured width and its colour at `timer` frames.
const char16_t* GetEffectColor(int kind, int level);
float GetEffectScale(int kind, int level);
std::uint32_t FadeAlphaColor(int timer);
// The member's marks over its head, and the icon of its shown effect.
void DrawMemberEffects(int member);
void DrawPartyBattleOverlay(int member);
