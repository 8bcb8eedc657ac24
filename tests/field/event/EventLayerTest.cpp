// The event layer as drawn: which picture lands in which screen cell, the
// resting pictures of disabled switches and traps, the pictures that have
// nothing to show, the wrap of a looping map, and lit maps with their dark
// cells; the page arrows fading over a list's counter; the message window.
#include <algorithm>
#include <cmath>
#include <map>

#include "EventFixture.h"
#include "field/FieldLight.h"
#include "field/Map.h"

namespace fieldtest {
namespace {

using eventscript::Record;
using eventscript::Script;

using EventLayerTest = EventTest;

// Drawn pictures by screen cell: the atlas cell index from the texture corner.
std::map<std::pair<int, int>, int> DrawnPictures(fakes::RecordingDevice& device, CEvent& event)
{
    device.draws.clear();
    event.DrawEventLayer();
    std::map<std::pair<int, int>, int> drawn;
    for (const auto& draw : device.draws) {
        const auto v0 = draw.VertexAt<TexturedVertex>(0);
        const int column = static_cast<int>(std::floor((v0.x + 0.5f) / 32.0f + 0.5f));
        const int row = static_cast<int>(std::floor((v0.y + 0.5f) / 32.0f + 0.5f));
        const int index = static_cast<int>(v0.u * 8.0f + 0.5f) + 8 * static_cast<int>(v0.v * 8.0f + 0.5f);
        drawn[{column, row}] = index;
    }
    return drawn;
}

TEST_F(EventLayerTest, PicturesLandOnTheirCellsOrNotAtAll)
{
    std::vector<Record> records = {
        {1, 1, 0, 0, 0, 5, 0, true, {}},   {2, 1, 0, 0, 0, 64, 0, true, {}}, {3, 1, 0, 0, 0, 65, 0, true, {}},
        {4, 1, 0, 0, 0, 127, 0, true, {}}, {5, 1, 0, 0, 0, 0, 0, true, {}},  {6, 1, 0, 0, 0, 9, 0, true, {}},
        {7, 1, 0, 0, 0, 39, 0, true, {}},  {8, 1, 0, 0, 0, 53, 0, true, {}}, {-1, 1, 0, 0, 0, 5, 0, true, {}},
    };
    // Records 5 to 7 are disabled by their flag.
    for (int i = 5; i <= 7; ++i)
        records[static_cast<std::size_t>(i)].conditionFlag = 60;
    ASSERT_TRUE(EnterWith(records));
    const auto drawn = DrawnPictures(device, event());
    const std::map<std::pair<int, int>, int> expected = {
        {{1, 1}, 4},
        {{2, 1}, 63},
        {{7, 1}, 38},
        {{8, 1}, 52},
    };
    EXPECT_EQ(drawn, expected);
    // Every quad takes the field's brightness.
    SetDrawBrightness(128);
    device.draws.clear();
    event().DrawEventLayer();
    ASSERT_FALSE(device.draws.empty());
    EXPECT_EQ(device.draws[0].VertexAt<TexturedVertex>(0).colour, 0xFF808080u);
}

TEST_F(EventLayerTest, APictureTakesItsWholeAtlasCellAndTheViewsFirstCellsShow)
{
    // Picture 10 is atlas cell 9: column 1, row 1 of the 8 × 8 atlas.
    ASSERT_TRUE(EnterWith({Record{0, 0, 0, 0, 0, 10, 0, true, {}}}));
    device.draws.clear();
    event().DrawEventLayer();
    ASSERT_EQ(device.draws.size(), 1u) << "the view's first column and row show";
    const float corners[4][2] = {{1, 1}, {2, 1}, {1, 2}, {2, 2}};
    for (int i = 0; i < 4; ++i) {
        const auto v = device.draws[0].VertexAt<TexturedVertex>(static_cast<std::size_t>(i));
        EXPECT_FLOAT_EQ(v.u, corners[i][0] / 8.0f) << i;
        EXPECT_FLOAT_EQ(v.v, corners[i][1] / 8.0f) << i;
        EXPECT_FLOAT_EQ(v.x, (i & 1 ? 32.0f : 0.0f) - 0.5f);
        EXPECT_FLOAT_EQ(v.y, (i & 2 ? 32.0f : 0.0f) - 0.5f);
    }
    // Scrolled down two rows, cell (3, 5) stands three rows from the top.
    map().scrollX = 0.0f;
    map().scrollY = 64.0f;
    map().UpdateScrollCells();
    float x = 0.0f, y = 0.0f;
    EXPECT_TRUE(event().CellToScreen(3, 5, x, y));
    EXPECT_FLOAT_EQ(x, 96.0f);
    EXPECT_FLOAT_EQ(y, 96.0f);
    EXPECT_FALSE(event().CellToScreen(3, 1, x, y)) << "above the view";
}

TEST_F(EventLayerTest, AnItemMessagesIconIsWipedInFromItsLeftEdge)
{
    Run(Script().GetItem(0, 1, 0).End());
    struct WipeCase {
        int front; // pixels from the icon's left edge
        float width;
        int leftAlpha, rightAlpha;
    };
    const WipeCase cases[] = {
        {10, 10.0f, 255 - 2 * 117, 0}, // cut at the front, its edge still clear
        {50, 24.0f, 255 - 2 * 77, 255 - 2 * (24 - (50 - 127))},
        {140, 24.0f, 255, 255 - 2 * (24 - 13)},
        {151, 24.0f, 255, 255},
    };
    for (const WipeCase& c : cases) {
        SCOPED_TRACE(c.front);
        event().phase = 0;
        event().revealCounter = c.front - 26;
        device.draws.clear();
        event().DrawEvent();
        const fakes::DrawnPrimitive* icon = nullptr;
        for (const auto& draw : device.draws)
            if (draw.texture == event().iconSheet->texture)
                icon = &draw;
        ASSERT_NE(icon, nullptr);
        const auto left = icon->VertexAt<TexturedVertex>(0);
        const auto right = icon->VertexAt<TexturedVertex>(3);
        EXPECT_FLOAT_EQ(right.x - left.x, c.width);
        EXPECT_EQ(static_cast<int>(left.colour >> 24), std::max(c.leftAlpha, 0));
        EXPECT_EQ(static_cast<int>(right.colour >> 24), std::max(c.rightAlpha, 0));
        // The cut edge takes the texture as far as it shows.
        const float u0 = event().iconU[0][0];
        const float u1 = event().iconU[0][1];
        EXPECT_FLOAT_EQ(right.u, u0 + (u1 - u0) * c.width / 24.0f);
        EXPECT_FLOAT_EQ(icon->VertexAt<TexturedVertex>(1).u, right.u);
    }
    // The description lines' icons, the first category's included.
    device.draws.clear();
    event().DrawEventIcon(0, 0.0f, 1);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_FLOAT_EQ(device.draws[0].VertexAt<TexturedVertex>(0).y, 350.0f + 32.0f - 0.5f);
}

TEST_F(EventLayerTest, ABlockShowsInFrontOfThePicturesOnItsCell)
{
    // A block listed before the plate it stands on, and a switch listed after a block.
    ASSERT_TRUE(EnterWith({Record{3, 2, 0, 0, 0, 30, 0, false, {}}, Record{3, 2, 0, 0, 8, 37, 0, true, {}},
                           Record{4, 2, 0, 0, 0, 30, 0, false, {}}, Record{6, 2, 0, 0, 4, 35, 0, true, {}}}));
    device.draws.clear();
    event().DrawEventLayer();
    std::vector<float> depths;
    for (const auto& draw : device.draws)
        depths.push_back(draw.VertexAt<TexturedVertex>(0).z);
    // Nothing tests depth: what is drawn last covers, so the blocks (0.69) come after the rest (0.7).
    EXPECT_EQ(depths, (std::vector<float>{0.7f, 0.7f, 0.69f, 0.69f}));
    EXPECT_EQ(DrawnPictures(device, event()).at({3, 2}), 29) << "the block, not the plate";
}

TEST_F(EventLayerTest, ARecordLeftOfTheViewOnALoopingMapShowsAtTheRightEdge)
{
    // A looping map as wide as the screen, scrolled half a cell past column 1:
    // column 0 stands one cell left of the view's first column.
    ASSERT_TRUE(Enter(
        MapBlobBuilder(20, 15).Looping().Events(eventscript::EventArea({Record{0, 2, 0, 0, 0, 5, 0, true, {}}}), 1), 5,
        5));
    map().scrollX = 48.0f;
    map().scrollY = 0.0f;
    map().UpdateScrollCells();
    float x = 0.0f, y = 0.0f;
    EXPECT_TRUE(event().CellToScreen(0, 2, x, y));
    EXPECT_FLOAT_EQ(x, 19 * 32.0f - 16.0f);
    EXPECT_FLOAT_EQ(y, 64.0f);
    device.draws.clear();
    event().DrawEventLayer();
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_FLOAT_EQ(device.draws[0].VertexAt<TexturedVertex>(0).x, 19 * 32.0f - 16.5f);
}

TEST_F(EventLayerTest, OnALitMapRecordsTakeTheirCellsLightTimesTheBrightnessAndDarkOnesAreSkipped)
{
    // The player at (5, 5) lights (9, 5), its right edge in the fading ring;
    // (18, 13) lies far out in the dark.
    ASSERT_TRUE(Enter(
        MapBlobBuilder(24, 18).Lit().Events(
            eventscript::EventArea({Record{9, 5, 0, 0, 0, 5, 0, true, {}}, Record{18, 13, 0, 0, 0, 6, 0, true, {}}}),
            2),
        5, 5));
    ASSERT_TRUE(map().IsLitMap());
    float x = 0.0f, y = 0.0f;
    ASSERT_TRUE(event().CellToScreen(9, 5, x, y));
    const int c = static_cast<int>(x - map().cellOffsetX) / 32;
    const int r = static_cast<int>(y - map().cellOffsetY) / 32;
    const std::uint32_t light[4] = {
        map().lightGrid[c * CMap::kLightRows + r], map().lightGrid[(c + 1) * CMap::kLightRows + r],
        map().lightGrid[c * CMap::kLightRows + r + 1], map().lightGrid[(c + 1) * CMap::kLightRows + r + 1]};
    ASSERT_EQ(light[0], 0xFFFFFFFFu);
    ASSERT_TRUE(HasLight(light[1]) && light[1] != light[0]) << "each corner shows its own light";

    struct Case {
        const char* what;
        std::uint32_t brightness;
        bool litRecordDrawn;
    };
    const Case cases[] = {
        {"full brightness", 0xFFFFFFFFu, true},
        {"half way through a fade", 0xFF808080u, true},
        {"black: the lit record is dark once multiplied", 0xFF000000u, false},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.what);
        DrawBrightnessColor = cs.brightness;
        device.draws.clear();
        event().DrawEventLayer();
        ASSERT_EQ(device.draws.size(), cs.litRecordDrawn ? 1u : 0u) << "the record in the dark is never drawn";
        if (!cs.litRecordDrawn)
            continue;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t expected =
                cs.brightness == 0xFFFFFFFFu ? light[i] : MultiplyColor(light[i], cs.brightness);
            EXPECT_EQ(device.draws[0].VertexAt<TexturedVertex>(i).colour, expected) << "corner " << i;
        }
    }

