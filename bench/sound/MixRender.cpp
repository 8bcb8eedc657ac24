// Renders a few seconds of the mixer offline into a WAV file, so the output
// can be measured with ordinary tools (sox --i FILE; sox FILE -n stat):
// 0-1 s a 440 Hz tone (22050 Hz, 8-bit mono) at full volume, 1-2 s the same
// at -602 (half amplitude), 2-3 s a 16-bit stereo 660 Hz tone added.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/SoundBuffer.h"

namespace {

void Put32(std::ofstream& out, std::uint32_t value)
{
    const char bytes[] = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                          static_cast<char>(value >> 24)};
    out.write(bytes, 4);
}

void Put16(std::ofstream& out, std::uint16_t value)
{
    const char bytes[] = {static_cast<char>(value), static_cast<char>(value >> 8)};
    out.write(bytes, 2);
}

bool WriteWav(const char* path, const std::vector<std::int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, plat::kMixChannels);
    Put32(out, plat::kMixRate);
    Put32(out, plat::kMixRate * plat::kMixChannels * 2);
    Put16(out, plat::kMixChannels * 2);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (std::int16_t s : samples)
        Put16(out, static_cast<std::uint16_t>(s));
    return static_cast<bool>(out);
}

std::shared_ptr<plat::SoundBuffer> Sine(plat::AudioMixer& mixer, const plat::PcmFormat& format, double hz, double level)
{
    const int frames = format.sampleRate;
    auto buffer = plat::SoundBuffer::Create(mixer, format, static_cast<std::uint32_t>(frames * format.BlockAlign()));
    std::vector<std::uint8_t> data(buffer->Bytes());
    std::uint8_t* bytes = data.data();
    for (int i = 0; i < frames; ++i) {
        const double value = level * std::sin(2.0 * M_PI * hz * i / format.sampleRate);
        for (int c = 0; c < format.channels; ++c) {
            if (format.bitsPerSample == 8) {
                *bytes++ = static_cast<std::uint8_t>(128 + std::lround(value * 127));
            } else {
                const auto s = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767)));
                *bytes++ = static_cast<std::uint8_t>(s);
                *bytes++ = static_cast<std::uint8_t>(s >> 8);
            }
        }
    }
    buffer->Write(0, data.data(), buffer->Bytes());
    return buffer;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.wav\n", argv[0]);
        return 2;
    }
    plat::AudioMixer mixer;
    auto low = Sine(mixer, plat::PcmFormat{1, 22050, 8}, 440.0, 0.5);
    auto high = Sine(mixer, plat::PcmFormat{2, 44100, 16}, 660.0, 0.25);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(plat::kMixRate) * 3 * plat::kMixChannels);
    std::int16_t* out = samples.data();
    low->Play(true);
    mixer.Mix(out, plat::kMixRate);
    low->SetVolume(-602);
    mixer.Mix(out + plat::kMixRate * 2, plat::kMixRate);
    high->Play(true);
    mixer.Mix(out + plat::kMixRate * 4, plat::kMixRate);
    return WriteWav(argv[1], samples) ? 0 : 1;
}
