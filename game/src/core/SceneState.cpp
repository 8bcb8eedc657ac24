#include "core/SceneState.h"

// The game starts on the field numbers; the start-up sets the title.
std::int32_t SceneState = 0;
std::int32_t MapSceneState = 0;
std::int32_t TitleState = 0;
std::uint8_t DeviceLost = 0;
std::uint8_t WindowActive = 1;
