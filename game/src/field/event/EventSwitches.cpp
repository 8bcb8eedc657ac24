// Floor switches: what stepping on one does to its picture, its group's
// count and, for a one-shot switch, its flag.
#include "core/Parts.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "media/PlaySE.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr int kFirstSwitchKind = 4;
constexpr int kSwitchSound = 19;
constexpr int kOneShotReleaseSound = 20;
constexpr std::uint32_t kSwitchGroupShift = 6;

struct SwitchReaction {
    int picture, sound, newPicture, countChange;
    bool setsDoneFlag;
};

constexpr SwitchReaction kReactions[] = {
    {35, kSwitchSound, 36, 1, false},
    {36, kSwitchSound, 35, -1, false},
    {52, kSwitchSound, 53, 1, false},
    {53, kOneShotReleaseSound, 52, -1, true},
};

} // namespace

void CEvent::StepOnSwitch(unsigned char* record)
{
    const int picture = er::Picture(record);
    for (const SwitchReaction& r : kReactions) {
        if (r.picture != picture)
            continue;
        ThePlaySE->PlaySoundEffect(r.sound);
        er::Set(record, er::kPicture, r.newPicture);
        const int group = er::Kind(record) - kFirstSwitchKind;
        if (group >= 0 && group < kGroupCount) {
            std::uint32_t& on = switchesOn[group];
            if (r.countChange > 0 && on != 0xFFFFFFFFu)
                ++on;
            else if (r.countChange < 0 && on != 0)
                --on;
            GroupState = (GroupState & ~(3u << kSwitchGroupShift)) | static_cast<std::uint32_t>(group)
                                                                         << kSwitchGroupShift;
        }
        if (r.setsDoneFlag) {
            TheGameData->SetGameFlag(er::DoneFlag(record), 1);
            RefreshEventActivity(true);
        }
        return;
    }
}

void CEvent::OperateSwitchAt(int x, int y)
{
    for (unsigned char* record : lists[LIST_SWITCHES]) {
        if (!er::IsActive(record) || !RecordAtCell(record, x, y))
            continue;
        StepOnSwitch(record);
        if (SwitchFollowRecord != nullptr && er::IsActive(SwitchFollowRecord))
            StartEvent(SwitchFollowRecord, true);
        return;
    }
}
