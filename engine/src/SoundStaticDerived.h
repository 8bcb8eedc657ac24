// Short sound effects read whole from WAV entries of a pack. Each sound has
// eight buffers over the same bytes, so one effect can sound eight times at
// once; buffers fade per frame, looping effects are switched on and off, and
// everything pauses while the host is in the background.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "SoundVolume.h"
#include "Zeph.h"
#include "platform/EventGroup.h"
#include "platform/SoundBuffer.h"

class CSoundStaticDerived final : public Zeph::CSoundStatic {
public:
    static constexpr int kBuffersPerSound = 8;

    CSoundStaticDerived();
    ~CSoundStaticDerived();

    Zeph::HResult Init(int soundCount, int pack, unsigned fadeMs, bool software) override;
    bool Load(int sound, int entry, bool loop, bool create) override;
    void UpdateFades() override;
    void Play(int sound) override;
    void PlayOnCurrentBuffer(int sound) override;
    void FadeIn(int sound) override;
    void Stop(int sound) override;
    void FadeOut(int sound) override;
    void FadeOutAll() override;
    bool SetVolume(int level) override;
    bool GetVolume(int sound, long* volume) override;
    bool IsAnyFading() override;
    void RestoreBuffers() override;
    void PauseAll(bool resume) override;
    void Release() override;

    // For tests: a sound's buffer (null before it is loaded) and busy flag.
    plat::SoundBuffer* BufferOf(int sound, int buffer);
    bool IsBusy(int sound, int buffer);

private:
    struct StaticSound {
        std::array<engine::BufferFade, kBuffersPerSound> fades{};
        std::array<std::shared_ptr<plat::SoundBuffer>, kBuffersPerSound> buffers{};
        // One auto-reset stop event per buffer, signalled whenever it stops.
        plat::EventGroup stopEvents{(1u << kBuffersPerSound) - 1};
        bool looping = false;
        int entry = 0;
        std::array<bool, kBuffersPerSound> busy{};
        std::array<bool, kBuffersPerSound> pausedBusy{};
        int current = 0;
        bool loaded = false;
        bool disabled = false;
    };

    StaticSound* Find(int sound);
    // A loaded sound that may still sound; null otherwise.
    StaticSound* Playable(int sound);
    bool MakeBuffers(StaticSound& record, const plat::PcmFormat& format, std::uint32_t bytes);
    void ReleaseBuffers(StaticSound& record);
    void ReapStoppedBuffers(StaticSound& record);
    bool StartBuffer(int sound, int buffer);
    void RecoverSound(int sound, int buffer, bool replay);
    void DisableSound(StaticSound& record);

    std::vector<std::unique_ptr<StaticSound>> sounds_;
    unsigned fadeMs_ = 150;
    std::int32_t volume_ = engine::kNoVolume;
    int pack_ = 0;
    int fadeSteps_ = 8;
    bool initialised_ = false;
    bool software_ = false;
};
