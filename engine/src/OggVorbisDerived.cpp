#include "OggVorbisDerived.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

#include "SoundDevice.h"
#include "StreamQuarters.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

using engine::kFadeIn;
using engine::kFadeNone;
using engine::kFadeOut;
using engine::kSilentVolume;
using plat::EventGroup;

using namespace engine;

namespace {

enum Command { kCommandQuit = 0, kCommandPlay = 1, kCommandResume = 2, kCommandSeek = 3, kCommandLoad = 4 };
constexpr std::uint32_t kCommandAll = 0b11111;
// Ready: the worker waits for a command. Ack: it took one.
enum Handshake { kReady = 0, kAck = 1 };

constexpr std::uint32_t kReplyMs = 5000;
constexpr std::uint32_t kLoadReplyMs = 10000;
constexpr std::uint32_t kWaitTimedOut = 0x102;
constexpr int kEndless = INT_MAX;
constexpr int kScratchBytes = 4096;
constexpr std::size_t kMaxPathChars = 259;
constexpr int kMaxLoopPairs = 2;
// Decode errors in a row after which the rest of the file counts as lost.
constexpr int kMaxDecodeErrors = 32;
constexpr std::uint32_t kPauseSettleMs = 200;
constexpr std::uint32_t kStopSettleMs = 50;

std::int64_t MsToSamples(double ms, int rate)
{
    return static_cast<std::int64_t>(ms / 1000.0 * rate);
}

} // namespace

struct COggVorbisDerived::OggStream {
    struct Tune {
        std::string path;
        std::int64_t startSample = 0;
        int loopPairs = 0;
        std::int64_t loopStart[kMaxLoopPairs]{};
        std::int64_t loopEnd[kMaxLoopPairs]{};
        bool prepareOnOpen = false;
        bool waitForStop = false;
    };

    std::shared_ptr<plat::SoundBuffer> buffer;
    std::thread worker;
    EventGroup wake{kQuarterMarks};
    EventGroup commands{0};
    EventGroup handshake{0, 1u << kReady};

    // Written by the host while the worker waits for a command, read by the worker when it opens.
    std::mutex tuneMutex;
    Tune tune;

    // Shared between the host and the worker.
    std::atomic<double> seekTargetMs{0.0};
    std::atomic<int> repeatCount{kEndless};
    std::atomic<std::int32_t> effectiveVolume{engine::kNoVolume};
    std::atomic<int> expected{kFirstMark};
    std::atomic<bool> stopped{true};
    std::atomic<bool> playOnStart{true};
    std::atomic<bool> startWaited{false};
    std::atomic<bool> threadEnded{false};
    std::atomic<bool> needsStart{true};
    std::atomic<bool> dataEnded{false};

    // Host thread only.
    engine::BufferFade fade;
    bool playing = false;
    bool pausedPlaying = false;
    bool loaded = false;
    std::int32_t tableVolume = engine::kNoVolume;
    int setLevel = 0;
    double volumeScale = 1.0;
    double lengthMs = 0.0;

    // Worker only.
    Tune open;
    OggVorbis_File decoder{};
    bool decoderOpen = false;
    int endMark = -1;
    int loopPair = 0;
    bool silencePending = false;
    bool prepared = false;
    bool preparedBySeek = false;
    bool decodedSinceStart = false;
    std::vector<char> scratch = std::vector<char>(kScratchBytes);
    std::vector<std::uint8_t> quarter; // decoded before it goes into the buffer
    std::size_t carryOffset = 0;
    std::size_t carryBytes = 0;
};

COggVorbisDerived::COggVorbisDerived()
{
    ++engine::SoundUserCount();
}

COggVorbisDerived::~COggVorbisDerived()
{
    ReleaseStreams();
    engine::ReleaseSharedSoundDevice();
}

void COggVorbisDerived::ReleaseStreams()
{
    for (auto& stream : streams_)
        AskWorkerToQuit(stream->worker, stream->wake, stream->commands);
    for (auto& stream : streams_) {
        if (stream->worker.joinable())
            stream->worker.join();
    }
    streams_.clear();
    initialised_ = false;
}

