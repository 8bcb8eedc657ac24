#include "field/event/EventArea.h"

#include "field/event/EventRecord.h"

EventAreaFault CheckEventArea(const unsigned char* area, std::size_t bytes, int recordCount, EventAreaLayout* layout)
{
    std::size_t at = 0;
    for (int i = 0; i < recordCount; ++i) {
        if (area == nullptr || bytes - at < eventrecord::kHeadSize)
            return EventAreaFault::RecordHeadPastEnd;
        const std::uint32_t size = eventrecord::Size(area + at);
        if (size < eventrecord::kHeadSize || size % 4 != 0)
            return EventAreaFault::BadSize;
        if (size > bytes - at)
            return EventAreaFault::RecordPastEnd;
        at += size;
    }
    if (area == nullptr || bytes - at < 4)
        return EventAreaFault::PointCountPastEnd;
    const std::uint32_t points = eventrecord::ReadU32(area + at);
    if (points > (bytes - at - 4) / 4)
        return EventAreaFault::PointsPastEnd;
    if (layout != nullptr)
        *layout = {at, points};
    return EventAreaFault::None;
}
