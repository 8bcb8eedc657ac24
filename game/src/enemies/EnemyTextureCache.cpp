// The enemy pictures in use, twelve at most: a picture asked for again is
// served from its slot; a new one takes the slot used longest ago.
#include <new>

#include "core/PackCatalogue.h"
#include "core/ZephGlobals.h"
#include "enemies/Enemy.h"

namespace {
constexpr const char* kSource = "Enemy";
constexpr std::uint8_t kOldest = ENEMY_TEXTURE_CACHE - 1;
} // namespace

int CEnemyGroup::LoadEnemyTexture(int graphicId)
{
    if (graphicId < 0 || graphicId >= ENEMY_GRAPHIC_COUNT)
        return -1;
    int oldest = 0;
    for (int slot = 0; slot < ENEMY_TEXTURE_CACHE; ++slot) {
        if (TexCacheIds[slot] == graphicId) {
            MakeRecent(slot);
            return slot;
        }
        if (TexCacheAge[slot] == kOldest)
            oldest = slot;
    }
    delete TexCache[oldest];
    TexCache[oldest] = nullptr;
    TexCacheIds[oldest] = ENEMY_CACHE_EMPTY;
    auto* texture = new (std::nothrow) CTexture();
    if (texture == nullptr) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return -1;
    }
    if (!texture->LoadTexture(0, PACK_ENEMY_GRAPHIC_FIRST + graphicId)) {
        delete texture;
        return -1;
    }
    TexCache[oldest] = texture;
    TexCacheIds[oldest] = static_cast<std::uint16_t>(graphicId);
    MakeRecent(oldest);
    return oldest;
}

// Every slot younger than `slot` ages by one; `slot` becomes the youngest,
// so the ages stay a permutation of 0 to 11.
void CEnemyGroup::MakeRecent(int slot)
{
    const std::uint8_t age = TexCacheAge[slot];
    for (std::uint8_t& other : TexCacheAge)
        if (other < age)
            ++other;
    TexCacheAge[slot] = 0;
}
