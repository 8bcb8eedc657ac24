// Messages: text macros, the typing wipe and its speeds, the page marker,
// the hand-over to a following choice, and the texts of item commands.
#include "EventFixture.h"
#include "field/event/TextMacro.h"

namespace fieldtest {
namespace {

using eventscript::Record;
using eventscript::Script;

using EventMessageTest = EventTest;

std::u16string Expand(const std::u16string& text)
{
    char16_t out[256];
    const int length = FillMessageText(text, out);
    return std::u16string(out, static_cast<std::size_t>(length));
}

TEST_F(EventMessageTest, MacrosExpandToNamesAndDropOneCharacter)
{
    struct MacroCase {
        std::u16string text;
        std::u16string expanded;
    };
    const MacroCase cases[] = {
        {u"$c0 です", u"ピプコです"},
        {u"<$c3 >", u"<"},     // out of range ends the text before the escape
        {u"$$!x", u"$x"},      // one "$", the next character dropped
        {u"$i 草", u"薬草草"}, // no digits: item 0, the space dropped
        {u"$i1.", u"回復薬"},
        {u"$i69.", u"道具69"},
        {u"$i70.", u""},
        {u"$m0 へ", u"ピプコンの村へ"},
        {u"$m34 ", u""},
        {u"$ws2 $wa0 $ww34 ", u"剣2弓0杖34"},
        {u"$pa1 $pc33 $pr0 ", u"鎧1服33衣0"},
        {u"$a82 ", u"指輪82"},
        {u"$a83 ", u""},
        {u"$px0 ", u""},           // unknown second letter
        {u"$z0 ", u""},            // unknown letter
        {u"$i999999999999 ", u""}, // twelve digits saturate, out of range
        {u"$c1", u"ピプオ"},       // the text ends where the dropped character would be
        {u"ab$", u"ab"},           // a lone "$" at the end
        {u"$$", u"$"},
    };
    for (const MacroCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(Expand(c.text), c.expanded);
    }
    int value = 0;
    EXPECT_EQ(ParseMacroNumber(u"999999999999x", 0, value), 12);
    EXPECT_EQ(value, 2147483647);
    EXPECT_EQ(ParseMacroNumber(u"x", 0, value), 0);
    EXPECT_EQ(value, 0);
}

TEST_F(EventMessageTest, ExpandedTextsStopAt255Characters)
{
    EXPECT_EQ(Expand(std::u16string(300, u'a')).size(), 255u);
    // A name that would reach 255 ends the text before the name.
    EXPECT_EQ(Expand(std::u16string(252, u'a') + u"$c0 b"), std::u16string(252, u'a'));
    EXPECT_EQ(Expand(std::u16string(251, u'a') + u"$c0 b"), std::u16string(251, u'a') + u"ピプコb");
}

TEST_F(EventMessageTest, TheWipeTypesAtTheOptionsSpeedThenWaitsForConfirm)
{
    struct SpeedCase {
        int option;
        int typingFrames; // frames until the waiting phase
    };
    // "abcd": 64 pixels of text and the 128 of the soft edge.
    const SpeedCase cases[] = {{0, 2}, {1, 1 + 192 / 12 + 1}, {2, 1 + 192 / 6 + 1}, {7, 1 + 192 / 6 + 1}};
    for (const SpeedCase& c : cases) {
        SCOPED_TRACE(c.option);
        TheGameData->textSpeed = static_cast<std::uint8_t>(c.option);
        Run(Script().Message(u"abcd").SetFlag(1, 1).End());
        EXPECT_EQ(event().revealTotal, 64 + 128);
        int frames = 1;
        while (event().phase == 0 && frames < 100) {
            Frames(1);
            ++frames;
        }
        EXPECT_EQ(frames, c.typingFrames);
        // The confirm button ends the message with its sound; the script goes on.
        Frames(3);
        EXPECT_TRUE(event().IsEventRunning());
        Confirm();
        EXPECT_FALSE(event().IsEventRunning());
        EXPECT_EQ(TheGameData->GetGameFlag(1), 1);
        TheGameData->SetGameFlag(1, 0);
    }
}

TEST_F(EventMessageTest, ConfirmDoesNothingWhileTypingAndSkipCompletesTheWipe)
{
    Run(Script().Message(u"abcdefgh").End());
    EXPECT_EQ(event().revealCounter, 0);
    Confirm();
    EXPECT_EQ(event().phase, 0);
    EXPECT_EQ(event().revealCounter, 12);
    keys.heldButtons = 1 << 3;
    Frames(1);
    EXPECT_EQ(event().revealCounter, event().revealTotal);
    EXPECT_EQ(event().phase, 1);
    keys.heldButtons = 0;
}

TEST_F(EventMessageTest, TheMarkerFollowsTheTextOrStartsTheNextLine)
{
    struct MarkerCase {
        int characters;
        float x, y;
    };
    // 16 pixels a character; a line holds 33, and the 34th wraps.
    const MarkerCase cases[] = {
        {3, 56 + 48 + 6, 351}, {31, 56 + 496 + 6, 351}, {32, 56, 351 + 32}, {34, 56 + 16 + 6, 383}};
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.characters);
        Run(Script().Message(std::u16string(static_cast<std::size_t>(c.characters), u'x')).End());
        EXPECT_FLOAT_EQ(event().markerX, c.x);
        EXPECT_FLOAT_EQ(event().markerY, c.y);
    }
}

