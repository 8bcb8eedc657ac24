// What the enemies put on the device: sprites, markers, names, badges.
#include "EnemyActFixture.h"
#include "battle/BattleBackground.h"
#include "fakes/RecordingText.h"

namespace enemytest {
namespace {

class EnemyDrawTest : public EnemyActTest {
protected:
    void Drawn() { device.draws.clear(); }
};

TEST_F(EnemyDrawTest, TheSpriteIsAQuadOfItsFrameAtItsWholePixelPlaceWithItsAlpha)
{
    OneEnemy([](EnemyKind&) {}, 100.7f, 200.2f);
    rec().Alpha = 128;
    Drawn();
    group().DrawEnemyObject(0, 0.25f);
    ASSERT_EQ(device.draws.size(), 1u);
    const fakes::DrawnPrimitive& p = device.draws[0];
    EXPECT_EQ(p.vertex[0].x, 99.5f);
    EXPECT_EQ(p.vertex[0].y, 199.5f);
    EXPECT_EQ(p.vertex[3].x, 99.5f + rec().Width);
    EXPECT_EQ(p.vertex[3].y, 199.5f + rec().Height);
    EXPECT_EQ(p.vertex[2].z, 0.25f);
    EXPECT_EQ(p.vertex[1].colour, 0x80FFFFFFu);
    EXPECT_EQ(p.vertex[0].u, group().SpriteUv[0][0]);
    EXPECT_EQ(p.vertex[3].v, group().SpriteUv[0][3]);
    EXPECT_EQ(p.fvf, FVF_TEXTURED);

    rec().FlagsE |= FLAGS_E_UPSIDE_DOWN;
    rec().Alpha = 0;
    Drawn();
    group().DrawEnemyObject(0, 0.25f);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].vertex[0].v, group().SpriteUv[0][3]);
    EXPECT_EQ(device.draws[0].vertex[2].v, group().SpriteUv[0][1]);
    EXPECT_EQ(device.draws[0].vertex[0].colour >> 24, 0u) << "drawn, fully transparent";
}

TEST_F(EnemyDrawTest, MarkersAreLaidOutInOrderStatusMovementAction)
{
    struct Case {
        bool status, move, action;
        std::uint8_t shapes[3], rows[3];
    };
    const Case cases[] = {
        {true, false, false, {0, 0, 0}, {0, 0, 0}},
        {false, false, true, {0, 0, 0}, {0, 0, 0}},
        {true, false, true, {1, 0, 2}, {0, 0, 0}},
        {true, true, true, {1, 2, 0}, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        OneEnemy([&](EnemyKind& k) {
            k.actions = {Act(0, 0)};
            k.actions[0].IconId = c.action ? 3 : -1;
            k.actions[0].Length = 1000;
            k.moves = {Mv(0, 0)};
            k.moves[0].Shielded = c.move;
            k.moves[0].WithAction = 1;
        });
        Frames(1);
        if (c.status)
            rec().Status.effectBits |= 1u << 6;
        group().UpdateEnemyMarkers();
        const std::uint8_t flags = (c.status ? 1 : 0) | (c.move ? 2 : 0) | (c.action ? 4 : 0);
        EXPECT_EQ(group().MarkerFlags[0], flags);
        for (int m = 0; m < 3; ++m) {
            if (!(flags & (1 << m)))
                continue;
            EXPECT_EQ(group().MarkerShape[0][m], c.shapes[m]) << int(flags) << " marker " << m;
            EXPECT_EQ(group().MarkerRow[0][m], c.rows[m]) << int(flags) << " marker " << m;
        }
    }
}

TEST_F(EnemyDrawTest, TheActionMarkerShowsOnlyForAVisibleActingEnemy)
{
    OneEnemy([](EnemyKind& k) {
        k.actions = {Act(0, 0)};
        k.actions[0].IconId = 2;
        k.actions[0].IconRow = 1;
        k.actions[0].Length = 1000;
    });
    Frames(1);
    rec().FlagsC &= ~FLAGS_C_ATTACK_DONE;
    group().UpdateEnemyMarkers();
    Drawn();
    group().DrawEnemyMarkers();
    ASSERT_EQ(device.draws.size(), 1u);
    // Icon 2 of row 1 in the 128-px mark sheet; alone, centred 8 px left of the middle.
    EXPECT_FLOAT_EQ(device.draws[0].vertex[0].u, 32.0f / 128.0f);
    EXPECT_FLOAT_EQ(device.draws[0].vertex[0].v, 16.0f / 128.0f);
    EXPECT_EQ(device.draws[0].vertex[0].x, 300.0f + rec().Width / 2 - 8.0f - 0.5f);
    rec().Alpha = 0;
    Drawn();
    group().DrawEnemyMarkers();
    EXPECT_TRUE(device.draws.empty());
}

TEST_F(EnemyDrawTest, NamesAreNotDrawnForDefeatedEnemies)
{
    world.Keep(TheBattleBackground, &parts->background);
    OneEnemy([](EnemyKind&) {});
    AddEnemy(1, 100, 100);
    group().Records[1].State = ENEMY_DEFEATED;
    group().Records[1].FlagsA |= FLAGS_A_DEFEATED;
    static fakes::RecordingText labels;
    labels.drawn.clear();
    world.Keep(CreateTextTextureProc, []() -> Zeph::CTextTexture* { return &labels; });
    effect.InitBattleEffect();
    group().DrawEnemyNames();
    effect.ReleaseBattleEffect();
    ASSERT_EQ(labels.drawn.size(), 1u) << "only the standing enemy's name";
    EXPECT_EQ(labels.drawn[0].text, std::u16string(group().KindDefs[0]->Name, group().KindDefs[0]->NameLength));
}

TEST_F(EnemyDrawTest, TheDropBadgeFallsFromTheCentreAndGoesAfter120Frames)
{
    OneEnemy([](EnemyKind&) {});
    rec().DropShown = true;
    rec().DropFallLimit = 10.0f;
    Frames(3);
    EXPECT_FLOAT_EQ(rec().DropFall, 4.5f);
    Frames(10);
    EXPECT_FLOAT_EQ(rec().DropFall, 10.0f);
    Drawn();
    group().DrawEnemyObject(0, 0.3f);
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[1].vertex[0].x, rec().CenterX - 12.0f - 0.5f);
    EXPECT_EQ(device.draws[1].vertex[0].y, rec().CenterY - 12.0f + 10.0f - 0.5f);
    Frames(107);
    EXPECT_FALSE(rec().DropShown);
}

} // namespace
} // namespace enemytest
