#pragma once
// What the benchmarks of opening notes share: a millisecond clock and a file's bytes.
#include "storage/whole_file.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace bench {

// Milliseconds from the performance counter.
inline double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The whole file; empty when it cannot be read.
inline std::string ReadWhole(const char* path) {
    std::string bytes;
    std::uint64_t size = 0;
    if (storage::ReadWholeFile(path, ~std::uint64_t{0}, bytes, size)) bytes.clear();
    return bytes;
}

} // namespace bench
