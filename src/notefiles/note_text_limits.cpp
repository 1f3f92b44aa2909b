#include "note_text_limits.h"

namespace notefiles {

size_t LongestLine(std::string_view text) {
    size_t longest = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (end - start > longest) longest = end - start;
        start = end + 1;
    }
    return longest;
}

NoteTextRefusal NoteTextFromBytes(std::string_view bytes, const LeadBytePredicate& isLeadByte,
                                  std::string& text) {
    if (bytes.find('\0') != std::string_view::npos) return NoteTextRefusal::ContainsNul;
    if (LongestLine(bytes) > kLongestNoteLine) return NoteTextRefusal::LineTooLong;
    std::string normalized = NormalizeLineBreaks(bytes, isLeadByte);
    if (normalized.size() > kLargestNoteText) return NoteTextRefusal::TooLarge;
    text = std::move(normalized);
    return NoteTextRefusal::None;
}

} // namespace notefiles
