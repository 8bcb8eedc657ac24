// The command menu's windows on the software device with the sample pack and
// the real text objects: one picture per menu state, left in the build
// folder (battle/frames/menu_state_NN.png) to look at.
#include <gtest/gtest.h>

#include <string>

#include "BattleHarness.h"
#include "SampleData.h"
#include "core/GameDataTables.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "platform/LittleEndian.h"
#include "record/KeyNames.h"

namespace {

constexpr int kStates = 24;

// The menu's fields each state reads, as the state machine leaves them.
void PrepareState(CBattleMenu& menu, int state)
{
    menu.BattleMenuState = state;
    menu.ListIndex = 1;
    menu.ListPage = 0;
    menu.ListPageCount = 2;
    menu.ListRows = 10;
    menu.SkillMember = 2;
    menu.SkillIndex = 0;
    menu.SettingIndex = state == 14 ? 1 : (state == 15 ? 2 : (state >= 16 && state <= 18 ? state - 13 : 7));
    menu.SettingRows = 10;
    menu.ShortcutSlot = 5;
    menu.OptionValue = 3;
    menu.TargetKind = state == 2 ? 0 : 1;
    menu.flags = CBattleMenu::kCanEscape;
    menu.BuildListPageText(menu.PageText, 0, 2);
    if (state == 3 || state == 4 || state == 12) {
        menu.ListRows = static_cast<std::int8_t>(TheGameData->magicListCount);
        menu.ListPageCount = 1;
    }
    menu.CountTextLength = 0;
}

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

    GameData& data = *TheGameData;
    for (int id = 0; id < 12; ++id) {
        data.battleItemList[id] = static_cast<std::int16_t>(id);
        data.heldItems[id] = static_cast<std::int8_t>(id * 3 + 1);
    }
    data.battleItemCount = 12;
    const int magic[] = {0, 5, 12, 16, 18, 21};
    data.magicListCount = 0;
    for (int id : magic)
        data.magicList[data.magicListCount++] = static_cast<std::int8_t>(id);
    CCharacter& party = harness.party;
    party.autoMagicAllowed[0] = party.autoMagicAllowed[16] = party.autoMagicAllowed[18] = 1;
    party.memberOptions[2][1] = 1;
    party.curableMask = 0x5A5A0u;
    party.quickSlots[0][2] = {1, 16};
    party.quickSlots[0][3] = {2, 3};
    party.quickSlots[0][4] = {4, 1};
    party.quickSlots[1][1] = {3, 0};
    party.quickSlots[1][5] = {2, 6};
    party.SetBattlePhase(BATTLE_PHASE_MENU);
    EscapeAllowed::Set(party.partyWordD, 1);
    menu.TargetMask[0] = 1;
    menu.TargetMask[1] = 0;
    menu.TargetMask[2] = 3;

    const std::filesystem::path folder = BATTLE_FRAMES_DIR;
    for (int state = 0; state < kStates; ++state) {
        SCOPED_TRACE(state);
        PrepareState(menu, state);
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
