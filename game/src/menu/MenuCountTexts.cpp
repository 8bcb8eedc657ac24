// The small texts of the lists: the held count of each visible row ("× 7")
// and the page text ("1  /  3").
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "menu/MapMenu.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "MapMenu";
constexpr int kRowsPerPage = 10;
constexpr int kPageDigitsMost = 4;
constexpr float kSlashGap = 6.0f;

int DigitCount(int value)
{
    int digits = 1;
    for (int rest = value / 10; rest != 0; rest /= 10)
        ++digits;
    return digits;
}

// The list category of an equipment category: weapons and armour per member, then the shared accessories.
int EquipListCategory(int equipCategory)
{
    if (equipCategory < 3)
        return ITEM_CATEGORY_WEAPON + equipCategory;
    if (equipCategory < 6)
        return ITEM_CATEGORY_ARMOR + equipCategory - 3;
    return ITEM_CATEGORY_ACCESSORY;
}

} // namespace

void CMapMenu::FormatCountText(char16_t out[3], int count)
{
    if (count < 0)
        count = 0;
    if (count > HELD_COUNT_CAP)
        count = HELD_COUNT_CAP;
    out[0] = u'×';
    out[1] = count < 10 ? u' ' : static_cast<char16_t>(u'0' + count / 10);
    out[2] = static_cast<char16_t>(u'0' + count % 10);
}

int CMapMenu::FormatPageNumberText(PageNumberLine& line, int pageIndex, int pageTotal)
{
    line = PageNumberLine{};
    const int shown = pageIndex + 1;
    const int firstDigits = DigitCount(shown);
    const int digits = firstDigits > DigitCount(pageTotal) ? firstDigits : DigitCount(pageTotal);
    if (digits > kPageDigitsMost)
        return 0;
    int at = FormatNumberText(line.text, shown, firstDigits, false, false);
    for (char16_t c : u"  /  ")
        if (c != 0)
            line.text[at++] = c;
    at += FormatNumberText(line.text + at, pageTotal, digits, false, false);
    line.length = at;
    return firstDigits;
}

void CMapMenu::BuildPageNumberLine(PageNumberLine& line, int pageIndex, int pageTotal)
{
    const int firstDigits = FormatPageNumberText(line, pageIndex, pageTotal);
    if (firstDigits == 0)
        return;
    // The first number and the two blanks after it; the slash stands 6 pixels on.
    const int width = ZephTextTexture->GetStringWidth(line.text, firstDigits + 2);
    if (width < 0) {
        REPORT_ERROR(kSource, __LINE__, ERROR_TEXTURE_LOAD);
        throw 0;
    }
    line.width = static_cast<float>(width) + kSlashGap;
}

// One count a visible row, rows separated by line feeds; a row whose count
// is below 0 has none.
template <typename CountOfEntry> void CMapMenu::WriteCountColumn(int listCount, CountOfEntry countOf)
{
    int at = 0;
    const int first = mainList.page * kRowsPerPage;
    const int end = first + kRowsPerPage < listCount ? first + kRowsPerPage : listCount;
    for (int entry = first; entry < end; ++entry) {
        if (entry != first)
            countText[at++] = u'\n';
        const int count = countOf(entry);
        if (count >= 0) {
            FormatCountText(countText + at, count);
            at += 3;
        }
    }
    countText[at] = 0;
    countTextLength = static_cast<std::uint8_t>(at);
}

void CMapMenu::FormatHeldCountColumn(const std::int16_t* items, int listCount)
{
    WriteCountColumn(listCount,
                     [items](int entry) { return TheGameData->HeldCount(ITEM_CATEGORY_ITEM, items[entry]); });
}

void CMapMenu::FormatEquipCountColumn()
{
    const int category = EquipListCategory(equipCategory);
    const int listed = TheGameData->categoryListCount[category];
    const int kind = equipCategory < 3 ? EQUIP_WEAPON : equipCategory < 6 ? EQUIP_ARMOR : EQUIP_ACCESSORY;
    const int member = equipCategory % 3;
    WriteCountColumn(mainList.count, [&](int entry) {
        // The row past the pieces is "wear nothing".
        if (entry >= listed)
            return -1;
        const int id = TheGameData->categoryList[category][entry];
        int worn = 0;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            if ((kind == EQUIP_ACCESSORY || m == member) && TheCharacter->equipment[kind][m] == id)
                ++worn;
        return TheGameData->HeldCount(category, id) - worn;
    });
}

void CMapMenu::FormatListedCountColumn()
{
    WriteCountColumn(mainList.count, [this](int entry) { return GetListedItemCount(entry); });
}
