#include "MidiSequencer.h"

#include <algorithm>
#include <limits>

#include "MidiResetMessages.h"
#include "platform/Clock.h"

namespace midi {
namespace {

constexpr double kDefaultTempoMs = 500.0;
constexpr std::uint8_t kSustainController = 64;
constexpr std::uint8_t kAllSoundOffController = 120;

} // namespace

Sequencer::Sequencer(MidiSong& song, MidiOutput& output, SequencerLink& link)
    : song_(song), list_(song.events), state_(song.play), output_(output), link_(link)
{
}

void Sequencer::Play(bool fromResume)
{
    state_.tempoMs = kDefaultTempoMs;
    state_.lag = 0;
    state_.waitCarry = 0.0;
    if (!fromResume)
        state_.hasLooped = false;
    if (list_.sendResets) {
        SendLong(GmSystemOn().data(), static_cast<std::uint32_t>(GmSystemOn().size()));
        SendLong(GsReset().data(), static_cast<std::uint32_t>(GsReset().size()));
    }
    // The channel volumes go out once at the start whatever happened before,
    // so a volume set while the player was idle is never lost.
    link_.MarkVolumeChanged();

    const MidiEvent* event = nullptr;
    bool skipNextWait = false;
    if (fromResume && state_.keptPlace != nullptr) {
        event = ChaseToEvent(state_.keptPlace);
        if (event == nullptr)
            event = list_.first;
        else if (event->delta != 0)
            skipNextWait = true; // the rest of the interrupted wait is still in the song
    } else if (list_.firstNote != nullptr) {
        event = SkipToFirstNote(skipNextWait);
    } else {
        event = list_.first;
    }
    SendChannelVolumes(false, false);

    bool wrapped = false;
    std::uint64_t passMs = 0;
    for (;;) {
        if (event == nullptr) {
            // A pass that took no time, or a song with no events at all (its
            // file failed to load), waits silently until it is stopped.
            if ((wrapped && passMs == 0) || list_.loopStart == nullptr) {
                Park();
                return StopAt(list_.loopStart);
            }
            wrapped = true;
            passMs = 0;
            event = list_.loopStart;
            if (list_.noLoopPoint)
                event = SkipToFirstNote(skipNextWait);
            else
                state_.hasLooped = true;
        }
        if (event->delta != 0) {
            if (skipNextWait)
                skipNextWait = false;
            else
                state_.wait = TicksToMs(event->delta);
            passMs += state_.wait;
            const std::uint32_t paid = std::min(state_.lag, state_.wait);
            state_.lag -= paid;
            state_.wait -= paid;
            if (!WaitSlices())
                return StopAt(event);
        }
        if (!link_.KeepPlaying())
            return StopAt(event);
        SendChannelVolumes(true, false);
        SendEvent(*event);
        event = event->next;
    }
}

std::uint32_t Sequencer::TicksToMs(std::uint32_t ticks)
{
    const double exact = ticks * state_.tempoMs / list_.division + state_.waitCarry;
    // The small allowance keeps sums like 333.33 + 0.67 from falling just short of 334.
    const double whole = std::min(exact + 1e-6, static_cast<double>(std::numeric_limits<std::uint32_t>::max()));
    const auto ms = static_cast<std::uint32_t>(whole);
    state_.waitCarry = std::max(exact - ms, 0.0);
    return ms;
}

bool Sequencer::WaitSlices()
{
    while (state_.wait != 0) {
        const std::uint32_t slice = std::min(state_.wait, kWaitSliceMs);
        plat::SleepMs(slice);
        state_.wait -= slice;
        if (!link_.KeepPlaying())
            return false;
        SendChannelVolumes(false, true);
    }
    return true;
}

void Sequencer::Park()
{
    while (link_.KeepPlaying()) {
        plat::SleepMs(kWaitSliceMs);
        SendChannelVolumes(false, false);
    }
}

void Sequencer::StopAt(const MidiEvent* due)
{
    for (std::uint8_t channel = 0; channel < kChannelCount; ++channel)
        for (std::uint8_t note = 0; note < kNoteCount; ++note)
            output_.ShortMessage(PackShortMessage(0x80 | channel, note, 0));
    // Notes held by the sustain pedal or still ringing out stop too.
    for (std::uint8_t channel = 0; channel < kChannelCount; ++channel) {
        output_.ShortMessage(PackShortMessage(0xB0 | channel, kSustainController, 0));
        output_.ShortMessage(PackShortMessage(0xB0 | channel, kAllSoundOffController, 0));
    }
    state_.keptPlace = due;
}

const MidiEvent* Sequencer::SkipToFirstNote(bool& skipNextWait)
{
    const MidiEvent* event = ChaseToEvent(list_.firstNote);
    if (event == nullptr)
        return list_.first;
    state_.wait = 0;
    if (event->delta != 0)
        skipNextWait = true;
    return event;
}

const MidiEvent* Sequencer::ChaseToEvent(const MidiEvent* target)
{
    for (auto& channel : state_.notes)
        channel.fill(0);
    int pass = (song_.tune.fullChase && state_.hasLooped) ? 0 : 1;
    const MidiEvent* event = list_.first;
    for (;;) {
        if (event == nullptr) {
            if (pass == 1)
                return nullptr;
            pass = 1;
            event = list_.loopStart;
            continue;
        }
        if (pass == 1 && event == target)
            break;
        ChaseEvent(*event);
        event = event->next;
    }
    SendChannelVolumes(false, false);
    for (std::uint8_t channel = 0; channel < kChannelCount; ++channel)
        for (std::uint8_t note = 0; note < kNoteCount; ++note)
            if (state_.notes[channel][note] != 0)
                output_.ShortMessage(PackShortMessage(0x90 | channel, note, state_.notes[channel][note]));
    return target;
}

void Sequencer::ChaseEvent(const MidiEvent& event)
{
    const std::uint8_t kind = event.status & 0xF0;
    const std::uint8_t channel = event.status & 0x0F;
    if (event.IsMeta()) {
        if (event.data1 == kMetaTempo)
            SetTempo(event);
    } else if (event.IsSysEx()) {
        if (event.data1 == 0)
            SendLong(event.data, event.length);
    } else if (kind == 0x80) {
        state_.notes[channel][event.data1 & 0x7F] = 0;
    } else if (kind == 0x90) {
        state_.notes[channel][event.data1 & 0x7F] = event.data2;
    } else {
        SendChannelMessage(event);
    }
}

void Sequencer::SendEvent(const MidiEvent& event)
{
    if (event.IsSysEx()) {
        if (event.data1 == 0) {
            const std::uint32_t before = plat::NowMs();
            SendLong(event.data, event.length);
            state_.lag += plat::NowMs() - before;
        }
    } else if (event.IsMeta()) {
        if (event.data1 == kMetaTempo)
            SetTempo(event);
    } else {
        SendChannelMessage(event);
    }
}

void Sequencer::SendChannelMessage(const MidiEvent& event)
{
    if (event.IsController(kLoopController))
        return; // a loop mark, not a message
    if (event.IsController(kVolumeController))
        SendScaledVolume(event);
    else
        output_.ShortMessage(PackShortMessage(event.status, event.data1, event.data2));
}

void Sequencer::SetTempo(const MidiEvent& event)
{
    if (event.data == nullptr || event.length < 3)
        return;
    state_.tempoMs = (event.data[0] * 65536 + event.data[1] * 256 + event.data[2]) / 1000.0;
}

std::uint8_t Sequencer::ScaledVolume(std::uint8_t channelVolume)
{
    const double scaled = channelVolume * link_.Volume() * song_.tune.volumeScale;
    return static_cast<std::uint8_t>(std::clamp(scaled, 0.0, 127.0));
}

void Sequencer::SendScaledVolume(const MidiEvent& event)
{
    const std::uint8_t channel = event.status & 0x0F;
    state_.channelVolumes[channel] = event.data2;
    output_.ShortMessage(PackShortMessage(event.status, kVolumeController, ScaledVolume(event.data2)));
}

void Sequencer::SendChannelVolumes(bool addToLag, bool takeFromWait)
{
    if (takeFromWait && state_.wait == 0)
        return;
    if (!link_.TakeVolumeChange())
        return;
    const std::uint32_t before = plat::NowMs();
    for (std::uint8_t channel = 0; channel < kChannelCount; ++channel)
        output_.ShortMessage(
            PackShortMessage(0xB0 | channel, kVolumeController, ScaledVolume(state_.channelVolumes[channel])));
    const std::uint32_t spent = plat::NowMs() - before;
    if (addToLag)
        state_.lag += spent;
    if (takeFromWait)
        state_.wait -= std::min(state_.wait, spent);
}

void Sequencer::SendLong(const std::uint8_t* bytes, std::uint32_t length)
{
    if (bytes == nullptr || length == 0)
        return;
    // A message the output refuses is skipped.
    (void)output_.LongMessage(std::span<const std::uint8_t>(bytes, length));
}

} // namespace midi
