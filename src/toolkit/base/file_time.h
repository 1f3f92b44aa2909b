#pragma once
// The system's 64-bit values given in two 32-bit halves (file times, sizes, indexes) as one number.
#include <windows.h>

#include <cstdint>

namespace tk {

inline std::uint64_t JoinHalves(DWORD high, DWORD low) {
    return (std::uint64_t{high} << 32) | low;
}

// A FILETIME (100 ns since 1601) as one number.
inline std::uint64_t FileTimeValue(const FILETIME& time) {
    return JoinHalves(time.dwHighDateTime, time.dwLowDateTime);
}

// The time now, as a FILETIME value.
inline std::uint64_t FileTimeNow() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return FileTimeValue(now);
}

} // namespace tk
