// Stand-in for the part CEvent: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/field/event/.
//
// The field's calls into the event layer and the map gimmicks stand here
// with the answers of a map that has no event records: every cell is free,
// no event starts, nothing is pushed. Tests may change the answers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "field/FieldBrightness.h"
#include "SceneHandBack.h"
#include "core/SceneTrace.h"

class CEvent {
public:
    void InitEvent() { SceneTrace::Note("InitEvent"); }
    void ReleaseEvent() { SceneTrace::Note("ReleaseEvent"); }
    void UpdateEvent()
    {
        SceneTrace::Note("UpdateEvent");
        HandSceneBackToField(eventUpdates);
    }
    void DrawEvent() { SceneTrace::Note("DrawEvent"); }
    void LayoutEventWindows() { SceneTrace::Note("LayoutEventWindows"); }
    void DrawEventSprite(int frame, float /*x*/, float /*y*/) { SceneTrace::Note("DrawEventSprite", frame); }

    // Event records of a map entry; until they are read, any area will do.
    bool LoadEventData(const unsigned char*, std::size_t, int recordCount)
    {
        SceneTrace::Note("LoadEventData", recordCount);
        return loadEventDataResult;
    }
    void RunSetupEventIfActive() { SceneTrace::Note("RunSetupEventIfActive"); }
    void StartPendingEvent() { SceneTrace::Note("StartPendingEvent"); }
    void DrawEventLayer() { SceneTrace::Note("DrawEventLayer"); }

    // Triggers of the player's movement.
    bool TryEnterEventCell(int x, int y)
    {
        SceneTrace::Note("TryEnterEventCell", x * 1000 + y);
        return eventCellFree;
    }
    void StartTouchEvents(int x, int y) { SceneTrace::Note("StartTouchEvents", x * 1000 + y); }
    bool CheckStepOnEvent(int x, int y)
    {
        SceneTrace::Note("CheckStepOnEvent", x * 1000 + y);
        return false;
    }
    void OperateSwitchAt(int x, int y) { SceneTrace::Note("OperateSwitchAt", x * 1000 + y); }
    // The direction of an arrow tile at the cell, or -1.
    int GetArrowFloorDirection(int, int) { return -1; }

    // Map gimmicks.
    bool UpdateFieldGimmicks(bool mayStartEvents)
    {
        SceneTrace::Note("UpdateFieldGimmicks", mayStartEvents ? 1 : 0);
        return false;
    }
    void ClearPushBlock() { SceneTrace::Note("ClearPushBlock"); }
    bool IsPushingBlock() { return false; }
    void BeginPushMove() { SceneTrace::Note("BeginPushMove"); }
    void FinishPushBlock() { SceneTrace::Note("FinishPushBlock"); }
    bool CheckTrapOnArrival() { return false; }
    // The sequence puzzle's next expected number (0 none).
    int GetSequenceHint() { return 0; }

    bool loadEventDataResult = true;
    bool eventCellFree = true;

    // Updates of each scene seen since it was handed to this stand-in.
    std::uint8_t eventUpdates = 0;
};
