// The music player: every part plays background music through it by tune
// number. Track 0 carries the title and field music, track 1 the battle
// music. While the music volume setting is 0 music is off: plays, fades and
// stops are skipped, but which tune each track holds is still kept, so that
// switching music on later plays the right tune.
#pragma once

#include <cstdint>

// The two music tracks.
constexpr int BGM_FIELD_TRACK = 0;
constexpr int BGM_BATTLE_TRACK = 1;

class CPlayBGM {
public:
    virtual void InitTunes() = 0;
    // False when the track already holds the tune and force is not set.
    virtual bool LoadTune(int track, int tune, bool force, int unused = 0) = 0;
    virtual void Play(int track, int unused = 0) = 0;
    virtual void ResumeWithFade(int track, int ms) = 0;
    virtual void FadeOut(int track, unsigned ms) = 0;
    virtual void SetMusicVolume(int level) = 0;
    virtual void Stop(int track) = 0;
    virtual void SetSuspended(bool suspended) = 0;
    virtual bool IsSuspended() = 0;
    // The tune last loaded into the track; -1 when none.
    virtual int GetTune(int track) = 0;
    virtual ~CPlayBGM() = default;
};

class CPlayMidi final : public CPlayBGM {
public:
    static constexpr int TRACK_COUNT = 2;

    void InitTunes() override;
    bool LoadTune(int track, int tune, bool force, int unused = 0) override;
    void Play(int track, int unused = 0) override;
    void ResumeWithFade(int track, int ms) override;
    void FadeOut(int track, unsigned ms) override;
    void SetMusicVolume(int level) override;
    void Stop(int track) override;
    void SetSuspended(bool suspended) override;
    bool IsSuspended() override;
    int GetTune(int track) override;

private:
    std::int32_t tunePerTrack[TRACK_COUNT] = {-1, -1};
    // The field music was stopped by an event and must start again from its
    // beginning rather than resume where it stopped.
    bool suspended = false;
};

extern CPlayBGM* ThePlayBGM;
