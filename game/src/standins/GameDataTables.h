// Stand-in for the game data tables: only what start-up and shutdown call.
// Delete this file when the tables themselves land in game/src.
#pragma once

inline bool LoadGameData()
{
    return true;
}
inline void InitKeyNames() {}
inline void FreeGameData() {}
