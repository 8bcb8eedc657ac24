// The save-slot list: which slots hold a save, with the party level and the
// date each was written, and the window that shows them (the field menu's
// save and load pages and the title's load window); saving into and loading
// the chosen slot.
#include "core/TextArguments.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"

#include <ctime>
#include <string>

#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "MapMenu";

constexpr std::uint32_t kActiveText = 0xFFFFFFFFu;
constexpr std::uint32_t kInactiveText = 0xFF808080u;
constexpr float kCallerTextDepth = 0.297f; // over the title's load window
constexpr float kInactiveDepthOffset = 0.1f;
constexpr float kRowPitch = 26.0f;
constexpr int kDigitAdvance = 12;

// Decimal digits of value, right-aligned in width characters with `fill`;
// false when the value needs more.
bool AppendNumber(std::u16string& text, unsigned value, size_t width, char16_t fill)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    if (digits.size() > width)
        return false;
    text.append(width - digits.size(), fill);
    text += digits;
    return true;
}

// "YYYY年MM月DD日hh:mm:ss": year in four places, month and day blank-padded
// to two, the time zero-padded.
bool FormatSaveDate(const std::tm& time, char16_t out[20])
{
    auto field = [](int value) { return static_cast<unsigned>(value < 0 ? 0 : value); };
    std::u16string text;
    const bool fits = AppendNumber(text, field(time.tm_year + 1900), 4, u' ') && (text += u'年', true) &&
                      AppendNumber(text, field(time.tm_mon + 1), 2, u' ') && (text += u'月', true) &&
                      AppendNumber(text, field(time.tm_mday), 2, u' ') && (text += u'日', true) &&
                      AppendNumber(text, field(time.tm_hour), 2, u'0') && (text += u':', true) &&
                      AppendNumber(text, field(time.tm_min), 2, u'0') && (text += u':', true) &&
                      AppendNumber(text, field(time.tm_sec), 2, u'0');
    if (!fits || text.size() != 19)
        return false;
    text.copy(out, 19);
    out[19] = 0;
    return true;
}

// Digits and labels keep a fixed advance so the columns line up; words use
// their glyphs' own.
bool DrawText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int length, int minimumAdvance = 0)
{
    const float position[3] = {x, y, z};
    return ZephTextTexture->DrawString(position, colour, text, length, kRowPitch, TEXT_NO_WRAP, TEXT_WHOLE,
                                       minimumAdvance);
}

} // namespace

void CMapMenu::ReadSaveSlotRows()
{
    ResetMenuCursorAnimation();
    for (int slot = 0; slot < SAVE_SLOT_COUNT; ++slot) {
        SaveSlotRow& row = saveSlots[slot];
        row = SaveSlotRow{};
        if (!TheSaveFile->SaveFileExists(slot))
            continue;
        const int level = TheSaveFile->ReadSaveSlotLevel(slot);
        if (level == -1)
            continue;
        std::u16string levelText;
        AppendNumber(levelText, static_cast<unsigned>(level), 3, u' ');
        levelText.copy(row.levelText, 3);
        std::tm written{};
        if (!TheSaveFile->GetSaveFileTime(slot, written) || !FormatSaveDate(written, row.dateText))
            continue;
        row.filled = 1;
    }
}

bool CMapMenu::SaveToSelectedSlot()
{
    // A failed save has shown its own message; the rows show the files as they now stand.
    const bool saved = TheSaveFile->SaveGame(slotCursor);
    RefreshMenuList(MenuSaveSlot, true);
    return saved;
}

void CMapMenu::LoadSelectedSlot()
{
    if (!TheSaveFile->LoadGame(slotCursor)) {
        // The game data are untouched: back to the list on the same slot.
        PlaceCursorForMode(MenuLoadSlot);
        return;
    }
    CloseMapMenu();
    TheGameData->ResetSessionState();
    TheMapCharacter->StartMenuTransfer(0, TRANSFER_TO_SAVED_PLACE);
}

void CMapMenu::ResetChosenSlotIfEmpty()
{
    if (slotCursor == 0 || (slotCursor > 0 && slotCursor < SAVE_SLOT_COUNT && saveSlots[slotCursor].filled))
        return;
    slotCursor = 0;
    PlaceCursorOnModeRow(mode);
}

void CMapMenu::DrawSaveSlotWindow(int window, bool active, bool windowDrawnByCaller)
{
    const std::uint32_t colour = active ? kActiveText : kInactiveText;
    float textDepth = kCallerTextDepth;
    if (!windowDrawnByCaller) {
        const float depth = WindowDepth(window) + (active ? 0.0f : kInactiveDepthOffset);
        const int colourSet = active ? 0 : 1;
        // Drawn twice: its translucent inside is meant to be blended twice.
        TheFixedWindowSet->DrawFixedWindowAtDepth(window, colourSet, depth);
        TheFixedWindowSet->DrawFixedWindowAtDepth(window, colourSet, depth);
        textDepth = depth - 0.001f;
    }
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float left = rect.left + 10.0f;
    const float top = rect.top + 10.0f;
    if (!DrawText(left, top, textDepth, colour, u"1:\n2:\n3:", 8, kDigitAdvance)) {
        REPORT_ERROR(kSource, __LINE__, ERROR_TEXTURE_LOAD);
        return;
    }
    for (int slot = 0; slot < SAVE_SLOT_COUNT; ++slot) {
        const SaveSlotRow& row = saveSlots[slot];
        const float x = left + 36.0f;
        const float y = top + kRowPitch * static_cast<float>(slot);
        bool drawn;
        if (!row.filled) {
            drawn = DrawText(x, y, textDepth, colour, u"データなし", 5);
        } else {
            drawn = DrawText(x, y, textDepth, colour, u"Lv", 2) &&
                    DrawText(x + 36.0f, y, textDepth, colour, row.levelText, 3, kDigitAdvance) &&
                    DrawText(x + 36.0f + 58.0f, y, textDepth, colour, row.dateText, 19, kDigitAdvance);
        }
        if (!drawn) {
            REPORT_ERROR(kSource, __LINE__, ERROR_TEXTURE_LOAD);
            return;
        }
    }
}
