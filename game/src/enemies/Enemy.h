// The enemy group of the current battle: eight enemy records, the kinds they
// were made from, their pictures (a 12-slot cache) and the group's shared
// textures, the battle's own random generator, the set-up of a battle from
// a fixed formation or a map's encounter table, and the copy of the last
// set-up that a retry rebuilds.
#pragma once

#include <cstdint>
#include <span>

#include "enemies/EnemyRecord.h"
#include "media/Texture.h"

constexpr int ENEMY_SLOTS = 8;
constexpr int ENEMY_TEXTURE_CACHE = 12;
constexpr std::uint16_t ENEMY_CACHE_EMPTY = 65535;
constexpr int ENEMY_DROP_EMPTY = 15;
constexpr std::uint8_t ENEMY_NO_DEFEATER = 255; // `DefeatedBy` of an enemy no member defeated

// A battle record's bytes; empty for none.
using BattleRecordBytes = std::span<const std::uint8_t>;

struct EnemyRetryCopy {
    float RetryX[ENEMY_SLOTS];
    float RetryY[ENEMY_SLOTS];
    std::uint32_t RetrySeed;
    std::int16_t RetryKind[ENEMY_SLOTS];
    std::uint8_t RetryDrop[ENEMY_SLOTS];
    std::uint8_t RetrySlotId[ENEMY_SLOTS];
    // Bits 0-4 count, 5 boss, 6 from an encounter table, 7 strong,
    // 8 fixed-damage mode, 9 the copy was written.
    std::uint32_t RetryBits;
};

class CEnemyGroup {
public:
    void InitEnemy();
    void ReleaseEnemy();

    // Map set-up: the stat bonus of the map's battles, and how many encounter
    // candidates and fixed groups the map's table has.
    void SetMapBit(bool on);
    void ReadMapEnemyFlags();

    // Builds the group for a battle from a fixed record, an encounter record,
    // or the retry copy. False, with a warning, when nothing can be built
    // (no record, no kinds, a retry without a copy): the battle must not start.
    bool SetupEnemyBattle(BattleRecordBytes fixedRecord, BattleRecordBytes encounterRecord, int battleMode,
                          bool forceBoss, bool retry, bool strong, bool fixedDamage = false);
    void SetupEnemyFormation(BattleRecordBytes record);
    void SetupEnemyEncounter(BattleRecordBytes record);
    void SetBattleSeed(std::uint32_t seed) { BattleSeed = seed; }
    // One draw of the battle generator, 0 to 32767.
    int DrawBattleRandom();

    // Makes slot `slot` an enemy of kind `kind` with its top-left at (x, y).
    // A kind outside 0-193 becomes kind 0. False when no kinds are loaded.
    bool CreateEnemy(int slot, int kind, float x, float y, bool carriesDrop, bool clamp, int facing);
    void SetSeenBy(int slot);
    void SetupFixedBattleEnemy(int slot);
    void ClearMoveUses(int slot);
    void SetEnemyPosition(int slot, float x, float y);
    void UpdateSpriteFrame(int slot);
    // The fleeing enemy's picture: its exit direction's row, walking unless the kind has a pose sprite.
    void UpdateFleeSprite(int slot);
    // One frame of the rotating phase.
    void StepRotatingPhase();

    // Cache slot 0-11 of the picture, or -1 when it cannot be loaded.
    int LoadEnemyTexture(int graphicId);
    const CTexture* EnemyTexture(int slot) const;

    // Enemies in the battle, 0 to 8.
    int EnemyCount() const;
    void SetEnemyCount(int count);
    bool IsBossBattle() const;
    bool IsStrongBattle() const { return (GroupBits2 >> 21) & 1u; }
    bool IsPresent(int slot) const { return (Records[slot].FlagsA & FLAGS_A_DEFEATED) == 0; }
    int KindOf(int slot) const { return static_cast<int>(GetBits(Records[slot].KindWord, KIND_WORD_KIND, 10)); }
    bool HasRetryCopy() const { return (Retry.RetryBits >> 9) & 1u; }
    // Delay `d` of a definition, stretched while the enemy is slowed.
    int StretchDelay(int slot, int d) const;

