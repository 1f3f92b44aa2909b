#pragma once
// Well-formed UTF-8 as the Unicode standard tabulates it (the ranges each byte of a sequence may
// take, by its lead byte), as a plain table walk for tests to compare the decoder against.
// Standard library only.
#include <cstddef>
#include <string_view>

// The length of the well-formed sequence at the start of `s`, 0 when there is none.
inline int ReferenceUtf8Length(std::string_view s) {
    struct Row {
        unsigned char lo[4], hi[4];
        int length;
    };
    static constexpr Row kWellFormed[] = {
        {{0x00}, {0x7F}, 1},
        {{0xC2, 0x80}, {0xDF, 0xBF}, 2},
        {{0xE0, 0xA0, 0x80}, {0xE0, 0xBF, 0xBF}, 3},
        {{0xE1, 0x80, 0x80}, {0xEC, 0xBF, 0xBF}, 3},
        {{0xED, 0x80, 0x80}, {0xED, 0x9F, 0xBF}, 3},
        {{0xEE, 0x80, 0x80}, {0xEF, 0xBF, 0xBF}, 3},
        {{0xF0, 0x90, 0x80, 0x80}, {0xF0, 0xBF, 0xBF, 0xBF}, 4},
        {{0xF1, 0x80, 0x80, 0x80}, {0xF3, 0xBF, 0xBF, 0xBF}, 4},
        {{0xF4, 0x80, 0x80, 0x80}, {0xF4, 0x8F, 0xBF, 0xBF}, 4},
    };
    for (const Row& row : kWellFormed) {
        if (static_cast<int>(s.size()) < row.length) continue;
        bool fits = true;
        for (int k = 0; k < row.length && fits; ++k) {
            auto b = static_cast<unsigned char>(s[static_cast<std::size_t>(k)]);
            fits = b >= row.lo[k] && b <= row.hi[k];
        }
        if (fits) return row.length;
    }
    return 0;
}

// Whether all of `s` is well-formed UTF-8.
inline bool ReferenceIsUtf8(std::string_view s) {
    for (std::size_t at = 0; at < s.size();) {
        int length = ReferenceUtf8Length(s.substr(at));
        if (length == 0) return false;
        at += static_cast<std::size_t>(length);
    }
    return true;
}
