// The menu's modes: the top menu's rows and refusals, leaving the menu,
// the state each mode starts from, and lists with nothing to show.
#include "MenuFixture.h"
#include "record/Config.h"

namespace menutest {
namespace {

constexpr int kConfirm = 0, kCancel = 1, kMenuButton = 2, kSecond = 3, kModifier = 10;
enum Sound : int { kConfirmSound = 0, kBackSound = 1, kCursorSound = 2, kRefusedSound = 3, kMenuSound = 4 };
constexpr int kLeaderSound = 10;

class ModesTest : public MenuTest {
protected:
    // The menu as the player opens it on the map, cursor on `row`.
    void OpenOnRow(int row)
    {
        menu().SetMapMenuMode(MenuTop);
        menu().topCursor = static_cast<std::int8_t>(row);
        TakeSounds();
    }
};

TEST_F(ModesTest, TopRowsOpenTheirPages)
{
    const struct {
        int row, mode, window;
    } rows[] = {
        {0, MenuItemList, 2}, {1, MenuMagicList, 5}, {2, MenuEquipMember, 8}, {3, MenuSkillMember, 16},
        {4, MenuInfo, 18},    {5, MenuSettings, 23}, {6, MenuTransfer, 47},   {7, MenuRecord, 49},
    };
    parts->party.learned[16] = 1; // one magic, so its list has something to show
    HoldItems(1);                 // one item is enough for 道具
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + std::to_string(r.row));
        OpenOnRow(r.row);
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, r.mode);
        EXPECT_EQ(menu().cursorWindow, r.window);
        EXPECT_EQ(menu().cursorX, rect(r.window).left - 14.0f);
        EXPECT_EQ(TakeSounds(), std::vector<int>{kConfirmSound});
    }
}

TEST_F(ModesTest, TheTopCursorWrapsOverItsEightRows)
{
    OpenOnRow(0);
    keys.Press(fakes::FakeKeyInput::kUp);
    Frame();
    EXPECT_EQ(menu().topCursor, 7) << "up from 道具 to 記録";
    keys.Press(fakes::FakeKeyInput::kDown);
    Frame();
    EXPECT_EQ(menu().topCursor, 0) << "down from 記録 to 道具";
}

TEST_F(ModesTest, ItemsAndTransfersAreRefusedWhenThereAreNone)
{
    const struct {
        const char* what;
        int row;
        int itemsHeld;
        std::uint32_t flags;
    } cases[] = {
        {"道具 with nothing held", 0, 0, kTransfers},
        {"移動 on a map without transfers", 6, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HoldItems(c.itemsHeld);
        SetMapFlags(c.flags);
        OpenOnRow(c.row);
        menu().repeatHeld[MENU_DOWN] = 1;
        menu().repeatCounters[MENU_DOWN] = 12;
        menu().swingCounter = 20;
        menu().cursorSwing = 2.0f;
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, MenuTop);
        EXPECT_EQ(menu().topCursor, c.row);
        EXPECT_EQ(TakeSounds(), std::vector<int>{kRefusedSound});
        EXPECT_EQ(menu().repeatHeld[MENU_DOWN], 0);
        EXPECT_EQ(menu().repeatCounters[MENU_DOWN], 0);
        EXPECT_EQ(menu().swingCounter, 0);
        EXPECT_EQ(menu().cursorSwing, 0.0f);
    }
}

