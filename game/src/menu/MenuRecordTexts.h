// The texts the play records and the enemy records pages draw from: built
// when the page opens or a kind is chosen, so drawing does no formatting.
#pragma once

#include <cstdint>

#include "menu/MenuNumberTexts.h"

constexpr int PLAY_RECORD_CHARS = 11; // ten digits and a zero
constexpr int ENEMY_RECORD_STATS = 4;
constexpr int ENEMY_RECORD_ELEMENTS = 4;

struct PlayRecordTexts {
    char16_t hours[5]; // four places, blank until the value reaches them
    char16_t minutes[3];
    char16_t seconds[3];
    char16_t battlesWon[PLAY_RECORD_CHARS];
    char16_t defeated[PLAY_RECORD_CHARS];
    char16_t memberDefeats[3][PLAY_RECORD_CHARS];
    std::uint8_t battlesWonLength;
    std::uint8_t defeatedLength;
    std::uint8_t memberDefeatLengths[3];
};

// A number as FormatNumber writes it: up to nine digits and a zero.
struct RecordNumber {
    char16_t text[MENU_NUMBER_CHARS];
    std::uint8_t length;
};

// The detail of the kind chosen on the enemy records page.
struct EnemyRecordDetail {
    float nameWidth;
    float dropNameWidth; // 0 while the treasure is not shown
    RecordNumber level, hp, exp, money;
    RecordNumber stats[ENEMY_RECORD_STATS]; // 攻撃, 魔攻, 防御, 魔防
    RecordNumber defeated;
    std::uint8_t resist[ENEMY_RECORD_ELEMENTS]; // index 0-7 of the resistance texts
    std::uint32_t immunityMask;                 // bit n: immune to status effect n
};
