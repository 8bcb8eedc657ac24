// The battle end (scene 5): after a win the result window over the frozen
// battle, the experience and money counted into the party with a looping
// sound, a wait for a key; then, after every outcome, the battle picture
// fading to black, the field brought back behind it and faded in, the field
// music restored and the event or map symbol told how the battle ended.
// Also the black quad through which the battle fades in at its opening.
#pragma once

#include <cstdint>

#include "platform/Device.h"

// The win's states.
enum BattleWinState : std::int32_t {
    BATTLE_WIN_WAIT = 0,
    BATTLE_WIN_COUNT_UP = 1,
    BATTLE_WIN_RESULT_WAIT = 2,
};

// The closing fade's stages (0 while a win's result runs).
enum BattleEndStage : std::int32_t {
    BATTLE_END_STAGE_RESULT = 0,
    BATTLE_END_STAGE_HOLD = 1,     // the frozen picture at full brightness
    BATTLE_END_STAGE_DARKEN = 2,   // the picture fading to black
    BATTLE_END_STAGE_BLACK = 3,    // black; the field is prepared half-way
    BATTLE_END_STAGE_BRIGHTEN = 4, // the field fading in
    BATTLE_END_STAGE_SETTLE = 5,   // the field before the return
};

// Frames and steps of the sequence.
constexpr int BATTLE_WIN_WAIT_FRAMES = 60;
constexpr int BATTLE_COUNT_UP_STEPS = 64;
constexpr int BATTLE_RESULT_KEY_FRAME = 60;
constexpr int BATTLE_END_HOLD_FRAMES = 10;
constexpr int BATTLE_END_FIELD_FRAME = 15;
constexpr int BATTLE_END_BLACK_FRAMES = 30;
constexpr int BATTLE_END_SETTLE_FRAMES = 11;
constexpr int BATTLE_END_FADE_STEP = 8;
// The count-up's looping sound (sound effect 29).
constexpr int BATTLE_COUNT_UP_LOOP = 1;

class CBattleEnd {
public:
    void InitBattleEnd();
    // Kind: BattleEndKind.
    void BeginBattleEnd(int kind);
    void UpdateBattleEnd();
    void DrawBattleEnd();
    // The whole screen in black with this alpha (0-255).
    void DrawBattleFade(int alpha);

    ColouredVertex FadeQuad[4];
    std::int32_t EndKind;
    std::int32_t EndStage;
    std::int32_t WinState;
    std::int32_t StageFrame;
    std::int16_t StageAlpha;
    std::int16_t WinFrame;
    std::int16_t WinLimit;
    std::uint8_t MapShown;

private:
    // The win (EndStage 0).
    void UpdateBattleWin();
    void RunCountUpStep(int step, bool last);
    bool GiveExpStep(int step, bool last);
    bool GiveMoneyStep(int step, bool last);
    void FinishCountUp();
    void EndResultWait();
    void DrawBattleWin();
    // The closing fade (EndStage 1-5).
    void UpdateBattleEndFade();
    void PrepareField();
    void FinishBattleEnd();
    void RestoreFieldMusic();
    void TellEventOutcome();
    void DrawBattleEndFade();
};

// The share of a total of `total` paid at count-up step `step` (0-63) of a
// total above 64: the steps together pay the total exactly.
int CountUpShare(int step, std::int32_t total);
