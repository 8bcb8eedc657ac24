// The field's parts on their own: the map, the player and the draw-order
// list for real, every neighbour a stand-in, the shared pointers set to
// them, a recording device, a pack served from memory and keys held by the
// test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeEngine.h"
#include "GameWorld.h"
#include "RecordingDevice.h"
#include "RecordingEngine.h"
#include "field/FieldBrightness.h"
#include "main/GameMain.h"
#include "record/Pipkorn.h"
#include "media/PlaySE.h"
#include "MapBlobBuilder.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"

namespace fieldtest {

// Buttons and directions the test holds; a push lasts until the next frame.
class HeldKeys : public Zeph::CKeyInput {
public:
    bool up = false, down = false, left = false, right = false;
    int heldButtons = 0;
    int pushedButtons = 0;

    Zeph::HResult Init(void*, bool, bool, std::uint8_t, const std::uint8_t*, const std::uint8_t*) override { return 0; }
    void Update() override {}
    int GetDirectionPush() override { return 0; }
    int GetDirectionHold() override { return 0; }
    int GetDirectionRelease() override { return 0; }
    bool IsUpPush() override { return false; }
    bool IsUpHold() override { return up; }
    bool IsUpRelease() override { return false; }
    bool IsDownPush() override { return false; }
    bool IsDownHold() override { return down; }
    bool IsDownRelease() override { return false; }
    bool IsLeftPush() override { return false; }
    bool IsLeftHold() override { return left; }
    bool IsLeftRelease() override { return false; }
    bool IsRightPush() override { return false; }
    bool IsRightHold() override { return right; }
    bool IsRightRelease() override { return false; }
    bool IsButtonPush(std::uint8_t button) override { return (pushedButtons >> button) & 1; }
    bool IsButtonHold(std::uint8_t button) override { return (heldButtons >> button) & 1; }
    bool IsButtonRelease(std::uint8_t) override { return false; }
    int GetButtonPushMask(int) override { return pushedButtons; }
    int GetButtonHoldMask(int) override { return heldButtons; }
    int GetButtonReleaseMask(int) override { return 0; }
    void SetAcquire(bool) override {}
    Zeph::HResult Reset() override { return 0; }
    void Release() override {}

    void ReleaseAll()
    {
        up = down = left = right = false;
        heldButtons = pushedButtons = 0;
    }
};

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
    CMapNameEffect nameEffect{};
    CEncountEffect encount{};
    CGameOverEffect gameOver{};
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
        pack.images[493] = {256, 256};
        pack.images[288] = {256, 256};
        pack.images[285] = {64, 64};
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
        TheMapNameEffect = &parts->nameEffect;
        TheEncountEffect = &parts->encount;
        TheGameOverEffect = &parts->gameOver;
        TheGameData = &parts->gameData;
        parts->map.InitMap();
        parts->sortList.InitDrawSortObject();
        parts->player.InitMapCharacter();
        world.TraceSceneCalls();
    }

    void TearDown() override
    {
        parts->sortList.ReleaseDrawSortObject();
        parts->map.ReleaseMap();
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
            keys.pushedButtons = 0;
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

    visualtest::RecordingDevice device;
    visualtest::FakeFilePack pack;
    visualtest::RecordingError error;
    HeldKeys keys;
    CallLog soundCalls;
    RecordingSoundStatic sounds{soundCalls};
    CPlaySE soundEffects;
    std::unique_ptr<FieldParts> parts;
    std::vector<std::unique_ptr<std::vector<unsigned char>>> blobs;
    // Last: the game's globals are put back before the parts and fakes go.
    testsupport::GameWorld world;
};

} // namespace fieldtest
