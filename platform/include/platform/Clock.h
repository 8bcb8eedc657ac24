// The one clock of the game and the engine: milliseconds in 32 bits that wrap
// around like the platform timer, and a sleep. Tests and the headless mode
// install a virtual clock that only moves when slept on or advanced, so runs
// are deterministic and fast.
#pragma once

#include <cstdint>

namespace plat {

std::uint32_t NowMs();
void SleepMs(std::uint32_t ms);

// Switches to a virtual clock starting at `startMs`; every SleepMs advances it.
void UseVirtualClock(std::uint32_t startMs);
// Moves the virtual clock on by `ms` without sleeping (no effect on the real clock).
void AdvanceVirtualClock(std::uint32_t ms);
void UseRealClock();
bool IsVirtualClock();

} // namespace plat
