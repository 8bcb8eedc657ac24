// The field menu's drawing on the software device with the installed font:
// the top page, and the item list with the top column dimmed behind it. The
// counter gives the share of a 16 ms frame the menu takes.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "EngineState.h"
#include "FreeTypeGlyphSource.h"
#include "TextObjectFixture.h"
#include "core/GameDataTables.h"
#include "core/ZephGlobals.h"
#include "main/GameMain.h"
#include "platform/SoftwareDevice.h"

namespace {

constexpr double kFrameSeconds = 0.016;

// The menu's parts and the engine's main text, all on one software device.
struct MenuWorld {
    Direct3DDevice9* device = nullptr;
    std::unique_ptr<CTextTextureDerived> text;
    std::unique_ptr<CMapMenu> menu = std::make_unique<CMapMenu>();
    std::unique_ptr<CFixedWindowSet> windows = std::make_unique<CFixedWindowSet>();
    std::unique_ptr<GameData> data = std::make_unique<GameData>();
    std::unique_ptr<CCharacter> party = std::make_unique<CCharacter>();
    std::unique_ptr<CBattleBackground> panel = std::make_unique<CBattleBackground>();
    std::unique_ptr<CMap> map = std::make_unique<CMap>();
    std::unique_ptr<CEvent> event = std::make_unique<CEvent>();

    MenuWorld()
    {
        D3DPRESENT_PARAMETERS parameters{};
        plat::CreateSoftwareDevice(parameters, &device);
        D3DDevice = device;
        auto& state = engine::State();
        state.sharedDevice = device;
        state.currentFvf = &CurrentFvf;
        state.currentTexture = &CurrentTexture;
        text = std::make_unique<CTextTextureDerived>(engine::MakeFreeTypeGlyphSource());
        texttest::InitText(*text, texttest::kMainText);
        ZephTextTexture = text.get();
        TheMapMenu = menu.get();
        TheFixedWindowSet = windows.get();
        TheGameData = data.get();
        TheCharacter = party.get();
        TheBattleBackground = panel.get();
        TheMap = map.get();
        TheEvent = event.get();
        map->header.flagsA = mapblob::kFlagATransfers;
        data->NewGameData();
        data->RebuildItemLists(LIST_ALL, false);
        // The party and colour windows as the status panel lays them out.
        for (int m = 0; m < 3; ++m)
            data->statusDigits[m] = 4;
        data->LayoutHudWindows(1);
        data->LayoutHudColumnWindows(2);
        data->LayoutAreaNameWindow(0, u"はじまり");
        menu->InitMapMenu();
        menu->LayoutMapMenuWindows();
        windows->InitFixedWindow();
        for (int m = 0; m < 3; ++m) {
            const char16_t digits[] = u"1234";
            std::copy(digits, digits + 4, panel->HudHpText[m]);
            panel->HudHpDigits[m] = 4;
        }
    }
    ~MenuWorld()
    {
        ZephTextTexture = nullptr;
        text.reset();
        D3DDevice = nullptr;
        if (device != nullptr)
            device->Release();
    }

    void BeginFrame()
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
        device->BeginScene();
        ResetRenderStateCaches();
    }
    void EndFrame() { device->EndScene(); }
};

void DrawMenu(benchmark::State& state, int mode)
{
    MenuWorld world;
    // Entered without its sound: the bench has no sound effects.
    world.menu->PlaceCursorForMode(mode);
    world.menu->RefreshMenuList(mode, true);
    // The glyphs the page needs are cached from the first frame on.
    world.BeginFrame();
    world.menu->DrawMapMenu();
    world.EndFrame();
    for (auto _ : state) {
        state.PauseTiming();
        world.BeginFrame();
        state.ResumeTiming();
        world.menu->DrawMapMenu();
        state.PauseTiming();
        world.EndFrame();
        state.ResumeTiming();
    }
    state.counters["share_of_16ms_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void DrawTopPage(benchmark::State& state)
{
    DrawMenu(state, MenuTop);
}
BENCHMARK(DrawTopPage)->Unit(benchmark::kMicrosecond);

void DrawItemList(benchmark::State& state)
{
    DrawMenu(state, MenuItemList);
}
BENCHMARK(DrawItemList)->Unit(benchmark::kMicrosecond);

// Armour rows of member 0: a name, four stat bonuses, 体力, colour changes
// and abilities enough for all four lines of the description.
struct ArmourTable {
    std::vector<unsigned char> rows = std::vector<unsigned char>(ARMOR_ROW_COUNT * ARMOR_ROW_SIZE, 0);
    unsigned char* saved = ArmorTable[0];
    ArmourTable()
    {
        const char16_t name[] = u"重い鎧";
        for (int id = 0; id < 4; ++id) {
            unsigned char* row = rows.data() + id * ARMOR_ROW_SIZE;
            const std::uint32_t abilities = (1u << 29) - 1u;
            const std::uint32_t word = 3u | 3u << 5 | 7u << 9 | 1u << 12 | 6u << 15 | 2u << 18; // 体力, name, colours
            for (int i = 0; i < 4; ++i) {
                row[i] = static_cast<unsigned char>(abilities >> (8 * i));
                row[32 + i] = static_cast<unsigned char>(word >> (8 * i));
            }
            for (int i = 0; i < 3; ++i) {
                row[4 + 2 * i] = static_cast<unsigned char>(name[i] & 0xFF);
                row[5 + 2 * i] = static_cast<unsigned char>(name[i] >> 8);
            }
            for (int stat = 0; stat < 4; ++stat)
                row[22 + 2 * stat] = static_cast<unsigned char>(10 + id + stat);
        }
        ArmorTable[0] = rows.data();
    }
    ~ArmourTable() { ArmorTable[0] = saved; }
};

// Mode 7 on ピプコ's armour: the candidate list, the four-line description
// of the piece under the cursor and the armour comparison.
void DrawEquipCandidates(benchmark::State& state)
{
    ArmourTable table;
    MenuWorld world;
    for (int id = 0; id < 4; ++id)
        world.data->heldArmor[0][id] = 1;
    world.menu->memberCursor = 0;
    world.menu->slotKind = 1;
    world.menu->PlaceCursorForMode(MenuEquipList);
    world.menu->RefreshMenuList(MenuEquipList, true);
    world.menu->SetMenuListPosition(0, true, world.menu->mainList.position);
    world.BeginFrame();
    world.menu->DrawMapMenu();
    world.EndFrame();
    for (auto _ : state) {
        state.PauseTiming();
        world.BeginFrame();
        state.ResumeTiming();
        world.menu->DrawMapMenu();
        state.PauseTiming();
        world.EndFrame();
        state.ResumeTiming();
    }
    state.counters["share_of_16ms_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFrameSeconds,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(DrawEquipCandidates)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
