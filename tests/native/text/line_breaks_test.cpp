#include "notetext/error_text.h"
#include "notetext/line_breaks.h"
#include "notetext/note_text_limits.h"

#include "reference/line_breaks_reference.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using notetext::NormalizeLineBreaks;

namespace {

// Up to 8 bytes either side of `at`, escaped, for failure messages.
std::string Around(const std::string& s, size_t at) {
    std::string out;
    for (size_t i = at > 8 ? at - 8 : 0; i < s.size() && i < at + 8; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// NormalizeLineBreaks and the byte-at-a-time reference give the same bytes.
testing::AssertionResult SameAsReference(const std::string& text) {
    const std::string got = NormalizeLineBreaks(text);
    const std::string want = ReferenceLineBreaks(text);
    if (got == want) return testing::AssertionSuccess();
    size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at])
        ++at;
    return testing::AssertionFailure()
           << "input of " << text.size() << " bytes: output differs first at byte " << at << " ("
           << got.size() << " bytes, want " << want.size() << ")\n  got  \"" << Around(got, at)
           << "\"\n  want \"" << Around(want, at) << "\"";
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

TEST(LineBreaks, MatchesTheByteAtATimeRulesAroundThe64ByteWindows) {
    // Lengths either side of the window edges; whole windows are scanned from 192 bytes on.
    std::vector<size_t> lengths = {0, 1, 2, 3, 1000};
    for (size_t from : {60, 125, 188, 250})
        for (size_t n = from; n <= from + 10; ++n)
            lengths.push_back(n);
    const std::string_view kinds[] = {"\n", "\r\n", "\r", "\r\r\n", "\n\r"};
    const std::string_view filler = "Note \x82\xA0 text "; // a double-byte character among them
    for (size_t n : lengths) {
        std::string plain(n, ' ');
        for (size_t i = 0; i < n; ++i)
            plain[i] = filler[i % filler.size()];
        for (std::string_view kind : kinds) {
            for (size_t at = 0; at + kind.size() <= n; ++at) {
                std::string text = plain;
                text.replace(at, kind.size(), kind);
                ASSERT_TRUE(SameAsReference(text)) << "break " << at << " into the text";
            }
            std::string dense;
            while (dense.size() < n)
                dense += kind;
            dense.resize(n);
            ASSERT_TRUE(SameAsReference(dense)) << "breaks throughout";
        }
    }
}

TEST(LineBreaks, MatchesTheByteAtATimeRulesOnRandomTexts) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte += static_cast<char>(c);
    // Few-letter alphabets keep breaks and lead bytes close together.
    const std::string_view alphabets[] = {"ab\r\n\x82", "\r\n", "a\r\n",  "\r\n\x82",
                                          "a\n\x82",    "a\r",  everyByte};
    std::mt19937 random(20240607);
    for (int round = 0; round < 4000; ++round) {
        const std::string_view alphabet = alphabets[random() % std::size(alphabets)];
        // Drawn from the alphabet at every byte, one in 8 or one in 64, else a plain letter.
        const unsigned sparseness = 1u << (3 * (random() % 3));
        std::string text(random() % 601, ' ');
        for (char& c : text)
            c = random() % sparseness == 0 ? alphabet[random() % alphabet.size()] : 'x';
        ASSERT_TRUE(SameAsReference(text)) << "round " << round;
    }
}

TEST(ErrorText, SystemTextsLoseTrailingBlanksControlBytesAndFullStops) {
    EXPECT_EQ(notetext::TrimSystemText("Access denied.\r\n"), "Access denied");
    EXPECT_EQ(notetext::TrimSystemText("Odd . \t. \r\n"), "Odd");
    EXPECT_EQ(notetext::TrimSystemText(" \r\n"), "");
    EXPECT_EQ(notetext::TrimSystemText("Kept.x"), "Kept.x");
    // A reason is never blank: without a text of the system's, the code stands for it.
    EXPECT_EQ(notetext::SystemReason("Access denied.\r\n", 5), "Access denied");
    EXPECT_EQ(notetext::SystemReason(" .\r\n", 223), "Error 223");
}

// Every short text of breaks and letters: one whose breaks are all of one kind comes back byte
// for byte from the memo's CR LF form; one of mixed kinds, or none, is written with CR LF.
TEST(LineBreaks, AFileIsWrittenBackWithTheBreaksItHad) {
    using notetext::LineBreak;
    const char alphabet[] = {'a', '\r', '\n'};
    for (int length = 0; length <= 8; ++length) {
        int count = 1;
        for (int i = 0; i < length; ++i)
            count *= 3;
        for (int n = 0; n < count; ++n) {
            std::string text;
            for (int i = 0, rest = n; i < length; ++i, rest /= 3)
                text += alphabet[rest % 3];
            // The kinds of break in the text, found plainly.
            bool crlf = false, lf = false, cr = false;
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    crlf = true;
                    ++i;
                } else if (text[i] == '\r') {
                    cr = true;
                } else if (text[i] == '\n') {
                    lf = true;
                }
            }
            const LineBreak kind = notetext::LineBreakOf(text);
            const int kinds = crlf + lf + cr;
            EXPECT_EQ(kind, kinds == 1 && lf ? LineBreak::Lf
                            : kinds == 1 && cr ? LineBreak::Cr
                                               : LineBreak::CrLf)
                << text;
            const std::string memo = notetext::NormalizeLineBreaks(text);
            if (kinds <= 1) EXPECT_EQ(notetext::WithLineBreaks(memo, kind), text);
            else EXPECT_EQ(notetext::WithLineBreaks(memo, kind), memo);
        }
    }
}

TEST(NoteTextLimits, TheLongestLineIsTheLongestRunWithoutABreak) {
    EXPECT_EQ(notetext::LongestLine(""), 0u);
    EXPECT_EQ(notetext::LongestLine("abc"), 3u);
    EXPECT_EQ(notetext::LongestLine("ab\r\nabcd\rabc\nab"), 4u);
    EXPECT_EQ(notetext::LongestLine("\r\n\n\r"), 0u);
    EXPECT_EQ(notetext::LongestLine("a\nabcde"), 5u);
}

TEST(ErrorText, FormatsFillPlaceholdersInOrder) {
    EXPECT_EQ(notetext::FormatMessageText(notetext::kCannotCreateFile,
                                           {"C:\\a\\b.txt", "Access denied"}),
              "Cannot create file \"C:\\a\\b.txt\". Access denied");
    EXPECT_EQ(notetext::FormatMessageText("100%% %s %s", {"%s"}), "100% %s ");
}

TEST(ErrorText, AFullStopFollowsALetterOrDigitOnly) {
    using notetext::WithFullStop;
    EXPECT_EQ(WithFullStop("Stream write error"), "Stream write error.");
    EXPECT_EQ(WithFullStop("Error 5"), "Error 5.");
    EXPECT_EQ(WithFullStop("Done."), "Done.");
    EXPECT_EQ(WithFullStop("Trailing blank "), "Trailing blank ");
    EXPECT_EQ(WithFullStop("Quoted \"x\""), "Quoted \"x\"");
    EXPECT_EQ(WithFullStop("(see above)"), "(see above)");
    EXPECT_EQ(WithFullStop("dash-"), "dash-");    // '-' sorts before '.'
    EXPECT_EQ(WithFullStop("slash/"), "slash/."); // '/' sorts after '.'
    EXPECT_EQ(WithFullStop(""), "");
    EXPECT_EQ(WithFullStop("kenyér"), "kenyér."); // a letter of two bytes
    EXPECT_EQ(WithFullStop("pipa ✓"), "pipa ✓.");
}
