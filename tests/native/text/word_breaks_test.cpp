// Word breaks of the memo, checked exhaustively on short texts against their definition: a line
// may break before a non-blank that follows a blank.
#include "toolkit/text/word_breaks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

template <typename Char> void CheckEveryTextUpTo(size_t maxLength) {
    const Char alphabet[] = {Char('a'), Char(' '), Char('\t')};
    std::basic_string<Char> text;
    for (size_t length = 0; length <= maxLength; ++length) {
        size_t variants = 1;
        for (size_t i = 0; i < length; ++i)
            variants *= 3;
        for (size_t v = 0; v < variants; ++v) {
            text.clear();
            for (size_t i = 0, rest = v; i < length; ++i, rest /= 3)
                text += alphabet[rest % 3];
            const int count = static_cast<int>(length);
            std::set<int> breaks; // where a line may break, by the definition
            for (int i = 1; i < count; ++i)
                if (text[i - 1] != Char('a') && text[i] == Char('a')) breaks.insert(i);
            for (int index = 0; index <= count; ++index) {
                auto left = breaks.lower_bound(index); // first break >= index
                int expectLeft = left == breaks.begin() ? 0 : *std::prev(left);
                auto right = breaks.lower_bound(index);
                int expectRight = right == breaks.end() ? count : *right;
                SCOPED_TRACE(testing::Message()
                             << "variant " << v << " of length " << length << ", index " << index);
                EXPECT_EQ(tk::WordBreak(text.c_str(), index, count, tk::kWordStartLeft),
                          expectLeft);
                if (count == 0) continue;
                EXPECT_EQ(tk::WordBreak(text.c_str(), index, count, tk::kWordStartRight),
                          expectRight);
                EXPECT_EQ(tk::WordBreak(text.c_str(), index, count, tk::kIsDelimiter),
                          index < count && text[index] != Char('a') ? 1 : 0);
            }
        }
    }
}

TEST(WordBreaks, MatchTheirDefinitionOnEveryShortTextOfBytesAndOfWideCharacters) {
    CheckEveryTextUpTo<char>(7);
    CheckEveryTextUpTo<wchar_t>(5);
}

TEST(WordBreaks, StopAtTheEndOfTheTextAndLeaveOtherBytesAlone) {
    // A NUL ends the search to the right; bytes above 127 are letters, not blanks.
    const char text[] = "ab\0 cd";
    EXPECT_EQ(tk::WordBreak(text, 0, 6, tk::kWordStartRight), 2);
    const char accented[] = "\xE1\xE9 \xED";
    EXPECT_EQ(tk::WordBreak(accented, 4, 4, tk::kWordStartLeft), 3);
    EXPECT_EQ(tk::WordBreak(accented, 0, 4, tk::kWordStartRight), 3);
    EXPECT_EQ(tk::WordBreak<char>(nullptr, 0, 4, tk::kWordStartLeft), 0);
}

} // namespace
