// Textures loaded from pack entries: PNG images of every kind become
// A8R8G8B8 textures of exactly their size; anything else is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "EngineState.h"
#include "FilePackDerived.h"
#include "PackWriter.h"
#include "PngFixtures.h"
#include "TempFolder.h"
#include "platform/SoftwareDevice.h"

using pngfixture::MakePng;
using pngfixture::PngSpec;

namespace {

struct PngCase {
    const char* name;
    PngSpec spec;
    std::vector<std::uint32_t> texels; // expected, 0xAARRGGBB
};

std::vector<PngCase> Cases()
{
    std::vector<PngCase> cases;
    {
        // RGBA, 3 × 5, every texel different.
        PngSpec spec{3, 5, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, {}, {}, {}};
        std::vector<std::uint32_t> texels;
        for (std::uint32_t i = 0; i < 15; ++i) {
            const std::uint8_t r = static_cast<std::uint8_t>(i * 16), g = static_cast<std::uint8_t>(255 - i),
                               b = static_cast<std::uint8_t>(i * 3), a = static_cast<std::uint8_t>(i * 17);
            spec.samples.insert(spec.samples.end(), {r, g, b, a});
            texels.push_back(static_cast<std::uint32_t>(a) << 24 | r << 16 | g << 8 | b);
        }
        cases.push_back({"rgba", spec, texels});
    }
    {
        // Palette of four with tRNS for the first two, 2 bits per index.
        PngSpec spec{
            3, 5, PNG_COLOR_TYPE_PALETTE, 2, false, {}, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}}, {0, 128}};
        const std::uint32_t colours[4] = {0x00FF0000u, 0x8000FF00u, 0xFF0000FFu, 0xFF090807u};
        std::vector<std::uint32_t> texels;
        for (std::uint32_t y = 0; y < 5; ++y) {
            std::uint8_t packed = 0;
            for (std::uint32_t x = 0; x < 3; ++x) {
                const std::uint32_t index = (x + y) % 4;
                packed |= static_cast<std::uint8_t>(index << (6 - 2 * x));
                texels.push_back(colours[index]);
            }
            spec.samples.push_back(packed);
        }
        cases.push_back({"palette with transparency", spec, texels});
    }
    {
        PngSpec spec{3, 5, PNG_COLOR_TYPE_GRAY, 8, false, {}, {}, {}};
        std::vector<std::uint32_t> texels;
        for (std::uint32_t i = 0; i < 15; ++i) {
            const std::uint32_t grey = i * 18;
            spec.samples.push_back(static_cast<std::uint8_t>(grey));
            texels.push_back(0xFF000000u | grey << 16 | grey << 8 | grey);
        }
        cases.push_back({"grey", spec, texels});
    }
    {
        PngSpec spec{3, 5, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {}, {}, {}};
        std::vector<std::uint32_t> texels;
        for (std::uint32_t i = 0; i < 15; ++i) {
            const std::uint32_t grey = 200 - i * 10, alpha = i * 15;
            spec.samples.insert(spec.samples.end(),
                                {static_cast<std::uint8_t>(grey), static_cast<std::uint8_t>(alpha)});
            texels.push_back(alpha << 24 | grey << 16 | grey << 8 | grey);
        }
        cases.push_back({"grey with alpha", spec, texels});
    }
    {
        // 16 bits a channel: the high byte counts.
        PngSpec spec{3, 5, PNG_COLOR_TYPE_RGB, 16, false, {}, {}, {}};
        std::vector<std::uint32_t> texels;
        for (std::uint32_t i = 0; i < 15; ++i) {
            const std::uint8_t high = static_cast<std::uint8_t>(i * 17);
            spec.samples.insert(spec.samples.end(),
                                {high, 0xFF, static_cast<std::uint8_t>(255 - high), 0x01, 0x42, 0x80});
            texels.push_back(0xFF000000u | static_cast<std::uint32_t>(high) << 16 |
                             static_cast<std::uint32_t>(255 - high) << 8 | 0x42u);
        }
        cases.push_back({"16-bit", spec, texels});
    }
    {
        // Interlaced, large enough that every pass holds pixels.
        PngSpec spec{9, 7, PNG_COLOR_TYPE_RGB, 8, true, {}, {}, {}};
        std::vector<std::uint32_t> texels;
        for (std::uint32_t y = 0; y < 7; ++y) {
            for (std::uint32_t x = 0; x < 9; ++x) {
                const std::uint8_t r = static_cast<std::uint8_t>(x * 28), g = static_cast<std::uint8_t>(y * 36),
                                   b = static_cast<std::uint8_t>((x * y) & 0xFF);
                spec.samples.insert(spec.samples.end(), {r, g, b});
                texels.push_back(0xFF000000u | static_cast<std::uint32_t>(r) << 16 | g << 8 | b);
            }
        }
        cases.push_back({"interlaced", spec, texels});
    }
    return cases;
}

