// The encounter transition: the capture, the music and sound, the closing
// bands frame by frame, the black hold and the battle's one start; the
// parameters a battle takes from an event's words or a symbol.
#include <cstring>

#include "BattleFixture.h"
#include "platform/LittleEndian.h"

namespace {

using battletest::BattleTest;

struct Band {
    float top, bottom;
    std::uint32_t topColour, bottomColour;
    bool operator==(const Band&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Band& band)
{
    return out << "{" << band.top << ".." << band.bottom << " " << std::hex << band.topColour << "/"
               << band.bottomColour << std::dec << "}";
}

class EncountEffectTest : public BattleTest {
protected:
    // The battle command's words: count 4, tune 9, escape label 3, flags 0,
    // defeat label 5, formation 0, kinds 0-3.
    std::int32_t words[ENCOUNT_EVENT_WORDS] = {4, 9, 3, 0, 5, 0, 0, 1, 2, 3};

    void StartFromEvent()
    {
        MapSceneState = MAP_SCENE_EVENT;
        encount().StartEncountEffect(words, false);
    }

    // The bands of one draw: the untextured quads after the picture.
    std::vector<Band> DrawnBands()
    {
        device.ForgetCalls();
        encount().DrawEncountEffect();
        std::vector<Band> bands;
        for (const fakes::DrawnPrimitive& drawn : device.draws) {
            if (drawn.fvf != FVF_COLOURED)
                continue;
            const ColouredVertex top = drawn.VertexAt<ColouredVertex>(0);
            const ColouredVertex bottom = drawn.VertexAt<ColouredVertex>(2);
            bands.push_back({top.y, bottom.y, top.colour, bottom.colour});
        }
        return bands;
    }

    void Updates(int n)
    {
        for (int i = 0; i < n; ++i)
            encount().UpdateEncountEffect();
    }
};

TEST_F(EncountEffectTest, TheBandsCloseOverTheFrozenField)
{
    StartFromEvent();
    ASSERT_TRUE(encount().IsEncountEffectReady());
    constexpr std::uint32_t kBlack = 0xFF000000u;
    struct Case {
        int frame;
        std::vector<Band> bands;
    };
    // Frame 33: g = 232 and the inner alpha 255 - 231 = 24.
    const Case cases[] = {
        {0, {{-256.5f, -0.5f, kBlack, 0}, {479.5f, 735.5f, 0, kBlack}}},
        {30, {{-16.5f, 239.5f, kBlack, 0}, {239.5f, 495.5f, 0, kBlack}}},
        {33,
         {{7.5f, 239.5f, kBlack, 24u << 24},
          {239.5f, 471.5f, 24u << 24, kBlack},
          {-0.5f, 7.5f, kBlack, kBlack},
          {471.5f, 479.5f, kBlack, kBlack}}},
        {62, {{-0.5f, 239.5f, kBlack, kBlack}, {239.5f, 479.5f, kBlack, kBlack}}},
    };
    int frame = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        Updates(c.frame - frame);
        frame = c.frame;
        EXPECT_EQ(DrawnBands(), c.bands);
        ASSERT_FALSE(device.draws.empty());
        EXPECT_EQ(device.draws.front().texture, encount().CaptureTexture) << "the frozen field under the bands";
    }
    Updates(1);
    EXPECT_FALSE(encount().IsEncountEffectReady()) << "the capture goes with the closing";
    EXPECT_TRUE(DrawnBands().empty());
    EXPECT_TRUE(device.draws.empty()) << "black holds";
}

TEST_F(EncountEffectTest, TheBattleStartsOnceAfterTheBlackHold)
{
    StartFromEvent();
    Updates(ENCOUNT_EFFECT_FRAMES + ENCOUNT_BLACK_FRAMES - 1);
    EXPECT_EQ(SceneState, SCENE_ENCOUNT);
    SceneTrace::Clear();
    battle->circles.SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 80, 0, false);
    battle->effect.AddDamagePopup(true, 0, POPUP_DAMAGE, false, 1);
    Updates(1);
    EXPECT_EQ(SceneState, SCENE_BATTLE);
    EXPECT_TRUE(battle->circles.Circles().empty()) << "the battle starts reset";
    EXPECT_TRUE(battle->effect.Popups().empty());
    EXPECT_EQ(party().GetBattlePhase(), BATTLE_PHASE_OPENING);
    EXPECT_EQ(enemies().EnemyCount(), 4);
    EXPECT_EQ(enemies().OpeningFrames, 1);
    EXPECT_EQ(battle->sortList.SortCount, 3 + 4) << "the first picture is already sorted";
}

