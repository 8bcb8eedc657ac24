#include "QuadCompositor.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace texttest {

namespace {

float Channel(std::uint32_t colour, int shift)
{
    return static_cast<float>((colour >> shift) & 0xFF) / 255.0f;
}

float Lerp(float a, float b, float t)
{
    return a + (b - a) * t;
}

} // namespace

QuadCompositor::QuadCompositor(int width, int height, std::uint32_t background)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, background)
{
}

void QuadCompositor::FillRect(int left, int top, int right, int bottom, std::uint32_t colour)
{
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x)
            pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
    }
}

void QuadCompositor::Draw(const DrawCall& call)
{
    const auto* texture = static_cast<const MemoryTexture*>(call.texture);
    const engine::GlyphVertex* v = call.vertex;
    const float x0 = v[0].x, x1 = v[1].x, y0 = v[0].y, y1 = v[2].y;
    if (!texture || x1 <= x0 || y1 <= y0)
        return;
    const int firstX = std::max(static_cast<int>(std::ceil(x0)), 0);
    const int endX = std::min(static_cast<int>(std::ceil(x1)), width_);
    const int firstY = std::max(static_cast<int>(std::ceil(y0)), 0);
    const int endY = std::min(static_cast<int>(std::ceil(y1)), height_);
    for (int y = firstY; y < endY; ++y) {
        const float ty = (static_cast<float>(y) - y0) / (y1 - y0);
        const float vCoord = Lerp(v[0].v, v[2].v, ty);
        const auto texelY =
            std::min<std::uint32_t>(static_cast<std::uint32_t>(vCoord * texture->height), texture->height - 1);
        for (int x = firstX; x < endX; ++x) {
            const float tx = (static_cast<float>(x) - x0) / (x1 - x0);
            const float uCoord = Lerp(v[0].u, v[1].u, tx);
            const auto texelX =
                std::min<std::uint32_t>(static_cast<std::uint32_t>(uCoord * texture->width), texture->width - 1);
            const std::uint32_t texel = texture->Texel(texelX, texelY);
            float source[4]; // a, r, g, b
            for (int c = 0; c < 4; ++c) {
                const int shift = 24 - 8 * c;
                source[c] =
                    Channel(texel, shift) * Lerp(Channel(v[0].diffuse, shift), Channel(v[1].diffuse, shift), tx);
            }
            std::uint32_t& pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
            std::uint32_t blended = 0xFF000000u;
            for (int c = 1; c < 4; ++c) {
                const int shift = 24 - 8 * c;
                const float out = source[c] * source[0] + Channel(pixel, shift) * (1.0f - source[0]);
                blended |= static_cast<std::uint32_t>(std::lround(std::clamp(out, 0.0f, 1.0f) * 255.0f)) << shift;
            }
            pixel = blended;
        }
    }
}

void QuadCompositor::DrawAll(const std::vector<DrawCall>& calls)
{
    for (const DrawCall& call : calls)
        Draw(call);
}

bool QuadCompositor::WritePng(const std::string& path) const
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width_);
    image.height = static_cast<png_uint_32>(height_);
    image.format = PNG_FORMAT_BGRA; // 0xAARRGGBB little-endian
    return png_image_write_to_file(&image, path.c_str(), 0, pixels_.data(), width_ * 4, nullptr) != 0;
}

} // namespace texttest
