// The settings pages' input: every choice window reads its value back,
// stores it only on confirm through its own setter, the ailment grid, the
// shortcut buttons and magic learning.
#include <functional>

#include "MenuFixture.h"
#include "field/MapCharacter.h"
#include "media/PlayBGM.h"
#include "record/Config.h"

namespace menutest {
namespace {

constexpr int kConfirm = 0, kCancel = 1, kMenuButton = 2, kSecond = 3;
constexpr int kConfirmSound = 0, kBackSound = 1, kRefusedSound = 3, kToggleSound = 5, kSetSound = 6;
constexpr int kDown = 2, kRight = 8;

class SettingsTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ZephMidi = &midi;
        ThePlayBGM = &music;
        TheMapCharacter = &player;
        // A party that has learned nothing yet, every member switch off.
        std::memset(parts->party.learned, 0, sizeof parts->party.learned);
        std::memset(parts->party.autoMagicAllowed, 0, sizeof parts->party.autoMagicAllowed);
        std::memset(parts->party.memberOptions, 0, sizeof parts->party.memberOptions);
    }
    // The settings list with its cursor on `row`.
    void OpenSettingsOn(int row)
    {
        menu().SetMapMenuMode(MenuSettings);
        menu().settingsList.page = row / 10;
        menu().RefreshMenuList(MenuSettings, false);
        menu().settingsList.position = row;
        TakeSounds();
    }
    void Press(int directions)
    {
        keys.Press(directions);
        Frame();
    }
    std::uint32_t& WordC() { return parts->party.partyWordC; }
    std::uint32_t& WordD() { return parts->party.partyWordD; }
    static int Bits(std::uint32_t word, int shift, int width) { return (word >> shift) & ((1u << width) - 1u); }
    static void Put(std::uint32_t& word, int shift, int width, int value)
    {
        const std::uint32_t mask = ((1u << width) - 1u) << shift;
        word = (word & ~mask) | ((static_cast<std::uint32_t>(value) << shift) & mask);
    }

    fakes::CallLog midiLog;
    fakes::RecordingMidi midi{midiLog};
    CPlayMidi music;
    CMapCharacter player{};
};

TEST_F(SettingsTest, EveryChoiceReadsItsValueBackAndStoresItOnlyOnConfirm)
{
    GameData& d = data();
    const struct {
        int row, mode, values;
        bool inverted;
        std::function<void(int)> store;
        std::function<int()> stored;
    } rows[] = {
        {2, MenuControlledMember, 3, false, [&](int v) { Put(WordC(), 18, 2, v); },
         [&] { return Bits(WordC(), 18, 2); }},
        {3, MenuWindowDisplay, 4, false, [&](int v) { d.hudMode = static_cast<std::uint8_t>(v); },
         [&] { return int{d.hudMode}; }},
        {4, MenuBgmVolume, 11, false, [&](int v) { GameConfig.BGMVol = v; }, [&] { return GameConfig.BGMVol; }},
        {5, MenuSeVolume, 11, false, [&](int v) { GameConfig.SoundVol = v; }, [&] { return GameConfig.SoundVol; }},
        {6, MenuTextSpeed, 3, false, [&](int v) { d.textSpeed = static_cast<std::uint8_t>(v); },
         [&] { return int{d.textSpeed}; }},
        {7, MenuScreenEffect, 2, false, [&](int v) { d.effectOption = static_cast<std::uint8_t>(v); },
         [&] { return int{d.effectOption}; }},
        {8, MenuWalkSpeed, 2, false, [&](int v) { d.autoRun = static_cast<std::uint8_t>(v); },
         [&] { return int{d.autoRun}; }},
        {9, MenuAiMagic, 2, false, [&](int v) { Put(WordC(), 30, 1, v); }, [&] { return Bits(WordC(), 30, 1); }},
        {10, MenuAiHealPercent, 10, false, [&](int v) { Put(WordC(), 10, 4, v); },
         [&] { return Bits(WordC(), 10, 4); }},
        {11, MenuAiPrayPercent, 10, false, [&](int v) { Put(WordD(), 14, 4, v); },
         [&] { return Bits(WordD(), 14, 4); }},
        {12, MenuAiGroupHealPercent, 10, false, [&](int v) { Put(WordC(), 14, 4, v); },
         [&] { return Bits(WordC(), 14, 4); }},
        {14, MenuActionInterrupt, 2, false, [&](int v) { Put(WordD(), 26, 1, v); },
         [&] { return Bits(WordD(), 26, 1); }},
        {15, MenuItemPriority, 2, true, [&](int v) { Put(WordC(), 25, 1, v); }, [&] { return Bits(WordC(), 25, 1); }},
        {16, MenuChantCheck, 2, true, [&](int v) { Put(WordC(), 27, 1, v); }, [&] { return Bits(WordC(), 27, 1); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        const int stored = r.values - 1; // the last value, so a step down wraps to 0
        r.store(stored);
        const int shown = r.inverted ? 1 - stored : stored;
        OpenSettingsOn(r.row);
        PushButton(kConfirm);
        ASSERT_EQ(menu().mode, r.mode);
        EXPECT_EQ(menu().valueCount, r.values);
        EXPECT_EQ(menu().cursorY, rect(ModeCursorWindow(r.mode)).top + 11.0f + 26.0f * static_cast<float>(shown));
        Press(kDown);
        PushButton(kCancel);
        EXPECT_EQ(menu().mode, MenuSettings);
        EXPECT_EQ(menu().settingsList.position, r.row);
        EXPECT_EQ(r.stored(), stored) << "cancel stores nothing";
        TakeSounds();

        PushButton(kConfirm);
        Press(kDown);
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, MenuSettings);
        const int chosen = (shown + 1) % r.values;
        EXPECT_EQ(r.stored(), r.inverted ? 1 - chosen : chosen);
        EXPECT_EQ(TakeSounds().back(), kConfirmSound);
    }
}

TEST_F(SettingsTest, RowsZeroOneAndThirteenOpenTheirPages)
{
    const struct {
        int row, mode;
    } cases[] = {{0, MenuShortcutButton}, {1, MenuMagicLearn}, {13, MenuAiCureAilments}};
    for (const auto& c : cases) {
        OpenSettingsOn(c.row);
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, c.mode) << c.row;
        EXPECT_EQ(TakeSounds(), std::vector<int>{kConfirmSound});
        PushButton(kMenuButton);
        EXPECT_EQ(MapSceneState, MAP_SCENE_WALK) << "the menu button closes the menu";
        MapSceneState = MAP_SCENE_MENU;
    }
}

