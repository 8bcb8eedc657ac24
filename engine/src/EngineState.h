// State the library keeps for all its objects, set by the host through
// SetZephAppData and by the graphics object. Touched only on the host's thread.
#pragma once

#include <cstdint>

#include "Zeph.h"

namespace engine {

struct EngineState {
    Zeph::WindowHandle window = nullptr;         // the host's window (EngineWindow)
    std::uint32_t* currentFvf = nullptr;         // the host's vertex-format cache
    Direct3DTexture9** currentTexture = nullptr; // the host's stage-0 texture cache
    Direct3DDevice9* sharedDevice = nullptr;     // made by CGraphic::Init
};

EngineState& State();

} // namespace engine
