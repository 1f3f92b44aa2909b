#pragma once
// Text in an ANSI code page: bytes to UTF-8 and back, only where nothing is lost either way.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace notefiles {

class AnsiCodePage {
public:
    // The code page with this number; 0 stands for the system's current ANSI code page.
    explicit AnsiCodePage(unsigned number);
    unsigned Number() const { return number_; }

    // The text of `bytes`, appended to `text`; false when some bytes have no character that
    // gives the same bytes back (an undefined byte, a broken double-byte sequence).
    bool Decode(std::string_view bytes, std::string& text) const;
    // The bytes of a UTF-8 text, appended to `bytes`; false when a character has no bytes of its
    // own in the code page (the system would write a "?" or a look-alike instead).
    bool Encode(std::string_view text, std::string& bytes) const;

private:
    bool DecodeWithSystem(std::string_view bytes, std::string& text) const;
    bool EncodeWithSystem(std::string_view text, std::string& bytes) const;

    unsigned number_;
    bool singleByte_ = false;
    bool asciiAsItself_ = false; // bytes below 0x80 are their ASCII characters

    // For a single-byte code page: each byte's character (0xFFFFFFFF where it has none that
    // gives it back), and each character's byte for U+0000 to U+FFFF (-1 where there is none).
    std::array<char32_t, 256> characterOf_{};
    std::vector<std::int16_t> byteOf_;
};

} // namespace notefiles
