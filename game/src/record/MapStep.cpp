// One cell step on the current map, for the game-data record.
#include "field/Map.h"
#include "field/MapBlob.h"
#include "record/Pipkorn.h"
#include "platform/LittleEndian.h"

bool GameData::StepMapPosition(int& x, int& y, int direction) const
{
    switch (direction) {
    case 0:
        --y;
        break;
    case 1:
        --x;
        break;
    case 2:
        ++y;
        break;
    case 3:
        ++x;
        break;
    default:
        break;
    }
    if (CurrentMap == nullptr)
        return false;
    const int width = plat::LoadLeI16(CurrentMap + mapblob::kWidthOffset);
    const int height = plat::LoadLeI16(CurrentMap + mapblob::kHeightOffset);
    const bool looping = (plat::LoadLe32(CurrentMap + mapblob::kFlagsAOffset) & mapblob::kFlagALooping) != 0;
    // x is tested before y; a coordinate that left a looping map comes in at the other side.
    if (x < 0 || x >= width) {
        if (!looping)
            return false;
        x += x < 0 ? width : -width;
    }
    if (y < 0 || y >= height) {
        if (!looping)
            return false;
        y += y < 0 ? height : -height;
    }
    return true;
}
