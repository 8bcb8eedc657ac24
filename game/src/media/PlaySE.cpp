#include "media/PlaySE.h"

#include <algorithm>
#include <iterator>

#include "record/Config.h"
#include "core/ZephGlobals.h"

CPlaySE* ThePlaySE = nullptr;

namespace {

constexpr int kVolumeWarning = 3;

// The looping effects, by loop index.
constexpr int LoopSeTable[2] = {27, 29};

bool LoadedLooping(int id)
{
    return id == LoopSeTable[0] || id == LoopSeTable[1];
}

// Effects that many objects trigger in a burst play at most once in this
// many scene updates; the others at most once per update.
constexpr std::uint32_t kBurstGuardUpdates = 4;

bool HasBurstGuard(int id)
{
    switch (id) {
    case 8:
    case 9:
    case 17:
    case 18:
    case 24:
    case 27:
    case 30:
    case 31:
    case 32:
    case 33:
    case 34:
    case 35:
        return true;
    default:
        return false;
    }
}

} // namespace

CPlaySE::CPlaySE()
{
    std::fill(std::begin(lastPlayed), std::end(lastPlayed), kNeverPlayed);
}

bool CPlaySE::InitPlaySE()
{
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id) {
        // Kept, so the engine can refill the buffers after a loss.
        if (!ZephSoundStatic->Load(id, SoundEffectPackEntry[id], LoadedLooping(id), true))
            return false;
    }
    if (!ZephSoundStatic->SetVolume(GameConfig.SoundVol))
        ZephError->Warning(kVolumeWarning, nullptr);
    return true;
}

void CPlaySE::CountPlaySEFrame()
{
    ++frameCounter;
}

void CPlaySE::PlaySoundEffect(int id)
{
    if (id < 0 || id >= SOUND_EFFECT_COUNT)
        return;
    const std::uint32_t sinceLast = frameCounter - lastPlayed[id];
    const bool refused = HasBurstGuard(id) ? sinceLast < kBurstGuardUpdates : sinceLast == 0;
    if (refused)
        return;
    ZephSoundStatic->Play(id);
    lastPlayed[id] = frameCounter;
}

void CPlaySE::SetLoopSE(int loopIndex, bool on, bool fade)
{
    if (loopIndex < 0 || loopIndex > 1 || loopOn[loopIndex] == on)
        return;
    loopOn[loopIndex] = on;
    const int effect = LoopSeTable[loopIndex];
    if (on && fade)
        ZephSoundStatic->FadeIn(effect);
    else if (on)
        ZephSoundStatic->Play(effect);
    else if (fade)
        ZephSoundStatic->FadeOut(effect);
    else
        ZephSoundStatic->Stop(effect);
}

void CPlaySE::SetSoundEffectVolume(int level)
{
    if (level == GameConfig.SoundVol)
        return;
    if (ZephSoundStatic->SetVolume(level))
        GameConfig.SoundVol = level;
    else
        ZephError->Warning(kVolumeWarning, nullptr);
}

void PlaySoundEffect(int id)
{
    ThePlaySE->PlaySoundEffect(id);
}
