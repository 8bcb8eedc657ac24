// The party's hit combo: hits on enemies less than 121 frames apart count
// up, and the panel's count fades out once hits stop. A hit is counted by
// AdvancePartyCounter999 in PartyServices.h.
#pragma once

// Frames after a hit within which the next one continues the combo.
constexpr int HIT_COMBO_GAP = 120;
// The fade-out timer's idle value: the count is hidden and no longer ticks.
constexpr int HIT_COMBO_IDLE = 152;
constexpr int HIT_COMBO_MAX = 999;

// Each party frame while the timer runs: from frame 121 the count fades.
void TickHitCombo();
