#include "platform/Paths.h"

#include <mutex>
#include <optional>

namespace plat {
namespace {

std::mutex baseMutex;
std::optional<std::filesystem::path> chosenBase;

} // namespace

std::filesystem::path ExecutableFolder()
{
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path();
    return executable.parent_path();
}

std::filesystem::path BaseFolder()
{
    std::lock_guard lock(baseMutex);
    if (!chosenBase)
        chosenBase = ExecutableFolder();
    return *chosenBase;
}

void SetBaseFolder(const std::filesystem::path& folder)
{
    std::lock_guard lock(baseMutex);
    chosenBase = folder;
}

std::filesystem::path ResolvePath(const std::filesystem::path& path)
{
    if (path.is_absolute())
        return path;
    return BaseFolder() / path;
}

} // namespace plat
