// Handing a text to the memo in pieces: the pieces against the plain rules they must keep, and
// the load's outcomes (complete, cancelled, refused) with a memo of the test's own.
#include "document/memo_loading.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

bool StartsCharacter(const std::string& text, size_t at) {
    return at == text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}

// The bytes from `at` to the next line feed or the text's end.
size_t LineLength(const std::string& text, size_t at) {
    const size_t feed = text.find('\n', at);
    return (feed == std::string::npos ? text.size() : feed) - at;
}

// Cuts `text` into its pieces and checks each against the rules: never empty, never between a
// CR and its LF, never inside a character; no piece holds more than kLongLinePiece bytes of one
// line unless the whole line is in it; a piece of lines ends after a break, before a long line
// or at the end; its work stays within the budget unless it is a single line.
void CheckPieces(const std::string& text, size_t work) {
    std::string joined;
    for (size_t start = 0; start < text.size();) {
        const note::Piece piece = note::NextPiece(text, start, work);
        const size_t end = piece.End;
        ASSERT_GT(end, start);
        ASSERT_LE(end, text.size());
        ASSERT_TRUE(StartsCharacter(text, end)) << end;
        ASSERT_FALSE(end < text.size() && text[end - 1] == '\r' && text[end] == '\n') << end;
        const std::string bytes = text.substr(start, end - start);
        size_t lineStart = start, lines = 0, lineWork = 0;
        while (lineStart < end) {
            const size_t length = std::min(LineLength(text, lineStart), end - lineStart);
            if (length > note::kLongLinePiece) ADD_FAILURE() << "long line given whole: " << lineStart;
            lineWork += note::LineWork(length);
            lineStart += length + 1;
            ++lines;
        }
        EXPECT_EQ(piece.Work, lineWork);
        if (lines > 1) {
            EXPECT_LE(piece.Work, work);
        }
        if (end < text.size() && bytes.find('\n') != std::string::npos && bytes.back() != '\n') {
            EXPECT_GT(LineLength(text, end), note::kLongLinePiece) << end;
        }
        joined += bytes;
        start = end;
    }
    ASSERT_TRUE(joined == text);
}

TEST(MemoLoading, PiecesKeepLinesCharactersAndCrLfPairsWhole) {
    std::mt19937 random(29);
    const char* words[] = {"a", "kenyér", "tej", "✓", "漢字", "😀", "\r\n", "  "};
    for (size_t length : {10u, 70000u, 300000u}) {
        for (int round = 0; round < 3; ++round) {
            std::string text;
            // Round 0: ordinary lines; 1: one long line; 2: long lines between short ones.
            while (text.size() < length) {
                const char* word = words[random() % (round == 1 ? 6 : 8)];
                if (round == 2 && text.size() % 20000 > 10000 && word[0] == '\r') continue;
                text += word;
                if (round != 1 && word[0] != '\r') text += ' ';
            }
            for (size_t work : {size_t{1}, size_t{16384}, size_t{1} << 22})
                CheckPieces(text, work);
        }
    }
}

TEST(MemoLoading, PiecesAreSizedToTheMemosSpeed) {
    note::PieceSizer sizer;
    EXPECT_EQ(sizer.Work(), note::PieceSizer::kFirstWork);
    // A memo that does 1000 units a millisecond: growth of at most four times a step, up to
    // what it does in the time a piece may take, and down again at once when it slows down.
    std::vector<size_t> sizes;
    for (int i = 0; i < 6; ++i) {
        sizer.Took(sizer.Work(), sizer.Work() / 1000.0);
        sizes.push_back(sizer.Work());
    }
    EXPECT_EQ(sizes[0], 4 * note::PieceSizer::kFirstWork);
    EXPECT_EQ(sizes.back(), size_t(1000 * note::PieceSizer::kPieceMilliseconds));
    sizer.Took(sizer.Work(), sizer.Work() / 10.0);
    EXPECT_EQ(sizer.Work(), note::PieceSizer::kFirstWork); // never below the first piece
    sizer.Took(1 << 30, 0); // a piece too quick to time
    EXPECT_EQ(sizer.Work(), 4 * note::PieceSizer::kFirstWork);
}

// A memo whose every append costs a fixed time besides its work (the system's control walks its
// whole text each time): pieces grow to take twice that fixed time instead of shrinking to
// nothing, so the text goes in at half the memo's speed or better.
TEST(MemoLoading, PiecesOutgrowAFixedCostPerAppend) {
    for (double fixed : {0.0, 30.0, 200.0, 1000.0}) {
        note::PieceSizer sizer;
        double time = 0, work = 0;
        for (int i = 0; i < 40; ++i) {
            const double took = fixed + static_cast<double>(sizer.Work()) / 1000.0;
            if (i >= 20) {
                time += took;
                work += static_cast<double>(sizer.Work());
            }
            sizer.Took(sizer.Work(), took);
        }
        const double piece = time / 20;
        EXPECT_GE(work / time, 1000.0 / 2.2) << fixed; // at least about half the memo's speed
        EXPECT_LE(piece, std::max(note::PieceSizer::kPieceMilliseconds, 2 * fixed) * 1.1) << fixed;
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
    bool EmptyWithRoom(size_t) { return SetTextSilently(""); }
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
    while (!load.Step([] { return 0.0; }))
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
        load.Step([] { return 0.0; });
        EXPECT_NE(memo.text, "mine");
        load.Cancel();
    }
    EXPECT_EQ(memo.text, "mine");
    EXPECT_TRUE(memo.modified);
    EXPECT_FALSE(memo.readOnly);
    EXPECT_EQ(memo.changes, 0);

    memo.capacity = 5000; // the memo's memory runs out part way
    note::MemoLoad<FakeMemo> refused(memo, text);
    EXPECT_THROW(while (!refused.Step([] { return 0.0; })){}, tk::EInvalidOperation);
    EXPECT_EQ(memo.text, "mine");
    EXPECT_FALSE(memo.readOnly);
    EXPECT_EQ(memo.changes, 0);
}

} // namespace
