#include "menu/MenuEnemyRecordLayout.h"

#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenuLayoutRules.h"

namespace {

constexpr float kDepth = 0.299f;
constexpr float kColumnIndent = 12.0f;
// A column is a label and five cells; a second column can grow two cells left.
constexpr float kColumnPitch = 176.0f;
// Four status names of two full-width characters, 66 pixels apart.
constexpr float kGridWidth = 3.0f * 66.0f + 44.0f;
// Below the grid's third row.
constexpr float kTreasureRise = 64.0f;

} // namespace

EnemyDetailArea EnemyDetailLayout()
{
    const auto& rect = TheFixedWindowSet->windowRects[ENEMY_DETAIL_WINDOW];
    EnemyDetailArea area{};
    area.headingX = rect.left + MENU_TEXT_INSET;
    area.headingY = rect.top + MENU_TEXT_INSET;
    area.headingZ = kDepth;
    area.width = rect.right - rect.left - MENU_FRAME_EXTRA;
    area.column1 = area.headingX + kColumnIndent;
    area.column2 = area.column1 + kColumnPitch;
    area.gridX = area.headingX + static_cast<float>(static_cast<int>((area.width - kGridWidth) / 2.0f));
    area.treasureY = rect.bottom - MENU_TEXT_INSET - kTreasureRise;
    return area;
}
