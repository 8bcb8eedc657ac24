// The heaviest battle frame as the game draws it: the command menu open,
// three members, the eight enemies of the sample's full formation, two
// hundred enemy shots and the panel, through the battle's draw on the
// software device (one core); then the same quads, recorded once, replayed
// through SDL2's software renderer. Popups of every kind, sparkles and a
// magic circle under every actor are drawn too. The menu stands in its
// shortcut item page, the state with the most windows (the item
// description, the settings list, the shortcut rows, the action window and
// the item list), its texts drawn by the battle's real text object; the
// large text object stays silent. Prints both times per frame and their
// ratio; the goal is under 2 ms a frame.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "EnemyShotSpecs.h"
#include "RecordWords.h"
#include "EngineState.h"
#include "FilePackDerived.h"
#include "SampleData.h"
#include "battle/BattleServices.h"
#include "core/EnemyKinds.h"
#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"
#include "core/ZephGlobals.h"
#include "fakes/FakeEngine.h"
#include "fakes/RecordingDevice.h"
#include "main/GameMain.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "party/PartyBattle.h"
#include "platform/SoftwareDevice.h"
#include "record/KeyNames.h"

namespace {

constexpr int kEnemyShots = 200;

// The battle's large text object (hit counts and results) draws nothing in this frame.
class SilentText final : public Zeph::CTextTexture {
public:
    bool Init(int, int, const char*, int, std::uint32_t, int, int, int, float, std::uint8_t, int, std::uint32_t, int,
              std::uint32_t, bool, int, int, int, float, bool) override
    {
        return true;
    }
    bool PrepareCharSets(int) override { return true; }
    Zeph::GlyphRecord* GetGlyph(char16_t) override { return nullptr; }
    bool PrepareString(const char16_t*) override { return true; }
    int MeasureString(const char16_t*, int, float[2], float, float) override { return 0; }
    int GetStringWidth(const char16_t*, int) override { return 0; }
    int GetStringHeight(const char16_t*, int) override { return 0; }
    bool DrawString(const float[3], std::uint32_t, const char16_t*, int, float, float, int, int) override
    {
        return true;
    }
    void ClearGlyphs() override {}
    void Release() override {}
};
SilentText silentText;

// The battle's parts on one software device with the sample pack.
struct BattleWorld {
    Direct3DDevice9* device = nullptr;
    CFilePackDerived* pack = nullptr;
    std::unique_ptr<GameData> data = std::make_unique<GameData>();
    std::unique_ptr<CCharacter> party = std::make_unique<CCharacter>();
    std::unique_ptr<CBattleBackground> panel = std::make_unique<CBattleBackground>();
    std::unique_ptr<CCharaShot> shots = std::make_unique<CCharaShot>();
    std::unique_ptr<CDrawBattleSortObject> sortList = std::make_unique<CDrawBattleSortObject>();
    std::unique_ptr<CMagicCircle> circles = std::make_unique<CMagicCircle>();
    std::unique_ptr<CEnemyGroup> enemies = std::make_unique<CEnemyGroup>();
    std::unique_ptr<CBattleTouch> touch = std::make_unique<CBattleTouch>();
    std::unique_ptr<CEnemyShotList> enemyShots = std::make_unique<CEnemyShotList>();
    std::unique_ptr<CBattleEffect> effect = std::make_unique<CBattleEffect>();
    std::unique_ptr<CBattleMenu> menu = std::make_unique<CBattleMenu>();
    std::unique_ptr<CBattleEnd> end = std::make_unique<CBattleEnd>();
    std::unique_ptr<CFixedWindowSet> windows = std::make_unique<CFixedWindowSet>();
    std::unique_ptr<CMapMenu> mapMenu = std::make_unique<CMapMenu>();
    std::vector<std::uint8_t> itemTable = sampledata::ItemTableEntry();
    // The bursts' sounds go nowhere.
    fakes::CallLog soundCalls;
    fakes::RecordingSoundStatic sounds{soundCalls};
    CPlaySE soundEffects;

