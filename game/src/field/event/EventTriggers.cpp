// What starts a record: the player arriving, bumping or pressing confirm, a
// block coming to rest, a map being entered; and starting and ending it.
#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "media/PlaySE.h"

namespace er = eventrecord;

namespace {

constexpr int kUpOnlyPicture = 20;
constexpr int kBlockPicture = 30;
constexpr int kFirstArrowPicture = 59;
constexpr int kPushSound = 16;
constexpr int kLastTurningPicture = 16;

// The picture of a person facing down, up, right and left, shown when the
// player faces up, down, left and right.
constexpr int kPersonFacingDown = 45;
constexpr int kPersonFacingUp = 50;
constexpr int kPersonFacingRight = 54;
constexpr int kPersonFacingLeft = 55;

int PlayerFacing()
{
    return TheMapCharacter != nullptr ? TheMapCharacter->facing & 3 : DIRECTION_DOWN;
}

bool IsPersonPicture(int picture)
{
    return picture == kPersonFacingDown || picture == kPersonFacingUp || picture == kPersonFacingRight ||
           picture == kPersonFacingLeft;
}

} // namespace

void CEvent::StartEvent(unsigned char* record, bool enterMapState)
{
    BeginEvent(record, enterMapState);
    if (SceneState == SCENE_FIELD || record == SetupRecord)
        UpdateEvent();
}

void CEvent::BeginEvent(unsigned char* record, bool enterMapState)
{
    PrevOpcode = -1;
    PrevScriptPos = nullptr;
    CurrentRecord = record;
    ScriptPos = er::Script(record);
    EnteredFromMap = enterMapState ? 1 : 0;
    if (enterMapState)
        MapSceneState = MAP_SCENE_EVENT;
    // Whoever is spoken to turns to the player.
    const int picture = er::Picture(record);
    if (IsPersonPicture(picture)) {
        TurnPersonToPlayer(record);
    } else if (picture >= 1 && picture <= kLastTurningPicture) {
        static constexpr int kFrameFacingPlayer[4] = {3, 4, 1, 2};
        er::Set(record, er::kPicture, 4 * ((picture - 1) / 4) + kFrameFacingPlayer[PlayerFacing()]);
    }
    ClearCommandState();
}

void CEvent::EndEvent(bool leaveMapState)
{
    if (leaveMapState && EnteredFromMap && CurrentRecord != nullptr)
        MapSceneState = MAP_SCENE_WALK;
    ClearEventState();
}

void CEvent::TurnPersonToPlayer(unsigned char* record)
{
    static constexpr int kPictureByFacing[4] = {kPersonFacingDown, kPersonFacingRight, kPersonFacingUp,
                                                kPersonFacingLeft};
    er::Set(record, er::kPicture, kPictureByFacing[PlayerFacing()]);
}

void CEvent::StartTouchEvents(int x, int y)
{
    for (unsigned char* record : lists[LIST_TOUCH]) {
        // An event that handed the frame to another scene keeps it.
        if (SceneState != SCENE_FIELD)
            return;
        if (er::IsActive(record) && RecordAtCell(record, x, y))
            StartEvent(record, true);
    }
}

bool CEvent::CheckStepOnEvent(int x, int y)
{
    for (unsigned char* record : lists[LIST_CONFIRM]) {
        if (!er::IsActive(record) || !RecordAtCell(record, x, y))
            continue;
        // A notice read only from below.
        if (er::Picture(record) == kUpOnlyPicture && PlayerFacing() != DIRECTION_UP)
            continue;
        StartEvent(record, true);
        return true;
    }
    return false;
}

void CEvent::StartBlockArrivalEvents(int x, int y)
{
    for (unsigned char* record : lists[LIST_BLOCK_ARRIVAL]) {
        if (SceneState != SCENE_FIELD)
            return;
        if (er::IsActive(record) && RecordAtCell(record, x, y))
            StartEvent(record, true);
    }
}

void CEvent::StartPendingEvent()
{
    if (MapStartRecord != nullptr && er::IsActive(MapStartRecord))
        StartEvent(MapStartRecord, true);
}

void CEvent::RunSetupEventIfActive()
{
    if (SetupRecord != nullptr && er::IsActive(SetupRecord))
        RunMapSetupCommands();
}

bool CEvent::IsEventCellFree(int x, int y) const
{
    return CellOnMap(x, y) &&
           CellGrid[static_cast<std::size_t>(x) * static_cast<std::size_t>(mapHeight) + static_cast<std::size_t>(y)] ==
               0;
}

bool CEvent::TryEnterEventCell(int x, int y)
{
    if (!CellOnMap(x, y))
        return false;
    if (IsEventCellFree(x, y))
        return true;
    for (unsigned char* record : lists[LIST_OBSTACLES]) {
        if (!er::IsActive(record) || !RecordAtCell(record, x, y))
            continue;
        if (er::Picture(record) == kBlockPicture && !IsPushingBlock()) {
            if (!TryPushBlock(record))
                return false;
            StartPushBlock(record);
            continue;
        }
        ClearPushBlock();
        StartTouchEvents(x, y);
        return false;
    }
    if (IsPushingBlock())
        ThePlaySE->PlaySoundEffect(kPushSound);
    return true;
}

int CEvent::GetArrowFloorDirection(int x, int y) const
{
    for (const unsigned char* record : lists[LIST_ARROW_PICTURES])
        if (RecordAtCell(record, x, y))
            return er::Picture(record) - kFirstArrowPicture;
    return -1;
}
