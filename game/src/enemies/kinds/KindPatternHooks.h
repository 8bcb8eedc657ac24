// What the kinds' own shot patterns need beyond a heading.
#pragma once

class CEnemyGroup;

// Whether the kind's rule of pattern `pattern` has no heading for a volley
// of n slots, so that the volley fires nothing (kind 160 needs four or more).
bool KindPatternFiresNothing(CEnemyGroup& group, int slot, int pattern, int n);
