#include <SDL.h>

#include <algorithm>

#include "EventAssembler.h"
#include "TitleFixture.h"

namespace {

using fakes::CallLog;

using Strings = std::vector<std::string>;

constexpr int kConfirm = 0;
constexpr int kCancel = 1;
constexpr int kUp = fakes::FakeKeyInput::kUp;
constexpr int kDown = fakes::FakeKeyInput::kDown;

class TitleTest : public TitleFixture {
protected:
    // Starts the game's opening as the game object does and runs it to the menu.
    void OpenMenu()
    {
        TitleState = TITLE_OPENING;
        title.StartScreenFade();
        RunOpening();
        soundCalls.clear();
        midiCalls.clear();
    }

    bool Noted(const std::string& what) const
    {
        const auto& calls = SceneTrace::Calls();
        return std::find(calls.begin(), calls.end(), what) != calls.end();
    }
};

TEST_F(TitleTest, TheWindowsFollowTheFieldMenusLayout)
{
    struct Case {
        int window;
        CFixedWindowSet::Rect rect;
    };
    const Case cases[] = {
        {TITLE_MENU_WINDOW, {30, 20, 160, 116}},
        // Half the top menu's width to the right, as wide and tall as the slot list.
        {TITLE_LOAD_WINDOW, {62, 20, 470, 116}},
        {TITLE_CONFIRM_WINDOW, {94, 20, 180, 90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("window " + std::to_string(c.window));
        const auto& rect = windows.windowRects[c.window];
        EXPECT_FLOAT_EQ(rect.left, c.rect.left);
        EXPECT_FLOAT_EQ(rect.top, c.rect.top);
        EXPECT_FLOAT_EQ(rect.right, c.rect.right);
        EXPECT_FLOAT_EQ(rect.bottom, c.rect.bottom);
    }
    EXPECT_FLOAT_EQ(title.textPosition[0], 40.0f);
    EXPECT_FLOAT_EQ(title.textPosition[1], 30.0f);
}

TEST_F(TitleTest, TheFirstOpeningFadesThePictureInAndOpensTheMenuWithTheTitleTune)
{
    gameData.heldItems[0] = 0;
    title.StartScreenFade();
    EXPECT_TRUE(title.pictureReady);
    EXPECT_EQ(title.pictureColour, 0xFF000000u);
    // 32 frames of fading in by 8, then 11 frames of waiting.
    std::vector<std::uint32_t> colours;
    for (int frame = 0; frame < 42; ++frame) {
        Update();
        colours.push_back(title.pictureColour);
    }
    EXPECT_EQ(colours[0], 0xFF080808u);
    EXPECT_EQ(colours[30], 0xFFF8F8F8u);
    EXPECT_EQ(colours[31], 0xFFFFFFFFu);
    EXPECT_EQ(TitleState, TITLE_OPENING);
    EXPECT_TRUE(midiCalls.empty());
    Update();
    EXPECT_EQ(TitleState, TITLE_MENU);
    EXPECT_EQ(midiCalls, (CallLog{"Play(0)"}));
    // The menu opens on a new game's record.
    EXPECT_EQ(gameData.heldItems[0], 10);
}

TEST_F(TitleTest, ReturningToTheTitleDarkensTheFieldThenLoadsThePictureAndTheTitleTune)
{
    music.LoadTune(0, 5, false);
    midi.playing = {0};
    midiCalls.clear();
    SceneState = SCENE_FIELD;
    MapSceneState = MAP_SCENE_MENU;
    title.ReturnToTitle();
    EXPECT_EQ(midiCalls, (CallLog{"Fade(0,-1,0,483,0)"}));
    EXPECT_EQ(SceneState, SCENE_TITLE);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ(TitleState, TITLE_OPENING);
    EXPECT_EQ(DrawBrightnessColor, 0xFFFFFFFFu);
    midiCalls.clear();
    // 10 frames, 32 of darkening, 30 of black (picture on the 20th, tune on
    // the 30th), 32 of fading the picture in, 11 of waiting.
    for (int frame = 1; frame <= 10 + 32 + 19; ++frame)
        Update();
    EXPECT_FALSE(title.pictureReady);
    Update();
    EXPECT_TRUE(title.pictureReady);
    for (int frame = 0; frame < 10; ++frame)
        Update();
    EXPECT_EQ(midiCalls, (CallLog{"Load(0,Midi/Tune00.mid)"}));
    EXPECT_EQ(RunOpening(), 32 + 11);
    EXPECT_EQ(DrawBrightnessColor, 0xFFFFFFFFu);
}

TEST_F(TitleTest, TheMenuCursorStartsOnLoadWhenAnySaveExists)
{
    struct Case {
        std::vector<int> slots;
        int cursor;
    };
    const Case cases[] = {{{}, 0}, {{2}, 1}, {{0, 1}, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.slots.size()) + " saves");
        std::filesystem::remove_all(folder / "SaveData");
        for (int slot : c.slots)
            WriteSave(slot);
        title.OpenTitleMenu(TITLE_MENU_MAIN);
        EXPECT_EQ(title.menuCursor, c.cursor);
        EXPECT_EQ(mapMenu.cursorWindow, TITLE_MENU_WINDOW);
        EXPECT_FLOAT_EQ(mapMenu.cursorX, 30.0f - 14.0f);
        EXPECT_FLOAT_EQ(mapMenu.cursorY, 20.0f + 11.0f + 26.0f * static_cast<float>(c.cursor));
    }
}

TEST_F(TitleTest, TheMenuCursorWrapsWithTheCursorSound)
{
    OpenMenu();
    ASSERT_EQ(title.menuCursor, 0);
    Press(kUp);
    EXPECT_EQ(title.menuCursor, 2);
    Press(kDown);
    EXPECT_EQ(title.menuCursor, 0);
    EXPECT_EQ(SoundsPlayed(), (Strings{"Play(2)", "Play(2)"}));
}

TEST_F(TitleTest, TheLoadWindowAndItsConfirmationAnswerConfirmAndCancel)
{
    WriteSave(1);
    OpenMenu();
    ASSERT_EQ(title.menuCursor, 1);
    PushButton(kConfirm);
    EXPECT_EQ(title.menuState, TITLE_MENU_LOAD);
    EXPECT_EQ(title.slotCursor, 1); // the slot written last
    EXPECT_EQ(mapMenu.saveSlots[1].filled, 1);
    EXPECT_EQ(mapMenu.saveSlots[0].filled, 0);

    struct Step {
        const char* what;
        int directions, button;
        Strings sounds;
        int menuState, slotCursor;
    };
    const Step steps[] = {
        {"up to the empty slot 0", kUp, -1, {"Play(2)"}, TITLE_MENU_LOAD, 0},
        {"an empty slot refuses", 0, kConfirm, {"Play(3)"}, TITLE_MENU_LOAD, 0},
        {"down to the save", kDown, -1, {"Play(2)"}, TITLE_MENU_LOAD, 1},
        {"a save asks for confirmation", 0, kConfirm, {"Play(0)"}, TITLE_MENU_CONFIRM, 1},
        {"cancel goes back to the slots", 0, kCancel, {"Play(1)"}, TITLE_MENU_LOAD, 1},
        {"confirm again", 0, kConfirm, {"Play(0)"}, TITLE_MENU_CONFIRM, 1},
        {"down to cancel", kDown, -1, {"Play(2)"}, TITLE_MENU_CONFIRM, 1},
        {"cancel chosen", 0, kConfirm, {"Play(0)"}, TITLE_MENU_LOAD, 1},
        {"cancel in the slots goes to the menu", 0, kCancel, {"Play(1)"}, TITLE_MENU_MAIN, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        soundCalls.clear();
        if (s.button >= 0)
            PushButton(s.button);
        else
            Press(s.directions);
        EXPECT_EQ(SoundsPlayed(), s.sounds);
        EXPECT_EQ(title.menuState, s.menuState);
        EXPECT_EQ(title.slotCursor, s.slotCursor);
    }
    EXPECT_EQ(TitleState, TITLE_MENU);
}

TEST_F(TitleTest, TheConfirmationOpensBesideTheChosenSlot)
{
    WriteSave(2);
    OpenMenu();
    PushButton(kConfirm);
    ASSERT_EQ(title.slotCursor, 2);
    PushButton(kConfirm);
    ASSERT_EQ(title.menuState, TITLE_MENU_CONFIRM);
    const auto& confirm = windows.windowRects[TITLE_CONFIRM_WINDOW];
    EXPECT_FLOAT_EQ(confirm.top, 20.0f + 52.0f);
    EXPECT_FLOAT_EQ(confirm.bottom, 20.0f + 52.0f + 70.0f);
    EXPECT_EQ(title.confirmCursor, 0);
    EXPECT_FLOAT_EQ(mapMenu.cursorY, confirm.top + 11.0f);
}

TEST_F(TitleTest, ALatestSlotWithoutAReadableSaveFallsBackToSlotZero)
{
    WriteSave(0);
    // The newest file is too short to hold a level: the slot is not filled.
    std::filesystem::create_directories(folder / "SaveData");
    std::ofstream(folder / "SaveData/SaveData03.sav") << "x";
    std::filesystem::last_write_time(folder / "SaveData/SaveData01.sav",
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    title.OpenTitleMenu(TITLE_MENU_MAIN);
    title.OpenTitleMenu(TITLE_MENU_LOAD);
    EXPECT_EQ(title.slotCursor, 0);
    EXPECT_FLOAT_EQ(mapMenu.cursorY, 20.0f + 11.0f);
}

TEST_F(TitleTest, QuitPlaysNoSoundAndAsksTheWindowToClose)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    OpenMenu();
    Press(kUp);
    soundCalls.clear();
    PushButton(kConfirm);
    EXPECT_TRUE(SoundsPlayed().empty());
    SDL_Event posted{};
    ASSERT_EQ(SDL_PeepEvents(&posted, 1, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT), 1);
    EXPECT_EQ(posted.window.event, SDL_WINDOWEVENT_CLOSE);
    SDL_Quit();
}

TEST_F(TitleTest, ANewGameLeavesForMapZeroAndStartsItsTuneOnTheLastFrame)
{
    // Map 0 with a map-start record that sets flag 7.
    std::string blob = MapBlob(0, 20, 15, 3);
    blob.resize(blob.size() - 4);
    blob[56] = 1;
    const auto area = eventscript::EventArea(
        {eventscript::Record{1, 1, 0, 0, 0, 0, 3, true, eventscript::Script().SetFlag(1, 7).End().Code()}});
    pack.data[5] = blob + std::string(area.begin(), area.end());
    OpenMenu();
    gameData.heldItems[0] = 0;
    gameData.eventWord = 5;
    midi.playing = {0};
    PushButton(kConfirm);
    EXPECT_EQ(SoundsPlayed(), (Strings{"Play(0)"}));
    EXPECT_EQ(TitleState, TITLE_LEAVING);
    EXPECT_EQ(midiCalls, (CallLog{"Fade(0,-1,0,483,0)"}));
    EXPECT_EQ(gameData.heldItems[0], 10) << "a new game's record";
    EXPECT_EQ(gameData.eventWord, 0) << "the session state reset";
    ASSERT_NE(MapBlobBuffer, nullptr);
    EXPECT_EQ(map.GetMapNumber(), 0);
    midiCalls.clear();

    int frames = 0;
    while (SceneState == SCENE_TITLE && frames < 1000) {
        Update();
        ++frames;
        if (frames == 10 + 32 + 30) {
            // The field's tune is loaded as the field starts to fade in.
            EXPECT_EQ(midiCalls, (CallLog{"Load(0,Midi/Tune03.mid)"}));
            EXPECT_EQ(DrawBrightnessColor, 0xFF000000u);
        }
    }
    EXPECT_EQ(frames, 10 + 32 + 30 + 32 + 11);
    EXPECT_EQ(SceneState, SCENE_FIELD);
    EXPECT_EQ(midiCalls, (CallLog{"Load(0,Midi/Tune03.mid)", "Play(0)"}));
    EXPECT_EQ(title.RerunUpdate, 1);
    EXPECT_FALSE(title.pictureReady);
    EXPECT_EQ(title.picture, nullptr);
    EXPECT_EQ(DrawBrightnessColor, 0xFFFFFFFFu);
    EXPECT_EQ(gameData.GetGameFlag(7), 1) << "the map's start event ran";
}

TEST_F(TitleTest, LoadingASaveEntersTheSavedMap)
{
    gameData.NewGameData();
    gameData.playerMap = 2;
    gameData.playerX = 12;
    gameData.playerY = 20;
    gameData.heldItems[5] = 42;
    ASSERT_TRUE(saveFile.SaveGame(0));
    OpenMenu();
    gameData.heldItems[5] = 0;
    gameData.eventWord = 5;
    PushButton(kConfirm);
    PushButton(kConfirm);
    PushButton(kConfirm);
    EXPECT_EQ(gameData.heldItems[5], 42) << "the saved record is back";
    EXPECT_EQ(gameData.eventWord, 0) << "the session state reset";
    EXPECT_EQ(TitleState, TITLE_LEAVING);
    EXPECT_EQ(map.GetMapNumber(), 2);
}

TEST_F(TitleTest, ASaveThatFailsToLoadReturnsToTheSlots)
{
    WriteSave(0);
    OpenMenu();
    PushButton(kConfirm);
    PushButton(kConfirm);
    // The file goes bad between the list and the load.
    std::ofstream(folder / "SaveData/SaveData01.sav", std::ios::trunc) << "short";
    PushButton(kConfirm);
    EXPECT_EQ(TitleState, TITLE_MENU);
    EXPECT_EQ(title.menuState, TITLE_MENU_LOAD);
}

TEST_F(TitleTest, AMissingMapEndsTheFrameWithAReport)
{
    OpenMenu();
    pack.data.erase(5);
    EXPECT_ANY_THROW(title.StartNewGame(true));
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0], (fakes::ErrorReport{"Title", 376, 1}));
}

TEST_F(TitleTest, TheMenuDimsBehindTheLoadWindowAndTheSlotsShowTheirSaves)
{
    WriteSave(1, 7);
    OpenMenu();
    text.drawn.clear();
    title.DrawTitle();
    ASSERT_EQ(text.drawn.size(), 1u);
    EXPECT_EQ(text.drawn[0].text, u"最初から\nロード\nゲーム終了");
    EXPECT_EQ(text.drawn[0].colour, 0xFFFFFFFFu);

    PushButton(kConfirm);
    text.drawn.clear();
    title.DrawTitle();
    ASSERT_GE(text.drawn.size(), 6u);
    EXPECT_EQ(text.drawn[0].colour, 0xFF808080u);
    EXPECT_EQ(text.drawn[1].text, u"1:\n2:\n3:");
    EXPECT_EQ(text.drawn[2].text, u"データなし");
    EXPECT_EQ(text.drawn[3].text, u"Lv");
    EXPECT_EQ(text.drawn[4].text, u"  7");
    EXPECT_EQ(text.drawn[5].text.size(), 19u);
    EXPECT_EQ(text.drawn[5].text[4], u'年');
    EXPECT_FLOAT_EQ(text.drawn[3].y, 20.0f + 10.0f + 26.0f);

    PushButton(kConfirm);
    text.drawn.clear();
    title.DrawTitle();
    ASSERT_GE(text.drawn.size(), 2u);
    EXPECT_EQ(text.drawn[text.drawn.size() - 2].text, u"ロード");
    EXPECT_EQ(text.drawn.back().text, u"やめる");
    EXPECT_FLOAT_EQ(text.drawn.back().y, 20.0f + 26.0f + 10.0f + 26.0f);
    EXPECT_EQ(text.drawn[1].colour, 0xFF808080u); // the slots behind are dimmed
}

TEST_F(TitleTest, AFailedTextDrawIsReportedAndEndsTheTitlesDrawing)
{
    OpenMenu();
    const auto cursorDrawn = [this] {
        for (const auto& draw : device.draws)
            if (draw.texture == event.spriteSheet->texture)
                return true;
        return false;
    };
    device.draws.clear();
    title.DrawTitle();
    EXPECT_TRUE(cursorDrawn());
    text.failFrom = 0;
    device.draws.clear();
    title.DrawTitle();
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0], (fakes::ErrorReport{"Title", 423, 10}));
    EXPECT_FALSE(cursorDrawn());
}

} // namespace
