// The game's own quads on the software device, checked pixel by pixel:
// framed windows and cursor frames in every colour set, the title picture
// stretched four times, and squares turned by quarter turns.
#include <memory>

#include "media/FixedWindowSet.h"
#include "media/RotatedSquare.h"
#include "SoftwareScreen.h"
#include "title/Title.h"

using visualtest::Over;
using visualtest::Picture;

namespace {

constexpr std::uint32_t kBackground = 0xFF204060u;

struct FrameColours {
    std::uint32_t edge;
    std::uint32_t inside;
};

// Colour sets 0, 1 and 2 of windows and of cursor frames.
constexpr FrameColours kWindowColours[3] = {
    {0xFFE0E0E0u, 0xE8707070u}, {0xFF707070u, 0xE8383838u}, {0x40000000u, 0xFFFFFFFFu}};
constexpr FrameColours kCursorColours[3] = {
    {0xFF888888u, 0xFFA2EEF0u}, {0xFF444444u, 0xFF517778u}, {0x40000000u, 0xFFE0E0E0u}};

struct Outline {
    int left, top, right, bottom;
};

// Counts the pixels of the screen that differ from one frame drawn once over
// the background: a two-pixel border of the edge colour around the inside
// colour, nothing outside. A seam shows as background, an overlap as a pixel
// blended twice.
int WrongFramePixels(const Picture& screen, const Outline& o, const FrameColours& colours)
{
    const std::uint32_t edge = Over(colours.edge, kBackground);
    const std::uint32_t inside = Over(colours.inside, kBackground);
    int wrong = 0;
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            std::uint32_t expected = kBackground;
            if (x >= o.left && x < o.right && y >= o.top && y < o.bottom) {
                const bool border = x < o.left + 2 || x >= o.right - 2 || y < o.top + 2 || y >= o.bottom - 2;
                expected = border ? edge : inside;
            }
            wrong += screen.At(x, y) != expected ? 1 : 0;
        }
    }
    return wrong;
}

class DrawingOnDevice : public visualtest::SoftwareScreenTest {
protected:
    std::unique_ptr<CFixedWindowSet> set = std::make_unique<CFixedWindowSet>();
};

TEST_F(DrawingOnDevice, FramesInEachColourSetArePixelExact)
{
    struct FrameCase {
        bool cursor;
        int index;
        Outline outline;
    };
    set->windowRects[5] = {100, 100, 200, 150};
    set->windowRects[6] = {10, 10, 14, 14}; // border only
    set->cursorRects[2] = {300, 200, 340, 218};
    set->InitFixedWindow();
    const FrameCase cases[] = {
        {false, 5, {100, 100, 200, 150}},
        {false, 0, {46, 340, 594, 480}}, // the message band, along the bottom edge
        {false, 6, {10, 10, 14, 14}},
        {true, 2, {293, 193, 347, 225}}, // 7 pixels out from the rectangle it marks
    };
    for (const FrameCase& c : cases) {
        for (int colourSet = 0; colourSet < 3; ++colourSet) {
            SCOPED_TRACE(::testing::Message()
                         << (c.cursor ? "cursor " : "window ") << c.index << " colour set " << colourSet);
            device->EndScene();
            BeginFrame(kBackground);
            if (c.cursor)
                set->DrawCursorFrame(c.index, colourSet);
            else
                set->DrawFixedWindow(c.index, colourSet);
            const FrameColours& colours = (c.cursor ? kCursorColours : kWindowColours)[colourSet];
            EXPECT_EQ(WrongFramePixels(Screen(), c.outline, colours), 0);
        }
    }
}

// All colour sets side by side, to look at.
TEST_F(DrawingOnDevice, FramesPicture)
{
    for (int colourSet = 0; colourSet < 3; ++colourSet) {
        const float left = 20.0f + 210.0f * static_cast<float>(colourSet);
        set->windowRects[colourSet] = {left, 40, left + 190, 200};
        set->cursorRects[colourSet] = {left + 30, 90, left + 160, 108};
    }
    set->InitFixedWindow();
    for (int colourSet = 0; colourSet < 3; ++colourSet) {
        set->DrawFixedWindow(colourSet, colourSet);
        set->DrawCursorFrame(colourSet, colourSet);
    }
    const Picture screen = Screen();
    ASSERT_TRUE(visualtest::WritePicture(screen, "framed-windows"));
    // The cursor frame lies over the window's inside and is drawn after it.
    EXPECT_EQ(screen.At(20 + 30 - 7, 90), Over(kCursorColours[0].edge, Over(kWindowColours[0].inside, 0xFF000000u)));
}

