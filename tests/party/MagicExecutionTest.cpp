// Member 2's magic taking effect: the shots of every shot magic (count,
// places, directions, delays, knock-back, orbit), the stock paid exactly or
// refused, heals, the cure, the revive, the statuses in force and the roll
// of the next quick magic.
#include <cmath>
#include <vector>

#include "PartyWorld.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/AttackCosts.h"
#include "party/MagicExecution.h"
#include "party/MemberAttacks.h"
#include "party/MagicShotTable.h"
#include "record/UseRuleTables.h"

namespace {

using partytest::PartyBattleTest;
using partytest::SeedDrawing;
using partytest::Within;

constexpr float kCasterX = 544.0f; // member 2's place at the battle start
constexpr float kCasterY = 344.0f;
const float kDiagonal = static_cast<float>(32.0 / std::sqrt(2.0));

class MagicExecution : public PartyBattleTest {
protected:
    void SetUp() override
    {
        PartyBattleTest::SetUp();
        shots.ClearCharaShots();
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stockMax[k] = 100;
        party.statsB[2][1] = 77;
    }
    void Face(int facing) { FacingField::Set(party.members[2].state, static_cast<std::uint32_t>(facing)); }
    void GiveStockFor(int magic, int extra = 0)
    {
        party.stock[MagicStock(magic)] = static_cast<std::int16_t>(MagicCostTable[magic] + extra);
    }
    std::vector<const CharaShotNode*> Shots() const
    {
        std::vector<const CharaShotNode*> nodes;
        for (const CharaShotNode* n = shots.head; n != nullptr; n = n->next)
            nodes.push_back(n);
        return nodes;
    }
    std::vector<int> Directions() const
    {
        std::vector<int> directions;
        for (const CharaShotNode* n : Shots())
            directions.push_back(n->Direction());
        return directions;
    }
    std::vector<int> StartAges() const
    {
        std::vector<int> ages;
        for (const CharaShotNode* n : Shots())
            ages.push_back(n->age);
        return ages;
    }

