// What the party offers the other areas of the game. Other areas include this
// header only; everything else in party/ is its own business.
#pragma once

#include <cstdint>

#include "core/EquipmentRows.h" // the stat and colour counts that size MemberStats
#include "core/GameConstants.h" // the screen size behind MEMBER_SEARCH_BOUND
#include "party/CharaShot.h"    // class CCharaShot, the party's shot part (a class is not split)
#include "party/Character.h"    // class CCharacter, the party part, with its records and status blocks
#include "party/PartyWords.h"   // PackedField and the words' fields the party part reads itself

struct EnemyShotNode;

// For the battle scene: the fields of the party's and the members' words it reads and writes.
// partyWordA: the hit combo and the magic whose statuses are in force.
using BestCombo = PackedField<10, 10>;
using FramesSinceHit = PackedField<20, 8>;
using MagicInForce = PackedField<28, 4>;
// partyWordB: the item cooldown.
using ItemCooldownRunning = PackedField<31, 1>;
// partyWordC: the battle menu's settings.
using HpThresholdA = PackedField<10, 4>;
using HpThresholdB = PackedField<14, 4>;
using IgnoreStockCheck = PackedField<27, 1>;
// partyWordD: the settings and the encounter flags.
using HpThresholdIndex = PackedField<14, 4>;
using KeepActionsOption = PackedField<26, 1>;
using EscapeAllowed = PackedField<27, 1>;
using ItemUsesLimited = PackedField<28, 1>;
// partyWordE: bits 7-11 hold the money text's width once the battle is won
// (no order waits then).
using MoneyTextWidth = PackedField<7, 5>;
// A member's state word.
using MagicTarget = PackedField<23, 2>;
using Invincible = PackedField<29, 1>;
using JustRevived = PackedField<30, 1>;
// A member's flags word.
using ActionGroupA = PackedField<7, 4>;
using ActionGroupB = PackedField<11, 3>;
using TargetEnemy = PackedField<14, 3>;
// A member's flags2 word.
using KnockOutCleared = PackedField<0, 9>;
// A member's boostLevels word.
using ProtectionCharge = PackedField<0, 3>;

// For the enemies: the fields of a status block and the boost levels they share with the members.
// A status-effect block's effectState word.
using PoisonTicks = PackedField<0, 9>;
using ActiveEffectCount = PackedField<16, 5>;
using ShownEffectIndex = PackedField<21, 5>;
// A battler's boostLevels word.
using AttackUpLevel = PackedField<3, 2>;
using DefenceUpLevel = PackedField<5, 2>;

// For the battle scene and the enemies: the floating marks of a status block (effectState).
using MarkCount = PackedField<26, 5>;

// For the battle scene: the party's share of a battle, frame by frame.
// The battle kinds of partyWordD: what follows when the party falls.
enum BattleKindValue : int {
    BATTLE_KIND_GAME_OVER = 0,
    BATTLE_KIND_LOSS_GOES_ON = 1,
    BATTLE_KIND_RETRY = 2,
};
// Prepares the party for a battle of `kind` (0-2) with the encounter's two
// flags; a retry keeps the flags of the first setup.
void SetupPartyForBattle(int kind, bool escapeAllowed, bool itemLimit, bool retry);
// One frame of the action phase; false when the player opened the battle
// menu (nothing else ran).
bool UpdatePartyBattle();
// The opening phase's input and effect ticks.
void UpdatePartyBattleInput();
// One frame of the defeat phase; false on the frame that hands over.
bool PartyDownWaitTick();
// One frame of the victory phase: the members move on without the enemies.
void UpdatePartyVictory();
// At the battle end: effects, marks, member 2's action and the timers reset.
void ResetPartyAfterBattle();
void StopThirdMemberStrike();
// The battle end clears bit 31 of the party's second word.
void ClearPartyFlag31();
// Every member stands with no status effects and at least 1 HP; ST refilled.
void ReviveParty();
// Rebuilds the slots, counts and layout of all three members.
void RebuildMemberIndicators();

