#pragma once
// What the memo is measured to take reliably (bench/RESULTS.md has the measurements), and the
// checks a note's text goes through before the memo is touched.
#include "line_breaks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace notetext {

// The largest note text in UTF-16 code units; typing and pasting are held to it too. The memo was
// measured to take, save and re-create (pin) notes of this size whole; at 250 MB the edit control's
// memory ran out without a word, and the margin keeps the steps after an open (save, pin) clear of
// that.
inline constexpr size_t kLargestNoteText = 128u * 1024 * 1024;

// The largest note file in bytes: the largest a text within kLargestNoteText can be written as
// (three bytes a unit in UTF-8, after its mark), so that the note opens every file it can write.
// The text's own limit is checked once it is decoded.
inline constexpr std::uint64_t kLargestNoteFile = 3ull * kLargestNoteText + 3;

// The longest line in UTF-16 code units. The memo takes a line in pieces, in time linear in its
// length (a line of 1 MB in about 13 s), but typing near the start of a very long line re-wraps
// the rest of it after every key (6.6 s a key for 1 MB, 2.6 s for 400 KB): lines up to 1 Mi
// characters are taken, longer ones refused (and typing and pasting are held to it).
inline constexpr size_t kLongestNoteLine = 1024u * 1024;

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

} // namespace notetext
