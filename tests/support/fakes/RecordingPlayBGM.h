// A music player that keeps what it was asked, in order, each call with the
// frame the test says it is.
#pragma once

#include <string>
#include <vector>

#include "media/PlayBGM.h"

namespace fakes {

class RecordingPlayBGM final : public CPlayBGM {
public:
    struct Call {
        std::string what;
        int frame;
        bool operator==(const Call&) const = default;
    };

    void InitTunes() override {}
    bool LoadTune(int track, int tune, bool force, int = 0) override
    {
        Note("LoadTune(" + std::to_string(track) + "," + std::to_string(tune) + (force ? ",forced)" : ")"));
        tunes[track & 1] = tune;
        return true;
    }
    void Play(int track, int flag = 0) override
    {
        Note("Play(" + std::to_string(track) + ")");
        playFlags.push_back(flag);
    }
    void ResumeWithFade(int track, int ms) override
    {
        Note("ResumeWithFade(" + std::to_string(track) + "," + std::to_string(ms) + ")");
    }
    void FadeOut(int track, unsigned ms) override
    {
        Note("FadeOut(" + std::to_string(track) + "," + std::to_string(ms) + ")");
    }
    void SetMusicVolume(int) override {}
    void Stop(int track) override { Note("Stop(" + std::to_string(track) + ")"); }
    void SetSuspended(bool) override {}
    bool IsSuspended() override { return suspended; }
    int GetTune(int track) override { return tunes[track & 1]; }

    std::vector<Call> calls;
    int frame = 0;
    int tunes[2] = {-1, -1};
    bool suspended = false;
    std::vector<int> playFlags; // each Play's flag (1 resumes a suspended track)

private:
    void Note(const std::string& what) { calls.push_back({what, frame}); }
};

} // namespace fakes