// For the battle scene: hits between the members, their shots and the enemies.
// An enemy hit that comes from no attack record.
constexpr int NO_ATTACK_KIND = -1;
// A hit on a member: the damage (0 or more), the status effects it carries
// (bits 0-18), the kind of the attack that hit (NO_ATTACK_KIND for none) and
// the knock-back side and speed row the member is sent with.
void DamagePartyMember(int damage, int member, std::uint32_t effectMask, int attackKind, int knockSide, int knockKind);
// Marks the member as knocked by angle: away from the shot's heading, or
// along the shot's own angle for the shots of the kind that steers where its
// victims fly (and then the source says so).
void SetMemberHitAngle(int member, const EnemyShotNode& shot);
// Contacts pass their element through here unchanged.
constexpr int TouchNoOp(int, int, int element)
{
    return element;
}
// ceil(MaxHP × the member's share) for contact damage of `kind` (0 or 1).
std::uint32_t ScaleMemberMaxHp(int member, int kind);
// The status effects a hit with special code `code` inflicts on an enemy.
std::uint32_t RollOnHitStatus(int code);
// Takes the effect out of the active list and drops its pending marks; the caller clears the bit.
void RemoveStatusEffect(StatusEffectBlock& block, int effect);
// SP back to a member not knocked out (at most what it lacks), with sound 8
// when asked and the heal popup when asked.
void HealMemberMP(int member, std::uint32_t amount, bool sound, bool popup);
// The member heals what it drains from `enemy` (at most the enemy's HP).
void DrainHealMember(int member, int enemy, std::int32_t amount, bool popup);
// A hit gives {2, 2, 1} SP, within the maximum.
void AddMemberMPCapped(int member);
// The multiplier of damage the member takes: element defence, defence-up,
// ability down, and abilities 15 and 18 (each drawing once when worn).
float GetMemberDamageFactor(int member, bool useElement, int element);
// A party hit on an enemy: the combo grows (or restarts) and shows in red.
void AdvancePartyCounter999();
// The heading from the member to P; 0 when its centre is P.
float AngleToMember(int member, float px, float py);
struct MemberBox {
    float left, top, right, bottom;
};
// The member's blow box towards a side.
MemberBox GetMemberAttackBox(int member, int side);
// Member 1's shot box towards a side, lengthened by `extension` on the far
// side; 12 for a side above 3 (the box then stays untouched).
int GetMemberAttackBoxEx(MemberBox& box, int side, float extension);

// For the battle scene: the party's sprites, marks and icons in the draw order and the panel.
// Draws the member's sprite at depth z, then member 0's blow and the member's sparkles.
void DrawPartyBattle(int member, float z);
// The member's marks over its head, and the icon of its shown effect.
void DrawMemberEffects(int member);
void DrawPartyBattleOverlay(int member);
// Member 2's magic-off icon while the flag is set.
void DrawMemberBattleSprite();
// The leader marker over the member just made leader, while it is shown.
void DrawPartyOverlayIfFlagged();
// Member 2's magic icon over it while it casts, then the members' indicators.
void DrawPartyMagicSprite();
// The three members lying down on the game-over screen.
void DrawPartyGameOver();
// Seconds left of the item cooldown, 1 to 255.
int GetTimerSeconds();

// For the battle scene: the battle menu's orders and the result window's rewards.
// Some member stands free of bind and stop (the battle menu may open).
bool IsPartyActionable();
// The battle menu's orders to member 2. True when accepted: the cast
// started, the current one kept, or the order stored until member 2 is free.
bool OrderThirdMemberMagic(std::uint32_t magic, std::uint32_t target);
// 1 when accepted likewise, 0 when refused.
std::uint8_t OrderThirdMemberSkill(std::uint32_t level);
// Member 2 plans its magic again; a cast no longer allowed stops.
void ReplanThirdMember();
// Member 2 stops what the menu's options no longer allow.
void StopThirdMemberState1();
void StopThirdMemberMagicIf(std::uint32_t id);
// Every member with effects shows its next one.
void AdvanceAilmentRounds();
// When the leader changes (or `cycle`): the old leader stops thinking, the
// leader is set or cycled, and the indicators are rebuilt.
void SelectLeader(std::uint32_t index, bool cycle);
// Item `item` (0-34) on member `member`, or on the member it picks itself with `autoTarget`.
bool UseBattleItem(int item, int member, bool autoTarget);
// The result window shares out the battle's experience (moving some from
// the highest member to the lowest) and sets the money to pour.
void DistributeBattleRewards(std::uint32_t exp);
void SetBattleMoneyReward(std::uint32_t amount, std::int8_t width);
// The battle end pours at most `step` a call into the member or the money.
void GiveExpToMember(std::uint32_t member, std::int32_t step);
void GiveMoneyReward(std::uint32_t step);

