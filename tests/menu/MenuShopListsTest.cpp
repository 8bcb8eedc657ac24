// The event shop's lists on the menu: the goods page by page with their
// prices and the preview of the piece under the cursor for its wearer, the
// window sizes that follow the prices, the sell list with its clamps and
// the sale's removal, the member tab, and what the two drawers draw.
#include <string>
#include <vector>

#include "MenuEquipFixture.h"
#include "field/event/Event.h"
#include "menu/MapMenuLayoutRules.h"

namespace menutest {
namespace {

using Keys = fakes::FakeKeyInput;
using Goods = CEvent::ShopGoods;

constexpr int kListWindow = 55;
constexpr int kFullListWindow = 56;
constexpr int kWeaponDetail = 57;
constexpr int kArmourDetail = 58;
constexpr int kTabWindow = 59;
constexpr int kAccessoryDetail = 60;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kGrey = 0xFF808080u;

class ShopListTest : public EquipTest {
protected:
    void SetUp() override
    {
        EquipTest::SetUp();
        items.assign(ITEM_ROW_COUNT * ITEM_ROW_SIZE, 0);
        ItemTable = items.data();
        parts->event.LayoutEventWindows();
        std::memset(data().heldItems, 0, sizeof data().heldItems);
        data().RebuildItemLists(ITEM_CATEGORY_ITEM, false);
        for (int m = 0; m < 3; ++m) {
            Weapon(m, 1, u"剣" + std::u16string(1, static_cast<char16_t>(u'A' + m)), 10 + 5 * m, 1, 1);
            Guard(3 + m, 1, u"鎧" + std::u16string(1, static_cast<char16_t>(u'A' + m)), {{0, 0, 4 + m, 0}});
            Figures(m, {20 + m, 10 + m, 15 + m, 12 + m}, 30, 100, {3, 3, 3, 3});
        }
        Guard(6, 1, u"指輪", {{0, 0, 0, 9}, 2, {1, 0, 0, 0}});
        Item(0, u"薬草", 20);
    }

    // An item row: its name and its sell price.
    void Item(int id, const std::u16string& name, int sellPrice)
    {
        unsigned char* row = items.data() + id * ITEM_ROW_SIZE;
        PutName(row, name);
        row[50] = static_cast<unsigned char>(sellPrice & 0xFF);
        row[51] = static_cast<unsigned char>(sellPrice >> 8);
        // The sorted list runs from the highest key: by id.
        Put32(row + 52, Field(100 - id, 8, 7) | Field(static_cast<int>(name.size()), 15, 4));
    }
    void SetGoods(const std::vector<Goods>& goods)
    {
        for (size_t row = 0; row < goods.size(); ++row)
            parts->event.SetShopRow(static_cast<int>(row), goods[row]);
        parts->event.Args[CEvent::kShopRowCount] = static_cast<int>(goods.size());
    }
    // The list opened as the shop opens it: mode, window, the top row.
    void Open(int listMode)
    {
        menu().mode = listMode;
        menu().cursorWindow = kListWindow;
        menu().mainList.position = menu().mainList.page = 0;
        menu().OpenItemListWindow(listMode, true);
        menu().SetMenuListPosition(0, true, menu().mainList.position);
    }
    void Press(int direction)
    {
        keys.Press(direction);
        menu().MoveListCursorByKeys(10, menu().mainList);
        keys.NextFrame();
        keys.Hold(0);
    }
    std::u16string Price(int row) const { return std::u16string(parts->menu.priceTexts[row], parts->menu.priceWidth); }
    // The preview as ComputeEquipPreview makes it for a member, slot and piece.
    EquipPreview Expected(int member, int kind, int id)
    {
        const EquipPreview kept = menu().equipPreview;
        menu().ComputeEquipPreview(member, kind, id);
        const EquipPreview expected = menu().equipPreview;
        menu().equipPreview = kept;
        return expected;
    }
    static std::u16string PreviewText(const EquipPreview& preview)
    {
        std::u16string all;
        for (const auto& stat : preview.statText)
            all += std::u16string(stat) + u",";
        return all + preview.spText + u"," + preview.staminaText + u"," +
               std::u16string(1, static_cast<char16_t>(u'0' + preview.colourLevel[0]));
    }
    // Whether a window's frame was drawn: its first piece among the device's quads.
    bool FrameDrawn(int window) const
    {
        const ColouredVertex* frame = parts->windows.windowVertices[window];
        for (const auto& d : device.draws) {
            if (d.stride != sizeof(ColouredVertex) || d.bytes.size() < 4 * sizeof(ColouredVertex))
                continue;
            bool same = true;
            for (int i = 0; i < 4 && same; ++i) {
                const auto v = d.VertexAt<ColouredVertex>(static_cast<std::size_t>(i));
                same = v.x == frame[i].x && v.y == frame[i].y;
            }
            if (same)
                return true;
        }
        return false;
    }
    // A comparison stands in its window: the frame and a label at the window's text origin.
    bool ComparisonIn(const std::vector<DrawnText>& drawn, int window) const
    {
        if (!FrameDrawn(window))
            return false;
        for (const auto& d : drawn)
            if (d.x == parts->windows.windowRects[window].left + 10.0f &&
                d.y == parts->windows.windowRects[window].top + 10.0f)
                return true;
        return false;
    }

