#pragma once
// What the benchmarks of opening notes share: the millisecond clock and a file's bytes.
#include "bench_clock.h"
#include "storage/whole_file.h"

#include <cstdint>
#include <string>

namespace bench {

// The whole file; empty when it cannot be read.
inline std::string ReadWhole(const char* path) {
    std::string bytes;
    std::uint64_t size = 0;
    if (storage::ReadWholeFile(path, ~std::uint64_t{0}, bytes, size)) bytes.clear();
    return bytes;
}

} // namespace bench
