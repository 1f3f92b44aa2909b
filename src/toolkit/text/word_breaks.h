#pragma once
// Where a word-wrapping edit control may break a line: before a character that follows a blank
// (a space or a tab). Each question looks only at the characters between its index and the
// answer, so wrapping a paragraph costs time in proportion to its length.

namespace tk {

// The questions an edit control asks its word-break procedure (WB_LEFT, WB_RIGHT,
// WB_ISDELIMITER).
enum WordBreakQuestion { kWordStartLeft = 0, kWordStartRight = 1, kIsDelimiter = 2 };

template <typename Char> bool IsBlank(Char c) {
    return c == Char(' ') || c == Char('\t');
}

// A line may break before text[index]: it follows a blank and is none itself.
template <typename Char> bool MayBreakBefore(const Char* text, int index) {
    return index > 0 && IsBlank(text[index - 1]) && !IsBlank(text[index]);
}

// The answer to `question` about `text` (`count` characters) at `index`: for kWordStartLeft the
// nearest break before index (0 when none), for kWordStartRight the nearest break at or after
// index (count when none), for kIsDelimiter whether text[index] is a blank.
template <typename Char> int WordBreak(const Char* text, int index, int count, int question) {
    if (!text || count <= 0) return 0;
    if (index < 0) index = 0;
    if (index > count) index = count;
    switch (question) {
    case kWordStartLeft:
        if (index > 0) --index;
        while (index > 0 && !MayBreakBefore(text, index))
            --index;
        return index;
    case kWordStartRight:
        while (index < count && text[index] && !MayBreakBefore(text, index))
            ++index;
        return index;
    case kIsDelimiter:
        return index < count && IsBlank(text[index]) ? 1 : 0;
    default:
        return 0;
    }
}

} // namespace tk
