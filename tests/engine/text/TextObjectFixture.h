// A text object on a recording device and a fake glyph source, with the
// host's two render-state caches hooked up, and the settings of the game's
// five text objects.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EngineState.h"
#include "FakeGlyphSource.h"
#include "TextTextureDerived.h"
#include "fakes/RecordingDevice.h"

namespace texttest {

using fakes::MemoryTexture;
using fakes::RecordingDevice;
using DrawCall = fakes::DrawnPrimitive;

struct TextSettings {
    int height;
    int weight;
    std::string face;
    int tableBits;
    std::uint32_t textColour;
    int outputPrecision;
    int italic;
    int glyphFormat;
    float intensity;
    std::uint8_t inkThreshold;
    int edgeWidth;
    std::uint32_t edgeColour;
    int shadowOffset;
    std::uint32_t shadowColour;
    bool proportional;
    int fullWidthAdvance;
    int halfWidthAdvance;
    int revealSpeed;
    float fade;
    bool indent;
};

// The game's text objects.
inline const TextSettings kMainText{22, 0, "ＭＳ ゴシック", 6,     0xFFFFFFFF, 0,  0, 5,    0.65f, 0, 0,
                                    0,  2, 0xFF000000,      false, 22,         12, 1, 0.5f, true};
inline const TextSettings kBattle16{16,         200, "ＭＳゴシック", 0,     0xFFFFFFFF, 0, 0, 1,    1.0f, 0, 0,
                                    0xFF000000, 0,   0xFF000000,     false, 16,         8, 0, 0.0f, false};
inline const TextSettings kBattle30{30,         200, "ＭＳゴシック", 0,     0xFFFFFFFF, 0,  0, 6,    1.0f, 0, 0,
                                    0xFF000000, 0,   0xFF000000,     false, 30,         15, 0, 0.0f, false};
inline const TextSettings kBattleEffects16{16,         200, "ＭＳゴシック", 0,     0xFFFFFFFF, 0, 0, 6,    1.0f, 0, 0,
                                           0xFF000000, 2,   0xFF000000,     false, 17,         9, 0, 0.0f, false};
inline const TextSettings kBanner{26,         0, "ＭＳ ゴシック", 6,    0xFFFFFFFF, 0,  0, 4,    1.0f, 0, 4,
                                  0xFF000000, 0, 0xFF000000,      true, -1,         -1, 0, 0.0f, false};

inline bool InitText(Zeph::CTextTexture& text, const TextSettings& s)
{
    return text.Init(s.height, s.weight, s.face.c_str(), s.tableBits, s.textColour, s.outputPrecision, s.italic,
                     s.glyphFormat, s.intensity, s.inkThreshold, s.edgeWidth, s.edgeColour, s.shadowOffset,
                     s.shadowColour, s.proportional, s.fullWidthAdvance, s.halfWidthAdvance, s.revealSpeed, s.fade,
                     s.indent);
}

// Plain settings for layout tests: 16-pixel font, no outline or shadow,
// advances from the font, reveal speed 1 and no fade.
inline TextSettings PlainSettings()
{
    return TextSettings{16, 0,          "Fake", 4,          0xFFFFFFFF, 0,  0,  6, 1.0f, 0,
                        0,  0xFF000000, 0,      0xFF000000, false,      -1, -1, 1, 0.0f, false};
}

class TextObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& state = engine::State();
        saved_ = state;
        state.sharedDevice = &device;
        state.currentFvf = &currentFvf;
        state.currentTexture = &currentTexture;
        MakeText();
    }

    void TearDown() override
    {
        text.reset();
        engine::State() = saved_;
    }

    // A fresh object on a fresh fake source (the old one is dropped).
    void MakeText()
    {
        auto fake = std::make_unique<FakeGlyphSource>();
        source = fake.get();
        text = std::make_unique<CTextTextureDerived>(std::move(fake));
    }

    void Init(const TextSettings& settings) { ASSERT_TRUE(InitText(*text, settings)); }

    RecordingDevice device;
    std::uint32_t currentFvf = 0;
    Direct3DTexture9* currentTexture = nullptr;
    FakeGlyphSource* source = nullptr;
    std::unique_ptr<CTextTextureDerived> text;

private:
    engine::EngineState saved_;
};

} // namespace texttest
