#include "title/Title.h"

#include <new>

#include "record/Config.h"
#include "field/FieldServices.h"
#include "record/Pipkorn.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/TextArguments.h"
#include "menu/MenuServices.h"
#include "media/BgmTuneTable.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "core/ZephGlobals.h"
#include "core/PackCatalogue.h"

namespace {

constexpr const char* kSource = "Title";

constexpr float kPictureTexels[4] = {0.0f, 0.0f, 160.0f, 120.0f};

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kGreyText = 0xFF808080u;
constexpr std::int32_t kFullLevel = 255;
constexpr std::int32_t kLevelStep = 8;

constexpr float kRowPitch = 26.0f;

constexpr const char16_t kMenuText[] = u"最初から\nロード\nゲーム終了";

constexpr unsigned kMusicFadeOutMs = 500;

// Where a new game starts.
constexpr int kNewGameMap = 0;
constexpr int kNewGameCellX = 9;
constexpr int kNewGameCellY = 2;
constexpr int kNewGameDirection = 0;

std::uint32_t Grey(std::int32_t level)
{
    return kBlack + static_cast<std::uint32_t>(level) * 0x010101u;
}

bool ConfirmPushed()
{
    return ZephKeyInput->IsButtonPush(0);
}

bool CancelPushed()
{
    return ZephKeyInput->IsButtonPush(1);
}

const CFixedWindowSet::Rect& WindowRect(int window)
{
    return TheFixedWindowSet->windowRects[window];
}

} // namespace

void CTitle::InitTitle()
{
    picture = nullptr;
    const float left = -0.5f;
    const float top = -0.5f;
    const float right = 639.5f;
    const float bottom = 479.5f;
    const float xs[4] = {left, right, left, right};
    const float ys[4] = {top, top, bottom, bottom};
    for (int corner = 0; corner < 4; ++corner)
        pictureQuad[corner] = {xs[corner], ys[corner], 1.0f, 1.0f, kWhite, 0.0f, 0.0f};
    textPosition[0] = textPosition[1] = textPosition[2] = 0.0f;
    menuState = leaveStep = openingStep = 0;
    pictureColour = 0;
    leaveLevel = leaveCounter = openingCounter = fadeStep = 0;
    openingLevel = kFullLevel;
    menuCursor = slotCursor = confirmCursor = 0;
    pictureReady = false;
    RerunUpdate = 0;
}

void CTitle::ReleaseTitle()
{
    DeletePicture();
}

void CTitle::DeletePicture()
{
    delete picture;
    picture = nullptr;
    pictureReady = false;
}

void CTitle::LayoutTitleWindows()
{
    const auto& topMenu = WindowRect(MENU_TOP_WINDOW);
    const auto& slotList = WindowRect(MENU_SLOT_WINDOW);
    const auto& slotConfirm = WindowRect(MENU_SLOT_CONFIRM_WINDOW);
    const float shift = static_cast<float>(static_cast<int>((topMenu.right - topMenu.left) / 2.0f));

    auto& menu = TheFixedWindowSet->windowRects[TITLE_MENU_WINDOW];
    menu = {30.0f, 20.0f, 2.0f * 2.0f + 30.0f + 16.0f + 110.0f, 2.0f * 2.0f + 20.0f + 16.0f + 72.0f + 4.0f};
    textPosition[0] = menu.left + 10.0f;
    textPosition[1] = menu.top + 10.0f;
    textPosition[2] = 0.299f;

    auto& load = TheFixedWindowSet->windowRects[TITLE_LOAD_WINDOW];
    load.left = 30.0f + shift;
    load.top = 20.0f;
    load.right = load.left + (slotList.right - slotList.left);
    load.bottom = load.top + (slotList.bottom - slotList.top);

    auto& confirm = TheFixedWindowSet->windowRects[TITLE_CONFIRM_WINDOW];
    confirm.left = load.left + shift;
    confirm.top = 20.0f;
    confirm.right = confirm.left + (slotConfirm.right - slotConfirm.left);
    confirm.bottom = confirm.top + (slotConfirm.bottom - slotConfirm.top);
}

void CTitle::StartScreenFade()
{
    LoadTitlePicture();
    openingStep = 3;
    fadeStep = kLevelStep;
    openingLevel = 0;
    pictureColour = kBlack;
}

