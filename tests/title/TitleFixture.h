// The title and the field-menu services it borrows, on fake engine objects:
// scripted keys, recording music, sounds and text, a recording device, a
// pack with the title picture, the tile sheet and a small map 0 (and map 2),
// and save files in a temporary game folder.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "record/Config.h"
#include "fakes/FakeEngine.h"
#include "GameWorld.h"
#include "record/Pipkorn.h"
#include "main/GameMain.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "fakes/RecordingDevice.h"
#include "fakes/RecordingText.h"
#include "MapBlobBuilder.h"
#include "core/PackCatalogue.h"
#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "fakes/FakeKeyInput.h"
#include "TempFolder.h"
#include "title/Title.h"
#include "core/ZephGlobals.h"
#include "platform/Paths.h"

class TitleFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::SetBaseFolder(folder.path());
        D3DDevice = &device;
        ZephFilePack = &pack;
        ZephError = &error;
        ZephKeyInput = &keys;
        ZephTextTexture = &text;
        ZephMidi = &midi;
        ZephSoundStatic = &sounds;
        GameConfig.BGMVol = 8;
        GameConfig.SoundVol = 8;
        SceneState = SCENE_TITLE;
        TitleState = TITLE_OPENING;

        pack.images[PACK_TITLE_PICTURE] = {256, 256};
        pack.images[PACK_MAP_TILE_SHEET] = {256, 256};
        pack.images[PACK_MAP_DRAW_LIST] = {256, 256};
        pack.images[PACK_EVENT_TILE_ATLAS] = {256, 256};
        pack.images[PACK_EVENT_SPRITES] = {64, 40};
        pack.images[PACK_EVENT_ICONS] = {216, 24};
        pack.data[MapPackEntry(0)] = MapBlob(0, 20, 15, 3);
        pack.data[MapPackEntry(2)] = MapBlob(2, 30, 30, 9);

        std::memset(static_cast<void*>(&mapMenu), 0, sizeof mapMenu);
        std::memset(static_cast<void*>(&map), 0, sizeof map);
        std::memset(static_cast<void*>(&title), 0, sizeof title);
        TheFixedWindowSet = &windows;
        TheMapMenu = &mapMenu;
        TheSaveFile = &saveFile;
        TheGameData = &gameData;
        TheCharacter = &character;
        TheMap = &map;
        TheEvent = &event;
        event.InitEvent();
        // The field's parts that entering a map reaches.
        TheCharacter = &field.character;
        TheBattleBackground = &field.battleBackground;
        TheEnemyGroup = &field.enemyGroup;
        TheObject = &field.objects;
        TheMapCharacter = &field.player;
        TheDrawSortObject = &field.sortList;
        TheMapNameEffect = &field.nameEffect;
        map.InitMap();
        field.sortList.InitDrawSortObject();
        field.player.InitMapCharacter();
        TheTitle = &title;
        ThePlayBGM = &music;
        ThePlaySE = &effects;

        mapMenu.LayoutMapMenuWindows();
        title.InitTitle();
        title.LayoutTitleWindows();
        windows.InitFixedWindow();
        world.TraceSceneCalls();
    }

    void TearDown() override
    {
        title.ReleaseTitle();
        map.ReleaseMap();
        field.sortList.ReleaseDrawSortObject();
        if (MapBlobBuffer != nullptr)
            pack.FreeData(MapBlobBuffer);
    }

    // A map entry of tile 0 with its field tune.
    static std::string MapBlob(int number, int width, int height, int tune)
    {
        const std::vector<unsigned char> blob = fieldtest::MapBlobBuilder(width, height, number).Tunes(tune, 0).Build();
        return std::string(blob.begin(), blob.end());
    }

    // A save file in the slot, with the level at its end.
    void WriteSave(int slot, int level = 12)
    {
        std::filesystem::create_directories(folder / "SaveData");
        std::ofstream file(folder / ("SaveData/SaveData0" + std::to_string(slot + 1) + ".sav"), std::ios::binary);
        std::string bytes(952, '\0');
        bytes[948] = static_cast<char>(level);
        file << bytes;
    }

    // One frame of the title: count the sound frame, update by the title
    // state as the game object does, then let pushes end.
    void Update()
    {
        effects.CountPlaySEFrame();
        if (SceneState == SCENE_TITLE) {
            switch (TitleState) {
            case TITLE_MENU:
                title.UpdateTitle();
                break;
            case TITLE_LEAVING:
                title.UpdateTitleFade();
                break;
            case TITLE_OPENING:
                title.UpdateTitleOpening();
                break;
            default:
                break;
            }
        }
        keys.NextFrame();
    }

    // Updates until the title menu is open; the number of updates it took.
    int RunOpening()
    {
        int frames = 0;
        while (TitleState != TITLE_MENU && frames < 1000) {
            Update();
            ++frames;
        }
        return frames;
    }

    void Press(int directionBits)
    {
        keys.Press(directionBits);
        Update();
    }
    void PushButton(int button)
    {
        keys.PushButton(button);
        Update();
    }

    // The sound effects played since the log was last cleared.
    std::vector<std::string> SoundsPlayed() const
    {
        std::vector<std::string> played;
        for (const auto& call : soundCalls)
            if (call.rfind("Play(", 0) == 0)
                played.push_back(call);
        return played;
    }

    testsupport::TempFolder folder;
    fakes::RecordingDevice device;
    fakes::FakeFilePack pack;
    fakes::RecordingError error;
    fakes::FakeKeyInput keys;
    fakes::RecordingText text;
    fakes::CallLog midiCalls;
    fakes::CallLog soundCalls;
    fakes::RecordingMidi midi{midiCalls};
    fakes::RecordingSoundStatic sounds{soundCalls};

    CFixedWindowSet windows;
    CMapMenu mapMenu;
    CSaveFile saveFile{};
    GameData gameData;
    CCharacter character;
    CMap map;
    CEvent event;
    struct FieldParts {
        CCharacter character{};
        CBattleBackground battleBackground{};
        CEnemyGroup enemyGroup{};
        CObject objects{};
        CMapCharacter player{};
        CDrawSortObject sortList{};
        CMapNameEffect nameEffect{};
    } field;
    CTitle title;
    CPlayMidi music;
    CPlaySE effects;
    // Last: the game's globals are put back before the parts and fakes go.
    testsupport::GameWorld world;
};
