// The small icons over each member's head: its status effects, member 2's
// magic switched off or cast, the ST gauge event, the item-ready marker and
// the leader marker, laid out in rows of two; and the fading draws of the
// gauge event and the item marker. The rebuild and the other draws the
// battle scene calls are in PartyServices.h.
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

// The gauge events and the item-ready marker over the members, back to front.
void DrawMemberIndicators();
