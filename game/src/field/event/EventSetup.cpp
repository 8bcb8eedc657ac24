// A map's set-up commands, run at once when the map is entered: flags,
// symbol spawns, spawner slots, the game word and conditional stops; and
// the spawn command that picks one of two rectangles by chance.
#include "core/Parts.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "field/event/EventScript.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr int kToggle = -1;

} // namespace

void CEvent::RunMapSetupCommands()
{
    if (SetupRecord == nullptr)
        return;
    // The set-up record is the current record while it runs, so its end-if
    // can test its own picture.
    unsigned char* const running = CurrentRecord;
    CurrentRecord = SetupRecord;
    const unsigned char* const end = SetupRecord + er::Size(SetupRecord);
    const unsigned char* at = er::Script(SetupRecord);
    while (at < end) {
        DecodedCommand command;
        if (DecodeEventCommand(at, static_cast<std::size_t>(end - at), command) != DecodeFault::None)
            break;
        if (!RunSetupCommand(command.opcode, command.args))
            break;
        at += 2 * command.length;
    }
    CurrentRecord = running;
}

// One set-up command; false stops the run.
bool CEvent::RunSetupCommand(int opcode, std::int32_t* words)
{
    switch (opcode) {
    case OP_SET_FLAG: {
        const std::uint8_t value =
            words[0] == kToggle ? TheGameData->GetGameFlag(words[1]) == 0 : static_cast<std::uint8_t>(words[0] != 0);
        TheGameData->SetGameFlag(words[1], value);
        RefreshEventActivity(true);
        return true;
    }
    case OP_SPAWN_SYMBOL:
        TheObject->SpawnEnemySymbol(words[0], words[1], static_cast<float>(words[3]) / 10.0f, words[2], words[4], true);
        return true;
    case OP_SPAWN_IN_AREA:
        TheObject->SpawnSymbolsInArea(words);
        return true;
    case OP_SPAWN_AT_POINTS:
        TheObject->SpawnSymbolsAtPoints(words, PointList, static_cast<int>(PointCount), true, true);
        return true;
    case OP_SPAWN_CR:
        TheObject->SpawnSymbolsAtPointRange(words, PointList, static_cast<int>(PointCount));
        return true;
    case OP_SPAWN_WW:
        TheObject->SpawnSymbolsAtPointsInArea(words, PointList, static_cast<int>(PointCount));
        return true;
    case OP_END_IF:
        return !TestEventEndCondition(words);
    case OP_SET_GAME_WORD:
        TheGameData->eventWord = words[0];
        return true;
    case OP_SET_FLAG_IF:
        SetFlagIfCondition(words);
        return true;
    case OP_ADD_EVENT_SLOT:
        AddSpawnerSlot(words);
        return true;
    case OP_SPAWN_EITHER:
        BuildSpawnEitherCommand(words);
        TheObject->SpawnSymbolsInArea(words);
        return true;
    default:
        return false;
    }
}

void CEvent::BuildSpawnEitherCommand(std::int32_t* block)
{
    for (int k = 0; k < kSpawnEitherWords; ++k)
        spawnEither[k] = block[k];
    const std::int64_t r = TheObject->ObjectRandom();
    const bool areaA = r < static_cast<std::int64_t>(spawnEither[10]) * 32767 / 100;
    const std::int32_t* area = spawnEither + (areaA ? 2 : 6);
    const std::int32_t built[10] = {spawnEither[0], spawnEither[1],  area[0],         area[1],         area[2],
                                    area[3],        spawnEither[11], spawnEither[12], spawnEither[13], spawnEither[14]};
    for (int k = 0; k < 10; ++k)
        block[k] = built[k];
}
