// Glyph shapes from an installed font through FreeType, measured the way the
// text objects expect a Windows font to be measured:
// - a positive request height is the cell height: the font's typographic
//   ascender plus descender (OS/2 sTypoAscender − sTypoDescender, or the
//   horizontal header's when there is no OS/2 table) is scaled to it, and the
//   font's height is exactly that number. For a Japanese gothic face that
//   span is the em box, so a full-width character advances by the cell
//   height, as it does in the Windows face the game names. (The Windows
//   metrics are not used: the substitute faces reserve extra room below the
//   em box there, which would shrink every glyph.)
// - a negative request height is the em height itself;
// - the ascent is the scaled ascender, rounded;
// - a character's cell advance is its hinted horizontal advance in whole
//   pixels, its box the rendered bitmap's size, its origin the bitmap's left
//   and top bearings.
#pragma once

#include "GlyphSource.h"

namespace engine {

std::unique_ptr<GlyphSource> MakeFreeTypeGlyphSource();

} // namespace engine
