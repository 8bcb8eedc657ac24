// The equipment and skill pages on the menu fixture, with small weapon,
// armour and accessory tables whose rows each case writes.
#pragma once

#include <array>
#include <vector>

#include "EquipmentTables.h"
#include "MenuFixture.h"
#include "core/EquipmentRows.h"
#include "menu/MenuTextDraw.h"
#include "core/GameDataTables.h"
#include "party/Character.h"

namespace menutest {

using testsupport::GuardRow;

class EquipTest : public MenuTest, protected testsupport::EquipmentTables {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        std::memset(data().heldWeapons, 0, sizeof data().heldWeapons);
        std::memset(data().heldArmor, 0, sizeof data().heldArmor);
        std::memset(data().heldAccessories, 0, sizeof data().heldAccessories);
        for (int m = 0; m < 3; ++m)
            for (int kind = 0; kind < 3; ++kind)
                parts->party.equipment[kind][m] = -1;
    }

    // Held pieces with the sorted lists rebuilt.
    void HoldWeapon(int member, int id, int count = 1)
    {
        data().heldWeapons[member][id] = static_cast<std::int8_t>(count);
        data().RebuildItemLists(ITEM_CATEGORY_WEAPON + member, false);
    }
    void HoldArmour(int member, int id, int count = 1)
    {
        data().heldArmor[member][id] = static_cast<std::int8_t>(count);
        data().RebuildItemLists(ITEM_CATEGORY_ARMOR + member, false);
    }
    void HoldAccessory(int id, int count = 1)
    {
        data().heldAccessories[id] = static_cast<std::int8_t>(count);
        data().RebuildItemLists(ITEM_CATEGORY_ACCESSORY, false);
    }

    // The member's base stats, which its pieces add to.
    void BaseStats(int member, std::array<int, 4> stats)
    {
        for (int s = 0; s < 4; ++s)
            parts->party.statsA[member][s] = static_cast<std::int16_t>(stats[s]);
    }
    // The member's figures as the party keeps them (and the status panel shows them).
    void Figures(int member, std::array<int, 4> stats, int maxSp, int maxStamina, std::array<int, 4> levels)
    {
        for (int s = 0; s < 4; ++s)
            SetMemberSlotB(member, s, stats[s]);
        SetMemberMaxMP(member, maxSp);
        SetMemberMaxGauge(member, maxStamina);
        for (int c = 0; c < 4; ++c)
            parts->party.elementLevel[member][c] = static_cast<std::uint8_t>(levels[c]);
    }

    // The menu on the candidate list of a member's slot.
    void OpenCandidates(int member, int kind)
    {
        menu().SetMapMenuMode(MenuTop);
        menu().SetMapMenuMode(MenuEquipMember);
        menu().memberCursor = static_cast<std::int8_t>(member);
        menu().SetMapMenuMode(MenuEquipSlot);
        menu().slotKind = static_cast<std::int8_t>(kind);
        menu().SetMapMenuMode(MenuEquipList);
        TakeSounds();
        SceneTrace::Clear();
    }
    // The texts one drawer drew.
    template <typename Draw> std::vector<DrawnText> Drawn(Draw draw)
    {
        text.drawn.clear();
        draw();
        return text.drawn;
    }
};

} // namespace menutest
