#include "private_fonts.h"

#include "glyph_fallback.h"
#include "toolkit/system/resources.h"
#include "toolkit/text/unicode_text.h"

#include <map>
#include <string>

namespace tk {
namespace {

// Adds the fonts of a font file image for this process only; they are removed when the program
// ends.
MemoryFontHandle AddMemoryFont(const std::string& data) {
    DWORD count = 0;
    return MemoryFontHandle(AddFontMemResourceEx(const_cast<char*>(data.data()),
                                                 static_cast<DWORD>(data.size()), nullptr, &count));
}

} // namespace

bool UsePrivateFont(HMODULE module, const char* resourceName) {
    static std::map<std::string, MemoryFontHandle> fonts;
    auto found = fonts.find(resourceName);
    if (found == fonts.end()) {
        std::string data;
        if (!FindResourceData(module, resourceName, data)) return false;
        found = fonts.try_emplace(resourceName, AddMemoryFont(data)).first;
    }
    return static_cast<bool>(found->second);
}

bool DrawsCharacter(const TFont& font, char character) {
    WindowDC screen(nullptr);
    SelectedObject selected(screen.Get(), font.Handle());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen.Get(), LF_FACESIZE, face);
    const wchar_t wide = static_cast<unsigned char>(character);
    WORD index = 0;
    if (GetGlyphIndicesW(screen.Get(), &wide, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        index = static_cast<WORD>(kMissingGlyph);
    return !NeedsOwnGlyph(font.Name(), Utf8(face), index);
}

} // namespace tk
