// What members 0 and 1 start when they stand beside their target: the level
// of member 0's blow by its strike rating, the level of member 1's shot by
// its HP, SP and the ailments the target can still take.
#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberAttacks.h"
#include "party/MemberThinking.h"
#include "party/MemberThinkingTable.h"
#include "party/PartyServices.h"
#include "party/ThinkingTarget.h"

namespace {

constexpr int kOptionLevel1 = 1;
constexpr int kOptionLevel2 = 2;
constexpr int kLastAilment = EFFECT_FRAGILE;
constexpr int kManyOpenAilments = 7;
// Out of the generator's 32768: 1/64 and 1/32.
constexpr int kStopChance = 512;
constexpr int kFragileChance = 1024;
constexpr int kKnockForSkill = 5;
constexpr int kPinnedMoveClass = 2;

int TargetOf(int member)
{
    return static_cast<int>(TargetEnemy::Get(TheCharacter->members[member].flags));
}
int SideOf(int member)
{
    return static_cast<int>(ApproachSide::Get(TheCharacter->members[member].flags));
}
bool Sealed(int member)
{
    return TheCharacter->HasEffect(member, EFFECT_SKILL_SEAL) || TheCharacter->HasEffect(member, EFFECT_STOP);
}
bool Allows(int member, int option)
{
    return TheCharacter->memberOptions[member][option] != 0;
}
int HpPercent(int member)
{
    const CCharacter& party = *TheCharacter;
    return party.maxHp[member] > 0
               ? static_cast<int>(static_cast<long long>(party.hp[member]) * 100 / party.maxHp[member])
               : 100;
}
bool Ready(int member, int st)
{
    return StFullSinceAction::IsSet(TheCharacter->members[member].flags2) && TheCharacter->st[member] >= st;
}
bool SeesTarget(int member, const EnemyRecord& target)
{
    return target.SeenBy[member] != 0 || target.Status.HasEffect(EFFECT_PIERCE);
}

// Whether member 1's skill shot is worth its SP: the target can still take
// many ailments, or by chance one of the two rare ones.
bool AilmentRuleHolds(const EnemyRecord& target)
{
    const CCharacter& party = *TheCharacter;
    if (party.maxSp[1] >= MEMBER1_AILMENT_SP_MAX && HpPercent(1) < MEMBER1_LEVEL2_HP_PERCENT)
        return false;
    const auto open = [&target](int effect) {
        return ((target.ImmunityMask >> effect) & 1u) == 0 && !target.Status.HasEffect(effect);
    };
    int count = 0;
    for (int effect = FIRST_AILMENT_EFFECT; effect <= kLastAilment; ++effect)
        count += open(effect) ? 1 : 0;
    if (count >= kManyOpenAilments)
        return true;
    if (open(EFFECT_STOP))
        return GameRandom() < kStopChance;
    if (open(EFFECT_FRAGILE))
        return GameRandom() < kFragileChance;
    return false;
}

bool PredictBySide(int side, int enemy, float reach, int moveClass)
{
    switch (side) {
    case 0:
        return PredictShotHitLeft(enemy, reach, moveClass);
    case 1:
        return PredictShotHitUp(enemy, reach, moveClass);
    case 2:
        return PredictShotHitRight(enemy, reach, moveClass);
    default:
        return PredictShotHitDown(enemy, reach, moveClass);
    }
}

bool CheckMember1Shot()
{
    const int target = TargetOf(1);
    const int side = SideOf(1);
    const EnemyRecord* enemy = PresentEnemy(target);
    if (enemy == nullptr || (enemy->FlagsA & thinking::kFlagsDEF) != 0)
        return false;
    const float reach = static_cast<float>(TheCharaShot->straightCount[side]) * TheCharacter->knockDistance;
    return PredictBySide(side, target, reach, thinking::MoveClass(target)) &&
           !WouldEnemyReachMember(1, target, MEMBER1_REACH_FRAMES, side);
}

} // namespace

int GetMember0StrikeRating()
{
    const int target = TargetOf(0);
    const int side = SideOf(0);
    MemberBox box = GetMemberAttackBox(0, side);
    const float insetX = (side & 1) ? 3.0f : 4.0f;
    const float insetY = (side & 1) ? 4.0f : 3.0f;
    if (!TheBattleTouch->IsRectTouchingEnemy(box.left + insetX, box.top + insetY, box.right - insetX,
                                             box.bottom - insetY, target))
        return 0;
    if (!WouldEnemyReachMember(0, target, MEMBER0_REACH_FRAMES, side))
        return 1;
    const EnemyRecord* enemy = PresentEnemy(target);
    if (enemy == nullptr || IsEnemyUnhittable(target) ||
        (thinking::KnockLength(target) < kKnockForSkill && thinking::MoveClass(target) == kPinnedMoveClass) ||
        Sealed(0) || TheCharacter->sp[0] < MEMBER_LEVEL1_SP || !Allows(0, kOptionLevel1) ||
        thinking::GuardsFront(target))
        return 0;
    const bool standsAndMoves = (enemy->FlagsA & thinking::kFlagA) != 0 && (enemy->FlagsA & thinking::kFlagB) != 0;
    if (!enemy->Status.HasEffect(EFFECT_PIERCE) || enemy->State != ENEMY_NORMAL || standsAndMoves)
        return 2;
    return 0;
}

bool ChooseMember0Attack()
{
    CCharacter& party = *TheCharacter;
    if (!Ready(0, MEMBER0_AUTO_ST))
        return false;
    const int rating = GetMember0StrikeRating();
    const EnemyRecord* target = PresentEnemy(TargetOf(0));
    if (rating == 0 || target == nullptr)
        return false;
    int level = 0;
    if (SeesTarget(0, *target)) {
        if (rating == 2)
            level = 1;
        else if (!Sealed(0) && party.sp[0] >= MEMBER0_LEVEL2_SP && Allows(0, kOptionLevel2))
            level = 2;
        else if (!Sealed(0) && party.sp[0] >= MEMBER_LEVEL1_SP && party.st[0] < MEMBER_LEVEL1_SP &&
                 Allows(0, kOptionLevel1))
            level = 1;
    }
    if (!StartMemberAttack(0, level, SideOf(0)))
        return false;
    party.members[0].velX = party.members[0].velY = 0.0f;
    return true;
}

bool ChooseMember1Attack()
{
    CCharacter& party = *TheCharacter;
    if (!Ready(1, MEMBER1_AUTO_ST) || !CheckMember1Shot())
        return false;
    const EnemyRecord* target = PresentEnemy(TargetOf(1));
    if (target == nullptr)
        return false;
    int level = 0;
    if (SeesTarget(1, *target) && !Sealed(1) && !target->Status.HasEffect(EFFECT_PROTECTION)) {
        if (HpPercent(1) < MEMBER1_LEVEL2_HP_PERCENT && Allows(1, kOptionLevel2)) {
            if (party.sp[1] >= MEMBER1_LEVEL2_SP)
                level = 2;
        } else if (party.sp[1] >= MEMBER_LEVEL1_SP && Allows(1, kOptionLevel1) && AilmentRuleHolds(*target)) {
            level = 1;
        }
    }
    if (!StartMember1Attack(1, level, SideOf(1)))
        return false;
    party.members[1].velX = party.members[1].velY = 0.0f;
    return true;
}
