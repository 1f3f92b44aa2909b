// UTF-8 and UTF-16 conversions against a reference decoder written from the table of well-formed
// UTF-8 byte sequences, and round trips of every code point.
#include "reference/utf8_reference.h"
#include "toolkit/text/unicode_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(UnicodeText, DecodingAcceptsExactlyTheWellFormedSequences) {
    auto check = [](const std::string& s) {
        size_t at = 0;
        long c = tk::DecodeUtf8(s, at);
        int expected = ReferenceUtf8Length(s);
        ASSERT_EQ(c >= 0, expected > 0) << std::hex << int(static_cast<unsigned char>(s[0]));
        ASSERT_EQ(at, expected > 0 ? static_cast<size_t>(expected) : 1u);
    };
    // Every one- and two-byte string, every truncation, and random longer ones weighted
    // towards the edges of the ranges.
    for (int a = 0; a < 256; ++a) {
        check(std::string(1, static_cast<char>(a)));
        for (int b = 0; b < 256; ++b)
            check(std::string{static_cast<char>(a), static_cast<char>(b)});
    }
    std::mt19937 random(7);
    const unsigned char edges[] = {0x00, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0,
                                   0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xED,
                                   0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    for (int i = 0; i < 200000; ++i) {
        std::string s;
        for (size_t n = 3 + random() % 2; s.size() < n;)
            s += static_cast<char>(random() % 2 ? edges[random() % sizeof edges] : random() % 256);
        check(s);
    }
}

TEST(UnicodeText, EveryCodePointRoundTripsThroughUtf8AndUtf16) {
    std::string utf8;
    for (char32_t c = 1; c <= 0x10FFFF; ++c)
        if (c < 0xD800 || c > 0xDFFF) tk::AppendUtf8(utf8, c);
    std::u16string utf16 = tk::Utf16FromUtf8<char16_t>(utf8);
    EXPECT_EQ(utf16.size(), (0xD800u - 1) + (0x10000u - 0xE000) + 2 * 0x100000u);
    EXPECT_EQ(tk::Utf16Length(utf8), utf16.size());
    std::string back;
    EXPECT_TRUE(tk::AppendUtf8FromUtf16<char16_t>(back, utf16, true));
    EXPECT_TRUE(back == utf8);
    EXPECT_EQ(tk::Utf8LengthOfUtf16<char16_t>(utf16), utf8.size());
}

// Half a character kept: the memo's text goes to UTF-8 and back unchanged, its length counted as
// the memo counts it, while what takes the text as UTF-8 sees that it is not.
TEST(UnicodeText, LoneSurrogatesKeptComeBackAsThemselves) {
    const std::u16string memo = {u'P', 0xD83D, u'Q', 0xDE00, 0xD83D, 0xDE00, 0xDBFF};
    const std::string kept = tk::Utf8FromUtf16<char16_t>(memo, tk::LoneSurrogate::Keep);
    EXPECT_EQ(kept, "P\xED\xA0\xBDQ\xED\xB8\x80\xF0\x9F\x98\x80\xED\xAF\xBF");
    EXPECT_EQ(tk::Utf16FromUtf8<char16_t>(kept), memo);
    EXPECT_EQ(tk::Utf16Length(kept), memo.size());
    std::string strict;
    EXPECT_FALSE(tk::AppendUtf8FromUtf16<char16_t>(strict, tk::Utf16FromUtf8<char16_t>(kept), true));
}

// ASCII runs are found and narrowed several units at a time: runs of every length, starting at
// every alignment and ending at every place in a group, against one character at a time.
TEST(UnicodeText, AsciiRunsConvertAsOneCharacterAtATime) {
    const char16_t units[] = {u'a', u'z', u'\r', u'\n', 0x7F, 0x80, 0xFF, 0x100, 0x7FF, 0x800, 0x2713};
    std::mt19937 random(11);
    for (int i = 0; i < 20000; ++i) {
        std::u16string text;
        for (size_t n = random() % 70; text.size() < n;)
            text += units[random() % 4 ? random() % 5 : random() % std::size(units)];
        const size_t from = random() % 4;
        std::string expected = "x", out = "x";
        for (size_t k = from; k < text.size(); ++k)
            tk::AppendUtf8(expected, text[k]);
        tk::AppendUtf8FromUtf16<char16_t>(out, std::u16string_view(text).substr(std::min(from, text.size())),
                                          tk::LoneSurrogate::Keep);
        ASSERT_EQ(out, expected) << i;
    }
}

TEST(UnicodeText, LoneSurrogatesAndBadBytesBecomeReplacementCharacters) {
    const std::u16string lone = {u'a', 0xD800, u'b', 0xDC00, 0xD83D};
    EXPECT_EQ(tk::Utf8FromUtf16<char16_t>(lone), "a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(tk::Utf8LengthOfUtf16<char16_t>(lone), 11u);
    std::string strict = "kept";
    EXPECT_FALSE(tk::AppendUtf8FromUtf16<char16_t>(strict, lone, true));
    EXPECT_EQ(strict, "kepta");
    const std::string bad = "a\xC3\xA9\xE2\x9C\x93\xF0\x9F\x98\x80\xFF\xE2\x9C";
    EXPECT_EQ(tk::Utf16FromUtf8<char16_t>(bad),
              (std::u16string{u'a', 0xE9, 0x2713, 0xD83D, 0xDE00, 0xFFFD, 0xFFFD, 0xFFFD}));
    EXPECT_EQ(tk::Utf16Length(bad), 8u);
}

} // namespace
