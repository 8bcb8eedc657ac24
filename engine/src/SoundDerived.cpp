#include "SoundDerived.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "SoundDevice.h"
#include "StreamQuarters.h"

using engine::kFadeIn;
using engine::kFadeNone;
using engine::kFadeOut;
using engine::kSilentVolume;
using plat::EventGroup;

using namespace engine;

namespace {

// Commands: quit, play, resume (manual reset); the kept command byte uses the same numbers.
enum Command { kCommandQuit = 0, kCommandPlay = 1, kCommandResume = 2 };
constexpr std::uint32_t kCommandAll = 0b111;

} // namespace

struct CSoundDerived::SoundStream {
    engine::BufferFade fade; // host thread
    std::shared_ptr<plat::SoundBuffer> buffer;
    std::thread worker;
    EventGroup wake{kQuarterMarks};
    EventGroup commands{0};

    // Worker only.
    int expected = kFirstMark;
    int endMark = -1;
    std::uint32_t entrySize = 0;
    std::uint32_t bytesRead = 0;
    int entry = -1;
    bool silencePending = false;
    std::vector<unsigned char> scratch;

    // Shared between the host and the worker.
    std::atomic<int> entryToPlay{-1};
    std::atomic<int> rememberedEntry{-1};
    std::atomic<int> command{kCommandPlay};
    std::atomic<bool> stopped{true};
    std::atomic<bool> playOnStart{true};
    std::atomic<bool> startWaited{false};
    std::atomic<bool> threadEnded{false};
    bool active = false; // host thread
};

CSoundDerived::CSoundDerived()
{
    ++engine::SoundUserCount();
}

CSoundDerived::~CSoundDerived()
{
    ReleaseStreams();
    engine::ReleaseSharedSoundDevice();
}

void CSoundDerived::ReleaseStreams()
{
    for (auto& array : streams_) {
        for (auto& stream : array)
            AskWorkerToQuit(stream->worker, stream->wake, stream->commands);
    }
    for (auto& array : streams_) {
        for (auto& stream : array) {
            if (stream->worker.joinable())
                stream->worker.join();
        }
        array.clear();
    }
    currentStream_.clear();
    channelCount_ = 0;
    initialised_ = false;
}

Zeph::HResult CSoundDerived::Init(unsigned channelCount, int pack, unsigned bufferBytes, unsigned fadeMs, bool software,
                                  int channels, int sampleRate, int bitsPerSample)
{
    const Zeph::HResult created = engine::CreateSharedSoundDevice();
    if (created < 0)
        return created;
    ReleaseStreams();
    const plat::PcmFormat format{channels, sampleRate, bitsPerSample};
    const std::uint32_t quarter = bufferBytes / 4;
    // Quarters are read as whole words of the entry and hold whole frames.
    if (!format.IsSupported() || quarter == 0 || quarter % 4 != 0 ||
        quarter % static_cast<std::uint32_t>(format.BlockAlign()) != 0)
        return -1;
    const engine::PackIndexRecord* record = engine::FindPack(pack);
    if (record == nullptr)
        return -1;

    bufferBytes_ = bufferBytes;
    quarterBytes_ = quarter;
    fadeSteps_ = engine::FadeSteps(fadeMs);
    silence_ = bitsPerSample == 16 ? 0 : 128;
    try {
        pack_ = *record;
        currentStream_.assign(channelCount, 1);
        for (auto& array : streams_) {
            for (unsigned c = 0; c < channelCount; ++c) {
                auto stream = std::make_unique<SoundStream>();
                stream->buffer = plat::SoundBuffer::Create(engine::SoundMixer(), format, bufferBytes);
                if (stream->buffer == nullptr)
                    return Zeph::kResultFail;
                stream->buffer->Fill(silence_);
                SetQuarterMarks(*stream->buffer, stream->wake, quarter);
                stream->scratch.resize(quarter + 4);
                array.push_back(std::move(stream));
            }
        }
    } catch (const std::bad_alloc&) {
        ReleaseStreams();
        return -1;
    }
    channelCount_ = channelCount;
    if (software)
        engine::StartSilentMixBuffer();
    initialised_ = true;
    return created;
}

// ---------------------------------------------------------------------------
bool CSoundDerived::ValidChannel(int channel) const
{
    return initialised_ && channel >= 0 && static_cast<unsigned>(channel) < channelCount_;
}

