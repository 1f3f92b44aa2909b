#include "toolkit/graphics/icon_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An icon file directory with the given entries (width, height, bits, size, offset), padded
// with `extra` bytes of image data.
struct Entry {
    int W, H, Bits;
    unsigned Size, Offset;
};
std::string IconFile(std::initializer_list<Entry> entries, std::size_t extra) {
    auto word = [](std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); };
    std::string s;
    word(s, 0);
    word(s, 1);
    word(s, static_cast<unsigned>(entries.size()));
    for (const Entry& e : entries) {
        s += char(e.W), s += char(e.H), s += '\0', s += '\0';
        word(s, 1);
        word(s, e.Bits);
        word(s, e.Size & 0xFFFF), word(s, e.Size >> 16);
        word(s, e.Offset & 0xFFFF), word(s, e.Offset >> 16);
    }
    return s + std::string(extra, 'x');
}

} // namespace

TEST(IconFile, PicksTheLargestImageThenTheDeepest) {
    std::string data =
        IconFile({{16, 16, 4, 10, 54}, {32, 32, 8, 10, 64}, {32, 32, 32, 10, 74}}, 30);
    auto best = tk::BestIconImage(data);
    ASSERT_TRUE(best);
    EXPECT_EQ(best->Width, 32);
    EXPECT_EQ(best->BitCount, 32);
    EXPECT_EQ(best->Offset, 74u);
    // Zero stands for 256 pixels.
    auto big = tk::BestIconImage(IconFile({{0, 0, 32, 4, 22}}, 4));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->Width, 256);
}

TEST(IconFile, RejectsWhatIsNotAWholeIcon) {
    EXPECT_FALSE(tk::BestIconImage(""));
    EXPECT_FALSE(tk::BestIconImage("BM\x10\x00\x00\x00"));
    EXPECT_FALSE(tk::BestIconImage(IconFile({}, 0)));
    std::string truncated = IconFile({{16, 16, 4, 10, 22}}, 0);
    EXPECT_FALSE(tk::BestIconImage(truncated.substr(0, 12)));
    // Entries whose bytes run past the end are skipped; an offset near 4 GB cannot wrap.
    EXPECT_FALSE(tk::BestIconImage(IconFile({{16, 16, 4, 10, 30}}, 5)));
    EXPECT_FALSE(tk::BestIconImage(IconFile({{16, 16, 4, 0xFFFFFFF0u, 0x20}}, 40)));
    EXPECT_FALSE(tk::BestIconImage(IconFile({{16, 16, 4, 8, 0xFFFFFFFCu}}, 40)));
    auto valid = tk::BestIconImage(IconFile({{16, 16, 4, 999, 22}, {8, 8, 4, 4, 22}}, 4));
    ASSERT_TRUE(valid);
    EXPECT_EQ(valid->Width, 8);
}