    // Dropped items: id, count and category of entry i; category 15 is empty.
    int DropItemId(int i) const { return static_cast<int>(GetBits(DropList[i], 0, 9)); }
    int DropItemCount(int i) const { return static_cast<int>(GetBits(DropList[i], 9, 4)); }
    int DropItemCategory(int i) const { return static_cast<int>(GetBits(DropList[i], 13, 4)); }
    void SetDropItem(int i, int id, int count, int category);

    TexturedVertex DropQuad[4];
    EnemyRecord Records[ENEMY_SLOTS];
    std::uint32_t DropList[ENEMY_SLOTS];
    EnemyRetryCopy Retry;
    CTexture* TexCache[ENEMY_TEXTURE_CACHE];
    CTexture* UnderlayTex[2];
    CTexture* MarkTex;
    CTexture* BadgeTex;
    CTexture* ArrowTex;
    const EnemyKindDef* KindDefs[ENEMY_SLOTS];
    const EnemyMoveDef* MoveDefs[ENEMY_SLOTS];
    const EnemyActionDef* ActionDefs[ENEMY_SLOTS];
    float SpriteUv[ENEMY_SLOTS][4];
    float SpriteUvExtra[ENEMY_SLOTS][4];
    float BadgeUv[4], BadgeUvExtra[4];
    float FormationX[ENEMY_SLOTS], FormationY[ENEMY_SLOTS];
    float FormationW[ENEMY_SLOTS], FormationH[ENEMY_SLOTS];
    float FormationLabelY[ENEMY_SLOTS];
    float FormationNameW[ENEMY_SLOTS];
    float MarkOffset[3];
    float MarkSpacing[2];
    float MarkUv[4], MarkUvExtra[4];
    float ArrowRowUv[2][4];
    std::uint32_t BattleSeed;
    std::uint32_t FrameCounter;
    std::int32_t GroupDeadline; // a frame number some kinds wait for
    std::int32_t ExpTotal;
    std::int32_t MoneyTotal;
    std::uint16_t TexCacheIds[ENEMY_TEXTURE_CACHE];
    std::int16_t FormationKind[ENEMY_SLOTS];
    std::uint16_t PhasePeriod;
    std::uint16_t PhaseTimer;
    std::uint16_t OpeningFrames;
    std::int16_t openingAlpha; // 255 at set-up, down to 0 as the enemies fade in
    std::uint16_t WinWaitFrames;
    std::uint16_t ShotFadeAlpha;
    std::uint8_t TexCacheAge[ENEMY_TEXTURE_CACHE];
    std::uint8_t DefeatedBy[ENEMY_SLOTS];
    std::uint8_t SlotIds[ENEMY_SLOTS];
    std::uint8_t SecondRow[ENEMY_SLOTS];
    std::uint8_t FormationDrop[ENEMY_SLOTS];
    std::uint8_t FormationCount;
    std::uint8_t FormationPattern;
    std::uint32_t GroupBits;
    std::uint32_t GroupBits2;
    std::uint8_t pullFlag;   // asks the party members to keep away
    std::uint8_t crushCheck; // the contacts look for crushing enemies

