// Long sounds streamed from raw PCM entries of a pack through small looping
// buffers, a quarter at a time. Each channel has two streams that take turns,
// so a new entry on a channel starts while the old one fades out. Every
// stream has a worker thread that refills the quarter two ahead of the play
// cursor when the cursor passes a quarter mark.
//
// Threads: the host's thread runs the operations and owns the fades; a
// worker owns its stream's read state and writes its buffer. They meet in
// atomics (the command fields) and two event groups: wake (quit, stop, the
// four quarter marks, signalled by the mixer) and commands (quit, play, resume).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "PackIndex.h"
#include "SoundVolume.h"
#include "Zeph.h"
#include "platform/EventGroup.h"
#include "platform/SoundBuffer.h"

class CSoundDerived final : public Zeph::CSound {
public:
    CSoundDerived();
    ~CSoundDerived();

    Zeph::HResult Init(unsigned channelCount, int pack, unsigned bufferBytes, unsigned fadeMs, bool software,
                       int channels, int sampleRate, int bitsPerSample) override;
    void UpdateFades() override;
    void Play(int channel, int entry) override;
    void Resume(int channel) override;
    void FadeIn(int channel) override;
    void Stop(int channel) override;
    void FadeOut(int channel) override;
    void FadeOutAll() override;
    bool SetVolume(int level) override;
    bool GetVolume(int channel, long* volume) override;
    bool IsAnyFading() override;
    void RestoreBuffers() override;
    void PauseAll(bool resume) override;
    void Release() override;

    // For tests: a stream's buffer, and whether every running worker waits
    // with nothing to do (so the offline mixer may go on).
    plat::SoundBuffer* BufferOf(int array, int channel);
    bool WorkersIdle();

private:
    struct SoundStream;

    SoundStream* Current(int channel);
    bool ValidChannel(int channel) const;
    void ReleaseStreams();
    void ReapEndedWorker(SoundStream& stream);
    void StopStream(SoundStream& stream);
    void FadeOutStream(SoundStream& stream);

    // The worker and its steps.
    void StreamThread(SoundStream& stream);
    int TakeCommand(SoundStream& stream, bool dataEnded);
    bool StartStreamEntry(SoundStream& stream, int entry);
    void WaitForStart(SoundStream& stream);
    bool ResumeStream(SoundStream& stream);
    bool FillNextQuarter(SoundStream& stream, int quarter);
    bool FillStreamQuarter(SoundStream& stream, int quarter);
    void FillStreamSilence(SoundStream& stream, int quarter);

    std::vector<std::unique_ptr<SoundStream>> streams_[2];
    std::vector<int> currentStream_;
    unsigned channelCount_ = 0;
    bool initialised_ = false;

    engine::PackIndexRecord pack_; // copied at Init: the workers read it without the host's table
    std::uint32_t bufferBytes_ = 262144;
    std::uint32_t quarterBytes_ = 65536;
    int fadeSteps_ = 8;
    std::uint8_t silence_ = 0;
    std::atomic<std::int32_t> masterVolume_{engine::kNoVolume};
};
