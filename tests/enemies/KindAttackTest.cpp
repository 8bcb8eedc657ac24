// The kinds' own attacks: the stock drain with its burst and ring, the
// attack cases by family, the pattern and volley-count hooks and the
// shielding kind's damage factor.
#include <cmath>
#include <functional>
#include <vector>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "core/Random.h"
#include "enemies/EnemySteering.h"
#include "enemies/ShotPatternAngles.h"
#include "enemies/kinds/KindHooks.h"
#include "enemies/kinds/KindShotHooks.h"
#include "party/StatusEffects.h"

namespace enemytest {
namespace {

constexpr int kDrainType = 39;
constexpr int kKindAttackType = 37;
constexpr int kStock = 2;

class KindAttackTest : public EnemyActTest {
protected:
    // Slot 0 becomes the one enemy of kind `kind`: the stub kind's picture and
    // stats, no periodic special or creation switches unless `change` sets
    // them. The kinds are loaded afresh, so this comes first.
    void KindEnemy(int kind, const std::function<void(EnemyKind&)>& change, float x = 300, float y = 200)
    {
        kindList = sampledata::SampleEnemyKinds();
        EnemyKind k = kindList[kKind];
        k.def.FirstActionDelay = 0;
        k.def.FirstMoveDelay = 0;
        k.def.TurnChance = 0;
        k.def.PeriodicSpecial = 0;
        k.def.CreationHook = 0;
        k.moves.clear();
        k.actions.clear();
        change(k);
        k.def.MoveCount = static_cast<std::int32_t>(k.moves.size());
        k.def.ActionCount = static_cast<std::int32_t>(k.actions.size());
        kindList[kind] = k;
        FreeEnemyKinds();
        LoadKinds(kindList);
        shots().ClearEnemyShots();
        group().Records[0] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(0, kind, x, y, false, false, 3));
        group().SetEnemyCount(1);
    }

    // Another enemy, of a kind as loaded, in `slot` at (x, y).
    void OtherEnemy(int slot, int kind, float x, float y)
    {
        group().Records[slot] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(slot, kind, x, y, false, false, 3));
        group().SetEnemyCount(std::max(group().EnemyCount(), slot + 1));
    }

    // Action `index` of slot `slot` runs from its first frame.
    void Start(int slot, int index)
    {
        EnemyRecord& r = group().Records[slot];
        r.State = ENEMY_NORMAL;
        r.FlagsA |= FLAGS_A_ACTION_RUNNING;
        SetBits(r.FlagsA, FLAGS_A_ACTION_INDEX, 5, static_cast<std::uint32_t>(index));
        r.ActionType = static_cast<std::uint16_t>(group().ActionDefs[slot][index].ActionType);
        r.ActionDelay = 0;
        r.ActionWait = 0;
        r.ActionFrame = 0;
        r.Alpha = 255;
        r.RepeatsLeft = static_cast<std::uint16_t>(group().ActionDefs[slot][index].Repeats);
        r.FlagsC &= ~FLAGS_C_ATTACK_DONE;
    }

    void Act(int slot, int frames)
    {
        for (int f = 0; f < frames; ++f)
            group().ExecuteEnemyAction(slot);
    }

    std::vector<const EnemyShotNode*> Shots()
    {
        std::vector<const EnemyShotNode*> list;
        for (const EnemyShotNode* n = shots().ShotHead; n != nullptr; n = n->Next)
            list.push_back(n);
        return list;
    }

    static EnemyActionDef Drain(int stock)
    {
        EnemyActionDef a = EnemyActTest::Act(kDrainType);
        a.Param = stock;
        a.ActionCount16 = 1;
        a.ActionLength18 = 45;
        a.Length = 120;
        a.ActionParam0 = 2.0f;
        a.ActionParam1 = 0.04f;
        a.ShotsPerVolley = 12;
        return a;
    }

    static EnemyActionDef KindAttack(int shotsPerVolley)
    {
        EnemyActionDef a = EnemyActTest::Act(kKindAttackType);
        a.Length = 120;
        a.ShotsPerVolley = shotsPerVolley;
        a.ShotSlots = shotsPerVolley;
        return a;
    }

    std::vector<EnemyKind> kindList;
};

