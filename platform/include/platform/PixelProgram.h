// Built-in pixel programs of the software device.
//
// Pixel shaders and effects are made from a small text descriptor that names
// one of these programs and the parameters it takes:
//
//     program tint
//     technique TechniqueMain
//     parameter g_Texture
//     parameter g_f4Colour 1 1 1 1
//
// Lines starting with '#' are comments. "technique" and "parameter" lines
// belong to effects only; a parameter takes up to four initial values. The
// device then runs the program for every pixel a draw covers, in place of the
// fixed texture stages.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// A colour with channels from 0 to 1.
struct Colour4 {
    float r;
    float g;
    float b;
    float a;
};

enum class ProgramParameterKind { Float, Texture };

struct ProgramParameter {
    std::string name;
    ProgramParameterKind kind;
    std::array<float, 4> initial;  // the value before anything sets it
};

enum class SampleFilter { Point, Linear };
enum class SampleAddress { Wrap, Clamp };

// What a program reads at one pixel.
struct PixelInput {
    float x;  // pixel centre in the target
    float y;
    Colour4 diffuse;
    float u[2];
    float v[2];
};

// Access to the device state during a draw.
class ProgramInputs {
public:
    // The texture of a stage through that stage's sampler states; white when none.
    virtual Colour4 SampleStage(int stage, float u, float v) const = 0;
    // Whether an effect has set the texture parameter (by its index in the program's list).
    virtual bool HasTexture(int parameter) const = 0;
    // The texture of an effect parameter; white when none.
    virtual Colour4 SampleParameter(int parameter, float u, float v, SampleFilter filter,
                                    SampleAddress address) const = 0;
    // Four floats of a pixel-shader constant register (zeros when unset).
    virtual const float* Constant(int reg) const = 0;
    // Four floats of a parameter: as an effect set them, else the initial values.
    virtual const float* Value(int parameter) const = 0;

protected:
    ~ProgramInputs() = default;
};

using ShadePixel = Colour4 (*)(const PixelInput& pixel, const ProgramInputs& inputs);

struct PixelProgram {
    std::string name;
    std::vector<ProgramParameter> parameters;  // what an effect may declare
    ShadePixel shade;
};

// Adds a program to the device's built-in set; true unless the name is taken.
bool RegisterPixelProgram(const PixelProgram& program);
const PixelProgram* FindPixelProgram(const std::string& name);

}  // namespace plat
