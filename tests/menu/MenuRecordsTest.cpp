// The record pages (save, load, return to the title, quit, the return
// transfer), the transfer page and the game over's retry menu: their rows,
// refusals, the slot files they read and write, and what they draw.
#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>

#include "MenuFixture.h"
#include "core/GameDataTables.h"
#include "core/PlaceNames.h"
#include "field/MapCharacter.h"
#include "fakes/RecordingPlayBGM.h"
#include "platform/LittleEndian.h"
#include "platform/MessageBox.h"
#include "title/Title.h"

namespace menutest {
namespace {

constexpr int kConfirm = 0, kCancel = 1, kMenuButton = 2, kSecond = 3, kModifier = 10;
enum Sound : int { kConfirmSound = 0, kBackSound = 1, kCursorSound = 2, kRefusedSound = 3, kMenuSound = 4 };
constexpr std::uint32_t kSaving = 1u << 30;
using Sounds = std::vector<int>;
constexpr int kLeaderSound = 10;

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class RecordsTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        player.InitMapCharacter();
        TheMapCharacter = &player;
        TheTitle = &title;
        ThePlayBGM = &music;
        warpPoints.assign(WARP_POINT_ROW_COUNT * WARP_POINT_ROW_SIZE, 0);
        WarpPointTable = warpPoints.data();
        plat::SetMessageBoxSink([this](SDL_Window*, const plat::MessageBoxRequest& r) { messages.push_back(r.text); });
        SetMapFlags(kTransfers | kSaving);
    }
    void TearDown() override { plat::SetMessageBoxSink(nullptr); }

    std::filesystem::path SlotFile(int slot) const
    {
        return folder.path() / ("SaveData/SaveData0" + std::to_string(slot + 1) + ".sav");
    }
    // A save of the game data as they stand, written by the game's own code.
    void Save(int slot) { ASSERT_TRUE(parts->saveFile.SaveGame(slot)); }

    // The record page open on `row`, as the top menu opens it.
    void OpenRecordsOn(int row)
    {
        menu().SetMapMenuMode(MenuTop);
        menu().topCursor = 7;
        menu().SetMapMenuMode(MenuRecord);
        menu().recordRow = static_cast<std::int8_t>(row);
        TakeSounds();
    }
    // The slot list of saving (row 0) or loading (row 1), cursor on `slot`.
    void OpenSlotsOn(int row, int slot)
    {
        OpenRecordsOn(row);
        menu().SetMapMenuMode(row == 0 ? MenuSaveSlot : MenuLoadSlot);
        menu().slotCursor = static_cast<std::int8_t>(slot);
        TakeSounds();
    }
    void Down()
    {
        keys.Press(fakes::FakeKeyInput::kDown);
        Frame();
    }
    void Up()
    {
        keys.Press(fakes::FakeKeyInput::kUp);
        Frame();
    }
    void PushHeld(int button, int held)
    {
        keys.heldButtons = 1 << held;
        PushButton(button);
        keys.heldButtons = 0;
    }
    // The first drawn text that reads `what` with its left edge at `x`.
    static const DrawnText* FindAt(const std::vector<DrawnText>& drawn, const std::u16string& what, float x)
    {
        for (const auto& d : drawn)
            if (d.text == what && d.x == x)
                return &d;
        return nullptr;
    }
    // The texts the menu draws now.
    std::vector<DrawnText> Drawn()
    {
        text.drawn.clear();
        menu().DrawMapMenu();
        return text.drawn;
    }
    void SetWarpPoint(int point, int map, int place, int x, int y, const std::u16string& suffix)
    {
        unsigned char* row = warpPoints.data() + point * WARP_POINT_ROW_SIZE;
        plat::StoreLe16(row, static_cast<std::uint32_t>(map));
        plat::StoreLe16(row + 2, static_cast<std::uint32_t>(place));
        plat::StoreLe16(row + 4, static_cast<std::uint32_t>(x));
        plat::StoreLe16(row + 6, static_cast<std::uint32_t>(y));
        for (std::size_t i = 0; i < suffix.size(); ++i)
            plat::StoreLe16(row + 8 + 2 * i, suffix[i]);
        row[18] = static_cast<unsigned char>(suffix.size());
    }
    void KnowWarpPoints(std::initializer_list<int> points)
    {
        std::memset(data().ownedKeyFlags, 0, sizeof data().ownedKeyFlags);
        for (int point : points)
            data().ownedKeyFlags[point] = 1;
        data().RebuildItemLists(LIST_OWNED_KEYS, false);
    }

