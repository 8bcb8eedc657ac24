// The shop command: the goods it offers, the limits of a trade, the quantity
// entry, purchase and sale, and the flow between its windows.
#include <algorithm>
#include <string>
#include <vector>

#include "EventFixture.h"
#include "menu/MapMenu.h"
#include "platform/LittleEndian.h"

namespace fieldtest {
namespace {

using Keys = fakes::FakeKeyInput;
using Goods = eventscript::Script::Goods;

constexpr int kItems = 0;
constexpr int kAccessories = 7;
constexpr int kConfirm = 1 << 0;
constexpr int kCancel = 1 << 1;
constexpr int kMax = 1 << 2;
constexpr int kItemRow = 56;

class EventShopTest : public EventTest {
protected:
    void SetUp() override
    {
        EventTest::SetUp();
        event().LayoutEventWindows();
        TheCharacter->money = 1000;
    }
    void SetSortKey(int item, int key)
    {
        unsigned char* word = items.data() + item * kItemRow + 52;
        plat::StoreLe32(word, (plat::LoadLe32(word) & ~(0x7Fu << 8)) | static_cast<std::uint32_t>(key) << 8);
    }
    void SetSellPrice(int item, int price) { plat::StoreLe16(items.data() + item * kItemRow + 50, price); }
    // Starts a shop after a message, as a shopkeeper does; the shop's opening frame has run.
    void OpenShop(const Script& shop)
    {
        Run(shop);
        ASSERT_EQ(event().Opcode, OP_SHOP);
    }
    void Push(int buttons)
    {
        keys.pushedButtons = buttons;
        Frames(1);
        keys.NextFrame();
    }
    void Press(int directions)
    {
        keys.Press(directions);
        Frames(1);
        keys.NextFrame();
        keys.Hold(0);
    }
    std::vector<int> GoodsIds()
    {
        std::vector<int> ids;
        for (int row = 0; row < event().ShopRowCount(); ++row)
            ids.push_back(event().ShopRow(row).id);
        return ids;
    }
    int SoundsPlayed(int sound)
    {
        int count = 0;
        for (const std::string& call : soundCalls)
            count += call == "Play" + fakes::Args({sound}) ? 1 : 0;
        return count;
    }
    CMapMenu& menu() { return parts->menu; }
};

TEST_F(EventShopTest, TheShopWindowsStandBesideTheMenuColumnAndAboveTheMessage)
{
    const auto& rects = TheFixedWindowSet->windowRects;
    const float half = static_cast<float>(static_cast<int>((rects[1].right - rects[1].left) / 2));
    const float listLeft = 30 + half;
    const float side = listLeft + 338 + 4;
    const float messageTop = rects[0].top;
    const float messageRight = rects[0].right;
    struct Case {
        int window;
        CFixedWindowSet::Rect rect;
    } const cases[] = {
        {54, {30, 20, 138, 116}},
        {55, {listLeft, 20, listLeft + 338, 330}},
        {56, {listLeft, 20, listLeft + 338, 330}},
        {57, {side, 20, side + 218, 116}},
        {58, {side, 20, side + 218, 246}},
        {59, {side, 20, side + 44, 64}},
        {60, {side + 42, 20, side + 42 + 218, 256}},
        {61, {listLeft + half, 20, listLeft + half + 66, 64}},
        {62, {messageRight - 128, messageTop - 48, messageRight, messageTop - 4}},
        {63, {messageRight - 128 - 4 - 182, messageTop - 48, messageRight - 128 - 4, messageTop - 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        const CFixedWindowSet::Rect& r = rects[c.window];
        EXPECT_EQ((std::vector<float>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<float>{c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}));
    }
    EXPECT_EQ(event().shopMenuTextX, 40.0f);
    EXPECT_EQ(event().heldTextY, messageTop - 38.0f);

    // The quantity window stands on the row it is for.
    OpenShop(Script().Shop({{kItems, 1, 10}, {kItems, 2, 10}}).End());
    Push(kConfirm);
    Press(Keys::kDown);
    Push(kConfirm);
    ASSERT_EQ(event().ShopState, CEvent::SHOP_BUY_QUANTITY);
    EXPECT_EQ(rects[61].top, 20.0f + 26.0f);
    EXPECT_EQ(rects[61].bottom, 20.0f + 26.0f + 44.0f);
}

TEST_F(EventShopTest, BuiltInListsFollowTheFlagsAndSortByKeyTheLaterRowWinningTies)
{
    // Table order of list -1: 14, 15, 16 (flag 156), 13 and 17 (flag 176), ...
    for (const auto& [item, key] : std::vector<std::pair<int, int>>{{13, 5}, {14, 9}, {15, 9}, {16, 1}, {17, 5}})
        SetSortKey(item, key);
    struct Case {
        const char* name;
        int list;
        std::vector<int> flags;
        std::vector<int> ids;
        std::vector<int> prices;
    };
    const Case cases[] = {
        {"list -1 with no flag", -1, {}, {15, 14}, {300, 300}},
        {"list -1 with flags 156 and 176", -1, {156, 176}, {16, 17, 13, 15, 14}, {1500, 600, 600, 300, 300}},
        {"list -2 with no flag", -2, {}, {40}, {300}},
        {"another negative list", -7, {}, {0}, {20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int flag : {156, 176})
            TheGameData->SetGameFlag(flag, 0);
        for (int flag : c.flags)
            TheGameData->SetGameFlag(flag, 1);
        OpenShop(Script().Raw(OP_SHOP, {1, c.list, 0, 0}).End());
        EXPECT_EQ(GoodsIds(), c.ids);
        std::vector<int> prices;
        for (int row = 0; row < event().ShopRowCount(); ++row)
            prices.push_back(event().ShopRow(row).price);
        EXPECT_EQ(prices, c.prices);
    }
}

TEST_F(EventShopTest, AShopOfTwelveGoodsKeepsEveryRowAndTheMessageAboveIt)
{
    std::vector<Goods> goods;
    for (int row = 0; row < 12; ++row)
        goods.push_back({kItems, 1 + row, 10 * (row + 1)});
    Run(Script().MessageColour(0xFFFF8000u, u"いらっしゃい").Shop(goods).End());
    RunToEndOfTyping(); // the typed message hands over to the shop
    ASSERT_EQ(event().Opcode, OP_SHOP);
    ASSERT_EQ(event().ShopRowCount(), 12);
    for (int row = 0; row < 12; ++row) {
        EXPECT_EQ(event().ShopRow(row).id, 1 + row) << row;
        EXPECT_EQ(event().ShopRow(row).price, 10 * (row + 1)) << row;
    }
    EXPECT_EQ(event().Args[CEvent::kShopKeptLength], 6);
    EXPECT_EQ(static_cast<std::uint32_t>(event().Args[CEvent::kShopKeptColour]), 0xFFFF8000u);
    text.drawn.clear();
    event().DrawEvent();
    const bool keptShown = std::any_of(text.drawn.begin(), text.drawn.end(), [](const MeasuringText::Drawn& d) {
        return d.text == u"いらっしゃい" && d.colour == 0xFFFF8000u;
    });
    EXPECT_TRUE(keptShown);
}

TEST_F(EventShopTest, RowsNoPurchaseCouldServeAreDropped)
{
    OpenShop(Script()
                 .Shop({{kItems, 1, 0},
                        {kItems, 2, 50},
                        {9, 1, 50},
                        {kItems, 70, 50},
                        {kAccessories, 3, -5},
                        {kAccessories, 4, 80}})
                 .End());
    EXPECT_EQ(GoodsIds(), (std::vector<int>{2, 4}));

    // A shop left with nothing shows no goods list: back to its menu.
    OpenShop(Script().Shop({{kItems, 1, 0}}).End());
    EXPECT_EQ(event().ShopRowCount(), 0);
    Push(kConfirm); // buy
    EXPECT_EQ(event().ShopState, CEvent::SHOP_MENU);
    EXPECT_EQ(menu().cursorWindow, 54);
}

TEST_F(EventShopTest, TradeLimits)
{
    struct Case {
        const char* name;
        std::uint32_t money;
        int held;
        int sellPrice;
        int buyLimit, sellLimit;
    };
    const Case cases[] = {
        {"money 1000, price 300, 5 held", 1000, 5, 10, 3, 5},
        {"97 held: room for 2", 1000, 97, 10, 2, 97},
        {"money 10 below the cap, sell price 7", 99999989, 5, 7, 94, 2},
        {"a sell price of 0", 1000, 5, 0, 3, 0},
        {"no money", 0, 5, 10, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TheCharacter->money = c.money;
        TheGameData->heldItems[1] = static_cast<std::int8_t>(c.held);
        SetSellPrice(1, c.sellPrice);
        OpenShop(Script().Shop({{kItems, 1, 300}}).End());
        Push(kConfirm);
        ASSERT_EQ(event().ShopState, CEvent::SHOP_BUY_LIST);
        EXPECT_EQ(event().GetMaxBuyQuantity(), c.buyLimit);
        Push(kCancel);
        Press(Keys::kDown); // sell
        Push(kConfirm);
        ASSERT_EQ(event().ShopState, CEvent::SHOP_SELL_LIST);
        ASSERT_EQ(TheGameData->categoryList[kItems][menu().mainList.position], 1);
        EXPECT_EQ(event().GetMaxSellQuantity(), c.sellLimit);
    }
}

TEST_F(EventShopTest, QuantitySteps)
{
    struct Case {
        const char* name;
        int start, column, max;
        int pushed; // a direction, or the max button
        int quantity;
        bool used;
    };
    const Case cases[] = {
        {"tens up from 95 stops at the maximum", 95, 0, 99, Keys::kUp, 99, true},
        {"tens down from 5 stops at 0", 5, 0, 99, Keys::kDown, 0, true},
        {"ones up", 5, 1, 99, Keys::kUp, 6, true},
        {"up at the maximum does nothing", 7, 1, 7, Keys::kUp, 7, false},
        {"down at 0 does nothing", 0, 1, 7, Keys::kDown, 0, false},
        {"the max button jumps to the maximum", 2, 1, 42, -1, 42, true},
        {"and again does nothing", 42, 1, 42, -1, 42, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenShop(Script().Shop({{kItems, 1, 10}}).End());
        Push(kConfirm);
        Push(kConfirm);
        ASSERT_EQ(event().ShopState, CEvent::SHOP_BUY_QUANTITY);
        event().ShopQuantity = static_cast<std::int8_t>(c.start);
        event().ShopDigitColumn = static_cast<std::int8_t>(c.column);
        event().ShopMaxQuantity = static_cast<std::int8_t>(c.max);
        soundCalls.clear();
        if (c.pushed < 0)
            keys.PushButton(2);
        else
            keys.Press(c.pushed);
        EXPECT_EQ(event().UpdateQuantityInput(), c.used);
        keys.NextFrame();
        keys.Hold(0);
        EXPECT_EQ(event().ShopQuantity, c.quantity);
        EXPECT_EQ(SoundsPlayed(SE_QUANTITY), c.quantity != c.start ? 1 : 0);
        if (c.pushed == Keys::kUp && c.quantity == c.max) {
            EXPECT_EQ(menu().repeatHeld[MENU_UP], 0) << "the repeat stops at the maximum";
        }
    }
}

TEST_F(EventShopTest, TheDigitCursorWrapsBetweenTheColumnsAndTheTensStepByTen)
{
    TheCharacter->money = 5000;
    OpenShop(Script().Shop({{kItems, 1, 10}}).End());
    Push(kConfirm);
    Push(kConfirm);
    ASSERT_EQ(event().ShopState, CEvent::SHOP_BUY_QUANTITY);
    const float ones = event().digitCursorX;
    for (const auto& [direction, column] : std::vector<std::pair<int, int>>{
             {Keys::kRight, 0}, {Keys::kRight, 1}, {Keys::kLeft, 0}, {Keys::kLeft, 1}, {Keys::kLeft, 0}}) {
        Press(direction);
        EXPECT_EQ(event().ShopDigitColumn, column);
        EXPECT_FLOAT_EQ(event().digitCursorX, ones - 12.0f * static_cast<float>(1 - column));
    }
    Press(Keys::kUp);
    EXPECT_EQ(event().ShopQuantity, 11);
    EXPECT_EQ(std::u16string(event().quantityText, 2), u"11");
}

TEST_F(EventShopTest, BuyingTwoChargesTheTotalAndAddsThem)
{
    TheGameData->heldItems[3] = 98;
    Run(Script().Message(u"いらっしゃい").Shop({{kItems, 2, 120}, {kItems, 3, 50}}).End());
    while (event().Opcode != OP_SHOP)
        Confirm();
    Frames(1); // the shop's opening frame takes no choice
    Push(kConfirm);
    ASSERT_EQ(event().ShopState, CEvent::SHOP_BUY_LIST);
    Push(kConfirm);
    ASSERT_EQ(event().ShopState, CEvent::SHOP_BUY_QUANTITY);
    Press(Keys::kUp);
    EXPECT_EQ(event().ShopQuantity, 2);
    EXPECT_EQ(std::u16string(event().totalText, 8), u"     760");
    EXPECT_EQ(event().totalColour, 0xFFA8A8FFu) << "below the money";
    EXPECT_EQ(std::u16string(event().heldText, 2), u" 2");
    Push(kConfirm);
    EXPECT_EQ(event().ShopState, CEvent::SHOP_BUY_LIST);
    EXPECT_EQ(TheCharacter->money, 760u);
    EXPECT_EQ(TheGameData->heldItems[2], 2);

    // Two of an item held 98 times: only one fits, and only one is paid for.
    Press(Keys::kDown);
    event().ShopMaxQuantity = 2;
    event().ShopQuantity = 2;
    event().ShopState = CEvent::SHOP_BUY_QUANTITY;
    Push(kConfirm);
    EXPECT_EQ(TheGameData->heldItems[3], 99);
    EXPECT_EQ(TheCharacter->money, 710u);
}

TEST_F(EventShopTest, SellingTheLastItemGoesBackToTheShopsMenu)
{
    SetSellPrice(5, 40);
    TheGameData->heldItems[5] = 2;
    OpenShop(Script().Shop({{kItems, 1, 10}}).SetFlag(1, 9).End());
    Press(Keys::kDown);
    Push(kConfirm);
    ASSERT_EQ(event().ShopState, CEvent::SHOP_SELL_LIST);
    ASSERT_EQ(TheGameData->categoryList[kItems][menu().mainList.position], 5);
    Push(kConfirm);
    ASSERT_EQ(event().ShopState, CEvent::SHOP_SELL_QUANTITY);
    Push(kMax);
    EXPECT_EQ(event().ShopQuantity, 2);
    EXPECT_EQ(std::u16string(event().totalText, 8), u"    1080");
    EXPECT_EQ(event().totalColour, 0xFFFF8080u) << "above the money";
    Push(kConfirm);
    EXPECT_EQ(TheCharacter->money, 1080u);
    EXPECT_EQ(TheGameData->heldItems[5], 0);
    EXPECT_EQ(event().ShopState, CEvent::SHOP_MENU) << "nothing left to list";
    EXPECT_EQ(event().ShopMenuCursor, 1);
    Push(kConfirm);
    EXPECT_EQ(event().ShopState, CEvent::SHOP_MENU) << "selling nothing is refused";
    Push(kCancel);
    EXPECT_EQ(TheGameData->GetGameFlag(9), 1) << "leaving goes on with the script";
}

TEST_F(EventShopTest, AFailedRemovalGivesTheMoneyBack)
{
    SetSellPrice(5, 40);
    TheGameData->heldItems[5] = 3;
    OpenShop(Script().Shop({{kItems, 1, 10}}).End());
    Press(Keys::kDown);
    Push(kConfirm);
    Push(kConfirm);
    Push(kMax);
    TheGameData->heldItems[5] = 1; // fewer held than the quantity by the time it is sold
    soundCalls.clear();
    Push(kConfirm);
    EXPECT_EQ(TheCharacter->money, 1000u);
    EXPECT_EQ(TheGameData->heldItems[5], 1);
    EXPECT_EQ(SoundsPlayed(SE_REFUSE), 1);
}

TEST_F(EventShopTest, TheTopMenuIgnoresItsOpeningPressAndRefusesSellingNothing)
{
    std::fill(std::begin(TheGameData->heldItems), std::end(TheGameData->heldItems), 0);
    keys.pushedButtons = kConfirm; // held over from the message
    Run(Script().Shop({{kItems, 1, 10}}).End());
    keys.NextFrame();
    EXPECT_EQ(event().ShopState, CEvent::SHOP_MENU) << "the opening frame only arms the menu";
    Press(Keys::kDown);
    soundCalls.clear();
    Push(kConfirm);
    EXPECT_EQ(event().ShopState, CEvent::SHOP_MENU);
    EXPECT_EQ(SoundsPlayed(SE_REFUSE), 1) << "nothing to sell";
    Press(Keys::kDown);
    Push(kConfirm);
    EXPECT_FALSE(event().IsEventRunning()) << "the leave row ends the shop";
}

} // namespace
} // namespace fieldtest
