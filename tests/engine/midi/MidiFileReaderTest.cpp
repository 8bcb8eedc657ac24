#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MidiFileReader.h"
#include "SmfBuilder.h"

namespace {

using midi::EventList;
using midi::MidiEvent;
using midi::TuneSettings;

const smf::Bytes kGsReset = {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7};
const smf::Bytes kNotAReset = {0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x01, 0xF7};

// "delta:status:data1:data2" per event, in list order.
std::vector<std::string> Describe(const MidiEvent* event)
{
    std::vector<std::string> out;
    char text[32];
    for (; event != nullptr; event = event->next) {
        std::snprintf(text, sizeof text, "%u:%02X:%02X:%02X", event->delta, event->status, event->data1, event->data2);
        out.push_back(text);
    }
    return out;
}

int IndexOf(const MidiEvent* first, const MidiEvent* wanted)
{
    int index = 0;
    for (const MidiEvent* e = first; e != nullptr; e = e->next, ++index)
        if (e == wanted)
            return index;
    return -1;
}

struct Accepted {
    const char* name;
    smf::Bytes file;
    TuneSettings tune;
    std::vector<std::string> events;
};

void PrintTo(const Accepted& c, std::ostream* out)
{
    *out << c.name;
}

TuneSettings WithMarkers(int start, int loop, int end)
{
    TuneSettings tune;
    tune.startMarker = start;
    tune.loopMarker = loop;
    tune.endMarker = end;
    return tune;
}

class AcceptedFile : public testing::TestWithParam<Accepted> {};

TEST_P(AcceptedFile, ReadsIntoTheExpectedEventList)
{
    EventList list;
    ASSERT_TRUE(midi::ReadMidiFile(GetParam().file, GetParam().tune, list));
    EXPECT_EQ(Describe(list.first), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AcceptedFile,
    testing::Values(
        // One track stays as parsed, its end-of-track event last.
        Accepted{"FormatZero",
                 smf::File(0, 96, {smf::Track().Program(0, 0, 5).NoteOn(10, 0, 60).NoteOff(20, 0, 60).End(5)}),
                 {},
                 {"0:C0:05:00", "10:90:3C:64", "20:80:3C:00", "5:FF:2F:00"}},
        // Data bytes without a status byte take the last channel status,
        // also across a meta event.
        Accepted{
            "RunningStatus",
            smf::File(0, 96,
                      {smf::Track().NoteOn(0, 1, 60).Raw(4, {62, 90}).Meta(0, 0x01, {'x'}).Raw(4, {64, 80}).End()}),
            {},
            {"0:91:3C:64", "4:91:3E:5A", "0:FF:01:00", "4:91:40:50", "0:FF:2F:00"}},
        // Two tracks merge by absolute time; equal times go to the lower track;
        // end-of-track events leave the list; deltas become list deltas.
        Accepted{"FormatOneMergeOrder",
                 smf::File(1, 96,
                           {smf::Track().NoteOn(10, 0, 60).NoteOn(10, 0, 61).End(),
                            smf::Track().NoteOn(10, 1, 70).NoteOn(5, 1, 71).End()}),
                 {},
                 {"10:90:3C:64", "0:91:46:64", "5:91:47:64", "5:90:3D:64"}},
        // The end marker cuts the merged list before that event.
        Accepted{"EndMarker",
                 smf::File(0, 96, {smf::Track().NoteOn(0, 0, 60).NoteOn(1, 0, 61).NoteOn(1, 0, 62).End()}),
                 WithMarkers(-1, -1, 2),
                 {"0:90:3C:64", "1:90:3D:64"}},
        // Every accepted meta type with its required length.
        Accepted{"MetaLengths",
                 smf::File(0, 96,
                           {smf::Track()
                                .Meta(0, 0x00, {0, 1})
                                .Meta(0, 0x03, {'a', 'b', 'c'})
                                .Meta(0, 0x7F, {})
                                .Meta(0, 0x20, {0})
                                .Meta(0, 0x21, {0})
                                .Tempo(0, 400000)
                                .Meta(0, 0x54, {0, 0, 0, 0, 0})
                                .Meta(0, 0x58, {4, 2, 24, 8})
                                .Meta(0, 0x59, {0, 0})
                                .End()}),
                 {},
                 {"0:FF:00:00", "0:FF:03:00", "0:FF:7F:00", "0:FF:20:00", "0:FF:21:00", "0:FF:51:00", "0:FF:54:00",
                  "0:FF:58:00", "0:FF:59:00", "0:FF:2F:00"}},
        // Mono mode right after omni off on channel 2 carries one more byte.
        Accepted{"MonoAfterOmniOff",
                 smf::File(0, 96, {smf::Track().Controller(0, 1, 0x7C, 0).Raw(0, {0xB1, 0x7E, 0x00, 0x05}).End()}),
                 {},
                 {"0:B1:7C:00", "0:B1:7E:00", "0:FF:2F:00"}}),
    [](const testing::TestParamInfo<Accepted>& param) { return param.param.name; });

struct Refused {
    const char* name;
    smf::Bytes file;
    TuneSettings tune;
};

void PrintTo(const Refused& c, std::ostream* out)
{
    *out << c.name;
}

smf::Bytes TrackOnly(std::initializer_list<std::uint8_t> events)
{
    smf::Bytes body(events);
    smf::Bytes out = smf::Header(0, 1, 96);
    smf::Bytes chunk = smf::Chunk("MTrk", body);
    out.insert(out.end(), chunk.begin(), chunk.end());
    return out;
}

smf::Bytes HeaderWithLength(std::uint32_t length)
{
    // Format 0, one track, division 96, padded or cut to the stated length.
    smf::Bytes body = {0, 0, 0, 1, 0, 96};
    body.resize(length, 0);
    smf::Bytes out = smf::Chunk("MThd", body);
    smf::Bytes track = smf::Chunk("MTrk", smf::Track().End().Body());
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

smf::Bytes Truncated(smf::Bytes file, std::size_t drop)
{
    file.resize(file.size() - drop);
    return file;
}

smf::Bytes MetaWithLength(std::uint8_t type, std::size_t length)
{
    return smf::File(0, 96, {smf::Track().Meta(0, type, smf::Bytes(length, 0)).End()});
}

class RefusedFile : public testing::TestWithParam<Refused> {};

TEST_P(RefusedFile, IsRefused)
{
    EventList list;
    EXPECT_FALSE(midi::ReadMidiFile(GetParam().file, GetParam().tune, list));
}

const smf::Bytes kGoodFile = smf::File(0, 96, {smf::Track().NoteOn(0, 0, 60).NoteOff(96, 0, 60).End()});

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFile,
    testing::Values(
        Refused{"Empty", {}, {}},
        Refused{"BadHeaderName",
                [] {
                    smf::Bytes f = kGoodFile;
                    f[3] = 'x';
                    return f;
                }(),
                {}},
        Refused{"HeaderLengthSeven", HeaderWithLength(7), {}}, Refused{"HeaderLengthFive", HeaderWithLength(5), {}},
        Refused{"NoTracks", smf::Header(0, 0, 96), {}},
        Refused{"DivisionZero", smf::File(0, 0, {smf::Track().NoteOn(0, 0, 60).End()}), {}},
        Refused{"BadTrackName",
                [] {
                    smf::Bytes f = kGoodFile;
                    f[14 + 3] = 'x';
                    return f;
                }(),
                {}},
        Refused{"FewerTracksThanTheHeaderSays",
                [] {
                    smf::Bytes f = kGoodFile;
                    f[11] = 2;
                    return f;
                }(),
                {}},
        Refused{"TrackLengthZero", smf::File(0, 96, {smf::Track()}), {}},
        Refused{"StatusF1", TrackOnly({0x00, 0xF1, 0x00, 0x00, 0xFF, 0x2F, 0x00}), {}},
        Refused{"StatusF7", TrackOnly({0x00, 0xF7, 0x01, 0xF7, 0x00, 0xFF, 0x2F, 0x00}), {}},
        Refused{"StatusFE", TrackOnly({0x00, 0xFE, 0x00, 0xFF, 0x2F, 0x00}), {}},
        Refused{"FirstEventWithoutStatus", TrackOnly({0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}), {}},
        Refused{"DataAfterOnlyMetaHasNoStatus",
                TrackOnly({0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}),
                {}},
        Refused{"TruncatedFile", Truncated(kGoodFile, 2), {}},
        // The chunk's length ends before the end-of-track event: reading stops at the length.
        Refused{"TrackEndsBeforeItsEndEvent", TrackOnly({0x00, 0x90, 0x3C, 0x64, 0x10, 0x80, 0x3C, 0x00}), {}},
        Refused{"SysExLongerThanTrack", TrackOnly({0x00, 0xF0, 0x20, 0x01, 0xF7}), {}},
        Refused{"VarLenOfFiveBytes",
                TrackOnly({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}),
                {}},
        Refused{"MetaUnknownType", MetaWithLength(0x10, 0), {}}, Refused{"Meta00Length1", MetaWithLength(0x00, 1), {}},
        Refused{"Meta20Length2", MetaWithLength(0x20, 2), {}}, Refused{"Meta21Length0", MetaWithLength(0x21, 0), {}},
        Refused{"Meta2FLength1", TrackOnly({0x00, 0xFF, 0x2F, 0x01, 0x00}), {}},
        Refused{"Meta51Length2", MetaWithLength(0x51, 2), {}}, Refused{"Meta51Length4", MetaWithLength(0x51, 4), {}},
        Refused{"Meta54Length4", MetaWithLength(0x54, 4), {}}, Refused{"Meta58Length3", MetaWithLength(0x58, 3), {}},
        Refused{"Meta59Length1", MetaWithLength(0x59, 1), {}},
        Refused{"EndMarkerZero", kGoodFile, WithMarkers(-1, -1, 0)}),
    [](const testing::TestParamInfo<Refused>& param) { return param.param.name; });

TEST(MidiFileReaderTest, AFileResetIsSkippedAndReplacedOnlyWhenTheTuneAsks)
{
    const smf::Bytes file = smf::File(0, 96, {smf::Track().SysEx(0, kGsReset).NoteOn(0, 0, 60).End()});
    TuneSettings replace;
    replace.replaceResets = true;
    EventList replaced;
    ASSERT_TRUE(midi::ReadMidiFile(file, replace, replaced));
    EXPECT_TRUE(replaced.sendResets);
    EXPECT_EQ(replaced.first->data1, 1) << "the file's reset is marked to skip";
    EXPECT_EQ(std::vector<std::uint8_t>(replaced.first->data, replaced.first->data + replaced.first->length), kGsReset);

    EventList kept;
    ASSERT_TRUE(midi::ReadMidiFile(file, TuneSettings{}, kept));
    EXPECT_FALSE(kept.sendResets);
    EXPECT_EQ(kept.first->data1, 0);

    // A SysEx that is not a reset changes neither.
    EventList other;
    ASSERT_TRUE(midi::ReadMidiFile(smf::File(0, 96, {smf::Track().SysEx(0, kNotAReset).End()}), TuneSettings{}, other));
    EXPECT_TRUE(other.sendResets);
    EXPECT_EQ(other.first->data1, 0);
    EXPECT_EQ(other.first->length, kNotAReset.size());
}

struct Landmarks {
    const char* name;
    TuneSettings tune;
    int loopStart;
    int firstNote;
    bool noLoopPoint;
};

void PrintTo(const Landmarks& c, std::ostream* out)
{
    *out << c.name;
}

class ListLandmarks : public testing::TestWithParam<Landmarks> {};

// Events: 0 program, 1 controller 111, 2 note 60, 3 note 62, 4 note 64 (two tracks:
// the controller and notes are in the second).
TEST_P(ListLandmarks, LoopStartAndFirstNoteFollowTheControllerOrTheMarkers)
{
    const smf::Bytes file =
        smf::File(1, 96,
                  {smf::Track().Program(0, 0, 1).End(),
                   smf::Track().Controller(1, 0, 111, 0).NoteOn(1, 0, 60).NoteOn(1, 0, 62).NoteOn(1, 0, 64).End()});
    EventList list;
    ASSERT_TRUE(midi::ReadMidiFile(file, GetParam().tune, list));
    EXPECT_EQ(IndexOf(list.first, list.loopStart), GetParam().loopStart);
    EXPECT_EQ(IndexOf(list.first, list.firstNote), GetParam().firstNote);
    EXPECT_EQ(list.noLoopPoint, GetParam().noLoopPoint);
}

INSTANTIATE_TEST_SUITE_P(Markers, ListLandmarks,
                         testing::Values(Landmarks{"LoopController", {}, 2, 2, false},
                                         Landmarks{"StartMarker", WithMarkers(3, -1, -1), 2, 3, false},
                                         Landmarks{"LoopMarkerOverridesTheController", WithMarkers(-1, 4, -1), 4, 2,
                                                   false},
                                         Landmarks{"LoopMarkerBeyondTheEnd", WithMarkers(-1, 9, -1), 0, 2, true}),
                         [](const testing::TestParamInfo<Landmarks>& param) { return param.param.name; });

TEST(MidiFileReaderTest, OneTrackLoopsToTheEventAfterItsLoopController)
{
    EventList list;
    ASSERT_TRUE(midi::ReadMidiFile(
        smf::File(0, 96, {smf::Track().NoteOn(0, 0, 60).Controller(0, 0, 111, 0).NoteOn(5, 0, 62).End()}),
        TuneSettings{}, list));
    EXPECT_EQ(IndexOf(list.first, list.loopStart), 2);
    EXPECT_FALSE(list.noLoopPoint);

    EventList withoutLoop;
    ASSERT_TRUE(
        midi::ReadMidiFile(smf::File(0, 96, {smf::Track().NoteOn(0, 0, 60).End()}), TuneSettings{}, withoutLoop));
    EXPECT_EQ(withoutLoop.loopStart, withoutLoop.first);
    EXPECT_TRUE(withoutLoop.noLoopPoint);
}

} // namespace
