// Map entries: what is refused before the current map is replaced, and what
// a map entry sets up when it is entered.
#include <cstring>

#include "FieldFixture.h"
#include "field/MapHeader.h"

namespace fieldtest {
namespace {

using mapblob::BlobFault;

std::vector<unsigned char> Blob(int width, int height)
{
    return MapBlobBuilder(width, height).Build();
}

struct MalformedCase {
    const char* what;
    std::vector<unsigned char> blob;
    BlobFault fault;
};

std::vector<MalformedCase> MalformedEntries()
{
    std::vector<MalformedCase> cases;
    cases.push_back({"one byte", std::vector<unsigned char>(1, 0), BlobFault::ShorterThanHeader});
    cases.push_back({"header cut short", std::vector<unsigned char>(135, 0), BlobFault::ShorterThanHeader});
    cases.push_back({"narrower than the screen", Blob(19, 15), BlobFault::NarrowerThanScreen});
    cases.push_back({"lower than the screen", Blob(20, 14), BlobFault::LowerThanScreen});
    auto negative = Blob(20, 15);
    MapBlobBuilder::Put16(negative, mapblob::kWidthOffset, 0xFFEC); // -20
    cases.push_back({"negative width", negative, BlobFault::NarrowerThanScreen});
    auto cut = Blob(24, 18);
    cut.resize(136 + 24 * 18 - 1);
    cases.push_back({"grid runs past the end", cut, BlobFault::GridPastEnd});
    auto huge = Blob(20, 15);
    MapBlobBuilder::Put16(huge, mapblob::kWidthOffset, 0x7FFF);
    MapBlobBuilder::Put16(huge, mapblob::kHeightOffset, 0x7FFF);
    cases.push_back({"sizes far beyond the entry", huge, BlobFault::GridPastEnd});
    return cases;
}

BlobFault Check(const std::vector<unsigned char>& blob)
{
    MapHeader header{};
    return ReadMapHeader(blob.data(), blob.size(), header);
}

TEST(MapBlobCheck, MalformedEntriesAreRefusedWithTheirReasonAndLeaveTheHeader)
{
    for (const MalformedCase& c : MalformedEntries()) {
        SCOPED_TRACE(c.what);
        MapHeader header{};
        header.mapNumber = 77;
        EXPECT_EQ(ReadMapHeader(c.blob.data(), c.blob.size(), header), c.fault);
        EXPECT_EQ(header.mapNumber, 77);
        EXPECT_EQ(header.width, 0);
    }
    MapHeader header{};
    EXPECT_EQ(ReadMapHeader(nullptr, 500, header), BlobFault::Missing);
}

TEST(MapBlobCheck, TheSmallestMapAndAGridEndingAtTheEntryEndAreAccepted)
{
    EXPECT_EQ(Check(Blob(20, 15)), BlobFault::None);
    // 21 × 15 leaves 3 bytes of padding before the event area.
    auto exact = Blob(21, 15);
    exact.resize(mapblob::EventAreaOffset(21, 15));
    EXPECT_EQ(Check(exact), BlobFault::None);
}

TEST(MapBlobCheck, TheHeaderHoldsEveryFieldOfTheEntry)
{
    // Written at the stored offsets by hand, so a wrong offset in the reader shows.
    auto blob = Blob(30, 20);
    MapBlobBuilder::Put16(blob, 46, 30);
    MapBlobBuilder::Put16(blob, 48, 20);
    const std::u16string name = u"ながいなまえのまち"; // a ninth unit where the end belongs
    for (std::size_t i = 0; i < name.size(); ++i)
        MapBlobBuilder::Put16(blob, 2 * i, name[i]);
    MapBlobBuilder::Put16(blob, 50, 0xFFFD); // return x -3
    MapBlobBuilder::Put16(blob, 52, 7);
    MapBlobBuilder::Put16(blob, 54, 12);
    MapBlobBuilder::Put16(blob, 56, 0xFFFE); // event count
    MapBlobBuilder::Put16(blob, 58, 201);
    for (std::size_t k = 0; k < 6; ++k) {
        blob[90 + k] = static_cast<unsigned char>(200 + k);
        blob[96 + k] = static_cast<unsigned char>(k);
    }
    blob[126] = 5;
    blob[127] = 9;
    MapBlobBuilder::Put32(blob, 128, 1u << 28 | 1u << 30);
    MapBlobBuilder::Put32(blob, 132, 1u << 7);

    MapHeader header{};
    ASSERT_EQ(ReadMapHeader(blob.data(), blob.size(), header), BlobFault::None);
    EXPECT_EQ(header.width, 30);
    EXPECT_EQ(header.height, 20);
    EXPECT_EQ(header.mapNumber, 201);
    EXPECT_EQ(header.placeNumber, 12);
    EXPECT_EQ(header.returnX, -3); // signed
    EXPECT_EQ(header.returnY, 7);
    EXPECT_EQ(header.eventCount, 0xFFFE); // unsigned
    EXPECT_EQ(header.fieldTune, 5);
    EXPECT_EQ(header.battleTune, 9);
    EXPECT_TRUE(header.IsLooping());
    EXPECT_TRUE(header.KeepsReturnPoint());
    EXPECT_TRUE(header.RefillsStocks());
    EXPECT_FALSE(header.IsLit());
    EXPECT_FALSE(header.StartsUnwrapped());
    EXPECT_EQ(header.stockMax[0], 200);
    EXPECT_EQ(header.stockMax[5], 205);
    EXPECT_EQ(header.stockRegen[5], 5);
    // Only eight units of the name fit: the ninth always ends it.
    EXPECT_EQ(std::u16string(header.name), u"ながいなまえのま");
    EXPECT_TRUE(header.HasCell(29, 19));
    EXPECT_FALSE(header.HasCell(30, 0));
    EXPECT_FALSE(header.HasCell(0, -1));
}

using SetMapTest = FieldTest;

TEST_F(SetMapTest, ABadEntryOrCellIsRefusedAndTheCurrentMapStays)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(30, 20, 7).Place(3), 12, 9, 1));
    const unsigned char* before = CurrentMap;
    const float scrollX = map().scrollX;
    const float scrollY = map().scrollY;
    const float playerX = player().screenX;
    SceneTrace::Clear();

    struct Refused {
        const char* what;
        std::vector<unsigned char> blob;
        int x, y, viewX, viewY, direction;
    };
    const Refused cases[] = {
        {"entry too small", Blob(19, 15), 1, 1, -1, -1, 0},
        {"grid past the end", std::vector<unsigned char>(200, 0), 1, 1, -1, -1, 0},
        {"player left of the map", Blob(24, 18), -1, 1, -1, -1, 0},
        {"player below the map", Blob(24, 18), 3, 18, -1, -1, 0},
        {"view cell outside", Blob(24, 18), 3, 3, 24, 0, 0},
        {"direction out of range", Blob(24, 18), 3, 3, -1, -1, 4},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.what);
        auto blob = c.blob;
        // The grid-past-end case claims a 24 × 18 grid in 200 bytes.
        if (blob.size() == 200) {
            MapBlobBuilder::Put16(blob, mapblob::kWidthOffset, 24);
            MapBlobBuilder::Put16(blob, mapblob::kHeightOffset, 18);
        }
        MapBlobSize = static_cast<int>(blob.size());
        EXPECT_FALSE(map().SetMap(blob.data(), c.x, c.y, c.viewX, c.viewY, c.direction, false, 0, false, true));
        EXPECT_EQ(CurrentMap, before);
        EXPECT_EQ(map().GetMapNumber(), 7);
        EXPECT_EQ(map().Width(), 30);
        EXPECT_EQ(map().scrollX, scrollX);
        EXPECT_EQ(map().scrollY, scrollY);
        EXPECT_EQ(player().screenX, playerX);
    }
    // Nothing of the entry steps ran.
    EXPECT_TRUE(SceneTrace::Calls().empty());
}

