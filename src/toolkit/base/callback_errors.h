#pragma once
// Keeps exceptions from crossing back into the system through a callback it calls (an
// enumeration's, say): the first one is kept and thrown again once the system call returned.
#include <exception>
#include <utility>
#include <vector>

namespace tk {

class CallbackErrors {
public:
    // Runs the callback's body; false once it (or an earlier one) threw, to end the enumeration.
    template <typename Body> bool Run(Body&& body) noexcept {
        if (error_) return false;
        try {
            body();
            return true;
        } catch (...) {
            error_ = std::current_exception();
            return false;
        }
    }
    // Throws what a callback's body threw, if anything.
    void Rethrow() {
        if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    }

private:
    std::exception_ptr error_;
};

// The items an enumeration callback collects, and what it may have thrown while collecting.
template <typename T> struct Collected {
    std::vector<T> Items;
    CallbackErrors Errors;
    // Adds one item; false once adding failed, to end the enumeration.
    bool Add(T item) noexcept {
        return Errors.Run([&] { Items.push_back(std::move(item)); });
    }
};

} // namespace tk
