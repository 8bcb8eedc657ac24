// The game's MIDI output: FluidSynth when a soundfont and an audio device can
// be had, else silence with a warning.
#include <cstdio>

#include "FluidSynthOutput.h"
#include "MidiOutput.h"
#include "SoundFontLocator.h"

namespace midi {

std::unique_ptr<MidiOutput> OpenSystemMidiOutput()
{
    const auto soundFont = FindSoundFont();
    if (!soundFont) {
        std::fprintf(stderr, "Velmora: no General MIDI soundfont found (set %s to one); music is silent\n",
                     kSoundFontVariable);
        return std::make_unique<SilentMidiOutput>();
    }
    if (auto synth = FluidSynthOutput::Open(*soundFont, MakeMixerAudioSink()))
        return synth;
    std::fprintf(stderr, "Velmora: cannot play MIDI through FluidSynth with %s; music is silent\n", soundFont->c_str());
    return std::make_unique<SilentMidiOutput>();
}

} // namespace midi