CSoundDerived::SoundStream* CSoundDerived::Current(int channel)
{
    return streams_[currentStream_[static_cast<std::size_t>(channel)]][static_cast<std::size_t>(channel)].get();
}

void CSoundDerived::ReapEndedWorker(SoundStream& stream)
{
    engine::ReapEndedWorker(stream.worker, stream.threadEnded, *stream.buffer, stream.wake, stream.stopped);
}

// A stop cancels play and resume commands given before it (a Resume while
// the stream still played would otherwise restart it after the stop); the
// command byte a cross-fade left stays for the worker to take.
void CSoundDerived::StopStream(SoundStream& stream)
{
    if (!stream.stopped.load())
        stream.playOnStart.store(false);
    stream.buffer->Stop();
    stream.commands.Reset(kCommandPlay);
    stream.commands.Reset(kCommandResume);
    stream.wake.Signal(kWakeStop);
}

void CSoundDerived::Play(int channel, int entry)
{
    if (!ValidChannel(channel))
        return;
    FadeOut(channel);
    if (masterVolume_.load() == kSilentVolume)
        return;
    int& current = currentStream_[static_cast<std::size_t>(channel)];
    current ^= 1;
    SoundStream& stream = *Current(channel);
    stream.active = true;
    stream.startWaited.store(false);
    stream.entryToPlay.store(entry);
    stream.rememberedEntry.store(entry);
    stream.command.store(kCommandPlay);
    ReapEndedWorker(stream);
    if (stream.worker.joinable()) {
        stream.commands.Signal(kCommandPlay);
        return;
    }
    stream.threadEnded.store(false);
    try {
        stream.worker = std::thread(&CSoundDerived::StreamThread, this, std::ref(stream));
    } catch (const std::system_error&) {
        stream.threadEnded.store(true);
    }
}

void CSoundDerived::Resume(int channel)
{
    if (!ValidChannel(channel) || masterVolume_.load() == kSilentVolume)
        return;
    SoundStream& stream = *Current(channel);
    stream.active = true;
    stream.entryToPlay.store(stream.rememberedEntry.load());
    stream.command.store(kCommandResume);
    if (stream.worker.joinable() && !stream.threadEnded.load())
        stream.commands.Signal(kCommandResume);
}

void CSoundDerived::FadeIn(int channel)
{
    const std::int32_t master = masterVolume_.load();
    if (!ValidChannel(channel) || !engine::IsValidVolume(master))
        return;
    SoundStream& stream = *Current(channel);
    const engine::FadeStart start =
        engine::ReverseOrStart(stream.fade, kFadeOut, stream.buffer->Volume(), kSilentVolume, fadeSteps_);
    engine::BeginFade(stream.fade, start.volume, master, start.step, fadeSteps_, kFadeIn);
    stream.buffer->SetVolume(start.volume);
    Resume(channel);
}

void CSoundDerived::FadeOutStream(SoundStream& stream)
{
    ReapEndedWorker(stream);
    if (!stream.active || stream.fade.mode == kFadeOut)
        return;
    const std::int32_t master = masterVolume_.load();
    const std::int32_t from = engine::IsValidVolume(master) ? master : stream.buffer->Volume();
    const engine::FadeStart start =
        engine::ReverseOrStart(stream.fade, kFadeIn, stream.buffer->Volume(), from, fadeSteps_);
    stream.playOnStart.store(false);
    engine::BeginFade(stream.fade, start.volume, kSilentVolume, start.step, fadeSteps_, kFadeOut);
    stream.buffer->SetVolume(start.volume);
}

void CSoundDerived::FadeOut(int channel)
{
    if (!ValidChannel(channel))
        return;
    for (auto& array : streams_) {
        SoundStream& stream = *array[static_cast<std::size_t>(channel)];
        FadeOutStream(stream);
        stream.entryToPlay.store(-1);
    }
}

void CSoundDerived::Stop(int channel)
{
    if (!ValidChannel(channel))
        return;
    for (auto& array : streams_) {
        SoundStream& stream = *array[static_cast<std::size_t>(channel)];
        ReapEndedWorker(stream);
        // Cleared before the stop is signalled: the worker reads it on waking.
        stream.active = false;
        stream.entryToPlay.store(-1);
        StopStream(stream);
    }
}

void CSoundDerived::FadeOutAll()
{
    for (unsigned c = 0; c < channelCount_; ++c)
        FadeOut(static_cast<int>(c));
}