TEST_F(KindAttackTest, Kind88BurstsByWhatItDrainedAndItsVariant)
{
    struct Case {
        int variant, stock, shots;
        float speed, turn;
        int lifeMin, lifeMax, ailment;
    };
    // The ring has 12 shots of speed 2 and turn 0.04; 40 in stock counts as 30.
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0, 0, 0},
        {0, 10, 12, 1.0f, 0.02f, 180, 180, 0},
        {0, 15, 12, 1.5f, 0.03f, 270, 270, 0},
        {0, 30, 12, 3.0f, 0.05f, 420, 420, 0},
        {0, 40, 12, 3.0f, 0.05f, 420, 420, 0},
        {1, 15, 12, 1.5f, 0.04f, 315, 405, 0},
        {1, 30, 12, 3.0f, 0.04f, 540, 660, 0},
        {2, 15, 12, 1.5f, 0.04f, 270, 270, 0},
        {2, 30, 12, 3.0f, 0.04f, 614, 614, 0},
        {3, 15, 12, 1.5f, 0.04f, 675, 675, 0},
        {3, 30, 12, 2.25f, 0.04f, 1500, 1500, 0},
        {5, 10, 12, 1.0f, 0.02f, 180, 180, 0},
        {5, 15, 12, 1.5f, 0.03f, 270, 270, 15},
        {5, 30, 12, 2.0f, 0.06f, 480, 480, 23},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "variant " << c.variant << ", stock " << c.stock);
        KindEnemy(88, [&](EnemyKind& k) { k.actions = {Drain(c.variant)}; });
        parts->party.stockMax[c.variant] = 99;
        parts->party.stock[c.variant] = static_cast<std::int16_t>(c.stock);
        SeedGameRandom(5);
        Start(0, 0);
        Act(0, 44);
        EXPECT_TRUE(Shots().empty()) << "the burst waits for the drain's end";
        Act(0, 2);
        const std::vector<const EnemyShotNode*> list = Shots();
        ASSERT_EQ(static_cast<int>(list.size()), c.shots);
        EXPECT_EQ(parts->party.stock[c.variant], std::max(0, c.stock - 45));
        EXPECT_EQ(rec().DrainCount, 0);
        EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
        for (int i = 0; i < c.shots; ++i) {
            const EnemyShotNode& s = *list[static_cast<std::size_t>(i)];
            EXPECT_NEAR(s.Speed, c.speed, 1e-4f);
            EXPECT_NEAR(s.Turn, c.turn, 1e-4f);
            EXPECT_GE(s.Life, c.lifeMin + ENEMY_SHOT_ENDING_FRAMES);
            EXPECT_LE(s.Life, c.lifeMax + ENEMY_SHOT_ENDING_FRAMES);
            EXPECT_EQ(static_cast<int>(eshot::Ailment::Get(s.BitsC)), c.ailment);
            EXPECT_NEAR(s.Angle, static_cast<float>(i) / 12.0f * 2.0f * BATTLE_PI - BATTLE_PI, 1e-4f);
        }
    }
}

TEST_F(KindAttackTest, Kind88HealsTheGroupInItsFourthVariant)
{
    struct Case {
        int stock, hpAfter;
        bool revives;
    };
    // Max HP 1000, each at 100 HP: 15 drained heals 75 %, 30 heals fully and revives.
    const Case cases[] = {{15, 850, false}, {30, 1000, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stock);
        KindEnemy(88, [&](EnemyKind& k) { k.actions = {Drain(4)}; });
        OtherEnemy(1, 88, 400, 200);
        for (int s = 0; s < 2; ++s) {
            group().Records[s].MaxHp = 1000;
            group().Records[s].Hp = 100;
        }
        group().DefeatEnemy(1, 0);
        group().Records[1].FlagsC |= FLAGS_C_DEFEAT_DONE; // its defeat picture is over
        parts->party.stockMax[4] = 99;
        parts->party.stock[4] = static_cast<std::int16_t>(c.stock);
        Start(0, 0);
        Act(0, 46);
        EXPECT_TRUE(Shots().empty());
        EXPECT_EQ(rec().Hp, c.hpAfter);
        EXPECT_EQ(group().IsPresent(1), c.revives);
    }
}

TEST_F(KindAttackTest, TheDrainTakesFromItsStockOnlyAndItsPeriodZeroMeansEveryFrame)
{
    struct Case {
        int param, period, stockBefore, takenFrom2;
    };
    const Case cases[] = {
        {kStock, 5, 20, 9},  // frames 0, 5, ..., 40
        {kStock, 0, 20, 20}, // every frame, until the stock is empty
        {7, 1, 20, 0},       // no such stock: nothing drained
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.param * 100 + c.period);
        KindEnemy(164, [&](EnemyKind& k) {
            EnemyActionDef a = Drain(c.param);
            a.ActionCount16 = c.period;
            k.actions = {a};
        });
        parts->party.stockMax[kStock] = 99;
        parts->party.stock[kStock] = static_cast<std::int16_t>(c.stockBefore);
        Start(0, 0);
        Act(0, 45);
        EXPECT_EQ(parts->party.stock[kStock], c.stockBefore - c.takenFrom2);
        EXPECT_EQ(rec().DrainCount, c.takenFrom2);
    }
}

TEST_F(KindAttackTest, Kind164RingsAShotPerFourDrainedAndALargeRingAtTwentyFive)
{
    struct Case {
        int drained, shots;
        float speed;
        int lifeMin, lifeMax;
    };
    const Case cases[] = {
        {24, 6, 24.0f / 25.0f * 3.0f + 2.0f, 300, 420},
        {25, 10, 6.0f, 480, 600},
        {3, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drained);
        KindEnemy(164, [&](EnemyKind& k) { k.actions = {Drain(kStock)}; });
        parts->party.stockMax[kStock] = 99;
        parts->party.stock[kStock] = static_cast<std::int16_t>(c.drained);
        Start(0, 0);
        Act(0, 46);
        const std::vector<const EnemyShotNode*> list = Shots();
        ASSERT_EQ(static_cast<int>(list.size()), c.shots);
        for (const EnemyShotNode* s : list) {
            EXPECT_NEAR(s->Speed, c.speed, 1e-4f);
            EXPECT_GE(s->Life, c.lifeMin + ENEMY_SHOT_ENDING_FRAMES);
            EXPECT_LE(s->Life, c.lifeMax + ENEMY_SHOT_ENDING_FRAMES);
            EXPECT_FLOAT_EQ(s->Power, c.drained == 25 ? 2.0f : 0.0f);
            EXPECT_EQ(static_cast<int>(eshot::EdgeMode::Get(s->BitsA)), c.drained == 25 ? 2 : 0);
        }
    }
}

