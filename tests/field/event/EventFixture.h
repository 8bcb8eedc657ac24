// The event part on a field of real map, player and events, with the
// sample data's tables (for names), a text object that measures 16 pixels a
// character, and helpers that enter a map with records and run frames as
// the game object does.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "EventAssembler.h"
#include "FieldFixture.h"
#include "fakes/QuietTextTexture.h"
#include "SampleData.h"
#include "core/GameDataTables.h"
#include "core/Random.h"
#include "field/event/EventRecord.h"

namespace fieldtest {

// Measures 16 pixels a character, wrapping at the width limit, and keeps
// what it was asked to draw.
class MeasuringText : public fakes::QuietTextTexture {
public:
    static constexpr int kAdvance = 16;
    struct Drawn {
        std::u16string text;
        float x, y;
        std::uint32_t colour;
        int reveal;
    };
    std::vector<Drawn> drawn;
    bool failMeasure = false;
    std::u16string failDrawOf; // drawing this text fails

    int MeasureString(const char16_t*, int length, float pen[2], float lineAdvance, float widthLimit) override
    {
        if (failMeasure)
            return -1;
        pen[0] = pen[1] = 0.0f;
        for (int i = 0; i < length; ++i) {
            if (pen[0] + kAdvance > widthLimit) {
                pen[0] = 0.0f;
                pen[1] += lineAdvance;
            }
            pen[0] += kAdvance;
        }
        return length * kAdvance;
    }
    // The widest line.
    int GetStringWidth(const char16_t* text, int length) override
    {
        int widest = 0, line = 0;
        for (int i = 0; i < length && text[i] != 0; ++i) {
            line = text[i] == u'\n' ? 0 : line + kAdvance;
            widest = std::max(widest, line);
        }
        return widest;
    }
    bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length, float, float,
                    int reveal, int) override
    {
        if (!failDrawOf.empty() && std::u16string(text, static_cast<std::size_t>(length)) == failDrawOf)
            return false;
        drawn.push_back(
            {std::u16string(text, static_cast<std::size_t>(length)), position[0], position[1], colour, reveal});
        return true;
    }
};

class EventTest : public FieldTest {
protected:
    using Script = eventscript::Script;
    using Record = eventscript::Record;

    void SetUp() override
    {
        FieldTest::SetUp();
        items = sampledata::ItemTableEntry();
        accessories = sampledata::AccessoryTableEntry();
        ItemTable = items.data();
        AccessoryTable = accessories.data();
        for (int m = 0; m < 3; ++m) {
            weapons[m] = sampledata::WeaponTableEntry(m);
            armour[m] = sampledata::ArmorTableEntry(m);
            WeaponTable[m] = weapons[m].data();
            ArmorTable[m] = armour[m].data();
        }
        ZephTextTexture = &text;
        TheFixedWindowSet = &windows;
        TheEncountEffect = &parts->encount;
        pack.images[482] = {256, 256};
        pack.images[487] = {64, 40};
        pack.images[489] = {216, 24};
        event().InitEvent();
        TheGameData->textSpeed = 1;
        for (int m = 0; m < 3; ++m) {
            TheCharacter->hp[m] = TheCharacter->maxHp[m] = 100;
            TheCharacter->level[m] = 1;
        }
        TheCharacter->money = 0;
        SeedGameRandom(1);
    }

    CEvent& event() { return parts->event; }

    // A 24 × 18 room with these records, the player at (5, 5) facing down.
    bool EnterWith(const std::vector<Record>& records, const std::vector<eventscript::Point>& points = {})
    {
        return Enter(
            MapBlobBuilder(24, 18).Events(eventscript::EventArea(records, points), static_cast<int>(records.size())), 5,
            5, 2);
    }
    // A record that runs `script` when started (trigger class 0, off to the side).
    static Record Scripted(const Script& script, int x = 1, int y = 1)
    {
        return Record{x, y, 0, 0, 0, 0, 0, true, script.Code()};
    }
    // Enters a room holding `script` alone and starts it with the map state.
    void Run(const Script& script)
    {
        ASSERT_TRUE(EnterWith({Scripted(script)}));
        event().StartEvent(event().Record(0), true);
    }
    // Field frames as the game object runs them; the stand-in battle runs
    // its frames while the scene is the encounter.
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i) {
            soundEffects.CountPlaySEFrame();
            if (SceneState == SCENE_ENCOUNT)
                parts->encount.UpdateEncountEffect();
            else if (SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_EVENT)
                event().UpdateEvent();
            keys.pushedButtons = 0;
        }
    }
    // Pushes the confirm button for one frame.
    void Confirm()
    {
        keys.pushedButtons = 1;
        Frames(1);
    }
    // Frames until the event ends (at most `limit`), confirming messages.
    int RunToEnd(int limit = 2000)
    {
        int frames = 0;
        while (event().IsEventRunning() && frames < limit) {
            keys.pushedButtons = event().phase == 1 ? 1 : 0;
            soundEffects.CountPlaySEFrame();
            if (SceneState == SCENE_ENCOUNT)
                parts->encount.UpdateEncountEffect();
            else
                event().UpdateEvent();
            ++frames;
        }
        keys.pushedButtons = 0;
        return frames;
    }
    // Frames until the message waits for the confirm button.
    void RunToEndOfTyping()
    {
        for (int i = 0; i < 1000 && event().phase == 0 && event().IsEventRunning(); ++i)
            Frames(1);
    }
    int ScriptUnit()
    {
        return event().ScriptPos == nullptr
                   ? -1
                   : static_cast<int>((event().ScriptPos - eventrecord::Script(event().CurrentRecord)) / 2);
    }
    std::string Listing(const Script& script) const { return eventscript::Disassemble(script.Code()); }

    MeasuringText text;
    CFixedWindowSet windows;
    sampledata::Bytes items, accessories, weapons[3], armour[3];
};

} // namespace fieldtest
