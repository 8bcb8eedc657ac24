// Member 2 on its own in the game itself: loaded beside the first map's
// fighter with the leader badly hurt and the heal learned, the battle starts
// and member 2, not led, casts the heal on the leader. Beside the second
// fighter with the circle magic learned, member 2 answers the healer's
// prayer by casting it at the healer standing in its circle. The pictures of
// the casts are left to look at.
#include <gtest/gtest.h>

#include "InProcessGame.h"
#include "Keys.h"
#include "ScriptedRun.h"
#include "battle/MagicCircle.h"
#include "core/SceneState.h"
#include "enemies/Enemy.h"
#include "main/GameMain.h"
#include "party/Character.h"
#include "record/Pipkorn.h"
#include "record/UseRuleTables.h"

namespace {

using e2e::GameFolder;
using e2e::InProcessGame;

constexpr int kWelcomedFlag = 100;
constexpr int kHealMagic = 16;
constexpr int kCircleMagic = 21;
constexpr int kThird = 2;
constexpr int kHealerKind = 4;

bool InBattleAction()
{
    return SceneState == SCENE_BATTLE && TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION;
}

// The party's HP raised to the most and full: it stands the battle while member 2 is watched.
void RaiseHpToTheMost(CCharacter& party)
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SetMemberMaxHP(m, PARTY_MAX_HP, party.abilityBits[m]);
        party.hp[m] = party.maxHp[m];
    }
}

// From the save, the fighter the player faces speaks and fights, until the battle's action.
bool LoadAndFightTheFighterInFront(InProcessGame& game, const GameFolder& folder)
{
    if (!game.Start(folder) || !game.LoadFirstSlot())
        return false;
    game.Frames(20);
    game.Press(e2e::kKeyConfirm); // the fighter speaks
    game.Frames(80);
    game.Press(e2e::kKeyConfirm); // and fights
    return game.FramesUntil(InBattleAction, 400) > 0;
}

bool Casting(int magic)
{
    const BattleMember& third = TheCharacter->members[kThird];
    return third.Action() == ACTION_MAGIC && MagicIdField::Get(third.state) == static_cast<std::uint32_t>(magic);
}

bool CastingTheHeal()
{
    return Casting(kHealMagic);
}

// The live circle of an owner, or none.
const MagicCircleRecord* LiveCircle(int side, int slot)
{
    for (const MagicCircleRecord& circle : TheMagicCircle->Circles())
        if (!circle.dying && circle.side == side && circle.slot == slot)
            return &circle;
    return nullptr;
}

TEST(ThirdMemberBattleInProcess, MemberTwoHealsTheHurtLeaderByItself)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 18, 7, 3, [](GameData& data, CCharacter& party) {
        data.SetGameFlag(kWelcomedFlag, 1);
        RaiseHpToTheMost(party);
        party.hp[0] = party.maxHp[0] * 3 / 10; // below the heal-one threshold
        party.learned[kHealMagic] = party.autoMagicAllowed[kHealMagic] = 1;
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stock[k] = 50;
    });
    InProcessGame game;
    ASSERT_TRUE(LoadAndFightTheFighterInFront(game, folder));
    const int hurt = TheCharacter->hp[0];
    ASSERT_EQ(TheCharacter->Leader(), 0);

    ASSERT_GT(game.FramesUntil(CastingTheHeal, 120), 0) << "member 2 thinks once a second";
    EXPECT_EQ(MagicTarget::Get(TheCharacter->members[kThird].state), 0u) << "the heal is for the leader";
    game.Frames(60);
    ASSERT_TRUE(game.Dump("third_member_casting"));
    ASSERT_GT(game.FramesUntil([] { return !CastingTheHeal(); }, 200), 0);
    EXPECT_GT(TheCharacter->hp[0], hurt) << "the leader is healed";
    game.Frames(10);
    ASSERT_TRUE(game.Dump("third_member_healed"));
}

// The circle magic is switched off for member 2 until the healer starts to
// pray (as the player switches it in the menu): on its next thought member 2
// answers that circle, not the plan it makes for any enemy.
TEST(ThirdMemberBattleInProcess, MemberTwoCastsTheCircleMagicAtTheHealerPrayingInItsCircle)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 20, 7, 3, [](GameData& data, CCharacter& party) {
        data.SetGameFlag(kWelcomedFlag, 1);
        RaiseHpToTheMost(party);
        party.autoMagicAllowed[0] = 0; // member 2 keeps its stocks for the circle magic
        party.learned[kCircleMagic] = 1;
    });
    InProcessGame game;
    ASSERT_TRUE(LoadAndFightTheFighterInFront(game, folder));
    int healer = -1;
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
        healer = TheEnemyGroup->KindOf(slot) == kHealerKind ? slot : healer;
    ASSERT_GE(healer, 0) << "the healer is among the second fighter's enemies";

    ASSERT_GT(game.FramesUntil([healer] { return LiveCircle(MAGIC_CIRCLE_SIDE_ENEMY, healer) != nullptr; }, 900), 0)
        << "the healer prays";
    TheCharacter->autoMagicAllowed[kCircleMagic] = 1;
    ASSERT_GT(game.FramesUntil([] { return Casting(kCircleMagic); }, 80), 0) << "member 2 thinks once a second";
    const MagicCircleRecord* prayer = LiveCircle(MAGIC_CIRCLE_SIDE_ENEMY, healer);
    ASSERT_NE(prayer, nullptr);
    EXPECT_GT(prayer->duration - prayer->elapsed, MagicChargeBonusTable[kCircleMagic])
        << "the prayer outlasts the cast";
    int picked = -1;
    EXPECT_TRUE(TheMagicCircle->PickMagicCircleSlot(picked, MagicChargeBonusTable[kCircleMagic]));
    EXPECT_EQ(picked, healer) << "the circle member 2 answers is the healer's";
    const EnemyRecord& enemy = TheEnemyGroup->Records[healer];
    EXPECT_EQ(enemy.State, ENEMY_NORMAL);
    EXPECT_FALSE(TheEnemyGroup->IsEnemyInvulnerable(healer)) << "neither invulnerable nor hardened";
    const MagicCircleRecord* cast = LiveCircle(MAGIC_CIRCLE_SIDE_PARTY, kThird);
    ASSERT_NE(cast, nullptr) << "member 2 casts in a circle of its own";
    EXPECT_EQ(cast->kind, MagicStock(kCircleMagic));
    // The healer in its circle, member 2 in its own, the HP/SP panel below.
    game.Frames(30);
    ASSERT_TRUE(game.Dump("third_member_circle_magic"));
}

} // namespace
