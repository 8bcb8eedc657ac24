// The small icons over each member's head: its status effects, member 2's
// magic switched off or cast, the ST gauge event, the item-ready marker and
// the leader marker, laid out in rows of two; and the fading draws of the
// gauge event, the item marker, the leader marker and the magic-off icon.
#pragma once

constexpr int INDICATOR_SLOTS = 6;
enum IndicatorSlot : int {
    INDICATOR_EFFECTS = 0,
    INDICATOR_MAGIC_OFF = 1,
    INDICATOR_CASTING = 2,
    INDICATOR_GAUGE = 3,
    INDICATOR_ITEM_READY = 4,
    INDICATOR_LEADER = 5,
};

// Rebuilds the slots, counts and layout of all three members.
void RebuildMemberIndicators();
// The gauge events and the item-ready marker over the members, back to front.
void DrawMemberIndicators();
// The leader marker over the member just made leader, while it is shown.
void DrawPartyOverlayIfFlagged();
// Member 2's magic-off icon while the flag is set.
void DrawMemberBattleSprite();
// Members other than the leader aiming at the enemy choose a target again at their next thought.
void ClearMemberTargetOf(int enemy);
