#include <gtest/gtest.h>

#include <functional>

#include "KeyInputTestSupport.h"

namespace {

using testsupport::kGameButtons;
using testsupport::kGameKeys;
using testsupport::RunFrames;
using testsupport::ScriptedInput;

// Parameterised cases are named by their place in the table; a failure
// prints the case's own name.
const auto CaseIndex = [](const auto& info) { return "case" + std::to_string(info.index); };

constexpr std::uint8_t kZ = 44, kX = 45, kC = 46, kUp = 200, kDown = 208;

struct KeyboardFramesCase {
    const char* name;
    std::function<void(plat::ScriptedInputSource&)> script;
    int slot;
    const char* expected; // one letter per frame, see SlotLetter
};

// Cases print by their name rather than as raw bytes in test listings.
void PrintTo(const KeyboardFramesCase& c, std::ostream* out)
{
    *out << c.name;
}

void PressAndReleaseMany(plat::ScriptedInputSource& script, int frame, std::uint8_t key, int events)
{
    for (int i = 0; i < events; ++i)
        script.Key(frame, key, i % 2 == 0);
}

const KeyboardFramesCase kKeyboardFrames[] = {
    {"press, hold, release",
     [](auto& s) {
         s.Key(1, kZ, true);
         s.Key(3, kZ, false);
     },
     0, "-PHR--"},
    {"press and release within one frame is not seen",
     [](auto& s) {
         s.Key(1, kZ, true);
         s.Key(1, kZ, false);
     },
     0, "------"},
    {"release and press within one frame keeps the key held",
     [](auto& s) {
         s.Key(0, kZ, true);
         s.Key(2, kZ, false);
         s.Key(2, kZ, true);
     },
     0, "PHHH"},
    {"a key of another slot leaves this one alone", [](auto& s) { s.Key(1, kX, true); }, 0, "----"},
    {"32 events in a frame all arrive: the held key stays held",
     [](auto& s) {
         s.Key(0, kZ, true);
         s.Key(1, kC, true);
         PressAndReleaseMany(s, 1, kX, 31);
     },
     0, "PHH"},
    {"32 events in a frame all arrive: the first of them counts",
     [](auto& s) {
         s.Key(1, kC, true);
         PressAndReleaseMany(s, 1, kX, 31);
     },
     2, "-PH"},
    {"33 events in a frame overflow: the key table starts empty, so a held key is released",
     [](auto& s) {
         s.Key(0, kZ, true);
         s.Key(1, kC, true);
         PressAndReleaseMany(s, 1, kX, 32);
     },
     0, "PR-"},
    {"33 events in a frame overflow: the oldest event is the one lost",
     [](auto& s) {
         s.Key(1, kC, true);
         PressAndReleaseMany(s, 1, kX, 32);
     },
     2, "---"},
    {"33 events in a frame overflow: the newest state of a key survives",
     [](auto& s) {
         s.Key(1, kC, true);
         PressAndReleaseMany(s, 1, kX, 31);
         s.Key(1, kZ, true);
     },
     0, "-PH"},
    {"a lost keyboard reads up and its release is not repeated",
     [](auto& s) {
         s.Key(0, kZ, true);
         s.KeyboardLost(2);
         s.Key(4, kZ, false);
     },
     0, "PHR---"},
    {"keys pressed after the keyboard is regained count again",
     [](auto& s) {
         s.Key(0, kZ, true);
         s.KeyboardLost(1);
         s.Key(3, kZ, false);
         s.Key(4, kZ, true);
     },
     0, "PR--PH"},
    {"events of a frame in which the keyboard is lost are gone",
     [](auto& s) {
         s.KeyboardLost(1);
         s.Key(1, kZ, true);
     },
     0, "----"},
    {"the twelfth button gets key 1 by default", [](auto& s) { s.Key(1, 2, true); }, 11, "-PH"},
    {"directions come from their keys",
     [](auto& s) {
         s.Key(0, kUp, true);
         s.Key(1, kUp, false);
     },
     CKeyInputDerived::kUpSlot, "PR-"},
};

class KeyboardFramesTest : public ::testing::TestWithParam<KeyboardFramesCase> {};

TEST_P(KeyboardFramesTest, EventsInGivePushHoldReleaseOut)
{
    const KeyboardFramesCase& c = GetParam();
    ScriptedInput scripted;
    c.script(scripted.Script());
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, true, false, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    EXPECT_EQ(RunFrames(input, c.slot, static_cast<int>(std::string(c.expected).size())), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, KeyboardFramesTest, ::testing::ValuesIn(kKeyboardFrames), CaseIndex);

struct AxesCase {
    int x;
    int y;
    int holdMask; // 1 up, 2 down, 4 left, 8 right
};

void PrintTo(const AxesCase& c, std::ostream* out)
{
    *out << "axes " << c.x << "," << c.y;
}

class ControllerAxesTest : public ::testing::TestWithParam<AxesCase> {};

TEST_P(ControllerAxesTest, AnAxisCountsBeyond499)
{
    const AxesCase& c = GetParam();
    ScriptedInput scripted;
    scripted.Script().AttachController(12);
    scripted.Script().Axes(1, c.x, c.y);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, false, true, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    input.Update();
    EXPECT_EQ(input.GetDirectionHold(), 0);
    input.Update();
    EXPECT_EQ(input.GetDirectionHold(), c.holdMask) << c.x << "," << c.y;
    EXPECT_EQ(input.GetDirectionPush(), c.holdMask);
    input.Update();
    EXPECT_EQ(input.GetDirectionPush(), 0);
    EXPECT_EQ(input.GetDirectionHold(), c.holdMask);
}

INSTANTIATE_TEST_SUITE_P(Table, ControllerAxesTest,
                         ::testing::Values(AxesCase{0, -499, 0}, AxesCase{0, -500, 1}, AxesCase{0, 499, 0},
                                           AxesCase{0, 500, 2}, AxesCase{-499, 0, 0}, AxesCase{-500, 0, 4},
                                           AxesCase{499, 0, 0}, AxesCase{500, 0, 8}, AxesCase{-1000, 1000, 6},
                                           AxesCase{1000, -1000, 9}),
                         CaseIndex);

TEST(KeyInputTest, OppositeKeysHeldTogetherAreBothReported)
{
    // The keyboard can hold up and down at once; a stick cannot, and the
    // stick's opposite never cancels the keyboard's.
    ScriptedInput scripted;
    auto& script = scripted.Script();
    script.AttachController(12);
    script.Key(0, kUp, true);
    script.Key(0, kDown, true);
    script.Axes(1, 1000, -1000);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, true, true, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    input.Update();
    EXPECT_EQ(input.GetDirectionHold(), 1 | 2);
    EXPECT_EQ(input.GetDirectionPush(), 1 | 2);
    input.Update();
    EXPECT_EQ(input.GetDirectionHold(), 1 | 2 | 8);
    // Up is held on the keyboard but newly pushed on the stick: each device
    // answers for itself.
    EXPECT_EQ(input.GetDirectionPush(), 1 | 8);
}

TEST(KeyInputTest, KeyboardAndControllerAnswersAreCombined)
{
    ScriptedInput scripted;
    auto& script = scripted.Script();
    script.AttachController(12);
    script.Key(0, kZ, true);   // button 0 on the keyboard
    script.Button(1, 0, true); // and on the controller a frame later
    script.Key(2, kZ, false);
    script.Button(3, 0, false);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, true, true, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    // Each device pushes and releases on its own; held is either.
    struct Frame {
        bool push, hold, release;
    };
    const Frame expected[] = {{true, true, false},
                              {true, true, false},
                              {false, true, true}, // the keyboard lets go while the pad holds
                              {false, false, true},
                              {false, false, false}};
    for (const Frame& frame : expected) {
        input.Update();
        EXPECT_EQ(input.IsButtonPush(0), frame.push);
        EXPECT_EQ(input.IsButtonHold(0), frame.hold);
        EXPECT_EQ(input.IsButtonRelease(0), frame.release);
    }
}

TEST(KeyInputTest, ControllerButtonsFollowTheirAssignedNumbers)
{
    std::array<std::uint8_t, 12> buttons = kGameButtons;
    buttons[0] = 7;
    buttons[7] = 0;
    ScriptedInput scripted;
    scripted.Script().AttachController(8);
    scripted.Script().Button(1, 7, true);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, false, true, 11, kGameKeys.data(), buttons.data()), Zeph::kResultOk);
    input.Update();
    input.Update();
    EXPECT_EQ(input.GetButtonPushMask(12), 1);
}

