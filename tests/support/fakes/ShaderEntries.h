// The pack entries of the game's shaders and effects, served by a fake pack
// as the sample pack holds them.
#pragma once

#include "core/PackCatalogue.h"
#include "fakes/FakeEngine.h"
#include "platform/BuiltInProgramDescriptors.h"

namespace fakes {

inline void ServeShaderEntries(FakeFilePack& pack)
{
    pack.data[PACK_BASIC_PIXEL_SHADER] = plat::kGameOverDescriptor;
    pack.data[PACK_BANNER_PIXEL_SHADER] = plat::kBannerCrossFadeDescriptor;
    pack.data[PACK_BANNER_EFFECT] = plat::kBannerBlurDescriptor;
    pack.data[PACK_BANNER_CUT_EFFECT] = plat::kBannerCutDescriptor;
    pack.data[PACK_SCREEN_EFFECT] = plat::kScreenCircleDescriptor;
}

} // namespace fakes
