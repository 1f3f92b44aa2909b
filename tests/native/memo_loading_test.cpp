// Handing a text to the memo in pieces: the pieces against the plain rules they must keep, and
// the load's outcomes (complete, cancelled, refused) with a memo of the test's own.
#include "noteform_unit/memo_loading.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

bool StartsCharacter(const std::string& text, size_t at) {
    return at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}

// Cuts `text` into its pieces and checks each against the rules: never empty, never between a
// CR and its LF, never inside a character; ordinary lines end at a line break, and a piece cut
// inside a long line is a small one.
void CheckPieces(const std::string& text) {
    std::string joined;
    for (size_t start = 0; start < text.size();) {
        const size_t end = note::NextPieceEnd(text, start);
        ASSERT_GT(end, start);
        ASSERT_LE(end, text.size());
        ASSERT_TRUE(StartsCharacter(text, end)) << end;
        ASSERT_FALSE(end < text.size() && text[end - 1] == '\r' && text[end] == '\n') << end;
        const std::string piece = text.substr(start, end - start);
        if (end < text.size()) {
            if (piece.find('\n') != std::string::npos)
                ASSERT_EQ(piece.back(), '\n') << "a piece of lines ends after its last break";
            else
                ASSERT_LE(piece.size(), note::kLongLinePiece);
        }
        joined += piece;
        start = end;
    }
    ASSERT_TRUE(joined == text);
}

TEST(MemoLoading, PiecesKeepLinesCharactersAndCrLfPairsWhole) {
    std::mt19937 random(29);
    const char* words[] = {"a", "kenyér", "tej", "✓", "漢字", "😀", "\r\n", "  "};
    for (size_t length : {10u, 70000u, 300000u}) {
        for (int round = 0; round < 4; ++round) {
            std::string text;
            // Round 0: ordinary lines; 1: one long line; 2: long lines between short ones;
            // 3: a line that ends right at a window's edge.
            while (text.size() < length) {
                const char* word = words[random() % (round == 1 ? 6 : 8)];
                if (round == 2 && text.size() % 200000 > 100000 && word[0] == '\r') continue;
                text += word;
                if (round != 1 && word[0] != '\r') text += ' ';
            }
            if (round == 3 && text.size() > note::kLinesPiece) {
                size_t at = note::kLinesPiece - 1;
                while (!StartsCharacter(text, at))
                    --at;
                text.insert(at, "\r\n");
            }
            CheckPieces(text);
        }
    }
}

// A memo that keeps its text in a string and takes at most `capacity` bytes.
struct FakeMemo {
    std::string text;
    bool modified = true;
    bool readOnly = false;
    size_t capacity = std::string::npos;
    int changes = 0, pieces = 0;
    bool atStart = false, undoEmptied = false;
    std::string Text() const { return text; }
    size_t TextLength() const { return text.size(); }
    bool Modified() const { return modified; }
    void SetModified(bool m) { modified = m; }
    void SetReadOnly(bool r) { readOnly = r; }
    bool SetTextSilently(const std::string& t) {
        text = t.substr(0, capacity);
        return true;
    }
    bool AppendSilently(std::string_view piece) {
        ++pieces;
        const size_t room = capacity == std::string::npos ? piece.size() : capacity - text.size();
        text += piece.substr(0, room);
        return room >= piece.size();
    }
    void ShowStart() { atStart = true; }
    void EmptyUndo() { undoEmptied = true; }
    void NotifyChange() { ++changes; }
};

TEST(MemoLoading, ACompletedLoadHoldsTheTextAndNotifiesOnce) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    FakeMemo memo{"before"};
    note::MemoLoad<FakeMemo> load(memo, text);
    EXPECT_TRUE(memo.readOnly);
    int steps = 0;
    while (!load.Step([] { return false; })) // one piece a step
        ++steps;
    EXPECT_GT(steps, 1);
    EXPECT_EQ(load.Percent(), 100);
    EXPECT_EQ(memo.changes, 0); // not per piece
    load.Complete();
    EXPECT_TRUE(memo.text == text);
    EXPECT_EQ(memo.changes, 1);
    EXPECT_FALSE(memo.readOnly);
    EXPECT_FALSE(memo.modified);
    EXPECT_TRUE(memo.atStart && memo.undoEmptied);
}

TEST(MemoLoading, ACancelledOrRefusedLoadGivesTheMemoItsTextBack) {
    const std::string text(200000, 'x');
    FakeMemo memo{"mine"};
    {
        note::MemoLoad<FakeMemo> load(memo, text);
        load.Step([] { return false; });
        EXPECT_NE(memo.text, "mine");
        load.Cancel();
    }
    EXPECT_EQ(memo.text, "mine");
    EXPECT_TRUE(memo.modified);
    EXPECT_FALSE(memo.readOnly);
    EXPECT_EQ(memo.changes, 0);

    memo.capacity = 5000; // the memo's memory runs out part way
    note::MemoLoad<FakeMemo> refused(memo, text);
    EXPECT_THROW(while (!refused.Step([] { return true; })){}, tk::EInvalidOperation);
    EXPECT_EQ(memo.text, "mine");
    EXPECT_FALSE(memo.readOnly);
    EXPECT_EQ(memo.changes, 0);
}

} // namespace
