// Recording stand-ins for the engine's MIDI, static-sound and error objects:
// each call is kept as a short text ("Fade(0,-1,0,483,0)") in one shared
// list, so a test compares what the players asked of the engine with a table.
#pragma once

#include <cstdarg>
#include <set>
#include <string>
#include <vector>

#include "Zeph.h"

using CallLog = std::vector<std::string>;

inline std::string Args(std::initializer_list<long long> values)
{
    std::string text = "(";
    for (long long value : values) {
        if (text.size() > 1)
            text += ',';
        text += std::to_string(value);
    }
    return text + ")";
}

class RecordingMidi final : public Zeph::CMidi {
public:
    explicit RecordingMidi(CallLog& callLog) : log(callLog) {}

    bool Init(int, bool) override { return true; }
    void UpdateFade() override {}
    bool Load(int song, const Zeph::BgmTuneDef* tune) override
    {
        log.push_back("Load(" + std::to_string(song) + "," + tune->path + ")");
        lastTune = tune;
        return !failLoads;
    }
    void Play(int song) override { log.push_back("Play" + Args({song})); }
    void Stop(int song) override { log.push_back("Stop" + Args({song})); }
    void Resume(int song) override { log.push_back("Resume" + Args({song})); }
    void SetVolume(int level) override { log.push_back("SetVolume" + Args({level})); }
    void Fade(int song, int from, int to, unsigned ms, bool keep) override
    {
        log.push_back("Fade" + Args({song, from, to, ms, keep}));
    }
    void ResumeWithFade(int song, int to, unsigned ms, bool keep) override
    {
        log.push_back("ResumeWithFade" + Args({song, to, ms, keep}));
    }
    void Pause(bool) override {}
    bool IsFading() override { return false; }
    void FadeOut(unsigned) override {}
    bool IsPlaying(int song) override { return playing.count(song) != 0; }
    void Release() override {}

    std::set<int> playing;
    bool failLoads = false;
    const Zeph::BgmTuneDef* lastTune = nullptr;

private:
    CallLog& log;
};

class RecordingSoundStatic final : public Zeph::CSoundStatic {
public:
    explicit RecordingSoundStatic(CallLog& callLog) : log(callLog) {}

    Zeph::HResult Init(int, int, unsigned, bool) override { return Zeph::kResultOk; }
    bool Load(int sound, int entry, bool loop, bool create) override
    {
        log.push_back("Load" + Args({sound, entry, loop, create}));
        return sound != failLoadOf;
    }
    void UpdateFades() override {}
    void Play(int sound) override { log.push_back("Play" + Args({sound})); }
    void PlayOnCurrentBuffer(int sound) override { log.push_back("PlayOnCurrentBuffer" + Args({sound})); }
    void FadeIn(int sound) override { log.push_back("FadeIn" + Args({sound})); }
    void Stop(int sound) override { log.push_back("Stop" + Args({sound})); }
    void FadeOut(int sound) override { log.push_back("FadeOut" + Args({sound})); }
    void FadeOutAll() override { log.push_back("FadeOutAll()"); }
    bool SetVolume(int level) override
    {
        log.push_back("SetVolume" + Args({level}));
        return !failVolume;
    }
    bool GetVolume(int, long*) override { return false; }
    bool IsAnyFading() override { return false; }
    void RestoreBuffers() override {}
    void PauseAll(bool) override {}
    void Release() override {}

    int failLoadOf = -1;
    bool failVolume = false;

private:
    CallLog& log;
};

class RecordingError final : public Zeph::CError {
public:
    explicit RecordingError(CallLog& callLog) : log(callLog) {}

    void SetFlags(std::uint8_t*, std::uint8_t*) override {}
    void Error(const char* file, int line, int code, const char*, ...) override
    {
        log.push_back(std::string("Error(") + file + "," + std::to_string(line) + "," + std::to_string(code) + ")");
    }
    std::uint8_t IsError() override { return 0; }
    void ShowError() override {}
    void Warning(int code, const char*, ...) override { log.push_back("Warning" + Args({code})); }
    void Release() override {}

private:
    CallLog& log;
};
