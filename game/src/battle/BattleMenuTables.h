// The game texts the battle command menu's windows show: the colour words of
// the magic kinds, the target rows' colours, the magic, skill, ailment and
// setting names with their descriptions, and the option value texts. They
// live in their own namespace: the field menu has tables of the same names
// with its own contents.
#pragma once

#include <cstdint>

namespace battlemenu {

constexpr int COLOUR_WORD_COUNT = 6;
constexpr int TARGET_COLOUR_COUNT = 4;
constexpr int MAGIC_NAME_COUNT = 24;
constexpr int SKILL_MEMBER_COUNT = 3;
constexpr int SKILLS_PER_MEMBER = 2;
constexpr int EFFECT_NAME_COUNT = 19;
constexpr int AILMENT_COUNT = 14;
constexpr int FIRST_AILMENT_EFFECT = 5; // ailment a is status effect a + 5
constexpr int SETTING_NAME_COUNT = 17;
constexpr int BATTLE_SETTING_ROWS = 10;
constexpr int PERCENT_VALUE_COUNT = 10;

struct ColourWord {
    char16_t word; // one character
    std::uint32_t colour;
};

struct MagicName {
    const char16_t* name;
    int kind; // index into ColourWordTable
    const char16_t* description;
};

struct SkillName {
    const char16_t* name;
    const char16_t* cost; // the line after "SP"
    const char16_t* description;
};

struct SettingName {
    const char16_t* name;
    const char16_t* help; // two lines for settings 14 to 16
};

// 赤 青 黄 茶 白 黒 by magic kind.
extern const ColourWord ColourWordTable[COLOUR_WORD_COUNT];
// The text colour of a target row by its target mask value 0 to 3.
extern const std::uint32_t TargetColourTable[TARGET_COLOUR_COUNT];
extern const MagicName MagicNameTable[MAGIC_NAME_COUNT];
// [member][skill]
extern const SkillName SkillNameTable[SKILL_MEMBER_COUNT][SKILLS_PER_MEMBER];
// Status-effect names 0 to 18; 0 to 4 are boosts, 5 to 18 the ailments.
extern const char16_t* const AilmentNameTable[EFFECT_NAME_COUNT];
// The descriptions of ailments 0 to 13.
extern const char16_t* const AilmentDescriptionTable[AILMENT_COUNT];
// Names and help texts by setting number; the battle list shows ten of them.
extern const SettingName SettingNameTable[SETTING_NAME_COUNT];
extern const int BattleSettingNumbers[BATTLE_SETTING_ROWS];
// " 9%" to "99%", three characters each.
extern const char16_t* const PercentValueTable[PERCENT_VALUE_COUNT];

// The ARGB colour of a colour word (from the table, or 0 when `first` is not one of them).
std::uint32_t ColourWordColour(char16_t first);

} // namespace battlemenu
