// Decoding one command: lengths by the count rules, texts and their
// padding, and the faults that end an event instead of reading on.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "EventAssembler.h"
#include "field/event/EventScript.h"

namespace {

using eventscript::Script;

struct DecodeCase {
    const char* name;
    Script script;
    int opcode;
    int length;
    int textOffset;
    int textLength;
    DecodeFault fault;
};

TEST(EventDecodeTest, LengthsFollowTheCountRules)
{
    const DecodeCase cases[] = {
        {"3-character message", Script().Message(u"abc"), OP_MESSAGE, 6, 2, 3, DecodeFault::None},
        {"4-character message rounds up", Script().Message(u"abcd"), OP_MESSAGE, 8, 2, 4, DecodeFault::None},
        {"empty message", Script().Message(u""), OP_MESSAGE, 4, 2, 0, DecodeFault::None},
        {"coloured message", Script().MessageColour(0xFF00FF00u, u"ab"), OP_MESSAGE_ARG, 8, 4, 2, DecodeFault::None},
        {"shop of 2 rows", Script().Shop({{0, 1, 10}, {0, 2, 20}}), OP_SHOP, 6 * 2 + 4, 0, 0, DecodeFault::None},
        {"shop of 12 rows", Script().Shop(std::vector<Script::Goods>(12, {0, 1, 1})), OP_SHOP, 6 * 12 + 4, 0, 0,
         DecodeFault::None},
        {"battle of 3", Script().Battle(4, -1, true, -1, 0, {1, 2, 3}), OP_BATTLE, 2 * 3 + 14, 0, 0, DecodeFault::None},
        {"battle of 0", Script().Battle(4, -1, false, -1, 0, {}), OP_BATTLE, 14, 0, 0, DecodeFault::None},
        {"choice of three rows", Script().Choice({5, 6}, u"a\nb\nc"), OP_CHOICE, 14, 8, 5, DecodeFault::None},
        {"plain command", Script().SetFlag(1, 100), OP_SET_FLAG, 6, 0, 0, DecodeFault::None},
        {"end", Script().End(), OP_END, 2, 0, 0, DecodeFault::None},
        {"opcode 53 reads as the end", Script().Raw(53), OP_END, 2, 0, 0, DecodeFault::None},
        {"opcode -1 reads as the end", Script().Raw(-1), OP_END, 2, 0, 0, DecodeFault::None},
        {"battle of 9", Script().Raw(OP_BATTLE, {9, 0, 0, 0, 0, 0}), OP_BATTLE, 0, 0, 0, DecodeFault::BadCount},
        {"battle of -1", Script().Raw(OP_BATTLE, {-1, 0, 0, 0, 0, 0}), OP_BATTLE, 0, 0, 0, DecodeFault::BadCount},
        {"shop of 13", Script().Raw(OP_SHOP, {13}), OP_SHOP, 0, 0, 0, DecodeFault::BadCount},
        {"choice of 0", Script().RawText(OP_CHOICE, {0}, u"a"), OP_CHOICE, 0, 0, 0, DecodeFault::BadCount},
        {"choice of 9", Script().Raw(OP_CHOICE, {9, 0, 0, 0, 0, 0, 0, 0, 0}), OP_CHOICE, 0, 0, 0,
         DecodeFault::BadCount},
        {"words past the end", Script().Raw(OP_SET_FLAG, {1}), OP_SET_FLAG, 0, 0, 0, DecodeFault::Overrun},
        {"battle enemies past the end", Script().Raw(OP_BATTLE, {8, 0, 0, 0, 0, 0, 1}), OP_BATTLE, 0, 0, 0,
         DecodeFault::Overrun},
        {"text without a terminator", Script().Raw(OP_MESSAGE, {0x00620061}), OP_MESSAGE, 0, 0, 0,
         DecodeFault::Overrun},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto& code = c.script.Code();
        DecodedCommand command;
        ASSERT_EQ(DecodeEventCommand(code.data(), code.size(), command), c.fault) << eventscript::Disassemble(code);
        EXPECT_EQ(command.opcode, c.opcode);
        if (c.fault != DecodeFault::None)
            continue;
        EXPECT_EQ(command.length, c.length);
        EXPECT_EQ(command.textOffset, c.textOffset);
        EXPECT_EQ(command.textLength, c.textLength);
        // The assembler wrote exactly one command of that length.
        EXPECT_EQ(code.size(), static_cast<std::size_t>(2 * c.length));
    }
}

// The argument words of every opcode, written out from the command list by
// hand rather than read from the interpreter's table; -1 where word 0 or a
// text decides the count.
constexpr int kWordsByOpcode[EVENT_OPCODE_COUNT] = {
    -1, -1, 0, 4,  3,  -1, 2, 4, 1, 0,  // 0-9
    1,  1,  1, 2,  1,  -1, 2, 4, 1, 1,  // 10-19
    -1, 1,  2, 1,  1,  8,  2, 0, 1, 1,  // 20-29
    5,  10, 6, 12, 10, 4,  2, 0, 3, 4,  // 30-39
    6,  1,  3, 3,  0,  1,  3, 4, 1, 11, // 40-49
    15, 1,  2,                          // 50-52
};

std::vector<unsigned char> RawCommand(int opcode, const std::vector<std::int32_t>& words)
{
    std::vector<unsigned char> bytes;
    const auto put = [&bytes](std::int32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> shift & 0xFF));
    };
    put(opcode);
    for (std::int32_t word : words)
        put(word);
    return bytes;
}