void CTitle::LoadTitlePicture()
{
    if (picture != nullptr)
        return;
    pictureReady = false;
    picture = new (std::nothrow) CTexture();
    if (picture == nullptr) {
        REPORT_ERROR(kSource, 580, ERROR_NO_MEMORY);
        return;
    }
    if (!picture->LoadTexture(0, PACK_TITLE_PICTURE))
        return;
    float u[4];
    float v[4];
    picture->RectToUV(kPictureTexels[0], kPictureTexels[1], kPictureTexels[2], kPictureTexels[3], u, v);
    for (int corner = 0; corner < 4; ++corner) {
        pictureQuad[corner].u = u[corner];
        pictureQuad[corner].v = v[corner];
    }
    pictureReady = true;
}

// ----------------------------------------------------------------------------
// The title menu

void CTitle::UpdateTitle()
{
    TheMapMenu->UpdateKeyRepeat();
    switch (menuState) {
    case TITLE_MENU_MAIN:
        UpdateMainMenu();
        break;
    case TITLE_MENU_LOAD:
        UpdateLoadWindow();
        break;
    case TITLE_MENU_CONFIRM:
        UpdateLoadConfirm();
        break;
    default:
        break;
    }
}

void CTitle::UpdateMainMenu()
{
    if (!ConfirmPushed()) {
        TheMapMenu->MoveMenuCursorByKeys(menuCursor, 3);
        TheMapMenu->AnimateMenuCursor();
        return;
    }
    switch (menuCursor) {
    case 0:
        PlaySoundEffect(SE_CONFIRM);
        StartNewGame(true);
        break;
    case 1:
        PlaySoundEffect(SE_CONFIRM);
        OpenTitleMenu(TITLE_MENU_LOAD);
        break;
    default:
        // Quitting plays no sound: the game is closing.
        TheMapMenu->ResetKeyRepeat();
        TheMapMenu->ResetMenuCursorAnimation();
        TheMapMenu->QuitGame();
        break;
    }
}

void CTitle::UpdateLoadWindow()
{
    if (ConfirmPushed()) {
        if (!TheMapMenu->saveSlots[slotCursor].filled) {
            PlaySoundEffect(SE_REFUSE);
            return;
        }
        PlaySoundEffect(SE_CONFIRM);
        OpenTitleMenu(TITLE_MENU_CONFIRM);
    } else if (CancelPushed()) {
        PlaySoundEffect(SE_CANCEL);
        SetTitleMenuState(TITLE_MENU_MAIN);
    } else {
        TheMapMenu->MoveMenuCursorByKeys(slotCursor, SAVE_SLOT_COUNT);
        TheMapMenu->AnimateMenuCursor();
    }
}

void CTitle::UpdateLoadConfirm()
{
    if (ConfirmPushed()) {
        PlaySoundEffect(SE_CONFIRM);
        // A save that fails to load shows its own message; back to the slots.
        if (confirmCursor == 0 && TheSaveFile->LoadGame(slotCursor))
            StartNewGame(false);
        else
            SetTitleMenuState(TITLE_MENU_LOAD);
    } else if (CancelPushed()) {
        PlaySoundEffect(SE_CANCEL);
        SetTitleMenuState(TITLE_MENU_LOAD);
    } else {
        TheMapMenu->MoveMenuCursorByKeys(confirmCursor, 2);
        TheMapMenu->AnimateMenuCursor();
    }
}

void CTitle::OpenTitleMenu(int which)
{
    switch (which) {
    case TITLE_MENU_MAIN: {
        TitleState = TITLE_MENU;
        bool anySave = false;
        for (int slot = 0; slot < SAVE_SLOT_COUNT; ++slot)
            anySave = anySave || TheSaveFile->SaveFileExists(slot);
        menuCursor = anySave ? 1 : 0;
        TheMapMenu->cursorWindow = TITLE_MENU_WINDOW;
        SetTitleMenuState(TITLE_MENU_MAIN);
        openingLevel = kFullLevel;
        pictureColour = kWhite;
        LoadTitlePicture();
        break;
    }
    case TITLE_MENU_LOAD:
        slotCursor = static_cast<std::int8_t>(TheSaveFile->FindLatestSaveSlot());
        TheMapMenu->cursorWindow = TITLE_LOAD_WINDOW;
        SetTitleMenuState(TITLE_MENU_LOAD);
        TheMapMenu->RefreshMenuList(MenuLoadSlot, true);
        if (slotCursor != 0 && !TheMapMenu->saveSlots[slotCursor].filled) {
            slotCursor = 0;
            TheMapMenu->PlaceMenuCursorRow(WindowRect(TITLE_LOAD_WINDOW).top, 0);
        }
        break;
    case TITLE_MENU_CONFIRM: {
        confirmCursor = 0;
        TheMapMenu->cursorWindow = TITLE_CONFIRM_WINDOW;
        auto& confirm = TheFixedWindowSet->windowRects[TITLE_CONFIRM_WINDOW];
        confirm.top = WindowRect(TITLE_LOAD_WINDOW).top + kRowPitch * static_cast<float>(slotCursor);
        confirm.bottom = confirm.top + 2.0f * 2.0f + 16.0f + 48.0f + 2.0f;
        TheFixedWindowSet->SetFixedWindowRect(TITLE_CONFIRM_WINDOW);
        SetTitleMenuState(TITLE_MENU_CONFIRM);
        break;
    }
    default:
        break;
    }
}