TEST_F(KindAttackTest, TopEdgeAttacksLeaveTheirGapsAndFireNothingWithTwoShots)
{
    // Kind 176 fires n - 2 shots from the top edge, the first and last columns left out.
    for (const int n : {2, 5}) {
        SCOPED_TRACE(n);
        KindEnemy(176, [&](EnemyKind& k) { k.actions = {KindAttack(n)}; });
        Start(0, 0);
        Act(0, 1);
        const std::vector<const EnemyShotNode*> list = Shots();
        ASSERT_EQ(static_cast<int>(list.size()), n - 2);
        for (int i = 0; i < n - 2; ++i) {
            EXPECT_FLOAT_EQ(list[static_cast<std::size_t>(i)]->X, 640.0f / (n + 1) * (i + 2) - 8.0f);
            EXPECT_FLOAT_EQ(list[static_cast<std::size_t>(i)]->Y, 64.0f);
            EXPECT_FLOAT_EQ(list[static_cast<std::size_t>(i)]->Angle, 0.0f);
        }
        EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
    }
    // Kind 167's eight lanes: two gaps, one in each half; a lane fires only
    // beside an open right-hand neighbour, the last lane on its own.
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        KindEnemy(167, [&](EnemyKind& k) {
            EnemyActionDef a = KindAttack(4);
            a.Repeats = 2;
            k.actions = {a};
        });
        SeedGameRandom(seed);
        const int firstGap = GameRandom() * 4 >> 15;
        const int secondGap = 4 + GameRandom() * 4 / 32768;
        SeedGameRandom(seed);
        Start(0, 0);
        Act(0, 1);
        std::vector<float> expected;
        auto open = [&](int i) { return i != firstGap && i != secondGap; };
        for (int i = 0; i < 8; ++i)
            if (open(i) && (i == 7 || open(i + 1)))
                expected.push_back(640.0f / 9.0f * (i + 1) - 8.0f);
        std::vector<float> xs;
        for (const EnemyShotNode* s : Shots())
            xs.push_back(s->X);
        EXPECT_EQ(xs, expected);
    }
}

TEST_F(KindAttackTest, StageKindsStepTheirStageAndFireTheirSpecialAtOnce)
{
    KindEnemy(78, [&](EnemyKind& k) { k.actions = {KindAttack(1)}; });
    rec().KindTimer = 240;
    SetKindField(rec(), FLAGS_E_KIND_STAGE, 7);
    rec().SpecialCounter = 3;
    Start(0, 0);
    Act(0, 1);
    EXPECT_EQ(KindField(rec(), FLAGS_E_KIND_STAGE), 0) << "the stage wraps at 8";
    EXPECT_EQ(rec().SpecialCounter, 0) << "the forced special fired and restarted the count";
    EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
}

TEST_F(KindAttackTest, Kind90RingsOnlyWhenCrowded)
{
    // Four others within 96 px make a ring; three do not, nor four with one far off.
    struct Case {
        int near, far, shots;
    };
    const Case cases[] = {{4, 0, 6}, {3, 0, 0}, {3, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.near * 10 + c.far);
        KindEnemy(90, [&](EnemyKind& k) { k.actions = {KindAttack(6)}; });
        int slot = 1;
        for (int i = 0; i < c.near; ++i)
            OtherEnemy(slot++, 30, 300 + 40.0f * ((i % 2) * 2 - 1), 200 + 40.0f * (i / 2));
        for (int i = 0; i < c.far; ++i)
            OtherEnemy(slot++, 30, 500, 350);
        Start(0, 0);
        Act(0, 1);
        EXPECT_EQ(static_cast<int>(Shots().size()), c.shots);
    }
}

// "Within" a reach is nearer than it: kind 90 counts no neighbour at
// exactly 96 px, kind 186 no other kind at exactly 104 px.
TEST_F(KindAttackTest, ReachesCountOnlyWhatIsNearerThanThem)
{
    for (const float off : {0.0f, -1.0f}) {
        SCOPED_TRACE(off);
        KindEnemy(90, [&](EnemyKind& k) { k.actions = {KindAttack(6)}; });
        const float d = 96.0f + off;
        const float spots[4][2] = {{300 - d, 200}, {300 + d, 200}, {300, 200 - d}, {300, 200 + d}};
        for (int i = 0; i < 4; ++i)
            OtherEnemy(i + 1, 30, spots[i][0], spots[i][1]);
        Start(0, 0);
        Act(0, 1);
        EXPECT_EQ(static_cast<int>(Shots().size()), off < 0.0f ? 6 : 0) << "kind 90";

        KindEnemy(186, [&](EnemyKind& k) { k.actions = {KindAttack(1)}; });
        OtherEnemy(1, 30, 300 + 104.0f + off, 200);
        Start(0, 0);
        Act(0, 1);
        EXPECT_EQ(static_cast<int>(Shots().size()), off < 0.0f ? 1 : 0) << "kind 186";
    }
}

