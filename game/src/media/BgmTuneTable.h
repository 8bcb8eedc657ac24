// The game's 17 tunes by number, as handed to the engine's MIDI object.
#pragma once

#include "Zeph.h"

constexpr int BGM_TUNE_COUNT = 17;
constexpr int BGM_TITLE_TUNE = 0;
constexpr int BGM_BATTLE_TUNE = 4;

extern const Zeph::BgmTuneDef BgmTuneTable[BGM_TUNE_COUNT];