TEST_F(ModesTest, CancelMenuAndSecondActionOnTheTopMenu)
{
    const struct {
        const char* what;
        int button;
        int held;
        int mapScene;
        std::vector<int> sounds;
        const char* note;
    } cases[] = {
        {"cancel closes", kCancel, 0, MAP_SCENE_WALK, {kBackSound}, nullptr},
        {"cancel with the modifier toggles the AI's magic",
         kCancel,
         1 << kModifier,
         MAP_SCENE_MENU,
         {SE_TOGGLE},
         "TogglePartyFlag30"},
        {"the menu button closes", kMenuButton, 0, MAP_SCENE_WALK, {kMenuSound}, nullptr},
        {"the second action changes the controlled member", kSecond, 0, MAP_SCENE_MENU, {kLeaderSound}, "CycleLeader"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MapSceneState = MAP_SCENE_MENU;
        OpenOnRow(3);
        SceneTrace::Clear();
        keys.heldButtons = c.held;
        PushButton(c.button);
        keys.heldButtons = 0;
        EXPECT_EQ(MapSceneState, c.mapScene);
        EXPECT_EQ(menu().mode, MenuTop);
        EXPECT_EQ(menu().topCursor, 3);
        EXPECT_EQ(TakeSounds(), c.sounds);
        if (c.note != nullptr) {
            EXPECT_TRUE(Noted(c.note));
        }
    }
}

TEST_F(ModesTest, TheRetryMenuStaysOpen)
{
    menu().SetMapMenuMode(MenuRetry);
    EXPECT_EQ(menu().openedOnMap, 0);
    EXPECT_EQ(menu().homeMode, MenuRetry);
    EXPECT_EQ(menu().cursorWindow, MENU_RETRY_WINDOW);
    menu().SetMapMenuMode(MenuSettings);
    menu().topCursor = 3;
    PushButton(kMenuButton);
    EXPECT_EQ(menu().mode, MenuRetry);
    EXPECT_EQ(menu().topCursor, 0);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
    PushButton(kMenuButton);
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuRetry);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
}

TEST_F(ModesTest, ModesOutsideTheTableChangeNothing)
{
    OpenOnRow(2);
    menu().cursorX = 12.5f;
    for (int mode : {48, 1000, -1, -48}) {
        menu().SetMapMenuMode(mode);
        menu().PlaceCursorForMode(mode);
        EXPECT_EQ(menu().mode, MenuTop) << mode;
        EXPECT_EQ(menu().cursorWindow, MENU_TOP_WINDOW) << mode;
        EXPECT_EQ(menu().cursorX, 12.5f) << mode;
    }
    menu().mode = -3; // even set by hand, a frame does nothing with it
    PushButton(kMenuButton);
    EXPECT_EQ(MapSceneState, MAP_SCENE_MENU);
}

TEST_F(ModesTest, EmptyListsGoBackWithoutShowingAPage)
{
    const struct {
        const char* what;
        int mode;
        int backTo;
    } cases[] = {
        {"no learned magic", MenuMagicList, MenuTop},
        {"no transfer point", MenuTransfer, MenuTop},
        {"no known enemy", MenuInfoEnemies, MenuInfo},
        {"no item for a shortcut", MenuShortcutItem, MenuShortcutKind},
        {"no magic for a shortcut", MenuShortcutMagic, MenuShortcutKind},
    };
    std::memset(data().ownedKeyFlags, 0, sizeof data().ownedKeyFlags);
    std::memset(data().heldItems, 0, sizeof data().heldItems);
    std::memset(parts->party.learned, 0, sizeof parts->party.learned);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OpenOnRow(5);
        menu().SetMapMenuMode(c.mode);
        EXPECT_EQ(menu().mode, c.backTo);
        EXPECT_EQ(menu().cursorWindow, ModeCursorWindow(c.backTo));
        EXPECT_GE(menu().mainList.page, 0);
        EXPECT_GE(menu().mainList.position, 0);
        if (c.backTo == MenuTop) {
            EXPECT_EQ(menu().topCursor, 5);
        }
    }
}

TEST_F(ModesTest, TheItemListStartsOnItsFirstPageSizedToTheLastOne)
{
    HoldItems(12);
    menu().mainList.page = 1;
    menu().mainList.position = 17;
    menu().SetMapMenuMode(MenuItemList);
    const MenuListFields& list = menu().mainList;
    EXPECT_EQ(list.count, 12);
    EXPECT_EQ(list.pageCount, 2);
    EXPECT_EQ(list.page, 0);
    EXPECT_EQ(list.position, 0);
    EXPECT_EQ(list.rowsOnPage, 10);
    EXPECT_EQ(std::u16string(menu().pageLines[0].text), u"1  /  2");
    // Two rows on the last page, and the page text below them.
    EXPECT_EQ(rect(2).bottom, rect(2).top + 20 + 2 * 24 + 2 + 32);
    EXPECT_EQ(rect(3).bottom, rect(3).top + 20 + 258 + 32) << "the full page keeps its height";
    EXPECT_EQ(std::u16string(menu().countText).size(), 10 * 3 + 9u);
    EXPECT_EQ(menu().cursorY, rect(2).top + 11.0f);

    // Three items: no page text line.
    HoldItems(3);
    menu().SetMapMenuMode(MenuItemList);
    EXPECT_EQ(rect(2).bottom, rect(2).top + 20 + 3 * 24 + 4);
    EXPECT_EQ(list.pageCount, 1);
}

