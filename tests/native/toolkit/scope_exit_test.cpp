#include "toolkit/base/scope_exit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <type_traits>

namespace {

static_assert(!std::is_copy_constructible_v<tk::ScopeExit<void (*)()>>);
static_assert(!std::is_copy_assignable_v<tk::ScopeExit<void (*)()>>);

// Each scope appends its letter when the guard runs; the log shows what ran, and how often.
TEST(ScopeExit, RunsOnceAtTheEndOfItsScopeOnEveryPathUnlessDismissed) {
    std::string log;
    {
        tk::ScopeExit guard([&] { log += 'a'; });
        EXPECT_EQ(log, "");
    }
    EXPECT_EQ(log, "a");

    try {
        tk::ScopeExit guard([&] { log += 'b'; });
        throw std::runtime_error("unwinds");
    } catch (const std::runtime_error&) {
        log += '!'; // after the guard: it ran while the exception left its scope
    }
    EXPECT_EQ(log, "ab!");

    {
        tk::ScopeExit guard([&] { log += 'c'; });
        guard.Dismiss();
    }
    EXPECT_EQ(log, "ab!");

    {
        tk::ScopeExit outer([&] { log += 'd'; });
        {
            tk::ScopeExit moved(std::move(outer)); // the moved-from guard is disarmed
        }
        EXPECT_EQ(log, "ab!d");
    }
    EXPECT_EQ(log, "ab!d");
}

} // namespace
