// The magic circles: their life from the outline to the fade, the frames
// and pieces drawn, the draw order, the looping sound and the queries.
#include <array>
#include <cmath>

#include "BattleFixture.h"
#include "battle/BattleServices.h"
#include "enemies/EnemyServices.h"

namespace {

using battletest::BattleTest;

class MagicCircleTest : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        pack.images[PACK_MAGIC_CIRCLES] = {512, 256};
        StartFormation(2);
        circles().InitMagicCircle();
        party().members[0].x = 100.0f;
        party().members[0].y = 200.0f;
        soundCalls.clear();
    }
    void TearDown() override
    {
        circles().ReleaseMagicCircle();
        BattleTest::TearDown();
    }

    CMagicCircle& circles() { return battle->circles; }
    void Step(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            circles().UpdateDyingMagicCircles();
            circles().UpdateMagicCircle();
        }
    }
    // The texture x of every quad drawn this frame.
    std::vector<int> DrawnTextureX()
    {
        device.ForgetCalls();
        CurrentTexture = nullptr;
        CurrentFvf = 0xFFFFFFFFu;
        circles().DrawMagicCircles();
        std::vector<int> xs;
        for (const auto& draw : device.draws)
            xs.push_back(static_cast<int>(std::lround(draw.vertex[0].u * 512.0f)));
        return xs;
    }
    // Every quad drawn this frame as its screen rectangle, relative to the
    // circle of member 0 at (92, 221), and its texture rectangle in pixels:
    // left, top, right, bottom, then the same in the texture.
    std::vector<std::array<int, 8>> DrawnRectangles()
    {
        DrawnTextureX();
        std::vector<std::array<int, 8>> rectangles;
        for (const auto& draw : device.draws) {
            const TexturedVertex& a = draw.vertex[0];
            const TexturedVertex& b = draw.vertex[3];
            const auto px = [](float f, float scale) { return static_cast<int>(std::lround(f * scale)); };
            rectangles.push_back({px(a.x + 0.5f - 92.0f, 1), px(a.y + 0.5f - 221.0f, 1), px(b.x + 0.5f - 92.0f, 1),
                                  px(b.y + 0.5f - 221.0f, 1), px(a.u, 512), px(a.v, 256), px(b.u, 512), px(b.v, 256)});
        }
        return rectangles;
    }
};

// Duration 80: q = 10, the outline over 0-29, frames 0-4 from 30, 40, 50, 60, 70.
TEST_F(MagicCircleTest, ACircleOfEightyFramesDrawsItsOutlineThenFiveFrames)
{
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 80, 2, false);
    EXPECT_EQ(circles().Circles().front().x, -48.0f) << "off screen until placed";
    circles().UpdateMagicCircle();
    EXPECT_TRUE(DrawnTextureX().empty()) << "nothing at elapsed 0";
    const struct {
        int elapsed;
        std::vector<int> textureX;
    } cases[] = {
        {1, {288, 240 + 24 - 3}},                       // guide, then 3 px of stroke 0 (growing left from 24)
        {15, {288, 241, 240, 241}},                     // n = 49: strokes 0 and 1 whole, 22 px of stroke 2
        {29, {288, 241, 240, 241, 286, 240 + 46 - 19}}, // n = 95: 19 of stroke 4's 22
        {30, {0}},                                      // frame 0, piece 0 not grown yet
        {35, {0, 353 - 9}},                             // piece 0: 9 of 17, leftward
        {40, {48}},
        {50, {96}},
        {60, {144}},
        {75, {192, 472 + 17 - 9}}, // piece 4 over D - 7q = 10 frames
        {80, {192, 472}},
    };
    int elapsed = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elapsed);
        Step(c.elapsed - elapsed);
        elapsed = c.elapsed;
        EXPECT_EQ(circles().Circles().front().elapsed, c.elapsed);
        EXPECT_EQ(DrawnTextureX(), c.textureX);
    }
    const TexturedVertex* v = device.draws[0].vertex;
    EXPECT_EQ(v[0].x, 92.0f - 0.5f);
    EXPECT_EQ(v[0].y, 221.0f - 0.5f);
    EXPECT_EQ(v[3].x, 140.0f - 0.5f);
    EXPECT_FLOAT_EQ(v[0].v, 42.0f / 256.0f) << "the row of kind 2";
    EXPECT_FLOAT_EQ(v[0].z, 0.8f - 232.0f / 3840.0f);

    Step(1);
    EXPECT_TRUE(circles().Circles().front().dying);
    EXPECT_EQ(circles().Circles().front().elapsed, 80);
    EXPECT_FALSE(HasMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0));
    Step(63);
    ASSERT_EQ(circles().Circles().size(), 1u);
    EXPECT_EQ(circles().Circles().front().colour >> 24, 3u);
    EXPECT_EQ(DrawnTextureX(), (std::vector<int>{192, 472})) << "a dying circle keeps its picture";
    Step(1);
    EXPECT_TRUE(circles().Circles().empty()) << "freed on the 64th fade step";
}

