#include "record/Config.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <string_view>

#include "core/SafeFileWrite.h"
#include "core/ZephGlobals.h"
#include "platform/Paths.h"

const std::int32_t DefaultKeyTable[CONFIG_KEY_COUNT] = {44, 45, 46, 47, 30, 31, 32, 33, 16, 17, 57, 200, 208, 203, 205};

CConfig GameConfig;

namespace {

// Words of the file as the reader sees them: runs of non-blank characters.
class ConfigReader {
public:
    explicit ConfigReader(std::string_view text) : text_(text) {}

    bool ReadWord(std::string_view& word)
    {
        SkipBlanks();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsBlank(text_[pos_]))
            ++pos_;
        word = text_.substr(start, pos_ - start);
        return !word.empty();
    }

    bool SkipWord()
    {
        std::string_view ignored;
        return ReadWord(ignored);
    }

    // Optional sign and decimal digits that fit 32 bits; stops before the first
    // character that cannot continue the number. On failure the position is
    // left at the start of the value so the caller can read it as a word.
    bool ReadInt(std::int32_t& value)
    {
        SkipBlanks();
        const std::size_t start = pos_;
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
            negative = text_[pos_++] == '-';
        std::int64_t magnitude = 0;
        const std::size_t firstDigit = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            magnitude = magnitude * 10 + (text_[pos_] - '0');
            if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
                pos_ = start;
                return false;
            }
            ++pos_;
        }
        const std::int64_t signedValue = negative ? -magnitude : magnitude;
        if (pos_ == firstDigit || signedValue > std::numeric_limits<std::int32_t>::max()) {
            pos_ = start;
            return false;
        }
        value = static_cast<std::int32_t>(signedValue);
        return true;
    }

    // A flag is an integer that must be 0 or 1.
    bool ReadFlag(std::uint8_t& flag)
    {
        std::int32_t value = 0;
        if (!ReadInt(value) || (value != 0 && value != 1))
            return false;
        flag = static_cast<std::uint8_t>(value);
        return true;
    }

    bool ReadKeyAndInt(std::int32_t& value) { return SkipWord() && ReadInt(value); }
    bool ReadKeyAndFlag(std::uint8_t& flag) { return SkipWord() && ReadFlag(flag); }

private:
    static bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
    void SkipBlanks()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// A window position: a number, or the word "None" for no stored position.
bool ReadPosition(ConfigReader& reader, std::int32_t& field, std::uint8_t& positionValid)
{
    if (!reader.SkipWord())
        return false;
    if (reader.ReadInt(field)) {
        positionValid = 1;
        return true;
    }
    positionValid = 0;
    field = 0;
    std::string_view word;
    return reader.ReadWord(word) && word == "None";
}

bool AllInRangeAndDistinct(const std::int32_t* values, int count, std::int32_t highest)
{
    for (int i = 0; i < count; ++i) {
        if (values[i] < 0 || values[i] > highest)
            return false;
        for (int j = 0; j < i; ++j)
            if (values[i] == values[j])
                return false;
    }
    return true;
}

std::string PaddedKey(std::string_view name)
{
    std::string key(name);
    key.resize(8, ' ');
    return key;
}

std::string SlotKey(char device, int slot)
{
    // "Key0".."Key10", "KeyU".. and "Joy0".."Joy10": the slot follows the prefix.
    static constexpr char kDirections[] = {'U', 'D', 'L', 'R'};
    std::string name = device == 'K' ? "Key" : "Joy";
    if (slot <= 10)
        name += std::to_string(slot);
    else
        name += kDirections[slot - 11];
    return PaddedKey(name);
}

void AppendLine(std::string& out, const std::string& key, std::int32_t value)
{
    out += key;
    out += ' ';
    out += std::to_string(value);
    out += "\r\n";
}

// The fields the game itself changes during play.
void CopyPlayChangedFields(const CConfig& from, CConfig& to)
{
    to.XPos = from.XPos;
    to.YPos = from.YPos;
    to.Window = from.Window;
    to.BGMVol = from.BGMVol;
    to.SoundVol = from.SoundVol;
}

void CopyFileFields(const CConfig& from, CConfig& to)
{
    CopyPlayChangedFields(from, to);
    for (int i = 0; i < CONFIG_KEY_COUNT; ++i)
        to.Key[i] = from.Key[i];
    for (int i = 0; i < CONFIG_JOY_COUNT; ++i)
        to.Joy[i] = from.Joy[i];
    to.Keyboard = from.Keyboard;
    to.Joystick = from.Joystick;
    to.AP_BGM = from.AP_BGM;
    to.AP_Sound = from.AP_Sound;
    to.ShowWarn = from.ShowWarn;
}