    CMapCharacter player{};
    CTitle title{};
    fakes::RecordingPlayBGM music;
    std::vector<unsigned char> warpPoints;
    std::vector<std::string> messages;
};

TEST_F(RecordsTest, RecordRowsByTheMapsSaveFlagAndTheReturnByte)
{
    struct Case {
        int row;
        bool saving, returnPoint;
        int mode; // -1: the menu left for the return transfer
        Sounds sounds;
    };
    const Case cases[] = {
        {0, true, false, MenuSaveSlot, {kConfirmSound}},
        {0, false, true, MenuRecord, {kRefusedSound}},
        {1, false, false, MenuLoadSlot, {kConfirmSound}},
        {2, false, false, MenuTitleConfirm, {kConfirmSound}},
        {3, true, true, MenuQuitConfirm, {kConfirmSound}},
        {4, true, false, MenuRecord, {kRefusedSound}},
        {4, false, true, -1, {kConfirmSound}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row) + (c.saving ? " saving" : "") + (c.returnPoint ? " return" : ""));
        SetMapFlags(kTransfers | (c.saving ? kSaving : 0));
        data().ClearMapTransfer();
        if (c.returnPoint)
            data().RequestMapTransfer(6, 8, 1);
        MapSceneState = MAP_SCENE_MENU;
        OpenRecordsOn(c.row);
        PushButton(kConfirm);
        EXPECT_EQ(TakeSounds(), c.sounds);
        if (c.mode < 0) {
            EXPECT_EQ(MapSceneState, MAP_SCENE_MENU_TRANSFER);
            EXPECT_EQ(player.transferStage, 2) << "no fading: the map change at once";
            EXPECT_EQ(player.transferRequest[mapchange::Column], 6);
            EXPECT_EQ(player.transferRequest[mapchange::Row], 8);
            EXPECT_EQ(player.transferRequest[mapchange::Facing], 1);
            EXPECT_EQ(player.transferRequest[mapchange::Reload], 1);
        } else {
            EXPECT_EQ(menu().mode, c.mode);
            EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
        }
    }
}

TEST_F(RecordsTest, CancelAndTheMenuButtonOnTheRecordPages)
{
    struct Case {
        int row, mode, button;
        int backTo; // -1: the menu closed
        Sounds sounds;
    };
    const Case cases[] = {
        {0, MenuRecord, kCancel, MenuTop, {kBackSound}},
        {0, MenuRecord, kMenuButton, -1, {kMenuSound}},
        {0, MenuSaveSlot, kCancel, MenuRecord, {kBackSound}},
        {1, MenuLoadSlot, kCancel, MenuRecord, {kBackSound}},
        {1, MenuLoadSlot, kMenuButton, -1, {kMenuSound}},
        {0, MenuSlotConfirm, kCancel, MenuSaveSlot, {kBackSound}},
        {1, MenuSlotConfirm, kCancel, MenuLoadSlot, {kBackSound}},
        {1, MenuSlotConfirm, kMenuButton, -1, {kMenuSound}},
        {2, MenuTitleConfirm, kCancel, MenuRecord, {kBackSound}},
        {2, MenuTitleConfirm, kMenuButton, -1, {kMenuSound}},
        {3, MenuQuitConfirm, kCancel, MenuRecord, {kBackSound}},
        {3, MenuQuitConfirm, kMenuButton, -1, {kMenuSound}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " button " + std::to_string(c.button));
        MapSceneState = MAP_SCENE_MENU;
        OpenRecordsOn(c.row);
        menu().SetMapMenuMode(c.mode);
        TakeSounds();
        PushButton(c.button);
        EXPECT_EQ(TakeSounds(), c.sounds);
        if (c.backTo < 0) {
            EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
            continue;
        }
        EXPECT_EQ(menu().mode, c.backTo);
        EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
        EXPECT_EQ(menu().recordRow, c.row) << "the record row is kept";
        if (c.backTo == MenuTop) {
            EXPECT_EQ(menu().topCursor, 7) << "back on 記録";
        }
    }
}

