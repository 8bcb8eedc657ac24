// What kinds do when one of their actions or movements starts, when they are
// defeated, and the shots two kinds keep firing after their defeat.
#include <set>
#include <tuple>

#include "KindFixture.h"
#include "core/EnemyKinds.h"
#include "enemies/ShotSpawn.h"

namespace enemytest {
namespace {

class KindFollowUpTest : public KindFixture {
protected:
    // A shot of the enemy in `slot` with the given motion, started or still waiting.
    void OwnShot(int slot, int motion, int startAge, bool magic = false)
    {
        EnemyShotSpec shot{};
        shot.lifeMin = shot.lifeMax = 200;
        shot.startAge = startAge;
        shot.motion = motion;
        shot.ownerSlot = slot;
        shot.magic = magic;
        shot.period = 30;
        shot.action = 9;
        shots().CreateEnemyShot(shot);
    }
    void Defeat(int slot)
    {
        group().Records[slot].State = ENEMY_DEFEATED;
        group().Records[slot].FlagsA |= FLAGS_A_DEFEATED;
    }
};

TEST_F(KindFollowUpTest, ActionAndMoveStartsSetTheKindsPhase)
{
    const struct {
        int kind;
        bool isAction;
        int index, before, after;
    } cases[] = {
        {135, true, 0, 3, 0}, {135, true, 1, 0, 2},  {135, true, 2, 1, 1},  {174, true, 0, 0, 2},
        {174, true, 1, 1, 1}, {135, false, 1, 2, 0}, {135, false, 0, 2, 2}, {174, false, 1, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << (c.isAction ? " action " : " move ") << c.index);
        One(c.kind);
        SetKindField(rec(), FLAGS_E_KIND_PHASE, c.before);
        if (c.isAction)
            OnEnemyKindActionStart(group(), 0, c.index);
        else
            OnEnemyKindMoveStart(group(), 0, c.index);
        EXPECT_EQ(KindField(rec(), FLAGS_E_KIND_PHASE), c.after);
    }
}

TEST_F(KindFollowUpTest, Kind176CountsDownByItsHpTensAndKind178RestsLonger)
{
    for (const auto& [hp, count] : {std::pair{100, 10}, std::pair{99, 1}, std::pair{57, 5}, std::pair{9, 10}}) {
        One(176);
        SetHpPercent(0, hp);
        OnEnemyKindActionStart(group(), 0, 0);
        EXPECT_EQ(rec().KindBytes[0], count) << hp;
    }
    const struct {
        int action, before, after;
    } rests[] = {{1, 10, 270}, {3, 10, 250}, {3, 400, 400}, {0, 10, 10}};
    for (const auto& c : rests) {
        SCOPED_TRACE(c.action);
        One(178);
        rec().MoveCooldownAll = c.before;
        rec().ActionCooldown[2] = static_cast<std::uint16_t>(c.before);
        OnEnemyKindActionStart(group(), 0, c.action);
        EXPECT_EQ(rec().MoveCooldownAll, c.after);
        EXPECT_EQ(rec().ActionCooldown[2], c.after);
    }
}

TEST_F(KindFollowUpTest, Kind183ChoosesItsStageAndShotCountByHp)
{
    int id = 0; // the kinds come in id order
    LoadKindsLike([&](EnemyKind& k) {
        if (id++ != 183)
            return;
        for (int i = 0; i < 11; ++i)
            k.actions.push_back(Act(1));
        k.actions[7].ShotsPerVolley = 13;
    });
    for (const auto& [hp, count] : {std::pair{0, 13}, std::pair{50, 9}, std::pair{100, 4}, std::pair{10, 13}}) {
        One(183);
        SetHpPercent(0, hp);
        OnEnemyKindActionStart(group(), 0, 7);
        EXPECT_EQ(rec().KindBytes[2], count) << hp;
    }
    // The stage comes more often the lower its HP, never at full HP without a stage before.
    for (const auto& [hp, least, most] : {std::tuple{100, 0, 0}, std::tuple{0, 60, 60}, std::tuple{50, 15, 45}}) {
        int staged = 0;
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            SeedGameRandom(seed);
            One(183);
            SetHpPercent(0, hp);
            OnEnemyKindActionStart(group(), 0, 3);
            EXPECT_LE(rec().KindBytes[0], 3);
            staged += rec().KindBytes[3];
        }
        EXPECT_GE(staged, least) << hp;
        EXPECT_LE(staged, most) << hp;
    }
}

TEST_F(KindFollowUpTest, Kind177SetsTheDeadlineAndHandsTheChosenSlotOnAtItsDefeat)
{
    One(177);
    Make(1, 40, 100, 150);
    Make(2, 40, 500, 150);
    group().FrameCounter = 1000;
    OnEnemyKindActionStart(group(), 0, 3);
    EXPECT_EQ(group().GroupDeadline, 1660);
    const auto chosen = GetBits(group().GroupBits2, GROUP2_KIND_SLOT, 2);
    EXPECT_TRUE(chosen == 1 || chosen == 2);

    SetBits(group().GroupBits2, GROUP2_KIND_SLOT, 2, 2);
    OnEnemyKindDefeated(group(), 0);
    EXPECT_EQ(GetBits(group().GroupBits2, GROUP2_KIND_SLOT, 2), 2u) << "another slot named stays";
    SetBits(group().GroupBits2, GROUP2_KIND_SLOT, 2, 0);
    OnEnemyKindDefeated(group(), 0);
    EXPECT_NE(GetBits(group().GroupBits2, GROUP2_KIND_SLOT, 2), 0u);
}

TEST_F(KindFollowUpTest, ThePartnersOf114And115StartTheirRainOnceTheOtherFalls)
{
    One(114, 100, 150);
    Make(1, 115, 400, 150);
    ExecuteEnemyKindSpecial(group(), 0);
    ExecuteEnemyKindSpecial(group(), 1);
    EXPECT_TRUE(Shots().empty()) << "no rain while both stand";

    group().Records[1].SpecialCounter = 120;
    Defeat(0);
    OnEnemyKindDefeated(group(), 0);
    const EnemyRecord& partner = record(1);
    EXPECT_EQ(partner.SpecialCounter, 0);
    EXPECT_EQ(KindField(partner, FLAGS_E_KIND_STAGE), 1);
    EXPECT_FLOAT_EQ(partner.SavedPoint[0], record(0).CenterX - 8.0f);
    EXPECT_FLOAT_EQ(partner.SavedPoint[1], record(0).CenterY - 8.0f);
    ExecuteEnemyKindSpecial(group(), 1);
    ASSERT_EQ(Shots().size(), 1u);
    EXPECT_FLOAT_EQ(Shots()[0]->X, partner.SavedPoint[0]);
    EXPECT_EQ(Shots()[0]->Attack(), FindEnemyKind(114)->def.AttackB);

    // The other way round: 114 rains 4 to 8 shots from the top.
    shots().ClearEnemyShots();
    One(114);
    Make(1, 115, 400, 150);
    Defeat(1);
    OnEnemyKindDefeated(group(), 1);
    EXPECT_EQ(KindField(record(0), FLAGS_E_KIND_STAGE), 1);
    ExecuteEnemyKindSpecial(group(), 0);
    EXPECT_GE(Shots().size(), 4u);
    EXPECT_LE(Shots().size(), 8u);
    for (const EnemyShotNode* s : Shots()) {
        EXPECT_FLOAT_EQ(s->Y, SHOT_EDGE_TOP_Y);
        EXPECT_EQ(s->Attack(), FindEnemyKind(115)->def.AttackB);
    }

    // A partner of another kind, or one already down, is left alone.
    One(114);
    Make(1, 40, 400, 150);
    OnEnemyKindDefeated(group(), 0);
    EXPECT_EQ(KindField(record(1), FLAGS_E_KIND_STAGE), 0);
    One(114);
    Make(1, 115, 400, 150);
    Defeat(1);
    OnEnemyKindDefeated(group(), 0);
    EXPECT_EQ(KindField(record(1), FLAGS_E_KIND_STAGE), 0);
}

TEST_F(KindFollowUpTest, Kinds178And190EndTheirOwnShotsAtTheirDefeat)
{
    One(178);
    OwnShot(0, 20, 5);
    OwnShot(0, 0, 5);
    OwnShot(0, 7, 5);
    OwnShot(1, 20, 5);
    OnEnemyKindDefeated(group(), 0);
    const auto all = Shots();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0]->Life, all[0]->Age + 17);
    EXPECT_EQ(all[0]->Period, 30) << "only the second pass resets";
    EXPECT_EQ(all[1]->Life, all[1]->Age + 17);
    EXPECT_EQ(all[1]->Period, 0);
    EXPECT_EQ(all[2]->Life, 216) << "another motion keeps its life";
    EXPECT_EQ(all[3]->Life, 216) << "another enemy's shot keeps its life";

    One(190);
    OwnShot(0, 0, -40);
    OwnShot(0, 0, 3);
    OwnShot(1, 0, -40);
    OnEnemyKindDefeated(group(), 0);
    EXPECT_EQ(Shots().size(), 2u) << "only its own waiting shots go";
}

