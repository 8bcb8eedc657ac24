// Set-up shared by the engine's sound tests: the virtual clock, the shared
// mixer offline (the test mixes), relative paths in the test's folder, and a
// pack of the test's entries opened as pack 0.
#pragma once

#include <filesystem>
#include <vector>

#include "PackWriter.h"
#include "Zeph.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

namespace offlinesound {

inline void Use(const std::filesystem::path& folder)
{
    plat::UseVirtualClock(0);
    plat::AudioMixer::Shared().SetOffline(true);
    plat::SetBaseFolder(folder);
}

// Writes `entries` as folder/Pack.dat and opens it; null on failure.
inline Zeph::CFilePack* OpenPack(const std::filesystem::path& folder, const std::vector<packwriter::Bytes>& entries)
{
    if (!packwriter::WritePack(folder / "Pack.dat", entries))
        return nullptr;
    Zeph::CFilePack* pack = CreateFilePack();
    if (pack->Init(1) && pack->OpenPack("Pack.dat", 0))
        return pack;
    pack->Release();
    return nullptr;
}

} // namespace offlinesound
