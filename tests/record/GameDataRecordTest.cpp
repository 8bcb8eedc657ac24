#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "GameWorld.h"
#include "party/Character.h"
#include "core/GameDataTables.h"
#include "core/PlayTimeClock.h"
#include "core/Random.h"
#include "platform/Clock.h"
#include "record/Pipkorn.h"

namespace {

class GameDataRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheGameData = &data;
        TheCharacter = &party;
    }
    GameData data;
    CCharacter party;
    testsupport::GameWorld world;
};

TEST_F(GameDataRecordTest, FlagsByIdRange)
{
    struct Case {
        int id;
        std::uint8_t value;
        std::uint8_t readBack;
    };
    const Case cases[] = {{-3, 2, 2}, {5, 2, 1}, {0, 1, 1}, {511, 1, 1}, {-31, 7, 7}, {-1, 0, 0}};
    for (const Case& c : cases) {
        data.SetGameFlag(c.id, c.value);
        EXPECT_EQ(data.GetGameFlag(c.id), c.readBack) << c.id;
    }
    EXPECT_EQ(data.eventFlags[0], 0x21u); // flags 0 and 5
    // Ids outside -31 to 511 touch nothing.
    const GameData before = data;
    data.SetGameFlag(512, 1);
    data.SetGameFlag(-32, 1);
    data.SetGameFlag(100000, 1);
    EXPECT_EQ(data.GetGameFlag(512), 0);
    EXPECT_EQ(data.GetGameFlag(-32), 0);
    EXPECT_EQ(0, std::memcmp(before.eventFlags, data.eventFlags, sizeof data.eventFlags));
    EXPECT_EQ(0, std::memcmp(before.localFlags, data.localFlags, sizeof data.localFlags));
}

TEST_F(GameDataRecordTest, CountersStopAtTheirCaps)
{
    data.playTime = 9998u | 59u << 15 | 59u << 22;
    data.AddPlayTimeSecond();
    EXPECT_EQ(data.PlayHours(), 9999);
    EXPECT_EQ(data.PlayMinutes(), 0);
    EXPECT_EQ(data.PlaySeconds(), 0);
    data.AddPlayTimeSecond();
    EXPECT_EQ(data.playTime, 9999u);

    data.enemyRecords[7] = 9999 | 0x4000 | 0x8000;
    data.CountEnemyDefeat(1, 7);
    EXPECT_EQ(data.enemyRecords[7], 9999 | 0x4000 | 0x8000);
    EXPECT_EQ(data.defeatedByMember[1], 1u);
    data.CountEnemyDefeat(0, 194); // no such kind: only the totals count
    data.MarkEnemyKindMet(-1);
    EXPECT_EQ(data.enemiesDefeated, 2u);

    data.battlesWon = BATTLE_COUNTER_CAP;
    data.CountBattleWin();
    EXPECT_EQ(data.battlesWon, BATTLE_COUNTER_CAP);
}

// After a load or a new game the main loop counts play time from the moment
// of the reset, not from whenever the clock it counts with was last set.
TEST_F(GameDataRecordTest, ASessionResetRestartsThePlayTimeClockTheLoopCounts)
{
    plat::UseVirtualClock(70000);
    PlayTimeClock = 1000;
    data.ResetSessionState();
    EXPECT_EQ(PlayTimeClock, 70000u);
    plat::UseRealClock();
}

TEST_F(GameDataRecordTest, SecondTransferRequestIsIgnored)
{
    data.RequestMapTransfer(3, 4, 1);
    data.RequestMapTransfer(8, 9, 2);
    EXPECT_EQ(data.pendingMoveX, 3);
    EXPECT_EQ(data.pendingMoveY, 4);
    EXPECT_EQ(data.pendingMoveFacing, 1);
    data.ClearMapTransfer();
    data.RequestMapTransfer(8, 9, 2);
    EXPECT_EQ(data.pendingMoveX, 8);
}

TEST_F(GameDataRecordTest, NumberFormatting)
{
    char16_t out[8] = {};
    EXPECT_EQ(FormatNumberText(out, 7, 3, false, true), 3);
    EXPECT_EQ(std::u16string(out, 3), u"007");
    EXPECT_EQ(FormatNumberText(out, 42, 4, false, false), 4);
    EXPECT_EQ(std::u16string(out, 4), u"  42");
    FormatNumberRight(out, 12345, 3, 5);
    EXPECT_EQ(std::u16string(out), u"  345");
}

