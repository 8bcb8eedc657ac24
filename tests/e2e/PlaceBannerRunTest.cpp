// The place-name banner in the game itself: a new game enters the first
// village, and once its welcome is read the village's name fades in at the
// bottom right, sharpens, stays and fades out, through the banner shaders
// and again on a device without pixel shaders as a plain fade. Dumps of each
// phase are kept to look at. And a tour through the doors to other places.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

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

// From a save beside the first map's door: through it to the cave, whose
// name shows once its greeting is read; on through the passage to map 14
// (a new place, its name shows), down its hole to map 15 (joined to 14: no
// banner) and through a door to map 16, which forbids the banner.
constexpr int kCaveFadingIn = 460;
constexpr int kCaveSharpening = 500;
constexpr int kCaveHolding = 560;
constexpr int kCaveGone = 880;
constexpr int kHallArrived = 1160;
constexpr int kHallHolding = 1300;
constexpr int kLowerHallArrived = 1900;
constexpr int kLowerHallLater = 2100;
constexpr int kStoreroomArrived = 2380;
constexpr int kStoreroomLater = 2560;
constexpr Box kBottomStrip{0, 438, 640, 476};

std::string TourScript()
{
    std::string script;
    auto key = [&script](int at, int code, bool down) {
        script += std::to_string(at) + " key " + std::to_string(code) + (down ? " down\n" : " up\n");
    };
    auto tap = [&key](int at, int code) {
        key(at, code, true);
        key(at + 1, code, false);
    };
    auto walk = [&key](int at, int code, int cells) {
        key(at, code, true);
        key(at + 16 * cells - 1, code, false);
    };
    for (int at : {50, 55, 60})
        tap(at, e2e::kKeyConfirm); // load slot 1
    walk(200, e2e::kKeyRight, 1);  // the door
    tap(366, e2e::kKeyConfirm);    // the greeting typed out
    tap(396, e2e::kKeyConfirm);    // and read
    walk(1000, e2e::kKeyRight, 2); // the passage to map 14
    walk(1700, e2e::kKeyRight, 3); // its hole to map 15
    walk(2200, e2e::kKeyDown, 2);  // the door to map 16
    return script;
}

std::map<int, FrameImage> RunTour(const std::string& pixelShaderVersion, const std::vector<int>& frames,
                                  const std::string& keepAs)
{
    GameFolder folder;
    e2e::WriteSaveBesideTheDoor(folder);
    e2e::Environment extra;
    if (!pixelShaderVersion.empty())
        extra["VELMORA_PIXEL_SHADER_VERSION"] = pixelShaderVersion;
    const e2e::ProgramResult run =
        e2e::RunScripted(folder, TourScript(), e2e::FrameList(frames), frames.back() + 1, extra, e2e::kLongRunLimit);
    EXPECT_TRUE(run.exited) << run.errors;
    std::map<int, FrameImage> shots;
    for (int f : frames)
        shots[f] = e2e::Dump(folder, f, keepAs + "_" + std::to_string(f));
    return shots;
}

TEST(PlaceBannerRunTest, EachNewPlaceShowsItsNameButJoinedAndForbiddingMapsDoNot)
{
    auto shots = RunTour("",
                         {kCaveFadingIn, kCaveSharpening, kCaveHolding, kCaveGone, kHallArrived, kHallHolding,
                          kLowerHallArrived, kLowerHallLater, kStoreroomArrived, kStoreroomLater},
                         "program_banner_tour");
    EXPECT_FALSE(shots[kCaveHolding].SameAs(shots[kCaveGone], kBanner)) << "the cave's name in its corner";
    EXPECT_TRUE(shots[kCaveHolding].SameAs(shots[kCaveGone], {0, 0, 640, 436})) << "only the banner changed";
    EXPECT_FALSE(shots[kCaveFadingIn].SameAs(shots[kCaveHolding], kBanner));
    EXPECT_FALSE(shots[kCaveSharpening].SameAs(shots[kCaveHolding], kBanner));
    EXPECT_FALSE(shots[kHallHolding].SameAs(shots[kHallArrived], kBanner)) << "map 14 is another place";
    EXPECT_FALSE(shots[kHallHolding].SameAs(shots[kCaveHolding], kBanner)) << "with its own name";
    EXPECT_TRUE(shots[kLowerHallLater].SameAs(shots[kLowerHallArrived], kBottomStrip)) << "14 and 15 count as one";
    EXPECT_TRUE(shots[kStoreroomLater].SameAs(shots[kStoreroomArrived], kBottomStrip)) << "map 16 forbids it";
}

TEST(PlaceBannerRunTest, WithoutPixelShadersTheCavesNameIsAPlainFade)
{
    auto plain =
        RunTour("none", {kCaveFadingIn, kCaveSharpening, kCaveHolding, kCaveGone}, "program_banner_tour_plain");
    EXPECT_FALSE(plain[kCaveFadingIn].SameAs(plain[kCaveHolding], kBanner)) << "a plain fade";
    EXPECT_TRUE(plain[kCaveSharpening].SameAs(plain[kCaveHolding], e2e::kWholeScreen)) << "no sharpening";
    EXPECT_FALSE(plain[kCaveHolding].SameAs(plain[kCaveGone], kBanner)) << "the cave's name in its corner";
    EXPECT_TRUE(plain[kCaveHolding].SameAs(plain[kCaveGone], {0, 0, 640, 436})) << "only the banner changed";
}

} // namespace
