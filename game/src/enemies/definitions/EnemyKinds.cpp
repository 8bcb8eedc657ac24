#include "enemies/definitions/EnemyKinds.h"

#include <cstdio>

#include "core/ZephGlobals.h"
#include "enemies/definitions/EnemyDefParser.h"

std::vector<EnemyKind> EnemyKinds;

bool LoadEnemyKinds(const std::uint8_t* bytes, std::size_t size)
{
    EnemyKinds.clear();
    std::vector<EnemyKind> parsed;
    EnemyDefFault fault;
    if (bytes == nullptr || !ParseEnemyKinds(bytes, size, parsed, fault)) {
        const std::string line = bytes == nullptr ? std::string("enemy kinds: no entry") : fault.Line();
        std::fprintf(stderr, "Velmora: %s\n", line.c_str());
        if (ZephError != nullptr)
            ZephError->Error("EnemyKinds", __LINE__, 0, "%s", line.c_str());
        return false;
    }
    EnemyKinds = std::move(parsed);
    return true;
}

void FreeEnemyKinds()
{
    EnemyKinds.clear();
    EnemyKinds.shrink_to_fit();
}

const EnemyKind* FindEnemyKind(int id)
{
    if (id < 0 || id >= static_cast<int>(EnemyKinds.size()))
        return nullptr;
    return &EnemyKinds[static_cast<std::size_t>(id)];
}