// Duration 800 (q = 100), kind 0: each stroke and piece covers its own
// rectangle on screen and in the texture, grown from its own edge; the
// guide image and the frames cover the whole circle.
TEST_F(MagicCircleTest, StrokesPiecesAndFramesCoverTheirRectangles)
{
    using Rect = std::array<int, 8>;
    const Rect guide = {0, 0, 48, 20, 288, 0, 336, 20};
    const Rect s0 = {1, 12, 24, 20, 241, 12, 264, 20}, s1 = {0, 8, 1, 12, 240, 8, 241, 12};
    const Rect s2 = {1, 0, 46, 8, 241, 0, 286, 8}, s3 = {46, 8, 47, 12, 286, 8, 287, 12};
    const auto frame = [](int f) { return Rect{0, 0, 48, 20, 48 * f, 0, 48 * f + 48, 20}; };
    const struct {
        int elapsed;
        std::vector<Rect> drawn;
    } cases[] = {
        // n = 25: stroke 1 grown 2 upward from y 12.
        {77, {guide, s0, {0, 10, 1, 12, 240, 10, 241, 12}}},
        // n = 49: stroke 2 grown 22 rightward from x 1.
        {150, {guide, s0, s1, {1, 0, 23, 8, 241, 0, 263, 8}}},
        // n = 74: stroke 3 grown 2 downward from y 8.
        {226, {guide, s0, s1, s2, {46, 8, 47, 10, 286, 8, 287, 10}}},
        // n = 95: stroke 4 grown 19 leftward from x 46.
        {290, {guide, s0, s1, s2, s3, {27, 12, 46, 20, 267, 12, 286, 20}}},
        {399, {frame(0), {7, 0, 24, 17, 336, 0, 353, 17}}},
        {499, {frame(1), {7, 5, 44, 17, 354, 5, 391, 17}}},
        {599, {frame(2), {3, 5, 44, 6, 392, 5, 433, 6}}},
        {699, {frame(3), {3, 5, 40, 17, 434, 5, 471, 17}}},
        {800, {frame(4), {23, 0, 40, 17, 472, 0, 489, 17}}},
    };
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 800, 0, false);
    int elapsed = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elapsed);
        Step(c.elapsed - elapsed);
        elapsed = c.elapsed;
        EXPECT_EQ(DrawnRectangles(), c.drawn);
    }
}

// The guide fades in with the drawing and out with the record's own alpha.
TEST_F(MagicCircleTest, ADyingCircleFadesItsGuideByBothAlphas)
{
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 800, 0, false);
    Step(150); // p = 1/2: the guide's own alpha 128
    DrawnTextureX();
    EXPECT_EQ(device.draws.front().vertex[0].colour >> 24, 128u);
    circles().KillMagicCircles(MAGIC_CIRCLE_SIDE_PARTY, 0);
    Step(32); // the record's alpha trunc(255 / 2) = 127
    DrawnTextureX();
    EXPECT_EQ(device.draws.front().vertex[0].colour >> 24, 128u * 127u / 255u) << "the guide";
    EXPECT_EQ(device.draws.back().vertex[0].colour >> 24, 127u) << "a stroke";
}

