#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>

#include "PartyFixture.h"
#include "party/Equipment.h"

namespace {

using fakes::CallLog;

using Setup = std::function<void(PartyWorld&)>;
using Trio = std::array<int, 3>;

std::string Played(int id)
{
    return "Play(" + std::to_string(id) + ")";
}

Trio HpOf(const CCharacter& party)
{
    return {party.hp[0], party.hp[1], party.hp[2]};
}

Trio SpOf(const CCharacter& party)
{
    return {party.sp[0], party.sp[1], party.sp[2]};
}

struct HealCase {
    const char* what;
    int item;
    int member;
    bool autoTarget;
    Setup setup;
    bool used;
    Trio hp;
    Trio sp;
};

// HP and SP items: who gains, how much, and when the item has no effect and stays.
TEST(FieldUseTest, HealingItems)
{
    const HealCase cases[] = {
        {"half heal on a hurt member",
         0,
         1,
         false,
         [](PartyWorld& w) { w.Hp(200, 50, 200); },
         true,
         {200, 150, 200},
         {50, 50, 50}},
        {"a member at full HP refuses", 0, 1, false, [](PartyWorld&) {}, false, {200, 200, 200}, {50, 50, 50}},
        {"a full heal stops at the maximum",
         1,
         0,
         false,
         [](PartyWorld& w) { w.Hp(150, 200, 200); },
         true,
         {200, 200, 200},
         {50, 50, 50}},
        {"a quarter heal", 6, 2, false, [](PartyWorld& w) { w.Hp(200, 200, 10); }, true, {200, 200, 60}, {50, 50, 50}},
        {"auto target: the lowest share",
         0,
         0,
         true,
         [](PartyWorld& w) { w.Hp(180, 190, 100); },
         true,
         {180, 190, 200},
         {50, 50, 50}},
        {"auto target: the leader first when asked",
         0,
         0,
         true,
         [](PartyWorld& w) {
             w.Hp(180, 190, 100);
             w.SetLeader(1, true);
         },
         true,
         {180, 200, 100},
         {50, 50, 50}},
        {"auto target: a leader at full HP yields to the lowest",
         0,
         0,
         true,
         [](PartyWorld& w) {
             w.Hp(180, 200, 100);
             w.SetLeader(1, true);
         },
         true,
         {180, 200, 200},
         {50, 50, 50}},
        {"party heal with only the third member hurt",
         2,
         0,
         false,
         [](PartyWorld& w) { w.Hp(200, 200, 1); },
         true,
         {200, 200, 200},
         {50, 50, 50}},
        {"party heal with nobody hurt", 2, 0, false, [](PartyWorld&) {}, false, {200, 200, 200}, {50, 50, 50}},
        {"party heal of 75 percent",
         47,
         0,
         false,
         [](PartyWorld& w) { w.Hp(10, 200, 100); },
         true,
         {160, 200, 200},
         {50, 50, 50}},
        {"SP to one member",
         19,
         0,
         false,
         [](PartyWorld& w) { w.Sp(10, 50, 50); },
         true,
         {200, 200, 200},
         {50, 50, 50}},
        {"SP item on a member at full SP", 8, 2, false, [](PartyWorld&) {}, false, {200, 200, 200}, {50, 50, 50}},
        {"SP auto target", 8, 0, true, [](PartyWorld& w) { w.Sp(40, 0, 45); }, true, {200, 200, 200}, {40, 50, 45}},
        {"SP to everyone", 44, 0, false, [](PartyWorld& w) { w.Sp(10, 50, 40); }, true, {200, 200, 200}, {40, 50, 50}},
        {"SP to everyone, nobody short", 10, 0, false, [](PartyWorld&) {}, false, {200, 200, 200}, {50, 50, 50}},
        {"full restore on full HP but short SP",
         11,
         0,
         false,
         [](PartyWorld& w) { w.Sp(0, 50, 50); },
         true,
         {200, 200, 200},
         {50, 50, 50}},
        {"full restore on full HP and SP", 11, 0, false, [](PartyWorld&) {}, false, {200, 200, 200}, {50, 50, 50}},
        {"full restore auto: the leader short of SP first",
         11,
         0,
         true,
         [](PartyWorld& w) {
             w.Hp(20, 200, 200);
             w.Sp(50, 50, 0);
             w.SetLeader(2, true);
         },
         true,
         {20, 200, 200},
         {50, 50, 50}},
        {"full restore auto: nobody hurt, the one short of SP",
         11,
         0,
         true,
         [](PartyWorld& w) { w.Sp(50, 5, 50); },
         true,
         {200, 200, 200},
         {50, 50, 50}},
        {"full restore auto: the most hurt",
         11,
         0,
         true,
         [](PartyWorld& w) {
             w.Hp(200, 150, 30);
             w.Sp(0, 50, 50);
         },
         true,
         {200, 150, 200},
         {0, 50, 50}},
        {"party restore with only SP short",
         12,
         0,
         false,
         [](PartyWorld& w) { w.Sp(50, 50, 1); },
         true,
         {200, 200, 200},
         {50, 50, 50}},
        {"party restore with nothing short", 12, 0, false, [](PartyWorld&) {}, false, {200, 200, 200}, {50, 50, 50}},
        {"a cure has no use outside battle",
         3,
         0,
         false,
         [](PartyWorld& w) { w.Hp(1, 1, 1); },
         false,
         {1, 1, 1},
         {50, 50, 50}},
        {"a revive has no use outside battle",
         13,
         0,
         false,
         [](PartyWorld& w) { w.Hp(1, 1, 1); },
         false,
         {1, 1, 1},
         {50, 50, 50}},
        {"an item without a use rule",
         48,
         0,
         false,
         [](PartyWorld& w) {
             w.Hp(1, 1, 1);
             w.data.heldItems[48] = 5;
         },
         false,
         {1, 1, 1},
         {50, 50, 50}},
        {"an item not held",
         0,
         0,
         false,
         [](PartyWorld& w) {
             w.Hp(1, 1, 1);
             w.data.heldItems[0] = 0;
         },
         false,
         {1, 1, 1},
         {50, 50, 50}},
        {"a member past the party", 0, 3, false, [](PartyWorld& w) { w.Hp(1, 1, 1); }, false, {1, 1, 1}, {50, 50, 50}},
        {"a negative member", 8, -1, false, [](PartyWorld& w) { w.Sp(0, 0, 0); }, false, {200, 200, 200}, {0, 0, 0}},
        {"a negative item", -1, 0, false, [](PartyWorld& w) { w.Hp(1, 1, 1); }, false, {1, 1, 1}, {50, 50, 50}},
    };
    for (const HealCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto world = MakeWorld();
        c.setup(*world);
        const int heldBefore = c.item >= 0 ? world->data.heldItems[c.item] : 0;
        EXPECT_EQ(world->data.UseFieldItem(c.item, c.member, c.autoTarget, false), c.used);
        EXPECT_EQ(HpOf(world->party), c.hp);
        EXPECT_EQ(SpOf(world->party), c.sp);
        if (c.item >= 0) {
            EXPECT_EQ(world->data.heldItems[c.item], heldBefore - (c.used ? 1 : 0));
        }
        EXPECT_EQ(world->Sounds(), c.used ? CallLog{Played(8)} : CallLog{});
    }
}

struct StockCase {
    const char* what;
    int item;
    bool inBattle;
    std::uint32_t mapFlagsB; // with no map when 0
    std::array<int, STOCK_COUNT> before;
    bool used;
    std::array<int, STOCK_COUNT> after;
};

// Stock items fill one stock by 50 or 100 up to its maximum; the last one
// takes 100 from every stock, except on maps that refill them.
TEST(FieldUseTest, StockItems)
{
    const StockCase cases[] = {
        {"first small fill", 22, false, 0, {0, 0, 0, 0, 0, 0}, true, {50, 0, 0, 0, 0, 0}},
        {"last small fill", 27, false, 0, {0, 0, 0, 0, 0, 0}, true, {0, 0, 0, 0, 0, 50}},
        {"large fill stops at the maximum", 28, false, 0, {120, 0, 0, 0, 0, 0}, true, {200, 0, 0, 0, 0, 0}},
        {"last large fill", 33, false, 0, {0, 0, 0, 0, 0, 7}, true, {0, 0, 0, 0, 0, 107}},
        {"a full stock refuses", 22, false, 0, {200, 0, 0, 0, 0, 0}, false, {200, 0, 0, 0, 0, 0}},
        {"drain", 34, false, 0, {150, 50, 0, 0, 0, 101}, true, {50, 0, 0, 0, 0, 1}},
        {"drain with every stock empty", 34, false, 0, {0, 0, 0, 0, 0, 0}, false, {0, 0, 0, 0, 0, 0}},
        {"drain on a refilling map", 34, false, 1u << 7, {150, 0, 0, 0, 0, 0}, false, {150, 0, 0, 0, 0, 0}},
        {"drain in battle ignores the map", 34, true, 1u << 7, {150, 0, 0, 0, 0, 0}, true, {50, 0, 0, 0, 0, 0}},
        {"drain on a map with other flags", 34, false, ~(1u << 7), {150, 0, 0, 0, 0, 0}, true, {50, 0, 0, 0, 0, 0}},
        {"not a stock item", 21, false, 0, {0, 0, 0, 0, 0, 0}, false, {0, 0, 0, 0, 0, 0}},
        {"past the stock items", 35, false, 0, {0, 0, 0, 0, 0, 0}, false, {0, 0, 0, 0, 0, 0}},
    };
    for (const StockCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto world = MakeWorld();
        if (c.mapFlagsB != 0)
            world->EnterMap(c.mapFlagsB);
        for (int k = 0; k < STOCK_COUNT; ++k)
            world->party.stock[k] = static_cast<std::int16_t>(c.before[static_cast<std::size_t>(k)]);
        EXPECT_EQ(world->data.ApplyRestoreItem(c.item, c.inBattle), c.used);
        std::array<int, STOCK_COUNT> after{};
        for (int k = 0; k < STOCK_COUNT; ++k)
            after[static_cast<std::size_t>(k)] = world->party.stock[k];
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(world->Sounds(), c.used ? CallLog{Played(7)} : CallLog{});
    }
}

// Used from the menu, a stock item is spent only when it had an effect, and
// its sound plays once.
TEST(FieldUseTest, StockItemSpentOnlyWhenUsed)
{
    auto world = MakeWorld();
    world->party.stock[1] = 200;
    EXPECT_FALSE(world->data.UseFieldItem(23, 0, false, false));
    EXPECT_EQ(world->data.heldItems[23], 5);
    world->party.stock[1] = 0;
    EXPECT_TRUE(world->data.UseFieldItem(23, 0, false, false));
    EXPECT_EQ(world->party.stock[1], 50);
    EXPECT_EQ(world->data.heldItems[23], 4);
    EXPECT_EQ(world->Sounds(), CallLog{Played(7)});
}

struct GrowthCase {
    const char* what;
    int item;
    int member;
    Setup setup;
    bool used;
    std::int32_t baseMaxHp; // of the member after the use
    std::int32_t maxHp;
    int stat; // the raised stat's value after the use (items 36 to 39)
};

// Seeds raise the base maximum HP by 10 or a base stat by 1, up to their caps.
TEST(FieldUseTest, GrowthItems)
{
    const GrowthCase cases[] = {
        {"maximum HP + 10", 35, 0, [](PartyWorld&) {}, true, 210, 210, 0},
        {"maximum HP stops at 99999", 35, 1, [](PartyWorld&) { SetMemberMaxHP(1, 99995, 0); }, true, 99999, 99999, 0},
        {"maximum HP at 99999 refuses", 35, 2, [](PartyWorld&) { SetMemberMaxHP(2, 99999, 0); }, false, 99999, 99999,
         0},
        {"the ability scaling follows the new base", 35, 0, [](PartyWorld& w) { w.party.abilityBits[0] = 1u << 25; },
         true, 210, 262, 0},
        {"first stat + 1", 36, 0, [](PartyWorld&) {}, true, 200, 200, 11},
        {"first stat at 9999 refuses", 36, 0, [](PartyWorld& w) { w.party.statsA[0][0] = 9999; }, false, 200, 200,
         9999},
        {"first stat 9998 reaches the cap", 36, 1, [](PartyWorld& w) { w.party.statsA[1][0] = 9998; }, true, 200, 200,
         9999},
        {"fourth stat of the third member", 39, 2, [](PartyWorld&) {}, true, 200, 200, 11},
        {"a member past the party", 37, 3, [](PartyWorld&) {}, false, 0, 0, 0},
    };
    for (const GrowthCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto world = MakeWorld();
        c.setup(*world);
        const bool raisesStat = c.item >= 36 && c.member <= 2;
        int derivedBefore = 0;
        if (raisesStat) {
            SetMemberEquipAndRefresh(c.member);
            derivedBefore = world->party.statsB[c.member][c.item - 36];
        }
        EXPECT_EQ(world->data.UseFieldItem(c.item, c.member, false, false), c.used);
        EXPECT_EQ(world->data.heldItems[c.item], c.used ? 4 : 5);
        if (raisesStat) {
            EXPECT_EQ(world->party.statsB[c.member][c.item - 36], std::min(derivedBefore + (c.used ? 1 : 0), 9999))
                << "the stat after equipment follows the raise at once";
        }
        EXPECT_EQ(world->Sounds(), c.used ? CallLog{Played(7)} : CallLog{});
        if (c.member > 2)
            continue;
        EXPECT_EQ(world->party.baseMaxHp[c.member], c.baseMaxHp);
        EXPECT_EQ(world->party.maxHp[c.member], c.maxHp);
        if (c.item >= 36) {
            EXPECT_EQ(world->party.statsA[c.member][c.item - 36], c.stat);
        }
    }
}

// Spent through the list, the last item also leaves the sorted list; spent
// directly, only its count falls and the caller rebuilds.
TEST(FieldUseTest, TheLastItemLeavesTheListOnlyThroughTheList)
{
    for (const bool throughList : {true, false}) {
        SCOPED_TRACE(throughList);
        auto world = MakeWorld();
        for (int item = 0; item < 48; ++item)
            world->data.heldItems[item] = item == 0 || item == 5 ? 1 : 0;
        world->data.RebuildItemLists(0, false);
        world->Hp(100, 200, 200);
        ASSERT_EQ(world->data.categoryListCount[0], 2);
        EXPECT_TRUE(world->data.UseFieldItem(5, 0, false, throughList));
        EXPECT_EQ(world->data.heldItems[5], 0);
        EXPECT_EQ(world->data.categoryListCount[0], throughList ? 1 : 2);
        EXPECT_EQ(world->data.categoryList[0][0], throughList ? 0 : 5);
    }
}

struct MagicCase {
    const char* what;
    int magic;
    int member;
    bool autoTarget;
    bool learned;
    int stock; // stock 4, which pays magic 16 to 19
    Trio hpBefore;
    bool used;
    Trio hp;
    int stockAfter;
};

// Healing magic outside battle: learned, paid from its stock, and only when it heals.
TEST(FieldUseTest, HealingMagic)
{
    const MagicCase cases[] = {
        {"80 percent to one member", 16, 1, false, true, 20, {200, 30, 200}, true, {200, 190, 200}, 4},
        {"not learned", 16, 1, false, false, 20, {200, 30, 200}, false, {200, 30, 200}, 20},
        {"stock one short of the cost", 16, 1, false, true, 15, {200, 30, 200}, false, {200, 30, 200}, 15},
        {"target at full HP", 16, 0, false, true, 20, {200, 30, 200}, false, {200, 30, 200}, 20},
        {"75 percent to the most hurt", 19, 0, true, true, 40, {150, 190, 20}, true, {150, 190, 170}, 8},
        {"60 percent to everyone", 18, 0, false, true, 30, {10, 200, 100}, true, {130, 200, 200}, 6},
        {"party heal with 9 in its stock", 18, 0, false, true, 9, {10, 200, 100}, false, {10, 200, 100}, 9},
        {"party heal with nobody hurt", 18, 0, false, true, 30, {200, 200, 200}, false, {200, 200, 200}, 30},
        {"a magic without a field effect", 17, 0, false, true, 30, {10, 10, 10}, false, {10, 10, 10}, 30},
        {"a magic id past the table", 24, 0, false, true, 30, {10, 10, 10}, false, {10, 10, 10}, 30},
        {"a member past the party", 16, 3, false, true, 30, {10, 10, 10}, false, {10, 10, 10}, 30},
    };
    for (const MagicCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto world = MakeWorld();
        if (c.magic >= 0 && c.magic < MAGIC_COUNT)
            world->party.learned[c.magic] = c.learned ? 1 : 0;
        world->party.stock[4] = static_cast<std::int16_t>(c.stock);
        world->Hp(c.hpBefore[0], c.hpBefore[1], c.hpBefore[2]);
        EXPECT_EQ(world->data.UseFieldMagic(c.magic, c.member, c.autoTarget), c.used);
        EXPECT_EQ(HpOf(world->party), c.hp);
        EXPECT_EQ(world->party.stock[4], c.stockAfter);
        EXPECT_EQ(world->Sounds(), c.used ? CallLog{Played(8)} : CallLog{});
    }
}

} // namespace
