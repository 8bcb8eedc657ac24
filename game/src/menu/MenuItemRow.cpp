#include "menu/MenuServices.h"

#include "core/GameDataTables.h"

namespace {

constexpr int kNameOffset = 0;
constexpr int kTextOffset = 18;
constexpr int kInfoWord = 13;

std::uint32_t WordOf(const unsigned char* row, int word)
{
    const unsigned char* b = row + 4 * word;
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// At most `limit` characters from `at`, stopping at a zero; the count read.
int ReadText(const unsigned char* row, int at, int length, int limit, char16_t* out)
{
    if (length > limit)
        length = limit;
    int n = 0;
    for (; n < length; ++n) {
        const char16_t c = static_cast<char16_t>(row[at + 2 * n] | row[at + 2 * n + 1] << 8);
        if (c == 0)
            break;
        out[n] = c;
    }
    out[n] = 0;
    return n;
}

} // namespace

bool ReadMenuItemRow(int item, MenuItemRow& row)
{
    if (ItemTable == nullptr || item < 0 || item >= ITEM_ROW_COUNT)
        return false;
    const unsigned char* bytes = ItemTable + static_cast<long>(item) * ITEM_ROW_SIZE;
    const std::uint32_t info = WordOf(bytes, kInfoWord);
    row.useSeconds = static_cast<int>(info & 0xFF);
    row.nameLength = ReadText(bytes, kNameOffset, static_cast<int>((info >> 15) & 0xF), 9, row.name);
    row.textLength = ReadText(bytes, kTextOffset, static_cast<int>((info >> 19) & 0xF), 16, row.text);
    row.placeA = static_cast<int>((info >> 23) & 0xF);
    row.placeB = static_cast<int>((info >> 27) & 0xF);
    return true;
}
