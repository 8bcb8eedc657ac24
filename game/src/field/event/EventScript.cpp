#include "field/event/EventScript.h"

#include <cstring>

#include "field/event/EventRecord.h"

namespace {

constexpr std::size_t kUnit = 2;
constexpr int kOpcodeUnits = 2;

bool HasText(int opcode)
{
    return opcode == OP_MESSAGE || opcode == OP_MESSAGE_ARG || opcode == OP_CHOICE;
}

bool CountInRange(int opcode, std::int32_t word0)
{
    switch (opcode) {
    case OP_BATTLE:
        return word0 >= 0 && word0 <= BATTLE_MAX_ENEMIES;
    case OP_SHOP:
        return word0 >= 0 && word0 <= SHOP_MAX_ROWS;
    case OP_CHOICE:
        return word0 >= 1 && word0 <= CHOICE_MAX_ROWS;
    default:
        return true;
    }
}

} // namespace

DecodeFault DecodeEventCommand(const unsigned char* command, std::size_t bytesLeft, DecodedCommand& out)
{
    std::memset(&out, 0, sizeof(out));
    out.opcode = OP_END;
    if (bytesLeft < kOpcodeUnits * kUnit)
        return DecodeFault::Overrun;
    const std::int32_t stored = eventrecord::ReadI32(command);
    // Map data holds nothing else; anything outside the table ends the event.
    if (stored < 0 || stored >= EVENT_OPCODE_COUNT) {
        out.length = kOpcodeUnits;
        return DecodeFault::None;
    }
    out.opcode = stored;
    const unsigned char* words = command + kOpcodeUnits * kUnit;
    const std::size_t wordBytesLeft = bytesLeft - kOpcodeUnits * kUnit;
    std::int32_t word0 = 0;
    if (EventCommandTable[stored].wordCount > 0) {
        if (wordBytesLeft < 4)
            return DecodeFault::Overrun;
        word0 = eventrecord::ReadI32(words);
    }
    if (!CountInRange(stored, word0))
        return DecodeFault::BadCount;
    const int count = EventCommandWordCount(stored, word0);
    if (static_cast<std::size_t>(count) * 4 > wordBytesLeft)
        return DecodeFault::Overrun;
    out.wordCount = count;
    for (int k = 0; k < count; ++k)
        out.args[k] = eventrecord::ReadI32(words + 4 * k);

    const int unitsBeforeText = kOpcodeUnits + 2 * count;
    if (!HasText(stored)) {
        out.length = unitsBeforeText;
        return DecodeFault::None;
    }
    out.textOffset = unitsBeforeText;
    const std::size_t unitsLeft = bytesLeft / kUnit;
    std::size_t at = static_cast<std::size_t>(unitsBeforeText);
    while (at < unitsLeft && (command[at * kUnit] | command[at * kUnit + 1]) != 0)
        ++at;
    if (at >= unitsLeft)
        return DecodeFault::Overrun; // no terminator before the record's end
    out.textLength = static_cast<int>(at) - unitsBeforeText;
    const int length = unitsBeforeText + out.textLength + 1;
    out.length = (length + 1) / 2 * 2;
    if (static_cast<std::size_t>(out.length) > unitsLeft)
        return DecodeFault::Overrun; // the padding unit lies past the end
    return DecodeFault::None;
}
