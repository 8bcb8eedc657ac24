#include <gtest/gtest.h>

#include "WavEntry.h"
#include "WavFixture.h"

using namespace wavfixture;

namespace {

TEST(WavEntry, ReadsTheFormatAndFindsTheDataInsideTheEntry)
{
    const Bytes pcm = Pcm16({1, -2, 3, -4});
    const Bytes odd{1, 2, 3};
    struct Case {
        const char* name;
        Bytes file;
        bool accepted;
        Bytes data; // expected data chunk when accepted
    };
    const Case cases[] = {
        {"format chunk of 16", Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("data", pcm)}), true, pcm},
        {"format chunk of 18", Riff({Chunk("fmt ", Format(2, 22050, 16, 18)), Chunk("data", pcm)}), true, pcm},
        {"format chunk of 40 refused", Riff({Chunk("fmt ", Format(2, 22050, 16, 40)), Chunk("data", pcm)}), false, {}},
        {"format chunk of 14 refused", Riff({Chunk("fmt ", Format(2, 22050, 16, 14)), Chunk("data", pcm)}), false, {}},
        {"LIST before data",
         Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("LIST", Bytes(26, 'x')), Chunk("data", pcm)}), true, pcm},
        {"odd chunk padded", Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("note", odd), Chunk("data", pcm)}), true,
         pcm},
        {"odd data of 8-bit mono", Riff({Chunk("fmt ", Format(1, 8000, 8)), Chunk("data", odd)}), true, odd},
        {"no data chunk", Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("LIST", Bytes(8, 'x'))}), false, {}},
        {"data longer than the entry",
         Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("data", pcm, 1000)}),
         false,
         {}},
        {"chunk before data runs past the entry",
         Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("LIST", Bytes(4, 'x'), 0xFFFFFFF0), Chunk("data", pcm)}),
         false,
         {}},
        {"empty data", Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("data", {})}), false, {}},
        {"float samples refused", Riff({Chunk("fmt ", Format(2, 22050, 32, 16, 3)), Chunk("data", pcm)}), false, {}},
        {"24-bit refused", Riff({Chunk("fmt ", Format(2, 22050, 24)), Chunk("data", pcm)}), false, {}},
        {"six channels refused", Riff({Chunk("fmt ", Format(6, 22050, 16)), Chunk("data", pcm)}), false, {}},
        {"too short for a format", Bytes{'R', 'I', 'F', 'F', 0, 0}, false, {}},
    };
    for (const Case& c : cases) {
        const auto wav = engine::ReadWavEntry(c.file.data(), c.file.size());
        ASSERT_EQ(wav.has_value(), c.accepted) << c.name;
        if (!wav)
            continue;
        EXPECT_EQ(Bytes(c.file.begin() + static_cast<long>(wav->dataOffset),
                        c.file.begin() + static_cast<long>(wav->dataOffset + wav->dataBytes)),
                  c.data)
            << c.name;
    }
    const Bytes file = Riff({Chunk("fmt ", Format(2, 22050, 16)), Chunk("data", pcm)});
    const auto wav = engine::ReadWavEntry(file.data(), file.size());
    EXPECT_EQ(wav->format.channels, 2);
    EXPECT_EQ(wav->format.sampleRate, 22050);
    EXPECT_EQ(wav->format.bitsPerSample, 16);
    // The entry ends where the pack says, even when more bytes follow in memory.
    EXPECT_FALSE(engine::ReadWavEntry(file.data(), file.size() - 1).has_value());
}

} // namespace
