// The forecast of a party stock: what it will hold after a number of frames
// of regeneration, less what the enemies' coming stock actions will take.
#include <algorithm>
#include <vector>

#include "enemies/Enemy.h"
#include "party/PartyServices.h"
#include "record/UseRuleTables.h"

namespace {

constexpr int kDrainType = ENEMY_ACTION_STOCK_DRAIN;
constexpr int kBreakableDrainType = 39;
constexpr int kStockEffectType = 29;
constexpr std::uint32_t kStockMask = 7;
constexpr std::uint32_t kPendingBit = 8;

struct DueAction {
    int slot;
    int framesLeft;
};

int Regenerated(const CCharacter& party, int c, int frames)
{
    const int rate = ChargeDivisorTable[party.stockRegenSpeed[c] & 7];
    return party.stock[c] + (party.stockRegenFrame[c] + frames) / rate;
}

} // namespace

std::uint16_t CEnemyGroup::CountDueEnemyActions(int stock, int frames)
{
    // Only the six stocks have values; any other class forecasts nothing.
    if (TheCharacter == nullptr || stock < 0 || stock >= STOCK_COUNT)
        return 0;
    const CCharacter& party = *TheCharacter;
    const int c = stock;
    int drained = 0;
    bool pending = false;
    std::vector<DueAction> due;
    for (int s = 0; s < EnemyCount(); ++s) {
        const EnemyRecord& r = Records[s];
        if (r.State != ENEMY_NORMAL || !(r.FlagsA & FLAGS_A_ACTION_RUNNING) || ActionCount(s) == 0)
            continue;
        const EnemyActionDef& def = RunningAction(s);
        const int framesLeft = r.ActionDelay - r.ActionWait;
        const bool done = (r.FlagsC & FLAGS_C_ATTACK_DONE) != 0;
        const bool dueInTime = !done && framesLeft < frames;
        const auto param = static_cast<std::uint32_t>(def.Param);
        if (def.ActionType == kDrainType || def.ActionType == kBreakableDrainType) {
            if (def.ActionType == kDrainType && (param & kPendingBit)) {
                pending = pending || dueInTime;
            } else if (static_cast<int>(param & kStockMask) == c && dueInTime) {
                // A drain period of 0 counts as 1.
                const int period = std::max(1, def.ActionCount16);
                drained += std::min(frames - framesLeft, def.ActionLength18 - r.ActionFrame) / period;
            }
            continue;
        }
        if (r.ActionWait >= r.ActionDelay && r.ActionFrame != 0)
            continue;
        if (framesLeft < frames && (def.IsSpell || def.ActionType == kStockEffectType) && def.GaugeMember == c) {
            const auto at = std::upper_bound(due.begin(), due.end(), framesLeft,
                                             [](int f, const DueAction& a) { return f < a.framesLeft; });
            due.insert(at, DueAction{s, framesLeft});
        }
    }
    int used = 0;
    for (const DueAction& a : due) {
        const EnemyActionDef& def = RunningAction(a.slot);
        const int ca = std::clamp(def.GaugeMember, 0, STOCK_COUNT - 1);
        int projected = Regenerated(party, ca, a.framesLeft) - used;
        if (projected > party.stockMax[c]) {
            used += projected - party.stockMax[c];
            projected = party.stockMax[c];
        }
        if (def.GaugeLimit <= projected || pending)
            used += def.GaugeLimit;
    }
    const int result = Regenerated(party, c, frames) - used - drained;
    return static_cast<std::uint16_t>(std::clamp(result, 0, std::max<int>(0, party.stockMax[c])));
}