TEST_F(KindAttackTest, TheShieldingKindLowersWhatTheOthersTake)
{
    struct Case {
        int shielders;
        float otherRate, oneFewer;
    };
    const Case cases[] = {
        {1, 0.75f, 1.0f}, {2, 0.5f, 0.75f}, {3, 0.25f, 0.5f}, {4, 0.125f, 0.25f}, {5, 0.125f, 0.125f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shielders);
        KindEnemy(30, [](EnemyKind&) {});
        for (int s = 1; s <= c.shielders; ++s)
            OtherEnemy(s, 154, 60.0f * s, 300);
        ASSERT_TRUE(group().GroupBits2 & GROUP2_SHIELD_KIND);
        EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, false, 0), c.otherRate);
        EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(1, false, 0), 1.0f) << "never on a shielder itself";
        group().DefeatEnemy(1, 0);
        EXPECT_FLOAT_EQ(group().GetEnemyDamageRate(0, false, 0), c.oneFewer) << "a defeated shielder no longer counts";
    }
}

TEST_F(KindAttackTest, KindPatternHooksGiveTheirKindsAngles)
{
    struct Case {
        int kind;
        bool second;
        int i, n;
        float angle;
    };
    const Case cases[] = {
        {105, false, 0, 1, 0.9707964f},
        {136, false, 0, 4, BATTLE_PI / 6.0f - BATTLE_PI},
        {136, false, 3, 4, 5.0f * BATTLE_PI / 6.0f - BATTLE_PI},
        {168, false, 2, 3, 0.6707964f},
        {30, false, 1, 3, 0.0f},
        // Kind 160: q = n / 4 shots in each quadrant's fan.
        {160, true, 0, 8, BATTLE_PI / 2.0f / 3.0f},
        {160, true, 3, 8, BATTLE_PI / 2.0f / 3.0f * 2.0f - BATTLE_PI / 2.0f},
        {160, true, 7, 8, BATTLE_PI / 2.0f / 3.0f * 2.0f - BATTLE_PI},
        {160, true, 1, 3, 0.0f}, // fewer than four shots: no quarters, no division by zero
        {30, true, 1, 8, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.i << "/" << c.n);
        KindEnemy(c.kind, [](EnemyKind&) {});
        const float a =
            c.second ? GetKindPatternAngleB(group(), 0, c.i, c.n) : GetKindPatternAngle(group(), 0, c.i, c.n);
        EXPECT_NEAR(a, c.angle, 1e-5f);
    }
}

TEST_F(KindAttackTest, Kind156MirrorsOneDrawnBaseOverFourShots)
{
    KindEnemy(156, [](EnemyKind&) {});
    SeedGameRandom(11);
    const float theta = -3.063053f + static_cast<float>(GameRandom() >> 7) * 0.0055223308f;
    SeedGameRandom(11);
    const float expected[5] = {theta, -theta - BATTLE_PI, theta + BATTLE_PI, -theta, theta};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(GetKindPatternAngleB(group(), 0, i, 8), expected[i], 1e-5f) << i;
}

TEST_F(KindAttackTest, Kind174FansRoundItsNamedMember)
{
    KindEnemy(
        174, [](EnemyKind&) {}, 300, 200);
    SetBits(rec().FlagsD, FLAGS_D_TARGET_MODE, 5, 3 + 1); // member 1 at (316, 436)
    const float aim =
        std::atan2(parts->party.members[1].centerX - rec().CenterX, parts->party.members[1].centerY - rec().CenterY);
    const float fiveDegrees = BATTLE_PI / 36.0f;
    const float expected[4] = {aim, aim - fiveDegrees, aim + fiveDegrees, aim - 2.0f * fiveDegrees};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(GetKindPatternAngle(group(), 0, i, 4), expected[i], 1e-5f) << i;
    SetBits(rec().FlagsD, FLAGS_D_TARGET_MODE, 5, 0);
    EXPECT_NEAR(GetKindPatternAngle(group(), 0, 0, 4), 0.0f, 1e-5f) << "no member named: its facing (down)";
}

TEST_F(KindAttackTest, TheMovingPatternFollowsTheWalkUntilItsEnd)
{
    KindEnemy(30, [](EnemyKind& k) { k.moves = {Mv(0)}; });
    struct Case {
        bool running;
        int frame, endless;
        float angle;
    };
    // Facing down (0); the walk heads at 1.0 for 40 frames.
    const Case cases[] = {
        {false, 0, 0, 0.0f}, {true, 0, 0, 1.0f}, {true, 39, 0, 1.0f}, {true, 40, 0, 0.0f}, {true, 40, 1, 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        kindList[30].moves[0].Endless = c.endless;
        FreeEnemyKinds();
        LoadKinds(kindList);
        group().Records[0] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(0, 30, 300, 200, false, false, 3));
        rec().Heading = 1.0f;
        rec().MoveFrame = c.frame;
        if (c.running)
            rec().FlagsA |= FLAGS_A_MOVE_RUNNING;
        EXPECT_NEAR(GetMovingShotAngle(group(), 0), c.angle, 1e-6f);
    }
}

