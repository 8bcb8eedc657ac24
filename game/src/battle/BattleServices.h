// What the battle scene offers the other areas of the game. Other areas include this
// header only; everything else in battle/ is its own business.
#pragma once

#include <cstdint>

#include "battle/BattleBackground.h" // class CBattleBackground: the backdrop, the status panel and its digits
#include "battle/BattleEffect.h"     // class CBattleEffect: the popups, the sparkles and the label text
#include "battle/BattleEnd.h"        // class CBattleEnd: the result, the closing fade and the opening's black quad
#include "battle/BattleMenu.h"       // class CBattleMenu: the battle command menu
#include "battle/BattleTouch.h"      // class CBattleTouch: the contacts and who touches whom
#include "battle/EncountEffect.h"    // class CEncountEffect: the transition from the map into a battle
#include "battle/GameOverEffect.h"   // class CGameOverEffect: the game-over scene and the screen capture
#include "battle/MagicCircle.h"      // class CMagicCircle: the magic circles under casting actors
#include "core/Parts.h"              // the part pointers the queries below read
#include "core/TextArguments.h"      // the whole-text length of a label

// For the party and the enemies: the popups over the actors and the status labels drawn over them.

// Popup kinds: bursts at an action's start and release, numbers for damage,
// healing and SP, and the second burst.
enum PopupKind : int {
    POPUP_ACTION_START = 0,
    POPUP_ACTION_RELEASE = 1,
    POPUP_DAMAGE = 2,
    POPUP_HEAL = 3,
    POPUP_SECOND_BURST = 4,
    POPUP_SP = 5,
};

// Draws a zero-terminated label at (x, y) and depth z in the colour, with the
// effect object's label text (the same text that measured the labels at start-up).
inline void DrawBattleLabel(float x, float y, float z, const char16_t* label, std::uint32_t colour)
{
    if (TheBattleEffect != nullptr)
        TheBattleEffect->DrawBattleLabel(label, x, y, z, colour);
}

// For the party: a status label's width, whether an actor casts under a magic circle, and how a battle ended.

// The width of a status label (an effect's name or a boost level's label); 0 without the effect object.
inline float GetStatusLabelWidth(const char16_t* label)
{
    return TheBattleEffect != nullptr ? TheBattleEffect->GetBattleLabelWidth(label, TEXT_WHOLE) : 0.0f;
}

// Whether a live circle of that owner (side 1 a party member, 0 an enemy) exists.
inline bool HasMagicCircle(int side, int slot)
{
    return TheMagicCircle != nullptr && TheMagicCircle->HasMagicCircleOfSide(side, slot);
}

// How a battle ended.
enum BattleEndKind : std::int32_t {
    BATTLE_END_WON = 0,
    BATTLE_END_LOST = 1, // a battle that may be lost
    BATTLE_END_ESCAPED = 2,
};

// For the enemies: the ranges the aligned-target searches of the contacts know.

// A range index of FindTargetsAlignedX/Y is below this.
constexpr int TOUCH_RANGES = 7;
