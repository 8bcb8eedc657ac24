// The two info texts the item and magic descriptions (and the battle menu)
// show: an item's use time and a magic's cost, power and chant time.
#include <algorithm>
#include <cstring>

#include "menu/MapMenu.h"
#include "menu/MenuNumberTexts.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextTables.h"

namespace {

constexpr int kFramesPerSecond = 60;
constexpr int kMagicInfoLimit = 21;

struct ChantTime {
    int whole;
    int tenth;
};

// The game's rule for a chant time: whole seconds and the tenth, the tenth
// raised by one whenever what lies below it reaches five thousandths (so
// 160 frames, 2.666 s, read 2.7 s and 176 frames, 2.933 s, read 3 s).
// Counted in whole thousandths of the frames, so no float rounding moves it.
ChantTime ChantSeconds(int frames)
{
    const int thousandths = frames * 1000 / kFramesPerSecond;
    ChantTime chant{thousandths / 1000, thousandths / 100 % 10};
    if (thousandths % 100 >= 5 && ++chant.tenth == 10) {
        chant.tenth = 0;
        ++chant.whole;
    }
    return chant;
}

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
    const ChantTime chant = ChantSeconds(entry.chantFrames);
    at = AppendNumber(magicInfoText, at, chant.whole, kMagicInfoLimit);
    if (chant.tenth != 0) {
        const char16_t tenth[3] = {u'.', static_cast<char16_t>(u'0' + chant.tenth), 0};
        at = Append(magicInfoText, at, tenth, kMagicInfoLimit);
    }
    at = Append(magicInfoText, at, u"秒", kMagicInfoLimit);
    magicInfoText[at] = 0;
    magicInfoLength = at;
}
