// What a shop sells and what a trade may move: the goods rows (from the
// script or a built-in list chosen by flags), the buy and sell limits, the
// purchase and the sale, the total and the held count shown beside them.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "field/event/Event.h"
#include "field/event/EventGifts.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "platform/LittleEndian.h"
#include "record/Pipkorn.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kAboveMoney = 0xFFFF8080u;
constexpr std::uint32_t kBelowMoney = 0xFFA8A8FFu;
constexpr std::uint32_t kAddedColour = 0xFFFF8080u;
constexpr int kTotalChars = 8;
constexpr int kHeldChars = 2;
constexpr int kItemSortKeyWord = 52;      // bits 8-14 of the fourteenth word
constexpr int kAccessorySortKeyWord = 32; // bits 0-9 of the ninth word
// The selection sort starts from the last category and a key past every real one.
constexpr int kSortStartCategory = ITEM_CATEGORY_ACCESSORY;
constexpr int kSortStartKey = 83;

struct ListedGoods {
    int id, price, flag; // flag 0: always offered
};
constexpr ListedGoods kListMinus2[] = {{40, 300, 0},   {41, 300, 156}, {42, 450, 198}, {43, 450, 225},
                                       {44, 300, 295}, {45, 300, 337}, {46, 300, 351}};
constexpr ListedGoods kListMinus1[] = {{14, 300, 0},   {15, 300, 0},   {16, 1500, 156}, {13, 600, 176},
                                       {17, 600, 176}, {18, 600, 225}, {19, 600, 295},  {20, 600, 337}};
constexpr ListedGoods kOtherList[] = {{0, 20, 0}};

int Money()
{
    return static_cast<int>(TheCharacter->money);
}

} // namespace

CEvent::ShopGoods CEvent::ShopRow(int row) const
{
    const int at = kShopFirstRow + 3 * row;
    return {Args[at], Args[at + 1], Args[at + 2]};
}

void CEvent::SetShopRow(int row, const ShopGoods& goods)
{
    const int at = kShopFirstRow + 3 * row;
    Args[at] = goods.category;
    Args[at + 1] = goods.id;
    Args[at + 2] = goods.price;
}

int CEvent::GetShopSortKey(int category, int id)
{
    if (category == ITEM_CATEGORY_ITEM && ItemTable != nullptr)
        return static_cast<int>(
            plat::LoadLe32(ItemTable + static_cast<std::size_t>(id) * ITEM_ROW_SIZE + kItemSortKeyWord) >> 8 & 0x7F);
    if (category == ITEM_CATEGORY_ACCESSORY && AccessoryTable != nullptr)
        return static_cast<int>(
            plat::LoadLe32(AccessoryTable + static_cast<std::size_t>(id) * ACCESSORY_ROW_SIZE + kAccessorySortKeyWord) &
            0x3FF);
    return id;
}

void CEvent::BuildShopGoods(int list)
{
    // The rows the flags allow, in the table's order.
    ShopGoods scratch[kShopMaxRows];
    bool used[kShopMaxRows] = {};
    int count = 0;
    auto add = [&](const auto& table) {
        for (const ListedGoods& goods : table)
            if (goods.flag == 0 || TheGameData->GetGameFlag(goods.flag) != 0)
                scratch[count++] = {ITEM_CATEGORY_ITEM, goods.id, goods.price};
    };
    if (list == -2)
        add(kListMinus2);
    else if (list == -1)
        add(kListMinus1);
    else
        add(kOtherList);
    // A selection sort by category, then key; among equal keys the later row wins.
    for (int out = 0; out < count; ++out) {
        int best = -1, bestCategory = kSortStartCategory, bestKey = kSortStartKey;
        for (int i = 0; i < count; ++i) {
            if (used[i])
                continue;
            const int key = GetShopSortKey(scratch[i].category, scratch[i].id);
            if (scratch[i].category < bestCategory || (scratch[i].category == bestCategory && key <= bestKey)) {
                best = i;
                bestCategory = scratch[i].category;
                bestKey = key;
            }
        }
        if (best < 0)
            best = static_cast<int>(std::find(used, used + count, false) - used);
        used[best] = true;
        SetShopRow(out, scratch[best]);
    }
    Args[kShopRowCount] = count;
}

