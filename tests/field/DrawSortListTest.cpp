// The map draw-order list: what is collected, the stable sort by y with its
// cap, and the colour rules of dark maps, fading symbols and clipped objects.
#include <algorithm>
#include <numeric>

#include "field/DrawSortObject.h"
#include "FieldFixture.h"
#include "core/Random.h"

namespace fieldtest {
namespace {

class DrawSortListTest : public FieldTest {
protected:
    void SetUp() override
    {
        FieldTest::SetUp();
        ASSERT_TRUE(Enter(MapBlobBuilder(40, 30), 20, 15));
    }
    void TearDown() override
    {
        parts->objects.symbolList = nullptr;
        parts->objects.objectList = nullptr;
        FieldTest::TearDown();
    }

    // Links records into the objects part's lists in vector order.
    void LinkSymbols(std::vector<MapSymbolRecord>& symbols)
    {
        for (std::size_t i = 0; i < symbols.size(); ++i)
            symbols[i].next = i + 1 < symbols.size() ? &symbols[i + 1] : nullptr;
        parts->objects.symbolList = symbols.empty() ? nullptr : &symbols[0];
    }
    void LinkObjects(std::vector<MapObjectRecord>& objects)
    {
        for (std::size_t i = 0; i < objects.size(); ++i)
            objects[i].next = i + 1 < objects.size() ? &objects[i + 1] : nullptr;
        parts->objects.objectList = objects.empty() ? nullptr : &objects[0];
    }
    // The drawing order as the records' addresses (null for the player).
    std::vector<const void*> DrawOrder()
    {
        std::vector<const void*> drawn;
        for (int i = 0; i < sortList().count; ++i)
            drawn.push_back(sortList().entries[sortList().order[i]].object);
        return drawn;
    }
    static TexturedVertex Corner(float x, float y)
    {
        TexturedVertex v{};
        v.x = x;
        v.y = y;
        v.colour = 0xFFFFFFFFu;
        return v;
    }
};

TEST_F(DrawSortListTest, ARecordIsCollectedOnlyWhileSomeOfItIsOnTheScreen)
{
    map().scrollX = 100.0f;
    map().scrollY = 100.0f;
    const struct {
        float screenX, screenY;
        bool collected;
    } cases[] = {
        {-31.9f, 10, true}, {-32.0f, 10, false}, {639.9f, 10, true}, {640.0f, 10, false},
        {10, -31.9f, true}, {10, -32.0f, false}, {10, 479.9f, true}, {10, 480.0f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.screenX) + ", " + std::to_string(c.screenY));
        std::vector<MapObjectRecord> objects(1);
        objects[0].x = c.screenX + 100.0f;
        objects[0].y = c.screenY + 100.0f;
        LinkObjects(objects);
        sortList().MakeMapSortList();
        EXPECT_EQ(sortList().count, c.collected ? 2 : 1);
        if (c.collected) {
            EXPECT_FLOAT_EQ(sortList().entries[0].x, c.screenX);
            EXPECT_EQ(sortList().entries[0].kind, CDrawSortObject::kObject);
        }
    }
}

TEST_F(DrawSortListTest, OnALoopingMapRecordsComeInFromTheOtherSide)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(64, 30).Looping(), 20, 15));
    const struct {
        float scrollX, mapX, screenX;
    } cases[] = {{1600, 100, 548}, {0, 2030, -18}, {0, 300.7f, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mapX);
        map().scrollX = c.scrollX;
        map().scrollY = 0.0f;
        std::vector<MapSymbolRecord> symbols(1);
        symbols[0].x = c.mapX;
        symbols[0].y = 64.0f;
        LinkSymbols(symbols);
        sortList().MakeMapSortList();
        ASSERT_EQ(sortList().count, 2);
        EXPECT_EQ(sortList().entries[0].x, c.screenX);
    }
}

TEST_F(DrawSortListTest, EqualHeightsKeepCollectionOrderWithThePlayerLast)
{
    map().scrollX = map().scrollY = 0.0f;
    player().screenX = 300.0f;
    player().screenY = 200.0f;
    std::vector<MapSymbolRecord> symbols(3);
    symbols[0].x = 10;
    symbols[0].y = 200;
    symbols[1].x = 20;
    symbols[1].y = 250;
    symbols[2].x = 30;
    symbols[2].y = 200;
    std::vector<MapObjectRecord> objects(2);
    objects[0].x = 40;
    objects[0].y = 200;
    objects[1].x = 50;
    objects[1].y = 100;
    LinkSymbols(symbols);
    LinkObjects(objects);
    sortList().MakeMapSortList();
    const std::vector<const void*> expected = {&objects[1], &symbols[0], &symbols[2],
                                               &objects[0], nullptr,     &symbols[1]};
    EXPECT_EQ(DrawOrder(), expected);
}

