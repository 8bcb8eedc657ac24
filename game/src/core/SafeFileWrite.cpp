#include "core/SafeFileWrite.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace safewrite {
namespace {

FaultHook faultHook = nullptr;

bool Fails(WriteStep step)
{
    return faultHook != nullptr && faultHook(step);
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A rename is only durable once the folder that holds the name is synced.
void SyncFolder(const std::filesystem::path& folder)
{
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

namespace {

// mkstemp replaces the six X of the pattern with letters and digits.
bool IsLeftoverName(const std::string& name, const std::string& targetName)
{
    const std::string prefix = targetName + ".tmp";
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

} // namespace

int RemoveLeftovers(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::string targetName = target.filename().string();
    std::error_code error;
    int removed = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code fileError;
        if (it->is_regular_file(fileError) && IsLeftoverName(it->path().filename().string(), targetName) &&
            std::filesystem::remove(it->path(), fileError))
            ++removed;
    }
    return removed;
}

void SetFaultHook(FaultHook hook)
{
    faultHook = hook;
}

std::filesystem::path WriteTemporaryFile(const std::filesystem::path& target, const void* data, std::size_t size)
{
    const std::filesystem::path folder = target.parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        std::filesystem::create_directory(folder, error);
    // A write killed half way leaves its temporary file; the next write clears it.
    RemoveLeftovers(target);

    std::string pattern = target.string() + ".tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = Fails(WriteStep::Open) ? -1 : ::mkstemp(name.data());
    if (fd < 0)
        return {};
    const std::filesystem::path temporary = name.data();
    ::fchmod(fd, 0644);

    bool ok = !Fails(WriteStep::Write) && WriteAll(fd, static_cast<const unsigned char*>(data), size);
    ok = ok && !Fails(WriteStep::Sync) && ::fsync(fd) == 0;
    // Close always runs so the descriptor never leaks; its failure counts too.
    const bool closed = ::close(fd) == 0 && !Fails(WriteStep::Close);
    if (!ok || !closed) {
        std::filesystem::remove(temporary, error);
        return {};
    }
    return temporary;
}

bool MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (Fails(WriteStep::Rename) || ::rename(from.c_str(), to.c_str()) != 0)
        return false;
    SyncFolder(to.parent_path());
    return true;
}

bool ReplaceFile(const std::filesystem::path& target, const void* data, std::size_t size)
{
    const std::filesystem::path temporary = WriteTemporaryFile(target, data, size);
    if (temporary.empty())
        return false;
    if (!MoveIntoPlace(temporary, target)) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace safewrite
