// The battle end: a win's wait, count-up and result wait, the closing fade's
// stages, the field music, and how the event or the map's symbol learns how
// the battle ended.
#include <algorithm>

#include "BattleFixture.h"
#include "field/FieldServices.h"

namespace {

using battletest::BattleTest;

class BattleEndTest : public BattleTest {
protected:
    CBattleEnd& end() { return battle->end; }

    // One scene update as the frame runs it.
    void Step()
    {
        soundEffects.CountPlaySEFrame();
        end().UpdateBattleEnd();
        keys.NextFrame();
    }

    // Updates until the field is back; the number of updates.
    int RunToField(int limit = 2000)
    {
        int updates = 0;
        while (SceneState == SCENE_BATTLE_END && updates < limit) {
            Step();
            ++updates;
        }
        return updates;
    }

    // A won battle at the start of its count-up's pay-out: the rewards
    // pending as given, the first 59 wait frames run.
    void WinWith(std::int32_t exp, std::int32_t money)
    {
        StartFormation(1);
        end().BeginBattleEnd(BATTLE_END_WON);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            party().pendingExp[m] = party().shownExp[m] = 0;
        party().pendingExp[0] = party().shownExp[0] = exp;
        party().pendingMoney = party().shownMoney = money;
        for (int f = 1; f < BATTLE_WIN_WAIT_FRAMES; ++f)
            Step();
        ASSERT_EQ(end().WinState, BATTLE_WIN_WAIT);
    }

