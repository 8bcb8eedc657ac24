// The current map's records: reading the event area, the lists, which
// records are live and the cell grid of the obstacles.
#include <algorithm>
#include <cstring>
#include <new>

#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/ZephGlobals.h"
#include "field/Map.h"
#include "field/event/Event.h"
#include "field/event/EventArea.h"
#include "field/event/EventRecord.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr const char* kSource = "Event";
constexpr int kBlockPicture = 30;
constexpr int kSwitchOnPicture = 36;
constexpr int kFirstArrowPicture = 59;
constexpr int kLastArrowPicture = 62;
constexpr std::uint32_t kSwitchGroupShift = 6;
constexpr std::uint32_t kPlateGroupShift = 8;
// The spawner slots belong to the map whose set-up added them.
constexpr std::uint32_t kSlotCountBits = 7u << 3;
constexpr std::uint32_t kGroupStateLoadBits = kSlotCountBits | 3u << kSwitchGroupShift | 3u << kPlateGroupShift;

// Trigger classes.
constexpr int kTouchClass = 1;
constexpr int kConfirmClass = 2;
constexpr int kMapStartClass = 3;
constexpr int kBlockArrivalClass = 4;
constexpr int kSwitchFollowClass = 5;
constexpr int kPushFollowClass = 6;
constexpr int kFirstPeriodicClass = 7;
constexpr int kLastPeriodicClass = 10;
constexpr int kSetupClass = 11;

// Kinds.
constexpr int kFirstSwitchKind = 4;
constexpr int kFirstPlateKind = 8;
constexpr int kTrapKindA = 12;
constexpr int kTrapKindB = 13;
constexpr int kChestKind = 1;
constexpr int kSignKind = 2;
constexpr int kPotKind = 3;
constexpr int kLampKind = 14;
constexpr int kFirstArrowKind = 15;
constexpr int kLastArrowKind = 16;

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

void Saturating(std::uint32_t& counter)
{
    if (counter != 0xFFFFFFFFu)
        ++counter;
}

// The after-state of a record whose done flag is set: its new picture, or
// -1 when the record goes out of play.
int AfterStatePicture(int kind, int picture)
{
    switch (kind) {
    case kChestKind:
        return picture == 18 ? 19 : picture;
    case kSignKind:
        return 31;
    case kPotKind:
        return 34;
    case kLampKind:
        return 49;
    default:
        return -1;
    }
}

} // namespace

CEvent::CEvent()
{
    ResetEventState();
}

CEvent::~CEvent()
{
    ReleaseEvent();
}

void CEvent::InitEvent()
{
    ResetEventState();
    LoadEventTextures();
}

void CEvent::ResetEventState()
{
    ClearEventState();
    ClearLists();
    std::memset(MessageText, 0, sizeof(MessageText));
    std::memset(ItemMessage, 0, sizeof(ItemMessage));
    textColour = 0xFFFFFFFFu;
    phase = sourceLength = revealTotal = revealCounter = markerCounter = 0;
    handOver = typedOnce = expandedLength = 0;
    iconCategory = -1;
    textX = markerX = markerY = markerBob = 0.0f;
    EnteredFromMap = 1;
}

void CEvent::ReleaseEvent()
{
    ClearEventState();
    ClearLists();
    pictureSheet.reset();
    spriteSheet.reset();
    iconSheet.reset();
}

void CEvent::ClearCommandState()
{
    Opcode = -1;
    commandLength = -1;
    std::memset(Args, 0, sizeof(Args));
}

void CEvent::ClearEventState()
{
    ClearCommandState();
    PrevOpcode = -1;
    ScriptPos = PrevScriptPos = nullptr;
    CurrentRecord = nullptr;
    MessageTextPos = nullptr;
    messageTextUnits = 0;
    chainNext = false;
}

