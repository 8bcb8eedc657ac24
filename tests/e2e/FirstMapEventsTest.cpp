// The first map's events in the game itself, after a new game: the program
// run headless with a scripted input file, its frame dumps kept to look at
// (the welcome typing and waiting, the sign, the person faced from two
// sides, the gifts, the thorns, the fighter's battle won by the leader's
// blows and the gate), and the same events driven frame by frame in the
// test for the values behind them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "InProcessGame.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"
#include "core/GameDataTables.h"
#include "core/PlaceNames.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "main/GameMain.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

namespace {

using e2e::Box;
using e2e::FrameImage;
using e2e::GameFolder;

constexpr int kFramesPerCell = 16;

// An input file written step by step, keeping the frames worth a dump.
class InputScript {
public:
    void Press(int key)
    {
        Key(frame_, key, true);
        Key(frame_ + 1, key, false);
        frame_ += 2;
    }
    void Walk(int key, int cells)
    {
        Key(frame_, key, true);
        Key(frame_ + kFramesPerCell * cells - 1, key, false);
        frame_ += kFramesPerCell * cells + 4;
    }
    void Wait(int frames) { frame_ += frames; }
    void Mark(const std::string& name, int offset = 0) { marks_[name] = frame_ + offset; }
    int At(const std::string& name) const { return marks_.at(name); }
    int Frame() const { return frame_; }
    std::string Dumps() const
    {
        std::string list;
        for (const auto& [name, frame] : marks_)
            list += (list.empty() ? "" : ",") + std::to_string(frame);
        return list;
    }
    const std::string& Text() const { return text_; }

private:
    void Key(int frame, int key, bool down)
    {
        text_ += std::to_string(frame) + " key " + std::to_string(key) + (down ? " down\n" : " up\n");
    }
    int frame_ = 50;
    std::string text_;
    std::map<std::string, int> marks_;
};

// New game, then round the first map's events; every message is left to
// type out before it is confirmed.
InputScript FirstMapRound()
{
    using namespace e2e;
    InputScript s;
    s.Press(kKeyConfirm); // new game
    s.Wait(146);
    s.Mark("welcome_wipe", -20);
    s.Wait(60);
    s.Mark("welcome_marker");
    s.Press(kKeyConfirm);
    s.Wait(4);
    s.Walk(kKeyLeft, 1); // the sign stands left of (8, 2)
    s.Press(kKeyConfirm);
    s.Wait(120);
    s.Mark("sign");
    s.Press(kKeyConfirm);
    s.Wait(4);
    s.Walk(kKeyRight, 3); // the person stands right of (11, 2)
    s.Press(kKeyConfirm);
    s.Wait(80);
    s.Mark("person_left");
    s.Press(kKeyConfirm);
    s.Wait(60);
    s.Mark("money");
    s.Press(kKeyConfirm);
    s.Wait(4);
    s.Walk(kKeyDown, 1);
    s.Walk(kKeyRight, 1);
    s.Press(kKeyUp); // turns up at (12, 3), under the person
    s.Wait(2);
    s.Press(kKeyConfirm);
    s.Wait(60);
    s.Mark("person_below");
    s.Press(kKeyConfirm);
    s.Wait(4);
    s.Walk(kKeyRight, 1); // the chest stands right of (13, 3)
    s.Press(kKeyConfirm);
    s.Wait(72);
    s.Mark("chest_item");
    s.Press(kKeyConfirm);
    s.Wait(4);
    s.Walk(kKeyLeft, 2);
    s.Walk(kKeyDown, 1); // onto the thorns at (11, 4)
    s.Wait(2);
    s.Mark("thorns");
    s.Walk(kKeyLeft, 2);
    s.Walk(kKeyDown, 3);
    s.Walk(kKeyRight, 9); // the fighter stands right of (18, 7)
    s.Press(kKeyConfirm);
    s.Wait(60);
    s.Mark("fighter");
    s.Press(kKeyConfirm);
    s.Wait(10);
    s.Mark("battle");
    // The transition and the opening; then the leader walks left into the
    // slime and the bat and strikes until they fall. The same key answers
    // the result window and the fighter's words; the closing fade follows.
    s.Wait(180);
    s.Walk(kKeyLeft, 8);
    for (int blow = 0; blow < 60; ++blow) {
        s.Press(kKeyConfirm);
        s.Wait(10);
    }
    s.Wait(300);
    s.Mark("fighter_gone");
    s.Wait(100);
    s.Press(kKeyConfirm);
    s.Wait(60);
    s.Press(kKeyConfirm);
    s.Wait(4);
    s.Walk(kKeyLeft, 13); // the gatekeeper stands left of (5, 7)
    s.Press(kKeyConfirm);
    s.Wait(80);
    s.Mark("gatekeeper");
    s.Press(kKeyConfirm);
    s.Wait(60);
    s.Press(kKeyConfirm);
    s.Wait(60);
    s.Mark("gate_open");
    return s;
}

Box Cell(int column, int row)
{
    return Box{column * 32 + 2, row * 32 + 2, column * 32 + 30, row * 32 + 30};
}

// Two boxes of the same size, in one picture or two, hold the same pixels.
bool SamePixels(const FrameImage& a, const Box& boxA, const FrameImage& b, const Box& boxB)
{
    for (int y = 0; y < boxA.bottom - boxA.top; ++y)
        for (int x = 0; x < boxA.right - boxA.left; ++x)
            if ((a.At(boxA.left + x, boxA.top + y) & 0xFFFFFF) != (b.At(boxB.left + x, boxB.top + y) & 0xFFFFFF))
                return false;
    return true;
}

TEST(FirstMapEventsTest, AScriptedRoundOfTheFirstMapsEvents)
{
    GameFolder folder;
    const InputScript round = FirstMapRound();
    const auto run = e2e::RunScripted(folder, round.Text(), round.Dumps(), round.Frame());
    ASSERT_TRUE(run.exited);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));

    const auto dump = [&](const char* name) {
        return e2e::Dump(folder, round.At(name), std::string("events_") + name);
    };
    const Box message{56, 350, 584, 470};
    const FrameImage wipe = dump("welcome_wipe");
    const FrameImage marker = dump("welcome_marker");
    EXPECT_LT(wipe.Brightness(message), marker.Brightness(message)) << "more of the welcome shows once typed";
    const FrameImage sign = dump("sign");
    EXPECT_FALSE(sign.SameAs(marker, message));
    // The person at (12, 2) faces left when spoken to from its left and
    // down when spoken to from below.
    const FrameImage left = dump("person_left");
    const FrameImage below = dump("person_below");
    EXPECT_FALSE(left.SameAs(below, Cell(12, 2)));
    dump("money");
    // The chest at (14, 3) stands open.
    EXPECT_FALSE(dump("chest_item").SameAs(wipe, Cell(14, 3)));
    dump("thorns");
    EXPECT_TRUE(dump("fighter").Brightness(Cell(15, 7)) > 0.0);
    const FrameImage closing = dump("battle");
    EXPECT_LT(closing.Brightness({0, 0, 640, 16}), closing.Brightness({0, 232, 640, 248}))
        << "the encounter's bands close from the top over the frozen field";
    // The view has scrolled four cells: the fighter stood in screen cell
    // (15, 7); after the battle that cell is floor like the one below it.
    const FrameImage gone = dump("fighter_gone");
    EXPECT_TRUE(SamePixels(gone, Cell(15, 7), gone, Cell(15, 8)));
    // The gate at (3, 7) is gone once the gatekeeper lets the party pass.
    const FrameImage keeper = dump("gatekeeper");
    const FrameImage open = dump("gate_open");
    EXPECT_FALSE(SamePixels(keeper, Cell(3, 7), keeper, Cell(3, 8)));
    EXPECT_TRUE(SamePixels(open, Cell(3, 7), open, Cell(3, 8)));
}

