// One battle-like frame drawn by our device and, from the same quad list, by
// SDL2's software renderer (SDL_RenderGeometry): about 600 textured sprites of
// 16 to 64 pixels, 40 translucent full-width strips, 300 glyph quads and one
// full-screen fade. Ours draws on the calling thread alone, and then with
// three worker threads sharing the tiles. Prints the times per frame and how
// many times faster ours is (the medians when repetitions are asked for).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "platform/Device.h"
#include "platform/SoftwareDevice.h"

namespace {

enum class Sheet { Sprites, Glyphs, None };

struct FrameQuad {
    float left, top, right, bottom;
    float u0, v0, u1, v1;
    std::uint32_t colour; // 0xAARRGGBB
    Sheet sheet;
};

constexpr int kSheetSize = 256;

std::vector<std::uint32_t> SheetTexels(Sheet sheet)
{
    std::vector<std::uint32_t> texels(kSheetSize * kSheetSize);
    std::mt19937 random(sheet == Sheet::Sprites ? 1 : 2);
    for (auto& texel : texels) {
        const std::uint32_t rgb = random() & 0xFFFFFFu;
        // Sprites: mostly opaque with transparent holes; glyphs: white ink with soft alpha.
        texel = sheet == Sheet::Sprites ? ((random() % 4 == 0 ? 0u : 0xFFu) << 24 | rgb)
                                        : ((random() & 0xFFu) << 24 | 0xFFFFFFu);
    }
    return texels;
}

std::vector<FrameQuad> BattleFrame()
{
    std::vector<FrameQuad> quads;
    std::mt19937 random(42);
    const auto uniform = [&](int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); };
    quads.push_back({-0.5f, -0.5f, 639.5f, 479.5f, 0, 0, 1, 1, 0xFFFFFFFFu, Sheet::Sprites}); // backdrop
    for (int i = 0; i < 600; ++i) {
        const int size = uniform(16, 64);
        const float x = static_cast<float>(uniform(-16, 620)) - 0.5f, y = static_cast<float>(uniform(-16, 460)) - 0.5f;
        const float u = static_cast<float>(uniform(0, kSheetSize - size)) / kSheetSize;
        const float v = static_cast<float>(uniform(0, kSheetSize - size)) / kSheetSize;
        const float extent = static_cast<float>(size) / kSheetSize;
        quads.push_back({x, y, x + size, y + size, u, v, u + extent, v + extent, i % 5 == 0 ? 0xC0FFFFFFu : 0xFFFFFFFFu,
                         Sheet::Sprites});
    }
    for (int i = 0; i < 40; ++i) {
        const float y = static_cast<float>(i * 12) - 0.5f;
        quads.push_back({-0.5f, y, 639.5f, y + 8, 0, 0, 1, 1, 0x40203060u, Sheet::None});
    }
    for (int i = 0; i < 300; ++i) {
        const float x = static_cast<float>(20 + (i % 30) * 20) - 0.5f,
                    y = static_cast<float>(300 + (i / 30) * 16) - 0.5f;
        const float u = static_cast<float>((i * 16) % kSheetSize) / kSheetSize;
        quads.push_back(
            {x, y, x + 16, y + 16, u, 0, u + 16.0f / kSheetSize, 16.0f / kSheetSize, 0xFFFFFFFFu, Sheet::Glyphs});
    }
    quads.push_back({-0.5f, -0.5f, 639.5f, 479.5f, 0, 0, 1, 1, 0x80000000u, Sheet::None}); // the fade
    return quads;
}

constexpr int kWorkers = 3;

double ourFrameMs = 0;
double ourWorkersFrameMs = 0;
double sdlFrameMs = 0;

void OurDevice(benchmark::State& state, plat::SpanPath path, int workers)
{
    if (!plat::ForceSpanPath(path)) {
        state.SkipWithError("this processor lacks the instruction set");
        return;
    }
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = true;
    Direct3DDevice9* device = nullptr;
    plat::CreateSoftwareDevice(parameters, &device);
    plat::SetDrawingWorkers(device, workers);
    Direct3DTexture9* sheets[2] = {};
    for (int s = 0; s < 2; ++s) {
        device->CreateTexture(kSheetSize, kSheetSize, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &sheets[s]);
        D3DLOCKED_RECT locked{};
        sheets[s]->LockRect(0, &locked, nullptr, 0);
        const auto texels = SheetTexels(static_cast<Sheet>(s));
        std::memcpy(locked.pBits, texels.data(), texels.size() * 4);
        sheets[s]->UnlockRect(0);
    }
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetFVF(FVF_TEXTURED);
    const auto quads = BattleFrame();
    for (auto _ : state) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1, 0);
        device->BeginScene();
        for (const FrameQuad& q : quads) {
            device->SetTexture(0, q.sheet == Sheet::None ? nullptr : sheets[static_cast<int>(q.sheet)]);
            const TexturedVertex v[4] = {{q.left, q.top, 1, 1, q.colour, q.u0, q.v0},
                                         {q.right, q.top, 1, 1, q.colour, q.u1, q.v0},
                                         {q.left, q.bottom, 1, 1, q.colour, q.u0, q.v1},
                                         {q.right, q.bottom, 1, 1, q.colour, q.u1, q.v1}};
            device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(TexturedVertex));
        }
        device->EndScene();
        benchmark::DoNotOptimize(device->Present());
    }
    device->SetTexture(0, nullptr);
    sheets[0]->Release();
    sheets[1]->Release();
    device->Release();
    plat::ForceSpanPath(plat::SpanPath::Widest);
}

