#include "main/SingleInstance.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Paths.h"

namespace {

int lockDescriptor = -1;
bool heldElsewhere = false;

} // namespace

bool AcquireSingleInstanceLock()
{
    if (lockDescriptor >= 0)
        return true;
    const std::string path = plat::ResolvePath("Velmora.lock").string();
    int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return false;
    heldElsewhere = false;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere = errno == EWOULDBLOCK;
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

bool AnotherCopyHoldsTheLock()
{
    return heldElsewhere;
}