    fakes::FakeEnemyGroup group{enemies};
};

TEST_F(MagicExecution, RingsFollowTheCastersFacing)
{
    struct Case {
        int magic;
        int facing;
        std::vector<int> directions;
    };
    const Case cases[] = {
        {0, FACING_LEFT, {1, 2, 3}},        {0, FACING_UP, {0, 1, 7}},         {0, FACING_RIGHT, {5, 6, 7}},
        {0, FACING_DOWN, {3, 4, 5}},        {1, FACING_LEFT, {0, 1, 2, 3, 4}}, {1, FACING_UP, {0, 1, 2, 6, 7}},
        {1, FACING_RIGHT, {0, 4, 5, 6, 7}}, {1, FACING_DOWN, {2, 3, 4, 5, 6}}, {2, FACING_UP, {0, 1, 2, 3, 4, 5, 6, 7}},
        {5, FACING_UP, {1, 3, 5, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "magic " << c.magic << " facing " << c.facing);
        SetUp();
        Face(c.facing);
        GiveStockFor(c.magic);
        ASSERT_TRUE(ExecuteMemberMagic(c.magic));
        EXPECT_EQ(Directions(), c.directions);
        EXPECT_EQ(party.stock[MagicStock(c.magic)], 0) << "exactly the cost leaves nothing";
        for (const CharaShotNode* n : Shots()) {
            EXPECT_EQ(n->Kind(), SHOT_MAGIC);
            EXPECT_EQ(n->Subtype(), c.magic);
            EXPECT_EQ(ShotOwner::Get(n->shotBits), 2u);
            EXPECT_EQ(ShotPower::Get(n->powerBits), 77u);
            EXPECT_EQ(n->age, 0);
        }
    }
}

TEST_F(MagicExecution, RingShotsStand32PixelsOutAndTheShieldFurther)
{
    GiveStockFor(2);
    ASSERT_TRUE(ExecuteMemberMagic(2));
    const auto ring = Shots();
    ASSERT_EQ(ring.size(), 8u);
    const float reach[2][8] = {{0, -kDiagonal, -32, -kDiagonal, 0, kDiagonal, 32, kDiagonal},
                               {-32, -kDiagonal, 0, kDiagonal, 32, kDiagonal, 0, -kDiagonal}};
    for (int d = 0; d < 8; ++d) {
        EXPECT_FLOAT_EQ(ring[d]->x, kCasterX + reach[0][d]) << d;
        EXPECT_FLOAT_EQ(ring[d]->y, kCasterY + reach[1][d]) << d;
    }
    shots.ClearCharaShots();
    GiveStockFor(13);
    ASSERT_TRUE(ExecuteMemberMagic(13));
    const auto shield = Shots();
    ASSERT_EQ(shield.size(), 8u);
    EXPECT_FLOAT_EQ(shield[0]->y, kCasterY - 48.0f);
    EXPECT_FLOAT_EQ(shield[1]->x, kCasterX - static_cast<float>(48.0 / std::sqrt(2.0)));
    EXPECT_EQ(ShotKnockback::Get(shield[0]->shotBits), 3u);
    EXPECT_EQ(shots.burstCount, 8);
}

TEST_F(MagicExecution, SingleShotsLeaveFromTheCasterItsWay)
{
    for (int magic : {3, 4, 6}) {
        SetUp();
        Face(FACING_LEFT);
        GiveStockFor(magic);
        ASSERT_TRUE(ExecuteMemberMagic(magic));
        const auto made = Shots();
        ASSERT_EQ(made.size(), 1u) << magic;
        EXPECT_EQ(made[0]->x, kCasterX);
        EXPECT_EQ(made[0]->y, kCasterY);
        EXPECT_EQ(made[0]->Direction(), 2) << "facing left is the left direction";
    }
}

TEST_F(MagicExecution, DancersLeaveTheFieldCentreEveryWay)
{
    GiveStockFor(7);
    ASSERT_TRUE(ExecuteMemberMagic(7));
    EXPECT_EQ(Directions(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    for (const CharaShotNode* n : Shots()) {
        EXPECT_EQ(n->x, 304.0f);
        EXPECT_EQ(n->y, 264.0f);
    }
}

TEST_F(MagicExecution, CrossWindComesFromEachEdgeInTurn)
{
    group.Place(0, 100, 250); // centre (116, 266): nearest the left edge
    GiveStockFor(8);
    ASSERT_TRUE(ExecuteMemberMagic(8));
    const auto made = Shots();
    ASSERT_EQ(made.size(), 4u);
    const struct {
        float x, y;
        int direction, age;
    } expected[4] = {{-32, 250, 6, 0}, {100, 480, 0, -15}, {640, 250, 2, -30}, {100, 48, 4, -45}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(made[k]->x, expected[k].x) << k;
        EXPECT_EQ(made[k]->y, expected[k].y) << k;
        EXPECT_EQ(made[k]->Direction(), expected[k].direction) << k;
        EXPECT_EQ(made[k]->age, expected[k].age) << k;
    }
}

TEST_F(MagicExecution, ReverseWindStartsBehindTheCaster)
{
    Face(FACING_DOWN);
    GiveStockFor(9);
    ASSERT_TRUE(ExecuteMemberMagic(9));
    const auto made = Shots();
    ASSERT_EQ(made.size(), 3u);
    EXPECT_EQ(Directions(), (std::vector<int>{4, 5, 3}));
    EXPECT_EQ(StartAges(), (std::vector<int>{0, -18, -36}));
    EXPECT_FLOAT_EQ(made[0]->y, kCasterY - 32.0f);
    EXPECT_FLOAT_EQ(made[1]->x, kCasterX - kDiagonal);
    EXPECT_FLOAT_EQ(made[2]->x, kCasterX + kDiagonal);
    EXPECT_FLOAT_EQ(made[2]->y, kCasterY - kDiagonal);
}

TEST_F(MagicExecution, ThunderFallsOnEveryEnemyStillStanding)
{
    group.Place(0, 200, 200);
    group.Place(1, 400, 300);
    group.Place(2, 300, 150);
    group.Defeat(2);
    GiveStockFor(10);
    ASSERT_TRUE(ExecuteMemberMagic(10));
    const auto made = Shots();
    ASSERT_EQ(made.size(), 8u);
    EXPECT_EQ(StartAges(), (std::vector<int>{0, -8, -16, -24, 0, -8, -16, -24}));
    const float sqrt3 = static_cast<float>(std::sqrt(3.0));
    const float x0[2] = {(216.0f - 64.0f) / sqrt3 + 216.0f - 16.0f, (316.0f - 64.0f) / sqrt3 + 416.0f - 16.0f};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(made[k]->y, 48.0f);
        EXPECT_EQ(made[k]->Direction(), 0);
        const float r = made[k]->x - (x0[k / 4] - 32.0f);
        EXPECT_GE(r, 0.0f) << k;
        EXPECT_LT(r, 64.0f) << k;
        EXPECT_EQ(r, std::floor(r)) << "a whole draw of 0-63";
    }
}

TEST_F(MagicExecution, WhirlwindQueuesFifteenShotsFromTheLeft)
{
    GiveStockFor(11, 5);
    ASSERT_TRUE(ExecuteMemberMagic(11));
    const auto made = Shots();
    ASSERT_EQ(made.size(), 15u);
    for (int k = 0; k < 15; ++k) {
        EXPECT_EQ(made[k]->x, -32.0f);
        EXPECT_EQ(made[k]->y, 80.0f);
        EXPECT_EQ(made[k]->age, -120 * (k + 1));
    }
    EXPECT_EQ(party.stock[MagicStock(11)], 5);
}

TEST_F(MagicExecution, TrapsAndFangsSurroundAnEnemy)
{
    group.Place(0, 100, 250, 32, 64); // centre (116, 282), offsets 48 and 64
    GiveStockFor(12);
    ASSERT_TRUE(ExecuteMemberMagic(12));
    auto made = Shots();
    ASSERT_EQ(made.size(), 4u);
    const float corners[4][2] = {{52, 266}, {100, 202}, {148, 266}, {100, 330}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(made[k]->x, corners[k][0]) << k;
        EXPECT_EQ(made[k]->y, corners[k][1]) << k;
        EXPECT_EQ(ShotKnockback::Get(made[k]->shotBits), 0u);
    }
    shots.ClearCharaShots();
    GiveStockFor(14);
    ASSERT_TRUE(ExecuteMemberMagic(14));
    made = Shots();
    ASSERT_EQ(made.size(), 8u);
    const float dx = static_cast<float>(48.0 / std::sqrt(2.0));
    const float dy = static_cast<float>(64.0 / std::sqrt(2.0));
    EXPECT_FLOAT_EQ(made[4]->x, 116.0f - dx - 16.0f);
    EXPECT_FLOAT_EQ(made[4]->y, 282.0f - dy - 16.0f);
    EXPECT_FLOAT_EQ(made[7]->x, 116.0f + dx - 16.0f);
    EXPECT_FLOAT_EQ(made[7]->y, 282.0f + dy - 16.0f);
    EXPECT_EQ(ShotKnockback::Get(made[7]->shotBits), 1u);
}

TEST_F(MagicExecution, AttendantsCircleEveryMemberUp)
{
    KnockedOut::Set(party.members[1].state, 1);
    GiveStockFor(15);
    ASSERT_TRUE(ExecuteMemberMagic(15));
    const auto made = Shots();
    ASSERT_EQ(made.size(), 8u);
    EXPECT_EQ(Directions(), (std::vector<int>{0, 2, 4, 6, 0, 2, 4, 6}));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(ShotOrbitMember::Get(made[k]->shotBits), k < 4 ? 0u : 2u) << k;
    EXPECT_EQ(made[0]->y, party.members[0].y - 32.0f);
}

TEST_F(MagicExecution, ShortStockOrABadIdSpendsNothing)
{
    for (int magic : {0, 11, 16, 23}) {
        party.stock[MagicStock(magic)] = static_cast<std::int16_t>(MagicCostTable[magic] - 1);
        EXPECT_FALSE(ExecuteMemberMagic(magic)) << magic;
        EXPECT_EQ(party.stock[MagicStock(magic)], MagicCostTable[magic] - 1);
    }
    EXPECT_FALSE(ExecuteMemberMagic(24));
    EXPECT_FALSE(ExecuteMemberMagic(-1));
    EXPECT_EQ(shots.head, nullptr);
    EXPECT_EQ(party.partyWordA & MagicInForce::kMask, 0u);
}

TEST_F(MagicExecution, HealsCureAndRevive)
{
    party.hp[0] = 10;
    MagicTarget::Set(party.members[2].state, 0);
    GiveStockFor(16);
    ASSERT_TRUE(ExecuteMemberMagic(16));
    EXPECT_EQ(party.hp[0], 90);

    // The mist heals every member up; one at full still hears it and sees a 0.
    party.hp[0] = 50;
    party.hp[1] = 0;
    KnockedOut::Set(party.members[1].state, 1);
    for (int frame = 0; frame < 4; ++frame)
        player.CountPlaySEFrame();
    TakeSounds();
    GiveStockFor(18);
    ASSERT_TRUE(ExecuteMemberMagic(18));
    EXPECT_EQ(party.hp[0], 100);
    EXPECT_EQ(party.hp[1], 0);
    EXPECT_EQ(party.hp[2], 100);
    EXPECT_EQ(Popups(POPUP_HEAL), 1 + 2);
    EXPECT_EQ(Times(TakeSounds(), 8), 1) << "the two heals of one frame sound once";

    MagicTarget::Set(party.members[2].state, 1);
    GiveStockFor(19);
    ASSERT_TRUE(ExecuteMemberMagic(19));
    EXPECT_FALSE(party.IsKnockedOut(1));
    EXPECT_EQ(party.hp[1], 75);
    EXPECT_EQ(party.members[1].invincibleFrames, 120);
    EXPECT_TRUE(Invincible::IsSet(party.members[1].state));

    GiveEffect(0, EFFECT_POISON);
    GiveEffect(0, EFFECT_ATTACK_UP);
    GiveEffect(2, EFFECT_CURSE);
    GiveStockFor(17);
    ASSERT_TRUE(ExecuteMemberMagic(17));
    EXPECT_EQ(party.members[0].effectBits, 1u << EFFECT_ATTACK_UP) << "only ailments go";
    EXPECT_EQ(party.members[2].effectBits, 0u);
    EXPECT_EQ(shots.head, nullptr);
}

TEST_F(MagicExecution, EnemyWideStatusesGoIntoForce)
{
    for (int magic = 20; magic < 24; ++magic) {
        GiveStockFor(magic);
        ASSERT_TRUE(ExecuteMemberMagic(magic));
        EXPECT_EQ(MagicInForce::Get(party.partyWordA), (1u << (magic - 19)) - 1u) << magic;
    }
    EXPECT_EQ(party.stock[5], 0);
}

TEST_F(MagicExecution, QuickMagicIsRolledAnewAfterEachMagic)
{
    QuickMagic::Set(party.members[2].flags2, 1);
    GiveStockFor(20);
    ASSERT_TRUE(ExecuteMemberMagic(20));
    EXPECT_FALSE(QuickMagic::IsSet(party.members[2].flags2)) << "without the special it clears";

    party.specialCode[2] = QUICK_MAGIC_SPECIAL;
    for (const bool quick : {true, false}) {
        SeedGameRandom(SeedDrawing({quick ? Within(0, QUICK_MAGIC_CHANCE) : Within(QUICK_MAGIC_CHANCE, 32768)}));
        GiveStockFor(20);
        ASSERT_TRUE(ExecuteMemberMagic(20));
        EXPECT_EQ(QuickMagic::IsSet(party.members[2].flags2), quick);
    }
}

TEST_F(MagicExecution, CastingShowsTheMagicsIconFromTheGroupsSheet)
{
    CTexture sheet;
    sheet.width = 128.0f;
    sheet.height = 128.0f;
    enemies.MarkTex = &sheet;
    ASSERT_TRUE(StartMemberMagic(2, 9, true, 0, 0, -1)); // kind 2, column 1
    enemies.MarkTex = nullptr;
    const float u[4] = {16.0f / 128, 32.0f / 128, 16.0f / 128, 32.0f / 128};
    const float v[4] = {32.0f / 128, 32.0f / 128, 48.0f / 128, 48.0f / 128};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(party.magicIconUV[0][i], u[i]) << i;
        EXPECT_FLOAT_EQ(party.magicIconUV[1][i], v[i]) << i;
    }
}

} // namespace
