#include "enemies/EnemyWarning.h"

#include "core/ContentWarning.h"

void WarnEnemyContent(const std::string& what)
{
    WarnContent("Enemy", what);
}