TEST_F(MagicCircleTest, ShortDurationsSkipTheOutlineAndGrowTheLastPieceThroughout)
{
    for (int duration = -3; duration <= 7; ++duration) {
        SCOPED_TRACE(duration);
        circles().ClearMagicCircles();
        circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, duration, 0, false);
        const int kept = std::max(1, duration);
        EXPECT_EQ(circles().Circles().front().duration, kept);
        circles().UpdateMagicCircle();
        EXPECT_EQ(DrawnTextureX(), std::vector<int>{192}) << "frame 4 from the start";
        Step(kept);
        EXPECT_EQ(DrawnTextureX(), (std::vector<int>{192, 472}));
    }
}

TEST_F(MagicCircleTest, LargeEnemyCirclesAreDoubledAndSitOnTheEnemysFoot)
{
    const EnemyRecord& r = enemies().Records[0];
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 0, 80, 1, true);
    Step(40);
    DrawnTextureX();
    const TexturedVertex* v = device.draws[0].vertex;
    const float x = r.PosX + r.Width / 2.0f - 48.0f;
    const float y = r.PosY + r.Height - 18.0f;
    EXPECT_EQ(v[0].x, std::trunc(x) - 0.5f);
    EXPECT_EQ(v[0].y, std::trunc(y) - 0.5f);
    EXPECT_EQ(v[3].x, std::trunc(x + 96.0f) - 0.5f);
    EXPECT_EQ(v[3].y, std::trunc(y + 40.0f) - 0.5f);
    EXPECT_FLOAT_EQ(v[0].z, 0.8f - (y - r.Height + 9.0f + r.BodyBox.bottom) / 3840.0f);
}

TEST_F(MagicCircleTest, TiesDrawEnemiesFirstThenHigherSlotsAndAThirtyThirdIsNotDrawn)
{
    for (int m = 0; m < 3; ++m) {
        party().members[m].x = 100.0f;
        party().members[m].y = 200.0f;
    }
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 80, 0, false);
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 2, 80, 1, false);
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 0, 80, 2, false);
    EnemyRecord& r = enemies().Records[0];
    // The enemy's foot line equal to the members' (232).
    r.PosY = 232.0f - r.BodyBox.bottom;
    circles().UpdateMagicCircle();
    ASSERT_EQ(circles().DrawCount(), 3);
    EXPECT_EQ(circles().CircleInDrawOrder(0)->side, MAGIC_CIRCLE_SIDE_ENEMY);
    EXPECT_EQ(circles().CircleInDrawOrder(1)->slot, 2);
    EXPECT_EQ(circles().CircleInDrawOrder(2)->slot, 0);

    for (int i = 3; i < 33; ++i)
        circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 1, 80, 7, false);
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 1, 80, 5, false);
    Step(1);
    EXPECT_EQ(circles().DrawCount(), 32);
    EXPECT_EQ(circles().Circles().back().elapsed, 1) << "the 33rd still ages";
    EXPECT_TRUE(circles().HasMagicCircle(5, true)) << "and answers";
    EXPECT_FALSE(circles().HasMagicCircle(7, true));
    EXPECT_TRUE(circles().HasMagicCircleOfKind(7));
}

TEST_F(MagicCircleTest, TheLoopFollowsTheLiveCirclesAndKillingFadesThem)
{
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 1, 80, 0, false);
    Step(2);
    EXPECT_EQ(soundCalls, fakes::CallLog{"Play(27)"});
    circles().KillMagicCircles(MAGIC_CIRCLE_SIDE_PARTY, 0);
    EXPECT_FALSE(circles().Circles().front().dying) << "another owner";
    circles().KillMagicCircles(MAGIC_CIRCLE_SIDE_PARTY, 1);
    Step(3);
    circles().KillMagicCircles(MAGIC_CIRCLE_SIDE_PARTY, 1);
    EXPECT_EQ(circles().Circles().front().fadeCounter, 3) << "a dying circle keeps its count";
    EXPECT_EQ(soundCalls, (fakes::CallLog{"Play(27)", "FadeOut(27)"}));
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 1, 80, 0, false);
    circles().AnyMagicCircle();
    EXPECT_EQ(soundCalls.back(), "FadeIn(27)");
    circles().ClearMagicCircles();
    EXPECT_TRUE(DrawnTextureX().empty());
}

