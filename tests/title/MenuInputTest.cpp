#include "TitleFixture.h"

namespace {

constexpr int kUp = fakes::FakeKeyInput::kUp;
constexpr int kDown = fakes::FakeKeyInput::kDown;
constexpr int kLeft = fakes::FakeKeyInput::kLeft;
constexpr int kRight = fakes::FakeKeyInput::kRight;

class MenuInputTest : public TitleFixture {
protected:
    void SetUp() override
    {
        TitleFixture::SetUp();
        mapMenu.cursorWindow = TITLE_MENU_WINDOW;
    }

    // One menu frame: the repeat first, then the keys; true when the cursor moved.
    bool MenuFrame(int rows)
    {
        effects.CountPlaySEFrame();
        mapMenu.UpdateKeyRepeat();
        const std::int8_t before = cursor;
        mapMenu.MoveMenuCursorByKeys(cursor, rows);
        keys.NextFrame();
        return cursor != before;
    }

    // Frames (from 1) in which the cursor moved while the keys of `script`
    // were pressed on frame 1 and then held for `frames` frames.
    std::vector<int> MovesWhileHeld(int directions, int frames, int rows = 3)
    {
        std::vector<int> moved;
        keys.Press(directions);
        for (int frame = 1; frame <= frames; ++frame) {
            if (frame > 1)
                keys.Hold(directions);
            if (MenuFrame(rows))
                moved.push_back(frame);
        }
        return moved;
    }

    std::int8_t cursor = 0;
};

TEST_F(MenuInputTest, AHeldDirectionRepeatsAfter40FramesThenEvery4)
{
    EXPECT_EQ(MovesWhileHeld(kDown, 50), (std::vector<int>{1, 41, 45, 49}));
    // Released: the counter and flag clear at once.
    keys.ReleaseAll();
    MenuFrame(3);
    EXPECT_EQ(mapMenu.repeatCounters[MENU_DOWN], 0);
    EXPECT_EQ(mapMenu.repeatHeld[MENU_DOWN], 0);
}

TEST_F(MenuInputTest, ANewPressRestartsTheDelay)
{
    MovesWhileHeld(kDown, 30);
    // Up pressed while down was repeating: only up repeats, 40 frames on.
    EXPECT_EQ(MovesWhileHeld(kUp, 42), (std::vector<int>{1, 41}));
    EXPECT_EQ(mapMenu.repeatHeld[MENU_DOWN], 0);
}

TEST_F(MenuInputTest, StepsWrapAndJumpWithTheCursorSound)
{
    struct Step {
        const char* what;
        int rows, from, keysPressed, to;
        bool sound;
    };
    const Step steps[] = {
        {"up from the first row wraps to the last", 3, 0, kUp, 2, true},
        {"down from the last row wraps to the first", 3, 2, kDown, 0, true},
        {"right jumps to the last row", 5, 1, kRight, 4, true},
        {"left jumps to the first row", 5, 3, kLeft, 0, true},
        {"right on the last row stays silent", 5, 4, kRight, 4, false},
        {"a one-row menu never moves", 1, 0, kDown, 0, false},
        {"down wins over up", 3, 1, kDown | kUp, 2, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        soundCalls.clear();
        cursor = static_cast<std::int8_t>(s.from);
        keys.Press(s.keysPressed);
        MenuFrame(s.rows);
        EXPECT_EQ(cursor, s.to);
        EXPECT_EQ(SoundsPlayed(), s.sound ? std::vector<std::string>{"Play(2)"} : std::vector<std::string>{});
        EXPECT_FLOAT_EQ(mapMenu.cursorY, s.sound ? 20.0f + 11.0f + 26.0f * static_cast<float>(s.to) : mapMenu.cursorY);
    }
    // A jump starts no repeat.
    keys.Press(kRight);
    MenuFrame(5);
    EXPECT_EQ(mapMenu.repeatHeld[MENU_RIGHT], 0);
}

TEST_F(MenuInputTest, TheCursorSwingsThroughFourOffsetsEvery45Frames)
{
    std::vector<std::pair<int, float>> changes;
    float last = mapMenu.cursorSwing;
    for (int frame = 1; frame <= 90; ++frame) {
        mapMenu.AnimateMenuCursor();
        if (mapMenu.cursorSwing != last)
            changes.emplace_back(frame, mapMenu.cursorSwing);
        last = mapMenu.cursorSwing;
    }
    const std::vector<std::pair<int, float>> expected = {{7, 1.0f},  {17, 2.0f}, {30, 3.0f}, {45, 0.0f},
                                                         {52, 1.0f}, {62, 2.0f}, {75, 3.0f}, {90, 0.0f}};
    EXPECT_EQ(changes, expected);
}

} // namespace
