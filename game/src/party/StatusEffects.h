// The 19 status effects a member or an enemy carries in its status block:
// applying one (immunities, refresh, cancellation, what it does at once),
// running out by its duration, the ordered list of active effects whose icon
// cycles over a member, and the marks that float above a battler when an
// effect starts. What enemies and the battle scene call is in
// PartyServices.h; these are the party's own steps.
#pragma once

#include "party/Character.h"

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

// A member up loses its ailments, with sound 8 and sparkles round it.
void CureMemberAilments(int member);
// The next active effect's icon is shown at once.
void AdvanceShownEffect(StatusEffectBlock& block);

// The active list: an effect joins in ascending order; a kind's marks not
// shown yet are dropped.
void InsertActiveEffect(StatusEffectBlock& block, int effect);
void RemovePendingMarks(StatusEffectBlock& block, int kind);
// Adds a floating mark of `kind` (an effect) at `level`; a 20th is dropped.
void AddEffectMark(StatusEffectBlock& block, int kind, int level);

// Every party frame under poison: every 300 frames 4 % of MaxHP (10 % when
// weakened), never the last HP.
void TickPoisonDamage(int member);
// Slip: the member's velocity eases towards the wanted one through the slide vector.
void EaseMemberVector(StatusEffectBlock& block, float& velX, float& velY);
