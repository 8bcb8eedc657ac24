// Shots bursting into children: the count, the headings of each spread
// code, what a child takes from its row and from its parent.
#include <cmath>
#include <vector>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/ChildShots.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;

class ChildShotTest : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        OneEnemy([](EnemyKind&) {}, 300, 200);
        SeedGameRandom(5);
    }
    EnemyShotNode* Parent(float angle = 0.5f)
    {
        EnemyShotSpec s{};
        s.x = 200;
        s.y = 150;
        s.speed = 2.5f;
        s.turn = 0.03f;
        s.accel = 0.125f;
        s.power = 10;
        s.attack = 77;
        s.angle = angle;
        s.lifeMin = s.lifeMax = 284; // Life 300
        s.aimKind = 22;
        s.element = 5;
        s.magic = true;
        s.erasable = true;
        s.targetMode = 4;
        s.ownerSlot = 0;
        s.orbitSlot = 3;
        s.spread = 2;
        s.ailment = 9;
        s.ailmentRate = 7;
        s.edgeMode = 6;
        return shots().CreateEnemyShot(s);
    }
    // Children made by one burst, after the parent.
    std::vector<EnemyShotNode*> Burst(int count, int code, int row)
    {
        shots().ClearEnemyShots();
        EnemyShotNode* parent = Parent();
        SpawnChildShot(*parent, count, code, row);
        std::vector<EnemyShotNode*> children;
        for (EnemyShotNode* n = parent->Next; n != nullptr; n = n->Next)
            children.push_back(n);
        return children;
    }
};

TEST_F(ChildShotTest, ARowWithAMinimumDrawsTheCountBetweenItAndTheAskedCount)
{
    struct Case {
        int row, count, low, high;
    };
    // Row 7 from 2, row 11 from 4, row 13 from 3; a minimum above the asked
    // count gives the asked count.
    for (const Case& c :
         {Case{7, 5, 2, 5}, Case{11, 8, 4, 8}, Case{13, 2, 2, 2}, Case{11, 2, 2, 2}, Case{2, 6, 6, 6}}) {
        int lowest = 100, highest = 0;
        for (int i = 0; i < 200; ++i) {
            const int n = static_cast<int>(Burst(c.count, 28, c.row).size());
            lowest = std::min(lowest, n);
            highest = std::max(highest, n);
        }
        EXPECT_EQ(lowest, c.low) << "row " << c.row;
        EXPECT_EQ(highest, c.high) << "row " << c.row;
    }
}

TEST_F(ChildShotTest, HeadingsOfTheEvenSpreadCodes)
{
    struct Case {
        int code, n;
        std::vector<float> headings;
    };
    const float p = 0.5f;
    const Case cases[] = {
        {28, 4, {-kPi, -kPi / 2, 0, kPi / 2}},
        {29, 2, {-kPi / 2, kPi / 2}},
        {31, 2, {p, p + kPi - 2 * kPi}},
        {32, 2, {p + kPi / 2, p + 3 * kPi / 2 - 2 * kPi}},
        {33, 2, {-kPi, -kPi}}, // no such code: straight up
    };
    for (const Case& c : cases) {
        const std::vector<EnemyShotNode*> children = Burst(c.n, c.code, 2);
        ASSERT_EQ(children.size(), c.headings.size());
        for (std::size_t i = 0; i < children.size(); ++i)
            EXPECT_NEAR(children[i]->Angle, c.headings[i], 1e-5) << "code " << c.code << " child " << i;
    }
}

TEST_F(ChildShotTest, JitteredCodesStayInsideTheirShareOfTheCircle)
{
    for (int round = 0; round < 20; ++round) {
        const int n = 8;
        const float share = 2 * kPi / n;
        std::vector<EnemyShotNode*> children = Burst(n, 30, 2);
        for (int i = 0; i < n; ++i) {
            EXPECT_GE(children[i]->Angle, share * i - kPi - 1e-5f);
            EXPECT_LT(children[i]->Angle, share * (i + 1) - kPi + 1e-5f);
        }
        children = Burst(n, 35, 2);
        for (int i = 0; i < n; ++i) {
            EXPECT_GE(children[i]->Angle, -kPi);
            EXPECT_LT(children[i]->Angle, kPi);
        }
        for (EnemyShotNode* c : Burst(n, 27, 2)) {
            EXPECT_GE(c->Angle, -kPi);
            EXPECT_LT(c->Angle, kPi);
        }
    }
}

TEST_F(ChildShotTest, CodeFortyEightFansOutByTheOwnersKind)
{
    // The demo kinds have none of the special fans: the default fan of 25°.
    std::vector<EnemyShotNode*> children = Burst(3, 48, 2);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_NEAR(children[0]->Angle, 0.5f - 0.21816616f, 1e-5);
    EXPECT_NEAR(children[1]->Angle, 0.5f, 1e-5);
    EXPECT_NEAR(children[2]->Angle, 0.5f + 0.21816616f, 1e-5);
    children = Burst(1, 48, 2);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_NEAR(children[0]->Angle, 0.5f, 1e-5) << "a fan of one flies on at the parent's heading";
}

