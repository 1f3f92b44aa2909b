#pragma once
// One move-only owner for every kind of system handle. It keeps the handle together with
// whatever its release needs and releases it exactly once: on Reset, on destruction, or not at
// all once handed on with Release. It converts to nothing implicitly.
//
// A kind of handle is described by a traits type with
// - `Value`: what is kept, the handle or the handle with the state its release needs;
// - `static Value Invalid()`: the empty value;
// - `static bool IsValid(const Value&)`: whether there is anything to release;
// - `static void Close(const Value&)`: the release;
// - optionally `static auto Raw(const Value&)`: what Get() returns instead of the whole Value.
// No operating system is needed here, so the owner is tested natively with a counting close.
#include <utility>

namespace tk {

template <typename Traits> class UniqueOwner {
public:
    using Value = typename Traits::Value;

    UniqueOwner() = default;
    explicit UniqueOwner(Value value) : value_(std::move(value)) {}
    UniqueOwner(UniqueOwner&& other) noexcept : value_(other.Release()) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    ~UniqueOwner() { Reset(); }

    decltype(auto) Get() const {
        if constexpr (requires { Traits::Raw(value_); })
            return Traits::Raw(value_);
        else
            return static_cast<const Value&>(value_);
    }
    explicit operator bool() const { return Traits::IsValid(value_); }

    // Gives up ownership without releasing; the caller (or the system) releases it from now on.
    Value Release() { return std::exchange(value_, Traits::Invalid()); }
    // Releases what is owned and takes `value` over.
    void Reset(Value value = Traits::Invalid()) {
        Value old = std::exchange(value_, std::move(value));
        if (Traits::IsValid(old)) Traits::Close(old);
    }

protected:
    // The whole kept value, for kinds whose Get() returns only the handle.
    const Value& Stored() const { return value_; }

private:
    Value value_ = Traits::Invalid();
};

// The usual case: a handle that is empty when null.
template <typename Handle> struct NullIsEmpty {
    using Value = Handle;
    static constexpr Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
};

} // namespace tk