TEST(EventDecodeTest, EveryCommandIsAsLongAsItsArgumentWords)
{
    for (int opcode = 0; opcode < EVENT_OPCODE_COUNT; ++opcode) {
        SCOPED_TRACE(opcode);
        int words = kWordsByOpcode[opcode];
        int length = 2 * words + 2;
        if (opcode == OP_BATTLE) { // two enemies
            words = 2 + 6;
            length = 2 * 2 + 14;
        } else if (opcode == OP_SHOP) { // two goods rows
            words = 3 * 2 + 1;
            length = 6 * 2 + 4;
        } else if (words < 0) {
            continue; // the texts' commands: LengthsFollowTheCountRules
        }
        std::vector<std::int32_t> args(static_cast<std::size_t>(words), 0);
        if (!args.empty())
            args[0] = 2;
        // Exactly the command's bytes: a longer count would run past them, a shorter one stop early.
        const std::vector<unsigned char> bytes = RawCommand(opcode, args);
        DecodedCommand command;
        ASSERT_EQ(DecodeEventCommand(bytes.data(), bytes.size(), command), DecodeFault::None);
        EXPECT_EQ(command.opcode, opcode);
        EXPECT_EQ(command.wordCount, words);
        EXPECT_EQ(command.length, length);
    }
}

TEST(EventDecodeTest, ArgumentWordsAreCopiedAndTheRestZeroed)
{
    const Script script = Script().Battle(4, 7, true, 8, 3, {10, 11});
    DecodedCommand command;
    ASSERT_EQ(DecodeEventCommand(script.Code().data(), script.Code().size(), command), DecodeFault::None);
    const std::int32_t expected[] = {2, 4, 7, 1, 8, 3, 10, 11};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(command.args[k], expected[k]) << k;
    for (int k = 8; k < EVENT_ARG_COUNT; ++k)
        EXPECT_EQ(command.args[k], 0) << k;
}

TEST(EventDecodeTest, AScriptStepsFromCommandToCommandToItsEnd)
{
    Script script;
    script.Message(u"こんにちは")
        .Choice({1}, u"はい\nいいえ")
        .Label(1)
        .Shop({{0, 3, 50}})
        .Battle(2, -1, 0, -1, 0, {5})
        .MessageColour(0xFFFF0000u, u"x")
        .End();
    const auto& code = script.Code();
    const int expected[] = {OP_MESSAGE, OP_CHOICE, OP_LABEL, OP_SHOP, OP_BATTLE, OP_MESSAGE_ARG, OP_END};
    std::size_t at = 0;
    for (int opcode : expected) {
        DecodedCommand command;
        ASSERT_EQ(DecodeEventCommand(code.data() + at, code.size() - at, command), DecodeFault::None)
            << eventscript::Disassemble(code);
        EXPECT_EQ(command.opcode, opcode);
        EXPECT_EQ(at % 4, 0u) << "commands start on whole words";
        at += 2 * static_cast<std::size_t>(command.length);
    }
    EXPECT_EQ(at, code.size());
}

} // namespace