TEST_F(EncountEffectTest, TheFieldMusicGivesWayOnlyWithTheMusicSwitch)
{
    for (const bool switched : {true, false}) {
        SCOPED_TRACE(switched);
        party().SetMusicSwitch(switched);
        music.calls.clear();
        soundCalls.clear();
        for (int i = 0; i < 4; ++i)
            soundEffects.CountPlaySEFrame();
        StartFromEvent();
        std::vector<fakes::RecordingPlayBGM::Call> expected;
        if (switched)
            expected = {{"FadeOut(0,1050)", 0}, {"LoadTune(1,9)", 0}};
        EXPECT_EQ(music.calls, expected) << "the event's own tune";
        EXPECT_NE(std::find(soundCalls.begin(), soundCalls.end(), "Play(23)"), soundCalls.end());
        encount().ReleaseEncountTextures();
    }
    party().SetMusicSwitch(true);
    music.calls.clear();
    MapSymbolRecord symbol{};
    encount().StartEncountEffect(&symbol, true);
    EXPECT_EQ(music.calls[1], (fakes::RecordingPlayBGM::Call{"LoadTune(1,5)", 0})) << "a symbol: the map's tune";
}

TEST_F(EncountEffectTest, ADeviceLossWhileClosingCapturesTheFieldAgain)
{
    StartFromEvent();
    Updates(10);
    // What the game object does around a device reset.
    const bool hadPicture = encount().IsEncountEffectReady();
    encount().ReleaseEncountTextures();
    EXPECT_FALSE(encount().IsEncountEffectReady());
    if (hadPicture)
        encount().CaptureEncountScreen();
    EXPECT_TRUE(encount().IsEncountEffectReady());
    EXPECT_EQ(encount().CaptureFailed, 0);
    device.ForgetCalls();
    encount().DrawEncountEffect();
    ASSERT_FALSE(device.draws.empty());
    EXPECT_EQ(device.draws.front().texture, encount().CaptureTexture);
}

TEST_F(EncountEffectTest, AFailedCaptureDrawsTheLiveMap)
{
    device.failTextureCreations = 1;
    error.reports.clear();
    StartFromEvent();
    EXPECT_EQ(encount().CaptureFailed, 1);
    EXPECT_TRUE(error.reports.empty()) << "nothing is reported";
    const std::vector<Band> bands = DrawnBands();
    EXPECT_EQ(bands.size(), 2u) << "the bands still close";
    for (const fakes::DrawnPrimitive& drawn : device.draws)
        EXPECT_NE(drawn.vertex[0].z, 0.1f) << "no frozen picture: the live map lies under the bands";
}

