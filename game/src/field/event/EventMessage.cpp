// The message window: preparing a text (macros, measuring, where the page
// marker goes), typing it out behind a soft wipe, waiting for the confirm
// button, and the texts of the item commands.
#include <algorithm>
#include <string>

#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "field/FieldServices.h"
#include "field/event/Event.h"
#include "field/event/EventGifts.h"
#include "field/event/TextMacro.h"
#include "media/PlaySE.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "Event";
constexpr int kMeasureLine = 2906;
constexpr int kTextSpeedTable[3] = {2560, 12, 6};
constexpr float kLineAdvance = 32.0f;
constexpr int kRevealMargin = 128;
constexpr int kItemIndent = 26;
constexpr float kMarkerGap = 6.0f;
constexpr float kMarkerSize = 20.0f;
constexpr int kSkipButton = 3;
constexpr int kConfirmButton = 0;
constexpr int kGiftSound = 12;
constexpr int kItemTextLimit = 32;

int TextSpeed()
{
    const int option = TheGameData != nullptr ? TheGameData->textSpeed : 1;
    return kTextSpeedTable[std::min(option, 2)];
}

bool TakesOverMessage(int opcode)
{
    return opcode == OP_CHOICE || opcode == OP_SHOP || opcode == OP_FLOOR_CHOICE;
}

// The marker's bob: 0 px for 7 frames, 1 for 10, 2 for 13, 3 for 15.
float MarkerBob(int counter)
{
    if (counter >= 30)
        return 3.0f;
    if (counter >= 17)
        return 2.0f;
    return counter >= 7 ? 1.0f : 0.0f;
}

} // namespace

void CEvent::StartMessage(const char16_t* text, int length, int indent, bool itemText)
{
    sourceLength = length;
    expandedLength = FillMessageText(std::u16string_view(text, static_cast<std::size_t>(length)), MessageText);
    textX = BOTTOM_TEXT_X + static_cast<float>(indent);
    if (Opcode != OP_MESSAGE_ARG)
        textColour = 0xFFFFFFFFu;
    phase = 0;
    revealCounter = -TextSpeed();
    markerCounter = 0;
    typedOnce = 0;
    // 3., 4.
    float pen[2] = {0.0f, 0.0f};
    int advance = 0;
    if (ZephTextTexture != nullptr) {
        advance = ZephTextTexture->MeasureString(MessageText, expandedLength, pen, kLineAdvance, BOTTOM_TEXT_WIDTH);
        if (advance == -1) {
            REPORT_ERROR(kSource, kMeasureLine, ERROR_TEXTURE_LOAD);
            throw 0;
        }
    }
    revealTotal = advance + kRevealMargin;
    // The wipe passes over the icon first.
    if (itemText && indent != 0) {
        revealCounter -= indent;
        pen[0] += static_cast<float>(indent);
    }
    if (pen[0] + kMarkerGap + kMarkerSize > BOTTOM_TEXT_WIDTH) {
        pen[0] = 0.0f;
        pen[1] += kLineAdvance;
    }
    markerX = BOTTOM_TEXT_X + pen[0] + (pen[0] != 0.0f ? kMarkerGap : 0.0f);
    markerY = BOTTOM_TEXT_Y + pen[1] + 1.0f;
    markerBob = 0.0f;
    // A choice or shop right after the message keeps it on screen.
    handOver = 0;
    if (!itemText) {
        const unsigned char* following = ScriptPos + 2 * commandLength;
        DecodedCommand next;
        if (DecodeEventCommand(following, BytesLeftInRecord(following), next) != DecodeFault::None)
            return;
        handOver = TakesOverMessage(next.opcode) ? 1 : 0;
    }
    if (TheGameData != nullptr && TheGameData->textSpeed == 0)
        revealCounter = revealTotal;
}

bool CEvent::StartMessageCommand()
{
    std::u16string text;
    text.reserve(static_cast<std::size_t>(messageTextUnits));
    for (int i = 0; i < messageTextUnits; ++i)
        text += static_cast<char16_t>(MessageTextPos[2 * i] | MessageTextPos[2 * i + 1] << 8);
    iconCategory = -1;
    textColour = Opcode == OP_MESSAGE_ARG ? static_cast<std::uint32_t>(Args[0]) : 0xFFFFFFFFu;
    StartMessage(text.data(), static_cast<int>(text.size()), 0, false);
    return true;
}

void CEvent::UpdateMessage()
{
    if (phase == 0) {
        if (ZephKeyInput != nullptr && ZephKeyInput->IsButtonHold(kSkipButton))
            revealCounter = revealTotal;
        if (revealCounter < revealTotal) {
            revealCounter += TextSpeed();
            typedOnce = 1;
        } else if (!typedOnce) {
            typedOnce = 1;
        } else if (handOver) {
            NextEventCommand(true);
        } else {
            phase = 1;
            markerBob = 0.0f;
        }
        return;
    }
    if (ZephKeyInput != nullptr && ZephKeyInput->IsButtonPush(kConfirmButton)) {
        ThePlaySE->PlaySoundEffect(SE_CONFIRM);
        NextEventCommand(true);
        return;
    }
    if (++markerCounter >= 45)
        markerCounter = 0;
    markerBob = MarkerBob(markerCounter);
}

// ----------------------------------------------------------------------------
// Item texts

void CEvent::StartItemMessage(int category, const char16_t* outcome, int amount)
{
    const bool money = category == ITEM_CATEGORY_MONEY;
    std::u16string text;
    if (money) {
        for (char c : std::to_string(amount))
            text += static_cast<char16_t>(c);
        text += u"G";
    } else {
        text = giftName;
    }
    text += outcome;
    // A text that does not fit the item message leaves it empty.
    if (static_cast<int>(text.size()) > kItemTextLimit)
        text.clear();
    std::copy(text.begin(), text.end(), ItemMessage);
    ItemMessage[text.size()] = 0;
    iconCategory = money ? -1 : category;
    StartMessage(ItemMessage, static_cast<int>(text.size()), money ? 0 : kItemIndent, true);
}

bool CEvent::StartGetItem()
{
    const int category = Args[0];
    const int id = Args[1];
    const int onceFlag = Args[2];
    // Given once already, or nothing that can be given: no message.
    if ((onceFlag != 0 && TheGameData->GetGameFlag(onceFlag) != 0) || !IsEventItemValid(category, id)) {
        NextEventCommand(true);
        return false;
    }
    giftName.clear();
    const bool obtained = GiveEventItem(category, id, true, 0);
    if (obtained)
        ThePlaySE->PlaySoundEffect(kGiftSound);
    if (obtained && onceFlag != 0) {
        TheGameData->SetGameFlag(onceFlag, 1);
        RefreshEventActivity(true);
    }
    StartItemMessage(category, obtained ? u"を手に入れた" : u"はもう持てない", id);
    return true;
}

bool CEvent::StartLoseItem()
{
    const int category = Args[0];
    const int removed = TheGameData->RemoveItem(category, Args[1], 1);
    if (removed == -1) {
        NextEventCommand(true);
        return false;
    }
    giftName = EventItemName(category, Args[1]);
    StartItemMessage(category, u"を失った", removed);
    return true;
}
