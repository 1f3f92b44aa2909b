#include "noteform_unit/memo_text.h"

#include <gtest/gtest.h>

namespace {

// A memo that silently keeps only the first `capacity` bytes of what it is given.
struct PartialMemo {
    std::string text;
    std::size_t capacity = std::string::npos;
    bool modified = false;
    std::string Text() const { return text; }
    std::size_t TextLength() const { return text.size(); }
    bool SetTextSilently(const std::string& t) {
        text = t.substr(0, capacity);
        return true;
    }
    bool Modified() const { return modified; }
    void SetModified(bool m) { modified = m; }
};

TEST(MemoText, AMemoThatTakesAllOfTheTextKeepsIt) {
    PartialMemo memo{"abc", std::string::npos, true};
    note::PutIntoMemo(memo, "0123456789", "abc");
    EXPECT_TRUE(note::MemoHolds(memo, "0123456789"));
    EXPECT_TRUE(memo.modified);
}

TEST(MemoText, AMemoThatTakesOnlyPartOfTheTextGetsItsOwnTextBack) {
    PartialMemo memo{"abc", 5, true};
    EXPECT_THROW(note::PutIntoMemo(memo, "0123456789", "abc"), tk::EInvalidOperation);
    EXPECT_EQ(memo.text, "abc");
    EXPECT_TRUE(memo.modified);
}

} // namespace
