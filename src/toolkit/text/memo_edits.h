#pragma once
// What one edit of the memo's text may do, decided on UTF-16 code units as the system's edit
// control holds them: where one Backspace or Delete ends (a whole character), and whether an edit
// keeps the text within the memo's limits. Needs no operating system.
#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tk {

// The limits a memo's text is held to, in UTF-16 code units; 0 for none.
struct MemoLimits {
    size_t MaxLength = 0;   // the whole text
    size_t LongestLine = 0; // a run of characters without CR or LF
};

enum class EditRefusal { None, TooLarge, LineTooLong };

inline bool IsHighSurrogate(unsigned unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(unsigned unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Where Backspace at `caret` starts deleting: one unit before it, or two where they are the halves
// of one character.
template <typename Char> size_t BackspaceStart(std::basic_string_view<Char> text, size_t caret) {
    if (caret >= 2 && caret <= text.size() &&
        IsLowSurrogate(static_cast<unsigned>(text[caret - 1])) &&
        IsHighSurrogate(static_cast<unsigned>(text[caret - 2])))
        return caret - 2;
    return caret == 0 ? 0 : caret - 1;
}

// Where Delete at `caret` stops deleting: one unit after it, or two where they are the halves of
// one character.
template <typename Char> size_t DeleteEnd(std::basic_string_view<Char> text, size_t caret) {
    if (caret + 2 <= text.size() && IsHighSurrogate(static_cast<unsigned>(text[caret])) &&
        IsLowSurrogate(static_cast<unsigned>(text[caret + 1])))
        return caret + 2;
    return caret < text.size() ? caret + 1 : caret;
}

namespace detail {
template <typename Char> bool IsBreak(Char c) {
    return c == Char('\r') || c == Char('\n');
}
} // namespace detail

// Whether replacing units [start, end) of a text of `length` units by `inserted` keeps it within
// `limits`: the whole text no longer than MaxLength (unless the edit shrinks it), and no line the
// edit makes longer than LongestLine (unless the edit only shortens one). `text()` gives the text;
// it is asked for only when a line could pass its limit, and only the lines the edit touches are
// looked at.
template <typename Char, typename Text>
EditRefusal CheckEdit(size_t length, Text&& text, size_t start, size_t end,
                      std::basic_string_view<Char> inserted, const MemoLimits& limits) {
    const size_t after = length - (end - start) + inserted.size();
    if (limits.MaxLength && after > limits.MaxLength && inserted.size() > end - start)
        return EditRefusal::TooLarge;
    if (!limits.LongestLine || after <= limits.LongestLine) return EditRefusal::None;
    const std::basic_string_view<Char> all = text();
    bool onlyShortens = inserted.empty();
    for (size_t i = start; i < end && onlyShortens; ++i)
        onlyShortens = !detail::IsBreak(all[i]);
    if (onlyShortens) return EditRefusal::None;
    size_t line = 0, longest = 0;
    for (size_t i = start; i > 0 && !detail::IsBreak(all[i - 1]); --i)
        ++line;
    for (Char c : inserted) {
        line = detail::IsBreak(c) ? 0 : line + 1;
        longest = std::max(longest, line);
    }
    for (size_t i = end; i < all.size() && !detail::IsBreak(all[i]); ++i)
        ++line;
    longest = std::max(longest, line);
    return longest > limits.LongestLine ? EditRefusal::LineTooLong : EditRefusal::None;
}

} // namespace tk