    std::vector<unsigned char> items;
};

std::vector<Goods> TwelveGoods()
{
    std::vector<Goods> goods;
    for (int row = 0; row < 12; ++row)
        goods.push_back({ITEM_CATEGORY_ITEM, 0, 100 + row});
    goods[11] = {ITEM_CATEGORY_ACCESSORY, 1, 111};
    return goods;
}

TEST_F(ShopListTest, TwelveGoodsTwoPagesEachRowWithItsOwnPrice)
{
    SetGoods(TwelveGoods());
    Open(MenuShopBuyList);
    ASSERT_EQ(menu().mainList.pageCount, 2);
    ASSERT_EQ(menu().mainList.rowsOnPage, 10);
    EXPECT_EQ(menu().priceWidth, 3);
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(Price(row), u"10" + std::u16string(1, static_cast<char16_t>(u'0' + row)));
    EXPECT_EQ(rect(kListWindow).bottom, rect(kListWindow).top + MenuWindowHeight(10) + 32.0f)
        << "every page is drawn in the goods window";

    // From row 5 of page 0 the page turns past the goods: the last entry, previewed.
    menu().SetMenuListPosition(5, true, menu().mainList.position);
    Press(Keys::kRight);
    EXPECT_EQ(menu().mainList.page, 1);
    EXPECT_EQ(menu().mainList.position, 11);
    ASSERT_EQ(menu().mainList.rowsOnPage, 2);
    EXPECT_EQ(Price(0), u"110");
    EXPECT_EQ(Price(1), u"111");
    EXPECT_EQ(PreviewText(menu().equipPreview), PreviewText(Expected(0, EQUIP_ACCESSORY, 1)));
    device.draws.clear();
    const auto drawn = Drawn([&] { menu().DrawEventShopWindow(true); });
    EXPECT_EQ(FindText(drawn, u"G", 2), nullptr) << "two rows drawn, no row past the goods";
    EXPECT_TRUE(ComparisonIn(drawn, kAccessoryDetail));

    Press(Keys::kLeft);
    EXPECT_EQ(menu().mainList.page, 0);
    EXPECT_EQ(menu().mainList.position, 1);
    EXPECT_EQ(menu().mainList.rowsOnPage, 10);
    EXPECT_EQ(Price(9), u"109");
}

TEST_F(ShopListTest, PriceWidthsAndTheWindowsBesideTheList)
{
    const struct {
        int price;
        int width;
        const char16_t* text;
    } cases[] = {{7, 1, u"7"}, {12345, 5, u"12345"}, {12345678, 8, u"12345678"}, {1234567890, 9, u"999999999"}};
    const float left = rect(kListWindow).left;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.price);
        SetGoods({{ITEM_CATEGORY_ITEM, 0, 1}, {ITEM_CATEGORY_ITEM, 0, c.price}});
        Open(MenuShopBuyList);
        EXPECT_EQ(menu().priceWidth, c.width);
        EXPECT_EQ(Price(1), c.text);
        EXPECT_EQ(rect(kListWindow).left, left);
        EXPECT_EQ(rect(kListWindow).right, left + 20.0f + 176.0f + 12.0f + 12.0f * static_cast<float>(c.width) + 12.0f);
        EXPECT_EQ(rect(kListWindow).bottom, rect(kListWindow).top + MenuWindowHeight(2)) << "two rows, no page text";
        const float side = rect(kListWindow).right + 4.0f;
        for (int window : {kWeaponDetail, kArmourDetail}) {
            EXPECT_EQ(rect(window).left, side);
            EXPECT_EQ(rect(window).right, side + 20.0f + 44.0f + 36.0f + 96.0f + 22.0f);
        }
        EXPECT_EQ(rect(kTabWindow).left, side);
        EXPECT_EQ(rect(kTabWindow).right, side + 44.0f);
        EXPECT_EQ(rect(kAccessoryDetail).left, rect(kTabWindow).right - 2.0f);
        EXPECT_EQ(rect(kAccessoryDetail).right - rect(kAccessoryDetail).left,
                  rect(kWeaponDetail).right - rect(kWeaponDetail).left);
    }
}

