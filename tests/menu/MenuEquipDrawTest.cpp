// What the equipment and skill pages draw: the description band of a piece
// (bonuses, colours, abilities wrapped at the band's edge, weapon effects),
// the stat texts it keeps between frames, the comparison windows, the
// candidate list and the skill page.
#include <functional>

#include "MenuEquipFixture.h"

namespace menutest {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kFalls = 0xFFA8A8FFu;
constexpr std::uint32_t kRises = 0xFFFF8080u;
constexpr std::uint32_t kWorn = 0xFF7FFF7Fu;
constexpr float kLeft = 56.0f;
constexpr float kLine2 = 382.0f, kLine3 = 414.0f, kLine4 = 446.0f;

class EquipDrawTest : public EquipTest {
protected:
    void SetUp() override
    {
        EquipTest::SetUp();
        // The base stats under the figures: member 0 with a sword of 10, member 2 with a staff of 10.
        BaseStats(0, {10, 10, 15, 12});
        BaseStats(2, {8, 30, 9, 30});
        Figures(0, {20, 10, 15, 12}, 30, 100, {3, 3, 3, 3});
        Figures(2, {8, 40, 9, 30}, 60, 90, {3, 3, 3, 3});
    }
    static bool Has(const std::vector<DrawnText>& drawn, const std::u16string& what)
    {
        return FindText(drawn, what) != nullptr;
    }
    // The origin of a comparison window's texts.
    float X(int window) { return rect(window).left + 10.0f; }
    float Y(int window, int row) { return rect(window).top + 10.0f + 26.0f * static_cast<float>(row); }
};

TEST_F(EquipDrawTest, FormatSignedNumber)
{
    const struct {
        int value;
        const char16_t* text;
    } cases[] = {{-1, u"-1"}, {9, u"+9"}, {10, u"+10"}, {32767, u"+32767"}, {-32768, u"-32768"}, {0, u"+0"}};
    for (const auto& c : cases) {
        char16_t out[8] = {u'#', u'#', u'#', u'#', u'#', u'#', u'#', u'#'};
        const int length = CMapMenu::FormatSignedNumber(static_cast<std::int16_t>(c.value), out);
        EXPECT_EQ(std::u16string(out, length), c.text);
        EXPECT_EQ(out[length], u'#') << "no terminator";
    }
}

TEST_F(EquipDrawTest, ArmourDescriptions)
{
    Guard(3, 1, u"無地の服", {});
    Guard(3, 2, u"毒除けの服", {{}, 0, {}, 1u});
    Guard(6, 3, u"指輪", {{0, 0, 4, 0}, -2, {0, -1, 0, 2}});
    // Four stats fill the second line, 体力 wraps to the third, the abilities
    // take the fourth; the third ability would start below it.
    Guard(3, 4, u"重鎧", {{1234, 1234, 1234, 1234}, 15, {}, 1u << 28 | 1u << 20 | 1u << 21 | 1u << 22});

    const auto plain = Drawn([&] { menu().DrawArmorDescription(3, 1); });
    ASSERT_EQ(plain.size(), 1u) << "a piece with nothing: its name alone";
    EXPECT_EQ(plain[0].text, u"無地の服");
    EXPECT_EQ(plain[0].x, 82.0f);
    EXPECT_EQ(plain[0].y, 350.0f);

    const auto ability = Drawn([&] { menu().DrawArmorDescription(3, 2); });
    ASSERT_EQ(ability.size(), 2u);
    EXPECT_EQ(ability[1].text, u"毒無効");
    EXPECT_EQ(ability[1].x, kLeft) << "abilities from the second line";
    EXPECT_EQ(ability[1].y, kLine2);

    const auto ring = Drawn([&] { menu().DrawArmorDescription(6, 3); });
    const std::u16string texts[] = {u"指輪", u"防御", u"+4", u"体力", u"-10", u"青", u"-1", u"茶", u"+2"};
    ASSERT_EQ(ring.size(), std::size(texts));
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(ring[i].text, texts[i]);
    EXPECT_EQ(ring[5].colour, 0xFF0078FFu) << "the colour mark in its colour";
    EXPECT_EQ(ring[6].colour, kWhite);
    EXPECT_EQ(ring[4].x, kLeft + 44.0f + 24.0f + 22.0f + 44.0f);

    const auto heavy = Drawn([&] { menu().DrawArmorDescription(3, 4); });
    const DrawnText* stamina = FindText(heavy, u"体力");
    ASSERT_NE(stamina, nullptr);
    EXPECT_EQ(stamina->x, kLeft) << "体力 does not fit after four stats";
    EXPECT_EQ(stamina->y, kLine3);
    const DrawnText* first = FindText(heavy, u"状態異常無効 80%");
    const DrawnText* second = FindText(heavy, u"戦闘開始時、ランダム状態異常");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->x, kLeft) << "bit 28 first, on a line of its own";
    EXPECT_EQ(first->y, kLine4);
    EXPECT_EQ(second->x, kLeft + 180.0f + 22.0f);
    EXPECT_EQ(second->y, kLine4);
    EXPECT_FALSE(Has(heavy, u"戦闘開始時、ランダム上昇効果")) << "it would start at y 478";
    EXPECT_FALSE(Has(heavy, u"戦闘開始時、速度上昇状態")) << "and nothing after it";
}