TEST_F(SettingsTest, TheBalloonGoesAfterTheChangeItShows)
{
    const struct {
        int row;
        int balloon;
        int left;
    } cases[] = {
        {2, CMapCharacter::kBalloonLeader, CMapCharacter::kBalloonNone},
        {2, CMapCharacter::kBalloonPartyFlag, CMapCharacter::kBalloonPartyFlag},
        {9, CMapCharacter::kBalloonPartyFlag, CMapCharacter::kBalloonNone},
        {9, CMapCharacter::kBalloonLeader, CMapCharacter::kBalloonLeader},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << ", balloon " << c.balloon);
        player.balloonState = static_cast<std::uint8_t>(c.balloon);
        OpenSettingsOn(c.row);
        PushButton(kConfirm);
        PushButton(kConfirm);
        EXPECT_EQ(player.balloonState, c.left);
    }
}

TEST_F(SettingsTest, TurningThePageMovesTenRowsAndStopsAtTheLast)
{
    for (const auto& [from, to] : {std::pair{3, 13}, std::pair{7, 16}}) {
        OpenSettingsOn(from);
        Press(kRight);
        EXPECT_EQ(menu().settingsList.page, 1);
        EXPECT_EQ(menu().settingsList.position, to);
    }
}

TEST_F(SettingsTest, TheAilmentGridMovesOverTwoColumnsAndToggles)
{
    OpenSettingsOn(13);
    PushButton(kConfirm);
    const float firstColumn = menu().cursorX;
    Press(kRight);
    Press(kDown);
    EXPECT_EQ(menu().optionValue, 3);
    EXPECT_EQ(menu().cursorX, firstColumn + 76.0f);
    TakeSounds();
    parts->party.curableMask = 0;
    PushButton(kConfirm);
    EXPECT_EQ(parts->party.curableMask, 1u << 8);
    PushButton(kSecond);
    EXPECT_EQ(parts->party.curableMask, 0u);
    EXPECT_EQ(TakeSounds(), (std::vector<int>{kToggleSound, kToggleSound}));
    EXPECT_EQ(menu().mode, MenuAiCureAilments) << "the grid stays";
    for (int i = 0; i < 5; ++i)
        Press(kDown);
    EXPECT_EQ(menu().optionValue, 13) << "the last row, second column";
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuSettings);
}

class ShortcutTest : public SettingsTest {
protected:
    void OpenButtonRow(int row)
    {
        OpenSettingsOn(0);
        PushButton(kConfirm);
        menu().shortcutButtonCursor = static_cast<std::int8_t>(row);
        PushButton(kConfirm);
        ASSERT_EQ(menu().mode, MenuShortcutKind);
        TakeSounds();
    }
    void ChooseKind(int kind)
    {
        menu().shortcutKindCursor = static_cast<std::int8_t>(kind);
        PushButton(kConfirm);
    }
    const QuickSlot& Slot(int set, int slot) const { return parts->party.quickSlots[set][slot]; }
};

