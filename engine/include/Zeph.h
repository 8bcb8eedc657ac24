// Public interface of the engine library Zeph.
//
// The game loads Data/libZeph.so at run time, binds the exported factories by
// name and afterwards calls only the virtual operations declared here. Every
// interface ends with Release, which destroys the object inside the library;
// the host never deletes an engine object itself. Operations report failure
// through their results and never throw across the boundary.
#pragma once

#include <cstdint>

struct SDL_Window;

// Graphics objects of the platform layer (platform/Device.h).
class Direct3DDevice9;
class Direct3DTexture9;
class Direct3DSprite9;

namespace Zeph {

// A platform result code: negative means failure.
using HResult = std::int32_t;
constexpr HResult kResultOk = 0;
constexpr HResult kResultFail = static_cast<HResult>(0x80004005u);

// The host window the engine draws into, owns message boxes with and reads
// input from. Null in tests that have no window.
using WindowHandle = SDL_Window*;

// ----------------------------------------------------------------------------
class CError {
public:
    virtual void SetFlags(std::uint8_t* errorFlag, std::uint8_t* showWarnings) = 0;
    virtual void Error(const char* file, int line, int code, const char* format, ...) = 0;
    virtual std::uint8_t IsError() = 0;
    virtual void ShowError() = 0;
    virtual void Warning(int code, const char* format, ...) = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
class CFilePack {
public:
    virtual bool Init(unsigned packCount) = 0;
    virtual bool OpenPack(const char* path, int pack) = 0;
    virtual bool LoadTexture(Direct3DTexture9** texture, int pack, int entry) = 0;
    virtual void ReleaseTexture(Direct3DTexture9* texture) = 0;
    // Returns a buffer the caller owns until FreeData, or null. `old`, when
    // not null, is freed first, even when the load then fails.
    virtual unsigned char* LoadData(int pack, int entry, int* length, unsigned char* old) = 0;
    virtual void FreeData(unsigned char* buffer) = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
class CGraphic {
public:
    // start: 0 full screen, 1 window.
    virtual HResult Init(int start, int width, int height, bool alphaBlend, int unused, bool makeSprite) = 0;
    virtual void GetDevice(Direct3DDevice9** device, Direct3DSprite9** sprite) = 0;
    virtual void SaveScreenShot(bool windowed, bool toFile, int dx, int dy) = 0;
    virtual HResult ChangeScreenMode(int set) = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
// Slots 0..11 are buttons, 12..15 the directions up, down, left, right.
class CKeyInput {
public:
    virtual HResult Init(void* instance, bool keyboard, bool controller, std::uint8_t buttonCount,
                         const std::uint8_t keys[16], const std::uint8_t buttons[12]) = 0;
    virtual void Update() = 0;
    virtual int GetDirectionPush() = 0;
    virtual int GetDirectionHold() = 0;
    virtual int GetDirectionRelease() = 0;
    virtual bool IsUpPush() = 0;
    virtual bool IsUpHold() = 0;
    virtual bool IsUpRelease() = 0;
    virtual bool IsDownPush() = 0;
    virtual bool IsDownHold() = 0;
    virtual bool IsDownRelease() = 0;
    virtual bool IsLeftPush() = 0;
    virtual bool IsLeftHold() = 0;
    virtual bool IsLeftRelease() = 0;
    virtual bool IsRightPush() = 0;
    virtual bool IsRightHold() = 0;
    virtual bool IsRightRelease() = 0;
    virtual bool IsButtonPush(std::uint8_t button) = 0;
    virtual bool IsButtonHold(std::uint8_t button) = 0;
    virtual bool IsButtonRelease(std::uint8_t button) = 0;
    virtual int GetButtonPushMask(int buttonCount) = 0;
    virtual int GetButtonHoldMask(int buttonCount) = 0;
    virtual int GetButtonReleaseMask(int buttonCount) = 0;
    virtual void SetAcquire(bool acquire) = 0;
    virtual HResult Reset() = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
// One rendered character of a text object; owned by the object's glyph table.
struct GlyphRecord {
    GlyphRecord* child[2];
    Direct3DTexture9* texture;
    char16_t code;
    std::int16_t width;
    std::int16_t height;
    std::int16_t advance;
    std::int16_t left;
    std::int16_t top;
};

class CTextTexture {
public:
    virtual bool Init(int height, int weight, const char* face, int tableBits, std::uint32_t textColour,
                      int outputPrecision, int italic, int glyphFormat, float intensity, std::uint8_t inkThreshold,
                      int edgeWidth, std::uint32_t edgeColour, int shadowOffset, std::uint32_t shadowColour,
                      bool proportional, int fullWidthAdvance, int halfWidthAdvance, int revealSpeed, float fade,
                      bool indent) = 0;
    virtual bool PrepareCharSets(int setFlags) = 0;
    virtual GlyphRecord* GetGlyph(char16_t code) = 0;
    virtual bool PrepareString(const char16_t* text) = 0;
    virtual int MeasureString(const char16_t* text, int length, float pen[2], float lineAdvance, float widthLimit) = 0;
    virtual int GetStringWidth(const char16_t* text, int length) = 0;
    virtual int GetStringHeight(const char16_t* text, int length) = 0;
    virtual bool DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length,
                            float lineAdvance, float widthLimit, int revealCount, int minimumAdvance) = 0;
    virtual void ClearGlyphs() = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
// A tune handed to CMidi::Load; only read.
struct BgmTuneDef {
    const char* path;
    double volume;
    std::int32_t startMarker;
    std::int32_t loopMarker;
    std::int32_t endMarker;
    std::uint8_t replaceResets;
    std::uint8_t fullChase;
};

class CMidi {
public:
    virtual bool Init(int songCount, bool raiseTimerResolution) = 0;
    virtual void UpdateFade() = 0;
    virtual bool Load(int song, const BgmTuneDef* tune) = 0;
    virtual void Play(int song) = 0;
    virtual void Stop(int song) = 0;
    virtual void Resume(int song) = 0;
    virtual void SetVolume(int level) = 0;
    virtual void Fade(int song, int fromLevel, int toLevel, unsigned ms, bool keepAsSetLevel) = 0;
    virtual void ResumeWithFade(int song, int toLevel, unsigned ms, bool keepAsSetLevel) = 0;
    virtual void Pause(bool resume) = 0;
    virtual bool IsFading() = 0;
    virtual void FadeOut(unsigned ms) = 0;
    virtual bool IsPlaying(int song) = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
class CSoundStatic {
public:
    virtual HResult Init(int soundCount, int pack, unsigned fadeMs, bool software) = 0;
    virtual bool Load(int sound, int entry, bool loop, bool create) = 0;
    virtual void UpdateFades() = 0;
    virtual void Play(int sound) = 0;
    virtual void PlayOnCurrentBuffer(int sound) = 0;
    virtual void FadeIn(int sound) = 0;
    virtual void Stop(int sound) = 0;
    virtual void FadeOut(int sound) = 0;
    virtual void FadeOutAll() = 0;
    virtual bool SetVolume(int level) = 0;
    virtual bool GetVolume(int sound, long* volume) = 0;
    virtual bool IsAnyFading() = 0;
    virtual void RestoreBuffers() = 0;
    virtual void PauseAll(bool resume) = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
class CSound {
public:
    virtual HResult Init(unsigned channelCount, int pack, unsigned bufferBytes, unsigned fadeMs, bool software,
                         int channels, int sampleRate, int bitsPerSample) = 0;
    virtual void UpdateFades() = 0;
    virtual void Play(int channel, int entry) = 0;
    virtual void Resume(int channel) = 0;
    virtual void FadeIn(int channel) = 0;
    virtual void Stop(int channel) = 0;
    virtual void FadeOut(int channel) = 0;
    virtual void FadeOutAll() = 0;
    virtual bool SetVolume(int level) = 0;
    virtual bool GetVolume(int channel, long* volume) = 0;
    virtual bool IsAnyFading() = 0;
    virtual void RestoreBuffers() = 0;
    virtual void PauseAll(bool resume) = 0;
    virtual void Release() = 0;
};

// ----------------------------------------------------------------------------
// A stream handed to COggVorbis::Load; only read.
struct OggTuneDef {
    const char* path;
    double startMs;
    double loopStartMs;
    double loopEndMs;
    double volumeScale;
    std::int8_t loopPairCount;
};

class COggVorbis {
public:
    virtual HResult Init(unsigned streamCount, unsigned bufferBytes, bool software, bool strictNotifications,
                         int channels, int sampleRate) = 0;
    virtual void UpdateFades() = 0;
    virtual bool Load(int stream, const OggTuneDef* tune, bool prepareOnOpen, bool waitForStop) = 0;
    virtual void SetLoopCount(int stream, int repeats) = 0;
    virtual void Play(int stream) = 0;
    virtual void Resume(int stream) = 0;
    virtual void ResumeWithFade(int stream, int toLevel, unsigned ms, bool keep) = 0;
    virtual HResult Fade(int stream, int fromLevel, int toLevel, unsigned ms, bool keep) = 0;
    virtual void Stop(int stream) = 0;
    virtual HResult FadeOut(int stream, int fromLevel, unsigned ms, bool keep) = 0;
    virtual void FadeOutAll(int fromLevel, unsigned ms) = 0;
    virtual bool SetVolume(int stream, int level) = 0;
    virtual bool GetVolume(int stream, long* volume) = 0;
    virtual int GetVolumeLevel(int stream) = 0;
    virtual double GetLengthMs(int stream) = 0;
    virtual std::uint32_t Seek(int stream, double ms) = 0;
    virtual bool IsPlaying(int stream) = 0;
    virtual bool IsFading(int stream) = 0;
    virtual bool IsAnyFading() = 0;
    virtual void RestoreBuffers() = 0;
    virtual void PauseAll(bool resume) = 0;
    virtual void Release() = 0;
};

} // namespace Zeph

// ----------------------------------------------------------------------------
// Exports, bound by name. Each factory returns null when it cannot allocate.
#define ZEPH_EXPORT extern "C" __attribute__((visibility("default")))

ZEPH_EXPORT Zeph::CError* CreateError();
ZEPH_EXPORT Zeph::CFilePack* CreateFilePack();
ZEPH_EXPORT Zeph::CGraphic* CreateGraphic();
ZEPH_EXPORT Zeph::CKeyInput* CreateKeyInput();
ZEPH_EXPORT Zeph::CMidi* CreateMidi();
ZEPH_EXPORT Zeph::COggVorbis* CreateOggVorbis();
ZEPH_EXPORT Zeph::CSound* CreateSound();
ZEPH_EXPORT Zeph::CSoundStatic* CreateSoundStatic();
ZEPH_EXPORT Zeph::CTextTexture* CreateTextTexture();
// The frame clock is accepted and not used.
ZEPH_EXPORT void SetZephAppData(Zeph::WindowHandle window, std::uint32_t* frameClock, std::uint32_t* currentFvf,
                                Direct3DTexture9** currentTexture);

// Function types the host binds with dlsym.
namespace Zeph {
using CreateErrorProc = CError* (*)();
using CreateFilePackProc = CFilePack* (*)();
using CreateGraphicProc = CGraphic* (*)();
using CreateKeyInputProc = CKeyInput* (*)();
using CreateMidiProc = CMidi* (*)();
using CreateOggVorbisProc = COggVorbis* (*)();
using CreateSoundProc = CSound* (*)();
using CreateSoundStaticProc = CSoundStatic* (*)();
using CreateTextTextureProc = CTextTexture* (*)();
using SetZephAppDataProc = void (*)(WindowHandle, std::uint32_t*, std::uint32_t*, Direct3DTexture9**);
} // namespace Zeph
