// The place-name banner in shader mode on the software device: one frame of
// its preparation on average (glyphs, measuring, targets, the name and its
// two blur passes), and one drawn frame of each showing phase. The counter
// gives the share of a 16 ms frame.
#include <benchmark/benchmark.h>

#include <memory>

#include "EngineState.h"
#include "FilePackDerived.h"
#include "FreeTypeGlyphSource.h"
#include "TextTextureDerived.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "main/GameMain.h"
#include "platform/SoftwareDevice.h"

namespace {

constexpr double kFrameSeconds = 0.016;
constexpr int kPreparationFrames = CMapNameEffect::kShowFrame;
constexpr int kBannerAllowed = 1 << 8;

CTextTextureDerived* bannerText = nullptr;

// The banner's parts, its text object and the shaders on one software device.
struct BannerWorld {
    Direct3DDevice9* device = nullptr;
    // Engine objects delete themselves on Release.
    CFilePackDerived* pack = new CFilePackDerived();
    std::unique_ptr<CShader> shader = std::make_unique<CShader>();
    std::unique_ptr<GameData> data = std::make_unique<GameData>();
    std::unique_ptr<CMap> map = std::make_unique<CMap>();
    std::unique_ptr<CMapCharacter> player = std::make_unique<CMapCharacter>();
    std::unique_ptr<CMapNameEffect> banner = std::make_unique<CMapNameEffect>();

    BannerWorld()
    {
        D3DPRESENT_PARAMETERS parameters{};
        plat::CreateSoftwareDevice(parameters, &device);
        D3DDevice = device;
        auto& state = engine::State();
        state.sharedDevice = device;
        state.currentFvf = &CurrentFvf;
        state.currentTexture = &CurrentTexture;
        pack->Init(1);
        pack->OpenPack(VELMORA_RUN_DIR "/Data/Pack.dat", 0);
        ZephFilePack = pack;
        shader->InitShader();
        shader->CreateShaders();
        TheShader = shader.get();
        // The banner's own text object, made as the engine makes one; the banner releases it.
        bannerText = new CTextTextureDerived(engine::MakeFreeTypeGlyphSource());
        CreateTextTextureProc = []() -> Zeph::CTextTexture* { return bannerText; };
        TheGameData = data.get();
        TheMap = map.get();
        TheMapCharacter = player.get();
        data->NewGameData();
        map->placeNumber = 0;
        map->mapNumber = 0;
        map->header.flagsB = kBannerAllowed;
        player->screenX = 128.0f;
        SetDrawBrightness(255);
        banner->InitMapNameEffect();
        banner->InitMapNameText();
        data->AcquireBackBuffer();
    }
    ~BannerWorld()
    {
        banner->ReleaseMapNameEffect();
        data->ReleaseBackBuffer();
        shader->ReleaseShader();
        CreateTextTextureProc = nullptr;
        ZephFilePack = nullptr;
        pack->Release();
        D3DDevice = nullptr;
        if (device != nullptr)
            device->Release();
    }

    void Start()
    {
        data->lastPlaceShown = -1;
        banner->StartMapNameEffect(false);
    }
    void DrawFrame()
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
        device->BeginScene();
        ResetRenderStateCaches();
        banner->DrawMapNameEffect();
        device->EndScene();
    }
};

void SetShareOfFrame(benchmark::State& state, int framesPerIteration)
{
    state.counters["share_of_16ms_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * framesPerIteration * kFrameSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void PrepareBanner(benchmark::State& state)
{
    BannerWorld world;
    for (auto _ : state) {
        world.Start();
        for (int frame = 0; frame < kPreparationFrames; ++frame)
            world.banner->UpdateMapNameEffect();
    }
    SetShareOfFrame(state, kPreparationFrames);
}
BENCHMARK(PrepareBanner)->Unit(benchmark::kMicrosecond);

// Frames from the start of showing into the middle of each phase.
constexpr int kIntoPhase[] = {10, 31 + 40, 31 + 64 + 90, 31 + 64 + 180 + 40, 31 + 64 + 180 + 64 + 10};

void ShowBanner(benchmark::State& state)
{
    BannerWorld world;
    world.Start();
    for (int frame = 0; frame < kPreparationFrames + kIntoPhase[state.range(0)]; ++frame)
        world.banner->UpdateMapNameEffect();
    if (world.banner->CurrentPhase() != state.range(0) || !world.banner->InShaderMode()) {
        state.SkipWithError("the banner is not in the phase asked for");
        return;
    }
    for (auto _ : state)
        world.DrawFrame();
    SetShareOfFrame(state, 1);
}
// 0 fade-in, 1 sharpen, 2 hold, 3 blur, 4 fade-out.
BENCHMARK(ShowBanner)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
