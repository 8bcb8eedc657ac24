// The equipment pages (member, slot, candidates with their preview, the
// window for no candidate) and the skill pages: what each button does, what
// the preview says of a candidate, and the candidate list's rows and pages.
#include "MenuEquipFixture.h"

namespace menutest {
namespace {

constexpr int kConfirm = 0, kCancel = 1, kSecond = 3;
constexpr int kShortcutFirstFree = 6; // buttons 4 and 5 only in the second set
enum Sound : int { kConfirmSound = 0, kBackSound = 1, kRefusedSound = 3, kToggleSound = 5, kSetSound = 6 };
constexpr std::uint32_t kRestoring = 1u << 31;

class EquipPagesTest : public EquipTest {
protected:
    void SetUp() override
    {
        EquipTest::SetUp();
        Weapon(0, 0, u"木の剣", 10, 30);
        Weapon(0, 1, u"鉄の剣", 18, 32, 1);
        Weapon(0, 2, u"銅の剣", 12, 30);
        Guard(3, 0, u"布の服", {{0, 0, 5, 0}});
        Guard(3, 1, u"赤の鎧", {{0, 0, 2, 0}, -1, {1, -1, 0, 0}});
        Guard(3, 2, u"皮の鎧", {{0, 0, 7, 0}});
        parts->party.equipment[EQUIP_WEAPON][0] = 0;
        parts->party.equipment[EQUIP_ARMOR][0] = 0;
        HoldWeapon(0, 0);
        HoldWeapon(0, 1);
        HoldWeapon(0, 2);
        HoldWeapon(0, 0, 2); // a second wooden sword: three listed
        HoldArmour(0, 0, 2);
        HoldArmour(0, 1);
        HoldArmour(0, 2);
        BaseStats(0, {10, 10, 10, 12}); // the wooden sword and the cloth add 10 and 5
        Figures(0, {20, 10, 15, 12}, 30, 100, {3, 3, 3, 3});
    }
    // Member 0's weapon list of `count` swords: the three of every case, then
    // swords 3 and on with attack 10 + id.
    void OpenWeaponsOf(int count)
    {
        for (int id = 3; id < count; ++id) {
            Weapon(0, id, u"剣", 10 + id);
            HoldWeapon(0, id);
        }
        OpenCandidates(0, EQUIP_WEAPON);
    }
    static std::u16string Text(const char16_t* text, int length) { return std::u16string(text, length); }
    bool NotedWith(const std::string& call) const
    {
        for (const auto& noted : SceneTrace::Calls())
            if (noted.rfind(call, 0) == 0)
                return true;
        return false;
    }
};

TEST_F(EquipPagesTest, ThePreviewOfACandidate)
{
    const struct {
        const char* what;
        int kind;
        int candidate;
        std::array<const char16_t*, 4> stats;
        std::array<int, 4> statMarks;
        const char16_t* sp;
        int spMark;
        const char16_t* stamina;
        int staminaMark;
        std::array<int, 4> levels;
        std::array<int, 4> levelMarks;
    } cases[] = {
        {"a stronger weapon",
         0,
         1,
         {u"28", u"10", u"15", u"12"},
         {2, 1, 1, 1},
         u"32",
         2,
         u"105",
         2,
         {3, 3, 3, 3},
         {1, 1, 1, 1}},
        {"the worn weapon again",
         0,
         0,
         {u"20", u"10", u"15", u"12"},
         {1, 1, 1, 1},
         u"30",
         1,
         u"100",
         1,
         {3, 3, 3, 3},
         {1, 1, 1, 1}},
        {"armour lowering red and raising blue",
         1,
         1,
         {u"20", u"10", u"12", u"12"},
         {1, 1, 0, 1},
         u"30",
         1,
         u"95",
         0,
         {2, 4, 3, 3},
         {2, 0, 1, 1}},
        {"no armour at all",
         1,
         -1,
         {u"20", u"10", u"10", u"12"},
         {1, 1, 0, 1},
         u"30",
         1,
         u"100",
         1,
         {3, 3, 3, 3},
         {1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        menu().ComputeEquipPreview(0, c.kind, c.candidate);
        const EquipPreview& p = menu().equipPreview;
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(Text(p.statText[s], p.statLength[s]), c.stats[s]) << "stat " << s;
            EXPECT_EQ(p.statText[s][p.statLength[s]], 0) << "the stat texts end in a zero";
            EXPECT_EQ(p.statChange[s], c.statMarks[s]) << "stat " << s;
            EXPECT_EQ(p.colourLevel[s], c.levels[s]) << "colour " << s;
            EXPECT_EQ(p.colourChange[s], c.levelMarks[s]) << "colour " << s;
        }
        EXPECT_EQ(Text(p.spText, p.spLength), c.sp);
        EXPECT_EQ(p.spChange, c.spMark);
        EXPECT_EQ(Text(p.staminaText, p.staminaLength), c.stamina);
        EXPECT_EQ(p.staminaChange, c.staminaMark);
    }
}

TEST_F(EquipPagesTest, CandidateListsAndTheWearNothingRow)
{
    OpenCandidates(0, EQUIP_WEAPON);
    ASSERT_EQ(menu().mode, MenuEquipList);
    EXPECT_EQ(menu().mainList.count, 3) << "three weapons, no row for wearing nothing";
    EXPECT_EQ(menu().mainList.rowsOnPage, 3);
    EXPECT_EQ(menu().equipCategory, EQUIP_CATEGORY_WEAPON);

    OpenCandidates(0, EQUIP_ARMOR);
    ASSERT_EQ(menu().mode, MenuEquipList);
    EXPECT_EQ(menu().mainList.count, 4) << "three pieces of armour and wearing nothing";
    EXPECT_EQ(menu().mainList.rowsOnPage, 4);
    EXPECT_EQ(menu().equipCategory, EQUIP_CATEGORY_ARMOR);
    const int defenceBonus[3] = {5, 2, 7};
    const int first = menu().GetEquipListItemId();
    ASSERT_GE(first, 0);
    EXPECT_EQ(menu().equipPreview.statLength[2], 2);
    EXPECT_EQ(std::stoi(std::string(menu().equipPreview.statText[2], menu().equipPreview.statText[2] + 2)),
              15 - 5 + defenceBonus[first])
        << "entering previews the first candidate";

    // Down to the last row: wearing nothing, previewed as no armour.
    for (int row = 0; row < 3; ++row) {
        keys.Press(fakes::FakeKeyInput::kDown);
        Frame();
    }
    EXPECT_EQ(menu().mainList.position, 3);
    EXPECT_EQ(menu().GetEquipListItemId(), -1);
    EXPECT_EQ(Text(menu().equipPreview.statText[2], menu().equipPreview.statLength[2]), u"10");
    EXPECT_EQ(menu().equipPreview.statChange[2], EQUIP_FALLS);
}

TEST_F(EquipPagesTest, AListShorterThanItsPageKeepsTheCursorInside)
{
    OpenWeaponsOf(14);
    ASSERT_EQ(menu().mainList.count, 14);
    ASSERT_EQ(menu().mainList.pageCount, 2);

    // Past the last page: the first entry of the new last page.
    menu().mainList.page = 1;
    menu().mainList.position = 13;
    for (int id = 5; id < 14; ++id)
        data().heldWeapons[0][id] = 0;
    menu().RefreshEquipList(true);
    EXPECT_EQ(menu().mainList.pageCount, 1);
    EXPECT_EQ(menu().mainList.page, 0);
    EXPECT_EQ(menu().mainList.position, 0);
    EXPECT_EQ(menu().mainList.rowsOnPage, 5);
    EXPECT_EQ(menu().cursorY, rect(10).top + 11.0f) << "on the page's first row";

    // Past the end on the same page: the last entry.
    menu().mainList.position = 4;
    data().heldWeapons[0][4] = 0;
    menu().RefreshEquipList(true);
    EXPECT_EQ(menu().mainList.position, 3);
    EXPECT_EQ(menu().cursorY, rect(10).top + 11.0f + 26.0f * 3);
}

TEST_F(EquipPagesTest, APageTurnOntoAShortLastPagePreviewsTheEntryUnderTheCursor)
{
    OpenWeaponsOf(15);
    ASSERT_EQ(menu().mainList.count, 15);
    for (int row = 0; row < 7; ++row) {
        keys.Press(fakes::FakeKeyInput::kDown);
        Frame();
    }
    ASSERT_EQ(menu().mainList.position, 7);
    // A full page's window (11) holds the page text at its foot.
    const std::u16string pageText(menu().pageLines[0].text, menu().pageLines[0].length);
    const auto full = Drawn([&] { menu().DrawEquipCandidateList(); });
    const DrawnText* line = FindText(full, pageText);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->y, rect(11).bottom - 34.0f);

    // Entry 17 does not exist: the cursor stops on entry 14, and so does the preview.
    keys.Press(fakes::FakeKeyInput::kRight);
    Frame();
    EXPECT_EQ(menu().mainList.page, 1);
    EXPECT_EQ(menu().mainList.position, 14);
    EXPECT_EQ(menu().mainList.rowsOnPage, 5);
    const int shown = data().categoryList[ITEM_CATEGORY_WEAPON][14];
    ASSERT_GE(shown, 0);
    EXPECT_EQ(menu().GetEquipListItemId(), shown);
    const int attack = 10 + (shown < 3 ? std::array<int, 3>{10, 18, 12}[shown] : 10 + shown);
    const EquipPreview& p = menu().equipPreview;
    EXPECT_EQ(Text(p.statText[0], p.statLength[0]),
              std::u16string(u"") + char16_t(u'0' + attack / 10) + char16_t(u'0' + attack % 10))
        << "the base 10 and the sword's own attack";
    EXPECT_EQ(p.statChange[0], attack > 20 ? EQUIP_RISES : (attack == 20 ? EQUIP_STAYS : EQUIP_FALLS));
}

TEST_F(EquipPagesTest, EveryMemberAndSlotListsItsOwnCandidates)
{
    for (int member = 0; member < 3; ++member)
        for (int kind = 0; kind < 3; ++kind) {
            SCOPED_TRACE("member " + std::to_string(member) + " slot " + std::to_string(kind));
            std::memset(data().heldWeapons, 0, sizeof data().heldWeapons);
            std::memset(data().heldArmor, 0, sizeof data().heldArmor);
            std::memset(data().heldAccessories, 0, sizeof data().heldAccessories);
            if (kind == EQUIP_WEAPON)
                HoldWeapon(member, 4);
            else if (kind == EQUIP_ARMOR)
                HoldArmour(member, 4);
            else
                HoldAccessory(4);
            OpenCandidates(member, kind);
            ASSERT_EQ(menu().mode, MenuEquipList);
            EXPECT_EQ(menu().GetEquipListItemId(), 4);
        }
}

TEST_F(EquipPagesTest, TenCandidatesAPage)
{
    const struct {
        int weapons, pages;
    } cases[] = {{10, 1}, {11, 2}, {20, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.weapons);
        OpenWeaponsOf(c.weapons);
        ASSERT_EQ(menu().mainList.count, c.weapons);
        EXPECT_EQ(menu().mainList.pageCount, c.pages);
    }
}

TEST_F(EquipPagesTest, EquippingStepByStep)
{
    const struct {
        const char* what;
        std::uint32_t mapFlags;
        bool restored;
    } cases[] = {
        {"an ordinary map", 0, false},
        {"a map that restores", kRestoring, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetMapFlags(c.mapFlags);
        menu().SetMapMenuMode(MenuTop);
        menu().topCursor = 2;
        TakeSounds();
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, MenuEquipMember);
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, MenuEquipSlot);
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, MenuEquipList);
        EXPECT_EQ(TakeSounds(), (std::vector<int>{kConfirmSound, kConfirmSound, kConfirmSound}));

