// The two info texts the item and magic descriptions (and the battle menu)
// show: an item's use time and a magic's cost, power and chant time.
#include <algorithm>
#include <cstring>

#include "menu/MapMenu.h"
#include "menu/MenuNumberTexts.h"
#include "menu/MenuTextTables.h"

namespace {

constexpr int kFramesPerTenth = 6;
constexpr int kMagicInfoLimit = 21;

// Appends `text` (zero-terminated) at `at`, keeping within `limit` characters.
int Append(char16_t* out, int at, const char16_t* text, int limit)
{
    for (; *text != 0 && at < limit; ++text)
        out[at++] = *text;
    return at;
}

int AppendNumber(char16_t* out, int at, int value, int limit)
{
    char16_t digits[10];
    FormatNumber(value, digits);
    return Append(out, at, digits, limit);
}

} // namespace

void CMapMenu::SetDurationText(int seconds)
{
    if (seconds == useTimeSeconds)
        return;
    useTimeSeconds = seconds;
    constexpr int kLimit = 15;
    int at = Append(useTimeText, 0, useTimeLabel, kLimit);
    at = AppendNumber(useTimeText, at, seconds, kLimit);
    at = Append(useTimeText, at, u"秒", kLimit);
    useTimeText[at] = 0;
    useTimeLength = at;
}

void CMapMenu::SetMagicInfoText(int magic)
{
    if (magic < 0 || magic >= MENU_MAGIC_COUNT || magic == markers[0])
        return;
    markers[0] = static_cast<std::int16_t>(magic);
    const MenuMagic& entry = MagicTable[magic];
    int at = AppendNumber(magicInfoText, 0, entry.cost, kMagicInfoLimit);
    if (magic < MENU_POWER_SHOWN_MAGIC) {
        at = Append(magicInfoText, at, u"　威力", kMagicInfoLimit);
        at = AppendNumber(magicInfoText, at, entry.powerPercent, kMagicInfoLimit);
        at = Append(magicInfoText, at, u"%", kMagicInfoLimit);
    }
    at = Append(magicInfoText, at, u"　詠唱時間", kMagicInfoLimit);
    // Seconds to the nearest tenth, in whole numbers: six frames a tenth.
    const int tenths = (entry.chantFrames + kFramesPerTenth / 2) / kFramesPerTenth;
    at = AppendNumber(magicInfoText, at, tenths / 10, kMagicInfoLimit);
    if (tenths % 10 != 0) {
        const char16_t tenth[3] = {u'.', static_cast<char16_t>(u'0' + tenths % 10), 0};
        at = Append(magicInfoText, at, tenth, kMagicInfoLimit);
    }
    at = Append(magicInfoText, at, u"秒", kMagicInfoLimit);
    magicInfoText[at] = 0;
    magicInfoLength = at;
}
