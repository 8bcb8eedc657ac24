// The enemy kinds as the enemy code reads them: one kind record, its
// movements and its attack actions, each field unpacked from entry 2 of the
// pack (see EnemyDefFields.h for where each one is stored).
#pragma once

#include <cstdint>
#include <vector>

constexpr int ENEMY_NAME_UNITS = 11;
// A record keeps per-entry state for no more than these.
constexpr int ENEMY_MAX_MOVES = 8;
constexpr int ENEMY_MAX_ACTIONS = 16;
constexpr int ENEMY_MAX_HP = 9999999;
constexpr int ENEMY_AI_TYPE_LIMIT = 23;
constexpr int ENEMY_STOCK_LIMIT = 5;
// Action types that fire the attack sub-pattern (they divide by ShotSlots),
// the summon and the stock drain.
constexpr int ENEMY_ACTION_SUMMON = 27;
constexpr int ENEMY_ACTION_SELF_DESTRUCT = 21;
constexpr int ENEMY_ACTION_STOCK_DRAIN = 28;

struct EnemyKindDef {
    std::int32_t MaxHp;
    std::int32_t FixedHp; // HP in the fixed-damage mode
    std::int32_t Attack;
    std::int32_t AttackB;
    std::int32_t Defence;
    std::int32_t DefenceB;
    std::int32_t FirstActionDelay;
    char16_t Name[ENEMY_NAME_UNITS];
    std::int32_t BodyLeft, BodyTop, BodyRight, BodyBottom;
    std::int32_t ContactLeft, ContactTop, ContactRight, ContactBottom;
    std::int32_t HitLeft, HitTop, HitRight, HitBottom;
    std::int32_t GraphicId;
    std::int32_t KnockbackFrames;
    std::int32_t LabelHeight;
    std::int32_t ActionLowHpPercent;
    std::int32_t DropItemId;
    std::int32_t MoveLowHpPercent;
    std::int32_t ActionCount;
    std::int32_t AiType;
    std::int32_t TurnChance;
    std::int32_t MoveCount;
    std::int32_t NameLength;
    std::int32_t DropChance;
    std::int32_t DropItemCategory;
    std::int32_t KnockbackMode;
    std::int32_t ImmunityA; // status bits 0-4 (as one), 5-10
    std::int32_t Money;
    std::int32_t Resist0;
    std::int32_t ImmunityB; // status bits 11-16
    std::int32_t NoContact;
    std::int32_t Unhittable;
    std::int32_t ContactOverride;
    std::int32_t Invulnerable;
    std::int32_t JitterDelays;
    std::int32_t Exp;
    std::int32_t Level;
    std::int32_t Resist1, Resist2, Resist3;
    std::int32_t PoseSprite;
    std::int32_t BossBattle;
    std::int32_t CircleFlag;
    std::int32_t ReactFrames;
    std::int32_t FirstMoveDelay;
    std::int32_t SizeClass;
    std::int32_t ShareActionCooldowns;
    std::int32_t ShareMoveCooldowns;
    std::int32_t ShuffleTargets;
    std::int32_t TestSeenBy0, TestSeenBy1, TestSeenBy2; // SeenBy in the fixed-damage mode
    std::int32_t FlinchFrames;
    // KindFlags, bit by bit.
    std::int32_t AllSeen;
    std::int32_t PhaseRotation;
    std::int32_t PeriodicSpecial;
    std::int32_t KnockbackCounter;
    std::int32_t LongFacingKnockback;
    std::int32_t CreationHook;
    std::int32_t GuardsFront;
    std::int32_t MoveClass;
    std::int32_t RateOnly;
    std::int32_t NoBodyCollision;
    std::int32_t Immovable;
    std::int32_t HarmfulTouch;
    std::int32_t Ram;
    std::int32_t SelfDamage;
    std::int32_t FixedDamageTrigger;
    std::int32_t StrongPush;
    std::int32_t OneDamage;
    std::int32_t Unstrikeable;
    std::int32_t ContactElement;
    std::int32_t ContactEffect;
};