TEST_F(KindFollowUpTest, Kind144RainsTwoShotsEvery300FramesAfterItsDefeat)
{
    One(144);
    Defeat(0);
    StartEnemyAfterlifeTimer(group(), 0);
    for (int frame = 1; frame <= 1200; ++frame) {
        UpdateEnemyAfterlifeTimer(group(), 0);
        ASSERT_EQ(static_cast<int>(Shots().size()), 2 * (frame / 300)) << frame;
    }
    for (const EnemyShotNode* s : Shots()) {
        EXPECT_FLOAT_EQ(s->Y, SHOT_EDGE_TOP_Y);
        EXPECT_EQ(s->Attack(), record(0).AttackB);
    }
    // A kind without an after-defeat timer fires nothing.
    One(40);
    StartEnemyAfterlifeTimer(group(), 0);
    for (int frame = 0; frame < 400; ++frame)
        UpdateEnemyAfterlifeTimer(group(), 0);
    EXPECT_TRUE(Shots().empty());
}

TEST_F(KindFollowUpTest, Kind190SendsRowsFromTheLeftWithTwoToEightLeftOpen)
{
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        SeedGameRandom(seed);
        One(190);
        Defeat(0);
        StartEnemyAfterlifeTimer(group(), 0);
        for (int frame = 1; frame < 300; ++frame)
            UpdateEnemyAfterlifeTimer(group(), 0);
        EXPECT_TRUE(Shots().empty()) << "five periods of 60 frames pass first";
        UpdateEnemyAfterlifeTimer(group(), 0);
        const auto all = Shots();
        EXPECT_GE(all.size(), 4u);
        EXPECT_LE(all.size(), 10u);
        std::set<int> rows;
        for (const EnemyShotNode* s : all) {
            EXPECT_FLOAT_EQ(s->X, SHOT_EDGE_LEFT_X);
            EXPECT_TRUE(Near(s->Angle, BATTLE_PI / 2.0f));
            const float row = (s->Y - 72.0f) / (400.0f / 13.0f) - 1.0f;
            EXPECT_TRUE(Near(row, std::round(row), 1e-3f));
            rows.insert(static_cast<int>(std::lround(row)));
        }
        EXPECT_EQ(rows.size(), all.size()) << "each row once";
        // The next rows come two to five periods later.
        const int countdown = static_cast<int>(GetBits(rec().FlagsG, 3, 3));
        EXPECT_GE(countdown, 2);
        EXPECT_LE(countdown, 5);
    }
}

} // namespace
} // namespace enemytest
