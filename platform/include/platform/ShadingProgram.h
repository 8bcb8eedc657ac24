// What a built-in shading program is to the device, which runs it in place
// of compiled pixel shaders and effects (PixelProgram.h finds them by name).
//
// The device hands a program what it needs per draw (Prepare: the
// pixel-shader constants and the parameters of the shader or effect) and per
// pixel (Shade: the interpolated coordinates, the diffuse colour and what the
// device's samplers read from stages 0 and 1). The program returns the
// pixel's ARGB colour before blending.
#pragma once

#include <cstdint>
#include <string_view>

namespace plat {

// Level 0 of a texture, A8R8G8B8, read-only.
struct TexelImage {
    const std::uint32_t* texels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;                // texels from one row to the next
    std::uint32_t opaqueBits = 0; // 0xFF000000 for an image without alpha (X8R8G8B8)

    // The texel at (x, y), the coordinates clamped to the image; 0 when empty.
    std::uint32_t Clamped(int x, int y) const;
};

// The named parameters of an effect, as last set by the game.
class ProgramParameters {
public:
    // The values of a float parameter (count floats); null when it has none.
    virtual const float* Floats(std::string_view name) const = 0;
    // The texture of a texture parameter; false when none is set.
    virtual bool Texture(std::string_view name, TexelImage* image) const = 0;

protected:
    ~ProgramParameters() = default;
};

struct ProgramState {
    const float* pixelConstants = nullptr;         // register 0 first, 4 floats a register
    const ProgramParameters* parameters = nullptr; // null when there are none
};

struct ShadingPixel {
    float u[2] = {0, 0}; // texture coordinate sets 0 and 1
    float v[2] = {0, 0};
    std::uint32_t diffuse = 0xFFFFFFFFu;                      // white when the format has no colour
    std::uint32_t stageTexel[2] = {0xFFFFFFFFu, 0xFFFFFFFFu}; // white without a texture
};

class ShadingProgram {
public:
    virtual ~ShadingProgram() = default;
    virtual void Prepare(const ProgramState& state) = 0;
    virtual std::uint32_t Shade(const ShadingPixel& pixel) const = 0;
};

} // namespace plat
