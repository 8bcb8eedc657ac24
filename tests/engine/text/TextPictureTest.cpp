// Draws the game's text styles with the installed font on the software
// device and writes the presented frame to text_picture.png: the preloaded
// character sets, a wrapped "「…」" message half revealed, the edged banner
// style and the shadowed battle style. The checks are coarse; the picture is
// there to be looked at.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FreeTypeGlyphSource.h"
#include "GlyphCharSets.h"
#include "TextObjectFixture.h"
#include "platform/PngWriter.h"
#include "platform/SoftwareDevice.h"

namespace texttest {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr std::uint32_t kBackground = 0xFF406080;

// A box on the picture, right and bottom excluded.
struct Box {
    int left, top, right, bottom;
};

class TextPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = kWidth;
        parameters.BackBufferHeight = kHeight;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.Windowed = true;
        ASSERT_EQ(plat::CreateSoftwareDevice(parameters, &device), D3D_OK);
        auto& state = engine::State();
        saved_ = state;
        state.sharedDevice = device;
        state.currentFvf = &currentFvf;
        state.currentTexture = &currentTexture;

        // The frame as the game draws it: source-alpha blending, texel times
        // diffuse colour for colour and alpha alike.
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kBackground, 1.0f, 0);
        ASSERT_EQ(device->BeginScene(), D3D_OK);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        const std::pair<D3DTEXTURESTAGESTATETYPE, std::uint32_t> stageStates[] = {
            {D3DTSS_COLOROP, D3DTOP_MODULATE}, {D3DTSS_COLORARG1, D3DTA_TEXTURE}, {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
            {D3DTSS_ALPHAOP, D3DTOP_MODULATE}, {D3DTSS_ALPHAARG1, D3DTA_TEXTURE}, {D3DTSS_ALPHAARG2, D3DTA_DIFFUSE}};
        for (const auto& [type, value] : stageStates)
            device->SetTextureStageState(0, type, value);
    }

    void TearDown() override
    {
        objects_.clear(); // their glyph textures go before the device
        engine::State() = saved_;
        if (device != nullptr) {
            EXPECT_EQ(device->Release(), 0u) << "glyph textures left behind";
        }
    }

    CTextTextureDerived& Make(const TextSettings& settings)
    {
        objects_.push_back(std::make_unique<CTextTextureDerived>(engine::MakeFreeTypeGlyphSource()));
        EXPECT_TRUE(InitText(*objects_.back(), settings));
        return *objects_.back();
    }

    void Draw(CTextTextureDerived& object, float x, float y, const std::u16string& s, std::uint32_t colour,
              float lineAdvance = 0.0f, float widthLimit = 65536.0f, int reveal = CTextTextureDerived::kRevealAll)
    {
        const float position[3] = {x, y, 0.3f};
        ASSERT_TRUE(object.DrawString(position, colour, s.c_str(), static_cast<int>(s.size()), lineAdvance, widthLimit,
                                      reveal, 0));
    }

    void Fill(const Box& box, std::uint32_t colour)
    {
        const RECT rect{box.left, box.top, box.right, box.bottom};
        device->Clear(1, &rect, D3DCLEAR_TARGET, colour, 1.0f, 0);
    }

    // Ends the frame, presents it and reads the presented picture back.
    void Present()
    {
        ASSERT_EQ(device->EndScene(), D3D_OK);
        ASSERT_EQ(device->Present(), D3D_OK);
        Direct3DSurface9* surface = nullptr;
        ASSERT_EQ(device->CreateOffscreenPlainSurface(kWidth, kHeight, D3DFMT_A8R8G8B8, D3DPOOL_SCRATCH, &surface),
                  D3D_OK);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(device->GetFrontBufferData(0, surface), D3D_OK);
        EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        picture_.assign(static_cast<std::size_t>(kWidth) * kHeight, 0);
        for (int y = 0; y < kHeight && locked.pBits != nullptr; ++y) {
            const auto* row = static_cast<const std::uint32_t*>(locked.pBits) + y * (locked.Pitch / 4);
            std::copy(row, row + kWidth, picture_.begin() + static_cast<std::ptrdiff_t>(y) * kWidth);
        }
        surface->UnlockRect();
        surface->Release();
    }

    bool WritePicture(const std::string& path) const
    {
        const std::vector<std::uint8_t> png = plat::EncodePng(picture_.data(), kWidth, kHeight, kWidth);
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        return !png.empty() && file.good();
    }

    // Pixels inside `box` that are (or, with `other`, are not) `colour`.
    int Count(const Box& box, std::uint32_t colour, bool other = false) const
    {
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x)
                count += (picture_[static_cast<std::size_t>(y) * kWidth + x] == colour) != other;
        }
        return count;
    }

    Direct3DDevice9* device = nullptr;
    std::uint32_t currentFvf = 0;
    Direct3DTexture9* currentTexture = nullptr;

