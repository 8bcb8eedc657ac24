#include <gtest/gtest.h>

#include "platform/PixelShaderVersion.h"

namespace {

TEST(PixelShaderVersionTest, TestSwitchTextTable)
{
    constexpr std::uint32_t kFallback = 0xFFFF0200u;
    const struct {
        const char* text;
        std::uint32_t version;
    } cases[] = {
        {nullptr, kFallback}, {"none", 0},           {"0", 0},
        {"1.1", 0xFFFF0101u}, {"1.4", 0xFFFF0104u},  {"2.0", 0xFFFF0200u},
        {"3.0", 0xFFFF0300u}, {"", kFallback},       {"1", kFallback},
        {"1.", kFallback},    {"1.4x", kFallback},   {"-1.1", kFallback},
        {"256.0", kFallback}, {"1000.0", kFallback}, {"none ", kFallback},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::ParsePixelShaderVersion(c.text, kFallback), c.version) << (c.text ? c.text : "(null)");
}

} // namespace
