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

// What an edit of [start, end) joins: the units of its first line before `start`, those of its last
// line after `end`, and whether [start, end) holds a line break.
struct EditedLines {
    size_t Before = 0;
    size_t After = 0;
    bool RemovesBreak = false;
};

// The edited lines of a text, read from the text itself.
template <typename Char>
EditedLines EditedLinesOf(std::basic_string_view<Char> text, size_t start, size_t end) {
    EditedLines lines;
    for (size_t i = start; i > 0 && !detail::IsBreak(text[i - 1]); --i)
        ++lines.Before;
    for (size_t i = end; i < text.size() && !detail::IsBreak(text[i]); ++i)
        ++lines.After;
    for (size_t i = start; i < end && !lines.RemovesBreak; ++i)
        lines.RemovesBreak = detail::IsBreak(text[i]);
    return lines;
}

// Whether replacing units [start, end) of a text of `length` units by `inserted` keeps it within
// `limits`: the whole text no longer than MaxLength (unless the edit shrinks it), and no line the
// edit makes longer than LongestLine (unless the edit only shortens one). `lines()` gives the
// EditedLines; it is asked only when a line could pass its limit.
template <typename Char, typename Lines>
EditRefusal CheckEdit(size_t length, size_t start, size_t end,
                      std::basic_string_view<Char> inserted, const MemoLimits& limits,
                      Lines&& lines) {
    const size_t after = length - (end - start) + inserted.size();
    if (limits.MaxLength && after > limits.MaxLength && inserted.size() > end - start)
        return EditRefusal::TooLarge;
    if (!limits.LongestLine || after <= limits.LongestLine) return EditRefusal::None;
    const EditedLines edited = lines();
    if (inserted.empty() && !edited.RemovesBreak) return EditRefusal::None; // only shortens
    size_t line = edited.Before, longest = 0;
    for (Char c : inserted) {
        line = detail::IsBreak(c) ? 0 : line + 1;
        longest = std::max(longest, line);
    }
    longest = std::max(longest, line + edited.After);
    return longest > limits.LongestLine ? EditRefusal::LineTooLong : EditRefusal::None;
}

} // namespace tk