        // The second weapon: worn, its figures kept, back on the slots.
        keys.Press(fakes::FakeKeyInput::kDown);
        Frame();
        TakeSounds();
        SceneTrace::Clear();
        const int chosen = menu().GetEquipListItemId();
        PushButton(kConfirm);
        EXPECT_EQ(TakeSounds(), std::vector<int>{kSetSound});
        EXPECT_EQ(menu().mode, MenuEquipSlot);
        EXPECT_EQ(parts->party.equipment[EQUIP_WEAPON][0], chosen);
        EXPECT_TRUE(NotedWith("EquipMemberItem"));
        EXPECT_EQ(Noted("RestoreParty"), c.restored);

        // Back out page by page.
        PushButton(kConfirm);
        PushButton(kCancel);
        EXPECT_EQ(menu().mode, MenuEquipSlot);
        PushButton(kCancel);
        EXPECT_EQ(menu().mode, MenuEquipMember);
        PushButton(kCancel);
        EXPECT_EQ(menu().mode, MenuTop);
        EXPECT_EQ(TakeSounds(), (std::vector<int>{kConfirmSound, kBackSound, kBackSound, kBackSound}));
        parts->party.equipment[EQUIP_WEAPON][0] = 0;
    }
}

TEST_F(EquipPagesTest, NoCandidateShowsItsWindowAndGoesBackToTheSlots)
{
    for (int button : {kConfirm, kCancel}) {
        OpenCandidates(1, EQUIP_WEAPON); // member 1 holds no weapon
        EXPECT_EQ(menu().mode, MenuEquipEmpty);
        EXPECT_EQ(menu().cursorWindow, 12);
        PushButton(button);
        EXPECT_EQ(menu().mode, MenuEquipSlot);
        EXPECT_EQ(TakeSounds(), std::vector<int>{button == kConfirm ? kConfirmSound : kBackSound});
    }
}

