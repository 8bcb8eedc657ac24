// The field's parts on their own: the map, the player and the draw-order
// list for real, every neighbour a stand-in, the shared pointers set to
// them, a recording device, a pack served from memory and keys held by the
// test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EventAssembler.h"
#include "fakes/FakeEngine.h"
#include "GameWorld.h"
#include "fakes/RecordingDevice.h"
#include "field/FieldServices.h"
#include "main/GameMain.h"
#include "record/Pipkorn.h"
#include "media/PlaySE.h"
#include "MapBlobBuilder.h"
#include "core/PackCatalogue.h"
#include "core/SceneState.h"
#include "fakes/FakeKeyInput.h"
#include "fakes/RecordingPlayBGM.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"

namespace fieldtest {

struct FieldParts {
    CCharacter character{};
    CBattleBackground battleBackground{};
    CEnemyGroup enemyGroup{};
    CMap map{};
    CDrawSortObject sortList{};
    CMapCharacter player{};
    CObject objects{};
    CEvent event{};
    CMapMenu menu{};
    CFixedWindowSet windows{};
    CMapNameEffect nameEffect{};
    CEncountEffect encount{};
    CGameOverEffect gameOver{};
    CScreenEffect screenEffect{};
    GameData gameData{};
};

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DDevice = &device;
        ZephFilePack = &pack;
        ZephError = &error;
        ZephKeyInput = &keys;
        ZephSoundStatic = &sounds;
        ThePlaySE = &soundEffects;
        pack.images[PACK_MAP_TILE_SHEET] = {256, 256};
        pack.images[PACK_MAP_DRAW_LIST] = {256, 256};
        pack.images[PACK_MAP_OVERLAY] = {64, 64};
        for (int kind = 0; kind < 4; ++kind)
            pack.images[PACK_BATTLE_BACKDROP_FIRST + kind] = {640, 480};
        SetDrawBrightness(255);
        parts = std::make_unique<FieldParts>();
        TheCharacter = &parts->character;
        TheBattleBackground = &parts->battleBackground;
        TheEnemyGroup = &parts->enemyGroup;
        TheMap = &parts->map;
        TheDrawSortObject = &parts->sortList;
        TheMapCharacter = &parts->player;
        TheObject = &parts->objects;
        TheEvent = &parts->event;
        TheMapMenu = &parts->menu;
        TheFixedWindowSet = &parts->windows;
        TheMapNameEffect = &parts->nameEffect;
        TheEncountEffect = &parts->encount;
        TheGameOverEffect = &parts->gameOver;
        TheGameData = &parts->gameData;
        TheScreenEffect = &parts->screenEffect;
        ThePlayBGM = &music;
        parts->screenEffect.InitScreenEffect();
        parts->map.InitMap();
        parts->sortList.InitDrawSortObject();
        parts->player.InitMapCharacter();
        parts->menu.InitMapMenu();
        parts->menu.LayoutMapMenuWindows();
        world.TraceSceneCalls();
    }

    void TearDown() override
    {
        // A map change leaves its blob in the buffer, as the game does.
        if (MapBlobBuffer != nullptr)
            pack.FreeData(MapBlobBuffer);
        MapBlobBuffer = nullptr;
        parts->screenEffect.ReleaseScreenEffect();
        parts->sortList.ReleaseDrawSortObject();
        parts->map.ReleaseMap();
        parts->battleBackground.ReleaseBattleBackground(); // a map's backdrop is loaded on entry
        parts->encount.ReleaseEncountTextures();           // an encounter captures the field
        parts->gameOver.ReleaseGameOverTextures();
    }

    // Makes a built blob the current map with the player on a cell.
    bool Enter(const MapBlobBuilder& builder, int x, int y, int direction = 2)
    {
        blobs.push_back(std::make_unique<std::vector<unsigned char>>(builder.Build()));
        std::vector<unsigned char>& blob = *blobs.back();
        MapBlobSize = static_cast<int>(blob.size());
        return map().SetMap(blob.data(), x, y, -1, -1, direction, false, 0, false, true);
    }

    // Runs the player's update for `frames` frames.
    void Walk(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            soundEffects.CountPlaySEFrame();
            player().UpdateMapCharacter();
            keys.NextFrame();
        }
    }

    bool Noted(const std::string& call) const
    {
        for (const auto& c : SceneTrace::Calls())
            if (c == call)
                return true;
        return false;
    }

    CMap& map() { return parts->map; }
    CMapCharacter& player() { return parts->player; }
    CDrawSortObject& sortList() { return parts->sortList; }

    fakes::RecordingDevice device;
    fakes::FakeFilePack pack;
    fakes::RecordingError error;
    fakes::FakeKeyInput keys;
    fakes::CallLog soundCalls;
    fakes::RecordingSoundStatic sounds{soundCalls};
    CPlaySE soundEffects;
    fakes::RecordingPlayBGM music;
    std::unique_ptr<FieldParts> parts;
    std::vector<std::unique_ptr<std::vector<unsigned char>>> blobs;
    // Last: the game's globals are put back before the parts and fakes go.
    testsupport::GameWorld world;
};

// The same parts outside a test case (the fuzz targets' runners): set up and
// torn down as the field tests do.
class FieldWorld : public FieldTest {
public:
    void TestBody() override {}
    void Start() { SetUp(); }
    void Stop() { TearDown(); }
    using FieldTest::Enter;
    using FieldTest::keys;
    using FieldTest::map;
    using FieldTest::pack;
    using FieldTest::parts;
    using FieldTest::soundEffects;
    using FieldTest::Walk;
};

} // namespace fieldtest
