#include "notefiles/error_text.h"
#include "notefiles/line_breaks.h"
#include "notefiles/note_text_limits.h"

#include <gtest/gtest.h>

using notefiles::NormalizeLineBreaks;

namespace {
bool DoubleByteLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
} // namespace

TEST(LineBreaks, EveryLoneBreakBecomesCrLf) {
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb"), "a\r\nb");
    EXPECT_EQ(NormalizeLineBreaks("a\nb\nc"), "a\r\nb\r\nc");
    EXPECT_EQ(NormalizeLineBreaks("a\rb"), "a\r\nb");
    EXPECT_EQ(NormalizeLineBreaks("\n\r"), "\r\n\r\n");   // LF CR: two breaks
    EXPECT_EQ(NormalizeLineBreaks("\r\r\n"), "\r\n\r\n"); // CR CR LF: two breaks
    EXPECT_EQ(NormalizeLineBreaks("end\r\n"), "end\r\n"); // a final break stays
    EXPECT_EQ(NormalizeLineBreaks("x\r"), "x\r\n");
    EXPECT_EQ(NormalizeLineBreaks(""), "");
    EXPECT_EQ(NormalizeLineBreaks(std::string("a\0\nb", 4)), std::string("a\0\r\nb", 5));
}

TEST(LineBreaks, ALeadByteKeepsItsTrailByteEvenWhenThatLooksLikeABreak) {
    std::string text = "\x82\n\x82\r\n";
    // 82 0A is one character; then 82 0D is one character and the LF is a lone break.
    EXPECT_EQ(NormalizeLineBreaks(text, DoubleByteLead), "\x82\n\x82\r\r\n");
    // Without a multi-byte code page the same bytes are three breaks.
    EXPECT_EQ(NormalizeLineBreaks(text), "\x82\r\n\x82\r\n");
    // A lead byte at the very end has no partner and is copied alone.
    EXPECT_EQ(NormalizeLineBreaks("a\x82", DoubleByteLead), "a\x82");
}

TEST(ErrorText, SystemTextsLoseTrailingBlanksControlBytesAndFullStops) {
    EXPECT_EQ(notefiles::TrimSystemText("Access denied.\r\n"), "Access denied");
    EXPECT_EQ(notefiles::TrimSystemText("Odd . \t. \r\n"), "Odd");
    EXPECT_EQ(notefiles::TrimSystemText(" \r\n"), "");
    EXPECT_EQ(notefiles::TrimSystemText("Kept.x"), "Kept.x");
    // A reason is never blank: without a text of the system's, the code stands for it.
    EXPECT_EQ(notefiles::SystemReason("Access denied.\r\n", 5), "Access denied");
    EXPECT_EQ(notefiles::SystemReason(" .\r\n", 223), "Error 223");
}

TEST(NoteTextLimits, TheLongestLineIsTheLongestRunWithoutABreak) {
    EXPECT_EQ(notefiles::LongestLine(""), 0u);
    EXPECT_EQ(notefiles::LongestLine("abc"), 3u);
    EXPECT_EQ(notefiles::LongestLine("ab\r\nabcd\rabc\nab"), 4u);
    EXPECT_EQ(notefiles::LongestLine("\r\n\n\r"), 0u);
    EXPECT_EQ(notefiles::LongestLine("a\nabcde"), 5u);
}

TEST(ErrorText, FormatsFillPlaceholdersInOrder) {
    EXPECT_EQ(notefiles::FormatMessageText(notefiles::kCannotCreateFile,
                                           {"C:\\a\\b.txt", "Access denied"}),
              "Cannot create file \"C:\\a\\b.txt\". Access denied");
    EXPECT_EQ(notefiles::FormatMessageText("100%% %s %s", {"%s"}), "100% %s ");
}

TEST(ErrorText, AFullStopFollowsALetterOrDigitOnly) {
    using notefiles::WithFullStop;
    EXPECT_EQ(WithFullStop("Stream write error"), "Stream write error.");
    EXPECT_EQ(WithFullStop("Error 5"), "Error 5.");
    EXPECT_EQ(WithFullStop("Done."), "Done.");
    EXPECT_EQ(WithFullStop("Trailing blank "), "Trailing blank ");
    EXPECT_EQ(WithFullStop("Quoted \"x\""), "Quoted \"x\"");
    EXPECT_EQ(WithFullStop("(see above)"), "(see above)");
    EXPECT_EQ(WithFullStop("dash-"), "dash-");    // '-' sorts before '.'
    EXPECT_EQ(WithFullStop("slash/"), "slash/."); // '/' sorts after '.'
    EXPECT_EQ(WithFullStop(""), "");
    // The last whole character decides: a double-byte character ending in a low trail byte.
    EXPECT_EQ(WithFullStop("x\x82\x2D", DoubleByteLead), "x\x82\x2D.");
    EXPECT_EQ(WithFullStop("x\x82\x2D"), "x\x82\x2D");
}