class SkillPagesTest : public MenuTest {
protected:
    void OpenSkills(int member)
    {
        menu().SetMapMenuMode(MenuTop);
        menu().SetMapMenuMode(MenuSkillMember);
        menu().memberCursor = static_cast<std::int8_t>(member);
        PushButton(kConfirm);
        ASSERT_EQ(menu().mode, MenuSkillList);
        TakeSounds();
        SceneTrace::Clear();
    }
};

TEST_F(SkillPagesTest, ASkillIsNeverUsedHere)
{
    OpenSkills(0);
    PushButton(kConfirm);
    EXPECT_EQ(menu().mode, MenuSkillList);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kRefusedSound});
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuSkillMember);
    EXPECT_EQ(menu().memberCursor, 0);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kBackSound});
}

TEST_F(SkillPagesTest, TheSecondActionSwitchesTheSkillUnderTheCursor)
{
    OpenSkills(1);
    parts->party.memberOptions[1][1] = 1;
    parts->party.memberOptions[1][2] = 1;
    PushButton(kSecond);
    EXPECT_EQ(parts->party.memberOptions[1][1], 0);
    EXPECT_EQ(parts->party.memberOptions[1][2], 1);
    keys.Press(fakes::FakeKeyInput::kDown);
    Frame();
    TakeSounds();
    PushButton(kSecond);
    EXPECT_EQ(parts->party.memberOptions[1][2], 0);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kToggleSound});
}

TEST_F(SkillPagesTest, OnlyTheThirdMembersSkillsGoOnTheButtons)
{
    const struct {
        int member;
        std::vector<int> sounds;
        QuickSlot slot;
    } cases[] = {
        {0, {kRefusedSound}, {0, 0}},
        {1, {kRefusedSound}, {0, 0}},
        {2, {kSetSound}, {4, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.member);
        std::memset(parts->party.quickSlots, 0, sizeof parts->party.quickSlots);
        OpenSkills(c.member);
        menu().skillCursor = 1;
        PushButton(kShortcutFirstFree);
        EXPECT_EQ(TakeSounds(), c.sounds);
        const QuickSlot& slot = parts->party.quickSlots[0][kShortcutFirstFree - 4];
        EXPECT_EQ(slot.kind, c.slot.kind);
        EXPECT_EQ(slot.id, c.slot.id);
        EXPECT_EQ(menu().mode, MenuSkillList);
    }
}

} // namespace
} // namespace menutest
