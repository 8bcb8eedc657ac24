#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "PartyFixture.h"

namespace {

using Setup = std::function<void(PartyWorld&)>;
using Mask = std::array<int, 3>;

constexpr bool kField = false;
constexpr bool kBattle = true;
constexpr std::uint32_t kPoison = 1u << 5; // an ailment

struct CheckCase {
    const char* what;
    int id;
    bool inBattle;
    Setup setup;
    bool single;
    Mask mask;
};

Mask Read(const std::uint8_t mask[3])
{
    return {mask[0], mask[1], mask[2]};
}

void Nothing(PartyWorld&) {}

// Marks per member: 1 valid, 3 selectable without effect; for things that
// are not aimed at one member the first byte answers for the party.
TEST(UseCheckTest, Items)
{
    const CheckCase cases[] = {
        {"heal: the hurt member", 0, kField, [](PartyWorld& w) { w.Hp(200, 10, 200); }, true, {0, 1, 0}},
        {"heal in battle: a knocked-out member is not a target",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.Hp(200, 10, 0);
             w.KnockOut(2);
         },
         true,
         {0, 1, 0}},
        {"heal outside battle ignores the knocked-out bit",
         0,
         kField,
         [](PartyWorld& w) {
             w.Hp(200, 10, 200);
             w.KnockOut(1);
         },
         true,
         {0, 1, 0}},
        {"party heal answers in the first byte too",
         2,
         kField,
         [](PartyWorld& w) { w.Hp(200, 200, 10); },
         false,
         {1, 0, 1}},
        {"party heal, nobody hurt", 2, kField, Nothing, false, {0, 0, 0}},
        {"cure outside battle",
         3,
         kField,
         [](PartyWorld& w) { w.party.members[0].effectBits = kPoison; },
         true,
         {0, 0, 0}},
        {"cure in battle", 3, kBattle, [](PartyWorld& w) { w.party.members[0].effectBits = kPoison; }, true, {1, 0, 0}},
        {"cure: effects below 5 are no ailment",
         15,
         kBattle,
         [](PartyWorld& w) { w.party.members[0].effectBits = 0x1F; },
         true,
         {0, 0, 0}},
        {"party cure in battle",
         4,
         kBattle,
         [](PartyWorld& w) { w.party.members[2].effectBits = 1u << 18; },
         false,
         {1, 0, 1}},
        {"heal-and-cure: ailing but not hurt, in battle",
         5,
         kBattle,
         [](PartyWorld& w) { w.party.members[1].effectBits = kPoison; },
         true,
         {0, 1, 0}},
        {"revive in battle: down 1, hurt 3",
         6,
         kBattle,
         [](PartyWorld& w) {
             w.Hp(0, 100, 200);
             w.KnockOut(0);
         },
         true,
         {1, 3, 0}},
        {"revive outside battle: hurt 3", 16, kField, [](PartyWorld& w) { w.Hp(200, 100, 200); }, true, {0, 3, 0}},
        {"SP: the member short of SP", 8, kField, [](PartyWorld& w) { w.Sp(0, 50, 50); }, true, {1, 0, 0}},
        {"SP in battle: not a knocked-out member",
         9,
         kBattle,
         [](PartyWorld& w) {
             w.Sp(0, 50, 0);
             w.KnockOut(0);
         },
         true,
         {0, 0, 1}},
        {"full restore: a low gauge counts in battle",
         11,
         kBattle,
         [](PartyWorld& w) { w.party.st[2] = 0; },
         true,
         {0, 0, 1}},
        {"full restore: a low gauge does not count outside",
         11,
         kField,
         [](PartyWorld& w) { w.party.st[2] = 0; },
         true,
         {0, 0, 0}},
        {"full restore: a knocked-out member can be chosen",
         11,
         kBattle,
         [](PartyWorld& w) {
             w.Hp(0, 200, 200);
             w.KnockOut(0);
         },
         true,
         {1, 0, 0}},
        {"party restore", 12, kField, [](PartyWorld& w) { w.Sp(50, 10, 50); }, false, {1, 1, 0}},
        {"revive-all outside battle", 13, kField, [](PartyWorld& w) { w.KnockOut(1); }, true, {0, 0, 0}},
        {"revive in battle", 13, kBattle, [](PartyWorld& w) { w.KnockOut(1); }, true, {0, 1, 0}},
        {"party revive in battle", 21, kBattle, [](PartyWorld& w) { w.KnockOut(2); }, false, {1, 0, 1}},
        {"fill a stock below its maximum", 22, kField, Nothing, false, {1, 0, 0}},
        {"fill a full stock", 28, kField, [](PartyWorld& w) { w.party.stock[0] = 200; }, false, {0, 0, 0}},
        {"the last fill is stock 5", 33, kField, [](PartyWorld& w) { w.party.stock[5] = 200; }, false, {0, 0, 0}},
        {"drain with some stock", 34, kField, [](PartyWorld& w) { w.party.stock[3] = 1; }, false, {1, 0, 0}},
        {"drain with no stock", 34, kBattle, Nothing, false, {0, 0, 0}},
        {"drain on a refilling map",
         34,
         kField,
         [](PartyWorld& w) {
             w.party.stock[3] = 1;
             w.EnterMap(1u << 7);
         },
         false,
         {0, 0, 0}},
        {"drain in battle on a refilling map",
         34,
         kBattle,
         [](PartyWorld& w) {
             w.party.stock[3] = 1;
             w.EnterMap(1u << 7);
         },
         false,
         {1, 0, 0}},
        {"maximum HP seed", 35, kField, [](PartyWorld&) { SetMemberMaxHP(1, 99999, 0); }, true, {1, 0, 1}},
        {"seeds are not for battle", 35, kBattle, Nothing, true, {0, 0, 0}},
        {"first stat seed, member 0 at the cap",
         36,
         kField,
         [](PartyWorld& w) { w.party.statsA[0][0] = 9999; },
         true,
         {0, 1, 3}},
        {"second stat seed serves the third member", 37, kField, Nothing, true, {3, 3, 1}},
        {"third stat seed, member 2 at the cap",
         38,
         kField,
         [](PartyWorld& w) { w.party.statsA[2][2] = 9999; },
         true,
         {1, 1, 0}},
        {"item cooldown in battle",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.Hp(10, 10, 10);
             w.party.partyWordB |= 1u << 31;
         },
         true,
         {0, 0, 0}},
        {"item uses limited, none left",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.Hp(10, 10, 10);
             w.party.partyWordD = (w.party.partyWordD & ~(7u << 18)) | 1u << 28;
         },
         true,
         {0, 0, 0}},
        {"item uses limited, some left",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.Hp(10, 200, 200);
             w.party.partyWordD = (w.party.partyWordD & ~(7u << 18)) | 1u << 28 | 2u << 18;
         },
         true,
         {1, 0, 0}},
        {"an item without rules", 48, kField, [](PartyWorld& w) { w.Hp(10, 10, 10); }, false, {0, 0, 0}},
        {"a negative item", -5, kField, [](PartyWorld& w) { w.Hp(10, 10, 10); }, false, {0, 0, 0}},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto world = MakeWorld();
        c.setup(*world);
        std::uint8_t mask[3] = {9, 9, 9};
        EXPECT_EQ(world->data.CheckItemUsable(c.id, mask, c.inBattle), c.single);
        EXPECT_EQ(Read(mask), c.mask);
    }
}

