#include <gtest/gtest.h>

#include <fstream>

#include "SoundFontLocator.h"
#include "TempFolder.h"

namespace {

struct LocatorCase {
    const char* name;
    std::vector<std::string> files; // made in the temporary folder
    const char* override;           // relative to the folder; null for none
    const char* synthDefault;       // relative to the folder; empty for none
    const char* expected;           // relative to the folder; null for none found
};

void PrintTo(const LocatorCase& c, std::ostream* out)
{
    *out << c.name;
}

class SoundFontSearch : public testing::TestWithParam<LocatorCase> {};

TEST_P(SoundFontSearch, FindsTheFirstUsableChoice)
{
    testsupport::TempFolder folder;
    std::filesystem::create_directories(folder / "fonts");
    for (const auto& file : GetParam().files)
        std::ofstream(folder / file) << "sf2";
    const std::string overridePath = GetParam().override ? (folder / GetParam().override).string() : "";
    const std::filesystem::path synthDefault =
        *GetParam().synthDefault ? folder / GetParam().synthDefault : std::filesystem::path();
    const auto found = midi::FindSoundFontIn(GetParam().override ? overridePath.c_str() : nullptr, synthDefault,
                                             {folder / "none", folder / "fonts"});
    if (GetParam().expected == nullptr) {
        EXPECT_FALSE(found.has_value()) << *found;
    } else {
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, folder / GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SoundFontSearch,
    testing::Values(
        LocatorCase{
            "OverrideWins", {"mine.sf2", "fonts/default-GM.sf2"}, "mine.sf2", "fonts/default-GM.sf2", "mine.sf2"},
        LocatorCase{"MissingOverrideMeansSilence", {"fonts/default-GM.sf2"}, "gone.sf2", "", nullptr},
        LocatorCase{
            "SynthDefaultBeforeTheFolders", {"synth.sf2", "fonts/TimGM6mb.sf2"}, nullptr, "synth.sf2", "synth.sf2"},
        LocatorCase{
            "MissingSynthDefaultFallsThrough", {"fonts/TimGM6mb.sf2"}, nullptr, "gone.sf2", "fonts/TimGM6mb.sf2"},
        LocatorCase{
            "GeneralMidiNamesFirst", {"fonts/aaa.sf2", "fonts/TimGM6mb.sf2"}, nullptr, "", "fonts/TimGM6mb.sf2"},
        LocatorCase{"AnySoundFontInTheFolders",
                    {"fonts/zz.sf2", "fonts/bb.sf2", "fonts/notes.txt"},
                    nullptr,
                    "",
                    "fonts/bb.sf2"},
        LocatorCase{"NothingFound", {"fonts/readme.txt"}, nullptr, "", nullptr}),
    [](const testing::TestParamInfo<LocatorCase>& param) { return param.param.name; });

} // namespace