    // A block on its way takes the field's brightness wherever it is.
    event().pushedRecord = event().Record(1);
    DrawBrightnessColor = 0xFF808080u;
    device.draws.clear();
    event().DrawEventLayer();
    ASSERT_EQ(device.draws.size(), 2u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(device.draws[1].VertexAt<TexturedVertex>(i).colour, 0xFF808080u);
    event().ClearPushBlock();
    SetDrawBrightness(255);
}

TEST_F(EventLayerTest, ThePageArrowsFadeOutOneAfterAnotherOverTheListsCounter)
{
    ASSERT_TRUE(EnterWith({}));
    constexpr float kLeft = 100.0f, kRight = 400.0f, kBottom = 300.0f, kDepth = 0.2f;
    struct Frame {
        int t;
        int alpha[3]; // arrow k's alpha, -1 when it is not drawn
    };
    // Arrow k shows while 6k <= t < 6k + 40, at 255 - (t - 6k) * 255 / 40.
    const Frame frames[] = {
        {0, {255, -1, -1}}, {5, {224, -1, -1}}, {6, {217, 255, -1}}, {20, {128, 166, 204}}, {39, {7, 45, 83}},
        {40, {-1, 39, 77}}, {45, {-1, 7, 45}},  {46, {-1, -1, 39}},  {51, {-1, -1, 7}},     {52, {-1, -1, -1}},
    };
    for (const Frame& f : frames) {
        SCOPED_TRACE(f.t);
        device.draws.clear();
        event().DrawFadedQuads(kLeft, kRight, kBottom, kDepth, f.t, 1, 3);
        std::size_t at = 0;
        for (int group = 0; group < 2; ++group) {
            for (int pass = 0; pass < 2; ++pass) {
                const bool shadow = pass == 0;
                for (int k = 0; k < 3; ++k) {
                    if (f.alpha[k] < 0)
                        continue;
                    ASSERT_LT(at, device.draws.size());
                    const auto corner = device.draws[at++].VertexAt<TexturedVertex>(0);
                    const float x = group == 0 ? kLeft + 6 + 18 - 9 * k : kRight - 26 - 18 + 9 * k;
                    const float shift = shadow ? 2.0f : 0.0f;
                    EXPECT_FLOAT_EQ(corner.x, x + shift - 0.5f) << "group " << group << " arrow " << k;
                    EXPECT_FLOAT_EQ(corner.y, kBottom - 32 + shift - 0.5f);
                    EXPECT_FLOAT_EQ(corner.z, kDepth + 0.0001f * static_cast<float>(2 - k) + (shadow ? 0.0003f : 0.0f));
                    EXPECT_EQ(corner.colour, static_cast<std::uint32_t>(f.alpha[k]) << 24 | (shadow ? 0u : 0xFFFFFFu))
                        << "group " << group << " arrow " << k;
                    // The right group is the frame mirrored.
                    EXPECT_FLOAT_EQ(corner.u, event().spriteU[2][group == 0 ? 0 : 1]);
                }
            }
        }
        EXPECT_EQ(at, device.draws.size());
    }
    // The first page has no left group, the last no right one.
    const auto drawnXs = [this](int page) {
        device.draws.clear();
        event().DrawFadedQuads(kLeft, kRight, kBottom, kDepth, 0, page, 3);
        std::vector<float> xs;
        for (const auto& draw : device.draws)
            xs.push_back(draw.VertexAt<TexturedVertex>(0).x);
        return xs;
    };
    EXPECT_EQ(drawnXs(0), (std::vector<float>{kRight - 44 + 2 - 0.5f, kRight - 44 - 0.5f}));
    EXPECT_EQ(drawnXs(2), (std::vector<float>{kLeft + 24 + 2 - 0.5f, kLeft + 24 - 0.5f}));
}

TEST_F(EventLayerTest, TheMessageWindowDrawsItsTextMarkerAndIcon)
{
    Run(Script().GetItem(0, 1, 0).End());
    text.drawn.clear();
    device.draws.clear();
    event().DrawEvent();
    ASSERT_EQ(text.drawn.size(), 1u);
    EXPECT_EQ(text.drawn[0].text, u"回復薬を手に入れた");
    EXPECT_FLOAT_EQ(text.drawn[0].x, 56.0f + 26.0f);
    EXPECT_EQ(text.drawn[0].reveal, event().revealCounter);
    // The icon's wipe starts behind its left edge: nothing of it shows yet.
    int iconQuads = 0;
    for (const auto& draw : device.draws)
        iconQuads += draw.texture == event().iconSheet->texture;
    EXPECT_EQ(iconQuads, 0);
    EXPECT_FALSE(device.draws.empty()) << "the message window";
    RunToEndOfTyping();
    text.drawn.clear();
    device.draws.clear();
    event().DrawEvent();
    EXPECT_EQ(text.drawn[0].reveal, 0x7FFFFFFF);
    int spriteQuads = 0;
    for (const auto& draw : device.draws) {
        iconQuads += draw.texture == event().iconSheet->texture;
        spriteQuads += draw.texture == event().spriteSheet->texture;
    }
    EXPECT_EQ(iconQuads, 1);
    EXPECT_EQ(spriteQuads, 1) << "the page marker";
}

} // namespace
} // namespace fieldtest