void CTitle::SetTitleMenuState(int state)
{
    if (state < TITLE_MENU_MAIN || state > TITLE_MENU_CONFIRM)
        return;
    menuState = state;
    TheMapMenu->ResetMenuCursorAnimation();
    TheMapMenu->ResetKeyRepeat();
    const int window = TITLE_MENU_WINDOW + state;
    const std::int8_t cursors[3] = {menuCursor, slotCursor, confirmCursor};
    TheMapMenu->cursorWindow = window;
    TheMapMenu->PlaceMenuCursorX(WindowRect(window).left);
    TheMapMenu->PlaceMenuCursorRow(WindowRect(window).top, cursors[state]);
}

// ----------------------------------------------------------------------------
// Into the field

void CTitle::StartNewGame(bool newGame)
{
    ThePlayBGM->FadeOut(BGM_FIELD_TRACK, kMusicFadeOutMs);
    TitleState = TITLE_LEAVING;
    RerunUpdate = 0;
    if (newGame)
        TheGameData->NewGameData();
    TheGameData->ResetSessionState();
    EnterFieldMap(newGame);
    leaveStep = 0;
    leaveCounter = 0;
    leaveLevel = kFullLevel;
    pictureColour = kWhite;
}

void CTitle::EnterFieldMap(bool newGame)
{
    // A bad map number or entry is refused before the buffer is replaced.
    const int map = newGame ? kNewGameMap : TheGameData->playerMap;
    if (!LoadMapBlob(map)) {
        REPORT_ERROR(kSource, 376, ERROR_NO_MEMORY);
        throw 0;
    }
    const int cellX = newGame ? kNewGameCellX : TheGameData->playerX;
    const int cellY = newGame ? kNewGameCellY : TheGameData->playerY;
    const int direction = newGame ? kNewGameDirection : TheGameData->playerFacing;
    if (!TheMap->SetMap(MapBlobBuffer, cellX, cellY, -1, -1, direction, false, 0, true, false)) {
        if (ZephError != nullptr)
            ZephError->Error(kSource, 402, ERROR_GENERAL, "マップデータの設定に失敗しました");
        throw 0;
    }
}

void CTitle::UpdateTitleFade()
{
    switch (leaveStep) {
    case 0:
        if (++leaveCounter >= 10) {
            leaveStep = 1;
            leaveLevel = kFullLevel;
            pictureColour = kWhite;
        }
        break;
    case 1:
        leaveLevel -= kLevelStep;
        if (leaveLevel > 0) {
            pictureColour = Grey(leaveLevel);
        } else {
            leaveStep = 2;
            leaveCounter = 0;
            leaveLevel = 0;
            pictureColour = kBlack;
        }
        break;
    case 2:
        if (++leaveCounter >= 30) {
            ThePlayBGM->LoadTune(BGM_FIELD_TRACK, TheMap->GetFieldTune(), false);
            leaveStep = 3;
            leaveCounter = 0;
            leaveLevel = 0;
            pictureColour = kWhite;
            SetDrawBrightness(0);
        }
        break;
    case 3:
        if (leaveLevel < kFullLevel) {
            leaveLevel = leaveLevel + kLevelStep < kFullLevel ? leaveLevel + kLevelStep : kFullLevel;
            SetDrawBrightness(leaveLevel);
        } else if (++leaveCounter >= 11) {
            ThePlayBGM->Play(BGM_FIELD_TRACK);
            DeletePicture();
            SceneState = SCENE_FIELD;
            RerunUpdate = 1;
            TheEvent->StartPendingEvent();
        }
        break;
    default:
        break;
    }
}

