#include "note_text_limits.h"

#include "toolkit/text/unicode_text.h"

#include <algorithm>

namespace notetext {

size_t LongestLine(std::string_view text) {
    size_t longest = 0;
    // The next CR and the next LF, each found again only once passed: a search for a single byte
    // runs many times faster than one for either of two.
    size_t cr = text.find('\r'), lf = text.find('\n');
    for (size_t start = 0; start <= text.size();) {
        if (cr < start) cr = text.find('\r', start);
        if (lf < start) lf = text.find('\n', start);
        const size_t end = std::min({cr, lf, text.size()});
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
    // Making breaks CR LF only lengthens a text: one already too large is refused before a copy.
    if (decoded.size() > kLargestNoteText && tk::Utf16Length(decoded) > kLargestNoteText)
        return NoteTextRefusal::TooLarge;
    std::string normalized = NormalizeLineBreaks(decoded);
    if (normalized.size() > kLargestNoteText && tk::Utf16Length(normalized) > kLargestNoteText)
        return NoteTextRefusal::TooLarge;
    text = std::move(normalized);
    return NoteTextRefusal::None;
}

} // namespace notetext
