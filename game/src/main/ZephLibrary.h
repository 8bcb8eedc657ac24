// The engine library as the game sees it: opened by path from the Data folder
// and its factories bound by name.
#pragma once

#include <filesystem>
#include <string>

#include "Zeph.h"

class ZephLibrary {
public:
    ZephLibrary() = default;
    ~ZephLibrary();
    ZephLibrary(const ZephLibrary&) = delete;
    ZephLibrary& operator=(const ZephLibrary&) = delete;

    // Opens the library at `path` (resolved against the game's folder when relative).
    bool Open(const std::filesystem::path& path);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }

    // The address of an export, or null when the library lacks it.
    void* Bind(const char* name) const;

    template <typename Proc> Proc BindAs(const char* name) const { return reinterpret_cast<Proc>(Bind(name)); }

    const std::string& LastError() const { return lastError_; }

private:
    void* handle_ = nullptr;
    std::string lastError_;
};
