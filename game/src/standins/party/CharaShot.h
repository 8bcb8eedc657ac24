// Stand-in for the part CCharaShot: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/party/.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

struct CharaShotNode;

class CCharaShot {
public:
    void InitCharaShot() { SceneTrace::Note("InitCharaShot"); }
    void ReleaseCharaShot() { SceneTrace::Note("ReleaseCharaShot"); }
    // At every battle setup.
    void ResetCharaShotCounters() { SceneTrace::Note("ResetCharaShotCounters"); }
    // Removes member 0's attached blow (a hit or an interrupted action).
    void StopChargeShot() { SceneTrace::Note("StopChargeShot"); }
    void DrawCharaShot(CharaShotNode*, float) { SceneTrace::Note("DrawCharaShot"); }

    // Member 0's blow, drawn with member 0 while attachedVisible is set.
    CharaShotNode* attachedShot;
    std::uint8_t attachedVisible;
};
