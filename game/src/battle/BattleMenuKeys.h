// How the battle menu's state handlers read the buttons: the push mask of
// the first n buttons, once a handler, and button 10 held.
#pragma once

#include <cstdint>

#include "core/ZephGlobals.h"
#include "menu/MenuServices.h"

// The buttons each kind of state reads: confirm, cancel, menu; with the
// per-state extra; with the six shortcut buttons.
constexpr int BATTLE_KEYS_BASIC = 3;
constexpr int BATTLE_KEYS_EXTRA = 4;
constexpr int BATTLE_KEYS_SHORTCUTS = 10;
constexpr std::uint32_t BATTLE_SHORTCUT_BUTTONS = 0x3F0u; // buttons 4 to 9

inline std::uint32_t BattleMenuButtons(int count)
{
    return static_cast<std::uint32_t>(ZephKeyInput->GetButtonPushMask(count));
}

inline bool BattleMenuModifierHeld()
{
    return ZephKeyInput->IsButtonHold(MENU_MODIFIER_BUTTON);
}
