#pragma once
// Finding a text in a text, as an editor's Find does: forwards or backwards from a place, with
// or without regard to case, anywhere or as a whole word.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tk {

// What the search needs to know of the characters (UTF-16 code units): each one's case-folded
// form, and which ones make up words. The system fills it (see SystemAlphabet).
struct SearchAlphabet {
    std::array<wchar_t, 65536> folded{};
    std::array<bool, 65536> wordChar{};
};

struct SearchOptions {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// Where `what` next occurs in `text`: searching down, the first occurrence that starts at or
// after `from`; searching up, the last one that ends at or before `from`. A whole word has no
// word character just before or after it. None when there is none or `what` is empty.
std::optional<size_t> SearchText(std::wstring_view text, std::wstring_view what, size_t from,
                               const SearchOptions& options, const SearchAlphabet& alphabet);

} // namespace tk