TEST_F(ModesTest, AShrunkListPutsThePositionBackOnItsLastEntry)
{
    HoldItems(25);
    menu().SetMapMenuMode(MenuItemList);
    menu().mainList.page = 2;
    menu().mainList.position = 24;
    HoldItems(14);
    menu().RefreshMenuList(MenuItemList, true);
    EXPECT_EQ(menu().mainList.page, 1);
    EXPECT_EQ(menu().mainList.position, 13);
    EXPECT_EQ(menu().mainList.rowsOnPage, 4);
    EXPECT_EQ(menu().cursorY, rect(2).top + 11.0f + 26.0f * 3);
}

TEST_F(ModesTest, TheTargetWindowOpensBesideTheChosenRow)
{
    HoldItems(6);
    menu().SetMapMenuMode(MenuItemList);
    menu().mainList.position = 3;
    menu().SetMapMenuMode(MenuItemTarget);
    EXPECT_EQ(menu().mode, MenuItemTarget);
    EXPECT_EQ(menu().targetCursor, 0);
    const int rows = menu().targetKind == 1 ? 4 : 2;
    EXPECT_EQ(rect(4).top, rect(2).top + 3 * 26);
    EXPECT_EQ(rect(4).bottom, rect(4).top + 20 + rows * 24 + (rows * 2 - 2));
    EXPECT_EQ(rect(4).right - rect(4).left, 20 + (rows == 4 ? 122 : 66));

    // A cursor past the list's end goes back to the list.
    menu().mainList.position = 6;
    menu().SetMapMenuMode(MenuItemTarget);
    EXPECT_EQ(menu().mode, MenuItemList);
}

