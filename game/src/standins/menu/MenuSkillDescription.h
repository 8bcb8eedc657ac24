// Stand-in for the skill description the skill pages draw in the
// description band: not built yet. Notes that it ran (see SceneTrace.h).
// Delete this file when the skill page windows land in game/src/menu/.
#pragma once

#include "core/SceneTrace.h"

inline void DrawSkillDescription(int member, int skill)
{
    SceneTrace::Note("DrawSkillDescription", member * 10 + skill);
}
