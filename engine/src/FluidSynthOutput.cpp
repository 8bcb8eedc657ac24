#include "FluidSynthOutput.h"

#include <fluidsynth.h>

#include "MidiResetMessages.h"

namespace midi {
namespace {

// FluidSynth's chatter below errors would fill the game's standard error.
void QuietFluidSynthLog()
{
    static const bool done = [] {
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
        return true;
    }();
    (void)done;
}

constexpr double kSynthGain = 0.5;

} // namespace

std::unique_ptr<FluidSynthOutput> FluidSynthOutput::Open(const std::filesystem::path& soundFont,
                                                         std::unique_ptr<AudioSink> sink)
{
    QuietFluidSynthLog();
    std::unique_ptr<FluidSynthOutput> output(new FluidSynthOutput());
    output->settings_ = new_fluid_settings();
    if (output->settings_ == nullptr)
        return nullptr;
    fluid_settings_setnum(output->settings_, "synth.sample-rate", kSynthSampleRate);
    fluid_settings_setnum(output->settings_, "synth.gain", kSynthGain);
    output->synth_ = new_fluid_synth(output->settings_);
    if (output->synth_ == nullptr)
        return nullptr;
    if (fluid_synth_sfload(output->synth_, soundFont.c_str(), 1) == FLUID_FAILED)
        return nullptr;
    FluidSynthOutput* self = output.get();
    if (sink == nullptr || !sink->Start([self](std::int16_t* frames, int count) { self->Render(frames, count); }))
        return nullptr;
    output->sink_ = std::move(sink);
    return output;
}

FluidSynthOutput::~FluidSynthOutput()
{
    sink_.reset();
    if (synth_ != nullptr)
        delete_fluid_synth(synth_);
    if (settings_ != nullptr)
        delete_fluid_settings(settings_);
}

void FluidSynthOutput::ShortMessage(std::uint32_t message)
{
    const int status = message & 0xFF;
    const int channel = status & 0x0F;
    const int data1 = (message >> 8) & 0x7F;
    const int data2 = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(synth_, channel, data1);
        break;
    case 0x90:
        // Velocity 0 is a note off in FluidSynth as on any synthesizer.
        fluid_synth_noteon(synth_, channel, data1, data2);
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth_, channel, data1, data2);
        break;
    case 0xB0:
        fluid_synth_cc(synth_, channel, data1, data2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth_, channel, data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth_, channel, data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
        break;
    default:
        break; // system messages have no meaning for the synthesizer
    }
}

bool FluidSynthOutput::LongMessage(std::span<const std::uint8_t> message)
{
    if (message.size() < 2 || message.front() != 0xF0 || message.back() != 0xF7)
        return false;
    const bool isReset = IsResetSysEx(message);
    if (isReset)
        fluid_synth_system_reset(synth_);
    const auto* body = reinterpret_cast<const char*>(message.data() + 1);
    const int result =
        fluid_synth_sysex(synth_, body, static_cast<int>(message.size() - 2), nullptr, nullptr, nullptr, 0);
    return result == FLUID_OK || isReset;
}

void FluidSynthOutput::Render(std::int16_t* stereoFrames, int frameCount)
{
    fluid_synth_write_s16(synth_, frameCount, stereoFrames, 0, 2, stereoFrames, 1, 2);
}

} // namespace midi
