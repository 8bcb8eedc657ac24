#include "core/PlayTimeClock.h"

std::uint32_t PlayTimeClock = 0;
