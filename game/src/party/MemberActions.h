// The members' action states and the battle input: the handlers of states
// 0-3, the leader's keys, chaining while buttons are held, the end and reset
// of an action, the quick-command orders to member 2 and the opening input.
#pragma once

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
// The opening phase's input and effect ticks.
void UpdatePartyBattleInput();
