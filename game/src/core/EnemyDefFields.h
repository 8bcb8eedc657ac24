// Where every field of the enemy records is stored: one table per record
// kind, read by the loader and written by the sample-data builder, so the
// two cannot drift apart. A field is `width` bits from bit `shift` of the
// little-endian 32-bit word that starts at byte `offset & ~3`, shifted on by
// the byte within the word, so the table reads like the stored layout
// ("u16 at 30", "word 60 bits 4-7").
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/EnemyDefs.h"
#include "platform/LittleEndian.h"

constexpr int ENEMY_KIND_RECORD_SIZE = 84;
constexpr int ENEMY_MOVE_RECORD_SIZE = 32;
constexpr int ENEMY_ACTION_RECORD_SIZE = 60;
constexpr int ENEMY_NAME_OFFSET = 18;

enum class FieldForm : std::uint8_t { Unsigned, Signed, Float };

template <class Def> struct DefField {
    const char* name;
    std::uint8_t offset;
    std::uint8_t shift;
    std::uint8_t width;
    FieldForm form;
    std::int32_t Def::*value; // integer fields
    float Def::*real;         // float fields
};

template <class Def>
constexpr DefField<Def> Bits(const char* name, int offset, int shift, int width, std::int32_t Def::*value)
{
    return {name,
            static_cast<std::uint8_t>(offset),
            static_cast<std::uint8_t>(shift),
            static_cast<std::uint8_t>(width),
            FieldForm::Unsigned,
            value,
            nullptr};
}
template <class Def>
constexpr DefField<Def> Signed(const char* name, int offset, int shift, int width, std::int32_t Def::*value)
{
    return {name,
            static_cast<std::uint8_t>(offset),
            static_cast<std::uint8_t>(shift),
            static_cast<std::uint8_t>(width),
            FieldForm::Signed,
            value,
            nullptr};
}
template <class Def> constexpr DefField<Def> Real(const char* name, int offset, float Def::*real)
{
    return {name, static_cast<std::uint8_t>(offset), 0, 32, FieldForm::Float, nullptr, real};
}

