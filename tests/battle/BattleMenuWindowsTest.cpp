// What the battle menu's list, description, target, settings, shortcut and
// escape windows draw: texts, places, colours, bounds and line layout, with
// the sample item table and the party's words; damaged values draw safely.
#include "BattleMenuWindowsFixture.h"
#include "battle/BattleMenuTables.h"
#include "party/PartyWords.h"

namespace battlewindows {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kListOff = 0xFF888888u, kListOffBehind = 0xFF444444u;
constexpr std::uint32_t kOff = 0xFF989898u;
constexpr float kDescriptionZ = 0.0499f;

// The item table row's use-time place counts, rewritten for a case.
void SetPlaceCounts(std::vector<std::uint8_t>& table, int item, int full, int half)
{
    std::uint8_t* info = table.data() + item * ITEM_ROW_SIZE + 52;
    std::uint32_t word = info[0] | info[1] << 8 | info[2] << 16 | static_cast<std::uint32_t>(info[3]) << 24;
    word = (word & ~(0xFFu << 23)) | static_cast<std::uint32_t>(full) << 23 | static_cast<std::uint32_t>(half) << 27;
    for (int i = 0; i < 4; ++i)
        info[i] = static_cast<std::uint8_t>(word >> (8 * i));
}

using ItemDescriptionTest = MenuWindowsTest;

TEST_F(ItemDescriptionTest, ColourWordPrefixIsDrawnAloneAndBlackIsNotAPrefix)
{
    const struct {
        int item;
        std::vector<std::u16string> texts;
        std::uint32_t prefixColour; // 0: no prefix
    } cases[] = {
        {3, {u"毒消し", u"赤", u"い実で毒を治す", u"10秒"}, 0xFFFF0000u},
        {6, {u"聖水", u"白", u"い光で全員の状態異常を治す", u"10秒"}, 0xFFF8F8F8u},
        {4, {u"万能薬", u"黒い瓶の万能の薬"}, 0},
        {1, {u"回復薬", u"HPを全回復する"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        menu().DrawItemDescription(c.item);
        const auto drawn = Take();
        ASSERT_EQ(Texts(drawn), c.texts);
        EXPECT_EQ(drawn[0].x, 147.0f);
        EXPECT_EQ(drawn[0].y, 394.0f);
        for (const DrawnText& d : drawn)
            EXPECT_EQ(d.z, kDescriptionZ);
        const DrawnText& body = drawn[c.prefixColour != 0 ? 2 : 1];
        EXPECT_EQ(body.y, 415.0f);
        EXPECT_EQ(body.colour, kBlack);
        EXPECT_EQ(body.lineAdvance, 21.0f);
        if (c.prefixColour != 0) {
            EXPECT_EQ(drawn[1].x, 128.0f);
            EXPECT_EQ(drawn[1].length, 1);
            EXPECT_EQ(drawn[1].colour, c.prefixColour);
            EXPECT_EQ(body.x, 144.0f);
            EXPECT_EQ(body.widthLimit, 368.0f);
        } else {
            EXPECT_EQ(body.x, 128.0f);
            EXPECT_EQ(body.widthLimit, 384.0f);
        }
    }
    EXPECT_TRUE(error.reports.empty());
}

TEST_F(ItemDescriptionTest, UseTimeStandsAfterTheCountedCharactersOfTheFirstLine)
{
    const struct {
        int full, half;
        float x;
    } places[] = {{0, 0, 144}, {7, 2, 272}, {3, 5, 232}, {15, 15, 504}};
    for (const auto& p : places) {
        SCOPED_TRACE(p.x);
        SetPlaceCounts(items, 0, p.full, p.half); // 薬草: 10 seconds, the number alone in the line
        menu().DrawItemDescription(0);
        const auto drawn = Take();
        ASSERT_EQ(drawn.size(), 3u);
        EXPECT_EQ(drawn[2].text, u"10秒");
        EXPECT_EQ(drawn[2].x, p.x);
        EXPECT_EQ(drawn[2].y, 415.0f);
        EXPECT_EQ(menu().TextPos[BATTLE_TEXT_DURATION].x, p.x);
    }
}

TEST_F(ItemDescriptionTest, AnItemOutsideTheTableDrawsTheEmptyWindow)
{
    for (int item : {-1, ITEM_ROW_COUNT, 30000}) {
        menu().DrawItemDescription(item);
        EXPECT_TRUE(Take().empty()) << item;
    }
}

TEST_F(MenuWindowsTest, MagicSkillAndAilmentDescriptionsFillTheirThreeLines)
{
    menu().DrawMagicDescription(12); // アーストラップ, brown
    auto drawn = Take();
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].text, u"アーストラップ");
    EXPECT_EQ(drawn[1].text, u"茶");
    EXPECT_EQ(drawn[1].colour, 0xFFA05000u);
    EXPECT_EQ(drawn[2].x, 152.0f);
    EXPECT_EQ(drawn[2].text, std::u16string(parts->mapMenu.magicInfoText));
    EXPECT_EQ(drawn[3].text, u"敵の付近に4個攻撃を作成");
    EXPECT_EQ(drawn[3].y, 436.0f);
    EXPECT_EQ(drawn[3].length, 17);

    // Member 2's cost carries the action time; the others' are bare numbers.
    menu().DrawSkillDescription(2, 0);
    drawn = Take();
    EXPECT_EQ(Texts(drawn), (std::vector<std::u16string>{u"祈り", u"SP", u"40　行動時間1.8秒", u"自身のHP+1～100%"}));
    EXPECT_EQ(drawn[2].x, 148.0f);
    EXPECT_EQ(drawn[2].length, 11);
    menu().DrawSkillDescription(0, 1);
    EXPECT_EQ(Texts(Take()), (std::vector<std::u16string>{u"強打", u"SP", u"60", u"威力800%"}));

    // Ailment 0 (毒): 5400 frames are 90 seconds; 秒 after two half-width digits.
    menu().DrawAilmentDescription(0);
    drawn = Take();
    EXPECT_EQ(Texts(drawn), (std::vector<std::u16string>{u"毒", u"効果時間", u"90", u"秒",
                                                         u"5秒毎に最大HPの4%のダメージ　攻撃力-10%"}));
    EXPECT_EQ(drawn[2].x, 192.0f);
    EXPECT_EQ(drawn[3].x, 208.0f);
    EXPECT_EQ(drawn[4].length, 24);

    for (int bad : {-1, 24})
        menu().DrawMagicDescription(bad);
    menu().DrawSkillDescription(3, 0);
    menu().DrawSkillDescription(0, 2);
    menu().DrawAilmentDescription(14);
    EXPECT_TRUE(Take().empty());
}

TEST_F(MenuWindowsTest, TargetWindowColoursRowsByMaskAndCancelStaysBlack)
{
    const std::uint8_t mask[3] = {1, 0, 3};
    menu().DrawTargetWindow(BATTLE_FRAME_MAGIC_TARGET, 0.0495f, mask, BATTLE_TARGET_MEMBERS);
    auto drawn = Take();
    const auto& f = frame(BATTLE_FRAME_MAGIC_TARGET);
    ASSERT_EQ(Texts(drawn),
              (std::vector<std::u16string>{u"使う:", u"ピプコ", u"使う:", u"ピプオ", u"使う:", u"ピプメ", u"やめる"}));
    const std::uint32_t rowColours[3] = {kBlack, 0xFF989898u, 0xFFA04040u};
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(drawn[2 * m].colour, rowColours[m]);
        EXPECT_EQ(drawn[2 * m + 1].colour, rowColours[m]);
        EXPECT_EQ(drawn[2 * m].x, f.left);
        EXPECT_EQ(drawn[2 * m + 1].x, f.left + 40.0f);
        EXPECT_EQ(drawn[2 * m].y, f.top + 18.0f * static_cast<float>(m));
    }
    EXPECT_EQ(drawn[6].y, f.top + 54.0f);
    EXPECT_EQ(drawn[6].colour, kBlack);

