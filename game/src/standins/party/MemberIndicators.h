// Stand-in for the members' status indicators and small battle overlays:
// not built yet. Its entries only note that they ran (see SceneTrace.h).
// Delete this file when the part lands in game/src/party/.
#pragma once

#include "core/SceneTrace.h"

// The gauge events and the item-ready marker over the members.
inline void DrawMemberIndicators()
{
    SceneTrace::Note("DrawMemberIndicators");
}

// The indicators over the members, rebuilt once a battle frame.
inline void RebuildMemberIndicators()
{
    SceneTrace::Note("RebuildMemberIndicators");
}

// The party's overlay while its flag asks for it.
inline void DrawPartyOverlayIfFlagged()
{
    SceneTrace::Note("DrawPartyOverlayIfFlagged");
}

// The third member's special sprite.
inline void DrawMemberBattleSprite()
{
    SceneTrace::Note("DrawMemberBattleSprite");
}
