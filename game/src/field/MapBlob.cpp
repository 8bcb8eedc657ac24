#include "field/MapBlob.h"

namespace mapblob {

BlobFault CheckMapBlob(const unsigned char* blob, std::size_t size)
{
    if (blob == nullptr)
        return BlobFault::Missing;
    if (size < kGridOffset)
        return BlobFault::ShorterThanHeader;
    const int width = ReadI16(blob, kWidthOffset);
    const int height = ReadI16(blob, kHeightOffset);
    if (width < kMinWidth)
        return BlobFault::NarrowerThanScreen;
    if (height < kMinHeight)
        return BlobFault::LowerThanScreen;
    if (EventAreaOffset(width, height) > size)
        return BlobFault::GridPastEnd;
    return BlobFault::None;
}

} // namespace mapblob