TEST_F(RecordsTest, SlotRowsShowWhatEachFileHolds)
{
    // Year 10000 needs a file system whose times go that far; tmpfs does.
    testsupport::TempFolder* farTimes = nullptr;
    std::unique_ptr<testsupport::TempFolder> shm;
    if (std::filesystem::is_directory("/dev/shm")) {
        setenv("TMPDIR", "/dev/shm", 1);
        shm = std::make_unique<testsupport::TempFolder>();
        unsetenv("TMPDIR");
        farTimes = shm.get();
        std::filesystem::create_directory_symlink(farTimes->path(), folder.path() / "SaveData");
    }
    data().heldItems[0] = 3;
    TheCharacter->level[0] = 12;
    Save(0);
    Save(1);
    Save(2);
    // Slot 0 stays good; slot 1 is cut short of its level; slot 2's level is out of range.
    WriteBytes(SlotFile(1), ReadBytes(SlotFile(1)).substr(0, 950));
    std::string outOfRange = ReadBytes(SlotFile(2));
    plat::StoreLe32(reinterpret_cast<unsigned char*>(outOfRange.data()) + 948, 300);
    WriteBytes(SlotFile(2), outOfRange);

    menu().RefreshMenuList(MenuLoadSlot, true);
    const SaveSlotRow* rows = menu().saveSlots;
    EXPECT_EQ(rows[0].filled, 1);
    EXPECT_EQ(std::u16string(rows[0].levelText, 3), u" 12");
    EXPECT_EQ(rows[0].dateText[4], u'年');
    EXPECT_EQ(std::u16string(rows[0].dateText).size(), 19u);
    EXPECT_EQ(rows[1].filled, 0) << "too short to hold the level";
    EXPECT_EQ(rows[2].filled, 1);
    EXPECT_EQ(std::u16string(rows[2].levelText, 3), u"  0") << "a level past 255 reads 0";

    std::filesystem::remove(SlotFile(1));
    menu().RefreshMenuList(MenuLoadSlot, true);
    EXPECT_EQ(menu().saveSlots[1].filled, 0) << "missing";

    if (farTimes == nullptr)
        GTEST_SKIP() << "no file system here holds a time in the year 10000";
    const timespec year10000[2] = {{253402300800 + 86400, 0}, {253402300800 + 86400, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, SlotFile(0).c_str(), year10000, 0), 0);
    menu().RefreshMenuList(MenuLoadSlot, true);
    EXPECT_EQ(menu().saveSlots[0].filled, 0) << "a date of more than 19 characters";
    EXPECT_EQ(menu().saveSlots[2].filled, 1);
}

TEST_F(RecordsTest, SavingIntoAnEmptySlotAsksNothingAndAFilledOneAsksFirst)
{
    OpenSlotsOn(0, 1);
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kConfirmSound});
    EXPECT_EQ(menu().mode, MenuSaveSlot) << "the page stays";
    ASSERT_TRUE(std::filesystem::exists(SlotFile(1)));
    EXPECT_EQ(menu().saveSlots[1].filled, 1) << "the row shows the new save at once";
    EXPECT_EQ(parts->saveFile.currentSlot, 1);

    // Overwriting asks, on "no" first.
    const std::string first = ReadBytes(SlotFile(1));
    data().heldItems[4] = 7;
    PushButton(kConfirm);
    EXPECT_EQ(menu().mode, MenuSlotConfirm);
    EXPECT_EQ(menu().confirmCursor, 1);
    EXPECT_EQ(rect(51).top, rect(50).top + 26.0f);
    PushButton(kConfirm);
    EXPECT_EQ(menu().mode, MenuSaveSlot);
    EXPECT_EQ(menu().slotCursor, 1);
    EXPECT_EQ(ReadBytes(SlotFile(1)), first) << "no: nothing written";
    PushButton(kConfirm);
    Up();
    TakeSounds();
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kConfirmSound});
    EXPECT_EQ(menu().mode, MenuSaveSlot);
    EXPECT_EQ(menu().slotCursor, 1);
    EXPECT_NE(ReadBytes(SlotFile(1)), first);
    EXPECT_TRUE(messages.empty());
}

