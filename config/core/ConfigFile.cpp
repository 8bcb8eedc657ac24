#include "ConfigFile.h"

#include "JoyAssign.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <locale>
#include <sstream>

namespace config {
namespace {

// Items are read as a C++ stream reads them: words split at white space,
// integers with an optional sign that must fit 32 bits, booleans as 0 or 1.
bool ReadWord(std::istream& in)
{
    std::string word; // key words are dropped unread, whatever their length
    return static_cast<bool>(in >> word);
}

bool ReadPosition(std::istream& in, std::int32_t& value)
{
    if (!ReadWord(in))
        return false;
    if (in >> value)
        return true;
    value = kNoPosition;
    in.clear();
    std::string word;
    return (in >> word) && word == "None";
}

bool ReadFlag(std::istream& in, std::uint8_t& value)
{
    bool flag = false;
    if (!ReadWord(in) || !(in >> flag))
        return false;
    value = flag ? 1 : 0;
    return true;
}

bool ReadInteger(std::istream& in, std::int32_t& value)
{
    return ReadWord(in) && static_cast<bool>(in >> value);
}

void AppendLine(std::string& text, const char* key, const std::string& value)
{
    char line[64];
    std::snprintf(line, sizeof line, "%-8s %s\r\n", key, value.c_str());
    text += line;
}

std::string SlotKey(char kind, int slot)
{
    // "Key0" .. "Key10", "KeyU" .. "KeyR", "Joy0" .. "Joy10".
    static const char* const kDirections[] = {"U", "D", "L", "R"};
    std::string key = kind == 'K' ? "Key" : "Joy";
    key += slot <= 10 ? std::to_string(slot) : kDirections[slot - 11];
    return key;
}

std::string SystemError(const std::string& what, const std::filesystem::path& path, int error)
{
    return what + ": " + path.string() + " (" + std::strerror(error) + ")";
}

} // namespace

bool LoadConfig(std::istream& in, ConfigState& state)
{
    in.imbue(std::locale::classic());
    if (!ReadPosition(in, state.xPos) || !ReadPosition(in, state.yPos))
        return false;
    const bool flagsRead = ReadFlag(in, state.keyboard) && ReadFlag(in, state.joystick) && ReadFlag(in, state.apBgm) &&
                           ReadFlag(in, state.apSound) && ReadFlag(in, state.window) && ReadFlag(in, state.showWarn) &&
                           ReadInteger(in, state.bgmVol) && ReadInteger(in, state.soundVol);
    if (!flagsRead || state.bgmVol < 0 || state.bgmVol > kVolumeMax || state.soundVol < 0 ||
        state.soundVol > kVolumeMax)
        return false;
    for (auto& key : state.keyAssign) {
        if (!ReadInteger(in, key))
            return false;
    }
    for (auto& button : state.joyAssign) {
        if (!ReadInteger(in, button))
            return false;
    }
    state.keyAssignPrev = state.keyAssign;
    state.joyAssignPrev = state.joyAssign;
    return true;
}

bool LoadConfig(const std::filesystem::path& file, ConfigState& state)
{
    std::ifstream in(file, std::ios::binary);
    return in && LoadConfig(in, state);
}

std::string FormatConfig(const ConfigState& state)
{
    std::string text;
    const bool noPosition = state.xPos == kNoPosition || state.yPos == kNoPosition;
    AppendLine(text, "XPos", noPosition ? "None" : std::to_string(state.xPos));
    AppendLine(text, "YPos", noPosition ? "None" : std::to_string(state.yPos));
    const auto flag = [](std::uint8_t value) { return std::string(value != 0 ? "1" : "0"); };
    AppendLine(text, "Keyboard", flag(state.keyboard));
    AppendLine(text, "Joystick", flag(state.joystick));
    AppendLine(text, "AP_BGM", flag(state.apBgm));
    AppendLine(text, "AP_Sound", flag(state.apSound));
    AppendLine(text, "Window", flag(state.window));
    AppendLine(text, "ShowWarn", flag(state.showWarn));
    AppendLine(text, "BGMVol", std::to_string(state.bgmVol));
    AppendLine(text, "SoundVol", std::to_string(state.soundVol));
    for (int slot = 0; slot < kKeySlots; ++slot)
        AppendLine(text, SlotKey('K', slot).c_str(), std::to_string(state.keyAssign[static_cast<std::size_t>(slot)]));
    for (int slot = 0; slot < kJoySlots; ++slot)
        AppendLine(text, SlotKey('J', slot).c_str(), std::to_string(CommittedJoyButton(state, slot)));
    return text;
}

SaveResult SaveConfig(const std::filesystem::path& file, const ConfigState& state)
{
    const std::filesystem::path folder = file.parent_path();
    if (!folder.empty() && ::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        return {false, SystemError("cannot create the folder", folder, errno)};

    const std::string text = FormatConfig(state);
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return {false, SystemError("cannot write", temporary, errno)};
    std::size_t written = 0;
    int error = 0;
    while (written < text.size() && error == 0) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n > 0)
            written += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EINTR)
            error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return {false, SystemError("cannot write", file, error)};
    }
    return {true, {}};
}

} // namespace config
