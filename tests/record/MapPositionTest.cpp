#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CurrentMapStub.h"
#include "GameWorld.h"
#include "field/MapBlob.h"
#include "core/PlaceNames.h"
#include "fakes/QuietTextTexture.h"
#include "record/Pipkorn.h"
#include "core/ZephGlobals.h"

namespace {

struct StepCase {
    bool looping;
    int x, y, direction;
    bool inside;
    int toX, toY;
};

// A step leaves a plain map (the coordinates still move) and wraps on a
// looping one, here 40 × 30 cells.
TEST(MapPositionTest, StepOnPlainAndLoopingMaps)
{
    const StepCase cases[] = {
        {true, 0, 5, 1, true, 39, 5},    {false, 0, 5, 1, false, -1, 5},  {true, 39, 5, 3, true, 0, 5},
        {false, 39, 5, 3, false, 40, 5}, {true, 5, 0, 0, true, 5, 29},    {false, 5, 0, 0, false, 5, -1},
        {true, 5, 29, 2, true, 5, 0},    {false, 5, 29, 2, false, 5, 30}, {false, 5, 5, 2, true, 5, 6},
        {false, 5, 5, 0, true, 5, 4},    {false, 5, 5, 1, true, 4, 5},    {false, 5, 5, 3, true, 6, 5},
        {false, 5, 5, 4, true, 5, 5},    {false, 0, 0, 4, true, 0, 0},
    };
    testsupport::GameWorld world;
    GameData data;
    CurrentMapStub current;
    for (const StepCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.looping << " (" << c.x << "," << c.y << ") dir " << c.direction);
        current.Enter(40, 30, c.looping ? mapblob::kFlagALooping : 0u, 0u);
        int x = c.x;
        int y = c.y;
        EXPECT_EQ(data.StepMapPosition(x, y, c.direction), c.inside);
        EXPECT_EQ(x, c.toX);
        EXPECT_EQ(y, c.toY);
    }
    // Without a current map nothing is inside; the step still happens.
    current.Leave();
    int x = 3;
    int y = 3;
    EXPECT_FALSE(data.StepMapPosition(x, y, 3));
    EXPECT_EQ(x, 4);
}

// Measures 20 pixels a character, or fails.
class MeasuringText final : public fakes::QuietTextTexture {
public:
    int GetStringWidth(const char16_t* text, int length) override
    {
        measured.emplace_back(text, static_cast<std::size_t>(length));
        return failing ? -1 : 20 * length;
    }

    std::vector<std::u16string> measured;
    bool failing = false;
};

struct AreaCase {
    int place;
    const char16_t* mapName;
    bool failing;
    int placeLength, mapLength;
    float placeWidth;
    float left; // the window runs from here to 610, from y 416 to 460
};

// The window holds the place's name and, 12 pixels on, the map's own name.
TEST(MapPositionTest, AreaNameWindow)
{
    const AreaCase cases[] = {
        {0, u"村長の家", false, 6, 4, 132.0f, 590.0f - (120 + 12 + 80)},
        {0, u"", false, 6, 0, 132.0f, 590.0f - 120},
        {11, nullptr, false, 8, 0, 172.0f, 590.0f - 160},
        {34, u"家", false, 0, 1, 12.0f, 590.0f - (12 + 20)}, // no such place
        {-1, u"", false, 0, 0, 12.0f, 590.0f},
        {1, u"家", true, 5, 1, 12.0f, 590.0f - 12}, // measuring fails: no width
    };
    MeasuringText text;
    ZephTextTexture = &text;
    for (const AreaCase& c : cases) {
        SCOPED_TRACE(c.place);
        text.failing = c.failing;
        GameData data;
        data.LayoutAreaNameWindow(c.place, c.mapName);
        EXPECT_EQ(data.placeNameLength, c.placeLength);
        EXPECT_EQ(data.mapNameLength, c.mapLength);
        EXPECT_FLOAT_EQ(data.placeNameWidth, c.placeWidth);
        ColouredVertex expected[CFixedWindowSet::kFrameVertexCount];
        CFixedWindowSet::BuildWindowFrame(expected, c.left, 416.0f, 610.0f, 460.0f, CFixedWindowSet::kBorderWidth);
        for (int v = 0; v < CFixedWindowSet::kFrameVertexCount; ++v) {
            EXPECT_FLOAT_EQ(data.frames[FRAME_PLACE_NAME][v].x, expected[v].x) << v;
            EXPECT_FLOAT_EQ(data.frames[FRAME_PLACE_NAME][v].y, expected[v].y) << v;
        }
    }
    ZephTextTexture = nullptr;
    ASSERT_GE(text.measured.size(), 2u);
    EXPECT_EQ(text.measured[0], u"ピプコンの村");
    EXPECT_EQ(text.measured[1], u"村長の家");
}

// A few rows of the place names, spread over the table.
TEST(MapPositionTest, PlaceNames)
{
    const std::pair<int, std::u16string> rows[] = {
        {0, u"ピプコンの村"}, {11, u"ヘンテツナイの村"}, {12, u"魅惑の洞窟"}, {23, u"曲がらずの森"},
        {24, u"コオリの村"},  {31, u"天涯の搭"},         {33, u"漆黒の洞窟"},
    };
    for (const auto& [place, name] : rows)
        EXPECT_EQ(PlaceNameTable[place], name) << place;
}

} // namespace
