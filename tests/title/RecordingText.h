// A text object that draws nothing and keeps each DrawString call.
#pragma once

#include <string>
#include <vector>

#include "Zeph.h"

struct DrawnText {
    std::u16string text;
    float x, y, z;
    std::uint32_t colour;
};

class RecordingText final : public Zeph::CTextTexture {
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
    bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length, float, float, int,
                    int) override
    {
        if (failFrom >= 0 && static_cast<int>(drawn.size()) >= failFrom)
            return false;
        drawn.push_back(
            {std::u16string(text, static_cast<size_t>(length)), position[0], position[1], position[2], colour});
        return true;
    }
    void ClearGlyphs() override {}
    void Release() override {}

    std::vector<DrawnText> drawn;
    int failFrom = -1; // the call from which drawing fails, -1 never
};
