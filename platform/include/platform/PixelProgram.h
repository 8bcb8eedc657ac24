// The device's built-in pixel programs by name.
//
// Pixel shaders and effects are made from a small text descriptor that names
// one of these programs and, for an effect, its technique and the parameters
// the game looks up (see BuiltInProgramDescriptors.h):
//
//     program banner-cut
//     technique TechniqueMain
//     parameter g_Texture
//     parameter g_f2TextureCutSize 1 1
//
// Lines starting with '#' are comments. A parameter line may give up to four
// starting values, which replace the program's own. The device then runs the
// program (ShadingProgram.h) for every pixel a draw covers, in place of the
// fixed texture stages.
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/ShadingProgram.h"

namespace plat {

enum class ProgramParameterKind { Float, Texture };

struct ProgramParameter {
    std::string_view name;
    ProgramParameterKind kind;
    std::array<float, 4> initial; // the value before anything sets it
};

struct PixelProgram {
    std::string_view name;
    std::vector<ProgramParameter> parameters; // what an effect may declare
    std::unique_ptr<ShadingProgram> (*create)();
};

// The built-in program of that name; null for an unknown name.
const PixelProgram* FindPixelProgram(std::string_view name);

// A fresh instance of the named built-in program; null for an unknown name.
std::unique_ptr<ShadingProgram> CreateShadingProgram(std::string_view name);

} // namespace plat