void SdlSoftwareRenderer(benchmark::State& state)
{
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(target);
    SDL_Texture* sheets[2] = {};
    for (int s = 0; s < 2; ++s) {
        sheets[s] =
            SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, kSheetSize, kSheetSize);
        const auto texels = SheetTexels(static_cast<Sheet>(s));
        SDL_UpdateTexture(sheets[s], nullptr, texels.data(), kSheetSize * 4);
        SDL_SetTextureBlendMode(sheets[s], SDL_BLENDMODE_BLEND);
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    const auto quads = BattleFrame();
    const int indices[6] = {0, 1, 2, 1, 3, 2};
    for (auto _ : state) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (const FrameQuad& q : quads) {
            const SDL_Color c{static_cast<Uint8>(q.colour >> 16), static_cast<Uint8>(q.colour >> 8),
                              static_cast<Uint8>(q.colour), static_cast<Uint8>(q.colour >> 24)};
            // SDL places pixel centres at half coordinates: the same pixels as our -0.5 placement.
            const float l = q.left + 0.5f, t = q.top + 0.5f, r = q.right + 0.5f, b = q.bottom + 0.5f;
            const SDL_Vertex v[4] = {{{l, t}, c, {q.u0, q.v0}},
                                     {{r, t}, c, {q.u1, q.v0}},
                                     {{l, b}, c, {q.u0, q.v1}},
                                     {{r, b}, c, {q.u1, q.v1}}};
            SDL_RenderGeometry(renderer, q.sheet == Sheet::None ? nullptr : sheets[static_cast<int>(q.sheet)], v, 4,
                               indices, 6);
        }
        SDL_RenderPresent(renderer);
        benchmark::DoNotOptimize(target->pixels);
    }
    SDL_DestroyTexture(sheets[0]);
    SDL_DestroyTexture(sheets[1]);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);
}

// Remembers each benchmark's time per frame for the closing comparison: the
// single row, or with repetitions the median row (aggregates come after the
// repetitions, and the mean, deviation and variation rows are skipped).
class FrameReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const double ms = run.GetAdjustedRealTime() / 1e6; // reported in nanoseconds
            if (run.benchmark_name().find("OurDevice/widest_workers") != std::string::npos)
                ourWorkersFrameMs = ms;
            else if (run.benchmark_name().find("OurDevice/widest") != std::string::npos)
                ourFrameMs = ms;
            else if (run.benchmark_name().find("SdlSoftwareRenderer") != std::string::npos)
                sdlFrameMs = ms;
        }
    }
};

} // namespace

// The widest pixel loops this processor runs, and each narrower one for comparison.
BENCHMARK_CAPTURE(OurDevice, widest, plat::SpanPath::Widest, 0)->Unit(benchmark::kNanosecond);
BENCHMARK_CAPTURE(OurDevice, sse2, plat::SpanPath::Sse2, 0)->Unit(benchmark::kNanosecond);
BENCHMARK_CAPTURE(OurDevice, scalar, plat::SpanPath::Scalar, 0)->Unit(benchmark::kNanosecond);
// Wall time: the workers' time is not the calling thread's CPU time.
BENCHMARK_CAPTURE(OurDevice, widest_workers, plat::SpanPath::Widest, kWorkers)
    ->Unit(benchmark::kNanosecond)
    ->UseRealTime();
BENCHMARK(SdlSoftwareRenderer)->Unit(benchmark::kNanosecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    FrameReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (ourFrameMs > 0 && sdlFrameMs > 0)
        std::printf("battle frame (%s spans): our device %.3f ms, SDL software renderer %.3f ms, ours %.1f times "
                    "faster\n",
                    plat::ChosenSpanPathName(), ourFrameMs, sdlFrameMs, sdlFrameMs / ourFrameMs);
    if (ourWorkersFrameMs > 0)
        std::printf("battle frame with %d worker threads: our device %.3f ms\n", kWorkers, ourWorkersFrameMs);
    benchmark::Shutdown();
    return 0;
}
