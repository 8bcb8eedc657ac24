// The descriptors of the device's built-in shading programs as the resource
// pack stores them in place of compiled shader code and effect text (pack
// entries 258 and 264: pixel shaders; 1, 263 and 268: effects). Each names
// its program and, for an effect, the technique and every parameter the
// game looks up; the sample data writes these texts into the pack.
//
//     program <name>
//     technique <name>
//     parameter <name> [up to four initial values]
#pragma once

namespace plat {

inline constexpr const char* kScreenCircleProgram = "screen-circle";
inline constexpr const char* kBannerCrossFadeProgram = "banner-cross-fade";
inline constexpr const char* kBannerBlurProgram = "banner-blur";
inline constexpr const char* kBannerCutProgram = "banner-cut";
inline constexpr const char* kGameOverProgram = "game-over";

// Pack entry 258: the game over's darkening (pixel shader).
inline constexpr const char* kGameOverDescriptor = "program game-over\n";
// Pack entry 264: the banner's cross-fade between processed copies (pixel shader).
inline constexpr const char* kBannerCrossFadeDescriptor = "program banner-cross-fade\n";
// Pack entry 1: the banner's blur passes (effect).
inline constexpr const char* kBannerBlurDescriptor = "program banner-blur\n"
                                                     "technique TechniqueMain\n"
                                                     "parameter g_Texture\n"
                                                     "parameter g_f2TextureSize\n";
// Pack entry 263: the banner's mosaic fades (effect).
inline constexpr const char* kBannerCutDescriptor = "program banner-cut\n"
                                                    "technique TechniqueMain\n"
                                                    "parameter g_Texture\n"
                                                    "parameter g_f2TextureSize\n"
                                                    "parameter g_f2TextureCutSize 1 1\n"
                                                    "parameter g_f2TextureCutDrawPoint 0 0\n";
// Pack entry 268: the event screen effect's circle (effect).
inline constexpr const char* kScreenCircleDescriptor = "program screen-circle\n"
                                                       "technique TechniqueMain\n"
                                                       "parameter g_fChangeColorMagnification\n"
                                                       "parameter g_fMinDistance\n"
                                                       "parameter g_fMaxDistancePow2\n"
                                                       "parameter g_fMinDistancePow2\n"
                                                       "parameter g_f2TextureCenterPos 0.5 0.5\n";

} // namespace plat
