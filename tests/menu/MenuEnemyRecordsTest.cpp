// The enemy records page: the list of kinds met, choosing a kind (its
// picture loaded only when the graphic changes, sampled at full or half
// size or from a one-row sheet) and the detail drawn from the prepared texts.
#include <cstring>

#include "MenuFixture.h"
#include "core/EnemyKinds.h"
#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"

namespace menutest {
namespace {

constexpr int kConfirm = 0, kCancel = 1, kMenuButton = 2;
constexpr int kConfirmSound = 0, kRefusedSound = 3;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u;
constexpr int kDefeatedOnce = 1, kMet = 0x4000, kDropTaken = 0x8000;

// The pack, counting the pictures it hands out.
class CountingPack : public fakes::FakeFilePack {
public:
    bool LoadTexture(Direct3DTexture9** texture, int pack, int entry) override
    {
        loads.push_back(entry);
        return FakeFilePack::LoadTexture(texture, pack, entry);
    }
    std::vector<int> loads;
};

void PutName(EnemyKindDef& def, const std::u16string& name)
{
    std::memset(def.Name, 0, sizeof def.Name);
    std::copy(name.begin(), name.end(), def.Name);
    def.NameLength = static_cast<std::int32_t>(name.size());
}

// An item row with its name and the name's length where the item table keeps it.
void PutItemName(std::vector<unsigned char>& table, int row, const std::u16string& name)
{
    unsigned char* bytes = table.data() + row * ITEM_ROW_SIZE;
    for (std::size_t i = 0; i < name.size(); ++i) {
        bytes[2 * i] = static_cast<unsigned char>(name[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>(name[i] >> 8);
    }
    const std::uint32_t info = static_cast<std::uint32_t>(name.size()) << 15;
    for (int b = 0; b < 4; ++b)
        bytes[13 * 4 + b] = static_cast<unsigned char>(info >> (8 * b));
}

class EnemyRecordsTest : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        ZephFilePack = &pack;
        auto& kinds = LoadedEnemyKinds();
        kinds.resize(ENEMY_KIND_COUNT);
        for (int k = 0; k < ENEMY_KIND_COUNT; ++k) {
            EnemyKindDef& def = kinds[static_cast<std::size_t>(k)].def;
            PutName(def, u"テキ");
            def.GraphicId = k;
        }
        items.assign(ITEM_ROW_COUNT * ITEM_ROW_SIZE, 0);
        PutItemName(items, 3, u"やくそう");
        ItemTable = items.data();
    }
    // The menu holds the last picture until it is released, as at shutdown.
    void TearDown() override { menu().ReleaseMapMenu(); }
    EnemyKindDef& Kind(int k) { return LoadedEnemyKinds()[static_cast<std::size_t>(k)].def; }
    // A picture sheet for graphic g.
    void GivePicture(int graphic, std::uint32_t width, std::uint32_t height)
    {
        pack.images[PACK_ENEMY_GRAPHIC_FIRST + graphic] = {width, height};
    }
    void Meet(std::initializer_list<int> kindsMet, std::uint16_t extra = 0)
    {
        for (int k : kindsMet)
            data().enemyRecords[k] = static_cast<std::uint16_t>(kMet | extra);
    }
    void OpenRecords()
    {
        menu().SetMapMenuMode(MenuInfo);
        menu().infoCursor = 3;
        PushButton(kConfirm);
        ASSERT_EQ(menu().mode, MenuInfoEnemies);
        TakeSounds();
    }
    // Confirms the row of the list at `position`.
    void Choose(int position)
    {
        menu().mainList.position = position;
        PushButton(kConfirm);
    }
    std::vector<DrawnText> DrawPage()
    {
        text.drawn.clear();
        device.draws.clear();
        menu().DrawEnemyRecordsPage();
        return text.drawn;
    }
    int PictureDraws() const
    {
        return menu_const().enemyPicture == nullptr ? 0 : DrawsWith(menu_const().enemyPicture->texture);
    }
    const CMapMenu& menu_const() const { return parts->menu; }

    CountingPack pack;
    std::vector<unsigned char> items;
};

TEST_F(EnemyRecordsTest, ANeverDefeatedKindShowsPictureNameTreasureAndNoValues)
{
    PutName(Kind(4), u"スライム");
    Kind(4).DropChance = 1;
    Kind(4).DropItemId = 3;
    GivePicture(4, 128, 128);
    Meet({4});
    OpenRecords();
    Choose(0);
    EXPECT_EQ(TakeSounds(), std::vector<int>{kConfirmSound});
    const auto drawn = DrawPage();
    EXPECT_EQ(PictureDraws(), 1);
    const DrawnText* heading = FindText(drawn, u"スライム", 1); // the list row first
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->x, 296.0f + 165.0f - 24.0f) << "centred over the detail";
    EXPECT_EQ(heading->y, 18.0f);
    EXPECT_NE(FindText(drawn, u"宝"), nullptr);
    ASSERT_NE(FindText(drawn, u"？"), nullptr) << "a treasure not yet obtained";
    const DrawnText* count = FindText(drawn, u"0");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->x, FindText(drawn, u"倒した数")->x + 100.0f + 36.0f);
    for (const char16_t* value : {u"Lv", u"HP", u"EXP", u"G", u"攻撃", u"赤", u"毒"})
        EXPECT_EQ(FindText(drawn, value), nullptr) << "no value block before a defeat";
}

