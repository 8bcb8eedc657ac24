// A save holds where the player stands now: the save code has the player
// store its map, cell and facing into the record before packing it.
#include <gtest/gtest.h>

#include "FieldFixture.h"
#include "TempFolder.h"
#include "platform/Paths.h"
#include "record/SaveAndLoad.h"

namespace fieldtest {
namespace {

TEST_F(FieldTest, ASaveStoresThePlayersCurrentCellAndFacing)
{
    testsupport::TempFolder folder;
    plat::SetBaseFolder(folder.path());
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18, 0), 12, 7, DIRECTION_LEFT));
    // What the last load left behind, not where the player is.
    TheGameData->playerMap = 0;
    TheGameData->playerX = 3;
    TheGameData->playerY = 3;
    TheGameData->playerFacing = DIRECTION_UP;

    CSaveFile saves;
    saves.cellCheck = nullptr;
    ASSERT_TRUE(saves.SaveGame(0));
    SaveState stored{};
    const std::string bytes = testsupport::ReadWholeFile(folder / SaveSlotPaths[0]);
    ASSERT_TRUE(ReadSaveFileBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), stored, nullptr));
    EXPECT_EQ(stored.map, 0);
    EXPECT_EQ(stored.x, 12);
    EXPECT_EQ(stored.y, 7);
    EXPECT_EQ(stored.facing, DIRECTION_LEFT);
}

} // namespace
} // namespace fieldtest
