// Pictures for the shading-program tests: ARGB images, drawing one
// axis-aligned quad through a program as the device does (pixel centres at
// integer coordinates, corners half a pixel up and left, coordinates
// interpolated affinely, source-alpha blending), and PNG output to look at.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/ShadingProgram.h"

namespace visualtest {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Picture(int w, int h, std::uint32_t fill) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), fill) {}
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    plat::TexelImage View() const { return {pixels.data(), width, height, width}; }
};

inline int Channel(std::uint32_t argb, int shift)
{
    return static_cast<int>((argb >> shift) & 0xFF);
}

// Largest difference of any channel.
inline int ColourDistance(std::uint32_t a, std::uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int d = Channel(a, shift) - Channel(b, shift);
        largest = std::max(largest, d < 0 ? -d : d);
    }
    return largest;
}

class FakeParameters : public plat::ProgramParameters {
public:
    std::map<std::string, std::vector<float>, std::less<>> floats;
    std::map<std::string, plat::TexelImage, std::less<>> textures;

    const float* Floats(std::string_view name) const override
    {
        const auto found = floats.find(name);
        return found == floats.end() ? nullptr : found->second.data();
    }
    bool Texture(std::string_view name, plat::TexelImage* image) const override
    {
        const auto found = textures.find(name);
        if (found == textures.end())
            return false;
        *image = found->second;
        return true;
    }
};

// One screen quad from pixel edge (left, top) to (right, bottom), texture
// coordinates (u0, v0) at its top-left corner and (u1, v1) at its
// bottom-right, for both coordinate sets.
struct ProgramQuad {
    int left, top, right, bottom;
    float u0, v0, u1, v1;
    std::uint32_t diffuse = 0xFFFFFFFFu;
    const Picture* stage[2] = {nullptr, nullptr}; // point-sampled, wrapped
};

inline std::uint32_t SampleWrapped(const Picture& picture, float u, float v)
{
    auto wrap = [](float c, int size) {
        int i = static_cast<int>(std::floor(c * static_cast<float>(size)));
        i %= size;
        return i < 0 ? i + size : i;
    };
    return picture.At(wrap(u, picture.width), wrap(v, picture.height));
}

inline std::uint32_t BlendOver(std::uint32_t source, std::uint32_t destination)
{
    const int alpha = Channel(source, 24);
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int value = (Channel(source, shift) * alpha + Channel(destination, shift) * (255 - alpha) + 127) / 255;
        out |= static_cast<std::uint32_t>(value) << shift;
    }
    return out;
}

// Draws the quad with the program; `blend` false writes the program's
// colour as it is (ONE, ZERO).
inline void DrawProgramQuad(Picture& target, plat::ShadingProgram& program, const plat::ProgramState& state,
                            const ProgramQuad& quad, bool blend)
{
    program.Prepare(state);
    const float width = static_cast<float>(quad.right - quad.left);
    const float height = static_cast<float>(quad.bottom - quad.top);
    for (int y = quad.top; y < quad.bottom; ++y) {
        for (int x = quad.left; x < quad.right; ++x) {
            // Pixel centre x lies x + 0.5 − left pixels from the quad's edge.
            const float s = (static_cast<float>(x - quad.left) + 0.5f) / width;
            const float t = (static_cast<float>(y - quad.top) + 0.5f) / height;
            plat::ShadingPixel pixel;
            for (int set = 0; set < 2; ++set) {
                pixel.u[set] = quad.u0 + (quad.u1 - quad.u0) * s;
                pixel.v[set] = quad.v0 + (quad.v1 - quad.v0) * t;
                if (quad.stage[set] != nullptr)
                    pixel.stageTexel[set] = SampleWrapped(*quad.stage[set], pixel.u[set], pixel.v[set]);
            }
            pixel.diffuse = quad.diffuse;
            const std::uint32_t colour = program.Shade(pixel);
            target.At(x, y) = blend ? BlendOver(colour, target.At(x, y)) : colour;
        }
    }
}

// Writes the picture as an RGBA PNG; false when the file cannot be written.
inline bool WritePng(const Picture& picture, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(picture.width) * 4);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t argb = picture.At(x, y);
            png_byte* out = &row[static_cast<std::size_t>(x) * 4];
            out[0] = static_cast<png_byte>(argb >> 16);
            out[1] = static_cast<png_byte>(argb >> 8);
            out[2] = static_cast<png_byte>(argb);
            out[3] = static_cast<png_byte>(argb >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace visualtest