    // One battle frame of every enemy.
    void UpdateEnemy();
    // The battle's opening: the enemies fade in, the action phase starts at 100.
    void UpdateEnemyOpening();
    // The wait after the last enemy went; false once the battle end starts.
    bool UpdateBattleWinWait();
    // Whether every drop picture, defeat and flight is over.
    bool IsBattleFinished() const;
    // After a defeat: the victory phase once every enemy is gone.
    void CheckAllEnemiesGone();
    // Hit reactions the contact tests start.
    void StartEnemyFlinch(int slot);
    void StartEnemyKnockback(int slot, int attackWord23, int attackWord21, int direction, int strength);
    // Axes bit 0 vertical, bit 1 horizontal.
    void ClampEnemyToField(int slot, int axes);
    // The same clamp for a slipping enemy: its carried velocity turns back on the axis that hit the edge.
    void ClampEnemyToFieldBounce(int slot, int axes);
    // In its normal state, running a movement of the edge-handling family.
    bool IsRunningGroupedMove(int slot) const;
    void SelectEnemyAction(int slot);
    void SelectEnemyMove(int slot);
    void ExecuteEnemyAction(int slot);
    void ExecuteEnemyMove(int slot);
    // One shot of the running action, with its extra shots.
    void SpawnActionShot(int slot, float x, float y, float angle, int shotKind, int value);
    // The running action's definition (its private copy when it made one).
    const EnemyActionDef& RunningAction(int slot) const;
    const EnemyMoveDef& RunningMove(int slot) const;
    int ActionCount(int slot) const;
    int MoveCount(int slot) const;
    void StopAction(int slot);
    // The end of an executed action frame: the hold on movement unless it may move, and the end at its length.
    void FinishActionStep(int slot, bool keepMayMove) { StepAction(slot, keepMayMove); }
    // A wait of `delay` frames as the kind draws it (jittered for kinds that jitter).
    int DrawWait(int slot, int delay) const { return JitterDelay(slot, delay); }
    void StopMove(int slot);
    // Speed after the fast and slow statuses; the walk along a heading.
    float ApplySpeedStatus(int slot, float speed) const;
    void WalkAlongHeading(int slot, float speed, float heading);
    void WalkAlongHeadingRaw(int slot, float speed, float heading);
    // Full speed on each axis towards a point (the centre stops on it) or away from a member.
    void StepTowardPoint(int slot, float x, float y, float speed);
    void StepAwayFromMember(int slot, int member, float speed);
    // The pose flips every 16 frames, not while defeated or stopped.
    void StepPose(int slot);

    // Drawing: the sprite (draw-order entry), markers, names, drop badge.
    void DrawEnemyObject(int slot, float depth);
    void UpdateEnemyMarkers();
    void DrawEnemyMarkers();
    void DrawEnemyNames();
    void DrawEnemyDrop(int slot, float depth);
    void DrawDefeatEffect(int slot, float depth);

    // Drops and rewards.
    void RecordDrop(int slot);
    void RegisterBattleEnemies();
    void ComputeBattleRewards();

    // Marker layout per enemy: flags (bit 0 status, 1 movement, 2 action),
    // and per marker its shape (0 alone, 1 left, 2 right) and row.
    std::uint8_t MarkerFlags[ENEMY_SLOTS];
    std::uint8_t MarkerShape[ENEMY_SLOTS][3];
    std::uint8_t MarkerRow[ENEMY_SLOTS][3];

    // Damage, defeat and flight.
    void DamageEnemy(int slot, int damage, std::uint32_t ailments, int ailmentFlag, int cause);
    void DefeatEnemy(int slot, int cause);
    float GetEnemyAttackRate(int slot) const;
    float GetEnemyDamageRate(int slot, bool useElement, int element) const;
    bool IsEnemyInvulnerable(int slot) const;
    void CancelEnemyAction(int slot, bool action, bool move, bool reset);
    void ClearEnemyHitMemory(int slot);
    void StartEnemyEscape(int slot);
    void UpdateFleeingEnemy(int slot);
    // 0 left, 1 up, 2 right, 3 down; up and down are out of the question when `onlySideways`.
    int NearestExitEdge(int slot, bool onlySideways) const;
    void TickStatusDamage(int slot);

    // Support actions: one step each, ended through the executor's end step.
    bool PayActionStock(int slot, const EnemyActionDef& def);
    void HealAction(int slot);
    void CureAction(int slot);
    void ReviveAction(int slot);
    void SummonAction(int slot);
    void StatusAction(int slot);
    // One frame of the escape (22) or a support action (23-27); false for other types.
    bool RunSupportAction(int slot, int type);
    // Lays the status class's effects on an enemy (side 0) or a member (side 1).
    void ApplyStatusToUnit(int side, int index, int statusKind, int flag);
    void HealEnemy(int slot, int minPercent, int maxPercent, bool sparks);
    // The target, or with `all` every standing enemy; the first standing one when the target is down.
    void HealEnemies(int target, int minPercent, int maxPercent, bool all);
    void SupportEffectAction(int slot);
    void ChooseHealTarget(int slot, int mode);
    void ChooseReviveTarget(int slot, int mode);
    void ChooseStatusTarget(int slot, int mode, int statusKind, bool excludeCarriers);
    void KeepSupportTarget(int slot, int target, bool tellKind);
    void AnnounceActionTarget(int slot);
    int FindLowestHpEnemy(int excludedSlot) const;
    // Whether an enemy a heal of `mode` may treat is at or below `percent` of its HP.
    bool IsHpAtMostForAction(int slot, int percent, int mode) const;
    bool IsEnemyRevivable(int slot) const;
    void GetSummonPosition(int slot, int kind, int number, float& x, float& y) const;
    bool SpawnSummonedEnemy(int kind, float x, float y, int facing);

