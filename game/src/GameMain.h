// The one game object: every scene part as a member at a fixed place, the
// shared pointers to them, and the per-frame scene update and drawing chosen
// by the shared scene numbers.
#pragma once

#include <cstdint>

#include "BattleBackground.h"
#include "BattleEffect.h"
#include "BattleEnd.h"
#include "BattleMenu.h"
#include "BattleTouch.h"
#include "CharaShot.h"
#include "Character.h"
#include "DrawBattleSortObject.h"
#include "DrawSortObject.h"
#include "EncountEffect.h"
#include "Enemy.h"
#include "EnemyShot.h"
#include "Event.h"
#include "FixedWindowSet.h"
#include "GameOverEffect.h"
#include "MagicCircle.h"
#include "Map.h"
#include "MapCharacter.h"
#include "MapMenu.h"
#include "MapNameEffect.h"
#include "Object.h"
#include "SaveAndLoad.h"
#include "ScreenEffect.h"
#include "Shader.h"
#include "Title.h"

// Scene numbers.
enum SceneStateValue : std::int32_t {
    SCENE_FIELD = 0,
    SCENE_MAP_CHANGE = 1,
    SCENE_TITLE = 2,
    SCENE_ENCOUNT = 3,
    SCENE_BATTLE = 4,
    SCENE_BATTLE_END = 5,
    SCENE_GAME_OVER = 6,
    SCENE_EVENT_EFFECT = 7,
};
enum MapSceneStateValue : std::int32_t {
    MAP_SCENE_WALK = 0,
    MAP_SCENE_EVENT = 1,
    MAP_SCENE_MENU = 2,
    MAP_SCENE_MENU_TRANSFER = 3,
};
enum TitleStateValue : std::int32_t {
    TITLE_MENU = 0,
    TITLE_LEAVING = 1,
    TITLE_OPENING = 2,
};

extern std::int32_t SceneState;
extern std::int32_t MapSceneState;
extern std::int32_t TitleState;

// Set by the drawing when Present reports a lost device; cleared by the main loop.
extern std::uint8_t DeviceLost;
// Cleared while the window is inactive: the scene update then does not run.
extern std::uint8_t WindowActive;

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

extern CGameMain* TheGameMain;

// The shared part pointers, set once by InitGameMain.
extern CCharacter* TheCharacter;
extern CBattleBackground* TheBattleBackground;
extern CCharaShot* TheCharaShot;
extern CDrawBattleSortObject* TheDrawBattleSortObject;
extern CMagicCircle* TheMagicCircle;
extern CEnemyGroup* TheEnemyGroup;
extern CBattleTouch* TheBattleTouch;
extern CEnemyShotList* TheEnemyShotList;
extern CBattleEffect* TheBattleEffect;
extern CMap* TheMap;
extern CDrawSortObject* TheDrawSortObject;
extern CMapCharacter* TheMapCharacter;
extern CObject* TheObject;
extern CEvent* TheEvent;
extern CFixedWindowSet* TheFixedWindowSet;
extern CMapMenu* TheMapMenu;
extern CScreenEffect* TheScreenEffect;
extern CShader* TheShader;
extern CMapNameEffect* TheMapNameEffect;
extern CSaveFile* TheSaveFile;
extern CGameOverEffect* TheGameOverEffect;
extern CBattleMenu* TheBattleMenu;
extern CBattleEnd* TheBattleEnd;
extern CEncountEffect* TheEncountEffect;
extern CTitle* TheTitle;

// The map blob of the current map, owned by the game object.
extern unsigned char* MapBlobBuffer;
extern std::int32_t MapBlobSize;
