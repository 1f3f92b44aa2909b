// The ANSI code page's text with the system's conversions given by the test: code page 65001
// (UTF-8 as the system's ANSI code page) and a double-byte code page (932), against bytes written
// out by hand.
#include "notetext/ansi_code_page.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using notetext::AnsiCodePage;

// A few characters of code page 932 as the system converts them: ASCII, the half-width katakana
// (one byte each), three double-byte characters, and the yen sign, which the system writes as the
// backslash's byte without saying so (a best fit). Every other character becomes "?" and is
// reported. Counts the calls, so a code page that needs none can be seen to make none.
class Fake932 : public notetext::CodePageConverter {
public:
    explicit Fake932(unsigned current) : current_(current) {}
    mutable int calls = 0;

    unsigned CurrentCodePage() const override { return current_; }
    unsigned MaxCharSize(unsigned codePage) const override {
        ++calls;
        return codePage == 932 ? 2 : 0;
    }
    bool ToUtf16(unsigned codePage, std::string_view bytes, std::u16string& units) const override {
        ++calls;
        if (codePage != 932) return false;
        for (size_t at = 0; at < bytes.size(); ++at) {
            const auto b = static_cast<unsigned char>(bytes[at]);
            if (b < 0x80) {
                units.push_back(b);
            } else if (b >= 0xA1 && b <= 0xDF) {
                units.push_back(static_cast<char16_t>(0xFF61 + (b - 0xA1)));
            } else {
                const auto found = kDouble.find(std::string(bytes.substr(at, 2)));
                if (found == kDouble.end()) return false;
                units.push_back(found->second);
                ++at;
            }
        }
        return true;
    }
    bool FromUtf16(unsigned codePage, std::u16string_view units,
                   std::string& bytes) const override {
        ++calls;
        if (codePage != 932) return false;
        bool all = true;
        for (char16_t u : units) {
            if (u < 0x80) {
                bytes.push_back(static_cast<char>(u));
            } else if (u >= 0xFF61 && u <= 0xFF9F) {
                bytes.push_back(static_cast<char>(0xA1 + (u - 0xFF61)));
            } else if (u == u'\u00A5') {
                bytes.push_back('\\');
            } else {
                std::string pair = "?";
                for (const auto& [b, c] : kDouble)
                    if (c == u) pair = b;
                all = all && pair != "?";
                bytes += pair;
            }
        }
        return all;
    }

private:
    unsigned current_;
    inline static const std::map<std::string, char16_t> kDouble = {
        {"\x82\xA0", u'\u3042'}, {"\x93\xFA", u'\u65E5'}, {"\x96\x7B", u'\u672C'}};
};

bool Encodes(const AnsiCodePage& page, std::string_view text, const std::string& bytes) {
    std::string out;
    return page.Encode(text, out) && out == bytes;
}

bool Decodes(const AnsiCodePage& page, std::string_view bytes, const std::string& text) {
    std::string out;
    return page.Decode(bytes, out) && out == text;
}

TEST(AnsiCodePage, Utf8AsTheSystemCodePageTakesEveryCharacterAsItsUtf8Bytes) {
    const Fake932 system(65001); // the system's current code page is 65001
    const AnsiCodePage page(system, 0);
    EXPECT_EQ(page.Number(), 65001u);
    const std::string mixed =
        "plain, \xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91, \xE6\x97\xA5, \xF0\x9F\x98\x80";
    EXPECT_TRUE(Encodes(page, "plain ASCII\r\n", "plain ASCII\r\n"));
    EXPECT_TRUE(Encodes(page, mixed, mixed));
    EXPECT_TRUE(Decodes(page, mixed, mixed));
    std::string out;
    // Half a character (a surrogate kept from the memo) has no bytes; nor is a broken sequence
    // text.
    EXPECT_FALSE(page.Encode("P\xED\xA0\xBDQ", out));
    EXPECT_FALSE(page.Decode("\xC3(", out));
    EXPECT_EQ(system.calls, 0); // the system's conversions are not asked at all
}

TEST(AnsiCodePage, DoubleByteCodePageEncodesWhatFitsAndRefusesWhatDoesNot) {
    const Fake932 system(932);
    const AnsiCodePage page(system, 0);
    EXPECT_EQ(page.Number(), 932u);
    EXPECT_TRUE(Encodes(page, "plain ASCII\r\n", "plain ASCII\r\n"));
    // "A", hiragana a, "nihon", half-width katakana a.
    const std::string mixed = "A\xE3\x81\x82\xE6\x97\xA5\xE6\x9C\xAC\xEF\xBD\xB1";
    const std::string bytes = "A\x82\xA0\x93\xFA\x96\x7B\xB1";
    EXPECT_TRUE(Encodes(page, mixed, bytes));
    EXPECT_TRUE(Decodes(page, bytes, mixed));
    std::string out;
    EXPECT_FALSE(page.Encode("\xC5\x91", out));       // o double acute: not in the code page
    EXPECT_FALSE(page.Encode("\xC2\xA5", out));       // the yen sign comes back as a backslash
    EXPECT_FALSE(page.Encode("P\xED\xA0\xBDQ", out)); // half a character
    EXPECT_FALSE(page.Decode("A\x93", out));          // a lead byte without its second byte
}

} // namespace
