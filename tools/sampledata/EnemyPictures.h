// Enemy pictures (entries 297 + graphic id) and the enemy group's shared
// textures (entries 270, 289, 292, 294, 296).
#pragma once

#include "Canvas.h"

namespace sampledata {

Canvas EnemyPicture(int graphic);
// False when `entry` is not one of the group's shared textures.
bool EnemySharedPicture(int entry, Canvas& out);
// The enemy shots (entry 295): 16-px cells, magic shots by element column,
// the others in column 6; erasable shots in row 0, the others in row 1.
Canvas EnemyShotSheet();

} // namespace sampledata
