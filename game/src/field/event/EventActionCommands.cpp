// Commands that act on the party, the music and sounds, the player's sprite,
// the map objects and enemy symbols, and the event battle.
#include "battle/BattleServices.h"
#include "core/Parts.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr int kNoTune = -1;
constexpr int kWaitCounterArg = 1;
constexpr int kBgmCounterArg = 2;
constexpr int kFadeCounterArg = 1;
constexpr int kFadeLastCounter = 34;
constexpr int kFadeFrames = 25;
constexpr int kBattleFrameArg = 14;
constexpr int kBattleResultArg = 15;
constexpr int kBattleBranchFrame = 20;
constexpr int kNextInstead = -1;
constexpr int kNextInsteadToo = -2;
constexpr int kFirstLaunchPicture = 40;
constexpr int kLaunchAllPicture = 44;

// The player's sprite colour on frame `counter` of a fade out or in.
std::uint32_t PlayerFadeColour(int counter, bool fadeIn)
{
    int alpha = fadeIn ? counter * 255 / kFadeFrames : (kFadeFrames - counter) * 255 / kFadeFrames;
    alpha = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
    return static_cast<std::uint32_t>(alpha) << 24 | 0x00FFFFFFu;
}

void SpawnSymbolsInEitherArea(std::int32_t* args)
{
    TheEvent->BuildSpawnEitherCommand(args);
    TheObject->SpawnSymbolsInArea(args);
}

void SpawnSymbolsByCommand(int opcode, std::int32_t* args, const unsigned char* points, int count)
{
    switch (opcode) {
    case OP_SPAWN_EITHER:
        return SpawnSymbolsInEitherArea(args);
    case OP_SPAWN_IN_AREA:
        return TheObject->SpawnSymbolsInArea(args);
    case OP_SPAWN_AT_POINTS:
        return TheObject->SpawnSymbolsAtPoints(args, points, count, false, true);
    case OP_SPAWN_CR:
        return TheObject->SpawnSymbolsAtPointRange(args, points, count);
    default:
        return TheObject->SpawnSymbolsAtPointsInArea(args, points, count);
    }
}

} // namespace

void CEvent::CmdDamageParty()
{
    // A party that fell hands the game to the game over, which keeps the field's state.
    if (EventDamageParty(Args[0]))
        EndEvent(false);
    else
        NextEventCommand(true);
}

void CEvent::CmdRecoverParty()
{
    AddPartyRecovery(Args[0], Args[1]);
    NextEventCommand(true);
}

void CEvent::CmdAddItems()
{
    // Stops at the first gift that adds nothing: the rest would add nothing either.
    for (int i = 0; i < Args[2]; ++i)
        if (!GiveEventItem(Args[0], Args[1], false, 1))
            break;
    NextEventCommand(true);
}

void CEvent::CmdRemoveItem()
{
    TheGameData->RemoveItem(Args[0], Args[1], 1);
    NextEventCommand(true);
}

bool CEvent::StartChangeBgm()
{
    const unsigned ms = static_cast<unsigned>(Args[1] > 0 ? static_cast<std::int64_t>(Args[1]) * 1000 / 60 : 0);
    ThePlayBGM->FadeOut(BGM_FIELD_TRACK, ms);
    ThePlayBGM->SetSuspended(true);
    return true;
}

void CEvent::CmdChangeBgm()
{
    if (Args[kBgmCounterArg] < Args[1]) {
        ++Args[kBgmCounterArg];
        return;
    }
    if (Args[0] != kNoTune) {
        ThePlayBGM->LoadTune(BGM_FIELD_TRACK, Args[0], true);
        ThePlayBGM->Play(BGM_FIELD_TRACK);
    }
    NextEventCommand(true);
}

void CEvent::CmdPlaySe()
{
    ThePlaySE->PlaySoundEffect(Args[0]);
    NextEventCommand(true);
}

void CEvent::CmdWait()
{
    // The game's rule: a wait of n holds the script for n + 1 calls and steps
    // on in call n + 2, so even a wait of 0 ends the frame and a loop through
    // it runs once a frame.
    if (Args[kWaitCounterArg] <= Args[0]) {
        ++Args[kWaitCounterArg];
        return;
    }
    NextEventCommand(true);
}

bool CEvent::StartFadePlayer()
{
    Args[kFadeCounterArg] = -1;
    return true;
}

void CEvent::CmdFadePlayer()
{
    const int counter = ++Args[kFadeCounterArg];
    TheMapCharacter->spriteColour = PlayerFadeColour(counter, Args[0] != 0);
    if (counter > kFadeLastCounter)
        NextEventCommand(true);
}

void CEvent::CmdLaunchObject(int speed)
{
    const int picture = er::Picture(CurrentRecord);
    const int x = er::X(CurrentRecord);
    const int y = er::Y(CurrentRecord);
    if (picture == kLaunchAllPicture) {
        for (int direction = 0; direction < 4; ++direction)
            TheObject->CreateMapObject(x, y, speed, direction);
    } else if (picture >= kFirstLaunchPicture && picture < kLaunchAllPicture) {
        TheObject->CreateMapObject(x, y, speed, picture - kFirstLaunchPicture);
    }
    NextEventCommand(true);
}

void CEvent::CmdLaunchObjectIf()
{
    if (TheGameData->GetGameFlag(Args[1]) == 0)
        NextEventCommand(true);
    else
        CmdLaunchObject(Args[0]);
}

void CEvent::CmdSpawnSymbol()
{
    TheObject->SpawnEnemySymbol(Args[0], Args[1], static_cast<float>(Args[3]) / 10.0f, Args[2], Args[4], true);
    NextEventCommand(true);
}

void CEvent::CmdSpawnSymbols()
{
    SpawnSymbolsByCommand(Opcode, Args, PointList, static_cast<int>(PointCount));
    NextEventCommand(true);
}

bool CEvent::StartBattle()
{
    Args[kBattleResultArg] = 0;
    return true;
}

void CEvent::CmdBattle()
{
    int& frame = Args[kBattleFrameArg];
    if (frame == 0)
        TheEncountEffect->StartEncountEffect(Args, false);
    if (frame < kBattleBranchFrame) {
        ++frame;
        return;
    }
    switch (Args[kBattleResultArg]) {
    case 1:
        return NextEventCommand(true);
    case 2:
        return Args[2] == kNextInstead ? NextEventCommand(true) : JumpToEventLabel(Args[2]);
    case 3:
        return Args[4] == kNextInstead || Args[4] == kNextInsteadToo ? NextEventCommand(true)
                                                                     : JumpToEventLabel(Args[4]);
    default:
        return; // the battle has not reported yet
    }
}
