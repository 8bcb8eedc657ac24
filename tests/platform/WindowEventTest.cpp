#include <gtest/gtest.h>

#include <SDL.h>

#include <ostream>
#include <string>

#include "platform/WindowEvent.h"
#include "platform/Window.h"

namespace plat {

void PrintTo(const WindowEvent& event, std::ostream* out)
{
    *out << "{kind " << static_cast<int>(event.kind) << ", at " << event.x << "," << event.y << ", key "
         << static_cast<int>(event.key) << ", modifiers " << static_cast<int>(event.modifiers)
         << (event.repeat ? ", repeat}" : "}");
}

} // namespace plat

namespace {

SDL_Event WindowChange(Uint8 change)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = change;
    return event;
}

SDL_Event Key(Uint32 type, SDL_Keycode key, Uint16 mods, Uint8 repeat = 0)
{
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mods;
    event.key.repeat = repeat;
    return event;
}

SDL_Event Motion(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event OfType(Uint32 type)
{
    SDL_Event event{};
    event.type = type;
    return event;
}

plat::WindowEvent Expect(plat::WindowEventKind kind)
{
    plat::WindowEvent event;
    event.kind = kind;
    return event;
}

plat::WindowEvent ExpectKey(plat::WindowKey key, std::uint8_t mods, bool repeat = false)
{
    plat::WindowEvent event = Expect(plat::WindowEventKind::KeyDown);
    event.key = key;
    event.modifiers = mods;
    event.repeat = repeat;
    return event;
}

plat::WindowEvent ExpectMotion(int x, int y)
{
    plat::WindowEvent event = Expect(plat::WindowEventKind::MouseMoved);
    event.x = x;
    event.y = y;
    return event;
}

struct TranslationCase {
    const char* name;
    SDL_Event from;
    plat::WindowEvent to;
};

void PrintTo(const TranslationCase& c, std::ostream* out)
{
    *out << c.name;
}

class WindowEventTranslation : public ::testing::TestWithParam<TranslationCase> {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(plat::StartWindowSystem()) << plat::WindowSystemError(); }
    static void TearDownTestSuite() { SDL_Quit(); }

    void SetUp() override
    {
        plat::WindowEvent stale;
        while (plat::PollWindowEvent(stale)) {
        }
    }
};

// Every message comes out of the queue as the game's own event, with only
// the fields its kind uses set.
TEST_P(WindowEventTranslation, MessagesArriveAsTheGameSeesThem)
{
    SDL_Event from = GetParam().from;
    ASSERT_EQ(SDL_PushEvent(&from), 1) << SDL_GetError();
    plat::WindowEvent got;
    ASSERT_TRUE(plat::PollWindowEvent(got));
    EXPECT_EQ(got, GetParam().to);
    EXPECT_FALSE(plat::PollWindowEvent(got)) << "one message, one event";
}

using Kind = plat::WindowEventKind;
using plat::WindowKey;

INSTANTIATE_TEST_SUITE_P(
    Window, WindowEventTranslation,
    ::testing::Values(
        TranslationCase{"Quit", OfType(SDL_QUIT), Expect(Kind::Quit)},
        TranslationCase{"Close", WindowChange(SDL_WINDOWEVENT_CLOSE), Expect(Kind::Close)},
        TranslationCase{"FocusLost", WindowChange(SDL_WINDOWEVENT_FOCUS_LOST), Expect(Kind::FocusLost)},
        TranslationCase{"FocusGained", WindowChange(SDL_WINDOWEVENT_FOCUS_GAINED), Expect(Kind::FocusGained)},
        TranslationCase{"Minimized", WindowChange(SDL_WINDOWEVENT_MINIMIZED), Expect(Kind::Minimized)},
        TranslationCase{"Restored", WindowChange(SDL_WINDOWEVENT_RESTORED), Expect(Kind::Restored)},
        TranslationCase{"Exposed", WindowChange(SDL_WINDOWEVENT_EXPOSED), Expect(Kind::Exposed)},
        TranslationCase{"Moved", WindowChange(SDL_WINDOWEVENT_MOVED), Expect(Kind::Moved)},
        TranslationCase{"ResizedIsOther", WindowChange(SDL_WINDOWEVENT_RESIZED), Expect(Kind::Other)},
        TranslationCase{"MouseMoved", Motion(12, 34), ExpectMotion(12, 34)},
        TranslationCase{"AltEnter", Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT),
                        ExpectKey(WindowKey::Enter, plat::kModAlt)},
        TranslationCase{"KeypadEnterIsEnter", Key(SDL_KEYDOWN, SDLK_KP_ENTER, KMOD_RALT),
                        ExpectKey(WindowKey::Enter, plat::kModAlt)},
        TranslationCase{"EitherCtrlAndShift", Key(SDL_KEYDOWN, SDLK_F10, KMOD_RCTRL | KMOD_LSHIFT),
                        ExpectKey(WindowKey::F10, plat::kModCtrl | plat::kModShift)},
        TranslationCase{"LockKeysAreNoModifiers", Key(SDL_KEYDOWN, SDLK_F1, KMOD_NUM | KMOD_CAPS),
                        ExpectKey(WindowKey::F1, 0)},
        TranslationCase{"HeldKeyRepeats", Key(SDL_KEYDOWN, SDLK_F2, KMOD_NONE, 1), ExpectKey(WindowKey::F2, 0, true)},
        TranslationCase{"OtherKey", Key(SDL_KEYDOWN, SDLK_a, KMOD_NONE), ExpectKey(WindowKey::Other, 0)},
        TranslationCase{"KeyUpIsOther", Key(SDL_KEYUP, SDLK_F2, KMOD_NONE), Expect(Kind::Other)}),
    [](const testing::TestParamInfo<TranslationCase>& param) { return std::string(param.param.name); });

TEST_F(WindowEventTranslation, PostedMessagesComeBackInOrderAndWaitingTakesThem)
{
    plat::PostWindowClose(nullptr);
    plat::PostQuit();
    plat::WindowEvent got;
    ASSERT_TRUE(plat::WaitWindowEvent(got));
    EXPECT_EQ(got.kind, Kind::Close);
    ASSERT_TRUE(plat::PollWindowEvent(got));
    EXPECT_EQ(got.kind, Kind::Quit);
    EXPECT_FALSE(plat::PollWindowEvent(got));
}

} // namespace
