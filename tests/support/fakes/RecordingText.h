// A text object that draws nothing and keeps each DrawString call.
#pragma once

#include <string>
#include <vector>

#include "fakes/QuietTextTexture.h"

namespace fakes {

struct DrawnText {
    std::u16string text;
    float x, y, z;
    std::uint32_t colour;
};

class RecordingText final : public QuietTextTexture {
public:
    bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length, float, float, int,
                    int) override
    {
        if (failFrom >= 0 && static_cast<int>(drawn.size()) >= failFrom)
            return false;
        drawn.push_back(
            {std::u16string(text, static_cast<size_t>(length)), position[0], position[1], position[2], colour});
        return true;
    }

    std::vector<DrawnText> drawn;
    int failFrom = -1; // the call from which drawing fails, -1 never
};

} // namespace fakes