#define KIND_FIELD(offset, shift, width, field) Bits<EnemyKindDef>(#field, offset, shift, width, &EnemyKindDef::field)
#define KIND_SIGNED(offset, shift, width, field)                                                                       \
    Signed<EnemyKindDef>(#field, offset, shift, width, &EnemyKindDef::field)
#define MOVE_FIELD(offset, shift, width, field) Bits<EnemyMoveDef>(#field, offset, shift, width, &EnemyMoveDef::field)
#define MOVE_SIGNED(offset, shift, width, field)                                                                       \
    Signed<EnemyMoveDef>(#field, offset, shift, width, &EnemyMoveDef::field)
#define MOVE_REAL(offset, field) Real<EnemyMoveDef>(#field, offset, &EnemyMoveDef::field)
#define ACTION_FIELD(offset, shift, width, field)                                                                      \
    Bits<EnemyActionDef>(#field, offset, shift, width, &EnemyActionDef::field)
#define ACTION_SIGNED(offset, shift, width, field)                                                                     \
    Signed<EnemyActionDef>(#field, offset, shift, width, &EnemyActionDef::field)
#define ACTION_REAL(offset, field) Real<EnemyActionDef>(#field, offset, &EnemyActionDef::field)

// The name (UTF-16 at byte 18, NameLength units) is stored apart from these.
inline constexpr DefField<EnemyKindDef> kKindFields[] = {
    KIND_FIELD(0, 0, 32, MaxHp),
    KIND_FIELD(4, 0, 32, FixedHp),
    KIND_SIGNED(8, 0, 16, Attack),
    KIND_SIGNED(10, 0, 16, AttackB),
    KIND_SIGNED(12, 0, 16, Defence),
    KIND_SIGNED(14, 0, 16, DefenceB),
    KIND_FIELD(16, 0, 16, FirstActionDelay),
    KIND_FIELD(40, 0, 8, BodyLeft),
    KIND_FIELD(41, 0, 8, BodyTop),
    KIND_FIELD(42, 0, 8, BodyRight),
    KIND_FIELD(43, 0, 8, BodyBottom),
    KIND_FIELD(44, 0, 8, ContactLeft),
    KIND_FIELD(45, 0, 8, ContactTop),
    KIND_FIELD(46, 0, 8, ContactRight),
    KIND_FIELD(47, 0, 8, ContactBottom),
    KIND_FIELD(48, 0, 8, HitLeft),
    KIND_FIELD(49, 0, 8, HitTop),
    KIND_FIELD(50, 0, 8, HitRight),
    KIND_FIELD(51, 0, 8, HitBottom),
    KIND_FIELD(52, 0, 10, GraphicId),
    KIND_FIELD(52, 10, 8, KnockbackFrames),
    KIND_FIELD(52, 18, 7, LabelHeight),
    KIND_FIELD(52, 25, 7, ActionLowHpPercent),
    KIND_FIELD(56, 0, 9, DropItemId),
    KIND_FIELD(56, 9, 7, MoveLowHpPercent),
    KIND_FIELD(56, 22, 5, ActionCount),
    KIND_FIELD(56, 27, 5, AiType),
    KIND_FIELD(60, 0, 4, TurnChance),
    KIND_FIELD(60, 4, 4, MoveCount),
    KIND_FIELD(60, 12, 4, NameLength),
    KIND_FIELD(60, 16, 4, DropChance),
    KIND_FIELD(60, 20, 3, DropItemCategory),
    KIND_FIELD(60, 23, 2, KnockbackMode),
    KIND_FIELD(60, 25, 7, ImmunityA),
    KIND_FIELD(64, 0, 16, Money),
    KIND_FIELD(64, 16, 3, Resist0),
    KIND_FIELD(64, 19, 6, ImmunityB),
    KIND_FIELD(64, 25, 1, NoContact),
    KIND_FIELD(64, 27, 1, Unhittable),
    KIND_FIELD(64, 28, 1, ContactOverride),
    KIND_FIELD(64, 29, 1, Invulnerable),
    KIND_FIELD(64, 30, 1, JitterDelays),
    KIND_FIELD(68, 0, 10, Exp),
    KIND_FIELD(68, 10, 10, Level),
    KIND_FIELD(68, 20, 3, Resist1),
    KIND_FIELD(68, 23, 3, Resist2),
    KIND_FIELD(68, 26, 3, Resist3),
    KIND_FIELD(68, 29, 1, PoseSprite),
    KIND_FIELD(68, 30, 1, BossBattle),
    KIND_FIELD(68, 31, 1, CircleFlag),
    KIND_FIELD(72, 0, 13, ReactFrames),
    KIND_FIELD(72, 13, 13, FirstMoveDelay),
    KIND_FIELD(72, 26, 3, SizeClass),
    KIND_FIELD(72, 29, 1, ShareActionCooldowns),
    KIND_FIELD(72, 30, 1, ShareMoveCooldowns),
    KIND_FIELD(72, 31, 1, ShuffleTargets),
    KIND_FIELD(76, 0, 8, TestSeenBy0),
    KIND_FIELD(77, 0, 8, TestSeenBy1),
    KIND_FIELD(78, 0, 8, TestSeenBy2),
    KIND_FIELD(76, 24, 7, FlinchFrames),
    KIND_FIELD(80, 0, 1, AllSeen),
    KIND_FIELD(80, 1, 1, PhaseRotation),
    KIND_FIELD(80, 2, 1, PeriodicSpecial),
    KIND_FIELD(80, 3, 1, KnockbackCounter),
    KIND_FIELD(80, 4, 1, LongFacingKnockback),
    KIND_FIELD(80, 5, 1, CreationHook),
    KIND_FIELD(80, 6, 1, GuardsFront),
    KIND_FIELD(80, 7, 2, MoveClass),
    KIND_FIELD(80, 9, 1, RateOnly),
    KIND_FIELD(80, 10, 1, NoBodyCollision),
    KIND_FIELD(80, 11, 1, Immovable),
    KIND_FIELD(80, 12, 1, HarmfulTouch),
    KIND_FIELD(80, 13, 1, Ram),
    KIND_FIELD(80, 14, 1, SelfDamage),
    KIND_FIELD(80, 15, 1, FixedDamageTrigger),
    KIND_FIELD(80, 16, 1, StrongPush),
    KIND_FIELD(80, 17, 1, OneDamage),
    KIND_FIELD(80, 18, 1, Unstrikeable),
    KIND_FIELD(80, 19, 4, ContactElement),
    KIND_FIELD(80, 23, 6, ContactEffect),
};

inline constexpr DefField<EnemyMoveDef> kMoveFields[] = {
    MOVE_REAL(0, Speed),
    MOVE_REAL(4, Speed2),
    MOVE_SIGNED(8, 0, 16, Duration),
    MOVE_SIGNED(10, 0, 16, DurationExtra),
    MOVE_SIGNED(12, 0, 16, Period),
    MOVE_FIELD(14, 0, 16, Cooldown),
    MOVE_FIELD(16, 0, 16, RetryDelay),
    MOVE_FIELD(20, 0, 8, Param),
    MOVE_FIELD(20, 8, 7, Weight),
    MOVE_FIELD(20, 15, 7, HpMaxPercent),
    MOVE_FIELD(20, 22, 7, HpMinPercent),
    MOVE_FIELD(20, 29, 1, Endless),
    MOVE_FIELD(20, 30, 1, ResumeAfterKnockback),
    MOVE_FIELD(20, 31, 1, FadeOutFirst),
    MOVE_FIELD(24, 0, 6, CondA),
    MOVE_FIELD(24, 6, 6, CondB),
    MOVE_FIELD(24, 12, 4, CondAParam),
    MOVE_FIELD(24, 16, 4, CondBParam),
    MOVE_FIELD(24, 20, 4, MaxUses),
    MOVE_FIELD(24, 24, 3, FallbackMove),
    MOVE_FIELD(24, 27, 1, CondJoin),
    MOVE_FIELD(24, 28, 1, Shielded),
    MOVE_FIELD(24, 29, 1, WithAction),
    MOVE_FIELD(24, 30, 1, CooldownAll),
    MOVE_FIELD(24, 31, 1, StartCooled),
    MOVE_FIELD(28, 0, 8, MoveType),
    MOVE_FIELD(28, 8, 4, StepDivisor),
    MOVE_FIELD(28, 12, 3, NextMove),
    MOVE_FIELD(28, 15, 1, ChainNext),
    MOVE_FIELD(28, 16, 1, ResumeAnyFrame),
    MOVE_FIELD(28, 17, 1, ShieldedPastDuration),
};

inline constexpr DefField<EnemyActionDef> kActionFields[] = {
    ACTION_REAL(0, ActionParam0),
    ACTION_REAL(4, ActionParam1),
    ACTION_REAL(8, ActionParam2),
    ACTION_REAL(12, ActionParam3),
    ACTION_FIELD(16, 0, 16, ActionCount16),
    ACTION_FIELD(18, 0, 16, ActionLength18),
    ACTION_FIELD(20, 0, 16, RepeatPeriod),
    ACTION_FIELD(22, 0, 16, StartDelay),
    ACTION_FIELD(24, 0, 16, Length),
    ACTION_FIELD(26, 0, 16, RetryDelay),
    ACTION_FIELD(28, 0, 16, Cooldown),
    ACTION_FIELD(30, 0, 16, TargetKindId),
    ACTION_FIELD(32, 0, 9, ShotSlots),
    ACTION_FIELD(32, 9, 7, ShotsPerVolley),
    ACTION_FIELD(32, 16, 7, AimMode),
    ACTION_SIGNED(32, 23, 5, IconId),
    ACTION_FIELD(32, 28, 3, IconRow),
    ACTION_FIELD(32, 31, 1, IsSpell),
    ACTION_FIELD(36, 0, 8, ActionType),
    ACTION_FIELD(36, 8, 6, ShotMotion),
    ACTION_FIELD(36, 14, 6, ShotAction),
    ACTION_FIELD(36, 20, 4, SubPatternMode),
    ACTION_FIELD(36, 24, 3, AngleMode),
    ACTION_FIELD(36, 27, 2, ShotKnock),
    ACTION_FIELD(36, 29, 1, ContinueIndex),
    ACTION_FIELD(36, 30, 1, BackShot),
    ACTION_FIELD(36, 31, 1, SideShots),
    ACTION_FIELD(40, 0, 7, ShotChildCount),
    ACTION_FIELD(40, 7, 7, ShotChance),
    ACTION_FIELD(40, 14, 7, ShotChildRow),
    ACTION_FIELD(40, 21, 4, TargetMode),
    ACTION_FIELD(40, 25, 3, ShotHits),
    ACTION_FIELD(40, 28, 1, ShotErasable),
    ACTION_FIELD(40, 29, 1, EndWithMove),
    ACTION_FIELD(40, 30, 1, ShotOnce),
    ACTION_FIELD(40, 31, 1, UsesAttackB),
    ACTION_FIELD(44, 0, 9, Param),
    ACTION_FIELD(44, 9, 8, Repeats),
    ACTION_FIELD(44, 17, 4, CondAParam),
    ACTION_FIELD(44, 21, 3, GaugeMember),
    ACTION_FIELD(44, 24, 2, ShotSpread),
    ACTION_FIELD(44, 26, 1, TriShot),
    ACTION_FIELD(44, 27, 1, SingleShot),
    ACTION_FIELD(44, 28, 1, AimedExtraShot),
    ACTION_FIELD(44, 29, 1, ShieldedWhileAttacking),
    ACTION_FIELD(44, 30, 1, NeedsGauge),
    ACTION_FIELD(44, 31, 1, StartCooled),
    ACTION_FIELD(48, 0, 8, GaugeLimit),
    ACTION_FIELD(48, 8, 7, HpMaxPercent),
    ACTION_FIELD(48, 15, 7, HpMinPercent),
    ACTION_FIELD(48, 22, 6, CondA),
    ACTION_FIELD(48, 28, 4, CondBParam),
    ACTION_FIELD(52, 0, 7, Weight),
    ACTION_FIELD(52, 7, 6, CondB),
    ACTION_FIELD(52, 13, 5, MaxUses),
    ACTION_FIELD(52, 18, 4, ShotAilmentRate),
    ACTION_FIELD(52, 22, 4, FallbackAction),
    ACTION_FIELD(52, 26, 4, NextAction),
    ACTION_FIELD(52, 30, 1, CondJoin),
    ACTION_FIELD(52, 31, 1, ChainNext),
    ACTION_SIGNED(56, 0, 11, TestKind),
    ACTION_FIELD(56, 11, 6, ShotAilment),
    ACTION_FIELD(56, 17, 2, CircleTest),
    ACTION_FIELD(56, 19, 1, ShieldedThroughAction),
    ACTION_FIELD(56, 20, 1, TrackTarget),
    ACTION_FIELD(56, 21, 1, NoFadeIn),
    ACTION_FIELD(56, 22, 1, KindVolleyHook),
    ACTION_FIELD(56, 23, 1, CooldownAll),
    ACTION_FIELD(56, 24, 1, PrivateCopy),
};

#undef KIND_FIELD
#undef KIND_SIGNED
#undef MOVE_FIELD
#undef MOVE_SIGNED
#undef MOVE_REAL
#undef ACTION_FIELD
#undef ACTION_SIGNED
#undef ACTION_REAL

namespace enemydefs_detail {

inline std::uint32_t LoadWord(const std::uint8_t* record, int at)
{
    return plat::LoadLe32(record + at);
}
inline void StoreWord(std::uint8_t* record, int at, std::uint32_t word)
{
    plat::StoreLe32(record + at, word);
}
inline std::uint32_t Mask(int width)
{
    return width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
}

} // namespace enemydefs_detail

// The raw bits of a field, unsigned.
template <class Def> std::uint32_t ReadFieldBits(const std::uint8_t* record, const DefField<Def>& f)
{
    using namespace enemydefs_detail;
    const int word = f.offset & ~3;
    const int shift = f.shift + 8 * (f.offset & 3);
    return (LoadWord(record, word) >> shift) & Mask(f.width);
}

// Unpacks every field of one record; `record` holds the record's whole size.
template <class Def, std::size_t N>
void UnpackRecord(const std::uint8_t* record, const DefField<Def> (&fields)[N], Def& out)
{
    for (const DefField<Def>& f : fields) {
        const std::uint32_t bits = ReadFieldBits(record, f);
        if (f.form == FieldForm::Float) {
            float real;
            std::memcpy(&real, &bits, sizeof real);
            out.*f.real = real;
        } else if (f.form == FieldForm::Signed && f.width < 32 && (bits >> (f.width - 1)) != 0) {
            out.*f.value = static_cast<std::int32_t>(bits | ~enemydefs_detail::Mask(f.width));
        } else {
            out.*f.value = static_cast<std::int32_t>(bits);
        }
    }
}

// Packs every field of one record into `record` (its whole size, zeroed by
// the caller); values wider than their field are cut to it.
template <class Def, std::size_t N>
void PackRecord(const Def& in, const DefField<Def> (&fields)[N], std::uint8_t* record)
{
    using namespace enemydefs_detail;
    for (const DefField<Def>& f : fields) {
        std::uint32_t bits;
        if (f.form == FieldForm::Float)
            std::memcpy(&bits, &(in.*f.real), sizeof bits);
        else
            bits = static_cast<std::uint32_t>(in.*f.value) & Mask(f.width);
        const int word = f.offset & ~3;
        const int shift = f.shift + 8 * (f.offset & 3);
        const std::uint32_t mask = Mask(f.width) << shift;
        StoreWord(record, word, (LoadWord(record, word) & ~mask) | (bits << shift & mask));
    }
}
