// The information pages: the five-row menu and its refusal, the member
// status window's columns, and the play records with their time kept current.
#include "MenuFixture.h"
#include "core/MemberNames.h"
#include "menu/MenuTextTables.h"

namespace menutest {
namespace {

constexpr int kConfirm = 0, kCancel = 1, kMenuButton = 2;
constexpr int kConfirmSound = 0, kBackSound = 1, kRefusedSound = 3, kMenuSound = 4;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u, kDark = 0xFF404040u;

void SetDigits(char16_t* text, std::int8_t& digits, const std::u16string& value)
{
    std::copy(value.begin(), value.end(), text);
    text[value.size()] = 0;
    digits = static_cast<std::int8_t>(value.size());
}

class InfoPagesTest : public MenuTest {
protected:
    void KnowEnemies(int count)
    {
        std::fill(std::begin(data().enemyRecords), std::end(data().enemyRecords), 0);
        for (int i = 0; i < count; ++i)
            data().MarkEnemyKindMet(i);
        data().RebuildItemLists(LIST_ENEMIES, false);
    }
    void OpenInfoOnRow(int row)
    {
        menu().SetMapMenuMode(MenuInfo);
        menu().infoCursor = static_cast<std::int8_t>(row);
        TakeSounds();
    }
    std::vector<DrawnText> Draw()
    {
        text.drawn.clear();
        menu().DrawMapMenu();
        return text.drawn;
    }
    float OriginX(int window) const { return parts->windows.windowRects[window].left + 10.0f; }
    float OriginY(int window) const { return parts->windows.windowRects[window].top + 10.0f; }
};

TEST_F(InfoPagesTest, EachRowOpensItsPageAndEnemiesNeedAKnownEnemy)
{
    const struct {
        int row;
        int known;
        int mode;
        int sound;
    } cases[] = {
        {0, 0, MenuInfoMember, kConfirmSound},  {2, 0, MenuInfoMember, kConfirmSound},
        {3, 0, MenuInfo, kRefusedSound},        {3, 2, MenuInfoEnemies, kConfirmSound},
        {4, 0, MenuInfoRecords, kConfirmSound}, {4, 2, MenuInfoRecords, kConfirmSound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << ", known " << c.known);
        KnowEnemies(c.known);
        OpenInfoOnRow(c.row);
        PushButton(kConfirm);
        EXPECT_EQ(menu().mode, c.mode);
        EXPECT_EQ(TakeSounds(), std::vector<int>{c.sound});
        EXPECT_EQ(menu().infoCursor, c.row) << "the row stays chosen";
    }
}

TEST_F(InfoPagesTest, StatusAndRecordsGoBackToTheMenuOnItsRow)
{
    for (int row : {1, 4})
        for (int button : {kConfirm, kCancel}) {
            SCOPED_TRACE(testing::Message() << "row " << row << ", button " << button);
            OpenInfoOnRow(row);
            PushButton(kConfirm);
            TakeSounds();
            PushButton(button);
            EXPECT_EQ(menu().mode, MenuInfo);
            EXPECT_EQ(menu().infoCursor, row);
            EXPECT_EQ(menu().cursorY, rect(18).top + 11.0f + 26.0f * static_cast<float>(row));
            EXPECT_EQ(TakeSounds(), std::vector<int>{button == kConfirm ? kConfirmSound : kBackSound});
        }
    OpenInfoOnRow(2);
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuTop);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kBackSound});

    OpenInfoOnRow(0);
    PushButton(kConfirm);
    TakeSounds();
    PushButton(kMenuButton);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kMenuSound});
}

