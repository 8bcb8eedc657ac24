// PNG images made in the tests with libpng, in every colour type the pack may hold.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <vector>

namespace pngfixture {

struct PngSpec {
    std::uint32_t width;
    std::uint32_t height;
    int colourType; // PNG_COLOR_TYPE_*
    int bitDepth;
    bool interlaced;
    std::vector<std::uint8_t> samples; // packed rows as PNG stores them (before filtering)
    std::vector<png_color> palette;
    std::vector<std::uint8_t> transparency; // tRNS of palette entries
};

inline void Append(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline void Flush(png_structp) {}

inline bool WritePng(png_structp png, png_infop info, const PngSpec& spec, std::vector<png_bytep>& rows,
                     std::vector<std::uint8_t>& out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
    if (!spec.transparency.empty())
        png_set_tRNS(png, info, spec.transparency.data(), static_cast<int>(spec.transparency.size()), nullptr);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

inline std::vector<std::uint8_t> MakePng(const PngSpec& spec)
{
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const std::size_t rowBytes = spec.samples.size() / spec.height;
    std::vector<png_bytep> rows(spec.height);
    for (std::uint32_t y = 0; y < spec.height; ++y)
        rows[y] = const_cast<png_bytep>(spec.samples.data() + y * rowBytes);
    if (!WritePng(png, info, spec, rows, out))
        out.clear();
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace pngfixture
