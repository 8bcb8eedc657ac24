// The battle end. Its black fade quad is built: the battle fades in from
// black through it. The sequence itself (result window, rewards, the closing
// fade) is not built yet: a battle end tells the event or the map's symbol
// how the battle ended on its first update and returns to the field, noting
// its entries (see SceneTrace.h).
#pragma once

#include <cstdint>

#include "platform/Device.h"

// How a battle ended.
enum BattleEndKind : std::int32_t {
    BATTLE_END_WON = 0,
    BATTLE_END_LOST = 1, // a battle that may be lost
    BATTLE_END_ESCAPED = 2,
};

class CBattleEnd {
public:
    void InitBattleEnd();
    void BeginBattleEnd(int kind);
    void UpdateBattleEnd();
    void DrawBattleEnd();
    // The whole screen in black with this alpha (0-255).
    void DrawBattleFade(int alpha);

    ColouredVertex FadeQuad[4];
    std::int32_t EndKind;
    std::int32_t EndStage;
    std::int16_t StageAlpha;
    std::uint8_t MapShown;

private:
    void TellOutcome();
    void RestoreFieldMusic();
};
