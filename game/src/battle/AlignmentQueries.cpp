// Which members stand in an enemy's line of fire, and which enemies and
// enemy shots crowd a member.
#include "battle/BattleTouch.h"
#include "battle/TouchBoxes.h"
#include "battle/TouchRoles.h"
#include "core/GameConstants.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

const double TouchRangeTable[TOUCH_RANGES] = {
    4096.0, 9216.0, 16384.0, 36864.0, 65536.0, 147456.0, FAR_DISTANCE_SQUARED};

namespace {

constexpr int kStrikeSt = 60;
constexpr float kStrikeMargin = 8.0f;

double DistanceSquared(const BattleMember& m, float px, float py)
{
    const double dx = static_cast<double>(m.centerX) - px;
    const double dy = static_cast<double>(m.centerY) - py;
    return dx * dx + dy * dy;
}

bool EnemyCrowds(const EnemyRecord& r)
{
    return !EnemyIsDefeated(r) && !EnemyIsAppearing(r) && r.Alpha != 0;
}

bool ShotCrowds(const EnemyShotNode& s)
{
    return !s.Removed && s.Started() && !eshot::Ending::IsSet(s.BitsB);
}

} // namespace

bool CBattleTouch::FindTargetsAlignedX(int enemy, float px, float py, int rangeIndex, int& out)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    const float h = r.Width / 2.0f;
    const float from = r.PosX + h - (h - r.BodyBox.left) / 2.0f;
    const float to = r.PosX + h + (r.BodyBox.right - h) / 2.0f;
    bool marks[3] = {};
    int marked = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const BattleMember& member = TheCharacter->members[m];
        if (member.IsDown() || !(TouchRangeTable[rangeIndex] > DistanceSquared(member, px, py)))
            continue;
        if (member.x + 29.0f > from && to > member.x + 3.0f) {
            marks[m] = true;
            ++marked;
        }
    }
    if (marked != 0)
        out = ChooseAlignedTarget(px, py, marked, marks);
    return marked != 0;
}

bool CBattleTouch::FindTargetsAlignedY(int enemy, float px, float py, int rangeIndex, int& out)
{
    const EnemyRecord& r = TheEnemyGroup->Records[enemy];
    const float from = r.PosY + r.BodyBox.top;
    const float to = r.PosY + r.BodyBox.bottom;
    bool marks[3] = {};
    int marked = 0;
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        const BattleMember& member = TheCharacter->members[m];
        if (member.IsDown() || !(TouchRangeTable[rangeIndex] > DistanceSquared(member, px, py)))
            continue;
        if (member.y + 22.0f > from && to > member.y + 9.0f) {
            marks[m] = true;
            ++marked;
        }
    }
    if (marked != 0)
        out = ChooseAlignedTarget(px, py, marked, marks);
    return marked != 0;
}

int CBattleTouch::ChooseAlignedTarget(float px, float py, int markCount, const bool marks[3])
{
    if (markCount == 1) {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (marks[m])
                return m;
    }
    int unmarked = -1;
    if (markCount == 2)
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if (!marks[m])
                unmarked = m;
    return FindNearestMember(px, py, unmarked);
}

bool CBattleTouch::IsMemberNearEnemy(int member, float enemyMargin, float shotMargin)
{
    const BattleMember& m = TheCharacter->members[member];
    const TouchBox foot = Grown(FootBox(m), enemyMargin);
    for (int enemy = 0; enemy < TheEnemyGroup->EnemyCount(); ++enemy) {
        const EnemyRecord& r = TheEnemyGroup->Records[enemy];
        if (EnemyCrowds(r) && !m.IsDown() && BoxesTouch(EnemyBodyBox(r), foot))
            return true;
    }
    const TouchBox body = Grown(BodyBox(m), shotMargin);
    for (const EnemyShotNode* s = TheEnemyShotList->ShotHead; s != nullptr; s = s->Next)
        if (ShotCrowds(*s) && BoxesTouch(EnemyShotBox(*s), body))
            return true;
    return false;
}

int CBattleTouch::IsMemberNearEnemyEx(float x, float y, float enemyMargin, float shotMargin, int excluded,
                                      bool harmfulOnly)
{
    int result = 0;
    const TouchBox foot = Grown(FootBoxAt(x, y), enemyMargin);
    for (int enemy = 0; enemy < TheEnemyGroup->EnemyCount(); ++enemy) {
        const EnemyRecord& r = TheEnemyGroup->Records[enemy];
        if (!EnemyCrowds(r) || enemy == excluded)
            continue;
        if (harmfulOnly && (KindOfSlot(enemy) == nullptr || KindOfSlot(enemy)->HarmfulTouch == 0))
            continue;
        if (!BoxesTouch(EnemyBodyBox(r), foot))
            continue;
        if (r.PosX != r.PrevX || r.PosY != r.PrevY)
            return 1;
        result = 2;
    }
    const TouchBox body = Grown(BodyBoxAt(x, y), shotMargin);
    for (const EnemyShotNode* s = TheEnemyShotList->ShotHead; s != nullptr; s = s->Next) {
        if (!ShotCrowds(*s) || !BoxesTouch(EnemyShotBox(*s), body))
            continue;
        if (s->VelX != 0.0f || s->VelY != 0.0f)
            return 1;
        result = 2;
    }
    return result;
}

bool CBattleTouch::IsThirdMemberStrikeReady()
{
    const CCharacter& party = *TheCharacter;
    return party.st[THIRD_MEMBER] >= kStrikeSt && !party.HasEffect(THIRD_MEMBER, EFFECT_SKILL_SEAL) &&
           !party.HasEffect(THIRD_MEMBER, EFFECT_STOP) && IsMemberNearEnemy(THIRD_MEMBER, kStrikeMargin, kStrikeMargin);
}