// ----------------------------------------------------------------------------
// The opening

void CTitle::UpdateTitleOpening()
{
    switch (openingStep) {
    case 0:
        if (++openingCounter >= 10) {
            openingStep = 1;
            openingLevel = kFullLevel;
            SetDrawBrightness(kFullLevel);
        }
        break;
    case 1:
        openingLevel -= kLevelStep;
        if (openingLevel > 0) {
            SetDrawBrightness(openingLevel);
        } else {
            SetDrawBrightness(kFullLevel);
            openingStep = 2;
            openingCounter = 0;
        }
        break;
    case 2:
        ++openingCounter;
        if (openingCounter == 20)
            LoadTitlePicture();
        if (openingCounter >= 30) {
            ThePlayBGM->LoadTune(BGM_FIELD_TRACK, BGM_TITLE_TUNE, false);
            StartScreenFade();
        }
        break;
    case 3:
        openingLevel += fadeStep;
        if (openingLevel < kFullLevel) {
            pictureColour = Grey(openingLevel);
        } else {
            pictureColour = kWhite;
            openingStep = 4;
            openingCounter = 0;
        }
        break;
    case 4:
        if (++openingCounter >= 11) {
            TheGameData->NewGameData();
            OpenTitleMenu(TITLE_MENU_MAIN);
            ThePlayBGM->Play(BGM_FIELD_TRACK);
        }
        break;
    default:
        break;
    }
}

void CTitle::ReturnToTitle()
{
    ThePlayBGM->FadeOut(BGM_FIELD_TRACK, kMusicFadeOutMs);
    SceneState = SCENE_TITLE;
    MapSceneState = MAP_SCENE_WALK;
    TitleState = TITLE_OPENING;
    openingStep = 0;
    openingLevel = kFullLevel;
    openingCounter = 0;
    SetDrawBrightness(kFullLevel);
}

// ----------------------------------------------------------------------------
// Drawing

void CTitle::DrawTitlePicture()
{
    if (!pictureReady)
        return;
    SetCachedFvf(FVF_TEXTURED);
    SetCachedTexture(GetTextureHandle(*picture));
    for (auto& corner : pictureQuad)
        corner.colour = pictureColour;
    DrawQuadStrip(pictureQuad, sizeof(TexturedVertex));
}

bool CTitle::DrawTitleText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int line)
{
    const float position[3] = {x, y, z};
    int length = 0;
    while (text[length] != 0)
        ++length;
    if (ZephTextTexture->DrawString(position, colour, text, length, kRowPitch, TEXT_NO_WRAP, TEXT_WHOLE, 0))
        return true;
    REPORT_ERROR(kSource, line, ERROR_TEXTURE_LOAD);
    return false;
}

void CTitle::DrawTitle()
{
    DrawTitlePicture();
    TheFixedWindowSet->DrawFixedWindow(TITLE_MENU_WINDOW, menuState == TITLE_MENU_MAIN ? 0 : 1);
    const std::uint32_t menuColour = menuState == TITLE_MENU_MAIN ? kWhite : kGreyText;
    if (!DrawTitleText(textPosition[0], textPosition[1], textPosition[2], menuColour, kMenuText, 423))
        return;
    if (menuState == TITLE_MENU_LOAD) {
        // The slot list leaves its window to us.
        TheFixedWindowSet->DrawFixedWindow(TITLE_LOAD_WINDOW, 0);
        TheMapMenu->DrawSaveSlotWindow(TITLE_LOAD_WINDOW, true, true);
    } else if (menuState == TITLE_MENU_CONFIRM) {
        TheFixedWindowSet->DrawFixedWindow(TITLE_LOAD_WINDOW, 1);
        TheMapMenu->DrawSaveSlotWindow(TITLE_LOAD_WINDOW, false, true);
        TheFixedWindowSet->DrawFixedWindow(TITLE_CONFIRM_WINDOW, 0);
        const auto& confirm = WindowRect(TITLE_CONFIRM_WINDOW);
        if (!DrawTitleText(confirm.left + 10.0f, confirm.top + 10.0f, 0.295f, kWhite, u"ロード", 446))
            return;
        if (!DrawTitleText(confirm.left + 10.0f, confirm.top + 10.0f + kRowPitch, 0.295f, kWhite, u"やめる", 452))
            return;
    }
    TheMapMenu->DrawMenuCursor();
}