    // The two-row window reads the first mask value; one the checks never write is grey.
    menu().DrawTargetWindow(BATTLE_FRAME_ITEM_TARGET, 0.0495f, mask, BATTLE_TARGET_USE);
    drawn = Take();
    ASSERT_EQ(Texts(drawn), (std::vector<std::u16string>{u"使う", u"やめる"}));
    EXPECT_EQ(drawn[0].colour, kBlack);
    EXPECT_EQ(drawn[1].y, frame(BATTLE_FRAME_ITEM_TARGET).top + 18.0f);
    const std::uint8_t green[3] = {2, 0, 0}, damaged[3] = {7, 1, 1};
    menu().DrawTargetWindow(BATTLE_FRAME_ITEM_TARGET, 0.0495f, green, BATTLE_TARGET_USE);
    drawn = Take();
    ASSERT_EQ(Texts(drawn), (std::vector<std::u16string>{u"使う", u"やめる"}));
    EXPECT_EQ(drawn[0].colour, 0xFF10A810u);
    EXPECT_EQ(drawn[1].colour, kBlack);
    menu().DrawTargetWindow(BATTLE_FRAME_ITEM_TARGET, 0.0495f, damaged, BATTLE_TARGET_USE);
    EXPECT_EQ(Take()[0].colour, 0xFF989898u);
}