TEST_F(RecordsTest, AFailedSaveShowsItsMessageAndTheRowsAsTheFilesStand)
{
    // A file where the folder should be: nothing can be written.
    WriteBytes(folder.path() / "SaveData", "x");
    OpenSlotsOn(0, 2);
    menu().saveSlots[2].filled = 1; // as a stale row would claim
    EXPECT_FALSE(menu().SaveToSelectedSlot());
    EXPECT_EQ(messages, std::vector<std::string>{"データの保存に失敗しました"});
    EXPECT_EQ(menu().saveSlots[2].filled, 0);
}

TEST_F(RecordsTest, LoadingRefusesAnEmptySlotLoadsAGoodOneAndKeepsTheDataOnACorruptOne)
{
    data().heldItems[5] = 42;
    data().playerMap = 1;
    data().playerX = 4;
    data().playerY = 6;
    data().playerFacing = 3;
    Save(1);
    Save(2);
    std::string corrupt = ReadBytes(SlotFile(2));
    corrupt[100] = static_cast<char>(corrupt[100] ^ 0x5A);
    WriteBytes(SlotFile(2), corrupt);
    data().heldItems[5] = 1;
    data().eventWord = 9;

    // Empty: refused, nothing asked.
    OpenSlotsOn(1, 0);
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kRefusedSound});
    EXPECT_EQ(menu().mode, MenuLoadSlot);

    // Corrupt: the message, back on the same slot, the data as they were.
    Down();
    Down();
    ASSERT_EQ(menu().slotCursor, 2);
    PushButton(kConfirm);
    EXPECT_EQ(menu().mode, MenuSlotConfirm);
    Up();
    PushButton(kConfirm);
    EXPECT_EQ(messages, std::vector<std::string>{"データの読み込みに失敗しました"});
    EXPECT_EQ(menu().mode, MenuLoadSlot);
    EXPECT_EQ(menu().slotCursor, 2);
    EXPECT_EQ(menu().cursorY, rect(50).top + 11.0f + 52.0f);
    EXPECT_EQ(data().heldItems[5], 1);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);

    // Good: loaded, the session reset, the party moved to where it was saved.
    Up();
    PushButton(kConfirm);
    Up();
    TakeSounds();
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kConfirmSound});
    EXPECT_EQ(data().heldItems[5], 42);
    EXPECT_EQ(data().eventWord, 0);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU_TRANSFER);
    EXPECT_EQ(player.transferStage, 2);
    EXPECT_EQ((std::vector<int>{player.transferRequest[mapchange::Map], player.transferRequest[mapchange::Column],
                                player.transferRequest[mapchange::Row], player.transferRequest[mapchange::Facing]}),
              (std::vector<int>{1, 4, 6, 3}));
}

TEST_F(RecordsTest, TheSlotListsOpenOnTheSlotUsedLastOrTheNewestSave)
{
    // No save at all: both lists open on slot 0.
    OpenSlotsOn(1, 0);
    menu().SetMapMenuMode(MenuLoadSlot);
    EXPECT_EQ(menu().slotCursor, 0);

    Save(2);
    Save(1);
    std::filesystem::last_write_time(SlotFile(1),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    parts->saveFile.currentSlot = 1;
    menu().SetMapMenuMode(MenuLoadSlot);
    EXPECT_EQ(menu().slotCursor, 2) << "the newest file";
    EXPECT_EQ(menu().cursorY, rect(50).top + 11.0f + 52.0f);
    menu().SetMapMenuMode(MenuSaveSlot);
    EXPECT_EQ(menu().slotCursor, 1) << "the slot the saves used last";

    // A chosen slot whose file has gone falls back to slot 0 at the next mode change.
    std::filesystem::remove(SlotFile(1));
    menu().ReadSaveSlotRows();
    menu().PlaceCursorForMode(MenuRecord);
    EXPECT_EQ(menu().slotCursor, 0);
    EXPECT_EQ(menu().mode, MenuRecord);
    EXPECT_EQ(menu().cursorY, rect(49).top + 11.0f + 26.0f * menu().recordRow);
}

TEST_F(RecordsTest, ReturningToTheTitleAndQuitting)
{
    OpenRecordsOn(2);
    PushButton(kConfirm);
    PushButton(kConfirm); // "no"
    EXPECT_EQ(TakeSounds(), (Sounds{kConfirmSound, kConfirmSound}));
    EXPECT_EQ(menu().mode, MenuRecord);

    PushButton(kConfirm);
    Up();
    player.SetPlayerStateB();
    TakeSounds();
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kConfirmSound});
    EXPECT_EQ(SceneState, SCENE_TITLE);
    EXPECT_EQ(TitleState, TITLE_OPENING);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ(player.balloonState, CMapCharacter::kBalloonNone) << "the player's mark is cleared";

    SceneState = SCENE_FIELD;
    MapSceneState = MAP_SCENE_MENU;
    OpenRecordsOn(3);
    PushButton(kConfirm);
    PushButton(kConfirm); // "no"
    EXPECT_EQ(TakeSounds(), (Sounds{kConfirmSound, kConfirmSound}));
    EXPECT_EQ(menu().mode, MenuRecord);
    PushButton(kConfirm);
    Up();
    TakeSounds();
    menu().swingCounter = 9;
    PushButton(kConfirm);
    EXPECT_TRUE(TakeSounds().empty()) << "quitting plays no sound";
    EXPECT_EQ(menu().swingCounter, 0);
}