bool ReadSettingsFile(std::string& text)
{
    std::ifstream in(plat::ResolvePath(CONFIG_FILE_PATH), std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

CConfig::CConfig() : SaveOnExit(0)
{
    ResetGameConfig();
}

CConfig::~CConfig()
{
    SaveConfigAtExit();
}

void CConfig::ResetGameConfig()
{
    XPos = 0;
    YPos = 0;
    BGMVol = 10;
    SoundVol = 10;
    for (int i = 0; i < CONFIG_KEY_COUNT; ++i)
        Key[i] = DefaultKeyTable[i];
    for (int i = 0; i < CONFIG_JOY_COUNT; ++i)
        Joy[i] = i;
    Window = 1;
    Keyboard = 1;
    Joystick = 0;
    AP_BGM = 1;
    AP_Sound = 0;
    ShowWarn = 1;
    WindowPosValid = 0;
}

bool ParseConfigText(const std::string& text, CConfig& config)
{
    ConfigReader reader(text);
    if (!ReadPosition(reader, config.XPos, config.WindowPosValid) ||
        !ReadPosition(reader, config.YPos, config.WindowPosValid))
        return false;
    if (!reader.ReadKeyAndFlag(config.Keyboard) || !reader.ReadKeyAndFlag(config.Joystick) ||
        !reader.ReadKeyAndFlag(config.AP_BGM) || !reader.ReadKeyAndFlag(config.AP_Sound) ||
        !reader.ReadKeyAndInt(config.Window) || !reader.ReadKeyAndFlag(config.ShowWarn) ||
        !reader.ReadKeyAndInt(config.BGMVol) || !reader.ReadKeyAndInt(config.SoundVol))
        return false;
    if (!config.Keyboard && !config.Joystick)
        return false;
    if (config.Window < 0 || config.Window > 1)
        return false;
    if (config.BGMVol < 0 || config.BGMVol > CONFIG_MAX_VOLUME || config.SoundVol < 0 ||
        config.SoundVol > CONFIG_MAX_VOLUME)
        return false;
    for (std::int32_t& key : config.Key)
        if (!reader.ReadKeyAndInt(key))
            return false;
    for (std::int32_t& button : config.Joy)
        if (!reader.ReadKeyAndInt(button))
            return false;
    return AllInRangeAndDistinct(config.Key, CONFIG_KEY_COUNT, CONFIG_MAX_KEY) &&
           AllInRangeAndDistinct(config.Joy, CONFIG_JOY_COUNT, CONFIG_MAX_JOY);
}

std::string FormatConfigText(const CConfig& config)
{
    std::string out;
    AppendLine(out, PaddedKey("XPos"), config.XPos);
    AppendLine(out, PaddedKey("YPos"), config.YPos);
    AppendLine(out, PaddedKey("Keyboard"), config.Keyboard ? 1 : 0);
    AppendLine(out, PaddedKey("Joystick"), config.Joystick ? 1 : 0);
    AppendLine(out, PaddedKey("AP_BGM"), config.AP_BGM ? 1 : 0);
    AppendLine(out, PaddedKey("AP_Sound"), config.AP_Sound ? 1 : 0);
    AppendLine(out, PaddedKey("Window"), config.Window);
    AppendLine(out, PaddedKey("ShowWarn"), config.ShowWarn ? 1 : 0);
    AppendLine(out, PaddedKey("BGMVol"), config.BGMVol);
    AppendLine(out, PaddedKey("SoundVol"), config.SoundVol);
    for (int i = 0; i < CONFIG_KEY_COUNT; ++i)
        AppendLine(out, SlotKey('K', i), config.Key[i]);
    for (int i = 0; i < CONFIG_JOY_COUNT; ++i)
        AppendLine(out, SlotKey('J', i), config.Joy[i]);
    return out;
}

bool CConfig::LoadGameConfig()
{
    // A settings write killed half way left its temporary file.
    safewrite::RemoveLeftovers(plat::ResolvePath(CONFIG_FILE_PATH));
    std::string text;
    if (!ReadSettingsFile(text))
        return false;
    return ParseConfigText(text, *this);
}

bool CConfig::SaveGameConfig()
{
    const std::string text = FormatConfigText(*this);
    return safewrite::ReplaceFile(plat::ResolvePath(CONFIG_FILE_PATH), text.data(), text.size());
}

bool CConfig::SaveConfigAtExit()
{
    if (!SaveOnExit)
        return true;
    SaveOnExit = 0;

    // Start from what the file holds now; a missing or damaged file is
    // replaced by the whole record.
    CConfig merged;
    if (!merged.LoadGameConfig())
        CopyFileFields(*this, merged);
    else
        CopyPlayChangedFields(*this, merged);
    if (merged.SaveGameConfig())
        return true;

    if (ZephError != nullptr)
        ZephError->Error("Config.cpp", __LINE__, ERROR_FILE_WRITE, nullptr);
    else
        std::fprintf(stderr, "Velmora: the settings file %s could not be written.\n", CONFIG_FILE_PATH);
    return false;
}