    bool Build()
    {
        D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
        parameters.Windowed = true;
        if (plat::CreateSoftwareDevice(parameters, &device) != D3D_OK)
            return false;
        D3DDevice = device;
        engine::State().sharedDevice = device;
        // The states the engine's graphics object sets on the game's device.
        device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
        for (std::uint32_t stage = 0; stage < 4; ++stage) {
            device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
            device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
            device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
            device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
            device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
            device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        }
        pack = new CFilePackDerived();
        if (!pack->Init(1) || !pack->OpenPack(VELMORA_RUN_DIR "/Data/Pack.dat", 0))
            return false;
        ZephFilePack = pack;
        // The panel's small text object is the engine's; the large one stays silent.
        static int textObjectsMade = 0;
        textObjectsMade = 0;
        CreateTextTextureProc = []() -> Zeph::CTextTexture* {
            return textObjectsMade++ == 0 ? CreateTextTexture() : &silentText;
        };
        engine::State().currentFvf = &CurrentFvf;
        engine::State().currentTexture = &CurrentTexture;
        TheGameData = data.get();
        TheCharacter = party.get();
        TheBattleBackground = panel.get();
        TheCharaShot = shots.get();
        TheDrawBattleSortObject = sortList.get();
        TheMagicCircle = circles.get();
        TheEnemyGroup = enemies.get();
        TheBattleTouch = touch.get();
        TheEnemyShotList = enemyShots.get();
        TheBattleEffect = effect.get();
        TheBattleMenu = menu.get();
        TheBattleEnd = end.get();
        TheFixedWindowSet = windows.get();
        TheMapMenu = mapMenu.get();
        ItemTable = itemTable.data();
        int length = 0;
        unsigned char* kinds = pack->LoadData(0, PACK_ENEMY_KIND_BLOB, &length, nullptr);
        const bool kindsLoaded = kinds != nullptr && LoadEnemyKinds(kinds, static_cast<std::size_t>(length));
        pack->FreeData(kinds);
        if (!kindsLoaded)
            return false;
        party->InitCharacter();
        panel->InitBattleBackground();
        shots->InitCharaShot();
        sortList->InitDrawBattleSortObject();
        enemies->InitEnemy();
        end->InitBattleEnd();
        panel->SyncHudFromParty();
        SetupPartyForBattle(0, true, false, false);
        const std::vector<std::uint8_t> record = testsupport::WordsToBytes(sampledata::FullBattleRecord());
        if (!enemies->SetupEnemyBattle(record, {}, 0, false, false, false))
            return false;
        for (int i = 0; i < kEnemyShots; ++i)
            enemyShots->CreateEnemyShot(testsupport::PlainEnemyShot(static_cast<float>(16 + (i * 37) % 600),
                                                                    static_cast<float>(90 + (i * 53) % 370)));
        ZephSoundStatic = &sounds;
        ThePlaySE = &soundEffects;
        effect->InitBattleEffect();
        circles->InitMagicCircle();
        AddEffects();
        enemies->openingAlpha = 0;
        sortList->MakeBattleSortList();
        party->SetBattlePhase(BATTLE_PHASE_MENU);
        OpenMenuPage();
        return true;
    }

    // The shortcut item page over the shortcut rows, ten held items a page.
    void OpenMenuPage()
    {
        mapMenu->InitMapMenu();
        menu->InitBattleMenu();
        menu->LayoutBattleMenu();
        windows->InitFixedWindow();
        InitKeyNames();
        for (int id = 0; id < 12; ++id) {
            data->battleItemList[id] = static_cast<std::int16_t>(id);
            data->heldItems[id] = static_cast<std::int8_t>(id + 1);
        }
        data->battleItemCount = 12;
        for (int slot = 0; slot < QUICK_SLOTS_PER_PAGE; ++slot) {
            party->quickSlots[0][slot] = {2, static_cast<std::int16_t>(slot)};
            party->quickSlots[1][slot] = {1, static_cast<std::int16_t>(slot * 3)};
        }
        menu->BattleMenuState = 11;
        menu->ListIndex = 3;
        menu->ListPageCount = 2;
        menu->ListRows = 10;
        menu->SettingRows = 10;
        menu->ShortcutSlot = 1;
        menu->BuildListPageText(menu->PageText, 0, 2);
    }

    // Over every actor: a number, a burst and sparkles, and a circle halfway formed.
    void AddEffects()
    {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            effect->AddDamagePopup(true, m, POPUP_DAMAGE, false, 1234);
            effect->AddDamagePopup(true, m, m == 1 ? POPUP_SECOND_BURST : POPUP_ACTION_START, false, 0);
            effect->AddPartyHitSparks(m, m & 1);
            circles->SpawnMagicCircle(MAGIC_CIRCLE_SIDE_PARTY, m, 80, m, false);
        }
        for (int slot = 0; slot < enemies->EnemyCount(); ++slot) {
            effect->AddDamagePopup(false, slot, POPUP_HEAL, false, 99);
            effect->AddDamagePopup(false, slot, POPUP_ACTION_RELEASE, false, 0);
            effect->AddEnemyHitSparks(slot, 0);
            circles->SpawnMagicCircle(MAGIC_CIRCLE_SIDE_ENEMY, slot, 80, slot, slot % 2 == 0);
        }
        for (int frame = 0; frame < 30; ++frame) {
            circles->UpdateDyingMagicCircles();
            effect->UpdateBattleEffect();
        }
        circles->UpdateMagicCircle();
        effect->PlaceDamagePopups();
    }

    ~BattleWorld()
    {
        circles->ReleaseMagicCircle();
        effect->ReleaseBattleEffect();
        enemyShots->ClearEnemyShots();
        shots->ReleaseCharaShot();
        enemies->ReleaseEnemy();
        panel->ReleaseBattleBackground();
        menu->ReleaseBattleMenu();
        party->ReleaseCharacter();
        if (pack != nullptr)
            pack->Release();
        ZephFilePack = nullptr;
        engine::State().sharedDevice = nullptr;
        // The program's shutdown at exit would release the sound object that goes with this world.
        ZephSoundStatic = nullptr;
        ThePlaySE = nullptr;
        engine::State().currentFvf = nullptr;
        engine::State().currentTexture = nullptr;
        if (device != nullptr)
            device->Release();
        D3DDevice = nullptr;
    }

