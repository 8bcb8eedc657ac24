// The command menu's windows on the software device with the sample pack and
// the real text objects: one picture per menu state, left in the build
// folder (battle/frames/menu_state_NN.png) to look at.
#include <gtest/gtest.h>

#include <string>

#include "BattleHarness.h"
#include "BattleMenuScene.h"
#include "SampleData.h"
#include "core/GameDataTables.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "platform/LittleEndian.h"
#include "record/KeyNames.h"

namespace {

TEST(BattleMenuPictures, EveryStateDrawsItsWindows)
{
    battleharness::BattleHarness harness;
    std::string error;
    ASSERT_TRUE(harness.Start("", error)) << error;
    std::vector<std::uint8_t> items = sampledata::ItemTableEntry();
    ItemTable = items.data();
    CreateTextTextureProc = &CreateTextTexture;
    // The text objects keep the game's render-state caches as the game's start-up lets them.
    engine::EngineState& engineState = engine::State();
    Direct3DTexture9** const savedTextureCache = engineState.currentTexture;
    std::uint32_t* const savedFvfCache = engineState.currentFvf;
    engineState.currentTexture = &CurrentTexture;
    engineState.currentFvf = &CurrentFvf;
    CFixedWindowSet windows;
    TheFixedWindowSet = &windows;
    CMapMenu mapMenu{};
    TheMapMenu = &mapMenu;
    mapMenu.InitMapMenu();
    TheBattleBackground->InitBattleBackground();
    CBattleMenu& menu = *TheBattleMenu;
    menu.InitBattleMenu();
    menu.LayoutBattleMenu();
    windows.InitFixedWindow();
    InitKeyNames();

    battlemenuscene::SetUpScene(*TheGameData, harness.party, menu);
    harness.party.SetBattlePhase(BATTLE_PHASE_MENU);

    const std::filesystem::path folder = BATTLE_FRAMES_DIR;
    for (int state = 0; state < battlemenuscene::kStates; ++state) {
        SCOPED_TRACE(state);
        battlemenuscene::PrepareState(menu, *TheGameData, state);
        D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF305828u, 1.0f, 0);
        D3DDevice->BeginScene();
        D3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        D3DDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        D3DDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        ResetRenderStateCaches();
        menu.DrawBattleMenu();
        D3DDevice->EndScene();
        D3DDevice->Present();
        char name[32];
        std::snprintf(name, sizeof name, "menu_state_%02d.png", state);
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(DumpPresentedFrame(D3DDevice, folder / name));
    }
    TheBattleBackground->ReleaseBattleBackground();
    menu.ReleaseBattleMenu();
    engineState.currentTexture = savedTextureCache;
    engineState.currentFvf = savedFvfCache;
}

} // namespace
