// The life of the game process around the main loop: start-up of the engine,
// the window and the game's services, the window-mode switch, the device
// reset, and shutdown.
#pragma once

#include <cstdint>

#include "core/GameDataTables.h"
#include "main/ZephLibrary.h"

struct WindowFrameRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

class CInitialize {
public:
    CInitialize() = default;
    ~CInitialize();

    bool InitializeGame();
    void ShutdownGame();

    bool ToggleWindowMode();
    bool ResetDevice();
    void SaveWindowPosition();
    void ClampWindowToWorkArea();

    // The client rectangle 0, 0, 640, 480 grown by the window frame: left and
    // top are zero or negative.
    WindowFrameRect WindowRect{};
    ZephLibrary EngineModule;
    // Where the client area's top-left corner stands on the screen while windowed.
    std::int32_t ClientOriginX = 0;
    std::int32_t ClientOriginY = 0;
    std::uint8_t Started = 0;

private:
    bool OpenMainWindow();
    bool EnterWindowMode(std::int32_t window);
    template <typename Proc> Proc Bind(const char* name);
};

// The one start-up object; its destructor shuts the game down at exit.
extern CInitialize Initializer;

// The frame clock: the time of the current pass of the main loop.
extern std::uint32_t CurrentTime;
// 1 while the mouse cursor is shown.
extern std::uint8_t CursorVisible;

// The folder name the engine library is loaded from, relative to the game.
inline constexpr const char* kEngineLibraryPath = "Data/libZeph.so";
inline constexpr const char* kWindowTitle = "ヴェルモラ";