TEST_F(EquipDrawTest, WeaponDescriptionsAndTheirEffects)
{
    Weapon(0, 1, u"赤青の剣", 10, 0, 0, 30);
    Weapon(0, 2, u"青の剣", 10, 0, 0, 27);
    Weapon(0, 3, u"ただの剣", 10, 3, -2, 0);
    Weapon(0, 4, u"鈍の剣", 0, 0, 0, 5);
    Weapon(0, 5, u"謎の剣", 10, 0, 0, 40);
    Weapon(2, 1, u"杖", 25);

    const auto both = Drawn([&] { menu().DrawWeaponDescription(0, 1); });
    const std::u16string bothTexts[] = {u"赤青の剣", u"攻撃", u"+10", u"赤", u"青", u"魔法の攻撃力+10%"};
    ASSERT_EQ(both.size(), std::size(bothTexts));
    for (size_t i = 0; i < std::size(bothTexts); ++i)
        EXPECT_EQ(both[i].text, bothTexts[i]);
    EXPECT_EQ(both[3].x, kLeft) << "the effect starts the next line";
    EXPECT_EQ(both[3].y, kLine3);
    EXPECT_EQ(both[3].colour, 0xFFFF0000u);
    EXPECT_EQ(both[4].x, kLeft + 22.0f);
    EXPECT_EQ(both[5].x, kLeft + 44.0f);
    EXPECT_EQ(both[5].colour, kWhite);

    const auto blue = Drawn([&] { menu().DrawWeaponDescription(0, 2); });
    ASSERT_EQ(blue.size(), 5u);
    EXPECT_EQ(blue[3].text, u"青");
    EXPECT_EQ(blue[4].text, u"魔法の攻撃力+20%");

    const auto plain = Drawn([&] { menu().DrawWeaponDescription(0, 3); });
    const std::u16string plainTexts[] = {u"ただの剣", u"攻撃", u"+10", u"SP", u"+3", u"体力", u"-10"};
    ASSERT_EQ(plain.size(), std::size(plainTexts)) << "effect 0: the stats alone";
    for (size_t i = 0; i < std::size(plainTexts); ++i)
        EXPECT_EQ(plain[i].text, plainTexts[i]);
    EXPECT_EQ(plain[3].x, kLeft + 44.0f + 36.0f + 22.0f);
    EXPECT_EQ(plain[5].x, plain[3].x + 24.0f + 24.0f + 22.0f);

    const auto slow = Drawn([&] { menu().DrawWeaponDescription(0, 4); });
    ASSERT_EQ(slow.size(), 2u);
    EXPECT_EQ(slow[1].text, u"鈍足追加 3%");
    EXPECT_EQ(slow[1].y, kLine2) << "no stats: the effect on the second line";

    const auto unknown = Drawn([&] { menu().DrawWeaponDescription(0, 5); });
    EXPECT_EQ(unknown.size(), 3u) << "an effect past the table has no text";

    const auto staff = Drawn([&] { menu().DrawWeaponDescription(2, 1); });
    ASSERT_EQ(staff.size(), 3u);
    EXPECT_EQ(staff[1].text, u"魔攻") << "the third member's weapons add magic";
}

