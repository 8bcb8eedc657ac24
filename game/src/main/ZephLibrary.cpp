#include "main/ZephLibrary.h"

#include <dlfcn.h>

#include "platform/Paths.h"

ZephLibrary::~ZephLibrary()
{
    Close();
}

bool ZephLibrary::Open(const std::filesystem::path& path)
{
    Close();
    const std::string resolved = plat::ResolvePath(path).string();
    handle_ = dlopen(resolved.c_str(), RTLD_NOW | RTLD_LOCAL);
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
