// Turning decoded texels into a texture of the device.
#pragma once

#include "PngImage.h"
#include "platform/Device.h"

namespace engine {

// One level of A8R8G8B8 in the managed pool (it survives a device reset),
// exactly the image's size. False, with *texture null, when the device refuses.
bool MakeManagedTexture(Direct3DDevice9* device, const ArgbImage& image, Direct3DTexture9** texture);

} // namespace engine