TEST_F(RecordsTest, TheRetryMenuOpensItsPagesAndOnlyResumeLeavesIt)
{
    parts->party.learned[16] = 1;
    struct Case {
        int row;
        int mode; // -1: resume
    };
    const Case cases[] = {{0, MenuItemList},    {1, MenuMagicList}, {2, MenuEquipMember},
                          {3, MenuSkillMember}, {4, MenuSettings},  {5, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row));
        menu().SetMapMenuMode(MenuRetry);
        menu().topCursor = static_cast<std::int8_t>(c.row);
        menu().PlaceCursorForMode(MenuRetry);
        TakeSounds();
        PushButton(kConfirm);
        EXPECT_EQ(TakeSounds(), Sounds{kConfirmSound});
        EXPECT_EQ(menu().mode, c.mode < 0 ? MenuRetry : c.mode);
        EXPECT_EQ(menu().resume, c.mode < 0 ? 1 : 0);
        if (c.mode < 0)
            continue;
        // Every page leads back to the retry menu, on its first row.
        PushButton(kMenuButton);
        EXPECT_EQ(menu().mode, MenuRetry);
        EXPECT_EQ(menu().topCursor, 0);
    }
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);

    // Nothing held: 道具 is refused.
    HoldItems(0);
    menu().SetMapMenuMode(MenuRetry);
    TakeSounds();
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kRefusedSound});
    EXPECT_EQ(menu().mode, MenuRetry);

    // Cancel and the menu button stay; the modifier's cancel and button 3 act on the party.
    PushButton(kCancel);
    PushButton(kMenuButton);
    EXPECT_EQ(menu().mode, MenuRetry);
    EXPECT_EQ(menu().resume, 0);
    EXPECT_TRUE(TakeSounds().empty());
    PushHeld(kCancel, kModifier);
    PushButton(kSecond);
    EXPECT_TRUE(Noted("TogglePartyFlag30"));
    EXPECT_TRUE(Noted("CycleLeader"));
    EXPECT_EQ(TakeSounds(), (Sounds{SE_TOGGLE, kLeaderSound}));
    Down();
    EXPECT_EQ(menu().topCursor, 1);
    EXPECT_EQ(TakeSounds(), Sounds{kCursorSound});
}

TEST_F(RecordsTest, TheTransferPageMovesToTheChosenPointAndRefusesBadRows)
{
    SetWarpPoint(0, 0, 0, 9, 7, u"入口");
    SetWarpPoint(1, 3, 2, 4, 5, u"");
    SetWarpPoint(2, 1, 99, 1, 1, u"外"); // a place the name table does not hold
    KnowWarpPoints({0, 1, 2});
    menu().SetMapMenuMode(MenuTransfer);
    ASSERT_EQ(menu().mode, MenuTransfer);
    EXPECT_EQ(menu().mainList.count, 3);
    // Widths measured for the drawers (12 pixels a character here).
    EXPECT_EQ(menu().transferNameWidths[0], 12 * static_cast<int>(std::u16string(PlaceNameTable[0]).size()));
    EXPECT_EQ(menu().transferNameWidths[2], 0);
    TakeSounds();

    Down();
    Down();
    TakeSounds();
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kRefusedSound});
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);

    Up();
    TakeSounds();
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kConfirmSound});
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU_TRANSFER);
    EXPECT_EQ(player.transferStage, 0) << "the player waits and fades out first";
    EXPECT_EQ((std::vector<int>{player.transferRequest[mapchange::Map], player.transferRequest[mapchange::Column],
                                player.transferRequest[mapchange::Row], player.transferRequest[mapchange::Facing],
                                player.transferRequest[mapchange::NewPlace]}),
              (std::vector<int>{3, 4, 5, 2, 1}));

    // A list entry past the table's rows is refused as well.
    MapSceneState = MAP_SCENE_MENU;
    menu().SetMapMenuMode(MenuTransfer);
    data().ownedKeyList[0] = WARP_POINT_ROW_COUNT;
    TakeSounds();
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds(), Sounds{kRefusedSound});
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
}

