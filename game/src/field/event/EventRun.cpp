// The run loop: decoding the command at the script position, its start
// action, its per-frame action, stepping on and jumping to labels.
#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "field/event/EventRecord.h"

namespace er = eventrecord;

namespace {

// Commands that take the player's control clear the balloon over the player.
bool ClearsBalloon(int opcode)
{
    static constexpr int kOpcodes[] = {0, 1, 3, 4, 5, 12, 13, 15, 19, 20, 24, 25, 26, 27, 35, 38, 39, 49, 51};
    for (int op : kOpcodes)
        if (op == opcode)
            return true;
    return false;
}

} // namespace

std::size_t CEvent::BytesLeftInRecord(const unsigned char* at) const
{
    const unsigned char* end = CurrentRecord + er::Size(CurrentRecord);
    return at < end ? static_cast<std::size_t>(end - at) : 0;
}

void CEvent::UpdateEvent()
{
    // The field waits on no event that is not there.
    if (CurrentRecord == nullptr && MapSceneState == MAP_SCENE_EVENT) {
        MapSceneState = MAP_SCENE_WALK;
        return;
    }
    for (int budget = kCommandsPerFrame; budget > 0; --budget) {
        if (CurrentRecord == nullptr)
            return;
        chainNext = false;
        if (Opcode == -1 && !ExecuteEventCommand(true)) {
            if (chainNext)
                continue;
            return;
        }
        if (CurrentRecord == nullptr)
            return;
        RunCommandFrame();
        if (!chainNext)
            return;
    }
}

void CEvent::NextEventCommand(bool run)
{
    if (run) {
        PrevOpcode = Opcode;
        PrevScriptPos = ScriptPos;
    }
    if (commandLength < 0) {
        EndEvent(true);
        return;
    }
    ScriptPos += 2 * commandLength;
    if (run) {
        ClearCommandState();
        chainNext = true;
    }
}

void CEvent::JumpToEventLabel(int label)
{
    PrevOpcode = Opcode;
    PrevScriptPos = ScriptPos;
    ScriptPos = er::Script(CurrentRecord);
    for (std::size_t left = BytesLeftInRecord(ScriptPos); left > 0; left = BytesLeftInRecord(ScriptPos)) {
        ClearCommandState();
        DecodedCommand command;
        if (DecodeEventCommand(ScriptPos, left, command) != DecodeFault::None)
            break;
        if (command.opcode == OP_LABEL && command.args[0] == label) {
            chainNext = true; // the label steps on at once
            return;
        }
        ScriptPos += 2 * command.length;
    }
    EndEvent(true);
}

bool CEvent::ExecuteEventCommand(bool start)
{
    DecodedCommand command;
    if (DecodeEventCommand(ScriptPos, BytesLeftInRecord(ScriptPos), command) != DecodeFault::None) {
        EndEvent(true);
        return false;
    }
    Opcode = command.opcode;
    commandLength = command.length;
    for (int k = 0; k < EVENT_ARG_COUNT; ++k)
        Args[k] = command.args[k];
    MessageTextPos = command.textOffset != 0 ? ScriptPos + 2 * command.textOffset : nullptr;
    messageTextUnits = command.textLength;
    if (!start)
        return true;
    if (TheMapCharacter != nullptr && ClearsBalloon(Opcode))
        TheMapCharacter->ClearBalloonState();
    return StartCommand();
}

bool CEvent::StartCommand()
{
    switch (Opcode) {
    case OP_MESSAGE:
    case OP_MESSAGE_ARG:
        return StartMessageCommand();
    case OP_GET_ITEM:
        return StartGetItem();
    case OP_BATTLE:
        return StartBattle();
    case OP_CHANGE_BGM:
        return StartChangeBgm();
    case OP_FADE_PLAYER:
        return StartFadePlayer();
    case OP_LOSE_ITEM:
        return StartLoseItem();
    case OP_CHOICE:
    case OP_FLOOR_CHOICE:
        return StartChoice();
    case OP_SHOP:
        return StartShop();
    case OP_CHANGE_MAP:
        return StartChangeMap();
    case OP_NEXT_MAP:
        return StartNextMap();
    case OP_STAIRS:
        return StartStairs();
    case OP_SCREEN_EFFECT:
        return StartScreenEffectCommand();
    case OP_WARP:
        return StartWarp();
    case OP_WARP_FLAG:
        return StartWarpFlag();
    default:
        return true;
    }
}

void CEvent::RunCommandFrame()
{
    switch (Opcode) {
    case OP_MESSAGE:
    case OP_MESSAGE_ARG:
    case OP_GET_ITEM:
    case OP_LOSE_ITEM:
        return UpdateMessage();
    case OP_CHOICE:
    case OP_FLOOR_CHOICE:
        return UpdateChoice();
    case OP_BATTLE:
        return CmdBattle();
    case OP_SHOP:
        return CmdShop();
    case OP_CHANGE_MAP:
    case OP_NEXT_MAP:
    case OP_STAIRS:
    case OP_WARP:
    case OP_WARP_FLAG:
        return CmdMapChange();
    case OP_SET_FLAG:
        return CmdSetFlag();
    case OP_IF_JUMP:
        return CmdIfJump();
    case OP_DISABLE_EVENT:
        return CmdDisableEvent();
    case OP_DAMAGE_PARTY:
        return CmdDamageParty();
    case OP_SET_PICTURE:
        return CmdSetPicture();
    case OP_CHANGE_BGM:
        return CmdChangeBgm();
    case OP_PLAY_SE:
        return CmdPlaySe();
    case OP_LAUNCH_OBJECT:
        return CmdLaunchObject(Args[0]);
    case OP_WAIT:
        return CmdWait();
    case OP_GOTO:
        return JumpToEventLabel(Args[0]);
    case OP_RECOVER_PARTY:
        return CmdRecoverParty();
    case OP_SET_LIST_FLAG:
        return CmdSetListFlag();
    case OP_FADE_PLAYER:
        return CmdFadePlayer();
    case OP_SET_TRANSFER:
        return CmdSetTransfer();
    case OP_SWITCH_ON:
        return CmdSwitchOn();
    case OP_SPAWN_SYMBOL:
        return CmdSpawnSymbol();
    case OP_SPAWN_IN_AREA:
    case OP_SPAWN_AT_POINTS:
    case OP_SPAWN_CR:
    case OP_SPAWN_WW:
    case OP_SPAWN_EITHER:
        return CmdSpawnSymbols();
    case OP_SEQUENCE_STEP:
        return CmdSequenceStep();
    case OP_LAUNCH_OBJECT_IF:
        return CmdLaunchObjectIf();
    case OP_REFRESH_SORT:
        return CmdRefreshSort();
    case OP_TOGGLE_SWITCH:
        return CmdToggleSwitch();
    case OP_ADD_ITEMS:
        return CmdAddItems();
    case OP_END_IF:
        return CmdEndIf();
    case OP_SET_GAME_WORD:
        return CmdSetGameWord();
    case OP_CALL_EVENT:
        return CmdCallEvent();
    case OP_SET_FLAG_IF:
        return CmdSetFlagIf();
    case OP_FIX_VIEW:
        return CmdFixView();
    case OP_REMOVE_ITEM:
        return CmdRemoveItem();
    case OP_LABEL:
    case OP_LC:
    case OP_NOP:
        return CmdNext();
    default:
        // CmdEnd, the commands without a per-frame action, and the gimmick
        // commands not built yet.
        return CmdStop();
    }
}

void CEvent::CmdNext()
{
    NextEventCommand(true);
}

void CEvent::CmdStop()
{
    EndEvent(true);
}
