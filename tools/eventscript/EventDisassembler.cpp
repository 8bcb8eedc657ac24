// A listing of a script for failure messages. It reads the bytes on its own
// (with the shared opcode table), so a listing also shows what the
// interpreter would refuse.
#include <sstream>

#include "EventAssembler.h"

namespace eventscript {
namespace {

std::int32_t Read32(const std::uint8_t* at)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
                                     static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24);
}

std::string Mnemonic(int opcode)
{
    std::string m;
    for (char16_t c : EventCommandTable[opcode].mnemonic)
        if (c != 0)
            m += static_cast<char>(c);
    return m.empty() ? "op" + std::to_string(opcode) : m;
}

} // namespace

std::string Disassemble(const std::uint8_t* script, std::size_t bytes)
{
    std::ostringstream out;
    std::size_t at = 0;
    while (at < bytes) {
        out << (at / 2) << ' ';
        if (bytes - at < 4) {
            out << "(cut short)\n";
            break;
        }
        const std::int32_t opcode = Read32(script + at);
        if (opcode < 0 || opcode >= EVENT_OPCODE_COUNT) {
            out << "bad opcode " << opcode << '\n';
            at += 4;
            continue;
        }
        const std::int32_t word0 = bytes - at >= 8 ? Read32(script + at + 4) : 0;
        const int count = EventCommandWordCount(opcode, word0);
        out << Mnemonic(opcode);
        if (count < 0 || static_cast<std::size_t>(count) * 4 > bytes - at - 4) {
            out << " (words past the end)\n";
            break;
        }
        for (int k = 0; k < count; ++k)
            out << ' ' << Read32(script + at + 4 + 4 * k);
        std::size_t next = at + 4 + 4 * static_cast<std::size_t>(count);
        if (opcode == OP_MESSAGE || opcode == OP_MESSAGE_ARG || opcode == OP_CHOICE) {
            out << " \"";
            while (next + 1 < bytes && (script[next] | script[next + 1]) != 0) {
                const unsigned unit = script[next] | script[next + 1] << 8;
                if (unit < 0x80 && unit >= 0x20)
                    out << static_cast<char>(unit);
                else
                    out << "\\u" << std::hex << unit << std::dec;
                next += 2;
            }
            out << '"';
            next += 2;
            if ((next - at) % 4 != 0)
                next += 2;
        }
        out << '\n';
        at = next;
    }
    return out.str();
}

std::string Disassemble(const Bytes& script)
{
    return Disassemble(script.data(), script.size());
}

} // namespace eventscript
