// Transfers started from the field menu: to a warp point the party knows,
// to where the last save or load put the party, or back to the return point
// an event recorded. A warp fades the player out, moves through the map
// change and fades the player back in; the other two only run the map change.
#include <cstring>

#include "core/GameDataTables.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/DrawSortObject.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "field/event/MapChange.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "platform/LittleEndian.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kWaitFrames = 10;
constexpr int kFadeFrames = 35;
constexpr int kFadeSpan = 25;
constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr int kFullBrightness = 255;

// What each kind does, in the order of the request it fills.
struct TransferPlan {
    int firstStage;
    bool fadeBackIn;
    bool restartMusic;
    bool startPendingEvent;
    bool sameMapReload;
    bool newPlace;
};

constexpr TransferPlan kPlans[3] = {
    {0, true, true, false, false, true},   // a warp point
    {2, false, true, true, true, false},   // the saved place
    {2, false, false, false, true, false}, // back to the return point
};

std::uint32_t WhiteWithAlpha(int alpha)
{
    return static_cast<std::uint32_t>(alpha) << 24 | 0x00FFFFFFu;
}

// Fading out, frame f of 35: (25 - f) / 25 of full, transparent from frame 25.
std::uint32_t FadingOutColour(int frame)
{
    const int left = kFadeSpan - frame;
    return WhiteWithAlpha(left >= 1 && left <= kFadeSpan - 1 ? left * 255 / kFadeSpan : 0);
}

// Fading in, frame f of 35: f / 25 of full, opaque from frame 25.
std::uint32_t FadingInColour(int frame)
{
    return frame >= kFadeSpan ? kOpaqueWhite : WhiteWithAlpha(frame * 255 / kFadeSpan);
}

} // namespace

void CMapCharacter::StartMenuTransfer(int index, int kind)
{
    if (kind < TRANSFER_TO_WARP_POINT || kind > TRANSFER_BACK)
        return;
    // A warp point the table does not hold leads nowhere: nothing starts.
    if (kind == TRANSFER_TO_WARP_POINT && (WarpPointTable == nullptr || index < 0 || index >= WARP_POINT_ROW_COUNT))
        return;
    using namespace mapchange;
    const TransferPlan& plan = kPlans[kind];
    MapSceneState = MAP_SCENE_MENU_TRANSFER;
    SetArrivalCheck();
    balloonState = kBalloonNone;
    std::memset(transferRequest, 0, sizeof transferRequest);
    transferFrames = 0;
    RerunUpdate = 0;
    handedOver = 0;

    std::int32_t* request = transferRequest;
    const GameData& data = *TheGameData;
    switch (kind) {
    case TRANSFER_TO_WARP_POINT: {
        const unsigned char* row = WarpPointTable + static_cast<std::size_t>(index) * WARP_POINT_ROW_SIZE;
        request[Map] = plat::LoadLeI16(row);
        request[Column] = plat::LoadLeI16(row + 4);
        request[Row] = plat::LoadLeI16(row + 6);
        request[Facing] = DIRECTION_DOWN;
        break;
    }
    case TRANSFER_TO_SAVED_PLACE:
        request[Map] = data.playerMap;
        request[Column] = data.playerX;
        request[Row] = data.playerY;
        request[Facing] = data.playerFacing & 3;
        break;
    default:
        request[Map] = TheMap->GetMapNumber();
        request[Column] = data.pendingMoveX;
        request[Row] = data.pendingMoveY;
        request[Facing] = data.pendingMoveFacing & 3;
        break;
    }
    request[Step] = 0;
    request[Brightness] = kFullBrightness;
    request[Reload] = plan.sameMapReload ? 1 : 0;
    request[NewPlace] = plan.newPlace ? 1 : 0;
    transferStage = plan.firstStage;
    fadeBackIn = plan.fadeBackIn ? 1 : 0;
    restartMusic = plan.restartMusic ? 1 : 0;
    startPendingEvent = plan.startPendingEvent ? 1 : 0;
    sameMapReload = plan.sameMapReload ? 1 : 0;
    targetDiffers = request[Map] != TheMap->GetMapNumber() ? 1 : 0;
}

void CMapCharacter::UpdateMenuTransfer()
{
    switch (transferStage) {
    case 0:
        return WaitBeforeFading();
    case 1:
        return FadePlayerOut();
    case 2:
        return RunTransferMapChange();
    case 3:
        return FadePlayerBackIn();
    default:
        return;
    }
}

void CMapCharacter::WaitBeforeFading()
{
    UpdateFieldDuringTransfer();
    if (++transferFrames < kWaitFrames)
        return;
    PlaySoundEffect(SE_TRANSFER);
    transferStage = 1;
    transferFrames = 0;
}

void CMapCharacter::FadePlayerOut()
{
    UpdateFieldDuringTransfer();
    spriteColour = FadingOutColour(++transferFrames);
    if (transferFrames < kFadeFrames)
        return;
    transferStage = 2;
    transferFrames = 0;
}

// The map goes on around the player while the transfer waits and fades,
// but nothing there may start an event.
void CMapCharacter::UpdateFieldDuringTransfer()
{
    TheEvent->UpdateFieldGimmicks(false);
    TheObject->UpdateMapObjects();
    TheDrawSortObject->MakeMapSortList();
}

void CMapCharacter::RunTransferMapChange()
{
    using namespace mapchange;
    bool arrived;
    if (handedOver) {
        // The transition scene has ended: the move is over, and it reached
        // the target unless the transition refused the map.
        handedOver = 0;
        arrived = TheMap->GetMapNumber() == transferRequest[Map];
    } else {
        const int result = ChangeMap(transferRequest, false, restartMusic != 0);
        if (result == kRunning)
            return;
        if (result == kHandedOver && transferRequest[Loaded] != kRefused) {
            // Back here once the transition hands the field back.
            handedOver = 1;
            return;
        }
        arrived = transferRequest[Loaded] != kRefused;
    }
    // A refused move leaves the party where it was: no new map's event.
    if (!arrived)
        targetDiffers = 0;
    if (fadeBackIn) {
        transferStage = 3;
        transferFrames = 0;
        return;
    }
    if (sameMapReload && restartMusic)
        ThePlayBGM->Play(BGM_FIELD_TRACK);
    EndMenuTransfer(targetDiffers || (arrived && startPendingEvent));
}

void CMapCharacter::FadePlayerBackIn()
{
    if (++transferFrames == 1)
        PlaySoundEffect(SE_TRANSFER);
    spriteColour = FadingInColour(transferFrames);
    if (transferFrames < kFadeFrames)
        return;
    spriteColour = kOpaqueWhite;
    EndMenuTransfer(targetDiffers != 0);
}

void CMapCharacter::EndMenuTransfer(bool startEvent)
{
    MapSceneState = MAP_SCENE_WALK;
    if (!startEvent)
        return;
    RerunUpdate = 1;
    TheEvent->StartPendingEvent();
}
