// Malformed event data met while playing: every row is refused where it is
// met, the event ends cleanly and the field walks on.
#include "EventAreaRunner.h"
#include "EventFixture.h"

namespace fieldtest {
namespace {

using eventscript::EventArea;
using eventscript::Point;
using eventscript::Record;
using eventscript::Script;

struct MalformedCase {
    const char* name;
    std::vector<std::uint8_t> area;
    int recordCount;
    bool entered;
};

Record Plain(const Script& script, int picture = 5)
{
    return Record{3, 3, 0, 0, 0, picture, 1, false, script.Code()};
}

// A record whose size field is overwritten.
std::vector<std::uint8_t> WithSize(std::uint32_t size)
{
    auto area = EventArea({Plain(Script().End())});
    for (int i = 0; i < 4; ++i)
        area[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    return area;
}

std::vector<MalformedCase> Cases()
{
    std::vector<MalformedCase> cases = {
        {"battle of 9 enemies", EventArea({Plain(Script().Raw(OP_BATTLE, {9, 0, 0, 0, 0, 0}).End())}), 1, true},
        {"shop of 13 rows", EventArea({Plain(Script().Raw(OP_SHOP, {13}).End())}), 1, true},
        {"choice of 0 rows", EventArea({Plain(Script().RawText(OP_CHOICE, {0}, u"a").End())}), 1, true},
        {"text without a terminator", EventArea({Plain(Script().Raw(OP_MESSAGE, {0x00620061, 0x00640063}))}), 1, true},
        {"opcode -1", EventArea({Plain(Script().Raw(-1).SetFlag(1, 1).End())}), 1, true},
        {"opcode 53", EventArea({Plain(Script().Raw(53).SetFlag(1, 1).End())}), 1, true},
        {"words past the end", EventArea({Plain(Script().Raw(OP_BATTLE, {8, 0, 0, 0, 0, 0, 1, 2}))}), 1, true},
        {"no ending command", EventArea({Plain(Script().SetFlag(1, 1).Wait(1))}), 1, true},
        {"jump to a missing label", EventArea({Plain(Script().Goto(77))}), 1, true},
        {"waitless loop", EventArea({Plain(Script().Label(1).SetFlag(-1, 1).Goto(1))}), 1, true},
        {"call loop", EventArea({Plain(Script().CallEvent(3, 3, 0))}), 1, true},
        {"picture 127", EventArea({Plain(Script().SetPicture(127).Message(u"x").End(), 127)}), 1, true},
        {"off-map record", EventArea({Record{-4, 900, 0, 0, 0, 5, 1, false, Script().End().Code()}}), 1, true},
        {"no records but a count", EventArea({}), 3, false},
        {"size below the head", WithSize(20), 1, false},
        {"size not whole words", WithSize(30), 1, false},
        {"size past the area", WithSize(4000), 1, false},
        {"symbol at a huge cell", EventArea({Plain(Script().SpawnSymbol(809906312, -7, 2147483647, 10, 0).End())}), 1,
         true},
        {"music faded over the longest wait", EventArea({Plain(Script().ChangeBgm(0x7FFFFFFF, 0x7FFFFFFF).End())}), 1,
         true},
        {"point list past the area", EventArea({Plain(Script().End())}, {{1, 1}, {2, 2}}), 1, true},
    };
    auto cut = EventArea({Plain(Script().End())}, {{1, 1}, {2, 2}});
    cut.resize(cut.size() - 4);
    cases.push_back({"point list cut short", cut, 1, false});
    auto noCount = EventArea({Plain(Script().End())});
    noCount.resize(noCount.size() - 2);
    cases.push_back({"point count cut short", noCount, 1, false});
    return cases;
}

TEST(EventMalformedTest, EveryRowEndsCleanly)
{
    for (const MalformedCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const auto input = eventfuzz::EventAreaInput(c.area, c.recordCount);
        const eventfuzz::RunReport report = eventfuzz::RunEventAreaBytes(input.data(), input.size());
        EXPECT_EQ(report.entered, c.entered);
        if (c.entered) {
            EXPECT_EQ(report.recordsStarted, c.recordCount);
        }
        // Every run ends with the field walking and no event left running.
        EXPECT_EQ(MapSceneState, MAP_SCENE_WALK);
    }
}

using EventMalformedFieldTest = EventTest;

TEST_F(EventMalformedFieldTest, ARefusedAreaLeavesTheCurrentMapAndItsEvents)
{
    ASSERT_TRUE(EnterWith({Plain(Script().SetFlag(1, 1).End())}));
    EXPECT_FALSE(Enter(MapBlobBuilder(24, 18, 7).Events(WithSize(4000), 1), 5, 5));
    EXPECT_EQ(map().GetMapNumber(), 0);
    ASSERT_EQ(event().RecordCount(), 1);
    event().StartTouchEvents(3, 3);
    EXPECT_EQ(TheGameData->GetGameFlag(1), 1);
}

TEST_F(EventMalformedFieldTest, OffMapRecordsStandOnNoCell)
{
    ASSERT_TRUE(EnterWith({Record{-1, 3, 0, 0, 0, 5, 1, false, Script().SetFlag(1, 1).End().Code()},
                           Record{24, 3, 0, 0, 0, 5, 1, false, Script().SetFlag(1, 2).End().Code()}}));
    for (int x = 0; x < 24; ++x)
        for (int y = 0; y < 18; ++y)
            ASSERT_TRUE(event().IsEventCellFree(x, y));
    event().StartTouchEvents(-1, 3);
    event().StartTouchEvents(24, 3);
    EXPECT_EQ(event().FindEventRecordAt(-1, 3, 0), nullptr);
    EXPECT_EQ(TheGameData->GetGameFlag(1) + TheGameData->GetGameFlag(2), 0);
}

TEST_F(EventMalformedFieldTest, CellCountsStopAt255)
{
    std::vector<Record> pile(300, Record{2, 2, 0, 0, 0, 5, 0, false, {}});
    ASSERT_TRUE(EnterWith(pile));
    EXPECT_EQ(event().CellGrid[2 * 18 + 2], 255);
}

TEST_F(EventMalformedFieldTest, AWaitlessLoopLeavesTheGameResponsive)
{
    Run(Script().Label(1).SetFlag(-1, 3).Goto(1));
    EXPECT_TRUE(event().IsEventRunning());
    // The rest of the frame is the game's: drawing, then the next frame.
    event().DrawEvent();
    Frames(2);
    EXPECT_TRUE(event().IsEventRunning());
}

} // namespace
} // namespace fieldtest