Zeph::HResult COggVorbisDerived::Init(unsigned streamCount, unsigned bufferBytes, bool software,
                                      bool strictNotifications, int channels, int sampleRate)
{
    strictNotifications_ = strictNotifications;
    const Zeph::HResult created = engine::CreateSharedSoundDevice();
    if (created < 0)
        return created;
    ReleaseStreams();
    const plat::PcmFormat format{channels, sampleRate, 16};
    const std::uint32_t quarter = bufferBytes / 4;
    if (!format.IsSupported() || quarter == 0 || quarter % static_cast<std::uint32_t>(format.BlockAlign()) != 0)
        return -1;
    bufferBytes_ = bufferBytes;
    quarterBytes_ = quarter;
    channels_ = channels;
    sampleRate_ = sampleRate;
    try {
        for (unsigned i = 0; i < streamCount; ++i) {
            auto stream = std::make_unique<OggStream>();
            stream->buffer = plat::SoundBuffer::Create(engine::SoundMixer(), format, bufferBytes);
            if (stream->buffer == nullptr) {
                streams_.clear();
                return Zeph::kResultFail;
            }
            stream->quarter.resize(quarter);
            SetQuarterMarks(*stream->buffer, stream->wake, quarter);
            streams_.push_back(std::move(stream));
        }
    } catch (const std::bad_alloc&) {
        streams_.clear();
        return -1;
    }
    if (software)
        engine::StartSilentMixBuffer();
    initialised_ = true;
    return created;
}

// ---------------------------------------------------------------------------
COggVorbisDerived::OggStream* COggVorbisDerived::Find(int stream)
{
    if (!initialised_ || stream < 0 || static_cast<std::size_t>(stream) >= streams_.size())
        return nullptr;
    return streams_[static_cast<std::size_t>(stream)].get();
}

void COggVorbisDerived::ReapEndedWorker(OggStream& stream)
{
    engine::ReapEndedWorker(stream.worker, stream.threadEnded, *stream.buffer, stream.wake, stream.stopped);
}

// The worker takes commands only while stopped. One paused by PauseAll or
// left waiting after its data ended would never come for the command: it is
// stopped first, as every command implies.
bool COggVorbisDerived::AwaitReady(OggStream& stream, std::uint32_t timeoutMs)
{
    if (!stream.handshake.IsSignalled(kReady)) {
        stream.pausedPlaying = false;
        stream.playOnStart.store(false);
        stream.buffer->Stop();
        stream.wake.Signal(kWakeStop);
    }
    return stream.handshake.Wait(kReady, timeoutMs);
}

bool COggVorbisDerived::StartWorker(OggStream& stream)
{
    stream.threadEnded.store(false);
    try {
        stream.worker = std::thread(&COggVorbisDerived::StreamThread, this, std::ref(stream));
    } catch (const std::system_error&) {
        stream.threadEnded.store(true);
        return false;
    }
    return true;
}

std::int32_t COggVorbisDerived::ScaledVolume(const OggStream& stream, std::int32_t tableVolume) const
{
    if (!engine::IsValidVolume(tableVolume) || stream.volumeScale == 1.0)
        return tableVolume;
    if (!(stream.volumeScale > 0.0))
        return kSilentVolume;
    const double scaled =
        -(engine::DecibelFactor * std::log10(1.0 / (engine::VolumeToAmplitude(tableVolume) * stream.volumeScale)));
    const auto volume = static_cast<std::int32_t>(std::clamp(std::trunc(scaled), -10000.0, 0.0));
    return std::max(std::min(volume, tableVolume), kSilentVolume);
}

void COggVorbisDerived::SetStreamLevel(OggStream& stream, int level, bool store)
{
    if (store) {
        stream.setLevel = level;
        stream.tableVolume = engine::VolumeLevelTable[level];
    }
    stream.effectiveVolume.store(ScaledVolume(stream, stream.tableVolume));
}

