#pragma once
// The line-break rules as the plainest byte-at-a-time loop, for tests to compare the fast
// normaliser against. Standard library only: the native tests, the fuzz target and the Wine
// tests all include it.
#include <cstddef>
#include <string>
#include <string_view>

// Copies `bytes` with every line break written as CR LF: a CR LF pair counts as one break, a
// lone CR or a lone LF as one. With `isLead` (a double-byte code page), a lead byte and the byte
// after it are copied together, even when that byte is a CR or an LF; a lead byte at the very
// end is copied alone.
inline std::string ReferenceLineBreaks(std::string_view bytes, bool (*isLead)(unsigned char)) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            out += c;
            if (isLead && isLead(static_cast<unsigned char>(c)) && i + 1 < bytes.size())
                out += bytes[++i];
        }
    }
    return out;
}

// Lead bytes of the double-byte code pages the tests use.
inline bool DoubleByteLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
