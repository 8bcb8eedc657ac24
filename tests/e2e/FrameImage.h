// A frame dump read back: 32-bit ARGB pixels, rows top-down, and the few
// questions the end-to-end tests ask of a picture.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace e2e {

struct Box {
    int left, top, right, bottom; // right and bottom exclusive
};

class FrameImage {
public:
    // False when the file is missing or not a PNG image.
    bool Load(const std::filesystem::path& file);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Mean of red, green and blue over the box, 0-255.
    double Brightness(const Box& box) const;
    // How many pixels of the box have exactly this colour (alpha ignored).
    int CountColour(const Box& box, std::uint32_t rgb) const;
    // Whether both pictures are the same in every pixel of the box.
    bool SameAs(const FrameImage& other, const Box& box) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

inline constexpr Box kWholeScreen{0, 0, 640, 480};

} // namespace e2e
