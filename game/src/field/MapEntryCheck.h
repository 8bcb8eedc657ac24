// A map entry checked field by field when it is read, before it can become
// the current map: the header, every cell of the grid, every event record's
// head and the spawn points. A fault is one line naming the map, its entry,
// the record and the field, as the enemy kinds' check names a bad kind; the
// map changes refuse such an entry with a warning and play goes on.
#pragma once

#include <cstddef>
#include <string>

struct MapEntryFault {
    int map = -1;
    const char* record = ""; // "header", "grid", "event" or "spawn point"
    int index = -1;          // of the event record or spawn point (-1: none)
    const char* field = "";
    std::string why;
    // One line naming the map, the entry, the record and the field.
    std::string Line() const;
};

// True when the blob of map `map` (`size` bytes) holds only values its
// readers can use; otherwise false with the fault.
bool CheckMapEntry(const unsigned char* blob, std::size_t size, int map, MapEntryFault& fault);
