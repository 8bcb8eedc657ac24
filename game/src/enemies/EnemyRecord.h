// One enemy of the battle: what it was made from, where it stands, its
// timers and its packed flag words. The group holds eight.
#pragma once

#include <cstdint>

#include "core/EnemyDefs.h"
#include "party/Character.h"

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
constexpr int FLAGS_B_RANDOM_MEMBER = 30; // 2 bits
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

struct EnemyBox {
    float left, top, right, bottom;
};

struct EnemyRecord {
    float InertiaX, InertiaY;
    StatusEffectBlock Status; // a member's block, so the party's status routines work on it
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
    float NameWidth;
    float DashHeading;
    std::int32_t State;
    std::int32_t WalkFrame;
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
    std::uint32_t KnockbackEndFrame;
    std::uint32_t KnockbackCount;
    std::uint16_t MoveType, ActionType;
    std::uint16_t ShotCount;
    std::uint16_t RepeatsLeft;
    std::int16_t Alpha;
    std::int16_t FlinchTimer, FlinchFrames;
    std::int16_t KnockbackTimer, KnockbackFrames;
    std::uint16_t ExpValue;
    std::uint16_t ActionCooldown[ENEMY_MAX_ACTIONS];
    std::uint16_t MoveCooldown[ENEMY_MAX_MOVES];
    std::uint16_t ReactTimer;
    std::int16_t ActionHold, MoveHold;
    std::int16_t KindTimer;
    std::int16_t FixedDamage[3]; // per member, in the fixed-damage mode
    std::uint8_t ActionUses[ENEMY_MAX_ACTIONS];
    std::uint8_t MoveUses[ENEMY_MAX_MOVES];
    std::uint8_t ElementResist[6];
    std::uint8_t TargetOrder[3];
    std::uint8_t SeenBy[3];
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