TEST_F(EnemyRecordsTest, ADefeatedKindShowsItsValuesResistancesAndImmunities)
{
    EnemyKindDef& def = Kind(7);
    def.Level = 12;
    def.MaxHp = 3456;
    def.Exp = 80;
    def.Money = 260;
    def.Attack = 31;
    def.AttackB = -5; // damaged: shown as 0
    def.Defence = 9;
    def.DefenceB = 1200;
    def.Resist0 = 0;
    def.Resist1 = 3;
    def.Resist2 = 7;
    def.Resist3 = 6;
    def.ImmunityA = 0b10;     // effect 5
    def.ImmunityB = 0b100000; // effect 16
    GivePicture(7, 128, 128);
    Meet({7}, 37);
    OpenRecords();
    Choose(0);
    const auto drawn = DrawPage();
    const struct {
        const char16_t* label;
        const char16_t* value;
        float labelX, valueX, y;
    } values[] = {
        {u"Lv", u"12", 308, 308 + 56 + 36, 148}, {u"HP", u"3456", 484, 484 + 56 + 12, 148},
        {u"EXP", u"80", 308, 400, 174},          {u"G", u"260", 484, 484 + 80, 174},
        {u"攻撃", u"31", 308, 400, 200},         {u"魔攻", u"0", 484, 484 + 104, 200},
        {u"防御", u"9", 308, 412, 226},          {u"魔防", u"1200", 484, 484 + 68, 226},
    };
    for (const auto& v : values) {
        SCOPED_TRACE(std::string(v.label, v.label + 1).size());
        const DrawnText* label = FindText(drawn, v.label);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->x, v.labelX);
        EXPECT_EQ(label->y, v.y);
        const auto value = std::find_if(drawn.begin(), drawn.end(),
                                        [&](const DrawnText& d) { return d.text == v.value && d.y == v.y; });
        ASSERT_NE(value, drawn.end());
        EXPECT_EQ(value->x, v.valueX);
    }
    const struct {
        const char16_t* element;
        const char16_t* percent;
        float x, percentX, y;
    } resist[] = {
        {u"赤", u"25", 308, 308 + 56 + 24, 252},
        {u"青", u"100", 484, 484 + 56 + 12, 252},
        {u"黄", u"250", 308, 308 + 56 + 12, 278},
        {u"茶", u"200", 484, 484 + 56 + 12, 278},
    };
    for (int e = 0; e < 4; ++e) {
        SCOPED_TRACE(e);
        const DrawnText* label = FindText(drawn, resist[e].element);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->x, resist[e].x);
        EXPECT_EQ(label->y, resist[e].y);
        const DrawnText* percent = FindText(drawn, resist[e].percent);
        ASSERT_NE(percent, nullptr);
        EXPECT_EQ(percent->x, resist[e].percentX);
        const DrawnText* sign = FindText(drawn, u"%", e);
        ASSERT_NE(sign, nullptr);
        EXPECT_EQ(sign->x, percent->x + 12.0f * static_cast<float>(percent->text.size()));
    }
    const struct {
        const char16_t* name;
        float x, y;
        std::uint32_t colour;
    } grid[] = {
        {u"毒", 340, 317, kGrey},    {u"技封", 406, 317, kWhite}, {u"鈍足", 340, 343, kWhite},
        {u"衰弱", 538, 343, kWhite}, {u"停止", 472, 369, kWhite}, {u"脆弱", 538, 369, kGrey},
    };
    for (const auto& g : grid) {
        const DrawnText* found = FindText(drawn, g.name);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->x, g.x);
        EXPECT_EQ(found->y, g.y);
        EXPECT_EQ(found->colour, g.colour);
    }
    const DrawnText* defeated = FindText(drawn, u"37");
    ASSERT_NE(defeated, nullptr);
    EXPECT_EQ(defeated->x, 308.0f + 100.0f + 24.0f);
    EXPECT_EQ(defeated->y, 435.0f);
}