    // Walks that turn at the field edges (movement types 12-15); false for other types.
    bool RunSteeredMove(int slot, int type);

    // The member a movement goes for by its target rule (`Param` bits 0-3),
    // kept for the rest of the movement where the rule says so.
    int GetMoveTargetMember(int slot, int rule);
    // Aims `Heading` at a member; the facing's heading when the member is down or at the centre.
    void AimMoveAtTarget(int slot);
    void AimAtMember(int slot, int member);
    // The heading from the centre to the member of the running movement's
    // target rule; false when that member is down or at the centre.
    bool HeadingToMoveTarget(int slot, float& heading);
    void AimAtFrontTargetOrRandom(int slot);
    void AimAtFrontTargetOrFront90(int slot);
    // The member to aim at when some member stands in the front quarter; false when none does.
    bool FindFrontTarget(int slot, bool useAi, int& member);
    void TurnFacing(int slot, int param);
    // A random heading strictly inside the quarter in front of the enemy.
    float RandomHeadingInFacing90(int slot) const;

    // The patterned movement types; false for those another part owns.
    bool RunPatternedMove(int slot, int type);
    // Eight-way steps (movement types 1-6).
    void AxisWalk8(int slot, const EnemyMoveDef& def);
    // One step along the walk direction, turned round at the field edge.
    void AxisWalk(int slot, float speed);
    void ZigZagWalk(int slot, const EnemyMoveDef& def);
    // Walks one axis until a member is lined up, then goes for it on the other.
    void AlignWithMemberWalk(int slot, const EnemyMoveDef& def, bool vertical);
    void AimedWalk(int slot, const EnemyMoveDef& def);
    void AimedWalkRepeating(int slot, const EnemyMoveDef& def);
    // Vanish and reappear elsewhere: as a movement (31-34, 44, 48) or an action (17-20).
    void VanishMove(int slot, const EnemyMoveDef& def);
    void VanishAction(int slot);
    // Whether the enemy may stand at (x, y): on the field, off the standing
    // members and, when `farFromHere`, at least 32 px away on one axis.
    bool IsPlaceFree(int slot, float x, float y, bool farFromHere) const;
    // Turns the heading at the field edge this frame's motion would cross (mode 1 reflect, 2 random, 3 reverse).
    void BounceAtFieldEdge(int slot, int mode, int aimChance);
    void TurnAtEdge(int slot, int edge, int mode, int aimChance);

    // AI targets and what each enemy remembers of the hits it took.
    int GetAiTarget(int slot);
    void RecordEnemyHitMemory(int slot, int member, std::uint32_t damage);
    int ResolveTargetMode(int slot, int mode);
    int ResolveSubPatternMode(int slot, int mode);
    std::uint8_t GroupAttackerRing[10];

    // The two condition codes of an action or movement, narrowing its target mask.
    bool EvaluateEnemyCondition(int slot, int codeA, int codeB, bool useAiTarget, int paramA, int paramB, bool isAction,
                                int candidateIndex);