void CSoundDerived::UpdateFades()
{
    for (auto& array : streams_) {
        for (auto& stream : array) {
            if (stream->fade.mode == kFadeNone)
                continue;
            const engine::FadeTick tick = engine::StepFade(stream->fade);
            stream->buffer->SetVolume(tick.volume);
            if (!tick.stopBuffer)
                continue;
            ReapEndedWorker(*stream);
            StopStream(*stream);
            stream->active = stream->entryToPlay.load() != -1;
        }
    }
}

bool CSoundDerived::SetVolume(int level)
{
    if (!engine::IsValidLevel(level))
        return false;
    const std::int32_t volume = engine::VolumeLevelTable[level];
    for (auto& array : streams_) {
        for (auto& stream : array) {
            if (stream->fade.mode == kFadeOut)
                continue;
            if (!stream->buffer->SetVolume(volume))
                return false;
            if (stream->fade.mode == kFadeIn)
                stream->fade.mode = kFadeNone;
        }
    }
    masterVolume_.store(volume);
    return true;
}

bool CSoundDerived::GetVolume(int channel, long* volume)
{
    if (!ValidChannel(channel) || volume == nullptr)
        return false;
    *volume = Current(channel)->buffer->Volume();
    return true;
}

bool CSoundDerived::IsAnyFading()
{
    for (auto& array : streams_) {
        for (auto& stream : array) {
            if (stream->fade.mode != kFadeNone)
                return true;
        }
    }
    return false;
}

void CSoundDerived::RestoreBuffers()
{
    if (!initialised_)
        return;
    for (auto& array : streams_) {
        for (std::size_t c = 0; c < array.size(); ++c) {
            if (!array[c]->buffer->IsLost())
                continue;
            array[c]->buffer->Restore();
            Stop(static_cast<int>(c));
        }
    }
}

void CSoundDerived::PauseAll(bool resume)
{
    if (!initialised_)
        return;
    for (auto& array : streams_) {
        for (auto& stream : array) {
            if (stream->stopped.load())
                continue;
            stream->playOnStart.store(resume);
            if (resume)
                stream->buffer->Play(true);
            else
                stream->buffer->Stop();
        }
    }
}

void CSoundDerived::Release()
{
    delete this;
}

plat::SoundBuffer* CSoundDerived::BufferOf(int array, int channel)
{
    if (array < 0 || array > 1 || !ValidChannel(channel))
        return nullptr;
    return streams_[array][static_cast<std::size_t>(channel)]->buffer.get();
}

