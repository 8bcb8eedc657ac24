// Whether an actor casts under a magic circle, for parts that only ask.
#pragma once

#include "battle/MagicCircle.h"
#include "core/Parts.h"

// Whether a live circle of that owner (side 1 a party member, 0 an enemy) exists.
inline bool HasMagicCircle(int side, int slot)
{
    return TheMagicCircle != nullptr && TheMagicCircle->HasMagicCircleOfSide(side, slot);
}