TEST_F(SetMapTest, AMapWithoutEventRecordsLoadsAndPlacesThePlayer)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18, 0).Place(2).ReturnPoint(5, 6).Tunes(1, 4).Name(u"はじまり"), 9, 2, 0));
    EXPECT_EQ(map().GetMapNumber(), 0);
    EXPECT_EQ(map().PlaceNumber(), 2);
    EXPECT_EQ(player().cellX, 9);
    EXPECT_EQ(player().cellY, 2);
    EXPECT_EQ(player().facing, 0);
    EXPECT_EQ(player().drawnPose, 0);
    // Centred on (9, 2), clamped at the top-left.
    EXPECT_EQ(map().scrollX, 0.0f);
    EXPECT_EQ(map().scrollY, 0.0f);
    EXPECT_EQ(player().screenX, 288.0f);
    EXPECT_EQ(player().screenY, 64.0f);
    EXPECT_EQ(TheGameData->mapPositionMap, 0);
    EXPECT_EQ(TheGameData->mapPositionX, 5);
    EXPECT_EQ(TheGameData->mapPositionY, 6);
    EXPECT_TRUE(TheCharacter->MusicSwitchOn());
    EXPECT_TRUE(player().arrivalCheck);
    EXPECT_EQ(TheEvent->RecordCount(), 0);
    EXPECT_EQ(TheGameData->lastPlaceShown, 2) << "the place-name banner saw the new place";
    EXPECT_EQ(sortList().count, 1);
}

