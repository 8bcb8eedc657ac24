// The party's shot list: the blow following member 0 and shrinking, straight
// shots flying and fading, delayed magic, the orbit's radius, expiry,
// removal while the list is walked, and the damage multiplier.
#include <cmath>
#include <cstring>

#include "PartyWorld.h"
#include "party/MagicShotTable.h"

namespace {

using partytest::PartyBattleTest;
using partytest::SeedDrawing;
using partytest::Within;

class CharaShots : public PartyBattleTest {
protected:
    CharaShotNode* Make(std::uint32_t kind, float x, float y, int direction, int subtype, std::int16_t startAge = 0,
                        int owner = 0, int orbit = 0)
    {
        CharaShotSpec spec{};
        spec.kind = kind;
        spec.x = x;
        spec.y = y;
        spec.power = 100;
        spec.startAge = startAge;
        spec.ownerRecord = &party.members[owner];
        spec.owner = owner;
        spec.direction = direction;
        spec.subtype = subtype;
        spec.orbitMember = orbit;
        EXPECT_TRUE(shots.CreateCharaShot(spec));
        return shots.tail;
    }
    int Nodes() const
    {
        int count = 0;
        for (const CharaShotNode* n = shots.head; n != nullptr; n = n->next)
            ++count;
        return count;
    }
    std::uint32_t DrawnAlpha(CharaShotNode* node)
    {
        shots.DrawCharaShot(node, 0.5f);
        return shots.quad[0].colour >> 24;
    }
};

TEST_F(CharaShots, PowerIsCappedAndOwnerEffectsTravelWithTheShot)
{
    CharaShotSpec spec{};
    spec.kind = SHOT_STRAIGHT;
    spec.power = 1500000;
    GiveEffect(1, EFFECT_ATTACK_UP);
    AttackUpLevel::Set(party.members[1].boostLevels, 2);
    GiveEffect(1, 12);
    spec.ownerRecord = &party.members[1];
    ASSERT_TRUE(shots.CreateCharaShot(spec));
    const CharaShotNode& node = *shots.tail;
    EXPECT_EQ(ShotPower::Get(node.powerBits), 999999u);
    EXPECT_TRUE(ShotAttackUp::IsSet(node.powerBits));
    EXPECT_EQ(ShotAttackUpLevel::Get(node.powerBits), 2u);
    EXPECT_TRUE(ShotWeakenedMore::IsSet(node.powerBits));
    EXPECT_FALSE(ShotWeakened::IsSet(node.powerBits));
    EXPECT_EQ(TakeSounds(), std::vector<int>{26});
}

TEST_F(CharaShots, BlowFollowsMemberZeroThenShrinksAndEnds)
{
    BattleMember& m0 = party.members[0];
    CharaShotNode* first = Make(SHOT_ATTACHED, m0.x + 32, m0.y, FACING_RIGHT, 0);
    CharaShotNode* second = Make(SHOT_ATTACHED, m0.x + 32, m0.y + 40, FACING_RIGHT, 0);
    party.SetMemberPosX(0, m0.x + 5);
    shots.UpdateCharaShot();
    EXPECT_EQ(first->x, 464 + 32 + 5);
    EXPECT_EQ(second->x, 464 + 32) << "only the first node in the list follows";
    for (int age = 2; age <= 15; ++age)
        shots.UpdateCharaShot();
    EXPECT_EQ(first->width, 32.0f);
    const float widths[3] = {24, 16, 8};
    for (float width : widths) {
        shots.UpdateCharaShot();
        EXPECT_EQ(first->width, width);
    }
    EXPECT_EQ(Nodes(), 2);
    shots.UpdateCharaShot();
    EXPECT_EQ(Nodes(), 0) << "a blow lives 19 frames";
}

TEST_F(CharaShots, StraightShotsFlyFadeAndLeaveTheField)
{
    shots.ResetCharaShotCounters();
    CharaShotNode* up = Make(SHOT_STRAIGHT, 300, 440, FACING_UP, 0);
    Make(SHOT_STRAIGHT, 10, 200, FACING_LEFT, 0);
    EXPECT_EQ(shots.straightCount[FACING_UP], 1);
    EXPECT_TRUE(shots.AnyStraightShotAlive());
    for (int frame = 1; frame <= 8; ++frame)
        shots.UpdateCharaShot();
    EXPECT_EQ(shots.straightCount[FACING_LEFT], 0) << "it left the field (x 10 - 48 + 32 < 0) and went";
    EXPECT_EQ(Nodes(), 1);
    EXPECT_EQ(up->y, 440 - 48);
    for (int frame = 9; frame <= 45; ++frame)
        shots.UpdateCharaShot();
    EXPECT_EQ(DrawnAlpha(up), 255u);
    shots.UpdateCharaShot(); // age 46: the last 15 frames fade by 16
    EXPECT_EQ(DrawnAlpha(up), 239u);
    for (int frame = 47; frame <= 60; ++frame)
        shots.UpdateCharaShot();
    EXPECT_EQ(DrawnAlpha(up), 15u);
    shots.UpdateCharaShot();
    EXPECT_EQ(Nodes(), 0) << "straight shots live 61 frames";
    EXPECT_FALSE(shots.AnyStraightShotAlive());
}

TEST_F(CharaShots, DelayedMagicStartsOnItsEleventhUpdate)
{
    CharaShotNode* node = Make(SHOT_MAGIC, 100, 200, 6, 4, -10);
    TakeSounds();
    for (int i = 0; i < 10; ++i) {
        shots.UpdateCharaShot();
        EXPECT_FALSE(ShotInView::IsSet(node->shotBits)) << i;
    }
    EXPECT_EQ(node->x, 100.0f);
    EXPECT_TRUE(TakeSounds().empty());
    player.CountPlaySEFrame();
    shots.UpdateCharaShot();
    EXPECT_EQ(TakeSounds(), std::vector<int>{31});
    EXPECT_TRUE(ShotInView::IsSet(node->shotBits));
    // Subtype 4 jumps 32 px, then flies 8.5 px a frame, heading right (direction 6).
    EXPECT_FLOAT_EQ(node->x, 100 + 32 + 8.5f);
}

TEST_F(CharaShots, OrbitSpiralsOutAndBackIn)
{
    CharaShotNode* node = Make(SHOT_MAGIC, 0, 0, 0, MAGIC_SHOT_ORBIT, 0, 2, 1);
    const BattleMember& centre = party.members[1];
    auto radius = [&] { return std::hypot(node->x - centre.x, node->y - centre.y); };
    shots.UpdateCharaShot();
    EXPECT_NEAR(radius(), 32.25f, 1e-3);
    for (int age = 2; age <= 300; ++age)
        shots.UpdateCharaShot();
    EXPECT_NEAR(radius(), 80.0f, 1e-3);
    for (int age = 301; age <= 700; ++age)
        shots.UpdateCharaShot();
    EXPECT_NEAR(radius(), 0.25f * 87 + 32, 1e-3);
}

TEST_F(CharaShots, OrbitAroundNoMemberStaysPut)
{
    CharaShotNode* node = Make(SHOT_MAGIC, 50, 150, 0, MAGIC_SHOT_ORBIT, 0, 2, 3);
    shots.UpdateCharaShot();
    EXPECT_EQ(node->x, 50.0f);
    EXPECT_EQ(node->y, 150.0f);
}

TEST_F(CharaShots, ExpiryEndsWaitingMagicAndFadesTheRest)
{
    CharaShotNode* burst = Make(SHOT_MAGIC, 200, 200, 0, MAGIC_SHOT_BURST);
    Make(SHOT_MAGIC, 200, 200, 0, 12, -5);
    EXPECT_EQ(shots.burstCount, 1);
    for (int i = 0; i < 3; ++i)
        shots.UpdateCharaShot();
    shots.ExpireCharaShots();
    EXPECT_EQ(Nodes(), 1) << "the magic not started yet is gone";
    EXPECT_EQ(shots.burstCount, 0);
    EXPECT_EQ(burst->Subtype(), MAGIC_SHOT_EXPIRED);
    EXPECT_EQ(burst->life, 3 + 32);
    shots.RemoveCharaShot(burst);
    EXPECT_EQ(shots.burstCount, 0) << "not lowered twice";
}

TEST_F(CharaShots, RemovalWhileWalkingAndClearingKeepTheListSound)
{
    // Three shots leave the field in the same update, one stays.
    for (int i = 0; i < 3; ++i)
        Make(SHOT_STRAIGHT, 610, 100.0f + 40.0f * static_cast<float>(i), FACING_RIGHT, 0);
    CharaShotNode* stays = Make(SHOT_STRAIGHT, 300, 300, FACING_DOWN, 0);
    for (int i = 0; i < 6; ++i)
        shots.UpdateCharaShot();
    EXPECT_EQ(Nodes(), 1);
    EXPECT_EQ(shots.head, stays);
    EXPECT_EQ(shots.tail, stays);
    shots.attachedShot = stays;
    shots.attachedVisible = 1;
    shots.ClearCharaShots();
    EXPECT_EQ(shots.attachedShot, nullptr);
    EXPECT_EQ(shots.attachedVisible, 0);
    EXPECT_EQ(shots.head, nullptr);
}

TEST_F(CharaShots, AnAttachedBlowThatEndsTakesTheDrawListsPointerWithIt)
{
    CharaShotNode* blow = Make(SHOT_ATTACHED, 300, 300, FACING_LEFT, 0);
    shots.attachedShot = blow;
    shots.attachedVisible = 1;
    for (int age = 1; age < 19; ++age)
        shots.UpdateCharaShot();
    EXPECT_EQ(shots.attachedShot, blow);
    shots.UpdateCharaShot();
    EXPECT_EQ(shots.head, nullptr) << "a blow lasts 19 frames";
    EXPECT_EQ(shots.attachedShot, nullptr);
    EXPECT_EQ(shots.attachedVisible, 0);
    shots.attachedShot = Make(SHOT_ATTACHED, 300, 300, FACING_LEFT, 0);
    shots.attachedVisible = 1;
    shots.StopChargeShot();
    EXPECT_EQ(shots.attachedShot, nullptr);
}

std::uint32_t Bits(float f)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof(bits));
    return bits;
}

