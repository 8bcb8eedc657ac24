// The event area of a map blob: the records back to back, then the point
// count and the point list. A map is set only when its area checks out, so
// the interpreter never reads outside it.
#pragma once

#include <cstddef>
#include <cstdint>

enum class EventAreaFault {
    None,
    RecordHeadPastEnd, // a record's 24-byte head does not fit
    BadSize,           // Size below 24 or not a multiple of 4
    RecordPastEnd,     // Size reaches past the area
    PointCountPastEnd,
    PointsPastEnd,
};

struct EventAreaLayout {
    std::size_t pointCountOffset;
    std::uint32_t pointCount;
};

// Walks `recordCount` records from `area` (`bytes` long) and the point list.
EventAreaFault CheckEventArea(const unsigned char* area, std::size_t bytes, int recordCount,
                              EventAreaLayout* layout = nullptr);
