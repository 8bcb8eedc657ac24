// The choice window of the choice and floor-list commands: where it stands,
// the cursor that starts on no row, and branching by the chosen row.
#include <algorithm>

#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/event/Event.h"
#include "media/FixedWindowSet.h"
#include "media/PlaySE.h"
#include "menu/MenuServices.h"

namespace {

constexpr const char* kSource = "Event";
constexpr int kMeasureLine = 2275;
constexpr int kConfirmButton = 0;
constexpr int kCancelButton = 1;
// The window stands on the message window.
constexpr float kChoiceLeft = 46.0f;
constexpr float kChoiceBottom = 336.0f;
constexpr float kChoiceTopForNoRows = 318.0f;
constexpr float kRowPitch = 26.0f;
constexpr float kRightMargin = 66.0f;
constexpr float kTextInset = 10.0f;
constexpr float kBorder = 2.0f;

// The bob of the cursor over a 45-frame cycle: 0 px for 7 frames, 1 for 10, 2 for 13, 3 for 15.
void StepBob(std::int32_t& counter, float& bob)
{
    ++counter;
    if (counter == 7)
        bob = 1.0f;
    else if (counter == 17)
        bob = 2.0f;
    else if (counter == 30)
        bob = 3.0f;
    else if (counter >= 45) {
        bob = 0.0f;
        counter = 0;
    }
}

} // namespace

void CEvent::KeepMessageForWindow(int colourArg, int lengthArg)
{
    // Right after a message the window keeps it; otherwise it shows a blank line.
    if (PrevOpcode == OP_MESSAGE || PrevOpcode == OP_MESSAGE_ARG) {
        Args[colourArg] = PrevOpcode == OP_MESSAGE_ARG ? static_cast<std::int32_t>(textColour) : -1;
    } else {
        Args[colourArg] = -1;
        MessageText[0] = u' ';
        MessageText[1] = 0;
        expandedLength = 1;
    }
    Args[lengthArg] = expandedLength;
}

bool CEvent::StartChoice()
{
    if (Opcode == OP_CHOICE) {
        Args[kChoiceConfirmSound] = 1;
        Args[kChoiceCancelAllowed] = 0;
        Args[kChoiceCancelLabel] = 0;
        const int units = std::min(messageTextUnits, kMessageUnits - 1);
        for (int i = 0; i < units; ++i)
            ChoiceText[i] = static_cast<char16_t>(MessageTextPos[2 * i] | MessageTextPos[2 * i + 1] << 8);
        ChoiceText[units] = 0;
        Args[kChoiceTextLength] = units;
    } else {
        FloorWarpChoices(Args[0]);
    }
    if (TheMapMenu != nullptr)
        TheMapMenu->ResetKeyRepeat();
    Args[kChoiceMarker] = -1;
    Args[kChoiceCursor] = -1;
    choiceBob = 0.0f;
    KeepMessageForWindow(kKeptColour, kKeptLength);
    int width = 0;
    if (ZephTextTexture != nullptr) {
        width = ZephTextTexture->GetStringWidth(ChoiceText, Args[kChoiceTextLength]);
        if (width == -1) {
            REPORT_ERROR(kSource, kMeasureLine, ERROR_TEXTURE_LOAD);
            throw 0;
        }
    }
    Args[kChoiceTextWidth] = width;
    LayoutChoiceWindow(Args[kChoiceRows], width);
    return true;
}

void CEvent::LayoutChoiceWindow(int rows, int textWidth)
{
    const float top = kChoiceTopForNoRows - kRowPitch * static_cast<float>(rows);
    CFixedWindowSet::BuildWindowFrame(choiceFrame, kChoiceLeft, top, static_cast<float>(textWidth) + kRightMargin,
                                      kChoiceBottom, kBorder);
    choiceTextX = kChoiceLeft + kTextInset;
    choiceTextY = top + kTextInset;
}

void CEvent::MoveChoiceCursor(int direction)
{
    const int rows = Args[kChoiceRows];
    int& row = Args[kChoiceCursor];
    if (row < 0) {
        if (direction != MENU_DOWN && direction != MENU_UP)
            return;
        ThePlaySE->PlaySoundEffect(SE_CURSOR);
        Args[kChoiceMarker] = -1;
        row = direction == MENU_DOWN ? 0 : rows - 1;
    } else {
        switch (direction) {
        case MENU_LEFT:
        case MENU_RIGHT: {
            const int end = direction == MENU_LEFT ? 0 : rows - 1;
            if (row != end)
                ThePlaySE->PlaySoundEffect(SE_CURSOR);
            row = end;
            break;
        }
        case MENU_UP:
            ThePlaySE->PlaySoundEffect(SE_CURSOR);
            row = row == 0 ? rows - 1 : row - 1;
            break;
        default:
            ThePlaySE->PlaySoundEffect(SE_CURSOR);
            row = row == rows - 1 ? 0 : row + 1;
            break;
        }
    }
    choiceCursorY = kRowPitch * static_cast<float>(row) + choiceTextY + 1.0f;
}

void CEvent::UpdateChoice()
{
    if (TheMapMenu != nullptr)
        TheMapMenu->UpdateKeyRepeat();
    if (ZephKeyInput->IsButtonPush(kConfirmButton)) {
        const int row = Args[kChoiceCursor];
        if (row < 0) {
            ThePlaySE->PlaySoundEffect(SE_REFUSE);
            choiceBob = 0.0f;
            Args[kChoiceMarker] = 0;
            if (TheMapMenu != nullptr)
                TheMapMenu->ResetKeyRepeat();
            return;
        }
        if (Args[kChoiceConfirmSound] != 0)
            ThePlaySE->PlaySoundEffect(SE_CONFIRM);
        if (row == 0)
            NextEventCommand(true);
        else
            JumpToEventLabel(Args[row]);
        return;
    }
    if (Args[kChoiceCancelAllowed] != 0 && ZephKeyInput->IsButtonPush(kCancelButton)) {
        ThePlaySE->PlaySoundEffect(SE_CANCEL);
        JumpToEventLabel(Args[kChoiceCancelLabel]);
        return;
    }
    const int pushed = ZephKeyInput->GetDirectionPush();
    CMapMenu* menu = TheMapMenu;
    if (pushed & MENU_PUSH_DOWN) {
        if (menu != nullptr)
            menu->StartKeyRepeat(MENU_DOWN);
        MoveChoiceCursor(MENU_DOWN);
    } else if (pushed & MENU_PUSH_UP) {
        if (menu != nullptr)
            menu->StartKeyRepeat(MENU_UP);
        MoveChoiceCursor(MENU_UP);
    } else if (pushed & MENU_PUSH_RIGHT) {
        if (menu != nullptr)
            menu->ResetKeyRepeat();
        MoveChoiceCursor(MENU_RIGHT);
    } else if (pushed & MENU_PUSH_LEFT) {
        if (menu != nullptr)
            menu->ResetKeyRepeat();
        MoveChoiceCursor(MENU_LEFT);
    } else if (menu != nullptr && menu->repeatCounters[MENU_DOWN] == MENU_REPEAT_POINT) {
        MoveChoiceCursor(MENU_DOWN);
    } else if (menu != nullptr && menu->repeatCounters[MENU_UP] == MENU_REPEAT_POINT) {
        MoveChoiceCursor(MENU_UP);
    }
    StepBob(Args[kChoiceMarker], choiceBob);
}
