// Stand-in for the part CTitle: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CTitle {
public:
    void InitTitle() { SceneTrace::Note("InitTitle"); }
    void ReleaseTitle() { SceneTrace::Note("ReleaseTitle"); }
    void UpdateTitle() { SceneTrace::Note("UpdateTitle"); }
    void UpdateTitleFade() { SceneTrace::Note("UpdateTitleFade"); }
    void UpdateTitleOpening() { SceneTrace::Note("UpdateTitleOpening"); }
    void DrawTitle() { SceneTrace::Note("DrawTitle"); }
    void DrawTitlePicture() { SceneTrace::Note("DrawTitlePicture"); }
    void LayoutTitleWindows() { SceneTrace::Note("LayoutTitleWindows"); }
    void StartScreenFade(int mode) { SceneTrace::Note("StartScreenFade", mode); }
    int GetLeaveStep() { return leaveStep; }
    int GetOpeningStep() { return openingStep; }

    // Set by the update to run the scene update again in the same frame.
    std::uint8_t RerunUpdate;

    int leaveStep;
    int openingStep;
};