// Magic is checked against its stock (and in battle what has charged); in
// battle a target without effect is 3 and a stock too small shows 2 everywhere.
TEST(UseCheckTest, Magic)
{
    const auto stock4 = [](int value) {
        return [=](PartyWorld& w) { w.party.stock[4] = static_cast<std::int16_t>(value); };
    };
    const auto charged = [](int stock, int level, int charge) {
        return [=](PartyWorld& w) {
            w.party.stock[4] = static_cast<std::int16_t>(stock);
            w.party.stockRegenSpeed[4] = static_cast<std::uint8_t>(level);
            w.party.stockRegenFrame[4] = static_cast<std::int16_t>(charge);
            w.Hp(200, 100, 200);
        };
    };
    const CheckCase cases[] = {
        {"party heal, 9 in a stock of cost 24, outside battle",
         18,
         kField,
         [&](PartyWorld& w) {
             stock4(9)(w);
             w.Hp(10, 200, 200);
         },
         false,
         {0, 0, 0}},
        {"the same in battle without charge", 18, kBattle, charged(9, 0, 0), false, {2, 2, 2}},
        {"in battle the charge covers the rest", 18, kBattle, charged(9, 7, 100), false, {1, 3, 3}},
        {"in battle the charge falls one short", 18, kBattle, charged(9, 7, 79), false, {2, 2, 2}},
        {"a charge level past the table charges nothing", 18, kBattle, charged(9, 9, 30000), false, {2, 2, 2}},
        {"heal one: the hurt member",
         16,
         kField,
         [&](PartyWorld& w) {
             stock4(16)(w);
             w.Hp(10, 200, 200);
         },
         true,
         {1, 0, 0}},
        {"heal one in battle: knocked out is 3",
         16,
         kBattle,
         [&](PartyWorld& w) {
             stock4(16)(w);
             w.Hp(0, 10, 200);
             w.KnockOut(0);
         },
         true,
         {3, 1, 3}},
        {"cure-all in battle",
         17,
         kBattle,
         [&](PartyWorld& w) {
             stock4(10)(w);
             w.party.members[2].effectBits = kPoison;
         },
         false,
         {1, 3, 3}},
        {"cure-all outside battle",
         17,
         kField,
         [&](PartyWorld& w) {
             stock4(10)(w);
             w.party.members[2].effectBits = kPoison;
         },
         false,
         {0, 0, 0}},
        {"revive in battle",
         19,
         kBattle,
         [&](PartyWorld& w) {
             stock4(32)(w);
             w.Hp(0, 200, 100);
             w.KnockOut(0);
         },
         true,
         {1, 3, 3}},
        {"revive outside battle: hurt members 3",
         19,
         kField,
         [&](PartyWorld& w) {
             stock4(32)(w);
             w.Hp(200, 200, 100);
         },
         true,
         {0, 0, 3}},
        {"other magic in battle", 0, kBattle, [](PartyWorld& w) { w.party.stock[0] = 15; }, false, {1, 1, 1}},
        {"other magic outside battle", 0, kField, [](PartyWorld& w) { w.party.stock[0] = 15; }, false, {0, 0, 0}},
        {"the third member sealed",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.party.stock[0] = 15;
             w.party.members[2].effectBits = 1u << 7;
         },
         false,
         {0, 0, 0}},
        {"the third member stopped",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.party.stock[0] = 15;
             w.party.members[2].effectBits = 1u << 15;
         },
         false,
         {0, 0, 0}},
        {"the third member knocked out",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.party.stock[0] = 15;
             w.KnockOut(2);
         },
         false,
         {0, 0, 0}},
        {"another member sealed does not matter",
         0,
         kBattle,
         [](PartyWorld& w) {
             w.party.stock[0] = 15;
             w.party.members[0].effectBits = 1u << 7;
         },
         false,
         {1, 1, 1}},
        {"a magic id past the table", 24, kBattle, Nothing, false, {0, 0, 0}},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto world = MakeWorld();
        c.setup(*world);
        std::uint8_t mask[3] = {9, 9, 9};
        EXPECT_EQ(world->data.CheckMagicUsable(c.id, mask, c.inBattle), c.single);
        EXPECT_EQ(Read(mask), c.mask);
    }
}

