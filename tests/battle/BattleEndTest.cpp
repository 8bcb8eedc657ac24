// Until the battle end is built: how a battle's end reaches the event or
// the map's symbol that started it, and the way back to the field.
#include <algorithm>

#include "BattleFixture.h"

namespace {

using battletest::BattleTest;

class BattleEndTest : public BattleTest {
protected:
    CBattleEnd& end() { return battle->end; }
};

TEST_F(BattleEndTest, TheEventLearnsHowItsBattleEnded)
{
    struct Case {
        const char* name;
        int kind;
        std::int32_t escapeLabel;
        const char* told;
    };
    const Case cases[] = {
        {"won", BATTLE_END_WON, 3, "won"},
        {"lost", BATTLE_END_LOST, 3, "lost"},
        {"escaped", BATTLE_END_ESCAPED, 3, "escaped"},
        {"escaped where escape was not allowed", BATTLE_END_ESCAPED, -1, "won"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::int32_t words[ENCOUNT_EVENT_WORDS] = {2, 5, c.escapeLabel, 0, 7, 0, 0, 1};
        MapSceneState = MAP_SCENE_EVENT;
        encount().StartEncountEffect(words, false);
        encount().StartBattleFromEncount();
        end().BeginBattleEnd(c.kind);
        EXPECT_EQ(SceneState, SCENE_BATTLE_END);
        // The event's battle command reads what it is told through its result argument.
        parts->event.Opcode = OP_BATTLE;
        parts->event.CurrentRecord = reinterpret_cast<unsigned char*>(&words[0]);
        parts->event.Args[15] = 0;
        end().UpdateBattleEnd();
        parts->event.CurrentRecord = nullptr;
        EXPECT_EQ(SceneState, SCENE_FIELD);
        const int expected = std::string(c.told) == "lost" ? 3 : std::string(c.told) == "escaped" ? 2 : 1;
        EXPECT_EQ(parts->event.Args[15], expected);
        encount().ReleaseEncountTextures();
    }
}

TEST_F(BattleEndTest, TheSymbolGoesAfterAWinAndKeepsItsBeatenEnemiesAfterAnEscape)
{
    std::vector<std::uint8_t> map0 = sampledata::MapEntry(0);
    for (const int kind : {BATTLE_END_WON, BATTLE_END_ESCAPED, BATTLE_END_LOST}) {
        SCOPED_TRACE(kind);
        CurrentMap = map0.data();
        enemies().ReadMapEnemyFlags();
        parts->objects.SpawnEnemySymbol(5 + kind, 5, 2.0f, 3, 0, false);
        MapSymbolRecord* symbol = parts->objects.symbolList;
        ASSERT_NE(symbol, nullptr);
        while (symbol->next != nullptr) // the one just spawned
            symbol = symbol->next;
        symbol->battleSeed = 99;
        const int before = parts->objects.SymbolCount();
        parts->objects.encounteredSymbol = symbol;
        parts->sortList.MakeMapSortList();
        encount().StartEncountEffect(symbol, true);
        encount().StartBattleFromEncount();
        ASSERT_EQ(SceneState, SCENE_BATTLE);
        enemies().Records[0].FlagsA |= 1u << 27; // the first enemy is beaten
        end().BeginBattleEnd(kind);
        end().UpdateBattleEnd();
        EXPECT_EQ(parts->objects.EncounteredSymbol(), nullptr) << "the field no longer holds the battle's symbol";
        const auto listed = [this](const void* record) {
            const auto& list = parts->sortList;
            return std::any_of(list.entries, list.entries + list.count,
                               [record](const MapSortEntry& e) { return e.object == record; });
        };
        if (kind == BATTLE_END_WON) {
            EXPECT_EQ(parts->objects.SymbolCount(), before - 1) << "a win takes the symbol off the map";
            EXPECT_FALSE(listed(symbol)) << "and the field's next picture does not draw it";
        } else {
            ASSERT_EQ(parts->objects.SymbolCount(), before);
            const bool escaped = kind == BATTLE_END_ESCAPED;
            EXPECT_EQ(symbol->defeatedMask, escaped ? 1 : 0) << "an escape keeps the beaten enemies";
            EXPECT_EQ(symbol->counter > 0, escaped) << "and holds the symbol still for a while";
        }
        encount().ReleaseEncountTextures();
    }
}

TEST_F(BattleEndTest, TheFieldMusicComesBackWithTheSwitch)
{
    StartFormation(1);
    party().SetMusicSwitch(true);
    music.calls.clear();
    music.tunes[0] = 2; // the map's field tune is still loaded
    end().BeginBattleEnd(BATTLE_END_WON);
    end().UpdateBattleEnd();
    EXPECT_EQ(music.calls, (std::vector<fakes::RecordingPlayBGM::Call>{{"Stop(1)", 0}, {"ResumeWithFade(0,1000)", 0}}));
    party().SetMusicSwitch(false);
    music.calls.clear();
    end().BeginBattleEnd(BATTLE_END_LOST);
    end().UpdateBattleEnd();
    EXPECT_EQ(music.calls, (std::vector<fakes::RecordingPlayBGM::Call>{{"Stop(1)", 0}}));
}

} // namespace