TEST_F(KindAttackTest, TheKindDecidesTheVolleyCount)
{
    KindEnemy(176, [](EnemyKind&) {});
    rec().KindBytes[0] = 5;
    rec().KindBytes[2] = 3;
    struct Case {
        int kind, count;
        std::uint32_t seed;
        int expected;
    };
    SeedGameRandom(3);
    const int r1 = GameRandom();
    const Case cases[] = {
        {176, 9, 3, 5},
        {183, 9, 3, 3},
        {131, 9, 3, 4 + r1 * 6 / 32768},
        {30, 9, 3, 1 + r1 * 9 / 32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        SetBits(rec().KindWord, KIND_WORD_KIND, 10, static_cast<std::uint32_t>(c.kind));
        SeedGameRandom(c.seed);
        int count = c.count;
        int slots = 9;
        int offset = 0;
        ApplyKindVolleyHook(group(), 0, count, slots, offset);
        EXPECT_EQ(count, c.expected);
    }
}

// One attack case: the kind with ten copies of an attack of n shots, the
// running action `action`, what the case sets first and what it must show.
struct AttackCase {
    const char* name;
    int kind, action, n, repeats, interval;
    std::function<void(EnemyRecord&)> before;
    int shots;
    bool done;
    std::function<void(const std::vector<const EnemyShotNode*>&, const EnemyRecord&)> check;
};

TEST_F(KindAttackTest, EachKindsAttackOnItsFirstFrame)
{
    auto none = [](EnemyRecord&) {};
    auto age = [](const EnemyShotNode* s) { return s->Age; };
    const AttackCase cases[] = {
        {"153 aims each shot at a remembered hitter", 153, 0, 1, 1, 0,
         [](EnemyRecord& r) {
             for (int i = 0; i < 8; ++i)
                 r.KindBytes[i] = static_cast<std::uint8_t>(i % 3);
             SetBits(r.FlagsF, 4, 4, 5);
         },
         8, true,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord& r) {
             for (std::size_t i = 0; i < list.size(); ++i)
                 EXPECT_EQ(static_cast<int>(eshot::TargetMode::Get(list[i]->BitsB)), static_cast<int>(i % 3) + 3);
             EXPECT_EQ(GetBits(r.FlagsF, 4, 4), 0u) << "the hitter count starts again";
         }},
        {"159 fires every repetition from the field's centre", 159, 0, 3, 2, 10, none, 6, true,
         [&](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             for (std::size_t i = 0; i < list.size(); ++i) {
                 EXPECT_FLOAT_EQ(list[i]->X, 312.0f);
                 EXPECT_FLOAT_EQ(list[i]->Y, 272.0f);
                 EXPECT_FLOAT_EQ(list[i]->Speed, i % 2 == 0 ? 1.25f : 2.0f);
                 EXPECT_EQ(age(list[i]), i < 3 ? 0 : -10);
             }
         }},
        {"190 rings ten rings, each later", 190, 9, 1, 1, 0, none, 55, true,
         [&](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             EXPECT_EQ(age(list.front()), 0);
             EXPECT_EQ(age(list.back()), -95 * 9);
         }},
        {"190 comes in from the edge nearest its member", 190, 2, 1, 1, 0,
         [](EnemyRecord& r) { SetBits(r.FlagsD, FLAGS_D_TARGET_MODE, 5, 3 + 2); }, 1, true,
         [&](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             // Member 2 stands nearest the bottom edge: the shot rises from there.
             EXPECT_FLOAT_EQ(list[0]->Y, 480.0f);
             EXPECT_NEAR(std::fabs(list[0]->Angle), BATTLE_PI, 1e-5f);
         }},
        {"180 facing down splits into its child row", 180, 0, 3, 1, 0, none, 3, true,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             for (const EnemyShotNode* s : list)
                 EXPECT_EQ(static_cast<int>(eshot::ChildRow::Get(s->BitsB)), 1);
         }},
        {"180 facing left keeps its row", 180, 0, 3, 1, 0,
         [](EnemyRecord& r) { SetBits(r.FlagsA, FLAGS_A_FACING, 2, 0); }, 3, true,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             for (const EnemyShotNode* s : list)
                 EXPECT_EQ(static_cast<int>(eshot::ChildRow::Get(s->BitsB)), 0);
         }},
        {"157 alternates the edge mode over eight shots", 157, 0, 1, 3, 10,
         [](EnemyRecord& r) { SetBits(r.FlagsD, FLAGS_D_SUBPATTERN_MODE, 5, 4); }, 8, false,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             for (std::size_t i = 0; i < list.size(); ++i)
                 EXPECT_EQ(static_cast<int>(eshot::EdgeMode::Get(list[i]->BitsA)), i % 2 == 1 ? 4 : 0);
         }},
        {"181 closes in with two columns of five", 181, 2, 1, 1, 0, none, 10, true,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             for (std::size_t i = 0; i < list.size(); ++i) {
                 EXPECT_NEAR(list[i]->Angle, i < 5 ? BATTLE_PI / 2.0f : -BATTLE_PI / 2.0f, 1e-5f);
                 EXPECT_GE(list[i]->Y, 80.0f);
                 EXPECT_LE(list[i]->Y, 208.0f + 255.0f);
             }
             EXPECT_FLOAT_EQ(list[1]->Y - list[0]->Y, 98.745167f - 144.0f);
         }},
        {"186 alone gives up and skips to its last repeat", 186, 0, 1, 4, 10, none, 0, true,
         [](const std::vector<const EnemyShotNode*>&, const EnemyRecord& r) { EXPECT_GE(r.ActionFrame, 30); }},
        {"113 fires its slanted pair", 113, 7, 1, 1, 0, none, 2, true,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             EXPECT_NEAR(list[0]->Angle, -BATTLE_PI / 4.0f, 1e-5f);
             EXPECT_FLOAT_EQ(list[0]->Speed, 2.75f);
             EXPECT_NEAR(list[1]->Angle, BATTLE_PI / 4.0f, 1e-5f);
             EXPECT_FLOAT_EQ(list[1]->Speed, 4.6f);
             EXPECT_EQ(static_cast<int>(eshot::Ailment::Get(list[1]->BitsC)), 9);
         }},
        {"185 grows with the defeated count", 185, 0, 1, 2, 10, [](EnemyRecord& r) { SetBits(r.FlagsG, 0, 3, 2); }, 1,
         false,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             EXPECT_FLOAT_EQ(list[0]->Power, 3.0f);
         }},
        {"135 picks a member and changes phase", 135, 0, 1, 1, 0, none, 0, true,
         [](const std::vector<const EnemyShotNode*>&, const EnemyRecord& r) {
             EXPECT_EQ(KindField(r, FLAGS_E_KIND_PHASE), 1);
         }},
        {"183 chooses its volley and takes its stage", 183, 3, 1, 1, 0, [](EnemyRecord& r) { r.KindBytes[3] = 5; }, 0,
         true,
         [](const std::vector<const EnemyShotNode*>&, const EnemyRecord& r) {
             EXPECT_EQ(r.KindBytes[1], 1);
             EXPECT_EQ(KindField(r, FLAGS_E_KIND_STAGE), 5);
         }},
        {"183 shoots back from where the line to the nearest member leaves the field", 183, 8, 1, 1, 0, none, 1, true,
         [](const std::vector<const EnemyShotNode*>& list, const EnemyRecord&) {
             // From (292, 192) towards member 1 at (316, 436): out at the bottom, heading back up.
             EXPECT_FLOAT_EQ(list[0]->Y, 480.0f);
             EXPECT_GT(std::fabs(list[0]->Angle), BATTLE_PI / 2.0f);
         }},
    };
    for (const AttackCase& c : cases) {
        SCOPED_TRACE(c.name);
        KindEnemy(c.kind, [&](EnemyKind& k) {
            EnemyActionDef a = KindAttack(c.n);
            a.Repeats = c.repeats;
            a.RepeatPeriod = c.interval;
            k.actions.assign(10, a);
        });
        c.before(rec());
        SeedGameRandom(21);
        Start(0, c.action);
        Act(0, 1);
        const std::vector<const EnemyShotNode*> list = Shots();
        ASSERT_EQ(static_cast<int>(list.size()), c.shots);
        EXPECT_EQ((rec().FlagsC & FLAGS_C_ATTACK_DONE) != 0, c.done);
        c.check(list, rec());
    }
}