void CEvent::ClearLists()
{
    for (auto& list : lists)
        list.clear();
    CellGrid.clear();
    mapWidth = mapHeight = 0;
    SwitchFollowRecord = PushFollowRecord = MapStartRecord = SetupRecord = nullptr;
    PointList = nullptr;
    PointCount = 0;
    FirstBlockIndex = 0;
    std::fill(std::begin(switchesOn), std::end(switchesOn), 0u);
    std::fill(std::begin(switchTotal), std::end(switchTotal), 0u);
    std::fill(std::begin(platesCovered), std::end(platesCovered), 0u);
    std::fill(std::begin(plateTotal), std::end(plateTotal), 0u);
    GroupState = 0;
    trapHitA.clear();
    trapHitB.clear();
}

bool CEvent::LoadEventData(unsigned char* first, std::size_t bytes, int recordCount)
{
    // A dropped event hands the field back when it had taken it.
    ClearPushBlock();
    if (CurrentRecord != nullptr && EnteredFromMap && MapSceneState == MAP_SCENE_EVENT)
        MapSceneState = MAP_SCENE_WALK;
    ClearEventState();
    const std::uint32_t keptGroupBits = GroupState & ~kGroupStateLoadBits;
    ClearLists();
    GroupState = keptGroupBits;
    EventAreaLayout layout{};
    if (recordCount < 0 || CheckEventArea(first, bytes, recordCount, &layout) != EventAreaFault::None)
        return false;
    try {
        mapWidth = TheMap != nullptr ? TheMap->Width() : 0;
        mapHeight = TheMap != nullptr ? TheMap->Height() : 0;
        CellGrid.assign(static_cast<std::size_t>(mapWidth) * static_cast<std::size_t>(mapHeight), 0);
        lists[LIST_ALL_RECORDS].reserve(static_cast<std::size_t>(recordCount));
        std::size_t at = 0;
        bool blockSeen = false;
        for (int i = 0; i < recordCount; ++i) {
            unsigned char* record = first + at;
            lists[LIST_ALL_RECORDS].push_back(record);
            if (!blockSeen && er::Picture(record) == kBlockPicture) {
                blockSeen = true;
                FirstBlockIndex = static_cast<std::uint32_t>(i);
            }
            at += er::Size(record);
        }
        PointCount = layout.pointCount;
        PointList = PointCount != 0 ? first + layout.pointCountOffset + 4 : nullptr;
        // 5.-6.
        RefreshEventActivity(false);
        FillLists();
    } catch (const std::bad_alloc&) {
        REPORT_ERROR(kSource, 709, ERROR_NO_MEMORY);
        ClearLists();
        return false;
    }
    if (!lists[LIST_ALL_RECORDS].empty())
        for (std::size_t i = FirstBlockIndex; i < lists[LIST_ALL_RECORDS].size(); ++i)
            if (er::Picture(lists[LIST_ALL_RECORDS][i]) == kBlockPicture)
                UpdatePlateCounts(er::X(lists[LIST_ALL_RECORDS][i]), er::Y(lists[LIST_ALL_RECORDS][i]), true);
    RebuildEventGrid();
    return true;
}

