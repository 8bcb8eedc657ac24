#include "EngineState.h"

namespace engine {

EngineState& State()
{
    static EngineState state;
    return state;
}

} // namespace engine

void SetZephAppData(Zeph::WindowHandle window, std::uint32_t* /*frameClock*/, std::uint32_t* currentFvf,
                    Direct3DTexture9** currentTexture)
{
    auto& state = engine::State();
    state.window = window;
    state.currentFvf = currentFvf;
    state.currentTexture = currentTexture;
}