TEST_F(KindAttackTest, Kind142FacesUpThenFansUpwardUntilItsRepeatsAreOut)
{
    KindEnemy(142, [&](EnemyKind& k) {
        EnemyActionDef a = KindAttack(3);
        a.Repeats = 2;
        a.RepeatPeriod = 10;
        k.actions = {a};
    });
    Start(0, 0);
    Act(0, 1);
    EXPECT_EQ(Facing(), 1);
    Act(0, 19);
    EXPECT_TRUE(Shots().empty()) << "a repeat's pause before the fan";
    Act(0, 1);
    EXPECT_EQ(Shots().size(), 3u);
    EXPECT_FALSE(rec().FlagsC & FLAGS_C_ATTACK_DONE);
    Act(0, 10);
    EXPECT_EQ(Shots().size(), 6u) << "one fan a repeat, from the second on";
    EXPECT_TRUE(rec().FlagsC & FLAGS_C_ATTACK_DONE) << "done at the repeats plus one";
    for (const EnemyShotNode* s : Shots())
        EXPECT_GT(std::fabs(s->Angle), 2.1205f) << "upward, within the fan";
}

TEST_F(KindAttackTest, Kind183TakesFromEveryStockAndEndsTheMembersBoosts)
{
    KindEnemy(183, [&](EnemyKind& k) { k.actions.assign(2, KindAttack(1)); });
    for (int s = 0; s < STOCK_COUNT; ++s) {
        parts->party.stockMax[s] = 50;
        parts->party.stock[s] = 3;
    }
    ApplyHitStatusEffects(parts->party.members[0], 1, 0, EFFECT_DEFENCE_UP, 1);
    SeedGameRandom(4);
    int expected[STOCK_COUNT];
    for (int s = 0; s < STOCK_COUNT; ++s) {
        const bool takes = (GameRandom() * 6 >> 15) != 0;
        expected[s] = takes ? 3 - std::min(GameRandom() * 6 >> 15, 3) : 3;
    }
    SeedGameRandom(4);
    Start(0, 1);
    Act(0, 1);
    for (int s = 0; s < STOCK_COUNT; ++s)
        EXPECT_EQ(parts->party.stock[s], expected[s]) << "stock " << s;
    EXPECT_FALSE(parts->party.members[0].HasEffect(EFFECT_DEFENCE_UP));
    EXPECT_EQ(Played(35), 1);
}

TEST_F(KindAttackTest, Kind160sQuarterFansNeedFourSlots)
{
    for (const int slots : {3, 8}) {
        SCOPED_TRACE(slots);
        KindEnemy(160, [&](EnemyKind& k) {
            EnemyActionDef a = EnemyActTest::Act(1);
            a.ShotSlots = slots;
            a.ShotsPerVolley = slots;
            k.actions = {a};
        });
        Start(0, 0);
        SetBits(rec().FlagsD, FLAGS_D_AIM_MODE, 7, 66);
        Act(0, 1);
        EXPECT_EQ(static_cast<int>(Shots().size()), slots < 4 ? 0 : slots);
    }
}

