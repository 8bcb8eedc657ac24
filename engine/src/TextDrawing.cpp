// Drawing: one quad per glyph on the shared device, through the host's
// vertex-format and texture caches, with the typewriter reveal.
#include <algorithm>
#include <cstdint>

#include "EngineState.h"
#include "TextCharacters.h"
#include "TextTextureDerived.h"
#include "platform/Device.h"

namespace {

std::uint32_t WithAlpha(std::uint32_t colour, std::uint32_t alpha)
{
    return (alpha << 24) | (colour & 0x00FFFFFFu);
}

// The reveal's progress is counted in 64 bits so no count and speed overflow it.
struct Reveal {
    std::int64_t budget;    // progress up to which glyphs show
    std::int64_t fadeStart; // progress from which they fade out towards the budget
    float fade;
    float colourAlphaFactor;

    // The colour at a glyph edge `edge` units of progress in.
    std::uint32_t ColourAt(std::int64_t edge, std::uint32_t colour) const
    {
        if (edge <= fadeStart)
            return colour;
        // Beyond 255 the clamp decides anyway; bounding first keeps the truncation defined.
        const double ramp =
            std::clamp(static_cast<double>(edge - fadeStart) / static_cast<double>(fade), -256.0, 256.0);
        const double alpha = std::clamp(255.0 - static_cast<double>(static_cast<int>(ramp)), 0.0, 255.0);
        return WithAlpha(colour, static_cast<std::uint32_t>(alpha * colourAlphaFactor));
    }
};

void SetVertexFormat(Direct3DDevice9* device, std::uint32_t format)
{
    std::uint32_t* cache = engine::State().currentFvf;
    if (cache && *cache == format)
        return;
    device->SetFVF(format);
    if (cache)
        *cache = format;
}

void SetGlyphTexture(Direct3DDevice9* device, Direct3DTexture9* texture)
{
    Direct3DTexture9** cache = engine::State().currentTexture;
    if (cache && *cache == texture)
        return;
    device->SetTexture(0, texture);
    if (cache)
        *cache = texture;
}

void DrawQuad(Direct3DDevice9* device, const engine::GlyphQuad& quad)
{
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.corner, sizeof(TexturedVertex));
}

} // namespace

bool CTextTextureDerived::DrawString(const float position[3], std::uint32_t colour, const char16_t* text, int length,
                                     float lineAdvance, float widthLimit, int revealCount, int minimumAdvance)
{
    Direct3DDevice9* device = engine::State().sharedDevice;
    if (!device || !position || !text)
        return false;
    wholeQuad_.SetDepth(position[2]);
    partialQuad_.SetDepth(position[2]);
    SetVertexFormat(device, FVF_TEXTURED);

    const float lineStart = position[0] + LineStart(text, length);
    const float advanceDown = LineAdvanceOr(lineAdvance);
    const float rightLimit = position[0] + widthLimit;
    float penX = position[0];
    float penY = position[1];

    Reveal reveal;
    reveal.budget = revealCount == kRevealAll ? kRevealAll : std::int64_t{revealCount} * revealSpeed_;
    reveal.fadeStart = reveal.budget - fadeWidth_;
    reveal.fade = fade_;
    reveal.colourAlphaFactor = static_cast<float>(colour >> 24) / 255.0f;
    if (reveal.colourAlphaFactor == 0.0f)
        return true;
    std::int64_t progress = 0;

    for (char16_t code : engine::TextCharacters(text, length)) {
        if (code == u'\n') {
            penX = lineStart;
            penY += advanceDown;
            continue;
        }
        if (const int space = SpaceAdvance(code); space >= 0) {
            penX += static_cast<float>(std::max(space, minimumAdvance));
            progress += space;
            continue;
        }

        const Zeph::GlyphRecord* glyph = GetGlyph(code);
        if (!glyph)
            return false;
        const std::int64_t leftEdge = progress + glyph->left;
        const std::int64_t rightEdge = leftEdge + glyph->width;
        if (leftEdge >= reveal.budget)
            return true; // this and every later glyph are not revealed yet
        SetGlyphTexture(device, glyph->texture);
        const int advance = std::max<int>(glyph->advance, minimumAdvance);
        if (penX + static_cast<float>(advance) > rightLimit) {
            penX = lineStart;
            penY += advanceDown;
        }
        const float x = penX + static_cast<float>(glyph->left) - 0.5f;
        const float y = penY + static_cast<float>(glyph->top) - 0.5f;
        const std::uint32_t leftColour = reveal.ColourAt(leftEdge, colour);
        if (rightEdge > reveal.budget) {
            const auto shown = static_cast<float>(reveal.budget - leftEdge);
            partialQuad_.Place(x, y, shown, glyph->height, leftColour, WithAlpha(colour, 0),
                               shown / static_cast<float>(glyph->width));
            DrawQuad(device, partialQuad_);
            return true;
        }
        wholeQuad_.Place(x, y, glyph->width, glyph->height, leftColour, reveal.ColourAt(rightEdge, colour), 1.0f);
        DrawQuad(device, wholeQuad_);
        penX += static_cast<float>(advance);
        progress += glyph->advance;
    }
    return true;
}