bool CSoundDerived::WorkersIdle()
{
    for (auto& array : streams_) {
        for (auto& stream : array) {
            if (!IsWorkerIdle(stream->worker, stream->threadEnded, stream->wake, stream->commands))
                return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// The worker.

// Waits for the host's next command after a stop or the end of the data.
// The stop that led here is reset before the wait, and a taken command
// before its fields are read, so a signal given meanwhile is never lost.
// After a stop with an entry waiting (a cross-fade) the kept command is taken
// at once; at the end of the data the worker always waits.
int CSoundDerived::TakeCommand(SoundStream& stream, bool dataEnded)
{
    stream.wake.Reset(kWakeStop);
    for (;;) {
        const bool takeKept = !dataEnded && stream.entryToPlay.load() != -1;
        const int taken = stream.commands.WaitAny(kCommandAll, takeKept ? 0 : EventGroup::kInfinite);
        stream.commands.Reset(kCommandPlay);
        stream.commands.Reset(kCommandResume);
        const int command = taken == EventGroup::kTimedOut ? stream.command.load() : taken;
        if (command != kCommandPlay || stream.entryToPlay.load() != -1)
            return command;
    }
}

void CSoundDerived::StreamThread(SoundStream& stream)
{
    bool running = StartStreamEntry(stream, stream.entryToPlay.load());
    while (running) {
        int wake = stream.wake.WaitAny(kWakeAll, EventGroup::kInfinite);
        if (wake == kWakeQuit || wake < 0)
            break;
        if (wake == kWakeStop) {
            stream.buffer->Stop();
            stream.stopped.store(true);
            const int command = TakeCommand(stream, false);
            if (command == kCommandPlay)
                running = StartStreamEntry(stream, stream.entryToPlay.load());
            else if (command == kCommandResume)
                running = ResumeStream(stream);
            else
                running = false;
            continue;
        }
        if (wake != stream.expected) {
            const int again = stream.wake.WaitAny(kWakeAll, 0);
            if (again == stream.expected)
                wake = again;
            else if (again == kWakeStop || again == EventGroup::kTimedOut)
                continue;
            else
                break;
        }
        stream.expected = NextMark(wake);
        if (wake == stream.endMark) {
            // The last data has played.
            stream.buffer->Stop();
            stream.stopped.store(true);
            const int command = TakeCommand(stream, true);
            if (command == kCommandPlay)
                running = StartStreamEntry(stream, stream.entryToPlay.load());
            else if (command != kCommandResume)
                running = false;
            continue;
        }
        // After the mark at the end of quarter q the cursor plays q + 1: refill q + 2.
        const int quarter = (wake + 1) % 4;
        if (stream.bytesRead < stream.entrySize)
            running = FillStreamQuarter(stream, quarter);
        else if (stream.silencePending)
            FillStreamSilence(stream, quarter);
    }
    stream.buffer->Stop();
    if (stream.buffer->IsLost())
        stream.buffer->Restore();
    stream.stopped.store(true);
    stream.threadEnded.store(true);
}

bool CSoundDerived::StartStreamEntry(SoundStream& stream, int entry)
{
    stream.buffer->SetVolume(masterVolume_.load());
    // An entry the pack does not have plays nothing.
    if (!engine::IsEntryReadable(pack_, entry))
        return true;
    const auto e = static_cast<std::size_t>(entry);
    stream.entry = entry;
    stream.entrySize = pack_.byteLengths[e];
    stream.bytesRead = 0;
    stream.expected = kFirstMark;
    stream.endMark = -1;
    stream.stopped.store(false);
    stream.playOnStart.store(true);
    stream.silencePending = true;
    // Quarters 0 and 1 are refilled: the buffer must not play them meanwhile.
    stream.buffer->Stop();
    // Marks left over from the last entry would be taken for this one's.
    ResetQuarterMarks(stream.wake);

    if (!FillStreamQuarter(stream, 0) || !FillNextQuarter(stream, 1))
        return false;
    if (stream.playOnStart.load()) {
        stream.buffer->SetPosition(0);
        if (!stream.buffer->Play(true))
            return false;
        WaitForStart(stream);
    }
    return FillNextQuarter(stream, 2);
}

// Quarters 1 and 2 of a start: data while there is some, else silence.
bool CSoundDerived::FillNextQuarter(SoundStream& stream, int quarter)
{
    if (stream.bytesRead < stream.entrySize)
        return FillStreamQuarter(stream, quarter);
    FillStreamSilence(stream, quarter);
    return true;
}

void CSoundDerived::WaitForStart(SoundStream& stream)
{
    stream.startWaited.store(true);
    WaitForStreamStart(stream.wake);
}

bool CSoundDerived::ResumeStream(SoundStream& stream)
{
    stream.stopped.store(false);
    stream.playOnStart.store(true);
    if (!stream.buffer->Play(true))
        return false;
    if (!stream.startWaited.load())
        WaitForStart(stream);
    return true;
}

bool CSoundDerived::FillStreamQuarter(SoundStream& stream, int quarter)
{
    const std::uint32_t size = std::min(quarterBytes_, stream.entrySize - stream.bytesRead);
    // The quarter that takes the last data: its end mark ends the sound.
    if (stream.bytesRead + size == stream.entrySize)
        stream.endMark = kFirstMark + quarter;
    // Every read is unscrambled at its own word position in the entry.
    const std::uint32_t firstWord = stream.bytesRead / 4;
    const std::uint32_t words = (size + 3) / 4;
    if (!engine::ReadEntryWords(pack_, stream.entry, firstWord, words, stream.scratch.data()))
        return false;
    std::memset(stream.scratch.data() + size, silence_, quarterBytes_ - size);
    if (!stream.buffer->Write(static_cast<std::uint32_t>(quarter) * quarterBytes_, stream.scratch.data(),
                              quarterBytes_))
        return false;
    stream.bytesRead += size;
    return true;
}

void CSoundDerived::FillStreamSilence(SoundStream& stream, int quarter)
{
    stream.silencePending = false;
    stream.buffer->FillRange(static_cast<std::uint32_t>(quarter) * quarterBytes_, quarterBytes_, silence_);
}

Zeph::CSound* CreateSound()
{
    return new (std::nothrow) CSoundDerived();
}