TEST_F(ShopListTest, AShopWithoutGoodsGoesBackToItsMenu)
{
    SetGoods({});
    parts->event.ShopState = CEvent::SHOP_BUY_LIST;
    Open(MenuShopBuyList);
    EXPECT_EQ(parts->event.ShopState, CEvent::SHOP_MENU);
    EXPECT_EQ(menu().cursorWindow, 54);
}

TEST_F(ShopListTest, TheSellList)
{
    // Nothing held: back to the shop's menu, no list.
    parts->event.ShopState = CEvent::SHOP_SELL_LIST;
    Open(MenuShopSellList);
    EXPECT_EQ(parts->event.ShopState, CEvent::SHOP_MENU);
    EXPECT_EQ(menu().mainList.count, 0);

    // Thirteen items; a page beyond the count comes back to the last entry.
    for (int id = 0; id < 13; ++id) {
        Item(id, u"品" + std::u16string(1, static_cast<char16_t>(u'A' + id)), id == 12 ? 65535 : 10 * id);
        data().heldItems[id] = static_cast<std::int8_t>(id + 1);
    }
    Open(MenuShopSellList);
    ASSERT_EQ(menu().mainList.count, 13);
    const float left = rect(kListWindow).left;
    EXPECT_EQ(rect(kListWindow).right, left + 20.0f + 176.0f + 12.0f + 22.0f + 24.0f + 12.0f + 60.0f + 12.0f);
    EXPECT_EQ(rect(kListWindow).bottom, rect(kListWindow).top + MenuWindowHeight(3) + 32.0f) << "the last page";
    EXPECT_EQ(rect(kFullListWindow).left, left);
    EXPECT_EQ(rect(kFullListWindow).top, rect(kListWindow).top);
    EXPECT_EQ(rect(kFullListWindow).right, rect(kListWindow).right);
    EXPECT_EQ(rect(kFullListWindow).bottom, rect(kListWindow).top + MenuWindowHeight(10) + 32.0f);
    EXPECT_EQ(menu().shopPageOrigins[0].y, rect(kListWindow).bottom - 34.0f);
    EXPECT_EQ(menu().shopPageOrigins[1].y, rect(kFullListWindow).bottom - 34.0f);

    menu().mainList.page = 5;
    menu().mainList.position = 57;
    menu().OpenItemListWindow(MenuShopSellList, false);
    EXPECT_EQ(menu().mainList.page, 1);
    EXPECT_EQ(menu().mainList.position, 12);
    ASSERT_EQ(menu().mainList.rowsOnPage, 3);
    EXPECT_EQ(std::u16string(menu().priceTexts[0], 5), u"  100");
    EXPECT_EQ(std::u16string(menu().priceTexts[2], 5), u"65535");
    EXPECT_EQ(std::u16string(menu().countText, menu().countTextLength), u"×11\n×12\n×13");

    // Price, count and row of a position; nothing past either end.
    EXPECT_EQ(menu().GetListedItemPrice(3), 30);
    EXPECT_EQ(menu().GetListedItemCount(3), 4);
    std::uint32_t length = 99;
    EXPECT_NE(menu().GetListedItemDef(3, length), nullptr);
    EXPECT_EQ(length, 2u);
    for (int past : {13, 40, -1}) {
        EXPECT_EQ(menu().GetListedItemPrice(past), 0) << past;
        EXPECT_EQ(menu().GetListedItemCount(past), 0) << past;
        EXPECT_EQ(menu().GetListedItemDef(past, length), nullptr) << past;
        EXPECT_EQ(length, 0u);
    }

    // The sale removes only what is held, from the item under the cursor.
    menu().mainList.position = 2; // 品C, three held
    EXPECT_FALSE(menu().ConsumeListedItem(4));
    EXPECT_EQ(data().heldItems[2], 3);
    EXPECT_FALSE(menu().ConsumeListedItem(0));
    EXPECT_TRUE(menu().ConsumeListedItem(3));
    EXPECT_EQ(data().heldItems[2], 0);
    menu().mainList.position = 13;
    EXPECT_FALSE(menu().ConsumeListedItem(1)) << "past the list";
}

