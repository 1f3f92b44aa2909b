#include "toolkit/base/unique_owner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Handles are positive numbers; every close is recorded.
struct CountingTraits {
    using Value = int;
    static inline std::vector<int> closed;
    static int Invalid() { return 0; }
    static bool IsValid(int handle) { return handle != 0; }
    static void Close(int handle) { closed.push_back(handle); }
};
using Owner = tk::UniqueOwner<CountingTraits>;

TEST(UniqueOwner, ClosesEveryHandleExactlyOnceAcrossMovesResetsAndReleases) {
    CountingTraits::closed.clear();
    int released = 0;
    {
        Owner a(1);
        Owner b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.Get(), 1);
        Owner c(2);
        c = std::move(b); // closes 2, takes 1
        EXPECT_EQ(CountingTraits::closed, std::vector<int>{2});
        c.Reset(3); // closes 1
        Owner d(4);
        released = d.Release(); // 4 is no longer ours
        d.Reset();
        std::vector<Owner> moved; // owners moved around as a container grows
        for (int handle = 5; handle <= 20; ++handle)
            moved.emplace_back(handle);
        moved.erase(moved.begin()); // closes 5, moves the rest down
    }
    EXPECT_EQ(released, 4);
    std::vector<int> closed = CountingTraits::closed;
    std::sort(closed.begin(), closed.end());
    std::vector<int> expected{1, 2, 3};
    for (int handle = 5; handle <= 20; ++handle)
        expected.push_back(handle);
    EXPECT_EQ(closed, expected);
}

} // namespace
