#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FilePackDerived.h"
#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"
#include "core/EnemyDefWriter.h"
#include "PackWriter.h"
#include "SampleData.h"
#include "TempFolder.h"
#include "core/ZephGlobals.h"
#include "platform/LittleEndian.h"
#include "platform/Paths.h"

namespace {

using sampledata::Bytes;
using testsupport::TempFolder;

// Opens a pack made of `entries` as ZephFilePack and runs LoadGameData.
class GameDataTablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::SetBaseFolder(folder.path());
        pack = new CFilePackDerived();
        ASSERT_TRUE(pack->Init(1));
        ZephFilePack = pack;
    }
    void TearDown() override
    {
        FreeGameData();
        ZephFilePack = nullptr;
        pack->Release();
    }

    bool LoadFrom(const std::vector<Bytes>& entries)
    {
        const auto path = folder / "Pack.dat";
        if (!packwriter::WritePack(path, entries) || !pack->OpenPack(path.c_str(), 0))
            return false;
        return LoadGameData();
    }

    static const std::vector<Bytes>& Sample()
    {
        static const std::vector<Bytes> entries = sampledata::BuildPackEntries();
        return entries;
    }

    TempFolder folder;
    CFilePackDerived* pack = nullptr;
};

TEST_F(GameDataTablesTest, LoadsTheSamplePackAndIndexesEveryKind)
{
    ASSERT_TRUE(LoadFrom(Sample()));
    EXPECT_EQ(0, std::memcmp(ItemTable, Sample()[PACK_ITEM_TABLE].data(), ITEM_ROW_COUNT * ITEM_ROW_SIZE));
    EXPECT_EQ(0, std::memcmp(WeaponTable[0], Sample()[266].data(), WEAPON_ROW_COUNT * WEAPON_ROW_SIZE));
    EXPECT_EQ(0, std::memcmp(WeaponTable[1], Sample()[265].data(), WEAPON_ROW_COUNT * WEAPON_ROW_SIZE));
    EXPECT_EQ(0, std::memcmp(ArmorTable[2], Sample()[262].data(), ARMOR_ROW_COUNT * ARMOR_ROW_SIZE));
    EXPECT_EQ(0, std::memcmp(AccessoryTable, Sample()[0].data(), ACCESSORY_ROW_COUNT * ACCESSORY_ROW_SIZE));
    EXPECT_EQ(0, std::memcmp(WarpPointTable, Sample()[259].data(), WARP_POINT_ROW_COUNT * WARP_POINT_ROW_SIZE));

    // The walk follows the counts stored in each kind.
    const unsigned char* p = EnemyKindBlob;
    for (int k = 0; k < ENEMY_KIND_COUNT; ++k) {
        ASSERT_EQ(EnemyKindTable[k], p) << k;
        const int moves = EnemyKindMoveCount(p);
        EXPECT_EQ(EnemyMoveTable[k], p + 84) << k;
        EXPECT_EQ(EnemyActionTable[k], p + 84 + 32 * moves) << k;
        p += 84 + 32 * moves + 60 * EnemyKindActionCount(p);
    }
    EXPECT_EQ(EnemyKindMoveCount(EnemyKindTable[0]), 0);
    EXPECT_EQ(EnemyMoveTable[0], EnemyActionTable[0]);
    EXPECT_EQ(EnemyKindMoveCount(EnemyKindTable[3]), 3);
    EXPECT_EQ(plat::LoadLe32(EnemyKindTable[1]), 40u); // kind 1's hit points: the walk landed on its record
}

TEST_F(GameDataTablesTest, KindOfEightMovesAndSixteenActionsIsWalkedWhole)
{
    std::vector<Bytes> entries = Sample();
    std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
    kinds[0].moves.assign(ENEMY_MAX_MOVES, kinds[1].moves[0]);
    kinds[0].actions.assign(ENEMY_MAX_ACTIONS, kinds[1].actions[0]);
    entries[PACK_ENEMY_KIND_BLOB] = WriteEnemyKinds(kinds);
    ASSERT_TRUE(LoadFrom(entries));
    EXPECT_EQ(EnemyActionTable[0], EnemyKindBlob + 84 + 256);
    EXPECT_EQ(EnemyKindTable[1], EnemyKindBlob + 84 + 256 + 960);
    EXPECT_EQ(EnemyKindMoveCount(EnemyKindTable[0]), 8);
    EXPECT_EQ(EnemyKindActionCount(EnemyKindTable[0]), 16);
}