TEST_F(DrawSortListTest, TheSortMatchesAStableSortOnManyTies)
{
    map().scrollX = map().scrollY = 0.0f;
    SeedGameRandom(7);
    for (int size : {0, 1, 2, 3, 17, 500, 1100}) {
        SCOPED_TRACE(size);
        std::vector<MapSymbolRecord> symbols(static_cast<std::size_t>(size));
        for (auto& symbol : symbols) {
            symbol.x = static_cast<float>(GameRandom() % 600);
            symbol.y = static_cast<float>(GameRandom() % 12 * 32);
        }
        LinkSymbols(symbols);
        player().screenY = 96.0f;
        sortList().MakeMapSortList();
        std::vector<int> expected(static_cast<std::size_t>(sortList().count));
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](int a, int b) { return sortList().entries[a].y < sortList().entries[b].y; });
        const std::vector<int> actual(sortList().order, sortList().order + sortList().count);
        EXPECT_EQ(actual, expected);
    }
}

TEST_F(DrawSortListTest, OnlyTheFirst1023RecordsAreTakenAndThePlayerAlwaysHasAPlace)
{
    map().scrollX = map().scrollY = 0.0f;
    std::vector<MapSymbolRecord> symbols(1200);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        symbols[i].x = static_cast<float>(i % 600);
        symbols[i].y = static_cast<float>(i % 400);
    }
    std::vector<MapObjectRecord> objects(1);
    objects[0].x = objects[0].y = 5.0f;
    LinkSymbols(symbols);
    LinkObjects(objects);
    sortList().MakeMapSortList();
    ASSERT_EQ(sortList().count, 1024);
    for (int i = 0; i < 1023; ++i)
        ASSERT_EQ(sortList().entries[i].object, &symbols[static_cast<std::size_t>(i)]);
    EXPECT_EQ(sortList().entries[1023].kind, CDrawSortObject::kPlayer);
    const auto order = DrawOrder();
    EXPECT_EQ(std::count(order.begin(), order.end(), nullptr), 1);
    EXPECT_EQ(std::count(order.begin(), order.end(), &objects[0]), 0);
}

TEST_F(DrawSortListTest, LightFallsOffWithDistanceFromThePlayer)
{
    const float centre[2] = {100.0f, 100.0f};
    const struct {
        float distance;
        std::uint32_t colour;
    } cases[] = {{0, 0xFFFFFFFF},   {100, 0xFFFFFFFF}, {135.7f, 0xFFFFFFFF},
                 {200, 0xFF868686}, {271, 0xFF010101}, {300, 0xFF000000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.distance);
        TexturedVertex quad[4] = {Corner(100 + c.distance, 100), Corner(100, 100 - c.distance),
                                  Corner(100 - c.distance, 100), Corner(100, 100 + c.distance)};
        const bool drawn = CDrawSortObject::ApplyLightFalloff(quad, centre);
        for (const auto& vertex : quad)
            EXPECT_EQ(vertex.colour, c.colour);
        EXPECT_EQ(drawn, c.colour != 0xFF000000u);
    }
    // The field's brightness darkens the light further.
    SetDrawBrightness(128);
    TexturedVertex quad[4] = {Corner(100, 100), Corner(300, 100), Corner(100, 300), Corner(400, 400)};
    EXPECT_TRUE(CDrawSortObject::ApplyLightFalloff(quad, centre));
    EXPECT_EQ(quad[0].colour, 0xFF808080u);
    EXPECT_EQ(quad[1].colour, 0xFF434343u); // 134 × 128 / 255
    EXPECT_EQ(quad[3].colour, 0xFF000000u);
}

