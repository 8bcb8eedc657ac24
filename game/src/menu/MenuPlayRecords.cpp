// The play records window: the play time, kept current field by field while
// the page is open, and the battle counters as they were when it opened.
#include <algorithm>

#include "core/MemberNames.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextTables.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kRecordsWindow = 20;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kDepth = 0.295f;
constexpr float kCell = 12.0f;
// Seven full-width characters and a cell, then one more cell.
constexpr float kValueColumn = 7.0f * 22.0f + 12.0f + 12.0f;
constexpr int kCountCells = 10;
constexpr float kMemberNameX = 100.0f;

// One field of the play-time word (and of the menu's cache of it).
struct TimeField {
    int shift;
    std::uint32_t mask;
    int largest; // what its text can show
    int width;
};

constexpr TimeField kTimeFields[3] = {
    {0, 0x7FFF, 9999, 4}, // hours
    {15, 0x7F, 99, 2},    // minutes
    {22, 0x7F, 99, 2},    // seconds
};

char16_t* TimeText(PlayRecordTexts& texts, int field)
{
    switch (field) {
    case 0:
        return texts.hours;
    case 1:
        return texts.minutes;
    default:
        return texts.seconds;
    }
}

std::uint8_t Format(std::uint32_t counter, char16_t* out)
{
    return static_cast<std::uint8_t>(FormatNumber64(counter, out));
}

} // namespace

void CMapMenu::PreparePlayRecordTexts()
{
    const GameData& data = *TheGameData;
    playRecords.battlesWonLength = Format(data.battlesWon, playRecords.battlesWon);
    playRecords.defeatedLength = Format(data.enemiesDefeated, playRecords.defeated);
    for (int m = 0; m < MEMBER_NAME_COUNT; ++m)
        playRecords.memberDefeatLengths[m] = Format(data.defeatedByMember[m], playRecords.memberDefeats[m]);
}

void CMapMenu::UpdatePlayTimeTexts()
{
    const std::uint32_t time = TheGameData->playTime;
    for (int f = 0; f < 3; ++f) {
        const TimeField& field = kTimeFields[f];
        const std::uint32_t value = (time >> field.shift) & field.mask;
        if (value == ((packedWord >> field.shift) & field.mask))
            continue;
        packedWord = (packedWord & ~(field.mask << field.shift)) | (value << field.shift);
        FormatFixedWidthNumber(std::min(static_cast<int>(value), field.largest), TimeText(playRecords, f), field.width);
    }
}

void CMapMenu::DrawPlayRecordsWindow()
{
    TheFixedWindowSet->DrawFixedWindow(kRecordsWindow, 0);
    const auto& rect = TheFixedWindowSet->windowRects[kRecordsWindow];
    const float x = rect.left + kInset;
    const float y = rect.top + kInset;
    auto text = [&](float at, int row, const char16_t* what, int length) {
        return DrawMenuText(x + at, y + kRow * static_cast<float>(row), kDepth, MENU_TEXT_WHITE, what, length,
                            __LINE__);
    };
    // A count right-aligned in ten cells.
    auto count = [&](int row, const char16_t* digits, int length) {
        length = std::clamp(length, 0, kCountCells);
        return text(kValueColumn + static_cast<float>(kCountCells - length) * kCell, row, digits, length);
    };

    if (!text(0.0f, 0, u"プレイ時間", 5))
        return;
    UpdatePlayTimeTexts();
    if (!text(kValueColumn, 0, playRecords.hours, 4) || !text(kValueColumn + 4.0f * kCell, 0, u":", 1) ||
        !text(kValueColumn + 5.0f * kCell, 0, playRecords.minutes, 2) ||
        !text(kValueColumn + 7.0f * kCell, 0, u":", 1) || !text(kValueColumn + 8.0f * kCell, 0, playRecords.seconds, 2))
        return;
    if (!text(0.0f, 1, u"戦闘勝利回数", 6) || !count(1, playRecords.battlesWon, playRecords.battlesWonLength) ||
        !text(0.0f, 2, u"倒した敵:", 4) || !count(2, playRecords.defeated, playRecords.defeatedLength))
        return;
    for (int m = 0; m < MEMBER_NAME_COUNT; ++m) {
        const int row = 3 + m;
        if (!text(0.0f, row, u"倒した敵:", 5) || !text(kMemberNameX, row, MemberNameTable[m], MEMBER_NAME_LENGTH) ||
            !count(row, playRecords.memberDefeats[m], playRecords.memberDefeatLengths[m]))
            return;
    }
}