TEST_F(GameDataTablesTest, BrokenPacksAreRefused)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<Bytes>&)> breakPack;
    };
    const Case cases[] = {
        {"item table one byte short", [](auto& e) { e[PACK_ITEM_TABLE].pop_back(); }},
        {"weapon table of member 2 one row short", [](auto& e) { e[267].resize(34 * 24); }},
        {"armour table empty", [](auto& e) { e[261].clear(); }},
        {"accessory table short", [](auto& e) { e[PACK_ACCESSORY_TABLE].resize(100); }},
        {"warp point table short", [](auto& e) { e[PACK_WARP_POINT_TABLE].resize(20); }},
        {"enemy kinds end before the last kind", [](auto& e) { e[PACK_ENEMY_KIND_BLOB].resize(84 * 193); }},
        {"enemy kinds end inside the last kind's actions",
         [](auto& e) {
             Bytes& blob = e[PACK_ENEMY_KIND_BLOB];
             // The last kind claims one action row that the entry does not hold.
             sampledata::Put32(blob, blob.size() - 84 + 14 * 4, 1u << 22);
         }},
        {"a kind's move count runs the walk past the end",
         [](auto& e) { sampledata::Put32(e[PACK_ENEMY_KIND_BLOB], 15 * 4, 15 << 4); }},
        {"missing pack entry", [](auto& e) { e.resize(PACK_ENEMY_KIND_BLOB); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Bytes> entries = Sample();
        c.breakPack(entries);
        EXPECT_FALSE(LoadFrom(entries));
        FreeGameData();
        EXPECT_EQ(ItemTable, nullptr);
        EXPECT_EQ(EnemyKindTable, nullptr);
    }
}

// A value outside its field's range in the item and equipment tables stops
// start-up with one line naming the table, its entry, the row and the field.
TEST_F(GameDataTablesTest, AFieldOutsideItsRangeIsNamedAndRefused)
{
    struct Case {
        int entry;
        std::size_t word; // byte offset of the 32-bit word that holds the field
        int shift, width;
        std::uint32_t value; // the first value outside the field's range
        const char* named;
    };
    // The first and the last row of the tables, and each field at the edge of its range.
    const Case cases[] = {
        {PACK_ITEM_TABLE, 0 * 56 + 52, 15, 4, 10, "item table (entry 4), row 0, name length: 10 is outside 0-9"},
        {PACK_ACCESSORY_TABLE, 82 * 36 + 32, 15, 4, 10,
         "accessory table (entry 0), row 82, name length: 10 is outside"},
        {PACK_ARMOR_TABLES[1], 0 * 36 + 32, 5, 4, 10, "armour table of member 1 (entry 261), row 0, name length: 10"},
        {PACK_WEAPON_TABLES[2], 34 * 24 + 20, 14, 4, 10,
         "weapon table of member 2 (entry 267), row 34, name length: 10"},
        {PACK_WEAPON_TABLES[0], 0 * 24 + 16, 24, 8, 37, "weapon table of member 0 (entry 266), row 0, effect: 37 is"},
        {PACK_WARP_POINT_TABLE, 31 * 20, 0, 16, 253, "warp point table (entry 259), row 31, map: 253 is outside 0-252"},
        {PACK_WARP_POINT_TABLE, 0 * 20, 16, 16, 34, "warp point table (entry 259), row 0, place: 34 is outside 0-33"},
        {PACK_WARP_POINT_TABLE, 0 * 20, 0, 16, 0xFFFF, "warp point table (entry 259), row 0, map: -1 is outside"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        std::vector<Bytes> entries = Sample();
        Bytes& table = entries[static_cast<std::size_t>(c.entry)];
        const std::uint32_t mask = (c.width == 32 ? 0u : (1u << c.width)) - 1u;
        const std::uint32_t word = plat::LoadLe32(table.data() + c.word);
        sampledata::Put32(table, c.word, (word & ~(mask << c.shift)) | (c.value << c.shift));
        ::testing::internal::CaptureStderr();
        const bool loaded = LoadFrom(entries);
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(loaded);
        EXPECT_NE(errors.find(c.named), std::string::npos) << errors;
        FreeGameData();
    }
}

TEST_F(GameDataTablesTest, NoPackReaderMeansNoData)
{
    ZephFilePack = nullptr;
    EXPECT_FALSE(LoadGameData());
}

} // namespace
