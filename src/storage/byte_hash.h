#pragma once
// A 64-bit hash of bytes (FNV-1a): tells bytes written whole from bytes cut short or changed,
// well enough to know whether a write finished. Not for telling friend from foe. Bytes may come
// in pieces: the hash of the pieces one after another is the hash of the whole.
#include <cstdint>
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

} // namespace storage
