// The memo's edits: one Backspace or Delete takes a whole character, and an edit is refused
// exactly when its result, made and measured plainly, passes a limit.
#include "toolkit/text/memo_edits.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using tk::EditRefusal;

TEST(MemoEdits, BackspaceAndDeleteTakeBothHalvesOfACharacter) {
    const std::u16string text = {u'P', 0xD83D, 0xDE00, u'Q', 0xDC00, 0xD800};
    const std::u16string_view view(text);
    EXPECT_EQ(tk::BackspaceStart(view, 3), 1u); // after the emoji: both halves
    EXPECT_EQ(tk::BackspaceStart(view, 4), 3u);
    EXPECT_EQ(tk::BackspaceStart(view, 5), 4u); // a lone low half goes alone
    EXPECT_EQ(tk::BackspaceStart(view, 0), 0u);
    EXPECT_EQ(tk::DeleteEnd(view, 1), 3u); // before the emoji: both halves
    EXPECT_EQ(tk::DeleteEnd(view, 2), 3u);
    EXPECT_EQ(tk::DeleteEnd(view, 5), 6u); // a lone high half at the end goes alone
    EXPECT_EQ(tk::DeleteEnd(view, 6), 6u);
}

// The longest run without CR or LF, counted plainly.
size_t LongestLine(const std::u16string& text) {
    size_t longest = 0, line = 0;
    for (char16_t c : text) {
        line = c == u'\r' || c == u'\n' ? 0 : line + 1;
        longest = std::max(longest, line);
    }
    return longest;
}

// Random edits of random texts whose lines are all within the limit: refused exactly when the
// edited text, made whole, is too large (and grew) or has a line that is too long.
TEST(MemoEdits, RefusedExactlyWhenTheEditedTextPassesALimit) {
    std::mt19937 random(7);
    const tk::MemoLimits limits{40, 9};
    const char16_t pieces[] = {u'a', u'b', u'\r', u'\n', 0xD83D, 0xDE00};
    auto text_of = [&](size_t length) {
        std::u16string text;
        while (text.size() < length)
            text += pieces[random() % 6];
        return text;
    };
    int refused[3] = {};
    for (int round = 0; round < 20000; ++round) {
        std::u16string text = text_of(random() % 45);
        if (LongestLine(text) > limits.LongestLine) continue;
        const size_t start = random() % (text.size() + 1);
        const size_t end = start + random() % (text.size() - start + 1);
        const std::u16string inserted = text_of(random() % 12);
        std::u16string edited = text;
        edited.replace(start, end - start, inserted);
        EditRefusal expected = EditRefusal::None;
        if (edited.size() > limits.MaxLength && edited.size() > text.size())
            expected = EditRefusal::TooLarge;
        else if (LongestLine(edited) > limits.LongestLine)
            expected = EditRefusal::LineTooLong;
        const EditRefusal got = tk::CheckEdit<char16_t>(
            text.size(), start, end, std::u16string_view(inserted), limits,
            [&] { return tk::EditedLinesOf(std::u16string_view(text), start, end); });
        ASSERT_EQ(got, expected) << "round " << round;
        ++refused[static_cast<int>(got)];
    }
    EXPECT_GT(refused[1], 100); // both refusals were met, and edits that fit
    EXPECT_GT(refused[2], 100);
    EXPECT_GT(refused[0], 100);
}

} // namespace
