// Little-endian writing into a byte buffer at fixed offsets, field by field,
// each field checked to lie inside the buffer.
#pragma once

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/LittleEndian.h"

namespace sampledata {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a field at `at`; a field past the end of its entry is a fault
// of the generator.
inline std::uint8_t* FieldAt(Bytes& b, std::size_t at, std::size_t count)
{
    if (!plat::FieldInside(b.size(), at, count))
        throw std::out_of_range("sample field past the end of its entry");
    return b.data() + at;
}

inline void Put8(Bytes& b, std::size_t at, std::uint32_t value)
{
    *FieldAt(b, at, 1) = static_cast<std::uint8_t>(value);
}

inline void Put16(Bytes& b, std::size_t at, std::uint32_t value)
{
    plat::StoreLe16(FieldAt(b, at, 2), value);
}

inline void Put32(Bytes& b, std::size_t at, std::uint32_t value)
{
    plat::StoreLe32(FieldAt(b, at, 4), value);
}

inline void PutFloat(Bytes& b, std::size_t at, float value)
{
    Put32(b, at, std::bit_cast<std::uint32_t>(value));
}

// Sets `width` bits of the 32-bit word at `at`, starting at bit `shift`.
inline void PutBits(Bytes& b, std::size_t at, int shift, int width, std::uint32_t value)
{
    std::uint8_t* field = FieldAt(b, at, 4);
    const std::uint32_t mask = (width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u)) << shift;
    plat::StoreLe32(field, (plat::LoadLe32(field) & ~mask) | ((value << shift) & mask));
}

// UTF-16 units of `text`, not terminated; returns the number of units.
inline int PutText(Bytes& b, std::size_t at, const std::u16string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        Put16(b, at + 2 * i, text[i]);
    return static_cast<int>(text.size());
}

// Appending big-endian values, for the MIDI files.
inline void AppendBig16(Bytes& b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    b.push_back(static_cast<std::uint8_t>(v));
}

inline void AppendBig32(Bytes& b, std::uint32_t v)
{
    AppendBig16(b, v >> 16);
    AppendBig16(b, v);
}

inline void AppendText(Bytes& b, const char* text)
{
    for (; *text != 0; ++text)
        b.push_back(static_cast<std::uint8_t>(*text));
}

} // namespace sampledata
