// The effect object: damage popups (texts, lives, fades, sorting, bursts,
// bounce), sparkles and the label text.
#include <algorithm>
#include <cmath>

#include "BattleFixture.h"
#include "battle/BattleServices.h"
#include "core/BattleAngles.h"
#include "core/Random.h"
#include "fakes/RecordingText.h"

namespace {

using battletest::BattleTest;

fakes::RecordingText* labelText = nullptr;

class BattleEffectTest : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        text = std::make_unique<fakes::RecordingText>();
        text->glyphWidth = 9;
        text->glyphHeight = 16;
        labelText = text.get();
        world.Keep(CreateTextTextureProc, []() -> Zeph::CTextTexture* { return labelText; });
        pack.images[PACK_BATTLE_BURSTS] = {128, 128};
        pack.images[PACK_BATTLE_SPARKS] = {32, 16};
        StartFormation(2);
        effect().InitBattleEffect();
        party().members[0].x = 100.0f;
        party().members[0].y = 200.0f;
        soundCalls.clear();
    }
    void TearDown() override
    {
        effect().ReleaseBattleEffect();
        BattleTest::TearDown();
    }

    CBattleEffect& effect() { return battle->effect; }
    const DamagePopup& Last() { return effect().Popups().back(); }
    void Age(int frames)
    {
        for (int i = 0; i < frames; ++i)
            effect().UpdateBattleEffect();
    }
    std::vector<fakes::DrawnPrimitive> DrawPopups()
    {
        device.ForgetCalls();
        text->drawn.clear();
        CurrentFvf = 0xFFFFFFFFu;
        CurrentTexture = nullptr;
        effect().PlaceDamagePopups();
        effect().DrawBattleEffect();
        return device.draws;
    }

    std::unique_ptr<fakes::RecordingText> text;
};

TEST_F(BattleEffectTest, StartUpMeasuresTheDigitsAndEveryLabel)
{
    EXPECT_EQ(text->look, (fakes::TextLook{16, 6, 17, 9}));
    EXPECT_EQ(effect().DigitHeight(), 16.0f);
    EXPECT_EQ(effect().StatusLabelWidth(2), 9.0f * 4) << "速度＋1";
    EXPECT_EQ(effect().AttackLabelWidth(0), 9.0f * 6) << "攻撃×1.2";
    EXPECT_EQ(effect().GuardLabelWidth(3), 9.0f * 4) << "防御×4";
    EXPECT_EQ(GetStatusLabelWidth(u"毒"), 9.0f);
}

