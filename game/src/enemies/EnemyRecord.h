// One enemy of the battle: what it was made from, where it stands, its
// timers and its packed flag words. The group holds eight.
#pragma once

#include <cstdint>

#include "core/EnemyDefs.h"
#include "party/PartyServices.h"

// Enemy states.
constexpr int ENEMY_NORMAL = 0;
constexpr int ENEMY_FLINCH = 1;
constexpr int ENEMY_KNOCKBACK = 2;
constexpr int ENEMY_DEFEATED = 3;
constexpr int ENEMY_FLEEING = 4;
constexpr int ENEMY_APPEARING = 5;

// Bits of the packed words that the set-up writes or reads.
constexpr int FLAGS_A_TEXTURE_SLOT = 9; // 4 bits; ENEMY_NO_TEXTURE when the picture did not load
constexpr int FLAGS_A_FACING = 17;      // 2 bits
constexpr std::uint32_t FLAGS_A_WALKING = 1u << 21;
constexpr int FLAGS_A_ACTION_INDEX = 0;   // 5 bits
constexpr int FLAGS_A_MOVE_INDEX = 5;     // 4 bits
constexpr int FLAGS_A_QUEUED_ACTION = 13; // 4 bits
constexpr int FLAGS_A_HIT_DIRECTION = 19; // 2 bits
constexpr std::uint32_t FLAGS_A_MAY_MOVE = 1u << 22;
constexpr std::uint32_t FLAGS_A_ACTION_RUNNING = 1u << 23;
constexpr std::uint32_t FLAGS_A_MOVE_RUNNING = 1u << 24;
constexpr std::uint32_t FLAGS_A_MAY_ACT = 1u << 25;
constexpr std::uint32_t FLAGS_A_DASHING = 1u << 26;
constexpr std::uint32_t FLAGS_A_DEFEATED = 1u << 27;
constexpr std::uint32_t FLAGS_A_SKIP_RECT = 1u << 28;
constexpr std::uint32_t FLAGS_A_MOVE_CHAIN_BLOCKED = 1u << 29;
constexpr std::uint32_t FLAGS_A_ESCAPED = 1u << 30;
constexpr std::uint32_t FLAGS_A_ACTION_ENDED = 1u << 31;
constexpr int FLAGS_B_GRACE_COUNT = 0;    // 7 bits
constexpr int FLAGS_B_DEFEAT_FRAMES = 7;  // 6 bits
constexpr int FLAGS_B_POSE_TIMER = 13;    // 5 bits
constexpr int FLAGS_B_HIT_STRENGTH = 24;  // 2 bits
constexpr int FLAGS_B_ACTION_MEMBER = 26; // 2 bits
constexpr int FLAGS_C_DROP_TIMER = 0;     // 8 bits
constexpr int FLAGS_C_ACTION_PHASE = 8;   // 3 bits: a vanishing action's phase
constexpr int FLAGS_C_MOVE_PHASE = 11;    // 3 bits: a vanishing or repeating walk's phase
constexpr int FLAGS_C_KEPT_MEMBER = 17;   // 2 bits, valid with FLAGS_C_MEMBER_KEPT
constexpr int FLAGS_C_MOVE_MEMBER = 19;   // 2 bits
constexpr int FLAGS_C_WALK_DIR = 21;      // 2 bits: 0 left, 1 up, 2 right, 3 down
constexpr int FLAGS_C_PREV_WALK_DIR = 23; // 2 bits
constexpr int FLAGS_C_WALK_DIR8 = 21;     // 3 bits: the eight-way step (over the two above)
constexpr std::uint32_t FLAGS_C_MEMBER_KEPT = 1u << 26;
constexpr std::uint32_t FLAGS_C_AIMED = 1u << 28;
constexpr std::uint32_t FLAGS_C_ATTACK_DONE = 1u << 25;
constexpr std::uint32_t FLAGS_C_BLINK_PHASE = 1u << 27;
constexpr std::uint32_t FLAGS_C_ACTING = 1u << 29;
constexpr std::uint32_t FLAGS_C_ACTION_CHAIN_BLOCKED = 1u << 30;
constexpr std::uint32_t FLAGS_C_DEFEAT_DONE = 1u << 31;
constexpr int KIND_WORD_QUEUED_MOVE = 10;      // 3 bits
constexpr int KIND_WORD_ACTION_DIRECTION = 13; // 2 bits, recorded by an action's conditions
constexpr int KIND_WORD_MOVE_DIRECTION = 15;   // 2 bits, recorded by a movement's conditions
constexpr std::uint32_t KIND_WORD_ACTION_DIRECTION_SET = 1u << 17;
constexpr std::uint32_t KIND_WORD_MOVE_DIRECTION_SET = 1u << 18;
constexpr std::uint32_t KIND_WORD_SKIP_RECT = 1u << 19;
constexpr std::uint32_t KIND_WORD_TARGET_CHOSEN = 1u << 20; // a support action's target is chosen
constexpr std::uint32_t KIND_WORD_GONE = 1u << 21;
constexpr std::uint32_t KIND_WORD_GRACE = 1u << 23;
constexpr std::uint32_t KIND_WORD_NOT_PRESENT = 1u << 24;
constexpr std::uint32_t KIND_WORD_ACTION_CHAINED = 1u << 25;
constexpr std::uint32_t KIND_WORD_MOVE_CHAINED = 1u << 26;
constexpr std::uint32_t KIND_WORD_MOVE_ENDED = 1u << 27;
constexpr std::uint32_t KIND_WORD_DROP_TAKEN = 1u << 30;
constexpr std::uint32_t KIND_WORD_NEVER_REVIVED = 1u << 31; // released its drop at defeat
constexpr int FLAGS_D_AIM_MODE = 0;                         // 7 bits
constexpr int FLAGS_D_TARGET_MODE = 7;                      // 5 bits
constexpr int FLAGS_D_SUBPATTERN_MODE = 12;                 // 5 bits
constexpr std::uint32_t FLAGS_E_MOVE_INTERRUPTED = 1u << 26;
constexpr std::uint32_t FLAGS_E_KIND_SHOT_TEST = 1u << 27;
constexpr std::uint32_t FLAGS_E_UPSIDE_DOWN = 1u << 28;
constexpr std::uint32_t FLAGS_E_KIND_KNOCK_REACTION = 1u << 29;
constexpr std::uint32_t FLAGS_E_KNOCKBACK_ENDED = 1u << 31;
constexpr std::uint32_t FLAGS_F_STRONG_HITS = 1u << 13;
constexpr std::uint32_t FLAGS_F_GUARDS = 1u << 14;
constexpr std::uint32_t FLAGS_F_KIND_HIT_REACTION = 1u << 18;
constexpr std::uint32_t FLAGS_F_ONE_KNOCKBACK = 1u << 23;
constexpr std::uint32_t FLAGS_F_DEFEAT_FOLLOW_UP = 1u << 24;
constexpr std::uint32_t FLAGS_F_CLASS_5_ONLY = 1u << 25;
constexpr std::uint32_t FLAGS_F_KIND_REACTION_A = 1u << 26;
constexpr std::uint32_t FLAGS_F_KIND_REACTION_B = 1u << 28;
constexpr std::uint32_t FLAGS_F_ACTION_BONUS = 1u << 30;
constexpr std::uint32_t FLAGS_G_KIND_REACTION = 1u << 13;
constexpr std::uint32_t FLAGS_G_MOVE_BONUS = 1u << 18;
constexpr int FLAGS_B_RANDOM_MEMBER = 30;  // 2 bits
constexpr int FLAGS_E_TRACKED_TARGET = 22; // 2 bits: the member a tracking action follows
constexpr std::uint32_t FLAGS_E_ONE_ROW = 1u << 25;
constexpr std::uint32_t FLAGS_E_NO_CONTACT = 1u << 30;
constexpr std::uint32_t FLAGS_F_ALT_UNDERLAY = 1u << 21;
constexpr int FLAGS_D_PHASE_INDEX = 21;  // 3 bits
constexpr int FLAGS_D_PHASE_LENGTH = 24; // 3 bits
constexpr int KIND_WORD_KIND = 0;        // 10 bits
constexpr std::uint32_t KIND_WORD_POSE = 1u << 28;
constexpr std::uint32_t KIND_WORD_CARRIES_DROP = 1u << 29;
constexpr int ENEMY_NO_TEXTURE = 15;
constexpr int STATUS_SLOW = 12;

