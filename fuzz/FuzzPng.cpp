// PNG pictures of the pack, decoded into texels the way textures are made.
#include <cstddef>
#include <cstdint>

#include "PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    engine::ArgbImage image;
    if (engine::LooksLikePng(data, size) && engine::DecodePng(data, size, 1024, image)) {
        // A decoded picture holds exactly its texels.
        if (image.texels.size() != static_cast<std::size_t>(image.width) * image.height)
            __builtin_trap();
    }
    return 0;
}
