#include "field/MapCharacter.h"

#include <cstring>
#include <type_traits>

#include "record/Pipkorn.h"
#include "core/Parts.h"
#include "battle/BattleServices.h"
#include "field/Map.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "core/SceneState.h"
#include "media/PlaySE.h"
#include "core/ZephGlobals.h"
#include "core/GameConstants.h"

namespace {

constexpr float kPlayerDepth = 0.5f;
constexpr float kBalloonDepth = 0.475f;
constexpr float kBalloonSize = 16.0f;
constexpr int kCellSize = 32;
constexpr float kRightBorder = SCREEN_WIDTH - TILE_SIZE;
constexpr float kBottomBorder = SCREEN_HEIGHT - TILE_SIZE;
constexpr int kWalkSpeed = 2;
constexpr int kRunSpeed = 4;
constexpr int kStepLength = 16;
constexpr int kPushTakeOff = 4;
constexpr int kRefusedSound = 3;
constexpr int kItemKinds = 70;

// Kinds of the party's shortcut slots that the field can use.
enum ShortcutKind : std::uint8_t { kShortcutMagic = 1, kShortcutItem = 2 };

bool ButtonHeld(int button)
{
    return ZephKeyInput != nullptr && ZephKeyInput->IsButtonHold(static_cast<std::uint8_t>(button));
}

} // namespace

void CMapCharacter::InitMapCharacter()
{
    static_assert(std::is_trivially_copyable_v<CMapCharacter>, "the part is cleared with memset");
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    depth = kPlayerDepth;
    // Opaque from the start: only a transfer fades the player out and back,
    // and a new game or a load enters the field without one.
    spriteColour = 0xFFFFFFFFu;
    transferStage = 1;
    restartMusic = 1;
    startPendingEvent = 1;
    arrivalCheck = 1;
}

// ----------------------------------------------------------------------------
// One frame of walking

void CMapCharacter::UpdateMapCharacter()
{
    if (!TheMap->HasMap())
        return;
    // The field menu.
    const int pushed = ZephKeyInput != nullptr ? ZephKeyInput->GetButtonPushMask(kButtonCount) : 0;
    const bool shifted = ButtonHeld(kButtonShift);
    if ((pushed & 1 << kButtonMenu) && !shifted) {
        MapSceneState = MAP_SCENE_MENU;
        TheMapMenu->SetMapMenuMode(0);
        return End();
    }
    if ((pushed & 1 << kButtonMenu) && shifted)
        TheGameData->CycleMapHudMode();
    else if (pushed & 1 << kButtonLeader)
        TheCharacter->CycleLeader(1);
    else if ((pushed & 1 << kButtonRun) && shifted)
        TheCharacter->TogglePartyFlag30(1);
    if (balloonState != kBalloonNone && ++balloonCounter >= kBalloonFrames)
        balloonState = kBalloonNone;
    if (TheEvent->UpdateFieldGimmicks(true)) {
        balloonState = kBalloonNone;
        return;
    }
    // Contacts on arrival come before anything moves.
    if (arrivalCheck) {
        arrivalCheck = 0;
        if (TestContacts())
            return;
    }
    TheObject->UpdateMapObjects();
    if (TestContacts())
        return;
    UseShortcut(pushed, shifted);
    // 8., 9.
    if (movementMode == kStanding) {
        if (pushed & 1 << kButtonConfirm) {
            int x = cellX;
            int y = cellY;
            if (TheGameData->StepMapPosition(x, y, facing) &&
                (TheEvent->CheckStepOnEvent(x, y) || TheEvent->CheckStepOnEvent(cellX, cellY)))
                return End();
        }
        const int direction = HeldDirection();
        if (direction >= 0) {
            pose = static_cast<std::int8_t>(direction * 4);
            facing = static_cast<std::int8_t>(direction);
            const float point[2] = {screenX, screenY};
            if (!AtScreenBorder(direction) && TheMap->CanEnterCell(direction, point, true))
                StartWalking(direction);
        }
    } else if (movementMode == kStepping) {
        MoveOneStep();
    }
    End();
}

