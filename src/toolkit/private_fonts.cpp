#include "private_fonts.h"

#include "glyph_fallback.h"
#include "resources.h"

#include <map>
#include <string>

namespace tk {
namespace {

// A font added from memory, removed when the program ends.
class MemoryFont {
public:
    explicit MemoryFont(const std::string& data) {
        DWORD count = 0;
        handle_ = AddFontMemResourceEx(const_cast<char*>(data.data()),
                                       static_cast<DWORD>(data.size()), nullptr, &count);
    }
    MemoryFont(const MemoryFont&) = delete;
    MemoryFont& operator=(const MemoryFont&) = delete;
    ~MemoryFont() {
        if (handle_) RemoveFontMemResourceEx(handle_);
    }
    bool Added() const { return handle_ != nullptr; }

private:
    HANDLE handle_ = nullptr;
};

} // namespace

bool UsePrivateFont(HMODULE module, const char* resourceName) {
    static std::map<std::string, MemoryFont> fonts;
    auto found = fonts.find(resourceName);
    if (found == fonts.end()) {
        std::string data;
        if (!FindResourceData(module, resourceName, data)) return false;
        found = fonts.try_emplace(resourceName, data).first;
    }
    return found->second.Added();
}

bool DrawsCharacter(const TFont& font, char character) {
    WindowDC screen(nullptr);
    SelectedObject selected(screen.Get(), font.Handle());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen.Get(), sizeof face, face);
    WORD index = 0;
    if (GetGlyphIndicesA(screen.Get(), &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) ==
        GDI_ERROR)
        index = static_cast<WORD>(kMissingGlyph);
    return !NeedsOwnGlyph(font.Name(), face, index);
}

} // namespace tk
