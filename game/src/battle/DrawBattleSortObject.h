// The battle's draw-order list: the members, the party shots, the enemies and
// the enemy shots, drawn back to front by the depth of their foot lines, so
// that what stands lower on the screen covers what stands higher; and a
// short list of the members and enemies alone for the overlays drawn above
// every sprite. Built once an updated battle frame, walked by the draw.
#pragma once

#include <cstdint>

#include "core/GameConstants.h"

constexpr int BATTLE_SORT_CAPACITY = 1024;
constexpr int BATTLE_UNIT_CAPACITY = 11; // 3 members, then up to 8 enemies
constexpr int BATTLE_SORT_MEMBERS = 3;
constexpr int BATTLE_SORT_ENEMIES = 8;

// What an entry of the main list is.
enum BattleSortKind : std::uint8_t {
    SORT_MEMBER = 0,
    SORT_PARTY_SHOT_STRAIGHT = 2, // shot class 1
    SORT_PARTY_SHOT_MAGIC = 3,    // shot classes 2 and 3
    SORT_ENEMY = 4,
    SORT_ENEMY_SHOT = 5,
};

struct BattleSortEntry {
    void* owner; // the shot node for shots; null for members and enemies
    float key;
    std::uint8_t kind;
    std::uint8_t index; // member or enemy index; 0 for shots
};

struct BattleUnitEntry {
    float key;
    std::uint8_t isMember;
    std::uint8_t index;
};

// The depth of a foot line at screen row y: larger is farther back; the same
// value is the z of the owner's vertices.
constexpr float BattleDepthKey(float y)
{
    return 0.6f - y / (SCREEN_HEIGHT * 8.0f);
}

class CDrawBattleSortObject {
public:
    void InitDrawBattleSortObject();
    // Empties both lists: a draw before the next build walks nothing.
    void ClearBattleSortList();

    void MakeBattleSortList();
    void DrawBattleSortList();
    void DrawBattleSortListUnits();

    BattleSortEntry SortEntries[BATTLE_SORT_CAPACITY];
    BattleUnitEntry UnitEntries[BATTLE_UNIT_CAPACITY];
    std::uint16_t SortOrder[BATTLE_SORT_CAPACITY];
    std::uint16_t SortScratch[BATTLE_SORT_CAPACITY];
    std::int16_t SortCount;
    std::uint8_t UnitOrder[BATTLE_UNIT_CAPACITY];
    std::uint8_t UnitScratch[BATTLE_UNIT_CAPACITY];
    std::uint8_t UnitCount;
    std::uint8_t MemberOrder[BATTLE_SORT_MEMBERS];
    std::uint8_t EnemyOrder[BATTLE_SORT_ENEMIES];

private:
    // False once the list is full: the entry just offered is dropped.
    bool AddSortEntry(void* owner, float y, std::uint8_t kind, std::uint8_t index);
    bool CollectEnemyShots();
    void CollectPartyShots();
    void SortBattleSortList();
    void SortBattleUnitList();
    void MakeUnitList();
};
