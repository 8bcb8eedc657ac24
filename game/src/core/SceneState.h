// The shared scene numbers: which scene runs (SceneState), what the field is
// doing (MapSceneState) and where the title is (TitleState). A part changes
// scene by setting these; the game object dispatches on them each frame.
#pragma once

#include <cstdint>

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
