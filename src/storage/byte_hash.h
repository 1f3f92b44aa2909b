#pragma once
// A 64-bit hash of bytes (FNV-1a): tells bytes written whole from bytes cut short or changed,
// well enough to know whether a write finished. Not for telling friend from foe. Bytes may come
// in pieces: the hash of the pieces one after another is the hash of the whole.
#include <cstdint>
#include <cstring>
#include <string_view>

namespace storage {

class ByteHash {
public:
    void Add(std::string_view bytes) {
        for (char c : bytes) {
            value_ ^= static_cast<unsigned char>(c);
            value_ *= 1099511628211ull;
        }
    }
    std::uint64_t Value() const { return value_; }

private:
    std::uint64_t value_ = 14695981039346656037ull;
};

inline std::uint64_t HashOfBytes(std::string_view bytes) {
    ByteHash hash;
    hash.Add(bytes);
    return hash.Value();
}

// A 64-bit hash for the same purpose that reads the bytes four at a time in two lanes, each an
// FNV-1a step over a 32-bit word; several times faster than HashOfBytes on a 32-bit processor,
// whose every byte waits for the multiplication before it. Each step is one-to-one in the lane's
// value, so bytes that differ leave lanes that differ unless later bytes differ too. Not the
// same values as HashOfBytes: what was stored with one is checked with the same one.
inline std::uint64_t WordHashOfBytes(std::string_view bytes) {
    constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t even = 14695981039346656037ull, odd = 0x9E3779B97F4A7C15ull;
    size_t at = 0;
    for (; bytes.size() - at >= 8; at += 8) {
        std::uint32_t first = 0, second = 0;
        std::memcpy(&first, bytes.data() + at, 4);
        std::memcpy(&second, bytes.data() + at + 4, 4);
        even = (even ^ first) * kPrime;
        odd = (odd ^ second) * kPrime;
    }
    // The bytes left over, then both lanes, byte by byte.
    char lanes[16];
    for (int i = 0; i < 8; ++i) {
        lanes[i] = static_cast<char>(even >> (8 * i));
        lanes[8 + i] = static_cast<char>(odd >> (8 * i));
    }
    ByteHash whole;
    whole.Add(bytes.substr(at));
    whole.Add(std::string_view(lanes, sizeof lanes));
    return whole.Value();
}

} // namespace storage
