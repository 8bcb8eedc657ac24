#include "FreeTypeGlyphSource.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

#include "FontResolver.h"

namespace engine {

namespace {

// Rounded 26.6 fixed point to whole pixels.
int Pixels(FT_Pos value)
{
    return static_cast<int>((value + 32) >> 6);
}

// Coverage of one source pixel, 0..255.
int SourceCoverage(const FT_Bitmap& bitmap, int x, int y)
{
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
    const int greys = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    return row[x] * 255 / greys;
}

class FreeTypeGlyphSource final : public GlyphSource {
public:
    ~FreeTypeGlyphSource() override { Close(); }

    bool Open(const FontRequest& request) override
    {
        Close();
        if (request.height == 0)
            return false;
        FontFile file;
        if (!ResolveFontFile(request.face, request.weight, request.italic, kRequiredCoverage, &file))
            return false;
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return false;
        }
        if (FT_New_Face(library_, file.path.c_str(), file.index, &face_) != 0 || !FT_IS_SCALABLE(face_)) {
            Close();
            return false;
        }
        FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
        return ScaleTo(request.height);
    }

    FontMetrics Metrics() const override { return metrics_; }

    bool Measure(char16_t code, int format, GlyphShape* shape) override { return Load(code, format, false, shape); }

    bool Render(char16_t code, int format, GlyphShape* shape) override { return Load(code, format, true, shape); }

private:
    void Close()
    {
        if (face_)
            FT_Done_Face(face_);
        if (library_)
            FT_Done_FreeType(library_);
        face_ = nullptr;
        library_ = nullptr;
    }

    bool ScaleTo(int requestHeight)
    {
        const double unitsPerEm = face_->units_per_EM;
        double ascentUnits = face_->ascender;
        double descentUnits = -face_->descender;
        if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
            os2 && os2->version != 0xFFFF && os2->sTypoAscender - os2->sTypoDescender > 0) {
            ascentUnits = os2->sTypoAscender;
            descentUnits = -os2->sTypoDescender;
        }
        if (unitsPerEm <= 0 || ascentUnits + descentUnits <= 0)
            return false;
        const double em = requestHeight > 0 ? requestHeight * unitsPerEm / (ascentUnits + descentUnits)
                                            : static_cast<double>(-requestHeight);
        if (FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(em * 64.0)), 72, 72) != 0)
            return false;
        const double scale = em / unitsPerEm;
        metrics_.ascent = static_cast<int>(std::lround(ascentUnits * scale));
        metrics_.height =
            requestHeight > 0 ? requestHeight : metrics_.ascent + static_cast<int>(std::lround(descentUnits * scale));
        return true;
    }

    bool Load(char16_t code, int format, bool withBitmap, GlyphShape* shape)
    {
        const int levels = GlyphFormatLevels(format);
        if (!face_ || levels == 0)
            return false;
        const bool mono = format == kGlyphFormatMono;
        const FT_Int32 flags = FT_LOAD_RENDER | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        if (FT_Load_Char(face_, code, flags) != 0)
            return false;
        const FT_GlyphSlot slot = face_->glyph;
        if (slot->format != FT_GLYPH_FORMAT_BITMAP)
            return false;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
            return false;
        *shape = GlyphShape{};
        shape->cellAdvance = Pixels(slot->advance.x);
        if (bitmap.width == 0 || bitmap.rows == 0)
            return true; // blank: no box
        shape->blackBoxWidth = static_cast<int>(bitmap.width);
        shape->blackBoxHeight = static_cast<int>(bitmap.rows);
        shape->originX = slot->bitmap_left;
        shape->originY = slot->bitmap_top;
        if (withBitmap)
            CopyBitmap(bitmap, mono, levels, shape);
        return true;
    }

    static void CopyBitmap(const FT_Bitmap& bitmap, bool mono, int levels, GlyphShape* shape)
    {
        const int width = shape->blackBoxWidth;
        const int rowBytes = mono ? (width + 7) / 8 : width;
        shape->pitch = (rowBytes + 3) & ~3;
        shape->bits.assign(static_cast<std::size_t>(shape->pitch) * shape->blackBoxHeight, 0);
        for (int y = 0; y < shape->blackBoxHeight; ++y) {
            std::uint8_t* row = shape->bits.data() + static_cast<std::size_t>(y) * shape->pitch;
            for (int x = 0; x < width; ++x) {
                const int coverage = SourceCoverage(bitmap, x, y);
                if (mono) {
                    if (coverage >= 128)
                        row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
                } else {
                    row[x] = static_cast<std::uint8_t>((coverage * levels + 127) / 255);
                }
            }
        }
    }

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    FontMetrics metrics_;
};

} // namespace

std::unique_ptr<GlyphSource> MakeFreeTypeGlyphSource()
{
    return std::make_unique<FreeTypeGlyphSource>();
}

} // namespace engine