bool COggVorbisDerived::Load(int index, const Zeph::OggTuneDef* tuneDef, bool prepareOnOpen, bool waitForStop)
{
    OggStream* stream = Find(index);
    if (stream == nullptr || tuneDef == nullptr || tuneDef->path == nullptr ||
        std::strlen(tuneDef->path) > kMaxPathChars)
        return false;
    if (stream->playing)
        Stop(index);
    ReapEndedWorker(*stream);
    if (!AwaitReady(*stream, kLoadReplyMs))
        return false;

    // Looked at here, so a file that cannot play fails the load itself and
    // its length is known without asking the worker.
    OggStream::Tune tune;
    tune.path = plat::ResolvePath(tuneDef->path).string();
    OggVorbis_File probe{};
    if (ov_fopen(tune.path.c_str(), &probe) < 0)
        return false;
    const vorbis_info* info = ov_info(&probe, -1);
    const bool formatFits = info != nullptr && info->channels == channels_ && info->rate == sampleRate_;
    const ogg_int64_t total = ov_pcm_total(&probe, -1);
    ov_clear(&probe);
    if (!formatFits || total <= 0)
        return false;

    tune.startSample = MsToSamples(tuneDef->startMs, sampleRate_);
    if (tune.startSample < 0 || tune.startSample >= total)
        return false;
    tune.loopPairs = std::clamp<int>(tuneDef->loopPairCount, 0, kMaxLoopPairs);
    for (int pair = 0; pair < tune.loopPairs; ++pair) {
        tune.loopStart[pair] = MsToSamples(tuneDef->loopStartMs, sampleRate_);
        tune.loopEnd[pair] = MsToSamples(tuneDef->loopEndMs, sampleRate_);
        if (tune.loopStart[pair] < 0 || tune.loopStart[pair] >= tune.loopEnd[pair] || tune.loopEnd[pair] > total)
            return false;
    }
    tune.prepareOnOpen = prepareOnOpen;
    tune.waitForStop = waitForStop;

    stream->volumeScale = tuneDef->volumeScale;
    SetStreamLevel(*stream, stream->setLevel, false);
    stream->lengthMs = static_cast<double>(total) / sampleRate_ * 1000.0;
    {
        std::lock_guard lock(stream->tuneMutex);
        stream->tune = std::move(tune);
    }
    stream->repeatCount.store(kEndless);
    stream->needsStart.store(true);
    stream->stopped.store(true);
    stream->startWaited.store(false);
    stream->dataEnded.store(false);
    stream->fade.mode = kFadeNone;
    stream->loaded = true;

    if (stream->worker.joinable()) {
        stream->handshake.Reset(kAck);
        stream->wake.Reset(kWakeStop);
        stream->commands.Signal(kCommandLoad);
        return stream->handshake.Wait(kAck, kLoadReplyMs);
    }
    stream->handshake.Reset(kReady);
    if (!StartWorker(*stream)) {
        stream->handshake.Signal(kReady);
        return false;
    }
    return true;
}

void COggVorbisDerived::SetLoopCount(int index, int repeats)
{
    if (OggStream* stream = Find(index))
        stream->repeatCount.store(repeats);
}

// Play and Resume start over: a playing stream stops first. Null when the
// stream is not loaded, its level is silence or its worker does not answer.
COggVorbisDerived::OggStream* COggVorbisDerived::StoppedForStart(int index)
{
    OggStream* stream = Find(index);
    if (stream == nullptr || !stream->loaded)
        return nullptr;
    if (stream->playing)
        Stop(index);
    ReapEndedWorker(*stream);
    if (stream->tableVolume == kSilentVolume || !AwaitReady(*stream, kReplyMs))
        return nullptr;
    return stream;
}

