// The kinds' periodic specials, each fired when the kind's period elapses,
// and the field-wide volleys some of them share.
#pragma once

class CEnemyGroup;

// Single shots and small bursts round the enemy.
void FireTurningShot(CEnemyGroup& group, int slot);       // 20
void FireTurnedCross(CEnemyGroup& group, int slot);       // 42, 81
void FireDiagonalsByHp(CEnemyGroup& group, int slot);     // 50
void TogglePhaseByChance(CEnemyGroup& group, int slot);   // 94
void FireRandomSlowShot(CEnemyGroup& group, int slot);    // 99
void FireOppositePair(CEnemyGroup& group, int slot);      // 111
void FireArcingBurst(CEnemyGroup& group, int slot);       // 162
void FirePatternPair(CEnemyGroup& group, int slot);       // 166
void FireShotByPartyCentre(CEnemyGroup& group, int slot); // 171
// The partners 114 and 115: what each fires once the other is gone.
void FirePartnerRain(CEnemyGroup& group, int slot); // 114
void FirePartnerDrop(CEnemyGroup& group, int slot); // 115

// Volleys from the field's edges, stronger with the kind's stage.
void RainShotsFromTop(CEnemyGroup& group, int slot, float scale1, float scale2, float speed1, float speed2, int ailment,
                      int ailmentRate);
void EdgeShotsAtMember(CEnemyGroup& group, int slot, float speed, float scale, int period, int ailment,
                       int ailmentRate);
// Kind 183's volley by its chosen variant (KindBytes[1], 0-3).
void KindVolley(CEnemyGroup& group, int slot);
