// The learn states of the 24 magics: learned, learnable (a chain's first,
// or the one after a learned one) or not yet; and the points text.
#include "menu/MenuMagicLearn.h"

#include "core/Parts.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"

namespace {
constexpr std::uint32_t kLearningPoints = 0x7F;
} // namespace

void CMapMenu::RefreshMagicLearnStates()
{
    const CCharacter& party = *TheCharacter;
    for (int m = 0; m < MENU_LEARNABLE_MAGIC; ++m) {
        if (party.learned[m] != 0)
            learnStates[m] = MAGIC_LEARNED;
        else if (m % MAGIC_CHAIN_LENGTH == 0 || party.learned[m - 1] != 0)
            learnStates[m] = MAGIC_LEARNABLE;
        else
            learnStates[m] = MAGIC_NOT_YET;
    }
    learnPoints.length = static_cast<std::uint8_t>(
        FormatNumber(static_cast<std::int32_t>(party.partyWordD & kLearningPoints), learnPoints.text));
}