TEST(KeyInputTest, ALostControllerReadsUpOnceAndComesBack)
{
    ScriptedInput scripted;
    auto& script = scripted.Script();
    script.AttachController(12);
    script.Button(0, 3, true);
    script.ControllerLost(2);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, false, true, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    EXPECT_EQ(RunFrames(input, 3, 5), "PHRPH");
}

TEST(KeyInputTest, AControllerAskedForButAbsentLeavesTheKeyboard)
{
    ScriptedInput scripted;
    scripted.Script().Key(1, kZ, true);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, false, true, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    EXPECT_TRUE(input.KeyboardInUse());
    EXPECT_FALSE(input.ControllerInUse());
    EXPECT_EQ(RunFrames(input, 0, 3), "-PH");
}

TEST(KeyInputTest, ButtonsAControllerLacksReadUp)
{
    std::array<std::uint8_t, 12> buttons = kGameButtons;
    buttons[1] = 20; // a four-button pad has no button 20
    buttons[10] = 1;
    ScriptedInput scripted;
    auto& script = scripted.Script();
    script.AttachController(4);
    script.Button(1, 20, true);
    script.Button(1, 1, true);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, false, true, 11, kGameKeys.data(), buttons.data()), Zeph::kResultOk);
    input.Update();
    input.Update();
    EXPECT_EQ(input.GetButtonHoldMask(12), 1 << 10);
}

