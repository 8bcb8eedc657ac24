// Music streamed from Ogg Vorbis files into small looping 16-bit buffers, a
// quarter ahead of the play cursor, with loop points inside the file, a
// repeat count for the whole file, seeking and per-frame fades.
//
// Threads: each stream has a worker that owns the decoder. The host hands it
// commands (play, resume, seek, load, quit) through a handshake: it waits for
// "ready" (the worker waits for a command), writes the command's fields,
// signals the command and waits for "ack". The mixer wakes the worker at the
// quarter marks. Fades and volumes belong to the host's thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "SoundVolume.h"
#include "Zeph.h"
#include "platform/EventGroup.h"
#include "platform/SoundBuffer.h"

class COggVorbisDerived final : public Zeph::COggVorbis {
public:
    COggVorbisDerived();
    ~COggVorbisDerived();

    Zeph::HResult Init(unsigned streamCount, unsigned bufferBytes, bool software, bool strictNotifications,
                       int channels, int sampleRate) override;
    void UpdateFades() override;
    bool Load(int stream, const Zeph::OggTuneDef* tune, bool prepareOnOpen, bool waitForStop) override;
    void SetLoopCount(int stream, int repeats) override;
    void Play(int stream) override;
    void Resume(int stream) override;
    void ResumeWithFade(int stream, int toLevel, unsigned ms, bool keep) override;
    Zeph::HResult Fade(int stream, int fromLevel, int toLevel, unsigned ms, bool keep) override;
    void Stop(int stream) override;
    Zeph::HResult FadeOut(int stream, int fromLevel, unsigned ms, bool keep) override;
    void FadeOutAll(int fromLevel, unsigned ms) override;
    bool SetVolume(int stream, int level) override;
    bool GetVolume(int stream, long* volume) override;
    int GetVolumeLevel(int stream) override;
    double GetLengthMs(int stream) override;
    std::uint32_t Seek(int stream, double ms) override;
    bool IsPlaying(int stream) override;
    bool IsFading(int stream) override;
    bool IsAnyFading() override;
    void RestoreBuffers() override;
    void PauseAll(bool resume) override;
    void Release() override;

    // For tests: a stream's buffer, and whether every running worker waits
    // with nothing to do (so the offline mixer may go on).
    plat::SoundBuffer* BufferOf(int stream);
    bool WorkersIdle();

    struct OggStream;

private:
    OggStream* Find(int stream);
    OggStream* StoppedForStart(int stream);
    void ReleaseStreams();
    void ReapEndedWorker(OggStream& stream);
    bool StartWorker(OggStream& stream);
    bool AwaitReady(OggStream& stream, std::uint32_t timeoutMs);
    void SetStreamLevel(OggStream& stream, int level, bool store);
    std::int32_t ScaledVolume(const OggStream& stream, std::int32_t tableVolume) const;
    std::int32_t FadeStartVolume(OggStream& stream, int fromLevel);

    // The worker and its steps.
    void StreamThread(OggStream& stream);
    int TakeCommand(OggStream& stream);
    bool ActOnCommands(OggStream& stream, bool dataEnded);
    bool OpenOggStream(OggStream& stream);
    void CloseOggStream(OggStream& stream);
    bool PrepareOggStream(OggStream& stream, bool fromSeek);
    bool StartOggStream(OggStream& stream, bool keep);
    bool ResumeOggStream(OggStream& stream);
    void FillNextQuarter(OggStream& stream, int quarter);
    void DecodeOggQuarter(OggStream& stream, int quarter);
    void FillOggSilence(OggStream& stream, int quarter);
    void WaitBufferStopped(OggStream& stream);
    void PlaceCursorAtNextQuarter(OggStream& stream);

    std::vector<std::unique_ptr<OggStream>> streams_;
    bool initialised_ = false;
    bool strictNotifications_ = false;
    std::uint32_t bufferBytes_ = 0;
    std::uint32_t quarterBytes_ = 0;
    int channels_ = 2;
    int sampleRate_ = 44100;
};
