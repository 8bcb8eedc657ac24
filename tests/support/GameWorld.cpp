#include "GameWorld.h"

#include "battle/BattleBackground.h"
#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "core/EnemyKinds.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "main/Initialize.h"
#include "main/MainLoop.h"
#include "main/WindowEvents.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "record/Config.h"
#include "record/KeyNames.h"
#include "record/Pipkorn.h"

namespace testsupport {

GameWorld::GameWorld()
{
    KeepParts();
    KeepScenes();
    KeepEngineObjects();
    KeepDataTables();
    KeepSettings();
    KeepPlayers();
    KeepMainLoop();
}

GameWorld::~GameWorld()
{
    for (auto restore = restores_.rbegin(); restore != restores_.rend(); ++restore)
        (*restore)();
}

void GameWorld::TraceSceneCalls()
{
    SceneTrace::Clear();
    SceneTrace::Enable(true);
    restores_.push_back([] {
        SceneTrace::SetHook(nullptr);
        SceneTrace::Enable(false);
        SceneTrace::Clear();
    });
}

void GameWorld::KeepParts()
{
    Keep(TheGameMain, nullptr);
    Keep(TheCharacter, nullptr);
    Keep(TheBattleBackground, nullptr);
    Keep(TheCharaShot, nullptr);
    Keep(TheDrawBattleSortObject, nullptr);
    Keep(TheMagicCircle, nullptr);
    Keep(TheEnemyGroup, nullptr);
    Keep(TheBattleTouch, nullptr);
    Keep(TheEnemyShotList, nullptr);
    Keep(TheBattleEffect, nullptr);
    Keep(TheMap, nullptr);
    Keep(TheDrawSortObject, nullptr);
    Keep(TheMapCharacter, nullptr);
    Keep(TheObject, nullptr);
    Keep(TheEvent, nullptr);
    Keep(TheFixedWindowSet, nullptr);
    Keep(TheMapMenu, nullptr);
    Keep(TheScreenEffect, nullptr);
    Keep(TheShader, nullptr);
    Keep(TheMapNameEffect, nullptr);
    Keep(TheSaveFile, nullptr);
    Keep(TheGameOverEffect, nullptr);
    Keep(TheBattleMenu, nullptr);
    Keep(TheBattleEnd, nullptr);
    Keep(TheEncountEffect, nullptr);
    Keep(TheTitle, nullptr);
    Keep(TheGameData, nullptr);
    Keep(MapBlobBuffer, nullptr);
    Keep(MapBlobSize, 0);
    Keep(CurrentMap, nullptr);
}

void GameWorld::KeepScenes()
{
    Keep(SceneState, SCENE_FIELD);
    Keep(MapSceneState, MAP_SCENE_WALK);
    Keep(TitleState, TITLE_MENU);
    Keep(DeviceLost, 0);
    Keep(WindowActive, 1);
}

void GameWorld::KeepEngineObjects()
{
    Keep(ZephError, nullptr);
    Keep(ZephGraphic, nullptr);
    Keep(ZephTextTexture, nullptr);
    Keep(ZephFilePack, nullptr);
    Keep(ZephKeyInput, nullptr);
    Keep(ZephMidi, nullptr);
    Keep(ZephSoundStatic, nullptr);
    Keep(CreateTextTextureProc, nullptr);
    Keep(BattleTextTexture, nullptr);
    Keep(BattleLargeTextTexture, nullptr);
    Keep(D3DDevice, nullptr);
    Keep(MainWindow, nullptr);
    Keep(BackBufferSurface, nullptr);
    Keep(ErrorFlag, 0);
    Keep(GameReady, 0);
    Keep(CurrentFvf, 0xFFFFFFFFu);
    Keep(CurrentTexture, nullptr);
    Keep(DrawBrightnessColor, 0xFFFFFFFFu);
}

void GameWorld::KeepDataTables()
{
    Keep(GameDataBuffers, nullptr);
    Keep(ItemTable, nullptr);
    Keep(WeaponTable, nullptr);
    Keep(ArmorTable, nullptr);
    Keep(AccessoryTable, nullptr);
    Keep(WarpPointTable, nullptr);
    Keep(EnemyKindBlob, nullptr);
    Keep(EnemyKindTable, nullptr);
    Keep(EnemyMoveTable, nullptr);
    Keep(EnemyActionTable, nullptr);
    Keep(LoadedEnemyKinds(), {});
}

// The settings record as the game has it before reading the file (it is not
// written back when the world goes), and no key names yet.
void GameWorld::KeepSettings()
{
    Save(GameConfig.XPos);
    Save(GameConfig.YPos);
    Save(GameConfig.BGMVol);
    Save(GameConfig.SoundVol);
    Save(GameConfig.Key);
    Save(GameConfig.Joy);
    Save(GameConfig.Window);
    Save(GameConfig.Keyboard);
    Save(GameConfig.Joystick);
    Save(GameConfig.AP_BGM);
    Save(GameConfig.AP_Sound);
    Save(GameConfig.ShowWarn);
    Save(GameConfig.WindowPosValid);
    Keep(GameConfig.SaveOnExit, 0);
    GameConfig.ResetGameConfig();
    // The names of the assigned keys, made from the settings at start-up.
    Keep(KeyNameText, nullptr);
    Keep(KeyNameHalfCount, 0);
    Keep(KeyNameFullCount, 0);
}

void GameWorld::KeepPlayers()
{
    Keep(ThePlayBGM, nullptr);
    Keep(ThePlaySE, nullptr);
}

void GameWorld::KeepMainLoop()
{
    Keep(WindowClosing, 0);
    Keep(CurrentTime, 0);
    Keep(CursorVisible, 1);
    Keep(PlayTimeClock, 0);
}

} // namespace testsupport
