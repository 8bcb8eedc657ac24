#include "enemies/kinds/KindShield.h"

#include "enemies/Enemy.h"
#include <algorithm>

#include "enemies/kinds/KindHooks.h"

namespace {

constexpr int kShieldKind = 154;
constexpr float kFactorByShielders[5] = {1.0f, 0.75f, 0.5f, 0.25f, 0.125f};

} // namespace

float GetKindDamageFactor(const CEnemyGroup& group, int slot)
{
    if (!(group.GroupBits2 & GROUP2_SHIELD_KIND) || group.KindOf(slot) == kShieldKind)
        return 1.0f;
    int shielders = 0;
    for (int s = 0; s < group.EnemyCount(); ++s)
        if (s != slot && group.IsPresent(s) && (group.Records[s].FlagsF & FLAGS_F_SHIELDS_OTHERS))
            ++shielders;
    return kFactorByShielders[std::min(shielders, 4)];
}
