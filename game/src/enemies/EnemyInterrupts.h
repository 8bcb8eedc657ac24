// What status effects taking hold on an enemy do to its running action and
// movement: a sealed spell stops, a bound enemy stops vanishing, a stopped
// one loses its action.
#pragma once

// Skill seal taking hold: a running non-spell action ends (or the kind's
// casting end runs while it walks), and a vanishing movement stops.
void InterruptEnemyMagic(int enemy);
// Magic seal taking hold while the enemy's magic circle lives: its current action stops.
void StopEnemyAction(int enemy);
// Bind taking hold: a running vanish action or vanishing movement stops.
void InterruptEnemyMotion(int enemy);
// Stop taking hold: the enemy's action (and, with `movement`, its movement) is cancelled.
void CancelEnemyAction(int enemy, int action, int movement, int reset);
