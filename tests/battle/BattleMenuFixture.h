// The battle command menu in a battle of its own: the battle fixture's
// party and parts, the real menu laid out with its sheet loaded, the
// battle in the action phase with escape possible, held items and learned
// magic as a case gives them, keys pushed a frame at a time and the sound
// effects taken in order.
#pragma once

#include <string>
#include <vector>

#include "BattleFixture.h"
#include "fakes/RecordingText.h"
#include "media/FixedWindowSet.h"
#include "party/PartyWords.h"

namespace battletest {

class BattleMenuTest : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        StartFormation(1);
        world.Keep(BattleTextTexture, static_cast<Zeph::CTextTexture*>(&text));
        menu().InitBattleMenu();
        menu().LayoutBattleMenu();
        parts->windows.InitFixedWindow();
        party().SetBattlePhase(BATTLE_PHASE_ACTION);
        EscapeAllowed::Set(party().partyWordD, 1);
        // Far from any earlier effect, so no sound is held back by the repeat guard.
        for (int i = 0; i < 4; ++i)
            soundEffects.CountPlaySEFrame();
        soundCalls.clear();
    }

    void TearDown() override
    {
        menu().ReleaseBattleMenu();
        BattleTest::TearDown();
    }

    CBattleMenu& menu() { return battle->menu; }
    GameData& data() { return parts->gameData; }
    const CFixedWindowSet::Rect& frame(int k) const { return parts->windows.cursorRects[k]; }

    // Items 0 .. n-1 held, item i i + 1 times (at most 99). Their sort keys
    // are equal here, so the list holds them from the highest id down.
    void HoldItems(int n)
    {
        for (int id = 0; id < BATTLE_ITEM_COUNT; ++id)
            data().heldItems[id] = static_cast<std::int8_t>(id < n ? std::min(id + 1, 99) : 0);
        data().RebuildItemLists(LIST_BATTLE_ITEMS, false);
    }

    // The first n magic learned.
    void LearnMagic(int n)
    {
        for (int id = 0; id < MAGIC_COUNT; ++id)
            party().learned[id] = id < n ? 1 : 0;
        data().RebuildItemLists(LIST_MAGIC, false);
    }

    // One menu frame: keys pushed for this frame only.
    void Frame(int buttons = 0, int directions = 0)
    {
        for (int b = 0; b < 11; ++b)
            if (buttons & (1 << b))
                keys.PushButton(b);
        if (directions != 0)
            keys.Press(directions);
        soundEffects.CountPlaySEFrame();
        menu().UpdateBattleMenu();
        keys.NextFrame();
        if (directions != 0)
            keys.Hold(0);
    }

    // The sound effects played since the last call, by id.
    std::vector<int> TakeSounds()
    {
        std::vector<int> ids;
        for (const std::string& call : soundCalls)
            if (call.rfind("Play(", 0) == 0)
                ids.push_back(std::stoi(call.substr(5)));
        soundCalls.clear();
        return ids;
    }

    // The menu opened from the action phase, the sounds of opening taken.
    void Open()
    {
        menu().EnterBattleMenuState(BATTLE_MENU_COMMAND);
        TakeSounds();
        SceneTrace::Clear();
    }

    // Where the cursor stands: row r of battle frame k.
    float RowY(int k, int row) const { return frame(k).top + 18.0f * static_cast<float>(row); }

    fakes::RecordingText text;
};

constexpr int Button(int b)
{
    return 1 << b;
}

} // namespace battletest