TEST_F(MenuWindowsTest, ListsShowTheVisiblePageAndGreyMagicByUseFlag)
{
    SetBattleItems({0, 3, 4});
    menu().ListPage = 0;
    menu().ListPageCount = 1;
    menu().ListRows = 3;
    menu().BattleMenuState = BATTLE_MENU_ITEMS;
    menu().CountTextLength = 0;
    menu().DrawItemListWindow();
    auto drawn = Take();
    EXPECT_EQ(Texts(drawn), (std::vector<std::u16string>{u"薬草", u"毒消し", u"万能薬"}));
    EXPECT_EQ(drawn[1].y, frame(BATTLE_FRAME_ITEM_LAST).top + 18.0f);

    // A second page: the full frame and the page text, never on a single page.
    SetBattleItems({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    menu().ListPage = 1;
    menu().ListPageCount = 2;
    menu().ListRows = 2;
    menu().BuildListPageText(menu().PageText, 1, 2);
    menu().DrawItemListWindow();
    drawn = Take();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].text, u"道具10");
    EXPECT_EQ(drawn[2].text, u"2  /  2");
    EXPECT_EQ(drawn[2].x, menu().TextPos[BATTLE_TEXT_ITEM_PAGE_LAST].x);

    SetMagicList({0, 16, 21});
    party().autoMagicAllowed[16] = 1;
    menu().ListPage = 0;
    menu().ListPageCount = 1;
    menu().ListRows = 3;
    for (const auto& [state, off] :
         {std::pair{BATTLE_MENU_MAGIC, kListOff}, {BATTLE_MENU_MAGIC_TARGET, kListOffBehind}}) {
        menu().BattleMenuState = state;
        menu().DrawMagicListWindow();
        drawn = Take();
        ASSERT_EQ(Texts(drawn), (std::vector<std::u16string>{u"スリーファイア", u"ヒール", u"ルアーボイス"}));
        EXPECT_EQ(drawn[0].colour, off);
        EXPECT_EQ(drawn[1].colour, kBlack);
        EXPECT_EQ(drawn[2].colour, off);
    }
}

TEST_F(MenuWindowsTest, DamagedListEntriesDrawNoRow)
{
    // An item id past the table, a magic id past 23, rows beyond the list's count.
    SetBattleItems({0, 200});
    menu().ListPage = 0;
    menu().ListPageCount = 1;
    menu().ListRows = 10;
    menu().DrawItemListWindow();
    EXPECT_EQ(Texts(Take()), (std::vector<std::u16string>{u"薬草"}));
    SetMagicList({40, 1, -3});
    menu().DrawMagicListWindow();
    EXPECT_EQ(Texts(Take()), (std::vector<std::u16string>{u"フロントファイア"}));
    menu().ListPage = 9;
    menu().DrawMagicListWindow();
    EXPECT_TRUE(Take().empty());
    EXPECT_TRUE(error.reports.empty());
}

TEST_F(MenuWindowsTest, SkillWindowsGreyDisallowedSkills)
{
    menu().SkillMember = 1;
    party().memberOptions[1][1] = 1; // 毒矢 allowed, 吸収矢 not
    for (const auto& [state, off] :
         {std::pair{BATTLE_MENU_SKILLS, kListOff}, {BATTLE_MENU_SKILL_TARGET, kListOffBehind}}) {
        menu().BattleMenuState = state;
        menu().DrawSkillListWindow();
        const auto drawn = Take();
        ASSERT_EQ(Texts(drawn), (std::vector<std::u16string>{u"毒矢", u"吸収矢"}));
        EXPECT_EQ(drawn[0].colour, kBlack);
        EXPECT_EQ(drawn[1].colour, off);
        EXPECT_EQ(drawn[0].length, 5);
    }
    menu().DrawSkillMemberWindow();
    EXPECT_EQ(Texts(Take()), (std::vector<std::u16string>{u"ピプコ", u"ピプオ", u"ピプメ"}));
    menu().DrawShortcutSkillList();
    const auto drawn = Take();
    EXPECT_EQ(Texts(drawn), (std::vector<std::u16string>{u"祈り", u"青い盾"}));
    EXPECT_EQ(drawn[0].x, 111.0f);
    EXPECT_EQ(drawn[1].y, 107.0f);
}

