#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>

#include "FluidSynthOutput.h"
#include "MidiTestSupport.h"
#include "SoundFontLocator.h"
#include "TempFolder.h"

namespace {

// Renders the synthesizer up to the virtual clock's time before each message,
// so the sound follows the sequencer's timing.
class RenderInStep final : public midi::MidiOutput {
public:
    RenderInStep(midi::MidiOutput& synth, midi::OfflineAudioSink& sink) : synth_(synth), sink_(sink) {}

    void ShortMessage(std::uint32_t message) override
    {
        CatchUp(plat::NowMs());
        synth_.ShortMessage(message);
    }
    bool LongMessage(std::span<const std::uint8_t> message) override
    {
        CatchUp(plat::NowMs());
        return synth_.LongMessage(message);
    }
    void CatchUp(std::uint32_t ms)
    {
        const std::size_t due = static_cast<std::size_t>(ms) * midi::kSynthSampleRate / 1000;
        if (due > sink_.FramesRendered())
            sink_.Render(static_cast<int>(due - sink_.FramesRendered()));
    }

private:
    midi::MidiOutput& synth_;
    midi::OfflineAudioSink& sink_;
};

void WriteWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary);
    auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>(value >> (8 * i)));
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put(36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(midi::kSynthSampleRate, 4);
    put(midi::kSynthSampleRate * 4, 4);
    put(4, 2);
    put(16, 2);
    out.write("data", 4);
    put(dataBytes, 4);
    for (std::int16_t sample : samples)
        put(static_cast<std::uint16_t>(sample), 2);
}

// The "RMS amplitude" sox measures over [startS, startS + lengthS) of the file; -1 when sox cannot run.
double SoxRms(const std::filesystem::path& wav, double startS, double lengthS)
{
    const std::string command =
        "sox '" + wav.string() + "' -n trim " + std::to_string(startS) + " " + std::to_string(lengthS) + " stat 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        text += buffer;
    if (pclose(pipe) != 0)
        return -1;
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(R"(RMS\s+amplitude:\s+([0-9.eE+-]+))")))
        return -1;
    return std::stod(match[1].str());
}

double BufferRms(const std::vector<std::int16_t>& samples, std::size_t fromFrame, std::size_t toFrame)
{
    double sum = 0;
    for (std::size_t i = fromFrame * 2; i < toFrame * 2 && i < samples.size(); ++i)
        sum += (samples[i] / 32768.0) * (samples[i] / 32768.0);
    return std::sqrt(sum / static_cast<double>((toFrame - fromFrame) * 2));
}

// FluidSynth with the system's soundfont, rendering only when asked.
struct OfflineSynth {
    OfflineSynth()
    {
        auto owned = std::make_unique<midi::OfflineAudioSink>();
        sink = owned.get();
        synth = midi::FluidSynthOutput::Open(*midi::FindSoundFont(), std::move(owned));
    }
    midi::OfflineAudioSink* sink = nullptr;
    std::unique_ptr<midi::FluidSynthOutput> synth;
};

TEST(FluidSynthRenderTest, AGeneratedTuneSoundsAndFallsSilentAfterTheStop)
{
    if (!midi::FindSoundFont())
        GTEST_SKIP() << "no General MIDI soundfont installed";
    OfflineSynth offline;
    ASSERT_NE(offline.synth, nullptr);
    midi::FluidSynthOutput* synth = offline.synth.get();
    midi::OfflineAudioSink& sink = *offline.sink;

    plat::UseVirtualClock(0);
    smf::Track melody;
    melody.Program(0, 0, 0).Controller(0, 0, 7, 110).Controller(0, 0, 64, 127);
    const int notes[] = {60, 64, 67, 72, 67, 64};
    for (int note : notes)
        melody.NoteOn(0, 0, note, 100).NoteOff(240, 0, note);
    smf::Track bass;
    bass.Program(0, 1, 33).NoteOn(0, 1, 36, 110).NoteOff(1440, 1, 36);
    midi::TuneSettings tune;
    tune.replaceResets = true;
    auto song = miditest::SongFrom(smf::File(1, 480, {melody.End(), bass.End()}), tune);

    RenderInStep output(*synth, sink);
    miditest::StopAtTime link(2000);
    midi::Sequencer(*song, output, link).Play(false);
    const std::uint32_t stoppedAt = plat::NowMs();
    output.CatchUp(stoppedAt + 3000);
    plat::UseRealClock();

    const std::size_t stopFrame = static_cast<std::size_t>(stoppedAt) * midi::kSynthSampleRate / 1000;
    EXPECT_GT(BufferRms(sink.Samples(), 0, stopFrame), 0.02) << "the tune is heard";
    EXPECT_LT(BufferRms(sink.Samples(), stopFrame + 2 * midi::kSynthSampleRate, sink.FramesRendered()), 0.001)
        << "held and pedalled notes end with the stop";

    testsupport::TempFolder folder;
    const auto wav = folder / "tune.wav";
    WriteWav(wav, sink.Samples());
    const double playing = SoxRms(wav, 0.0, stoppedAt / 1000.0);
    if (playing < 0)
        GTEST_SKIP() << "sox cannot measure the file";
    const double afterStop = SoxRms(wav, stoppedAt / 1000.0 + 2.0, 1.0);
    RecordProperty("sox_rms_playing", std::to_string(playing));
    RecordProperty("sox_rms_after_stop", std::to_string(afterStop));
    EXPECT_GT(playing, 0.02);
    EXPECT_LT(afterStop, 0.001);
}

TEST(FluidSynthRenderTest, NothingSentRendersSilence)
{
    if (!midi::FindSoundFont())
        GTEST_SKIP() << "no General MIDI soundfont installed";
    OfflineSynth offline;
    ASSERT_NE(offline.synth, nullptr);
    midi::FluidSynthOutput* synth = offline.synth.get();
    midi::OfflineAudioSink& sink = *offline.sink;
    synth->ShortMessage(midi::PackShortMessage(0xC0, 5, 0));
    synth->ShortMessage(midi::PackShortMessage(0xB0, 7, 100));
    sink.Render(midi::kSynthSampleRate / 2);
    // Only the synthesizer's dither noise, far below anything audible.
    EXPECT_LT(BufferRms(sink.Samples(), 0, sink.FramesRendered()), 1e-4);
    EXPECT_FALSE(synth->LongMessage(std::vector<std::uint8_t>{0x41, 0x10}));
}

} // namespace
