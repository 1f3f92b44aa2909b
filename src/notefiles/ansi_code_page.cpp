#include "ansi_code_page.h"

#include "toolkit/text/unicode_text.h"

#include <windows.h>

namespace notefiles {
namespace {

constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The character of one byte in a single-byte code page, if it round-trips exactly.
char32_t CharacterOfByte(unsigned codePage, unsigned char byte) {
    const char in = static_cast<char>(byte);
    wchar_t wide[2] = {};
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &in, 1, wide, 2) != 1)
        return kNoCharacter;
    char back[4] = {};
    BOOL defaulted = FALSE;
    if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide, 1, back, sizeof back, nullptr,
                            &defaulted) != 1 ||
        defaulted || back[0] != in)
        return kNoCharacter;
    return wide[0];
}

// Whether every byte below 0x80 is its ASCII character in the code page.
bool KeepsAscii(unsigned codePage) {
    char ascii[0x7F];
    for (int b = 1; b < 0x80; ++b)
        ascii[b - 1] = static_cast<char>(b);
    wchar_t wide[sizeof ascii] = {};
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, ascii, sizeof ascii, wide,
                            sizeof ascii) != static_cast<int>(sizeof ascii))
        return false;
    for (size_t i = 0; i < sizeof ascii; ++i)
        if (wide[i] != static_cast<wchar_t>(ascii[i])) return false;
    return true;
}

} // namespace

AnsiCodePage::AnsiCodePage(unsigned number)
    : number_(number ? number : GetACP()), asciiAsItself_(KeepsAscii(number_)) {
    CPINFO info{};
    singleByte_ = GetCPInfo(number_, &info) && info.MaxCharSize == 1;
    if (!singleByte_) return;
    byteOf_.assign(0x10000, -1);
    for (unsigned b = 0; b < 256; ++b) {
        characterOf_[b] = b == 0 ? U'\0' : CharacterOfByte(number_, static_cast<unsigned char>(b));
        if (characterOf_[b] != kNoCharacter && characterOf_[b] < 0x10000)
            byteOf_[characterOf_[b]] = static_cast<std::int16_t>(b);
    }
}

bool AnsiCodePage::Decode(std::string_view bytes, std::string& text) const {
    // Runs of ASCII are copied as they are: a large note is mostly ASCII, and they are found
    // eight bytes at a time.
    if (asciiAsItself_ && tk::EndOfAscii(bytes, 0) == bytes.size()) {
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

bool AnsiCodePage::Encode(std::string_view text, std::string& bytes) const {
    // Runs of ASCII are the same bytes in the code page, copied as they are (as the decoder
    // copies them): a large note is mostly ASCII.
    if (asciiAsItself_ && tk::EndOfAscii(text, 0) == text.size()) {
        bytes += text;
        return true;
    }
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
    const int count = static_cast<int>(bytes.size());
    const int units =
        MultiByteToWideChar(number_, MB_ERR_INVALID_CHARS, bytes.data(), count, nullptr, 0);
    if (units <= 0) return false;
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(number_, MB_ERR_INVALID_CHARS, bytes.data(), count, wide.data(), units);
    std::string back;
    if (!EncodeWithSystem(tk::Utf8(wide), back) || back != bytes) return false;
    text += tk::Utf8(wide);
    return true;
}

bool AnsiCodePage::EncodeWithSystem(std::string_view text, std::string& bytes) const {
    if (text.empty()) return true;
    const std::wstring wide = tk::Wide(text);
    const int units = static_cast<int>(wide.size());
    BOOL defaulted = FALSE;
    const int count = WideCharToMultiByte(number_, WC_NO_BEST_FIT_CHARS, wide.data(), units,
                                          nullptr, 0, nullptr, &defaulted);
    if (count <= 0 || defaulted) return false;
    std::string out(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(number_, WC_NO_BEST_FIT_CHARS, wide.data(), units, out.data(), count,
                        nullptr, &defaulted);
    if (defaulted) return false;
    // A character the system maps to another one's bytes does not come back as itself.
    std::wstring back(wide.size(), L'\0');
    if (MultiByteToWideChar(number_, 0, out.data(), count, back.data(), units) != units ||
        back != wide)
        return false;
    bytes += out;
    return true;
}

} // namespace notefiles
