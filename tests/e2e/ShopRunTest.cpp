// Shops and the floor guide in the game itself, from a save under the
// person who gives money: the gift, the shopkeeper's choice under its full
// message (a confirm before a row is chosen is refused), buying two of a
// row in the quantity window, selling one item, leaving; the herbalist's
// built-in list before and after the gossip's flags; the floor guide's
// rows and a warp to the floor chosen. Then the shopkeeper's two pages of
// goods with the comparison of each piece for its wearer, a weapon bought
// and an item sold, and the weapon found among the menu's candidates.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

namespace {

using e2e::kKeyCancel;
using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyLeft;
using e2e::kKeyRight;
using e2e::kKeyUp;

constexpr int kWelcomedFlag = 100;
constexpr int kKeyMenu = 46;   // C: button 2
constexpr int kKeySecond = 47; // V: button 3, the goods list's member tab
constexpr int kFacingUp = 0;

using TourScript = e2e::KeyScript;

// The moments the tour dumps, filled in as its script is written.
struct Moments {
    int beforeTalk, choice, refused, buyList, quantityOne, quantityTwo, bought, sellList, sold, left;
    int herbsBefore, herbsAfter, floors, arrived;
};

// Walks to the herbalist, talks and opens the goods list; leaves the shop.
int VisitHerbalist(TourScript& s, int walkKey)
{
    s.Walk(walkKey, 2);
    s.Tap(kKeyUp, 20);
    s.Tap(kKeyConfirm, 60); // the message hands over to the shop
    s.Tap(kKeyConfirm, 30); // 購入
    const int list = s.Settled();
    s.Tap(kKeyCancel, 30);
    s.Tap(kKeyCancel, 30);
    return list;
}

TourScript Tour(Moments& m)
{
    TourScript s{50, ""};
    s.Tap(kKeyConfirm, 5); // ロード
    s.Tap(kKeyConfirm, 5); // slot 1
    s.Tap(kKeyConfirm, 5);
    s.frame = 200;
    // The gift: its message, the money's message, closed.
    for (int i = 0; i < 4; ++i)
        s.Tap(kKeyConfirm, 40);
    // Round the chest to the shopkeeper.
    s.Walk(kKeyDown, 1);
    s.Walk(kKeyRight, 4);
    s.Walk(kKeyUp, 1);
    m.beforeTalk = s.frame - 2;
    s.Tap(kKeyConfirm, 60); // the message types out and hands over to the choice
    m.choice = s.frame - 5;
    s.Tap(kKeyConfirm, 30); // refused: no row chosen yet
    m.refused = s.Settled();
    s.Tap(kKeyDown, 20);
    s.Tap(kKeyConfirm, 30); // 買い物
    s.Tap(kKeyConfirm, 30); // 購入
    s.Tap(kKeyDown, 20);    // 回復薬
    m.buyList = s.Settled();
    s.Tap(kKeyConfirm, 30);
    m.quantityOne = s.Settled();
    s.Tap(kKeyUp, 30);
    m.quantityTwo = s.Settled();
    s.Tap(kKeyConfirm, 30); // bought
    m.bought = s.Settled();
    s.Tap(kKeyCancel, 30);
    s.Tap(kKeyDown, 20);
    s.Tap(kKeyConfirm, 30); // 売却
    m.sellList = s.Settled();
    s.Tap(kKeyConfirm, 30); // the first item
    s.Tap(kKeyConfirm, 30); // sold one
    m.sold = s.Settled();
    s.Tap(kKeyCancel, 30);
    s.Tap(kKeyDown, 20);
    s.Tap(kKeyConfirm, 40); // 用はない
    s.Tap(kKeyConfirm, 40); // またどうぞ
    m.left = s.frame;
    // The herbalist before the gossip: two rows.
    m.herbsBefore = VisitHerbalist(s, kKeyRight);
    // The gossip sets the flags.
    s.Walk(kKeyRight, 2);
    s.Tap(kKeyUp, 20);
    s.Tap(kKeyConfirm, 80);
    s.Tap(kKeyConfirm, 40);
    // The herbalist after: five rows.
    m.herbsAfter = VisitHerbalist(s, kKeyLeft);
    // The floor guide: three floors now; the last one.
    s.Walk(kKeyRight, 3);
    s.Tap(kKeyRight, 20);
    s.Tap(kKeyConfirm, 60);
    m.floors = s.frame - 5;
    s.Tap(kKeyUp, 20);
    s.Tap(kKeyConfirm, 200);
    m.arrived = s.frame - 10;
    return s;
}

constexpr e2e::Box kMessageWindow{46, 340, 594, 480};
constexpr e2e::Box kChoiceWindow{46, 240, 110, 336};
constexpr e2e::Box kQuantityWindow{90, 40, 170, 96};
constexpr e2e::Box kMoneyWindow{466, 292, 594, 336};
constexpr e2e::Box kHeldWindow{280, 292, 462, 336};
constexpr e2e::Box kListRowsThreeToFive{70, 80, 400, 160};
constexpr e2e::Box kFloorRows{46, 200, 110, 336};

TEST(ShopRunTest, BuyingSellingTheHerbalistsListAndTheFloorGuide)
{
    e2e::GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 12, 3, 0, [](GameData& data, CCharacter&) { data.SetGameFlag(kWelcomedFlag, 1); });
    Moments m{};
    const TourScript s = Tour(m);
    const std::vector<int> frames = {m.beforeTalk,  m.choice,     m.refused,  m.buyList, m.quantityOne,
                                     m.quantityTwo, m.bought,     m.sellList, m.sold,    m.left,
                                     m.herbsBefore, m.herbsAfter, m.floors,   m.arrived};
    const auto run = e2e::RunScripted(folder, s.text, e2e::FrameList(frames), m.arrived + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    std::map<int, e2e::FrameImage> shot;
    const char* names[] = {"before_talk",  "choice",      "refused",   "buy_list", "quantity_one",
                           "quantity_two", "bought",      "sell_list", "sold",     "left",
                           "herbs_before", "herbs_after", "floors",    "arrived"};
    for (std::size_t i = 0; i < frames.size(); ++i)
        shot[frames[i]] = e2e::Dump(folder, frames[i], std::string("program_shop_") + names[i]);

    // The choice stands over the whole message; a confirm before any row is refused.
    EXPECT_FALSE(shot[m.choice].SameAs(shot[m.beforeTalk], kChoiceWindow));
    EXPECT_FALSE(shot[m.choice].SameAs(shot[m.beforeTalk], kMessageWindow));
    EXPECT_TRUE(shot[m.refused].SameAs(shot[m.choice], e2e::kWholeScreen)) << "nothing chosen, nothing changed";
    // Two of 回復薬: the quantity and total change, the money window drops after the purchase.
    EXPECT_FALSE(shot[m.quantityTwo].SameAs(shot[m.quantityOne], kQuantityWindow));
    EXPECT_FALSE(shot[m.quantityTwo].SameAs(shot[m.quantityOne], kMoneyWindow)) << "the total in its colour";
    EXPECT_FALSE(shot[m.quantityTwo].SameAs(shot[m.quantityOne], kHeldWindow));
    EXPECT_FALSE(shot[m.bought].SameAs(shot[m.buyList], kMoneyWindow)) << "1000G, then 800G";
    EXPECT_FALSE(shot[m.bought].SameAs(shot[m.buyList], kHeldWindow)) << "0, then 2 held";
    // Selling one: the count in the list and the money change.
    EXPECT_FALSE(shot[m.sold].SameAs(shot[m.sellList], kMoneyWindow));
    EXPECT_FALSE(shot[m.sold].SameAs(shot[m.sellList], {300, 20, 402, 60})) << "the held count of the first row";
    // Left: no shop window over the field.
    EXPECT_TRUE(shot[m.left].SameAs(shot[m.beforeTalk], {0, 0, 640, 200}));
    // The herbalist's list grows with the gossip's flags.
    EXPECT_LT(shot[m.herbsBefore].Brightness(kListRowsThreeToFive) + 3.0,
              shot[m.herbsAfter].Brightness(kListRowsThreeToFive));
    // The guide offers three floors and the last one is another map.
    EXPECT_FALSE(shot[m.floors].SameAs(shot[m.herbsAfter], kFloorRows));
    EXPECT_FALSE(shot[m.arrived].SameAs(shot[m.beforeTalk], {0, 0, 640, 200})) << "on another map";
    EXPECT_GT(shot[m.arrived].Brightness(e2e::kWholeScreen), 40.0);
}

constexpr e2e::Box kGoodsList{72, 28, 370, 76}; // the rings, right of the cursor
constexpr e2e::Box kGoodsRowsThreeToTen{70, 82, 370, 290};
constexpr e2e::Box kDetailWindows{382, 20, 640, 260};
constexpr e2e::Box kTabIcon{390, 28, 418, 56};
constexpr e2e::Box kSecondSellCount{240, 56, 330, 80};

// The shopkeeper's goods: a weapon and a suit on page 0 with their
// comparisons, the rings on page 1 compared for each member in turn, back
// to page 0; a sword bought and a herb sold; then the menu's 装備 offers
// the sword to ピプコ and 道具 shows the counts the shop left.
TEST(ShopRunTest, TwoPagesOfGoodsTheirComparisonsAndTheBoughtSwordInTheMenu)
{
    e2e::GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 16, 3, kFacingUp, [](GameData& data, CCharacter& party) {
        InitPartyNewGame();
        data.SetGameFlag(kWelcomedFlag, 1);
        party.money = 5000;
        data.heldItems[0] = 3;
        data.heldItems[3] = 2; // sells for nothing
    });
    TourScript s{50, ""};
    s.Taps({kKeyConfirm, kKeyConfirm, kKeyConfirm});
    s.frame = 300;
    s.Tap(kKeyConfirm, 60); // the message hands over to the choice
    s.Tap(kKeyDown, 20);
    s.Tap(kKeyConfirm, 30); // 買い物
    s.Tap(kKeyConfirm, 30); // 購入
    s.Tap(kKeyDown, 20);
    s.Tap(kKeyDown, 20); // 剣1
    const int sword = s.Settled();
    for (int row = 0; row < 3; ++row)
        s.Tap(kKeyDown, 20); // 鎧2
    const int suit = s.Settled();
    s.Tap(kKeyRight, 30); // page 1: past the goods, the last ring
    const int ringTab0 = s.Settled();
    s.Tap(kKeySecond, 30);
    const int ringTab1 = s.Settled();
    s.Tap(kKeySecond, 30);
    const int ringTab2 = s.Settled();
    s.Tap(kKeyUp, 20);   // the first ring
    s.Tap(kKeyLeft, 30); // page 0, its first row
    const int pageZero = s.Settled();
    for (int row = 0; row < 3; ++row)
        s.Tap(kKeyDown, 20); // 剣3
    s.Tap(kKeyConfirm, 30);
    s.Tap(kKeyConfirm, 30); // one bought
    const int bought = s.Settled();
    s.Tap(kKeyCancel, 30);
    s.Tap(kKeyDown, 20);
    s.Tap(kKeyConfirm, 30); // 売却
    s.Tap(kKeyDown, 20);    // 薬草, below 毒消し
    const int sellList = s.Settled();
    s.Tap(kKeyConfirm, 30);
    s.Tap(kKeyConfirm, 30); // one sold
    const int sold = s.Settled();
    s.Tap(kKeyCancel, 30);
    s.Tap(kKeyDown, 20);
    s.Tap(kKeyConfirm, 40); // 用はない
    s.Tap(kKeyConfirm, 60); // またどうぞ
    // 装備, ピプコ, 武器.
    s.Tap(kKeyMenu, 30);
    s.Taps({kKeyDown, kKeyDown, kKeyConfirm, kKeyConfirm, kKeyConfirm});
    const int candidates = s.DumpAfterTap();
    // Back to the top and 道具.
    s.Taps({kKeyCancel, kKeyCancel, kKeyCancel, kKeyUp, kKeyUp, kKeyConfirm});
    const int items = s.DumpAfterTap();
    const std::vector<int> frames = {sword,  suit,     ringTab0, ringTab1,   ringTab2, pageZero,
                                     bought, sellList, sold,     candidates, items};
    const auto run = e2e::RunScripted(folder, s.text, e2e::FrameList(frames), items + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    std::map<int, e2e::FrameImage> shot;
    const char* names[] = {"goods_sword",     "goods_suit",       "goods_ring_tab0", "goods_ring_tab1",
                           "goods_ring_tab2", "goods_page0",      "goods_bought",    "goods_sell_list",
                           "goods_sold",      "goods_candidates", "goods_items"};
    for (std::size_t i = 0; i < frames.size(); ++i)
        shot[frames[i]] = e2e::Dump(folder, frames[i], std::string("program_shop_") + names[i]);

    // Each kind of goods brings its own comparison; the rings' follows the member tab.
    EXPECT_FALSE(shot[sword].SameAs(shot[suit], kDetailWindows));
    EXPECT_FALSE(shot[suit].SameAs(shot[ringTab0], kDetailWindows));
    EXPECT_FALSE(shot[ringTab0].SameAs(shot[ringTab1], kTabIcon));
    EXPECT_FALSE(shot[ringTab1].SameAs(shot[ringTab2], kTabIcon));
    EXPECT_TRUE(shot[ringTab0].SameAs(shot[ringTab1], kGoodsList)) << "the tab leaves the list as it is";
    // Page 1 holds two rings, page 0 ten goods; back on page 0 an item has no comparison.
    EXPECT_LT(shot[ringTab0].Brightness(kGoodsRowsThreeToTen) + 3.0, shot[pageZero].Brightness(kGoodsRowsThreeToTen));
    EXPECT_FALSE(shot[pageZero].SameAs(shot[ringTab2], kDetailWindows));
    // The sword's purchase takes its price; the sale gives 20G and leaves two herbs.
    EXPECT_FALSE(shot[bought].SameAs(shot[pageZero], kMoneyWindow));
    EXPECT_FALSE(shot[sold].SameAs(shot[sellList], kMoneyWindow));
    EXPECT_FALSE(shot[sold].SameAs(shot[sellList], kSecondSellCount));
}

} // namespace
