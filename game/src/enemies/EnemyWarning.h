// Bad content met while a battle is set up (a kind id out of range, a
// record too short, a retry without its copy) is refused where it is met:
// one warning line on standard error and in Error.log, and play goes on.
#pragma once

#include <string>

void WarnEnemyContent(const std::string& what);
