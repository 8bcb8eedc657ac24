// Puts recorded glyph quads on a picture the way the device would: pixel
// centres at integer coordinates, top-left fill rule, point sampling,
// texture times the interpolated vertex colour, source-alpha blending.
// Good enough to look at text without the real device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RecordingDevice.h"

namespace texttest {

class QuadCompositor {
public:
    QuadCompositor(int width, int height, std::uint32_t background);

    void FillRect(int left, int top, int right, int bottom, std::uint32_t colour);
    void Draw(const DrawCall& call);
    void DrawAll(const std::vector<DrawCall>& calls);
    bool WritePng(const std::string& path) const;

    std::uint32_t Pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace texttest
