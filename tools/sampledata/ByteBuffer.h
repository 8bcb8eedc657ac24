// Little-endian writing into a byte buffer at fixed offsets, field by field.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace sampledata {

using Bytes = std::vector<std::uint8_t>;

inline void Put8(Bytes& b, std::size_t at, std::uint32_t value)
{
    b.at(at) = static_cast<std::uint8_t>(value);
}

inline void Put16(Bytes& b, std::size_t at, std::uint32_t value)
{
    Put8(b, at, value);
    Put8(b, at + 1, value >> 8);
}

inline void Put32(Bytes& b, std::size_t at, std::uint32_t value)
{
    Put16(b, at, value);
    Put16(b, at + 2, value >> 16);
}

inline void PutFloat(Bytes& b, std::size_t at, float value)
{
    Put32(b, at, std::bit_cast<std::uint32_t>(value));
}

// Sets `width` bits of the 32-bit word at `at`, starting at bit `shift`.
inline void PutBits(Bytes& b, std::size_t at, int shift, int width, std::uint32_t value)
{
    std::uint32_t word = static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
                         static_cast<std::uint32_t>(b.at(at + 2)) << 16 |
                         static_cast<std::uint32_t>(b.at(at + 3)) << 24;
    const std::uint32_t mask = (width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u)) << shift;
    word = (word & ~mask) | ((value << shift) & mask);
    Put32(b, at, word);
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
