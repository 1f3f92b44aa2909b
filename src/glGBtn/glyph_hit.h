#pragma once
// The per-pixel hit test of a glyph, on a plain copy of its pixels. No operating system here.
#include "glyph_state.h"

#include <cstdint>
#include <vector>

namespace glgbtn {

// A glyph's colours as 0x00BBGGRR, row by row from the top, with its key colour.
struct TGlyphPixels {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Colors;
    std::uint32_t Key = 0;

    bool Empty() const { return Width <= 0 || Height <= 0; }
};

// Whether the point (button coordinates) lies on a pixel of the glyph that is not its key
// colour. Only the part of the glyph inside the button counts: what exceeds the button is
// clipped away when drawn, so the pointer cannot be over it.
TGlyphHit GlyphHitTest(const TGlyphPixels& glyph, int buttonWidth, int buttonHeight, int x, int y);

} // namespace glgbtn
