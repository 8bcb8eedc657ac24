// The MIDI output that sounds: FluidSynth with a General MIDI soundfont,
// rendering into an audio sink.
#pragma once

#include <filesystem>
#include <memory>

#include "MidiAudioSink.h"
#include "MidiOutput.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace midi {

class FluidSynthOutput final : public MidiOutput {
public:
    // Null when the synthesizer, the soundfont or the sink cannot be set up.
    static std::unique_ptr<FluidSynthOutput> Open(const std::filesystem::path& soundFont,
                                                  std::unique_ptr<AudioSink> sink);
    ~FluidSynthOutput() override;

    void ShortMessage(std::uint32_t message) override;
    // Resets (GM, GS, XG) are honoured by FluidSynth where it knows them and
    // emulated by a full synthesizer reset otherwise.
    bool LongMessage(std::span<const std::uint8_t> message) override;

    void Render(std::int16_t* stereoFrames, int frameCount);

private:
    FluidSynthOutput() = default;

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    std::unique_ptr<AudioSink> sink_; // stopped first: it calls Render
};

} // namespace midi
