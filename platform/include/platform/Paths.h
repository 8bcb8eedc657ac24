// Where the game's files live. Every relative path ("Data/…", "SaveData/…",
// "Error.log") is taken relative to the folder of the running executable, so
// the game runs from any working directory; tests point it elsewhere.
#pragma once

#include <filesystem>
#include <string>

namespace plat {

// The folder relative paths are resolved against: the executable's folder,
// unless SetBaseFolder chose another one.
std::filesystem::path BaseFolder();
void SetBaseFolder(const std::filesystem::path& folder);

// An absolute path is returned unchanged; a relative one is joined to BaseFolder().
std::filesystem::path ResolvePath(const std::filesystem::path& path);

// The folder that holds the running executable.
std::filesystem::path ExecutableFolder();

} // namespace plat
