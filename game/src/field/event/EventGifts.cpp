// Gifts of items and money, party damage and the results of event battles.
#include "field/event/EventGifts.h"

#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr int kMoneyModeUpToCap = 1;
constexpr int kDamageSound = 18;
constexpr int kBattleResultArg = 15;
constexpr int kBattleFlagsArg = 3;

struct NameSource {
    const unsigned char* row;
    int rowSize;
    int nameOffset;
    int lengthWordOffset;
    int lengthShift;
};

NameSource NameSourceOf(int category)
{
    if (category == ITEM_CATEGORY_ITEM)
        return {ItemTable, ITEM_ROW_SIZE, 0, 52, 15};
    if (category < ITEM_CATEGORY_ARMOR)
        return {WeaponTable[category - ITEM_CATEGORY_WEAPON], WEAPON_ROW_SIZE, 0, 20, 14};
    if (category < ITEM_CATEGORY_ACCESSORY)
        return {ArmorTable[category - ITEM_CATEGORY_ARMOR], ARMOR_ROW_SIZE, 4, 32, 5};
    return {AccessoryTable, ACCESSORY_ROW_SIZE, 4, 32, 15};
}

} // namespace

bool IsEventItemValid(int category, int id)
{
    if (category == ITEM_CATEGORY_MONEY)
        return id >= 0;
    return category >= 0 && category < ITEM_CATEGORY_COUNT && id >= 0 && id < CategoryRowCount[category];
}

int HeldEventItemCount(int category, int id)
{
    if (category == ITEM_CATEGORY_MONEY || !IsEventItemValid(category, id))
        return 0;
    return TheGameData->HeldCount(category, id);
}

std::u16string EventItemName(int category, int id)
{
    if (category == ITEM_CATEGORY_MONEY || !IsEventItemValid(category, id))
        return {};
    const NameSource source = NameSourceOf(category);
    if (source.row == nullptr)
        return {};
    const unsigned char* row = source.row + static_cast<std::size_t>(id) * source.rowSize;
    int length = static_cast<int>((er::ReadU32(row + source.lengthWordOffset) >> source.lengthShift) & 15u);
    const int room = (source.rowSize - source.nameOffset) / 2;
    if (length > room)
        length = room;
    std::u16string name;
    for (int i = 0; i < length; ++i) {
        const unsigned char* unit = row + source.nameOffset + 2 * i;
        name += static_cast<char16_t>(unit[0] | unit[1] << 8);
    }
    return name;
}

bool CEvent::GiveEventItem(int category, int id, bool wantName, int moneyMode)
{
    if (!IsEventItemValid(category, id))
        return false;
    if (category == ITEM_CATEGORY_MONEY) {
        const std::int64_t money = TheCharacter->money;
        const bool fits = moneyMode == kMoneyModeUpToCap ? money < PARTY_MAX_MONEY : money + id <= PARTY_MAX_MONEY;
        if (fits)
            SetMoney(id, false);
        return fits;
    }
    if (wantName)
        giftName = EventItemName(category, id);
    if (TheGameData->HeldCount(category, id) >= HELD_COUNT_CAP)
        return false;
    TheGameData->AddItem(category, id, 1);
    return true;
}

bool CEvent::EventDamageParty(int amount)
{
    ThePlaySE->PlaySoundEffect(kDamageSound);
    if (DamagePartyNonLethal(amount))
        return false;
    TheMapCharacter->GameOverFromMap();
    return true;
}

void CEvent::SetEventBattleResult(bool a, bool b)
{
    // Only the battle command that started the battle takes its result.
    if (CurrentRecord == nullptr || Opcode != OP_BATTLE)
        return;
    Args[kBattleResultArg] = b ? 3 : (a ? 2 : 1);
}

void CEvent::ClearBattleEventPicture()
{
    if (CurrentRecord == nullptr || Opcode != OP_BATTLE)
        return;
    if (Args[kBattleFlagsArg] & 1)
        er::Set(CurrentRecord, er::kPicture, 0);
}
