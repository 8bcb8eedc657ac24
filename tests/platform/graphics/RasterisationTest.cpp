// Which pixels a draw covers: pixel centres at whole coordinates, the
// top-left fill rule, the rectangle fast path agreeing with the triangles.
#include <cmath>
#include <random>

#include "DeviceFixture.h"

using namespace devicetest;

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kHalfWhite = 0x80FFFFFFu;

class Rasterisation : public DeviceTest {};

TEST_F(Rasterisation, FullScreenQuadCoversEveryPixelOnce)
{
    UseSourceOver();
    const std::uint32_t once = Over(kHalfWhite, kBlack);
    for (const bool asList : {false, true}) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1, 0);
        const auto quad = Quad(-0.5f, -0.5f, 639.5f, 479.5f, kHalfWhite);
        ASSERT_EQ(asList ? DrawList(AsList(quad)) : DrawStrip(quad), D3D_OK);
        const auto pixels = Pixels();
        std::size_t wrong = 0;
        for (const std::uint32_t pixel : pixels)
            wrong += pixel != once;
        EXPECT_EQ(wrong, 0u) << (asList ? "as a list" : "as a strip");
    }
}

TEST_F(Rasterisation, RectangleEdgesFollowTheFillRule)
{
    // {left, top, right, bottom} -> first and last covered column and row.
    struct Case {
        float left, top, right, bottom;
        int x0, x1, y0, y1; // inclusive; x1 < x0 when nothing is covered
    };
    const Case cases[] = {
        {9.5f, 19.5f, 13.5f, 22.5f, 10, 13, 20, 22},  // the game's half-pixel placement
        {10.0f, 20.0f, 14.0f, 23.0f, 10, 13, 20, 22}, // centres on the left/top edges are in, right/bottom out
        {10.2f, 20.2f, 10.9f, 20.9f, 11, 10, 21, 20}, // no centre inside: nothing
        {10.6f, 20.6f, 11.2f, 21.2f, 11, 11, 21, 21}, // one centre
        {13.5f, 22.5f, 9.5f, 19.5f, 10, 13, 20, 22},  // mirrored corners cover the same
        {-5.5f, -5.5f, 1.5f, 1.5f, 0, 1, 0, 1},       // clipped at the target's edge
        {637.5f, 477.5f, 700.0f, 500.0f, 638, 639, 478, 479},
    };
    for (const Case& c : cases) {
        for (const bool asList : {false, true}) {
            device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1, 0);
            const auto quad = Quad(c.left, c.top, c.right, c.bottom, 0xFFFFFFFFu);
            ASSERT_EQ(asList ? DrawList(AsList(quad)) : DrawStrip(quad), D3D_OK);
            const auto pixels = Pixels();
            for (int y = 0; y < 480; ++y) {
                for (int x = 0; x < 640; ++x) {
                    const bool inside = x >= c.x0 && x <= c.x1 && y >= c.y0 && y <= c.y1;
                    if ((pixels[static_cast<std::size_t>(y) * 640 + x] == 0xFFFFFFFFu) != inside) {
                        ADD_FAILURE() << "quad " << c.left << "," << c.top << "-" << c.right << "," << c.bottom
                                      << (asList ? " list" : " strip") << " pixel " << x << "," << y;
                        return;
                    }
                }
            }
        }
    }
}

TEST_F(Rasterisation, AdjacentTranslucentQuadsShowNoSeamAndNoDoubleBlend)
{
    UseSourceOver();
    const std::uint32_t once = Over(kHalfWhite, kBlack);
    // Shared edges on whole, half and odd fractional positions.
    for (const float edge : {99.5f, 100.0f, 100.3f, 100.7f}) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1, 0);
        DrawStrip(Quad(19.5f, 19.5f, edge, 59.5f, kHalfWhite));
        DrawStrip(Quad(edge, 19.5f, 179.5f, 59.5f, kHalfWhite));
        DrawStrip(Quad(19.5f, 59.5f, 179.5f, edge, kHalfWhite)); // below, sharing a horizontal edge
        const auto pixels = Pixels();
        for (int y = 20; y < 100; ++y) {
            for (int x = 20; x < 180; ++x)
                ASSERT_EQ(pixels[static_cast<std::size_t>(y) * 640 + x], once) << edge << " at " << x << "," << y;
        }
        EXPECT_EQ(pixels[100 * 640 + 180], kBlack);
    }
}

TEST_F(Rasterisation, FanAroundAnOddCentreBlendsEachPixelOnce)
{
    UseSourceOver();
    const float cx = 100.3f, cy = 100.7f;
    std::vector<ColouredVertex> fan{{cx, cy, 1, 1, kHalfWhite}};
    for (int i = 0; i <= 12; ++i) {
        const double angle = i * 2 * M_PI / 12;
        fan.push_back({static_cast<float>(cx + 60 * std::cos(angle)), static_cast<float>(cy + 45 * std::sin(angle)), 1,
                       1, kHalfWhite});
    }
    ASSERT_EQ(Draw(D3DPT_TRIANGLEFAN, fan, FVF_COLOURED), D3D_OK);
    const std::uint32_t once = Over(kHalfWhite, kBlack);
    int covered = 0;
    for (const std::uint32_t pixel : Pixels()) {
        ASSERT_TRUE(pixel == once || pixel == kBlack) << std::hex << pixel;
        covered += pixel == once;
    }
    // The polygon's area is close to that of the ellipse, 60 × 45 × π ≈ 8482.
    EXPECT_NEAR(covered, 12 * 0.5 * 60 * 45 * std::sin(2 * M_PI / 12), 150);
}

