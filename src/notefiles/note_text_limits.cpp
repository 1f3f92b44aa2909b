#include "note_text_limits.h"

#include "toolkit/unicode_text.h"

namespace notefiles {

size_t LongestLine(std::string_view text) {
    size_t longest = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        // A line's UTF-16 length is never more than its bytes: shorter lines need no counting.
        if (end - start > longest) {
            const size_t units = tk::Utf16Length(text.substr(start, end - start));
            if (units > longest) longest = units;
        }
        start = end + 1;
    }
    return longest;
}

NoteTextRefusal NoteTextFromDecoded(std::string_view decoded, std::string& text) {
    if (decoded.find('\0') != std::string_view::npos) return NoteTextRefusal::ContainsNul;
    if (LongestLine(decoded) > kLongestNoteLine) return NoteTextRefusal::LineTooLong;
    std::string normalized = NormalizeLineBreaks(decoded);
    if (normalized.size() > kLargestNoteText && tk::Utf16Length(normalized) > kLargestNoteText)
        return NoteTextRefusal::TooLarge;
    text = std::move(normalized);
    return NoteTextRefusal::None;
}

} // namespace notefiles
