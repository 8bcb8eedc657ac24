// Stand-in for the enemy group's share of a battle frame: not built yet. The
// group's set-up is real (enemies/Enemy.h); its per-frame steps here only do
// what lets a battle run from its opening to a victory: the opening fade
// with the battle music, a win once the action has run a fixed number of
// frames, and the win wait that hands the battle to its end. Each enemy is
// drawn as one quad of its picture. Each entry notes that it ran (see
// SceneTrace.h). Delete this file when the part lands in game/src/enemies/.
#pragma once

#include <cstdint>

#include "battle/BattleEnd.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "media/PlayBGM.h"
#include "party/BattleOutcome.h"
#include "party/CharaShot.h"
#include "party/Character.h"

constexpr int ENEMY_OPENING_FRAMES = 100;
constexpr int ENEMY_OPENING_FADE_STEP = 16;
// Until the enemies act, a battle is won after this many action frames.
constexpr std::uint32_t ENEMY_STANDIN_VICTORY_FRAMES = 600;
constexpr int ENEMY_WIN_WAIT_FRAMES = 120;
constexpr int ENEMY_SHOT_FADE_FROM = 72;
constexpr int ENEMY_SHOT_FADE_STEP = 16;
constexpr int BATTLE_MUSIC_TRACK = 1;
constexpr int FIELD_MUSIC_TRACK = 0;

// The enemies fade in: the opening alpha falls by 16 a frame; on the frame it
// reaches 0 the battle music starts. The action begins after 100 frames.
inline void UpdateEnemyOpening()
{
    SceneTrace::Note("UpdateEnemyOpening");
    CEnemyGroup& group = *TheEnemyGroup;
    if (group.openingAlpha > 0) {
        group.openingAlpha = static_cast<std::int16_t>(group.openingAlpha - ENEMY_OPENING_FADE_STEP);
        if (group.openingAlpha <= 0) {
            group.openingAlpha = 0;
            if (TheCharacter->MusicSwitchOn())
                ThePlayBGM->Play(BATTLE_MUSIC_TRACK);
            else if ((group.GroupBits & GROUP_RETRY) != 0)
                ThePlayBGM->Play(FIELD_MUSIC_TRACK);
        }
    }
    if (++group.OpeningFrames >= ENEMY_OPENING_FRAMES)
        TheCharacter->SetBattlePhase(BATTLE_PHASE_ACTION);
}

// Every enemy is beaten at once after the stand-in's action frames.
inline void UpdateEnemy()
{
    SceneTrace::Note("UpdateEnemy");
    CEnemyGroup& group = *TheEnemyGroup;
    if (++group.FrameCounter != ENEMY_STANDIN_VICTORY_FRAMES)
        return;
    for (int slot = 0; slot < group.EnemyCount(); ++slot) {
        group.Records[slot].State = ENEMY_DEFEATED;
        group.Records[slot].FlagsA |= 1u << 27;
        group.Records[slot].Alpha = 0;
    }
    if (TheCharacter->GetBattlePhase() == BATTLE_PHASE_DEFEAT)
        return;
    BeginPartyPhase4();
    group.WinWaitFrames = 0;
    group.ShotFadeAlpha = 255;
}

// False once the wait has handed the battle to its end.
inline bool UpdateBattleWinWait()
{
    SceneTrace::Note("UpdateBattleWinWait");
    CEnemyGroup& group = *TheEnemyGroup;
    if (group.WinWaitFrames < ENEMY_WIN_WAIT_FRAMES)
        ++group.WinWaitFrames;
    if (group.WinWaitFrames >= ENEMY_WIN_WAIT_FRAMES) {
        TheBattleEnd->BeginBattleEnd(0);
        return false;
    }
    if (group.WinWaitFrames >= ENEMY_SHOT_FADE_FROM && group.ShotFadeAlpha > 0) {
        group.ShotFadeAlpha = static_cast<std::uint16_t>(
            group.ShotFadeAlpha > ENEMY_SHOT_FADE_STEP ? group.ShotFadeAlpha - ENEMY_SHOT_FADE_STEP : 0);
        TheEnemyShotList->SetShotFade(group.ShotFadeAlpha);
        TheCharaShot->shotAlpha = static_cast<std::int16_t>(group.ShotFadeAlpha);
        if (group.ShotFadeAlpha == 0) {
            TheEnemyShotList->ClearEnemyShots();
            TheCharaShot->ClearCharaShots();
        }
    }
    return true;
}

inline void UpdateEnemyMarkers()
{
    SceneTrace::Note("UpdateEnemyMarkers");
}

// One quad of the enemy's picture cell at depth z.
inline void DrawEnemyObject(int slot, float z)
{
    CEnemyGroup& group = *TheEnemyGroup;
    const EnemyRecord& r = group.Records[slot];
    const CTexture* picture = group.EnemyTexture(slot);
    if (picture == nullptr || GetTextureHandle(*picture) == nullptr || r.Alpha <= 0)
        return;
    const bool escaped = (r.FlagsA & (1u << 30)) != 0;
    const float left = (escaped ? r.EscapeDrawX : r.PosX) - 0.5f;
    const float top = (escaped ? r.EscapeDrawY : r.PosY) - 0.5f;
    const float* uv = group.SpriteUv[slot];
    const std::uint32_t colour = (static_cast<std::uint32_t>(r.Alpha > 255 ? 255 : r.Alpha) << 24) | 0x00FFFFFFu;
    TexturedVertex quad[4];
    for (int i = 0; i < 4; ++i)
        quad[i] = {left + ((i & 1) != 0 ? r.Width : 0.0f),
                   top + ((i & 2) != 0 ? r.Height : 0.0f),
                   z,
                   1.0f,
                   colour,
                   (i & 1) != 0 ? uv[2] : uv[0],
                   (i & 2) != 0 ? uv[3] : uv[1]};
    SetCachedTexture(GetTextureHandle(*picture));
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}

inline void DrawEnemyMarkers()
{
    SceneTrace::Note("DrawEnemyMarkers");
}
inline void DrawEnemyNames()
{
    SceneTrace::Note("DrawEnemyNames");
}
inline void DrawEnemyStatusIcon(int slot)
{
    SceneTrace::Note("DrawEnemyStatusIcon", slot);
}
inline void DrawEnemyEffects(int slot)
{
    SceneTrace::Note("DrawEnemyEffects", slot);
}
