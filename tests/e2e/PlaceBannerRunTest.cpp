// The place-name banner in the game itself: a new game enters the first
// village, and once its welcome is read the village's name fades in at the
// bottom right, sharpens, stays and fades out, through the banner shaders
// and again on a device without pixel shaders as a plain fade. Dumps of each
// phase are kept to look at.
#include <gtest/gtest.h>

#include <string>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"

namespace {

using e2e::Box;
using e2e::FrameImage;
using e2e::GameFolder;

// The player stands on the left half: the banner sits at the bottom right.
constexpr Box kBanner{400, 438, 636, 476};
// New game on frame 50, the welcome read on frame 250: the banner prepares
// from then on and shows from about frame 297.
constexpr int kBeforeBanner = 290;
constexpr int kFadingIn = 312;
constexpr int kSharpening = 345;
constexpr int kHolding = 450;
constexpr int kGone = 700;

std::string NewGameScript()
{
    std::string script;
    for (int frame : {50, 250})
        script += std::to_string(frame) + " key " + std::to_string(e2e::kKeyConfirm) + " down\n" +
                  std::to_string(frame + 1) + " key " + std::to_string(e2e::kKeyConfirm) + " up\n";
    return script;
}

struct BannerRun {
    FrameImage before, fadingIn, sharpening, holding, gone;
};

BannerRun RunBanner(const std::string& pixelShaderVersion, const std::string& keepAs)
{
    GameFolder folder;
    folder.Write("script.txt", NewGameScript());
    e2e::Environment environment = e2e::HeadlessEnvironment();
    environment["VELMORA_INPUT_SCRIPT"] = "script.txt";
    environment["VELMORA_DUMP_FRAMES"] = std::to_string(kBeforeBanner) + "," + std::to_string(kFadingIn) + "," +
                                         std::to_string(kSharpening) + "," + std::to_string(kHolding) + "," +
                                         std::to_string(kGone);
    environment["VELMORA_FRAME_LIMIT"] = std::to_string(kGone + 1);
    if (!pixelShaderVersion.empty())
        environment["VELMORA_PIXEL_SHADER_VERSION"] = pixelShaderVersion;
    const e2e::ProgramResult run = e2e::RunGameProgram(folder, environment);
    EXPECT_TRUE(run.exited) << run.errors;
    return {e2e::Dump(folder, kBeforeBanner), e2e::Dump(folder, kFadingIn, keepAs + "_fading_in"),
            e2e::Dump(folder, kSharpening, keepAs + "_sharpening"), e2e::Dump(folder, kHolding, keepAs + "_holding"),
            e2e::Dump(folder, kGone, keepAs + "_gone")};
}

TEST(PlaceBannerRunTest, TheVillagesNameFadesInSharpensStaysAndFadesOut)
{
    const BannerRun shaded = RunBanner("", "program_banner");
    EXPECT_FALSE(shaded.holding.SameAs(shaded.before, kBanner)) << "the name stands in its corner";
    EXPECT_FALSE(shaded.fadingIn.SameAs(shaded.holding, kBanner)) << "cut in from coarse blocks";
    EXPECT_FALSE(shaded.sharpening.SameAs(shaded.holding, kBanner)) << "still soft while sharpening";
    EXPECT_TRUE(shaded.gone.SameAs(shaded.before, e2e::kWholeScreen)) << "gone again after the fade-out";
    EXPECT_TRUE(shaded.holding.SameAs(shaded.before, {0, 0, 640, 436})) << "only the banner changed";

    const BannerRun plain = RunBanner("none", "program_banner_plain");
    EXPECT_TRUE(plain.holding.SameAs(shaded.holding, e2e::kWholeScreen)) << "held, both ways draw the same name";
    EXPECT_TRUE(plain.sharpening.SameAs(plain.holding, e2e::kWholeScreen)) << "no sharpening without shaders";
    EXPECT_FALSE(plain.fadingIn.SameAs(plain.holding, kBanner)) << "a plain fade";
    EXPECT_TRUE(plain.gone.SameAs(plain.before, e2e::kWholeScreen));
}

} // namespace
