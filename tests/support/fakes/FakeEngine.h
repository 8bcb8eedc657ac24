// The engine's objects as a game test sees them: an error object that keeps
// each report, a pack that serves entries from memory and counts what it
// handed out and got back, and MIDI and static-sound objects that keep each
// call as a short text ("Fade(0,-1,0,483,0)") in one shared log, so a test
// compares what the game asked of the engine with a table.
#pragma once

#include <cstdarg>
#include <cstring>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Zeph.h"
#include "fakes/FakeTexture.h"

namespace fakes {

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

struct ErrorReport {
    std::string file;
    int line;
    int code;
    bool operator==(const ErrorReport&) const = default;
};

// Keeps every report; given a log, also writes errors and warnings into it.
class RecordingError final : public Zeph::CError {
public:
    RecordingError() = default;
    explicit RecordingError(CallLog& callLog) : log_(&callLog) {}

    std::vector<ErrorReport> reports;

    void SetFlags(std::uint8_t*, std::uint8_t*) override {}
    void Error(const char* file, int line, int code, const char*, ...) override
    {
        reports.push_back({file, line, code});
        if (log_ != nullptr)
            log_->push_back(std::string("Error(") + file + "," + std::to_string(line) + "," + std::to_string(code) +
                            ")");
    }
    std::uint8_t IsError() override { return reports.empty() ? 0 : 1; }
    void ShowError() override {}
    void Warning(int code, const char*, ...) override
    {
        if (log_ != nullptr)
            log_->push_back("Warning" + Args({code}));
    }
    void Release() override {}

private:
    CallLog* log_ = nullptr;
};

struct FakeImage {
    std::uint32_t width;
    std::uint32_t height;
    HRESULT levelDescResult = D3D_OK;
};

class FakeFilePack : public Zeph::CFilePack {
public:
    std::map<int, std::string> data; // entries LoadData serves
    std::map<int, FakeImage> images; // entries LoadTexture serves
    int outstandingData = 0;         // LoadData buffers not yet freed
    std::vector<Direct3DTexture9*> releasedTextures;

    bool Init(unsigned) override { return true; }
    bool OpenPack(const char*, int) override { return true; }
    bool LoadTexture(Direct3DTexture9** texture, int pack, int entry) override
    {
        const auto found = images.find(entry);
        if (pack != 0 || found == images.end())
            return false;
        *texture = new FakeTexture(found->second.width, found->second.height, found->second.levelDescResult);
        return true;
    }
    void ReleaseTexture(Direct3DTexture9* texture) override
    {
        releasedTextures.push_back(texture);
        texture->Release();
    }
    unsigned char* LoadData(int pack, int entry, int* length, unsigned char* old) override
    {
        if (old != nullptr)
            FreeData(old);
        const auto found = data.find(entry);
        if (pack != 0 || found == data.end())
            return nullptr;
        auto* buffer = new unsigned char[found->second.size() + 1];
        std::memcpy(buffer, found->second.data(), found->second.size());
        *length = static_cast<int>(found->second.size());
        ++outstandingData;
        return buffer;
    }
    void FreeData(unsigned char* buffer) override
    {
        if (buffer == nullptr)
            return;
        --outstandingData;
        delete[] buffer;
    }
    void Release() override {}
};

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

} // namespace fakes
