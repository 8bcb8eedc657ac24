// Writing a file so that a crash or a failed write never leaves it half
// written: the new content goes to a temporary file in the same folder, is
// flushed, synced and closed, and only then renamed over the old file.
#pragma once

#include <cstddef>
#include <filesystem>

namespace safewrite {

// The steps a write goes through; tests can make one of them fail.
enum class WriteStep { Open, Write, Sync, Close, Rename };
using FaultHook = bool (*)(WriteStep step);

// Installs a hook asked before each step; a true answer fails that step.
// Null (the default) runs every step for real.
void SetFaultHook(FaultHook hook);

// Writes `size` bytes into a new temporary file beside `target`, creating the
// target's folder (one level) when it is missing. Returns the temporary
// file's path, or an empty path when any step failed (then nothing is left).
std::filesystem::path WriteTemporaryFile(const std::filesystem::path& target, const void* data, std::size_t size);

// Removes the temporary files an interrupted write for `target` left beside
// it (the names WriteTemporaryFile makes for that target, nothing else);
// returns how many were removed.
int RemoveLeftovers(const std::filesystem::path& target);

// Renames `from` to `to` (replacing it) and syncs the folder.
bool MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

// WriteTemporaryFile then MoveIntoPlace; on failure the old `target` stays
// as it was and no temporary file is left.
bool ReplaceFile(const std::filesystem::path& target, const void* data, std::size_t size);

} // namespace safewrite