// For the enemies: where the members are, for enemy actions and enemy shots.
// All work on the members' centres and skip knocked-out members unless said
// otherwise. A query that must name a member and finds none names the member
// knocked out last.
// Squared distance (px²) beyond any member on or near the field.
constexpr double MEMBER_SEARCH_BOUND =
    (static_cast<double>(SCREEN_WIDTH) * SCREEN_WIDTH + static_cast<double>(SCREEN_HEIGHT) * SCREEN_HEIGHT) * 16.0;
int PickRandomAliveMember();
// False with angle 0 when `checkDown` and the member is knocked out, or when
// its centre is P; else the heading from P to the member.
bool GetAngleToMember(float& angle, int member, float px, float py, bool checkDown);
// The nearest member; `distance` is its squared distance, or the bound when none.
int FindNearestMemberDist(double& distance, float px, float py);
bool IsPartyDown();
int CountAliveMembers();
int ResolveTargetMember(int member);
int FindFarthestMember(float px, float py);
int CountMembersInState2();
// The first member up under status effect 18 (the target mark).
bool FindMemberWithAilment40000(int& member);
// The quarter a facing (0 left, 1 up, 2 right, 3 down) looks into.
bool IsMemberInFacing(int member, float px, float py, int direction);
int MarkMembersInFacing(std::uint8_t marks[3], float px, float py, int direction);
// The nearest member inside the facing quarter; 0 when none (`distance` is then the bound).
int FindNearestMemberInFacing(double& distance, float px, float py, int direction);
// The quarter behind, the half in front, the half behind, the two side quarters.
int MarkMembersInQuarterA(std::uint8_t marks[3], float px, float py, int direction);
int MarkMembersInHalfA(std::uint8_t marks[3], float px, float py, int direction);
int MarkMembersInHalfB(std::uint8_t marks[3], float px, float py, int direction);
int MarkMembersInQuarterB(std::uint8_t marks[3], float px, float py, int direction);
// Members above or below P; members left or right of P.
int MarkMembersInQuarterC(std::uint8_t marks[3], float px, float py);
int MarkMembersInQuarterD(std::uint8_t marks[3], float px, float py);
int MarkMembersInRadius(std::uint8_t marks[3], float px, float py, double radiusSquared);
// The mean centre of the members up; the field's centre with none.
void GetPartyCentre(float& x, float& y);

// For the enemies: the status effects, which enemies carry with the enemy side.
constexpr int EFFECT_SIDE_ENEMY = 0;
constexpr int EFFECT_SIDE_PARTY = 1;
// Applies effect 0-18 at boost level 0-3 to the block of member or enemy `index`.
void ApplyHitStatusEffects(StatusEffectBlock& block, int side, int index, int effect, int level);
// Once per frame of the owner: with `count` the effects age and run out; the icon cycles.
void TickStatusEffects(StatusEffectBlock& block, int row, bool count);
// Ends every active ailment (5-18), or everything at once.
void RemoveStatusEffectsFrom5(StatusEffectBlock& block);
void ClearStatusEffects(StatusEffectBlock& block);
// The active effects (bits 0-18) still running after `frames` more frames,
// by row `row` of the duration table.
std::uint32_t GetExpiringEffects(const StatusEffectBlock& block, int frames, int row);
// Once per frame while marks exist: they age, and one 48 frames old goes.
void TickEffectTimers(StatusEffectBlock& block);
// Slip: the velocity eases towards the wanted one through the slide vector.
float EaseValue(float current, float target);
// The same easing from `pair` towards (x, y), written into x and y only.
void EaseVectorPair(const float pair[2], float& x, float& y);
// A mark's label (the effect's name, or a boost level's label for effects 0
// and 1), its measured width and its colour at `timer` frames.
const char16_t* GetEffectColor(int kind, int level);
float GetEffectScale(int kind, int level);
std::uint32_t FadeAlphaColor(int timer);

