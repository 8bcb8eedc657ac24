#include <gtest/gtest.h>

#include <png.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "FieldSprites.h"
#include "FilePackDerived.h"
#include "core/GameDataTables.h"
#include "field/event/EventArea.h"
#include "core/PackCatalogue.h"
#include "field/MapHeader.h"
#include "SampleData.h"
#include "SmfCheck.h"
#include "TempFolder.h"
#include "platform/Paths.h"
#include "platform/LittleEndian.h"

namespace {

using sampledata::Bytes;
using testsupport::ReadWholeFile;
using testsupport::TempFolder;

// A field past the end of the entry throws: the test fails there.
std::uint32_t Le16(const Bytes& b, std::size_t at)
{
    return plat::ReadLe<std::uint16_t>(b, at).value();
}

std::uint32_t Le32(const Bytes& b, std::size_t at)
{
    return plat::ReadLe<std::uint32_t>(b, at).value();
}

struct PngInfo {
    bool ok;
    int width;
    int height;
};

PngInfo DecodePng(const Bytes& data)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
        return {false, 0, 0};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return {ok, static_cast<int>(image.width), static_cast<int>(image.height)};
}

// A RIFF WAVE with a 16-byte PCM format chunk and a data chunk that fits.
::testing::AssertionResult IsPcmWav(const Bytes& b)
{
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return ::testing::AssertionFailure() << "no RIFF WAVE header";
    if (Le32(b, 16) != 16 || Le16(b, 20) != 1 || Le16(b, 22) != 1 || Le16(b, 34) != 16)
        return ::testing::AssertionFailure() << "not 16-bit mono PCM with a plain format chunk";
    std::size_t at = 20 + Le32(b, 16);
    while (at + 8 <= b.size()) {
        const std::string name(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
        const std::uint32_t size = Le32(b, at + 4);
        if (name == "data")
            return size > 0 && at + 8 + size <= b.size() ? ::testing::AssertionSuccess()
                                                         : ::testing::AssertionFailure() << "bad data chunk";
        at += 8 + size;
    }
    return ::testing::AssertionFailure() << "no data chunk";
}

class SampleDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new TempFolder();
        plat::SetBaseFolder(folder->path());
        ASSERT_TRUE(sampledata::WriteSampleData(folder->path()));
        pack = new CFilePackDerived();
        ASSERT_TRUE(pack->Init(1));
        ASSERT_TRUE(pack->OpenPack("Data/Pack.dat", 0));
    }
    static void TearDownTestSuite()
    {
        pack->Release();
        delete folder;
    }

    static Bytes Entry(int entry)
    {
        int length = -1;
        unsigned char* data = pack->LoadData(0, entry, &length, nullptr);
        if (data == nullptr)
            return {};
        Bytes bytes(data, data + length);
        pack->FreeData(data);
        return bytes;
    }

    static TempFolder* folder;
    static CFilePackDerived* pack;
};

TempFolder* SampleDataTest::folder = nullptr;
CFilePackDerived* SampleDataTest::pack = nullptr;

TEST_F(SampleDataTest, EveryEntryReadsBackAsItWasMade)
{
    const std::vector<Bytes> made = sampledata::BuildPackEntries();
    ASSERT_EQ(made.size(), static_cast<std::size_t>(PACK_ENTRY_COUNT));
    for (int entry = 0; entry < PACK_ENTRY_COUNT; ++entry) {
        SCOPED_TRACE(entry);
        EXPECT_FALSE(made[static_cast<std::size_t>(entry)].empty());
        EXPECT_EQ(Entry(entry), made[static_cast<std::size_t>(entry)]);
    }
    EXPECT_EQ(Entry(PACK_ENTRY_COUNT).size(), 0u); // nothing past the catalogue
}

TEST_F(SampleDataTest, TablesHaveTheirFullSize)
{
    EXPECT_EQ(Entry(PACK_ITEM_TABLE).size(), 70u * 56);
    for (int member = 0; member < 3; ++member) {
        EXPECT_EQ(Entry(PACK_WEAPON_TABLES[member]).size(), 35u * 24);
        EXPECT_EQ(Entry(PACK_ARMOR_TABLES[member]).size(), 34u * 36);
    }
    EXPECT_EQ(Entry(PACK_ACCESSORY_TABLE).size(), 83u * 36);
    EXPECT_EQ(Entry(PACK_WARP_POINT_TABLE).size(), 32u * 20);

    // Named rows: the name's length stands in the row's own bit field.
    const Bytes items = Entry(PACK_ITEM_TABLE);
    EXPECT_EQ(Le16(items, 0), static_cast<std::uint32_t>(u'薬'));
    EXPECT_EQ((Le32(items, 52) >> 15) & 0xF, 2u);

    // The enemy kinds fill their entry exactly.
    const Bytes kinds = Entry(PACK_ENEMY_KIND_BLOB);
    std::size_t at = 0;
    for (int k = 0; k < ENEMY_KIND_COUNT; ++k) {
        ASSERT_LE(at + 84, kinds.size());
        const std::uint32_t moves = (Le32(kinds, at + 60) >> 4) & 0xF;
        const std::uint32_t actions = (Le32(kinds, at + 56) >> 22) & 0x1F;
        at += 84 + 32 * moves + 60 * actions;
    }
    EXPECT_EQ(at, kinds.size());
}

