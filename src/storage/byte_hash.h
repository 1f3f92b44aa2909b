#pragma once
// A 64-bit hash of bytes (FNV-1a): tells bytes written whole from bytes cut short or changed,
// well enough to know whether a write finished. Not for telling friend from foe.
#include <cstdint>
#include <string_view>

namespace notefiles {

inline std::uint64_t HashOfBytes(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace notefiles