TEST_F(EnemyRecordsTest, LongHpGrowsOneCellLeftAtMost)
{
    const struct {
        int hp;
        float x;
    } cases[] = {{12345, 540}, {123456, 528}, {1234567, 528}};
    Meet({0, 1, 2}, kDefeatedOnce);
    for (int i = 0; i < 3; ++i) {
        Kind(i).MaxHp = cases[i].hp;
        GivePicture(i, 128, 128);
    }
    OpenRecords();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(cases[i].hp);
        Choose(i);
        const auto drawn = DrawPage();
        const std::string digits = std::to_string(cases[i].hp);
        const DrawnText* hp = FindText(drawn, std::u16string(digits.begin(), digits.end()));
        ASSERT_NE(hp, nullptr);
        EXPECT_EQ(hp->x, cases[i].x);
    }
}

TEST_F(EnemyRecordsTest, TheTreasureLineByChanceAndWhatWasObtained)
{
    const struct {
        const char* what;
        int chance, category, id;
        std::uint16_t record;
        const char16_t* shown;
        float x;
    } cases[] = {
        {"never carried", 0, 0, 3, kDropTaken | kDefeatedOnce, u"なし", 308 + 104},
        {"not obtained yet", 2, 0, 3, kDefeatedOnce, u"？", 308 + 126},
        {"obtained", 2, 0, 3, kDropTaken, u"やくそう", 308 + 56 + 18 + 26},
        {"category past the tables", 2, 9, 3, kDropTaken, u"なし", 308 + 104},
        {"row past its table", 2, 0, 600, kDropTaken, u"なし", 308 + 104},
        {"a table not loaded", 2, 1, 0, kDropTaken, u"なし", 308 + 104},
    };
    for (int i = 0; i < 6; ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.what);
        Kind(i).DropChance = c.chance;
        Kind(i).DropItemCategory = c.category;
        Kind(i).DropItemId = c.id;
        GivePicture(i, 128, 128);
        data().enemyRecords[i] = static_cast<std::uint16_t>(kMet | c.record);
    }
    OpenRecords();
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(cases[i].what);
        Choose(i);
        const auto drawn = DrawPage();
        const DrawnText* treasure = FindText(drawn, u"宝");
        ASSERT_NE(treasure, nullptr);
        EXPECT_EQ(treasure->x, 308.0f);
        EXPECT_EQ(treasure->y, 400.0f);
        const DrawnText* shown = FindText(drawn, cases[i].shown);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->x, cases[i].x);
        EXPECT_EQ(shown->y, 400.0f);
    }
}

