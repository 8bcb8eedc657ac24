// Map changes in the game itself, from a save beside the first map's door:
// through the door to the cave (darkening, black, brightening, the cave's
// greeting) and back, along the warp pads at their black frame, through the
// crystal's white-out to the shrine with the circle and back under a plain
// white, and up and down the stairs. Again with a device without pixel
// shaders, where the white-out is the plain overlay both ways.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"

namespace {

using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyLeft;
using e2e::kKeyRight;
using e2e::kKeyUp;

using TourScript = e2e::KeyScript;

// The tour's frames to look at (the script below puts them there).
constexpr int kStart = 200;
constexpr int kDarkening = 248;
constexpr int kBlack = 276;
constexpr int kBrightening = 304;
constexpr int kGreeting = 352;
constexpr int kBackOnFirstMap = 590;
constexpr int kBeforeWarp = 690;
constexpr int kWarpBlack = 764;
constexpr int kAfterWarp = 850;
constexpr int kCircleClosing = 976;
constexpr int kWhite = 1072;
constexpr int kCircleOpening = 1136;
constexpr int kPlainWhiteOut = 1386;
constexpr int kBackAtTheCrystal = 1650;
constexpr int kUpTheStairs = 1940;
constexpr int kDownTheStairs = 2110;

// Each step waits long enough for its move to end.
TourScript Tour()
{
    TourScript s{50, ""};
    s.Tap(kKeyConfirm); // ロード
    s.Tap(kKeyConfirm); // slot 1
    s.Tap(kKeyConfirm);
    s.frame = kStart;
    s.Walk(kKeyRight, 1, 150); // through the door to the cave
    s.Tap(kKeyConfirm, 30);    // the greeting, typed out
    s.Tap(kKeyConfirm, 20);    // and read
    s.Walk(kKeyLeft, 2, 150);  // the cave's door back
    s.Walk(kKeyDown, 5, 10);
    s.Walk(kKeyLeft, 1, 150);  // the orange pad to beside the blue one
    s.Walk(kKeyRight, 4, 350); // the crystal to the shrine
    s.Walk(kKeyRight, 3, 350); // the shrine's crystal back
    s.Walk(kKeyRight, 7, 10);
    s.Walk(kKeyDown, 1, 150);  // stairs up into the cave
    s.Walk(kKeyRight, 1, 150); // stairs down
    return s;
}

class MapChangeRunTest : public ::testing::Test {
protected:
    // Runs the tour up to `last` with the device reporting `pixelShaders`
    // ("" for the default); keeps the dumps as `keepAs`_<frame>.
    void RunTour(const std::string& pixelShaders, int last, const std::vector<int>& frames, const std::string& keepAs)
    {
        e2e::WriteSaveBesideTheDoor(folder);
        e2e::Environment extra;
        if (!pixelShaders.empty())
            extra["VELMORA_PIXEL_SHADER_VERSION"] = pixelShaders;
        const e2e::ProgramResult run =
            e2e::RunScripted(folder, Tour().text, e2e::FrameList(frames), last + 1, extra, e2e::kLongRunLimit);
        ASSERT_TRUE(run.exited) << run.errors;
        EXPECT_EQ(run.errors.find("warning"), std::string::npos) << run.errors;
        for (int f : frames)
            shots[f] = e2e::Dump(folder, f, keepAs + "_" + std::to_string(f));
    }

