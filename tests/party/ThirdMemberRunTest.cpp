// Member 2 on its own in the battle harness while the leader (member 0)
// stands: it heals the hurt leader, casts at the enemies and fires its shot,
// and a battle item used on the way starts the cooldown whose end shows the
// item-ready marker. Pictures are left in the build folder (party/frames).
#include <gtest/gtest.h>

#include <array>

#include "BattleHarness.h"
#include "core/GameDataTables.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/MemberIndicators.h"
#include "party/PartyWords.h"
#include "party/ThirdMember.h"

namespace {

TEST(ThirdMemberRun, MemberTwoHealsCastsAndTheItemCooldownEnds)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    harness.ShowEffects();
    CCharacter& party = harness.party;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 100;
        party.maxSp[m] = 50;
        party.sp[m] = 0;
        party.maxSt[m] = party.st[m] = 100;
        party.statsB[m][0] = party.statsB[m][1] = 60;
    }
    for (int magic : {0, 16}) // a shot magic and the heal
        party.learned[magic] = party.autoMagicAllowed[magic] = 1;
    for (int k = 0; k < STOCK_COUNT; ++k)
        party.stockMax[k] = party.stock[k] = 100;
    std::array<unsigned char, ITEM_ROW_COUNT * ITEM_ROW_SIZE> items{};
    items[1 * ITEM_ROW_SIZE + 52] = 1; // item 1 holds the next item back for a second
    ItemTable = items.data();
    TheGameData->heldItems[1] = 3;
    SeedGameRandom(11);
    harness.BeginBattle(0);
    party.SetBattlePhase(BATTLE_PHASE_ACTION);
    LeaderField::Set(party.partyWordC, 0);
    SetMemberHP(0, 30, true);
    fakes::FakeEnemyGroup group{harness.enemies};
    for (const auto& [slot, x, y] : {std::tuple{0, 200.0f, 264.0f}, std::tuple{1, 150.0f, 360.0f}}) {
        EnemyRecord& enemy = group.Place(slot, x, y, 48, 48);
        enemy.InnerBox = enemy.HitBox;
        enemy.MaxHp = enemy.Hp = 9999;
    }

    const std::filesystem::path folder = PARTY_FRAMES_DIR;
    bool healed = false, castAtEnemies = false, itemUsed = false, itemReady = false;
    for (int frame = 1; frame <= 420; ++frame) {
        harness.Frame();
        const BattleMember& third = party.members[2];
        if (third.Action() == ACTION_MAGIC && third.actionFrame == 0) {
            healed = healed || MagicIdField::Get(third.state) == 16;
            castAtEnemies = castAtEnemies || MagicIdField::Get(third.state) == 0;
        }
        if (frame == 200) {
            SetMemberHP(1, 20, true);
            itemUsed = UseBattleItem(1, 0, true);
        }
        itemReady = itemReady || ItemReadyShown::IsSet(party.partyWordC);
        RebuildMemberIndicators();
        for (int shot : {20, 150, 175, 205, 262, 330})
            if (frame == shot) {
                ASSERT_TRUE(harness.Draw(folder / ("third-" + std::to_string(frame) + ".png")));
            }
    }
    ItemTable = nullptr;
    EXPECT_TRUE(healed) << "member 2 healed the hurt leader";
    EXPECT_TRUE(castAtEnemies) << "and cast at the enemies";
    EXPECT_EQ(party.hp[0], 100);
    EXPECT_TRUE(itemUsed);
    EXPECT_EQ(party.hp[1], 100) << "the item went to the member it helps";
    EXPECT_EQ(TheGameData->heldItems[1], 2);
    EXPECT_TRUE(itemReady) << "the cooldown of a second ended";
    EXPECT_EQ(party.members[0].x, MemberStartX[0]) << "the leader only moves by the keys";
}

} // namespace
