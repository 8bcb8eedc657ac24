// Every magic of member 2 cast in the battle harness against three enemies
// placed by a fake group: the cast runs its time, the magic takes effect,
// its shots fly and end. Pictures of each magic while its shots fly are left
// in the build folder (party/frames/magic-NN-*.png) to look at, with member
// 2's magic icon during the cast; a blow, a straight shot and the strike
// are pictured too.
#include <gtest/gtest.h>

#include <string>

#include "BattleHarness.h"
#include "core/PackCatalogue.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/MemberAttacks.h"
#include "record/UseRuleTables.h"

namespace {

std::string Name(int magic, const char* what)
{
    return "magic-" + std::string(magic < 10 ? "0" : "") + std::to_string(magic) + "-" + what + ".png";
}

class PartyMagicRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(harness.Start("", error)) << error;
        ASSERT_NE(harness.enemies.MarkTex, nullptr) << "the enemy group's icon sheet holds the magic icons";
    }

    // A fresh battle in the action phase with full stocks and three enemies.
    void Begin()
    {
        harness.shots.ClearCharaShots();
        CCharacter& party = harness.party;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            party.maxHp[m] = party.baseMaxHp[m] = 100;
            party.hp[m] = 40;
            party.maxSp[m] = party.sp[m] = 50;
            party.maxSt[m] = party.st[m] = 100;
        }
        party.statsB[2][1] = 50;
        harness.BeginBattle(0);
        harness.party.SetBattlePhase(BATTLE_PHASE_ACTION);
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stockMax[k] = party.stock[k] = 99;
        group.Place(0, 120, 140, 48, 48);
        group.Place(1, 200, 330, 32, 32);
        group.Place(2, 330, 220, 64, 64, 1);
    }

    // Member 2's magic and homing shots (members 0 and 1 strike the enemies by themselves meanwhile).
    int CountShots() const
    {
        constexpr std::uint32_t kFirstMagicKind = 2;
        int count = 0;
        for (const CharaShotNode* n = harness.shots.head; n != nullptr; n = n->next)
            count += n->Kind() >= kFirstMagicKind ? 1 : 0;
        return count;
    }

    battleharness::BattleHarness harness;
    fakes::FakeEnemyGroup group{harness.enemies};
    const std::filesystem::path folder = PARTY_FRAMES_DIR;
};

TEST_F(PartyMagicRun, EveryMagicCastsTakesEffectAndItsShotsEnd)
{
    for (int magic = 0; magic < MAGIC_COUNT; ++magic) {
        SCOPED_TRACE(magic);
        Begin();
        SeedGameRandom(static_cast<std::uint32_t>(magic + 1));
        CCharacter& party = harness.party;
        if (magic == 19)
            KnockedOut::Set(party.members[1].state, 1);
        ASSERT_TRUE(StartMemberMagic(2, magic, true, 0, 0, -1));
        const int castFrames = party.members[2].magicTime;
        const int stockBefore = party.stock[MagicStock(magic)];
        for (int frame = 1; frame < castFrames; ++frame) {
            harness.Frame();
            if (frame == castFrames / 2) {
                ASSERT_TRUE(harness.Draw(folder / Name(magic, "cast")));
            }
        }
        EXPECT_EQ(party.stock[MagicStock(magic)], stockBefore) << "nothing is paid while casting";
        harness.Frame();
        EXPECT_EQ(party.stock[MagicStock(magic)], stockBefore - MagicCostTable[magic]) << "paid at the end";
        EXPECT_EQ(party.members[2].Action(), ACTION_FREE);
        if (magic < 16) {
            EXPECT_GT(CountShots(), 0);
        } else {
            EXPECT_EQ(CountShots(), 0);
        }
        // Pictures while the shots fly (the delayed ones start later).
        const int flying[3] = {20, magic == 11 ? 400 : 60, magic == 11 ? 1200 : 160};
        int done = 0;
        for (int k = 0; k < 3; ++k) {
            for (; done < flying[k]; ++done)
                harness.Frame();
            ASSERT_TRUE(harness.Draw(folder / Name(magic, ("fly" + std::to_string(k)).c_str())));
        }
        for (int frame = 0; frame < 2000 && CountShots() != 0; ++frame)
            harness.Frame();
        EXPECT_EQ(CountShots(), 0) << "every shot ends by life or leaving";
        EXPECT_EQ(harness.shots.burstCount, 0);
    }
    EXPECT_FALSE(harness.party.IsKnockedOut(1)) << "the last battle's revive brought member 1 back";
}

TEST_F(PartyMagicRun, BlowShotAndStrike)
{
    Begin();
    ASSERT_TRUE(StartMemberAttack(0, 1, FACING_LEFT));
    harness.Frame();
    ASSERT_TRUE(harness.Draw(folder / "attack-blow.png"));
    ASSERT_TRUE(StartMember1Attack(1, 0, FACING_LEFT));
    for (int frame = 0; frame < 20; ++frame)
        harness.Frame();
    ASSERT_TRUE(harness.Draw(folder / "attack-shot.png"));
    ASSERT_TRUE(StartMemberStrike(2));
    for (int frame = 0; frame < 32; ++frame)
        harness.Frame();
    ASSERT_TRUE(harness.Draw(folder / "strike-fading.png"));
    for (int frame = 0; frame < 64; ++frame)
        harness.Frame();
    ASSERT_TRUE(harness.Draw(folder / "strike-across.png"));
    EXPECT_EQ(harness.party.members[2].x, 4.0f) << "from the right half to the far left";
    EXPECT_EQ(harness.party.members[2].y, 84.0f);
}

} // namespace