TEST_F(DrawSortListTest, SymbolsFadeInAndStayTranslucentWhileCoolingDown)
{
    const struct {
        int t;
        bool drawn;
        std::uint32_t alpha;
    } fades[] = {{127, true, 2}, {128, false, 0}, {0, true, 255}, {64, true, 128}};
    for (const auto& c : fades) {
        SCOPED_TRACE(c.t);
        TexturedVertex quad[4] = {Corner(0, 0), Corner(1, 0), Corner(0, 1), Corner(1, 1)};
        quad[2].colour = 0xFF123456u;
        EXPECT_EQ(CDrawSortObject::ApplyFadeAlpha(quad, c.t), c.drawn);
        if (c.drawn) {
            EXPECT_EQ(quad[0].colour >> 24, c.alpha);
            EXPECT_EQ(quad[2].colour & 0xFFFFFFu, 0x123456u);
        }
    }
    const struct {
        int t;
        std::uint32_t alpha;
    } cooling[] = {{200, 64}, {24, 64}, {23, 72}, {1, 248}};
    for (const auto& c : cooling) {
        TexturedVertex quad[4] = {Corner(0, 0), Corner(1, 0), Corner(0, 1), Corner(1, 1)};
        CDrawSortObject::ApplyCounterAlpha(quad, c.t);
        EXPECT_EQ(quad[3].colour >> 24, c.alpha) << c.t;
    }
}

TEST_F(DrawSortListTest, AMapObjectShowsOnlyThePartOnTheVisibleSideOfItsCellBorder)
{
    const struct {
        const char* what;
        int direction, phase;
        float x, y; // map pixels; the cell is (3, 4)
        bool drawn;
        float a, b;
    } cases[] = {
        {"phase 3 hides it", 3, 3, 100, 128, false, 0, 0},
        {"phase 0 on the border hides it", 3, 0, 96, 128, false, 0, 0},
        {"phase 1 shows it whole", 3, 1, 100, 128, true, 0, 32},
        {"phase 0 shows the leading part", 3, 0, 106, 128, true, 0, 10},
        {"phase 2 shows the trailing part", 2, 2, 96, 140, true, 12, 32},
        {"direction outside 0-3", 4, 1, 96, 128, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MapObjectRecord object{};
        object.cellX = 3;
        object.cellY = 4;
        object.direction = static_cast<std::int8_t>(c.direction);
        object.phase = static_cast<std::uint8_t>(c.phase);
        object.x = c.x;
        object.y = c.y;
        const MapSortEntry entry{50.0f, 60.0f, CDrawSortObject::kObject, &object};
        TexturedVertex quad[4] = {};
        ASSERT_EQ(sortList().SetMapObjectQuad(object, quad, entry), c.drawn);
        if (!c.drawn)
            continue;
        const float scale = sortList().texelScale;
        EXPECT_FLOAT_EQ(quad[0].u, c.a / 32 * scale);
        EXPECT_FLOAT_EQ(quad[1].u, c.b / 32 * scale);
        if (c.direction == 3) {
            // Laid right to left from the leading (right) end, the top band at the bottom.
            EXPECT_FLOAT_EQ(quad[0].x, 49.5f + 32 - c.a);
            EXPECT_FLOAT_EQ(quad[1].x, 49.5f + 32 - c.b);
            EXPECT_FLOAT_EQ(quad[0].y, 59.5f + 32);
        } else {
            EXPECT_FLOAT_EQ(quad[0].y, 59.5f + 32 - c.a);
            EXPECT_FLOAT_EQ(quad[1].y, 59.5f + 32 - c.b);
        }
    }
}

TEST_F(DrawSortListTest, OnADarkMapUnlitSymbolsAreNotDrawnButThePlayerAlwaysIs)
{
    ASSERT_TRUE(Enter(MapBlobBuilder(40, 30).Lit(), 20, 15));
    map().scrollX = map().scrollY = 0.0f;
    player().screenX = 100.0f;
    player().screenY = 100.0f;
    player().spriteColour = 0x80FFFFFFu;
    player().drawnPose = 13;
    std::vector<MapSymbolRecord> symbols(2);
    symbols[0].x = 150;
    symbols[0].y = 100; // near: lit
    symbols[1].x = 600;
    symbols[1].y = 400; // far: black
    LinkSymbols(symbols);
    sortList().MakeMapSortList();
    device.draws.clear();
    device.textureCalls.clear();
    sortList().DrawMapSortList();
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_LE(device.textureCalls.size(), 1u);
    // The player, drawn last at the same height, through its colour mask.
    const auto playerCorner = device.draws[1].VertexAt<TexturedVertex>(0);
    EXPECT_EQ(playerCorner.colour, 0x80FFFFFFu);
    EXPECT_EQ(playerCorner.x, 99.5f);
    EXPECT_FLOAT_EQ(playerCorner.u, 32.0f / 256); // atlas cell 13: column 1, row 3
    EXPECT_FLOAT_EQ(playerCorner.v, 96.0f / 256);
    EXPECT_LT(playerCorner.z, device.draws[0].VertexAt<TexturedVertex>(0).z);
}

} // namespace
} // namespace fieldtest
