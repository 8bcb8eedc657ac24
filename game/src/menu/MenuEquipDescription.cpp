// The description band of a piece of equipment: its icon and name, then its
// bonuses, colour changes and abilities (armour and accessories) or its
// bonuses and special effect (weapons), wrapped at the band's right edge.
// The texts of the bonuses are built once per described piece.
#include <algorithm>
#include <cstring>

#include "core/EquipmentRows.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuEquipTables.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"

namespace {

enum MenuMarker : int { kMarkerEquipText = 1 };

constexpr float kLeft = BOTTOM_TEXT_X;        // 56
constexpr float kRight = BOTTOM_TEXT_RIGHT;   // 584
constexpr float kBottom = BOTTOM_TEXT_BOTTOM; // 478
constexpr float kDepth = BOTTOM_TEXT_DEPTH;
constexpr float kNameX = BOTTOM_TEXT_X + 26.0f;
constexpr float kNameY = BOTTOM_TEXT_Y;
constexpr float kSecondLineY = BOTTOM_TEXT_Y + 32.0f;
constexpr float kLineAdvance = 32.0f;
constexpr float kWide = 22.0f;  // a full-width character
constexpr float kDigit = 12.0f; // a digit or sign
constexpr float kLabelWidth = 44.0f;
constexpr float kSpLabelWidth = 24.0f;
constexpr int kAbilityTextMost = 18;
constexpr int kEffectTextMost = 18;
constexpr int kMagicAttackTextMost = 13;
constexpr int kSpLabel = 4; // where "SP" and "体力" stand among the weapon's figures
constexpr char16_t kStamina[] = u"体力";

// The running place of the description's texts.
struct Pen {
    float x = kLeft;
    float y = kSecondLineY;
    void Wrap()
    {
        x = kLeft;
        y += kLineAdvance;
    }
};

bool Text(const Pen& pen, std::uint32_t colour, const char16_t* text, int length, int line)
{
    return DrawMenuText(pen.x, pen.y, kDepth, colour, text, length, line);
}

// Advances past a figure of `length` characters and the gap after it.
void PastFigure(Pen& pen, int length)
{
    pen.x += static_cast<float>(length) * kDigit + kWide;
}

} // namespace

int CMapMenu::FormatSignedNumber(std::int16_t value, char16_t* out)
{
    const int magnitude = value < 0 ? -static_cast<int>(value) : value;
    out[0] = value < 0 ? u'-' : u'+';
    int digits = 1;
    for (int power = 10; power <= magnitude; power *= 10)
        ++digits;
    for (int i = digits, rest = magnitude; i >= 1; --i, rest /= 10)
        out[i] = static_cast<char16_t>(u'0' + rest % 10);
    return digits + 1;
}

void CMapMenu::UpdateEquipStatTexts(int category, int id)
{
    if (category != equipTextCategory || id != markers[kMarkerEquipText])
        BuildEquipStatTexts(category, id);
}

void CMapMenu::BuildEquipStatTexts(int category, int id)
{
    equipTextCategory = static_cast<std::int8_t>(category);
    markers[kMarkerEquipText] = static_cast<std::int16_t>(id);
    EquipStatTexts& texts = equipStatTexts;
    texts = EquipStatTexts{};
    // Only a row of the category's own table.
    EquipmentRow row;
    if (!ReadEquipmentRow(category, id, row))
        return;
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        texts.statBonus[s] = static_cast<std::int16_t>(row.stats[s]);
    texts.spBonus = static_cast<std::uint8_t>(row.sp);
    texts.staminaBonus = static_cast<std::int8_t>(row.stamina);
    // 4.-7.
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s)
        if (texts.statBonus[s] != 0)
            texts.statLength[s] = static_cast<std::uint8_t>(FormatSignedNumber(texts.statBonus[s], texts.statText[s]));
    if (texts.spBonus != 0)
        texts.spLength = static_cast<std::uint8_t>(FormatSignedNumber(texts.spBonus, texts.spText));
    if (texts.staminaBonus != 0)
        texts.staminaLength = static_cast<std::uint8_t>(FormatSignedNumber(texts.staminaBonus, texts.staminaText));
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c) {
        texts.colourChange[c] = static_cast<std::int8_t>(row.colours[c]);
        if (row.colours[c] != 0)
            texts.colourLength[c] = static_cast<std::uint8_t>(
                FormatSignedNumber(static_cast<std::int16_t>(row.colours[c]), texts.colourText[c]));
    }
}

