#include "SoundFontLocator.h"

#include <algorithm>
#include <cstdlib>
#include <fluidsynth.h>

namespace midi {
namespace {

bool IsFile(const std::filesystem::path& path)
{
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

std::filesystem::path FluidSynthDefault()
{
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr)
        return {};
    std::filesystem::path result;
    char* value = nullptr;
    if (fluid_settings_getstr_default(settings, "synth.default-soundfont", &value) == FLUID_OK && value != nullptr)
        result = value;
    delete_fluid_settings(settings);
    return result;
}

} // namespace

std::optional<std::filesystem::path> FindSoundFontIn(const char* overridePath,
                                                     const std::filesystem::path& synthDefault,
                                                     const std::vector<std::filesystem::path>& folders)
{
    if (overridePath != nullptr && *overridePath != '\0') {
        if (IsFile(overridePath))
            return std::filesystem::path(overridePath);
        return std::nullopt;
    }
    if (IsFile(synthDefault))
        return synthDefault;
    static const char* const kPreferred[] = {"default-GM.sf2", "FluidR3_GM.sf2", "TimGM6mb.sf2"};
    for (const auto& folder : folders)
        for (const char* name : kPreferred)
            if (IsFile(folder / name))
                return folder / name;
    for (const auto& folder : folders) {
        std::error_code error;
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.path().extension() == ".sf2" && IsFile(entry.path()))
                found.push_back(entry.path());
        if (!found.empty())
            return *std::min_element(found.begin(), found.end());
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindSoundFont()
{
    return FindSoundFontIn(std::getenv(kSoundFontVariable), FluidSynthDefault(),
                           {"/usr/share/sounds/sf2", "/usr/share/soundfonts"});
}

} // namespace midi
