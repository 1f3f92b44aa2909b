#include "unicode_text.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace tk {

size_t EndOfAscii(std::string_view text, size_t at) {
#if defined(__SSE2__) || defined(_M_X64)
    // Thirty-two bytes at a time: a byte of 0x80 or above sets its bit in the mask.
    for (; text.size() - at >= 32; at += 32) {
        const auto* block = reinterpret_cast<const __m128i*>(text.data() + at);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_loadu_si128(block), _mm_loadu_si128(block + 1))))
            break;
    }
#endif
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::uint64_t eight;
    for (; text.size() - at >= sizeof eight; at += sizeof eight) {
        std::memcpy(&eight, text.data() + at, sizeof eight);
        if (eight & kHighBits) break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80)
        ++at;
    return at;
}

size_t EndOfAsciiUnits16(const void* units, size_t at, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(units);
#if defined(__SSE2__) || defined(_M_X64)
    // Sixteen units, their high bits gathered, tested at once.
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; size - at >= 16; at += 16) {
        const auto* block = reinterpret_cast<const __m128i*>(bytes + 2 * at);
        const __m128i either = _mm_or_si128(_mm_loadu_si128(block), _mm_loadu_si128(block + 1));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(either, high), _mm_setzero_si128())) !=
            0xFFFF)
            break;
    }
#endif
    while (at < size && bytes[2 * at + 1] == 0 && bytes[2 * at] < 0x80)
        ++at;
    return at;
}

void NarrowAsciiUnits16(const void* units, size_t count, char* bytes) {
    const auto* from = static_cast<const unsigned char*>(units);
    size_t k = 0;
#if defined(__SSE2__) || defined(_M_X64)
    // Units below 0x80 pack into their own bytes.
    for (; count - k >= 16; k += 16) {
        const auto* block = reinterpret_cast<const __m128i*>(from + 2 * k);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + k),
                         _mm_packus_epi16(_mm_loadu_si128(block), _mm_loadu_si128(block + 1)));
    }
#endif
    for (; k < count; ++k)
        bytes[k] = static_cast<char>(from[2 * k]);
}

long DecodeUtf8(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return text[at++];
    // The length of the sequence, its first bits and the smallest value it may hold (anything
    // smaller is an overlong form).
    size_t length;
    char32_t c;
    char32_t smallest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07u, smallest = 0x10000;
    } else {
        ++at;
        return -1;
    }
    if (text.size() - at < length) {
        ++at;
        return -1;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return -1;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return -1;
    }
    at += length;
    return static_cast<long>(c);
}

size_t Utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (size_t at = 0; at < utf8.size();) {
        const size_t ascii = EndOfAscii(utf8, at);
        units += ascii - at;
        at = ascii;
        if (at == utf8.size()) break;
        if (KeptSurrogate(utf8, at) >= 0) {
            ++units;
            at += 3;
            continue;
        }
        units += DecodeUtf8(utf8, at) >= 0x10000 ? 2u : 1u;
    }
    return units;
}

long KeptSurrogate(std::string_view text, size_t at) {
    if (text.size() - at < 3 || static_cast<unsigned char>(text[at]) != 0xED) return -1;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    const auto third = static_cast<unsigned char>(text[at + 2]);
    if (second < 0xA0 || second > 0xBF || (third & 0xC0) != 0x80) return -1;
    return 0xD000 | ((second & 0x3F) << 6) | (third & 0x3F);
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace tk