// --- Settings ---

class SettingHelpTest : public MenuWindowsTest {
protected:
    std::vector<DrawnText> HelpOfRow(int row)
    {
        menu().SettingIndex = row;
        menu().DrawSettingHelp();
        return Take();
    }
};

TEST_F(SettingHelpTest, EachRowShowsItsHelpAndCurrentValue)
{
    LeaderField::Set(party().partyWordC, 1);
    MagicOff::Set(party().partyWordC, 1);
    HpThresholdA::Set(party().partyWordC, 4);
    HpThresholdB::Set(party().partyWordC, 9);
    HpThresholdIndex::Set(party().partyWordD, 0);
    KeepActionsOption::Set(party().partyWordD, 1);
    HealLeaderFirst::Set(party().partyWordC, 1);
    IgnoreStockCheck::Set(party().partyWordC, 0);
    const struct {
        int row;
        const char16_t* help;
        const char16_t* value; // null: no current line
        float valueY;
    } rows[] = {
        {0, u"ショートカットボタン", nullptr, 0},
        {1, u"操作するキャラクター", u"ピプオ", 430},
        {2, u"AIが魔法を使用するか", u"使用しない", 430},
        {3, u"AIがHP回復魔法を使用するHP%", u"49%", 412},
        {4, u"AIが祈りを使用するHP%", u" 9%", 412},
        {5, u"AIが全体HP回復魔法を使用するHP%(対象2名以上)", u"99%", 412},
        {6, u"AIが状態異常回復魔法を使用する状態異常", nullptr, 0},
        {7, u"AIが行動できない、する必要がない状態になった時\n行動を中断するか", u"中断しない", 430},
        {8, u"ショートカットによる道具使用を\n操作キャラクター優先にするか", u"優先する", 430},
        {9, u"使用する色が足りない場合でも\nショートカットによる詠唱を開始するか", u"詠唱しない", 430},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        const auto drawn = HelpOfRow(r.row);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn[0].text, r.help);
        EXPECT_EQ(drawn[0].x, 128.0f);
        EXPECT_EQ(drawn[0].y, 394.0f);
        EXPECT_EQ(drawn[0].lineAdvance, 18.0f);
        EXPECT_EQ(drawn[0].length, 33);
        const DrawnText* current = Find(drawn, u"現在の設定:");
        if (r.value == nullptr) {
            EXPECT_EQ(current, nullptr);
            EXPECT_EQ(drawn.size(), 1u);
            continue;
        }
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->x, 128.0f);
        EXPECT_EQ(current->y, r.valueY);
        EXPECT_EQ(drawn.back().text, r.value);
        EXPECT_EQ(drawn.back().x, 224.0f);
        EXPECT_EQ(drawn.back().y, r.valueY);
        for (const DrawnText& d : drawn)
            EXPECT_EQ(d.colour, kBlack);
    }
}

TEST_F(SettingHelpTest, ButtonLabelsMoveThePenByDigitsAndKeyNameWidths)
{
    // Controlled member: button 3 with a five-letter half-width name.
    auto drawn = HelpOfRow(1);
    const std::vector<std::pair<std::u16string, float>> leader = {
        {u"ボタン", 128}, {u"3", 176}, {u"(", 184}, {u"Space", 192}, {u")", 232}};
    ASSERT_GE(drawn.size(), leader.size() + 1);
    for (std::size_t i = 0; i < leader.size(); ++i) {
        EXPECT_EQ(drawn[1 + i].text, leader[i].first) << i;
        EXPECT_EQ(drawn[1 + i].x, leader[i].second) << i;
        EXPECT_EQ(drawn[1 + i].y, 412.0f) << i;
    }
    // AI magic: buttons 1 and 10 joined by a plus; 10 has two digits and a full-width name.
    drawn = HelpOfRow(2);
    const std::vector<std::pair<std::u16string, float>> aiMagic = {
        {u"ボタン", 128}, {u"1", 176},  {u"(", 184}, {u"Z", 192},        {u")", 200}, {u"+", 212},
        {u"ボタン", 224}, {u"10", 272}, {u"(", 288}, {u"左シフト", 296}, {u")", 360}};
    ASSERT_GE(drawn.size(), aiMagic.size() + 1);
    for (std::size_t i = 0; i < aiMagic.size(); ++i) {
        EXPECT_EQ(drawn[1 + i].text, aiMagic[i].first) << i;
        EXPECT_EQ(drawn[1 + i].x, aiMagic[i].second) << i;
    }
}

