// The members' action states and the battle input: the handlers of states
// 0-3, the leader's keys, chaining while buttons are held, the end and reset
// of an action and the quick-command orders to member 2.
#pragma once

#include <cstdint>

#include "party/PartyServices.h"
#include "party/PartyWords.h"

// The groups of `flags` that an action start, an action end and a hit clear:
// bits 7-13 and the movement-mode bits 27, 28, 30 and 31.
constexpr std::uint32_t kApproachFlagBits =
    ActionGroupA::kMask | ActionGroupB::kMask | (1u << 27) | (1u << 28) | (1u << 30) | (1u << 31);
// The groups of `flags2` cleared with them: the approach pause and retry stage.
constexpr std::uint32_t kApproachFlag2Bits = ApproachPause::kMask | ApproachRetry::kMask;

// Free state: the member's key handler (or thinking), else the free movement.
void HandleMemberFreeState(int member);
// Key handlers; a member that is not the leader thinks for itself. True when
// an action started.
bool HandleMember0Keys();
bool HandleMember1Keys();
bool HandleMember2Keys();

// Member 2 starts the order given by a quick command; true when it started.
bool StartPendingThirdMemberOrder();

// Attack state of each member.
void HandleMemberAttackState(int member);
void UpdateMember0Attack();
void UpdateMember1Attack();
void UpdateThirdMemberCast();
// Magic state (member 2).
void UpdateMemberMagicState(int member);
// Hit-stun: knocked back for 20 frames.
void UpdateMemberKnockback(int member);
// Member 2 as leader: the next attack while a button is held.
bool ChainThirdMemberAttack();

// Back to the free state with the thinking cleared.
void EndMemberAction(int member);
// The thinking cleared, the action kept.
void ResetMemberThinking(int member);

// Quick commands to member 2 in the action phase.
void QueueThirdMemberMagic(int magic);
void QueueThirdMemberAttack(int level);
// Quick commands in the opening phase; true when stored.
bool QueueOpeningMagic(int magic);
bool QueueOpeningAttack(int level);
