// Long words of a message are broken so that every line fits, at path separators where one fits,
// and the message comes back whole when the breaks are taken out.
#include "dialogs/layout/long_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogs::BreakLongWords;

// Seven pixels a character (a UTF-8 sequence counts once), as a fixed-pitch font draws.
int FixedWidth(std::string_view text) {
    int characters = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    return 7 * characters;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

TEST(LongWords, AMessageWithALongFileNameFitsAndComesBackWhole) {
    std::string path = "Z:\\tmp\\pinlet-keeping.AbC123\\";
    while (path.size() < 280)
        path += 'n';
    path += ".txt";
    const std::string message = "Cannot open file \"" + path + "\". File name is too long.";
    const int room = 640;
    const std::string shown = BreakLongWords(message, room, FixedWidth);
    std::string whole = shown;
    std::erase(whole, '\n');
    EXPECT_EQ(whole, message);
    for (const std::string& word : Words(shown))
        EXPECT_LE(FixedWidth(word), room) << word;
    // The first break follows the folder's separator, not the middle of a name.
    EXPECT_NE(shown.find("\"Z:\\tmp\\pinlet-keeping.AbC123\\\n"), std::string::npos) << shown;
}

TEST(LongWords, BreaksGoAfterTheLastSeparatorThatFits) {
    const std::string path = "C:\\aaaa\\bbbb\\cccc\\dddd.txt"; // 26 characters
    EXPECT_EQ(BreakLongWords(path, 7 * 15, FixedWidth), "C:\\aaaa\\bbbb\\\ncccc\\dddd.txt");
    EXPECT_EQ(BreakLongWords("/usr/share/notes/x", 7 * 12, FixedWidth), "/usr/share/\nnotes/x");
    // Without a separator in reach: after the last character that fits.
    EXPECT_EQ(BreakLongWords("abcdefghij", 7 * 4, FixedWidth), "abcd\nefgh\nij");
    // A character wider than the room still takes a line of its own.
    EXPECT_EQ(BreakLongWords("abc", 3, FixedWidth), "a\nb\nc");
}

TEST(LongWords, ShortWordsBlanksAndLineBreaksStayAsTheyAre) {
    const std::string text = "A short message.\r\nOn two lines,\tno long word.";
    EXPECT_EQ(BreakLongWords(text, 7 * 14, FixedWidth), text);
    EXPECT_EQ(BreakLongWords("", 10, FixedWidth), "");
}

TEST(LongWords, ACharacterOfSeveralBytesIsNeverCut) {
    const std::string word = "\xC5\x91\xC5\x91\xC5\x91\xE2\x9C\x93\xE2\x9C\x93"; // őőő✓✓
    EXPECT_EQ(BreakLongWords(word, 7 * 2, FixedWidth),
              "\xC5\x91\xC5\x91\n\xC5\x91\xE2\x9C\x93\n\xE2\x9C\x93");
}

} // namespace
