// Entry 2, the enemy kinds: any bytes to the parser and its checks. What it
// accepts must be usable as the enemy code uses it, and written back it
// must read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/EnemyDefParser.h"
#include "core/EnemyDefWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<EnemyKind> kinds;
    EnemyDefFault fault;
    if (!ParseEnemyKinds(data, size, kinds, fault)) {
        (void)fault.Line();
        return 0;
    }
    for (const EnemyKind& kind : kinds) {
        if (kind.moves.size() > ENEMY_MAX_MOVES || kind.actions.size() > ENEMY_MAX_ACTIONS ||
            kind.def.NameLength > ENEMY_NAME_UNITS || kind.def.MaxHp < 1)
            std::abort();
        for (const EnemyMoveDef& move : kind.moves)
            if (move.NextMove >= static_cast<int>(kind.moves.size()))
                std::abort();
        for (const EnemyActionDef& action : kind.actions)
            if (action.FallbackAction >= static_cast<int>(kind.actions.size()))
                std::abort();
    }
    const std::vector<std::uint8_t> written = WriteEnemyKinds(kinds);
    std::vector<EnemyKind> again;
    if (!ParseEnemyKinds(written.data(), written.size(), again, fault) || written.size() != size)
        std::abort();
    return 0;
}
