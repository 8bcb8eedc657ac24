#include "core/SceneTrace.h"

namespace SceneTrace {
namespace {

bool enabled = false;
std::vector<std::string> calls;
std::function<void(const std::string&)> noteHook;

void Record(std::string call)
{
    calls.push_back(call);
    if (noteHook)
        noteHook(call);
}

} // namespace

void Enable(bool on)
{
    enabled = on;
}

void Clear()
{
    calls.clear();
}

void Note(const char* what)
{
    if (enabled)
        Record(what);
}

void Note(const char* what, int argument)
{
    if (enabled)
        Record(std::string(what) + "(" + std::to_string(argument) + ")");
}

void SetHook(std::function<void(const std::string&)> hook)
{
    noteHook = std::move(hook);
}

const std::vector<std::string>& Calls()
{
    return calls;
}

} // namespace SceneTrace
