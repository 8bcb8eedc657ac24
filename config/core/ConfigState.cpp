#include "ConfigState.h"

#include "JoyAssign.h"
#include "KeyAssign.h"

namespace config {

void SetDefaultConfig(ConfigState& state)
{
    state.keyboard = 1;
    state.joystick = 0;
    state.apBgm = 1;
    state.apSound = 0;
    state.window = 1;
    state.showWarn = 1;
    state.bgmVol = kVolumeMax;
    state.soundVol = kVolumeMax;
    SetDefaultKeyAssign(state);
    SetDefaultJoyAssign(state);
}

void ApplyPageChecks(ConfigState& state)
{
    if (state.keyboard == 0 && state.joystick == 0)
        state.keyboard = 1;
    if (!IsKeyAssignValid(state))
        SetDefaultKeyAssign(state);
    if (!IsJoyAssignValid(state))
        SetDefaultJoyAssign(state);
}

} // namespace config
