// Pushing a block: the test before the player's step, the cell counts while
// it moves, its arrival with the plates it leaves and covers, and calling
// a push off.
#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr int kFullStep = 15;
constexpr float kCell = 32.0f;

void MoveRecordTo(unsigned char* record, int x, int y)
{
    er::WriteU32(record + er::kXOffset, static_cast<std::uint32_t>(x));
    er::WriteU32(record + er::kYOffset, static_cast<std::uint32_t>(y));
}

} // namespace

bool CEvent::TryPushBlock(unsigned char* record)
{
    int x = er::X(record);
    int y = er::Y(record);
    const int facing = TheMapCharacter->facing & 3;
    if (!TheGameData->StepMapPosition(x, y, facing) || !TheMap->IsMapCellPassable(x, y, true) ||
        !IsEventCellFree(x, y)) {
        ClearPushBlock();
        return false;
    }
    pushTargetX = x;
    pushTargetY = y;
    return true;
}

void CEvent::StartPushBlock(unsigned char* record)
{
    static constexpr float kVectorX[4] = {0.0f, -kCell, 0.0f, kCell};
    static constexpr float kVectorY[4] = {-kCell, 0.0f, kCell, 0.0f};
    const int facing = TheMapCharacter->facing & 3;
    pushedRecord = record;
    pushStarted = 0;
    pushVectorX = kVectorX[facing];
    pushVectorY = kVectorY[facing];
}

void CEvent::BeginPushMove()
{
    if (pushedRecord == nullptr || pushStarted)
        return;
    pushStarted = 1;
    const int x = er::X(pushedRecord);
    const int y = er::Y(pushedRecord);
    if (CellOnMap(x, y)) {
        std::uint8_t& count =
            CellGrid[static_cast<std::size_t>(x) * static_cast<std::size_t>(mapHeight) + static_cast<std::size_t>(y)];
        if (count != 0)
            --count;
    }
}

void CEvent::FinishPushBlock()
{
    if (pushedRecord == nullptr)
        return;
    if (CellOnMap(pushTargetX, pushTargetY)) {
        std::uint8_t& count = CellGrid[static_cast<std::size_t>(pushTargetX) * static_cast<std::size_t>(mapHeight) +
                                       static_cast<std::size_t>(pushTargetY)];
        if (count != 0xFF)
            ++count;
    }
    BeginPushMove();
    unsigned char* block = pushedRecord;
    const int x = pushTargetX;
    const int y = pushTargetY;
    UpdatePlateCounts(er::X(block), er::Y(block), false);
    MoveRecordTo(block, x, y);
    UpdatePlateCounts(x, y, true);
    ClearPushBlock();
    if (PushFollowRecord != nullptr && er::IsActive(PushFollowRecord))
        StartEvent(PushFollowRecord, true);
    if (SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK)
        StartBlockArrivalEvents(x, y);
}

void CEvent::CancelPushBlock()
{
    if (pushedRecord != nullptr && pushStarted) {
        const int x = er::X(pushedRecord);
        const int y = er::Y(pushedRecord);
        if (CellOnMap(x, y)) {
            std::uint8_t& count = CellGrid[static_cast<std::size_t>(x) * static_cast<std::size_t>(mapHeight) +
                                           static_cast<std::size_t>(y)];
            if (count != 0xFF)
                ++count;
        }
    }
    ClearPushBlock();
}

void CEvent::ClearPushBlock()
{
    pushedRecord = nullptr;
    pushTargetX = pushTargetY = 0;
    pushVectorX = pushVectorY = 0.0f;
    pushStarted = 0;
}

bool CEvent::GetPushedBlockCell(int& x, int& y) const
{
    if (pushedRecord == nullptr)
        return false;
    x = er::X(pushedRecord);
    y = er::Y(pushedRecord);
    return true;
}

void CEvent::GetPushVector(float& x, float& y) const
{
    x = pushVectorX;
    y = pushVectorY;
}

bool CEvent::IsEventAtCell(int x, int y) const
{
    return pushedRecord != nullptr && x == pushTargetX && y == pushTargetY && TheMapCharacter->stepCounter < kFullStep;
}
