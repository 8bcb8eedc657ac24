#include "main/GameMain.h"

#include <cstring>
#include <new>

#include "record/Pipkorn.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "core/ZephGlobals.h"

namespace {

constexpr const char* kSource = "GameMain.cpp";
constexpr std::uint32_t kClearColour = 0xFF000000u;
// A scene update that keeps asking to run again is cut off here; no part
// needs more than a few reruns in one frame.
constexpr int kMaxUpdatesPerFrame = 16;

} // namespace

CGameMain* CreateGameMain()
{
    void* storage = ::operator new(sizeof(CGameMain), std::nothrow);
    if (storage == nullptr)
        return nullptr;
    std::memset(storage, 0, sizeof(CGameMain));
    auto* game = new (storage) CGameMain();
    TheGameMain = game;
    game->InitGameMain();
    return game;
}

void DeleteGameMain(CGameMain* game)
{
    if (game == nullptr)
        return;
    game->ReleaseGameMain();
    game->~CGameMain();
    ::operator delete(game);
}

void CGameMain::InitGameMain()
{
    // The parts, in member order.
    Character.InitCharacter();
    BattleBackground.InitBattleBackground();
    CharaShot.InitCharaShot();
    DrawBattleSortObject.InitDrawBattleSortObject();
    MagicCircle.InitMagicCircle();
    EnemyGroup.InitEnemy();
    BattleTouch.InitBattleTouch();
    EnemyShotList.InitEnemyShot();
    BattleEffect.InitBattleEffect();
    Map.InitMap();
    DrawSortObject.InitDrawSortObject();
    MapCharacter.InitMapCharacter();
    Object.InitObject();
    Event.InitEvent();
    MapMenu.InitMapMenu();
    ScreenEffect.InitScreenEffect();
    Shader.InitShader();
    MapNameEffect.InitMapNameEffect();
    SaveFile.InitSaveFile();
    GameOverEffect.InitGameOverEffect();
    BattleMenu.InitBattleMenu();
    BattleEnd.InitBattleEnd();
    EncountEffect.InitEncountEffect();
    Title.InitTitle();

    // The shared pointers, in the same order.
    TheCharacter = &Character;
    TheBattleBackground = &BattleBackground;
    TheCharaShot = &CharaShot;
    TheDrawBattleSortObject = &DrawBattleSortObject;
    TheMagicCircle = &MagicCircle;
    TheEnemyGroup = &EnemyGroup;
    TheBattleTouch = &BattleTouch;
    TheEnemyShotList = &EnemyShotList;
    TheBattleEffect = &BattleEffect;
    TheMap = &Map;
    TheDrawSortObject = &DrawSortObject;
    TheMapCharacter = &MapCharacter;
    TheObject = &Object;
    TheEvent = &Event;
    TheFixedWindowSet = &FixedWindowSet;
    TheMapMenu = &MapMenu;
    TheScreenEffect = &ScreenEffect;
    TheShader = &Shader;
    TheMapNameEffect = &MapNameEffect;
    TheSaveFile = &SaveFile;
    TheGameOverEffect = &GameOverEffect;
    TheBattleMenu = &BattleMenu;
    TheBattleEnd = &BattleEnd;
    TheEncountEffect = &EncountEffect;
    TheTitle = &Title;

    // Only the back buffer is taken here: the restore flags are still clear.
    if (!RestoreDeviceResources())
        REPORT_ERROR(kSource, 124, ERROR_RESOURCE_CREATE);
    Shader.CreateShaders();
    // Window layouts.
    MapMenu.LayoutMapMenuWindows();
    Title.LayoutTitleWindows();
    Event.LayoutEventWindows();
    BattleMenu.LayoutBattleMenu();
    TheGameData->LayoutGameDataWindows();
    FixedWindowSet.InitFixedWindow();
    MapNameEffect.InitMapNameText();
    BattleBackground.SyncHudFromParty();
    TheGameData->NewGameData();
    TheGameData->ResetSessionState();
    ThePlayBGM->InitTunes();
    // Without its sound effects the game does not enter the title.
    if (!ThePlaySE->InitPlaySE()) {
        REPORT_ERROR(kSource, 148, ERROR_WAVE_LOAD);
        return;
    }
    // The title opening.
    SceneState = SCENE_TITLE;
    TitleState = TITLE_OPENING;
    Title.StartScreenFade();
}