class PackTexture : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DPRESENT_PARAMETERS parameters{};
        parameters.Windowed = true;
        ASSERT_EQ(plat::CreateSoftwareDevice(parameters, &engine::State().sharedDevice), D3D_OK);
    }

    void TearDown() override
    {
        engine::State().sharedDevice->Release();
        engine::State().sharedDevice = nullptr;
    }

    bool OpenPack(const std::vector<packwriter::Bytes>& entries)
    {
        const auto path = folder / "Pack.dat";
        return packwriter::WritePack(path, entries) && pack.Init(1) && pack.OpenPack(path.c_str(), 0);
    }

    testsupport::TempFolder folder;
    CFilePackDerived pack;
};

TEST_F(PackTexture, PngKindsBecomeTexturesOfExactSizeAndTexels)
{
    const std::vector<PngCase> cases = Cases();
    std::vector<packwriter::Bytes> entries;
    for (const PngCase& c : cases)
        entries.push_back(MakePng(c.spec));
    ASSERT_TRUE(OpenPack(entries));
    for (std::size_t e = 0; e < cases.size(); ++e) {
        const PngCase& c = cases[e];
        Direct3DTexture9* texture = nullptr;
        ASSERT_TRUE(pack.LoadTexture(&texture, 0, static_cast<int>(e))) << c.name;
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
        EXPECT_EQ(desc.Width, c.spec.width) << c.name;
        EXPECT_EQ(desc.Height, c.spec.height) << c.name;
        EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8) << c.name;
        EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED) << c.name;
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        for (std::uint32_t y = 0; y < desc.Height; ++y) {
            for (std::uint32_t x = 0; x < desc.Width; ++x) {
                std::uint32_t texel = 0;
                std::memcpy(&texel, static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4, 4);
                EXPECT_EQ(texel, c.texels[y * desc.Width + x]) << c.name << " at " << x << "," << y;
            }
        }
        texture->UnlockRect(0);
        pack.ReleaseTexture(texture);
    }
    pack.ReleaseTexture(nullptr); // nothing to give back
}

TEST_F(PackTexture, EntriesThatAreNotWholePngImagesAreRefused)
{
    const packwriter::Bytes good = MakePng(Cases()[0].spec);
    packwriter::Bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    packwriter::Bytes corrupted = good;
    corrupted[good.size() / 2] ^= 0xFF; // breaks the compressed data's checksum
    packwriter::Bytes noHeader = good;
    std::memcpy(noHeader.data() + 12, "IHDX", 4);
    // Found by fuzzing: a text chunk after the header whose length claims 1.9 GB.
    packwriter::Bytes hugeChunk(good.begin(), good.begin() + 33);
    const unsigned char claim[] = {0x73, 0x73, 0x73, 0x74, 't', 'E', 'X', 't', 'a', 0, 'b'};
    hugeChunk.insert(hugeChunk.end(), std::begin(claim), std::end(claim));
    hugeChunk.insert(hugeChunk.end(), good.begin() + 33, good.end());
    const std::string text = "program game-over\n";
    ASSERT_TRUE(
        OpenPack({packwriter::Bytes(text.begin(), text.end()), truncated, corrupted, noHeader, {}, good, hugeChunk}));
    for (int entry : {0, 1, 2, 3, 4, 6, 7, -1}) {
        Direct3DTexture9* texture = reinterpret_cast<Direct3DTexture9*>(1);
        EXPECT_FALSE(pack.LoadTexture(&texture, 0, entry)) << entry;
        EXPECT_EQ(texture, nullptr) << entry;
    }
    Direct3DTexture9* texture = nullptr;
    EXPECT_FALSE(pack.LoadTexture(&texture, 1, 5)); // no such pack
    ASSERT_TRUE(pack.LoadTexture(&texture, 0, 5));
    pack.ReleaseTexture(texture);

    // Without a device nothing can be made.
    Direct3DDevice9* device = engine::State().sharedDevice;
    engine::State().sharedDevice = nullptr;
    EXPECT_FALSE(pack.LoadTexture(&texture, 0, 5));
    engine::State().sharedDevice = device;
}

} // namespace