// For the enemies: the battle's end and the rewards, read from the party.
// The last enemy is beaten: the victory phase starts.
void BeginPartyPhase4();
// Over the members standing: the most room for experience, the highest level (at least 1).
std::int32_t GetMaxStatOfAlive();
std::int32_t GetMaxAliveLevel();
bool HasMemberAbility(std::uint32_t mask);
// Members other than the leader aiming at the enemy choose a target again at their next thought.
void ClearMemberTargetOf(int enemy);

// For the battle scene and the enemies: the nearest member and the boosts ended.
int FindNearestMember(float px, float py, int excluded);
// Ends every active boost (0-4).
void RemoveStatusEffectsBelow5(StatusEffectBlock& block);

// For the battle scene and the menu: the party's settings and its status icons.
// Option 0-5 takes `value`; with `apply`, a third member's action the new
// value no longer allows stops.
void SetBattleOption(int option, int value, bool apply);
// Flips bit `bit` (0-31) of the cure choices.
void TogglePartyOptionBit(int bit);
// Flips switch `option` (0-2) of the member.
void ToggleMemberOption(int member, int option);
// Writes a shortcut slot; the first set's slots 0 and 1 keep their fixed commands.
void SetCommandSlot(int slot, int set, int kind, int id);
// Puts skill level `level` (0-2) of the third member on the first pushed
// shortcut button the set allows; sound 6 when stored, 3 when not.
bool AssignCommandToSlot(int level, int buttons);
// Icon `icon` (0-18, the row of 16 × 16 cells on the party's icon sheet) with
// its top-left at (x, y) and depth z, white; nothing for an icon above 18 or
// without the sheet.
void DrawMemberIcon(int icon, float x, float y, float z);
// The field menu's name for the same draw.
inline void DrawPartyIcon(int icon, float x, float y, float z)
{
    DrawMemberIcon(icon, x, y, z);
}

// For the menu: the leader, the magic learned and the equipment.
// The leader becomes `member` (0-2; anything else is refused); clearFlag
// clears bit 30 of the party's second word.
void SetPartyLeader(int member, bool clearFlag);
// Learns magic `magic` (0-23) when not yet learned and the points cover its cost.
void LearnMagic(int magic);
// The figures of one computation, in the order the party's scratch record keeps them.
struct MemberStats {
    std::uint32_t abilityBits;
    std::int32_t stats[EQUIP_STAT_COUNT]; // 攻撃, 魔攻, 防御, 魔防 with the equipment
    std::int16_t maxStamina;
    std::int8_t colourLevels[EQUIP_COLOUR_COUNT]; // defence levels 0-7
    std::uint8_t maxSp;
    std::uint8_t specialCode;
};
// The member's figures with the given pieces (-1 none; an id beyond its
// table counts as none); also the field menu's preview of a change.
void ComputeMemberStats(int member, MemberStats& out, int weapon, int armour, int accessory);
// Wears piece `id` (-1 takes it off) in slot kind 0 weapon, 1 armour,
// 2 accessory and sends every derived figure to the party; ST is refilled.
// Another kind or member does nothing.
void EquipMemberItem(int member, int slotKind, int id);
// The colours (elements) a weapon's special code (22-31) boosts: bit c for colour c.
int GetCommandDirectionBits(int code);
// 1 for the codes that boost more (26-29), else 0.
int GetCommandDirectionMode(int code);

// For the field's events: damage and recovery of the whole party, and its highest stat.
// Amount 0 or more hurts every member by that much; -1 by a fifth of each
// maximum, rounded up (the whole maximum on maps with flag B bit 14); -2
// down to 1 HP. Nobody falls below 1 HP unless every member would, when
// all fall to 0 and the result is false.
bool DamagePartyNonLethal(int amount);
// Kind 0 HP, 1 SP, 2 the six stocks: each raised by the amount, up to its maximum.
void AddPartyRecovery(int kind, int amount);
// The highest first base stat of the three members.
int GetMaxEquipLevel();
