// The enemy records page on screen: the names of the kinds met, 16 a page,
// and the chosen kind's picture, name, values (once defeated), resistances,
// immunities, treasure and number defeated, all from the prepared texts.
#include <algorithm>

#include "core/EnemyKinds.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MenuEnemyDrop.h"
#include "menu/MenuEnemyRecordLayout.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "menu/MenuTextTables.h"
#include "record/Pipkorn.h"

namespace {

constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kDepth = 0.299f;
constexpr float kCell = 12.0f;
constexpr float kFullWidth = 22.0f;
constexpr float kLabelWidth = 44.0f;
constexpr float kPictureBand = 104.0f;
constexpr float kGridGap = 13.0f;
constexpr float kGridPitch = 66.0f;
constexpr int kGridColumns = 4;
constexpr int kFirstGridEffect = 5;
constexpr int kGridEffects = 12;
constexpr float kTreasureField = 148.0f;
constexpr float kTreasureNameShift = 56.0f;
constexpr float kIconWidth = 26.0f;
constexpr float kDefeatedGap = 35.0f;
constexpr float kDefeatedColumn = 12.0f + 88.0f;
constexpr std::uint16_t kDefeatBits = 0x3FFF;
constexpr std::uint16_t kDropTakenBit = 0x8000;
constexpr int kShownKind = 3;

constexpr const char16_t* kResistTexts[8] = {u"25", u"50", u"75", u"100", u"125", u"150", u"200", u"250"};
constexpr const char16_t* kStatLabels[4] = {u"攻撃", u"魔攻", u"防御", u"魔防"};

// Where a value of `length` digits starts after a label: five cells, a
// longer value growing one cell at most.
float ValueX(float column, int length)
{
    return column + kCell + kLabelWidth + static_cast<float>(5 - std::min(length, 6)) * kCell;
}

bool Text(float x, float y, std::uint32_t colour, const char16_t* text, int length, int line)
{
    return DrawMenuText(x, y, kDepth, colour, text, length, line);
}

bool Labelled(float column, float y, const char16_t* label, int labelLength, const RecordNumber& value, int line)
{
    return Text(column, y, MENU_TEXT_WHITE, label, labelLength, line) &&
           Text(ValueX(column, value.length), y, MENU_TEXT_WHITE, value.text, value.length, line);
}

} // namespace

void CMapMenu::DrawEnemyRecordsPage()
{
    if (!DrawEnemyRecordList())
        return;
    DrawPageFrame(ENEMY_DETAIL_WINDOW, true);
    const int kind = markers[kShownKind];
    const EnemyKind* found = FindEnemyKind(kind);
    if (found == nullptr)
        return;
    const EnemyKindDef& def = found->def;
    const EnemyDetailArea area = EnemyDetailLayout();

    if (enemyPicture != nullptr && enemyPicture->texture != nullptr) {
        SetCachedFvf(FVF_TEXTURED);
        SetCachedTexture(enemyPicture->texture);
        DrawQuadStrip(pictureQuads[0], sizeof(TexturedVertex));
    }
    const float nameX =
        static_cast<float>(static_cast<int>(area.width / 2.0f + area.headingX - enemyDetail.nameWidth / 2.0f));
    if (!Text(nameX, area.headingY, MENU_TEXT_WHITE, def.Name, std::clamp(def.NameLength, 0, ENEMY_NAME_UNITS),
              __LINE__))
        return;
    const std::uint16_t record = TheGameData->enemyRecords[kind];
    if ((record & kDefeatBits) != 0 && !DrawEnemyValueBlock(area.headingY + kPictureBand + kRow))
        return;
    if (!DrawEnemyTreasureLine(kind))
        return;
    const float y = area.treasureY + kDefeatedGap;
    const RecordNumber& defeated = enemyDetail.defeated;
    if (Text(area.column1, y, MENU_TEXT_WHITE, u"倒した数", 4, __LINE__))
        Text(area.column1 + kDefeatedColumn + static_cast<float>(4 - defeated.length) * kCell, y, MENU_TEXT_WHITE,
             defeated.text, defeated.length, __LINE__);
}

