#pragma once
// What the memo is measured to take reliably (bench/RESULTS.md has the measurements), and the
// checks a note's text goes through before the memo is touched.
#include "line_breaks.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace notefiles {

// The largest note file in bytes, and the largest note text in UTF-16 code units. The memo was
// measured to take, save and re-create (pin) notes of this size whole; at 250 MB the edit control's
// memory ran out without a word, and the margin keeps the steps after an open (save, pin) clear of
// that.
inline constexpr size_t kLargestNoteText = 128u * 1024 * 1024;

// The longest line in UTF-16 code units: the edit control wraps a line in time that grows with the
// square of its length (100 KB took 17 s, 200 KB 79 s, 1 MB 38 minutes with the note frozen, and as
// long again on each resize or pin).
inline constexpr size_t kLongestNoteLine = 128u * 1024;

// The length of the longest line of a UTF-8 text in UTF-16 code units: its longest run of
// characters without CR or LF.
size_t LongestLine(std::string_view text);

// Why a file's bytes cannot be a note's text, if they cannot.
enum class NoteTextRefusal {
    None,
    ContainsNul, // the memo would show and save only what comes before it
    LineTooLong, // longer than kLongestNoteLine
    TooLarge,    // larger than kLargestNoteText once its line breaks are CR LF
};

// A file's text, decoded to UTF-8, as the note's text with line breaks made CR LF, into `text`;
// or why it is refused (then `text` is left as it was).
NoteTextRefusal NoteTextFromDecoded(std::string_view decoded, std::string& text);

} // namespace notefiles
