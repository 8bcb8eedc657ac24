// The view over the map: where it is centred, how it follows the player and
// which cells it shows.
#include <cmath>

#include "field/FieldLight.h"
#include "core/Parts.h"
#include "field/MapCharacter.h"
#include "core/SceneState.h"
#include "field/Map.h"

namespace {

// The player is kept inside this box of screen positions.
constexpr float kBoxLeft = 192.0f;
constexpr float kBoxRight = 416.0f;
constexpr float kBoxTop = 160.0f;
constexpr float kBoxBottom = 288.0f;
// The HUD moves to the other side once the player is well past the middle.
constexpr float kHudLeftLimit = 256.0f;
constexpr float kHudRightLimit = 352.0f;
// Centring puts the cell 9 columns and 7 rows from the top-left corner.
constexpr int kCentreColumn = 9;
constexpr int kCentreRow = 7;

enum Direction { kUp = 0, kLeft = 1, kDown = 2, kRight = 3 };

} // namespace

void CMap::CentreViewOnCell(int x, int y)
{
    scrollX = static_cast<float>((x - kCentreColumn) * kCellSize);
    scrollY = static_cast<float>((y - kCentreRow) * kCellSize);
    float* const scrolls[2] = {&scrollX, &scrollY};
    const float ranges[2] = {scrollRangeX, scrollRangeY};
    for (int axis = 0; axis < 2; ++axis) {
        float& scroll = *scrolls[axis];
        if (IsLoopingMap() && loopingEnabled) {
            if (scroll < 0.0f)
                scroll += ranges[axis];
        } else if (scroll < 0.0f) {
            scroll = 0.0f;
        } else if (scroll > ranges[axis]) {
            scroll = ranges[axis];
        }
    }
}

void CMap::UpdateScrollCells()
{
    cellOffsetX = -std::fmod(scrollX, static_cast<float>(kCellSize));
    cellOffsetY = -std::fmod(scrollY, static_cast<float>(kCellSize));
    firstColumn = static_cast<int>(scrollX) / kCellSize;
    firstRow = static_cast<int>(scrollY) / kCellSize;
    visibleColumns = cellOffsetX == 0.0f ? kScreenColumns : kScreenColumns + 1;
    visibleRows = cellOffsetY == 0.0f ? kScreenRows : kScreenRows + 1;
    if (IsLitMap())
        ComputeLightGrid();
    const float playerX = TheMapCharacter->screenX;
    if (playerX <= kHudLeftLimit)
        hudSide = 1;
    else if (playerX >= kHudRightLimit)
        hudSide = 0;
}

void CMap::ComputeLightGrid()
{
    const float centreX = TheMapCharacter->screenX + 16.0f;
    const float centreY = TheMapCharacter->screenY + 16.0f;
    for (int c = 0; c < kLightColumns; ++c) {
        for (int r = 0; r < kLightRows; ++r) {
            const float dx = static_cast<float>(c * kCellSize) + cellOffsetX - centreX;
            const float dy = static_cast<float>(r * kCellSize) + cellOffsetY - centreY;
            lightGrid[c * kLightRows + r] = fieldlight::LightColour(dx * dx + dy * dy);
        }
    }
}

// One axis of the scroll after the player: a position below `low` pulls the
// view back, one above `high` pushes it on, and the player moves against the
// view by the amount it actually scrolled.
void CMap::ScrollAxis(float& scroll, float range, float position, float low, float high, int lessDirection,
                      int moreDirection)
{
    const bool wraps = IsLoopingMap() && loopingEnabled;
    if (position < low) {
        const float wanted = low - position;
        float moved = wanted;
        if (wraps) {
            scroll -= wanted;
            if (scroll < 0.0f)
                scroll += range;
        } else if (scroll > 0.0f) {
            moved = scroll < wanted ? scroll : wanted;
            scroll -= moved;
        } else {
            moved = 0.0f;
        }
        if (moved != 0.0f)
            TheMapCharacter->MovePlayerScreenPos(moreDirection, moved);
    } else if (position > high) {
        const float wanted = position - high;
        float moved = wanted;
        if (wraps) {
            scroll += wanted;
            if (scroll >= range)
                scroll -= range;
        } else if (scroll < range) {
            moved = range - scroll < wanted ? range - scroll : wanted;
            scroll += moved;
        } else {
            moved = 0.0f;
        }
        if (moved != 0.0f)
            TheMapCharacter->MovePlayerScreenPos(lessDirection, moved);
    }
}

void CMap::ScrollView()
{
    ScrollAxis(scrollX, scrollRangeX, TheMapCharacter->screenX, kBoxLeft, kBoxRight, kLeft, kRight);
    ScrollAxis(scrollY, scrollRangeY, TheMapCharacter->screenY, kBoxTop, kBoxBottom, kUp, kDown);
    UpdateScrollCells();
}
