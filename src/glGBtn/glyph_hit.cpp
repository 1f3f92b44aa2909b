#include "glyph_hit.h"

#include <cstddef>

namespace glgbtn {

TGlyphHit GlyphHitTest(const TGlyphPixels& glyph, int buttonWidth, int buttonHeight, int x, int y) {
    if (glyph.Empty()) return TGlyphHit::NoGlyph;
    if (x < 0 || y < 0 || x >= glyph.Width || y >= glyph.Height || x >= buttonWidth ||
        y >= buttonHeight)
        return TGlyphHit::Off;
    std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(glyph.Width) +
                        static_cast<std::size_t>(x);
    if (index >= glyph.Colors.size()) return TGlyphHit::Off;
    return glyph.Colors[index] != glyph.Key ? TGlyphHit::On : TGlyphHit::Off;
}

} // namespace glgbtn