// True when a contact ended the frame: a moving object ran into the player
// or the player touched an enemy symbol.
bool CMapCharacter::TestContacts()
{
    if (TheObject->CheckObjectHitsPlayer()) {
        balloonState = kBalloonNone;
        return true;
    }
    if (MapSymbolRecord* symbol = TheObject->FindTouchedSymbol()) {
        TheEncountEffect->StartEncountEffect(symbol, true);
        return true;
    }
    return false;
}

bool CMapCharacter::UseShortcut(int pushed, bool shifted)
{
    for (int k = 0; k < kShortcutCount; ++k) {
        if (!(pushed & 1 << (kButtonFirstShortcut + k)))
            continue;
        const QuickSlot entry = TheCharacter->quickSlots[shifted ? 1 : 0][k];
        bool used = false;
        if (entry.kind == kShortcutItem) {
            if (entry.id >= 0 && entry.id < kItemKinds && TheGameData->heldItems[entry.id] > 0)
                used = TheGameData->UseFieldItem(entry.id, 0, true, true);
        } else if (entry.kind == kShortcutMagic) {
            used = TheGameData->UseFieldMagic(entry.id, 0, true);
        }
        if (used)
            TheMapMenu->ApplyMapRestoreFlags();
        else
            PlaySoundEffect(kRefusedSound);
        return used;
    }
    return false;
}

// Left wins over right only when right is not held too; left and right
// together give no sideways move.
int CMapCharacter::HeldDirection() const
{
    if (ZephKeyInput == nullptr)
        return -1;
    const bool left = ZephKeyInput->IsLeftHold();
    const bool right = ZephKeyInput->IsRightHold();
    if (left && !right)
        return DIRECTION_LEFT;
    if (right && !left)
        return DIRECTION_RIGHT;
    if (ZephKeyInput->IsUpHold())
        return DIRECTION_UP;
    if (ZephKeyInput->IsDownHold())
        return DIRECTION_DOWN;
    return -1;
}

bool CMapCharacter::AtScreenBorder(int direction) const
{
    switch (direction) {
    case DIRECTION_LEFT:
        return !(screenX > 0.0f);
    case DIRECTION_RIGHT:
        return !(screenX < kRightBorder);
    case DIRECTION_UP:
        return !(screenY > 0.0f);
    case DIRECTION_DOWN:
        return !(screenY < kBottomBorder);
    default:
        return true;
    }
}

bool CMapCharacter::ReadRunning() const
{
    return ButtonHeld(kButtonRun) != (TheGameData->autoRun != 0);
}

void CMapCharacter::StartWalking(int)
{
    movementMode = kStepping;
    stepCounter = 0;
    running = ReadRunning() ? 1 : 0;
    MoveOneStep();
}

// ----------------------------------------------------------------------------
// Steps

void CMapCharacter::MoveOneStep()
{
    const bool pushing = TheEvent->IsPushingBlock();
    const bool fast = running && !pushing;
    const float speed = static_cast<float>(fast ? kRunSpeed : kWalkSpeed);
    MovePlayerScreenPos(facing, speed);
    switch (facing) {
    case DIRECTION_UP:
        mapY -= speed;
        break;
    case DIRECTION_LEFT:
        mapX -= speed;
        break;
    case DIRECTION_DOWN:
        mapY += speed;
        break;
    case DIRECTION_RIGHT:
        mapX += speed;
        break;
    default:
        break;
    }
    if (mapX < 0.0f)
        mapX += TheMap->mapExtentX;
    else if (mapX >= TheMap->mapExtentX)
        mapX -= TheMap->mapExtentX;
    if (mapY < 0.0f)
        mapY += TheMap->mapExtentY;
    else if (mapY >= TheMap->mapExtentY)
        mapY -= TheMap->mapExtentY;
    TheMap->ScrollView();
    if (pushing)
        TheObject->CheckSymbolContact();
    stepCounter += fast ? 2 : 1;
    if (stepCounter == kPushTakeOff && pushing) {
        TheEvent->BeginPushMove();
        return;
    }
    if (stepCounter >= kStepLength) {
        UpdatePlayerCell();
        if (pushing)
            TheEvent->FinishPushBlock();
        if (MapSceneState == MAP_SCENE_WALK && RunStepChecks())
            return;
        if (SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK)
            ContinueWalking();
        else
            Stop();
        return;
    }
    const int frame = floorMode == kFloorNormal ? 1 + (stepCounter % 16) / 8 : 0;
    pose = static_cast<std::int8_t>(facing * 4 + frame);
}

