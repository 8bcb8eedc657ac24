// Conversions between the game's UTF-16 texts and the UTF-8 used for files,
// logs and the platform's own calls.
#pragma once

#include <string>
#include <string_view>

namespace plat {

std::string ToUtf8(std::u16string_view text);
std::u16string ToUtf16(std::string_view text);

} // namespace plat
