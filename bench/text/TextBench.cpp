#include <benchmark/benchmark.h>

#include <string>

#include "EngineState.h"
#include "FreeTypeGlyphSource.h"
#include "fakes/RecordingDevice.h"
#include "TextObjectFixture.h"

namespace {

using texttest::kMainText;

const std::u16string kMessage =
    u"「ようこそ、ヴェルモラの村へ。北の森には魔物が出るから、夜は決して外へ出てはいけないよ。」";

struct Host {
    fakes::RecordingDevice device;
    std::uint32_t fvf = 0;
    Direct3DTexture9* texture = nullptr;
    std::unique_ptr<CTextTextureDerived> text;

    Host()
    {
        auto& state = engine::State();
        state.sharedDevice = &device;
        state.currentFvf = &fvf;
        state.currentTexture = &texture;
        text = std::make_unique<CTextTextureDerived>(engine::MakeFreeTypeGlyphSource());
        texttest::InitText(*text, kMainText);
    }
    ~Host() { text.reset(); }
};

// A frame of the message window: the message drawn with its reveal, all glyphs cached.
void DrawMessage(benchmark::State& state)
{
    Host host;
    const float position[3] = {24.0f, 344.0f, 0.3f};
    host.text->PrepareString(kMessage.c_str());
    for (auto _ : state) {
        host.device.draws.clear();
        host.text->DrawString(position, 0xFFFFFFFF, kMessage.c_str(), static_cast<int>(kMessage.size()), 32.0f, 560.0f,
                              600, 0);
        benchmark::DoNotOptimize(host.device.draws.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMessage.size()));
}
BENCHMARK(DrawMessage);

// Finding cached glyphs in the 64-bucket table after the start-up sets.
void FindCachedGlyphs(benchmark::State& state)
{
    Host host;
    host.text->PrepareCharSets(0x1F);
    for (auto _ : state) {
        for (char16_t code : kMessage)
            benchmark::DoNotOptimize(host.text->GetGlyph(code));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kMessage.size()));
}
BENCHMARK(FindCachedGlyphs);

// Start-up preparation: the five character sets rendered from the font.
void PrepareCharSets(benchmark::State& state)
{
    Host host;
    for (auto _ : state) {
        host.text->ClearGlyphs();
        host.text->PrepareCharSets(0x1F);
    }
    state.SetItemsProcessed(state.iterations() * 224);
}
BENCHMARK(PrepareCharSets)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
