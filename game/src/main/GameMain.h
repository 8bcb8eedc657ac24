// The one game object: every scene part as a member at a fixed place, the
// shared pointers to them, and the per-frame scene update and drawing chosen
// by the shared scene numbers.
#pragma once

#include <cstdint>

#include "core/Parts.h"
#include "core/SceneState.h"
#include "battle/BattleBackground.h"
#include "battle/BattleEffect.h"
#include "battle/BattleEnd.h"
#include "battle/BattleMenu.h"
#include "battle/BattleTouch.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "battle/DrawBattleSortObject.h"
#include "field/DrawSortObject.h"
#include "battle/EncountEffect.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "field/event/Event.h"
#include "media/FixedWindowSet.h"
#include "battle/GameOverEffect.h"
#include "battle/MagicCircle.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "menu/MapMenu.h"
#include "field/MapNameEffect.h"
#include "field/Object.h"
#include "record/SaveAndLoad.h"
#include "field/ScreenEffect.h"
#include "media/Shader.h"
#include "title/Title.h"

class CGameMain {
public:
    void InitGameMain();
    void ReleaseGameMain();

    void UpdateGameMain();
    void UpdateScene();
    void DrawScene();

    void ReleaseDeviceResources();
    bool RestoreDeviceResources();
    void OnLostDevice();
    void OnResetDevice();

    void ReleaseMapData();
    void CountPlaySEFrame();

    // Members in construction order.
    CCharacter Character;
    CBattleBackground BattleBackground;
    CCharaShot CharaShot;
    CDrawBattleSortObject DrawBattleSortObject;
    CMagicCircle MagicCircle;
    CEnemyGroup EnemyGroup;
    CBattleTouch BattleTouch;
    CEnemyShotList EnemyShotList;
    CBattleEffect BattleEffect;
    CMap Map;
    CDrawSortObject DrawSortObject;
    CMapCharacter MapCharacter;
    CObject Object;
    CEvent Event;
    CFixedWindowSet FixedWindowSet;
    CMapMenu MapMenu;
    CScreenEffect ScreenEffect;
    CShader Shader;
    CMapNameEffect MapNameEffect;
    CSaveFile SaveFile;
    CGameOverEffect GameOverEffect;
    CBattleMenu BattleMenu;
    CBattleEnd BattleEnd;
    CEncountEffect EncountEffect;
    CTitle Title;

    // Which captures to make again after a device reset.
    std::uint8_t MapNameRestore;
    std::uint8_t GameOverRestore;
    std::uint8_t EncountRestore;

private:
    void UpdateField();
    void UpdateTitleScene();
    void UpdateBattle();
    void DrawLayers();
    void DrawField();
    void DrawTitleScene();
};

// Makes the game object: zero-filled storage, then InitGameMain.
CGameMain* CreateGameMain();
// ReleaseGameMain, then frees the storage.
void DeleteGameMain(CGameMain* game);
