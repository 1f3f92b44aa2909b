#pragma once
// Milliseconds from a fixed point, from the system's performance counter: fine enough to time a
// window's first paint.
#include <windows.h>

namespace bench {

inline double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

} // namespace bench