TEST_F(ShopListTest, ThePreviewOfEachCategoryAndTab)
{
    SetGoods({{ITEM_CATEGORY_ITEM, 0, 10},
              {1, 1, 10},
              {2, 1, 10},
              {3, 1, 10},
              {4, 1, 10},
              {5, 1, 10},
              {6, 1, 10},
              {ITEM_CATEGORY_ACCESSORY, 1, 10}});
    Open(MenuShopBuyList);
    const struct {
        int member, kind;
    } expected[] = {{-1, -1},         {0, EQUIP_WEAPON}, {1, EQUIP_WEAPON}, {2, EQUIP_WEAPON},
                    {0, EQUIP_ARMOR}, {1, EQUIP_ARMOR},  {2, EQUIP_ARMOR},  {-2, EQUIP_ACCESSORY}};
    for (int tab = 0; tab < 3; ++tab) {
        for (int row = 0; row < 8; ++row) {
            SCOPED_TRACE(testing::Message() << "tab " << tab << ", row " << row);
            menu().equipPreview = EquipPreview{};
            menu().SetMenuListPosition(row, true, menu().mainList.position);
            const int member = expected[row].member == -2 ? tab : expected[row].member;
            if (member < 0)
                EXPECT_EQ(PreviewText(menu().equipPreview), PreviewText(EquipPreview{})) << "an item is not previewed";
            else
                EXPECT_EQ(PreviewText(menu().equipPreview), PreviewText(Expected(member, expected[row].kind, 1)));
        }
        menu().CycleEquipTab(false);
    }
}

TEST_F(ShopListTest, TheTabWrapsBothWaysAndThePreviewFollowsIt)
{
    SetGoods({{ITEM_CATEGORY_ACCESSORY, 1, 10}});
    Open(MenuShopBuyList);
    const int forward[] = {1, 2, 0, 1};
    for (int tab : forward) {
        menu().CycleEquipTab(false);
        EXPECT_EQ(menu().shopTab, tab);
        EXPECT_EQ(PreviewText(menu().equipPreview), PreviewText(Expected(tab, EQUIP_ACCESSORY, 1)));
    }
    const int backward[] = {0, 2, 1, 0};
    for (int tab : backward) {
        menu().CycleEquipTab(true);
        EXPECT_EQ(menu().shopTab, tab);
        EXPECT_EQ(PreviewText(menu().equipPreview), PreviewText(Expected(tab, EQUIP_ACCESSORY, 1)));
    }
}

TEST_F(ShopListTest, TheGoodsWithTheirDescriptionsAndDetailWindows)
{
    SetGoods({{ITEM_CATEGORY_ITEM, 0, 30}, {2, 1, 400}, {5, 1, 350}, {ITEM_CATEGORY_ACCESSORY, 1, 12345}});
    Open(MenuShopBuyList);
    menu().shopTab = 2;
    const float x = rect(kListWindow).left + 10.0f;
    const float y = rect(kListWindow).top + 10.0f;
    const struct {
        const char* what;
        const char16_t* name; // in the list and in the description
        int detail;           // the comparison's window, -1 none
    } cases[] = {
        {"an item", u"薬草", -1},
        {"a weapon of member 1", u"剣B", kWeaponDetail},
        {"armour of member 1", u"鎧B", kArmourDetail},
        {"an accessory", u"指輪", kAccessoryDetail},
    };
    for (int row = 0; row < 4; ++row) {
        const auto& c = cases[row];
        SCOPED_TRACE(c.what);
        menu().SetMenuListPosition(row, true, menu().mainList.position);
        device.draws.clear();
        const auto drawn = Drawn([&] { menu().DrawEventShopWindow(true); });
        const DrawnText* listed = FindText(drawn, c.name);
        ASSERT_NE(listed, nullptr);
        EXPECT_EQ(listed->x, x);
        EXPECT_EQ(listed->y, y + 26.0f * static_cast<float>(row));
        EXPECT_EQ(FindText(drawn, c.name, 1) != nullptr, true) << "and described below";
        for (int window : {kWeaponDetail, kArmourDetail, kAccessoryDetail})
            EXPECT_EQ(ComparisonIn(drawn, window), window == c.detail) << window;
    }
    // Prices right after the names' column, "G" right after the prices.
    const auto drawn = Drawn([&] { menu().DrawEventShopWindow(false); });
    const DrawnText* price = FindText(drawn, u"12345");
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(price->x, x + 12.0f + 176.0f);
    EXPECT_EQ(price->minimumAdvance, 12);
    EXPECT_EQ(price->colour, kGrey) << "dimmed";
    const DrawnText* unit = FindText(drawn, u"G", 3);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->x, price->x + 12.0f * 5.0f);
    EXPECT_EQ(unit->y, y + 3.0f * 26.0f);
}

