// The word-at-a-time hash tells a kept copy's record whether a file holds the new text whole: any
// one byte changed, anywhere (in either lane or in the bytes left over), changes it, and so does
// cutting the text short; equal bytes hash alike. Oracle: the bytes themselves.
#include "storage/byte_hash.h"
#include "toolkit/text/hex_digits.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(WordHash, EveryChangedByteAndEveryShorterTextHashesOtherwise) {
    std::string text;
    for (int i = 0; i < 67; ++i) // eight words of each lane and three bytes left over
        text += static_cast<char>('a' + (i * 7) % 26);
    const std::uint64_t whole = storage::WordHashOfBytes(text);
    EXPECT_EQ(storage::WordHashOfBytes(std::string(text)), whole);
    std::set<std::uint64_t> seen{whole};
    for (size_t at = 0; at < text.size(); ++at) {
        std::string changed = text;
        changed[at] = static_cast<char>(changed[at] ^ 0x20);
        EXPECT_TRUE(seen.insert(storage::WordHashOfBytes(changed)).second) << "byte " << at;
    }
    for (size_t length = 0; length < text.size(); ++length)
        EXPECT_TRUE(seen.insert(storage::WordHashOfBytes(std::string_view(text).substr(0, length))).second)
            << "length " << length;
}

TEST(HexDigits, ZeroPaddedUpperCase) {
    EXPECT_EQ(tk::HexDigits(0, 8), "00000000");
    EXPECT_EQ(tk::HexDigits(0xABCDEF12u, 8), "ABCDEF12");
    EXPECT_EQ(tk::HexDigits(0x0123456789ABCDEFull, 16), "0123456789ABCDEF");
}

} // namespace
