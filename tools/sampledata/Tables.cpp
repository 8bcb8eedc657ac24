// Data tables at full size: a few named rows, the rest numbered.
#include <iterator>
#include <string>

#include "core/GameDataTables.h"
#include "SampleData.h"

namespace sampledata {
namespace {

std::u16string Numbered(const std::u16string& stem, int n)
{
    std::u16string text = stem;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

struct NamedItem {
    const char16_t* name;
    const char16_t* description;
    int price;
};

// The price is what a shop pays for one; 毒消し sells for nothing.
const NamedItem kNamedItems[] = {
    {u"薬草", u"HPを半分回復する", 20},
    {u"回復薬", u"HPを全回復する", 80},
    {u"全快薬", u"全員のHPを全回復", 300},
    {u"毒消し", u"赤い実で毒を治す", 0},
    {u"万能薬", u"黒い瓶の万能の薬", 120},
    {u"傷薬", u"HPを半分回復する", 30},
    // A colour word other than red before a use time, and the longest text a row's length field holds.
    {u"聖水", u"白い光で全員の状態異常を治す", 150},
    {u"霊薬", u"全員のHPとSPを少しだけ回復", 200},
};

// The characters of a description before its use time (which follows the
// whole text): full-width and half-width counted apart, so the time stands
// right after the text on its first line.
int FullWidthCount(const std::u16string& text)
{
    int n = 0;
    for (char16_t c : text)
        n += c >= 0x100 ? 1 : 0;
    return n;
}

} // namespace

Bytes ItemTableEntry()
{
    Bytes b(ITEM_ROW_COUNT * ITEM_ROW_SIZE, 0);
    for (int id = 0; id < ITEM_ROW_COUNT; ++id) {
        const std::size_t row = static_cast<std::size_t>(id) * ITEM_ROW_SIZE;
        std::u16string name = Numbered(u"道具", id);
        std::u16string description = u"サンプルの道具";
        int price = 10 + id * 5;
        if (id < static_cast<int>(std::size(kNamedItems))) {
            name = kNamedItems[id].name;
            description = kNamedItems[id].description;
            price = kNamedItems[id].price;
        }
        const int nameLength = PutText(b, row + 0, name);
        const int descriptionLength = PutText(b, row + 18, description);
        Put16(b, row + 50, static_cast<std::uint32_t>(price));
        PutBits(b, row + 52, 0, 8, id % 3 == 0 ? 10 : 0);                        // duration or cooldown in seconds
        PutBits(b, row + 52, 8, 7, static_cast<std::uint32_t>((id * 37) % 100)); // sort key
        PutBits(b, row + 52, 15, 4, static_cast<std::uint32_t>(nameLength));
        PutBits(b, row + 52, 19, 4, static_cast<std::uint32_t>(descriptionLength));
        const int fullWidth = FullWidthCount(description.substr(0, static_cast<std::size_t>(descriptionLength)));
        PutBits(b, row + 52, 23, 4, static_cast<std::uint32_t>(fullWidth));
        PutBits(b, row + 52, 27, 4, static_cast<std::uint32_t>(descriptionLength - fullWidth));
    }
    return b;
}

namespace {

// Weapon 1 poisons, weapons 2 to 11 carry the colour effects 22 to 31,
// weapon 12 the last effect and weapons 13 to 18 the conditional and
// chance effects (piercing, while ailing, at full HP, at low HP, the quick
// magic, until hit).
int WeaponEffect(int id)
{
    static const int kLaterEffects[] = {14, 15, 20, 21, 34, 35};
    if (id == 1)
        return 5;
    if (id >= 2 && id <= 11)
        return 20 + id;
    if (id == 12)
        return 36;
    if (id >= 13 && id < 13 + static_cast<int>(std::size(kLaterEffects)))
        return kLaterEffects[id - 13];
    return 0;
}

} // namespace

// Weapons of a member with their effects; the 体力 bonus runs -10 to +10 by the row.
Bytes WeaponTableEntry(int member)
{
    static const char16_t* kStems[3] = {u"剣", u"弓", u"杖"};
    Bytes b(WEAPON_ROW_COUNT * WEAPON_ROW_SIZE, 0);
    for (int id = 0; id < WEAPON_ROW_COUNT; ++id) {
        const std::size_t row = static_cast<std::size_t>(id) * WEAPON_ROW_SIZE;
        const int nameLength = PutText(b, row, Numbered(kStems[member], id));
        const int effect = WeaponEffect(id);
        const int stamina = id == 0 ? 0 : id % 5 - 2;                         // units of 5
        Put8(b, row + 18, static_cast<std::uint32_t>(20 + id % 4 * 10));      // SP maximum
        Put8(b, row + 19, static_cast<std::uint32_t>(effect));                // special effect
        PutBits(b, row + 20, 0, 14, static_cast<std::uint32_t>(10 + id * 8)); // power
        PutBits(b, row + 20, 14, 4, static_cast<std::uint32_t>(nameLength));
        PutBits(b, row + 20, 18, 4, static_cast<std::uint32_t>(stamina));
    }
    return b;
}

namespace {

// A piece of armour or an accessory beyond the plain rows: four stat
// bonuses, 体力 in units of 5, four colour-level changes and its abilities.
struct NamedGuard {
    int id;
    int stats[4];
    int stamina;
    int colours[4];
    std::uint32_t abilities;
};

constexpr std::uint32_t kAllAbilities = (1u << 29) - 1u;

// Armour 1 trades defence for attack; 2 lowers two colour levels and grants
// more abilities than the description has room for; 3 adds nothing at all.
const NamedGuard kNamedArmour[] = {
    {1, {12, 0, -3, 4}, 2, {-1, 1, 0, 0}, 1u << 28 | 1u},
    {2, {0, 8, 11, 6}, -1, {0, 0, -2, 2}, kAllAbilities & ~(1u << 19 | 1u << 20 | 1u << 26 | 1u << 27)},
    {3, {0, 0, 0, 0}, 0, {0, 0, 0, 0}, 0},
};
// Accessory 1 costs 体力 for colour; 2 raises every stat and brings more
// gold and experience; 3 raises the maximum HP, 4 lowers it; 5 grants the
// abilities no other piece does alone.
const NamedGuard kNamedAccessories[] = {
    {1, {0, 0, 0, 0}, -3, {1, 0, 0, -1}, 0},
    {2, {5, 5, 5, 5}, 1, {0, 0, 0, 0}, 1u << 23 | 1u << 24},
    {3, {0, 0, 0, 0}, 2, {0, 0, 0, 0}, 1u << 25},
    {4, {0, 0, 10, 10}, 0, {-1, -1, -1, -1}, 1u << 26},
    {5, {0, 0, 0, 0}, 0, {0, 0, 0, 0}, 1u << 19 | 1u << 20 | 1u << 27},
};

// Writes a named row's fields; the 9th word's fields start at `shift`.
void PutGuard(Bytes& b, std::size_t row, int shift, const NamedGuard& piece)
{
    Put32(b, row, piece.abilities);
    for (int stat = 0; stat < 4; ++stat)
        Put16(b, row + 22 + 2 * stat, static_cast<std::uint32_t>(piece.stats[stat]) & 0xFFFFu);
    PutBits(b, row + 32, shift, 5, static_cast<std::uint32_t>(piece.stamina));
    for (int c = 0; c < 4; ++c)
        PutBits(b, row + 32, shift + 9 + 3 * c, 3, static_cast<std::uint32_t>(piece.colours[c]));
}

} // namespace

Bytes ArmorTableEntry(int member)
{
    static const char16_t* kStems[3] = {u"鎧", u"服", u"衣"};
    Bytes b(ARMOR_ROW_COUNT * ARMOR_ROW_SIZE, 0);
    for (int id = 0; id < ARMOR_ROW_COUNT; ++id) {
        const std::size_t row = static_cast<std::size_t>(id) * ARMOR_ROW_SIZE;
        const int nameLength = PutText(b, row + 4, Numbered(kStems[member], id));
        for (int stat = 0; stat < 4; ++stat)
            Put16(b, row + 22 + 2 * stat, static_cast<std::uint32_t>(stat >= 2 ? 5 + id * 3 : 0));
        PutBits(b, row + 32, 5, 4, static_cast<std::uint32_t>(nameLength));
    }
    for (const NamedGuard& piece : kNamedArmour)
        PutGuard(b, static_cast<std::size_t>(piece.id) * ARMOR_ROW_SIZE, 0, piece);
    return b;
}

Bytes AccessoryTableEntry()
{
    Bytes b(ACCESSORY_ROW_COUNT * ACCESSORY_ROW_SIZE, 0);
    for (int id = 0; id < ACCESSORY_ROW_COUNT; ++id) {
        const std::size_t row = static_cast<std::size_t>(id) * ACCESSORY_ROW_SIZE;
        const int nameLength = PutText(b, row + 4, Numbered(u"指輪", id));
        Put16(b, row + 22 + 2 * (id % 4), 3);
        PutBits(b, row + 32, 0, 10, static_cast<std::uint32_t>((id * 53) % 1000)); // sort key
        PutBits(b, row + 32, 15, 4, static_cast<std::uint32_t>(nameLength));
    }
    for (const NamedGuard& piece : kNamedAccessories)
        PutGuard(b, static_cast<std::size_t>(piece.id) * ACCESSORY_ROW_SIZE, 10, piece);
    return b;
}

Bytes WarpPointTableEntry()
{
    Bytes b(WARP_POINT_ROW_COUNT * WARP_POINT_ROW_SIZE, 0);
    for (int id = 0; id < WARP_POINT_ROW_COUNT; ++id) {
        const std::size_t row = static_cast<std::size_t>(id) * WARP_POINT_ROW_SIZE;
        Put16(b, row + 0, static_cast<std::uint32_t>(id)); // map
        Put16(b, row + 2, static_cast<std::uint32_t>(id)); // place name
        Put16(b, row + 4, 9);                              // cell x
        Put16(b, row + 6, 7);                              // cell y
        Put8(b, row + 18, static_cast<std::uint32_t>(PutText(b, row + 8, u"入口")));
    }
    return b;
}

} // namespace sampledata
