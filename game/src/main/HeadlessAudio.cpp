#include "main/HeadlessAudio.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/LittleEndian.h"

namespace {

constexpr std::uint32_t kBytesPerFrame = plat::kMixChannels * 2;
constexpr std::uint32_t kWavHeaderBytes = 44;

std::uint32_t mixStartMs = 0;
std::uint64_t framesMixed = 0;
std::FILE* dump = nullptr;
std::uint32_t dumpDataBytes = 0;

// The RIFF header for `dataBytes` of 16-bit stereo PCM at the mix rate.
std::array<unsigned char, kWavHeaderBytes> WavHeader(std::uint32_t dataBytes)
{
    std::array<unsigned char, kWavHeaderBytes> header{};
    unsigned char* p = header.data();
    std::memcpy(p, "RIFF", 4);
    plat::StoreLe32(p + 4, kWavHeaderBytes - 8 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    plat::StoreLe32(p + 16, 16);
    plat::StoreLe16(p + 20, 1); // PCM
    plat::StoreLe16(p + 22, plat::kMixChannels);
    plat::StoreLe32(p + 24, plat::kMixRate);
    plat::StoreLe32(p + 28, plat::kMixRate * kBytesPerFrame);
    plat::StoreLe16(p + 32, kBytesPerFrame);
    plat::StoreLe16(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    plat::StoreLe32(p + 40, dataBytes);
    return header;
}

// The header is rewritten after every block, so the file is whole whenever
// the game ends.
void WriteToDump(const std::int16_t* samples, int frames)
{
    if (dump == nullptr)
        return;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(frames) * kBytesPerFrame);
    for (int i = 0; i < frames * plat::kMixChannels; ++i)
        plat::StoreLe16(bytes.data() + 2 * i, static_cast<std::uint16_t>(samples[i]));
    std::fseek(dump, 0, SEEK_END);
    std::fwrite(bytes.data(), 1, bytes.size(), dump);
    dumpDataBytes += static_cast<std::uint32_t>(bytes.size());
    const auto header = WavHeader(dumpDataBytes);
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
    const auto header = WavHeader(0);
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