TEST_F(Rasterisation, DiamondWithCentresOnItsEdgesKeepsOnlyTheLeftEdges)
{
    // Corners at whole coordinates: pixel centres lie exactly on all four edges.
    const std::vector<ColouredVertex> diamond{{50, 40, 1, 1, 0xFFFFFFFFu},
                                              {60, 50, 1, 1, 0xFFFFFFFFu},
                                              {40, 50, 1, 1, 0xFFFFFFFFu},
                                              {50, 60, 1, 1, 0xFFFFFFFFu}};
    ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP, diamond, FVF_COLOURED), D3D_OK);
    int covered = 0;
    for (const std::uint32_t pixel : Pixels())
        covered += pixel == 0xFFFFFFFFu;
    // 181 centres strictly inside, 19 on the two left edges (their lower end included).
    EXPECT_EQ(covered, 200);
    struct Expectation {
        int x, y;
        bool covered;
    };
    for (const Expectation& e : {Expectation{40, 50, true},
                                 {45, 45, true},
                                 {45, 55, true},
                                 {50, 50, true},
                                 {60, 50, false},
                                 {55, 45, false},
                                 {55, 55, false},
                                 {50, 40, false},
                                 {50, 60, false}})
        EXPECT_EQ(Pixel(e.x, e.y) == 0xFFFFFFFFu, e.covered) << e.x << "," << e.y;
}

TEST_F(Rasterisation, RotatedQuadMatchesItsRotationByAQuarterTurn)
{
    // A rectangle turned by 90 degrees about a pixel centre covers the turned pixel set.
    const float cx = 200, cy = 200;
    const auto corners = [&](bool turned) {
        std::vector<ColouredVertex> strip;
        for (const auto& [dx, dy] : {std::pair{-30.5f, -10.5f}, {29.5f, -10.5f}, {-30.5f, 9.5f}, {29.5f, 9.5f}}) {
            const float x = turned ? -dy : dx, y = turned ? dx : dy;
            strip.push_back({cx + x + 0.25f, cy + y + 0.25f, 1, 1, 0xFFFFFFFFu});
        }
        return strip;
    };
    ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP, corners(false), FVF_COLOURED), D3D_OK);
    const auto plain = Pixels();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1, 0);
    ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP, corners(true), FVF_COLOURED), D3D_OK);
    const auto turned = Pixels();
    int count = 0;
    for (int y = 150; y < 250; ++y) {
        for (int x = 150; x < 250; ++x) {
            const bool a = plain[static_cast<std::size_t>(y) * 640 + x] == 0xFFFFFFFFu;
            count += a;
            // (x, y) turned about (cx, cy) by a quarter turn goes to (cx - (y - cy), cy + (x - cx)).
            const int tx = static_cast<int>(cx) - (y - static_cast<int>(cy));
            const int ty = static_cast<int>(cy) + (x - static_cast<int>(cx));
            if (a) {
                EXPECT_EQ(turned[static_cast<std::size_t>(ty) * 640 + tx], 0xFFFFFFFFu) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(count, 60 * 20);
}

TEST_F(Rasterisation, RectangleFastPathDrawsWhatTheTrianglesDraw)
{
    UseSourceOver();
    std::vector<std::uint32_t> texels(16 * 8);
    for (std::size_t i = 0; i < texels.size(); ++i)
        texels[i] = static_cast<std::uint32_t>(0x40000000u + i * 0x01030507u);
    Direct3DTexture9* texture = MakeTexture(16, 8, texels);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> position(-40.0f, 680.0f);
    std::uniform_real_distribution<float> coordinate(-1.3f, 2.1f);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFFFFu);
    for (int round = 0; round < 60; ++round) {
        const bool textured = round % 2 == 0;
        device->SetTexture(0, textured ? texture : nullptr);
        const float left = position(random), top = position(random) * 0.7f;
        const auto quad = Quad(left, top, left + position(random) / 4, top + position(random) / 5, colour(random),
                               coordinate(random), coordinate(random), coordinate(random), coordinate(random));
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF203040u, 1, 0);
        ASSERT_EQ(DrawStrip(quad), D3D_OK);
        const auto fast = Pixels();
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF203040u, 1, 0);
        ASSERT_EQ(DrawList(AsList(quad)), D3D_OK);
        ASSERT_EQ(fast, Pixels()) << "round " << round;
    }
    device->SetTexture(0, nullptr);
    texture->Release();
}

} // namespace
