// The settings program from start to end: one copy only, the settings file
// read (or the defaults), the dialog, and the file written on OK.
#pragma once

#include <filesystem>

class QWidget;

namespace config {

struct ConfigState;

// The exit code: 0, or -1 when another copy runs.
int RunConfigProgram(int argc, char** argv);

// The settings file and the lock file, in the program's own folder like the game's.
std::filesystem::path SettingsFilePath();
std::filesystem::path LockFilePath();

// Reads the file; a missing or malformed one gives no position and the defaults.
void LoadSettings(const std::filesystem::path& file, ConfigState& state);

// Writes the file when the dialog ended with OK; a failed write is shown in a
// message box and leaves the old file. True when nothing failed.
bool SaveConfirmedSettings(int dialogResult, const ConfigState& state, const std::filesystem::path& file,
                           QWidget* parent);

} // namespace config
