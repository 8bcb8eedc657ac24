// One enemy made from its kind.
#include <algorithm>
#include <functional>
#include <set>

#include "EnemyFixture.h"

namespace enemytest {
namespace {

class CreateEnemyTest : public EnemyTest {
protected:
    // Kind 30 of the sample data with changes, loaded again.
    void WithKind(const std::function<void(EnemyKind&)>& change)
    {
        std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
        change(kinds[30]);
        FreeEnemyKinds();
        LoadKinds(kinds);
    }
    static constexpr int kKind = 30;
};

TEST_F(CreateEnemyTest, SizeClassesGiveTheSpriteSizeAndTheUnderlay)
{
    const float sides[8] = {32, 48, 64, 96, 32, 32, 32, 32};
    for (int sizeClass = 0; sizeClass < 8; ++sizeClass) {
        SCOPED_TRACE(sizeClass);
        WithKind([&](EnemyKind& k) { k.def.SizeClass = sizeClass; });
        ASSERT_TRUE(group().CreateEnemy(0, kKind, 100, 200, false, false, 1));
        EXPECT_EQ(record(0).Width, sides[sizeClass]);
        EXPECT_EQ(record(0).Height, sides[sizeClass]);
        EXPECT_EQ(record(0).CenterX, 100 + sides[sizeClass] / 2);
        EXPECT_EQ((record(0).FlagsF & FLAGS_F_ALT_UNDERLAY) != 0, sizeClass == 1 || sizeClass == 3);
        group().Records[0] = EnemyRecord{};
    }
}

TEST_F(CreateEnemyTest, FramesAreHalvedWhenThePictureIsSmallAndOneRowSheetsIgnoreFacing)
{
    struct Case {
        const char* name;
        int sizeClass;
        std::uint32_t width, height;
        float frameW, frameH;
        bool oneRow;
    };
    const Case cases[] = {
        {"4 × 4 cells of 64", 2, 256, 256, 64, 64, false},    {"64 in a 128 picture", 2, 128, 128, 32, 32, false},
        {"one row of 64", 2, 256, 64, 64, 64, true},          {"one row too low for 64", 2, 256, 32, 64, 32, true},
        {"96 in a wide picture", 3, 384, 128, 96, 48, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WithKind([&](EnemyKind& k) {
            k.def.SizeClass = c.sizeClass;
            k.def.GraphicId = 150;
        });
        group().ReleaseEnemy();
        pack.images[PACK_ENEMY_GRAPHIC_FIRST + 150] = {c.width, c.height};
        group().InitEnemy();
        ASSERT_TRUE(group().CreateEnemy(2, kKind, 0, 100, false, false, 3));
        EXPECT_EQ(record(2).FrameWidth, c.frameW);
        EXPECT_EQ(record(2).FrameHeight, c.frameH);
        EXPECT_EQ((record(2).FlagsE & FLAGS_E_ONE_ROW) != 0, c.oneRow);
        // Facing down is row 3, or row 0 on a one-row sheet.
        const float top = c.oneRow ? 0.0f : 3.0f * c.frameH;
        EXPECT_FLOAT_EQ(group().SpriteUv[2][1], top / static_cast<float>(c.height));
        EXPECT_FLOAT_EQ(group().SpriteUv[2][2], c.frameW / static_cast<float>(c.width));
    }
}

TEST_F(CreateEnemyTest, SpriteColumnFollowsWalkingKnockBackAndPose)
{
    WithKind([](EnemyKind& k) { k.def.SizeClass = 0; });
    ASSERT_TRUE(group().CreateEnemy(0, kKind, 0, 100, false, false, 2));
    EnemyRecord& r = group().Records[0];
    auto column = [&] {
        group().UpdateSpriteFrame(0);
        return static_cast<int>(group().SpriteUv[0][0] * 128.0f / 32.0f + 0.5f);
    };
    EXPECT_EQ(column(), 0);
    r.FlagsA |= FLAGS_A_WALKING;
    r.WalkFrame = 9;
    EXPECT_EQ(column(), 2);
    r.State = ENEMY_KNOCKBACK;
    EXPECT_EQ(column(), 3);
    WithKind([](EnemyKind& k) { k.def.PoseSprite = 1; });
    group().KindDefs[0] = &FindEnemyKind(kKind)->def;
    r.KindWord |= KIND_WORD_POSE;
    EXPECT_EQ(column(), 3);
    r.State = ENEMY_NORMAL;
    EXPECT_EQ(column(), 1);
}

TEST_F(CreateEnemyTest, BoxesStatsAndStartingCooldowns)
{
    WithKind([](EnemyKind& k) {
        k.def.ContactLeft = 10;
        k.def.ContactTop = 12;
        k.def.ContactRight = 20;
        k.def.ContactBottom = 30;
        k.def.HitRight = 27;
        k.def.FirstActionDelay = 100;
        k.def.FirstMoveDelay = 40;
        k.def.ImmunityA = 0b0000011; // 0-4 and 5
        k.def.ImmunityB = 0b100000;  // 16
        k.def.Resist2 = 6;
        k.def.NoContact = 1;
        k.moves = sampledata::SampleEnemyKinds()[3].moves;
        k.moves[1].StartCooled = 1;
        k.moves[1].Cooldown = 33;
        k.actions = sampledata::SampleEnemyKinds()[3].actions;
        k.actions[0].StartCooled = 1;
        k.actions[0].Cooldown = 70;
    });
    ASSERT_TRUE(group().CreateEnemy(5, kKind, 10, 100, true, false, 0));
    const EnemyRecord& r = record(5);
    EXPECT_EQ(r.OuterBox.left, 7.0f);
    EXPECT_EQ(r.OuterBox.top, 9.0f);
    EXPECT_EQ(r.OuterBox.right, 23.0f);
    EXPECT_EQ(r.OuterBox.bottom, 31.0f);
    EXPECT_EQ(r.InnerBox.left, 11.0f);
    EXPECT_EQ(r.InnerBox.bottom, 29.0f);
    EXPECT_EQ(r.HitBox.right, 27.0f);
    EXPECT_EQ(r.ActionCooldownAll, 100);
    EXPECT_EQ(r.MoveCooldownAll, 40);
    EXPECT_EQ(r.ActionCooldown[0], 70);
    EXPECT_EQ(r.ActionCooldown[1], 0);
    EXPECT_EQ(r.MoveCooldown[1], 33);
    EXPECT_EQ(r.MoveCooldown[0], 0);
    EXPECT_EQ(r.ImmunityMask, 0x1Fu | 1u << 5 | 1u << 16 | 1u << 17 | 1u << 18);
    EXPECT_EQ(r.ElementResist[2], 6);
    EXPECT_TRUE(r.FlagsE & FLAGS_E_NO_CONTACT);
    EXPECT_TRUE(r.KindWord & KIND_WORD_CARRIES_DROP);
    EXPECT_EQ(r.Hp, FindEnemyKind(kKind)->def.MaxHp);
    EXPECT_EQ(r.Alpha, 255);
    EXPECT_EQ(GetBits(r.FlagsA, FLAGS_A_FACING, 2), 0u);
    EXPECT_EQ(group().MoveDefs[5], FindEnemyKind(kKind)->moves.data());
}

TEST_F(CreateEnemyTest, SlowedDelaysStretchByHalfUpTo65535)
{
    group().Records[1].Status.effectBits = 1u << STATUS_SLOW;
    EXPECT_EQ(group().StretchDelay(1, 100), 150);
    EXPECT_EQ(group().StretchDelay(1, 3), 4);
    EXPECT_EQ(group().StretchDelay(1, 50000), 65535);
    EXPECT_EQ(group().StretchDelay(0, 50000), 50000);
}

TEST_F(CreateEnemyTest, ClampKeepsTheEnemyOnTheField)
{
    WithKind([](EnemyKind& k) { k.def.SizeClass = 3; });
    // The outer box is what stays inside, as with every clamp to the field.
    ASSERT_TRUE(group().CreateEnemy(0, kKind, 620, 20, false, true, 2));
    EXPECT_EQ(record(0).PosX, 639.0f - record(0).OuterBox.right);
    EXPECT_EQ(record(0).PosY, 80.0f - record(0).OuterBox.top);
    EXPECT_EQ(record(0).PrevX, record(0).PosX);
    EXPECT_EQ(record(0).CenterX, record(0).PosX + 48.0f);
    ASSERT_TRUE(group().CreateEnemy(0, kKind, -90, 470, false, true, 2));
    EXPECT_EQ(record(0).PosX, -record(0).OuterBox.left);
    EXPECT_EQ(record(0).PosY, 479.0f - record(0).OuterBox.bottom);
    ASSERT_TRUE(group().CreateEnemy(1, kKind, 600, 20, false, false, 2));
    EXPECT_EQ(record(1).PosX, 600.0f);
}

TEST_F(CreateEnemyTest, TargetOrderIsFixedOrAShuffledPermutation)
{
    ASSERT_TRUE(group().CreateEnemy(0, kKind, 0, 100, false, false, 2));
    EXPECT_EQ(record(0).TargetOrder[0], 2);
    EXPECT_EQ(record(0).TargetOrder[1], 1);
    EXPECT_EQ(record(0).TargetOrder[2], 0);
    WithKind([](EnemyKind& k) { k.def.ShuffleTargets = 1; });
    std::set<std::vector<int>> orders;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(group().CreateEnemy(0, kKind, 0, 100, false, false, 2));
        std::vector<int> order(record(0).TargetOrder, record(0).TargetOrder + 3);
        orders.insert(order);
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2}));
    }
    EXPECT_EQ(orders.size(), 6u);
}

