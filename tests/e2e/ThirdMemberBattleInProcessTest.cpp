// Member 2 on its own in the game itself: loaded beside the first map's
// fighter with the leader badly hurt and the heal learned, the battle starts
// and member 2, not led, casts the heal on the leader. Beside the second
// fighter with the circle magic learned, member 2 answers the healer's
// prayer by casting it at the healer standing in its circle. The pictures of
// the casts are left to look at. Its first magic against the first fighter's
// enemies, their resistance set to each index in turn, takes off what the
// party's magic damage gives with that index's element rate.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "InProcessGame.h"
#include "Keys.h"
#include "ScriptedRun.h"
#include "battle/MagicCircle.h"
#include "core/SceneState.h"
#include "enemies/Enemy.h"
#include "main/GameMain.h"
#include "party/CharaShot.h"
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

// The element rates by resistance index.
constexpr float kElementRate[8] = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f, 1.5f, 2.0f, 2.5f};
constexpr int kFirstMagic = 0;
constexpr int kElementCount = 6;

// What a member-2 magic shot in flight would do before the enemy's rates.
struct MagicInFlight {
    const CharaShotNode* node;
    std::uint8_t cooldown[8];
    std::int32_t power;
    float shotRate;
    int element;
};

// Member 2's magic shots in flight, when no other member's shot flies.
std::vector<MagicInFlight> OnlyMemberTwosMagic()
{
    std::vector<MagicInFlight> flying;
    for (const CharaShotNode* n = TheCharaShot->head; n != nullptr; n = n->next) {
        if (ShotOwner::Get(n->shotBits) != kThird || n->Kind() != SHOT_MAGIC)
            return {};
        MagicInFlight shot{n,
                           {},
                           static_cast<std::int32_t>(ShotPower::Get(n->powerBits)),
                           TheCharaShot->GetCharaShotDamage(*n),
                           static_cast<int>(ShotElement::Get(n->shotBits))};
        std::copy(std::begin(n->hitCooldown), std::end(n->hitCooldown), shot.cooldown);
        flying.push_back(shot);
    }
    return flying;
}

// How many of those shots struck the enemy in `slot` since: the ones now
// holding off from it, and the ones gone.
int HitsOn(const std::vector<MagicInFlight>& before, int slot)
{
    int hits = 0;
    for (const MagicInFlight& shot : before) {
        const CharaShotNode* now = TheCharaShot->head;
        while (now != nullptr && now != shot.node)
            now = now->next;
        hits += now == nullptr || (shot.cooldown[slot] == 0 && now->hitCooldown[slot] != 0) ? 1 : 0;
    }
    return hits;
}

// Each enemy of the fighter resists every element by `index` and has no
// magic defence; blows do nothing against its defence; it stands many hits.
void SetResistance(int index)
{
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot) {
        EnemyRecord& r = TheEnemyGroup->Records[slot];
        for (std::uint8_t& resist : r.ElementResist)
            resist = static_cast<std::uint8_t>(index);
        r.Defence = 30000;
        r.DefenceB = 0;
        r.MaxHp = r.Hp = 30000;
    }
}

TEST(ThirdMemberBattleInProcess, MemberTwosMagicDamageFollowsTheElementRateOfTheEnemysResistance)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 18, 7, 3, [](GameData& data, CCharacter& party) {
        data.SetGameFlag(kWelcomedFlag, 1);
        RaiseHpToTheMost(party);
        party.learned[kFirstMagic] = party.autoMagicAllowed[kFirstMagic] = 1;
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stock[k] = 99;
    });
    InProcessGame game;
    ASSERT_TRUE(LoadAndFightTheFighterInFront(game, folder));
    for (int index = 0; index < 8; ++index) {
        SetResistance(index);
        bool seen = false;
        for (int frame = 0; frame < 900 && !seen; ++frame) {
            const std::vector<MagicInFlight> flying = OnlyMemberTwosMagic();
            std::vector<std::int32_t> hp;
            for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot)
                hp.push_back(TheEnemyGroup->Records[slot].Hp);
            ASSERT_TRUE(game.Frame());
            for (int slot = 0; slot < static_cast<int>(hp.size()) && !flying.empty(); ++slot) {
                const EnemyRecord& r = TheEnemyGroup->Records[slot];
                const std::int32_t taken = hp[slot] - r.Hp;
                if (taken <= 0 || HitsOn(flying, slot) != 1)
                    continue;
                const MagicInFlight& shot = flying.front();
                ASSERT_LT(shot.element, kElementCount);
                // The party's magic damage: (power - magic defence) x shot rate x the
                // enemy's rate, then a random 15/16 to 17/16.
                const float rate = kElementRate[index] * TheEnemyGroup->GetEnemyDamageRate(slot, false, 0);
                const auto before = static_cast<std::int32_t>(static_cast<float>(std::max(shot.power - r.DefenceB, 0)) *
                                                              shot.shotRate * rate);
                const std::string at = "resistance " + std::to_string(index) + ", base " + std::to_string(before);
                EXPECT_GE(taken, std::max(1, static_cast<std::int32_t>(before * 0.9375f) - 1)) << at;
                EXPECT_LE(taken, static_cast<std::int32_t>(before * 1.0625f) + 1) << at;
                seen = true;
            }
        }
        ASSERT_TRUE(seen) << "member 2's magic hits within 900 frames at resistance " << index;
        game.Frames(4);
        ASSERT_TRUE(game.Dump("third_member_magic_resistance_" + std::to_string(index)));
    }
}

} // namespace
