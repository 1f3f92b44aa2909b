#pragma once
// What the memo is measured to take reliably (bench/RESULTS.md has the measurements), and the
// checks a note's text goes through before the memo is touched.
#include <cstddef>
#include <string_view>

namespace notefiles {

// The largest note text in bytes: beyond it the edit control's memory runs out part way
// through taking the text, or its word wrapping fails outright.
inline constexpr size_t kLargestNoteText = 100u * 1024 * 1024;

// The longest line in bytes: the edit control wraps a line in time that grows with the square
// of its length (100 KB take seconds, 1 MB most of an hour).
inline constexpr size_t kLongestNoteLine = 128u * 1024;

// The length of the longest line of `text`: its longest run of bytes without CR or LF.
size_t LongestLine(std::string_view text);

} // namespace notefiles
