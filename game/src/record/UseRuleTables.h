// What items and magic do outside battle and what they cost: the values the
// use operations and the usability checks share.
#pragma once

#include <cstdint>

#include "field/FieldServices.h"

constexpr int FIELD_ITEM_LIMIT = 48; // items 0 to 47 have use rules
constexpr int FIRST_STOCK_ITEM = 22; // items 22 to 33 fill one stock, 34 drains all
constexpr int DRAIN_STOCK_ITEM = 34;
constexpr int FIRST_GROWTH_ITEM = 35; // 35 raises the maximum HP, 36 to 39 a base stat
constexpr int GROWTH_STAT_CAP = 9999;

// Magic m is paid from stock m / 4 with this cost.
constexpr int MagicCostTable[24] = {15, 22, 30, 35, 12, 18, 21, 35, 15, 22, 30, 50,
                                    12, 16, 22, 40, 16, 10, 24, 32, 15, 20, 15, 85};
constexpr int MagicStock(int magic)
{
    return magic / 4;
}
// In battle a stock also counts what has charged, by its charge level.
constexpr int MagicChargeBonusTable[24] = {120, 160, 224, 280, 96,  128, 192, 240, 88,  144, 256, 360,
                                           184, 160, 240, 464, 160, 160, 200, 200, 176, 104, 248, 480};
constexpr int ChargeDivisorTable[8] = {32767, 180, 120, 100, 80, 60, 45, 20};
// SP the third member's special command costs, by kind 1 (heal) and 2 (cure).
constexpr int SpecialCostTable[3] = {0, 40, 50};

// Percent of the maximum HP an item heals; 0 for an item that does not.
constexpr int GetItemHealPercent(int item)
{
    switch (item) {
    case 0:
    case 5:
    case 16:
    case 42:
        return 50;
    case 1:
    case 2:
    case 7:
    case 20:
    case 40:
        return 100;
    case 6:
        return 25;
    case 14:
        return 60;
    case 18:
        return 30;
    case 45:
        return 70;
    case 47:
        return 75;
    default:
        return 0;
    }
}

// SP an item restores; 0 for an item that does not.
constexpr int GetItemMpRestoreAmount(int item)
{
    switch (item) {
    case 8:
    case 43:
        return 50;
    case 9:
    case 10:
    case 41:
        return 255;
    case 19:
        return 75;
    case 44:
        return 30;
    case 46:
        return 80;
    default:
        return 0;
    }
}

// The current map refills the stocks, so the item that drains them is refused there.
inline bool MapRefillsStocks()
{
    return TheMap != nullptr && TheMap->HasMap() && TheMap->Header().RefillsStocks();
}
