// Screen, layout and timing constants shared by the game's source files.
//
// Derived values are computed from the base values exactly as written here:
// floats in single precision, integers with truncating division, so the
// numbers every part sees are the same.
#pragma once

// ---------------------------------------------------------------------------
// The screen and the battle field.
constexpr float SCREEN_WIDTH = 640.0f;
constexpr float SCREEN_HEIGHT = 480.0f;
constexpr float FIELD_TOP = 80.0f;
constexpr float FIELD_BOTTOM = 480.0f;
constexpr float FIELD_LEFT = 0.0f;
constexpr float FIELD_RIGHT = 640.0f;
constexpr float FIELD_CENTER_X = (FIELD_RIGHT - FIELD_LEFT) / 2.0f + FIELD_LEFT;
constexpr float FIELD_CENTER_Y = (FIELD_BOTTOM - FIELD_TOP) / 2.0f + FIELD_TOP;
// Corners in the order left-top, right-top, left-bottom, right-bottom.
constexpr float FIELD_CORNER_X[4] = {FIELD_LEFT, FIELD_RIGHT, FIELD_LEFT, FIELD_RIGHT};
constexpr float FIELD_CORNER_Y[4] = {FIELD_TOP, FIELD_TOP, FIELD_BOTTOM, FIELD_BOTTOM};

constexpr float LAYOUT_BASE_SIZE = 12.0f;
constexpr float LAYOUT_BASE_SIZE_COPY = LAYOUT_BASE_SIZE;
constexpr int LAYOUT_BASE_COUNT = 3;
constexpr int LAYOUT_WIDE_SPAN = LAYOUT_BASE_COUNT * 22 + 56;
constexpr int LAYOUT_NARROW_SPAN = LAYOUT_BASE_COUNT * 16 + 40;
constexpr int HALF_ALPHA_ROUNDED_UP = 128; // 255 × 0.5, rounded up
constexpr float LAYOUT_CELL_SIZE = 32.0f;
constexpr int LAYOUT_BASE_OFFSET = static_cast<int>(LAYOUT_BASE_SIZE) + 80;

// ---------------------------------------------------------------------------
// Battle and map parts, menus, save and load.
constexpr float PANEL_GAP = 6.0f * 5.0f;
constexpr float PANEL_BAND = 5.0f * 32.0f;
constexpr float PANEL_SIZES[3] = {16.0f - 6.0f, 24.0f, 64.0f};
constexpr float PANEL_SCALED_SIZES[3] = {8.0f * 3.0f * 1.5f, 12.0f * 2.0f * 1.5f, 16.0f * 1.0f * 1.5f};
constexpr double PANEL_RATIOS[2] = {16.0 / 20.0, 12.0 / 20.0};

// ---------------------------------------------------------------------------
// Window and panel offsets of the battle, event, map and menu parts.
constexpr float WINDOW_TEXT_INSET = 7.0f + 24.0f + 3.0f;
constexpr float WINDOW_DOUBLE_MARGIN = 8.0f * 2.0f;
constexpr float WINDOW_SMALL_GAP = 5.0f;
constexpr float WINDOW_SMALL_GAP_COPY = WINDOW_SMALL_GAP;
constexpr float WINDOW_ROW_MARGIN = 16.0f;

// ---------------------------------------------------------------------------
// Battle end, contact tests, party, draw list, encounter, enemies, game over.
constexpr int BATTLE_STEP_COUNT = 48;

// ---------------------------------------------------------------------------
// Places just outside the battle field, 32 × √2 and 64 − 32 × √2 from it.
constexpr float OUTSIDE_DIAGONAL = 45.254833f;
constexpr float OUTSIDE_INSET = 64.0f - OUTSIDE_DIAGONAL;
constexpr double FAR_DISTANCE_SQUARED = static_cast<double>(SCREEN_WIDTH) * static_cast<double>(SCREEN_WIDTH) * 4.0;
constexpr float OUTSIDE_LEFT_X[5] = {FIELD_LEFT - 16.0f - 0.0f, FIELD_LEFT - 16.0f - OUTSIDE_INSET,
                                     FIELD_LEFT - 16.0f - OUTSIDE_INSET, FIELD_LEFT - 16.0f - 64.0f,
                                     FIELD_LEFT - 16.0f - 64.0f};