    e2e::GameFolder folder;
    std::map<int, e2e::FrameImage> shots;
};

constexpr e2e::Box kTopRows{0, 0, 640, 160};
constexpr e2e::Box kMessageWindow{40, 370, 600, 450};
constexpr e2e::Box kTopLeftCorner{0, 0, 48, 48};
constexpr e2e::Box kBottomRightCorner{592, 432, 640, 480};
// The crystal on the first map, where the closing circle is centred.
constexpr e2e::Box kCrystal{224, 290, 256, 322};
// The shrine's arrival cell (9, 7), where the opening circle is centred.
constexpr e2e::Box kShrineArrival{288, 192, 320, 224};

TEST_F(MapChangeRunTest, DoorsWarpsTheWhiteOutAndStairs)
{
    RunTour("", kDownTheStairs,
            {kStart, kDarkening, kBlack, kBrightening, kGreeting, kBackOnFirstMap, kBeforeWarp, kWarpBlack, kAfterWarp,
             kCircleClosing, kWhite, kCircleOpening, kPlainWhiteOut, kBackAtTheCrystal, kUpTheStairs, kDownTheStairs},
            "program_map_change");
    const double start = shots[kStart].Brightness(e2e::kWholeScreen);
    // The door: darker, black, brighter again on the dark cave, which greets the party.
    EXPECT_LT(shots[kDarkening].Brightness(e2e::kWholeScreen), start * 0.7);
    EXPECT_GT(shots[kDarkening].Brightness(e2e::kWholeScreen), 5.0);
    EXPECT_LT(shots[kBlack].Brightness(e2e::kWholeScreen), 0.5);
    EXPECT_GT(shots[kBrightening].Brightness(e2e::kWholeScreen), 3.0);
    EXPECT_LT(shots[kBrightening].Brightness(kTopLeftCorner), 0.5) << "the cave is dark away from the player";
    EXPECT_GT(shots[kGreeting].Brightness(kMessageWindow), shots[kBrightening].Brightness(kMessageWindow) + 20)
        << "the cave's greeting";
    // And back through the cave's door: the first map as it was.
    EXPECT_TRUE(shots[kBackOnFirstMap].SameAs(shots[kStart], kTopRows));
    // The orange pad: black half-way, then elsewhere on the same map.
    EXPECT_LT(shots[kWarpBlack].Brightness(e2e::kWholeScreen), 0.5);
    EXPECT_FALSE(shots[kAfterWarp].SameAs(shots[kBeforeWarp], e2e::kWholeScreen));
    EXPECT_GT(shots[kAfterWarp].Brightness(e2e::kWholeScreen), start * 0.9);
    // The crystal: a white circle closes on it, the screen goes white, and a
    // circle opens on the shrine around the arrival cell.
    EXPECT_GT(shots[kCircleClosing].Brightness(kCrystal), 240.0);
    EXPECT_LT(shots[kCircleClosing].Brightness(kBottomRightCorner), 200.0);
    EXPECT_GT(shots[kWhite].Brightness(e2e::kWholeScreen), 250.0);
    EXPECT_GT(shots[kCircleOpening].Brightness(kShrineArrival), 240.0);
    EXPECT_LT(shots[kCircleOpening].Brightness(kTopLeftCorner), 200.0);
    // The shrine's crystal whites out plainly, the same over the whole screen.
    const double corner = shots[kPlainWhiteOut].Brightness(kTopLeftCorner);
    EXPECT_GT(corner, 150.0);
    EXPECT_LT(corner, 250.0);
    EXPECT_NEAR(shots[kPlainWhiteOut].Brightness(kBottomRightCorner), corner, 40.0);
    EXPECT_GT(shots[kBackAtTheCrystal].Brightness(e2e::kWholeScreen), start * 0.9);
    EXPECT_LT(shots[kBackAtTheCrystal].Brightness(e2e::kWholeScreen), 200.0);
    // Up the stairs into the dark cave and down again onto the first map.
    EXPECT_LT(shots[kUpTheStairs].Brightness(kTopLeftCorner), 0.5);
    EXPECT_GT(shots[kUpTheStairs].Brightness(e2e::kWholeScreen), 3.0);
    EXPECT_GT(shots[kDownTheStairs].Brightness(kTopLeftCorner), 20.0);
}

TEST_F(MapChangeRunTest, WithoutPixelShadersTheWhiteOutIsAPlainOverlay)
{
    RunTour("none", kCircleOpening, {kCircleClosing, kWhite, kCircleOpening}, "program_map_change_plain");
    for (int frame : {kCircleClosing, kCircleOpening}) {
        SCOPED_TRACE(frame);
        const double middle = shots[frame].Brightness(frame == kCircleClosing ? kCrystal : kShrineArrival);
        EXPECT_LT(middle, 240.0) << "no circle";
        EXPECT_GT(shots[frame].Brightness(kTopLeftCorner), 120.0) << "the whole screen whitens";
    }
    EXPECT_GT(shots[kWhite].Brightness(e2e::kWholeScreen), 250.0);
}

} // namespace
