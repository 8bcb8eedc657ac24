// Stand-in for the part CEnemyShotList: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/enemies/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CEnemyShotList {
public:
    void InitEnemyShot() { SceneTrace::Note("InitEnemyShot"); }
    void ReleaseEnemyShot() { SceneTrace::Note("ReleaseEnemyShot"); }
    // The shots' fade after a win, 255 at a battle's set-up.
    void SetShotFade(int alpha)
    {
        SceneTrace::Note("SetShotFade", alpha);
        fadeAlpha = static_cast<std::int16_t>(alpha);
    }

    std::int16_t fadeAlpha = 255;
};
