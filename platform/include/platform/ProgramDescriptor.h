// The text a pack entry holds in place of compiled shader code or effect
// text: which built-in shading program of the device to run and which named
// parameters the effect offers.
//
//   # comment
//   program banner-cut
//   technique TechniqueMain
//   param g_Texture texture
//   param g_f2TextureSize float2
//
// One statement a line (LF or CR LF), words separated by spaces or tabs,
// blank lines and lines starting with '#' ignored. Exactly one `program`
// line; any number of `technique` and `param` lines. Parameter types:
// float, float2, float4, texture. Names are unique within their kind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum class ProgramParameterType { Float, Float2, Float4, Texture };

struct ProgramParameter {
    std::string name;
    ProgramParameterType type;
};

struct ProgramDescriptor {
    std::string program;
    std::vector<std::string> techniques;
    std::vector<ProgramParameter> parameters;

    const ProgramParameter* FindParameter(std::string_view name) const;
    bool HasTechnique(std::string_view name) const;
};

// Parses a descriptor; false (with a one-line reason in `error` when given)
// on any malformed or unknown statement.
bool ParseProgramDescriptor(const void* data, std::size_t length, ProgramDescriptor* descriptor,
                            std::string* error = nullptr);

// Writes a descriptor in the form ParseProgramDescriptor reads.
std::string FormatProgramDescriptor(const ProgramDescriptor& descriptor);

// Number of floats a parameter of this type holds (0 for textures).
std::size_t ProgramParameterFloatCount(ProgramParameterType type);

// The built-in programs, by the name a descriptor gives.
inline constexpr const char* kScreenCircleProgram = "screen-circle";
inline constexpr const char* kBannerCrossFadeProgram = "banner-cross-fade";
inline constexpr const char* kBannerBlurProgram = "banner-blur";
inline constexpr const char* kBannerCutProgram = "banner-cut";
inline constexpr const char* kGameOverProgram = "game-over";

// The descriptor of each built-in program with every parameter it reads;
// the sample data writes these into the pack. Null for an unknown name.
const ProgramDescriptor* BuiltInProgramDescriptor(std::string_view program);

} // namespace plat
