// Stand-in for the part CEncountEffect: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src/battle/.
#pragma once

#include <cstdint>

#include "core/Parts.h"
#include "core/SceneState.h"
#include "SceneHandBack.h"
#include "core/SceneTrace.h"
#include "field/MapNameEffect.h"
#include "field/event/Event.h"

class CEncountEffect {
public:
    void InitEncountEffect() { SceneTrace::Note("InitEncountEffect"); }
    void ReleaseEncountEffect() { SceneTrace::Note("ReleaseEncountEffect"); }
    void UpdateEncountEffect()
    {
        SceneTrace::Note("UpdateEncountEffect");
        if (fromEvent)
            UpdateEventBattle();
        else
            HandSceneBackToField(encountEffectUpdates);
    }
    void DrawEncountEffect() { SceneTrace::Note("DrawEncountEffect"); }
    bool IsEncountEffectReady()
    {
        SceneTrace::Note("IsEncountEffectReady");
        return false;
    }
    void ReleaseEncountTextures() { SceneTrace::Note("ReleaseEncountTextures"); }
    void CaptureEncountScreen() { SceneTrace::Note("CaptureEncountScreen"); }
    // Starts an encounter: the scene becomes the encounter transition.
    void StartEncountEffect(const void*, bool fromSymbol)
    {
        SceneTrace::Note("StartEncountEffect", fromSymbol ? 1 : 0);
        // A battle ends the place-name banner at once.
        if (TheMapNameEffect != nullptr)
            TheMapNameEffect->StopMapNameEffect();
        SceneState = SCENE_ENCOUNT;
        fromEvent = !fromSymbol;
        battleFrames = 0;
    }

    // Until the battle is built, a battle an event started lasts this many
    // frames and then reports its outcome (won, unless a test sets the two
    // flags of the battle end) and returns to the field.
    static constexpr int kEventBattleFrames = 30;
    void UpdateEventBattle()
    {
        if (++battleFrames < kEventBattleFrames)
            return;
        fromEvent = false;
        TheEvent->SetEventBattleResult(eventResultA, eventResultB);
        TheEvent->ClearBattleEventPicture();
        SceneState = SCENE_FIELD;
    }

    bool fromEvent = false;
    int battleFrames = 0;
    bool eventResultA = false;
    bool eventResultB = false;
    // Updates of each scene seen since it was handed to this stand-in.
    std::uint8_t encountEffectUpdates = 0;
};