private:
    engine::EngineState saved_;
    std::vector<std::unique_ptr<CTextTextureDerived>> objects_;
    std::vector<std::uint32_t> picture_;
};

TEST_F(TextPictureTest, GameTextStyles)
{
    // The main object with its preloaded sets, each set as listed.
    CTextTextureDerived& main = Make(kMainText);
    ASSERT_TRUE(main.PrepareCharSets(0x1F));
    std::u16string latin;
    float y = 8.0f;
    for (const engine::GlyphCharSet& set : engine::kGlyphCharSets) {
        if (set.flag == 0x10 || set.flag == 0x08) {
            Draw(main, 10.0f, y, std::u16string(set.characters), 0xFFFFFFFF, 0.0f, 620.0f);
            y += 3.0f * static_cast<float>(main.LineHeight());
        } else {
            latin += std::u16string(set.characters) + u" ";
        }
    }
    Draw(main, 10.0f, y, latin, 0xFFFFFFFF, 0.0f, 620.0f);

    // A message that opens with "「", wrapped at 286 pixels on 32-pixel lines
    // and half revealed: its first line shows, its last one not yet.
    constexpr std::uint32_t kMessageBox = 0xFF102050;
    Fill({10, 232, 330, 470}, kMessageBox);
    const std::u16string message =
        u"「ようこそ、ヴェルモラの村へ。北の森には魔物が出るから、夜は決して外へ出てはいけないよ。」";
    float pen[2] = {};
    const int total = main.MeasureString(message.c_str(), static_cast<int>(message.size()), pen, 32.0f, 286.0f);
    ASSERT_GT(total, 0);
    const float lines = pen[1] / 32.0f + 1.0f;
    ASSERT_GE(lines, 3.0f) << "the message should wrap onto several lines";
    Draw(main, 24.0f, 244.0f, message, 0xFFFFFFFF, 32.0f, 286.0f, total / 2);

    // The place-name banner: white with a black edge.
    constexpr Box kBannerBox{340, 232, 630, 300};
    Fill(kBannerBox, 0xFF5A8A3A);
    Draw(Make(kBanner), 360.0f, 248.0f, u"ヴェルモラの村", 0xFFFFFFFF);

    // Battle texts: the shadowed 16-pixel effects style and the 30-pixel digits.
    constexpr Box kBattleBox{340, 310, 630, 470};
    Fill(kBattleBox, 0xFF7A4A3A);
    CTextTextureDerived& effects = Make(kBattleEffects16);
    Draw(effects, 360.0f, 322.0f, u"ダメージ 1234", 0xFFFFFFFF);
    Draw(effects, 360.0f, 346.0f, u"Miss! かいふく 567", 0xFFFFE060);
    Draw(Make(kBattle16), 360.0f, 374.0f, u"ＨＰ 120/350  ＭＰ 40", 0xFFFFFFFF);
    Draw(Make(kBattle30), 360.0f, 400.0f, u"9999", 0xFFFFFFFF);

    Present();
    EXPECT_TRUE(WritePicture("text_picture.png"));

    const auto lastLineTop = static_cast<int>(244.0f + 32.0f * (lines - 1.0f));
    EXPECT_GT(Count({10, 244, 330, 276}, kMessageBox, true), 200) << "the first line is revealed";
    EXPECT_EQ(Count({10, lastLineTop, 330, lastLineTop + 32}, kMessageBox, true), 0) << "the last line is not";
    EXPECT_GT(Count(kBannerBox, 0xFF000000), 100) << "the banner's edge";
    EXPECT_GT(Count(kBannerBox, 0xFFFFFFFF), 100);
    EXPECT_GT(Count({340, 310, 630, 370}, 0xFF000000), 50) << "the shadows";
    EXPECT_GT(Count({0, 0, kWidth, 230}, kBackground, true), 2000) << "the character sets";
}

} // namespace
} // namespace texttest
