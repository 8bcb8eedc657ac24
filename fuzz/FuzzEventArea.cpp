// A map's event area: its records and scripts run frame by frame with the
// input's button presses, on the field tests' world of fakes (the runner
// also replays the malformed-area table of the event tests).
#include <cstddef>
#include <cstdint>

#include "EventAreaRunner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    eventfuzz::RunEventAreaBytes(data, size);
    return 0;
}
