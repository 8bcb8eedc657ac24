#include "main/FrameDump.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "platform/Device.h"
#include "core/GameConstants.h"

namespace {

bool WritePng(const std::filesystem::path& file, int width, int height, const std::vector<unsigned char>& rgba)
{
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, out);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y)
            png_write_row(png, &rgba[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4]);
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    return std::fclose(out) == 0 && written;
}

} // namespace

bool DumpPresentedFrame(Direct3DDevice9* device, const std::filesystem::path& file)
{
    constexpr auto kWidth = static_cast<std::uint32_t>(SCREEN_WIDTH);
    constexpr auto kHeight = static_cast<std::uint32_t>(SCREEN_HEIGHT);
    Direct3DSurface9* surface = nullptr;
    if (FAILED(device->CreateOffscreenPlainSurface(kWidth, kHeight, D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, &surface)))
        return false;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
    D3DLOCKED_RECT locked{};
    bool captured = SUCCEEDED(device->GetFrontBufferData(0, surface)) &&
                    SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY));
    if (captured) {
        for (std::uint32_t y = 0; y < kHeight; ++y) {
            const auto* row =
                static_cast<const unsigned char*>(locked.pBits) + static_cast<std::ptrdiff_t>(y) * locked.Pitch;
            for (std::uint32_t x = 0; x < kWidth; ++x) {
                unsigned char* pixel = &rgba[(static_cast<std::size_t>(y) * kWidth + x) * 4];
                pixel[0] = row[x * 4 + 2]; // stored B, G, R, A
                pixel[1] = row[x * 4 + 1];
                pixel[2] = row[x * 4 + 0];
                pixel[3] = 255; // the screen is opaque
            }
        }
        surface->UnlockRect();
    }
    surface->Release();
    if (!captured)
        return false;
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return WritePng(file, static_cast<int>(kWidth), static_cast<int>(kHeight), rgba);
}
