// Stand-in for the part CShader: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file when the part itself lands in game/src.
#pragma once

#include <cstdint>

#include "SceneTrace.h"

class CShader {
public:
    void InitShader() { SceneTrace::Note("InitShader"); }
    void ReleaseShader() { SceneTrace::Note("ReleaseShader"); }
    void CreateShaders() { SceneTrace::Note("CreateShaders"); }
    void OnLostDeviceShader() { SceneTrace::Note("OnLostDeviceShader"); }
    void OnResetDeviceShader() { SceneTrace::Note("OnResetDeviceShader"); }
};