TEST_F(CharaShots, DamageMultiplierByKindBoostsAndSpecials)
{
    struct Case {
        const char* name;
        std::uint32_t kind;
        int subtype;
        int attackUpLevel;        // -1 none
        std::uint32_t weakenings; // bits 29-31 of powerBits
        int special;
        float expected;
    };
    const Case cases[] = {
        {"blow variant 2", SHOT_ATTACHED, 2, -1, 0, 0, 8.0f},
        {"shot variant 2, attack up 3", SHOT_STRAIGHT, 2, 3, 0, 0, 1.5f * 4.0f},
        {"magic 9, weakened", SHOT_MAGIC, 9, -1, 1u << 29, 0, 3.5f * 0.9000001f},
        {"magic 13, all weakenings", SHOT_MAGIC, 13, -1, 7u << 29, 0, 1.25f * 0.9000001f * 0.85f * 0.75f},
        {"homing, attack up 0, special 15", SHOT_HOMING, 0, 0, 0, 15, 1.2f * 1.1f},
        {"special 35", SHOT_ATTACHED, 0, -1, 0, 35, 1.1f},
        {"special 20", SHOT_ATTACHED, 1, -1, 0, 20, 1.5f * 1.05f},
        {"special 21", SHOT_STRAIGHT, 0, -1, 0, 21, 1.15f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CharaShotNode node{};
        ShotKind::Set(node.shotBits, c.kind);
        ShotSubtype::Set(node.shotBits, static_cast<std::uint32_t>(c.subtype));
        if (c.attackUpLevel >= 0) {
            ShotAttackUp::Set(node.powerBits, 1);
            ShotAttackUpLevel::Set(node.powerBits, static_cast<std::uint32_t>(c.attackUpLevel));
        }
        node.powerBits |= c.weakenings;
        ShotSpecialCode::Set(node.specialBits, static_cast<std::uint32_t>(c.special));
        EXPECT_EQ(shots.GetCharaShotDamage(node), c.expected);
    }
    CharaShotNode weak{};
    ShotWeakened::Set(weak.powerBits, 1);
    EXPECT_EQ(Bits(shots.GetCharaShotDamage(weak)), 0x3F666668u);
}

TEST_F(CharaShots, CriticalSpecialAndElementBoost)
{
    CharaShotNode node{};
    ShotSpecialCode::Set(node.specialBits, 14);
    SeedGameRandom(SeedDrawing({Within(0, 1638)}));
    EXPECT_EQ(shots.GetCharaShotDamage(node), 2.0f);
    SeedGameRandom(SeedDrawing({Within(1638, 32768)}));
    EXPECT_EQ(shots.GetCharaShotDamage(node), 1.0f);

    CharaShotNode magic{};
    ShotKind::Set(magic.shotBits, SHOT_MAGIC);
    ShotSubtype::Set(magic.shotBits, 0);
    ShotElement::Set(magic.shotBits, 1);
    GuardDirections::Set(party.members[2].flags2, 1u << 1);
    party.members[2].guardFactor = 1.2f;
    EXPECT_EQ(shots.GetCharaShotDamage(magic), 2.0f * 1.2f);
    ShotElement::Set(magic.shotBits, 2);
    EXPECT_EQ(shots.GetCharaShotDamage(magic), 2.0f);
}

} // namespace