void COggVorbisDerived::Play(int index)
{
    OggStream* stream = StoppedForStart(index);
    if (stream == nullptr)
        return;
    stream->stopped.store(false);
    stream->playOnStart.store(true);
    stream->startWaited.store(false);
    stream->needsStart.store(false);
    stream->dataEnded.store(false);
    stream->fade.mode = kFadeNone;
    stream->handshake.Reset(kAck);
    if (stream->worker.joinable()) {
        stream->wake.Reset(kWakeStop);
    } else {
        stream->handshake.Reset(kReady);
        if (!StartWorker(*stream)) {
            stream->handshake.Signal(kReady);
            return;
        }
    }
    stream->playing = true;
    stream->commands.Signal(kCommandPlay);
    stream->handshake.Wait(kAck, kReplyMs);
}

void COggVorbisDerived::Resume(int index)
{
    OggStream* stream = StoppedForStart(index);
    if (stream == nullptr)
        return;
    if (stream->needsStart.load() || !stream->worker.joinable()) {
        stream->buffer->SetVolume(stream->effectiveVolume.load());
        Play(index);
        return;
    }
    stream->handshake.Reset(kAck);
    stream->playing = true;
    stream->stopped.store(false);
    stream->playOnStart.store(true);
    stream->dataEnded.store(false);
    stream->wake.Reset(kWakeStop);
    stream->commands.Signal(kCommandResume);
    stream->handshake.Wait(kAck, kReplyMs);
}

std::int32_t COggVorbisDerived::FadeStartVolume(OggStream& stream, int fromLevel)
{
    const std::int32_t current = stream.buffer->Volume();
    if (stream.fade.mode != kFadeNone && engine::IsValidVolume(current))
        return current;
    return std::max(ScaledVolume(stream, engine::VolumeLevelTable[fromLevel]), kSilentVolume);
}

Zeph::HResult COggVorbisDerived::Fade(int index, int fromLevel, int toLevel, unsigned ms, bool keep)
{
    OggStream* stream = Find(index);
    if (stream == nullptr || !engine::IsValidLevel(fromLevel) || !engine::IsValidLevel(toLevel))
        return Zeph::kResultFail;
    const std::int32_t start = FadeStartVolume(*stream, fromLevel);
    const std::int32_t target = std::max(ScaledVolume(*stream, engine::VolumeLevelTable[toLevel]), kSilentVolume);
    // A fade here never stops the stream, even down to silence.
    engine::BeginFade(stream->fade, start, target, 0, engine::FadeSteps(ms), kFadeIn);
    if (keep)
        SetStreamLevel(*stream, toLevel, true);
    return stream->buffer->SetVolume(start) ? Zeph::kResultOk : Zeph::kResultFail;
}

void COggVorbisDerived::ResumeWithFade(int index, int toLevel, unsigned ms, bool keep)
{
    OggStream* stream = Find(index);
    if (stream == nullptr)
        return;
    Fade(index, 0, toLevel, ms, keep);
    if (!stream->playing)
        Resume(index);
}

Zeph::HResult COggVorbisDerived::FadeOut(int index, int fromLevel, unsigned ms, bool keep)
{
    OggStream* stream = Find(index);
    if (stream == nullptr || !engine::IsValidLevel(fromLevel))
        return Zeph::kResultFail;
    const std::int32_t start = FadeStartVolume(*stream, fromLevel);
    engine::BeginFade(stream->fade, start, kSilentVolume, 0, engine::FadeSteps(ms), kFadeOut);
    if (keep)
        SetStreamLevel(*stream, 0, true);
    return stream->buffer->SetVolume(start) ? Zeph::kResultOk : Zeph::kResultFail;
}

void COggVorbisDerived::FadeOutAll(int fromLevel, unsigned ms)
{
    for (std::size_t i = 0; i < streams_.size(); ++i) {
        if (streams_[i]->playing)
            FadeOut(static_cast<int>(i), fromLevel, ms, false);
    }
}

void COggVorbisDerived::UpdateFades()
{
    for (std::size_t i = 0; i < streams_.size(); ++i) {
        OggStream& stream = *streams_[i];
        if (stream.fade.mode == kFadeNone)
            continue;
        const engine::FadeTick tick = engine::StepFade(stream.fade);
        stream.buffer->SetVolume(tick.volume);
        if (tick.stopBuffer)
            Stop(static_cast<int>(i));
    }
}

