#include "FrameImage.h"

#include <png.h>

namespace e2e {

bool FrameImage::Load(const std::filesystem::path& file)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str()))
        return false;
    // BGRA bytes are 0xAARRGGBB words on this little-endian machine.
    image.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    width_ = static_cast<int>(image.width);
    height_ = static_cast<int>(image.height);
    pixels_ = std::move(pixels);
    return true;
}

double FrameImage::Brightness(const Box& box) const
{
    double sum = 0;
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const std::uint32_t p = At(x, y);
            sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
            ++count;
        }
    return count == 0 ? 0 : sum / (3.0 * count);
}

int FrameImage::CountColour(const Box& box, std::uint32_t rgb) const
{
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            count += (At(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
    return count;
}

bool FrameImage::SameAs(const FrameImage& other, const Box& box) const
{
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if ((At(x, y) & 0xFFFFFF) != (other.At(x, y) & 0xFFFFFF))
                return false;
    return true;
}

} // namespace e2e
