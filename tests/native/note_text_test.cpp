#include "notefiles/note_text_limits.h"

#include <gtest/gtest.h>

namespace {

using notefiles::NoteTextFromBytes;
using notefiles::NoteTextRefusal;

TEST(NoteText, BytesBecomeTheNotesTextWithCrLfBreaks) {
    std::string text = "unchanged";
    EXPECT_EQ(NoteTextFromBytes("a\nb\rc\r\n", {}, text), NoteTextRefusal::None);
    EXPECT_EQ(text, "a\r\nb\r\nc\r\n");
}

TEST(NoteText, ANulByteOrALineLongerThanTheLimitIsRefusedAndTheTextKept) {
    const std::string longest(notefiles::kLongestNoteLine, 'x');
    std::string text = "unchanged";
    EXPECT_EQ(NoteTextFromBytes(std::string_view("a\0b", 3), {}, text),
              NoteTextRefusal::ContainsNul);
    EXPECT_EQ(NoteTextFromBytes("\n" + longest + "x", {}, text), NoteTextRefusal::LineTooLong);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(NoteTextFromBytes(longest + "\r\n" + longest, {}, text), NoteTextRefusal::None);
}

} // namespace