// The list of kinds met; a list entry naming no kind leaves its row empty.
bool CMapMenu::DrawEnemyRecordList()
{
    DrawPageFrame(ENEMY_LIST_WINDOW, true);
    const auto& rect = TheFixedWindowSet->windowRects[ENEMY_LIST_WINDOW];
    const GameData& data = *TheGameData;
    for (int row = 0; row < mainList.rowsOnPage; ++row) {
        const int at = mainList.page * ENEMY_ROWS_PER_PAGE + row;
        const EnemyKind* found = at < data.enemyListCount ? FindEnemyKind(data.enemyList[at]) : nullptr;
        if (found == nullptr)
            continue;
        if (!Text(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(row), MENU_TEXT_WHITE,
                  found->def.Name, std::clamp(found->def.NameLength, 0, ENEMY_NAME_UNITS), __LINE__))
            return false;
    }
    if (mainList.pageCount <= 1)
        return true;
    const MenuTextOrigin& origin = textOrigins[ORIGIN_ENEMY_PAGE];
    if (!DrawMenuNumber(origin.x, origin.y, kDepth, MENU_TEXT_WHITE, pageLines[0].text, pageLines[0].length, __LINE__))
        return false;
    TheEvent->DrawFadedQuads(rect.left, rect.right, rect.bottom, kDepth, mainList.blinkCounter, mainList.page,
                             mainList.pageCount);
    return true;
}

bool CMapMenu::DrawEnemyValueBlock(float y)
{
    const EnemyDetailArea area = EnemyDetailLayout();
    const EnemyRecordDetail& detail = enemyDetail;
    if (!Labelled(area.column1, y, u"Lv", 2, detail.level, __LINE__) ||
        !Labelled(area.column2, y, u"HP", 2, detail.hp, __LINE__) ||
        !Labelled(area.column1, y + kRow, u"EXP", 3, detail.exp, __LINE__) ||
        !Labelled(area.column2, y + kRow, u"G", 1, detail.money, __LINE__))
        return false;
    y += 2.0f * kRow;
    for (int s = 0; s < ENEMY_RECORD_STATS; ++s) {
        const float column = s % 2 == 0 ? area.column1 : area.column2;
        if (!Labelled(column, y + kRow * static_cast<float>(s / 2), kStatLabels[s], 2, detail.stats[s], __LINE__))
            return false;
    }
    y += 2.0f * kRow;
    for (int e = 0; e < ENEMY_RECORD_ELEMENTS; ++e) {
        const float column = e % 2 == 0 ? area.column1 : area.column2;
        const float rowY = y + kRow * static_cast<float>(e / 2);
        const char16_t* percent = kResistTexts[detail.resist[e] & 7];
        const int length = MenuTextLength(percent);
        const float at = column + kCell + kLabelWidth + static_cast<float>(5 - (length + 1)) * kCell;
        if (!Text(column, rowY, ColorTable[e].colour, ColorTable[e].name, 1, __LINE__) ||
            !Text(at, rowY, MENU_TEXT_WHITE, percent, length, __LINE__) ||
            !Text(at + kCell * static_cast<float>(length), rowY, MENU_TEXT_WHITE, u"%", 1, __LINE__))
            return false;
    }
    // Effects the kind is immune to are greyed.
    y += 2.0f * kRow + kGridGap;
    for (int i = 0; i < kGridEffects; ++i) {
        const int effect = kFirstGridEffect + i;
        const bool immune = (detail.immunityMask >> effect) & 1u;
        if (!Text(area.gridX + kGridPitch * static_cast<float>(i % kGridColumns),
                  y + kRow * static_cast<float>(i / kGridColumns), immune ? MENU_TEXT_GREY : MENU_TEXT_WHITE,
                  StatusNameTable[effect], 2, __LINE__))
            return false;
    }
    return true;
}

// "宝" and then: none carried, not obtained yet, or the icon and name
// right-aligned in a field 148 pixels wide.
bool CMapMenu::DrawEnemyTreasureLine(int kind)
{
    const EnemyDetailArea area = EnemyDetailLayout();
    const float x = area.column1;
    const float y = area.treasureY;
    if (!Text(x, y, MENU_TEXT_WHITE, u"宝", 1, __LINE__))
        return false;
    const EnemyKindDef& def = FindEnemyKind(kind)->def;
    char16_t name[ENEMY_DROP_NAME_CHARS];
    const int length = def.DropChance != 0 ? GetEnemyDropName(kind, name) : 0;
    if (length == 0)
        return Text(x + kTreasureField - 2.0f * kFullWidth, y, MENU_TEXT_WHITE, u"なし", 2, __LINE__);
    if ((TheGameData->enemyRecords[kind] & kDropTakenBit) == 0)
        return Text(x + kTreasureField - kFullWidth, y, MENU_TEXT_WHITE, u"？", 1, __LINE__);
    float at = x + kTreasureNameShift;
    const float room = kTreasureField - (enemyDetail.dropNameWidth + kTreasureNameShift + kIconWidth);
    if (room > 0.0f)
        at += room;
    TheEvent->DrawEventIconTinted(def.DropItemCategory, at, y, kDepth, MENU_TEXT_WHITE);
    return Text(at + kIconWidth, y, MENU_TEXT_WHITE, name, length, __LINE__);
}
