#include <gtest/gtest.h>

#include <memory>

#include "media/FixedWindowSet.h"
#include "GameGlobalsFixture.h"

namespace {

struct PieceRect {
    float left, top, right, bottom;
    bool operator==(const PieceRect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PieceRect& r)
{
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// The rectangle a piece covers, checking that its corners are in strip order.
PieceRect PieceOf(const ColouredVertex* piece)
{
    EXPECT_EQ(piece[0].y, piece[1].y);
    EXPECT_EQ(piece[2].y, piece[3].y);
    EXPECT_EQ(piece[0].x, piece[2].x);
    EXPECT_EQ(piece[1].x, piece[3].x);
    return {piece[0].x, piece[0].y, piece[3].x, piece[3].y};
}

class FixedWindowSetTest : public visualtest::GameGlobalsTest {
protected:
    // The set is large (100 frames of vertices); keep it off the stack.
    std::unique_ptr<CFixedWindowSet> set = std::make_unique<CFixedWindowSet>();
};

TEST_F(FixedWindowSetTest, ConstructionSetsOnlyTheMessageBand)
{
    const CFixedWindowSet::Rect& band = set->windowRects[0];
    EXPECT_EQ(band.left, 46.0f);
    EXPECT_EQ(band.top, 340.0f);
    EXPECT_EQ(band.right, 594.0f);
    EXPECT_EQ(band.bottom, 480.0f);
    for (int i = 1; i < CFixedWindowSet::kWindowCount; ++i)
        EXPECT_EQ(set->windowRects[i].right, 0.0f) << i;
    for (const CFixedWindowSet::Rect& r : set->cursorRects)
        EXPECT_EQ(r.right, 0.0f);
}

TEST_F(FixedWindowSetTest, WindowPiecesTileTheFrameWithoutOverlap)
{
    set->windowRects[5] = {100, 100, 200, 150};
    set->SetFixedWindowRect(5);
    const ColouredVertex* v = set->windowVertices[5];
    const PieceRect expected[5] = {
        {100, 102, 102, 148}, // left edge
        {100, 100, 200, 102}, // top edge, with the corners
        {198, 102, 200, 148}, // right edge
        {100, 148, 200, 150}, // bottom edge, with the corners
        {102, 102, 198, 148}, // inside
    };
    for (int piece = 0; piece < 5; ++piece)
        EXPECT_EQ(PieceOf(v + piece * 4), expected[piece]) << "piece " << piece;
}

// Counts, per pixel, the pieces whose area holds the pixel's centre under the
// top-left rule (left and top edges in, right and bottom edges out): every
// pixel of the frame must be drawn exactly once, so the translucent inside
// shows no seam and no doubly blended line, and nothing outside is touched.
TEST_F(FixedWindowSetTest, PiecesCoverEveryFramePixelExactlyOnce)
{
    set->windowRects[1] = {100, 100, 200, 150};
    set->windowRects[2] = {46, 340, 594, 480};
    set->windowRects[3] = {10, 10, 14, 14}; // no inside left
    set->cursorRects[0] = {300, 200, 340, 218};
    set->InitFixedWindow();
    const ColouredVertex* frames[] = {set->windowVertices[1], set->windowVertices[2], set->windowVertices[3],
                                      set->cursorVertices[0]};
    const PieceRect outlines[] = {{100, 100, 200, 150}, {46, 340, 594, 480}, {10, 10, 14, 14}, {293, 193, 347, 225}};
    for (int f = 0; f < 4; ++f) {
        SCOPED_TRACE(::testing::Message() << "frame " << f);
        PieceRect pieces[5];
        for (int piece = 0; piece < 5; ++piece)
            pieces[piece] = PieceOf(frames[f] + piece * 4);
        int wrong = 0;
        for (int y = 0; y < 481; ++y) {
            for (int x = 0; x < 641; ++x) {
                int count = 0;
                for (const PieceRect& r : pieces)
                    count += (x >= r.left && x < r.right && y >= r.top && y < r.bottom) ? 1 : 0;
                const PieceRect& o = outlines[f];
                const bool inside = x >= o.left && x < o.right && y >= o.top && y < o.bottom;
                wrong += count != (inside ? 1 : 0) ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(FixedWindowSetTest, CursorFrameSurroundsItsRectangleAtAGapOfFive)
{
    set->cursorRects[3] = {300, 200, 340, 218};
    set->SetCursorFrameRect(3);
    const ColouredVertex* v = set->cursorVertices[3];
    EXPECT_EQ(PieceOf(v + 4), (PieceRect{293, 193, 347, 195}));  // top edge: outer edge at 293, 193
    EXPECT_EQ(PieceOf(v + 12), (PieceRect{293, 223, 347, 225})); // bottom edge: outer edge at 347, 225
    EXPECT_EQ(PieceOf(v + 16), (PieceRect{295, 195, 345, 223})); // inside starts 5 px out
}

TEST_F(FixedWindowSetTest, BuildWindowFrameLeavesDepthRhwAndColourAlone)
{
    ColouredVertex frame[20];
    for (ColouredVertex& vertex : frame)
        vertex = {-1, -1, 0.7f, 0.5f, 0x12345678u};
    CFixedWindowSet::BuildWindowFrame(frame, 10, 20, 30, 40, 3);
    EXPECT_EQ(PieceOf(frame + 0), (PieceRect{10, 23, 13, 37}));
    EXPECT_EQ(PieceOf(frame + 16), (PieceRect{13, 23, 27, 37}));
    for (const ColouredVertex& vertex : frame) {
        EXPECT_EQ(vertex.z, 0.7f);
        EXPECT_EQ(vertex.rhw, 0.5f);
        EXPECT_EQ(vertex.colour, 0x12345678u);
    }
}

TEST_F(FixedWindowSetTest, InitBuildsEveryFrameWithDepthRhwAndColourSetZero)
{
    set->windowRects[67] = {0, 0, 20, 20};
    set->cursorRects[31] = {50, 50, 60, 60};
    set->InitFixedWindow();
    EXPECT_EQ(PieceOf(set->windowVertices[0] + 16), (PieceRect{48, 342, 592, 478}));
    EXPECT_EQ(PieceOf(set->windowVertices[67] + 16), (PieceRect{2, 2, 18, 18}));
    EXPECT_EQ(PieceOf(set->cursorVertices[31] + 16), (PieceRect{45, 45, 65, 65}));
    auto expectFrame = [](const ColouredVertex* frame, float nearest, float farthest, std::uint32_t edge,
                          std::uint32_t inside) {
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(frame[i].rhw, 1.0f);
            EXPECT_GE(frame[i].z, nearest);
            EXPECT_LE(frame[i].z, farthest);
            EXPECT_EQ(frame[i].colour, i < 16 ? edge : inside);
        }
    };
    for (const auto& frame : set->windowVertices)
        expectFrame(frame, 0.292f, 0.3f, 0xFFE0E0E0u, 0xE8707070u);
    for (const auto& frame : set->cursorVertices)
        expectFrame(frame, 0.0492f, 0.05f, 0xFF888888u, 0xFFA2EEF0u);
}

struct ColourCase {
    bool cursor;
    int colourSet;
    std::uint32_t edge;
    std::uint32_t inside;
};

TEST_F(FixedWindowSetTest, DrawsFivePiecesInTheChosenColourSet)
{
    const ColourCase cases[] = {
        {false, 0, 0xFFE0E0E0u, 0xE8707070u}, {false, 1, 0xFF707070u, 0xE8383838u},
        {false, 2, 0x40000000u, 0xFFFFFFFFu}, {true, 0, 0xFF888888u, 0xFFA2EEF0u},
        {true, 1, 0xFF444444u, 0xFF517778u},  {true, 2, 0x40000000u, 0xFFE0E0E0u},
    };
    set->windowRects[9] = {100, 100, 200, 150};
    set->cursorRects[9] = {300, 200, 340, 218};
    set->InitFixedWindow();
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.cursor ? "cursor" : "window") << " set " << c.colourSet);
        device.draws.clear();
        if (c.cursor)
            set->DrawCursorFrame(9, c.colourSet);
        else
            set->DrawFixedWindow(9, c.colourSet);
        ASSERT_EQ(device.draws.size(), 5u);
        const ColouredVertex* source = c.cursor ? set->cursorVertices[9] : set->windowVertices[9];
        for (int piece = 0; piece < 5; ++piece) {
            const fakes::DrawnPrimitive& draw = device.draws[piece];
            EXPECT_EQ(draw.type, D3DPT_TRIANGLESTRIP);
            EXPECT_EQ(draw.primitiveCount, 2u);
            EXPECT_EQ(draw.stride, 20u);
            EXPECT_EQ(draw.fvf, FVF_COLOURED);
            EXPECT_EQ(draw.texture, nullptr);
            for (int i = 0; i < 4; ++i) {
                const ColouredVertex vertex = draw.VertexAt<ColouredVertex>(i);
                EXPECT_EQ(vertex.colour, piece == 4 ? c.inside : c.edge);
                EXPECT_EQ(vertex.x, source[piece * 4 + i].x);
                EXPECT_EQ(vertex.y, source[piece * 4 + i].y);
            }
        }
        // The colours stay in the vertices until the next draw rewrites them.
        EXPECT_EQ(source[0].colour, c.edge);
        EXPECT_EQ(source[19].colour, c.inside);
    }
}

TEST_F(FixedWindowSetTest, WindowsAfterATexturedQuadEmptyTheStageOnce)
{
    set->InitFixedWindow();
    auto* picture = new fakes::FakeTexture(16, 16);
    SetCachedFvf(FVF_TEXTURED);
    SetCachedTexture(picture);
    device.fvfCalls.clear();
    device.textureCalls.clear();

    set->DrawFixedWindow(0, 0);
    set->DrawFixedWindow(0, 1);
    set->DrawCursorFrame(0, 0);
    EXPECT_EQ(device.textureCalls.size(), 1u);
    EXPECT_EQ(device.stageTexture[0], nullptr);
    EXPECT_EQ(device.fvfCalls.size(), 1u);
    EXPECT_EQ(device.draws.size(), 15u);
    picture->Release();
}

TEST_F(FixedWindowSetTest, DrawAtDepthMovesTheWholeWindow)
{
    set->InitFixedWindow();
    set->DrawFixedWindowAtDepth(0, 0, 0.125f);
    for (const ColouredVertex& vertex : set->windowVertices[0])
        EXPECT_EQ(vertex.z, 0.125f);
    ASSERT_EQ(device.draws.size(), 5u);
    EXPECT_EQ(device.draws[4].VertexAt<ColouredVertex>(0).z, 0.125f);
}

TEST_F(FixedWindowSetTest, OutOfRangeIndicesDrawNothing)
{
    set->InitFixedWindow();
    set->DrawFixedWindow(-1, 0);
    set->DrawFixedWindow(CFixedWindowSet::kWindowCount, 0);
    set->DrawCursorFrame(CFixedWindowSet::kCursorFrameCount, 0);
    set->DrawFixedWindow(0, 3);
    set->DrawCursorFrame(0, -1);
    set->DrawFixedWindowAtDepth(68, 0, 0.5f);
    set->SetFixedWindowRect(68);
    set->SetCursorFrameRect(-1);
    EXPECT_TRUE(device.draws.empty());
}

} // namespace
