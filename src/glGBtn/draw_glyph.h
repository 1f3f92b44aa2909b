#pragma once
// Drawing a button glyph: plain or etched, opaque or with its key colour left out.
#include "glyph_hit.h"
#include "toolkit/graphics/graphics.h"

namespace glgbtn {

enum class TGlyphDrawStyle { Normal, Disabled };

// The glyph's key colour: its bottom-left pixel as its own device context reads it; 0 when the
// glyph is empty.
COLORREF GlyphKeyColor(const tk::TBitmap& glyph);

// The glyph's pixels and key colour, for the hit test.
TGlyphPixels ReadGlyphPixels(const tk::TBitmap& glyph);

// Draws the glyph at its own size with its top-left corner at (x, y). With `transparent` the
// pixels equal to `key` leave the surface as it was. The disabled style shows only the glyph's
// black pixels, etched in the system's highlight and shadow colours on the button face, and
// then the face colour is the one left out.
void DrawGlyph(HDC dc, const tk::TBitmap& glyph, int x, int y, COLORREF key, bool transparent,
               TGlyphDrawStyle style);

} // namespace glgbtn
