// The packed words of the party object and of a member record: each field is
// named once with its bits, so code reads "the leader" instead of shifts. The
// fields the party part reads itself and those only the party uses are here;
// the ones other areas read are in PartyServices.h.
#pragma once

#include <cstdint>

template <int Shift, int Width> struct PackedField {
    static_assert(Shift >= 0 && Width > 0 && Shift + Width <= 32);
    static constexpr std::uint32_t kMask = (Width == 32 ? 0xFFFFFFFFu : ((1u << Width) - 1u)) << Shift;

    static constexpr std::uint32_t Get(std::uint32_t word) { return (word & kMask) >> Shift; }
    static constexpr void Set(std::uint32_t& word, std::uint32_t value)
    {
        word = (word & ~kMask) | ((value << Shift) & kMask);
    }
    static constexpr bool IsSet(std::uint32_t word) { return (word & kMask) != 0; }
    static constexpr void Clear(std::uint32_t& word) { word &= ~kMask; }
};

// partyWordA: the hit combo.
using ComboCount = PackedField<0, 10>;

// partyWordB: counters of the third member's planning and the markers.
using PlanCounter = PackedField<0, 9>;
using PendingMagicId = PackedField<9, 7>;
using ThinkCounter = PackedField<16, 6>;
using LeaderMarkerCounter = PackedField<22, 6>;
using LastKnockedOut = PackedField<28, 2>;
using LeaderMarkerShown = PackedField<30, 1>;

// partyWordC: the battle phase, the leader and the orders.
using ItemReadyCounter = PackedField<0, 6>;
using BattlePhaseField = PackedField<6, 4>;
using LeaderField = PackedField<18, 2>;
using MarkedMember = PackedField<20, 2>;
using PendingOrderKind = PackedField<22, 3>;
using HealLeaderFirst = PackedField<25, 1>;
using ItemReadyShown = PackedField<26, 1>;
using KeepMagic = PackedField<28, 1>;
using KeepAttack = PackedField<29, 1>;
using MagicOff = PackedField<30, 1>;

// partyWordD: the pending order, encounter flags and the music switch.
using SkillPoints = PackedField<0, 7>;
using PendingOrderId = PackedField<7, 7>;
using ItemUsesLeft = PackedField<18, 3>;
using DeferredOrderKind = PackedField<21, 3>;
using BattleKind = PackedField<24, 2>;
using DeferredOrderFirst = PackedField<29, 1>;
using DeferredOrderSecond = PackedField<30, 1>;
using MusicSwitch = PackedField<31, 1>;

// partyWordE: the order given during the opening.
using OpeningOrderId = PackedField<0, 7>;
// The deferred order's id; once the battle is won the same bits hold the
// money text's width (MoneyTextWidth).
using DeferredOrderIdE = PackedField<7, 5>;
using MagicAimBits = PackedField<12, 2>;
// The same bits: member 2's ST regeneration cycle while it acts (reset with each magic).
using Member2RegenCycle = PackedField<12, 2>;
using OpeningOrderKind = PackedField<14, 2>;
using Member1HoldsFire = PackedField<16, 1>;

// A member's state word.
using MagicIdField = PackedField<0, 7>;
using FacingField = PackedField<7, 5>;
using ActionState = PackedField<12, 4>;
using KnockSide = PackedField<16, 4>;
using KnockKind = PackedField<20, 3>;
using AttackLevel = PackedField<25, 2>;
using Walking = PackedField<27, 1>;
using KnockedOut = PackedField<28, 1>;
using StrikeSecondHalf = PackedField<31, 1>;

// A member's flags word.
using FlashCounter = PackedField<0, 7>;
using IndicatorCount = PackedField<17, 3>;
using ApproachSide = PackedField<20, 2>;
using GaugeEvent = PackedField<22, 2>;
using SlideSubDirection = PackedField<24, 2>;
using FacingSetThisFrame = PackedField<26, 1>;
using MoveModeBits = PackedField<27, 5>;
// The movement-mode bits one by one: the members' own thinking.
using CrowdMode = PackedField<27, 1>;
using CrowdEscape = PackedField<28, 1>;
using HorizontalApproach = PackedField<29, 1>;
using TargetChosen = PackedField<30, 1>;
using ApproachActive = PackedField<31, 1>;

// A member's flags2 word.
using ApproachPause = PackedField<9, 5>;
using GuardDirections = PackedField<14, 4>;
using HitAngleSource = PackedField<18, 3>;
using ApproachRetry = PackedField<21, 2>;
using KnockByAngle = PackedField<23, 1>;
using QuickMagic = PackedField<24, 1>;
using DamagedByHit = PackedField<25, 1>;
using StFullSinceAction = PackedField<26, 1>;

// A status-effect block's effectState word.
using IconCycle = PackedField<9, 7>;