TEST_F(SampleDataTest, BattleItemsAndEquipmentCoverTheirCooldownsCodesAndAbilities)
{
    // Battle items 0-34 hold the next item back for 0 or 10 seconds; both occur.
    const Bytes items = Entry(PACK_ITEM_TABLE);
    std::set<std::uint32_t> cooldowns;
    for (std::size_t item = 0; item <= 34; ++item)
        cooldowns.insert(Le32(items, item * 56 + 52) & 0xFF);
    EXPECT_EQ(cooldowns, (std::set<std::uint32_t>{0, 10}));

    // Every special code the party's battle reads is on some member's weapon.
    std::set<std::uint32_t> codes;
    for (int member = 0; member < 3; ++member) {
        const Bytes weapons = Entry(PACK_WEAPON_TABLES[member]);
        for (std::size_t row = 0; row < 35; ++row)
            codes.insert(weapons[row * 24 + 19]);
    }
    for (std::uint32_t code : {14u, 15u, 20u, 21u, 22u, 23u, 24u, 25u, 26u, 27u, 28u, 29u, 30u, 31u, 34u, 35u})
        EXPECT_TRUE(codes.count(code)) << "special code " << code;

    // Ability bits 15-28 are each granted by some armour or accessory.
    std::uint32_t abilities = 0;
    for (int member = 0; member < 3; ++member) {
        const Bytes armour = Entry(PACK_ARMOR_TABLES[member]);
        for (std::size_t row = 0; row < 34; ++row)
            abilities |= Le32(armour, row * 36);
    }
    const Bytes accessories = Entry(PACK_ACCESSORY_TABLE);
    for (std::size_t row = 0; row < 83; ++row)
        abilities |= Le32(accessories, row * 36);
    for (int bit = 15; bit <= 28; ++bit)
        EXPECT_TRUE((abilities >> bit) & 1u) << "ability bit " << bit;
}

TEST_F(SampleDataTest, FirstMapEventsStandOnFloorOffTheWalkWays)
{
    const Bytes blob = Entry(MapPackEntry(0));
    MapHeader header{};
    ASSERT_EQ(ReadMapHeader(blob.data(), blob.size(), header), mapblob::BlobFault::None);
    const int w = header.width;
    const int h = header.height;
    std::size_t at = header.EventAreaOffset();
    EXPECT_GE(header.eventCount, 8);
    for (int i = 0; i < header.eventCount; ++i) {
        const int x = static_cast<int>(Le32(blob, at));
        const int y = static_cast<int>(Le32(blob, at + 4));
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        at += Le32(blob, at + 8);
        // The doors to the cave and to the hall stand on their own tiles in the outer wall.
        if ((x == w - 1 && y == 10) || (x == 0 && y == 3))
            continue;
        EXPECT_NE(x, 9);
        EXPECT_NE(y, 10);
        ASSERT_TRUE(x > 0 && y > 0 && x < w - 1 && y < h - 1);
        EXPECT_EQ(blob[mapblob::kGridOffset + static_cast<std::size_t>(x) * h + y], 0) << "a floor cell";
    }
}