TEST_F(SettingHelpTest, DamagedLeaderAndThresholdsShowTheLastValue)
{
    LeaderField::Set(party().partyWordC, 3);
    EXPECT_EQ(HelpOfRow(1).back().text, u"ピプメ");
    HpThresholdA::Set(party().partyWordC, 15);
    HpThresholdIndex::Set(party().partyWordD, 12);
    HpThresholdB::Set(party().partyWordC, 10);
    for (int row : {3, 4, 5})
        EXPECT_EQ(HelpOfRow(row).back().text, u"99%") << row;
    // A settings cursor past the list draws the empty window.
    EXPECT_TRUE(HelpOfRow(10).empty());
    EXPECT_TRUE(HelpOfRow(-1).empty());
}

TEST_F(MenuWindowsTest, SettingListAndOptionWindowsListTheirRows)
{
    menu().SettingRows = 10;
    menu().SettingPage = 0;
    menu().DrawSettingListWindow();
    auto drawn = Take();
    ASSERT_EQ(drawn.size(), 10u);
    EXPECT_EQ(drawn[0].text, u"ショートカット");
    EXPECT_EQ(drawn[2].text, u"AIの魔法使用");
    EXPECT_EQ(drawn[9].text, u"詠唱判定");
    EXPECT_EQ(drawn[9].y, frame(BATTLE_FRAME_SETTINGS).top + 162.0f);
    EXPECT_EQ(drawn[0].length, 8);

    const struct {
        void (CBattleMenu::*draw)();
        int frame;
        std::vector<std::u16string> rows;
    } windows[] = {
        {&CBattleMenu::DrawLeaderChoiceWindow, BATTLE_FRAME_LEADER, {u"ピプコ", u"ピプオ", u"ピプメ"}},
        {&CBattleMenu::DrawAiMagicChoiceWindow, BATTLE_FRAME_AI_MAGIC, {u"使用する", u"使用しない"}},
        {&CBattleMenu::DrawPercentChoiceWindow,
         BATTLE_FRAME_PERCENT,
         {u" 9%", u"19%", u"29%", u"39%", u"49%", u"59%", u"69%", u"79%", u"89%", u"99%"}},
        {&CBattleMenu::DrawInterruptChoiceWindow, BATTLE_FRAME_INTERRUPT, {u"中断する", u"中断しない"}},
        {&CBattleMenu::DrawItemPriorityChoiceWindow, BATTLE_FRAME_ITEM_PRIORITY, {u"優先する", u"優先しない"}},
        {&CBattleMenu::DrawChantCheckChoiceWindow, BATTLE_FRAME_CHANT_CHECK, {u"詠唱する", u"詠唱しない"}},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.frame);
        (menu().*w.draw)();
        drawn = Take();
        ASSERT_EQ(Texts(drawn), w.rows);
        EXPECT_EQ(drawn.back().x, frame(w.frame).left);
        EXPECT_EQ(drawn.back().y, frame(w.frame).top + 18.0f * static_cast<float>(w.rows.size() - 1));
        EXPECT_EQ(drawn.back().z, 0.0495f);
    }
}

TEST_F(MenuWindowsTest, AilmentGridIsSevenRowsOfTwoGreyedByTheCureMask)
{
    party().curableMask = 1u << 5 | 1u << 18;
    menu().DrawAilmentToggleWindow();
    const auto drawn = Take();
    ASSERT_EQ(Texts(drawn),
              (std::vector<std::u16string>{u"毒", u"技封", u"魔封", u"混乱", u"鈍足", u"足封", u"滑り", u"衰弱",
                                           u"能低", u"貫通", u"停止", u"脆弱", u"呪い", u"標的"}));
    const auto& f = frame(BATTLE_FRAME_AILMENTS);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[i].x, f.left + (i % 2 == 0 ? 0.0f : 56.0f));
        EXPECT_EQ(drawn[i].y, f.top + 18.0f * static_cast<float>(i / 2));
        EXPECT_EQ(drawn[i].colour, i == 0 || i == 13 ? kBlack : kListOff);
    }
}