    int SoundsPlayed(const std::string& call) const
    {
        return static_cast<int>(std::count(soundCalls.begin(), soundCalls.end(), call));
    }
};

TEST(CountUpShare, PaysATotalExactlyOverTheSteps)
{
    for (const std::int32_t total : {65, 100, 150, 9999, 999999}) {
        SCOPED_TRACE(total);
        std::int64_t sum = 0;
        for (int s = 0; s < BATTLE_COUNT_UP_STEPS; ++s) {
            const int share = CountUpShare(s, total);
            EXPECT_GE(share, total / BATTLE_COUNT_UP_STEPS);
            EXPECT_LE(share, total / BATTLE_COUNT_UP_STEPS + 1);
            sum += share;
        }
        EXPECT_EQ(sum, total);
    }
}

TEST_F(BattleEndTest, TheCountUpPaysByStepsAndEndsWhenNothingIsPending)
{
    struct Case {
        const char* name;
        std::int32_t exp, money;
        int endFrame;     // the count-up frame that ends it
        bool loopSound;   // the count-up's looping sound starts
        int maxExpStep;   // the most experience paid in one frame
        int moneyAtStep0; // money paid with the first step
    };
    const Case cases[] = {
        {"100 experience", 100, 0, 64, true, 2, 0},
        {"10 money only", 0, 10, 10, true, 0, 1},
        {"nothing", 0, 0, 1, false, 0, 0},
        {"experience holds money's first share", 100, 100, 64, true, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinWith(c.exp, c.money);
        soundCalls.clear();
        Step(); // the wait's 60th frame runs step 0
        ASSERT_EQ(end().WinState, BATTLE_WIN_COUNT_UP);
        EXPECT_EQ(c.exp - party().pendingExp[0], c.exp > 0 ? 1 : 0);
        EXPECT_EQ(c.money - party().pendingMoney, c.moneyAtStep0);
        EXPECT_EQ(SoundsPlayed("Play(29)"), c.loopSound ? 1 : 0);
        int frame = 0;
        int mostExp = 0;
        while (end().WinState == BATTLE_WIN_COUNT_UP && frame < 100) {
            const std::int32_t before = party().pendingExp[0];
            Step();
            ++frame;
            if (frame < BATTLE_COUNT_UP_STEPS - 1)
                mostExp = std::max(mostExp, before - party().pendingExp[0]);
        }
        EXPECT_EQ(frame, c.endFrame);
        EXPECT_EQ(mostExp, c.maxExpStep);
        EXPECT_EQ(party().pendingExp[0], 0) << "every point given";
        EXPECT_EQ(party().pendingMoney, 0);
        EXPECT_EQ(end().WinState, BATTLE_WIN_RESULT_WAIT);
        encount().ReleaseEncountTextures();
    }
}

TEST_F(BattleEndTest, TheResultWaitTakesAKeyFromItsSixtiethFrameOrEndsByItself)
{
    struct Case {
        const char* name;
        int items;  // the count of items obtained
        int button; // pushed on every frame from the first; -1 none
        int endsAt;
        const char* sound;
    };
    const Case cases[] = {
        {"confirm", 1, 0, 60, "Play(0)"},
        // With nothing obtained the wait ends by itself on the frame the keys open.
        {"confirm, nothing obtained", 0, 0, 60, nullptr},
        {"cancel", 2, 1, 60, "Play(1)"},
        {"no key, nothing obtained", 0, -1, 60, nullptr},
        {"no key, three items", 3, -1, 240, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinWith(0, 0);
        Step();
        Step(); // nothing to count: the result wait begins
        SetBits(enemies().GroupBits, GROUP_DROP_LIST_LENGTH, 5, static_cast<std::uint32_t>(c.items));
        // The limit is set as the count-up ends; set the count first and end it again.
        end().WinState = BATTLE_WIN_COUNT_UP;
        end().WinFrame = BATTLE_COUNT_UP_STEPS - 1;
        Step();
        ASSERT_EQ(end().WinState, BATTLE_WIN_RESULT_WAIT);
        EXPECT_EQ(end().WinLimit, 60 * c.items + 60);
        soundCalls.clear();
        int frame = 0;
        while (end().EndStage == BATTLE_END_STAGE_RESULT && frame < 1000) {
            if (c.button >= 0)
                keys.PushButton(c.button);
            Step();
            ++frame;
        }
        EXPECT_EQ(frame, c.endsAt);
        EXPECT_EQ(end().EndStage, BATTLE_END_STAGE_HOLD);
        EXPECT_EQ(SoundsPlayed("Play(0)") + SoundsPlayed("Play(1)"), c.sound != nullptr ? 1 : 0);
        if (c.sound != nullptr) {
            EXPECT_EQ(SoundsPlayed(c.sound), 1);
        }
        EXPECT_NE(parts->gameOver.sceneTexture, nullptr) << "the battle with its result is captured";
        RunToField();
        encount().ReleaseEncountTextures();
    }
}

TEST_F(BattleEndTest, TheClosingStagesHoldDarkenPrepareTheFieldAndBrightenIt)
{
    StartFormation(1);
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        party().hp[m] = 0;
    end().BeginBattleEnd(BATTLE_END_LOST);
    ASSERT_EQ(end().EndStage, BATTLE_END_STAGE_HOLD);
    EXPECT_NE(parts->gameOver.sceneTexture, nullptr) << "a loss is captured at once";
    int frames[6] = {};
    std::vector<int> brightening;
    int revivedAt = -1;
    int blackFrame = 0;
    while (SceneState == SCENE_BATTLE_END && frames[end().EndStage] < 100) {
        const int stage = end().EndStage;
        ++frames[stage];
        if (stage == BATTLE_END_STAGE_BLACK)
            ++blackFrame;
        Step();
        if (end().EndStage == BATTLE_END_STAGE_BRIGHTEN || end().EndStage == BATTLE_END_STAGE_SETTLE)
            brightening.push_back(static_cast<int>(DrawBrightnessColor & 0xFF));
        if (revivedAt < 0 && party().hp[0] >= 1)
            revivedAt = blackFrame;
    }
    EXPECT_EQ(frames[BATTLE_END_STAGE_HOLD], 10);
    EXPECT_EQ(frames[BATTLE_END_STAGE_DARKEN], 32);
    EXPECT_EQ(frames[BATTLE_END_STAGE_BLACK], 31) << "the black frames 0 to 30";
    EXPECT_EQ(frames[BATTLE_END_STAGE_BRIGHTEN], 32);
    EXPECT_EQ(frames[BATTLE_END_STAGE_SETTLE], 11);
    EXPECT_EQ(revivedAt, BATTLE_END_FIELD_FRAME + 1) << "the party stands again behind the black";
    ASSERT_FALSE(brightening.empty());
    EXPECT_EQ(brightening[0], 0) << "the black's last frame";
    EXPECT_EQ(brightening[1], 8);
    EXPECT_EQ(brightening[31], 248);
    EXPECT_EQ(brightening.back(), 255);
    EXPECT_EQ(SceneState, SCENE_FIELD);
    EXPECT_EQ(parts->gameOver.sceneTexture, nullptr) << "the picture went with the field's return";
}

TEST_F(BattleEndTest, TheEventLearnsHowItsBattleEnded)
{
    struct Case {
        const char* name;
        int kind;
        std::int32_t escapeLabel;
        int told; // the event's result mode
    };
    const Case cases[] = {
        {"won", BATTLE_END_WON, 3, 1},
        {"lost", BATTLE_END_LOST, 3, 3},
        {"escaped", BATTLE_END_ESCAPED, 3, 2},
        // The menu offers no escape there, so one that still arrives is told as one.
        {"escaped where escape was not allowed", BATTLE_END_ESCAPED, -1, 2},
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
        const int updates = RunToField();
        parts->event.CurrentRecord = nullptr;
        EXPECT_EQ(SceneState, SCENE_FIELD);
        EXPECT_GT(updates, 100);
        EXPECT_EQ(parts->event.Args[15], c.told);
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
        RunToField();
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

TEST_F(BattleEndTest, TheFieldMusicComesBackInTheWayTheTrackAllows)
{
    using Call = fakes::RecordingPlayBGM::Call;
    struct Case {
        const char* name;
        bool musicSwitch;
        int heldTune;
        bool suspended;
        std::vector<Call> calls;
    };
    const Case cases[] = {
        {"held and playing", true, 2, false, {{"Stop(1)", 0}, {"ResumeWithFade(0,1000)", 0}}},
        {"another tune", true, 7, false, {{"Stop(1)", 0}, {"LoadTune(0,2)", 0}, {"Play(0)", 0}}},
        {"held but suspended", true, 2, true, {{"Stop(1)", 0}, {"Play(0)", 0}}},
        {"no battle tune of its own", false, 2, false, {{"Stop(1)", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartFormation(1);
        party().SetMusicSwitch(c.musicSwitch);
        end().BeginBattleEnd(BATTLE_END_LOST);
        music.tunes[0] = c.heldTune;
        music.suspended = c.suspended;
        while (SceneState == SCENE_BATTLE_END && !(end().EndStage == BATTLE_END_STAGE_SETTLE && end().StageFrame == 10))
            Step();
        music.calls.clear();
        Step();
        EXPECT_EQ(SceneState, SCENE_FIELD);
        EXPECT_EQ(music.calls, c.calls);
        if (c.suspended) {
            EXPECT_EQ(music.playFlags.back(), 1) << "a suspended track is resumed";
        }
        encount().ReleaseEncountTextures();
    }
}

TEST_F(BattleEndTest, AMapThatAsksForItRefillsTheStocksAndRestoresTheParty)
{
    struct Case {
        const char* name;
        bool refill, restore;
    };
    const Case cases[] = {
        {"neither", false, false},
        {"stocks", true, false},
        {"party", false, true},
        {"both", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fieldtest::MapBlobBuilder map(24, 18);
        map.Border(1).Tunes(2, 5);
        if (c.refill)
            map.FlagB(7);
        if (c.restore)
            map.FlagA(31);
        ASSERT_TRUE(Enter(map, 5, 5));
        StartFormation(1);
        for (int k = 0; k < STOCK_COUNT; ++k)
            party().stockMax[k] = 9, party().stock[k] = 1;
        SetMemberMaxHP(0, 100, party().abilityBits[0]);
        party().hp[0] = 1;
        end().BeginBattleEnd(BATTLE_END_LOST);
        RunToField();
        EXPECT_EQ(party().stock[0], c.refill ? 9 : 1);
        EXPECT_EQ(party().hp[0], c.restore ? 100 : 1);
        encount().ReleaseEncountTextures();
    }
}

} // namespace
