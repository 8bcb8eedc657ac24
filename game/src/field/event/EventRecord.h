// One event record as it lies in the loaded map blob: a 24-byte head (cell,
// size, condition and done flags, packed bits) and the script after it.
// Fields are read and written little-endian in place, so a record needs no
// alignment; the picture, active and done bits change in the loaded copy.
#pragma once

#include <cstddef>
#include <cstdint>

namespace eventrecord {

constexpr std::size_t kHeadSize = 24;
constexpr std::size_t kXOffset = 0;
constexpr std::size_t kYOffset = 4;
constexpr std::size_t kSizeOffset = 8;
constexpr std::size_t kConditionFlagOffset = 12;
constexpr std::size_t kDoneFlagOffset = 16;
constexpr std::size_t kBitsOffset = 20;

// Fields of the packed bits: shift and width.
struct BitField {
    int shift;
    int width;
};
constexpr BitField kKind{0, 7};
constexpr BitField kPicture{7, 7};
constexpr BitField kTrigger{19, 4};
constexpr BitField kActive{23, 1};
constexpr BitField kPassThrough{24, 1};
constexpr BitField kDone{25, 1};

inline std::uint32_t ReadU32(const unsigned char* at)
{
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
inline std::int32_t ReadI32(const unsigned char* at)
{
    return static_cast<std::int32_t>(ReadU32(at));
}
inline void WriteU32(unsigned char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline std::int32_t X(const unsigned char* r)
{
    return ReadI32(r + kXOffset);
}
inline std::int32_t Y(const unsigned char* r)
{
    return ReadI32(r + kYOffset);
}
inline std::uint32_t Size(const unsigned char* r)
{
    return ReadU32(r + kSizeOffset);
}
inline std::int32_t ConditionFlag(const unsigned char* r)
{
    return ReadI32(r + kConditionFlagOffset);
}
inline std::int32_t DoneFlag(const unsigned char* r)
{
    return ReadI32(r + kDoneFlagOffset);
}
inline int Get(const unsigned char* r, BitField f)
{
    return static_cast<int>((ReadU32(r + kBitsOffset) >> f.shift) & ((1u << f.width) - 1u));
}
inline void Set(unsigned char* r, BitField f, int value)
{
    const std::uint32_t mask = ((1u << f.width) - 1u) << f.shift;
    const std::uint32_t bits = ReadU32(r + kBitsOffset);
    WriteU32(r + kBitsOffset, (bits & ~mask) | ((static_cast<std::uint32_t>(value) << f.shift) & mask));
}

inline int Kind(const unsigned char* r)
{
    return Get(r, kKind);
}
inline int Picture(const unsigned char* r)
{
    return Get(r, kPicture);
}
inline int Trigger(const unsigned char* r)
{
    return Get(r, kTrigger);
}
inline bool IsActive(const unsigned char* r)
{
    return Get(r, kActive) != 0;
}
inline bool IsPassThrough(const unsigned char* r)
{
    return Get(r, kPassThrough) != 0;
}
inline bool IsDone(const unsigned char* r)
{
    return Get(r, kDone) != 0;
}
inline const unsigned char* Script(const unsigned char* r)
{
    return r + kHeadSize;
}

} // namespace eventrecord
