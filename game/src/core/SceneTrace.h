// A record of which entry points ran, in order: the steps and layers a frame
// runs through, for tests of the scene dispatch and of the battle's phase
// driver. Off unless a test switches it on.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace SceneTrace {

void Enable(bool on);
void Clear();
void Note(const char* what);
void Note(const char* what, int argument);
const std::vector<std::string>& Calls();
// Called with every note while tracing is on; tests use it to act inside a part.
void SetHook(std::function<void(const std::string&)> hook);

} // namespace SceneTrace
