// A plain enemy shot for tests and benches that only need shots on the
// field: visible from its first frame, long-lived, keeping its heading.
#pragma once

#include "enemies/EnemyShot.h"

namespace testsupport {

inline EnemyShotSpec PlainEnemyShot(float x, float y)
{
    EnemyShotSpec spec{};
    spec.x = x;
    spec.y = y;
    spec.lifeMin = spec.lifeMax = 1000;
    spec.aimKind = 22; // keeps its heading
    return spec;
}

} // namespace testsupport
