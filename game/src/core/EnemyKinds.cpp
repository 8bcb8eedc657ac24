#include "core/EnemyKinds.h"

#include <cstdio>

#include "core/ZephGlobals.h"
#include "core/EnemyDefParser.h"

// Never destroyed: the start-up object frees the data tables from an exit
// handler, which may run after this file's statics are gone.
std::vector<EnemyKind>& LoadedEnemyKinds()
{
    static auto* kinds = new std::vector<EnemyKind>();
    return *kinds;
}

bool LoadEnemyKinds(const std::uint8_t* bytes, std::size_t size)
{
    LoadedEnemyKinds().clear();
    std::vector<EnemyKind> parsed;
    EnemyDefFault fault;
    if (bytes == nullptr || !ParseEnemyKinds(bytes, size, parsed, fault)) {
        const std::string line = bytes == nullptr ? std::string("enemy kinds: no entry") : fault.Line();
        std::fprintf(stderr, "Velmora: %s\n", line.c_str());
        if (ZephError != nullptr)
            ZephError->Error("EnemyKinds", __LINE__, ERROR_GENERAL, "%s", line.c_str());
        return false;
    }
    LoadedEnemyKinds() = std::move(parsed);
    return true;
}

void FreeEnemyKinds()
{
    LoadedEnemyKinds().clear();
    LoadedEnemyKinds().shrink_to_fit();
}

const EnemyKind* FindEnemyKind(int id)
{
    std::vector<EnemyKind>& kinds = LoadedEnemyKinds();
    if (id < 0 || id >= static_cast<int>(kinds.size()))
        return nullptr;
    return &kinds[static_cast<std::size_t>(id)];
}