void CMapMenu::DrawArmorDescription(int category, int id)
{
    EquipmentRow row;
    if (id == -1 || category < EQUIP_CATEGORY_ARMOR || !ReadEquipmentRow(category, id, row))
        return;
    // 2.-4.
    TheEvent->DrawEventIcon(category + 1, 0.0f, 0);
    if (!DrawMenuText(kNameX, kNameY, kDepth, MENU_TEXT_WHITE, row.name, row.nameLength, __LINE__))
        return;
    UpdateEquipStatTexts(category, id);
    const EquipStatTexts& texts = equipStatTexts;
    // 5.-6.
    Pen pen;
    for (int s = 0; s < EQUIP_STAT_COUNT; ++s) {
        if (texts.statBonus[s] == 0)
            continue;
        if (!Text(pen, MENU_TEXT_WHITE, EquipStatLabelTable[s], 2, __LINE__))
            return;
        pen.x += kLabelWidth;
        if (!Text(pen, MENU_TEXT_WHITE, texts.statText[s], texts.statLength[s], __LINE__))
            return;
        PastFigure(pen, texts.statLength[s]);
    }
    if (texts.staminaBonus != 0) {
        if (pen.x + 24.0f + static_cast<float>(texts.staminaLength) * kDigit > kRight)
            pen.Wrap();
        if (!Text(pen, MENU_TEXT_WHITE, kStamina, 2, __LINE__))
            return;
        pen.x += kLabelWidth;
        if (!Text(pen, MENU_TEXT_WHITE, texts.staminaText, texts.staminaLength, __LINE__))
            return;
        PastFigure(pen, texts.staminaLength);
    }
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c) {
        if (texts.colourChange[c] == 0)
            continue;
        if (pen.x + kWide + static_cast<float>(texts.colourLength[c]) * kDigit > kRight)
            pen.Wrap();
        if (!Text(pen, ColorMarkTable[c].colour, ColorMarkTable[c].name, 1, __LINE__))
            return;
        pen.x += kWide;
        if (!Text(pen, MENU_TEXT_WHITE, texts.colourText[c], texts.colourLength[c], __LINE__))
            return;
        PastFigure(pen, texts.colourLength[c]);
    }
    // 9.-10. Abilities begin a line of their own; one that would start at
    // the band's bottom ends the list.
    if (row.abilities == 0)
        return;
    if (pen.x > kLeft)
        pen.Wrap();
    for (int bit : AbilityOrder) {
        if (!(row.abilities & (1u << bit)))
            continue;
        const MenuAbilityText& ability = AbilityTextTable[bit];
        if (pen.x + ability.width > kRight)
            pen.Wrap();
        if (pen.y >= kBottom)
            return;
        const int length = std::min(MenuTextLength(ability.text), kAbilityTextMost);
        if (!Text(pen, MENU_TEXT_WHITE, ability.text, length, __LINE__))
            return;
        pen.x += ability.width + kWide;
    }
}

void CMapMenu::DrawWeaponDescription(int member, int weapon)
{
    EquipmentRow row;
    if (weapon == -1 || member < 0 || member > 2 || !ReadEquipmentRow(member, weapon, row))
        return;
    TheEvent->DrawEventIcon(member + 1, 0.0f, 0);
    if (!DrawMenuText(kNameX, kNameY, kDepth, MENU_TEXT_WHITE, row.name, row.nameLength, __LINE__))
        return;
    UpdateEquipStatTexts(member, weapon);
    const EquipStatTexts& texts = equipStatTexts;
    // 攻撃, 魔攻, SP, 体力: each that the weapon has.
    const struct {
        const char16_t* label;
        float width;
        const char16_t* text;
        int length;
    } figures[kSpLabel] = {
        {EquipStatLabelTable[EQUIP_STAT_ATTACK], kLabelWidth, texts.statText[EQUIP_STAT_ATTACK],
         texts.statBonus[EQUIP_STAT_ATTACK] != 0 ? texts.statLength[EQUIP_STAT_ATTACK] : 0},
        {EquipStatLabelTable[EQUIP_STAT_MAGIC], kLabelWidth, texts.statText[EQUIP_STAT_MAGIC],
         texts.statBonus[EQUIP_STAT_MAGIC] != 0 ? texts.statLength[EQUIP_STAT_MAGIC] : 0},
        {u"SP", kSpLabelWidth, texts.spText, texts.spLength},
        {kStamina, kLabelWidth, texts.staminaText, texts.staminaLength},
    };
    Pen pen;
    for (const auto& figure : figures) {
        if (figure.length == 0)
            continue;
        if (!Text(pen, MENU_TEXT_WHITE, figure.label, 2, __LINE__))
            return;
        pen.x += figure.width;
        if (!Text(pen, MENU_TEXT_WHITE, figure.text, figure.length, __LINE__))
            return;
        PastFigure(pen, figure.length);
    }
    // The special effect on a line of its own; a number past the table has no text.
    const int effect = row.effect;
    if (effect == 0 || effect >= WEAPON_EFFECT_COUNT)
        return;
    if (pen.x > kLeft)
        pen.Wrap();
    if (effect >= WEAPON_EFFECT_COLOURED_FIRST && effect <= WEAPON_EFFECT_COLOURED_LAST) {
        DrawMagicColorEffect(pen.x, pen.y, kDepth, effect);
        return;
    }
    const int length = std::min(MenuTextLength(WeaponEffectTable[effect]), kEffectTextMost);
    Text(pen, MENU_TEXT_WHITE, WeaponEffectTable[effect], length, __LINE__);
}

bool CMapMenu::DrawMagicColorEffect(float& x, float y, float z, int effect)
{
    const int colours = GetCommandDirectionBits(effect);
    const int magicMode = GetCommandDirectionMode(effect) != 0 ? 1 : 0;
    for (int c = 0; c < EQUIP_COLOUR_COUNT; ++c) {
        if (!(colours & (1 << c)))
            continue;
        if (!DrawMenuText(x, y, z, ColorMarkTable[c].colour, ColorMarkTable[c].name, 1, __LINE__))
            return false;
        x += kWide;
    }
    const char16_t* text = MagicAttackTextTable[magicMode];
    return DrawMenuText(x, y, z, MENU_TEXT_WHITE, text, std::min(MenuTextLength(text), kMagicAttackTextMost), __LINE__);
}

void CMapMenu::DrawEquippedItemDescription()
{
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    if (memberCursor < 0 || memberCursor > 2 || slotKind < 0 || slotKind > 2)
        return;
    const int worn = TheCharacter->equipment[slotKind][memberCursor];
    if (worn == -1)
        return;
    if (slotKind == EQUIP_WEAPON)
        DrawWeaponDescription(memberCursor, worn);
    else
        DrawArmorDescription(EquipCategoryOf(slotKind, memberCursor), worn);
}
