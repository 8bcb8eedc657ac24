// The hall of map 2 in the game itself, from a save beside the door in the
// first map's west wall: through the door, the enemy symbols fading in and
// wandering, the same symbols after going out and in again, and the two
// switches with the message that follows them; and, loaded in the hall
// itself, a symbol that chases the player, the block pushed onto its plate
// and the spikes that hurt. (A symbol's touch, the arrows and the rolling
// objects: LivingHallInProcessTest.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "HallEvents.h"
#include "ScriptedRun.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

namespace {

using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyLeft;
using e2e::kKeyRight;
using e2e::kKeyUp;

constexpr int kWelcomedFlag = 100;
constexpr int kHallMap = 2;
constexpr int kHudShowsHp = 1;
constexpr int kPartyHp = 50;

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

// A run loaded from a save on a cell of the hall, its HP window shown; the
// keys from frame 200 on, when the field walks.
struct HallRun {
    e2e::GameFolder folder;
    TourScript keys{50, ""};
    std::vector<int> dumps;
    std::map<int, e2e::FrameImage> shot;

    HallRun(int x, int y, int facing)
    {
        e2e::WriteSave(folder, 0, kHallMap, x, y, facing, [](GameData& data, CCharacter& party) {
            data.SetGameFlag(kWelcomedFlag, 1);
            data.SetMapHudMode(kHudShowsHp);
            for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
                SetMemberMaxHP(m, kPartyHp, party.abilityBits[m]);
                party.hp[m] = party.maxHp[m];
            }
        });
        keys.Tap(kKeyConfirm, 5); // ロード
        keys.Tap(kKeyConfirm, 5); // slot 1
        keys.Tap(kKeyConfirm, 5);
        keys.frame = 200;
    }
    int DumpNow()
    {
        dumps.push_back(keys.frame);
        return keys.frame;
    }
    void Run(const std::string& name)
    {
        const auto run =
            e2e::RunScripted(folder, keys.text, e2e::FrameList(dumps), dumps.back() + 1, {}, e2e::kLongRunLimit);
        ASSERT_TRUE(run.exited) << run.errors;
        for (int frame : dumps)
            shot[frame] = e2e::Dump(folder, frame, "program_hall_" + name + "_" + std::to_string(frame));
    }
};

// The hall's view when the player stands in column `playerX`: 20 columns
// from the player's minus 9, the hall being 30 wide; its 15 rows all show.
e2e::Box HallCell(int playerX, int x, int y)
{
    const int first = std::clamp(playerX - 9, 0, 10);
    return {(x - first) * kCell, y * kCell, (x - first + 1) * kCell, (y + 1) * kCell};
}

// The middle x of what stands out in a row of cells against the row above
// (both plain floor where nothing stands), over columns [fromX, toX).
double StandingOutX(const e2e::FrameImage& frame, int row, int fromX, int toX)
{
    double total = 0.0;
    double weighted = 0.0;
    for (int x = fromX; x < toX; ++x) {
        double column = 0.0;
        for (int y = row * kCell; y < (row + 1) * kCell; ++y) {
            const std::uint32_t here = frame.At(x, y);
            const std::uint32_t above = frame.At(x, y - kCell);
            for (int shift = 0; shift <= 16; shift += 8)
                column += std::abs(static_cast<int>(here >> shift & 0xFF) - static_cast<int>(above >> shift & 0xFF));
        }
        total += column;
        weighted += column * x;
    }
    return total > 0.0 ? weighted / total : -1.0;
}

TEST(LivingMapRunTest, InTheHallASymbolChasesTheBlockCoversItsPlateAndTheSpikesHurt)
{
    namespace hall = sampledata::hall;
    // The wanderer spawned at (24, 9) chases whoever comes within 100 pixels:
    // loaded three cells to its left, the player sees it come once its hold is over.
    constexpr int kChaserX = 24, kChaserY = 9;
    HallRun chase(kChaserX - 3, kChaserY, 3);
    chase.keys.Wait(100);
    const int held = chase.DumpNow();
    chase.keys.Wait(60);
    const int chasing = chase.DumpNow();
    chase.Run("chase");
    // Row 9 right of the player, against the plain row 8 above it.
    const e2e::Box strip = HallCell(kChaserX - 3, kChaserX - 2, kChaserY);
    const double heldX = StandingOutX(chase.shot[held], kChaserY, strip.left, strip.left + 4 * kCell);
    const double chasingX = StandingOutX(chase.shot[chasing], kChaserY, strip.left, strip.left + 4 * kCell);
    const e2e::Box spawnCell = HallCell(kChaserX - 3, kChaserX, kChaserY);
    EXPECT_GT(heldX, spawnCell.left);
    EXPECT_LT(heldX, spawnCell.right) << "held on its cell";
    EXPECT_LT(chasingX, heldX - 30.0) << "a second later it has come a cell nearer";
    EXPECT_GT(chasingX, strip.left) << "not yet on the player";

    // The block below the player, pushed twice down onto its plate.
    HallRun block(hall::kBlockX, hall::kBlockY - 1, 2);
    const int before = block.DumpNow();
    block.keys.Walk(kKeyDown, 1, 20);
    block.keys.Walk(kKeyDown, 1, 60); // the message the covered plate starts
    block.keys.Tap(kKeyConfirm, 20);
    const int covered = block.DumpNow();
    block.Run("block");
    const auto cell = [](int x, int y) { return HallCell(hall::kBlockX, x, y); };
    const e2e::FrameImage& was = block.shot[before];
    const e2e::FrameImage& now = block.shot[covered];
    const double blockLook = was.Brightness(cell(hall::kBlockX, hall::kBlockY));
    const double plateLook = was.Brightness(cell(hall::kPlateX, hall::kPlateY));
    ASSERT_GT(std::abs(blockLook - plateLook), 5.0);
    EXPECT_NEAR(now.Brightness(cell(hall::kPlateX, hall::kPlateY)), blockLook, 1.0) << "the block shows on the plate";
    EXPECT_NEAR(now.Brightness(cell(hall::kBlockX, hall::kBlockY)),
                now.Brightness(cell(hall::kBlockX + 1, hall::kBlockY)), 1.0)
        << "its old cell is plain floor";

    // Beside the first spikes, then on them until they have risen: the HP window shows less.
    HallRun spikes(hall::kTrapAX - 1, hall::kTrapAY, 3);
    const int beside = spikes.DumpNow();
    spikes.keys.Walk(kKeyRight, 1, 150);
    const int hurt = spikes.DumpNow();
    spikes.Run("spikes");
    // The player on the left half: the HP window at the top right.
    const e2e::Box hpWindow{548, 0, 640, 96};
    EXPECT_GT(spikes.shot[beside].Brightness(hpWindow), spikes.shot[beside].Brightness({0, 0, 92, 96}) + 20.0)
        << "the HP window shows";
    EXPECT_FALSE(spikes.shot[hurt].SameAs(spikes.shot[beside], hpWindow)) << "the HP went down";
    EXPECT_GT(spikes.shot[hurt].Brightness(hpWindow), spikes.shot[hurt].Brightness({0, 0, 92, 96}) + 20.0)
        << "the field goes on, its HP window still there";
}

} // namespace
