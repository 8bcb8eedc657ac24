// The map change's steps: hand over to the transition, or pause, darken,
// move or load half-way while the screen is dark, brighten and settle.
#include "field/event/MapChange.h"

#include <string>

#include "core/ContentWarning.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "field/DrawSortObject.h"
#include "field/FieldServices.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/MapNameEffect.h"
#include "field/ScreenEffect.h"
#include "field/event/Event.h"
#include "media/PlayBGM.h"

using namespace mapchange;

namespace {

constexpr int kFullBrightness = 255;
constexpr int kFirstWorkingWord = Step;

void RefuseMapChange(std::int32_t* block, const std::string& why)
{
    WarnContent("Event", "map change to map " + std::to_string(block[Map]) + " refused: " + why);
    block[Loaded] = kRefused;
}

bool GoesThroughTransition(const std::int32_t* block)
{
    const bool otherMap = block[Map] != TheMap->GetMapNumber();
    return (otherMap && block[Reload] == 0 && block[Quick] == 0) || block[NewPlace] != 0;
}

bool KeepsMusic(const std::int32_t* block)
{
    return block[Quick] != 0 && (block[KeepMusic] & 1) != 0;
}

int BeginMapChange(std::int32_t* block, bool eventSwitch, bool mapSwitch)
{
    TheMapNameEffect->StopMapNameEffect();
    // Nothing has changed yet, so a map the pack cannot hold simply ends the move.
    if (block[Map] < 0 || block[Map] >= MAP_COUNT) {
        RefuseMapChange(block, "no such map");
        return kHandedOver;
    }
    if (GoesThroughTransition(block)) {
        TheMapCharacter->SettlePlayerPose();
        SceneState = SCENE_MAP_CHANGE;
        TheScreenEffect->StartMapChange(block[Map], block[Column], block[Row], block[Facing], eventSwitch,
                                        block[NewPlace] != 0);
        return kHandedOver;
    }
    if (block[Reload] != 0 && SceneState == SCENE_FIELD && mapSwitch)
        ThePlayBGM->FadeOut(BGM_FIELD_TRACK, kReloadFadeMs);
    else if (block[Quick] != 0 && block[Map] != TheMap->GetMapNumber() && !KeepsMusic(block))
        ThePlayBGM->FadeOut(BGM_FIELD_TRACK, kQuickFadeMs);
    block[Step] = 1;
    return kRunning;
}

void MoveWithinMap(std::int32_t* block)
{
    const int column = block[Column];
    const int row = block[Row];
    if (!TheMap->Header().HasCell(column, row)) {
        RefuseMapChange(block,
                        "the cell (" + std::to_string(column) + ", " + std::to_string(row) + ") is not on the map");
        return;
    }
    // A push under way is called off: the block stays on its cell and counts there again.
    TheEvent->CancelPushBlock();
    TheMap->CentreViewOnCell(column, row);
    TheMapCharacter->PlacePlayer(column, row, block[Facing], 0);
    TheMap->UpdateScrollCells();
    TheDrawSortObject->MakeMapSortList();
}

void LoadTargetMap(std::int32_t* block, bool mapSwitch)
{
    int size = 0;
    unsigned char* blob = LoadPendingMap(block[Map], &size);
    if (blob == nullptr) {
        RefuseMapChange(block, "the pack holds no usable map data for it");
        return;
    }
    if (!EnterLoadedMap(blob, size, block[Column], block[Row], block[Facing], mapSwitch, block[NewPlace] != 0)) {
        RefuseMapChange(block, "its data or the target cell (" + std::to_string(block[Column]) + ", " +
                                   std::to_string(block[Row]) + ") do not fit");
        return;
    }
    block[Loaded] = 1;
    if ((mapSwitch || TheMap->GetMapNumber() != block[Map]) && !KeepsMusic(block))
        ThePlayBGM->LoadTune(BGM_FIELD_TRACK, TheMap->GetFieldTune(), true);
}

void SwapMap(std::int32_t* block, bool mapSwitch)
{
    if (block[Reload] == 0 && block[Map] == TheMap->GetMapNumber())
        MoveWithinMap(block);
    else
        LoadTargetMap(block, mapSwitch);
}

void ShowBrightness(const std::int32_t* block)
{
    if (block[Quick] == 0)
        SetDrawBrightness(block[Brightness]);
}

int FadeStep(const std::int32_t* block)
{
    return block[Quick] != 0 ? kQuickFadeStep : kFadeStep;
}

} // namespace

void PrepareMapChange(std::int32_t* block, bool facingFromScript, bool quick, bool thirdSwitch, bool keepMusic)
{
    TheMapCharacter->ResetPlayerMove();
    TheMapCharacter->SetArrivalCheck();
    // Callers with blocks of their own may hold anything in the working words.
    for (int word = kFirstWorkingWord; word < kBlockWords; ++word)
        block[word] = 0;
    block[Brightness] = kFullBrightness;
    block[Quick] = quick ? 1 : 0;
    block[ThirdSwitch] = thirdSwitch ? 1 : 0;
    block[KeepMusic] = keepMusic ? 1 : 0;
    if (facingFromScript) {
        const int scriptFacing = block[Facing];
        // 0 keeps the facing, and so does a value no pose could show.
        block[Facing] = scriptFacing >= 1 && scriptFacing <= 4 ? scriptFacing - 1 : -1;
    }
}

int ChangeMap(std::int32_t* block, bool eventSwitch, bool mapSwitch)
{
    switch (block[Step]) {
    case 0:
        return BeginMapChange(block, eventSwitch, mapSwitch);
    case 1:
        if (++block[Pause] > kPauseFrames) {
            block[Step] = 2;
            block[Brightness] = kFullBrightness;
        }
        return kRunning;
    case 2:
        block[Brightness] -= FadeStep(block);
        if (block[Brightness] <= 0) {
            block[Brightness] = 0;
            block[Step] = 3;
        }
        ShowBrightness(block);
        return kRunning;
    case 3:
        if (block[Frame] == kSwapFrame)
            SwapMap(block, mapSwitch);
        if (block[Frame] == kLastSwapFrame) {
            block[Step] = 4;
            block[Brightness] = 0;
        } else {
            ++block[Frame];
        }
        return kRunning;
    case 4:
        block[Brightness] += FadeStep(block);
        if (block[Brightness] > 254) {
            block[Brightness] = kFullBrightness;
            block[Step] = 5;
        }
        ShowBrightness(block);
        return kRunning;
    case 5:
        if (block[Settle] > kSettleFrames) {
            SetDrawBrightness(kFullBrightness);
            // A refused move ends the event: the script was written for the other place.
            return block[Loaded] == kRefused ? kHandedOver : kDone;
        }
        ++block[Settle];
        return kRunning;
    default:
        return kRunning;
    }
}
