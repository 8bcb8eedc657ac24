#include "main/HeadlessAudio.h"

#include <cstdio>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/Clock.h"

namespace {

constexpr std::uint32_t kBytesPerFrame = plat::kMixChannels * 2;
constexpr std::uint32_t kWavHeaderBytes = 44;

std::uint32_t mixStartMs = 0;
std::uint64_t framesMixed = 0;
std::FILE* dump = nullptr;
std::uint32_t dumpDataBytes = 0;

void PutLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// The RIFF header for `dataBytes` of 16-bit stereo PCM at the mix rate.
std::vector<unsigned char> WavHeader(std::uint32_t dataBytes)
{
    std::vector<unsigned char> header;
    header.reserve(kWavHeaderBytes);
    const auto text = [&header](const char* four) {
        for (int i = 0; i < 4; ++i)
            header.push_back(static_cast<unsigned char>(four[i]));
    };
    text("RIFF");
    PutLe(header, kWavHeaderBytes - 8 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    PutLe(header, 16, 4);
    PutLe(header, 1, 2); // PCM
    PutLe(header, plat::kMixChannels, 2);
    PutLe(header, plat::kMixRate, 4);
    PutLe(header, plat::kMixRate * kBytesPerFrame, 4);
    PutLe(header, kBytesPerFrame, 2);
    PutLe(header, 16, 2);
    text("data");
    PutLe(header, dataBytes, 4);
    return header;
}

// The header is rewritten after every block, so the file is whole whenever
// the game ends.
void WriteToDump(const std::int16_t* samples, int frames)
{
    if (dump == nullptr)
        return;
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(frames) * kBytesPerFrame);
    for (int i = 0; i < frames * plat::kMixChannels; ++i)
        PutLe(bytes, static_cast<std::uint16_t>(samples[i]), 2);
    std::fseek(dump, 0, SEEK_END);
    std::fwrite(bytes.data(), 1, bytes.size(), dump);
    dumpDataBytes += static_cast<std::uint32_t>(bytes.size());
    const std::vector<unsigned char> header = WavHeader(dumpDataBytes);
    std::fseek(dump, 0, SEEK_SET);
    std::fwrite(header.data(), 1, header.size(), dump);
    std::fflush(dump);
}

} // namespace

void StartHeadlessAudio(std::uint32_t startMs, const std::filesystem::path& dumpPath)
{
    plat::AudioMixer::Shared().SetOffline(true);
    mixStartMs = startMs;
    framesMixed = 0;
    if (dump != nullptr)
        std::fclose(dump);
    dump = nullptr;
    dumpDataBytes = 0;
    if (dumpPath.empty())
        return;
    dump = std::fopen(dumpPath.c_str(), "wb");
    if (dump == nullptr) {
        std::fprintf(stderr, "Velmora: cannot write the audio dump %s\n", dumpPath.c_str());
        return;
    }
    const std::vector<unsigned char> header = WavHeader(0);
    std::fwrite(header.data(), 1, header.size(), dump);
}

void MixHeadlessAudio(std::uint32_t nowMs)
{
    // What the music thread was asked during the frame is sent before the mix.
    plat::SettleGameTime();
    const std::uint64_t elapsedMs = static_cast<std::uint32_t>(nowMs - mixStartMs);
    const std::uint64_t due = elapsedMs * plat::kMixRate / 1000;
    std::vector<std::int16_t> block(plat::kMixFramesPerCallback * plat::kMixChannels);
    while (framesMixed < due) {
        const int frames = static_cast<int>(std::min<std::uint64_t>(due - framesMixed, plat::kMixFramesPerCallback));
        plat::AudioMixer::Shared().Mix(block.data(), frames);
        WriteToDump(block.data(), frames);
        framesMixed += static_cast<std::uint64_t>(frames);
    }
}