TEST(KeyInputTest, NeitherDeviceRequestedFails)
{
    ScriptedInput scripted;
    CKeyInputDerived input;
    EXPECT_LT(input.Init(nullptr, false, false, 11, kGameKeys.data(), kGameButtons.data()), 0);
}

struct FillCase {
    const char* name;
    int buttonCount;
    std::array<std::uint8_t, 16> keys;
    std::array<std::uint8_t, 12> buttons;
    std::array<std::uint8_t, 16> expectedKeys;
    std::array<std::uint8_t, 12> expectedButtons;
};

void PrintTo(const FillCase& c, std::ostream* out)
{
    *out << c.name;
}

const FillCase kFillCases[] = {
    {"the game's slot 11 takes key 1 and button 11", 11, kGameKeys, kGameButtons, kGameKeys, kGameButtons},
    {"key 1 used elsewhere: the next default key; the passed value is overwritten",
     11,
     {44, 45, 2, 47, 30, 31, 32, 33, 16, 17, 57, 99, 200, 208, 203, 205},
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 99},
     {44, 45, 2, 47, 30, 31, 32, 33, 16, 17, 57, 3, 200, 208, 203, 205},
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {"only lower slots count for buttons",
     11,
     {44, 45, 46, 47, 30, 31, 32, 33, 16, 17, 57, 0, 200, 208, 203, 205},
     {11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0},
     {44, 45, 46, 47, 30, 31, 32, 33, 16, 17, 57, 2, 200, 208, 203, 205},
     {11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}},
    {"none assigned: digits then letters, buttons in order",
     0,
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 208, 203, 205},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 30, 48, 200, 208, 203, 205},
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    {"more than twelve assigned counts as twelve", 200, kGameKeys, kGameButtons, kGameKeys, kGameButtons},
};

class FillTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillTest, UnassignedButtonSlotsAreFilled)
{
    const FillCase& c = GetParam();
    ScriptedInput scripted;
    CKeyInputDerived input;
    ASSERT_EQ(
        input.Init(nullptr, true, false, static_cast<std::uint8_t>(c.buttonCount), c.keys.data(), c.buttons.data()),
        Zeph::kResultOk)
        << c.name;
    EXPECT_EQ(input.Keys(), c.expectedKeys) << c.name;
    EXPECT_EQ(input.Buttons(), c.expectedButtons) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, FillTest, ::testing::ValuesIn(kFillCases), CaseIndex);