void CGameMain::ReleaseGameMain()
{
    ReleaseMapData();
    Title.ReleaseTitle();
    EncountEffect.ReleaseEncountEffect();
    BattleMenu.ReleaseBattleMenu();
    GameOverEffect.ReleaseGameOverEffect();
    SaveFile.CloseSaveFile();
    MapNameEffect.ReleaseMapNameEffect();
    Shader.ReleaseShader();
    ScreenEffect.ReleaseScreenEffect();
    MapMenu.ReleaseMapMenu();
    Event.ReleaseEvent();
    Object.ReleaseObject();
    DrawSortObject.ReleaseDrawSortObject();
    Map.ReleaseMap();
    BattleEffect.ReleaseBattleEffect();
    EnemyShotList.ReleaseEnemyShot();
    EnemyGroup.ReleaseEnemy();
    MagicCircle.ReleaseMagicCircle();
    CharaShot.ReleaseCharaShot();
    BattleBackground.ReleaseBattleBackground();
    Character.ReleaseCharacter();
}

void CGameMain::ReleaseMapData()
{
    if (MapBlobBuffer != nullptr) {
        ZephFilePack->FreeData(MapBlobBuffer);
        MapBlobBuffer = nullptr;
    }
}

void CGameMain::CountPlaySEFrame()
{
    ThePlaySE->CountPlaySEFrame();
}

void CGameMain::UpdateGameMain()
{
    if (WindowActive)
        UpdateScene();
    DrawScene();
}

// ----------------------------------------------------------------------------
// Scene update

void CGameMain::UpdateField()
{
    switch (MapSceneState) {
    case MAP_SCENE_WALK:
        MapCharacter.UpdateMapCharacter();
        DrawSortObject.MakeMapSortList();
        MapNameEffect.UpdateMapNameEffect();
        break;
    case MAP_SCENE_EVENT:
        Event.UpdateEvent();
        break;
    case MAP_SCENE_MENU:
        MapMenu.UpdateMapMenu();
        break;
    case MAP_SCENE_MENU_TRANSFER:
        MapCharacter.UpdateMenuTransfer();
        break;
    default:
        break;
    }
}

void CGameMain::UpdateTitleScene()
{
    switch (TitleState) {
    case TITLE_MENU:
        Title.UpdateTitle();
        break;
    case TITLE_LEAVING:
        Title.UpdateTitleFade();
        break;
    case TITLE_OPENING:
        Title.UpdateTitleOpening();
        break;
    default:
        break;
    }
}

void CGameMain::UpdateBattle()
{
    switch (Character.GetBattlePhase()) {
    case BATTLE_PHASE_OPENING:
        BattleEffect.UpdateBattleOpening();
        break;
    case BATTLE_PHASE_ACTION:
        BattleEffect.UpdateBattleAction();
        break;
    case BATTLE_PHASE_MENU:
        BattleMenu.UpdateBattleMenu();
        break;
    case BATTLE_PHASE_DEFEAT:
        BattleEffect.UpdateBattleDefeat();
        break;
    case BATTLE_PHASE_VICTORY:
        BattleEffect.UpdateBattleVictory();
        break;
    default:
        break;
    }
}

void CGameMain::UpdateScene()
{
    // A part that sets its rerun byte has the whole update run again in the
    // same frame, on the scene numbers as they then stand.
    for (int pass = 0; pass < kMaxUpdatesPerFrame; ++pass) {
        CountPlaySEFrame();
        std::uint8_t* rerun = nullptr;
        switch (SceneState) {
        case SCENE_FIELD: {
            const bool transferring = MapSceneState == MAP_SCENE_MENU_TRANSFER;
            UpdateField();
            if (transferring)
                rerun = &MapCharacter.RerunUpdate;
            break;
        }
        case SCENE_MAP_CHANGE:
            ScreenEffect.UpdateMapChange();
            rerun = &ScreenEffect.RerunUpdate;
            break;
        case SCENE_TITLE: {
            const bool leaving = TitleState == TITLE_LEAVING;
            UpdateTitleScene();
            if (leaving)
                rerun = &Title.RerunUpdate;
            break;
        }
        case SCENE_ENCOUNT:
            EncountEffect.UpdateEncountEffect();
            break;
        case SCENE_BATTLE:
            UpdateBattle();
            break;
        case SCENE_BATTLE_END:
            BattleEnd.UpdateBattleEnd();
            break;
        case SCENE_GAME_OVER:
            GameOverEffect.UpdateGameOverEffect();
            rerun = &GameOverEffect.RerunUpdate;
            break;
        case SCENE_EVENT_EFFECT:
            ScreenEffect.UpdateEventScreenEffect();
            rerun = &ScreenEffect.RerunUpdate;
            break;
        default:
            break;
        }
        if (rerun == nullptr || *rerun == 0)
            return;
        *rerun = 0;
    }
}

