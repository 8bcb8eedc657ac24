// The party's battle pictures: a sprite sheet per member and the icon row.
#pragma once

#include "Canvas.h"

namespace sampledata {

// 192 × 128: columns 0-5 are the poses (stand, walk 1, walk 2, hit-stun,
// attack, down), rows the facings (left, up, right, down), 32 px each.
Canvas MemberSpriteSheet(int member);
// 512 × 16: one row of 32 numbered 16-px icon cells.
Canvas PartyIconSheet();

} // namespace sampledata