void COggVorbisDerived::Stop(int index)
{
    OggStream* stream = Find(index);
    if (stream == nullptr)
        return;
    ReapEndedWorker(*stream);
    if (stream->playing) {
        stream->playOnStart.store(false);
        stream->buffer->Stop();
        stream->wake.Signal(kWakeStop);
    }
    stream->playing = false;
    stream->pausedPlaying = false;
    stream->fade.mode = kFadeNone;
}

bool COggVorbisDerived::SetVolume(int index, int level)
{
    OggStream* stream = Find(index);
    if (stream == nullptr || !engine::IsValidLevel(level))
        return false;
    SetStreamLevel(*stream, level, true);
    if (stream->fade.mode == kFadeOut)
        return true;
    if (!stream->buffer->SetVolume(stream->effectiveVolume.load()))
        return false;
    if (stream->fade.mode == kFadeIn)
        stream->fade.mode = kFadeNone;
    return true;
}

bool COggVorbisDerived::GetVolume(int index, long* volume)
{
    OggStream* stream = Find(index);
    if (stream == nullptr || volume == nullptr)
        return false;
    *volume = stream->buffer->Volume();
    return true;
}

int COggVorbisDerived::GetVolumeLevel(int index)
{
    OggStream* stream = Find(index);
    return stream == nullptr ? kSilentVolume : stream->effectiveVolume.load();
}

double COggVorbisDerived::GetLengthMs(int index)
{
    OggStream* stream = Find(index);
    return stream == nullptr ? 0.0 : stream->lengthMs;
}

std::uint32_t COggVorbisDerived::Seek(int index, double ms)
{
    OggStream* stream = Find(index);
    if (stream == nullptr || !stream->loaded)
        return kWaitTimedOut;
    // A playing stream stops, takes the new position and goes on from there.
    const bool wasPlaying = stream->playing && !stream->dataEnded.load();
    if (stream->playing)
        Stop(index);
    ReapEndedWorker(*stream);
    // A worker that ended has nothing open to seek in; the next Play or Load starts one.
    if (!stream->worker.joinable())
        return kWaitTimedOut;
    if (!AwaitReady(*stream, kReplyMs))
        return kWaitTimedOut;
    stream->handshake.Reset(kAck);
    stream->seekTargetMs.store(ms);
    stream->needsStart.store(false);
    // The worker comes back for the next command after preparing, wherever it stood.
    stream->wake.Signal(kWakeStop);
    stream->commands.Signal(kCommandSeek);
    if (!stream->handshake.Wait(kAck, kReplyMs))
        return kWaitTimedOut;
    if (wasPlaying)
        Resume(index);
    return 0;
}

bool COggVorbisDerived::IsPlaying(int index)
{
    OggStream* stream = Find(index);
    // A stream whose last repeat has played out is no longer playing.
    return stream != nullptr && stream->playing && !stream->dataEnded.load();
}

bool COggVorbisDerived::IsFading(int index)
{
    OggStream* stream = Find(index);
    return stream != nullptr && stream->fade.mode != kFadeNone;
}

bool COggVorbisDerived::IsAnyFading()
{
    for (auto& stream : streams_) {
        if (stream->fade.mode != kFadeNone)
            return true;
    }
    return false;
}

void COggVorbisDerived::RestoreBuffers()
{
    if (!initialised_)
        return;
    for (std::size_t i = 0; i < streams_.size(); ++i) {
        OggStream& stream = *streams_[i];
        if (!stream.buffer->IsLost())
            continue;
        stream.buffer->Restore();
        Stop(static_cast<int>(i));
        engine::ClearSoundBuffer(*stream.buffer, 0);
    }
}