TEST_F(CreateEnemyTest, SeenByComparesDefenceWithTheMembersAttack)
{
    WithKind([](EnemyKind& k) {
        k.def.Defence = 50;
        k.def.DefenceB = 80;
    });
    parts->party.statsA[0][0] = 51; // beats the defence
    parts->party.statsA[1][0] = 50; // does not
    parts->party.statsA[2][1] = 81;
    ASSERT_TRUE(group().CreateEnemy(0, kKind, 0, 100, false, false, 2));
    EXPECT_EQ(record(0).SeenBy[0], 1);
    EXPECT_EQ(record(0).SeenBy[1], 0);
    EXPECT_EQ(record(0).SeenBy[2], 1);
    WithKind([](EnemyKind& k) { k.def.AllSeen = 1; });
    ASSERT_TRUE(group().CreateEnemy(0, kKind, 0, 100, false, false, 2));
    EXPECT_EQ(record(0).SeenBy[1], 1);
}

TEST_F(CreateEnemyTest, RotatingPhaseIndicesAndTheirSteps)
{
    WithKind([](EnemyKind& k) { k.def.PhaseRotation = 1; });
    ASSERT_TRUE(SetupFormation(FormationBytes({kKind, kKind, 17}, 3)));
    EXPECT_EQ(GetBits(record(0).FlagsD, FLAGS_D_PHASE_INDEX, 3), 0u);
    EXPECT_EQ(GetBits(record(1).FlagsD, FLAGS_D_PHASE_INDEX, 3), 1u);
    EXPECT_EQ(GetBits(group().GroupBits, GROUP_PHASE_INDEX, 3), 2u);
    EXPECT_EQ(group().PhasePeriod, 0); // kind 17 of the sample data does not rotate
    EXPECT_EQ(GetBits(record(0).FlagsD, FLAGS_D_PHASE_LENGTH, 3), 0u) << "only kind 17 has a cycle";

    std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
    kinds[17].def.PhaseRotation = 1;
    kinds[kKind].def.PhaseRotation = 1;
    FreeEnemyKinds();
    LoadKinds(kinds);
    ASSERT_TRUE(SetupFormation(FormationBytes({17, 17, 17, 17}, 1)));
    EXPECT_EQ(group().PhasePeriod, 960);
    EXPECT_EQ(GetBits(record(3).FlagsD, FLAGS_D_PHASE_INDEX, 3), 0u); // 3 mod 3
    for (int frame = 0; frame < 959; ++frame)
        group().StepRotatingPhase();
    EXPECT_EQ(GetBits(record(1).FlagsD, FLAGS_D_PHASE_INDEX, 3), 1u);
    group().StepRotatingPhase();
    EXPECT_EQ(GetBits(record(1).FlagsD, FLAGS_D_PHASE_INDEX, 3), 2u);
    EXPECT_EQ(GetBits(record(2).FlagsD, FLAGS_D_PHASE_INDEX, 3), 0u);

    // A rotating kind other than 17 keeps the index creation gave it.
    ASSERT_TRUE(SetupFormation(FormationBytes({17, kKind, kKind}, 1)));
    ASSERT_EQ(GetBits(record(2).FlagsD, FLAGS_D_PHASE_INDEX, 3), 2u);
    for (int frame = 0; frame < 960; ++frame)
        group().StepRotatingPhase();
    EXPECT_EQ(GetBits(record(0).FlagsD, FLAGS_D_PHASE_INDEX, 3), 1u) << "the phase turned";
    EXPECT_EQ(GetBits(record(2).FlagsD, FLAGS_D_PHASE_INDEX, 3), 2u);
}

TEST_F(CreateEnemyTest, TheStatBonusLaysTwoStatusEffects)
{
    ASSERT_TRUE(group().CreateEnemy(3, kKind, 0, 100, false, false, 2));
    EXPECT_EQ(record(3).Status.effectBits, 0u);
    group().SetMapBit(true);
    ASSERT_TRUE(group().CreateEnemy(3, kKind, 0, 100, false, false, 2));
    EXPECT_EQ(record(3).Status.effectBits, 1u << 3 | 1u << 4);
}

} // namespace
} // namespace enemytest
