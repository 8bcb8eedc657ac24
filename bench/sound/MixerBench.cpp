// Cost of the mixer: 16 voices at once (a mix of rates and sample formats,
// most of them resampled), reported as CPU time per second of audio, i.e. the
// fraction of real time the audio callback spends mixing.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/SoundBuffer.h"

namespace {

std::shared_ptr<plat::SoundBuffer> Tone(plat::AudioMixer& mixer, const plat::PcmFormat& format, double hz)
{
    const int frames = format.sampleRate; // one second, looped
    auto buffer = plat::SoundBuffer::Create(mixer, format, static_cast<std::uint32_t>(frames * format.BlockAlign()));
    std::vector<std::uint8_t> data(buffer->Bytes());
    std::uint8_t* bytes = data.data();
    for (int i = 0; i < frames; ++i) {
        const double value = 0.2 * std::sin(2.0 * M_PI * hz * i / format.sampleRate);
        for (int c = 0; c < format.channels; ++c) {
            if (format.bitsPerSample == 8) {
                *bytes++ = static_cast<std::uint8_t>(128 + std::lround(value * 127));
            } else {
                const auto sample = static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767)));
                *bytes++ = static_cast<std::uint8_t>(sample);
                *bytes++ = static_cast<std::uint8_t>(sample >> 8);
            }
        }
    }
    buffer->Write(0, data.data(), buffer->Bytes());
    return buffer;
}

void SixteenVoices(benchmark::State& state)
{
    plat::AudioMixer mixer;
    const plat::PcmFormat formats[] = {
        {2, 44100, 16},
        {1, 22050, 16},
        {1, 22050, 8},
        {2, 48000, 16},
    };
    std::vector<std::shared_ptr<plat::SoundBuffer>> voices;
    for (int i = 0; i < 16; ++i) {
        voices.push_back(Tone(mixer, formats[i % 4], 220.0 + 55.0 * i));
        voices.back()->SetVolume(-200 * (i % 5));
        voices.back()->Play(true);
    }
    std::vector<std::int16_t> out(plat::kMixFramesPerCallback * plat::kMixChannels);
    for (auto _ : state) {
        mixer.Mix(out.data(), plat::kMixFramesPerCallback);
        benchmark::DoNotOptimize(out.data());
    }
    const double audioSeconds = static_cast<double>(state.iterations()) * plat::kMixFramesPerCallback / plat::kMixRate;
    // CPU seconds per second of audio.
    state.counters["realtime_fraction"] =
        benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(SixteenVoices);

} // namespace

BENCHMARK_MAIN();
