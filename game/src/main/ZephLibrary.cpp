#include "main/ZephLibrary.h"

#include <dlfcn.h>

#include "platform/Paths.h"

namespace {

// Sanitizer builds keep the library mapped after it is closed, so the leak
// check at exit can still name its functions and the suppressions match.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kKeepMapped = RTLD_NODELETE;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kKeepMapped = RTLD_NODELETE;
#else
constexpr int kKeepMapped = 0;
#endif
#else
constexpr int kKeepMapped = 0;
#endif

} // namespace

ZephLibrary::~ZephLibrary()
{
    Close();
}

bool ZephLibrary::Open(const std::filesystem::path& path)
{
    Close();
    const std::string resolved = plat::ResolvePath(path).string();
    handle_ = dlopen(resolved.c_str(), RTLD_NOW | RTLD_LOCAL | kKeepMapped);
    if (handle_ == nullptr) {
        const char* why = dlerror();
        lastError_ = why != nullptr ? why : "dlopen failed";
        return false;
    }
    return true;
}

void ZephLibrary::Close()
{
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}

void* ZephLibrary::Bind(const char* name) const
{
    if (handle_ == nullptr)
        return nullptr;
    return dlsym(handle_, name);
}