constexpr float OUTSIDE_RIGHT_X[5] = {FIELD_RIGHT + 0.0f, FIELD_RIGHT + OUTSIDE_INSET, FIELD_RIGHT + OUTSIDE_INSET,
                                      FIELD_RIGHT + 64.0f, FIELD_RIGHT + 64.0f};
constexpr float OUTSIDE_Y[5] = {FIELD_TOP + 64.0f, FIELD_TOP + OUTSIDE_INSET, FIELD_TOP + (64.0f + OUTSIDE_DIAGONAL),
                                FIELD_TOP + 0.0f, FIELD_TOP + 128.0f};

// ---------------------------------------------------------------------------
// Battle menu, party, shots, enemies, game over, magic circles.
constexpr int BATTLE_MENU_SPAN = 98;

// ---------------------------------------------------------------------------
// The battle command window along the bottom of the screen.
constexpr float COMMAND_COLUMN_STEP = 16.0f + 3.0f;
constexpr float COMMAND_LABEL_STEP = 12.0f + 2.0f + 5.0f;
constexpr float COMMAND_TOP = FIELD_TOP + 2.0f + 2.0f + 5.0f;
constexpr float COMMAND_ICON_STEP = 16.0f + 2.0f + 5.0f;
constexpr float COMMAND_ROW_PITCH = 16.0f + 5.0f;
constexpr float COMMAND_ORIGIN_X = SCREEN_WIDTH / 2.0f - static_cast<float>(384 / 2);
constexpr float COMMAND_ORIGIN_Y = SCREEN_HEIGHT - (2.0f + 5.0f + 3.0f * COMMAND_ROW_PITCH + 16.0f);
constexpr float COMMAND_DEPTH = 0.0499f;
struct CommandPosition {
    float x, y, z;
};
constexpr CommandPosition COMMAND_POSITIONS[5] = {
    {COMMAND_ORIGIN_X, COMMAND_ORIGIN_Y, COMMAND_DEPTH},
    {COMMAND_ORIGIN_X + COMMAND_COLUMN_STEP, COMMAND_ORIGIN_Y, COMMAND_DEPTH},
    {COMMAND_ORIGIN_X, COMMAND_ORIGIN_Y + COMMAND_ROW_PITCH, COMMAND_DEPTH},
    {COMMAND_ORIGIN_X + 16.0f, COMMAND_ORIGIN_Y + COMMAND_ROW_PITCH, COMMAND_DEPTH},
    {COMMAND_ORIGIN_X, COMMAND_ORIGIN_Y + 2.0f * COMMAND_ROW_PITCH, COMMAND_DEPTH},
};
constexpr int COMMAND_LIST_LEFT = static_cast<int>(COMMAND_COLUMN_STEP) + 280;
constexpr int COMMAND_LIST_WIDTH = LAYOUT_BASE_COUNT * 16 + 200;

// ---------------------------------------------------------------------------
// Sizes of battle actors and the field.
constexpr float ACTOR_SIZE = 32.0f;
constexpr float ACTOR_SIZE_B = 32.0f;
constexpr float ACTOR_SIZE_C = 32.0f;
constexpr float SCREEN_HALF_HEIGHT = SCREEN_HEIGHT / 2.0f;
constexpr float ACTOR_QUARTER = 32.0f / 4.0f;
constexpr float ACTOR_SIZE_D = 32.0f;
constexpr int ACTOR_STEP_LIMIT = static_cast<int>((80.0f - 32.0f) / 0.25f);
constexpr double ACTOR_REACH_SQUARED = (2.5 * 90.0) * (2.5 * 90.0);