// ----------------------------------------------------------------------------
// Drawing

void CGameMain::DrawField()
{
    ScreenEffect.DrawMapLayers();
    switch (MapSceneState) {
    case MAP_SCENE_WALK:
        MapCharacter.DrawMapCharacter();
        MapNameEffect.DrawMapNameEffect();
        Map.DrawMapHud();
        break;
    case MAP_SCENE_EVENT:
        Event.DrawEvent();
        break;
    case MAP_SCENE_MENU:
        MapCharacter.DrawMapCharacter();
        MapMenu.DrawMapMenu();
        break;
    default:
        break;
    }
}

void CGameMain::DrawTitleScene()
{
    switch (TitleState) {
    case TITLE_MENU:
        Title.DrawTitle();
        break;
    case TITLE_LEAVING: {
        const int step = Title.GetLeaveStep();
        if (step == 0 || step == 1)
            Title.DrawTitlePicture();
        else if (step == 3)
            ScreenEffect.DrawMapLayers();
        break;
    }
    case TITLE_OPENING: {
        const int step = Title.GetOpeningStep();
        if (step == 0 || step == 1)
            ScreenEffect.DrawMapLayers();
        else if (step == 3 || step == 4)
            Title.DrawTitlePicture();
        break;
    }
    default:
        break;
    }
}

void CGameMain::DrawLayers()
{
    switch (SceneState) {
    case SCENE_FIELD:
        DrawField();
        break;
    case SCENE_MAP_CHANGE:
        ScreenEffect.DrawMapChange();
        break;
    case SCENE_TITLE:
        DrawTitleScene();
        break;
    case SCENE_ENCOUNT:
        EncountEffect.DrawEncountEffect();
        break;
    case SCENE_BATTLE:
        BattleEffect.DrawBattle(Character.GetBattlePhase());
        break;
    case SCENE_BATTLE_END:
        BattleEnd.DrawBattleEnd();
        break;
    case SCENE_GAME_OVER:
        GameOverEffect.DrawGameOverEffect();
        break;
    case SCENE_EVENT_EFFECT:
        ScreenEffect.DrawEventScreenEffect();
        break;
    default:
        break;
    }
}

void CGameMain::DrawScene()
{
    D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColour, 1.0f, 0);
    if (SUCCEEDED(D3DDevice->BeginScene())) {
        D3DDevice->SetPixelShader(nullptr);
        D3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        D3DDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        D3DDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        CurrentFvf = 0xFFFFFFFFu;
        CurrentTexture = nullptr;
        D3DDevice->SetTexture(0, nullptr);
        DrawLayers();
        D3DDevice->EndScene();
    }
    const HRESULT presented = D3DDevice->Present();
    if (presented == D3DERR_DEVICELOST) {
        DeviceLost = 1;
        D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColour, 1.0f, 0);
    } else if (presented == D3DERR_DRIVERINTERNALERROR) {
        REPORT_ERROR(kSource, 579, ERROR_DRIVER_INTERNAL);
    }
}

// ----------------------------------------------------------------------------
// Device reset

void CGameMain::ReleaseDeviceResources()
{
    MapNameRestore = MapNameEffect.IsMapNameEffectActive() ? 1 : 0;
    MapNameEffect.ReleaseMapNameCapture();
    GameOverRestore = GameOverEffect.IsGameOverEffectReady() ? 1 : 0;
    GameOverEffect.ReleaseGameOverTextures();
    EncountRestore = EncountEffect.IsEncountEffectReady() ? 1 : 0;
    EncountEffect.ReleaseEncountTextures();
    TheGameData->ReleaseBackBuffer();
}

bool CGameMain::RestoreDeviceResources()
{
    // A back buffer that cannot be taken is a failure: every capture needs it
    // to return to the screen.
    const bool acquired = TheGameData->AcquireBackBuffer();
    if (MapNameRestore)
        MapNameEffect.RestoreMapNameEffect();
    if (GameOverRestore)
        GameOverEffect.BeginSceneCapture();
    if (EncountRestore)
        EncountEffect.CaptureEncountScreen();
    return acquired;
}

void CGameMain::OnLostDevice()
{
    Shader.OnLostDeviceShader();
}

void CGameMain::OnResetDevice()
{
    Shader.OnResetDeviceShader();
}