TEST_F(SetMapTest, AFailedEventAreaFailsTheEntryWithoutPlacingThePlayer)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(24, 18), 9, 2));
    // One record whose size claims less than its own head.
    std::vector<unsigned char> area = eventscript::EventArea({eventscript::Record{}});
    area[8] = 8;
    EXPECT_FALSE(Enter(MapBlobBuilder(24, 18, 3).Events(area, 1), 20, 15));
    EXPECT_EQ(player().cellX, 9);
    EXPECT_EQ(player().cellY, 2);
    EXPECT_EQ(map().GetMapNumber(), 0);
}

TEST_F(SetMapTest, LoadingAMapEntryReplacesTheBufferOnlyWhenTheEntryIsGood)
{
    const auto good = MapBlobBuilder(24, 18, 1).Build();
    pack.data[MapPackEntry(1)] = std::string(good.begin(), good.end());
    const auto bad = Blob(24, 12);
    pack.data[MapPackEntry(2)] = std::string(bad.begin(), bad.end());

    ASSERT_TRUE(LoadMapBlob(1));
    unsigned char* first = MapBlobBuffer;
    EXPECT_EQ(MapBlobSize, static_cast<int>(good.size()));
    for (int refused : {-1, 2, 253, 1000}) {
        SCOPED_TRACE(refused);
        EXPECT_FALSE(LoadMapBlob(refused));
        EXPECT_EQ(MapBlobBuffer, first);
        EXPECT_EQ(MapBlobSize, static_cast<int>(good.size()));
        EXPECT_EQ(pack.outstandingData, 1); // the refused entry was given back
    }
    ASSERT_TRUE(LoadMapBlob(1));
    EXPECT_EQ(pack.outstandingData, 1); // the old buffer went back
    pack.FreeData(MapBlobBuffer);
    MapBlobBuffer = nullptr;
}

TEST_F(SetMapTest, LoopingAndLitFlagsSetTheScrollRanges)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30), 9, 2));
    EXPECT_EQ(map().scrollRangeX, 40 * 32 - 640.0f);
    EXPECT_EQ(map().scrollRangeY, 30 * 32 - 480.0f);
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30).Looping(), 9, 2));
    EXPECT_EQ(map().scrollRangeX, 40 * 32.0f);
    EXPECT_EQ(map().scrollRangeY, 30 * 32.0f);
    EXPECT_EQ(map().scrollExtentX, 40 * 32.0f);
    // A looping map that starts with wrap-around off scrolls like any other.
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30).Looping().FlagB(13), 9, 2));
    EXPECT_EQ(map().scrollRangeX, 40 * 32 - 640.0f);
    EXPECT_EQ(map().scrollExtentX, 40 * 32.0f);
    map().SetMapLooping(true);
    EXPECT_EQ(map().scrollRangeX, 40 * 32.0f);
}

} // namespace
} // namespace fieldtest
