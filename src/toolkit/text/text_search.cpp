#include "text_search.h"

#include <string>

namespace tk {

namespace {

bool IsWholeWord(std::wstring_view text, size_t at, size_t length, const SearchAlphabet& a) {
    auto word = [&](wchar_t c) { return a.wordChar[static_cast<unsigned short>(c)]; };
    return (at == 0 || !word(text[at - 1])) &&
           (at + length == text.size() || !word(text[at + length]));
}

// Compares `what` (already folded when the case does not count) with the text at `at`.
bool MatchesAt(std::wstring_view text, size_t at, std::wstring_view what, bool matchCase,
               const SearchAlphabet& a) {
    for (size_t i = 1; i < what.size(); ++i) {
        wchar_t c = text[at + i];
        if (!matchCase) c = a.folded[static_cast<unsigned short>(c)];
        if (c != what[i]) return false;
    }
    return true;
}

} // namespace

std::optional<size_t> SearchText(std::wstring_view text, std::wstring_view what, size_t from,
                               const SearchOptions& options, const SearchAlphabet& alphabet) {
    if (what.empty() || what.size() > text.size()) return std::nullopt;
    std::wstring pattern(what);
    if (!options.matchCase)
        for (wchar_t& c : pattern) c = alphabet.folded[static_cast<unsigned short>(c)];
    const size_t last = text.size() - pattern.size(); // the last place a match can start
    const wchar_t first = pattern[0];
    auto matches = [&](size_t at) {
        wchar_t c = text[at];
        if (!options.matchCase) c = alphabet.folded[static_cast<unsigned short>(c)];
        return c == first && MatchesAt(text, at, pattern, options.matchCase, alphabet) &&
               (!options.wholeWord || IsWholeWord(text, at, pattern.size(), alphabet));
    };
    if (options.down) {
        if (options.matchCase) { // the library's search finds the first character fastest
            for (size_t at = text.find(pattern, from); at != std::wstring_view::npos;
                 at = text.find(pattern, at + 1))
                if (!options.wholeWord || IsWholeWord(text, at, pattern.size(), alphabet))
                    return at;
            return std::nullopt;
        }
        for (size_t at = from; at <= last; ++at)
            if (matches(at)) return at;
        return std::nullopt;
    }
    if (from < pattern.size()) return std::nullopt;
    for (size_t at = std::min(from - pattern.size(), last) + 1; at-- > 0;)
        if (matches(at)) return at;
    return std::nullopt;
}

} // namespace tk