    // What the party asks of the enemies' whirls and pulls.
    bool HasActiveSubShot();
    void UpdateCharacterShotState(int member);
    void ApplyEnemyPullToMember(int member);
    // The value party stock `stock` will have after `frames` frames of
    // regeneration, less what the coming enemy stock actions take.
    std::uint16_t CountDueEnemyActions(int stock, int frames);
    // The whirl (30) and pull (43) action types; false for other types.
    bool RunWhirlOrPullAction(int slot, int type);
    void SpawnSubShotAction(int slot);
    void ChoosePullTarget(int slot);
    bool AnotherEnemyPulls(int slot) const;
    void EndCutShortPull(int slot);
    // In normal state, acting, its wait over and not done, running action type `type`.

private:
    void FinishFlee(int slot);
    bool TestConditionA(int slot, int code, int param, std::uint8_t mask[3], bool isAction);
    bool TestConditionB(int slot, int code, int param, std::uint8_t mask[3], int candidateIndex);
    bool IsOtherRunningActionType(int slot, int type) const;
    void UpdateOneEnemy(int slot);
    bool UpdateEnemyState(int slot);
    void ActAndMove(int slot);
    void TickEnemyStatus(int slot);
    void WalkAndFace(int slot);
    void MoveEnemy(int slot);
    void ReactToTarget(int slot);
    void CountDownHolds(int slot);
    void PushKnockback(int slot);
    void EndKnockback(int slot);
    void AdvanceDropPicture(int slot);
    void MoveAlongAxis(int slot, bool horizontal, float amount);
    void ClampMotion(int slot, int axes);
    bool TryStartAction(int slot, int index);
    bool TryStartMove(int slot, int index);
    void StartAction(int slot, int index);
    void StartMove(int slot, int index);
    void StepAction(int slot, bool keepMayMove);
    void StepMove(int slot);
    void FinishActionNow(int slot);
    void FireSubPattern(int slot);
    void RunSubPatternAttack(int slot, bool fireOnFirstFrame);
    void RunDash(int slot);
    void RunMemberAimedAttack(int slot);
    void RunUpsideDown(int slot);
    void RunOtherActionType(int slot, int type);
    void RunStockDrain(int slot);
    void RunSelfDestruct(int slot);
    void FaceTrackedTarget(int slot);
    void RunAimedWalk(int slot, bool turning);
    void HeadingWalk(int slot, const EnemyMoveDef& def, int type);
    void LookAround(int slot, const EnemyMoveDef& def, int type);
    void TurningWalk(int slot, const EnemyMoveDef& def, int type);
    void WalkAtMember(int slot, const EnemyMoveDef& def, int type);
    void WalkToMarkedMember(int slot, const EnemyMoveDef& def);
    // Places a vanished enemy anew (0 anywhere, 1 the far corner, 2 in front
    // of its target member, 3 behind, 4 beside, 5 by another enemy); false when no place is free.
    bool Reappear(int slot, int place, int rule);
    bool ReappearByMember(int slot, int side, int member, bool facingMember);
    int JitterDelay(int slot, int delay) const;
    void ClearBattle(bool retry);
    bool RebuildFromRetryCopy();
    void WriteRetryCopy(bool boss, bool strong, bool fixedDamage);
    void PlaceFormation();
    void PlaceInLines();
    void SetFormationSizes(int count);
    void DecideFormationDrops(int count, bool byBattleRandom);
    void MakeRecent(int slot);
    void LoadSharedTextures();
};

// Group bits the set-up and the battle read.
constexpr int GROUP_COUNT = 0; // 5 bits
constexpr int GROUP_DROP_LIST_LENGTH = 5;
constexpr int GROUP_CANDIDATES = 10;
constexpr int GROUP_SETUP_COUNT = 15;
constexpr int GROUP_FIXED_GROUPS = 20;
constexpr int GROUP_PHASE_INDEX = 24;
constexpr std::uint32_t GROUP_DROP_RECORDED = 1u << 27;
constexpr std::uint32_t GROUP_FROM_FORMATION = 1u << 28;
constexpr std::uint32_t GROUP_FROM_ENCOUNTER = 1u << 29;
constexpr std::uint32_t GROUP_ENCOUNTER_TABLE = 1u << 30;
constexpr std::uint32_t GROUP_RETRY = 1u << 31;
constexpr std::uint32_t GROUP2_STAT_BONUS = 1u << 20;
constexpr std::uint32_t GROUP2_STRONG = 1u << 21;
constexpr std::uint32_t GROUP2_SHARED_AI_TAKEN = 1u << 23;

// The field edge nearest to a point: 0 left, 1 top, 2 right, 3 bottom; ties keep the lower number.
int GetNearestFieldEdge(float x, float y);
// HP as a percentage of the maximum, in 64 bits so large HP cannot overflow.
int HpPercent(std::int32_t hp, std::int32_t maxHp);
// The member in the enemy's front quarter nearest to it, else the nearest at all.
int FrontSectorTarget(const EnemyRecord& r);
