#pragma once
// Text in an ANSI code page: bytes to UTF-8 and back, only where nothing is lost either way. The
// system's conversions are given (CodePageConverter), so the decisions here need no operating
// system: which code page, whether it is UTF-8, single-byte tables, round trips.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace notetext {

// The code page this program calls UTF-8 (the system's "UTF-8 for worldwide language support"
// makes it the ANSI code page).
inline constexpr unsigned kUtf8CodePage = 65001;

// The system's conversions between a code page and UTF-16.
class CodePageConverter {
public:
    virtual ~CodePageConverter() = default;
    // The system's current ANSI code page.
    virtual unsigned CurrentCodePage() const = 0;
    // The most bytes one character takes in the code page; 0 when the system does not know it.
    virtual unsigned MaxCharSize(unsigned codePage) const = 0;
    // The UTF-16 units of `bytes`, appended; false when some bytes are no character.
    virtual bool ToUtf16(unsigned codePage, std::string_view bytes,
                         std::u16string& units) const = 0;
    // The bytes of UTF-16 units, appended; false when the system had to put its default
    // character in place of one that has no bytes.
    virtual bool FromUtf16(unsigned codePage, std::u16string_view units,
                           std::string& bytes) const = 0;
};

class AnsiCodePage {
public:
    // The code page with this number; 0 stands for the converter's current ANSI code page.
    AnsiCodePage(const CodePageConverter& converter, unsigned number);
    unsigned Number() const { return number_; }

    // The text of `bytes`, appended to `text`; false when some bytes have no character that
    // gives the same bytes back (an undefined byte, a broken double-byte sequence).
    bool Decode(std::string_view bytes, std::string& text) const;
    // The bytes of a UTF-8 text, appended to `bytes`; false when a character has no bytes of its
    // own in the code page (the system would write a "?" or a look-alike instead).
    bool Encode(std::string_view text, std::string& bytes) const;
    // Whether the bytes of a UTF-8 text are the text itself: ASCII where the code page keeps
    // ASCII, or UTF-8 in the UTF-8 code page.
    bool IsItsOwnBytes(std::string_view text) const;

private:
    bool DecodeWithSystem(std::string_view bytes, std::string& text) const;
    bool EncodeWithSystem(std::string_view text, std::string& bytes) const;
    char32_t CharacterOfByte(unsigned char byte) const;
    bool KeepsAscii() const;

    const CodePageConverter& converter_;
    unsigned number_;
    bool utf8_ = false; // code page 65001: UTF-8 itself, converted here
    bool singleByte_ = false;
    bool asciiAsItself_ = false; // bytes below 0x80 are their ASCII characters

    // For a single-byte code page: each byte's character (0xFFFFFFFF where it has none that
    // gives it back), and each character's byte for U+0000 to U+FFFF (-1 where there is none).
    std::array<char32_t, 256> characterOf_{};
    std::vector<std::int16_t> byteOf_;
};

} // namespace notetext