TEST_F(EventMessageTest, AMessageBeforeAChoiceHandsOverWithoutWaiting)
{
    struct HandOverCase {
        Script script;
        int handOver;
    };
    const HandOverCase cases[] = {
        {Script().Message(u"a").Choice({1}, u"y\nn").End(), 1},
        {Script().Message(u"a").Shop({{0, 1, 5}}).End(), 1},
        {Script().Message(u"a").Raw(OP_FLOOR_CHOICE, {0}).End(), 1},
        {Script().Message(u"a").Message(u"b").End(), 0},
        {Script().Message(u"a"), 0}, // nothing follows: no look-ahead
    };
    for (const HandOverCase& c : cases) {
        SCOPED_TRACE(Listing(c.script));
        Run(c.script);
        EXPECT_EQ(event().handOver, c.handOver);
        // Typed out, the message steps on by itself only when handing over.
        Frames(40);
        EXPECT_EQ(event().IsEventRunning() && event().Opcode == OP_MESSAGE, c.handOver == 0);
    }
}

TEST_F(EventMessageTest, ColouredMessagesKeepTheirColourAndOthersAreWhite)
{
    Run(Script().MessageColour(0xFFFF8000u, u"赤").Message(u"白").End());
    event().DrawEvent();
    ASSERT_FALSE(text.drawn.empty());
    EXPECT_EQ(text.drawn.back().colour, 0xFFFF8000u);
    EXPECT_EQ(text.drawn.back().text, u"赤");
    RunToEnd(200);
    Run(Script().Message(u"白").End());
    event().DrawEvent();
    EXPECT_EQ(text.drawn.back().colour, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(text.drawn.back().x, 56.0f);
    EXPECT_FLOAT_EQ(text.drawn.back().y, 350.0f);
}

TEST_F(EventMessageTest, AFailedMeasureIsReportedAndThrown)
{
    ASSERT_TRUE(EnterWith({Scripted(Script().Message(u"a").End())}));
    text.failMeasure = true;
    EXPECT_ANY_THROW(event().StartEvent(event().Record(0), true));
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0], (fakes::ErrorReport{"Event", 2906, 10}));
}

TEST_F(EventMessageTest, AFailedDrawIsReportedWithTheLineOfThePieceAndEndsThatDraw)
{
    struct Case {
        const char* what;
        Script script;
        std::u16string failing;
        int line;
        int drawnBefore; // texts drawn before the failing one (the shop's menu rows)
    };
    const Case cases[] = {
        {"a message", Script().Message(u"やあ").End(), u"やあ", 4943, 0},
        {"the choice's rows", Script().Message(u"どうする").Choice({5}, u"はい\nいいえ").Label(5).End(),
         u"はい\nいいえ", 4969, 0},
        {"the message kept under a choice", Script().Message(u"どうする").Choice({5}, u"はい\nいいえ").Label(5).End(),
         u"どうする", 4984, 1},
        {"the message kept under a shop", Script().Message(u"いらっしゃい").Shop({{0, 1, 10}}).End(), u"いらっしゃい",
         5005, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Run(c.script);
        RunToEndOfTyping();
        error.reports.clear();
        text.drawn.clear();
        text.failDrawOf = c.failing;
        event().DrawEvent();
        text.failDrawOf.clear();
        ASSERT_EQ(error.reports.size(), 1u);
        EXPECT_EQ(error.reports[0], (fakes::ErrorReport{"Event", c.line, 10}));
        EXPECT_EQ(text.drawn.size(), static_cast<std::size_t>(c.drawnBefore)) << "nothing is drawn after the failure";
        event().EndEvent(true);
    }
}

} // namespace
} // namespace fieldtest
