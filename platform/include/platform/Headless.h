// The headless switch: with VELMORA_HEADLESS set to a non-empty value other
// than "0", nothing needs a display or a sound card. SDL is pointed at its
// dummy drivers, message boxes go to standard error and the clock may run
// virtually. It is chosen by the environment only, never by the command line.
#pragma once

namespace plat {

bool IsHeadless();

// Points SDL at its dummy video and audio drivers when headless; call before
// SDL_Init.
void PrepareSdlForHeadless();

} // namespace plat