TEST_F(BattleEffectTest, NumbersAreClampedAndCentredOnTheActor)
{
    const struct {
        int value;
        bool full;
        const char16_t* text;
        float offset;
    } cases[] = {
        {-5, false, u"0", 11.0f},        {0, false, u"0", 11.0f},
        {12345, false, u"12345", -7.0f}, {123456789, false, u"99999999", -20.0f},
        {7, true, u"FULL", -2.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        effect().AddDamagePopup(true, 0, POPUP_HEAL, c.full, c.value);
        EXPECT_EQ(std::u16string(Last().text), c.text);
        EXPECT_EQ(Last().TextLengthField(), static_cast<int>(std::u16string(c.text).size()) + 1);
        EXPECT_EQ(Last().textOffsetX, c.offset);
        EXPECT_TRUE(Last().IsAttached());
    }
    const float width = enemies().Records[1].Width;
    effect().AddDamagePopup(false, 1, POPUP_DAMAGE, false, 123);
    EXPECT_EQ(Last().textOffsetX, std::floor((width - 27.0f) / 2.0f)) << "an enemy centres on its own width";
}

// Per kind: the sound on creation, the life, what ends it and its colour.
TEST_F(BattleEffectTest, EachKindLivesFadesAndSoundsAsItsTableSays)
{
    const struct {
        int kind;
        const char* sound; // nullptr: silent
        int life;
        bool fadesOut;
        int fadeFrames;
        std::uint32_t rgb;
    } cases[] = {
        {POPUP_ACTION_START, "Play(9)", 64, false, 0, 0xFFFFFF},
        {POPUP_ACTION_RELEASE, "Play(9)", 64, false, 0, 0xFFFFFF},
        {POPUP_DAMAGE, nullptr, 48, true, 16, 0xFFFFFF},
        {POPUP_HEAL, nullptr, 48, true, 16, 0x80FFFF},
        {POPUP_SECOND_BURST, "Play(34)", 64, false, 0, 0xFFFFFF},
        {POPUP_SP, nullptr, 48, true, 16, 0x60FF60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        effect().ClearBattleEffects();
        soundCalls.clear();
        for (int frame = 0; frame < 8; ++frame) // past the repeat guard
            soundEffects.CountPlaySEFrame();
        effect().AddDamagePopup(true, 0, c.kind, false, 5);
        EXPECT_EQ(soundCalls, c.sound ? fakes::CallLog{c.sound} : fakes::CallLog{});
        Age(c.life - 1);
        ASSERT_EQ(effect().Popups().size(), 1u);
        EXPECT_FALSE(Last().IsFading());
        Age(1);
        if (!c.fadesOut) {
            EXPECT_TRUE(effect().Popups().empty()) << "bursts go at the end of their life";
            continue;
        }
        ASSERT_TRUE(Last().IsFading());
        Age(c.fadeFrames - 1);
        ASSERT_EQ(effect().Popups().size(), 1u);
        EXPECT_EQ(Last().Alpha(), 255 - 16 * 15);
        DrawPopups();
        ASSERT_EQ(text->drawn.size(), 1u);
        EXPECT_EQ(text->drawn[0].colour, (15u << 24) | c.rgb) << "the fading alpha replaces the colour's";
        Age(1);
        EXPECT_TRUE(effect().Popups().empty());
    }
}

TEST_F(BattleEffectTest, AFlushedStartBurstFadesInPlaceWithinThirtyTwoFrames)
{
    effect().AddDamagePopup(true, 0, POPUP_ACTION_START, false, 0);
    effect().AddDamagePopup(true, 0, POPUP_DAMAGE, false, 3);
    Age(20);
    effect().FlushDamagePopups(true, 0);
    EXPECT_TRUE(effect().Popups().front().IsFading());
    EXPECT_FALSE(Last().IsFading()) << "only bursts of kind 0";
    EXPECT_EQ(effect().Popups().front().frozenDepthY, 232.0f);
    party().members[0].y = 300.0f;
    effect().PlaceDamagePopups();
    EXPECT_EQ(effect().Popups().front().y, 200.0f) << "a flushed burst stays where it was";
    EXPECT_EQ(Last().y, 300.0f) << "a number follows its actor";
    Age(31);
    EXPECT_EQ(effect().Popups().size(), 2u);
    Age(1);
    EXPECT_EQ(effect().Popups().size(), 1u);
}

TEST_F(BattleEffectTest, AFifthDamageNumberRemovesTheOldestAndLeavesNoSlotBehind)
{
    for (int value = 1; value <= 4; ++value)
        effect().AddDamagePopup(true, 0, POPUP_DAMAGE, false, value);
    effect().AddDamagePopup(false, 0, POPUP_DAMAGE, false, 50);
    effect().PlaceDamagePopups();
    effect().AddDamagePopup(true, 0, POPUP_DAMAGE, false, 5);
    EXPECT_EQ(effect().DamageCount(true, 0), 4);
    EXPECT_EQ(effect().DamageCount(false, 0), 1);
    EXPECT_EQ(std::u16string(effect().Popups().front().text), u"2");
    text->drawn.clear();
    effect().DrawBattleEffect();
    EXPECT_EQ(text->drawn.size(), 4u) << "the removed number is skipped, the new one not yet placed";
    effect().ClearBattleEffects();
    EXPECT_EQ(effect().PopupSlotCount(), 0);
    EXPECT_EQ(effect().DamageCount(true, 0), 0);
}

TEST_F(BattleEffectTest, OnlyTheSixtyFourOldestPopupsArePlaced)
{
    for (int i = 0; i < 65; ++i)
        effect().AddDamagePopup(i % 2 == 0, i % 3, POPUP_HEAL, false, i);
    effect().PlaceDamagePopups();
    EXPECT_EQ(effect().PopupSlotCount(), 64);
    for (int i = 0; i < 64; ++i)
        EXPECT_NE(std::u16string(effect().PopupInDrawOrder(i)->text), u"64");
}

TEST_F(BattleEffectTest, PopupsSortFarthestFirstThenEnemiesThenHigherActors)
{
    for (int m = 0; m < 3; ++m)
        party().members[m].y = 200.0f;
    party().members[2].y = 100.0f; // farther back
    effect().AddDamagePopup(true, 0, POPUP_HEAL, false, 1);
    effect().AddDamagePopup(true, 1, POPUP_HEAL, false, 2);
    effect().AddDamagePopup(true, 2, POPUP_HEAL, false, 3);
    effect().AddDamagePopup(true, 1, POPUP_ACTION_START, false, 0);
    // An enemy whose foot line matches the members'.
    EnemyRecord& r = enemies().Records[0];
    r.FlagsA &= ~FLAGS_A_ESCAPED;
    r.PosY = 232.0f - r.BodyBox.bottom;
    effect().AddDamagePopup(false, 0, POPUP_HEAL, false, 4);
    effect().PlaceDamagePopups();
    std::u16string order;
    for (int i = 0; i < effect().PopupSlotCount(); ++i)
        order += effect().PopupInDrawOrder(i)->text[0] == 0 ? u'B' : effect().PopupInDrawOrder(i)->text[0];
    EXPECT_EQ(order, u"B3421") << "bursts lie deeper; then the farther member; the enemy; member 1 before 0";
    EXPECT_FLOAT_EQ(effect().PopupKeyInDrawOrder(0), 0.45f - 232.0f / 3840.0f);
    EXPECT_FLOAT_EQ(effect().PopupKeyInDrawOrder(1), 0.3f - 132.0f / 7680.0f);
}

TEST_F(BattleEffectTest, BurstSidesShrinkOrGrowEvenAndCentred)
{
    const struct {
        int kind;
        int timer;
        float side;
    } cases[] = {
        {POPUP_ACTION_START, 0, 64},  {POPUP_ACTION_START, 1, 64},  {POPUP_ACTION_START, 3, 62},
        {POPUP_ACTION_START, 63, 2},  {POPUP_ACTION_RELEASE, 1, 2}, {POPUP_ACTION_RELEASE, 5, 6},
        {POPUP_SECOND_BURST, 32, 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.timer);
        effect().ClearBattleEffects();
        effect().AddDamagePopup(true, 0, c.kind, false, 0);
        Age(c.timer);
        const auto draws = DrawPopups();
        ASSERT_EQ(draws.size(), 1u);
        const TexturedVertex* v = draws[0].vertex;
        EXPECT_EQ(v[1].x - v[0].x, c.side);
        EXPECT_EQ(v[2].y - v[0].y, c.side);
        EXPECT_EQ(v[0].x, std::trunc(116.0f - c.side / 2.0f) - 0.5f);
        EXPECT_EQ(v[0].u, c.kind == POPUP_SECOND_BURST ? 0.5f : 0.0f) << "the second cell";
        EXPECT_EQ(draws[0].fvf, FVF_TEXTURED);
    }
}

TEST_F(BattleEffectTest, NumbersBounceOverTheirFirstTwentyFrames)
{
    effect().AddDamagePopup(true, 0, POPUP_DAMAGE, false, 42);
    const int lift[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 8, 8, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0};
    for (int timer = 0; timer < 22; ++timer) {
        SCOPED_TRACE(timer);
        DrawPopups();
        ASSERT_EQ(text->drawn.size(), 1u);
        EXPECT_EQ(text->drawn[0].y, 200.0f + 32.0f - 16.0f - static_cast<float>(lift[timer]));
        EXPECT_EQ(text->drawn[0].x, 100.0f + 7.0f);
        EXPECT_EQ(text->drawn[0].text, u"42");
        Age(1);
    }
}

TEST_F(BattleEffectTest, WithoutTextOrTexturesNothingIsDrawn)
{
    effect().ReleaseBattleEffect();
    text->failMeasure = true;
    error.reports.clear();
    effect().InitBattleEffect();
    EXPECT_EQ(error.reports.size(), 1u) << "the first failure ends the set-up";
    effect().AddDamagePopup(true, 0, POPUP_DAMAGE, false, 42);
    effect().AddDamagePopup(true, 0, POPUP_ACTION_START, false, 0);
    effect().AddPartyHitSparks(0, 0);
    Age(10);
    EXPECT_TRUE(DrawPopups().empty());
    effect().DrawPartyHitSparks(0, 0.5f);
    EXPECT_TRUE(device.draws.empty());
    EXPECT_EQ(effect().GetBattleLabelWidth(u"ab", 2), 0.0f);
    EXPECT_EQ(effect().GetBattleLabelWidth(u"ab", 2), 0.0f);
    EXPECT_EQ(error.reports.size(), 2u) << "a failed measure is reported once";
}

// Seeded: the four places are a permutation, the timers come in steps of six.
TEST_F(BattleEffectTest, SparklesFallTurnFadeAndGoAtFifty)
{
    SeedGameRandom(1234);
    effect().AddPartyHitSparks(0, 1);
    const auto& sparks = effect().MemberSparks(0);
    ASSERT_EQ(sparks.size(), 4u);
    std::vector<int> places;
    int i = 0;
    for (const HitSpark& spark : sparks) {
        EXPECT_GE(spark.timer, -(6 * i) - 3);
        EXPECT_LE(spark.timer, -(6 * i) - 1);
        // Members: spread 18, start 16 - 9 - 8 = -1, spacing 5.25, jitter below 18/8.
        const float place = (spark.offsetX + 1.0f) / 5.25f;
        places.push_back(static_cast<int>(place));
        EXPECT_LT(place - std::floor(place), 18.0f / 8.0f / 5.25f + 1e-4f);
        ++i;
    }
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places, (std::vector<int>{0, 1, 2, 3}));

    const int firstTimer = sparks.front().timer;
    Age(-firstTimer); // the first sparkle shows now
    device.ForgetCalls();
    effect().DrawPartyHitSparks(0, 0.25f);
    ASSERT_EQ(device.draws.size(), 1u) << "only sparkles whose timer reached 0";
    const TexturedVertex* v = device.draws[0].vertex;
    const float angle = sparks.front().angle;
    const int dx = RoundToInt(-8.0f * std::cos(angle) + 8.0f * std::sin(angle) + 8.0f);
    const int dy = RoundToInt(-8.0f * std::sin(angle) - 8.0f * std::cos(angle) + 8.0f);
    const float left = std::trunc(100.0f + sparks.front().offsetX);
    EXPECT_EQ(v[0].x, left + static_cast<float>(dx) - 0.5f);
    EXPECT_EQ(v[0].y, std::trunc(200.0f - 8.0f) + static_cast<float>(dy) - 0.5f);
    EXPECT_EQ(v[1].x, left + 16.0f - static_cast<float>(dy) - 0.5f);
    EXPECT_EQ(v[3].y, std::trunc(200.0f - 8.0f) + 16.0f - static_cast<float>(dy) - 0.5f);
    EXPECT_EQ(v[0].u, 0.5f) << "the curing picture";
    EXPECT_EQ(v[0].z, 0.25f);
    EXPECT_EQ(v[0].colour, 0xFFFFFFFFu);

    const struct {
        int timer;
        std::uint32_t alpha;
    } fades[] = {{42, 255}, {43, 223}, {49, 31}};
    for (const auto& f : fades) {
        Age(f.timer - sparks.front().timer);
        device.ForgetCalls();
        effect().DrawPartyHitSparks(0, 0.25f);
        ASSERT_FALSE(device.draws.empty());
        EXPECT_EQ(device.draws[0].vertex[0].colour >> 24, f.alpha) << f.timer;
    }
    const std::size_t before = sparks.size();
    Age(1);
    EXPECT_EQ(sparks.size(), before - 1) << "gone at 50";
}

TEST_F(BattleEffectTest, EnemySparklesKeepTheEnemyListedUntilTheyAreGone)
{
    effect().AddEnemyHitSparks(1, 0);
    EXPECT_TRUE(effect().HasEnemySparks(1));
    EXPECT_FALSE(effect().HasEnemySparks(0));
    Age(50 + 21);
    EXPECT_FALSE(effect().HasEnemySparks(1));
    effect().AddEnemyHitSparks(7, 0);
    Age(80);
    EXPECT_TRUE(effect().HasEnemySparks(7)) << "slots beyond the group's count do not age";
}

TEST_F(BattleEffectTest, LabelsDrawTheWholeTextOrItsFirstCharacters)
{
    DrawBattleLabel(10.0f, 20.0f, 0.5f, u"毒", 0x80FFFFFFu);
    effect().DrawBattleLabelEx(u"スライム", 2, 1.0f, 2.0f, 0.25f, 0xFFFFFFFFu);
    ASSERT_EQ(text->drawn.size(), 2u);
    EXPECT_EQ(text->drawn[0].text, u"毒");
    EXPECT_EQ(text->drawn[0].colour, 0x80FFFFFFu);
    EXPECT_EQ(text->drawn[1].text, u"スラ");
    EXPECT_EQ(text->drawn[1].z, 0.25f);
}

} // namespace
