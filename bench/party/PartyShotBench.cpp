// 300 party shots a frame among three enemies: chasing, seeking, bouncing
// and orbiting magic, homing shots and straight shots, updated and drawn.
// Spent shots are replaced each frame so the list stays full. The counter
// gives the share of the 1 ms budget. The party's own work (update and the
// quads handed to the device) is measured apart from the software device's
// filling of the pixels, which a graphics card does.
#include <benchmark/benchmark.h>

#include "EngineState.h"
#include "FilePackDerived.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "enemies/Enemy.h"
#include "fakes/FakeEngine.h"
#include "fakes/FakeEnemyGroup.h"
#include "media/PlaySE.h"
#include "media/Texture.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "platform/SoftwareDevice.h"

namespace {

constexpr int kShots = 300;
constexpr double kBudgetSeconds = 0.001;

struct ShotWorld {
    Direct3DDevice9* device = nullptr;
    CFilePackDerived* pack = new CFilePackDerived(); // deletes itself on Release
    CCharacter party;
    CEnemyGroup enemies{};
    CCharaShot shots{};
    fakes::FakeEnemyGroup group{enemies};
    fakes::CallLog soundLog;
    fakes::RecordingSoundStatic sounds{soundLog};
    CPlaySE player;

    ShotWorld()
    {
        D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
        parameters.Windowed = true;
        plat::CreateSoftwareDevice(parameters, &device);
        D3DDevice = device;
        auto& state = engine::State();
        state.sharedDevice = device;
        state.currentFvf = &CurrentFvf;
        state.currentTexture = &CurrentTexture;
        pack->Init(1);
        pack->OpenPack(VELMORA_RUN_DIR "/Data/Pack.dat", 0);
        ZephFilePack = pack;
        TheCharacter = &party;
        TheEnemyGroup = &enemies;
        TheCharaShot = &shots;
        ZephSoundStatic = &sounds;
        ThePlaySE = &player;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            party.SetMemberPosX(m, 464.0f + 40.0f * static_cast<float>(m));
            party.SetMemberPosY(m, 184.0f + 80.0f * static_cast<float>(m));
        }
        group.Place(0, 120, 140, 48, 48);
        group.Place(1, 200, 330, 32, 32);
        group.Place(2, 330, 220, 64, 64);
        shots.InitCharaShot();
        shots.ResetCharaShotCounters();
        SeedGameRandom(7);
    }
    ~ShotWorld()
    {
        shots.ReleaseCharaShot();
        pack->Release();
        engine::State().sharedDevice = nullptr;
        device->Release();
    }

    int Count() const
    {
        int count = 0;
        for (const CharaShotNode* n = shots.head; n != nullptr; n = n->next)
            ++count;
        return count;
    }

    // The n-th shot of the mix, somewhere on the field.
    void Make(int n)
    {
        static constexpr int kSubtypes[6] = {0, 3, 5, 7, 15, 9};
        CharaShotSpec spec{};
        const int kind = n % 8 == 0 ? SHOT_STRAIGHT : n % 8 == 1 ? SHOT_HOMING : SHOT_MAGIC;
        spec.kind = static_cast<std::uint32_t>(kind);
        spec.x = static_cast<float>(40 + (n * 37) % 560);
        spec.y = static_cast<float>(100 + (n * 53) % 340);
        spec.power = 100;
        spec.ownerRecord = &party.members[2];
        spec.owner = 2;
        spec.direction = n % 8;
        spec.subtype = kind == SHOT_MAGIC ? kSubtypes[n % 6] : 0;
        spec.orbitMember = n % 3;
        if (kind == SHOT_STRAIGHT)
            spec.direction &= 3;
        shots.CreateCharaShot(spec);
    }

    void Frame(int& made)
    {
        player.CountPlaySEFrame();
        soundLog.clear();
        for (int missing = kShots - Count(); missing > 0; --missing)
            Make(made++);
        shots.UpdateCharaShot();
        device->BeginScene();
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        ResetRenderStateCaches();
        for (CharaShotNode* node = shots.head; node != nullptr; node = node->next)
            if (ShotInView::IsSet(node->shotBits) && node->age >= 1)
                shots.DrawCharaShot(node, 0.5f);
        device->EndScene();
    }
};

// Argument 0: without the sheet the draw builds each quad and stops short of
// the device; 1: the quads are filled on the software device.
void UpdateAndDraw300Shots(benchmark::State& state)
{
    ShotWorld world;
    CTexture* sheet = world.shots.texture;
    if (state.range(0) == 0)
        world.shots.texture = nullptr;
    int made = 0;
    for (int frame = 0; frame < 60; ++frame)
        world.Frame(made);
    for (auto _ : state)
        world.Frame(made);
    world.shots.texture = sheet;
    state.counters["share_of_1ms_budget"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBudgetSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(UpdateAndDraw300Shots)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
