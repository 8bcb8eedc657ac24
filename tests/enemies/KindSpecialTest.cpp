// The kinds' periodic specials: what each fires, by HP, stage and variant.
#include <set>

#include "KindFixture.h"
#include "enemies/ShotSpawn.h"

namespace enemytest {
namespace {

class KindSpecialTest : public KindFixture {};

// x-velocity and y-velocity signs of a heading (0 down, π/2 right).
int SignX(float angle)
{
    const float s = std::sin(angle);
    return s > 1e-4f ? 1 : s < -1e-4f ? -1 : 0;
}
int SignY(float angle)
{
    const float c = std::cos(angle);
    return c > 1e-4f ? 1 : c < -1e-4f ? -1 : 0;
}

TEST_F(KindSpecialTest, Kind50FiresMoreDistinctDiagonalsAsItsHpFalls)
{
    const struct {
        int hp, shots;
    } cases[] = {{100, 1}, {75, 1}, {74, 2}, {50, 2}, {49, 3}, {25, 3}, {24, 4}, {0, 4}};
    const std::set<int> diagonals = {-3, -1, 1, 3}; // in eighths of a turn
    for (const auto& c : cases) {
        for (std::uint32_t seed : {3u, 99u}) {
            SCOPED_TRACE(testing::Message() << "hp " << c.hp << " seed " << seed);
            SeedGameRandom(seed);
            One(50);
            SetHpPercent(0, c.hp);
            ExecuteEnemyKindSpecial(group(), 0);
            std::set<int> seen;
            for (const EnemyShotNode* s : Shots()) {
                const int eighths = static_cast<int>(std::lround(s->Angle / (BATTLE_PI / 4.0f)));
                EXPECT_TRUE(diagonals.count(eighths)) << s->Angle;
                seen.insert(eighths);
                EXPECT_EQ(eshot::AimKind::Get(s->BitsA), 13u);
                EXPECT_EQ(eshot::Hits::Get(s->BitsA), 2u);
                EXPECT_GE(s->Life, 1000 + ENEMY_SHOT_ENDING_FRAMES);
            }
            EXPECT_EQ(static_cast<int>(Shots().size()), c.shots);
            EXPECT_EQ(static_cast<int>(seen.size()), c.shots) << "no diagonal twice";
        }
    }
}

TEST_F(KindSpecialTest, Kind20TurnsItsShotAnEighthEachTimeAndWrapsAfterEight)
{
    One(20);
    for (int i = 0; i < 9; ++i)
        ExecuteEnemyKindSpecial(group(), 0);
    const auto all = Shots();
    ASSERT_EQ(all.size(), 9u);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(Near(all[i]->Angle, i * BATTLE_PI / 4.0f - BATTLE_PI)) << i;
    EXPECT_TRUE(Near(all[7]->Angle, 3.0f * BATTLE_PI / 4.0f));
    EXPECT_TRUE(Near(all[8]->Angle, -BATTLE_PI));
    EXPECT_EQ(eshot::OwnerSlot::Get(all[0]->BitsB), 0u);
    // Erasable only while it has half its HP or more.
    for (const auto& [hp, erasable] : {std::pair{50, true}, std::pair{49, false}}) {
        shots().ClearEnemyShots();
        SetHpPercent(0, hp);
        ExecuteEnemyKindSpecial(group(), 0);
        ASSERT_EQ(Shots().size(), 1u);
        EXPECT_EQ(eshot::Erasable::IsSet(Shots()[0]->BitsB), erasable) << hp;
    }
}

TEST_F(KindSpecialTest, RainFromTheTopGrowsWithTheStageAndKeepsEachShotInItsColumn)
{
    const struct {
        int kind, stage, shots;
        float speed, scale;
    } cases[] = {
        {78, 0, 0, 0, 0},        {78, 1, 2, 3.0f, 1.0f},  {78, 2, 4, 3.0f, 1.0f},  {78, 3, 6, 4.0f, 1.25f},
        {78, 4, 8, 4.0f, 1.25f}, {78, 5, 10, 0.0f, 1.0f}, {110, 2, 4, 2.5f, 1.0f}, {110, 4, 8, 3.5f, 1.1f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " stage " << c.stage);
        One(c.kind);
        SetStage(0, c.stage);
        ExecuteEnemyKindSpecial(group(), 0);
        const auto all = Shots();
        ASSERT_EQ(static_cast<int>(all.size()), c.shots);
        for (int i = 0; i < c.shots; ++i) {
            const float column = (FIELD_RIGHT - 16.0f) / c.shots;
            EXPECT_FLOAT_EQ(all[i]->Y, SHOT_EDGE_TOP_Y);
            EXPECT_GE(all[i]->X, column * i);
            EXPECT_LT(all[i]->X, column * (i + 1));
            EXPECT_FLOAT_EQ(all[i]->Speed, c.speed);
            EXPECT_FLOAT_EQ(all[i]->Power, c.scale);
            EXPECT_EQ(all[i]->Attack(), record(0).AttackB);
            EXPECT_TRUE(eshot::Magic::IsSet(all[i]->BitsD));
        }
    }
}

TEST_F(KindSpecialTest, EdgeShotsLineUpWithTheNearestMemberAndBurstFromTheSecondStage)
{
    for (int stage : {0, 1, 2, 3}) {
        SCOPED_TRACE(stage);
        One(102, 300, 200); // member 1 (top-left 300, 420) is nearest
        SetStage(0, stage);
        ExecuteEnemyKindSpecial(group(), 0);
        const auto all = Shots();
        if (stage == 0) {
            EXPECT_TRUE(all.empty());
            continue;
        }
        ASSERT_EQ(all.size(), 4u);
        const float expected[4][3] = {{308, SHOT_EDGE_TOP_Y, 0.0f},
                                      {308, SHOT_EDGE_BOTTOM_Y, -BATTLE_PI},
                                      {SHOT_EDGE_LEFT_X, 428, BATTLE_PI / 2.0f},
                                      {SHOT_EDGE_RIGHT_X, 428, -BATTLE_PI / 2.0f}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(all[i]->X, expected[i][0]) << i;
            EXPECT_FLOAT_EQ(all[i]->Y, expected[i][1]) << i;
            EXPECT_TRUE(Near(all[i]->Angle, expected[i][2])) << i;
            EXPECT_FLOAT_EQ(all[i]->Power, stage >= 2 ? 1.25f : 1.0f);
            EXPECT_EQ(all[i]->Period, stage >= 2 ? 80 : 0);
            EXPECT_EQ(eshot::ChildCount::Get(all[i]->BitsB), stage >= 2 ? 4u : 0u);
            EXPECT_EQ(eshot::Action::Get(all[i]->BitsA), stage >= 2 ? 30u : 0u);
        }
    }
}

TEST_F(KindSpecialTest, Kind183FiresEachVariantWithAndWithoutAStage)
{
    struct Case {
        int variant;
        bool staged;
        int shots;
        std::function<void(int, const EnemyShotNode&)> check;
    };
    const Case cases[] = {
        {0, false, 4,
         [](int i, const EnemyShotNode& s) {
             // From each corner into the field, one after another.
             EXPECT_EQ(SignX(s.Angle), i % 2 == 0 ? 1 : -1);
             EXPECT_EQ(SignY(s.Angle), i < 2 ? 1 : -1);
             EXPECT_EQ(s.Age, -75 * i);
             EXPECT_EQ(eshot::Motion::Get(s.BitsA), 0u);
         }},
        {0, true, 4,
         [](int, const EnemyShotNode& s) {
             EXPECT_EQ(eshot::Motion::Get(s.BitsA), 6u);
             EXPECT_EQ(eshot::TargetMode::Get(s.BitsB), 1u);
             EXPECT_FLOAT_EQ(s.Turn, 0.0125f);
         }},
        {1, false, 8,
         [](int i, const EnemyShotNode& s) {
             EXPECT_FLOAT_EQ(s.Y, SHOT_EDGE_TOP_Y);
             EXPECT_FLOAT_EQ(s.Speed, 4.5f);
             EXPECT_EQ(s.Age, -75 * (i / 2));
         }},
        {1, true, 16,
         [](int i, const EnemyShotNode& s) {
             EXPECT_FLOAT_EQ(s.Speed, 6.0f);
             EXPECT_EQ(s.Age, -75 * (i / 4));
             EXPECT_EQ(eshot::Spread::Get(s.BitsC), 2u);
         }},
        {2, false, 5,
         [](int, const EnemyShotNode& s) {
             EXPECT_FLOAT_EQ(s.X, SHOT_EDGE_LEFT_X);
             EXPECT_FLOAT_EQ(s.Angle, 0.8208f);
         }},
        {2, true, 10,
         [](int i, const EnemyShotNode& s) {
             EXPECT_FLOAT_EQ(s.X, i % 2 == 0 ? SHOT_EDGE_LEFT_X : SHOT_EDGE_RIGHT_X);
             EXPECT_FLOAT_EQ(s.Turn, i % 2 == 0 ? 0.046875f : -0.046875f);
         }},
        {3, false, 5,
         [](int i, const EnemyShotNode& s) {
             EXPECT_FLOAT_EQ(s.Y, SHOT_EDGE_BOTTOM_Y);
             EXPECT_TRUE(Near(s.Angle, -BATTLE_PI));
             EXPECT_TRUE(s.Speed == 6.2216f || s.Speed == 5.3502f || s.Speed == 4.3925f) << s.Speed;
             EXPECT_GE(s.X, 124.8f * i);
             EXPECT_LT(s.X, 124.8f * (i + 1));
             EXPECT_EQ(s.Age, -60 * i);
         }},
        {3, true, 10, [](int i, const EnemyShotNode& s) { EXPECT_EQ(s.Age, -60 * (i / 2)); }},
        {4, false, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << (c.staged ? " staged" : ""));
        One(183);
        rec().KindBytes[1] = static_cast<std::uint8_t>(c.variant);
        SetStage(0, c.staged ? 1 : 0);
        ExecuteEnemyKindSpecial(group(), 0);
        const auto all = Shots();
        ASSERT_EQ(static_cast<int>(all.size()), c.shots);
        for (int i = 0; i < c.shots; ++i) {
            EXPECT_FLOAT_EQ(all[i]->Power, c.staged ? 1.25f : 1.0f);
            EXPECT_EQ(all[i]->Attack(), record(0).AttackB);
            c.check(i, *all[i]);
        }
    }
}

TEST_F(KindSpecialTest, Kind162BurstsBySizeAndSpreadOfItsHpBand)
{
    const struct {
        int hp, least, most;
        float spread;
    } cases[] = {{100, 3, 6, 0.654f},
                 {67, 3, 6, 0.654f},
                 {66, 5, 10, 0.720f},
                 {34, 5, 10, 0.720f},
                 {33, 10, 14, BATTLE_PI / 4.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hp);
        int low = 99;
        int high = 0;
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            SeedGameRandom(seed);
            One(162);
            SetHpPercent(0, c.hp);
            ExecuteEnemyKindSpecial(group(), 0);
            const int n = static_cast<int>(Shots().size());
            low = std::min(low, n);
            high = std::max(high, n);
            for (const EnemyShotNode* s : Shots()) {
                EXPECT_LE(std::fabs(s->Angle), c.spread + 1e-4f);
                EXPECT_GT(s->Speed, 0.0f);
            }
        }
        EXPECT_EQ(low, c.least);
        EXPECT_EQ(high, c.most);
    }
}

TEST_F(KindSpecialTest, Kind162AboveTheTopLineThrowsAtNoSpeedRatherThanANan)
{
    One(162, 300, 0);
    group().Records[0].CenterY = 20.0f;
    ExecuteEnemyKindSpecial(group(), 0);
    ASSERT_FALSE(Shots().empty());
    for (const EnemyShotNode* s : Shots())
        EXPECT_EQ(s->Speed, 0.0f);
}

TEST_F(KindSpecialTest, Kind111FiresOppositePairsThatChaseOnlyInItsHpBands)
{
    const struct {
        int hp;
        bool chases;
    } cases[] = {{100, false}, {99, true}, {67, true}, {66, false}, {34, false}, {33, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hp);
        One(111);
        SetHpPercent(0, c.hp);
        for (int step = 0; step < 5; ++step) {
            shots().ClearEnemyShots();
            ExecuteEnemyKindSpecial(group(), 0);
            const auto all = Shots();
            ASSERT_EQ(all.size(), 2u);
            const float first = (step % 4) * BATTLE_PI / 4.0f - BATTLE_PI;
            EXPECT_TRUE(Near(all[0]->Angle, first)) << step;
            EXPECT_TRUE(Near(all[1]->Angle, first + BATTLE_PI)) << step;
            EXPECT_EQ(all[0]->Period, c.chases ? 60 : 0);
            EXPECT_EQ(eshot::TargetMode::Get(all[0]->BitsB) >= 3, c.chases);
            EXPECT_EQ(eshot::Chance::Get(all[0]->BitsB), c.chases ? 33u : 0u);
        }
    }
}

TEST_F(KindSpecialTest, Kind171HurriesItsShotWhenItStandsOnThePartysCentre)
{
    // The members' centres average to (316, 423).
    const struct {
        float x, y;
        float speed;
        bool erasable;
    } cases[] = {{301, 408, 5.0f, false},
                 {316, 423, 5.0f, false},
                 {300, 407, 2.0f, true}, // 16 px is not within
                 {340, 423, 2.0f, true},
                 {300, 200, 2.0f, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        One(171);
        group().SetEnemyPosition(0, c.x - record(0).Width / 2.0f, c.y - record(0).Height / 2.0f);
        ExecuteEnemyKindSpecial(group(), 0);
        ASSERT_EQ(Shots().size(), 1u);
        EXPECT_FLOAT_EQ(Shots()[0]->Speed, c.speed);
        EXPECT_EQ(eshot::Erasable::IsSet(Shots()[0]->BitsB), c.erasable);
    }
}

TEST_F(KindSpecialTest, SingleShotAndCrossKindsFireTheirRows)
{
    const struct {
        int kind, shots, aim, ailment, life;
        bool erasable;
    } cases[] = {
        {42, 4, 23, 1, -1, true},
        {81, 4, 23, 13, -1, true},
        {99, 1, 22, 4, 600, true},
        {166, 2, 14, 12, 720, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        One(c.kind);
        ExecuteEnemyKindSpecial(group(), 0);
        const auto all = Shots();
        ASSERT_EQ(static_cast<int>(all.size()), c.shots);
        for (const EnemyShotNode* s : all) {
            EXPECT_EQ(eshot::AimKind::Get(s->BitsA), static_cast<std::uint32_t>(c.aim));
            EXPECT_EQ(eshot::Ailment::Get(s->BitsC), static_cast<std::uint32_t>(c.ailment));
            EXPECT_EQ(eshot::Erasable::IsSet(s->BitsB), c.erasable);
            if (c.life >= 0) {
                EXPECT_EQ(s->Life, c.life + ENEMY_SHOT_ENDING_FRAMES);
            }
            EXPECT_FLOAT_EQ(s->X, record(0).CenterX - 8.0f);
            EXPECT_EQ(s->Attack(), record(0).Attack);
        }
        if (c.shots == 4) {
            // A cross: a quarter turn between neighbours, all turned by the same offset.
            for (int i = 1; i < 4; ++i)
                EXPECT_TRUE(Near(all[i]->Angle - all[i - 1]->Angle, BATTLE_PI / 2.0f)) << i;
        }
    }
}

TEST_F(KindSpecialTest, Kind94TogglesItsPhaseAboutHalfTheTime)
{
    One(94);
    int toggles = 0;
    for (int i = 0; i < 200; ++i) {
        const int before = KindField(rec(), FLAGS_E_KIND_PHASE);
        ExecuteEnemyKindSpecial(group(), 0);
        const int after = KindField(rec(), FLAGS_E_KIND_PHASE);
        EXPECT_EQ(after & ~1, before & ~1) << "only bit 0 changes";
        toggles += after != before;
    }
    EXPECT_GT(toggles, 60);
    EXPECT_LT(toggles, 140);
    EXPECT_TRUE(Shots().empty());
}

TEST_F(KindSpecialTest, KindsWithoutAShotSpecialFireNothing)
{
    for (int kind : {0, 30, 114, 115, 193}) {
        SCOPED_TRACE(kind);
        One(kind);
        ExecuteEnemyKindSpecial(group(), 0);
        EXPECT_TRUE(Shots().empty());
    }
}

} // namespace
} // namespace enemytest
