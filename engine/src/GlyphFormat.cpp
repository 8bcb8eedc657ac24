#include "GlyphSource.h"

namespace engine {

int GlyphFormatLevels(int format)
{
    switch (format) {
    case kGlyphFormatMono:
        return 1;
    case kGlyphFormatGrey4:
        return 4;
    case kGlyphFormatGrey16:
        return 16;
    case kGlyphFormatGrey64:
        return 64;
    default:
        return 0;
    }
}

} // namespace engine
