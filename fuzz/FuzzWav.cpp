// WAV data of sound-effect entries, read the way the game reads them: the
// sound-effect player loads its 36 effects from the pack into the engine's
// static-sound object (the input is the entry of effect 0 and of the looping
// effect 27, the others are tiny sounds), plays effect 0, fades the loop in
// and out, and the offline mixer mixes every step.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Encoders.h"
#include "FuzzSupport.h"
#include "PackWriter.h"
#include "WavEntry.h"
#include "Zeph.h"
#include "core/PackCatalogue.h"
#include "core/ZephGlobals.h"
#include "media/PlaySE.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "record/Config.h"

namespace {

constexpr int kLoopEffect = 27; // the first of the two looping effects

// The engine objects the player uses, made once: the error object, the pack
// reader and the static-sound object of 36 sounds with a 150 ms fade.
struct Engine {
    Engine()
    {
        plat::UseVirtualClock(0);
        plat::AudioMixer::Shared().SetOffline(true);
        plat::SetBaseFolder(fuzzsupport::ScratchFolder());
        ZephError = CreateError();
        ZephFilePack = CreateFilePack();
        ZephSoundStatic = CreateSoundStatic();
        if (!ZephFilePack->Init(1) || ZephSoundStatic->Init(SOUND_EFFECT_COUNT, 0, 150, true) != Zeph::kResultOk)
            __builtin_trap();
        GameConfig.ResetGameConfig();
    }
};

void MixSteps(int steps)
{
    std::vector<std::int16_t> block(2 * 256);
    for (int i = 0; i < steps; ++i) {
        plat::AdvanceVirtualClock(16);
        ZephSoundStatic->UpdateFades();
        plat::AudioMixer::Shared().Mix(block.data(), 256);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The reader itself: the data chunk must lie whole inside the entry.
    const auto sound = engine::ReadWavEntry(data, size);
    if (sound && (sound->dataOffset > size || sound->dataBytes > size - sound->dataOffset))
        __builtin_trap();

    static Engine engine;
    static const packwriter::Bytes tiny = sampledata::EncodeWav({0, 1200, -1200, 0});
    std::vector<packwriter::Bytes> entries(PACK_ENTRY_COUNT);
    for (int id = 0; id < SOUND_EFFECT_COUNT; ++id)
        entries[static_cast<std::size_t>(SoundEffectPackEntry[id])] = tiny;
    const packwriter::Bytes input(data, data + size);
    entries[static_cast<std::size_t>(SoundEffectPackEntry[0])] = input;
    entries[static_cast<std::size_t>(SoundEffectPackEntry[kLoopEffect])] = input;
    if (!packwriter::WritePack(fuzzsupport::ScratchFolder() / "Pack.dat", entries) ||
        !ZephFilePack->OpenPack("Pack.dat", 0))
        return 0;

    CPlaySE player;
    if (player.InitPlaySE()) {
        player.CountPlaySEFrame();
        player.PlaySoundEffect(0);
        player.SetLoopSE(0, true, true);
        MixSteps(8);
        player.SetLoopSE(0, false, true);
        MixSteps(12);
    }
    ZephSoundStatic->Stop(0);
    ZephSoundStatic->Stop(kLoopEffect);
    return 0;
}
