// Effect descriptors: the texts of the graphics device's built-in programs,
// stored where the pack holds pixel shaders and effects.
#include <string>

#include "core/PackCatalogue.h"
#include "SampleData.h"
#include "platform/BuiltInProgramDescriptors.h"

namespace sampledata {
namespace {

struct EffectText {
    int entry;
    const char* text;
};

const EffectText kEffects[] = {
    {PACK_BANNER_EFFECT, plat::kBannerBlurDescriptor},    {PACK_BASIC_PIXEL_SHADER, plat::kGameOverDescriptor},
    {PACK_BANNER_CUT_EFFECT, plat::kBannerCutDescriptor}, {PACK_BANNER_PIXEL_SHADER, plat::kBannerCrossFadeDescriptor},
    {PACK_SCREEN_EFFECT, plat::kScreenCircleDescriptor},
};

const EffectText* Find(int entry)
{
    for (const EffectText& e : kEffects)
        if (e.entry == entry)
            return &e;
    return nullptr;
}

} // namespace

bool IsEffectEntry(int entry)
{
    return Find(entry) != nullptr;
}

Bytes EffectEntry(int entry)
{
    const EffectText* e = Find(entry);
    const std::string text = e != nullptr ? e->text : "";
    return Bytes(text.begin(), text.end());
}

} // namespace sampledata
