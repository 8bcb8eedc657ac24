#include "media/PlayBGM.h"

#include <cstdio>

#include "media/BgmTuneTable.h"
#include "record/Config.h"
#include "core/ZephGlobals.h"

CPlayBGM* ThePlayBGM = nullptr;

namespace {

constexpr int kFromCurrentLevel = -1;
constexpr int kSilence = 0;
// One engine fade step; a fade-out is shortened by it so that the song ends
// on the frame the caller counted on.
constexpr unsigned kFadeStepMs = 17;
constexpr unsigned kVolumeGlideMs = 200;

bool MusicOn()
{
    return GameConfig.BGMVol != 0;
}

bool ValidTrack(int track)
{
    return track >= 0 && track < CPlayMidi::TRACK_COUNT;
}

} // namespace

void CPlayMidi::InitTunes()
{
    ZephMidi->SetVolume(GameConfig.BGMVol);
    LoadTune(BGM_FIELD_TRACK, BGM_TITLE_TUNE, false);
    LoadTune(BGM_BATTLE_TRACK, BGM_BATTLE_TUNE, false);
}

bool CPlayMidi::LoadTune(int track, int tune, bool force, int /*unused*/)
{
    // The engine has two song slots; any other track would write past ours.
    if (!ValidTrack(track))
        return false;
    if (tune < 0 || tune >= BGM_TUNE_COUNT)
        tune = BGM_TITLE_TUNE;
    if (tunePerTrack[track] == tune && !force)
        return false;
    // The game goes on without the tune, but the player hears silence, so
    // say which file failed.
    if (!ZephMidi->Load(track, &BgmTuneTable[tune]))
        std::fprintf(stderr, "Velmora: could not load the tune %s into track %d\n", BgmTuneTable[tune].path, track);
    tunePerTrack[track] = tune;
    return true;
}

void CPlayMidi::Play(int track, int /*unused*/)
{
    if (!ValidTrack(track))
        return;
    if (MusicOn())
        ZephMidi->Play(track);
    if (track == BGM_FIELD_TRACK)
        suspended = false;
}

void CPlayMidi::ResumeWithFade(int track, int ms)
{
    if (!ValidTrack(track))
        return;
    if (MusicOn())
        ZephMidi->ResumeWithFade(track, kFromCurrentLevel, static_cast<unsigned>(ms), false);
    if (track == BGM_FIELD_TRACK)
        suspended = false;
}

void CPlayMidi::FadeOut(int track, unsigned ms)
{
    if (!ValidTrack(track))
        return;
    if (ms >= kFadeStepMs)
        ms -= kFadeStepMs;
    if (!MusicOn() || !ZephMidi->IsPlaying(track))
        return;
    if (ms != 0)
        ZephMidi->Fade(track, kFromCurrentLevel, kSilence, ms, false);
    else
        ZephMidi->Stop(track);
}

void CPlayMidi::SetMusicVolume(int level)
{
    if (level == GameConfig.BGMVol)
        return;
    if (suspended) {
        ZephMidi->SetVolume(level);
    } else if (ZephMidi->IsPlaying(BGM_FIELD_TRACK)) {
        ZephMidi->Fade(BGM_FIELD_TRACK, kFromCurrentLevel, level, kVolumeGlideMs, true);
    } else {
        ZephMidi->SetVolume(level);
        // Switching music back on starts the field track from its beginning.
        if (level != 0)
            ZephMidi->Play(BGM_FIELD_TRACK);
    }
    GameConfig.BGMVol = level;
}

void CPlayMidi::Stop(int track)
{
    if (!ValidTrack(track))
        return;
    if (MusicOn() && ZephMidi->IsPlaying(track))
        ZephMidi->Stop(track);
}

void CPlayMidi::SetSuspended(bool flag)
{
    suspended = flag;
}

bool CPlayMidi::IsSuspended()
{
    return suspended;
}

int CPlayMidi::GetTune(int track)
{
    return ValidTrack(track) ? tunePerTrack[track] : -1;
}
