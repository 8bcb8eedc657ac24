// Bad content met in play (a record out of range, a map the pack cannot
// give) is refused where it is met: one warning line on standard error and
// in Error.log, naming the area of the game that met it, and play goes on.
#pragma once

#include <string>

void WarnContent(const char* area, const std::string& what);
