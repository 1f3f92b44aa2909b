#include "ansi_code_page.h"

#include "text_encoding.h"
#include "toolkit/text/unicode_text.h"

namespace notetext {
namespace {

constexpr char32_t kNoCharacter = 0xFFFFFFFF;

} // namespace

AnsiCodePage::AnsiCodePage(const CodePageConverter& converter, unsigned number)
    : converter_(converter), number_(number ? number : converter.CurrentCodePage()) {
    // UTF-8 is converted here: the system refuses, for this code page, the flags that tell
    // whether a character was written as something else.
    if (number_ == kUtf8CodePage) {
        utf8_ = asciiAsItself_ = true;
        return;
    }
    asciiAsItself_ = KeepsAscii();
    singleByte_ = converter_.MaxCharSize(number_) == 1;
    if (!singleByte_) return;
    byteOf_.assign(0x10000, -1);
    for (unsigned b = 0; b < 256; ++b) {
        characterOf_[b] = b == 0 ? U'\0' : CharacterOfByte(static_cast<unsigned char>(b));
        if (characterOf_[b] != kNoCharacter && characterOf_[b] < 0x10000)
            byteOf_[characterOf_[b]] = static_cast<std::int16_t>(b);
    }
}

// The character of one byte in a single-byte code page, if it round-trips exactly.
char32_t AnsiCodePage::CharacterOfByte(unsigned char byte) const {
    const char in = static_cast<char>(byte);
    std::u16string unit;
    if (!converter_.ToUtf16(number_, std::string_view(&in, 1), unit) || unit.size() != 1)
        return kNoCharacter;
    std::string back;
    if (!converter_.FromUtf16(number_, unit, back) || back != std::string_view(&in, 1))
        return kNoCharacter;
    return unit[0];
}

// Whether every byte below 0x80 is its ASCII character in the code page.
bool AnsiCodePage::KeepsAscii() const {
    std::string ascii;
    for (int b = 1; b < 0x80; ++b)
        ascii.push_back(static_cast<char>(b));
    std::u16string units;
    if (!converter_.ToUtf16(number_, ascii, units) || units.size() != ascii.size()) return false;
    for (size_t i = 0; i < units.size(); ++i)
        if (units[i] != static_cast<char16_t>(ascii[i])) return false;
    return true;
}

bool AnsiCodePage::Decode(std::string_view bytes, std::string& text) const {
    // Runs of ASCII are copied as they are: a large note is mostly ASCII, and they are found
    // eight bytes at a time.
    if (asciiAsItself_ && tk::EndOfAscii(bytes, 0) == bytes.size()) {
        text += bytes;
        return true;
    }
    if (utf8_) {
        if (!IsUtf8(bytes)) return false;
        text += bytes;
        return true;
    }
    if (!singleByte_) return DecodeWithSystem(bytes, text);
    text.reserve(text.size() + bytes.size());
    for (size_t at = 0; at < bytes.size(); ++at) {
        if (asciiAsItself_) {
            const size_t ascii = tk::EndOfAscii(bytes, at);
            text.append(bytes.data() + at, ascii - at);
            if ((at = ascii) == bytes.size()) break;
        }
        const char32_t c = characterOf_[static_cast<unsigned char>(bytes[at])];
        if (c < 0x80) {
            text.push_back(static_cast<char>(c));
        } else {
            if (c == kNoCharacter) return false;
            tk::AppendUtf8(text, c);
        }
    }
    return true;
}

bool AnsiCodePage::IsItsOwnBytes(std::string_view text) const {
    // Half a character has no bytes, in UTF-8 either.
    return utf8_ ? IsUtf8(text) : asciiAsItself_ && tk::EndOfAscii(text, 0) == text.size();
}

bool AnsiCodePage::Encode(std::string_view text, std::string& bytes) const {
    if (IsItsOwnBytes(text)) {
        bytes += text;
        return true;
    }
    if (utf8_) return false;
    if (!singleByte_) return EncodeWithSystem(text, bytes);
    bytes.reserve(bytes.size() + text.size());
    for (size_t at = 0; at < text.size();) {
        if (asciiAsItself_) {
            const size_t ascii = tk::EndOfAscii(text, at);
            bytes.append(text.data() + at, ascii - at);
            if ((at = ascii) == text.size()) break;
        }
        const long c = tk::DecodeUtf8(text, at);
        if (c < 0 || c >= 0x10000 || byteOf_[static_cast<size_t>(c)] < 0) return false;
        bytes.push_back(static_cast<char>(byteOf_[static_cast<size_t>(c)]));
    }
    return true;
}

// A double-byte code page: the system converts, and the way back must give the same bytes.
bool AnsiCodePage::DecodeWithSystem(std::string_view bytes, std::string& text) const {
    if (bytes.empty()) return true;
    std::u16string units;
    if (!converter_.ToUtf16(number_, bytes, units)) return false;
    std::string back;
    if (!converter_.FromUtf16(number_, units, back) || back != bytes) return false;
    return tk::AppendUtf8FromUtf16<char16_t>(text, units, true);
}

bool AnsiCodePage::EncodeWithSystem(std::string_view text, std::string& bytes) const {
    if (text.empty()) return true;
    if (!IsUtf8(text)) return false;
    const std::u16string units = tk::Utf16FromUtf8<char16_t>(text);
    std::string out;
    if (!converter_.FromUtf16(number_, units, out)) return false;
    // A character the system maps to another one's bytes does not come back as itself.
    std::u16string back;
    if (!converter_.ToUtf16(number_, out, back) || back != units) return false;
    bytes += out;
    return true;
}

} // namespace notetext
