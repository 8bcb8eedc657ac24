// Building WAV files chunk by chunk for the sound tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace wavfixture {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void Put32(Bytes& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A chunk; `claimedSize` overrides the stored size (for broken files).
inline Bytes Chunk(const std::string& name, const Bytes& body, long long claimedSize = -1)
{
    Bytes out(name.begin(), name.end());
    Put32(out, claimedSize < 0 ? static_cast<std::uint32_t>(body.size()) : static_cast<std::uint32_t>(claimedSize));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        out.push_back(0); // pad byte
    return out;
}

// A format chunk body of `size` bytes (16, 18 or more, zero-extended).
inline Bytes Format(int channels, int rate, int bits, std::uint32_t size = 16, std::uint16_t tag = 1)
{
    Bytes body;
    Put16(body, tag);
    Put16(body, static_cast<std::uint32_t>(channels));
    Put32(body, static_cast<std::uint32_t>(rate));
    Put32(body, static_cast<std::uint32_t>(rate * channels * bits / 8));
    Put16(body, static_cast<std::uint32_t>(channels * bits / 8));
    Put16(body, static_cast<std::uint32_t>(bits));
    body.resize(size, 0);
    return body;
}

inline Bytes Riff(std::initializer_list<Bytes> chunks)
{
    Bytes inner{'W', 'A', 'V', 'E'};
    for (const Bytes& chunk : chunks)
        inner.insert(inner.end(), chunk.begin(), chunk.end());
    Bytes out{'R', 'I', 'F', 'F'};
    Put32(out, static_cast<std::uint32_t>(inner.size()));
    out.insert(out.end(), inner.begin(), inner.end());
    return out;
}

inline Bytes Pcm16(std::initializer_list<std::int16_t> samples)
{
    Bytes out;
    for (std::int16_t s : samples)
        Put16(out, static_cast<std::uint16_t>(s));
    return out;
}

// `frames` frames of the same 16-bit sample on every channel.
inline Bytes ConstantPcm16(std::int16_t sample, int frames, int channels = 1)
{
    Bytes out;
    for (int i = 0; i < frames * channels; ++i)
        Put16(out, static_cast<std::uint16_t>(sample));
    return out;
}

// A plain 16-bit mono 44.1 kHz WAV of `frames` copies of `sample`.
inline Bytes ConstantWav(std::int16_t sample, int frames)
{
    return Riff({Chunk("fmt ", Format(1, 44100, 16)), Chunk("data", ConstantPcm16(sample, frames))});
}

} // namespace wavfixture
