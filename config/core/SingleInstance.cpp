#include "SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace config {

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_); // closing lets the lock go
}

bool InstanceLock::Acquire(const std::filesystem::path& lockFile)
{
    if (fd_ >= 0)
        return true;
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

} // namespace config