TEST_F(EquipDrawTest, StatTextsAreBuiltOncePerPiece)
{
    Guard(3, 1, u"鎧", {{0, 0, 2, 0}});
    Guard(4, 1, u"服", {{0, 0, 0, 7}});
    auto defence = [&] {
        const EquipStatTexts& t = menu().equipStatTexts;
        return std::u16string(t.statText[2], t.statLength[2]);
    };
    menu().UpdateEquipStatTexts(3, 1);
    EXPECT_EQ(defence(), u"+2");
    Guard(3, 1, u"鎧", {{0, 0, 9, 0}});
    menu().UpdateEquipStatTexts(3, 1);
    EXPECT_EQ(defence(), u"+2") << "the same piece again: kept";
    menu().UpdateEquipStatTexts(4, 1);
    EXPECT_EQ(defence(), u"") << "the same id of another member's armour: rebuilt";
    EXPECT_EQ(menu().equipStatTexts.statLength[3], 2);
    menu().UpdateEquipStatTexts(3, 1);
    EXPECT_EQ(defence(), u"+9");

    // Ids past a category's own table build nothing.
    const struct {
        int category, id;
        bool built;
    } bounds[] = {{0, 34, true}, {0, 35, false}, {3, 33, true}, {3, 34, false},
                  {6, 82, true}, {6, 83, false}, {0, -1, false}};
    for (const auto& b : bounds) {
        SCOPED_TRACE(b.category * 100 + b.id);
        Weapon(0, 34, u"剣", 5);
        Guard(3, 33, u"鎧", {{0, 0, 5, 0}});
        Guard(6, 82, u"輪", {{0, 0, 5, 0}});
        menu().BuildEquipStatTexts(b.category, b.id);
        const EquipStatTexts& t = menu().equipStatTexts;
        EXPECT_EQ(t.statLength[0] + t.statLength[2] > 0, b.built);
    }
}

TEST_F(EquipDrawTest, WeaponComparisons)
{
    Weapon(0, 0, u"剣", 10, 30);
    Weapon(2, 0, u"杖", 10, 60, -2);
    Weapon(2, 1, u"杖", 30, 62, -2);
    parts->party.equipment[EQUIP_WEAPON][0] = 0;
    parts->party.equipment[EQUIP_WEAPON][2] = 0;

    menu().ComputeEquipPreview(0, EQUIP_WEAPON, 0);
    const auto same = Drawn([&] { menu().DrawWeaponComparison(13, 0, 0, false); });
    ASSERT_EQ(same.size(), 10u);
    for (const auto& d : same)
        EXPECT_EQ(d.colour, kWhite) << "nothing changes: all white";
    EXPECT_EQ(same[0].text, u"攻撃");
    EXPECT_EQ(same[3].text, u"20");
    EXPECT_EQ(same[3].x, X(13) + 56.0f + 24.0f) << "right-aligned in four cells";
    EXPECT_EQ(same[7].text, u"20");
    EXPECT_EQ(same[7].x, X(13) + 150.0f + 24.0f);

    menu().ComputeEquipPreview(2, EQUIP_WEAPON, 1);
    const auto staff = Drawn([&] { menu().DrawWeaponComparison(13, 2, 1, false); });
    ASSERT_EQ(staff.size(), 10u);
    EXPECT_EQ(staff[0].text, u"魔攻");
    EXPECT_EQ(staff[3].text, u"40");
    EXPECT_EQ(staff[7].text, u"60");
    EXPECT_EQ(staff[7].colour, kRises);
    EXPECT_EQ(staff[8].text, u"62");
    EXPECT_EQ(staff[9].colour, kWhite) << "体力 stays";

    // Mode 8 on the weapon slot: the current figures on both sides.
    menu().memberCursor = 0;
    menu().slotKind = EQUIP_WEAPON;
    menu().ComputeEquipPreview(0, EQUIP_WEAPON, -1);
    const auto none = Drawn([&] { menu().DrawNoCandidateWindow(); });
    ASSERT_EQ(none.size(), 11u);
    EXPECT_EQ(none[0].text, u"変更しない");
    const std::u16string figures[] = {u"20", u"30", u"100"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(none[4 + row].text, figures[row]);
        EXPECT_EQ(none[8 + row].text, figures[row]);
        EXPECT_EQ(none[8 + row].x, none[4 + row].x + 94.0f);
        EXPECT_EQ(none[8 + row].colour, kWhite);
    }
    menu().slotKind = EQUIP_ARMOR;
    EXPECT_EQ(Drawn([&] { menu().DrawNoCandidateWindow(); }).size(), 1u) << "armour: the window alone";
}