TEST_F(ModesTest, SettingValuesStartFromTheStoredOptions)
{
    CCharacter& party = parts->party;
    party.partyWordC = (2u << 18) | (7u << 10) | (4u << 14) | (1u << 30) | (1u << 25);
    party.partyWordD = (9u << 14) | (1u << 26);
    data().hudMode = 3;
    data().textSpeed = 2;
    data().effectOption = 1;
    data().autoRun = 0;
    GameConfig.BGMVol = 7;
    GameConfig.SoundVol = 25; // beyond the window's values
    const struct {
        int mode, values, value;
    } cases[] = {
        {MenuControlledMember, 3, 2},    {MenuWindowDisplay, 4, 3},
        {MenuBgmVolume, 11, 7},          {MenuSeVolume, 11, 10},
        {MenuTextSpeed, 3, 2},           {MenuScreenEffect, 2, 1},
        {MenuWalkSpeed, 2, 0},           {MenuAiMagic, 2, 1},
        {MenuAiHealPercent, 10, 7},      {MenuAiPrayPercent, 10, 9},
        {MenuAiGroupHealPercent, 10, 4}, {MenuActionInterrupt, 2, 1},
        {MenuItemPriority, 2, 0},        {MenuChantCheck, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        menu().SetMapMenuMode(c.mode);
        EXPECT_EQ(menu().mode, c.mode);
        EXPECT_EQ(menu().valueCount, c.values);
        const int value = c.mode == MenuControlledMember ? menu().controlledMemberValue
                          : c.mode == MenuWindowDisplay  ? menu().displayModeValue
                                                         : menu().optionValue;
        EXPECT_EQ(value, c.value);
        const int window = ModeCursorWindow(c.mode);
        EXPECT_EQ(menu().cursorY, rect(window).top + 11.0f + 26.0f * c.value);
    }
    // A stored percentage index past the last value is kept inside the window.
    party.partyWordC |= 15u << 10;
    menu().SetMapMenuMode(MenuAiHealPercent);
    EXPECT_EQ(menu().optionValue, 9);
}

TEST_F(ModesTest, EntryStateOfTheOtherModes)
{
    menu().memberCursor = menu().slotKind = menu().skillCursor = menu().infoCursor = 2;
    menu().recordRow = menu().shortcutButtonCursor = menu().shortcutKindCursor = 2;
    const struct {
        int mode;
        std::int8_t CMapMenu::*cursor;
        int value;
    } cases[] = {
        {MenuEquipMember, &CMapMenu::memberCursor, 0},
        {MenuSkillMember, &CMapMenu::memberCursor, 0},
        {MenuEquipSlot, &CMapMenu::slotKind, 0},
        {MenuSkillList, &CMapMenu::skillCursor, 0},
        {MenuInfo, &CMapMenu::infoCursor, 0},
        {MenuShortcutButton, &CMapMenu::shortcutButtonCursor, 0},
        {MenuShortcutKind, &CMapMenu::shortcutKindCursor, 0},
        {MenuRecord, &CMapMenu::recordRow, 0},
        {MenuMagicLearnConfirm, &CMapMenu::learnConfirmCursor, 1},
        {MenuTitleConfirm, &CMapMenu::titleQuitCursor, 1},
        {MenuSlotConfirm, &CMapMenu::confirmCursor, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        menu().*c.cursor = 2;
        menu().SetMapMenuMode(c.mode);
        EXPECT_EQ(menu().mode, c.mode);
        EXPECT_EQ(menu().*c.cursor, c.value);
        EXPECT_EQ(menu().cursorY, rect(ModeCursorWindow(c.mode)).top + 11.0f + 26.0f * c.value);
    }
    menu().SetMapMenuMode(MenuQuitConfirm);
    EXPECT_EQ(menu().quitArmed, 1);
    EXPECT_EQ(menu().titleQuitCursor, 1);

    // The slot confirmation stands beside the chosen slot.
    menu().slotCursor = 2;
    menu().SetMapMenuMode(MenuSlotConfirm);
    EXPECT_EQ(rect(51).top, rect(50).top + 52);
    EXPECT_EQ(rect(51).bottom, rect(51).top + 70);
    EXPECT_EQ(menu().confirmArmed, 1);

    // The settings list: 17 entries, first page of two.
    menu().settingsList.page = 1;
    menu().settingsList.position = 15;
    menu().SetMapMenuMode(MenuSettings);
    EXPECT_EQ(menu().settingsList.page, 0);
    EXPECT_EQ(menu().settingsList.position, 0);
    EXPECT_EQ(menu().settingsList.pageCount, 2);
    EXPECT_EQ(menu().settingsList.rowsOnPage, 10);
    EXPECT_EQ(std::u16string(menu().pageLines[1].text), u"1  /  2");

    // The cure-ailment grid puts its cursor by column and row.
    menu().SetMapMenuMode(MenuAiCureAilments);
    EXPECT_EQ(menu().optionValue, 0);
    menu().optionValue = 5;
    menu().PlaceCursorForMode(MenuAiCureAilments);
    EXPECT_EQ(menu().cursorX, rect(43).left - 14.0f + 76.0f);
    EXPECT_EQ(menu().cursorY, rect(43).top + 11.0f + 26.0f * 2);
}

TEST_F(ModesTest, ConstructionAndTheReset)
{
    EXPECT_EQ(menu().markers[0], -1);
    EXPECT_EQ(menu().markers[1], -2);
    EXPECT_EQ(menu().markers[2], -1);
    EXPECT_EQ(menu().markers[3], -1);
    EXPECT_EQ(menu().packedWord, (1u << 29) - 1);
    EXPECT_EQ(menu().settingsList.count, 17);
    EXPECT_EQ(menu().openedOnMap, 1);
    EXPECT_EQ(std::u16string(menu().useTimeLabel), u"使用時間");
    const char16_t* seconds[MENU_DURATION_COUNT] = {u"90", u"45", u"45", u"30", u"30", u"20",  u"40",
                                                    u"60", u"60", u"60", u"15", u"30", u"120", u"45"};
    for (int i = 0; i < MENU_DURATION_COUNT; ++i)
        EXPECT_EQ(std::u16string(menu().durationTexts[i].text), seconds[i]) << i;
    EXPECT_EQ(menu().pictureQuads[1][0].z, 0.301f);

    menu().markers[0] = 5;
    menu().markers[1] = 6;
    menu().markers[3] = 40;
    menu().packedWord = 0;
    menu().enemyPicture = new CTexture();
    menu().ResetMapMenuState();
    EXPECT_EQ(menu().enemyPicture, nullptr);
    EXPECT_EQ(menu().markers[0], -1);
    EXPECT_EQ(menu().markers[1], -2);
    EXPECT_EQ(menu().markers[3], -1);
    EXPECT_EQ(menu().packedWord, (1u << 29) - 1);
}

} // namespace
} // namespace menutest
