#include "notetext/note_text_limits.h"

#include <gtest/gtest.h>

namespace {

using notetext::NoteTextFromDecoded;
using notetext::NoteTextRefusal;

TEST(NoteText, BytesBecomeTheNotesTextWithCrLfBreaks) {
    std::string text = "unchanged";
    EXPECT_EQ(NoteTextFromDecoded("a\nb\rc\r\n", text), NoteTextRefusal::None);
    EXPECT_EQ(text, "a\r\nb\r\nc\r\n");
}

TEST(NoteText, ANulByteOrALineLongerThanTheLimitIsRefusedAndTheTextKept) {
    const std::string longest(notetext::kLongestNoteLine, 'x');
    std::string text = "unchanged";
    EXPECT_EQ(NoteTextFromDecoded(std::string_view("a\0b", 3), text),
              NoteTextRefusal::ContainsNul);
    EXPECT_EQ(NoteTextFromDecoded("\n" + longest + "x", text), NoteTextRefusal::LineTooLong);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(NoteTextFromDecoded(longest + "\r\n" + longest, text), NoteTextRefusal::None);
}

// A line's length is counted in characters as the memo counts them (UTF-16 code units), not in
// the bytes of its UTF-8 form.
TEST(NoteText, ALineIsMeasuredInTheMemosCharacters) {
    std::string accented;
    for (size_t i = 0; i < notetext::kLongestNoteLine; ++i)
        accented += "\xC5\x91"; // U+0151, two bytes
    std::string text;
    EXPECT_EQ(NoteTextFromDecoded(accented, text), NoteTextRefusal::None);
    EXPECT_EQ(NoteTextFromDecoded(accented + "\xF0\x9F\x98\x80", text),
              NoteTextRefusal::LineTooLong); // two code units more
    EXPECT_EQ(notetext::LongestLine("a\r\n\xF0\x9F\x98\x80\xC3\xA9"), 3u);
}

} // namespace
