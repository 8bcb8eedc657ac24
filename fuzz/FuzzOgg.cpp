// Ogg Vorbis files: loaded onto a stream, sought and decoded for a few
// blocks of the offline mixer.
#include <sched.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "OggVorbisDerived.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

namespace {

COggVorbisDerived* Streams()
{
    static COggVorbisDerived* ogg = [] {
        plat::UseVirtualClock(0);
        plat::AudioMixer::Shared().SetOffline(true);
        plat::SetBaseFolder(fuzzsupport::ScratchFolder());
        auto* made = static_cast<COggVorbisDerived*>(CreateOggVorbis());
        if (made->Init(1, 16384, false, true, 2, 44100) != Zeph::kResultOk)
            __builtin_trap();
        return made;
    }();
    return ogg;
}

void WaitForWorkers(COggVorbisDerived* ogg)
{
    while (!ogg->WorkersIdle())
        sched_yield();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    COggVorbisDerived* ogg = Streams();
    if (fuzzsupport::WriteScratchFile("tune.ogg", data, size).empty())
        return 0;
    const Zeph::OggTuneDef tune{"tune.ogg", 0.0, 0.0, 0.0, 1.0, 0};
    if (ogg->Load(0, &tune, false, false)) {
        const double length = ogg->GetLengthMs(0);
        (void)ogg->Seek(0, length / 2.0);
        ogg->Play(0);
        std::vector<std::int16_t> block(512);
        for (int i = 0; i < 8; ++i) {
            WaitForWorkers(ogg);
            plat::AudioMixer::Shared().Mix(block.data(), 256);
        }
        ogg->Stop(0);
        WaitForWorkers(ogg);
    }
    return 0;
}
