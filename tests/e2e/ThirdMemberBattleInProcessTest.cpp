// Member 2 on its own in the game itself: loaded beside the first map's
// fighter with the leader badly hurt and the heal learned, the battle starts
// and member 2, not led, casts the heal on the leader; the pictures of the
// cast and of the healed leader are left to look at.
#include <gtest/gtest.h>

#include "InProcessGame.h"
#include "Keys.h"
#include "ScriptedRun.h"
#include "core/SceneState.h"
#include "main/GameMain.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

namespace {

using e2e::GameFolder;
using e2e::InProcessGame;

constexpr int kWelcomedFlag = 100;
constexpr int kHealMagic = 16;
constexpr int kThird = 2;

bool InBattleAction()
{
    return SceneState == SCENE_BATTLE && TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION;
}

bool CastingTheHeal()
{
    const BattleMember& third = TheCharacter->members[kThird];
    return third.Action() == ACTION_MAGIC && MagicIdField::Get(third.state) == kHealMagic;
}

TEST(ThirdMemberBattleInProcess, MemberTwoHealsTheHurtLeaderByItself)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 18, 7, 3, [](GameData& data, CCharacter& party) {
        data.SetGameFlag(kWelcomedFlag, 1);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            SetMemberMaxHP(m, PARTY_MAX_HP, party.abilityBits[m]);
            party.hp[m] = party.maxHp[m];
        }
        party.hp[0] = party.maxHp[0] * 3 / 10; // below the heal-one threshold
        party.learned[kHealMagic] = party.autoMagicAllowed[kHealMagic] = 1;
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stock[k] = 50;
    });
    InProcessGame game;
    ASSERT_TRUE(game.Start(folder));
    ASSERT_TRUE(game.LoadFirstSlot());
    game.Frames(20);
    game.Press(e2e::kKeyConfirm); // the fighter speaks
    game.Frames(80);
    game.Press(e2e::kKeyConfirm); // and fights
    ASSERT_GT(game.FramesUntil(InBattleAction, 400), 0);
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

} // namespace
