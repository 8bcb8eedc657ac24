// The active-effect list (ascending, with the shown icon kept in place as
// entries come and go) and the floating marks of a status block.
#include <algorithm>

#include "party/PartyServices.h"
#include "party/StatusEffectTable.h"
#include "party/StatusEffects.h"

namespace {

int ActiveCount(const StatusEffectBlock& block)
{
    return static_cast<int>(ActiveEffectCount::Get(block.effectState));
}

int ShownIndex(const StatusEffectBlock& block)
{
    return static_cast<int>(ShownEffectIndex::Get(block.effectState));
}

int Marks(const StatusEffectBlock& block)
{
    return static_cast<int>(MarkCount::Get(block.effectState));
}

void SetShownIndex(StatusEffectBlock& block, int index)
{
    ShownEffectIndex::Set(block.effectState, static_cast<std::uint32_t>(index));
}

// Drops mark `i`: later kinds and levels move up, and with `timers` their timers too.
void DropMark(StatusEffectBlock& block, int i, bool timers)
{
    const int count = Marks(block);
    for (int k = i; k + 1 < count; ++k) {
        block.markKind[k] = block.markKind[k + 1];
        block.markLevel[k] = block.markLevel[k + 1];
        if (timers)
            block.markTimer[k] = block.markTimer[k + 1];
    }
    MarkCount::Set(block.effectState, static_cast<std::uint32_t>(count - 1));
}

} // namespace

void InsertActiveEffect(StatusEffectBlock& block, int effect)
{
    const int count = ActiveCount(block);
    if (count >= STATUS_EFFECT_COUNT)
        return;
    int at = count;
    block.effectOrder[at] = static_cast<std::uint8_t>(effect);
    for (; at > 0 && block.effectOrder[at - 1] > effect; --at)
        std::swap(block.effectOrder[at - 1], block.effectOrder[at]);
    ActiveEffectCount::Set(block.effectState, static_cast<std::uint32_t>(count + 1));
    if (count == 0)
        IconCycle::Clear(block.effectState);
    else if (at <= ShownIndex(block))
        SetShownIndex(block, ShownIndex(block) + 1);
}

void RemovePendingMarks(StatusEffectBlock& block, int kind)
{
    for (int i = 0; i < Marks(block);) {
        if (block.markKind[i] == kind && block.markTimer[i] < 0)
            DropMark(block, i, false);
        else
            ++i;
    }
}

void RemoveStatusEffect(StatusEffectBlock& block, int effect)
{
    const int count = ActiveCount(block);
    const int at =
        static_cast<int>(std::find(block.effectOrder, block.effectOrder + count, effect) - block.effectOrder);
    if (at < count) {
        std::copy(block.effectOrder + at + 1, block.effectOrder + count, block.effectOrder + at);
        ActiveEffectCount::Set(block.effectState, static_cast<std::uint32_t>(count - 1));
        const int shown = ShownIndex(block);
        if (at == shown && count > 1) {
            IconCycle::Clear(block.effectState);
            if (shown >= count - 1)
                SetShownIndex(block, 0);
        } else if (at < shown) {
            SetShownIndex(block, shown - 1);
        }
    }
    RemovePendingMarks(block, effect);
}

void AdvanceShownEffect(StatusEffectBlock& block)
{
    IconCycle::Clear(block.effectState);
    const int next = ShownIndex(block) + 1;
    SetShownIndex(block, next >= ActiveCount(block) ? 0 : next);
}

void AddEffectMark(StatusEffectBlock& block, int kind, int level)
{
    const int count = Marks(block);
    if (count >= STATUS_EFFECT_COUNT)
        return;
    block.markTimer[count] = count == 0 ? 0 : std::min(block.markTimer[count - 1] - EFFECT_MARK_GAP, 0);
    block.markKind[count] = static_cast<std::uint8_t>(kind);
    block.markLevel[count] = static_cast<std::uint8_t>(std::clamp(level, 0, 3));
    MarkCount::Set(block.effectState, static_cast<std::uint32_t>(count + 1));
}

void TickEffectTimers(StatusEffectBlock& block)
{
    // A mark that reaches its end goes, and the pass starts over, so the
    // marks after it age once more this frame.
    for (int i = 0; i < Marks(block);) {
        if (++block.markTimer[i] >= EFFECT_MARK_LIFE) {
            DropMark(block, i, true);
            i = 0;
        } else {
            ++i;
        }
    }
}

void ClearStatusEffects(StatusEffectBlock& block)
{
    block.effectBits = 0;
    ActiveEffectCount::Clear(block.effectState);
    ShownEffectIndex::Clear(block.effectState);
    IconCycle::Clear(block.effectState);
    // Marks already shown float on to their end; pending ones never appear.
    int shown = 0;
    while (shown < Marks(block) && block.markTimer[shown] >= 0)
        ++shown;
    MarkCount::Set(block.effectState, static_cast<std::uint32_t>(shown));
}
