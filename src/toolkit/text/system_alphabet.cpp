#include "system_alphabet.h"

#include <windows.h>

#include <memory>

namespace tk {

const SearchAlphabet& SystemAlphabet() {
    static const std::unique_ptr<SearchAlphabet> alphabet = [] {
        auto a = std::make_unique<SearchAlphabet>();
        for (unsigned c = 0; c < a->folded.size(); ++c) {
            a->folded[c] = static_cast<wchar_t>(c);
            a->wordChar[c] = c == '_' || IsCharAlphaNumericW(static_cast<wchar_t>(c));
        }
        // Surrogates stay as they are: a pair is never folded as two halves.
        CharLowerBuffW(a->folded.data(), 0xD800);
        CharLowerBuffW(a->folded.data() + 0xE000, 0x10000 - 0xE000);
        return a;
    }();
    return *alphabet;
}

} // namespace tk
