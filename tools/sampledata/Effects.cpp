// Effect descriptors: a small text of ours naming one of the graphics
// device's built-in programs, its technique and the parameters it takes.
#include <string>

#include "PackCatalogue.h"
#include "SampleData.h"

namespace sampledata {
namespace {

struct EffectText {
    int entry;
    const char* text;
};

const EffectText kEffects[] = {
    {PACK_BANNER_EFFECT,
     "program banner-blur\n"
     "technique TechniqueMain\n"
     "parameter g_Texture texture\n"
     "parameter g_f2TextureSize float2 1 1\n"},
    {PACK_BASIC_PIXEL_SHADER, "program game-over\n"},
    {PACK_BANNER_CUT_EFFECT,
     "program banner-cut\n"
     "technique TechniqueMain\n"
     "parameter g_Texture texture\n"
     "parameter g_f2TextureSize float2 1 1\n"
     "parameter g_f2TextureCutSize float2 1 1\n"
     "parameter g_f2TextureCutDrawPoint float2 0 0\n"},
    {PACK_BANNER_PIXEL_SHADER, "program banner-cross-fade\n"},
    {PACK_SCREEN_EFFECT,
     "program screen-circle\n"
     "technique TechniqueMain\n"
     "parameter g_fChangeColorMagnification float 2.6666667\n"
     "parameter g_fMinDistance float 0\n"
     "parameter g_fMaxDistancePow2 float 0\n"
     "parameter g_fMinDistancePow2 float 0\n"
     "parameter g_f2TextureCenterPos float2 0.5 0.5\n"},
};

const EffectText* Find(int entry)
{
    for (const EffectText& e : kEffects)
        if (e.entry == entry)
            return &e;
    return nullptr;
}

}  // namespace

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

std::string EffectProgramName(int entry)
{
    const EffectText* e = Find(entry);
    if (e == nullptr)
        return {};
    const std::string text = e->text;
    const std::size_t start = text.find(' ') + 1;
    return text.substr(start, text.find('\n') - start);
}

}  // namespace sampledata
