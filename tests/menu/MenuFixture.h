// The field menu on the shared fakes and a text object
// that keeps every DrawString call and measures 12 pixels a character,
// recorded sounds and device draws, and the parts the menu reads (game data,
// party, status panel, map header, windows, save files).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GameWorld.h"
#include "fakes/RecordingDevice.h"
#include "TempFolder.h"
#include "fakes/FakeEngine.h"
#include "fakes/FakeKeyInput.h"
#include "fakes/FakeTexture.h"
#include "fakes/QuietTextTexture.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "main/GameMain.h"
#include "media/PlaySE.h"
#include "menu/MapMenuModes.h"
#include "platform/Paths.h"
#include "record/Pipkorn.h"

namespace menutest {

struct DrawnText {
    std::u16string text;
    float x, y, z;
    std::uint32_t colour;
    float lineAdvance;
    float widthLimit;
    int minimumAdvance;
};

class MenuText final : public fakes::QuietTextTexture {
public:
    bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length, float lineAdvance,
                    float widthLimit, int, int minimumAdvance) override
    {
        const int call = calls++;
        if ((failFrom >= 0 && call >= failFrom) || call == failAt)
            return false;
        std::u16string shown;
        for (int i = 0; i < length && text[i] != 0; ++i)
            shown += text[i];
        drawn.push_back(
            {shown, position[0], position[1], position[2], colour, lineAdvance, widthLimit, minimumAdvance});
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

    void SetMapFlags(std::uint32_t flagsA) { parts->map.header.flagsA = flagsA; }
    // The map's own name, from its header.
    void SetMapName(const std::u16string& name)
    {
        std::fill(std::begin(parts->map.header.name), std::end(parts->map.header.name), 0);
        std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(name.size(), 8)),
                  parts->map.header.name);
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
        keys.PushButton(button);
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
    // The first drawn text that reads `what`, after `skip` others that do.
    static const DrawnText* FindText(const std::vector<DrawnText>& drawn, const std::u16string& what, int skip = 0)
    {
        for (const auto& d : drawn)
            if (d.text == what && skip-- == 0)
                return &d;
        return nullptr;
    }
    bool Noted(const std::string& what) const
    {
        for (const auto& call : SceneTrace::Calls())
            if (call == what)
                return true;
        return false;
    }

    // The event part's sprite sheet, on which the cursor and the page arrows are drawn.
    fakes::FakeTexture* GiveEventSprites()
    {
        auto* sprites = new fakes::FakeTexture(64, 40);
        parts->event.spriteSheet = std::make_unique<CTexture>();
        parts->event.spriteSheet->texture = sprites;
        return sprites;
    }
    int DrawsWith(const Direct3DTexture9* texture) const
    {
        int n = 0;
        for (const auto& d : device.draws)
            n += d.texture == texture ? 1 : 0;
        return n;
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
    fakes::RecordingDevice device;
    fakes::RecordingError error;
    fakes::FakeKeyInput keys;
    MenuText text;
    fakes::CallLog soundLog;
    fakes::RecordingSoundStatic sounds{soundLog};
    CPlaySE effects;
    std::unique_ptr<MenuParts> parts;
    // Last: the game's globals are put back before the parts and fakes go.
    testsupport::GameWorld world;
};

} // namespace menutest
