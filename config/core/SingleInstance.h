// One copy of the settings program at a time: a lock held on a file of its
// own for as long as the program runs (the game holds a different one).
#pragma once

#include <filesystem>

namespace config {

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another copy holds the lock or the file cannot be made.
    bool Acquire(const std::filesystem::path& lockFile);

private:
    int fd_ = -1;
};

} // namespace config
