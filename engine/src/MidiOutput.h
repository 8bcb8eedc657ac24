// Where the sequencer's messages go: a synthesizer, a recorder for tests, or
// nowhere. Only the player thread sends; implementations that are read from
// other threads guard themselves.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace midi {

class MidiOutput {
public:
    virtual ~MidiOutput() = default;
    // status | first data << 8 | second data << 16
    virtual void ShortMessage(std::uint32_t message) = 0;
    // A whole system-exclusive message, 0xF0 to 0xF7. False when it could not be sent.
    virtual bool LongMessage(std::span<const std::uint8_t> message) = 0;
};

inline std::uint32_t PackShortMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    return status | static_cast<std::uint32_t>(data1) << 8 | static_cast<std::uint32_t>(data2) << 16;
}

// Accepts everything and plays nothing: used when no synthesizer can be made.
class SilentMidiOutput final : public MidiOutput {
public:
    void ShortMessage(std::uint32_t) override {}
    bool LongMessage(std::span<const std::uint8_t>) override { return true; }
};

// The game's output: FluidSynth with the system's General MIDI soundfont
// playing to the audio device, or a silent output (with a warning on
// standard error) when no soundfont or audio device can be found.
std::unique_ptr<MidiOutput> OpenSystemMidiOutput();

} // namespace midi
