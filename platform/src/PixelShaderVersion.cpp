#include "platform/PixelShaderVersion.h"

#include <cstdlib>
#include <cstring>

namespace plat {

namespace {
constexpr std::uint32_t kVersion20 = 0xFFFF0200u;

// One to three decimal digits; false on anything else.
bool ReadSmallNumber(const char*& text, std::uint32_t* value)
{
    std::uint32_t number = 0;
    int digits = 0;
    while (*text >= '0' && *text <= '9' && digits < 3) {
        number = number * 10 + static_cast<std::uint32_t>(*text - '0');
        ++text;
        ++digits;
    }
    *value = number;
    return digits > 0;
}
} // namespace

std::uint32_t ParsePixelShaderVersion(const char* text, std::uint32_t fallback)
{
    if (text == nullptr)
        return fallback;
    if (std::strcmp(text, "none") == 0 || std::strcmp(text, "0") == 0)
        return 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    if (!ReadSmallNumber(text, &major) || *text++ != '.' || !ReadSmallNumber(text, &minor) || *text != '\0' ||
        major > 255 || minor > 255)
        return fallback;
    return 0xFFFF0000u | major << 8 | minor;
}

std::uint32_t ReportedPixelShaderVersion()
{
    return ParsePixelShaderVersion(std::getenv("VELMORA_PIXEL_SHADER_VERSION"), kVersion20);
}

} // namespace plat
