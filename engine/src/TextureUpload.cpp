#include "TextureUpload.h"

#include <cstring>

namespace engine {

bool MakeManagedTexture(Direct3DDevice9* device, const ArgbImage& image, Direct3DTexture9** texture)
{
    *texture = nullptr;
    Direct3DTexture9* made = nullptr;
    // One level: the device samples level 0 only, so a chain would never be read.
    if (FAILED(device->CreateTexture(image.width, image.height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &made)))
        return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(made->LockRect(0, &locked, nullptr, 0))) {
        made->Release();
        return false;
    }
    for (std::uint32_t y = 0; y < image.height; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + static_cast<std::size_t>(y) * locked.Pitch,
                    image.texels.data() + static_cast<std::size_t>(y) * image.width,
                    static_cast<std::size_t>(image.width) * 4);
    }
    made->UnlockRect(0);
    *texture = made;
    return true;
}

} // namespace engine
