// A text object for tests that answers every call with success and draws
// nothing; fakes override only the operations they observe.
#pragma once

#include "Zeph.h"

namespace fakes {

class QuietTextTexture : public Zeph::CTextTexture {
public:
    bool Init(int, int, const char*, int, std::uint32_t, int, int, int, float, std::uint8_t, int, std::uint32_t, int,
              std::uint32_t, bool, int, int, int, float, bool) override
    {
        return true;
    }
    bool PrepareCharSets(int) override { return true; }
    Zeph::GlyphRecord* GetGlyph(char16_t) override { return nullptr; }
    bool PrepareString(const char16_t*) override { return true; }
    int MeasureString(const char16_t*, int, float[2], float, float) override { return 0; }
    int GetStringWidth(const char16_t*, int) override { return 0; }
    int GetStringHeight(const char16_t*, int) override { return 0; }
    bool DrawString(const float[3], std::uint32_t, const char16_t*, int, float, float, int, int) override
    {
        return true;
    }
    void ClearGlyphs() override {}
    void Release() override {}
};

} // namespace fakes