// ---------------------------------------------------------------------------
// Contact tests, party, draw list, enemies and their shots.
constexpr float CONTACT_SPAN = 16.0f * 6.0f;
constexpr float CONTACT_HALF = 16.0f;
constexpr float CONTACT_HALF_HEIGHT = SCREEN_HEIGHT / 2.0f;

// ---------------------------------------------------------------------------
// Event, game over, map, player, objects, field menu, screen effects, title.
constexpr float FIELD_CELL = 32.0f;
constexpr float FIELD_DEPTHS[3] = {0.299f, 0.1f, 0.1f};

// ---------------------------------------------------------------------------
// Window layout of the battle menu, party, event, map and menus.
constexpr int WINDOW_ROW_COUNT = LAYOUT_BASE_COUNT + 4;
constexpr int WINDOW_ROWS_HEIGHT = WINDOW_ROW_COUNT * 22 + 144;
constexpr int WINDOW_ROWS_SPAN = WINDOW_ROW_COUNT * 22 + 12;
constexpr float WINDOW_RIGHT_LIMIT = SCREEN_WIDTH - 30.0f;
constexpr int WINDOW_COLUMN = 104;
constexpr int WINDOW_COLUMN_WIDE = static_cast<int>(LAYOUT_BASE_SIZE) + 104;
constexpr int WINDOW_TWO_COLUMNS = WINDOW_COLUMN_WIDE * 2 + 22;
constexpr float WINDOW_INFO_LEFT = 88.0f + LAYOUT_BASE_SIZE + 48.0f;
constexpr int WINDOW_INFO_RIGHT = static_cast<int>(LAYOUT_BASE_SIZE) + 402;
constexpr int WINDOW_WIDE_SPAN = 122;
constexpr int WINDOW_NARROW_SPAN = 88;
constexpr float WINDOW_ROW_TOP = 1.0f * 32.0f + 88.0f;
constexpr float WINDOW_ICON_TOP = 1.0f * 24.0f + 64.0f;
constexpr float WINDOW_VALUE_OFFSET = 32.0f + 44.0f;
constexpr float WINDOW_LABEL_OFFSET = 24.0f + 32.0f;

// ---------------------------------------------------------------------------
// The message and description window along the bottom of the screen.
constexpr float BOTTOM_WINDOW_LEFT = 46.0f;
constexpr float BOTTOM_WINDOW_TOP = SCREEN_HEIGHT - 2.0f * 2.0f - 96.0f - 40.0f;
constexpr float BOTTOM_WINDOW_RIGHT = SCREEN_WIDTH - 46.0f;
constexpr float BOTTOM_WINDOW_BOTTOM = SCREEN_HEIGHT;
constexpr float BOTTOM_TEXT_X = BOTTOM_WINDOW_LEFT + 2.0f + 8.0f;
constexpr float BOTTOM_TEXT_Y = BOTTOM_WINDOW_TOP + 2.0f + 8.0f;
constexpr float BOTTOM_TEXT_WIDTH = BOTTOM_WINDOW_RIGHT - BOTTOM_WINDOW_LEFT - 2.0f * 2.0f - 16.0f;
constexpr float BOTTOM_TEXT_RIGHT = BOTTOM_TEXT_X + BOTTOM_TEXT_WIDTH;
constexpr float BOTTOM_TEXT_BOTTOM = 32.0f * 4.0f + BOTTOM_TEXT_Y;
constexpr float BOTTOM_TEXT_DEPTH = 0.299f;
constexpr float BOTTOM_TEXT_POSITION[3] = {BOTTOM_TEXT_X, BOTTOM_TEXT_Y, BOTTOM_TEXT_DEPTH};

// ---------------------------------------------------------------------------
// Map cells.
constexpr float TILE_SIZE = 32.0f;
constexpr int TILE_HALF = static_cast<int>(TILE_SIZE / 2.0f);
constexpr int TILE_QUARTER_OF_HALF = TILE_HALF / 4;

