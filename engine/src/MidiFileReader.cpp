#include "MidiFileReader.h"

#include "MidiByteCursor.h"
#include "MidiResetMessages.h"

namespace midi {
namespace {

constexpr std::uint32_t kAnyLength = 0xFFFFFFFF;

// The data length each accepted meta type must have; false for a type that is not accepted.
bool RequiredMetaLength(std::uint8_t type, std::uint32_t& length)
{
    if ((type >= 0x01 && type <= 0x09) || type == 0x7F)
        length = kAnyLength;
    else if (type == 0x00 || type == 0x59)
        length = 2;
    else if (type == 0x20 || type == 0x21)
        length = 1;
    else if (type == kMetaEndOfTrack)
        length = 0;
    else if (type == kMetaTempo)
        length = 3;
    else if (type == 0x54)
        length = 5;
    else if (type == 0x58)
        length = 4;
    else
        return false;
    return true;
}

// A reset in the file: with replace-resets the engine sends its own pair and
// skips this one; otherwise the file's resets go out as they come.
void MarkResetSysEx(const TuneSettings& tune, EventList& list, MidiEvent& event)
{
    if (tune.replaceResets) {
        list.sendResets = true;
        event.data1 = 1;
    } else {
        list.sendResets = false;
    }
}

class TrackParser {
public:
    TrackParser(std::span<const std::uint8_t> track, const TuneSettings& tune, EventList& list)
        : cursor_(track), tune_(tune), list_(list)
    {
    }

    // The track's first event, or null when the track is refused.
    MidiEvent* Parse()
    {
        MidiEvent* head = list_.NewEvent();
        MidiEvent* event = head;
        for (;;) {
            if (!ReadEvent(*event))
                return nullptr;
            if (event->IsEndOfTrack())
                return head;
            MidiEvent* next = list_.NewEvent();
            event->next = next;
            if (event->IsController(kLoopController)) {
                list_.loopStart = next;
                list_.noLoopPoint = false;
            }
            previous_ = event;
            event = next;
        }
    }

private:
    bool ReadEvent(MidiEvent& event)
    {
        std::uint8_t status = 0;
        if (!cursor_.ReadVarLen(event.delta) || !cursor_.ReadByte(status))
            return false;
        if ((status & 0x80) == 0) {
            // Running status: the last channel status of this track carries on.
            if (runningStatus_ == 0)
                return false;
            status = runningStatus_;
            cursor_.StepBack();
        }
        event.status = status;
        if (status == 0xF0)
            return ReadSysEx(event);
        if (status == 0xFF)
            return ReadMeta(event);
        if (status > 0xF0)
            return false;
        runningStatus_ = status;
        return ReadChannelMessage(event);
    }

    bool ReadChannelMessage(MidiEvent& event)
    {
        const std::uint8_t kind = event.status & 0xF0;
        if (!cursor_.ReadByte(event.data1))
            return false;
        if (kind == 0xC0 || kind == 0xD0)
            return true;
        if (!cursor_.ReadByte(event.data2))
            return false;
        // Mono mode on (controller 126) right after omni off (124) on channel 2
        // carries one byte more in the tunes this reader was made for.
        if (event.status == 0xB1 && event.data1 == 0x7E && event.data2 == 0 && previous_ != nullptr &&
            previous_->status == 0xB1 && previous_->data1 == 0x7C && previous_->data2 == 0) {
            if (!cursor_.ReadByte(event.extra))
                return false;
        }
        if (event.IsNoteOn() && list_.firstNote == nullptr)
            list_.firstNote = &event;
        return true;
    }

    bool ReadSysEx(MidiEvent& event)
    {
        std::uint32_t length = 0;
        std::span<const std::uint8_t> body;
        if (!cursor_.ReadVarLen(length) || !cursor_.Take(length, body))
            return false;
        std::vector<std::uint8_t> message;
        message.reserve(body.size() + 1);
        message.push_back(0xF0);
        message.insert(message.end(), body.begin(), body.end());
        event.length = static_cast<std::uint32_t>(message.size());
        if (IsResetSysEx(message))
            MarkResetSysEx(tune_, list_, event);
        event.data = list_.Keep(std::move(message));
        return true;
    }