TEST_F(EquipDrawTest, ArmourComparisons)
{
    Guard(3, 1, u"鎧", {{0, 0, 2, 0}, 0, {1, -1, 0, 0}});
    Guard(5, 1, u"衣", {{0, 0, 2, 0}});
    Guard(6, 1, u"輪", {{0, 0, 2, 0}});
    const struct {
        const char* what;
        int member, kind, window;
        std::vector<std::u16string> stats;
    } cases[] = {
        {"armour of member 0", 0, EQUIP_ARMOR, 14, {u"攻撃", u"防御", u"魔防"}},
        {"armour of member 2", 2, EQUIP_ARMOR, 14, {u"魔攻", u"防御", u"魔防"}},
        {"an accessory", 0, EQUIP_ACCESSORY, 15, {u"攻撃", u"魔攻", u"防御", u"魔防"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        menu().ComputeEquipPreview(c.member, c.kind, 1);
        const auto drawn = Drawn([&] { menu().DrawArmorComparison(c.window, c.member, c.kind, 1); });
        std::vector<std::u16string> labels;
        for (const auto& d : drawn)
            if (d.x == X(c.window) && d.colour == kWhite && d.text != u"体力")
                labels.push_back(d.text);
        EXPECT_EQ(labels, c.stats);
        const int rows = static_cast<int>(c.stats.size()) + 5;
        const DrawnText* arrows = FindText(drawn, std::u16string(u"→\n→\n→\n→\n→\n→\n→\n→\n→").substr(0, 2 * rows - 1));
        EXPECT_NE(arrows, nullptr);
        const DrawnText* brown = FindText(drawn, u"茶");
        ASSERT_NE(brown, nullptr);
        EXPECT_EQ(brown->y, Y(c.window, rows - 1)) << "the colours are the last four rows";
    }

    // Member 0's armour lowers red from 3 to 2 and raises blue from 3 to 4.
    menu().ComputeEquipPreview(0, EQUIP_ARMOR, 1);
    const auto drawn = Drawn([&] { menu().DrawArmorComparison(14, 0, EQUIP_ARMOR, 1); });
    const float newColumn = X(14) + 150.0f;
    const DrawnText* red = FindText(drawn, u"75");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->colour, kRises);
    EXPECT_EQ(red->x, newColumn + 12.0f) << "with its sign it fills the four cells";
    EXPECT_EQ(red->y, Y(14, 4));
    const DrawnText* blue = FindText(drawn, u"150");
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->colour, kFalls);
    EXPECT_EQ(blue->x, newColumn);
    const DrawnText* percent = FindText(drawn, u"%\n%\n%\n%", 1);
    ASSERT_NE(percent, nullptr);
    EXPECT_EQ(percent->x, X(14) + 186.0f);
    EXPECT_EQ(percent->lineAdvance, 26.0f);

    // A colour level outside 0-7 is shown as the nearest level.
    parts->party.elementLevel[0][3] = 9;
    const auto clamped = Drawn([&] { menu().DrawArmorComparison(14, 0, EQUIP_ARMOR, 1); });
    EXPECT_NE(FindText(clamped, u"350"), nullptr);
}

TEST_F(EquipDrawTest, TheWornPieceIsLightGreenOnlyAtTheTop)
{
    Guard(3, 0, u"布の服", {{0, 0, 5, 0}});
    Guard(3, 2, u"皮の鎧", {{0, 0, 7, 0}});
    parts->party.equipment[EQUIP_ARMOR][0] = 0;
    const struct {
        const char* what;
        int lastAdded;
        std::uint32_t colour;
    } cases[] = {{"first in its list", 0, kWorn}, {"after the piece last added", 2, kWhite}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        data().heldArmor[0][0] = 2;
        data().heldArmor[0][2] = 1;
        data().lastAdded[ITEM_CATEGORY_ARMOR] = static_cast<std::int16_t>(c.lastAdded);
        OpenCandidates(0, EQUIP_ARMOR);
        const auto drawn = Drawn([&] { menu().DrawEquipCandidateList(); });
        const auto worn = std::find_if(drawn.begin(), drawn.end(), [&](const DrawnText& d) {
            return d.text == u"布の服" && d.x == rect(10).left + 10.0f; // the list's row, not the description
        });
        ASSERT_NE(worn, drawn.end());
        EXPECT_EQ(worn->colour, c.colour);
        const DrawnText* nothing = FindText(drawn, u"装備しない");
        ASSERT_NE(nothing, nullptr);
        EXPECT_EQ(nothing->y, rect(10).top + 10.0f + 26.0f * 2) << "the last row";
    }
}

TEST_F(EquipDrawTest, AListRowThatCannotBeDrawnLeavesTheComparisonOut)
{
    Guard(3, 0, u"布の服", {{0, 0, 5, 0}});
    data().heldArmor[0][0] = 1;
    OpenCandidates(0, EQUIP_ARMOR);
    const auto whole = Drawn([&] { menu().DrawEquipCandidateList(); });
    const auto row =
        std::find_if(whole.begin(), whole.end(), [&](const DrawnText& d) { return d.x == rect(10).left + 10.0f; });
    ASSERT_NE(row, whole.end());
    ASSERT_NE(FindText(whole, u"体力"), nullptr) << "the comparison, when all goes well";

    text.failAt = text.calls + static_cast<int>(row - whole.begin());
    const auto cut = Drawn([&] { menu().DrawEquipCandidateList(); });
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].file, "MapMenu");
    EXPECT_EQ(error.reports[0].code, 10);
    EXPECT_EQ(cut.size(), static_cast<size_t>(row - whole.begin())) << "the drawer stops at the row";
    EXPECT_EQ(FindText(cut, u"体力"), nullptr);
}