// The title picture: the top-left 160 × 120 texels over the whole screen,
// each texel exactly a block of 4 × 4 pixels.
TEST_F(DrawingOnDevice, TitlePictureStretchesToExactBlocks)
{
    CTitle title;
    title.InitTitle();
    title.LoadTitlePicture();
    ASSERT_TRUE(title.pictureReady);
    title.pictureColour = 0xFFFFFFFFu;
    title.DrawTitlePicture();
    const Picture texels = Read(title.picture->texture);
    const Picture screen = Screen();
    ASSERT_TRUE(visualtest::WritePicture(screen, "title-picture"));
    int wrong = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            wrong += screen.At(x, y) != Over(texels.At(x / 4, y / 4), 0xFF000000u) ? 1 : 0;
    EXPECT_EQ(wrong, 0);
    // The picture is not one colour (a light frame around a dark ground), so a wrong block would show.
    EXPECT_NE(texels.At(0, 0), texels.At(10, 10));
    title.ReleaseTitle();
}

// A square of 8 × 8 distinct texels drawn 32 pixels wide at each quarter
// turn: every pixel shows the texel the turn brings there.
TEST_F(DrawingOnDevice, QuarterTurnedSquaresMapEveryTexel)
{
    std::vector<std::uint32_t> texels(64);
    for (std::uint32_t i = 0; i < 64; ++i)
        texels[i] = 0xFF000000u | (i * 4) << 16 | (255 - i * 4) << 8 | ((i * 37) & 0xFF);
    Direct3DTexture9* texture = MakeTexture(8, 8, texels);
    CTexture record;
    record.texture = texture;
    record.width = record.height = 8.0f;
    float u[4], v[4];
    record.RectToUV(0, 0, 8, 8, u, v);

    // Texel column and row at pixel (x, y) of the square, 4 pixels a texel.
    auto texelAt = [](int turn, int x, int y) -> std::pair<int, int> {
        switch (turn) {
        case 1: // a quarter turn anticlockwise: the picture's top to the left
            return {(31 - y) / 4, x / 4};
        case 2:
            return {(31 - x) / 4, (31 - y) / 4};
        case 3: // clockwise: its top to the right
            return {y / 4, (31 - x) / 4};
        default:
            return {x / 4, y / 4};
        }
    };
    for (int turn = 0; turn < 4; ++turn) {
        TexturedVertex quad[4];
        for (int i = 0; i < 4; ++i)
            quad[i] = {0, 0, 0.5f, 1.0f, 0xFFFFFFFFu, u[i], v[i]};
        const float left = 16.0f + 48.0f * static_cast<float>(turn);
        PlaceRotatedSquare(quad, left - 0.5f, 16.0f - 0.5f, 32.0f, turn);
        SetCachedFvf(FVF_TEXTURED);
        SetCachedTexture(GetTextureHandle(record));
        ASSERT_EQ(DrawQuadStrip(quad, sizeof(TexturedVertex)), D3D_OK);
    }
    const Picture screen = Screen();
    ASSERT_TRUE(visualtest::WritePicture(screen, "quarter-turns"));
    for (int turn = 0; turn < 4; ++turn) {
        int wrong = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const auto [column, row] = texelAt(turn, x, y);
                wrong += screen.At(16 + 48 * turn + x, 16 + y) != texels[static_cast<std::size_t>(row * 8 + column)];
            }
        }
        EXPECT_EQ(wrong, 0) << "turn " << turn;
        // Nothing spills over the square's edges.
        EXPECT_EQ(screen.At(15 + 48 * turn, 16), 0xFF000000u);
        EXPECT_EQ(screen.At(48 + 48 * turn, 47), 0xFF000000u);
        EXPECT_EQ(screen.At(16 + 48 * turn, 48), 0xFF000000u);
    }
    record.texture = nullptr; // made here, not by the pack reader
    texture->Release();
}

} // namespace
