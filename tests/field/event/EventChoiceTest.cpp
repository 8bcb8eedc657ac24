// The choice and floor-list commands: the window's place, the cursor that
// starts on no row, branching by the chosen row, cancelling, the message
// kept under the window, and the floors a list offers by the flags set.
#include <string>
#include <vector>

#include "EventFixture.h"

namespace fieldtest {
namespace {

using Keys = fakes::FakeKeyInput;

class EventChoiceTest : public EventTest {
protected:
    // A choice of three rows: row 0 sets flag 1, row 1 flag 2 (label 5), row 2 flag 3 (label 6).
    static Script ThreeRows(const Script& before = Script())
    {
        Script script = before;
        return script.Choice({5, 6}, u"はい\nいいえ\nまたあとで")
            .SetFlag(1, 1)
            .End()
            .Label(5)
            .SetFlag(1, 2)
            .End()
            .Label(6)
            .SetFlag(1, 3)
            .End();
    }
    void Press(int directions)
    {
        keys.Press(directions);
        Frames(1);
        keys.NextFrame();
        keys.Hold(0);
    }
    int Cursor() { return event().Args[CEvent::kChoiceCursor]; }
    int SoundsPlayed(int sound)
    {
        int count = 0;
        for (const std::string& call : soundCalls)
            count += call == "Play" + fakes::Args({sound}) ? 1 : 0;
        return count;
    }
};

TEST_F(EventChoiceTest, TheCursorStartsOnNoRowAndFollowsTheDirections)
{
    struct Step {
        int directions;
        int row;
        int cursorSounds; // total so far
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"first down chooses the top row", {{Keys::kDown, 0, 1}}},
        {"first up chooses the last row", {{Keys::kUp, 2, 1}}},
        {"left and right choose nothing yet", {{Keys::kLeft, -1, 0}, {Keys::kRight, -1, 0}}},
        {"down wraps from the last row", {{Keys::kUp, 2, 1}, {Keys::kDown, 0, 2}}},
        {"up wraps from the top row", {{Keys::kDown, 0, 1}, {Keys::kUp, 2, 2}}},
        {"right jumps to the last row, then stays silent",
         {{Keys::kDown, 0, 1}, {Keys::kRight, 2, 2}, {Keys::kRight, 2, 2}}},
        {"left jumps to the top row, then stays silent", {{Keys::kUp, 2, 1}, {Keys::kLeft, 0, 2}, {Keys::kLeft, 0, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run(ThreeRows());
        ASSERT_EQ(event().Opcode, OP_CHOICE);
        EXPECT_EQ(Cursor(), -1);
        soundCalls.clear();
        for (const Step& step : c.steps) {
            Press(step.directions);
            EXPECT_EQ(Cursor(), step.row);
            EXPECT_EQ(SoundsPlayed(SE_CURSOR), step.cursorSounds);
        }
        if (Cursor() >= 0) {
            EXPECT_FLOAT_EQ(event().choiceCursorY, 26.0f * static_cast<float>(Cursor()) + event().choiceTextY + 1.0f);
        }
    }
}

TEST_F(EventChoiceTest, AHeldDirectionRepeatsFromItsFortiethFrameThenEveryFourth)
{
    struct HoldCase {
        int direction;
        int firstRow;
        std::vector<int> rows; // the row after each repeat: frames 40, 44 and 48 of the hold
    };
    for (const HoldCase& c : {HoldCase{Keys::kDown, 0, {1, 2, 0}}, HoldCase{Keys::kUp, 2, {1, 0, 2}}}) {
        SCOPED_TRACE(c.direction == Keys::kDown ? "down" : "up");
        Run(ThreeRows());
        keys.Press(c.direction);
        Frames(1);
        keys.Hold(c.direction);
        ASSERT_EQ(Cursor(), c.firstRow);
        int held = 0;
        int shown = c.firstRow;
        for (int row : c.rows) {
            const int repeatAt = held == 0 ? 40 : held + 4;
            Frames(repeatAt - 1 - held);
            EXPECT_EQ(Cursor(), shown) << "frame " << repeatAt - 1 << " of the hold";
            Frames(1);
            held = repeatAt;
            shown = row;
            EXPECT_EQ(Cursor(), row) << "frame " << held << " of the hold";
        }
        keys.Hold(0);
        event().EndEvent(true);
    }
}

TEST_F(EventChoiceTest, TheCursorBobsOverA45FrameCycleRestartedByARefusedConfirm)
{
    // Frames after the one that chose a row: 0 px for 7 frames, 1 for 10, 2 for 13, 3 for 15.
    const std::pair<int, float> bobAfter[] = {{6, 0.0f},  {7, 1.0f},  {16, 1.0f}, {17, 2.0f}, {29, 2.0f},
                                              {30, 3.0f}, {44, 3.0f}, {45, 0.0f}, {51, 0.0f}, {52, 1.0f}};
    Run(ThreeRows());
    Press(Keys::kDown);
    int frames = 0;
    for (const auto& [after, bob] : bobAfter) {
        Frames(after - frames);
        frames = after;
        EXPECT_EQ(event().choiceBob, bob) << after << " frames after";
    }

    // A confirm with no row chosen starts the cycle over from 0.
    Run(ThreeRows());
    Frames(20);
    ASSERT_EQ(event().choiceBob, 2.0f);
    Confirm();
    EXPECT_EQ(event().choiceBob, 0.0f);
    Frames(6);
    EXPECT_EQ(event().choiceBob, 0.0f);
    Frames(1);
    EXPECT_EQ(event().choiceBob, 1.0f);
}

TEST_F(EventChoiceTest, AChoiceTextLongerThanTheWindowHoldsIsCut)
{
    Run(Script().Choice({5}, std::u16string(300, u'あ') + u"\nいいえ").Label(5).End());
    ASSERT_EQ(event().Opcode, OP_CHOICE);
    EXPECT_EQ(event().Args[CEvent::kChoiceTextLength], 255);
    EXPECT_EQ(event().ChoiceText[255], 0);
}

TEST_F(EventChoiceTest, ConfirmBranchesByTheChosenRowAndIsRefusedWithoutOne)
{
    struct Case {
        std::vector<int> presses;
        int flag;
    };
    for (const Case& c : {Case{{Keys::kDown}, 1}, Case{{Keys::kDown, Keys::kDown}, 2}, Case{{Keys::kUp}, 3}}) {
        SCOPED_TRACE(c.flag);
        TheGameData->NewGameData();
        Run(ThreeRows());
        soundCalls.clear();
        Confirm();
        EXPECT_EQ(SoundsPlayed(SE_REFUSE), 1) << "no row chosen yet";
        EXPECT_EQ(event().Opcode, OP_CHOICE);
        for (int directions : c.presses)
            Press(directions);
        Confirm();
        EXPECT_EQ(SoundsPlayed(SE_CONFIRM), 1);
        RunToEnd();
        for (int flag = 1; flag <= 3; ++flag)
            EXPECT_EQ(TheGameData->GetGameFlag(flag), flag == c.flag ? 1 : 0) << "flag " << flag;
    }
}

TEST_F(EventChoiceTest, TheWindowStandsOnTheMessageWindowSizedByItsRowsAndText)
{
    Run(ThreeRows());
    // 3 rows: top 318 - 78 = 240, bottom 336; right = the widest row (5 × 16) + 66.
    EXPECT_FLOAT_EQ(event().choiceTextX, 56.0f);
    EXPECT_FLOAT_EQ(event().choiceTextY, 250.0f);
    EXPECT_EQ(event().Args[CEvent::kChoiceTextWidth], 5 * MeasuringText::kAdvance);
    float top = 1e9f, bottom = -1e9f, right = -1e9f, left = 1e9f;
    for (const ColouredVertex& v : event().choiceFrame) {
        top = std::min(top, v.y);
        bottom = std::max(bottom, v.y);
        left = std::min(left, v.x);
        right = std::max(right, v.x);
    }
    EXPECT_FLOAT_EQ(bottom - top, 26.0f * 3 + 18.0f);
    EXPECT_FLOAT_EQ(left, 46.0f);
    EXPECT_FLOAT_EQ(right, static_cast<float>(event().Args[CEvent::kChoiceTextWidth]) + 66.0f);
}

TEST_F(EventChoiceTest, AMessageBeforeTheChoiceStaysUnderItOtherwiseTheWindowIsBlank)
{
    struct Case {
        const char* name;
        Script before;
        std::u16string kept;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {"after a message", Script().Message(u"どうする?"), u"どうする?", 0xFFFFFFFFu},
        {"after a coloured message", Script().MessageColour(0xFFFF8000u, u"赤"), u"赤", 0xFFFF8000u},
        {"after another command", Script().SetFlag(1, 9), u" ", 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Run(ThreeRows(c.before));
        Frames(60);
        ASSERT_EQ(event().Opcode, OP_CHOICE);
        text.drawn.clear();
        event().DrawEvent();
        ASSERT_EQ(text.drawn.size(), 2u) << "the rows, then the kept message";
        EXPECT_EQ(text.drawn[0].text, u"はい\nいいえ\nまたあとで");
        EXPECT_EQ(text.drawn[1].text, c.kept);
        EXPECT_EQ(text.drawn[1].colour, c.colour);
    }
}

struct FloorCase {
    const char* name;
    int list;
    std::vector<int> flags;
    std::u16string shown;
};

TEST_F(EventChoiceTest, FloorListsShowTheFloorsTheirFlagsOpen)
{
    const FloorCase cases[] = {
        {"list 0 with no flag", 0, {}, u"第2層"},
        {"list 0 with flag 183", 0, {183}, u"第2層\n第3層\n第4層\n第5層"},
        {"list 1 with 351 and 396: the highest decides", 1, {351, 396}, u" 7F\n13F\n20F\n26F\n32F\n40F"},
        {"list 1 with 351", 1, {351}, u" 7F\n13F\n20F"},
        {"list 2 with no flag", 2, {}, u"第8層\n第9層"},
        {"list 3 with 465", 3, {465}, u"第14層\n第15層\n第16層\n第17層\n第18層\n第19層\n第20層"},
        {"list 7: list 0's first two rows", 7, {}, u"第2層\n第3層"},
    };
    for (const FloorCase& c : cases) {
        SCOPED_TRACE(c.name);
        TheGameData->NewGameData();
        for (int flag : c.flags)
            TheGameData->SetGameFlag(flag, 1);
        Run(Script().Raw(OP_FLOOR_CHOICE, {c.list}).SetFlag(1, 1).End());
        ASSERT_EQ(event().Opcode, OP_FLOOR_CHOICE);
        EXPECT_EQ(std::u16string(event().ChoiceText), c.shown);
        EXPECT_EQ(event().Args[CEvent::kChoiceTextLength], static_cast<int>(c.shown.size()));
        EXPECT_EQ(event().Args[CEvent::kChoiceRows],
                  static_cast<int>(std::count(c.shown.begin(), c.shown.end(), u'\n')) + 1);
    }
}

TEST_F(EventChoiceTest, AFloorListCancelsToLabel7AndConfirmsSilently)
{
    const Script script = Script()
                              .Raw(OP_FLOOR_CHOICE, {2})
                              .SetFlag(1, 1)
                              .End()
                              .Label(0)
                              .SetFlag(1, 2)
                              .End()
                              .Label(7)
                              .SetFlag(1, 7)
                              .End();
    TheGameData->NewGameData();
    Run(script);
    soundCalls.clear();
    keys.PushButton(1);
    Frames(1);
    EXPECT_EQ(SoundsPlayed(SE_CANCEL), 1);
    RunToEnd();
    EXPECT_EQ(TheGameData->GetGameFlag(7), 1);

    TheGameData->NewGameData();
    Run(script);
    Press(Keys::kUp); // row 1, the second floor: label 0
    soundCalls.clear();
    Confirm();
    EXPECT_EQ(SoundsPlayed(SE_CONFIRM), 0);
    RunToEnd();
    EXPECT_EQ(TheGameData->GetGameFlag(2), 1);
}

TEST_F(EventChoiceTest, AChoiceWithoutCancelIgnoresTheCancelButton)
{
    Run(ThreeRows());
    keys.PushButton(1);
    Frames(1);
    EXPECT_EQ(event().Opcode, OP_CHOICE);
    EXPECT_TRUE(event().IsEventRunning());
}

} // namespace
} // namespace fieldtest