// The attack cases that aim, value by value: the kind's hook runs once on
// the action's first frame with the generator seeded just before it.
class KindAimedAttackTest : public KindAttackTest {
protected:
    static constexpr std::uint32_t kSeed = 21;
    // Ten copies of a plain attack of n shots; definitions 5 and 6 fly at
    // their own speeds so that their shots can be told apart.
    void Kind(int kind, int n, int repeats = 1, int interval = 0)
    {
        KindEnemy(kind, [&](EnemyKind& k) {
            EnemyActionDef a = KindAttack(n);
            a.ActionParam0 = 2.0f;
            a.Repeats = repeats;
            a.RepeatPeriod = interval;
            a.TargetKindId = 70;
            a.ShotAction = 15;
            a.ShotOnce = 1;
            a.ShotChance = 100;
            a.GaugeMember = 2;
            k.actions.assign(10, a);
            k.actions[5].ActionParam0 = 5.5f;
            k.actions[6].ActionParam0 = 6.5f;
        });
    }
    void Run(int action, int frame = 0)
    {
        Start(0, action);
        rec().ActionFrame = frame;
        SeedGameRandom(kSeed);
        ExecuteEnemyKindAttack(group(), 0);
    }
    void Pattern(int pattern) { SetBits(rec().FlagsD, FLAGS_D_AIM_MODE, 7, static_cast<std::uint32_t>(pattern)); }
    void Face(int facing) { SetBits(rec().FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facing)); }
    bool Done() { return (rec().FlagsC & FLAGS_C_ATTACK_DONE) != 0; }
    float PatternAngle(int pattern, int i, int n) { return GetShotPatternAngle(group(), 0, pattern, i, n); }
};

constexpr int kRingPattern = 4;

TEST_F(KindAimedAttackTest, Kind147SpendsAGaugePointAndFiresItsPattern)
{
    struct Case {
        int gauge, left;
    };
    for (const Case c : {Case{3, 2}, Case{1, 0}, Case{0, 0}}) {
        SCOPED_TRACE(c.gauge);
        Kind(147, 5);
        rec().KindBytes[2] = static_cast<std::uint8_t>(c.gauge);
        rec().KindBytes[1] = 7;
        Pattern(kRingPattern);
        Run(0);
        EXPECT_EQ(rec().KindBytes[2], c.left);
        EXPECT_EQ(rec().KindBytes[1], 7) << "only the named member's gauge";
        const auto list = Shots();
        ASSERT_EQ(list.size(), 5u);
        for (int i = 0; i < 5; ++i) {
            EXPECT_NEAR(list[i]->Angle, PatternAngle(kRingPattern, i, 5), 1e-5f);
            EXPECT_EQ(list[i]->Index, i);
        }
        EXPECT_TRUE(Done());
    }
}

TEST_F(KindAimedAttackTest, Kind150FiresAtItsMarkedMembersOnlyWhenAllAreInFront)
{
    struct Case {
        int facing;
        bool mask[3];
        std::vector<int> members; // the members shot at, in order
    };
    // The members stand below the enemy.
    const Case cases[] = {
        {3, {true, false, true}, {0, 2}},
        {3, {false, true, false}, {1}},
        {1, {false, true, false}, {}},
        {3, {false, false, false}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "facing " << c.facing << " mask " << c.mask[0] << c.mask[1] << c.mask[2]);
        Kind(150, 1);
        rec().CenterY = 80; // high enough that all three stand within its downward sight
        Face(c.facing);
        Pattern(kRingPattern);
        for (int m = 0; m < 3; ++m)
            rec().ActionTargetMask[m] = c.mask[m];
        Run(0);
        const auto list = Shots();
        ASSERT_EQ(list.size(), c.members.size());
        for (std::size_t k = 0; k < list.size(); ++k) {
            EXPECT_EQ(list[k]->Index, c.members[k]);
            EXPECT_NEAR(list[k]->Angle, PatternAngle(kRingPattern, c.members[k], 3), 1e-5f);
        }
        EXPECT_TRUE(Done());
    }
    // One marked member behind it holds the whole volley back.
    Kind(150, 1);
    rec().CenterY = 80;
    Face(3);
    parts->party.SetMemberPosY(2, 20);
    for (int m = 0; m < 3; ++m)
        rec().ActionTargetMask[m] = true;
    Run(0);
    EXPECT_TRUE(Shots().empty());
}

