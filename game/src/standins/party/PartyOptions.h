// Stand-in for the party's option services the field menu's settings pages
// call: not built yet. Each notes that it ran (see SceneTrace.h) and stores
// its value where the party keeps it. Delete this file when the party's
// services land in game/src/party/.
#pragma once

#include <cstdint>

#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "media/PlaySE.h"
#include "party/BattleButtons.h"
#include "party/Character.h"

namespace partyoptions {

// Where each battle option lives: the word (0 the state word, 1 the second
// one), its first bit and its width.
struct OptionField {
    int word;
    int shift;
    int width;
};
constexpr OptionField kBattleOptions[6] = {
    {0, 10, 4}, // HP heal percent index
    {0, 14, 4}, // group heal percent index
    {1, 14, 4}, // prayer percent index
    {1, 26, 1}, // no interruption
    {0, 25, 1}, // shortcut items prefer the controlled member
    {0, 27, 1}, // shortcut chanting starts even when colours are short
};
constexpr int kLeaderShift = 18;
constexpr std::uint32_t kLearningPointsMask = 0x7F;
constexpr int kLearnCosts[4] = {1, 3, 5, 7};

inline void StoreBits(std::uint32_t& word, int shift, int width, int value)
{
    const std::uint32_t mask = ((1u << width) - 1u) << shift;
    word = (word & ~mask) | ((static_cast<std::uint32_t>(value) << shift) & mask);
}

} // namespace partyoptions

inline void SetPartyLeader(int member, bool clear)
{
    SceneTrace::Note("SetPartyLeader", member);
    (void)clear;
    if (TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT)
        partyoptions::StoreBits(TheCharacter->partyWordC, partyoptions::kLeaderShift, 2, member);
}

inline void SetBattleOption(int field, int value, int)
{
    SceneTrace::Note("SetBattleOption", field * 100 + value);
    if (TheCharacter == nullptr || field < 0 || field >= 6)
        return;
    const partyoptions::OptionField& at = partyoptions::kBattleOptions[field];
    partyoptions::StoreBits(at.word == 0 ? TheCharacter->partyWordC : TheCharacter->partyWordD, at.shift, at.width,
                            value);
}

// The cure choices are bits 5-18 of the option word the save keeps whole.
inline void TogglePartyOptionBit(int bit)
{
    SceneTrace::Note("TogglePartyOptionBit", bit);
    if (TheCharacter != nullptr && bit >= 0 && bit < 32)
        TheCharacter->curableMask ^= 1u << bit;
}

// Learns magic `magic` and pays its cost from the learning points.
inline void LearnMagic(int magic)
{
    SceneTrace::Note("LearnMagic", magic);
    if (TheCharacter == nullptr || magic < 0 || magic >= MAGIC_COUNT)
        return;
    CCharacter& party = *TheCharacter;
    const int points = static_cast<int>(party.partyWordD & partyoptions::kLearningPointsMask);
    const int cost = partyoptions::kLearnCosts[magic % 4];
    if (party.learned[magic] != 0 || points < cost)
        return;
    party.learned[magic] = 1;
    partyoptions::StoreBits(party.partyWordD, 0, 7, points - cost);
}

inline void SetCommandSlot(int slot, int set, int kind, int id)
{
    SceneTrace::Note("SetCommandSlot", set * 100 + slot);
    if (TheCharacter == nullptr || slot < 0 || slot >= QUICK_SLOTS_PER_PAGE || set < 0 || set >= QUICK_SLOT_PAGES)
        return;
    TheCharacter->quickSlots[set][slot] = {static_cast<std::uint8_t>(kind), static_cast<std::int16_t>(id)};
}

// Puts member skill `skill` (kind 4) on the first pushed shortcut button of
// the set button 10 chooses (buttons 4 and 5 only in the second set); sound 6
// when stored, 3 when not.
inline void AssignCommandToSlot(int skill, int buttons)
{
    SceneTrace::Note("AssignCommandToSlot", skill);
    constexpr std::uint8_t kSlotSkill = 4;
    constexpr int kFirstFreeButton = 6;
    bool stored = false;
    if (TheCharacter != nullptr) {
        const bool secondSet = ZephKeyInput != nullptr && ZephKeyInput->IsButtonHold(BUTTON_SHIFT);
        for (int button = BUTTON_QUICK_FIRST; !stored && button < BUTTON_QUICK_FIRST + QUICK_SLOTS_PER_PAGE; ++button) {
            if (!(buttons & (1 << button)) || (!secondSet && button < kFirstFreeButton))
                continue;
            TheCharacter->quickSlots[secondSet ? 1 : 0][button - BUTTON_QUICK_FIRST] = {
                kSlotSkill, static_cast<std::int16_t>(skill)};
            stored = true;
        }
    }
    PlaySoundEffect(stored ? SE_SET : SE_REFUSE);
}

// Flips member option byte 1 or 2 (the member's skill switches).
inline void ToggleMemberOption(int member, int option)
{
    SceneTrace::Note("ToggleMemberOption", member * 10 + option);
    if (TheCharacter != nullptr && member >= 0 && member < PARTY_MEMBER_COUNT && option >= 0 && option < 3)
        TheCharacter->memberOptions[member][option] ^= 1u;
}

// Draws icon `icon` of the party's icon strip, 16 × 16, top-left at (x, y).
inline void DrawPartyIcon(int icon, float, float, float)
{
    SceneTrace::Note("DrawPartyIcon", icon);
}
