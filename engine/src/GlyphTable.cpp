#include "GlyphTable.h"

#include <new>

#include "platform/Device.h"

namespace engine {

namespace {

void FreeTree(Zeph::GlyphRecord* node)
{
    // Iterative, so a degenerate tree of thousands of codes cannot overflow the stack.
    std::vector<Zeph::GlyphRecord*> pending;
    if (node)
        pending.push_back(node);
    while (!pending.empty()) {
        Zeph::GlyphRecord* record = pending.back();
        pending.pop_back();
        for (Zeph::GlyphRecord* child : record->child) {
            if (child)
                pending.push_back(child);
        }
        if (record->texture)
            record->texture->Release();
        delete record;
    }
}

} // namespace

void GlyphTable::Reset(int bits)
{
    Clear();
    buckets_.assign(std::size_t{1} << bits, nullptr);
    mask_ = (1u << bits) - 1;
}

Zeph::GlyphRecord* GlyphTable::Find(char16_t code)
{
    lastEmptySlot_ = nullptr;
    if (buckets_.empty())
        return nullptr;
    Zeph::GlyphRecord** slot = &buckets_[code & mask_];
    while (*slot) {
        if ((*slot)->code == code)
            return *slot;
        slot = &(*slot)->child[code > (*slot)->code ? 1 : 0];
    }
    lastEmptySlot_ = slot;
    lastMissingCode_ = code;
    return nullptr;
}

Zeph::GlyphRecord* GlyphTable::Insert(char16_t code)
{
    if (!lastEmptySlot_ || lastMissingCode_ != code) {
        if (Find(code) || !lastEmptySlot_)
            return nullptr;
    }
    auto* record = new (std::nothrow) Zeph::GlyphRecord{};
    if (!record)
        return nullptr;
    record->code = code;
    *lastEmptySlot_ = record;
    lastEmptySlot_ = nullptr;
    return record;
}

void GlyphTable::Clear()
{
    for (Zeph::GlyphRecord*& root : buckets_) {
        FreeTree(root);
        root = nullptr;
    }
    lastEmptySlot_ = nullptr;
}

} // namespace engine