    // One frame as the game object draws it.
    void DrawFrame(Direct3DDevice9* target)
    {
        D3DDevice = target;
        engine::State().sharedDevice = target; // the text object draws on it too
        target->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
        target->BeginScene();
        target->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        target->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        target->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        ResetRenderStateCaches();
        effect->DrawBattle(party->GetBattlePhase());
        target->EndScene();
    }
};

double ourFrameMs = 0;
double sdlFrameMs = 0;
int frameQuads = 0;

void BattleDrawOnOurDevice(benchmark::State& state)
{
    BattleWorld world;
    if (!world.Build()) {
        state.SkipWithError("the battle world cannot be built (sample pack missing?)");
        return;
    }
    for (auto _ : state) {
        world.DrawFrame(world.device);
        benchmark::DoNotOptimize(world.device->Present());
    }
}

SDL_Color ColourOf(std::uint32_t argb)
{
    return {static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
            static_cast<Uint8>(argb >> 24)};
}

// The frame's quads, recorded once from the battle's draw, replayed with
// the same textures through SDL's software renderer.
void BattleQuadsOnSdl(benchmark::State& state)
{
    BattleWorld world;
    if (!world.Build()) {
        state.SkipWithError("the battle world cannot be built (sample pack missing?)");
        return;
    }
    // One frame on the software device first, so the text object's glyphs
    // live in its textures, not in the recorder's.
    world.DrawFrame(world.device);
    fakes::RecordingDevice recorder;
    world.DrawFrame(&recorder);
    D3DDevice = world.device;
    engine::State().sharedDevice = world.device;
    frameQuads = static_cast<int>(recorder.draws.size());

    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(target);
    std::map<Direct3DTexture9*, SDL_Texture*> textures;
    for (const fakes::DrawnPrimitive& drawn : recorder.draws) {
        if (drawn.texture == nullptr || textures.count(drawn.texture) != 0)
            continue;
        D3DSURFACE_DESC desc{};
        D3DLOCKED_RECT locked{};
        drawn.texture->GetLevelDesc(0, &desc);
        drawn.texture->LockRect(0, &locked, nullptr, 0);
        SDL_Texture* copy = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                              static_cast<int>(desc.Width), static_cast<int>(desc.Height));
        SDL_UpdateTexture(copy, nullptr, locked.pBits, locked.Pitch);
        drawn.texture->UnlockRect(0);
        SDL_SetTextureBlendMode(copy, SDL_BLENDMODE_BLEND);
        textures[drawn.texture] = copy;
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    std::vector<SDL_Vertex> vertices;
    std::vector<SDL_Texture*> quadTextures;
    for (const fakes::DrawnPrimitive& drawn : recorder.draws) {
        for (int k = 0; k < 4; ++k) {
            // SDL places pixel centres at half coordinates: the same pixels as the -0.5 placement.
            if (drawn.fvf == FVF_TEXTURED) {
                const TexturedVertex v = drawn.VertexAt<TexturedVertex>(static_cast<std::size_t>(k));
                vertices.push_back({{v.x + 0.5f, v.y + 0.5f}, ColourOf(v.colour), {v.u, v.v}});
            } else {
                const ColouredVertex v = drawn.VertexAt<ColouredVertex>(static_cast<std::size_t>(k));
                vertices.push_back({{v.x + 0.5f, v.y + 0.5f}, ColourOf(v.colour), {0.0f, 0.0f}});
            }
        }
        quadTextures.push_back(drawn.texture == nullptr ? nullptr : textures[drawn.texture]);
    }
    const int indices[6] = {0, 1, 2, 1, 3, 2};
    for (auto _ : state) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (std::size_t q = 0; q < quadTextures.size(); ++q)
            SDL_RenderGeometry(renderer, quadTextures[q], &vertices[4 * q], 4, indices, 6);
        SDL_RenderPresent(renderer);
        benchmark::DoNotOptimize(target->pixels);
    }
    for (auto& [texture, copy] : textures)
        SDL_DestroyTexture(copy);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);
}

// Keeps each benchmark's time per frame (the median with repetitions).
class FrameReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            const double ms = run.GetAdjustedRealTime() / 1e3; // reported in microseconds
            if (run.benchmark_name().find("BattleDrawOnOurDevice") != std::string::npos)
                ourFrameMs = ms;
            else if (run.benchmark_name().find("BattleQuadsOnSdl") != std::string::npos)
                sdlFrameMs = ms;
        }
    }
};

} // namespace

BENCHMARK(BattleDrawOnOurDevice)->Unit(benchmark::kMicrosecond);
BENCHMARK(BattleQuadsOnSdl)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    FrameReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (ourFrameMs > 0 && sdlFrameMs > 0)
        std::printf("battle frame of %d quads: DrawBattle on our device %.3f ms (goal under 2 ms), the same quads on "
                    "SDL's software renderer %.3f ms, ours %.1f times faster\n",
                    frameQuads, ourFrameMs, sdlFrameMs, sdlFrameMs / ourFrameMs);
    benchmark::Shutdown();
    return 0;
}
