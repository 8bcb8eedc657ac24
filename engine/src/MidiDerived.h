// Background music from Standard MIDI Files: a fixed number of songs, each
// read by a loader thread of its own, at most one played at a time by the
// player thread; the caller's thread signals the player and steps the fades
// once a frame.
//
// Hand-over between the threads: the command for the player and its idle
// state live under one mutex with a condition variable; the flags the
// sequencer polls between wait slices (playing, volume, volume changed) are
// atomics. The caller's thread touches a song's events only while the player
// is idle or busy with another song, and after joining the song's loader.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

#include "MidiOutput.h"
#include "MidiSequencer.h"
#include "MidiSong.h"
#include "Zeph.h"

class CMidiDerived final : public Zeph::CMidi {
public:
    using OutputFactory = std::function<std::unique_ptr<midi::MidiOutput>()>;

    // The output is opened by Init: the system's synthesizer unless a factory is given.
    CMidiDerived();
    explicit CMidiDerived(OutputFactory openOutput);
    ~CMidiDerived();
    CMidiDerived(const CMidiDerived&) = delete;
    CMidiDerived& operator=(const CMidiDerived&) = delete;

    bool Init(int songCount, bool raiseTimerResolution) override;
    void UpdateFade() override;
    bool Load(int song, const Zeph::BgmTuneDef* tune) override;
    void Play(int song) override;
    void Stop(int song) override;
    void Resume(int song) override;
    void SetVolume(int level) override;
    void Fade(int song, int fromLevel, int toLevel, unsigned ms, bool keepAsSetLevel) override;
    void ResumeWithFade(int song, int toLevel, unsigned ms, bool keepAsSetLevel) override;
    void Pause(bool resume) override;
    bool IsFading() override;
    void FadeOut(unsigned ms) override;
    bool IsPlaying(int song) override;
    void Release() override;

    // For tests and the host's diagnostics.
    midi::MidiOutput* Output() { return output_.get(); }
    double Volume() const { return signals_.volume.load(); }
    int Level() const { return level_; }
    bool SongFailed(int song) const;
    // Waits until the player has stopped and has nothing to do.
    bool WaitForPlayerIdle();

    static constexpr std::size_t kPathBufferSize = 128;
    static constexpr int kMaxSongs = 256;

private:
    enum class Command { None, Play, Resume, Quit };

    // The sequencer's view of the shared flags.
    struct PlayerSignals final : midi::SequencerLink {
        std::atomic<bool> playing{false};
        std::atomic<double> volume{1.0};
        std::atomic<bool> volumeChanged{true};

        bool KeepPlaying() override { return playing.load(std::memory_order_acquire); }
        double Volume() override { return volume.load(std::memory_order_acquire); }
        bool TakeVolumeChange() override { return volumeChanged.exchange(false, std::memory_order_acq_rel); }
        void MarkVolumeChanged() override { volumeChanged.store(true, std::memory_order_release); }
    };

    struct SongSlot {
        midi::MidiSong song;
        std::thread loader;
    };

    enum class FadeMode { None, Fading, FadingToStop };

    bool ValidSong(int song) const;
    void JoinLoader(int song);
    void ResumeSong(int song, bool keepVolume);
    void StartSong(int song, Command command, bool keepVolume);
    void SetLevelVolume(int level);
    void SetAmplitude(double amplitude);
    // Clears playing and any command not yet taken; the sequencer stops within one slice.
    void RequestStop();
    bool StopPlayerAndWait();
    bool EnsurePlayerThread();
    void Post(Command command, int song);
    void PlayerLoop();

    OutputFactory openOutput_;
    std::unique_ptr<midi::MidiOutput> output_;
    std::vector<std::unique_ptr<SongSlot>> songs_;
    PlayerSignals signals_;

    // Shared with the player thread, under mutex_.
    std::mutex mutex_;
    std::condition_variable changed_;
    Command pending_ = Command::None;
    int pendingSong_ = 0;
    bool idle_ = true;
    bool playerEnded_ = true;
    std::thread player_;

    // The caller's thread only.
    int currentSong_ = 0;
    int level_ = 10;
    FadeMode fadeMode_ = FadeMode::None;
    FadeMode savedFadeMode_ = FadeMode::None;
    double fadeStart_ = 0.0;
    double fadeTarget_ = 0.0;
    double fadeDelta_ = 0.0;
    unsigned fadeStep_ = 0;
    unsigned fadeSteps_ = 0;
    bool wasPlaying_ = false;
};