TEST_F(InfoPagesTest, EnemiesIsGreyedByTheKnownCountOnEveryInformationPage)
{
    const struct {
        int mode;
        int known;
        std::uint32_t names, enemies;
        float z;
    } cases[] = {
        {MenuInfo, 0, kWhite, kGrey, 0.297f},       {MenuInfo, 3, kWhite, kWhite, 0.297f},
        {MenuInfoMember, 0, kGrey, kDark, 0.397f},  {MenuInfoMember, 3, kGrey, kGrey, 0.397f},
        {MenuInfoRecords, 0, kGrey, kDark, 0.397f}, {MenuInfoRecords, 3, kGrey, kGrey, 0.397f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", known " << c.known);
        KnowEnemies(c.known);
        menu().mode = c.mode;
        const auto drawn = Draw();
        const DrawnText* enemies = FindText(drawn, u"敵");
        const DrawnText* total = FindText(drawn, u"総合");
        ASSERT_NE(enemies, nullptr);
        ASSERT_NE(total, nullptr);
        EXPECT_EQ(enemies->colour, c.enemies);
        EXPECT_EQ(total->colour, c.names);
        EXPECT_FLOAT_EQ(enemies->z, c.z);
        EXPECT_EQ(enemies->x, OriginX(18));
        EXPECT_EQ(enemies->y, OriginY(18) + 3 * 26.0f);
        for (int m = 0; m < 3; ++m) {
            const DrawnText* name = FindText(drawn, MemberNameTable[m]);
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->colour, c.names);
            EXPECT_EQ(name->y, OriginY(18) + 26.0f * static_cast<float>(m));
        }
    }
}

class StatusTest : public InfoPagesTest {
protected:
    // Member 1 with the figures given; the other members' stay empty.
    void SetFigures(const std::u16string& level, const std::u16string& hp, const std::u16string& stat)
    {
        CBattleBackground& panel = parts->panel;
        SetDigits(panel.HudLevelText[1], panel.HudLevelDigits[1], level);
        std::int8_t hpDigits = 0;
        SetDigits(panel.HudHpText[1], hpDigits, hp);
        panel.HudHpDigits[1] = static_cast<std::uint8_t>(hpDigits);
        SetDigits(panel.HudMaxHpText[1], panel.HudMaxHpDigits[1], hp);
        SetDigits(panel.HudSpText[1], panel.HudSpDigits[1], u"8");
        SetDigits(panel.HudMaxSpText[1], panel.HudMaxSpDigits[1], u"40");
        SetDigits(panel.HudExpText[1], panel.HudExpDigits[1], u"999");
        for (int s = 0; s < 4; ++s) {
            SetDigits(panel.HudStatTextA[1][s], panel.HudStatDigitsA[1][s], stat);
            SetDigits(panel.HudStatTextB[1][s], panel.HudStatDigitsB[1][s], stat);
        }
        SetDigits(panel.HudStText[1], panel.HudStDigits[1], u"120");
    }
    std::vector<DrawnText> DrawStatus()
    {
        menu().mode = MenuInfoMember;
        menu().infoCursor = 1;
        text.drawn.clear();
        menu().DrawMemberStatusWindow(1);
        return text.drawn;
    }
    // Where a text stands in the status window, relative to its text origin.
    std::pair<float, float> At(const DrawnText& d) const { return {d.x - OriginX(19), d.y - OriginY(19)}; }
    using Place = std::pair<float, float>;
};

TEST_F(StatusTest, FiguresAreRightAlignedInTheirColumns)
{
    const struct {
        const char* what;
        std::u16string level, hp, stat;
        float levelX, hpX, maxHpX, statX, statBX;
    } cases[] = {
        {"one-digit figures", u"7", u"9", u"5", 104, 104, 200, 104, 200},
        {"five-digit figures", u"255", u"99999", u"9999", 80, 56, 152, 68, 164},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetFigures(c.level, c.hp, c.stat);
        const auto drawn = DrawStatus();
        ASSERT_NE(FindText(drawn, c.level), nullptr);
        EXPECT_EQ(At(*FindText(drawn, c.level)), Place(c.levelX, 26));
        const DrawnText* hp = FindText(drawn, c.hp, c.level == c.hp ? 1 : 0);
        ASSERT_NE(hp, nullptr);
        EXPECT_EQ(At(*hp), Place(c.hpX, 52));
        EXPECT_EQ(At(*FindText(drawn, c.hp, c.level == c.hp ? 2 : 1)), Place(c.maxHpX, 52));
        EXPECT_EQ(At(*FindText(drawn, c.stat, c.stat == c.hp ? 2 : 0)), Place(c.statX, 130))
            << "攻撃 without equipment";
        EXPECT_EQ(At(*FindText(drawn, c.stat, c.stat == c.hp ? 3 : 1)), Place(c.statBX, 130)) << "攻撃 with equipment";
        for (const DrawnText& d : drawn)
            EXPECT_EQ(d.minimumAdvance, 0) << "figures are placed by cells, not by a minimum advance";
    }
}

