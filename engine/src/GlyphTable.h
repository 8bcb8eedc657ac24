// The glyph records of one text object: 2^bits buckets, each the root of an
// unbalanced binary search tree ordered by code. Records are only added; a
// search that fails remembers where it ended, and the next insertion hangs
// the new record there.
#pragma once

#include <vector>

#include "Zeph.h"

namespace engine {

class GlyphTable {
public:
    GlyphTable() = default;
    GlyphTable(const GlyphTable&) = delete;
    GlyphTable& operator=(const GlyphTable&) = delete;
    ~GlyphTable() { Clear(); }

    // Drops every record and makes 2^bits empty buckets.
    void Reset(int bits);
    bool IsReady() const { return !buckets_.empty(); }

    Zeph::GlyphRecord* Find(char16_t code);
    // Hangs a record for `code` where the last failed search of that code
    // ended. Null when memory is exhausted.
    Zeph::GlyphRecord* Insert(char16_t code);
    // Releases every record's texture and frees the records; the buckets stay.
    void Clear();

    Zeph::GlyphRecord* BucketRoot(char16_t code) const { return buckets_.empty() ? nullptr : buckets_[code & mask_]; }

private:
    std::vector<Zeph::GlyphRecord*> buckets_;
    unsigned mask_ = 0;
    // Where the last failed search ended: the slot a new record goes into.
    Zeph::GlyphRecord** lastEmptySlot_ = nullptr;
    char16_t lastMissingCode_ = 0;
};

} // namespace engine