struct EnemyMoveDef {
    float Speed;
    float Speed2;
    std::int32_t Duration;
    std::int32_t DurationExtra;
    std::int32_t Period;
    std::int32_t Cooldown;
    std::int32_t RetryDelay;
    std::int32_t Param;
    std::int32_t Weight;
    std::int32_t HpMaxPercent;
    std::int32_t HpMinPercent;
    std::int32_t Endless;
    std::int32_t ResumeAfterKnockback;
    std::int32_t FadeOutFirst;
    std::int32_t CondA;
    std::int32_t CondB;
    std::int32_t CondAParam;
    std::int32_t CondBParam;
    std::int32_t MaxUses;
    std::int32_t FallbackMove;
    std::int32_t CondJoin;
    std::int32_t Shielded; // marker shown, cannot be hurt while it runs
    std::int32_t WithAction;
    std::int32_t CooldownAll;
    std::int32_t StartCooled;
    std::int32_t MoveType;
    std::int32_t StepDivisor;
    std::int32_t NextMove;
    std::int32_t ChainNext;
    std::int32_t ResumeAnyFrame;
    std::int32_t ShieldedPastDuration;
};

struct EnemyActionDef {
    float ActionParam0, ActionParam1, ActionParam2, ActionParam3;
    std::int32_t ActionCount16;
    std::int32_t ActionLength18;
    std::int32_t RepeatPeriod;
    std::int32_t StartDelay;
    std::int32_t Length;
    std::int32_t RetryDelay;
    std::int32_t Cooldown;
    std::int32_t TargetKindId;
    std::int32_t ShotSlots;
    std::int32_t ShotsPerVolley;
    std::int32_t AimMode;
    std::int32_t IconId;
    std::int32_t IconRow;
    std::int32_t IsSpell;
    std::int32_t ActionType;
    std::int32_t ShotMotion;
    std::int32_t ShotAction;
    std::int32_t SubPatternMode;
    std::int32_t AngleMode;
    std::int32_t ShotKnock;
    std::int32_t ContinueIndex;
    std::int32_t BackShot;
    std::int32_t SideShots;
    std::int32_t ShotChildCount; // the ring radius index for action type 33
    std::int32_t ShotChance;
    std::int32_t ShotChildRow;
    std::int32_t TargetMode;
    std::int32_t ShotHits;
    std::int32_t ShotErasable;
    std::int32_t EndWithMove;
    std::int32_t ShotOnce;
    std::int32_t UsesAttackB; // also makes its shots magical
    std::int32_t Param;
    std::int32_t Repeats;
    std::int32_t CondAParam;
    std::int32_t GaugeMember; // also a stock index and the shots' orbit slot
    std::int32_t ShotSpread;
    std::int32_t TriShot;
    std::int32_t SingleShot;
    std::int32_t AimedExtraShot;
    std::int32_t ShieldedWhileAttacking;
    std::int32_t NeedsGauge;
    std::int32_t StartCooled;
    std::int32_t GaugeLimit;
    std::int32_t HpMaxPercent;
    std::int32_t HpMinPercent;
    std::int32_t CondA;
    std::int32_t CondBParam;
    std::int32_t Weight;
    std::int32_t CondB;
    std::int32_t MaxUses;
    std::int32_t ShotAilmentRate;
    std::int32_t FallbackAction;
    std::int32_t NextAction;
    std::int32_t CondJoin;
    std::int32_t ChainNext;
    std::int32_t TestKind;
    std::int32_t ShotAilment;
    std::int32_t CircleTest;
    std::int32_t ShieldedThroughAction;
    std::int32_t TrackTarget;
    std::int32_t NoFadeIn;
    std::int32_t KindVolleyHook;
    std::int32_t CooldownAll;
    std::int32_t PrivateCopy;
};

// Sprite side in pixels of a kind's size class.
constexpr int EnemySpriteSide(int sizeClass)
{
    constexpr int kSides[8] = {32, 48, 64, 96, 32, 32, 32, 32};
    return kSides[sizeClass & 7];
}

// One kind with its lists, as stored back to back in the entry.
struct EnemyKind {
    EnemyKindDef def{};
    std::vector<EnemyMoveDef> moves;
    std::vector<EnemyActionDef> actions;
};

inline bool IsShotActionType(int type)
{
    switch (type) {
    case 1:
    case 3:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
    case 31:
    case 32:
    case 34:
    case 35:
    case 38:
    case 40:
    case 41:
    case 42:
    case 45:
    case 46:
    case 47:
        return true;
    default:
        return false;
    }
}
