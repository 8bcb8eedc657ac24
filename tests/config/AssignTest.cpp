#include <gtest/gtest.h>

#include <sstream>

#include "ConfigFile.h"
#include "ConfigState.h"
#include "JoyAssign.h"
#include "KeyAssign.h"

namespace {

using config::ConfigState;
using config::JoyKey;

ConfigState Defaults()
{
    ConfigState state;
    config::SetDefaultConfig(state);
    return state;
}

TEST(KeyAssignTest, AKeyTakenFromAnotherSlotIsSwapped)
{
    ConfigState state = Defaults();
    ASSERT_TRUE(config::SetKeyFromKeyNumber(state, 0, 45)); // X into slot 0, which held Z
    EXPECT_EQ(state.keyAssign[0], 45);
    EXPECT_EQ(state.keyAssign[1], 44);
    EXPECT_EQ(state.keyAssignPrev, state.keyAssign);
    EXPECT_EQ(config::GetKeyName(state.keyAssign[0]), "X");
    EXPECT_EQ(config::GetKeyName(state.keyAssign[1]), "Z");

    // The key the slot already holds changes nothing and still counts.
    const auto before = state.keyAssign;
    EXPECT_TRUE(config::SetKeyFromKeyNumber(state, 0, 45));
    EXPECT_EQ(state.keyAssign, before);

    // A direction's key goes to a button and back.
    ASSERT_TRUE(config::SetKeyFromKeyNumber(state, 2, 200));
    EXPECT_EQ(state.keyAssign[11], 46);
    EXPECT_EQ(config::GetKeyName(state.keyAssign[11]), "C");
}

TEST(KeyAssignTest, KeysThatMayNotBeAssignedChangeNothing)
{
    // Control, F1, Shift, an unknown number, a number beyond the table.
    for (int refused : {29, 59, 42, 0, 238, 300, -1}) {
        ConfigState state = Defaults();
        EXPECT_FALSE(config::SetKeyFromKeyNumber(state, 0, refused)) << refused;
        EXPECT_EQ(state.keyAssign, Defaults().keyAssign) << refused;
    }
    ConfigState state = Defaults();
    EXPECT_FALSE(config::SetKeyFromKeyNumber(state, 15, 1));
    EXPECT_FALSE(config::SetKeyFromKeyNumber(state, -1, 1));
    // Enter and Escape are keys like any other.
    EXPECT_TRUE(config::SetKeyFromKeyNumber(state, 3, 28));
    EXPECT_TRUE(config::SetKeyFromKeyNumber(state, 4, 1));
    EXPECT_EQ(config::GetKeyName(state.keyAssign[3]), "Enter");
    EXPECT_EQ(config::GetKeyName(state.keyAssign[4]), "Escape");
}

TEST(KeyAssignTest, InvalidAssignmentsFromTheFileFallBackToTheDefaults)
{
    struct Case {
        const char* name;
        int slot;
        int key;
    };
    for (const Case& c : {Case{"a code not offered", 0, 29}, Case{"two slots on one key", 1, 44},
                          Case{"a direction on a button's key", 14, 57}}) {
        ConfigState state = Defaults();
        state.keyAssign[static_cast<std::size_t>(c.slot)] = c.key;
        EXPECT_FALSE(config::IsKeyAssignValid(state)) << c.name;
        config::ApplyPageChecks(state);
        EXPECT_EQ(state.keyAssign, config::kDefaultKeyAssign) << c.name;
    }
}

// Typed-number entry on the joystick page, one step at a time.
struct JoyStep {
    JoyKey key;
    int digit;
    bool result;
    const char* text; // of slot 0 afterwards
};

struct JoyTypingCase {
    const char* name;
    std::vector<JoyStep> steps;
    int finalButton;
};

// Cases print by their name rather than as raw bytes in test listings.
void PrintTo(const JoyTypingCase& c, std::ostream* out)
{
    *out << c.name;
}

const JoyTypingCase kJoyTyping[] = {
    {"2 then 5 gives 25", {{JoyKey::Digit, 2, true, "2"}, {JoyKey::Digit, 5, true, "Button25"}}, 25},
    {"4 gives 4 at once", {{JoyKey::Digit, 4, true, "Button4"}}, 4},
    {"3 then 5 keeps 3: 35 is over 31", {{JoyKey::Digit, 3, true, "3"}, {JoyKey::Digit, 5, true, "Button3"}}, 3},
    {"0 is final at once", {{JoyKey::Digit, 0, true, "Button0"}}, 0},
    {"2 then Escape restores the previous number",
     {{JoyKey::Digit, 2, true, "2"}, {JoyKey::Escape, 0, true, "Button0"}},
     0},
    {"2 then BackSpace restores too", {{JoyKey::Digit, 2, true, "2"}, {JoyKey::BackSpace, 0, true, "Button0"}}, 0},
    {"2 then Enter confirms 2", {{JoyKey::Digit, 2, true, "2"}, {JoyKey::Enter, 0, true, "Button2"}}, 2},
    {"1 then Space confirms 1", {{JoyKey::Digit, 1, true, "1"}, {JoyKey::Space, 0, true, "Button1"}}, 1},
    {"Enter, Escape and other keys do nothing when not typing",
     {{JoyKey::Enter, 0, false, "Button0"},
      {JoyKey::Escape, 0, false, "Button0"},
      {JoyKey::Other, 0, false, "Button0"}},
     0},
    {"a third digit starts again",
     {{JoyKey::Digit, 1, true, "1"}, {JoyKey::Digit, 2, true, "Button12"}, {JoyKey::Digit, 7, true, "Button7"}},
     7},
};

class JoyTypingTest : public ::testing::TestWithParam<JoyTypingCase> {};

TEST_P(JoyTypingTest, TypedNumbersFollowTheEntryRules)
{
    const JoyTypingCase& c = GetParam();
    ConfigState state = Defaults();
    for (const JoyStep& step : c.steps) {
        EXPECT_EQ(config::JoyEditKey(state, 0, step.key, step.digit), step.result) << c.name;
        EXPECT_EQ(config::JoyAssignText(state, 0), step.text) << c.name;
    }
    EXPECT_EQ(state.joyAssign[0], c.finalButton) << c.name;
    EXPECT_TRUE(config::IsJoyAssignValid(state)) << c.name;
}

const auto CaseIndex = [](const auto& caseInfo) { return "case" + std::to_string(caseInfo.index); };
INSTANTIATE_TEST_SUITE_P(Table, JoyTypingTest, ::testing::ValuesIn(kJoyTyping), CaseIndex);

TEST(JoyAssignTest, ANumberTakenFromAnotherSlotIsSwappedOnceConfirmed)
{
    ConfigState state = Defaults();
    // Typing 2 into slot 0 while slot 2 holds 2: no swap while typing.
    ASSERT_TRUE(config::JoyEditKey(state, 0, JoyKey::Digit, 2));
    EXPECT_EQ(state.joyAssign[2], 2);
    EXPECT_TRUE(config::IsJoyAssignValid(state));
    ASSERT_TRUE(config::JoyEditKey(state, 0, JoyKey::Enter));
    EXPECT_EQ(state.joyAssign[0], 2);
    EXPECT_EQ(state.joyAssign[2], 0);

    // A pressed joystick button swaps at once.
    state = Defaults();
    ASSERT_TRUE(config::SetJoyButton(state, 0, 3));
    EXPECT_EQ(config::JoyAssignText(state, 0), "Button3");
    EXPECT_EQ(config::JoyAssignText(state, 3), "Button0");
    EXPECT_EQ(state.joyAssignPrev, state.joyAssign);
}

// While a number is typed, what counts (for the check and for the file) is
// the slot's committed button; duplicates among committed buttons are never valid.
TEST(JoyAssignTest, AHalfTypedNumberIsNeitherCheckedNorWritten)
{
    ConfigState state = Defaults();
    ASSERT_TRUE(config::JoyEditKey(state, 1, JoyKey::Digit, 2));
    ASSERT_TRUE(state.joyEditing[1]);
    EXPECT_EQ(config::CommittedJoyButton(state, 1), 1);
    EXPECT_TRUE(config::IsJoyAssignValid(state));
    std::istringstream written(config::FormatConfig(state));
    ConfigState reread;
    ASSERT_TRUE(config::LoadConfig(written, reread));
    EXPECT_EQ(reread.joyAssign, Defaults().joyAssign);

    // A duplicate among committed buttons is invalid even with a slot being typed.
    state.joyAssign[5] = 4;
    state.joyAssignPrev[5] = 4;
    EXPECT_FALSE(config::IsJoyAssignValid(state));
}

TEST(JoyAssignTest, InvalidAssignmentsFallBackToTheDefaults)
{
    ConfigState state = Defaults();
    state.joyAssign[4] = 40;
    EXPECT_EQ(config::JoyAssignText(state, 4), "Unknown");
    config::ApplyPageChecks(state);
    for (int slot = 0; slot < config::kJoySlots; ++slot)
        EXPECT_EQ(state.joyAssign[static_cast<std::size_t>(slot)], slot);

    state.joyAssign[1] = 0;
    EXPECT_FALSE(config::IsJoyAssignValid(state));
    // A button beyond 31 pressed in a slot is refused by falling back.
    state = Defaults();
    state.joyAssign[0] = 9;
    state.joyAssignPrev[0] = 9;
    EXPECT_FALSE(config::SetJoyButton(state, 0, 32));
    EXPECT_EQ(state.joyAssign[0], 0);
}

TEST(BasicSettingsTest, AtLeastOneInputDeviceStaysOnAndDefaultKeepsThePosition)
{
    ConfigState state = Defaults();
    state.keyboard = 0;
    state.joystick = 0;
    config::ApplyPageChecks(state);
    EXPECT_EQ(state.keyboard, 1);

    state.xPos = 12;
    state.yPos = -3;
    state.bgmVol = 2;
    state.apSound = 1;
    state.keyAssign[0] = 1;
    state.joyAssign[0] = 20;
    config::SetDefaultConfig(state);
    EXPECT_EQ(state.xPos, 12);
    EXPECT_EQ(state.yPos, -3);
    EXPECT_EQ(state.bgmVol, 10);
    EXPECT_EQ(state.apSound, 0);
    EXPECT_EQ(state.keyAssign[0], 44);
    EXPECT_EQ(state.joyAssign[0], 0);
}

} // namespace
