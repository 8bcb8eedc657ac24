// The two action types that move the party from afar: one lays a whirl on
// the field, the other pulls (or pushes) the member it chose while it runs.
#include <cmath>

#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemySupportRoutines.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr int kWhirlAction = 30;
constexpr int kPullAction = 43;
constexpr int kSePull = 35;
constexpr float kHalf = ENEMY_WHIRL_SIZE / 2.0f;
// Status effects that keep a member out of the pull.
constexpr std::uint32_t kPullProofEffects = (1u << EFFECT_BIND) | (1u << EFFECT_STOP);

// Where a whirl goes, as its top-left: the field's centre, the enemy's own
// centre, or a random place with the whole whirl inside the field.
void WhirlPlace(const EnemyRecord& r, int variant, float& x, float& y)
{
    if (variant == 1) {
        x = r.CenterX - kHalf;
        y = r.CenterY - kHalf;
    } else if (variant == 2) {
        // Any point of the area, as the whirl's top-left.
        x = FIELD_LEFT + static_cast<float>(GameRandom() * static_cast<int>(FIELD_RIGHT - FIELD_LEFT) / 32768);
        y = FIELD_TOP + static_cast<float>(GameRandom() * static_cast<int>(FIELD_BOTTOM - FIELD_TOP) / 32768);
    } else {
        x = FIELD_CENTER_X - kHalf;
        y = FIELD_CENTER_Y - kHalf;
    }
}

// A push toward the enemy stops on its centre.
float StopAtCentre(float position, float step, float centre)
{
    if ((position <= centre && position + step > centre) || (position > centre && position + step < centre))
        return centre - position;
    return step;
}

} // namespace

bool CEnemyGroup::RunWhirlOrPullAction(int slot, int type)
{
    if (type == kWhirlAction)
        SpawnSubShotAction(slot);
    else if (type == kPullAction)
        ChoosePullTarget(slot);
    else
        return false;
    return true;
}

void CEnemyGroup::SpawnSubShotAction(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0) {
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
        // A non-zero word asks for no second whirl while one is out.
        const bool alone = def.TargetKindId == 0 || !HasActiveSubShot();
        if (PayActionStock(slot, def) && alone && TheEnemyShotList != nullptr) {
            float x = 0.0f, y = 0.0f;
            WhirlPlace(r, def.Param, x, y);
            const int span = std::max(0, def.ActionLength18 - def.ActionCount16);
            const int life = def.ActionCount16 + GameRandom() * span / 32768;
            TheEnemyShotList->CreateEnemySubShot(x, y, def.ActionParam0, def.TestKind, life, 0);
        }
    }
    StepAction(slot, def.EndWithMove != 0);
}

void CEnemyGroup::ChoosePullTarget(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyActionDef& def = RunningAction(slot);
    if (r.ActionFrame == 0) {
        PlaySoundEffect(kSePull);
        if (def.Param == 0)
            SetBits(r.FlagsB, FLAGS_B_ACTION_MEMBER, 2, static_cast<std::uint32_t>(GetAiTarget(slot)));
        // The party asks for the pull only while this is set.
        pullFlag = 1;
    }
    if (r.ActionFrame + 1 >= def.ActionLength18) {
        r.FlagsC |= FLAGS_C_ATTACK_DONE;
        pullFlag = AnotherEnemyPulls(slot) ? 1 : 0;
    }
    StepAction(slot, def.EndWithMove != 0);
}

bool CEnemyGroup::AnotherEnemyPulls(int slot) const
{
    for (int s = 0; s < EnemyCount(); ++s)
        if (s != slot && IsEnemyRunningAction(*this, s, kPullAction))
            return true;
    return false;
}

// A pull stopped before its end lets the party go unless another enemy pulls.
void CEnemyGroup::EndCutShortPull(int slot)
{
    const EnemyRecord& r = Records[slot];
    if ((r.FlagsA & FLAGS_A_ACTION_RUNNING) && r.ActionType == kPullAction)
        pullFlag = AnotherEnemyPulls(slot) ? 1 : 0;
}

void CEnemyGroup::ApplyEnemyPullToMember(int member)
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    BattleMember& m = TheCharacter->members[member];
    m.pullX = m.pullY = 0.0f;
    if ((m.effectBits & kPullProofEffects) != 0 || m.IsDown())
        return;
    for (int s = 0; s < EnemyCount(); ++s) {
        const EnemyRecord& r = Records[s];
        float heading = 0.0f;
        if (!IsEnemyRunningAction(*this, s, kPullAction) ||
            static_cast<int>(GetBits(r.FlagsB, FLAGS_B_ACTION_MEMBER, 2)) != member ||
            !GetAngleToMember(heading, member, r.CenterX, r.CenterY, false))
            continue;
        const float speed = RunningAction(s).ActionParam0;
        float px = std::sin(heading) * speed;
        float py = std::cos(heading) * speed;
        if (speed < 0.0f) {
            px = StopAtCentre(m.centerX, px, r.CenterX);
            py = StopAtCentre(m.centerY, py, r.CenterY);
        }
        m.pullX += px;
        m.pullY += py;
        return;
    }
}