TEST_F(EnemyRecordsTest, PicturesAreSampledByTheSheetAndDrawnAtFullSize)
{
    const struct {
        const char* what;
        int sizeClass;
        std::uint32_t width, height;
        float u1, v0, v1;
        float side;
    } cases[] = {
        {"full size, four rows", 1, 192, 192, 48.0f / 192, 144.0f / 192, 1.0f, 48},
        {"half size", 1, 96, 96, 24.0f / 96, 72.0f / 96, 1.0f, 48},
        {"one-row sheet", 2, 256, 64, 64.0f / 256, 0.0f, 1.0f, 64},
        {"size class 3, half size", 3, 192, 192, 48.0f / 192, 144.0f / 192, 1.0f, 96},
        {"size class 0", 0, 128, 128, 32.0f / 128, 96.0f / 128, 1.0f, 32},
    };
    for (int i = 0; i < 5; ++i) {
        Kind(i).SizeClass = cases[i].sizeClass;
        GivePicture(i, cases[i].width, cases[i].height);
    }
    Meet({0, 1, 2, 3, 4});
    OpenRecords();
    for (int i = 0; i < 5; ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.what);
        Choose(i);
        const TexturedVertex* quad = menu().pictureQuads[0];
        EXPECT_FLOAT_EQ(quad[0].u, 0.0f);
        EXPECT_FLOAT_EQ(quad[1].u, c.u1);
        EXPECT_FLOAT_EQ(quad[0].v, c.v0);
        EXPECT_FLOAT_EQ(quad[2].v, c.v1);
        const float left = static_cast<float>(static_cast<int>(461.0f - c.side / 2.0f));
        const float top = static_cast<float>(static_cast<int>(96.0f - c.side / 2.0f));
        EXPECT_FLOAT_EQ(quad[0].x, left - 0.5f);
        EXPECT_FLOAT_EQ(quad[3].x, left + c.side - 0.5f);
        EXPECT_FLOAT_EQ(quad[0].y, top - 0.5f);
        EXPECT_FLOAT_EQ(quad[3].y, top + c.side - 0.5f);
        DrawPage();
        EXPECT_EQ(PictureDraws(), 1);
    }
}

TEST_F(EnemyRecordsTest, ThePictureIsLoadedOnlyForANewGraphicAndTheDetailAlwaysShows)
{
    PutName(Kind(0), u"エー");
    PutName(Kind(1), u"ビー");
    PutName(Kind(2), u"シー");
    Kind(1).GraphicId = Kind(0).GraphicId; // A and B share a picture
    GivePicture(0, 128, 128);
    GivePicture(2, 128, 128);
    Meet({0, 1, 2});
    OpenRecords();
    const int a = PACK_ENEMY_GRAPHIC_FIRST, c = PACK_ENEMY_GRAPHIC_FIRST + 2;
    const struct {
        const char* step;
        int position;
        std::vector<int> loads;
        const char16_t* heading;
    } steps[] = {
        {"A", 0, {a}, u"エー"},
        {"B with the same graphic", 1, {a}, u"ビー"},
        {"C with another", 2, {a, c}, u"シー"},
        {"C again", 2, {a, c}, u"シー"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        Choose(s.position);
        EXPECT_EQ(pack.loads, s.loads);
        EXPECT_EQ(menu().markers[3], s.position) << "the kind chosen stays shown";
        const auto drawn = DrawPage();
        EXPECT_NE(FindText(drawn, s.heading, 1), nullptr);
        EXPECT_EQ(PictureDraws(), 1);
    }
    // Leaving releases the picture; coming back and choosing A shows A again.
    PushButton(kCancel);
    EXPECT_EQ(menu().mode, MenuInfo);
    EXPECT_EQ(menu().enemyPicture, nullptr);
    EXPECT_EQ(menu().markers[3], -1);
    PushButton(kConfirm);
    ASSERT_EQ(menu().mode, MenuInfoEnemies);
    Choose(0);
    EXPECT_EQ(pack.loads, (std::vector<int>{a, c, a}));
    const auto drawn = DrawPage();
    EXPECT_NE(FindText(drawn, u"エー", 1), nullptr);
    EXPECT_EQ(PictureDraws(), 1);
    PushButton(kMenuButton);
    EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    EXPECT_EQ(menu().enemyPicture, nullptr);
}

TEST_F(EnemyRecordsTest, AFailedPictureShowsTheNewTextsWithoutAQuadAndIsTriedAgain)
{
    PutName(Kind(0), u"エー");
    PutName(Kind(1), u"ビー");
    GivePicture(0, 128, 128);
    Meet({0, 1}, kDefeatedOnce);
    Kind(1).Level = 42;
    OpenRecords();
    Choose(0);
    Choose(1); // graphic 1 is not in the pack
    EXPECT_EQ(menu().enemyPicture, nullptr);
    EXPECT_EQ(menu().markers[2], -1);
    auto drawn = DrawPage();
    EXPECT_NE(FindText(drawn, u"ビー", 1), nullptr);
    EXPECT_NE(FindText(drawn, u"42"), nullptr) << "the new kind's texts";
    EXPECT_TRUE(device.draws.empty() || std::none_of(device.draws.begin(), device.draws.end(),
                                                     [](const auto& d) { return d.texture != nullptr; }))
        << "no picture quad";
    const auto before = pack.loads.size();
    GivePicture(1, 128, 128);
    Choose(1);
    EXPECT_EQ(pack.loads.size(), before + 1) << "choosing it again tries again";
    ASSERT_NE(menu().enemyPicture, nullptr);
    EXPECT_EQ(menu().markers[2], 1);
}

TEST_F(EnemyRecordsTest, ListEntriesWithoutAKindShowNoRowAndCannotBeChosen)
{
    Meet({5});
    OpenRecords();
    data().enemyList[1] = 300;
    data().enemyList[2] = 6;
    data().enemyListCount = 3;
    menu().RefreshMenuList(MenuInfoEnemies, false);
    LoadedEnemyKinds().resize(6); // kind 6 has no definition now
    const auto drawn = DrawPage();
    EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(), [](const DrawnText& d) { return d.text == u"テキ"; }), 1);
    for (int position : {1, 2}) {
        Choose(position);
        EXPECT_EQ(TakeSounds(), std::vector<int>{kRefusedSound});
        EXPECT_EQ(menu().markers[3], -1);
    }
    menu().SelectRecordsEnemy(300);
    EXPECT_EQ(menu().markers[3], -1);
    EXPECT_TRUE(pack.loads.empty());
}

