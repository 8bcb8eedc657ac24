// A record of which stand-in entry points ran, in order, for tests of the
// scene dispatch. Off unless a test switches it on.
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
