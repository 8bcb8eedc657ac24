#include "PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>

namespace engine {
namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct MemoryReader {
    const unsigned char* data;
    std::size_t length;
    std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->length - reader->position)
        png_error(png, "entry ends inside the image");
    std::memcpy(out, reader->data + reader->position, count);
    reader->position += count;
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The decoder's own buffers (chunk data, rows, inflate state) stay small for
// pictures of the sizes allowed; a length field claiming more is a corrupt
// entry, refused like any other before memory is spent on it.
constexpr png_alloc_size_t kDecoderAllocationLimit = 64u << 20;

png_voidp LimitedMalloc(png_structp, png_alloc_size_t size)
{
    return size <= kDecoderAllocationLimit ? std::malloc(size) : nullptr;
}

void LimitedFree(png_structp, png_voidp block)
{
    std::free(block);
}

// A bad image is an ordinary failure of the load: nothing is printed.
[[noreturn]] void QuietError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// Runs the decoding steps that may longjmp; kept free of objects with destructors.
bool ReadRows(png_structp png, png_infop info, MemoryReader& reader, std::uint32_t maxSide, ArgbImage& image,
              std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || width > maxSide || height > maxSide)
        return false;
    const int colourType = png_get_color_type(png, info);
    png_set_expand(png); // palette to RGB, small greys to 8 bits, tRNS to alpha
    png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER); // opaque alpha where the image has none
    png_set_bgr(png);                            // B, G, R, A in memory: 0xAARRGGBB little-endian
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4)
        return false;
    image.width = width;
    image.height = height;
    image.texels.resize(static_cast<std::size_t>(width) * height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(image.texels.data() + static_cast<std::size_t>(y) * width);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

} // namespace

bool LooksLikePng(const unsigned char* data, std::size_t length)
{
    return data != nullptr && length >= 24 && std::memcmp(data, kSignature, 8) == 0 &&
           std::memcmp(data + 12, "IHDR", 4) == 0;
}

bool DecodePng(const unsigned char* data, std::size_t length, std::uint32_t maxSide, ArgbImage& image)
{
    image = ArgbImage{};
    if (!LooksLikePng(data, length))
        return false;
    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, QuietError, IgnoreWarning, nullptr,
                                               LimitedMalloc, LimitedFree);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    png_set_user_limits(png, maxSide, maxSide);
    MemoryReader reader{data, length, 0};
    std::vector<png_bytep> rows;
    bool decoded = false;
    try {
        // The image is sized inside ReadRows; reserve nothing before the header is checked.
        decoded = ReadRows(png, info, reader, maxSide, image, rows);
    } catch (const std::bad_alloc&) {
        decoded = false;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoded)
        image = ArgbImage{};
    return decoded;
}

} // namespace engine