TEST_F(StatusTest, LabelsSlashesAndTheExperienceLimit)
{
    SetFigures(u"12", u"345", u"60");
    const auto drawn = DrawStatus();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0].text, u"ピプオ");
    EXPECT_EQ(At(drawn[0]), Place(73, 0)) << "centred in 212 pixels";
    const DrawnText* slashes = FindText(drawn, u"/\n/\n/");
    ASSERT_NE(slashes, nullptr) << "three slashes only";
    EXPECT_EQ(At(*slashes), Place(128, 52));
    EXPECT_EQ(slashes->lineAdvance, 26.0f);
    const DrawnText* levelAndHp = FindText(drawn, u"Lv\nHP");
    ASSERT_NE(levelAndHp, nullptr);
    EXPECT_EQ(At(*levelAndHp), Place(0, 26));
    EXPECT_EQ(levelAndHp->lineAdvance, 26.0f);
    EXPECT_EQ(At(*FindText(drawn, u"1000")), Place(164, 104));
    EXPECT_EQ(At(*FindText(drawn, u"999")), Place(80, 104));
    EXPECT_EQ(At(*FindText(drawn, u"魔防")), Place(0, 208));
    EXPECT_EQ(At(*FindText(drawn, u"体力")), Place(0, 234));
    EXPECT_EQ(At(*FindText(drawn, u"120")), Place(80, 234));
    for (const DrawnText& d : drawn) {
        EXPECT_FLOAT_EQ(d.z, 0.295f) << std::string(d.text.begin(), d.text.end());
        EXPECT_LT(d.y - OriginY(19), 14 * 26.0f) << "inside the window's 14 rows";
    }
    EXPECT_LE(OriginY(19) + 13 * 26.0f + 24.0f, rect(19).bottom - 10.0f);
}

TEST_F(StatusTest, ColourLevelsAsPercentagesWithinTheTable)
{
    const std::uint8_t stored[4] = {0, 3, 7, 0xFF}; // the last a signed -1
    for (int c = 0; c < 4; ++c)
        parts->party.elementLevel[1][c] = stored[c];
    parts->party.elementLevel[1][2] = 12; // damaged: the top of the table
    SetFigures(u"1", u"1", u"1");
    const auto drawn = DrawStatus();
    const struct {
        const char16_t* mark;
        std::uint32_t colour;
        const char16_t* percent;
        float x;
    } rows[4] = {
        {u"赤", 0xFFFF0000u, u"40", 80},
        {u"青", 0xFF0078FFu, u"100", 68},
        {u"黄", 0xFFFFFF00u, u"350", 68},
        {u"茶", 0xFFAF6F16u, u"40", 80},
    };
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        const float y = 26.0f * static_cast<float>(10 + c);
        const DrawnText* mark = FindText(drawn, rows[c].mark);
        ASSERT_NE(mark, nullptr);
        EXPECT_EQ(At(*mark), Place(0, y));
        EXPECT_EQ(mark->colour, rows[c].colour);
        const DrawnText* sign = FindText(drawn, u"%", c);
        ASSERT_NE(sign, nullptr);
        EXPECT_EQ(At(*sign), Place(104, y)) << "the percentage and its sign fill the first column";
        const auto percent = std::find_if(drawn.begin(), drawn.end(), [&](const DrawnText& d) {
            return d.text == rows[c].percent && At(d).second == y;
        });
        ASSERT_NE(percent, drawn.end());
        EXPECT_EQ(At(*percent), Place(rows[c].x, y));
    }
}

class PlayRecordsTest : public InfoPagesTest {
protected:
    void SetPlayTime(int hours, int minutes, int seconds)
    {
        data().playTime = static_cast<std::uint32_t>(hours) | static_cast<std::uint32_t>(minutes) << 15 |
                          static_cast<std::uint32_t>(seconds) << 22;
    }
    std::vector<DrawnText> DrawRecords()
    {
        text.drawn.clear();
        menu().DrawPlayRecordsWindow();
        return text.drawn;
    }
    std::pair<float, float> At(const DrawnText& d) const { return {d.x - OriginX(20), d.y - OriginY(20)}; }
    using Place = std::pair<float, float>;
};