// The held counts beside the item list, the equipment candidates and the
// shortcut items are numbers: 12 pixels a character, within the screen's width.
TEST_F(EquipDrawTest, CountColumnsAreDrawnAsNumbers)
{
    HoldItems(3);
    data().RebuildItemLists(LIST_BATTLE_ITEMS, false);
    Weapon(0, 0, u"木の剣", 10);
    HoldWeapon(0, 0, 2);
    const struct {
        const char* what;
        int mode;
        std::function<void()> open;
    } cases[] = {
        {"item list", MenuItemList, [&] { menu().SetMapMenuMode(MenuItemList); }},
        {"equipment candidates", MenuEquipList, [&] { OpenCandidates(0, EQUIP_WEAPON); }},
        {"shortcut items", MenuShortcutItem, [&] { menu().SetMapMenuMode(MenuShortcutItem); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.open();
        ASSERT_EQ(menu().mode, c.mode);
        const auto drawn = Drawn([&] { menu().DrawMapMenu(); });
        const std::u16string counts(menu().countText, static_cast<size_t>(menu().countTextLength));
        ASSERT_FALSE(counts.empty());
        const DrawnText* column = FindText(drawn, counts);
        ASSERT_NE(column, nullptr);
        EXPECT_EQ(column->minimumAdvance, 12);
        EXPECT_EQ(column->widthLimit, 640.0f);
        EXPECT_EQ(column->lineAdvance, 26.0f);
    }
}

TEST_F(EquipDrawTest, TheSlotWindowNamesWhatIsWorn)
{
    Weapon(1, 3, u"長弓", 20);
    parts->party.equipment[EQUIP_WEAPON][1] = 3;
    menu().memberCursor = 1;
    menu().SetMapMenuMode(MenuEquipSlot);
    const auto drawn = Drawn([&] { menu().DrawEquipSlotWindow(); });
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].text, u"武器:\n防具:\n装飾:");
    EXPECT_EQ(drawn[1].text, u"長弓");
    EXPECT_EQ(drawn[1].x, drawn[0].x + 68.0f);
    EXPECT_EQ(drawn[2].text, u"なし");
    EXPECT_EQ(drawn[3].text, u"なし");
    EXPECT_EQ(drawn[2].colour, kWhite);

    // The description band of the slot page: the worn weapon, nothing for an empty slot.
    EXPECT_EQ(Drawn([&] { menu().DrawEquippedItemDescription(); }).front().text, u"長弓");
    menu().slotKind = EQUIP_ARMOR;
    EXPECT_TRUE(Drawn([&] { menu().DrawEquippedItemDescription(); }).empty());
}

class SkillDrawTest : public MenuTest {};

TEST_F(SkillDrawTest, ASwitchedOffSkillIsGreyAndStillDescribed)
{
    parts->party.memberOptions[1][1] = 1;
    parts->party.memberOptions[1][2] = 0;
    menu().memberCursor = 1;
    menu().SetMapMenuMode(MenuSkillList);
    menu().skillCursor = 1;
    text.drawn.clear();
    menu().DrawSkillMemberWindow();
    menu().DrawSkillListWindow();
    const auto& drawn = text.drawn;
    const DrawnText* member = FindText(drawn, u"ピプオ");
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->colour, MENU_TEXT_GREY) << "the member column dimmed behind";
    const DrawnText* described = FindText(drawn, u"吸収矢");
    ASSERT_NE(described, nullptr);
    EXPECT_EQ(described->x, 82.0f);
    EXPECT_EQ(described->colour, kWhite);
    EXPECT_NE(FindText(drawn, u"威力150% HP吸収"), nullptr);
    const DrawnText* listed = FindText(drawn, u"吸収矢", 1);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->colour, 0xFFA0A0A0u);
    EXPECT_EQ(FindText(drawn, u"毒矢")->colour, kWhite);

    menu().memberCursor = 2;
    menu().skillCursor = 0;
    text.drawn.clear();
    menu().DrawSkillDescription(2, 1);
    const DrawnText* cost = FindText(text.drawn, u"50　行動時間2.5秒");
    ASSERT_NE(cost, nullptr);
    EXPECT_EQ(cost->x, 86.0f);
    EXPECT_EQ(cost->y, kLine2);
}

} // namespace
} // namespace menutest
