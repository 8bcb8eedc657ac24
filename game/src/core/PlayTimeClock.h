// The time up to which whole seconds of play have been counted: the main
// loop counts from it, and a load or a new game restarts it.
#pragma once

#include <cstdint>

extern std::uint32_t PlayTimeClock;