void CEvent::DropUnusableGoods()
{
    // Rows no purchase could serve (no price, no such item) are left out
    // before the list is shown, so the limits never divide by zero.
    const int given = std::clamp(Args[kShopRowCount], 0, kShopMaxRows);
    int kept = 0;
    for (int row = 0; row < given; ++row) {
        const ShopGoods goods = ShopRow(row);
        if (goods.price <= 0 || goods.category < 0 || goods.category >= ITEM_CATEGORY_COUNT ||
            !IsEventItemValid(goods.category, goods.id))
            continue;
        SetShopRow(kept++, goods);
    }
    Args[kShopRowCount] = kept;
}

int CEvent::SelectedShopRow() const
{
    const int row = TheMapMenu->mainList.position;
    return row >= 0 && row < ShopRowCount() ? row : -1;
}

std::int8_t CEvent::GetMaxBuyQuantity() const
{
    const int row = SelectedShopRow();
    if (row < 0)
        return 0;
    const ShopGoods goods = ShopRow(row);
    const int affordable = Money() / goods.price;
    const int room = kShopMaxQuantity - HeldEventItemCount(goods.category, goods.id);
    return static_cast<std::int8_t>(std::max(0, std::min({affordable, room, kShopMaxQuantity})));
}

std::int8_t CEvent::GetMaxSellQuantity() const
{
    const CMapMenu& menu = *TheMapMenu;
    const int price = menu.GetListedItemPrice(menu.mainList.position);
    if (price == 0)
        return 0;
    const std::int64_t room = static_cast<std::int64_t>(PARTY_MAX_MONEY) - Money();
    const std::int64_t upToCap = (room + price - 1) / price;
    const std::int64_t limit =
        std::min<std::int64_t>({upToCap, menu.GetListedItemCount(menu.mainList.position), kShopMaxQuantity});
    return static_cast<std::int8_t>(std::max<std::int64_t>(0, limit));
}

void CEvent::SetShopTotal(std::int64_t value)
{
    const std::int64_t shown = std::clamp<std::int64_t>(value, 0, PARTY_MAX_MONEY);
    FormatNumberText(totalText, static_cast<int>(shown), kTotalChars, false, false);
    totalColour = shown > Money() ? kAboveMoney : (shown == Money() ? kWhite : kBelowMoney);
}

void CEvent::GetShopStock(bool withQuantity)
{
    const int row = SelectedShopRow();
    int held = 0;
    if (row >= 0) {
        const ShopGoods goods = ShopRow(row);
        held = HeldEventItemCount(goods.category, goods.id);
    }
    heldColour = kWhite;
    if (withQuantity) {
        held += ShopQuantity;
        if (ShopQuantity != 0)
            heldColour = kAddedColour;
    }
    held = std::clamp(held, 0, kShopMaxQuantity);
    if (held != heldShown) {
        FormatNumberText(heldText, held, kHeldChars, false, false);
        heldShown = held;
    }
}

void CEvent::BuySelectedGoods()
{
    const int row = SelectedShopRow();
    if (ShopQuantity == 0 || row < 0) {
        PlaySoundEffect(SE_CONFIRM);
        return;
    }
    const ShopGoods goods = ShopRow(row);
    // Only what fits in the bag is added, and only that is paid for.
    const int added = std::min<int>(ShopQuantity, kShopMaxQuantity - HeldEventItemCount(goods.category, goods.id));
    const std::int64_t cost = static_cast<std::int64_t>(added) * goods.price;
    if (added <= 0 || Money() < cost) {
        PlaySoundEffect(SE_REFUSE);
        return;
    }
    PlaySoundEffect(SE_TRADE);
    SetMoney(-cost, false);
    TheGameData->AddItem(goods.category, goods.id, added);
    GetShopStock(false);
}

void CEvent::SellSelectedItem()
{
    if (ShopQuantity == 0) {
        PlaySoundEffect(SE_CONFIRM);
        return;
    }
    const std::int64_t kept = Money();
    const CMapMenu& menu = *TheMapMenu;
    SetMoney(static_cast<std::int64_t>(ShopQuantity) * menu.GetListedItemPrice(menu.mainList.position), false);
    if (!TheMapMenu->ConsumeListedItem(ShopQuantity)) {
        SetMoney(kept, true);
        PlaySoundEffect(SE_REFUSE);
        return;
    }
    PlaySoundEffect(SE_TRADE);
}
