#include "text_encoding.h"

#include "toolkit/text/unicode_text.h"

#include <cstdint>

namespace notetext {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view start) {
    return bytes.substr(0, start.size()) == start;
}

struct Utf8Scan {
    bool Valid = true;
    bool MultiByte = false; // holds at least one multi-byte sequence
};

Utf8Scan ScanUtf8(std::string_view bytes) {
    Utf8Scan scan;
    for (size_t at = tk::EndOfAscii(bytes, 0); at < bytes.size(); at = tk::EndOfAscii(bytes, at)) {
        if (tk::DecodeUtf8(bytes, at) < 0) return {false, scan.MultiByte};
        scan.MultiByte = true;
    }
    return scan;
}

} // namespace

std::string_view ByteOrderMarkOf(EncodingForm form) {
    switch (form) {
    case EncodingForm::Utf8:
        return kUtf8Mark;
    case EncodingForm::Utf16LE:
        return kUtf16LEMark;
    case EncodingForm::Utf16BE:
        return kUtf16BEMark;
    case EncodingForm::Ansi:
        break;
    }
    return {};
}

bool IsUtf8(std::string_view bytes) {
    return ScanUtf8(bytes).Valid;
}

TextEncoding RecogniseEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark) && IsUtf8(bytes.substr(kUtf8Mark.size())))
        return {EncodingForm::Utf8, true, 0};
    if (StartsWith(bytes, kUtf16LEMark)) return {EncodingForm::Utf16LE, true, 0};
    if (StartsWith(bytes, kUtf16BEMark)) return {EncodingForm::Utf16BE, true, 0};
    if (const Utf8Scan scan = ScanUtf8(bytes); scan.Valid && scan.MultiByte)
        return {EncodingForm::Utf8, false, 0};
    return {};
}

bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::string& text) {
    if (bytes.size() % 2 != 0) return false;
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return tk::AppendUtf8FromUtf16<char16_t>(text, units, true);
}

std::string EncodeUtf16(std::string_view text, bool bigEndian) {
    const std::u16string units = tk::Utf16FromUtf8<char16_t>(text);
    std::string bytes(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto high = static_cast<char>(units[i] >> 8);
        const auto low = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i] = bigEndian ? high : low;
        bytes[2 * i + 1] = bigEndian ? low : high;
    }
    return bytes;
}

} // namespace notetext