void COggVorbisDerived::PauseAll(bool resume)
{
    if (!initialised_)
        return;
    plat::SleepMs(kPauseSettleMs);
    for (auto& stream : streams_) {
        if (!resume) {
            stream->pausedPlaying = stream->playing;
            if (stream->playing) {
                stream->playOnStart.store(false);
                stream->playing = false;
                stream->buffer->Stop();
            }
        } else if (stream->pausedPlaying) {
            stream->playOnStart.store(true);
            stream->playing = true;
            PlaceCursorAtNextQuarter(*stream);
            stream->buffer->Play(true);
        }
    }
}

void COggVorbisDerived::Release()
{
    delete this;
}

plat::SoundBuffer* COggVorbisDerived::BufferOf(int index)
{
    OggStream* stream = Find(index);
    return stream == nullptr ? nullptr : stream->buffer.get();
}

bool COggVorbisDerived::WorkersIdle()
{
    for (auto& stream : streams_) {
        if (!IsWorkerIdle(stream->worker, stream->threadEnded, stream->wake, stream->commands))
            return false;
    }
    return true;
}

// When the cursor ran past the quarter the worker expects to start next
// (its mark unseen), it goes back to that quarter's start.
void COggVorbisDerived::PlaceCursorAtNextQuarter(OggStream& stream)
{
    std::uint32_t next =
        static_cast<std::uint32_t>(std::min(stream.expected.load() - kFirstMark, 3) + 1) * quarterBytes_;
    if (next >= bufferBytes_)
        next = 0;
    const std::uint32_t position = stream.buffer->Position();
    if (position >= next && position - next < quarterBytes_)
        stream.buffer->SetPosition(next);
}

// ---------------------------------------------------------------------------
// The worker.

int COggVorbisDerived::TakeCommand(OggStream& stream)
{
    stream.handshake.Signal(kReady);
    const int command = stream.commands.WaitAny(kCommandAll, EventGroup::kInfinite);
    // Reset as soon as taken: a command signalled after this stays for the next take.
    if (command == kCommandPlay || command == kCommandResume) {
        stream.commands.Reset(kCommandPlay);
        stream.commands.Reset(kCommandResume);
    } else if (command == kCommandSeek || command == kCommandLoad) {
        stream.commands.Reset(command);
    }
    stream.handshake.Reset(kReady);
    stream.handshake.Signal(kAck);
    return command;
}

// Takes commands until one sets the stream going again; false ends the worker.
bool COggVorbisDerived::ActOnCommands(OggStream& stream, bool dataEnded)
{
    for (;;) {
        switch (TakeCommand(stream)) {
        case kCommandPlay:
            return StartOggStream(stream, false);
        case kCommandResume:
            return dataEnded || ResumeOggStream(stream);
        case kCommandSeek:
            return PrepareOggStream(stream, true);
        case kCommandLoad:
            CloseOggStream(stream);
            if (!OpenOggStream(stream))
                return false;
            continue;
        default:
            return false;
        }
    }
}

void COggVorbisDerived::StreamThread(OggStream& stream)
{
    bool running = OpenOggStream(stream) && ActOnCommands(stream, false);
    while (running) {
        int wake = stream.wake.WaitAny(kWakeAll, EventGroup::kInfinite);
        if (wake == kWakeQuit || wake < 0)
            break;
        if (wake == kWakeStop) {
            stream.buffer->Stop();
            stream.stopped.store(true);
            if (stream.open.waitForStop && !stream.preparedBySeek)
                WaitBufferStopped(stream);
            running = ActOnCommands(stream, false);
            continue;
        }
        if (wake != stream.expected.load()) {
            int again = stream.wake.WaitAny(kWakeAll, 0);
            if (again == kWakeStop || again == EventGroup::kTimedOut)
                continue;
            if (again != stream.expected.load()) {
                if (strictNotifications_ || again == kWakeQuit)
                    break;
                // Behind by more than a mark: go on from the latest mark
                // seen that lies before the expected one.
                int latest =
                    std::max(wake < stream.expected.load() ? wake : -1, again < stream.expected.load() ? again : -1);
                for (;;) {
                    again = stream.wake.WaitAny(kQuarterMarks, 0);
                    if (again == EventGroup::kTimedOut)
                        break;
                    if (again < stream.expected.load())
                        latest = std::max(latest, again);
                }
                if (latest < 0)
                    continue;
                stream.expected.store(latest);
            }
            wake = stream.expected.load();
        }
        stream.expected.store(NextMark(wake));
        if (wake == stream.endMark) {
            // The last data has played.
            stream.buffer->Stop();
            stream.stopped.store(true);
            stream.dataEnded.store(true);
            running = ActOnCommands(stream, true);
            continue;
        }
        // After the mark at the end of quarter q the cursor plays q + 1: decode q + 2.
        const int quarter = (wake + 1) % 4;
        if (stream.endMark == -1)
            DecodeOggQuarter(stream, quarter);
        else if (stream.silencePending)
            FillOggSilence(stream, quarter);
    }
    stream.buffer->Stop();
    if (stream.buffer->IsLost())
        stream.buffer->Restore();
    CloseOggStream(stream);
    stream.stopped.store(true);
    stream.handshake.Signal(kReady);
    stream.threadEnded.store(true);
}

