// The framed windows and cursor frames of the game, kept at fixed indices.
//
// A frame is five untextured quads: left, top, right and bottom edges two
// pixels wide and the translucent inside. The owning parts write a frame's
// rectangle; the set builds its vertices; draws pick a colour set.
#pragma once

#include "media/Texture.h"

class CFixedWindowSet {
public:
    static constexpr int kWindowCount = 68;
    static constexpr int kCursorFrameCount = 32;
    static constexpr int kFrameVertexCount = 20; // 5 pieces × 4 vertices
    static constexpr int kColourSetCount = 3;
    static constexpr float kBorderWidth = 2.0f;
    // Cursor frames surround their rectangle at a gap of 5 pixels.
    static constexpr float kCursorGrowth = 7.0f;

    struct Rect {
        float left, top, right, bottom;
    };

    Rect windowRects[kWindowCount];
    Rect cursorRects[kCursorFrameCount];
    ColouredVertex windowVertices[kWindowCount][kFrameVertexCount];
    ColouredVertex cursorVertices[kCursorFrameCount][kFrameVertexCount];

    // Everything zero, window 0 a band along the bottom of the screen.
    CFixedWindowSet();

    // Builds every window and cursor frame from its rectangle, with its depth,
    // rhw 1.0 and the colours of set 0.
    void InitFixedWindow();
    void SetFixedWindowRect(int window);
    void SetCursorFrameRect(int cursor);

    void DrawFixedWindow(int window, int colourSet);
    void DrawCursorFrame(int cursor, int colourSet);
    void DrawFixedWindowAtDepth(int window, int colourSet, float z);

    // Writes x and y of the five pieces; z, rhw and colour stay untouched.
    // Inline: the game-data record lays out its frames with it.
    static void BuildWindowFrame(ColouredVertex vertices[kFrameVertexCount], float left, float top, float right,
                                 float bottom, float border)
    {
        PlacePiece(vertices + 0, left, top + border, left + border, bottom - border);            // left edge
        PlacePiece(vertices + 4, left, top, right, top + border);                                // top edge
        PlacePiece(vertices + 8, right - border, top + border, right, bottom - border);          // right edge
        PlacePiece(vertices + 12, left, bottom - border, right, bottom);                         // bottom edge
        PlacePiece(vertices + 16, left + border, top + border, right - border, bottom - border); // inside
    }
    // Draws a frame in a window colour set.
    static void DrawFixedWindowQuad(ColouredVertex vertices[kFrameVertexCount], int colourSet);
    static void DrawCursorFrameQuad(ColouredVertex vertices[kFrameVertexCount], int colourSet);

private:
    // One piece of a frame: a quad strip's four corners.
    static void PlacePiece(ColouredVertex* piece, float left, float top, float right, float bottom)
    {
        piece[0].x = left;
        piece[0].y = top;
        piece[1].x = right;
        piece[1].y = top;
        piece[2].x = left;
        piece[2].y = bottom;
        piece[3].x = right;
        piece[3].y = bottom;
    }
};

// Edge and inside colours (ARGB) of the colour sets: 0 the normal window,
// 1 the darker variant, 2 the light one of the menus.
struct FrameColours {
    std::uint32_t edge;
    std::uint32_t inside;
};
// The depth of each window's frame (smaller is nearer).
float WindowDepth(int window);

extern const FrameColours WindowColourSets[CFixedWindowSet::kColourSetCount];
extern const FrameColours CursorColourSets[CFixedWindowSet::kColourSetCount];