TEST_F(RecordsTest, APlaceNameThatCannotBeMeasuredIsReported)
{
    SetWarpPoint(0, 0, 0, 9, 7, u"");
    KnowWarpPoints({0});
    text.failWidth = true;
    EXPECT_ANY_THROW(menu().SetMapMenuMode(MenuTransfer));
    ASSERT_FALSE(error.reports.empty());
    EXPECT_EQ(error.reports.back().file, "MapMenu");
    EXPECT_EQ(error.reports.back().code, 10);
}

TEST_F(RecordsTest, TheTransferListDrawsNamesSuffixesAndItsWindowByPage)
{
    for (int point = 0; point < 12; ++point)
        SetWarpPoint(point, 0, point, 9, 7, point % 2 == 0 ? u"入口" : u"");
    SetWarpPoint(11, 0, 40, 9, 7, u"外");
    KnowWarpPoints({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    menu().SetMapMenuMode(MenuTransfer);
    std::vector<DrawnText> drawn = Drawn();
    const DrawnText* name = FindAt(drawn, PlaceNameTable[0], rect(48).left + 10.0f);
    ASSERT_NE(name, nullptr) << "a full page uses window 48";
    EXPECT_FLOAT_EQ(name->z, 0.297f);
    const DrawnText* suffix = FindText(drawn, u"入口");
    ASSERT_NE(suffix, nullptr);
    EXPECT_EQ(suffix->x, name->x + 12.0f * static_cast<float>(std::u16string(PlaceNameTable[0]).size()) + 12.0f);
    EXPECT_EQ(suffix->y, name->y);
    const DrawnText* second = FindAt(drawn, PlaceNameTable[1], name->x);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->y, name->y + 26.0f);
    EXPECT_EQ(FindText(drawn, u"入口", 5), nullptr) << "only the even rows have a suffix";
    EXPECT_NE(FindText(drawn, u"1  /  2"), nullptr);

    keys.Press(fakes::FakeKeyInput::kRight);
    Frame();
    ASSERT_EQ(menu().mainList.page, 1);
    drawn = Drawn();
    EXPECT_NE(FindAt(drawn, PlaceNameTable[10], rect(47).left + 10.0f), nullptr) << "the last page uses window 47";
    EXPECT_EQ(FindText(drawn, u"外"), nullptr) << "a place outside the table draws an empty row";
    EXPECT_EQ(menu().transferNameWidths[1], 0);
}

TEST_F(RecordsTest, TheRecordPagesDrawTheirRowsInTheirColours)
{
    constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u, kDark = 0xFF404040u;
    SetMapFlags(kTransfers);
    OpenRecordsOn(0);
    std::vector<DrawnText> drawn = Drawn();
    const DrawnText* save = FindText(drawn, u"セーブ");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->colour, kGrey) << "the map forbids saving";
    EXPECT_FLOAT_EQ(save->z, 0.297f);
    EXPECT_EQ(save->x, rect(49).left + 10.0f);
    const DrawnText* middle = FindText(drawn, u"ロード\nタイトルに戻る\nゲーム終了");
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->colour, kWhite);
    EXPECT_EQ(middle->y, save->y + 26.0f);
    EXPECT_EQ(middle->lineAdvance, 26.0f);
    const DrawnText* back = FindText(drawn, u"元に戻す");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->colour, kGrey) << "no return point";
    EXPECT_EQ(back->y, save->y + 4 * 26.0f);

    // Behind the load list: dimmed, the slots in white with the empty ones named.
    data().RequestMapTransfer(1, 1, 0);
    Save(1);
    menu().recordRow = 1;
    menu().SetMapMenuMode(MenuLoadSlot);
    drawn = Drawn();
    EXPECT_EQ(FindText(drawn, u"セーブ")->colour, kDark);
    EXPECT_EQ(FindText(drawn, u"元に戻す")->colour, kGrey);
    EXPECT_FLOAT_EQ(FindText(drawn, u"セーブ")->z, 0.397f);
    const DrawnText* labels = FindText(drawn, u"1:\n2:\n3:");
    ASSERT_NE(labels, nullptr);
    EXPECT_EQ(labels->colour, kWhite);
    EXPECT_FLOAT_EQ(labels->z, WindowDepth(50) - 0.001f);
    EXPECT_NE(FindText(drawn, u"データなし", 1), nullptr);
    EXPECT_NE(FindText(drawn, u"Lv"), nullptr);

    // The question beside the slot: "ロード" then "やめる"; the slots dimmed behind it.
    menu().slotCursor = 1;
    menu().SetMapMenuMode(MenuSlotConfirm);
    drawn = Drawn();
    EXPECT_EQ(FindText(drawn, u"1:\n2:\n3:")->colour, kGrey);
    EXPECT_FLOAT_EQ(FindText(drawn, u"1:\n2:\n3:")->z, WindowDepth(50) + 0.1f - 0.001f);
    const DrawnText* load = FindText(drawn, u"ロード");
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->y, rect(51).top + 10.0f);
    EXPECT_FLOAT_EQ(load->z, 0.293f);
    EXPECT_EQ(FindText(drawn, u"やめる")->y, load->y + 26.0f);
    menu().recordRow = 0;
    drawn = Drawn();
    const DrawnText* saveRow = FindText(drawn, u"セーブ", 1); // after the record menu's own
    ASSERT_NE(saveRow, nullptr) << "saving asks with セーブ";
    EXPECT_EQ(saveRow->y, rect(51).top + 10.0f);
    EXPECT_EQ(FindText(drawn, u"ロード"), nullptr);

    // The title and quit questions: one two-line text each.
    const struct {
        int mode, window;
        const char16_t* question;
    } questions[] = {{MenuTitleConfirm, 52, u"戻る\nやめる"}, {MenuQuitConfirm, 53, u"終了する\n終了しない"}};
    for (const auto& q : questions) {
        menu().SetMapMenuMode(q.mode);
        drawn = Drawn();
        const DrawnText* shown = FindText(drawn, q.question);
        ASSERT_NE(shown, nullptr) << q.mode;
        EXPECT_EQ(shown->x, rect(q.window).left + 10.0f);
        EXPECT_FLOAT_EQ(shown->z, 0.295f);
        EXPECT_EQ(shown->lineAdvance, 0.0f);
    }
}

