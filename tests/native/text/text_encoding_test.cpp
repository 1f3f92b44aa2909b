// Recognising a note file's encoding and the UTF-16 forms, against plain reference rules: the
// well-formed UTF-8 table, and UTF-16 written by the compiler from u"" literals.
#include "notetext/text_encoding.h"
#include "reference/utf8_reference.h"
#include "toolkit/text/unicode_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using notetext::EncodingForm;
using notetext::TextEncoding;

// The recognition rules, written out plainly.
TextEncoding ReferenceRecognise(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF" && ReferenceIsUtf8(bytes.substr(3)))
        return {EncodingForm::Utf8, true, 0};
    if (bytes.substr(0, 2) == "\xFF\xFE") return {EncodingForm::Utf16LE, true, 0};
    if (bytes.substr(0, 2) == "\xFE\xFF") return {EncodingForm::Utf16BE, true, 0};
    bool high = false;
    for (char c : bytes)
        high = high || static_cast<unsigned char>(c) >= 0x80;
    if (high && ReferenceIsUtf8(bytes)) return {EncodingForm::Utf8, false, 0};
    return {};
}

std::string Bytes(const std::u16string& units, bool bigEndian) {
    std::string out;
    for (char16_t u : units) {
        char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

TEST(TextEncoding, RecognisedAsThePlainRulesSay) {
    const std::string cases[] = {
        "", "plain ASCII", "kenyér", "\xEF\xBB\xBF", "\xEF\xBB\xBFkeny\xE9r", "\xEF\xBB\xBFkenyér",
        "\xFF\xFE", "\xFE\xFF", "\xFF", "caf\xE9", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
        "\xE2\x9C", "\xF4\x90\x80\x80", "\xF0\x9F\x98\x80", "\xC3\xA9\xE9",
    };
    for (const std::string& bytes : cases)
        EXPECT_EQ(notetext::RecogniseEncoding(bytes), ReferenceRecognise(bytes)) << bytes;
    // Overlong forms, surrogates, truncated sequences and values above U+10FFFF are not UTF-8.
    for (const char* bad : {"a\xC0\xAF", "a\xE0\x80\xAF", "a\xED\xA0\x80", "a\xE2\x9C",
                            "a\xF4\x90\x80\x80", "a\xF8\x88\x80\x80\x80"})
        EXPECT_EQ(notetext::RecogniseEncoding(bad).Form, EncodingForm::Ansi) << bad;

    // Random texts built from pieces that sit near the rules' edges, with runs of ASCII long
    // enough to cross the eight-byte steps they are scanned in. The UTF-16 length is checked
    // against the conversion itself.
    std::mt19937 random(26);
    const char* pieces[] = {"a", "\r\n", "\xC3\xA9", "\xE2\x9C\x93", "\xF0\x9F\x98\x80", "\xC3",
                            "\x80", "\xED\xA0\x80", "\xEF\xBB\xBF", "\xFF\xFE", "\xE9", "\0",
                            "eleven byte", "seven b"};
    for (int i = 0; i < 100000; ++i) {
        std::string bytes;
        for (size_t n = random() % 8; n > 0; --n) {
            const char* piece = pieces[random() % std::size(pieces)];
            bytes.append(piece, *piece ? std::char_traits<char>::length(piece) : 1);
        }
        ASSERT_EQ(notetext::RecogniseEncoding(bytes), ReferenceRecognise(bytes));
        ASSERT_EQ(tk::Utf16Length(bytes), tk::Utf16FromUtf8<char16_t>(bytes).size()) << bytes;
    }
}

TEST(TextEncoding, Utf16IsTakenWholeOrRefused) {
    const std::u16string units = u"kenyér, tej ✓ 漢 😀\r\n";
    const std::string utf8 = "kenyér, tej ✓ 漢 😀\r\n";
    for (bool bigEndian : {false, true}) {
        std::string text;
        ASSERT_TRUE(notetext::DecodeUtf16(Bytes(units, bigEndian), bigEndian, text));
        EXPECT_EQ(text, utf8);
        EXPECT_EQ(notetext::EncodeUtf16(utf8, bigEndian), Bytes(units, bigEndian));
        std::string refused;
        EXPECT_FALSE(notetext::DecodeUtf16(Bytes(units, bigEndian) + "x", bigEndian, refused));
        for (std::u16string lone : {std::u16string{u'a', 0xD83D}, std::u16string{0xDE00, u'a'},
                                    std::u16string{0xD83D, u'a', 0xDE00}})
            EXPECT_FALSE(notetext::DecodeUtf16(Bytes(lone, bigEndian), bigEndian, refused));
    }
}

} // namespace
