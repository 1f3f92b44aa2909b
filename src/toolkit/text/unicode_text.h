#pragma once
// Text inside the program is UTF-8 in std::string; the system's "W" functions take UTF-16. The
// conversions between the two, in one place. Needs no operating system: the code units are
// wchar_t on Windows and char16_t in the native tests.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tk {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one UTF-8 sequence at `at`, moving `at` past it. Returns the code point, or -1 for a
// byte that starts no valid sequence (overlong forms, surrogates, values above U+10FFFF and
// truncated sequences are not UTF-8); `at` then moves past that one byte only.
long DecodeUtf8(std::string_view text, size_t& at);

// Where the run of ASCII bytes (below 0x80) that starts at `at` ends: the position of the next byte
// of 0x80 or above, or the text's size. Eight bytes at a time: large notes are mostly ASCII, and
// this is scanned before their first screen shows.
size_t EndOfAscii(std::string_view text, size_t at);

// Appends the UTF-8 form of a code point (at most U+10FFFF, not a surrogate).
void AppendUtf8(std::string& out, char32_t c);

// How many UTF-16 code units Utf16FromUtf8 makes of `utf8`.
size_t Utf16Length(std::string_view utf8);

// A surrogate kept without its partner (see LoneSurrogate::Keep) at `at`: its three bytes, which
// are not UTF-8, give the code unit back; -1 when `at` holds no such form.
long KeptSurrogate(std::string_view text, size_t at);

// UTF-16 from UTF-8; each byte that starts no valid sequence becomes U+FFFD, except the form of a
// kept surrogate, which becomes that surrogate again.
template <typename Char> std::basic_string<Char> Utf16FromUtf8(std::string_view utf8) {
    std::basic_string<Char> out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x80) {
            out.push_back(static_cast<Char>(byte));
            ++at;
            continue;
        }
        if (const long kept = KeptSurrogate(utf8, at); kept >= 0) {
            out.push_back(static_cast<Char>(kept));
            at += 3;
            continue;
        }
        long c = DecodeUtf8(utf8, at);
        if (c < 0) c = kReplacementCharacter;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<Char>(0xD800 + (c >> 10)));
            out.push_back(static_cast<Char>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<Char>(c));
        }
    }
    return out;
}

// What UTF-8 from UTF-16 makes of a surrogate without its partner (half a character): U+FFFD;
// nothing, ending the conversion; or the surrogate's own three bytes (0xED, then 0xA0 to 0xBF,
// then a continuation byte), which are not UTF-8, so that what takes the text as UTF-8 refuses it,
// while Utf16FromUtf8 gives the surrogate back.
enum class LoneSurrogate { Replace, Refuse, Keep };

// The 16-bit forms of EndOfAsciiUnits and NarrowAscii, on the units' bytes (little-endian):
// sixteen units at a time where the processor has SSE2.
size_t EndOfAsciiUnits16(const void* units, size_t at, size_t size);
void NarrowAsciiUnits16(const void* units, size_t count, char* bytes);

// Where the run of ASCII code units (below 0x80) from `at` ends: the next unit of 0x80 or above,
// or `size`.
template <typename Char> size_t EndOfAsciiUnits(const Char* units, size_t at, size_t size) {
    if constexpr (sizeof(Char) == 2) return EndOfAsciiUnits16(units, at, size);
    while (at < size && static_cast<std::uint32_t>(units[at]) < 0x80)
        ++at;
    return at;
}

// Writes `count` ASCII code units as their bytes.
template <typename Char> void NarrowAscii(const Char* units, size_t count, char* bytes) {
    if constexpr (sizeof(Char) == 2) return NarrowAsciiUnits16(units, count, bytes);
    for (size_t k = 0; k < count; ++k)
        bytes[k] = static_cast<char>(units[k]);
}

// UTF-8 from UTF-16 code units, a surrogate without its partner treated as `lone` says; false
// when it was refused, with `out` holding what came before it.
template <typename Char>
bool AppendUtf8FromUtf16(std::string& out, std::basic_string_view<Char> utf16, LoneSurrogate lone) {
    out.reserve(out.size() + utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(utf16[i]));
        if (unit < 0x80) {
            // A run of ASCII units (most of a large note), found and written in one go.
            const size_t end = EndOfAsciiUnits(utf16.data(), i, utf16.size());
            const size_t from = out.size();
            out.resize(from + (end - i));
            NarrowAscii(utf16.data() + i, end - i, out.data() + from);
            i = end - 1;
            continue;
        }
        char32_t c = unit;
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            const bool paired = unit < 0xDC00 && i + 1 < utf16.size() &&
                                static_cast<std::uint16_t>(utf16[i + 1]) >= 0xDC00 &&
                                static_cast<std::uint16_t>(utf16[i + 1]) <= 0xDFFF;
            if (paired) {
                c = 0x10000 + ((unit - 0xD800) << 10) +
                    (static_cast<std::uint16_t>(utf16[++i]) - 0xDC00u);
            } else {
                if (lone == LoneSurrogate::Refuse) return false;
                if (lone == LoneSurrogate::Replace) c = kReplacementCharacter;
            }
        }
        AppendUtf8(out, c);
    }
    return true;
}

// How many bytes AppendUtf8FromUtf16 (not strict) makes of `utf16`, without making them.
template <typename Char> size_t Utf8LengthOfUtf16(std::basic_string_view<Char> utf16) {
    size_t bytes = 0;
    for (size_t i = 0; i < utf16.size(); ++i) {
        const auto unit = static_cast<std::uint16_t>(utf16[i]);
        if (unit < 0x80)
            bytes += 1;
        else if (unit < 0x800)
            bytes += 2;
        else if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < utf16.size() &&
                 static_cast<std::uint16_t>(utf16[i + 1]) >= 0xDC00 &&
                 static_cast<std::uint16_t>(utf16[i + 1]) <= 0xDFFF) {
            bytes += 4;
            ++i;
        } else
            bytes += 3; // a character of the basic plane, or U+FFFD for a lone surrogate
    }
    return bytes;
}

// Without `strict`, U+FFFD for a surrogate without its partner; with it, false for one.
template <typename Char>
bool AppendUtf8FromUtf16(std::string& out, std::basic_string_view<Char> utf16, bool strict) {
    return AppendUtf8FromUtf16(out, utf16, strict ? LoneSurrogate::Refuse : LoneSurrogate::Replace);
}

template <typename Char>
std::string Utf8FromUtf16(std::basic_string_view<Char> utf16,
                          LoneSurrogate lone = LoneSurrogate::Replace) {
    std::string out;
    AppendUtf8FromUtf16(out, utf16, lone);
    return out;
}

#ifdef _WIN32
// The forms the W functions take and give.
inline std::wstring Wide(std::string_view utf8) {
    return Utf16FromUtf8<wchar_t>(utf8);
}
inline std::string Utf8(std::wstring_view utf16, LoneSurrogate lone = LoneSurrogate::Replace) {
    return Utf8FromUtf16<wchar_t>(utf16, lone);
}
#endif

} // namespace tk