TEST_F(GameDataRecordTest, ShuffleIsAPermutation)
{
    for (std::uint32_t seed : {1u, 2u, 99u}) {
        SeedGameRandom(seed);
        std::uint8_t order[8];
        ShuffleIndices(order, 8);
        std::vector<int> sorted(order, order + 8);
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    }
}

TEST_F(GameDataRecordTest, NewGameValues)
{
    data.heldItems[5] = 3;
    data.SetGameFlag(9, 1);
    data.NewGameData();
    EXPECT_EQ(data.heldItems[0], 10);
    EXPECT_EQ(data.heldItems[3], 5);
    EXPECT_EQ(data.heldItems[5], 0);
    EXPECT_EQ(data.heldWeapons[2][0], 1);
    EXPECT_EQ(data.GetGameFlag(0), 1);
    EXPECT_EQ(data.GetGameFlag(9), 0);
    EXPECT_EQ(data.ownedKeyFlags[0], 1);
    EXPECT_EQ(data.mapPositionX, 9);
    EXPECT_EQ(data.mapPositionY, 7);
    EXPECT_EQ(party.level[0], 1);
}

// ---- Inventory ----

// Item rows whose sort keys the tests choose.
struct TestTables {
    std::vector<unsigned char> items = std::vector<unsigned char>(ITEM_ROW_COUNT * ITEM_ROW_SIZE, 0);
    std::vector<unsigned char> weapons = std::vector<unsigned char>(WEAPON_ROW_COUNT * WEAPON_ROW_SIZE, 0);
    std::vector<unsigned char> accessories = std::vector<unsigned char>(ACCESSORY_ROW_COUNT * ACCESSORY_ROW_SIZE, 0);

    void ItemKey(int id, int key) { items[id * ITEM_ROW_SIZE + 53] = static_cast<unsigned char>(key); }
    void WeaponPower(int id, int power) { weapons[id * WEAPON_ROW_SIZE + 20] = static_cast<unsigned char>(power); }
    void Install()
    {
        ItemTable = items.data();
        WeaponTable[0] = weapons.data();
        AccessoryTable = accessories.data();
    }
};

std::vector<int> List(const GameData& d, int category)
{
    return std::vector<int>(d.categoryList[category], d.categoryList[category] + d.categoryListCount[category]);
}

TEST_F(GameDataRecordTest, AddingRespectsTheCapAndRefusesBadArguments)
{
    data.heldItems[4] = 98;
    data.AddItem(0, 4, 2);
    EXPECT_EQ(data.heldItems[4], 98);
    data.AddBattleItemReward(0, 4, 5);
    EXPECT_EQ(data.heldItems[4], 99);
    const struct {
        int category, id, count;
    } refused[] = {{0, 70, 1}, {0, -1, 1}, {9, 0, 1}, {-1, 0, 1}, {7, 83, 1}, {0, 5, -3}};
    for (const auto& r : refused) {
        data.AddItem(r.category, r.id, r.count);
        data.AddBattleItemReward(r.category, r.id, r.count);
    }
    EXPECT_EQ(data.heldItems[5], 0);
    EXPECT_EQ(data.RemoveItem(0, 4, -1), -1);
    EXPECT_EQ(data.heldItems[4], 99);
}

TEST_F(GameDataRecordTest, ItemsAreListedByKeyThenHigherIdFirst)
{
    TestTables tables;
    tables.ItemKey(1, 5);
    tables.ItemKey(2, 9);
    tables.ItemKey(3, 5);
    tables.ItemKey(6, 1);
    tables.Install();
    for (int id : {6, 1, 3, 2})
        data.AddItem(0, id, 1);
    EXPECT_EQ(List(data, 0), (std::vector<int>{2, 3, 1, 6}));
}