// A new game on the first map, its welcome running.
class FirstMapInProcess : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(game.StartNewGame(folder)); }

    GameFolder folder;
    e2e::InProcessGame game;
};

TEST_F(FirstMapInProcess, TheWelcomeOnceThenMoneyAndThorns)
{
    ASSERT_EQ(MapSceneState, MAP_SCENE_EVENT) << "the welcome";
    ASSERT_TRUE(game.ConfirmMessages());
    EXPECT_EQ(TheGameData->GetGameFlag(100), 1) << "seen once";

    // Two cells right, then spoken to: 1,000 money, once.
    game.Hold(e2e::kKeyRight);
    ASSERT_GT(game.FramesUntil([] { return TheMapCharacter->cellX == 10; }), 0);
    game.LetGo(e2e::kKeyRight);
    ASSERT_GT(game.FramesUntil([] { return TheMapCharacter->IsPlayerStanding(); }), 0);
    ASSERT_EQ(TheMapCharacter->cellX, 11);
    for (int talk = 0; talk < 2; ++talk) {
        game.Press(e2e::kKeyConfirm);
        game.Frames(2);
        ASSERT_EQ(MapSceneState, MAP_SCENE_EVENT);
        ASSERT_TRUE(game.ConfirmMessages());
        EXPECT_EQ(TheCharacter->money, 1000u) << talk;
    }

    // Down onto the thorns at (11, 4): every member loses a fifth of its maximum.
    std::int32_t before[3];
    for (int m = 0; m < 3; ++m)
        before[m] = TheCharacter->hp[m];
    game.Hold(e2e::kKeyDown);
    ASSERT_GT(game.FramesUntil([] { return TheMapCharacter->cellY == 4; }), 0);
    game.LetGo(e2e::kKeyDown);
    ASSERT_GT(game.FramesUntil([] { return TheMapCharacter->IsPlayerStanding(); }), 0);
    ASSERT_EQ(TheMapCharacter->cellY, 4);
    for (int m = 0; m < 3; ++m)
        EXPECT_EQ(TheCharacter->hp[m], before[m] - (TheCharacter->maxHp[m] + 4) / 5) << m;
    EXPECT_GT(TheCharacter->maxHp[0], 0);
}