// ---------------------------------------------------------------------------
// The map view: the player is kept in a box around the view origin.
constexpr float MAP_VIEW_ORIGIN_X = SCREEN_WIDTH / 2.0f - TILE_SIZE;
// Half the screen height is cut down to whole tiles before one tile is taken off.
constexpr float MAP_VIEW_ORIGIN_Y = static_cast<float>(static_cast<int>(SCREEN_HEIGHT / 2.0f) / 32 * 32) - TILE_SIZE;
constexpr float MAP_VIEW_MARGIN_LEFT = TILE_SIZE * 3.0f;
constexpr float MAP_VIEW_MARGIN_RIGHT = TILE_SIZE * 4.0f;
constexpr float MAP_VIEW_MARGIN_TOP = TILE_SIZE * 1.0f;
constexpr float MAP_VIEW_MARGIN_BOTTOM = TILE_SIZE * 3.0f;
namespace game_constants_detail {
constexpr int Larger(int a, int b)
{
    return a > b ? a : b;
}
} // namespace game_constants_detail
constexpr int MAP_VIEW_COLUMNS = game_constants_detail::Larger(
    9 - static_cast<int>(MAP_VIEW_MARGIN_LEFT / TILE_SIZE), 10 - static_cast<int>(MAP_VIEW_MARGIN_RIGHT / TILE_SIZE));
constexpr int MAP_VIEW_ROWS = game_constants_detail::Larger(6 - static_cast<int>(MAP_VIEW_MARGIN_TOP / TILE_SIZE),
                                                            8 - static_cast<int>(MAP_VIEW_MARGIN_BOTTOM / TILE_SIZE));
constexpr float MAP_VIEW_LEFT = MAP_VIEW_ORIGIN_X - MAP_VIEW_MARGIN_LEFT;
constexpr float MAP_VIEW_RIGHT = MAP_VIEW_ORIGIN_X + MAP_VIEW_MARGIN_RIGHT;
constexpr float MAP_VIEW_TOP = MAP_VIEW_ORIGIN_Y - MAP_VIEW_MARGIN_TOP;
constexpr float MAP_VIEW_BOTTOM = MAP_VIEW_ORIGIN_Y + MAP_VIEW_MARGIN_BOTTOM;
constexpr float MAP_LIGHT_NEAR_RADIUS = 135.7645f;
constexpr float MAP_LIGHT_FAR_RADIUS = 271.529f;
constexpr float MAP_LIGHT_NEAR_SQUARED = MAP_LIGHT_NEAR_RADIUS * MAP_LIGHT_NEAR_RADIUS;
constexpr float MAP_LIGHT_FAR_SQUARED = MAP_LIGHT_FAR_RADIUS * MAP_LIGHT_FAR_RADIUS;
constexpr float MAP_VIEW_LOWER_LIMIT = SCREEN_HEIGHT - 64.0f;

// ---------------------------------------------------------------------------
// The encounter transition: the bands meet in the middle of the screen's
// height, so each travels half of it plus its 256-pixel soft edge.
constexpr float ENCOUNT_EFFECT_TRAVEL = SCREEN_HEIGHT / 2.0f + 256.0f;
constexpr int ENCOUNT_EFFECT_FRAMES = static_cast<int>(ENCOUNT_EFFECT_TRAVEL / 8.0f) + 1;
constexpr int ENCOUNT_EFFECT_MS = ENCOUNT_EFFECT_FRAMES * 1000 / 60;

// ---------------------------------------------------------------------------
// Game over, place-name banner, screen effects, shaders.
constexpr float FADE_FRACTION = 1.0f / 5.0f * 2.0f;

// ---------------------------------------------------------------------------
// Maps and items the field and the field menu treat apart: the two maps that
// show the overlay picture (the second with data of its own) and the item
// that must be held to see it.
constexpr int OVERLAY_MAP_A = 20;
constexpr int OVERLAY_MAP_B = 21;
constexpr int OVERLAY_ITEM = 58;
