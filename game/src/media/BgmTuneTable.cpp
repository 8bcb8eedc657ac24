#include "media/BgmTuneTable.h"

// Each tune's own volume balances the tunes against each other; tune 4 (the
// battle tune) loops back to event 71 and chases every controller on a jump,
// as does tune 14.
const Zeph::BgmTuneDef BgmTuneTable[BGM_TUNE_COUNT] = {
    {"Midi/Tune00.mid", 0.7, -1, -1, -1, 1, 0},   {"Midi/Tune01.mid", 1.0, -1, -1, -1, 1, 0},
    {"Midi/Tune02.mid", 0.75, -1, -1, -1, 1, 0},  {"Midi/Tune03.mid", 0.525, -1, -1, -1, 1, 0},
    {"Midi/Tune04.mid", 0.85, -1, 71, -1, 1, 1},  {"Midi/Tune05.mid", 0.9, -1, -1, -1, 1, 0},
    {"Midi/Tune06.mid", 0.525, -1, -1, -1, 1, 0}, {"Midi/Tune07.mid", 0.8, -1, -1, -1, 1, 0},
    {"Midi/Tune08.mid", 0.85, -1, -1, -1, 1, 0},  {"Midi/Tune09.mid", 0.7125, -1, -1, -1, 1, 0},
    {"Midi/Tune10.mid", 0.5, -1, -1, -1, 1, 0},   {"Midi/Tune11.mid", 0.8222426499470711, -1, -1, -1, 1, 0},
    {"Midi/Tune12.mid", 0.73, -1, -1, -1, 1, 0},  {"Midi/Tune13.mid", 1.0, -1, -1, -1, 1, 0},
    {"Midi/Tune14.mid", 0.85, -1, -1, -1, 1, 1},  {"Midi/Tune15.mid", 0.65, -1, -1, -1, 1, 0},
    {"Midi/Tune16.mid", 0.575, -1, -1, -1, 1, 0},
};
