// Hand-made map blobs for tests: a header with the fields the field reads,
// a tile grid (column-major, as stored) and an event area, empty unless
// the test gives one.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "field/MapBlob.h"
#include "platform/LittleEndian.h"

namespace fieldtest {

class MapBlobBuilder {
public:
    MapBlobBuilder(int width, int height, int mapNumber = 0) : width_(width), height_(height)
    {
        tiles_.assign(static_cast<std::size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0), 0);
        mapNumber_ = mapNumber;
    }
    MapBlobBuilder& Tile(int x, int y, int tile)
    {
        tiles_.at(static_cast<std::size_t>(x) * height_ + y) = static_cast<std::int8_t>(tile);
        return *this;
    }
    // Fills a rectangle of cells, inclusive.
    MapBlobBuilder& Fill(int x0, int y0, int x1, int y1, int tile)
    {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                Tile(x, y, tile);
        return *this;
    }
    MapBlobBuilder& Border(int tile)
    {
        Fill(0, 0, width_ - 1, 0, tile);
        Fill(0, height_ - 1, width_ - 1, height_ - 1, tile);
        Fill(0, 0, 0, height_ - 1, tile);
        Fill(width_ - 1, 0, width_ - 1, height_ - 1, tile);
        return *this;
    }
    MapBlobBuilder& FlagA(int bit, std::uint32_t value = 1, int bits = 1)
    {
        flagsA_ = (flagsA_ & ~(((1u << bits) - 1u) << bit)) | value << bit;
        return *this;
    }
    MapBlobBuilder& Flag(std::uint32_t& word, std::uint32_t flag)
    {
        word |= flag;
        return *this;
    }
    MapBlobBuilder& FlagB(int bit)
    {
        flagsB_ |= 1u << bit;
        return *this;
    }
    MapBlobBuilder& Looping() { return Flag(flagsA_, mapblob::kFlagALooping); }
    MapBlobBuilder& Lit() { return Flag(flagsA_, mapblob::kFlagALit); }
    MapBlobBuilder& Place(int place)
    {
        place_ = place;
        return *this;
    }
    MapBlobBuilder& ReturnPoint(int x, int y)
    {
        returnX_ = x;
        returnY_ = y;
        return Flag(flagsA_, mapblob::kFlagAReturnPoint);
    }
    MapBlobBuilder& Tunes(int field, int battle)
    {
        tune_ = field;
        battleTune_ = battle;
        return *this;
    }
    MapBlobBuilder& Name(const std::u16string& name)
    {
        name_ = name;
        return *this;
    }
    // The event area as stored (records, point count, points) and the
    // record count of the header.
    MapBlobBuilder& Events(const std::vector<unsigned char>& area, int recordCount)
    {
        eventArea_ = area;
        eventCount_ = recordCount;
        return *this;
    }

    std::vector<unsigned char> Build() const
    {
        const std::size_t grid = tiles_.size();
        const std::size_t eventArea = (mapblob::kGridOffset + grid + 3) / 4 * 4;
        std::vector<unsigned char> b(eventArea, 0);
        b.insert(b.end(), eventArea_.begin(), eventArea_.end());
        for (std::size_t i = 0; i < name_.size() && i < 8; ++i)
            Put16(b, mapblob::kNameOffset + 2 * i, name_[i]);
        Put16(b, mapblob::kWidthOffset, static_cast<std::uint16_t>(width_));
        Put16(b, mapblob::kHeightOffset, static_cast<std::uint16_t>(height_));
        Put16(b, mapblob::kReturnXOffset, static_cast<std::uint16_t>(returnX_));
        Put16(b, mapblob::kReturnYOffset, static_cast<std::uint16_t>(returnY_));
        Put16(b, mapblob::kPlaceOffset, static_cast<std::uint16_t>(place_));
        Put16(b, mapblob::kEventCountOffset, static_cast<std::uint16_t>(eventCount_));
        Put16(b, mapblob::kMapNumberOffset, static_cast<std::uint16_t>(mapNumber_));
        b[mapblob::kTuneOffset] = static_cast<unsigned char>(tune_);
        b[mapblob::kBattleTuneOffset] = static_cast<unsigned char>(battleTune_);
        Put32(b, mapblob::kFlagsAOffset, flagsA_);
        Put32(b, mapblob::kFlagsBOffset, flagsB_);
        for (std::size_t i = 0; i < grid; ++i)
            b[mapblob::kGridOffset + i] = static_cast<unsigned char>(tiles_[i]);
        return b;
    }

    // A field past the end of the blob throws: the builder was asked for too little.
    static void Put16(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v)
    {
        if (!plat::WriteLe<std::uint16_t>(b, at, static_cast<std::uint16_t>(v)))
            throw std::out_of_range("map blob field past the end");
    }
    static void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v)
    {
        if (!plat::WriteLe<std::uint32_t>(b, at, v))
            throw std::out_of_range("map blob field past the end");
    }

private:
    int width_;
    int height_;
    int mapNumber_ = 0;
    int place_ = 0;
    int returnX_ = 0;
    int returnY_ = 0;
    int tune_ = 1;
    int battleTune_ = 1;
    std::uint32_t flagsA_ = 0;
    std::uint32_t flagsB_ = 0;
    std::u16string name_;
    std::vector<std::int8_t> tiles_;
    std::vector<unsigned char> eventArea_ = std::vector<unsigned char>(4, 0); // no records, no points
    int eventCount_ = 0;
};

} // namespace fieldtest
