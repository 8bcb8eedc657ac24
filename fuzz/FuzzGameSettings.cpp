// The game's reader of the settings file "SaveData/Config.cfg".
#include <cstddef>
#include <cstdint>
#include <string>

#include "record/Config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CConfig config{};
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (ParseConfigText(text, config)) {
        // An accepted file reads back the same after writing it out.
        CConfig again{};
        if (!ParseConfigText(FormatConfigText(config), again) || FormatConfigText(again) != FormatConfigText(config))
            __builtin_trap();
    }
    return 0;
}