TEST(KeyInputTest, DuplicateAssignmentsAreRefused)
{
    struct Case {
        const char* name;
        int slot;
        std::uint8_t key;
        int buttonSlot;
        std::uint8_t button;
    };
    const Case cases[] = {
        {"two buttons on one key", 1, 44, -1, 0},
        {"a button on a direction's key", 0, 200, -1, 0},
        {"two directions on one key", 13, 200, -1, 0},
        {"two buttons on one controller button", -1, 0, 3, 4},
    };
    for (const Case& c : cases) {
        auto keys = kGameKeys;
        auto buttons = kGameButtons;
        if (c.slot >= 0)
            keys[static_cast<std::size_t>(c.slot)] = c.key;
        if (c.buttonSlot >= 0)
            buttons[static_cast<std::size_t>(c.buttonSlot)] = c.button;
        ScriptedInput scripted;
        CKeyInputDerived input;
        EXPECT_EQ(input.Init(nullptr, true, false, 11, keys.data(), buttons.data()), -1) << c.name;
    }
}

TEST(KeyInputTest, ButtonNumbersAndMaskCountsAreBounded)
{
    ScriptedInput scripted;
    for (int slot = 0; slot < 12; ++slot)
        scripted.Script().Key(0, kGameKeys[static_cast<std::size_t>(slot)], true);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, true, false, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    input.Update();
    EXPECT_FALSE(input.IsButtonHold(12));
    EXPECT_FALSE(input.IsButtonPush(255));
    EXPECT_EQ(input.GetButtonHoldMask(3), 0b111);
    EXPECT_EQ(input.GetButtonHoldMask(13), 0xFFF);
    EXPECT_EQ(input.GetButtonHoldMask(-1), 0);
}

TEST(KeyInputTest, QueriesWithinAFrameAgreeAndNothingAnswersBeforeInit)
{
    ScriptedInput scripted;
    scripted.Script().Key(0, kZ, true);
    CKeyInputDerived input;
    EXPECT_FALSE(input.IsButtonHold(0));
    input.Update(); // not initialised: no effect
    ASSERT_EQ(input.Init(nullptr, true, false, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    input.Update();
    EXPECT_TRUE(input.IsButtonPush(0));
    EXPECT_TRUE(input.IsButtonPush(0));
    EXPECT_EQ(input.GetButtonPushMask(11), 1);
}

TEST(KeyInputTest, LettingTheKeyboardGoDropsItsEventsUntilTakenBack)
{
    ScriptedInput scripted;
    auto& script = scripted.Script();
    script.Key(1, kZ, true);
    script.Key(3, kZ, false);
    script.Key(4, kZ, true);
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, true, false, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    input.Update();
    input.SetAcquire(false);
    // Update takes the keyboard back itself, as after a lost device.
    EXPECT_EQ(RunFrames(input, 0, 4), "---P");
}

TEST(KeyInputTest, ResetFindsAControllerAttachedSinceStartUp)
{
    // The first source has no controller; the one Reset opens has.
    int opened = 0;
    plat::SetInputSourceFactory([&](SDL_Window*) {
        auto source = std::make_unique<plat::ScriptedInputSource>();
        if (opened++ > 0) {
            source->AttachController(12);
            source->Button(0, 2, true);
        }
        return source;
    });
    CKeyInputDerived input;
    ASSERT_EQ(input.Init(nullptr, false, true, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    EXPECT_FALSE(input.ControllerInUse());
    ASSERT_EQ(input.Reset(), Zeph::kResultOk);
    EXPECT_TRUE(input.ControllerInUse());
    input.Update();
    EXPECT_TRUE(input.IsButtonPush(2));
    EXPECT_EQ(input.Keys(), kGameKeys);
    plat::SetInputSourceFactory(nullptr);
}

TEST(KeyInputTest, TheExportedFactoryMakesAWorkingObject)
{
    ScriptedInput scripted;
    scripted.Script().Key(0, kX, true);
    Zeph::CKeyInput* input = CreateKeyInput();
    ASSERT_NE(input, nullptr);
    ASSERT_EQ(input->Init(nullptr, true, false, 11, kGameKeys.data(), kGameButtons.data()), Zeph::kResultOk);
    input->Update();
    EXPECT_TRUE(input->IsButtonPush(1));
    input->Release();
}

} // namespace