bool COggVorbisDerived::OpenOggStream(OggStream& stream)
{
    stream.prepared = false;
    stream.preparedBySeek = false;
    {
        std::lock_guard lock(stream.tuneMutex);
        stream.open = stream.tune;
    }
    if (ov_fopen(stream.open.path.c_str(), &stream.decoder) < 0)
        return false;
    stream.decoderOpen = true;
    const vorbis_info* info = ov_info(&stream.decoder, -1);
    // The file may have changed since the host looked at it.
    if (info == nullptr || info->channels != channels_ || info->rate != sampleRate_)
        return false;
    if (stream.open.prepareOnOpen)
        return PrepareOggStream(stream, false);
    return true;
}

void COggVorbisDerived::CloseOggStream(OggStream& stream)
{
    if (stream.decoderOpen) {
        stream.decoderOpen = false;
        ov_clear(&stream.decoder);
    }
}

bool COggVorbisDerived::PrepareOggStream(OggStream& stream, bool fromSeek)
{
    stream.expected.store(kFirstMark);
    stream.endMark = -1;
    stream.carryBytes = 0;
    stream.carryOffset = 0;
    stream.silencePending = true;
    stream.loopPair = 0;
    // Quarters 0 and 1 are refilled: the buffer must not play them meanwhile.
    stream.buffer->Stop();
    ResetQuarterMarks(stream.wake);
    if (!stream.decoderOpen || !stream.buffer->SetVolume(stream.effectiveVolume.load()))
        return false;
    const ogg_int64_t total = ov_pcm_total(&stream.decoder, -1);
    const std::int64_t target =
        fromSeek ? MsToSamples(stream.seekTargetMs.load(), sampleRate_) : stream.open.startSample;
    if (ov_pcm_seek(&stream.decoder, std::clamp<std::int64_t>(target, 0, std::max<ogg_int64_t>(total - 1, 0))) != 0)
        return false;
    stream.decodedSinceStart = false;
    DecodeOggQuarter(stream, 0);
    FillNextQuarter(stream, 1);
    stream.prepared = true;
    stream.preparedBySeek = fromSeek;
    return true;
}

bool COggVorbisDerived::StartOggStream(OggStream& stream, bool keep)
{
    if (!(stream.prepared && (keep || !stream.preparedBySeek)) && !PrepareOggStream(stream, false))
        return false;
    stream.prepared = false;
    stream.preparedBySeek = false;
    if (stream.playOnStart.load()) {
        stream.buffer->SetPosition(0);
        if (!stream.buffer->Play(true))
            return false;
        stream.startWaited.store(true);
        WaitForStreamStart(stream.wake);
    }
    FillNextQuarter(stream, 2);
    return true;
}

bool COggVorbisDerived::ResumeOggStream(OggStream& stream)
{
    if (stream.preparedBySeek)
        return StartOggStream(stream, true);
    PlaceCursorAtNextQuarter(stream);
    if (!stream.buffer->Play(true))
        return false;
    if (!stream.startWaited.load()) {
        stream.startWaited.store(true);
        WaitForStreamStart(stream.wake);
    }
    return true;
}

