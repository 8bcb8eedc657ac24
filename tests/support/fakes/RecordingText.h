// A text object that draws nothing and keeps each DrawString call, the look
// it was made with and the strings prepared; its Init can be made to fail.
#pragma once

#include <string>
#include <vector>

#include "fakes/QuietTextTexture.h"

namespace fakes {

struct DrawnText {
    std::u16string text;
    float x, y, z;
    std::uint32_t colour;
    int length = 0; // the length bound the caller gave
    float lineAdvance = 0.0f;
    float widthLimit = 0.0f;
};

// What Init was given that tells one text object from another.
struct TextLook {
    int height, glyphFormat, fullWidthAdvance, halfWidthAdvance;
    bool operator==(const TextLook&) const = default;
};

class RecordingText final : public QuietTextTexture {
public:
    bool Init(int height, int, const char*, int, std::uint32_t, int, int, int glyphFormat, float, std::uint8_t, int,
              std::uint32_t, int, std::uint32_t, bool, int fullWidthAdvance, int halfWidthAdvance, int, float,
              bool) override
    {
        look = {height, glyphFormat, fullWidthAdvance, halfWidthAdvance};
        return !failInit;
    }
    bool PrepareString(const char16_t* text) override
    {
        prepared.push_back(text);
        return true;
    }
    void Release() override { ++releases; }

    bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length, float lineAdvance,
                    float widthLimit, int, int) override
    {
        const int call = calls++;
        if ((failFrom >= 0 && static_cast<int>(drawn.size()) >= failFrom) || call == failAt)
            return false;
        drawn.push_back({std::u16string(text, Length(text, length)), position[0], position[1], position[2], colour,
                         length, lineAdvance, widthLimit});
        return true;
    }
    // Measures `glyphWidth` a character (up to the length or the terminating
    // zero) and `glyphHeight` high; `failMeasure` answers -1.
    int GetStringWidth(const char16_t* text, int length) override
    {
        return failMeasure ? -1 : glyphWidth * static_cast<int>(Length(text, length));
    }
    int GetStringHeight(const char16_t*, int) override { return failMeasure ? -1 : glyphHeight; }

    // A length may run past the text (the whole-text length): the text stops at its zero.
    static size_t Length(const char16_t* text, int length)
    {
        size_t n = 0;
        while (static_cast<int>(n) < length && text[n] != 0)
            ++n;
        return n;
    }

    std::vector<DrawnText> drawn;
    int glyphWidth = 0;
    int glyphHeight = 0;
    bool failMeasure = false;
    int failFrom = -1; // the call from which drawing fails, -1 never
    int failAt = -1;   // the one call (counted from 0) that fails, -1 none
    int calls = 0;
    TextLook look{};
    bool failInit = false;
    std::vector<std::u16string> prepared;
    int releases = 0;
};

} // namespace fakes