// Faces the person or thing at (x, y) from the cell beside it and talks;
// the message's text once it waits for the confirm button.
std::u16string TalkTo(e2e::InProcessGame& game, int x, int y, int direction)
{
    constexpr int kFrom[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}}; // up, left, down, right
    TheMapCharacter->PlacePlayer(x + kFrom[direction][0], y + kFrom[direction][1], direction, 0);
    TheMap->CentreViewOnCell(x, y);
    TheMap->UpdateScrollCells();
    game.Frames(2);
    game.Press(e2e::kKeyConfirm);
    EXPECT_GT(game.FramesUntil([] { return MapSceneState == MAP_SCENE_EVENT && TheEvent->phase == 1; }, 300), 0);
    return TheEvent->MessageText;
}

// The sign and the gatekeeper name what the chest gives; the traveller names
// the places the field menu's transfer list then offers.
TEST_F(FirstMapInProcess, TheSignTheGatekeeperAndTheTravellerTellTheTruth)
{
    ASSERT_TRUE(game.ConfirmMessages());

    TalkTo(game, 14, 3, DIRECTION_RIGHT); // the chest
    const std::u16string got = TheEvent->ItemMessage;
    const std::u16string item = got.substr(0, got.find(u'を'));
    ASSERT_FALSE(item.empty());
    ASSERT_TRUE(game.ConfirmMessages());

    EXPECT_NE(TalkTo(game, 7, 2, DIRECTION_LEFT).find(u"宝箱の" + item), std::u16string::npos) << "the sign";
    ASSERT_TRUE(game.ConfirmMessages());
    EXPECT_EQ(TalkTo(game, 4, 7, DIRECTION_LEFT).find(item), 0u) << "the gatekeeper asks for it";
    ASSERT_TRUE(game.ConfirmMessages());

    const int known = TheGameData->ownedKeyCount;
    const std::u16string told = TalkTo(game, 10, 1, DIRECTION_UP);
    ASSERT_TRUE(game.ConfirmMessages());
    ASSERT_EQ(TheGameData->ownedKeyCount, known + 2) << "the traveller's two places";
    for (int entry = known; entry < TheGameData->ownedKeyCount; ++entry) {
        const unsigned char* row = WarpPointTable + TheGameData->ownedKeyList[entry] * WARP_POINT_ROW_SIZE;
        const std::u16string place = PlaceNameTable[row[2] | row[3] << 8];
        EXPECT_NE(told.find(place), std::u16string::npos) << "the transfer list's entry " << entry;
    }
}

} // namespace
