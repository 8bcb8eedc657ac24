// 1000 enemy shots on the software device: one frame of their update and of
// drawing every visible one; then 1000 shots of every motion that turn, toggle
// and burst, with 32 whirls. The counter gives the share of a 16 ms frame.
#include <benchmark/benchmark.h>

#include "EngineState.h"
#include "FilePackDerived.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyShot.h"
#include "fakes/FakeEngine.h"
#include "media/PlaySE.h"
#include "platform/SoftwareDevice.h"

namespace {

constexpr double kFrameSeconds = 0.016;
constexpr int kShots = 1000;

struct ShotWorld {
    Direct3DDevice9* device = nullptr;
    CFilePackDerived* pack = new CFilePackDerived(); // deletes itself on Release
    CEnemyShotList shots;

    ShotWorld()
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
        // The states the engine sets for the game: blending over, stage 0
        // modulating the texture by the vertex colour.
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        TheEnemyShotList = &shots;
        shots.InitEnemyShot();
        SeedGameRandom(1000);
    }
    ~ShotWorld()
    {
        shots.ReleaseEnemyShot();
        TheEnemyShotList = nullptr;
        ZephFilePack = nullptr;
        pack->Release();
        D3DDevice = nullptr;
        if (device != nullptr)
            device->Release();
    }

    // Started shots spread over the field, slow enough to stay on it for a
    // few hundred frames, in all four sheet rows and columns.
    void Fill()
    {
        for (int i = shots.CountEnemyShots(); i < kShots; ++i) {
            EnemyShotSpec spec{};
            spec.x = static_cast<float>(GameRandom() % 620);
            spec.y = 80.0f + static_cast<float>(GameRandom() % 380);
            spec.speed = 0.25f;
            spec.angle = static_cast<float>(GameRandom() >> 5) * (6.2831853f / 1024.0f) - 3.1415927f;
            spec.lifeMin = spec.lifeMax = 100000;
            spec.startAge = 1;
            spec.aimKind = 22;
            spec.magic = (i & 1) != 0;
            spec.element = i % 8;
            spec.erasable = (i & 2) != 0;
            shots.CreateEnemyShot(spec);
        }
    }

    void Frame()
    {
        shots.UpdateEnemyShot();
        device->BeginScene();
        ResetRenderStateCaches();
        for (const EnemyShotNode* node = shots.ShotHead; node != nullptr; node = node->Next)
            if (eshot::Visible::IsSet(node->BitsA))
                shots.DrawEnemyShotSprite(node, 0.5f - node->Y / 3840.0f);
        device->EndScene();
    }
};

// Shots of every motion with timed actions, a fifth of them bursting into
// four children; 32 weak whirls (together within the whirls' cap).
struct BusyShotWorld : ShotWorld {
    // Children and whirls sound as they start.
    fakes::CallLog soundLog;
    fakes::RecordingSoundStatic sounds{soundLog};
    CPlaySE player;

    BusyShotWorld()
    {
        ZephSoundStatic = &sounds;
        ThePlaySE = &player;
    }
    ~BusyShotWorld()
    {
        ThePlaySE = nullptr;
        ZephSoundStatic = nullptr;
    }

    void FillBusy()
    {
        for (int i = shots.CountEnemyShots(); i < kShots; ++i) {
            EnemyShotSpec spec{};
            spec.x = static_cast<float>(GameRandom() % 620);
            spec.y = 80.0f + static_cast<float>(GameRandom() % 380);
            spec.speed = 0.5f;
            spec.turn = 0.02f;
            spec.accel = 0.01f;
            spec.angle = static_cast<float>(GameRandom() >> 5) * (6.2831853f / 1024.0f) - 3.1415927f;
            spec.lifeMin = spec.lifeMax = 100000;
            spec.startAge = 1;
            spec.aimKind = 22;
            spec.motion = i % 23;
            spec.edgeMode = 1 + i % 11;
            spec.period = static_cast<std::int16_t>(20 + i % 40);
            spec.action = i % 5 == 0 ? 28 : i % 52;
            spec.chance = 100;
            spec.childCount = 4;
            spec.childRow = 2;
            spec.element = i % 8;
            shots.CreateEnemyShot(spec);
        }
        for (int i = shots.CountSubShots(); i < 32; ++i)
            shots.CreateEnemySubShot(static_cast<float>(i % 8) * 70.0f, 100.0f + static_cast<float>(i / 8) * 80.0f,
                                     i % 2 == 0 ? 0.25f : -0.25f, 1, 30000, 0);
    }

    void BusyFrame()
    {
        shots.UpdateEnemyShot();
        device->BeginScene();
        ResetRenderStateCaches();
        shots.DrawEnemyWhirls();
        for (const EnemyShotNode* node = shots.ShotHead; node != nullptr; node = node->Next)
            if (eshot::Visible::IsSet(node->BitsA))
                shots.DrawEnemyShotSprite(node, 0.5f - node->Y / 3840.0f);
        device->EndScene();
    }
};

void UpdateAndDrawShots(benchmark::State& state)
{
    ShotWorld world;
    world.Fill();
    int frames = 0;
    for (auto _ : state) {
        world.Frame();
        if (++frames % 200 == 0) {
            state.PauseTiming();
            world.Fill();
            state.ResumeTiming();
        }
    }
    state.counters["share_of_16ms_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(UpdateAndDrawShots)->Unit(benchmark::kMicrosecond);

// The update alone, without the device.
void UpdateShots(benchmark::State& state)
{
    ShotWorld world;
    world.Fill();
    int frames = 0;
    for (auto _ : state) {
        world.shots.UpdateEnemyShot();
        if (++frames % 200 == 0) {
            state.PauseTiming();
            world.Fill();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(UpdateShots)->Unit(benchmark::kMicrosecond);

// Moving, turning, bursting shots and 32 whirls: update and draw.
void BusyShotsAndWhirls(benchmark::State& state)
{
    BusyShotWorld world;
    world.FillBusy();
    for (auto _ : state) {
        world.BusyFrame();
        // Bursts leave more shots; keep the field near 1000.
        if (world.shots.CountEnemyShots() > 2 * kShots || world.shots.CountEnemyShots() < kShots / 2) {
            state.PauseTiming();
            world.shots.ClearEnemyShots();
            world.FillBusy();
            state.ResumeTiming();
        }
    }
    state.counters["share_of_16ms_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BusyShotsAndWhirls)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
