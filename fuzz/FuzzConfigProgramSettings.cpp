// The settings program's reader of the same settings file.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "ConfigFile.h"
#include "ConfigState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    config::ConfigState state{};
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    (void)config::LoadConfig(in, state);
    return 0;
}