TEST_F(RecordsTest, TheRetryColumnShowsItsRowsActiveOrDimmed)
{
    constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u, kDark = 0xFF404040u;
    const struct {
        int mode, itemsHeld;
        std::uint32_t items, rest;
        float depth;
    } cases[] = {
        {MenuRetry, 2, kWhite, kWhite, 0.299f},
        {MenuRetry, 0, kGrey, kWhite, 0.299f},
        {MenuSettings, 2, kGrey, kGrey, 0.399f},
        {MenuSettings, 0, kDark, kGrey, 0.399f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", " + std::to_string(c.itemsHeld) + " held");
        HoldItems(c.itemsHeld);
        menu().SetMapMenuMode(MenuRetry);
        if (c.mode != MenuRetry)
            menu().SetMapMenuMode(c.mode);
        const std::vector<DrawnText> drawn = Drawn();
        const DrawnText* items = FindText(drawn, u"道具");
        const DrawnText* rest = FindText(drawn, u"魔法\n装備\n特技\n設定\n再開");
        ASSERT_NE(items, nullptr);
        ASSERT_NE(rest, nullptr);
        EXPECT_EQ(items->colour, c.items);
        EXPECT_EQ(rest->colour, c.rest);
        EXPECT_FLOAT_EQ(items->z, c.depth);
        EXPECT_EQ(rest->y, items->y + 26.0f);
        EXPECT_EQ(rest->lineAdvance, 26.0f);
        EXPECT_EQ(FindText(drawn, u"記録"), nullptr);
    }
}

} // namespace
} // namespace menutest
