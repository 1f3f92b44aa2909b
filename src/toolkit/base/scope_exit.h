#pragma once
// Runs a callable when a scope ends, by return or by exception: a flag set for the length of a
// call, a colour put back, a state restored, each on every path. Needs no operating system.
#include <type_traits>
#include <utility>

namespace tk {

// Move-only: a moved-from guard runs nothing, so the callable runs exactly once. Dismiss() keeps
// it from running at all. The callable must not throw: it may run while an exception unwinds.
template <typename F> class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(F f) noexcept(std::is_nothrow_move_constructible_v<F>) : f_(std::move(f)) {}
    ScopeExit(ScopeExit&& other) noexcept(std::is_nothrow_move_constructible_v<F>)
        : f_(std::move(other.f_)), armed_(std::exchange(other.armed_, false)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ScopeExit& operator=(ScopeExit&&) = delete;
    ~ScopeExit() {
        if (armed_) f_();
    }

    void Dismiss() noexcept { armed_ = false; }

private:
    F f_;
    bool armed_ = true;
};

template <typename F> ScopeExit(F) -> ScopeExit<F>;

} // namespace tk
