// The battle menu's windows on the shared fakes: a text object that keeps
// every DrawString call with its bound, line advance and width limit, an
// error object, the recording device, the sample item table, and the parts
// the windows read (party, game data, field menu texts, window set).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GameWorld.h"
#include "SampleData.h"
#include "battle/BattleBackground.h"
#include "battle/BattleMenu.h"
#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "fakes/FakeEngine.h"
#include "fakes/RecordingDevice.h"
#include "fakes/RecordingText.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "party/Character.h"
#include "record/KeyNames.h"
#include "record/Pipkorn.h"

namespace battlewindows {

using fakes::DrawnText;

struct WindowParts {
    CFixedWindowSet windows{};
    GameData data{};
    CCharacter party{};
    CMapMenu mapMenu{};
    CBattleMenu menu{};
};

class MenuWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parts = std::make_unique<WindowParts>();
        items = sampledata::ItemTableEntry();
        ItemTable = items.data();
        D3DDevice = &device;
        ZephError = &error;
        BattleTextTexture = &text;
        TheFixedWindowSet = &parts->windows;
        TheGameData = &parts->data;
        TheCharacter = &parts->party;
        TheMapMenu = &parts->mapMenu;
        TheBattleMenu = &parts->menu;
        parts->mapMenu.InitMapMenu();
        menu().InitBattleMenu();
        menu().LayoutBattleMenu();
        parts->windows.InitFixedWindow();
        // Without a pack the menu texture is missing; the windows draw without it.
        error.reports.clear();
        // Key names: half-width ones and a full-width one for button 10.
        static const char16_t* const kNames[KEY_NAME_SLOT_COUNT] = {u"X", u"Z", u"C", u"Space", u"A",       u"S",
                                                                    u"D", u"Q", u"W", u"E",     u"左シフト"};
        for (int b = 0; b < KEY_NAME_SLOT_COUNT; ++b) {
            KeyNameText[b] = kNames[b];
            const int length = static_cast<int>(std::char_traits<char16_t>::length(kNames[b]));
            KeyNameHalfCount[b] = b == 10 ? 0 : length;
            KeyNameFullCount[b] = b == 10 ? length : 0;
        }
    }

    CBattleMenu& menu() { return parts->menu; }
    GameData& data() { return parts->data; }
    CCharacter& party() { return parts->party; }
    const CFixedWindowSet::Rect& frame(int f) const { return parts->windows.cursorRects[f]; }

    // The texts drawn since the last call.
    std::vector<DrawnText> Take()
    {
        std::vector<DrawnText> drawn = std::move(text.drawn);
        text.drawn.clear();
        return drawn;
    }
    static std::vector<std::u16string> Texts(const std::vector<DrawnText>& drawn)
    {
        std::vector<std::u16string> texts;
        for (const DrawnText& d : drawn)
            texts.push_back(d.text);
        return texts;
    }
    static const DrawnText* Find(const std::vector<DrawnText>& drawn, const std::u16string& what, int skip = 0)
    {
        for (const DrawnText& d : drawn)
            if (d.text == what && skip-- == 0)
                return &d;
        return nullptr;
    }

    void SetBattleItems(std::initializer_list<int> ids)
    {
        data().battleItemCount = 0;
        for (int id : ids)
            data().battleItemList[data().battleItemCount++] = static_cast<std::int16_t>(id);
    }
    void SetMagicList(std::initializer_list<int> ids)
    {
        data().magicListCount = 0;
        for (int id : ids)
            data().magicList[data().magicListCount++] = static_cast<std::int8_t>(id);
    }

    fakes::RecordingDevice device;
    fakes::RecordingText text;
    fakes::RecordingError error;
    std::vector<std::uint8_t> items;
    std::unique_ptr<WindowParts> parts;
    testsupport::GameWorld world;
};

} // namespace battlewindows
