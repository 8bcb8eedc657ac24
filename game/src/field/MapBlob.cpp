#include "field/MapBlob.h"
#include "platform/LittleEndian.h"

namespace mapblob {

BlobFault CheckMapBlob(const unsigned char* blob, std::size_t size)
{
    if (blob == nullptr)
        return BlobFault::Missing;
    if (size < kGridOffset)
        return BlobFault::ShorterThanHeader;
    const int width = plat::LoadLeI16(blob + kWidthOffset);
    const int height = plat::LoadLeI16(blob + kHeightOffset);
    if (width < kMinWidth)
        return BlobFault::NarrowerThanScreen;
    if (height < kMinHeight)
        return BlobFault::LowerThanScreen;
    if (EventAreaOffset(width, height) > size)
        return BlobFault::GridPastEnd;
    return BlobFault::None;
}

} // namespace mapblob