// Quarters 1 and 2 of a start: decoded while data remains, else silence once.
void COggVorbisDerived::FillNextQuarter(OggStream& stream, int quarter)
{
    if (stream.endMark == -1)
        DecodeOggQuarter(stream, quarter);
    else if (stream.silencePending)
        FillOggSilence(stream, quarter);
}

void COggVorbisDerived::DecodeOggQuarter(OggStream& stream, int quarter)
{
    std::uint8_t* bytes = stream.quarter.data();
    const std::size_t size = quarterBytes_;
    std::size_t filled = std::min(stream.carryBytes, size);
    std::memcpy(bytes, stream.scratch.data() + stream.carryOffset, filled);
    stream.carryOffset += filled;
    stream.carryBytes -= filled;
    const long frameBytes = channels_ * 2;
    int errors = 0;
    auto endHere = [&] { stream.endMark = kFirstMark + quarter; };
    while (filled < size) {
        long want = kScratchBytes;
        if (stream.open.loopPairs > 0) {
            const ogg_int64_t position = ov_pcm_tell(&stream.decoder);
            const std::int64_t loopEnd = stream.open.loopEnd[stream.loopPair];
            if (position >= loopEnd) {
                // Back to the loop start, keeping any overshoot.
                if (ov_pcm_seek(&stream.decoder, position + stream.open.loopStart[stream.loopPair] - loopEnd) != 0) {
                    endHere();
                    break;
                }
                stream.loopPair = (stream.loopPair + 1) % stream.open.loopPairs;
                continue;
            }
            // Reads stop at the loop end, so no sample past it is played.
            want = static_cast<long>(std::min<std::int64_t>(want, (loopEnd - position) * frameBytes));
        }
        int section = 0;
        const long got = ov_read(&stream.decoder, stream.scratch.data(), static_cast<int>(want), 0, 2, 1, &section);
        if (got > 0) {
            errors = 0;
            stream.decodedSinceStart = true;
            const std::size_t taken = std::min(static_cast<std::size_t>(got), size - filled);
            std::memcpy(bytes + filled, stream.scratch.data(), taken);
            filled += taken;
            if (taken < static_cast<std::size_t>(got)) {
                stream.carryOffset = taken;
                stream.carryBytes = static_cast<std::size_t>(got) - taken;
            }
            continue;
        }
        if (got < 0) {
            // A gap in the stream is skipped; one that never ends ends the sound.
            if (++errors < kMaxDecodeErrors)
                continue;
            endHere();
            break;
        }
        // End of the file: once more from the start while repeats remain. A
        // pass that gave nothing would give nothing again.
        if (!stream.decodedSinceStart) {
            endHere();
            break;
        }
        const int repeats = stream.repeatCount.load();
        if (repeats != kEndless) {
            stream.repeatCount.store(repeats - 1);
            if (repeats - 1 < 0) {
                endHere();
                break;
            }
        }
        if (ov_pcm_seek(&stream.decoder, stream.open.startSample) != 0) {
            endHere();
            break;
        }
        stream.decodedSinceStart = false;
    }
    std::memset(bytes + filled, 0, size - filled);
    stream.buffer->Write(static_cast<std::uint32_t>(quarter) * quarterBytes_, bytes, quarterBytes_);
}

void COggVorbisDerived::FillOggSilence(OggStream& stream, int quarter)
{
    stream.silencePending = false;
    stream.buffer->FillRange(static_cast<std::uint32_t>(quarter) * quarterBytes_, quarterBytes_, 0);
}

void COggVorbisDerived::WaitBufferStopped(OggStream& stream)
{
    if (stream.buffer->IsPlaying())
        plat::SleepMs(kStopSettleMs);
}

Zeph::COggVorbis* CreateOggVorbis()
{
    return new (std::nothrow) COggVorbisDerived();
}
