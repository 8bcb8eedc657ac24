// The party's side of a battle's end and the battle menu's orders to member
// 2: the party falling and what follows it by battle kind, the victory
// phase, the rewards shared out and poured in, and member 2 told to cast,
// to use a skill or to stop.
#pragma once

#include <cstdint>

// Frames the fallen party lies before the game over or the battle end.
constexpr int PARTY_DOWN_FRAMES = 180;
// Most a member's share of experience and the money text's width.
constexpr std::int32_t REWARD_EXP_MAX = 9999;
constexpr int MONEY_TEXT_WIDTH_MAX = 6;

// The battle kinds of partyWordD: what follows when the party falls.
enum BattleKindValue : int {
    BATTLE_KIND_GAME_OVER = 0,
    BATTLE_KIND_LOSS_GOES_ON = 1,
    BATTLE_KIND_RETRY = 2,
};

// All three members knocked out: the defeat phase starts.
void CheckPartyDown();
// One frame of the defeat phase; false on the frame that hands over.
bool PartyDownWaitTick();
// The party's marker, combo, indicator and effect timers while the party stands still.
void TickPartyTimers();
// The last enemy is beaten: the victory phase starts.
void BeginPartyPhase4();
// One frame of the victory phase: the members move on without the enemies.
void UpdatePartyVictory();
// At the battle end: effects, marks, member 2's action and the timers reset.
void ResetPartyAfterBattle();
void StopThirdMemberStrike();
// The three members lying down on the game-over screen.
void DrawPartyGameOver();

// The result window shares out the battle's experience (moving some from
// the highest member to the lowest) and sets the money to pour.
void DistributeBattleRewards(std::uint32_t exp);
void SetBattleMoneyReward(std::uint32_t amount, std::int8_t width);
// The battle end pours at most `step` a call into the member or the money.
void GiveExpToMember(std::uint32_t member, std::int32_t step);
void GiveMoneyReward(std::uint32_t step);
// Experience the member can still take before level 255.
std::int32_t GetExpRoom(int member);
// Over the members standing: the most room for experience, the highest level (at least 1).
std::int32_t GetMaxStatOfAlive();
std::int32_t GetMaxAliveLevel();
bool HasMemberAbility(std::uint32_t mask);
// Some member stands free of bind and stop (the battle menu may open).
bool IsPartyActionable();

// The battle menu's orders to member 2. True when accepted: the cast
// started, the current one kept, or the order stored until member 2 is free.
bool OrderThirdMemberMagic(std::uint32_t magic, std::uint32_t target);
// 1 when accepted likewise, 0 when refused.
std::uint8_t OrderThirdMemberSkill(std::uint32_t level);
// The order stored while member 2 was knocked back or striking.
bool RunPendingThirdMemberOrder();
// The order given during the opening.
bool RunQueuedThirdMemberOrder();
// Member 2 casts support magic 16 or 19 on another member than `target`.
bool IsOtherSupportTarget(std::uint32_t target);
// Member 2 plans its magic again; a cast no longer allowed stops.
void ReplanThirdMember();
// Member 2 stops what the menu's options no longer allow.
void StopThirdMemberState1();
void StopThirdMemberMagicIf(std::uint32_t id);
void StopThirdMemberSkillIfUnready();
// Every member with effects shows its next one.
void AdvanceAilmentRounds();
