#include "glyph_fallback.h"

namespace tk {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameFace(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

} // namespace

bool NeedsOwnGlyph(std::string_view requestedFace, std::string_view selectedFace,
                   unsigned glyphIndex) {
    return !SameFace(requestedFace, selectedFace) || glyphIndex == kMissingGlyph;
}

} // namespace tk
