#include "FontResolver.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace engine {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Utf8(const char* text)
{
    return reinterpret_cast<const FcChar8*>(text);
}

PatternPtr MakeRequest(const std::string& face, int weight, bool italic)
{
    PatternPtr pattern(FcPatternCreate());
    if (!pattern)
        return nullptr;
    if (!face.empty())
        FcPatternAddString(pattern.get(), FC_FAMILY, Utf8(face.c_str()));
    // The game's faces are fixed-pitch gothic faces.
    FcPatternAddString(pattern.get(), FC_FAMILY, Utf8("monospace"));
    FcPatternAddString(pattern.get(), FC_FAMILY, Utf8("sans-serif"));
    FcPatternAddString(pattern.get(), FC_LANG, Utf8("ja"));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (weight > 0)
        FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    if (italic)
        FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ITALIC);
    if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern))
        return nullptr;
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

bool Covers(FcPattern* font, std::u16string_view coverage)
{
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch)
        return false;
    for (char16_t code : coverage) {
        if (!FcCharSetHasChar(charset, code))
            return false;
    }
    return true;
}

} // namespace

bool ResolveFontFile(const std::string& face, int weight, bool italic, std::u16string_view coverage, FontFile* file)
{
    if (!FcInit())
        return false;
    PatternPtr request = MakeRequest(face, weight, italic);
    if (!request)
        return false;
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcFontSet, FontSetDeleter> candidates(
        FcFontSort(nullptr, request.get(), FcFalse, nullptr, &result));
    if (!candidates)
        return false;
    for (int i = 0; i < candidates->nfont; ++i) {
        FcPattern* font = candidates->fonts[i];
        FcChar8* path = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch || !Covers(font, coverage))
            continue;
        int index = 0;
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        file->path = reinterpret_cast<const char*>(path);
        file->index = index;
        return true;
    }
    return false;
}

} // namespace engine
