#include "TextTextureDerived.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "EngineState.h"
#include "FreeTypeGlyphSource.h"
#include "GlyphCharSets.h"
#include "GlyphPainter.h"
#include "platform/Device.h"

namespace {

constexpr char16_t kHiraganaA = u'\u3042';
constexpr char16_t kLatinA = u'a';
constexpr char16_t kOpeningBracket = u'\u300C';
// Beyond 16 bits every code has a bucket of its own already.
constexpr int kMaxTableBits = 16;

bool FitsRecord(int value)
{
    return value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max();
}

// int(value), kept within int's range (NaN gives 0).
int ClampedInt(double value)
{
    if (!(value == value))
        return 0;
    return static_cast<int>(
        std::clamp(value, double{std::numeric_limits<int>::min()}, double{std::numeric_limits<int>::max()}));
}

// Characters PrepareString never renders: line ends, TAB and the two spaces.
bool IsNeverPrepared(char16_t code)
{
    return code == u'\r' || code == u'\n' || code == u'\t' || code == u' ' || code == u'\u3000';
}

} // namespace

CTextTextureDerived::CTextTextureDerived(std::unique_ptr<engine::GlyphSource> source) : source_(std::move(source)) {}

bool CTextTextureDerived::Init(int height, int weight, const char* face, int tableBits, std::uint32_t textColour,
                               int /*outputPrecision*/, int italic, int glyphFormat, float intensity,
                               std::uint8_t inkThreshold, int edgeWidth, std::uint32_t edgeColour, int shadowOffset,
                               std::uint32_t shadowColour, bool proportional, int fullWidthAdvance,
                               int halfWidthAdvance, int revealSpeed, float fade, bool indent)
{
    initialised_ = false;
    if (!source_ || tableBits < 0)
        return false;
    try {
        table_.Reset(std::min(tableBits, kMaxTableBits));
    } catch (const std::bad_alloc&) {
        return false;
    }

    if (!engine::MakeGlyphStyle(glyphFormat, intensity, inkThreshold, textColour, edgeWidth, edgeColour, shadowOffset,
                                shadowColour, &style_))
        return false;
    proportional_ = proportional;
    fullWidthOverride_ = fullWidthAdvance;
    halfWidthOverride_ = halfWidthAdvance;
    revealSpeed_ = revealSpeed;
    fade_ = fade;
    fadeWidth_ = ClampedInt(255.0 * fade);

    engine::FontRequest request;
    request.height = height;
    request.weight = weight;
    request.face = face ? face : "";
    request.italic = italic != 0;
    if (!source_->Open(request))
        return false;
    font_ = source_->Metrics();
    engine::GlyphShape full;
    engine::GlyphShape half;
    if (!source_->Measure(kHiraganaA, style_.format, &full) || !source_->Measure(kLatinA, style_.format, &half))
        return false;
    fullWidthAdvance_ = full.cellAdvance;
    halfWidthAdvance_ = half.cellAdvance;

    const int margins = 2 * style_.outer + style_.shadowOffset;
    lineHeight_ = font_.height + margins;
    fullWidthSpace_ = fullWidthOverride_ != -1 ? fullWidthOverride_ : fullWidthAdvance_ + margins;
    halfWidthSpace_ = halfWidthOverride_ != -1 ? halfWidthOverride_ : halfWidthAdvance_ + margins;

    initialised_ = true;
    indentWidth_ = 0.0f;
    if (indent) {
        const int width = GetStringWidth(&kOpeningBracket, 1);
        if (width < 0) {
            initialised_ = false;
            return false;
        }
        indentWidth_ = static_cast<float>(width);
    }
    return true;
}

bool CTextTextureDerived::PrepareCharSets(int setFlags)
{
    for (const engine::GlyphCharSet& set : engine::kGlyphCharSets) {
        if ((setFlags & set.flag) == 0)
            continue;
        for (char16_t code : set.characters) {
            if (!GetGlyph(code))
                return false;
        }
    }
    return true;
}

bool CTextTextureDerived::PrepareString(const char16_t* text)
{
    if (!text)
        return false;
    for (; *text; ++text) {
        if (!IsNeverPrepared(*text) && !GetGlyph(*text))
            return false;
    }
    return true;
}

