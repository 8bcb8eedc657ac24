// Reading big-endian numbers and variable-length quantities from a byte span;
// every read that would pass the end fails and leaves the cursor unusable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace midi {

class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }

    bool ReadByte(std::uint8_t& value)
    {
        if (Remaining() < 1)
            return false;
        value = bytes_[position_++];
        return true;
    }

    bool ReadBigEndian16(std::uint16_t& value)
    {
        if (Remaining() < 2)
            return false;
        value = static_cast<std::uint16_t>(bytes_[position_] << 8 | bytes_[position_ + 1]);
        position_ += 2;
        return true;
    }

    bool ReadBigEndian32(std::uint32_t& value)
    {
        if (Remaining() < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | bytes_[position_++];
        return true;
    }

    // At most four bytes of seven bits each, the high bit meaning "more follows".
    bool ReadVarLen(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t byte = 0;
            if (!ReadByte(byte))
                return false;
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0)
                return true;
        }
        return false;
    }

    bool ReadTag(const char (&tag)[5])
    {
        if (Remaining() < 4 || std::memcmp(bytes_.data() + position_, tag, 4) != 0)
            return false;
        position_ += 4;
        return true;
    }

    // The next `count` bytes, or an empty span and false when they are not all there.
    bool Take(std::size_t count, std::span<const std::uint8_t>& out)
    {
        if (Remaining() < count)
            return false;
        out = bytes_.subspan(position_, count);
        position_ += count;
        return true;
    }

    void StepBack() { --position_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace midi
