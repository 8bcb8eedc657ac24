// The members' attacks as they start: member 0's blow and member 1's shot
// at a level, member 2's strike across the field, its magic, and the heals
// a magic gives.
#pragma once

// Member 0's blow (member 1's shot) at level 0-2 in a facing; false when ST,
// SP or a seal forbids it, or when its shot cannot be made (nothing is paid then).
bool StartMemberAttack(int member, int level, int direction);
bool StartMember1Attack(int member, int level, int direction);
// Member 2 fades out, reappears in the far corner and fades back in, invincible throughout.
bool StartMemberStrike(int member);
void UpdateMemberStrike(int member);
// The strike's move to the corner across the field, unless an enemy stands there.
void TeleportMemberAcross(int member);
// Member 2 starts casting a magic; target -1 lets it choose.
bool StartMemberMagic(int member, int magic, bool byOrder, int aimMode, int aimArgument, int target);
// Heals `percent` of the member's MaxHP; with `revive` a knocked-out member comes back.
void HealMemberPercent(int member, int percent, bool revive, bool popup);
// Skill seal taking hold stops member 0's or member 2's skill.
void CancelSealedAttack(int member);