// What happens on arriving at a cell; true ends the walk there.
bool CMapCharacter::RunStepChecks()
{
    if (TheEvent->CheckTrapOnArrival())
        return true;
    TheEvent->OperateSwitchAt(cellX, cellY);
    if (SceneState != SCENE_FIELD || MapSceneState != MAP_SCENE_WALK)
        return false;
    TheEvent->StartTouchEvents(cellX, cellY);
    if (SceneState == SCENE_GAME_OVER)
        return true;
    if (SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK)
        TheCharacter->RollPartyStockRegen();
    return false;
}

void CMapCharacter::ContinueWalking()
{
    StepInDirection(floorMode == kFloorNormal ? HeldDirection() : forcedDirection);
}

void CMapCharacter::StepInDirection(int direction)
{
    if (direction < 0) {
        Stop();
        return;
    }
    const std::int8_t previousFacing = facing;
    pose = static_cast<std::int8_t>(direction * 4);
    facing = static_cast<std::int8_t>(direction);
    const float point[2] = {screenX, screenY};
    if (!AtScreenBorder(direction) && TheMap->CanEnterCell(direction, point, floorMode != kFloorArrow)) {
        if (floorMode == kFloorNormal)
            running = ReadRunning() ? 1 : 0;
        else if (floorMode == kFloorArrow)
            running = 1;
        stepCounter = 0;
        pose = static_cast<std::int8_t>(direction * 4 + (floorMode == kFloorNormal ? 2 : 0));
        return;
    }
    if (floorMode == kFloorArrow)
        facing = previousFacing;
    Stop();
}

void CMapCharacter::Stop()
{
    stepCounter = 0;
    pose = static_cast<std::int8_t>(facing * 4);
    movementMode = kStanding;
    running = 0;
}

void CMapCharacter::UpdatePlayerCell()
{
    const int width = TheMap->Width();
    const int height = TheMap->Height();
    cellX = static_cast<int>(screenX) / kCellSize + static_cast<int>(TheMap->scrollX) / kCellSize;
    cellY = static_cast<int>(screenY) / kCellSize + static_cast<int>(TheMap->scrollY) / kCellSize;
    if (cellX >= width)
        cellX -= width;
    if (cellY >= height)
        cellY -= height;
    if (cellX < 0 || cellX >= width || cellY < 0 || cellY >= height) {
        floorMode = kFloorNormal;
        return;
    }
    int arrow = -1;
    if (TheMap->IsTilePanel(cellX, cellY)) {
        floorMode = kFloorSliding;
        forcedDirection = facing;
    } else if ((arrow = TheEvent->GetArrowFloorDirection(cellX, cellY)) >= 0) {
        floorMode = kFloorArrow;
        forcedDirection = static_cast<std::int8_t>(arrow);
    } else {
        floorMode = kFloorNormal;
    }
    if (TheMap->puzzleActive)
        TheMap->StepOnTilePanel(cellX, cellY);
}

// ----------------------------------------------------------------------------
// Placing and moving

void CMapCharacter::PlacePlayer(int x, int y, int direction, int)
{
    screenX = static_cast<float>(x * kCellSize) - TheMap->scrollX;
    if (screenX < 0.0f)
        screenX += TheMap->mapExtentX;
    screenY = static_cast<float>(y * kCellSize) - TheMap->scrollY;
    if (screenY < 0.0f)
        screenY += TheMap->mapExtentY;
    if (direction != -1)
        facing = static_cast<std::int8_t>(direction);
    Stop();
    UpdatePlayerCell();
    drawnPose = pose;
    mapX = static_cast<float>(cellX * kCellSize);
    mapY = static_cast<float>(cellY * kCellSize);
    balloonState = kBalloonNone;
}

