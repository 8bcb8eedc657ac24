// Commands on flags, the running record and the flow of the script.
#include "core/Parts.h"
#include "field/DrawSortObject.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"
#include "media/PlaySE.h"
#include "record/Pipkorn.h"

namespace er = eventrecord;

namespace {

constexpr int kSwitchSound = 11;
constexpr int kToggle = -1;

} // namespace

void CEvent::CmdSetFlag()
{
    const int flag = Args[1];
    const std::uint8_t value =
        Args[0] == kToggle ? TheGameData->GetGameFlag(flag) == 0 : static_cast<std::uint8_t>(Args[0] != 0);
    TheGameData->SetGameFlag(flag, value);
    RefreshEventActivity(true);
    NextEventCommand(true);
}

void CEvent::CmdIfJump()
{
    const bool outcome = TestIfJumpCondition(Args[1], Args[2]);
    if (outcome == ((Args[0] & 1) != 0))
        JumpToEventLabel(Args[3]);
    else
        NextEventCommand(true);
}

void CEvent::CmdDisableEvent()
{
    er::Set(CurrentRecord, er::kDone, 1);
    er::Set(CurrentRecord, er::kActive, 0);
    NextEventCommand(true);
}

void CEvent::CmdSetPicture()
{
    er::Set(CurrentRecord, er::kPicture, Args[0]);
    NextEventCommand(true);
}

void CEvent::CmdSwitchOn()
{
    const int flag = Args[0];
    if (flag != 0 && TheGameData->GetGameFlag(flag) == 0) {
        ThePlaySE->PlaySoundEffect(kSwitchSound);
        TheGameData->SetGameFlag(flag, 1);
        RefreshEventActivity(true);
    }
    NextEventCommand(true);
}

void CEvent::CmdToggleSwitch()
{
    ThePlaySE->PlaySoundEffect(kSwitchSound);
    TheGameData->SetGameFlag(Args[0], TheGameData->GetGameFlag(Args[0]) == 0);
    RefreshEventActivity(true);
    NextEventCommand(true);
}

void CEvent::CmdEndIf()
{
    if (TestEventEndCondition(Args))
        EndEvent(true);
    else
        NextEventCommand(true);
}

void CEvent::CmdSetFlagIf()
{
    SetFlagIfCondition(Args);
    NextEventCommand(true);
}

void CEvent::CmdSetListFlag()
{
    TheGameData->SetItemOwnedFlag(Args[0]);
    NextEventCommand(true);
}

void CEvent::CmdSetGameWord()
{
    TheGameData->eventWord = Args[0];
    NextEventCommand(true);
}

void CEvent::CmdSetTransfer()
{
    if (Args[0] == 0)
        TheGameData->ClearMapTransfer();
    else
        TheGameData->RequestMapTransfer(TheMapCharacter->cellX, TheMapCharacter->cellY, TheMapCharacter->facing & 3);
    NextEventCommand(true);
}

void CEvent::CmdCallEvent()
{
    unsigned char* found = FindEventRecordAt(Args[0], Args[1], Args[2]);
    EndEvent(true);
    if (found == nullptr)
        return;
    // The called record runs on in this frame's loop, within its budget, so
    // records that call each other cannot nest without end.
    BeginEvent(found, true);
    chainNext = true;
}

void CEvent::CmdFixView()
{
    TheMap->SetMapLooping(Args[0] != 0);
    NextEventCommand(true);
}

void CEvent::CmdRefreshSort()
{
    TheDrawSortObject->MakeMapSortList();
    NextEventCommand(true);
}
