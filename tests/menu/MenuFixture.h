// The field menu on fakes: keys whose pushes last one frame, a text object
// that keeps every DrawString call and measures 12 pixels a character,
// recorded sounds and device draws, and the parts the menu reads (game data,
// party, status panel, map header, windows, save files).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FakeEngine.h"
#include "GameWorld.h"
#include "QuietTextTexture.h"
#include "RecordingDevice.h"
#include "RecordingEngine.h"
#include "TempFolder.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "main/GameMain.h"
#include "media/PlaySE.h"
#include "platform/Paths.h"
#include "record/Pipkorn.h"

namespace menutest {

class MenuKeys final : public Zeph::CKeyInput {
public:
    static constexpr int kUp = 1, kDown = 2, kLeft = 4, kRight = 8;

    void NextFrame() { pushedDirections = pushedButtons = 0; }

    int pushedDirections = 0;
    int heldDirections = 0;
    int pushedButtons = 0; // bit n: button n
    int heldButtons = 0;

    Zeph::HResult Init(void*, bool, bool, std::uint8_t, const std::uint8_t*, const std::uint8_t*) override
    {
        return Zeph::kResultOk;
    }
    void Update() override {}
    int GetDirectionPush() override { return pushedDirections; }
    int GetDirectionHold() override { return heldDirections; }
    int GetDirectionRelease() override { return 0; }
    bool IsUpPush() override { return pushedDirections & kUp; }
    bool IsUpHold() override { return heldDirections & kUp; }
    bool IsUpRelease() override { return false; }
    bool IsDownPush() override { return pushedDirections & kDown; }
    bool IsDownHold() override { return heldDirections & kDown; }
    bool IsDownRelease() override { return false; }
    bool IsLeftPush() override { return pushedDirections & kLeft; }
    bool IsLeftHold() override { return heldDirections & kLeft; }
    bool IsLeftRelease() override { return false; }
    bool IsRightPush() override { return pushedDirections & kRight; }
    bool IsRightHold() override { return heldDirections & kRight; }
    bool IsRightRelease() override { return false; }
    bool IsButtonPush(std::uint8_t button) override { return (pushedButtons >> button) & 1; }
    bool IsButtonHold(std::uint8_t button) override { return (heldButtons >> button) & 1; }
    bool IsButtonRelease(std::uint8_t) override { return false; }
    int GetButtonPushMask(int count) override { return pushedButtons & ((1 << count) - 1); }
    int GetButtonHoldMask(int count) override { return heldButtons & ((1 << count) - 1); }
    int GetButtonReleaseMask(int) override { return 0; }
    void SetAcquire(bool) override {}
    Zeph::HResult Reset() override { return Zeph::kResultOk; }
    void Release() override {}
};

struct DrawnText {
    std::u16string text;
    float x, y, z;
    std::uint32_t colour;
    float lineAdvance;
    int minimumAdvance;
};

class MenuText final : public QuietTextTexture {
public:
    bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length, float lineAdvance,
                    float, int, int minimumAdvance) override
    {
        const int call = calls++;
        if ((failFrom >= 0 && call >= failFrom) || call == failAt)
            return false;
        std::u16string shown;
        for (int i = 0; i < length && text[i] != 0; ++i)
            shown += text[i];
        drawn.push_back({shown, position[0], position[1], position[2], colour, lineAdvance, minimumAdvance});
        return true;
    }
    int GetStringWidth(const char16_t*, int length) override { return failWidth ? -1 : 12 * length; }

    std::vector<DrawnText> drawn;
    int calls = 0;
    int failFrom = -1; // the call from which drawing fails, -1 never
    int failAt = -1;   // the one call that fails
    bool failWidth = false;
};

// The parts the menu reaches, zero-filled as the game object's are.
struct MenuParts {
    CMapMenu menu{};
    CFixedWindowSet windows{};
    GameData data{};
    CCharacter party{};
    CBattleBackground panel{};
    CMap map{};
    CEvent event{};
    CBattleMenu battleMenu{};
    CSaveFile saveFile{};
};

class MenuTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kTransfers = 1u << 29;

    void SetUp() override
    {
        plat::SetBaseFolder(folder.path());
        D3DDevice = &device;
        ZephError = &error;
        ZephKeyInput = &keys;
        ZephTextTexture = &text;
        ZephSoundStatic = &sounds;
        ThePlaySE = &effects;
        MapSceneState = MAP_SCENE_MENU;
        parts = std::make_unique<MenuParts>();
        TheMapMenu = &parts->menu;
        TheFixedWindowSet = &parts->windows;
        TheGameData = &parts->data;
        TheCharacter = &parts->party;
        TheBattleBackground = &parts->panel;
        TheMap = &parts->map;
        TheEvent = &parts->event;
        TheBattleMenu = &parts->battleMenu;
        TheSaveFile = &parts->saveFile;
        SetMapFlags(kTransfers);
        CurrentMap = mapHeader.data();
        parts->data.NewGameData();
        parts->data.RebuildItemLists(LIST_ALL, false);
        menu().InitMapMenu();
        menu().LayoutMapMenuWindows();
        parts->windows.InitFixedWindow();
        world.TraceSceneCalls();
    }

    CMapMenu& menu() { return parts->menu; }
    GameData& data() { return parts->data; }
    CFixedWindowSet::Rect& rect(int window) { return parts->windows.windowRects[window]; }

    void SetMapFlags(std::uint32_t flagsA)
    {
        for (int i = 0; i < 4; ++i)
            mapHeader[128 + i] = static_cast<unsigned char>(flagsA >> (8 * i));
    }
    // The map's own name, at the start of its header.
    void SetMapName(const std::u16string& name)
    {
        for (size_t i = 0; i < name.size() && i < 8; ++i) {
            mapHeader[2 * i] = static_cast<unsigned char>(name[i] & 0xFF);
            mapHeader[2 * i + 1] = static_cast<unsigned char>(name[i] >> 8);
        }
    }

    // One menu frame as the game runs it, then the pushes end.
    void Frame()
    {
        effects.CountPlaySEFrame();
        menu().UpdateMapMenu();
        keys.NextFrame();
    }
    void PushButton(int button)
    {
        keys.pushedButtons = 1 << button;
        Frame();
    }
    void PushDirection(int directions)
    {
        keys.pushedDirections = directions;
        keys.heldDirections = directions;
        Frame();
    }

    // The sound effects played since the last call, by id.
    std::vector<int> TakeSounds()
    {
        std::vector<int> ids;
        for (const std::string& call : soundLog)
            if (call.rfind("Play(", 0) == 0)
                ids.push_back(std::stoi(call.substr(5)));
        soundLog.clear();
        return ids;
    }
    bool Noted(const std::string& what) const
    {
        for (const auto& call : SceneTrace::Calls())
            if (call == what)
                return true;
        return false;
    }

    // Held items 0 to n - 1, one each, with the sorted list rebuilt.
    void HoldItems(int n)
    {
        std::memset(data().heldItems, 0, sizeof data().heldItems);
        for (int i = 0; i < n; ++i)
            data().heldItems[i] = static_cast<std::int8_t>(i % 9 + 1);
        data().RebuildItemLists(ITEM_CATEGORY_ITEM, false);
    }

    testsupport::TempFolder folder;
    visualtest::RecordingDevice device;
    visualtest::RecordingError error;
    MenuKeys keys;
    MenuText text;
    CallLog soundLog;
    RecordingSoundStatic sounds{soundLog};
    CPlaySE effects;
    std::unique_ptr<MenuParts> parts;
    std::vector<unsigned char> mapHeader = std::vector<unsigned char>(140, 0);
    // Last: the game's globals are put back before the parts and fakes go.
    testsupport::GameWorld world;
};

} // namespace menutest
