// A game folder of its own for one test. The program is copied in, because
// the game finds its files next to its own executable and a symbolic link
// would lead it back to the build's run folder; the libraries, the pack and
// the tunes are linked from there. Saves, the error log, the lock file, frame
// dumps and scripts all land in this folder and go with it.
#pragma once

#include <filesystem>
#include <string>

#include "TempFolder.h"

namespace e2e {

class GameFolder {
public:
    GameFolder()
    {
        namespace fs = std::filesystem;
        const fs::path run = VELMORA_RUN_DIR;
        fs::copy_file(run / "Velmora", path() / "Velmora");
        fs::create_symlink(run / "libvelmora_platform.so", path() / "libvelmora_platform.so");
        fs::create_directories(path() / "Data");
        fs::create_symlink(run / "Data/libZeph.so", path() / "Data/libZeph.so");
        fs::create_symlink(run / "Data/Pack.dat", path() / "Data/Pack.dat");
        fs::create_directory_symlink(run / "Midi", path() / "Midi");
    }

    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path operator/(const std::string& name) const { return folder_ / name; }

    void Write(const std::string& name, const std::string& text) const
    {
        testsupport::WriteWholeFile(folder_ / name, text);
    }

private:
    testsupport::TempFolder folder_;
};

} // namespace e2e