    bool ReadMeta(MidiEvent& event)
    {
        std::uint32_t required = 0;
        std::span<const std::uint8_t> body;
        if (!cursor_.ReadByte(event.data1) || !RequiredMetaLength(event.data1, required) ||
            !cursor_.ReadVarLen(event.length))
            return false;
        if (required != kAnyLength && event.length != required)
            return false;
        if (!cursor_.Take(event.length, body))
            return false;
        if (event.data1 == kMetaTempo)
            event.data = list_.Keep(std::vector<std::uint8_t>(body.begin(), body.end()));
        return true;
    }

    ByteCursor cursor_;
    const TuneSettings& tune_;
    EventList& list_;
    const MidiEvent* previous_ = nullptr;
    std::uint8_t runningStatus_ = 0;
};

// One "MTrk" chunk, read only within its stated length.
MidiEvent* ReadTrack(ByteCursor& file, const TuneSettings& tune, EventList& list)
{
    std::uint32_t length = 0;
    std::span<const std::uint8_t> body;
    if (!file.ReadTag("MTrk") || !file.ReadBigEndian32(length) || length == 0 || !file.Take(length, body))
        return nullptr;
    return TrackParser(body, tune, list).Parse();
}

bool ReadHeader(ByteCursor& file, EventList& list)
{
    std::uint32_t length = 0;
    return file.ReadTag("MThd") && file.ReadBigEndian32(length) && length == 6 && file.ReadBigEndian16(list.format) &&
           file.ReadBigEndian16(list.trackCount) && file.ReadBigEndian16(list.division) && list.trackCount != 0 &&
           list.division != 0;
}

} // namespace

bool ReadMidiFile(std::span<const std::uint8_t> bytes, const TuneSettings& tune, EventList& list)
{
    list = EventList{};
    // An end marker of 0 would cut every event away.
    if (tune.endMarker == 0)
        return false;
    ByteCursor file(bytes);
    if (!ReadHeader(file, list))
        return false;
    std::vector<MidiEvent*> tracks;
    for (int i = 0; i < list.trackCount; ++i) {
        MidiEvent* track = ReadTrack(file, tune, list);
        if (track == nullptr)
            return false;
        tracks.push_back(track);
    }
    const bool anyMarker = tune.HasStartMarker() || tune.HasLoopMarker() || tune.HasEndMarker();
    list.first = (tracks.size() > 1 || anyMarker) ? MergeTracks(tracks, tune, list) : tracks.front();
    if (list.first == nullptr)
        return false;
    if (list.loopStart == nullptr)
        list.loopStart = list.first;
    return true;
}

MidiEvent* MergeTracks(const std::vector<MidiEvent*>& tracks, const TuneSettings& tune, EventList& list)
{
    list.loopStart = nullptr;
    list.firstNote = nullptr;
    list.noLoopPoint = true;
    std::vector<MidiEvent*> current = tracks;
    std::vector<std::uint32_t> trackTime(tracks.size(), 0);
    std::uint32_t lastTime = 0;
    MidiEvent* head = nullptr;
    MidiEvent* tail = nullptr;
    for (std::int64_t index = 0;; ++index) {
        if (tune.HasEndMarker() && index == tune.endMarker)
            break;
        int chosen = -1;
        std::uint32_t chosenTime = 0;
        for (std::size_t t = 0; t < current.size(); ++t) {
            if (current[t] == nullptr || current[t]->IsEndOfTrack())
                continue;
            const std::uint32_t due = trackTime[t] + current[t]->delta;
            if (chosen < 0 || due < chosenTime) {
                chosen = static_cast<int>(t);
                chosenTime = due;
            }
        }
        if (chosen < 0)
            break;
        MidiEvent* event = current[chosen];
        current[chosen] = event->next;

        if (tail != nullptr && tail->IsController(kLoopController) && !tune.HasLoopMarker()) {
            list.loopStart = event;
            list.noLoopPoint = false;
        }
        if (tune.HasLoopMarker() && list.loopStart == nullptr && index == tune.loopMarker) {
            list.loopStart = event;
            list.noLoopPoint = false;
        }
        if (list.firstNote == nullptr) {
            if (tune.HasStartMarker() ? index == tune.startMarker : event->IsNoteOn())
                list.firstNote = event;
        }
        trackTime[chosen] += event->delta;
        event->delta = trackTime[chosen] - lastTime;
        lastTime = trackTime[chosen];

        if (tail == nullptr)
            head = event;
        else
            tail->next = event;
        tail = event;
    }
    if (tail != nullptr)
        tail->next = nullptr;
    return head;
}

} // namespace midi
