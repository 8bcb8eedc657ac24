// The field's clock: spike traps rising and falling, arrow tiles turning,
// records that start on a period, the spawner slots; and the number
// puzzle.
#include "core/Parts.h"
#include "core/Random.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr int kTrapPeriodA = 70;
constexpr int kTrapPeriodB = 40;
constexpr int kArrowPeriod = 60;
constexpr int kSpikesOut = 38;
constexpr int kSpikesIn = 39;
constexpr int kTrapDamage = -1;
constexpr int kFirstArrowPicture = 59;
constexpr int kLastArrowPicture = 62;
constexpr int kArrowUpKind = 15;
constexpr int kFirstPeriodicClass = 7;
constexpr int kPeriods[4] = {18, 32, 50, 85};
constexpr int kPuzzleSolvedFlag = 38;
constexpr int kLastPuzzleStep = 3;
constexpr std::uint32_t kProgressMask = 7u;
constexpr int kSlotCountShift = 3;
constexpr std::uint32_t kSlotCountMask = 7u << kSlotCountShift;
constexpr int kSpawnHoldBit = 1 << 15;

bool PlayerOn(const unsigned char* record)
{
    return er::X(record) == TheMapCharacter->cellX && er::Y(record) == TheMapCharacter->cellY;
}

} // namespace

bool CEvent::UpdateFieldGimmicks(bool hurtAllowed)
{
    if (++fieldFrame >= kFieldFramePeriod)
        fieldFrame = 0;
    // 2., 3.
    if (fieldFrame % kTrapPeriodA == 0 && RunTrapCycle(LIST_TRAPS_A, trapHitA, hurtAllowed))
        return true;
    if (fieldFrame % kTrapPeriodB == 0 && RunTrapCycle(LIST_TRAPS_B, trapHitB, hurtAllowed))
        return true;
    if (fieldFrame % kArrowPeriod == 0 && !lists[LIST_ARROWS].empty())
        TurnArrows();
    if (!lists[LIST_PERIODIC].empty())
        for (int period : kPeriods)
            if (fieldFrame % period == 0) {
                StartPeriodicRecords();
                break;
            }
    if (SpawnerSlotCount() != 0)
        TickSpawnerSlots();
    return false;
}

bool CEvent::RunTrapCycle(RecordList list, std::vector<std::uint8_t>& marks, bool hurtAllowed)
{
    marks.resize(lists[list].size(), 0);
    for (std::size_t i = 0; i < lists[list].size(); ++i) {
        unsigned char* record = lists[list][i];
        const int picture = er::Picture(record);
        if (!er::IsActive(record)) {
            er::Set(record, er::kPicture, picture != kSpikesOut ? kSpikesOut : kSpikesIn);
        } else if (picture != kSpikesOut) {
            marks[i] = 0;
            er::Set(record, er::kPicture, kSpikesOut);
            if (PlayerOn(record) && TheMapCharacter->IsPlayerStanding() && hurtAllowed && marks[i] == 0) {
                marks[i] = 1;
                if (EventDamageParty(kTrapDamage))
                    return true;
            }
        } else {
            er::Set(record, er::kPicture, kSpikesIn);
        }
    }
    return false;
}

bool CEvent::HurtOnTrap(std::vector<std::uint8_t>& marks, RecordList list)
{
    marks.resize(lists[list].size(), 0);
    for (std::size_t i = 0; i < lists[list].size(); ++i) {
        const unsigned char* record = lists[list][i];
        if (!er::IsActive(record))
            continue;
        if (!PlayerOn(record)) {
            marks[i] = 0;
            continue;
        }
        if (er::Picture(record) == kSpikesOut && marks[i] == 0) {
            marks[i] = 1;
            if (EventDamageParty(kTrapDamage))
                return true;
        }
    }
    return false;
}

bool CEvent::CheckTrapOnArrival()
{
    return HurtOnTrap(trapHitA, LIST_TRAPS_A) || HurtOnTrap(trapHitB, LIST_TRAPS_B);
}