TEST_F(EnemyRecordsTest, SixteenRowsAPageWithItsPageTextOnlyWhenThereAreMore)
{
    for (int count : {3, 20}) {
        SCOPED_TRACE(count);
        std::fill(std::begin(data().enemyRecords), std::end(data().enemyRecords), 0);
        for (int k = 0; k < count; ++k)
            data().enemyRecords[k] = kMet;
        OpenRecords();
        const auto drawn = DrawPage();
        const auto rows =
            std::count_if(drawn.begin(), drawn.end(), [](const DrawnText& d) { return d.text == u"テキ"; });
        EXPECT_EQ(rows, std::min(count, 16));
        const std::u16string pageText(menu().pageLines[0].text, menu().pageLines[0].length);
        EXPECT_EQ(FindText(drawn, pageText) != nullptr, count > 16);
        EXPECT_EQ(FindText(drawn, u"宝"), nullptr) << "no detail before a kind is chosen";
    }
}

TEST_F(EnemyRecordsTest, TheListWindowHoldsTheRowsAndPageTextOfEveryPage)
{
    constexpr int kRight = 8;
    constexpr float kRowHeight = 24.0f, kInsideEdge = 10.0f;
    for (int count : {3, 16, 20, 33}) {
        SCOPED_TRACE(count);
        std::fill(std::begin(data().enemyRecords), std::end(data().enemyRecords), 0);
        for (int k = 0; k < count; ++k)
            data().enemyRecords[k] = kMet;
        OpenRecords();
        const int pages = (count + 15) / 16;
        for (int page = 0; page < pages; ++page) {
            SCOPED_TRACE(page);
            ASSERT_EQ(menu().mainList.page, page);
            const auto drawn = DrawPage();
            float lowest = 0.0f;
            for (const DrawnText& d : drawn)
                if (d.text == u"テキ")
                    lowest = std::max(lowest, d.y);
            float bottomNeeded = lowest + kRowHeight + kInsideEdge;
            if (pages > 1) {
                const std::u16string pageText(menu().pageLines[0].text, menu().pageLines[0].length);
                const DrawnText* line = FindText(drawn, pageText);
                ASSERT_NE(line, nullptr);
                EXPECT_GE(line->y, lowest + kRowHeight) << "the page text below the last row";
                bottomNeeded = line->y + kRowHeight + kInsideEdge;
            }
            EXPECT_GE(rect(21).bottom, bottomNeeded);
            keys.Press(kRight);
            Frame();
            keys.ReleaseAll();
        }
    }
}

} // namespace
} // namespace menutest
