#include "field/event/TextMacro.h"

#include <climits>
#include <string>

#include "core/MemberNames.h"
#include "core/PlaceNames.h"
#include "field/FieldServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr char16_t kEscape = u'$';

struct MacroKind {
    char16_t letter;
    char16_t second; // 0 for one-letter macros
    int limit;
    int category; // item category of the name, -1 members, -2 places
};

constexpr int kMembers = -1;
constexpr int kPlaces = -2;
constexpr MacroKind kMacroKinds[] = {
    {u'a', 0, 83, ITEM_CATEGORY_ACCESSORY},     {u'c', 0, 3, kMembers},
    {u'i', 0, 70, ITEM_CATEGORY_ITEM},          {u'm', 0, PLACE_NAME_COUNT, kPlaces},
    {u'p', u'a', 34, ITEM_CATEGORY_ARMOR + 0},  {u'p', u'c', 34, ITEM_CATEGORY_ARMOR + 1},
    {u'p', u'r', 34, ITEM_CATEGORY_ARMOR + 2},  {u'w', u's', 35, ITEM_CATEGORY_WEAPON + 0},
    {u'w', u'a', 35, ITEM_CATEGORY_WEAPON + 1}, {u'w', u'w', 35, ITEM_CATEGORY_WEAPON + 2},
};

const MacroKind* FindMacroKind(char16_t letter, char16_t second)
{
    for (const MacroKind& kind : kMacroKinds)
        if (kind.letter == letter && (kind.second == 0 || kind.second == second))
            return &kind;
    return nullptr;
}

std::u16string MacroName(const MacroKind& kind, int n)
{
    if (kind.category == kMembers)
        return std::u16string(MemberNameTable[n], MEMBER_NAME_LENGTH);
    if (kind.category == kPlaces)
        return PlaceNameTable[n];
    return EventItemName(kind.category, n);
}

bool Append(const std::u16string& name, char16_t* out, int& outLength)
{
    if (outLength + static_cast<int>(name.size()) >= MESSAGE_TEXT_LIMIT)
        return false;
    for (char16_t c : name)
        out[outLength++] = c;
    return true;
}

} // namespace

int ParseMacroNumber(std::u16string_view text, std::size_t at, int& value)
{
    value = 0;
    int digits = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at, ++digits) {
        const int digit = text[at] - u'0';
        value = value > (INT_MAX - digit) / 10 ? INT_MAX : value * 10 + digit;
    }
    return digits;
}

bool ExpandTextMacro(std::u16string_view text, std::size_t& source, char16_t* out, int& outLength)
{
    std::size_t at = source + 1;
    if (at >= text.size())
        return false;
    std::u16string name;
    if (text[at] == kEscape) {
        name = u"$";
        ++at;
    } else {
        const char16_t letter = text[at++];
        const char16_t second = at < text.size() ? text[at] : char16_t{0};
        const MacroKind* kind = FindMacroKind(letter, second);
        if (kind == nullptr)
            return false;
        if (kind->second != 0)
            ++at;
        int n = 0;
        at += static_cast<std::size_t>(ParseMacroNumber(text, at, n));
        if (n >= kind->limit)
            return false;
        name = MacroName(*kind, n);
    }
    if (!Append(name, out, outLength))
        return false;
    // The character after the escape is dropped, unless the text ends there.
    source = at < text.size() ? at + 1 : at;
    return true;
}

int FillMessageText(std::u16string_view text, char16_t* out)
{
    int length = 0;
    std::size_t source = 0;
    while (length < MESSAGE_TEXT_LIMIT && source < text.size() && text[source] != 0) {
        if (text[source] == kEscape) {
            if (!ExpandTextMacro(text, source, out, length))
                break;
            continue;
        }
        out[length++] = text[source++];
    }
    out[length] = 0;
    return length;
}
