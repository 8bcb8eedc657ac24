#include <benchmark/benchmark.h>

#include "FluidSynthOutput.h"
#include "MidiFileReader.h"
#include "SmfBuilder.h"
#include "SoundFontLocator.h"

namespace {

// 16 tracks of 1 250 note pairs each: 40 000 events to merge.
smf::Bytes LargeFile()
{
    std::vector<smf::Track> tracks(16);
    for (int t = 0; t < 16; ++t) {
        tracks[t].Program(0, t, t * 8).Controller(0, t, 7, 100);
        for (int i = 0; i < 1250; ++i)
            tracks[t].NoteOn(t + 1, t, 40 + (i + t) % 48, 90).NoteOff(60, t, 40 + (i + t) % 48);
        tracks[t].End();
    }
    return smf::File(1, 480, tracks);
}

void ReadLargeFile(benchmark::State& state)
{
    const smf::Bytes file = LargeFile();
    midi::TuneSettings tune;
    for (auto _ : state) {
        midi::EventList list;
        benchmark::DoNotOptimize(midi::ReadMidiFile(file, tune, list));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(ReadLargeFile)->Unit(benchmark::kMillisecond);

// One second of sound with 24 voices held: the time per iteration is the
// share of a second that the synthesizer needs.
void RenderOneSecond(benchmark::State& state)
{
    const auto soundFont = midi::FindSoundFont();
    if (!soundFont) {
        state.SkipWithError("no soundfont");
        return;
    }
    auto sinkOwned = std::make_unique<midi::OfflineAudioSink>();
    midi::OfflineAudioSink& sink = *sinkOwned;
    auto synth = midi::FluidSynthOutput::Open(*soundFont, std::move(sinkOwned));
    for (int channel = 0; channel < 8; ++channel)
        for (int note = 0; note < 3; ++note)
            synth->ShortMessage(midi::PackShortMessage(0x90 | channel, 48 + channel * 2 + note * 4, 100));
    for (auto _ : state) {
        sink.Render(midi::kSynthSampleRate);
        state.PauseTiming();
        sink.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(RenderOneSecond)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