TEST_F(PlayRecordsTest, ThePlayTimeInItsThreeFields)
{
    const struct {
        int hours, minutes, seconds;
        std::u16string h, m, s;
    } cases[] = {
        {0, 0, 7, u"  00", u"00", u"07"},
        {5, 0, 0, u"  05", u"00", u"00"},
        {123, 45, 59, u" 123", u"45", u"59"},
        {9999, 59, 59, u"9999", u"59", u"59"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hours) + " hours");
        menu().SetMapMenuMode(MenuInfoRecords);
        SetPlayTime(c.hours, c.minutes, c.seconds);
        const auto drawn = DrawRecords();
        ASSERT_GE(drawn.size(), 6u);
        EXPECT_EQ(drawn[0].text, u"プレイ時間");
        const std::vector<std::pair<std::u16string, float>> expected = {
            {c.h, 178}, {u":", 226}, {c.m, 238}, {u":", 262}, {c.s, 274}};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(drawn[1 + i].text, expected[i].first) << i;
            EXPECT_EQ(At(drawn[1 + i]), Place(expected[i].second, 0)) << i;
        }
    }
}

TEST_F(PlayRecordsTest, OnlyTheFieldsThatChangedAreFormattedAgain)
{
    SetPlayTime(5, 30, 7);
    menu().UpdatePlayTimeTexts();
    EXPECT_EQ(std::u16string(menu().playRecords.minutes), u"30");
    // Marks in the texts show which ones are written again.
    menu().playRecords.hours[0] = u'h';
    menu().playRecords.minutes[0] = u'm';
    SetPlayTime(5, 30, 8);
    menu().UpdatePlayTimeTexts();
    EXPECT_EQ(std::u16string(menu().playRecords.seconds), u"08");
    EXPECT_EQ(menu().playRecords.minutes[0], u'm');
    EXPECT_EQ(menu().playRecords.hours[0], u'h');
    SetPlayTime(6, 0, 0);
    menu().UpdatePlayTimeTexts();
    EXPECT_EQ(std::u16string(menu().playRecords.hours), u"  06");
    EXPECT_EQ(std::u16string(menu().playRecords.minutes), u"00");
}

TEST_F(PlayRecordsTest, CountersAreThoseOfTheMomentThePageOpened)
{
    const struct {
        std::uint32_t value;
        std::u16string shown;
        float x;
    } cases[] = {{0, u"0", 286}, {4000000000u, u"4000000000", 178}, {1234, u"1234", 250}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        data().battlesWon = c.value;
        data().enemiesDefeated = c.value;
        for (auto& member : data().defeatedByMember)
            member = c.value;
        menu().SetMapMenuMode(MenuInfoRecords);
        data().battlesWon = data().enemiesDefeated = 77; // counted while the page is open
        const auto drawn = DrawRecords();
        const std::vector<std::pair<std::u16string, float>> labels = {
            {u"戦闘勝利回数", 1}, {u"倒した敵", 2}, {u"倒した敵:", 3}, {u"倒した敵:", 4}, {u"倒した敵:", 5}};
        int memberRow = 0;
        for (const auto& [label, row] : labels) {
            const DrawnText* found = FindText(drawn, label, label == u"倒した敵:" ? memberRow++ : 0);
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(At(*found), Place(0, 26 * row));
        }
        for (int row = 1; row <= 5; ++row) {
            const DrawnText* value = FindText(drawn, c.shown, row - 1);
            ASSERT_NE(value, nullptr) << row;
            EXPECT_EQ(At(*value), Place(c.x, 26.0f * static_cast<float>(row))) << row;
        }
        for (int m = 0; m < 3; ++m)
            EXPECT_EQ(At(*FindText(drawn, MemberNameTable[m])), Place(100, 26.0f * static_cast<float>(3 + m)));
        EXPECT_EQ(FindText(drawn, u"77"), nullptr);
    }
}

TEST_F(PlayRecordsTest, TheWholeMenuOnTheRecordsPageShowsNoCursor)
{
    GiveEventSprites();
    menu().SetMapMenuMode(MenuInfoRecords);
    device.draws.clear();
    const auto drawn = Draw();
    EXPECT_NE(FindText(drawn, u"プレイ時間"), nullptr);
    EXPECT_NE(FindText(drawn, u"総合"), nullptr);
    EXPECT_EQ(DrawsWith(parts->event.spriteSheet->texture), 0) << "no cursor on the records page";
}

} // namespace
} // namespace menutest