Zeph::GlyphRecord* CTextTextureDerived::GetGlyph(char16_t code)
{
    if (!initialised_)
        return nullptr;
    if (Zeph::GlyphRecord* found = table_.Find(code))
        return found;
    // A glyph that cannot be rendered leaves nothing in the table, so a later
    // call tries again instead of finding a record without a texture.
    Zeph::GlyphRecord shape{};
    Direct3DTexture9* texture = nullptr;
    if (!RenderGlyph(code, &shape, &texture))
        return nullptr;
    Zeph::GlyphRecord* record = table_.Insert(code);
    if (!record) {
        texture->Release();
        return nullptr;
    }
    record->texture = texture;
    record->width = shape.width;
    record->height = shape.height;
    record->advance = shape.advance;
    record->left = shape.left;
    record->top = shape.top;
    return record;
}

int CTextTextureDerived::GlyphAdvance(int cellAdvance, int left, int width) const
{
    if (fullWidthOverride_ != -1) {
        const int fixedAdvance = cellAdvance == font_.height ? fullWidthOverride_ : halfWidthOverride_;
        if (fixedAdvance != -1)
            return fixedAdvance;
    } else if (proportional_) {
        return std::max(cellAdvance, left + width);
    }
    return cellAdvance + style_.shadowOffset + 2 * style_.outer;
}

bool CTextTextureDerived::RenderGlyph(char16_t code, Zeph::GlyphRecord* record, Direct3DTexture9** texture)
{
    Direct3DDevice9* device = engine::State().sharedDevice;
    engine::GlyphShape shape;
    if (!device || !source_->Render(code, style_.format, &shape))
        return false;

    // A blank glyph still gets a box of one pixel, so its texture is never empty.
    int boxWidth = shape.blackBoxWidth > 0 && shape.blackBoxHeight > 0 ? shape.blackBoxWidth : 1;
    int boxHeight = shape.blackBoxWidth > 0 && shape.blackBoxHeight > 0 ? shape.blackBoxHeight : 1;
    int originX = shape.originX;
    if (originX < 0) {
        boxWidth -= originX;
        originX = 0;
    }
    const int cellAdvance = std::max(shape.cellAdvance, originX + boxWidth);

    const int margins = 2 * style_.outer + style_.shadowOffset;
    const int width = boxWidth + margins;
    const int height = boxHeight + margins;
    const int top = font_.ascent - shape.originY;
    const int advance = GlyphAdvance(cellAdvance, originX, width);
    if (!FitsRecord(width) || !FitsRecord(height) || !FitsRecord(top) || !FitsRecord(advance) || !FitsRecord(originX))
        return false;
    record->width = static_cast<std::int16_t>(width);
    record->height = static_cast<std::int16_t>(height);
    record->left = static_cast<std::int16_t>(originX);
    record->top = static_cast<std::int16_t>(top);
    record->advance = static_cast<std::int16_t>(advance);

    Direct3DTexture9* made = nullptr;
    if (FAILED(device->CreateTexture(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1, 0,
                                     D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &made)) ||
        !made)
        return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(made->LockRect(0, &locked, nullptr, 0)) || !locked.pBits || locked.Pitch < width * 4) {
        made->Release();
        return false;
    }
    auto* rows = static_cast<std::uint8_t*>(locked.pBits);
    for (int y = 0; y < height; ++y)
        std::memset(rows + static_cast<std::ptrdiff_t>(y) * locked.Pitch, 0, static_cast<std::size_t>(width) * 4);
    const engine::TexelImage image{static_cast<std::uint32_t*>(locked.pBits), width, height, locked.Pitch / 4};
    engine::PaintGlyph(style_, shape, image);
    made->UnlockRect(0);
    *texture = made;
    return true;
}

void CTextTextureDerived::ClearGlyphs()
{
    table_.Clear();
}

void CTextTextureDerived::Release()
{
    delete this;
}

Zeph::CTextTexture* CreateTextTexture()
{
    try {
        return new CTextTextureDerived(engine::MakeFreeTypeGlyphSource());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
