// The numbers every menu window is built from: a 2-pixel border and an
// 8-pixel margin on each side, rows 24 pixels high and 2 apart.
#pragma once

struct MenuTextOrigin;

constexpr float MENU_COLUMN_LEFT = 30.0f; // the top menu's left edge
constexpr float MENU_FRAME_EXTRA = 20.0f; // border and margin on both sides
constexpr float MENU_TEXT_INSET = 10.0f;  // border and margin on one side
constexpr float MENU_ROW_PITCH = 26.0f;
constexpr int MENU_ROW_HEIGHT = 24;
constexpr int MENU_ROW_GAP = 2;
constexpr float MENU_PAGE_LINE_HEIGHT = 32.0f;
// The page text's top stands this far above its window's bottom.
constexpr float MENU_PAGE_LINE_RISE = 2.0f + 8.0f + 24.0f;

// Height of a window of `rows` rows.
float MenuWindowHeight(int rows);
// The page text of a list: its slash near the window's middle, one row above the bottom edge.
void PlacePageNumberOrigin(MenuTextOrigin& origin, int window, float lineWidth);