TEST_F(ChildShotTest, AChildTakesItsRowAndWhatItsParentCarries)
{
    EnemyShotNode* parent = Parent();
    eshot::AttackUp::Set(parent->BitsC, 1);
    eshot::AttackUpLevel::Set(parent->BitsC, 2);
    eshot::Weak85::Set(parent->BitsD, 1);
    SpawnChildShot(*parent, 1, 28, 5);
    const EnemyShotNode& c = *parent->Next;
    // Row 5: the parent's speed, its own turn, life 240 + 16, period 60,
    // action 9, one hit, chance 100, once, the parent's edge mode.
    EXPECT_FLOAT_EQ(c.Speed, 2.5f);
    EXPECT_FLOAT_EQ(c.Turn, 0.0f);
    EXPECT_FLOAT_EQ(c.Accel, 0.0f);
    EXPECT_EQ(c.Life, 256);
    EXPECT_EQ(c.Period, 60);
    EXPECT_EQ(eshot::Action::Get(c.BitsA), 9u);
    EXPECT_EQ(eshot::Hits::Get(c.BitsA), 1u);
    EXPECT_EQ(eshot::Chance::Get(c.BitsB), 100u);
    EXPECT_TRUE(eshot::Once::IsSet(c.BitsB));
    EXPECT_EQ(eshot::EdgeMode::Get(c.BitsA), 6u);
    EXPECT_EQ(eshot::AimKind::Get(c.BitsA), 22u);
    EXPECT_EQ(c.Age, 0);
    EXPECT_FLOAT_EQ(c.X, 200.0f);
    EXPECT_FLOAT_EQ(c.Y, 150.0f);
    // From the parent.
    EXPECT_FLOAT_EQ(c.Power, 8.0f);
    EXPECT_EQ(c.Attack(), 77);
    EXPECT_EQ(eshot::Element::Get(c.BitsA), 5u);
    EXPECT_TRUE(eshot::Magic::IsSet(c.BitsD));
    EXPECT_TRUE(eshot::Erasable::IsSet(c.BitsB));
    EXPECT_EQ(eshot::TargetMode::Get(c.BitsB), 4u);
    EXPECT_EQ(eshot::OrbitSlot::Get(c.BitsD), 3u);
    EXPECT_EQ(eshot::Spread::Get(c.BitsC), 2u);
    EXPECT_EQ(eshot::Ailment::Get(c.BitsC), 9u);
    EXPECT_EQ(eshot::AilmentRate::Get(c.BitsD), 7u);
    // The owner's states at the parent's making stay with the children.
    EXPECT_TRUE(eshot::AttackUp::IsSet(c.BitsC));
    EXPECT_EQ(eshot::AttackUpLevel::Get(c.BitsC), 2u);
    EXPECT_TRUE(eshot::Weak85::IsSet(c.BitsD));
    EXPECT_FALSE(eshot::Weak90::IsSet(c.BitsD));
    EXPECT_FLOAT_EQ(GetEffectiveShotPower(c), 8.0f * 2.0f * 0.85f);
}

TEST_F(ChildShotTest, RowsCopyingTheParent)
{
    struct Case {
        int row;
        float speed, turn, accel;
        int life;
        int edge;
    };
    const Case cases[] = {
        {1, 2.5f, 0, 0, 316, 6},                                   // the parent's speed and life (300 + 16)
        {16, 2.5f, 0.03f, 0.125f, 616, 6},                         // speed, turn and acceleration
        {2, 4.25f, 0, 0, 316, 6},          {4, 6.0f, 0, 0, -1, 1}, // its own edge mode
        {11, 4.0f, 0.02f, 0, 316, 0},
    };
    for (const Case& c : cases) {
        const std::vector<EnemyShotNode*> children = Burst(4, 28, c.row);
        ASSERT_FALSE(children.empty());
        const EnemyShotNode& child = *children[0];
        EXPECT_FLOAT_EQ(child.Speed, c.speed) << "row " << c.row;
        EXPECT_FLOAT_EQ(child.Turn, c.turn) << "row " << c.row;
        EXPECT_FLOAT_EQ(child.Accel, c.accel) << "row " << c.row;
        if (c.life >= 0) {
            EXPECT_EQ(child.Life, c.life) << "row " << c.row;
        }
        EXPECT_EQ(static_cast<int>(eshot::EdgeMode::Get(child.BitsA)), c.edge) << "row " << c.row;
    }
    EXPECT_TRUE(Burst(4, 28, 17).empty()) << "no row beyond the table";
    EXPECT_TRUE(Burst(4, 28, 63).empty());
}

TEST_F(ChildShotTest, Row8ChildrenBurstAgainIntoJitteredRings)
{
    EnemyShotNode* parent = Parent();
    eshot::EdgeMode::Set(parent->BitsA, 0);
    parent->X = 300;
    parent->Y = 250;
    SpawnChildShot(*parent, 8, 28, 8);
    shots().RemoveEnemyShot(parent);
    ASSERT_EQ(shots().CountEnemyShots(), 8);
    for (int i = 0; i < 60; ++i)
        shots().UpdateEnemyShot();
    EXPECT_EQ(shots().CountEnemyShots(), 8);
    shots().UpdateEnemyShot();
    ASSERT_EQ(shots().CountEnemyShots(), 64) << "each of 8 burst into 8 row-2 children";
    // Each burst's eight children keep to their eighth of the circle (code 30).
    int i = 0;
    for (EnemyShotNode* n = shots().ShotHead; n != nullptr; n = n->Next, ++i) {
        const int k = n->Index;
        EXPECT_EQ(k, i % 8);
        // They have made one step already at 4.25 along their heading.
        EXPECT_FLOAT_EQ(n->Speed, 4.25f);
        EXPECT_EQ(eshot::Action::Get(n->BitsA), 0u);
    }
}

} // namespace
} // namespace enemytest
