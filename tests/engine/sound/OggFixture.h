// Ogg Vorbis files made in the tests with libvorbisenc, and their reference
// decode through vorbisfile, which the engine's streams must reproduce.
#pragma once

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/LittleEndian.h"

namespace oggfixture {

// `frames` frames of two tones (left and right differ), encoded at `rate`
// as the logical stream `serial`.
inline bool WriteTones(const std::filesystem::path& path, int frames, int rate = 44100, int channels = 2,
                       int serial = 1234)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.4f) != 0) {
        std::fclose(file);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), file);
        std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), file);
    }
    int written = 0;
    bool ended = false;
    while (!ended) {
        const int count = std::min(1024, frames - written);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, count);
            for (int i = 0; i < count; ++i) {
                const double t = static_cast<double>(written + i) / rate;
                buffer[0][i] =
                    static_cast<float>(0.3 * std::sin(2 * M_PI * 440.0 * t) + 0.1 * std::sin(2 * M_PI * 97.0 * t));
                if (channels == 2)
                    buffer[1][i] = static_cast<float>(0.25 * std::sin(2 * M_PI * 660.0 * t));
            }
            written += count;
        }
        vorbis_analysis_wrote(&dsp, count > 0 ? count : 0);
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), file);
                    std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), file);
                    if (ogg_page_eos(&page) != 0)
                        ended = true;
                }
            }
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(file) == 0;
}

// The whole file decoded by vorbisfile as 16-bit interleaved samples.
inline std::vector<std::int16_t> Decode(const std::filesystem::path& path)
{
    std::vector<std::int16_t> out;
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) < 0)
        return out;
    char chunk[4096];
    int section = 0;
    long got;
    while ((got = ov_read(&file, chunk, sizeof chunk, 0, 2, 1, &section)) != 0) {
        if (got < 0)
            continue;
        for (long i = 0; i + 1 < got; i += 2)
            out.push_back(plat::LoadLeI16(reinterpret_cast<const unsigned char*>(chunk + i)));
    }
    ov_clear(&file);
    return out;
}

} // namespace oggfixture