// Record flags by the role they play in the contacts.
constexpr std::uint8_t ENEMY_ROLE_RAMS = 1u << 0;            // pushes members head-on as it walks
constexpr std::uint8_t ENEMY_ROLE_CRUSHES = 1u << 1;         // a member under its body is crushed
constexpr std::uint8_t ENEMY_ROLE_ABSORBS_SHOTS = 1u << 2;   // magical party shots end on it
constexpr std::uint8_t ENEMY_ROLE_HITS_SURELY = 1u << 3;     // its magical shots are never dodged
constexpr std::uint8_t ENEMY_ROLE_PIERCES_BARRIER = 1u << 4; // its shots break a member's barrier

struct EnemyBox {
    float left, top, right, bottom;
};

struct EnemyRecord {
    float InertiaX, InertiaY;
    // A member's block, so the party's status routines work on it: its
    // boostLevels hold the attack-up and damage-taken levels, its effectState
    // the poison tick's counter and the three effect counters.
    StatusEffectBlock Status;
    EnemyActionDef ActionCopy;
    float PosX, PosY;
    float PrevX, PrevY;
    float Width, Height;
    float FrameWidth, FrameHeight;
    float MoveX, MoveY;
    float LabelHeight;
    EnemyBox BodyBox, OuterBox, InnerBox, HitBox;
    float Heading;
    float EscapeDrawX, EscapeDrawY;
    float CenterX, CenterY;
    float DropFall, DropFallLimit;
    bool DropShown; // the dropped item's picture is shown
    float NameWidth;
    float DashHeading;
    float FleeSpeed;                // pixels a frame of the flight
    float SavedPointX, SavedPointY; // a place a kind movement comes back to
    float SpecialTopSpeed;          // the top speed of a charging kind movement
    std::int32_t State;
    std::int32_t WalkFrame;
    std::int32_t FleeFrame;
    std::int32_t MoveFrame, MoveLimit;
    std::int32_t ActionFrame, ActionLength;
    std::int32_t Hp, MaxHp;
    std::int32_t AttackPower;
    std::int32_t MoveCooldownAll, ActionCooldownAll;
    std::int32_t ActionWait, ActionDelay;
    std::int32_t Attack, AttackB, Defence, DefenceB;
    std::uint32_t ActionStarts[ENEMY_MAX_ACTIONS];
    std::uint32_t MoveStarts[14];
    std::uint32_t ImmunityMask;
    std::uint8_t TouchRoles; // ENEMY_ROLE_* bits the contacts test
    std::uint32_t KnockbackEndFrame;
    std::uint32_t KnockbackCount;
    std::uint16_t MoveType, ActionType;
    std::uint16_t ShotCount;
    std::uint16_t RepeatsLeft; // volleys the running action has still to fire
    std::int16_t VolleyIndex;  // volleys (repetitions) it fired so far
    std::int16_t AttackStep;   // picks the member of action type 34
    std::int16_t Alpha;
    std::int16_t FlinchTimer, FlinchFrames;
    std::int16_t KnockbackTimer, KnockbackFrames;
    std::uint16_t ExpValue;
    std::uint16_t ActionCooldown[ENEMY_MAX_ACTIONS];
    std::uint16_t MoveCooldown[ENEMY_MAX_MOVES];
    std::uint16_t ReactTimer;
    std::int16_t EdgeTurns;   // field edges a steered walk met
    std::int16_t StepCounter; // frames counted by the aligned and aimed walks
    std::int16_t ActionHold, MoveHold;
    std::int16_t KindTimer;       // frames between periodic specials; 0: none
    std::uint16_t SpecialCounter; // frames counted towards the next one
    std::uint16_t SpecialStep;    // what a forced special adds to the counter
    std::int32_t DrainCount;      // stock taken by the running drain action
    std::int16_t FixedDamage[3];  // per member, in the fixed-damage mode
    std::uint8_t ActionUses[ENEMY_MAX_ACTIONS];
    std::uint8_t MoveUses[ENEMY_MAX_MOVES];
    std::uint8_t ElementResist[6];
    std::uint8_t TargetOrder[3];
    std::uint8_t SeenBy[3];
    std::uint8_t KindBytes[8]; // small per-kind values: an order, hit counters, a variant
    // Per-kind state of the periodic specials, reactions and after-defeat shots.
    float SavedPoint[2];            // a remembered top-left a partner's shot starts from
    std::int32_t HitWindowStart;    // kind 182: the frame its window opened; kind 180: its last counter-shot
    std::int32_t HitWindowBase;     // the knock-back count when the window opened
    std::uint16_t SpecialShotIndex; // a rotating index of the specials
    std::uint16_t AfterlifeCounter; // frames counted since the last after-defeat volley
    std::uint16_t AfterlifePeriod;  // frames between after-defeat volleys
    // What the AI remembers of the hits it took, per member and the last five attackers.
    std::uint32_t HitCounts[3];
    std::uint32_t DamageTotals[3];
    std::uint8_t AttackerRing[5];
    std::uint8_t ActionTargetMask[3], MoveTargetMask[3];
    std::uint32_t FlagsA, FlagsB, FlagsC, KindWord, FlagsD, FlagsE, FlagsF, FlagsG;
};

// Bits [shift, shift + width) of a packed word.
constexpr std::uint32_t GetBits(std::uint32_t word, int shift, int width)
{
    return (word >> shift) & ((1u << width) - 1u);
}
constexpr void SetBits(std::uint32_t& word, int shift, int width, std::uint32_t value)
{
    const std::uint32_t mask = ((1u << width) - 1u) << shift;
    word = (word & ~mask) | ((value << shift) & mask);
}
