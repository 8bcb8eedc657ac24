// Stand-in for the part CBattleBackground: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
//
// The status panel's digit strings that the field's status display draws
// are plain fields here that tests set.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CBattleBackground {
public:
    void InitBattleBackground() { SceneTrace::Note("InitBattleBackground"); }
    void ReleaseBattleBackground() { SceneTrace::Note("ReleaseBattleBackground"); }
    void SyncHudFromParty() { SceneTrace::Note("SyncHudFromParty"); }
    void SetBattleBackground(int kind) { SceneTrace::Note("SetBattleBackground", kind); }
    // Width in pixels of a name drawn with the battle's label text: 17 a unit here.
    float GetBattleLabelWidth(const char16_t*, int length)
    {
        SceneTrace::Note("GetBattleLabelWidth", length);
        return 17.0f * static_cast<float>(length);
    }

    // Per member: the HP as decimal digits and their count.
    char16_t hpText[3][8];
    std::uint8_t hpDigits[3];
    // Per colour stock: the count as digits and their count.
    char16_t stockText[6][4];
    std::uint8_t stockDigits[6];
};
