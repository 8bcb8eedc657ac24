// The battle's game buttons as the party reads them: pushed this frame (the
// mask the party update takes once a frame) or held now.
#pragma once

#include <cstdint>

#include "core/ZephGlobals.h"
#include "party/Character.h"

enum BattleButton : int {
    BUTTON_ATTACK = 0,
    BUTTON_STRIKE = 1, // also cancels member 2's cast
    BUTTON_MENU = 2,
    BUTTON_LEADER = 3,
    BUTTON_SKILL1 = 4,
    BUTTON_SKILL2 = 5,
    BUTTON_QUICK_FIRST = 4, // buttons 4-9: the six quick commands
    BUTTON_SHIFT = 10,      // held: the second quick-command set, no skills
};
constexpr int BATTLE_BUTTON_COUNT = 11;

// Sound effects of the party's input.
constexpr int SE_LEADER_CHANGE = 10;
constexpr int SE_MAGIC_OFF = 5;

// Reads this frame's push mask into the party.
inline void ReadBattlePushMask()
{
    TheCharacter->pushedButtons =
        ZephKeyInput != nullptr ? static_cast<std::uint32_t>(ZephKeyInput->GetButtonPushMask(BATTLE_BUTTON_COUNT)) : 0u;
}

inline bool Pushed(int button)
{
    return (TheCharacter->pushedButtons >> button) & 1u;
}

inline bool Held(int button)
{
    return ZephKeyInput != nullptr && ZephKeyInput->IsButtonHold(static_cast<std::uint8_t>(button));
}

// Directions held now: 1 up, 2 down, 4 left, 8 right.
inline std::uint32_t HeldDirections()
{
    return ZephKeyInput != nullptr ? static_cast<std::uint32_t>(ZephKeyInput->GetDirectionHold()) & 15u : 0u;
}

// The quick-command set in use: the second while button 10 is held.
inline const QuickSlot& QuickSlotOfButton(int button)
{
    return TheCharacter->quickSlots[Held(BUTTON_SHIFT) ? 1 : 0][button - BUTTON_QUICK_FIRST];
}
