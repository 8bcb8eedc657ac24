#include "ScreenShotFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Paths.h"

namespace engine {
namespace {

constexpr int kLastNumber = 999;

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::filesystem::path SaveScreenShotFile(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height,
                                         std::uint32_t pitch)
{
    const std::filesystem::path folder = plat::ResolvePath("ScreenShot");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return {};
    const std::vector<std::uint8_t> bytes = plat::EncodeBmpFile(pixels, width, height, pitch);
    for (int number = 0; number <= kLastNumber; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "ScreenShot%03d.bmp", number);
        const std::filesystem::path path = folder / name;
        // Created only if absent: a name taken meanwhile is skipped, never overwritten.
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        const bool written = WriteAll(fd, bytes);
        const bool closed = close(fd) == 0;
        if (written && closed)
            return path;
        std::filesystem::remove(path, error); // our own partial file
        return {};
    }
    return {};
}

} // namespace engine
