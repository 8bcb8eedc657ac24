#include "Encoders.h"

#include <png.h>

namespace sampledata {
namespace {

void AppendToBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

void AppendVariableLength(Bytes& b, std::uint32_t value)
{
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1)
        b.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    b.push_back(groups[0]);
}

void AppendEvent(Bytes& track, std::uint32_t delta, std::initializer_list<std::uint8_t> bytes)
{
    AppendVariableLength(track, delta);
    track.insert(track.end(), bytes);
}

void AppendTrackChunk(Bytes& file, const Bytes& track)
{
    AppendText(file, "MTrk");
    AppendBig32(file, static_cast<std::uint32_t>(track.size()));
    file.insert(file.end(), track.begin(), track.end());
}

} // namespace

Bytes EncodePng(const Canvas& canvas)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return {};
    png_infop info = png_create_info_struct(png);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(canvas.Width()) * 4);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        return {};
    }
    png_set_write_fn(png, &out, AppendToBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.Width()), static_cast<png_uint_32>(canvas.Height()), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const auto& pixels = canvas.Pixels();
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * canvas.Width() + x];
            row[4 * x + 0] = static_cast<std::uint8_t>(p >> 16);
            row[4 * x + 1] = static_cast<std::uint8_t>(p >> 8);
            row[4 * x + 2] = static_cast<std::uint8_t>(p);
            row[4 * x + 3] = static_cast<std::uint8_t>(p >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes EncodeWav(const std::vector<std::int16_t>& samples, int rate)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    Bytes b(44 + dataBytes);
    const char* tags[] = {"RIFF", "WAVE", "fmt ", "data"};
    const std::size_t tagAt[] = {0, 8, 12, 36};
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 4; ++c)
            b[tagAt[i] + c] = static_cast<std::uint8_t>(tags[i][c]);
    Put32(b, 4, 36 + dataBytes);
    Put32(b, 16, 16); // format chunk size
    Put16(b, 20, 1);  // PCM
    Put16(b, 22, 1);  // mono
    Put32(b, 24, static_cast<std::uint32_t>(rate));
    Put32(b, 28, static_cast<std::uint32_t>(rate * 2));
    Put16(b, 32, 2);  // block align
    Put16(b, 34, 16); // bits per sample
    Put32(b, 40, dataBytes);
    for (std::size_t i = 0; i < samples.size(); ++i)
        Put16(b, 44 + 2 * i, static_cast<std::uint16_t>(samples[i]));
    return b;
}

Bytes EncodeMidi(int beatsPerMinute, const std::vector<TunePart>& parts, bool loopPoint)
{
    Bytes file;
    AppendText(file, "MThd");
    AppendBig32(file, 6);
    AppendBig16(file, 1);
    AppendBig16(file, static_cast<std::uint32_t>(parts.size() + 1));
    AppendBig16(file, kTicksPerQuarter);

    Bytes tempo;
    const std::uint32_t microsPerQuarter = 60000000u / static_cast<std::uint32_t>(beatsPerMinute);
    AppendEvent(tempo, 0,
                {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microsPerQuarter >> 16),
                 static_cast<std::uint8_t>(microsPerQuarter >> 8), static_cast<std::uint8_t>(microsPerQuarter)});
    AppendEvent(tempo, 0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
    AppendEvent(tempo, 0, {0xFF, 0x2F, 0x00});
    AppendTrackChunk(file, tempo);

    bool first = true;
    for (const TunePart& part : parts) {
        Bytes track;
        const auto ch = static_cast<std::uint8_t>(part.channel & 0x0F);
        AppendEvent(track, 0, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(part.program)});
        AppendEvent(track, 0, {static_cast<std::uint8_t>(0xB0 | ch), 7, 100});
        if (first && loopPoint)
            AppendEvent(track, 0, {static_cast<std::uint8_t>(0xB0 | ch), 111, 0});
        first = false;
        std::uint32_t pending = 0;
        for (const Note& note : part.notes) {
            if (note.key <= 0) {
                pending += static_cast<std::uint32_t>(note.ticks);
                continue;
            }
            const auto key = static_cast<std::uint8_t>(note.key);
            AppendEvent(track, pending,
                        {static_cast<std::uint8_t>(0x90 | ch), key, static_cast<std::uint8_t>(part.velocity)});
            AppendEvent(track, static_cast<std::uint32_t>(note.ticks), {static_cast<std::uint8_t>(0x80 | ch), key, 0});
            pending = 0;
        }
        AppendEvent(track, pending, {0xFF, 0x2F, 0x00});
        AppendTrackChunk(file, track);
    }
    return file;
}

} // namespace sampledata
