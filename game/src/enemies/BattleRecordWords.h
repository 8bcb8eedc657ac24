// Reading a battle record (an event's formation or a symbol's encounter)
// field by field: little-endian, and a field the record does not hold reads 0.
#pragma once

#include <cstdint>
#include <string>

#include "enemies/Enemy.h"
#include "enemies/EnemyWarning.h"

inline int RecordByte(BattleRecordBytes record, std::size_t at)
{
    return at < record.size() ? record[at] : 0;
}

inline std::int16_t RecordI16(BattleRecordBytes record, std::size_t at)
{
    return static_cast<std::int16_t>(RecordByte(record, at) | RecordByte(record, at + 1) << 8);
}

inline std::uint32_t RecordWord(BattleRecordBytes record, int word)
{
    const std::size_t at = 4 * static_cast<std::size_t>(word);
    return static_cast<std::uint32_t>(RecordByte(record, at)) |
           static_cast<std::uint32_t>(RecordByte(record, at + 1)) << 8 |
           static_cast<std::uint32_t>(RecordByte(record, at + 2)) << 16 |
           static_cast<std::uint32_t>(RecordByte(record, at + 3)) << 24;
}

// How many 4-byte entries the record holds from byte `first` on.
inline int RecordEntriesHeld(BattleRecordBytes record, std::size_t first)
{
    return record.size() > first ? static_cast<int>((record.size() - first) / 4) : 0;
}

// A kind id from a record or a map: one outside 0-193 stands as kind 0.
inline int CheckedKindId(int id)
{
    constexpr int kKindCount = 194;
    if (id >= 0 && id < kKindCount)
        return id;
    WarnEnemyContent("enemy kind " + std::to_string(id) + " does not exist; kind 0 stands in");
    return 0;
}