TEST_F(MenuWindowsTest, EscapeWindowGreysRunAwayWhenNoMemberCanAct)
{
    for (const bool canEscape : {true, false}) {
        menu().flags = canEscape ? CBattleMenu::kCanEscape : 0u;
        menu().DrawEscapeWindow();
        const auto drawn = Take();
        ASSERT_EQ(Texts(drawn), (std::vector<std::u16string>{u"逃げる", u"やめる"}));
        EXPECT_EQ(drawn[0].colour, canEscape ? kBlack : kOff);
        EXPECT_EQ(drawn[1].colour, kBlack);
        EXPECT_EQ(drawn[0].x, 42.0f);
        EXPECT_EQ(drawn[1].y, 179.0f);
    }
}

// --- Shortcuts ---

class ShortcutTest : public MenuWindowsTest {
protected:
    CBattleBackground panel;
    // Row r of the window is slot (r + 2) mod 6 of page (r + 2) / 6.
    QuickSlot& SlotOfRow(int row) { return party().quickSlots[(row + 2) / 6][(row + 2) % 6]; }
    // The colour of the icon drawn last (the cursor quad's vertices).
    std::uint32_t LastIconColour() const
    {
        for (auto it = device.draws.rbegin(); it != device.draws.rend(); ++it)
            if (it->stride == sizeof(TexturedVertex))
                return it->vertex[0].colour;
        return 0;
    }
    std::size_t IconDraws() const
    {
        std::size_t n = 0;
        for (const auto& d : device.draws)
            n += d.stride == sizeof(TexturedVertex) ? 1 : 0;
        return n;
    }
};

TEST_F(ShortcutTest, SlotRowsShowTheirEntryOrNone)
{
    SlotOfRow(0) = {1, 18}; // ヒーリングミスト
    SlotOfRow(1) = {2, 3};  // 毒消し
    SlotOfRow(2) = {4, 2};  // 青い盾
    SlotOfRow(3) = {3, 5};  // shown like an empty slot
    SlotOfRow(4) = {7, 1};  // an unknown kind
    SlotOfRow(5) = {1, 24}; // magic past the table
    SlotOfRow(6) = {2, 70}; // item past the table
    SlotOfRow(7) = {4, 3};  // no third skill
    SlotOfRow(8) = {4, 0};
    SlotOfRow(9) = {2, 0}; // 薬草
    menu().BattleMenuState = BATTLE_MENU_SHORTCUT_SLOTS;
    menu().DrawShortcutSlotWindow();
    const auto drawn = Take();
    ASSERT_EQ(drawn.size(), 30u);
    const std::u16string entries[10] = {
        u"ヒーリングミスト", u"毒消し", u"青い盾", u"なし", u"なし", u"なし", u"なし", u"なし", u"なし", u"薬草"};
    const auto& f = frame(BATTLE_FRAME_SHORTCUT_SLOTS);
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(row);
        const float y = f.top + 18.0f * static_cast<float>(row);
        EXPECT_EQ(drawn[3 * row].text, u"ショートカット");
        EXPECT_EQ(drawn[3 * row].x, f.left);
        // A one-digit and a two-digit number start at the same x; so do the entries.
        EXPECT_EQ(drawn[3 * row + 1].text, row < 9 ? std::u16string(1, static_cast<char16_t>(u'1' + row)) : u"10");
        EXPECT_EQ(drawn[3 * row + 1].x, f.left + 112.0f);
        EXPECT_EQ(drawn[3 * row + 2].text, entries[row]);
        EXPECT_EQ(drawn[3 * row + 2].x, f.left + 155.0f);
        EXPECT_EQ(drawn[3 * row + 2].y, y);
    }
    // Icons only for the four real entries, lit while the slot window is active.
    EXPECT_EQ(IconDraws(), 4u);
    EXPECT_EQ(LastIconColour(), 0xFFFFFFFFu);
}