TEST_F(SampleDataTest, MapsAreWellFormed)
{
    for (int map = 0; map < MAP_COUNT; ++map) {
        SCOPED_TRACE(map);
        const Bytes blob = Entry(MapPackEntry(map));
        MapHeader header{};
        ASSERT_EQ(ReadMapHeader(blob.data(), blob.size(), header), mapblob::BlobFault::None);
        EXPECT_EQ(header.mapNumber, map);
        EXPECT_LT(header.placeNumber, 34); // a place of the place-name table
        EXPECT_LE(header.fieldTune, 16);   // tunes of the tune table
        EXPECT_LE(header.battleTune, 16);
        const std::size_t events = header.EventAreaOffset();
        EXPECT_EQ(CheckEventArea(blob.data() + events, blob.size() - events, header.eventCount), EventAreaFault::None);
        const std::size_t gridEnd = mapblob::kGridOffset + static_cast<std::size_t>(header.width) * header.height;
        for (std::size_t cell = mapblob::kGridOffset; cell < gridEnd; ++cell)
            EXPECT_LE(static_cast<std::int8_t>(blob[cell]), 63);
    }
    // A new game starts on map 0 at cell (9, 2) and returns to (9, 7): both walkable floor.
    const Bytes start = Entry(MapPackEntry(0));
    MapHeader first{};
    ASSERT_EQ(ReadMapHeader(start.data(), start.size(), first), mapblob::BlobFault::None);
    EXPECT_EQ(start[mapblob::kGridOffset + 9 * static_cast<std::size_t>(first.height) + 2], 0);
    EXPECT_EQ(start[mapblob::kGridOffset + 9 * static_cast<std::size_t>(first.height) + 7], 0);
    const Bytes map21 = Entry(MapPackEntry(21));
    MapHeader withData{};
    ASSERT_EQ(ReadMapHeader(map21.data(), map21.size(), withData), mapblob::BlobFault::None);
    EXPECT_EQ(Entry(PACK_MAP21_DATA).size(), static_cast<std::size_t>(withData.width) * withData.height);
}

TEST_F(SampleDataTest, TexturesArePngsOfTheirSize)
{
    int textures = 0;
    for (int entry = 0; entry < PACK_ENTRY_COUNT; ++entry) {
        if (!sampledata::IsTextureEntry(entry))
            continue;
        SCOPED_TRACE(entry);
        ++textures;
        const PngInfo png = DecodePng(Entry(entry));
        ASSERT_TRUE(png.ok);
        const sampledata::TextureSize size = sampledata::TextureEntrySize(entry);
        EXPECT_EQ(png.width, size.width);
        EXPECT_EQ(png.height, size.height);
    }
    EXPECT_EQ(textures, 16 + 12 + ENEMY_GRAPHIC_COUNT);
    // Sizes the drawing code relies on.
    const std::pair<int, sampledata::TextureSize> fixed[] = {
        {PACK_MAP_TILE_SHEET, {256, 256}},
        {271, {640, 480}},
        {274, {640, 480}},
        {PACK_BATTLE_MENU_PANEL, {640, 116}},
        {PACK_BATTLE_MARKS, {72, 24}},
        {PACK_EVENT_TILE_ATLAS, {256, 256}},
        {PACK_EVENT_ICONS, {216, 24}},
        {PACK_BATTLE_BURSTS, {128, 128}},
        {PACK_BATTLE_SPARKS, {32, 16}},
        {PACK_MAGIC_CIRCLES, {512, 256}},
        {PACK_MAP_OVERLAY, {64, 64}},
        {PACK_MAP_DRAW_LIST, {256, 256}},
    };
    for (const auto& [entry, size] : fixed) {
        const PngInfo png = DecodePng(Entry(entry));
        EXPECT_EQ(png.width, size.width) << entry;
        EXPECT_EQ(png.height, size.height) << entry;
    }
}

// The field reads the player's cell direction × 4 + frame from a 4 × 4 grid
// of 32-pixel cells, directions up, left, down, right: each figure's nose
// sits on the side it faces, and the cell's corners stay see-through.
TEST(FieldSpriteSheetTest, PlayerCellsFaceTheirDirection)
{
    const sampledata::Canvas sheet = sampledata::FieldSpriteSheet();
    const auto at = [&](int x, int y) { return sheet.Pixels()[static_cast<std::size_t>(y) * sheet.Width() + x]; };
    const int towardX[4] = {0, -1, 0, 1};
    const int towardY[4] = {-1, 0, 1, 0};
    for (int cell = 0; cell < 16; ++cell) {
        SCOPED_TRACE(cell);
        const int left = cell % 4 * 32;
        const int top = cell / 4 * 32;
        int noseX = 0, noseY = 0, nosePixels = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (at(left + x, top + y) == sampledata::kFigureNoseColour) {
                    noseX += 2 * x - 31; // doubled offsets from the cell's centre
                    noseY += 2 * y - 31;
                    ++nosePixels;
                }
        ASSERT_GT(nosePixels, 0);
        const int direction = cell / 4;
        EXPECT_GT(noseX * towardX[direction] + noseY * towardY[direction], 16 * nosePixels) << "nose off its side";
        EXPECT_LT(std::abs(noseX * towardY[direction] - noseY * towardX[direction]), 2 * nosePixels)
            << "nose not centred across";
        EXPECT_EQ(at(left, top) >> 24, 0u);
        EXPECT_EQ(at(left + 31, top) >> 24, 0u);
    }
}

