// Putting items and magic on the shortcut buttons from the field menu.
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "media/PlaySE.h"
#include "party/BattleButtons.h"
#include "party/Character.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kShortcutItemLimit = 36;
constexpr std::uint8_t kSlotMagic = 1;
constexpr std::uint8_t kSlotItem = 2;
constexpr std::uint8_t kSlotAttackLevel = 4;
constexpr int kFixedSlots = 2;      // the first set's slots 0 and 1
constexpr int kFirstFreeButton = 6; // buttons 4 and 5 hold fixed commands in the first set

// Stores the entry in the slot of the first pushed shortcut button that the
// set allows; false when none does.
bool StoreInSlot(CCharacter& party, std::uint8_t kind, int id, int buttons)
{
    const bool secondSet = ZephKeyInput != nullptr && ZephKeyInput->IsButtonHold(BUTTON_SHIFT);
    const int page = secondSet ? 1 : 0;
    for (int button = BUTTON_QUICK_FIRST; button < BUTTON_QUICK_FIRST + QUICK_SLOTS_PER_PAGE; ++button) {
        if (!(buttons & (1 << button)))
            continue;
        if (!secondSet && button < kFirstFreeButton)
            continue;
        party.quickSlots[page][button - BUTTON_QUICK_FIRST] = {kind, static_cast<std::int16_t>(id)};
        return true;
    }
    return false;
}

} // namespace

void CCharacter::AssignItemShortcut(int item, int buttons)
{
    SceneTrace::Note("AssignItemShortcut", item);
    const bool stored = item >= 0 && item < kShortcutItemLimit && StoreInSlot(*this, kSlotItem, item, buttons);
    PlaySoundEffect(stored ? SE_SET : SE_REFUSE);
}

void CCharacter::AssignMagicShortcut(int magic, int buttons)
{
    SceneTrace::Note("AssignMagicShortcut", magic);
    // A magic not learned is refused without a sound.
    if (magic < 0 || magic >= MAGIC_COUNT || learned[magic] == 0)
        return;
    PlaySoundEffect(StoreInSlot(*this, kSlotMagic, magic, buttons) ? SE_SET : SE_REFUSE);
}

void CCharacter::ToggleSkillEnabled(int magic)
{
    SceneTrace::Note("ToggleSkillEnabled", magic);
    if (magic >= 0 && magic < MAGIC_COUNT)
        autoMagicAllowed[magic] = autoMagicAllowed[magic] ? 0 : 1;
}

bool AssignCommandToSlot(int level, int buttons)
{
    SceneTrace::Note("AssignCommandToSlot", level);
    const bool stored = TheCharacter != nullptr && level >= 0 && level <= HIGHEST_ATTACK_LEVEL &&
                        StoreInSlot(*TheCharacter, kSlotAttackLevel, level, buttons);
    PlaySoundEffect(stored ? SE_SET : SE_REFUSE);
    return stored;
}

void SetCommandSlot(int slot, int set, int kind, int id)
{
    if (TheCharacter == nullptr || slot < 0 || slot >= QUICK_SLOTS_PER_PAGE || set < 0 || set >= QUICK_SLOT_PAGES)
        return;
    if (set == 0 && slot < kFixedSlots)
        return;
    TheCharacter->quickSlots[set][slot] = {static_cast<std::uint8_t>(kind), static_cast<std::int16_t>(id)};
}
