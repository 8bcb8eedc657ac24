// The conditions scripts test: of the conditional jump, of the end-if and
// of the set-flag-if command.
#include "core/Parts.h"
#include "core/Random.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "field/event/EventGifts.h"
#include "field/event/EventRecord.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr std::uint32_t kSwitchGroupShift = 6;
constexpr std::uint32_t kPlateGroupShift = 8;
constexpr int kRandomMax = 32767;

bool FlagSet(int flag)
{
    return TheGameData->GetGameFlag(flag) != 0;
}

bool ItemHeld(int id)
{
    return HeldEventItemCount(ITEM_CATEGORY_ITEM, id) > 0;
}

bool PartyLevelAtLeast(int n)
{
    return GetMaxPartyLevel() >= n;
}

bool EquipLevelAtLeast(int n)
{
    return GetMaxEquipLevel() >= n;
}

bool EveryMagicLearned()
{
    for (std::uint8_t entry : TheCharacter->learned)
        if (entry == 0)
            return false;
    return true;
}

bool MoneyAtLeast(int n)
{
    return static_cast<std::int64_t>(TheCharacter->money) >= n;
}

bool ChanceInPercent(int n)
{
    return GameRandom() < static_cast<std::int64_t>(n) * kRandomMax / 100;
}

bool ValidGroup(int group)
{
    return group >= 0 && group < CEvent::kGroupCount;
}

// The end-if command's condition, with the running record's picture and the player's facing.
bool EndConditionHolds(int kind, int operand, int picture, int facing)
{
    switch (kind) {
    case 0:
        return FlagSet(operand);
    case 1:
        return picture == operand;
    case 2:
        return facing == operand;
    case 3:
        return ItemHeld(operand);
    default:
        return false;
    }
}

bool FlagConditionHolds(int kind, int operand)
{
    switch (kind) {
    case 0:
        return FlagSet(operand);
    case 1:
        return ItemHeld(operand);
    default:
        return false;
    }
}

} // namespace

bool CEvent::TestIfJumpCondition(int kind, int operand)
{
    const auto groupBits = [this](std::uint32_t shift) { return static_cast<int>((GroupState >> shift) & 3u); };
    switch (kind) {
    case 0:
        return FlagSet(operand);
    case 1:
        return ValidGroup(operand) && switchesOn[operand] >= switchTotal[operand] &&
               groupBits(kSwitchGroupShift) == operand;
    case 2:
        return ValidGroup(operand) && platesCovered[operand] >= plateTotal[operand] &&
               groupBits(kPlateGroupShift) == operand;
    case 3:
        return ItemHeld(operand);
    case 4:
        return PartyLevelAtLeast(operand);
    case 5:
        return EquipLevelAtLeast(operand);
    case 6:
        return EveryMagicLearned();
    case 7:
        return MoneyAtLeast(operand);
    case 8:
        return ChanceInPercent(operand);
    default:
        return false;
    }
}

bool CEvent::TestEventEndCondition(const std::int32_t* block) const
{
    const int picture = CurrentRecord != nullptr ? er::Picture(CurrentRecord) : -1;
    const int facing = TheMapCharacter != nullptr ? TheMapCharacter->facing : -1;
    return EndConditionHolds(block[1], block[2], picture, facing) == ((block[0] & 1) != 0);
}

void CEvent::SetFlagIfCondition(const std::int32_t* block)
{
    if (FlagConditionHolds(block[1], block[2]) != ((block[0] & 1) != 0))
        return;
    TheGameData->SetGameFlag(block[3], 1);
    RefreshEventActivity(true);
}
