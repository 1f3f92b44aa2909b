#pragma once
// Whether a symbol font the system selected draws a character: the face it chose must be the one
// asked for (a missing face is silently replaced by another), and the face must have a glyph for
// the character. Where it does not, a program draws the character from a font of its own.
#include <string_view>

namespace tk {

// What GetGlyphIndicesW with GGI_MARK_NONEXISTING_GLYPHS answers for a character it has no glyph
// for.
inline constexpr unsigned kMissingGlyph = 0xFFFF;

// True when the selected font cannot stand for the requested one for this character: its face
// is another (names compare without regard to case), or `glyphIndex` is kMissingGlyph.
bool NeedsOwnGlyph(std::string_view requestedFace, std::string_view selectedFace,
                   unsigned glyphIndex);

} // namespace tk
