// The commands that move the player: to a map and cell, to the next map, up
// or down stairs, by warp, and behind the event screen effect. Each readies
// a map-change block in the command's words; ChangeMap then runs it.
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/ScreenEffect.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "field/event/MapChange.h"
#include "media/PlaySE.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;
using namespace mapchange;

namespace {

constexpr int kStairsUpFacingDown = 21;
constexpr int kStairsDownFacingUp = 22;
constexpr int kKeepFacing = -1;
constexpr int kScriptFacingBits = 0x7;
constexpr int kCircleOutBit = 1 << 3;
constexpr int kCircleInBit = 1 << 4;
constexpr int kKeepMusicBit = 1 << 5;

} // namespace

int StairsTargetMap(int picture, int currentMap, int* facing)
{
    int map = currentMap;
    if (picture == kStairsUpFacingDown) {
        map = currentMap + 1;
        *facing = DIRECTION_DOWN;
    } else if (picture == kStairsDownFacingUp) {
        map = currentMap - 1;
        *facing = DIRECTION_UP;
    } else if (picture % 2 == 0) {
        map = currentMap + 1;
        *facing = DIRECTION_UP;
    } else {
        map = currentMap - 1;
        *facing = DIRECTION_DOWN;
    }
    return map < 0 ? 0 : map;
}

void CEvent::SetFlagOnTheWay(int flag)
{
    if (flag == 0)
        return;
    TheGameData->SetGameFlag(flag, 1);
    RefreshEventActivity(true);
}

void CEvent::TargetPlayerCell()
{
    Args[Column] = TheMapCharacter->cellX;
    Args[Row] = TheMapCharacter->cellY;
}

bool CEvent::StartChangeMap()
{
    PrepareMapChange(Args, true, false, false, false);
    return true;
}

bool CEvent::StartNextMap()
{
    SetFlagOnTheWay(Args[0]);
    PlaySoundEffect(SE_MAP_MOVE);
    Args[Map] = TheMap->GetMapNumber() + 1;
    TargetPlayerCell();
    Args[Facing] = kKeepFacing;
    PrepareMapChange(Args, false, false, true, false);
    return true;
}

bool CEvent::StartStairs()
{
    PlaySoundEffect(SE_STEP_THROUGH);
    int facing = kKeepFacing;
    Args[Map] = StairsTargetMap(er::Picture(CurrentRecord), TheMap->GetMapNumber(), &facing);
    Args[Facing] = facing;
    TargetPlayerCell();
    PrepareMapChange(Args, false, false, false, false);
    return true;
}

bool CEvent::StartScreenEffectCommand()
{
    const int word = Args[Facing];
    const bool circleOut = (word & kCircleOutBit) != 0;
    const bool circleIn = (word & kCircleInBit) != 0;
    const bool keepMusic = (word & kKeepMusicBit) != 0;
    Args[Facing] = word & kScriptFacingBits;
    PrepareMapChange(Args, true, true, false, keepMusic);
    TheScreenEffect->StartEventScreenEffect(Args, circleOut, circleIn, keepMusic,
                                            MapCell{er::X(CurrentRecord), er::Y(CurrentRecord)});
    // The effect's scene runs the change and ends the event.
    return false;
}

bool CEvent::StartWarp()
{
    PlaySoundEffect(SE_STEP_THROUGH);
    Args[Facing] = er::Picture(CurrentRecord) % 2 == 0 ? DIRECTION_UP : DIRECTION_DOWN;
    PrepareMapChange(Args, false, false, false, false);
    return true;
}

bool CEvent::StartWarpFlag()
{
    SetFlagOnTheWay(Args[Facing]);
    PlaySoundEffect(SE_MAP_MOVE);
    Args[Facing] = kKeepFacing;
    PrepareMapChange(Args, false, false, true, false);
    return true;
}

void CEvent::CmdMapChange()
{
    switch (ChangeMap(Args, true, true)) {
    case kHandedOver:
        return EndEvent(true);
    case kDone:
        return NextEventCommand(true);
    default:
        return;
    }
}
