#pragma once
// What the memo is measured to take reliably (bench/RESULTS.md has the measurements), and the
// checks a note's text goes through before the memo is touched.
#include <cstddef>
#include <string_view>

namespace notefiles {

// The largest note text in bytes. The memo was measured to take, save and re-create (pin) notes
// of this size whole; at 250 MB the edit control's memory ran out without a word, and the
// margin keeps the steps after an open (save, pin) clear of that.
inline constexpr size_t kLargestNoteText = 128u * 1024 * 1024;

// The longest line in bytes: the edit control wraps a line in time that grows with the square
// of its length (100 KB took 15 s, 200 KB a minute and a half; 1 MB would take most of an
// hour, with the note frozen).
inline constexpr size_t kLongestNoteLine = 128u * 1024;

// The length of the longest line of `text`: its longest run of bytes without CR or LF.
size_t LongestLine(std::string_view text);

} // namespace notefiles
