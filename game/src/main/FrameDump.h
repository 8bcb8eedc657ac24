// Writes the picture the device presented last to a PNG file (for the
// headless test mode and for tests).
#pragma once

#include <filesystem>

class Direct3DDevice9;

bool DumpPresentedFrame(Direct3DDevice9* device, const std::filesystem::path& file);