void CEvent::TurnArrows()
{
    for (unsigned char* record : lists[LIST_ARROWS]) {
        const int picture = er::Picture(record);
        // Only a record showing an arrow turns: any other picture has no direction to give.
        if (picture < kFirstArrowPicture || picture > kLastArrowPicture)
            continue;
        int turned = picture + (er::Kind(record) == kArrowUpKind ? 1 : -1);
        if (turned > kLastArrowPicture)
            turned = kFirstArrowPicture;
        else if (turned < kFirstArrowPicture)
            turned = kLastArrowPicture;
        er::Set(record, er::kPicture, turned);
        if (PlayerOn(record) && TheMapCharacter->IsPlayerStanding())
            TheMapCharacter->ForcePlayerMove(turned - kFirstArrowPicture);
    }
}

void CEvent::StartPeriodicRecords()
{
    // By index: a started record may change what the lists hold.
    for (std::size_t i = 0; i < lists[LIST_PERIODIC].size(); ++i) {
        unsigned char* record = lists[LIST_PERIODIC][i];
        const int period = kPeriods[er::Trigger(record) - kFirstPeriodicClass];
        if (er::IsActive(record) && fieldFrame % period == 0)
            StartEvent(record, false);
    }
}

void CEvent::AddSpawnerSlot(const std::int32_t* words)
{
    int count = SpawnerSlotCount();
    // A fifth slot takes the fourth's place.
    if (count >= kSpawnerSlots)
        count = kSpawnerSlots - 1;
    SpawnerSlot& slot = spawnerSlots[count];
    slot = SpawnerSlot{};
    slot.limit = words[0];
    slot.period = words[1];
    slot.mode = words[2];
    if (slot.mode == 0) {
        const std::int32_t command[6] = {1, 1, words[7], words[8], words[9], words[10] | kSpawnHoldBit};
        for (int k = 0; k < 6; ++k)
            slot.command[k] = command[k];
    }
    GroupState = (GroupState & ~kSlotCountMask) | static_cast<std::uint32_t>(count + 1) << kSlotCountShift;
}

void CEvent::TickSpawnerSlots()
{
    for (int i = 0; i < SpawnerSlotCount() && i < kSpawnerSlots; ++i) {
        SpawnerSlot& slot = spawnerSlots[i];
        if (++slot.frame < slot.period)
            continue;
        // As the point spawn command runs it: on the objects' own generator, so a place's spawns repeat.
        if (TheObject->SymbolCount() < slot.limit && slot.mode == 0)
            TheObject->SpawnSymbolsAtPoints(slot.command, PointList, static_cast<int>(PointCount), false, true);
        slot.frame = 0;
    }
}

void CEvent::StepSequencePuzzle(int step)
{
    const int progress = PuzzleProgress() & kLastPuzzleStep;
    int next = progress;
    if (step == 0) {
        next = 0;
        for (int i = 0; i < kLastPuzzleStep; ++i)
            sequence[i] = static_cast<std::int8_t>(GameRandom() * 3 / 32768 + 1);
        sequence[kLastPuzzleStep] = kLastPuzzleStep;
    } else if (step != sequence[progress]) {
        next = 0;
    } else if (progress < kLastPuzzleStep) {
        next = progress + 1;
    } else {
        TheGameData->SetGameFlag(kPuzzleSolvedFlag, 1);
    }
    GroupState = (GroupState & ~kProgressMask) | static_cast<std::uint32_t>(next);
}

int CEvent::GetSequenceHint() const
{
    switch (sequence[PuzzleProgress() & 3]) {
    case 1:
        return 0;
    case 2:
        return 2;
    default:
        return 3;
    }
}

void CEvent::CmdSequenceStep()
{
    if (Args[0] == 0)
        StepSequencePuzzle(Args[1]);
    NextEventCommand(true);
}
