// The hall of map 2 in the game itself, from a save beside the door in the
// first map's west wall: through the door, the enemy symbols fading in and
// wandering, the same symbols after going out and in again, and the two
// switches with the message that follows them. (The hall's other gimmicks
// and a symbol's touch: LivingHallInProcessTest.)
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "HallEvents.h"
#include "ScriptedRun.h"
#include "record/Pipkorn.h"

namespace {

using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyLeft;
using e2e::kKeyRight;
using e2e::kKeyUp;

constexpr int kWelcomedFlag = 100;

using TourScript = e2e::KeyScript;

// The hall's view with the player at its arrival: columns 6 to 25.
constexpr int kScrollColumns = 6;
constexpr int kCell = 32;

e2e::Box CellBox(int x, int y)
{
    return {(x - kScrollColumns) * kCell, y * kCell, (x - kScrollColumns + 1) * kCell, (y + 1) * kCell};
}

struct Moments {
    int fading, wandering, wanderingLater, fadingAgain, switches;
};

TourScript Tour(Moments& m)
{
    TourScript s{50, ""};
    s.Tap(kKeyConfirm, 5); // ロード
    s.Tap(kKeyConfirm, 5); // slot 1
    s.Tap(kKeyConfirm, 5);
    s.frame = 200;
    s.Walk(kKeyLeft, 1, 0); // through the door
    const int entered = s.frame;
    m.fading = entered + 160;
    m.wandering = entered + 260;
    m.wanderingLater = entered + 300;
    s.frame = entered + 310;
    s.Walk(kKeyLeft, 1, 100); // out again
    s.Walk(kKeyLeft, 1, 0);   // and in
    m.fadingAgain = s.frame + 160;
    s.frame += 170;
    // The two switches, before the symbols come near.
    s.Walk(kKeyDown, 4);
    s.Walk(kKeyRight, 2, 60);
    m.switches = s.frame;
    return s;
}

TEST(LivingMapRunTest, SymbolsFadeInWanderAndComeBackTheSameAndTheSwitchesSpeak)
{
    e2e::GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 1, 3, 1, [](GameData& data, CCharacter&) { data.SetGameFlag(kWelcomedFlag, 1); });
    Moments m{};
    const TourScript s = Tour(m);
    const std::vector<int> frames = {m.fading, m.wandering, m.wanderingLater, m.fadingAgain, m.switches};
    const auto run = e2e::RunScripted(folder, s.text, e2e::FrameList(frames), m.switches + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    std::map<int, e2e::FrameImage> shot;
    const char* names[] = {"fading", "wandering", "wandering_later", "fading_again", "switches"};
    for (std::size_t i = 0; i < frames.size(); ++i)
        shot[frames[i]] = e2e::Dump(folder, frames[i], std::string("program_hall_") + names[i]);

    // The spawn points' cells look the same on both entries (a symbol's
    // turn does not change how much of its cell it covers), and some of
    // them hold a symbol.
    const e2e::Box floor = CellBox(10, 1);
    const double plain = shot[m.fading].Brightness(floor);
    int occupied = 0;
    for (const auto& point : sampledata::HallSpawnPoints()) {
        if (point.x - kScrollColumns >= 20)
            continue;
        const e2e::Box box = CellBox(point.x, point.y);
        EXPECT_NEAR(shot[m.fading].Brightness(box), shot[m.fadingAgain].Brightness(box), 0.5);
        if (std::abs(shot[m.fading].Brightness(box) - plain) > 2.0)
            ++occupied;
    }
    EXPECT_GT(occupied, 0);
    // Once their hold is over the symbols move.
    EXPECT_FALSE(shot[m.wandering].SameAs(shot[m.wanderingLater], {kCell * 9, 0, 640, 480}));
    // Both switches on: the record that follows them speaks.
    EXPECT_GT(shot[m.switches].Brightness({46, 340, 594, 480}), 0.0);
    EXPECT_FALSE(shot[m.switches].SameAs(shot[m.wanderingLater], {46, 340, 594, 480}));
}

} // namespace