TEST_F(SampleDataTest, SoundEffectsAreWavs)
{
    std::set<int> entries;
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id) {
        SCOPED_TRACE(id);
        entries.insert(SoundEffectPackEntry[id]);
        EXPECT_TRUE(IsPcmWav(Entry(SoundEffectPackEntry[id])));
        EXPECT_FALSE(sampledata::IsTextureEntry(SoundEffectPackEntry[id]));
    }
    EXPECT_EQ(entries.size(), 36u);
}

TEST_F(SampleDataTest, EffectDescriptorsNameTheirPrograms)
{
    const std::pair<int, std::string> programs[] = {
        {PACK_BANNER_EFFECT, "banner-blur"},    {PACK_BASIC_PIXEL_SHADER, "game-over"},
        {PACK_BANNER_CUT_EFFECT, "banner-cut"}, {PACK_BANNER_PIXEL_SHADER, "banner-cross-fade"},
        {PACK_SCREEN_EFFECT, "screen-circle"},
    };
    for (const auto& [entry, program] : programs) {
        const Bytes data = Entry(entry);
        const std::string text(data.begin(), data.end());
        EXPECT_EQ(text.rfind("program " + program + "\n", 0), 0u) << entry;
    }
    const Bytes cut = Entry(PACK_BANNER_CUT_EFFECT);
    const std::string cutText(cut.begin(), cut.end());
    for (const char* parameter :
         {"g_Texture", "g_f2TextureSize", "g_f2TextureCutSize", "g_f2TextureCutDrawPoint", "TechniqueMain"})
        EXPECT_NE(cutText.find(parameter), std::string::npos) << parameter;
    const Bytes screen = Entry(PACK_SCREEN_EFFECT);
    const std::string screenText(screen.begin(), screen.end());
    for (const char* parameter : {"g_fChangeColorMagnification", "g_fMinDistance", "g_fMaxDistancePow2",
                                  "g_fMinDistancePow2", "g_f2TextureCenterPos"})
        EXPECT_NE(screenText.find(parameter), std::string::npos) << parameter;
}

TEST_F(SampleDataTest, TunesAreStandardMidiFiles)
{
    for (int tune = 0; tune < sampledata::kTuneCount; ++tune) {
        SCOPED_TRACE(tune);
        const std::string bytes = ReadWholeFile(folder->path() / "Midi" / sampledata::TuneFileName(tune));
        const smfcheck::Summary summary = smfcheck::Check(Bytes(bytes.begin(), bytes.end()));
        ASSERT_TRUE(summary.ok) << summary.error;
        EXPECT_EQ(summary.tracks, 3);
        EXPECT_GT(summary.noteOns, 40);
        // Tune 4 loops at merged event 71, so it needs more events than that.
        EXPECT_GT(summary.events, 71);
    }
}

// The checker itself must refuse what is broken.
TEST(SmfCheckTest, RefusesBrokenFiles)
{
    const Bytes good = sampledata::TuneFile(0);
    ASSERT_TRUE(smfcheck::Check(good).ok);
    struct Case {
        const char* name;
        std::size_t at;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"header tag", 0, 'X'},
        {"track tag", 14, 'X'},
        {"track length past the end", 18, 0x7F},
    };
    for (const Case& c : cases) {
        Bytes broken = good;
        broken[c.at] = c.value;
        EXPECT_FALSE(smfcheck::Check(broken).ok) << c.name;
    }
    Bytes truncated(good.begin(), good.end() - 3);
    EXPECT_FALSE(smfcheck::Check(truncated).ok);
    Bytes noEnd = good;
    noEnd[noEnd.size() - 2] = 0x01; // end-of-track becomes a text event running past the track
    EXPECT_FALSE(smfcheck::Check(noEnd).ok);
}

} // namespace

// The use time of an item's description follows its characters: the row's
// place counts are the description's full-width and half-width characters.
TEST(SampleItemTableTest, UseTimePlaceCountsCountTheDescriptionsCharacters)
{
    const std::vector<std::uint8_t> table = sampledata::ItemTableEntry();
    int timed = 0;
    for (int item = 0; item < ITEM_ROW_COUNT; ++item) {
        SCOPED_TRACE(item);
        const std::uint8_t* row = table.data() + item * ITEM_ROW_SIZE;
        const std::uint32_t info = plat::LoadLe32(row + 52);
        const int length = static_cast<int>((info >> 19) & 0xF);
        int full = 0, half = 0;
        for (int i = 0; i < length; ++i)
            (plat::LoadLe16(row + 18 + 2 * i) >= 0x100 ? full : half) += 1;
        EXPECT_EQ(static_cast<int>((info >> 23) & 0xF), full);
        EXPECT_EQ(static_cast<int>((info >> 27) & 0xF), half);
        timed += (info & 0xFF) != 0 ? 1 : 0;
    }
    EXPECT_GT(timed, 0);
}