void CMapCharacter::MovePlayerScreenPos(int direction, float amount)
{
    switch (direction) {
    case DIRECTION_UP:
        screenY -= amount;
        break;
    case DIRECTION_LEFT:
        screenX -= amount;
        break;
    case DIRECTION_DOWN:
        screenY += amount;
        break;
    case DIRECTION_RIGHT:
        screenX += amount;
        break;
    default:
        break;
    }
}

void CMapCharacter::ForcePlayerMove(int direction)
{
    floorMode = kFloorArrow;
    forcedDirection = static_cast<std::int8_t>(direction);
    movementMode = kStepping;
    StepInDirection(direction);
}

void CMapCharacter::SavePlayerPosition()
{
    TheGameData->playerMap = TheMap->GetMapNumber();
    TheGameData->playerX = cellX;
    TheGameData->playerY = cellY;
    TheGameData->playerFacing = static_cast<std::uint8_t>(pose / 4);
}

void CMapCharacter::SetPlayerStandPose()
{
    pose = static_cast<std::int8_t>(pose / 4 * 4 + 3);
    drawnPose = pose;
}

void CMapCharacter::GameOverFromMap()
{
    TheGameOverEffect->StartGameOver(false, false);
}

void CMapCharacter::SetPlayerStateA(int member)
{
    balloonState = kBalloonLeader;
    balloonMember = static_cast<std::uint8_t>(member & 3);
    balloonCounter = 0;
}

void CMapCharacter::SetPlayerStateB()
{
    balloonState = kBalloonPartyFlag;
    balloonCounter = 0;
}

// ----------------------------------------------------------------------------
// Drawing

void CMapCharacter::DrawMapCharacter()
{
    if (balloonState == kBalloonNone)
        return;
    const int icon = balloonState == kBalloonLeader ? balloonMember % 3 : 3 + (TheCharacter->PartyFlag30() ? 1 : 0);
    const float left = static_cast<float>(static_cast<int>(screenX + TheCharacter->BalloonOffsetX())) - 0.5f;
    const float top = static_cast<float>(static_cast<int>(screenY - TheCharacter->BalloonOffsetY())) - 0.5f;
    const std::uint32_t colour = FadeInAlphaColor(32, balloonCounter, 16);
    for (int i = 0; i < 4; ++i) {
        balloonQuad[i].x = left + (i & 1 ? kBalloonSize : 0.0f);
        balloonQuad[i].y = top + (i & 2 ? kBalloonSize : 0.0f);
        balloonQuad[i].z = kBalloonDepth;
        balloonQuad[i].rhw = 1.0f;
        balloonQuad[i].colour = colour;
        balloonQuad[i].u = TheCharacter->BalloonU(icon)[i];
        balloonQuad[i].v = TheCharacter->BalloonV()[i];
    }
    CTexture* texture = TheCharacter->BalloonTexture();
    SetCachedTexture(texture != nullptr ? GetTextureHandle(*texture) : nullptr);
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(balloonQuad, sizeof(TexturedVertex));
}

void CMapCharacter::DrawScreenRect(std::uint32_t colour, float z)
{
    ColouredVertex quad[4];
    for (int i = 0; i < 4; ++i) {
        quad[i].x = (i & 1 ? SCREEN_WIDTH : 0.0f) - 0.5f;
        quad[i].y = (i & 2 ? SCREEN_HEIGHT : 0.0f) - 0.5f;
        quad[i].z = z;
        quad[i].rhw = 1.0f;
        quad[i].colour = colour;
    }
    D3DDevice->SetTexture(0, nullptr);
    CurrentTexture = nullptr;
    SetCachedFvf(FVF_COLOURED);
    DrawQuadStrip(quad, sizeof(ColouredVertex));
}
