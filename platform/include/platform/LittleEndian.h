// Little-endian fields of stored data, read and written byte by byte so no
// alignment or host byte order matters.
//
// Load/Store take a pointer whose bytes the caller has already checked are
// there (a table whose size was checked when it was loaded, a header behind a
// length check). Read/Write take the whole buffer and an offset and check the
// field lies inside it: nullopt or false when it does not.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace plat {

constexpr std::uint16_t LoadLe16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
constexpr std::uint32_t LoadLe32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(LoadLe16(p)) | static_cast<std::uint32_t>(LoadLe16(p + 2)) << 16;
}
constexpr std::int16_t LoadLeI16(const unsigned char* p)
{
    return static_cast<std::int16_t>(LoadLe16(p));
}
constexpr std::int32_t LoadLeI32(const unsigned char* p)
{
    return static_cast<std::int32_t>(LoadLe32(p));
}

constexpr void StoreLe16(unsigned char* p, std::uint32_t value)
{
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
}
constexpr void StoreLe32(unsigned char* p, std::uint32_t value)
{
    StoreLe16(p, value);
    StoreLe16(p + 2, value >> 16);
}

// True when `count` bytes at `at` lie inside a buffer of `size` bytes (no
// overflow for any offset).
constexpr bool FieldInside(std::size_t size, std::size_t at, std::size_t count)
{
    return at <= size && count <= size - at;
}

// The field types a checked read or write takes.
template <typename T>
concept LeField = std::same_as<T, std::uint16_t> || std::same_as<T, std::int16_t> || std::same_as<T, std::uint32_t> ||
    std::same_as<T, std::int32_t>;

template <LeField T> std::optional<T> ReadLe(std::span<const unsigned char> bytes, std::size_t at)
{
    if (!FieldInside(bytes.size(), at, sizeof(T)))
        return std::nullopt;
    if constexpr (sizeof(T) == 2)
        return static_cast<T>(LoadLe16(bytes.data() + at));
    else
        return static_cast<T>(LoadLe32(bytes.data() + at));
}

template <LeField T> bool WriteLe(std::span<unsigned char> bytes, std::size_t at, T value)
{
    if (!FieldInside(bytes.size(), at, sizeof(T)))
        return false;
    if constexpr (sizeof(T) == 2)
        StoreLe16(bytes.data() + at, static_cast<std::uint16_t>(value));
    else
        StoreLe32(bytes.data() + at, static_cast<std::uint32_t>(value));
    return true;
}

} // namespace plat
