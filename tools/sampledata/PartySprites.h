// The party's battle pictures: a sprite sheet per member and the icon row.
#pragma once

#include "Canvas.h"

namespace sampledata {

// 192 × 128: columns 0-5 are the poses (stand, walk 1, walk 2, hit-stun,
// attack, down), rows the facings (left, up, right, down), 32 px each.
Canvas MemberSpriteSheet(int member);
// 128 × 256: the party's shots in 32-px cells, a column per kind: the blow
// (0) and the straight shot (1) as arrows pointing along their direction
// (rows 0-3: left, up, right, down; rows 4-7 the diagonals), magic (2) as a
// coloured orb per element row 1-5, the homing shot (3) in row 0.
Canvas PartyShotSheet();
// 512 × 16: one row of 32 numbered 16-px icon cells.
Canvas PartyIconSheet();

} // namespace sampledata
