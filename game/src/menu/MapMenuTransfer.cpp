// The transfer page: the warp points the party knows, ten a page, each
// shown by its place's name and the point's own suffix; choosing one starts
// the transfer there.
#include <cstdint>

#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "core/PlaceNames.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MapMenu.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "platform/LittleEndian.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "MapMenu";
constexpr int kPageButtons = 3;
constexpr int kRowsPerPage = 10;
constexpr int kListWindow = 47; // the last page; 48 the others
constexpr float kTextDepth = 0.297f;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kSuffixGap = 12.0f;
constexpr int kPlaceOffset = 2;
constexpr int kSuffixOffset = 8;
constexpr int kSuffixLengthOffset = 18;
constexpr int kSuffixMaxLength = 5;

// One warp point as the list shows it.
struct TransferPoint {
    int row; // the warp point's row of the table
    const char16_t* placeName;
    int placeLength;
    char16_t suffix[kSuffixMaxLength];
    int suffixLength;
};

// The warp point of list entry `entry`; false for an entry past the list, a
// point past the table's rows or a place the name table does not hold.
bool ReadTransferPoint(int entry, TransferPoint& point)
{
    const GameData& data = *TheGameData;
    if (entry < 0 || entry >= data.ownedKeyCount || entry >= OWNED_KEY_COUNT || WarpPointTable == nullptr)
        return false;
    const int row = data.ownedKeyList[entry];
    if (row < 0 || row >= WARP_POINT_ROW_COUNT)
        return false;
    const unsigned char* bytes = WarpPointTable + static_cast<std::size_t>(row) * WARP_POINT_ROW_SIZE;
    const int place = plat::LoadLeI16(bytes + kPlaceOffset);
    if (place < 0 || place >= PLACE_NAME_COUNT)
        return false;
    point.row = row;
    point.placeName = PlaceNameTable[place];
    point.placeLength = MenuTextLength(point.placeName);
    const int suffixLength = bytes[kSuffixLengthOffset];
    point.suffixLength = suffixLength < kSuffixMaxLength ? suffixLength : kSuffixMaxLength;
    for (int i = 0; i < point.suffixLength; ++i)
        point.suffix[i] = static_cast<char16_t>(plat::LoadLe16(bytes + kSuffixOffset + 2 * i));
    return true;
}

} // namespace

void CMapMenu::UpdateTransferPage()
{
    const int pushed = ZephKeyInput->GetButtonPushMask(kPageButtons);
    if (pushed & MENU_BUTTON_CONFIRM) {
        TransferPoint point{};
        if (!ReadTransferPoint(mainList.position, point)) {
            PlaySoundEffect(SE_REFUSE);
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        // The field runs the transfer from here on; the menu is not updated again.
        TheMapCharacter->StartMenuTransfer(point.row, TRANSFER_TO_WARP_POINT);
        return;
    }
    if (pushed & MENU_BUTTON_CANCEL) {
        PlaySoundEffect(SE_CANCEL);
        PlaceCursorForMode(homeMode);
        return;
    }
    if (pushed & MENU_BUTTON_MENU) {
        PlaySoundEffect(SE_MENU_OPEN_CLOSE);
        CloseMapMenu();
        return;
    }
    UpdateListWaiting();
}

void CMapMenu::MeasureTransferPlaceNames()
{
    for (int r = 0; r < kRowsPerPage; ++r) {
        transferNameWidths[r] = 0;
        TransferPoint point{};
        if (r >= mainList.rowsOnPage || !ReadTransferPoint(mainList.page * kRowsPerPage + r, point))
            continue;
        const int width = ZephTextTexture->GetStringWidth(point.placeName, point.placeLength);
        if (width < 0) {
            REPORT_ERROR(kSource, __LINE__, ERROR_TEXTURE_LOAD);
            throw 0;
        }
        transferNameWidths[r] = width;
    }
}

void CMapMenu::DrawTransferList()
{
    const bool lastPage = mainList.page + 1 >= mainList.pageCount;
    const int window = lastPage ? kListWindow : kListWindow + 1;
    DrawPageFrame(window, true);
    const auto& rect = TheFixedWindowSet->windowRects[window];
    const float x = rect.left + kInset;
    for (int r = 0; r < mainList.rowsOnPage && r < kRowsPerPage; ++r) {
        TransferPoint point{};
        if (!ReadTransferPoint(mainList.page * kRowsPerPage + r, point))
            continue;
        const float y = rect.top + kInset + kRow * static_cast<float>(r);
        if (!DrawMenuText(x, y, kTextDepth, MENU_TEXT_WHITE, point.placeName, point.placeLength, __LINE__))
            return;
        if (point.suffixLength > 0 &&
            !DrawMenuText(x + static_cast<float>(transferNameWidths[r]) + kSuffixGap, y, kTextDepth, MENU_TEXT_WHITE,
                          point.suffix, point.suffixLength, __LINE__))
            return;
    }
    if (mainList.pageCount <= 1)
        return;
    const MenuTextOrigin& origin = textOrigins[lastPage ? ORIGIN_TRANSFER_PAGE : ORIGIN_TRANSFER_FULL_PAGE];
    if (!DrawMenuNumber(origin.x, origin.y, kTextDepth, MENU_TEXT_WHITE, pageLines[0].text, pageLines[0].length,
                        __LINE__))
        return;
    TheEvent->DrawFadedQuads(rect.left, rect.right, rect.bottom, kTextDepth, mainList.blinkCounter, mainList.page,
                             mainList.pageCount);
}