void CEvent::FillLists()
{
    for (unsigned char* record : lists[LIST_ALL_RECORDS]) {
        const int kind = er::Kind(record);
        const int trigger = er::Trigger(record);
        const int picture = er::Picture(record);
        if (!er::IsPassThrough(record))
            lists[LIST_OBSTACLES].push_back(record);
        if (trigger == kTouchClass)
            lists[LIST_TOUCH].push_back(record);
        if (trigger == kConfirmClass)
            lists[LIST_CONFIRM].push_back(record);
        if (trigger == kBlockArrivalClass)
            lists[LIST_BLOCK_ARRIVAL].push_back(record);
        if (InRange(trigger, kFirstPeriodicClass, kLastPeriodicClass))
            lists[LIST_PERIODIC].push_back(record);
        if (trigger == kMapStartClass)
            MapStartRecord = record;
        if (trigger == kSwitchFollowClass)
            SwitchFollowRecord = record;
        if (trigger == kPushFollowClass)
            PushFollowRecord = record;
        if (trigger == kSetupClass)
            SetupRecord = record;
        if (InRange(kind, kFirstSwitchKind, kFirstSwitchKind + kGroupCount - 1)) {
            lists[LIST_SWITCHES].push_back(record);
            Saturating(switchTotal[kind - kFirstSwitchKind]);
            if (picture == kSwitchOnPicture)
                Saturating(switchesOn[kind - kFirstSwitchKind]);
        }
        if (InRange(kind, kFirstPlateKind, kFirstPlateKind + kGroupCount - 1)) {
            lists[LIST_PLATES].push_back(record);
            Saturating(plateTotal[kind - kFirstPlateKind]);
        }
        if (kind == kTrapKindA)
            lists[LIST_TRAPS_A].push_back(record);
        if (kind == kTrapKindB)
            lists[LIST_TRAPS_B].push_back(record);
        if (InRange(picture, kFirstArrowPicture, kLastArrowPicture))
            lists[LIST_ARROW_PICTURES].push_back(record);
        if (InRange(kind, kFirstArrowKind, kLastArrowKind))
            lists[LIST_ARROWS].push_back(record);
    }
}

void CEvent::RefreshEventActivity(bool recount)
{
    for (unsigned char* record : lists[LIST_ALL_RECORDS]) {
        bool active = true;
        const int kind = er::Kind(record);
        const int conditionFlag = er::ConditionFlag(record);
        const int doneFlag = er::DoneFlag(record);
        if (er::IsDone(record)) {
            active = false;
        } else if (conditionFlag != 0 && TheGameData->GetGameFlag(conditionFlag) == 0) {
            active = false;
        } else if (doneFlag != 0 && TheGameData->GetGameFlag(doneFlag) != 0) {
            const int after = AfterStatePicture(kind, er::Picture(record));
            active = after >= 0;
            if (active)
                er::Set(record, er::kPicture, after);
        } else if (kind == kLampKind) {
            er::Set(record, er::kPicture, 48);
        }
        er::Set(record, er::kActive, active ? 1 : 0);
    }
    if (recount)
        RebuildEventGrid();
}

bool CEvent::CellOnMap(int x, int y) const
{
    return x >= 0 && y >= 0 && x < mapWidth && y < mapHeight;
}

bool CEvent::RecordAtCell(const unsigned char* record, int x, int y) const
{
    // A record placed off the map stands on no cell.
    return CellOnMap(x, y) && er::X(record) == x && er::Y(record) == y;
}

void CEvent::RebuildEventGrid()
{
    std::fill(CellGrid.begin(), CellGrid.end(), 0);
    for (const unsigned char* record : lists[LIST_OBSTACLES]) {
        const int x = er::X(record);
        const int y = er::Y(record);
        if (!er::IsActive(record) || !CellOnMap(x, y))
            continue;
        std::uint8_t& count =
            CellGrid[static_cast<std::size_t>(x) * static_cast<std::size_t>(mapHeight) + static_cast<std::size_t>(y)];
        if (count != 0xFF)
            ++count;
    }
}

unsigned char* CEvent::FindEventRecordAt(int x, int y, int n) const
{
    int seen = 0;
    for (unsigned char* record : lists[LIST_ALL_RECORDS]) {
        if (!RecordAtCell(record, x, y))
            continue;
        if (seen == n)
            return record;
        ++seen;
    }
    return nullptr;
}

void CEvent::UpdatePlateCounts(int x, int y, bool arriving)
{
    for (const unsigned char* record : lists[LIST_PLATES]) {
        if (!RecordAtCell(record, x, y))
            continue;
        const int group = er::Kind(record) - kFirstPlateKind;
        std::uint32_t& covered = platesCovered[group];
        if (arriving)
            Saturating(covered);
        else if (covered != 0)
            --covered;
        GroupState = (GroupState & ~(3u << kPlateGroupShift)) | static_cast<std::uint32_t>(group) << kPlateGroupShift;
        return;
    }
}
