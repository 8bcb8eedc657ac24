// Builds small Standard MIDI Files in memory for the MIDI tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace smf {

using Bytes = std::vector<std::uint8_t>;

inline void PutVarLen(Bytes& out, std::uint32_t value)
{
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (count > 0) {
        --count;
        out.push_back(static_cast<std::uint8_t>(groups[count] | (count > 0 ? 0x80 : 0)));
    }
}

inline void PutBigEndian(Bytes& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

class Track {
public:
    // Any bytes after a delta time, as they stand (running status included).
    Track& Raw(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes)
    {
        PutVarLen(bytes_, delta);
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    Track& NoteOn(std::uint32_t delta, int channel, int note, int velocity = 100)
    {
        return Raw(delta, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(note),
                           static_cast<std::uint8_t>(velocity)});
    }
    Track& NoteOff(std::uint32_t delta, int channel, int note)
    {
        return Raw(delta, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(note), 0});
    }
    Track& Controller(std::uint32_t delta, int channel, int number, int value)
    {
        return Raw(delta, {static_cast<std::uint8_t>(0xB0 | channel), static_cast<std::uint8_t>(number),
                           static_cast<std::uint8_t>(value)});
    }
    Track& Program(std::uint32_t delta, int channel, int program)
    {
        return Raw(delta, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)});
    }
    Track& Tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter)
    {
        Raw(delta, {0xFF, 0x51, 0x03});
        PutBigEndian(bytes_, microsecondsPerQuarter, 3);
        return *this;
    }
    // `message` starts with 0xF0; the file stores its length before the rest.
    Track& SysEx(std::uint32_t delta, const Bytes& message)
    {
        PutVarLen(bytes_, delta);
        bytes_.push_back(0xF0);
        PutVarLen(bytes_, static_cast<std::uint32_t>(message.size() - 1));
        bytes_.insert(bytes_.end(), message.begin() + 1, message.end());
        return *this;
    }
    Track& Meta(std::uint32_t delta, std::uint8_t type, const Bytes& data)
    {
        Raw(delta, {0xFF, type});
        PutVarLen(bytes_, static_cast<std::uint32_t>(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    Track& End(std::uint32_t delta = 0) { return Raw(delta, {0xFF, 0x2F, 0x00}); }

    const Bytes& Body() const { return bytes_; }

private:
    Bytes bytes_;
};

inline Bytes Chunk(const char* tag, const Bytes& body)
{
    Bytes out(tag, tag + 4);
    PutBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes Header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division)
{
    Bytes body;
    PutBigEndian(body, format, 2);
    PutBigEndian(body, tracks, 2);
    PutBigEndian(body, division, 2);
    return Chunk("MThd", body);
}

inline Bytes File(std::uint16_t format, std::uint16_t division, const std::vector<Track>& tracks)
{
    Bytes out = Header(format, static_cast<std::uint16_t>(tracks.size()), division);
    for (const auto& track : tracks) {
        Bytes chunk = Chunk("MTrk", track.Body());
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

inline void Write(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace smf
