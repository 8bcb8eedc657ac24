#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <sstream>

#include "KeyInputTestSupport.h"
#include "TempFolder.h"
#include "VirtualJoystick.h"
#include "platform/SdlInputSource.h"

namespace {

void PushKey(SDL_Scancode scancode, bool down, int repeat = 0)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = static_cast<Uint8>(repeat);
    event.key.keysym.scancode = scancode;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

TEST(SdlInputSourceTest, KeyEventsOfSdlFillTheDeviceBuffer)
{
    plat::SdlInputSource source(nullptr);
    ASSERT_TRUE(source.OpenKeyboard());
    ASSERT_TRUE(source.AcquireKeyboard());
    PushKey(SDL_SCANCODE_Z, true);
    PushKey(SDL_SCANCODE_Z, true, 1); // auto-repeat is no change
    PushKey(SDL_SCANCODE_F13, true);  // not a key of the table
    PushKey(SDL_SCANCODE_INTERNATIONAL3, true);
    PushKey(SDL_SCANCODE_Z, false);
    std::array<plat::KeyEvent, plat::kKeyBufferSize> events{};
    plat::KeyboardRead read = source.ReadKeyboard(events);
    EXPECT_EQ(read.status, plat::KeyboardStatus::Ok);
    ASSERT_EQ(read.count, 3);
    EXPECT_EQ(events[0].keyNumber, 44);
    EXPECT_TRUE(events[0].down);
    EXPECT_EQ(events[1].keyNumber, 125);
    EXPECT_EQ(events[2].keyNumber, 44);
    EXPECT_FALSE(events[2].down);
    EXPECT_EQ(source.ReadKeyboard(events).count, 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST(SdlInputSourceTest, MoreThan32EventsBetweenReadsAreReportedAsOverflow)
{
    plat::SdlInputSource source(nullptr);
    ASSERT_TRUE(source.OpenKeyboard());
    ASSERT_TRUE(source.AcquireKeyboard());
    for (int i = 0; i < 33; ++i)
        PushKey(SDL_SCANCODE_X, i % 2 == 0);
    std::array<plat::KeyEvent, plat::kKeyBufferSize> events{};
    plat::KeyboardRead read = source.ReadKeyboard(events);
    EXPECT_EQ(read.status, plat::KeyboardStatus::Overflow);
    EXPECT_EQ(read.count, 32);
    EXPECT_TRUE(events[31].down); // the 33rd event, the newest, is kept
    EXPECT_EQ(source.ReadKeyboard(events).status, plat::KeyboardStatus::Ok);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST(SdlInputSourceTest, AKeyboardLetGoCollectsNothing)
{
    plat::SdlInputSource source(nullptr);
    ASSERT_TRUE(source.OpenKeyboard());
    source.UnacquireKeyboard();
    PushKey(SDL_SCANCODE_Z, true);
    std::array<plat::KeyEvent, plat::kKeyBufferSize> events{};
    EXPECT_EQ(source.ReadKeyboard(events).status, plat::KeyboardStatus::NotAcquired);
    ASSERT_TRUE(source.AcquireKeyboard());
    EXPECT_EQ(source.ReadKeyboard(events).count, 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

TEST(SdlInputSourceTest, AxesAreScaledTo1000)
{
    struct Case {
        Sint16 raw;
        int scaled;
    };
    for (Case c : {Case{-32768, -1000}, Case{32767, 1000}, Case{0, 0}, Case{-16384, -500}, Case{16384, 500},
                   Case{-1, 0}, Case{1, 0}})
        EXPECT_EQ(plat::ScaleAxis(c.raw), c.scaled) << c.raw;
}

using testsupport::VirtualJoystick;

TEST(SdlInputSourceTest, TheFirstJoystickIsReadByButtonNumber)
{
    VirtualJoystick pad(2, 4);
    ASSERT_TRUE(pad.Ok()) << SDL_GetError();
    plat::SdlInputSource source(nullptr);
    ASSERT_TRUE(source.OpenController());
    ASSERT_TRUE(source.AcquireController());
    pad.Axis(0, -32768);
    pad.Axis(1, 32767);
    pad.Button(2, true);
    plat::ControllerReading reading;
    ASSERT_EQ(source.ReadController(reading), plat::ControllerStatus::Ok);
    EXPECT_EQ(reading.x, -1000);
    EXPECT_EQ(reading.y, 1000);
    EXPECT_EQ(reading.buttons.count(), 1u);
    EXPECT_TRUE(reading.buttons.test(2));

    pad.Detach();
    EXPECT_EQ(source.ReadController(reading), plat::ControllerStatus::Lost);
    EXPECT_EQ(reading.x, 0);
    EXPECT_TRUE(reading.buttons.none());
}

TEST(SdlInputSourceTest, NoJoystickAttachedMeansNoController)
{
    plat::SdlInputSource source(nullptr);
    EXPECT_FALSE(source.OpenController());
    plat::ControllerReading reading;
    EXPECT_EQ(source.ReadController(reading), plat::ControllerStatus::Lost);
}

TEST(SdlInputSourceTest, TheInputObjectReadsAJoystickWithTooFewButtonsAsUp)
{
    VirtualJoystick pad(2, 4);
    ASSERT_TRUE(pad.Ok()) << SDL_GetError();
    plat::SetInputSourceFactory([](SDL_Window* window) { return std::make_unique<plat::SdlInputSource>(window); });
    auto buttons = testsupport::kGameButtons; // slots 4 and up name buttons the pad lacks
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, false, true, 11, testsupport::kGameKeys.data(), buttons.data()), Zeph::kResultOk);
    ASSERT_TRUE(input.ControllerInUse());
    input.Update();
    pad.Button(3, true);
    pad.Axis(1, -20000);
    input.Update();
    EXPECT_EQ(input.GetButtonPushMask(12), 1 << 3);
    EXPECT_EQ(input.GetDirectionPush(), 1);
    pad.Button(3, false);
    input.Update();
    EXPECT_EQ(input.GetButtonReleaseMask(12), 1 << 3);
    plat::SetInputSourceFactory(nullptr);
}

struct ScriptCase {
    const char* text;
    bool valid;
};

TEST(ScriptedInputSourceTest, ScriptsAreReadLineByLine)
{
    const ScriptCase cases[] = {
        {"", true},
        {"# comment\n\n0 key 44 down\n3 key 44 up\n", true},
        {"controller 12\n0 button 3 down\n1 axes -1000 500\n2 controller-lost\n4 keyboard-lost\n", true},
        {"0 key 44 pressed\n", false},
        {"0 key 256 down\n", false},
        {"-1 key 44 down\n", false},
        {"0 axes 1001 0\n", false},
        {"0 jump\n", false},
        {"controller\n", false},
        {"x key 44 down\n", false},
    };
    for (const ScriptCase& c : cases) {
        std::istringstream in(c.text);
        std::string error;
        auto source = plat::ScriptedInputSource::Parse(in, error);
        EXPECT_EQ(source != nullptr, c.valid) << c.text;
        EXPECT_EQ(error.empty(), c.valid) << c.text;
    }
}

TEST(ScriptedInputSourceTest, TheHeadlessModePlaysTheScriptFileItIsGiven)
{
    testsupport::TempFolder folder;
    testsupport::WriteWholeFile(folder / "input.txt", "1 key 57 down\n2 key 57 up\n");
    setenv("VELMORA_INPUT_SCRIPT", (folder / "input.txt").c_str(), 1);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, true, false, 11, testsupport::kGameKeys.data(), testsupport::kGameButtons.data()),
              Zeph::kResultOk);
    EXPECT_EQ(testsupport::RunFrames(input, 10, 4), "-PR-");

    // A script that cannot be read fails the start rather than playing nothing.
    testsupport::WriteWholeFile(folder / "input.txt", "1 key Space down\n");
    CKeyInputDerived broken;
    EXPECT_LT(broken.Init(nullptr, true, false, 11, testsupport::kGameKeys.data(), testsupport::kGameButtons.data()),
              0);
    unsetenv("VELMORA_INPUT_SCRIPT");
}

} // namespace