TEST_F(GameDataRecordTest, LastAddedWeaponComesFirst)
{
    TestTables tables;
    tables.WeaponPower(1, 50);
    tables.WeaponPower(2, 10);
    tables.WeaponPower(3, 30);
    tables.Install();
    party.equipment[EQUIP_WEAPON][0] = -1;
    data.AddItem(1, 1, 1);
    data.AddItem(1, 3, 1);
    data.AddItem(1, 2, 1);
    EXPECT_EQ(List(data, 1), (std::vector<int>{2, 1, 3}));
    // A second copy moves the marker without a rebuild.
    data.AddItem(1, 1, 1);
    EXPECT_EQ(data.lastAdded[1], 1);
    EXPECT_EQ(List(data, 1), (std::vector<int>{2, 1, 3}));
}

TEST_F(GameDataRecordTest, WornPiecesAreLeftOutUnlessKeepAll)
{
    data.heldWeapons[0][4] = 1;
    party.equipment[EQUIP_WEAPON][0] = 4;
    data.RebuildItemLists(1, false);
    EXPECT_EQ(List(data, 1), std::vector<int>{});
    data.RebuildItemLists(1, true);
    EXPECT_EQ(List(data, 1), std::vector<int>{4});
}

TEST_F(GameDataRecordTest, AccessoriesWornByTwoMembers)
{
    data.heldAccessories[10] = 3;
    party.equipment[EQUIP_ACCESSORY][0] = 10;
    party.equipment[EQUIP_ACCESSORY][1] = 10;
    data.RebuildItemLists(7, false);
    EXPECT_EQ(List(data, 7), std::vector<int>{10});
    // Removing one of three falls below 3 and rebuilds; the two left are worn.
    EXPECT_EQ(data.RemoveItem(7, 10, 1), 1);
    EXPECT_EQ(List(data, 7), std::vector<int>{});

    data.heldAccessories[20] = 5;
    data.RebuildItemLists(7, false);
    data.heldAccessories[21] = 1; // changes that a rebuild would pick up
    EXPECT_EQ(data.RemoveItem(7, 20, 1), 1);
    EXPECT_EQ(List(data, 7), std::vector<int>{20}); // five to four: no rebuild
}

TEST_F(GameDataRecordTest, RemovingTheLastWornCopyReplacesTheEquipment)
{
    data.heldWeapons[0][4] = 1;
    data.heldWeapons[0][6] = 1;
    party.equipment[EQUIP_WEAPON][0] = 4;
    EXPECT_EQ(data.RemoveItem(1, 4, 1), 1);
    EXPECT_EQ(party.equipment[EQUIP_WEAPON][0], 6);
    EXPECT_EQ(data.RemoveItem(1, 4, 1), -1); // nothing held
}

TEST_F(GameDataRecordTest, MoneyRemoval)
{
    party.money = 300;
    EXPECT_EQ(data.RemoveItem(8, 500, 0), 300);
    EXPECT_EQ(party.money, 0u);
    EXPECT_EQ(data.RemoveItem(8, 500, 0), -1);
    party.money = 1000;
    EXPECT_EQ(data.RemoveItem(8, 250, 0), 250);
    EXPECT_EQ(party.money, 750u);
}

TEST_F(GameDataRecordTest, LearnedMagicListsSixteenToNineteenFirst)
{
    party.learned[2] = party.learned[17] = party.learned[21] = 1;
    data.RebuildItemLists(LIST_MAGIC, false);
    ASSERT_EQ(data.magicListCount, 3);
    EXPECT_EQ(data.magicList[0], 17);
    EXPECT_EQ(data.magicList[1], 2);
    EXPECT_EQ(data.magicList[2], 21);
    EXPECT_EQ(static_cast<std::uint8_t>(data.magicList[3]), 0xFF);
}

TEST_F(GameDataRecordTest, OwnedKeysAndEnemyLists)
{
    data.SetItemOwnedFlag(3);
    data.SetItemOwnedFlag(0);
    data.SetItemOwnedFlag(32); // no such key
    ASSERT_EQ(data.ownedKeyCount, 2);
    EXPECT_EQ(data.ownedKeyList[0], 0);
    EXPECT_EQ(data.ownedKeyList[1], 3);
    data.MarkEnemyKindMet(150);
    data.CountEnemyDefeat(-1, 4);
    data.RebuildItemLists(LIST_ENEMIES, false);
    ASSERT_EQ(data.enemyListCount, 2);
    EXPECT_EQ(data.enemyList[0], 4);
    EXPECT_EQ(data.enemyList[1], 150);
}

} // namespace
