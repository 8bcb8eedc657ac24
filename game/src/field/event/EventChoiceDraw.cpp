// Drawing the choice window: its frame, the rows, the cursor and the message
// kept under it (the shop keeps its message the same way).
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "field/event/Event.h"
#include "media/FixedWindowSet.h"

namespace {

constexpr const char* kSource = "Event";
constexpr int kChoiceDrawLine = 4969;
constexpr int kKeptUnderChoiceLine = 4984;
constexpr int kMessageWindow = 0;
constexpr int kCursorFrame = 1;
constexpr float kRowAdvance = 26.0f;
constexpr float kMessageLineAdvance = 32.0f;
constexpr float kCursorWidth = 20.0f;
constexpr float kCursorGap = 4.0f;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

} // namespace

void CEvent::DrawChoice()
{
    CFixedWindowSet::DrawFixedWindowQuad(choiceFrame, 0);
    if (ZephTextTexture == nullptr)
        return;
    const float origin[3] = {choiceTextX, choiceTextY, BOTTOM_TEXT_DEPTH};
    if (!ZephTextTexture->DrawString(origin, kWhite, ChoiceText, Args[kChoiceTextLength], kRowAdvance,
                                     static_cast<float>(Args[kChoiceTextWidth]), TEXT_WHOLE, 0)) {
        REPORT_ERROR(kSource, kChoiceDrawLine, ERROR_TEXTURE_LOAD);
        return;
    }
    if (Args[kChoiceCursor] >= 0)
        DrawEventSprite(kCursorFrame, choiceTextX - kCursorWidth - kCursorGap + choiceBob, choiceCursorY);
    DrawKeptMessage(kKeptColour, kKeptLength, kKeptUnderChoiceLine);
}

bool CEvent::DrawKeptMessage(int colourArg, int lengthArg, int line)
{
    // A choice or shop after any other command keeps a blank message window.
    if (Args[lengthArg] <= 0 || ZephTextTexture == nullptr)
        return true;
    if (TheFixedWindowSet != nullptr)
        TheFixedWindowSet->DrawFixedWindow(kMessageWindow, 0);
    const std::uint32_t colour = Args[colourArg] == -1 ? kWhite : static_cast<std::uint32_t>(Args[colourArg]);
    if (ZephTextTexture->DrawString(BOTTOM_TEXT_POSITION, colour, MessageText, Args[lengthArg], kMessageLineAdvance,
                                    BOTTOM_TEXT_WIDTH, TEXT_WHOLE, 0))
        return true;
    REPORT_ERROR(kSource, line, ERROR_TEXTURE_LOAD);
    return false;
}
