// The player's walker on the field: buttons, cell-by-cell movement with
// collision, running, sliding floors, the view following, contacts with
// events and enemy symbols, shortcuts, the field-menu request and the small
// balloon icon over the player. The player's sprite itself is drawn by the
// map draw-order list.
#pragma once

#include <cstdint>

#include "core/FadeInAlphaColor.h"
#include "field/event/MapChange.h"
#include "media/Texture.h"

// Where a transfer from the field menu leads.
enum MenuTransferKind : int {
    TRANSFER_TO_WARP_POINT = 0,  // a warp point the party knows
    TRANSFER_TO_SAVED_PLACE = 1, // the position of the last save or load
    TRANSFER_BACK = 2,           // the return point an event recorded
};

// Field directions.
enum FieldDirection : int {
    DIRECTION_UP = 0,
    DIRECTION_LEFT = 1,
    DIRECTION_DOWN = 2,
    DIRECTION_RIGHT = 3,
};

class CMapCharacter {
public:
    // Buttons of the input object.
    static constexpr int kButtonConfirm = 0;
    static constexpr int kButtonRun = 1;
    static constexpr int kButtonMenu = 2;
    static constexpr int kButtonLeader = 3;
    static constexpr int kButtonFirstShortcut = 4;
    static constexpr int kShortcutCount = 6;
    static constexpr int kButtonShift = 10;
    static constexpr int kButtonCount = 11;

    // Movement modes.
    static constexpr int kStanding = 0;
    static constexpr int kStepping = 1;
    // Floor modes.
    static constexpr int kFloorNormal = 0;
    static constexpr int kFloorSliding = 1;
    static constexpr int kFloorArrow = 2;
    // Balloon states.
    static constexpr int kBalloonNone = 0;
    static constexpr int kBalloonLeader = 1;
    static constexpr int kBalloonPartyFlag = 2;
    static constexpr int kBalloonFrames = 48;

    void InitMapCharacter();
    void UpdateMapCharacter();
    // The field menu's transfers: the player fades out, the map change runs,
    // the player fades back in (a warp point); `index` is the warp point.
    void StartMenuTransfer(int index, int kind);
    void UpdateMenuTransfer();

    void PlacePlayer(int x, int y, int direction, int unused);
    void MovePlayerScreenPos(int direction, float amount);
    void ForcePlayerMove(int direction);
    void SavePlayerPosition();
    void SetPlayerStandPose();
    void GameOverFromMap();
    bool IsPlayerStanding() const { return movementMode == kStanding; }
    void SetPlayerStateA(int member);
    void SetPlayerStateB();
    void ClearBalloonState() { balloonState = kBalloonNone; }
    void SetArrivalCheck() { arrivalCheck = 1; }
    // A map change stops the walk under way and shows the standing pose.
    void ResetPlayerMove() { Stop(); }
    void SettlePlayerPose() { End(); }
    void UpdatePlayerCell();

    void DrawMapCharacter();
    static void DrawScreenRect(std::uint32_t colour, float depth);

    std::int32_t cellX, cellY;
    TexturedVertex balloonQuad[4];
    float screenX, screenY, depth;
    float mapX, mapY;
    std::uint32_t spriteColour;
    std::int32_t transferStage;
    std::int32_t stepCounter;
    std::int32_t transferFrames;
    std::int32_t transferRequest[mapchange::kBlockWords];
    // Set by the update to run the scene update again in the same frame.
    std::uint8_t RerunUpdate;

    // The state word's fields.
    std::uint8_t balloonCounter;
    std::int8_t pose;      // direction × 4 + frame
    std::int8_t drawnPose; // the pose the draw-order list shows
    std::int8_t movementMode;
    std::uint8_t balloonMember;
    std::uint8_t fadeBackIn;
    std::uint8_t targetDiffers;
    std::uint8_t restartMusic;
    std::uint8_t startPendingEvent;
    std::uint8_t sameMapReload;
    std::uint8_t handedOver; // the transition scene took the move over
    std::uint8_t floorMode;
    std::uint8_t arrivalCheck;
    std::uint8_t running;
    std::uint8_t balloonState;
    // The direction word.
    std::int8_t facing;
    std::int8_t forcedDirection;

private:
    bool TestContacts();
    bool UseShortcut(int pushed, bool shifted);
    int HeldDirection() const;
    bool AtScreenBorder(int direction) const;
    bool ReadRunning() const;
    void StartWalking(int direction);
    void MoveOneStep();
    bool RunStepChecks();
    void ContinueWalking();
    void StepInDirection(int direction);
    void Stop();
    void End() { drawnPose = pose; }
    void UpdateFieldDuringTransfer();
    void WaitBeforeFading();
    void FadePlayerOut();
    void RunTransferMapChange();
    void FadePlayerBackIn();
    void EndMenuTransfer(bool startEvent);
};
