#include "media/FixedWindowSet.h"

#include "core/ZephGlobals.h"
#include "core/GameConstants.h"

const FrameColours WindowColourSets[CFixedWindowSet::kColourSetCount] = {
    {0xFFE0E0E0u, 0xE8707070u},
    {0xFF707070u, 0xE8383838u},
    {0x40000000u, 0xFFFFFFFFu},
};
const FrameColours CursorColourSets[CFixedWindowSet::kColourSetCount] = {
    {0xFF888888u, 0xFFA2EEF0u},
    {0xFF444444u, 0xFF517778u},
    {0x40000000u, 0xFFE0E0E0u},
};

// Depths spread over a narrow band per kind; the device has no depth test,
// so they only keep the frames' order readable in captures.
float WindowDepth(int window)
{
    return 0.3f - 0.008f * static_cast<float>(window) / (CFixedWindowSet::kWindowCount - 1);
}

namespace {
constexpr int kPieceCount = 5;
constexpr int kInsidePiece = 4;
float CursorDepth(int cursor)
{
    return 0.05f - 0.0008f * static_cast<float>(cursor) / (CFixedWindowSet::kCursorFrameCount - 1);
}

void PrepareFrame(ColouredVertex* vertices, float z, const FrameColours& colours)
{
    for (int i = 0; i < CFixedWindowSet::kFrameVertexCount; ++i) {
        vertices[i].z = z;
        vertices[i].rhw = 1.0f;
        vertices[i].colour = i / 4 == kInsidePiece ? colours.inside : colours.edge;
    }
}

void DrawFrame(ColouredVertex* vertices, const FrameColours& colours)
{
    SetCachedTexture(nullptr);
    SetCachedFvf(FVF_COLOURED);
    for (int piece = 0; piece < kPieceCount; ++piece) {
        ColouredVertex* quad = vertices + piece * 4;
        const std::uint32_t colour = piece == kInsidePiece ? colours.inside : colours.edge;
        for (int i = 0; i < 4; ++i)
            quad[i].colour = colour;
        DrawQuadStrip(quad, sizeof(ColouredVertex));
    }
}

bool ValidColourSet(int colourSet)
{
    return colourSet >= 0 && colourSet < CFixedWindowSet::kColourSetCount;
}
bool ValidWindow(int window)
{
    return window >= 0 && window < CFixedWindowSet::kWindowCount;
}
bool ValidCursor(int cursor)
{
    return cursor >= 0 && cursor < CFixedWindowSet::kCursorFrameCount;
}
} // namespace

CFixedWindowSet::CFixedWindowSet() : windowRects{}, cursorRects{}, windowVertices{}, cursorVertices{}
{
    // The message band along the bottom of the screen.
    windowRects[0] = {BOTTOM_WINDOW_LEFT, BOTTOM_WINDOW_TOP, BOTTOM_WINDOW_RIGHT, BOTTOM_WINDOW_BOTTOM};
}

void CFixedWindowSet::InitFixedWindow()
{
    for (int window = 0; window < kWindowCount; ++window) {
        SetFixedWindowRect(window);
        PrepareFrame(windowVertices[window], WindowDepth(window), WindowColourSets[0]);
    }
    for (int cursor = 0; cursor < kCursorFrameCount; ++cursor) {
        SetCursorFrameRect(cursor);
        PrepareFrame(cursorVertices[cursor], CursorDepth(cursor), CursorColourSets[0]);
    }
}

void CFixedWindowSet::SetFixedWindowRect(int window)
{
    if (!ValidWindow(window))
        return;
    const Rect& r = windowRects[window];
    BuildWindowFrame(windowVertices[window], r.left, r.top, r.right, r.bottom, kBorderWidth);
}

void CFixedWindowSet::SetCursorFrameRect(int cursor)
{
    if (!ValidCursor(cursor))
        return;
    const Rect& r = cursorRects[cursor];
    BuildWindowFrame(cursorVertices[cursor], r.left - kCursorGrowth, r.top - kCursorGrowth, r.right + kCursorGrowth,
                     r.bottom + kCursorGrowth, kBorderWidth);
}

void CFixedWindowSet::DrawFixedWindowQuad(ColouredVertex vertices[kFrameVertexCount], int colourSet)
{
    if (ValidColourSet(colourSet))
        DrawFrame(vertices, WindowColourSets[colourSet]);
}

void CFixedWindowSet::DrawCursorFrameQuad(ColouredVertex vertices[kFrameVertexCount], int colourSet)
{
    if (ValidColourSet(colourSet))
        DrawFrame(vertices, CursorColourSets[colourSet]);
}

void CFixedWindowSet::DrawFixedWindow(int window, int colourSet)
{
    if (ValidWindow(window))
        DrawFixedWindowQuad(windowVertices[window], colourSet);
}

void CFixedWindowSet::DrawCursorFrame(int cursor, int colourSet)
{
    if (ValidCursor(cursor))
        DrawCursorFrameQuad(cursorVertices[cursor], colourSet);
}

void CFixedWindowSet::DrawFixedWindowAtDepth(int window, int colourSet, float z)
{
    if (!ValidWindow(window))
        return;
    for (ColouredVertex& vertex : windowVertices[window])
        vertex.z = z;
    DrawFixedWindowQuad(windowVertices[window], colourSet);
}
