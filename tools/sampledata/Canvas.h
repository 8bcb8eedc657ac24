// A small RGBA picture to draw sample textures on: filled and outlined
// rectangles, discs and labels in a built-in 5 × 7 pixel font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sampledata {

class Canvas {
public:
    Canvas(int width, int height, std::uint32_t argb = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Pixels as 0xAARRGGBB, row by row.
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

    void Set(int x, int y, std::uint32_t argb);
    void Fill(int x, int y, int w, int h, std::uint32_t argb);
    void Outline(int x, int y, int w, int h, std::uint32_t argb, int thickness = 1);
    void Disc(int cx, int cy, int radius, std::uint32_t argb);
    // Upper-case letters, digits and a few signs; `scale` pixels per font pixel.
    void Text(int x, int y, const std::string& text, std::uint32_t argb, int scale = 1);
    // Text centred in the rectangle, scaled down until it fits.
    void Label(int x, int y, int w, int h, const std::string& text, std::uint32_t argb, int maxScale = 4);

    static int TextWidth(const std::string& text, int scale)
    {
        return static_cast<int>(text.size()) * 6 * scale - scale;
    }
    static constexpr int kGlyphHeight = 7;

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace sampledata