TEST_F(EncountEffectTest, AnEventsWordsChooseTheBattle)
{
    struct Case {
        const char* name;
        std::int32_t escapeLabel, flags, defeatLabel;
        EncountParameters expected;
    };
    const Case cases[] = {
        {"a defeat is a game over", 3, 0, -1, {ENCOUNT_KIND_GAME_OVER, true, false, false, false}},
        {"a retry", 3, 0, -2, {ENCOUNT_KIND_RETRY, true, false, false, false}},
        {"may be lost", 3, 0, 7, {ENCOUNT_KIND_MAY_LOSE, true, false, false, false}},
        {"no escape", -1, 0, 7, {ENCOUNT_KIND_MAY_LOSE, false, false, false, false}},
        {"no items", 3, 2, -1, {ENCOUNT_KIND_GAME_OVER, true, true, false, false}},
        {"enemy option", 3, 4, -1, {ENCOUNT_KIND_GAME_OVER, true, false, true, false}},
        {"label 0 is a label", 0, 1, 0, {ENCOUNT_KIND_MAY_LOSE, true, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        words[2] = c.escapeLabel;
        words[3] = c.flags;
        words[4] = c.defeatLabel;
        const EncountParameters p = EventEncountParameters(words);
        EXPECT_EQ(p.battleKind, c.expected.battleKind);
        EXPECT_EQ(p.escapeAllowed, c.expected.escapeAllowed);
        EXPECT_EQ(p.itemLimit, c.expected.itemLimit);
        EXPECT_EQ(p.enemyOption, c.expected.enemyOption);
        EXPECT_FALSE(p.symbolOption);
    }
    // Into the party's words through the battle's start.
    words[2] = -1;
    words[4] = -2;
    StartFromEvent();
    encount().StartBattleFromEncount();
    EXPECT_EQ(BattleKind::Get(party().partyWordD), 2u);
    EXPECT_FALSE(EscapeAllowed::IsSet(party().partyWordD));
    EXPECT_NE(enemies().GroupBits & GROUP_FROM_FORMATION, 0u);
}

TEST_F(EncountEffectTest, ASymbolsBattleComesFromTheMapsTable)
{
    MapSymbolRecord symbol{};
    symbol.battleSeed = 4242;
    symbol.defeatedMask = 0x3;
    symbol.cellX = 7;
    symbol.cellY = 9;
    symbol.enemyGroupBit = 1;
    MapHeader header = TheMap->Header();
    for (const bool mapBit : {false, true}) {
        header.flagsB = mapBit ? 1u << 10 : 0u;
        const EncountParameters p = SymbolEncountParameters(symbol, header);
        EXPECT_EQ(p.battleKind, ENCOUNT_KIND_GAME_OVER);
        EXPECT_TRUE(p.escapeAllowed);
        EXPECT_FALSE(p.itemLimit);
        EXPECT_EQ(p.enemyOption, mapBit);
        EXPECT_TRUE(p.symbolOption);
    }
    std::uint8_t record[ENCOUNT_RECORD_BYTES];
    SymbolEncountRecord(symbol, record);
    EXPECT_EQ(plat::LoadLe32(record + 4 * 8), 4242u);
    EXPECT_EQ(plat::LoadLe32(record + 4 * 10), 0x3u);
    EXPECT_EQ(plat::LoadLe32(record + 4 * 11), 7u | 9u << 9 | 1u << 24);

    // The map needs an encounter table for the symbol's battle.
    std::vector<std::uint8_t> map0 = sampledata::MapEntry(0);
    CurrentMap = map0.data();
    enemies().ReadMapEnemyFlags();
    encount().StartEncountEffect(&symbol, true);
    EXPECT_EQ(encount().EncountSymbol, &symbol);
    encount().StartBattleFromEncount();
    EXPECT_EQ(SceneState, SCENE_BATTLE);
    EXPECT_NE(enemies().GroupBits & GROUP_FROM_ENCOUNTER, 0u);
    EXPECT_GE(enemies().EnemyCount(), 1);
    EXPECT_EQ(BattleKind::Get(party().partyWordD), 0u);
}

TEST_F(EncountEffectTest, ABattleThatCannotBeSetUpGoesBackToTheField)
{
    words[0] = 0; // no enemies
    StartFromEvent();
    encount().StartBattleFromEncount();
    EXPECT_EQ(SceneState, SCENE_FIELD);
}

} // namespace