TEST_F(KindAimedAttackTest, Kind157Action6FiresThreeQuarterTurnsAndOneAimedShot)
{
    Kind(157, 1, 3, 10);
    SetBits(rec().FlagsD, FLAGS_D_SUBPATTERN_MODE, 5, 4);
    Run(6);
    SeedGameRandom(kSeed);
    const auto list = Shots();
    ASSERT_EQ(list.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const float turn = static_cast<float>(i) + static_cast<float>(GameRandom() >> 7) / 256.0f;
        EXPECT_NEAR(list[i]->Angle, WrapHeading(turn * BATTLE_PI / 2.0f + 3.0f * BATTLE_PI / 4.0f), 1e-5f);
        EXPECT_GE(list[i]->Angle, -BATTLE_PI);
        EXPECT_LT(list[i]->Angle, BATTLE_PI);
        EXPECT_EQ(list[i]->Period, 0);
        EXPECT_EQ(eshot::Action::Get(list[i]->BitsA), 0u);
        EXPECT_EQ(eshot::EdgeMode::Get(list[i]->BitsA), 0u);
        EXPECT_EQ(eshot::Once::Get(list[i]->BitsB), 0u);
        EXPECT_EQ(eshot::Chance::Get(list[i]->BitsB), 0u);
    }
    // The fourth keeps the action's values.
    EXPECT_NEAR(list[3]->Angle, PatternAngle(11, 3, 4), 1e-5f);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list[i]->Index, i);
    EXPECT_EQ(list[3]->Period, 70);
    EXPECT_EQ(eshot::Action::Get(list[3]->BitsA), 15u);
    EXPECT_EQ(eshot::EdgeMode::Get(list[3]->BitsA), 4u);
    EXPECT_EQ(eshot::Once::Get(list[3]->BitsB), 1u);
    EXPECT_EQ(eshot::Chance::Get(list[3]->BitsB), 100u);
    // Done when frames / interval + 1 reaches the repeats.
    EXPECT_FALSE(Done());
    for (const int frame : {10, 19}) {
        Run(6, frame);
        EXPECT_FALSE(Done()) << frame;
    }
    Run(6, 20);
    EXPECT_TRUE(Done());
    // Without an interval the one volley ends it.
    Kind(157, 1, 3, 0);
    Run(6);
    EXPECT_TRUE(Done());
}

TEST_F(KindAimedAttackTest, Kind163AimsItsCopyAtTheNamedMemberElseItsFacing)
{
    struct Case {
        int named;  // FlagsD bits 7-11
        int member; // -1: its facing
    };
    for (const Case c : {Case{3, 0}, Case{4, 1}, Case{5, 2}, Case{2, -1}, Case{6, -1}}) {
        SCOPED_TRACE(c.named);
        Kind(163, 3);
        Face(2);
        Pattern(kRingPattern);
        SetBits(rec().FlagsD, FLAGS_D_TARGET_MODE, 5, static_cast<std::uint32_t>(c.named));
        Run(0);
        float want = BATTLE_PI / 2.0f; // facing right
        if (c.member >= 0) {
            const BattleMember& m = parts->party.members[c.member];
            want = AngleFromDelta(m.centerX - rec().CenterX, m.centerY - rec().CenterY);
        }
        const auto list = Shots();
        ASSERT_EQ(list.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(list[i]->Turn, want, 1e-5f) << "the aim rides in the copy's turn";
            EXPECT_NEAR(list[i]->Angle, PatternAngle(kRingPattern, i, 3), 1e-5f);
        }
        EXPECT_FLOAT_EQ(group().ActionDefs[0][0].ActionParam1, 0.0f) << "its own definition is untouched";
        EXPECT_TRUE(Done());
    }
}

TEST_F(KindAimedAttackTest, Kind179LeadsWithItsSixthDefinitionThenFansOut)
{
    for (const int facing : {1, 3}) {
        SCOPED_TRACE(facing);
        Kind(179, 4, 3, 10);
        Face(facing);
        Run(7);
        const float base = facing == 1 ? 3.0f * BATTLE_PI / 4.0f : -BATTLE_PI / 4.0f;
        auto list = Shots();
        ASSERT_EQ(list.size(), 1u + 4u);
        EXPECT_FLOAT_EQ(list[0]->Speed, 5.5f) << "the sixth definition";
        EXPECT_NEAR(list[0]->Angle, facing == 1 ? -2.7489f : 0.3927f, 1e-5f);
        EXPECT_EQ(eshot::EdgeMode::Get(list[0]->BitsA), 1u);
        for (std::size_t i = 1; i < list.size(); ++i) {
            EXPECT_FLOAT_EQ(list[i]->Speed, 2.0f);
            EXPECT_GE(list[i]->Angle, base);
            EXPECT_LE(list[i]->Angle, base + 0.7823f);
            EXPECT_EQ(eshot::EdgeMode::Get(list[i]->BitsA), 0u);
        }
        EXPECT_EQ(GetBits(rec().FlagsD, FLAGS_D_SUBPATTERN_MODE, 5), 0u);
        EXPECT_FALSE(Done());
        // Later repeats fan without a lead; done from (repeats - 1) x interval on.
        shots().ClearEnemyShots();
        Run(7, 10);
        EXPECT_EQ(Shots().size(), 4u);
        EXPECT_FALSE(Done());
        Run(7, 20);
        EXPECT_TRUE(Done());
    }
    // Action 8: the seventh definition's shot, then one of its own, both at its facing.
    Kind(179, 4);
    Face(0);
    Run(8);
    const auto list = Shots();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_FLOAT_EQ(list[0]->Speed, 6.5f);
    EXPECT_EQ(eshot::EdgeMode::Get(list[0]->BitsA), 1u);
    EXPECT_FLOAT_EQ(list[1]->Speed, 2.0f);
    for (const EnemyShotNode* s : list) {
        EXPECT_NEAR(s->Angle, -BATTLE_PI / 2.0f, 1e-5f);
        EXPECT_EQ(s->Index, 0);
    }
    EXPECT_TRUE(Done());
}

} // namespace
} // namespace enemytest
