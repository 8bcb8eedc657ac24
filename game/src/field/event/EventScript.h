// Decoding one script command: its opcode, its argument words, the text of
// a message or choice, and its length. Every read stays inside the bytes
// the record has left; a command that would cross the record's end, or a
// count outside its command's limits, is refused so the event can end.
#pragma once

#include <cstddef>
#include <cstdint>

#include "field/event/EventCommandTable.h"

struct DecodedCommand {
    int opcode;     // 0-52; a stored opcode outside them reads as OP_END
    int wordCount;  // argument words copied
    int textOffset; // units from the command's start to its text (0, 1 and 20)
    int textLength; // characters of the text, without the terminator
    int length;     // units to the next command
    std::int32_t args[EVENT_ARG_COUNT];
};

enum class DecodeFault {
    None,
    Overrun,  // the command, its words or its text cross the record's end
    BadCount, // word 0 of a battle, shop or choice outside its limits
};

// Decodes the command at `command`, with `bytesLeft` bytes up to the end of
// its record. `out` is zeroed first; on a fault it holds what was read.
DecodeFault DecodeEventCommand(const unsigned char* command, std::size_t bytesLeft, DecodedCommand& out);