TEST_F(ShortcutTest, IconsDimBehindTheActionWindowWhileNamesStayBlack)
{
    SlotOfRow(0) = {1, 0};
    menu().BattleMenuState = BATTLE_MENU_SHORTCUT_ACTION;
    menu().DrawShortcutSlotWindow();
    const auto drawn = Take();
    EXPECT_EQ(LastIconColour(), 0xFF808080u);
    EXPECT_EQ(drawn[2].text, u"スリーファイア");
    EXPECT_EQ(drawn[2].colour, kBlack);
}

TEST_F(ShortcutTest, DescriptionEndsWithTheButtonsOfTheRow)
{
    SlotOfRow(0) = {3, 1};
    SlotOfRow(4) = {2, 4};
    SlotOfRow(9) = {1, 16};
    const struct {
        int row;
        std::size_t labelAt; // index of the first label text
        float y;
        std::vector<std::u16string> buttons;
    } cases[] = {
        {0, 0, 394, {u"ボタン", u"6", u"(", u"D", u")"}},
        {4, 2, 436, {u"ボタン", u"4", u"(", u"A", u")", u"+", u"ボタン", u"10", u"(", u"左シフト", u")"}},
        {9, 4, 457, {u"ボタン", u"9", u"(", u"E", u")", u"+", u"ボタン", u"10", u"(", u"左シフト", u")"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        menu().ShortcutSlot = static_cast<std::int8_t>(c.row);
        menu().DrawShortcutDescription();
        const auto drawn = Take();
        ASSERT_EQ(drawn.size(), c.labelAt + c.buttons.size());
        for (std::size_t i = 0; i < c.buttons.size(); ++i) {
            EXPECT_EQ(drawn[c.labelAt + i].text, c.buttons[i]) << i;
            EXPECT_EQ(drawn[c.labelAt + i].y, c.y) << i;
        }
        EXPECT_EQ(drawn[c.labelAt].x, 128.0f);
    }
}

TEST_F(ShortcutTest, ActionWindowGreysItemsWithoutBattleItems)
{
    for (const auto& [held, state, colour] : {std::tuple{true, BATTLE_MENU_SHORTCUT_ACTION, kBlack},
                                              {false, BATTLE_MENU_SHORTCUT_ACTION, kOff},
                                              {false, BATTLE_MENU_SHORTCUT_ITEM, 0xFF4C4C4Cu}}) {
        SetBattleItems({});
        if (held)
            SetBattleItems({0});
        menu().BattleMenuState = state;
        menu().DrawShortcutActionWindow();
        const auto drawn = Take();
        ASSERT_EQ(Texts(drawn),
                  (std::vector<std::u16string>{u"道具", u"魔法", u"特技", u":", u"ピプメ", u"設定しない"}));
        EXPECT_EQ(drawn[0].colour, colour);
        const auto& f = frame(BATTLE_FRAME_SHORTCUT_ACTION);
        EXPECT_EQ(drawn[3].x, f.left + 32.0f);
        EXPECT_EQ(drawn[4].x, f.left + 40.0f);
        EXPECT_EQ(drawn[5].y, f.top + 54.0f);
    }
}

TEST_F(ShortcutTest, AFailedTextEndsItsWindowAndIsReported)
{
    text.failFrom = 1;
    menu().DrawShortcutSlotWindow();
    EXPECT_EQ(Take().size(), 1u);
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].file, "BattleMenu");
    EXPECT_EQ(error.reports[0].code, 10);
}

TEST_F(ShortcutTest, AFailedTextInOneWindowLeavesTheOtherWindowsOfTheFrame)
{
    TheBattleBackground = &panel;
    menu().BattleMenuState = BATTLE_MENU_SHORTCUT_ACTION;
    menu().SettingRows = 10;
    SetBattleItems({0});
    // Count the texts before the slot window, then fail its second row's number.
    menu().DrawBattleMenu();
    const auto whole = Take();
    const DrawnText* firstRow = Find(whole, u"ショートカット", 1); // the settings list's is the first
    ASSERT_NE(firstRow, nullptr);
    text.calls = 0;
    text.failAt = static_cast<int>(firstRow - whole.data()) + 4;
    menu().DrawBattleMenu();
    const auto drawn = Take();
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].code, 10);
    EXPECT_EQ(Find(drawn, u"2"), nullptr) << "the slot window stops at its failed text";
    EXPECT_NE(Find(drawn, u"設定しない"), nullptr) << "the action window after it is drawn";
}

} // namespace
} // namespace battlewindows
