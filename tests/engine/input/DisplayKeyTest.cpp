// A real SDL window on an X display receives key presses made by xdotool, and
// the input object reports them as the game would see them.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "KeyInputDerived.h"

namespace {

constexpr const char* kTitle = "VelmoraInputDisplayTest";

bool RunXdotool(const std::string& arguments)
{
    const std::string command = "xdotool " + arguments;
    return std::system(command.c_str()) == 0;
}

// Runs input frames (pumping the window's events as the game loop does)
// until `done` holds; false when it never does.
bool FramesUntil(Zeph::CKeyInput& input, const std::function<bool()>& done)
{
    for (int frame = 0; frame < 300; ++frame) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
        }
        input.Update();
        if (done())
            return true;
        SDL_Delay(16);
    }
    return false;
}

TEST(DisplayKeyTest, KeysPressedOnTheDisplayReachTheInputObject)
{
    unsetenv("VELMORA_HEADLESS");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow(kTitle, 0, 0, 320, 240, SDL_WINDOW_SHOWN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SetZephAppData(window, nullptr, nullptr, nullptr);

    const std::uint8_t keys[16] = {44, 45, 46, 47, 30, 31, 32, 33, 16, 17, 57, 2, 200, 208, 203, 205};
    const std::uint8_t buttons[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    Zeph::CKeyInput* input = CreateKeyInput();
    ASSERT_NE(input, nullptr);
    // The window may not have the focus yet: that is no failure.
    ASSERT_EQ(input->Init(nullptr, true, false, 11, keys, buttons), Zeph::kResultOk);

    ASSERT_TRUE(RunXdotool(std::string("search --sync --name ") + kTitle + " windowfocus --sync"));
    ASSERT_TRUE(FramesUntil(*input, [&] { return SDL_GetKeyboardFocus() == window; }));

    ASSERT_TRUE(RunXdotool("keydown z"));
    EXPECT_TRUE(FramesUntil(*input, [&] { return input->IsButtonPush(0); }));
    input->Update();
    EXPECT_TRUE(input->IsButtonHold(0));
    EXPECT_FALSE(input->IsButtonPush(0));
    ASSERT_TRUE(RunXdotool("keyup z"));
    EXPECT_TRUE(FramesUntil(*input, [&] { return input->IsButtonRelease(0); }));

    ASSERT_TRUE(RunXdotool("keydown Up"));
    EXPECT_TRUE(FramesUntil(*input, [&] { return input->GetDirectionPush() == 1; }));
    ASSERT_TRUE(RunXdotool("keyup Up"));
    EXPECT_TRUE(FramesUntil(*input, [&] { return input->IsUpRelease(); }));
    EXPECT_EQ(input->GetButtonHoldMask(12), 0);

    input->Release();
    SetZephAppData(nullptr, nullptr, nullptr, nullptr);
    SDL_DestroyWindow(window);
    SDL_Quit();
}

} // namespace
