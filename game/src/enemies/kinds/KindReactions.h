// The kinds' answers to a knock-back: counter-shots, and the switches that
// count hits, record who hit or change the kind's phase.
#pragma once

#include "enemies/kinds/KindHooks.h"

void CounterIntoHitQuarter(CEnemyGroup& group, int slot);                         // 30
void CounterByComrades(CEnemyGroup& group, int slot);                             // 60
void CounterFromFieldEdge(CEnemyGroup& group, int slot, const KindKnockHit& hit); // 74
void CounterTurningRound(CEnemyGroup& group, int slot);                           // 116
void CounterAhead(CEnemyGroup& group, int slot, const KindKnockHit& hit);         // 158
void BurstCounterAhead(CEnemyGroup& group, int slot, const KindKnockHit& hit);    // 180

// The switches every knock-back runs.
void RecordHitter(CEnemyGroup& group, int slot, const KindKnockHit& hit); // 153
void CountHitsInWindow(CEnemyGroup& group, int slot);                     // 182
// Kind 120: a hit may cancel its movement and move its phase on.
void ShiftPhaseOnHit(CEnemyGroup& group, int slot, const KindKnockHit& hit);
