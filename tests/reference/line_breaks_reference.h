#pragma once
// The line-break rules as the plainest byte-at-a-time loop, for tests to compare the fast
// normaliser against. Standard library only: the native tests, the fuzz target and the Wine
// tests all include it.
#include <cstddef>
#include <string>
#include <string_view>

// Copies `bytes` with every line break written as CR LF: a CR LF pair counts as one break, a
// lone CR or a lone LF as one.
inline std::string ReferenceLineBreaks(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}
