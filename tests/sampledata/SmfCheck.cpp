#include "SmfCheck.h"

namespace smfcheck {
namespace {

struct Cursor {
    const std::vector<std::uint8_t>& b;
    std::size_t at;
    std::size_t end;

    bool Byte(std::uint8_t& v)
    {
        if (at >= end)
            return false;
        v = b[at++];
        return true;
    }
    bool VariableLength(std::uint32_t& v)
    {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t c;
            if (!Byte(c))
                return false;
            v = (v << 7) | (c & 0x7F);
            if ((c & 0x80) == 0)
                return true;
        }
        return false;
    }
    bool Skip(std::uint32_t n)
    {
        if (end - at < n)
            return false;
        at += n;
        return true;
    }
};

std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

bool Tag(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag)
{
    return b.size() >= at + 4 &&
           std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) == tag;
}

Summary Fail(Summary s, const std::string& why)
{
    s.ok = false;
    s.error = why;
    return s;
}

} // namespace

Summary Check(const std::vector<std::uint8_t>& file)
{
    Summary s;
    if (!Tag(file, 0, "MThd") || file.size() < 14 || Big32(file, 4) != 6)
        return Fail(s, "bad header chunk");
    const int declaredTracks = file[10] << 8 | file[11];
    const int format = file[8] << 8 | file[9];
    if (format > 2 || (file[12] << 8 | file[13]) == 0)
        return Fail(s, "bad format or division");
    std::size_t at = 14;
    while (at < file.size()) {
        if (!Tag(file, at, "MTrk") || file.size() < at + 8)
            return Fail(s, "bad track chunk");
        const std::uint32_t length = Big32(file, at + 4);
        if (file.size() - (at + 8) < length)
            return Fail(s, "track runs past the file");
        Cursor c{file, at + 8, at + 8 + length};
        std::uint8_t status = 0;
        bool ended = false;
        while (!ended) {
            std::uint32_t delta;
            std::uint8_t first;
            if (!c.VariableLength(delta) || !c.Byte(first))
                return Fail(s, "track ends without end-of-track");
            ++s.events;
            if (first == 0xFF) {
                std::uint8_t type;
                std::uint32_t size;
                if (!c.Byte(type) || !c.VariableLength(size) || !c.Skip(size))
                    return Fail(s, "bad meta event");
                ended = type == 0x2F;
            } else if (first == 0xF0 || first == 0xF7) {
                std::uint32_t size;
                if (!c.VariableLength(size) || !c.Skip(size))
                    return Fail(s, "bad system exclusive event");
            } else {
                std::uint8_t data1 = first;
                if (first & 0x80) {
                    status = first;
                    if (!c.Byte(data1))
                        return Fail(s, "missing data byte");
                } else if (status == 0) {
                    return Fail(s, "running status without a status");
                }
                const int kind = status >> 4;
                std::uint8_t data2 = 0;
                if (kind != 0xC && kind != 0xD && !c.Byte(data2))
                    return Fail(s, "missing data byte");
                if ((data1 | data2) & 0x80)
                    return Fail(s, "data byte with the top bit set");
                if (kind == 0x9 && data2 != 0)
                    ++s.noteOns;
            }
        }
        if (c.at != c.end)
            return Fail(s, "bytes after end-of-track");
        ++s.tracks;
        at += 8 + length;
    }
    if (s.tracks != declaredTracks)
        return Fail(s, "track count differs from the header");
    s.ok = true;
    return s;
}

} // namespace smfcheck