TEST_F(ShortcutTest, EachKindGoesIntoTheSlotOfTheChosenButton)
{
    HoldItems(4); // items 0 to 3, all usable in battle
    data().RebuildItemLists(LIST_BATTLE_ITEMS, false);
    parts->party.learned[5] = 1;
    data().RebuildItemLists(LIST_MAGIC, false);
    const struct {
        int row, kind, set, slot;
        std::uint8_t storedKind;
        std::int16_t id;
    } cases[] = {
        {0, 0, 0, 2, 2, -1}, // the first item of the list
        {9, 1, 1, 5, 1, 5},  // a magic
        {3, 2, 0, 5, 4, 2},  // the second skill
        {4, 3, 1, 0, 0, 0},  // none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        parts->party.quickSlots[c.set][c.slot] = {7, 99};
        OpenButtonRow(c.row);
        ChooseKind(c.kind);
        if (c.kind == 2)
            Press(kDown); // the second skill
        if (c.kind < 3)
            PushButton(kConfirm);
        EXPECT_EQ(Slot(c.set, c.slot).kind, c.storedKind);
        EXPECT_EQ(Slot(c.set, c.slot).id, c.id < 0 ? data().battleItemList[0] : c.id);
        EXPECT_EQ(menu().mode, MenuShortcutButton);
        EXPECT_EQ(menu().shortcutButtonCursor, c.row);
        EXPECT_EQ(TakeSounds().back(), kSetSound);
    }
}

TEST_F(ShortcutTest, ItemsAreRefusedWithNoneToUseAndSecondActionsToggle)
{
    HoldItems(0);
    OpenButtonRow(0);
    ChooseKind(0);
    EXPECT_EQ(menu().mode, MenuShortcutKind);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kRefusedSound});

    parts->party.learned[2] = 1;
    ChooseKind(1);
    ASSERT_EQ(menu().mode, MenuShortcutMagic);
    const std::uint8_t before = parts->party.autoMagicAllowed[2];
    PushButton(kSecond);
    EXPECT_NE(parts->party.autoMagicAllowed[2], before);
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuShortcutKind);

    ChooseKind(2);
    ASSERT_EQ(menu().mode, MenuShortcutSkill);
    PushButton(kSecond);
    EXPECT_EQ(parts->party.memberOptions[2][1], 1);
    TakeSounds();
    PushButton(kCancel);
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuShortcutButton);
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuSettings);
    EXPECT_EQ(TakeSounds(), (std::vector<int>{kBackSound, kBackSound, kBackSound}));
}

class LearnTest : public SettingsTest {
protected:
    void OpenLearnOn(int magic)
    {
        OpenSettingsOn(1);
        PushButton(kConfirm);
        ASSERT_EQ(menu().mode, MenuMagicLearn);
        menu().mainList.page = magic / 10;
        menu().mainList.position = magic;
        menu().RefreshMenuList(MenuMagicLearn, false);
        TakeSounds();
    }
    void SetPoints(int points) { Put(WordD(), 0, 7, points); }
};

TEST_F(LearnTest, ChainsOpenOneStepAtATime)
{
    auto& learned = parts->party.learned;
    learned[4] = learned[5] = 1; // the second chain's first two
    learned[9] = 1;              // a later step alone
    menu().RefreshMagicLearnStates();
    const std::uint8_t expected[12] = {1, 0, 0, 0, 2, 2, 1, 0, 1, 2, 1, 0};
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(menu().learnStates[m], expected[m]) << m;
}

TEST_F(LearnTest, TheCostIsPaidFromThePointsAndTheListIsRebuilt)
{
    auto& learned = parts->party.learned;
    learned[0] = learned[1] = learned[2] = 1;
    SetPoints(6);
    OpenLearnOn(3);
    PushButton(kConfirm);
    ASSERT_EQ(menu().mode, MenuMagicLearnConfirm);
    EXPECT_EQ(menu().learnConfirmCursor, 1) << "the cursor starts on やめる";
    PushButton(kConfirm);
    EXPECT_EQ(menu().mode, MenuMagicLearn);
    EXPECT_EQ(learned[3], 0);
    TakeSounds();

    PushButton(kConfirm);
    Press(kDown); // onto 習得する
    PushButton(kConfirm);
    EXPECT_EQ(menu().mode, MenuMagicLearnConfirm) << "7 points needed, 6 held";
    EXPECT_EQ(TakeSounds().back(), kRefusedSound);
    EXPECT_EQ(learned[3], 0);

    SetPoints(7);
    PushButton(kConfirm);
    EXPECT_EQ(learned[3], 1);
    EXPECT_EQ(Bits(WordD(), 0, 7), 0);
    EXPECT_EQ(menu().mode, MenuMagicLearn);
    EXPECT_EQ(menu().mainList.position, 3) << "the cursor stays on the magic";
    EXPECT_EQ(menu().learnStates[3], MAGIC_LEARNED) << "the list is rebuilt";
    EXPECT_EQ(std::u16string(menu().learnPoints.text), u"0");

    PushButton(kConfirm);
    EXPECT_EQ(menu().mode, MenuMagicLearn) << "a learned magic cannot be chosen";
    EXPECT_EQ(TakeSounds().back(), kRefusedSound);
    menu().mainList.position = 5; // not learnable yet
    PushButton(kConfirm);
    EXPECT_EQ(TakeSounds().back(), kRefusedSound);
}

} // namespace
} // namespace menutest