// The third member's heal (kind 1, 40 SP) and cure (kind 2, 50 SP).
TEST(UseCheckTest, SpecialCommand)
{
    const auto withSp = [](int sp) { return [=](PartyWorld& w) { w.party.sp[2] = static_cast<std::int16_t>(sp); }; };
    const CheckCase cases[] = {
        {"heal, hurt",
         1,
         kBattle,
         [&](PartyWorld& w) {
             withSp(40)(w);
             w.Hp(200, 200, 10);
         },
         false,
         {1, 0, 0}},
        {"heal, not hurt", 1, kBattle, withSp(40), false, {3, 0, 0}},
        {"heal, one SP short",
         1,
         kBattle,
         [&](PartyWorld& w) {
             withSp(39)(w);
             w.Hp(200, 200, 10);
         },
         false,
         {0, 0, 0}},
        {"cure", 2, kBattle, withSp(50), false, {1, 0, 0}},
        {"cure under effect 4",
         2,
         kBattle,
         [&](PartyWorld& w) {
             withSp(50)(w);
             w.party.members[2].effectBits = 1u << 4;
         },
         false,
         {3, 0, 0}},
        {"cure, one SP short", 2, kBattle, withSp(49), false, {0, 0, 0}},
        {"knocked out",
         1,
         kBattle,
         [&](PartyWorld& w) {
             withSp(50)(w);
             w.KnockOut(2);
         },
         false,
         {0, 0, 0}},
        {"under effect 6",
         1,
         kBattle,
         [&](PartyWorld& w) {
             withSp(50)(w);
             w.party.members[2].effectBits = 1u << 6;
         },
         false,
         {0, 0, 0}},
        {"under effect 15",
         2,
         kBattle,
         [&](PartyWorld& w) {
             withSp(50)(w);
             w.party.members[2].effectBits = 1u << 15;
         },
         false,
         {0, 0, 0}},
        {"no such kind", 0, kBattle, withSp(50), false, {0, 0, 0}},
        {"no such kind", 3, kBattle, withSp(50), false, {0, 0, 0}},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto world = MakeWorld();
        c.setup(*world);
        std::uint8_t mask[3] = {9, 9, 9};
        EXPECT_EQ(world->data.CheckSpecialUsable(c.id, mask), c.single);
        EXPECT_EQ(Read(mask), c.mask);
    }
}

} // namespace
