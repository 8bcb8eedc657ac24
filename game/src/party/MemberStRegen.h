// The members' ST: its regeneration a while after the member last acted, in
// eight-step patterns slowed by weakness and poison, and the drains that
// restart the wait.
#pragma once

// One frame of the member's ST regeneration.
void TickMemberStRegen(int member);
// Every member up loses up to `amount` ST and waits again before it regenerates.
void ReducePartyGauges(int amount);
// Marks the ST full since the member's last action when it is.
void MarkGaugeFull(int member);
