// The field menu. What is built so far is what other scenes borrow from it:
// the cursor placement and swing, the key auto-repeat, cursor movement over
// one column of rows, the save-slot list with its window, the window layout
// those use, and quitting the game. The menu's own pages are not built yet:
// its entry points only note that they ran (see SceneTrace.h).
#pragma once

#include "record/SaveAndLoad.h"

#include <cstdint>

#include "core/SceneState.h"
#include "core/SceneTrace.h"

// Directions of the repeat counters and held flags.
enum MenuDirection : int {
    MENU_LEFT = 0,
    MENU_UP = 1,
    MENU_RIGHT = 2,
    MENU_DOWN = 3,
};

// Fixed windows the menu lays out for itself and for the title.
constexpr int MENU_TOP_WINDOW = 1;
constexpr int MENU_SLOT_WINDOW = 50;
constexpr int MENU_SLOT_CONFIRM_WINDOW = 51;

// One row of the save-slot list.
struct SaveSlotRow {
    char16_t dateText[20]; // "YYYY年MM月DD日hh:mm:ss", 19 characters
    char16_t levelText[3]; // right-aligned in three characters
    std::uint8_t filled;   // 1 when the slot holds a readable save with a time
};

class CMapMenu {
public:
    void InitMapMenu() { SceneTrace::Note("InitMapMenu"); }
    void ReleaseMapMenu() { SceneTrace::Note("ReleaseMapMenu"); }
    // Until the menu's pages are built it closes on the frame after it opens.
    void UpdateMapMenu()
    {
        SceneTrace::Note("UpdateMapMenu");
        if (menuUpdatesSeen++ > 0) {
            menuUpdatesSeen = 0;
            MapSceneState = MAP_SCENE_WALK;
        }
    }
    void DrawMapMenu() { SceneTrace::Note("DrawMapMenu"); }
    void SetMapMenuMode(int mode) { SceneTrace::Note("SetMapMenuMode", mode); }
    // After a shortcut on the map: the map's restore flags refill the party.
    void ApplyMapRestoreFlags() { SceneTrace::Note("ApplyMapRestoreFlags"); }
    // Windows 1, 50 and 51: the top menu and the save-slot list with its confirmation.
    void LayoutMapMenuWindows();

    // Cursor placement and swing.
    void PlaceMenuCursorX(float windowLeft);
    void PlaceMenuCursorRow(float windowTop, int row);
    void AnimateMenuCursor();
    void ResetMenuCursorAnimation();
    void DrawMenuCursor();

    // Key auto-repeat: a held direction repeats after 40 frames, then every 4.
    void StartKeyRepeat(int direction);
    void UpdateKeyRepeat();
    void ResetKeyRepeat();

    // Steps a row index with wrap-around; on a change plays the cursor sound
    // and places the cursor on the new row of the window whose top is given.
    int StepMenuCursor(int current, int step, int rowCount, float windowTop);
    // One column of rows: up and down step (with repeat), right and left jump
    // to the last and first row. True when a key moved the cursor.
    bool MoveMenuCursorByKeys(std::int8_t& cursor, int rowCount);

    // Reads which save slots hold a save, with their level and date (mode 41
    // is the load list; rebuild is always the case for it).
    void RefreshSaveSlotList(int mode, bool rebuild);
    void DrawSaveSlotWindow(int window, bool active, bool windowDrawnByCaller);

    // Asks the game window to close; the program then shuts down.
    void QuitGame();

    float cursorX;
    float cursorSwing;
    float cursorY;
    std::int32_t cursorWindow;
    std::int32_t repeatCounters[4];
    std::int32_t swingCounter;
    std::uint8_t repeatHeld[4];
    SaveSlotRow saveSlots[SAVE_SLOT_COUNT];
    std::uint8_t menuUpdatesSeen = 0;
};
