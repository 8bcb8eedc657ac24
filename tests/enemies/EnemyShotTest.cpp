// The enemy shot list: creation, the frame loop, removal and the queries.
#include <bit>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "party/PartyWords.h"

namespace enemytest {
namespace {

class EnemyShotTest : public EnemyActTest {
protected:
    static EnemyShotSpec Spec(float x = 200, float y = 200)
    {
        EnemyShotSpec s{};
        s.x = x;
        s.y = y;
        s.lifeMin = s.lifeMax = 1000;
        s.aimKind = 22; // keeps its heading
        return s;
    }
    void Update(int frames)
    {
        for (int i = 0; i < frames; ++i)
            shots().UpdateEnemyShot();
    }
};

TEST_F(EnemyShotTest, LifeIsTheMinimumPlus16OrARandomPointOfTheRangePlus16)
{
    EnemyShotSpec s = Spec();
    s.lifeMin = 240;
    s.lifeMax = 280;
    int lowest = 1000, highest = 0;
    for (int i = 0; i < 400; ++i) {
        const int life = shots().CreateEnemyShot(s)->Life;
        lowest = std::min(lowest, life);
        highest = std::max(highest, life);
    }
    EXPECT_GE(lowest, 256);
    EXPECT_LE(highest, 295);
    EXPECT_LT(lowest, 260);
    EXPECT_GT(highest, 290);
    s.lifeMax = 240;
    EXPECT_EQ(shots().CreateEnemyShot(s)->Life, 256);
    s.lifeMax = 100;
    EXPECT_EQ(shots().CreateEnemyShot(s)->Life, 256);
}

TEST_F(EnemyShotTest, CreationCapsTheAttackMasksFieldsAndPicksTheSheetCell)
{
    EnemyShotSpec s = Spec();
    s.attack = 1500000;
    s.motion = 64 + 3; // masked to 6 bits
    s.hits = 9;        // masked to 3 bits
    s.magic = true;
    s.element = 3;
    s.erasable = false;
    const EnemyShotNode* n = shots().CreateEnemyShot(s);
    EXPECT_EQ(n->Attack(), 999999);
    EXPECT_EQ(eshot::Motion::Get(n->BitsA), 3u);
    EXPECT_EQ(eshot::Hits::Get(n->BitsA), 1u);
    // Sheet 128 × 32: magic shots by element column, row 1 when not erasable.
    EXPECT_FLOAT_EQ(n->U[0], 48.0f / 128.0f);
    EXPECT_FLOAT_EQ(n->V[0], 16.0f / 32.0f);
    s.magic = false;
    s.erasable = true;
    n = shots().CreateEnemyShot(s);
    EXPECT_FLOAT_EQ(n->U[0], 96.0f / 128.0f);
    EXPECT_FLOAT_EQ(n->V[0], 0.0f);
}

TEST_F(EnemyShotTest, TheOwnersStatusStrengthensOrWeakensTheShot)
{
    struct Case {
        std::uint32_t effects;
        int level;
        float power;
    };
    const Case cases[] = {{0, 0, 10.0f},
                          {1u << 0, 0, 12.0f},
                          {1u << 0, 3, 40.0f},
                          {1u << 5, 0, 9.000001f},
                          {1u << 12, 0, 8.5f},
                          {1u << 13, 0, 7.5f},
                          {(1u << 0) | (1u << 13), 1, 11.25f}};
    for (const Case& c : cases) {
        EnemyRecord owner{};
        owner.Status.effectBits = c.effects;
        ::AttackUpLevel::Set(owner.Status.boostLevels, static_cast<std::uint32_t>(c.level));
        EnemyShotSpec s = Spec();
        s.power = 10.0f;
        s.owner = &owner;
        EXPECT_FLOAT_EQ(GetEffectiveShotPower(*shots().CreateEnemyShot(s)), c.power) << c.effects;
    }
}

TEST_F(EnemyShotTest, AWaitingShotIsHiddenUntilItsAgeReachesZeroThenSoundsAndStarts)
{
    EnemyShotSpec s = Spec();
    s.startAge = -30;
    s.speed = 2.0f;
    EnemyShotNode* n = shots().CreateEnemyShot(s);
    EXPECT_FALSE(eshot::Visible::IsSet(n->BitsA));
    Update(30);
    EXPECT_FALSE(eshot::Visible::IsSet(n->BitsA));
    EXPECT_EQ(n->Y, 200.0f);
    EXPECT_EQ(Played(33), 0);
    Update(1);
    EXPECT_TRUE(eshot::Visible::IsSet(n->BitsA));
    EXPECT_EQ(n->Y, 202.0f);
    EXPECT_EQ(Played(33), 1);

    s.childRow = ENEMY_SHOT_SILENT_ROW;
    s.startAge = 0;
    shots().CreateEnemyShot(s);
    player.CountPlaySEFrame();
    Update(1);
    EXPECT_EQ(Played(33), 1) << "that child row starts silently";
}

TEST_F(EnemyShotTest, TheActionRunsEveryPeriodOrOnlyAtTheFirstWithOnce)
{
    for (bool once : {false, true}) {
        EnemyShotSpec s = Spec();
        s.period = 60;
        s.once = once;
        s.chance = 100; // the action roll always passes
        EnemyShotNode* n = shots().CreateEnemyShot(s);
        Update(61);
        EXPECT_EQ(eshot::ActionCount::Get(n->BitsD), 1u);
        Update(120);
        EXPECT_EQ(eshot::ActionCount::Get(n->BitsD), once ? 1u : 3u);
    }
}

TEST_F(EnemyShotTest, ShotsFarPastTheScreenAreRemovedBeforeTheirLifeEnds)
{
    struct Case {
        float x, y, angle;
    };
    const Case cases[] = {
        {200, 715, 0.0f}, {200, -250, -BATTLE_PI}, {875, 200, BATTLE_PI / 2}, {-250, 200, -BATTLE_PI / 2}};
    for (const Case& c : cases) {
        EnemyShotSpec s = Spec(c.x, c.y);
        s.speed = 10.0f;
        s.angle = c.angle;
        shots().CreateEnemyShot(s);
        Update(1);
        EXPECT_EQ(shots().CountEnemyShots(), 0) << c.x << ", " << c.y;
        shots().ClearEnemyShots();
    }
    EnemyShotSpec s = Spec(200, 700);
    s.speed = 10.0f;
    shots().CreateEnemyShot(s);
    Update(1);
    EXPECT_EQ(shots().CountEnemyShots(), 1) << "y 710 is still within 240 of the screen";
}

TEST_F(EnemyShotTest, TheLast16FramesEndAndTheLast32Fade)
{
    EnemyShotSpec s = Spec();
    s.lifeMin = s.lifeMax = 84; // life 100
    EnemyShotNode* n = shots().CreateEnemyShot(s);
    Update(68);
    EXPECT_EQ(n->Age, 68);
    shots().DrawEnemyShotSprite(n, 0.5f);
    EXPECT_EQ(shots().Quad[0].colour >> 24, 255u);
    Update(1);
    shots().DrawEnemyShotSprite(n, 0.5f);
    EXPECT_EQ(shots().Quad[0].colour >> 24, 255u - 8u);
    EXPECT_EQ(device.draws.size(), 2u);
    Update(14);
    EXPECT_FALSE(eshot::Ending::IsSet(n->BitsB));
    Update(1);
    EXPECT_TRUE(eshot::Ending::IsSet(n->BitsB));
    shots().SetShotFade(100);
    shots().DrawEnemyShotSprite(n, 0.5f);
    EXPECT_EQ(shots().Quad[0].colour >> 24, 100u);
    Update(15);
    EXPECT_EQ(shots().CountEnemyShots(), 1);
    Update(1);
    EXPECT_EQ(shots().CountEnemyShots(), 0);
}

TEST_F(EnemyShotTest, RemovalKeepsTheLinksFromEitherEndAndWaitingShotsOfAnOwnerGo)
{
    EnemyShotNode* nodes[5];
    for (int i = 0; i < 5; ++i) {
        EnemyShotSpec s = Spec();
        s.ownerSlot = i < 3 ? 1 : 2;
        s.startAge = i == 1 ? -10 : 0;
        s.magic = i == 2;
        if (i == 2)
            s.startAge = -5;
        nodes[i] = shots().CreateEnemyShot(s);
    }
    shots().RemoveEnemyShotsOfOwner(1);
    ASSERT_EQ(shots().CountEnemyShots(), 4) << "only the waiting plain shot of owner 1 goes";
    shots().RemoveEnemyShot(nodes[0]);
    shots().RemoveEnemyShot(nodes[4]);
    EXPECT_EQ(shots().ShotHead, nodes[2]);
    EXPECT_EQ(shots().ShotTail, nodes[3]);
    EXPECT_EQ(nodes[2]->Next, nodes[3]);
    EXPECT_EQ(nodes[3]->Prev, nodes[2]);
    EXPECT_EQ(shots().ShotHead->Prev, nullptr);
    EXPECT_EQ(shots().ShotTail->Next, nullptr);
    EXPECT_TRUE(shots().HasEnemyShotOfOwner(2));
    EXPECT_FALSE(shots().HasEnemyShotOfOwner(0));
}

TEST_F(EnemyShotTest, ShotsRemovedDuringAWalkLeaveTheListWhole)
{
    EnemyShotNode* nodes[6];
    for (int i = 0; i < 6; ++i) {
        // Shots 0, 2, 3 and 5 are far off the screen and go in the first frame.
        const bool gone = i == 0 || i == 2 || i == 3 || i == 5;
        nodes[i] = shots().CreateEnemyShot(Spec(200, gone ? 900.0f : 200.0f));
    }
    Update(1);
    ASSERT_EQ(shots().CountEnemyShots(), 2);
    EXPECT_EQ(shots().ShotHead, nodes[1]);
    EXPECT_EQ(shots().ShotTail, nodes[4]);
    EXPECT_EQ(nodes[1]->Next, nodes[4]);
    EXPECT_EQ(nodes[4]->Prev, nodes[1]);

    for (int i = 0; i < 3; ++i) {
        EnemyShotSpec s = Spec();
        s.ownerSlot = 5;
        s.startAge = -1;
        shots().CreateEnemyShot(s);
    }
    shots().RemoveEnemyShotsOfOwner(5);
    EXPECT_EQ(shots().CountEnemyShots(), 2);
    EXPECT_EQ(shots().ShotTail, nodes[4]);
    EXPECT_EQ(nodes[4]->Next, nullptr);
}

TEST_F(EnemyShotTest, OwnerQueriesMatchTheElementOnlyForMagicShots)
{
    EnemyShotSpec s = Spec();
    s.ownerSlot = 3;
    s.magic = true;
    s.element = 2;
    s.targetMode = 4;
    shots().CreateEnemyShot(s);
    EXPECT_TRUE(shots().HasEnemyShotOfOwnerTarget(3, 2, true));
    EXPECT_FALSE(shots().HasEnemyShotOfOwnerTarget(3, 1, true));
    EXPECT_FALSE(shots().HasEnemyShotOfOwnerTarget(3, 2, false));
    int member = -1;
    EXPECT_TRUE(shots().FindEnemyShotAim(member, 3, 2, true));
    EXPECT_EQ(member, 1);
    EXPECT_FALSE(shots().FindEnemyShotAim(member, 4, 2, true));
}

TEST_F(EnemyShotTest, ShorteningEndsMatchingShotsOnTheNextFrame)
{
    EnemyShotSpec s = Spec();
    s.ownerSlot = 1;
    s.period = 10;
    s.action = 5;
    EnemyShotNode* hit = shots().CreateEnemyShot(s);
    s.ownerSlot = 2;
    EnemyShotNode* other = shots().CreateEnemyShot(s);
    Update(3);
    shots().ShortenEnemyShots(1, 0, false, 0, true);
    EXPECT_EQ(hit->Life, hit->Age + 17);
    EXPECT_EQ(hit->Period, 0);
    EXPECT_EQ(eshot::Action::Get(hit->BitsA), 0u);
    EXPECT_EQ(other->Life, 1016);
    Update(1);
    EXPECT_TRUE(eshot::Ending::IsSet(hit->BitsB));
}

TEST_F(EnemyShotTest, OnlyStillStartedShotsOfSolidMotionsBlockThePartysMovement)
{
    struct Case {
        int motion, age;
        float velX;
        bool ignores;
    };
    const Case cases[] = {{0, 1, 0, false}, {15, 5, 0, false},  {2, 5, 0, true},
                          {0, 0, 0, true},  {0, 5, 0.5f, true}, {13, 5, 0, false}};
    for (const Case& c : cases) {
        EnemyShotNode n{};
        eshot::Motion::Set(n.BitsA, static_cast<std::uint32_t>(c.motion));
        n.Age = c.age;
        n.VelX = c.velX;
        EXPECT_EQ(ShotIgnoresTouch(n), c.ignores) << c.motion << " " << c.age;
    }
}

TEST_F(EnemyShotTest, TheFieldClampKeepsTheSpriteOnePixelInsideTheFarEdges)
{
    float x = -5, y = 470;
    ClampToBattleField(x, y);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 463.0f);
    x = 630, y = 10;
    ClampToBattleField(x, y);
    EXPECT_EQ(x, 623.0f);
    EXPECT_EQ(y, 80.0f);
}

// The rolls succeed when the generator gives a value below rate × 327670 / 100.
TEST_F(EnemyShotTest, AilmentMasksOfEveryKind)
{
    const std::uint32_t fixed[16] = {4128,   192,  2304,   262656, 69632, 16896, 66560, 94688,
                                     491488, 8320, 491488, 524256, 16640, 6144,  8736,  12288};
    for (int kind = -1; kind <= 31; ++kind) {
        SCOPED_TRACE(kind);
        std::uint32_t all = 0;
        if (kind >= 1 && kind <= 14)
            all = 1u << (kind + 4);
        else if (kind >= 15 && kind <= 30)
            all = fixed[kind - 15];
        const std::uint32_t seed = 99;
        // Everything with `all` when every roll succeeds; nothing when none can.
        SeedGameRandom(seed);
        if (kind < 1 || kind > 14) {
            EXPECT_EQ(GetShotKindMask(kind, 0, true), all);
        }
        EXPECT_EQ(GetShotKindMask(kind, 0, false), 0u);
        // Without `all`, the picking kinds give one bit of theirs, the others a subset.
        SeedGameRandom(seed);
        const std::uint32_t some = GetShotKindMask(kind, 7, false);
        EXPECT_EQ(some & ~all, 0u);
        if (kind == 22 || kind == 25 || kind == 26 || kind == 29) {
            EXPECT_LE(std::popcount(some), 1);
        }
    }
}

TEST_F(EnemyShotTest, ScriptedRollsDecideEachAilment)
{
    // Kind 1 (bit 5): one roll against 3 × 327670 / 100 = 9830.
    for (std::uint32_t n = 1; n <= 20; ++n) {
        const std::uint32_t seed = n * 2654435761u;
        const bool succeeds = PeekRandom(seed) < 9830;
        EXPECT_EQ(GetShotKindMask(1, 3, false), succeeds ? 32u : 0u) << seed;
        // Kind 16 (bits 6 and 7): a roll for each bit, lowest first.
        const int first = PeekRandom(seed);
        const int second = PeekRandom(seed, 1);
        const std::uint32_t expected = (first < 9830 ? 64u : 0u) | (second < 9830 ? 128u : 0u);
        EXPECT_EQ(GetShotKindMask(16, 3, false), expected) << seed;
        // Kind 29 picks one of three and rolls for it.
        const std::uint32_t choices[3] = {32, 512, 8192};
        const std::uint32_t pick = choices[PeekRandom(seed) * 3 >> 15];
        const bool kept = PeekRandom(seed, 1) < 9830;
        EXPECT_EQ(GetShotKindMask(29, 3, false), kept ? pick : 0u) << seed;
        // Kind 25 never gives bit 15.
        EXPECT_EQ(GetShotKindMask(25, 10, false) & (1u << 15), 0u);
    }
}

} // namespace
} // namespace enemytest
