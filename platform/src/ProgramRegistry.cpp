#include <map>
#include <mutex>

#include "platform/PixelProgram.h"

namespace plat {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, PixelProgram> programs;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

}  // namespace

bool RegisterPixelProgram(const PixelProgram& program)
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    return registry.programs.emplace(program.name, program).second;
}

const PixelProgram* FindPixelProgram(const std::string& name)
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const auto found = registry.programs.find(name);
    return found == registry.programs.end() ? nullptr : &found->second;
}

}  // namespace plat