TEST_F(ShopListTest, ATextThatCannotBeDrawnEndsTheGoodsForTheFrame)
{
    SetGoods({{1, 1, 400}});
    Open(MenuShopBuyList);
    device.draws.clear();
    text.failAt = text.calls + 1; // the price
    const auto drawn = Drawn([&] { menu().DrawEventShopWindow(true); });
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].text, u"剣A");
    EXPECT_FALSE(FrameDrawn(kWeaponDetail)) << "no description or comparison after it";
    EXPECT_FALSE(FrameDrawn(MENU_DESCRIPTION_WINDOW));
}

TEST_F(ShopListTest, TheSellListsPageTextArrowsAndDescription)
{
    fakes::FakeTexture* sprites = GiveEventSprites();
    for (int id = 0; id < 12; ++id) {
        Item(id, u"品" + std::u16string(1, static_cast<char16_t>(u'A' + id)), 10);
        data().heldItems[id] = 1;
    }
    // One page: no page text, no arrows.
    data().heldItems[10] = data().heldItems[11] = 0;
    Open(MenuShopSellList);
    device.draws.clear();
    auto drawn = Drawn([&] { menu().DrawEventItemListWindow(true); });
    EXPECT_EQ(FindText(drawn, std::u16string(menu().pageLines[0].text, menu().pageLines[0].length)), nullptr);
    EXPECT_EQ(DrawsWith(sprites), 0);
    const DrawnText* counts = FindText(drawn, std::u16string(menu().countText, menu().countTextLength));
    ASSERT_NE(counts, nullptr);
    EXPECT_EQ(counts->x, rect(kListWindow).left + 10.0f + 188.0f);
    EXPECT_EQ(counts->lineAdvance, 26.0f);
    EXPECT_EQ(counts->minimumAdvance, 12);
    const DrawnText* price = FindText(drawn, u"   10");
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(price->x, counts->x + 12.0f + 46.0f);
    const DrawnText* unit = FindText(drawn, u"G");
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->x, price->x + 60.0f);
    EXPECT_NE(FindText(drawn, u"品A", 1), nullptr) << "the item under the cursor described";

    // Two pages: the page text on the full page's window; arrows only while active.
    data().heldItems[10] = data().heldItems[11] = 1;
    Open(MenuShopSellList);
    const std::u16string pageText(menu().pageLines[0].text, menu().pageLines[0].length);
    for (bool active : {true, false}) {
        device.draws.clear();
        drawn = Drawn([&] { menu().DrawEventItemListWindow(active); });
        const DrawnText* page = FindText(drawn, pageText);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->y, menu().shopPageOrigins[1].y);
        EXPECT_EQ(page->colour, active ? kWhite : kGrey);
        EXPECT_EQ(DrawsWith(sprites) > 0, active);
    }

    // A cursor past the held items: names as far as they go, an empty description.
    menu().mainList.page = 1;
    menu().mainList.position = 12;
    menu().OpenItemListWindow(MenuShopSellList, false);
    menu().mainList.position = 12; // as a sale of the last row leaves it
    data().heldItems[11] = 0;
    data().RebuildItemLists(ITEM_CATEGORY_ITEM, false);
    device.draws.clear();
    drawn = Drawn([&] { menu().DrawEventItemListWindow(true); });
    EXPECT_NE(FindText(drawn, u"品K"), nullptr);
    EXPECT_TRUE(FrameDrawn(MENU_DESCRIPTION_WINDOW));
    EXPECT_EQ(FindText(drawn, u"品K", 1), nullptr) << "nothing described";
    EXPECT_EQ(FindText(drawn, u"品L"), nullptr);
}

} // namespace
} // namespace menutest
