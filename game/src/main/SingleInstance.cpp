#include "main/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Paths.h"

namespace {

int lockDescriptor = -1;

} // namespace

bool AcquireSingleInstanceLock()
{
    if (lockDescriptor >= 0)
        return true;
    const std::string path = plat::ResolvePath("Velmora.lock").string();
    int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return false;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        close(descriptor);
        return false;
    }
    lockDescriptor = descriptor;
    return true;
}

void ReleaseSingleInstanceLock()
{
    if (lockDescriptor < 0)
        return;
    flock(lockDescriptor, LOCK_UN);
    close(lockDescriptor);
    lockDescriptor = -1;
}
