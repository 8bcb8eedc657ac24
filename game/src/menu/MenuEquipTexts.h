// The texts the equipment pages keep between frames: those of the last
// described piece (rebuilt only when another piece is described) and the
// preview of the candidate under the list cursor (rebuilt when it moves).
#pragma once

#include <cstdint>

// Change marks of a figure: falls, stays, rises (for colour levels a lower
// level is the rise).
enum EquipChange : std::uint8_t { EQUIP_FALLS = 0, EQUIP_STAYS = 1, EQUIP_RISES = 2 };

struct EquipStatTexts {
    char16_t statText[4][6]; // sign and up to five digits, no terminator
    char16_t colourText[4][3];
    char16_t staminaText[4];
    char16_t spText[5];
    std::int16_t statBonus[4]; // 攻撃, 魔攻, 防御, 魔防
    std::uint8_t statLength[4];
    std::int8_t colourChange[4];
    std::uint8_t colourLength[4];
    std::int8_t staminaBonus; // already in whole points
    std::uint8_t spBonus;
    std::uint8_t spLength;
    std::uint8_t staminaLength;
};

struct EquipPreview {
    std::int8_t colourLevel[4];
    char16_t statText[4][5]; // digits and a terminator
    char16_t staminaText[4];
    char16_t spText[4];
    std::uint8_t statLength[4];
    std::uint8_t statChange[4];
    std::uint8_t colourChange[4];
    std::uint8_t staminaLength;
    std::uint8_t spLength;
    std::uint8_t staminaChange;
    std::uint8_t spChange;
};