TEST_F(MagicCircleTest, PickingAnEnemyCircleNeedsMoreThanTheMarginLeft)
{
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, 0, 80, 0, false);
    circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 1, 30, 0, false);
    Step(10); // 20 frames left
    int slot = -7;
    EXPECT_FALSE(circles().PickMagicCircleSlot(slot, 18));
    EXPECT_EQ(slot, -7) << "left unchanged";
    EXPECT_TRUE(circles().PickMagicCircleSlot(slot, 17));
    EXPECT_EQ(slot, 1);
}

// Member 2 aims at an enemy circle unless its enemy cannot be hurt now and
// cannot take the circle's status either: an invulnerable kind and hardening
// hide a circle, a dash does not.
TEST_F(MagicCircleTest, ACircleIsPassedOverOnlyWhenItsEnemyIsInvulnerableAndClosedToItsStatus)
{
    EnemyKindDef invulnerableKind = *enemies().KindDefs[0];
    invulnerableKind.Invulnerable = 1;
    const EnemyKindDef* ownKind = enemies().KindDefs[0];
    const struct {
        const char* name;
        bool invulnerableKind, hardened, dashing, openToStatus;
        bool picked;
    } cases[] = {
        {"plain", false, false, false, false, true},
        {"invulnerable kind", true, false, false, false, false},
        {"hardened", false, true, false, false, false},
        {"dashing", false, false, true, false, true},
        {"hardened, open to the status", false, true, false, true, true},
        {"invulnerable kind, open to the status", true, false, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EnemyRecord& r = enemies().Records[0];
        enemies().KindDefs[0] = c.invulnerableKind ? &invulnerableKind : ownKind;
        r.Status.effectBits = c.hardened ? 1u << EFFECT_HARDENING : 0u;
        r.FlagsA = c.dashing ? r.FlagsA | FLAGS_A_DASHING : r.FlagsA & ~FLAGS_A_DASHING;
        r.ImmunityMask = c.openToStatus ? 0u : ~0u;
        ASSERT_EQ(CanEnemyTakeCircleStatus(0), c.openToStatus);
        circles().ClearMagicCircles();
        circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 0, 80, 0, false);
        int slot = -1;
        EXPECT_EQ(circles().PickMagicCircleSlot(slot, 0), c.picked);
        EXPECT_EQ(slot, c.picked ? 0 : -1);
    }
    enemies().KindDefs[0] = ownKind;
}

// Of two qualifying circles the one whose enemy is nearer the party wins,
// whichever was spawned first; at equal distance the first stays.
TEST_F(MagicCircleTest, TheNearerOfTwoEnemyCirclesIsPicked)
{
    // The party's centres all at (116, 216).
    for (int m = 0; m < 3; ++m) {
        party().SetMemberPosX(m, 100.0f);
        party().SetMemberPosY(m, 200.0f);
    }
    const auto centre = [&](int slot, float x, float y) {
        enemies().Records[slot].CenterX = x;
        enemies().Records[slot].CenterY = y;
    };
    centre(0, 516.0f, 416.0f);
    centre(1, 216.0f, 216.0f);
    for (const bool nearFirst : {false, true}) {
        SCOPED_TRACE(nearFirst);
        circles().ClearMagicCircles();
        circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, nearFirst ? 1 : 0, 80, 0, false);
        circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, nearFirst ? 0 : 1, 80, 0, false);
        int slot = -1;
        EXPECT_TRUE(circles().PickMagicCircleSlot(slot, 0));
        EXPECT_EQ(slot, 1);
    }
    // The same distance from the party, on either side of it.
    centre(0, 16.0f, 216.0f);
    for (const int first : {0, 1}) {
        SCOPED_TRACE(first);
        circles().ClearMagicCircles();
        circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, first, 80, 0, false);
        circles().SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, 1 - first, 80, 0, false);
        int slot = -1;
        EXPECT_TRUE(circles().PickMagicCircleSlot(slot, 0));
        EXPECT_EQ(slot, first);
    }
}

} // namespace
