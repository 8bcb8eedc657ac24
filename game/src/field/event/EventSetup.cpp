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

// Each returns true: the run goes on.
bool SetFlagInSetup(CEvent& event, const std::int32_t* words)
{
    const std::uint8_t value =
        words[0] == kToggle ? TheGameData->GetGameFlag(words[1]) == 0 : static_cast<std::uint8_t>(words[0] != 0);
    TheGameData->SetGameFlag(words[1], value);
    event.RefreshEventActivity(true);
    return true;
}

bool SpawnOneSymbol(const std::int32_t* words)
{
    TheObject->SpawnEnemySymbol(words[0], words[1], static_cast<float>(words[3]) / 10.0f, words[2], words[4], true);
    return true;
}

bool SpawnInArea(const std::int32_t* words)
{
    TheObject->SpawnSymbolsInArea(words);
    return true;
}

bool SpawnAtPoints(const CEvent& event, const std::int32_t* words)
{
    TheObject->SpawnSymbolsAtPoints(words, event.PointList, static_cast<int>(event.PointCount), true, true);
    return true;
}

bool SpawnAtPointRange(const CEvent& event, const std::int32_t* words)
{
    TheObject->SpawnSymbolsAtPointRange(words, event.PointList, static_cast<int>(event.PointCount));
    return true;
}

bool SpawnAtPointsInArea(const CEvent& event, const std::int32_t* words)
{
    TheObject->SpawnSymbolsAtPointsInArea(words, event.PointList, static_cast<int>(event.PointCount));
    return true;
}

bool SpawnInEitherArea(CEvent& event, std::int32_t* words)
{
    event.BuildSpawnEitherCommand(words);
    TheObject->SpawnSymbolsInArea(words);
    return true;
}

bool SetGameWord(const std::int32_t* words)
{
    TheGameData->eventWord = words[0];
    return true;
}

bool SetFlagIf(CEvent& event, const std::int32_t* words)
{
    event.SetFlagIfCondition(words);
    return true;
}

bool AddSlot(CEvent& event, const std::int32_t* words)
{
    event.AddSpawnerSlot(words);
    return true;
}

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
    case OP_SET_FLAG:
        return SetFlagInSetup(*this, words);
    case OP_SPAWN_SYMBOL:
        return SpawnOneSymbol(words);
    case OP_SPAWN_IN_AREA:
        return SpawnInArea(words);
    case OP_SPAWN_AT_POINTS:
        return SpawnAtPoints(*this, words);
    case OP_SPAWN_CR:
        return SpawnAtPointRange(*this, words);
    case OP_SPAWN_WW:
        return SpawnAtPointsInArea(*this, words);
    case OP_END_IF:
        return !TestEventEndCondition(words);
    case OP_SET_GAME_WORD:
        return SetGameWord(words);
    case OP_SET_FLAG_IF:
        return SetFlagIf(*this, words);
    case OP_ADD_EVENT_SLOT:
        return AddSlot(*this, words);
    case OP_SPAWN_EITHER:
        return SpawnInEitherArea(*this, words);
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
