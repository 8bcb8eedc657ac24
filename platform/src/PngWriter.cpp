#include "platform/PngWriter.h"

#include <png.h>

#include <csetjmp>

namespace plat {
namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

bool WriteRows(png_structp png, png_infop info, std::vector<std::uint8_t>& out, std::vector<png_bytep>& rows,
               std::uint32_t width, std::uint32_t height)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &out, AppendToVector, NoFlush);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png); // the pixels are B, G, R, A in memory
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                    std::uint32_t pitch)
{
    std::vector<std::uint8_t> out;
    if (pixels == nullptr || width == 0 || height == 0)
        return out;
    std::vector<png_bytep> rows(height);
    for (std::uint32_t y = 0; y < height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(const_cast<std::uint32_t*>(pixels + static_cast<std::size_t>(y) * pitch));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return out;
    png_infop info = png_create_info_struct(png);
    const bool written = info != nullptr && WriteRows(png, info, out, rows, width, height);
    png_destroy_write_struct(&png, &info);
    if (!written)
        out.clear();
    return out;
}

} // namespace plat
