// The enemy kinds loaded at start-up, unpacked and checked, kept until
// shutdown. The enemy group reads a kind only through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/EnemyDefs.h"

// Empty until LoadEnemyKinds succeeds.
std::vector<EnemyKind>& LoadedEnemyKinds();

// Unpacks and checks entry 2; a bad entry is reported to the error object
// (and standard error) as one line naming the kind, the record and the
// field, and nothing is kept.
bool LoadEnemyKinds(const std::uint8_t* bytes, std::size_t size);
void FreeEnemyKinds();

// The kind of that id, or null when no kinds are loaded or the id is not 0-193.
const EnemyKind* FindEnemyKind(int id);
